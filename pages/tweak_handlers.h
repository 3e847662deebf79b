// The handlers of the Direct3D and OpenGL pages' controls: each applies the
// user's choice at once through the setting writers. From driver build
// 5000 (where the driver keeps one value for both pages) the antialiasing
// and anisotropy choices are mirrored into the sister box of the other
// page; setting a control to what it already shows raises nothing, which
// ends every mirror after one exchange.
//
// Every handler that writes returns at once while IsStart is 1; the
// transparency and gamma antialiasing handlers also while AAGuard is 1.
// The preview size buttons test neither.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "engine/settings_readers.h"

namespace ks {

struct SeState;
class Form1;

// Sets the handlers on the controls of pages 1, 2, 5, 6, 7, 8 and 13.
void WireTweakHandlers(SeState& state, Form1& form);

// Which writer a choice goes to, and with which code.
enum class WriterKind : std::uint8_t { kNone, kD3D, kOGL };
struct SettingCode {
  WriterKind writer = WriterKind::kNone;
  std::int16_t code = 0;
};

// The antialiasing modes by text: the Direct3D map (Combo3, Check17) and
// the OpenGL map (Combo1, Combo18).
struct AAChoice {
  Shown text;
  const char* sli;  // the same mode's SLI name, or null
  SettingCode d3d;
  SettingCode ogl;
};
std::span<const AAChoice> AAChoices();

// The anisotropy levels by text: Combo4 (Direct3D page), Combo2 (OpenGL page).
struct AnisoChoice {
  Shown text;
  SettingCode d3d_page;
  SettingCode ogl_page;
};
std::span<const AnisoChoice> AnisoChoices();

// The row of the entry shown as `text` (for antialiasing an SLI name too),
// in this language; nullptr when no row shows it.
const AAChoice* FindAAChoice(const SeState& s, const std::string& text);
const AnisoChoice* FindAnisoChoice(const SeState& s, const std::string& text);

// The combo boxes whose list index maps to a code.
struct IndexedCombo {
  const char* combo;
  WriterKind writer;
  std::int16_t codes[4];
  int count;
};
std::span<const IndexedCombo> IndexedCombos();

// The check boxes that write one of two codes: `when` is the value tested
// (0 for "unticked", 1 for "ticked"); any other value counts as the other.
struct TwoCodeBox {
  const char* box;
  int index;
  WriterKind writer;
  int when;
  std::int16_t code_when;
  std::int16_t code_else;
};
std::span<const TwoCodeBox> TwoCodeBoxes();

// The emulation ids Combo16's entries write from build 6000, by list index.
std::span<const std::int32_t> EmulationIds();

// The number Combo15 writes for an OpenGL version text: its first three
// characters as bytes, the first in the lowest.
std::int32_t OpenGLVersionValue(const std::string& text);

}  // namespace ks
