// The tweak pages' choice lists and the antialiasing preview.
//
// The order of each list's items is what the readers and the page handlers
// share: a handler maps a list index (or, for the antialiasing and
// anisotropy boxes, the entry's text) to a setting code.
#pragma once

#include <span>
#include <string>

#include "engine/settings_readers.h"

namespace ks {

struct SeState;
class Form1;

// Runs FillAntialiasingModes, then (only while IsStart is 1) appends the
// fixed items of the other tweak boxes. Called once, at start-up.
void FillSettingLists(SeState& state, Form1& form);

// The OpenGL versions Combo15 offers behind its first entry (language
// entry 180, no override).
std::span<const char* const> OpenGLVersionTexts();

// Rebuilds the antialiasing (Combo3, Combo1) and anisotropy (Combo4, Combo2)
// lists for the card's chip data, the driver build and SliAAFlag; each box
// keeps the text it showed. A list offers only the entries whose choice its
// page reads back from this driver. Ends with
// EnableTransparencyAntialiasing for AAModeText.
void FillAntialiasingModes(SeState& state, Form1& form);

// Enables the transparency and gamma controls of both antialiasing pages
// where the driver can hold them: on the cards that have them, from build
// 5000, beside the antialiasing mode `mode` when that is a mode other than
// the automatic entry; disables them otherwise.
void EnableTransparencyAntialiasing(SeState& state, Form1& form, const std::string& mode);

// Loads "auto.jpg" into Image2 and the picture of the mode Combo3 shows
// into Image3, from data\aa\1 (normal size) or data\aa\2 (Zoom). A picture
// that is missing or no picture the system reads (IsPictureFile) leaves its
// image as it was; a mode name that could leave the picture folder loads
// nothing.
void ShowAntialiasingPreview(SeState& state, Form1& form);

// The picture name for a mode text: "Disabled" for language entry 145, the
// text before " (" when it holds one, else the text; "" when the text gives
// no usable name.
std::string PreviewName(const SeState& state, const std::string& mode);

}  // namespace ks
