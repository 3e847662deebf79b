// How much room a text takes in the dialog font the renderer gives every
// control (DEFAULT_GUI_FONT: 8 points, 11 pixels high at 96 pixels per inch
// and 14 at 120), and how a word-wrapping label breaks it into lines.
// Layouts are checked with it: a label shows its whole text only when the
// text fits its box. The font is measured at 96 pixels per inch (the
// default) or at 120; a screen of more than 96 is measured as 120.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ks::ui {

// The height of one line of the dialog font, in pixels: the tallest of the
// faces Windows and Wine give it (MS Sans Serif and Tahoma are 13 pixels).
inline constexpr int kDialogLineHeight = 13;
// The same at 120 pixels per inch.
inline constexpr int kDialogLineHeight120 = 16;

int DialogLineHeight(int pixels_per_inch = 96);

// The width of `text` on one line, in pixels. A character outside printable
// ASCII counts as the widest one.
int DialogTextWidth(std::string_view text, int pixels_per_inch = 96);

// The lines a label `width_twips` wide shows `text` in: broken at blanks,
// as a word-wrapping static control breaks it; blanks at a break are
// dropped, a line end ("\r\n" or "\n") always breaks. A word wider than the
// label stays whole on a line of its own (the label cuts it off).
std::vector<std::string> WrapDialogText(std::string_view text, int width_twips, int pixels_per_inch = 96);

// Whether a word-wrapping label of `width_twips` x `height_twips` shows the
// whole of `text`: every line fits the width and all lines fit the height.
bool DialogTextFits(std::string_view text, int width_twips, int height_twips, int pixels_per_inch = 96);

// A length in twips as the whole pixels a window has of it.
int DialogPixels(int twips, int pixels_per_inch = 96);

}  // namespace ks::ui
