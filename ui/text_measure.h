// How much room a text takes in the dialog font the renderer gives every
// control (DEFAULT_GUI_FONT, 8 points at 96 dpi, 15 twips a pixel), and how
// a word-wrapping label breaks it into lines. Layouts are checked with it:
// a label shows its whole text only when the text fits its box.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ks::ui {

// The height of one line of the dialog font, in pixels: the tallest of the
// faces Windows and Wine give it (MS Sans Serif and Tahoma are 13 pixels).
inline constexpr int kDialogLineHeight = 13;

// The width of `text` on one line, in pixels. A character outside printable
// ASCII counts as the widest one.
int DialogTextWidth(std::string_view text);

// The lines a label `width_twips` wide shows `text` in: broken at blanks,
// as a word-wrapping static control breaks it; blanks at a break are
// dropped, a line end ("\r\n" or "\n") always breaks. A word wider than the
// label stays whole on a line of its own (the label cuts it off).
std::vector<std::string> WrapDialogText(std::string_view text, int width_twips);

// Whether a word-wrapping label of `width_twips` x `height_twips` shows the
// whole of `text`: every line fits the width and all lines fit the height.
bool DialogTextFits(std::string_view text, int width_twips, int height_twips);

}  // namespace ks::ui
