// The driver settings readers (DetectD3DSettings in engine/d3ddet.cpp,
// DetectOGLSettings in engine/ogldet.cpp): they read the driver's current Direct3D and
// OpenGL values (at the places engine/driver_values.h gives, the same the
// writers use) and make the main window's controls show them. Neither
// writes to the registry. Each control change raises that control's event
// as a user's change does, but a reading holds the page handlers off for
// its whole length (IsStart 1, given back as it was found): whoever reads
// the driver again (start-up, a preset, the wizard, the SLI boxes), the
// controls come to show what the driver holds and nothing is written back.
//
// DetectD3DSettings also sets the OpenGL twins of the values the driver
// shares between both interfaces; on the classic drivers it shows what
// those drivers keep (the Direct3D antialiasing and anisotropy lists, the
// Z-buffer compression and mipmap filtering boxes, the LOD bias slider) and
// disables the controls whose settings they do not hold. It leaves AAGuard
// as it found it (1 while it runs).
// DetectOGLSettings sets the registry writer's switch by OS (and leaves it
// set); on the NT family from build 5000 it ends by running
// DetectD3DSettings.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace ks {

struct SeState;
class Form1;

void DetectD3DSettings(SeState& state, Form1& form);
void DetectOGLSettings(SeState& state, Form1& form);

// Holds the page handlers off while it lives: IsStart is 1, and goes back
// to what it was when it ends. The readers hold it for every run.
class HandlersHeldOff {
 public:
  explicit HandlersHeldOff(Form1& form);
  ~HandlersHeldOff();
  HandlersHeldOff(const HandlersHeldOff&) = delete;
  HandlersHeldOff& operator=(const HandlersHeldOff&) = delete;

 private:
  Form1& form_;
  std::int32_t was_;
};

// A text a reader shows: fixed (`text`) or language entry `entry`.
struct Shown {
  const char* text = nullptr;
  int entry = -1;
};
constexpr Shown Fixed(const char* text) { return {text, -1}; }
constexpr Shown Entry(int entry) { return {nullptr, entry}; }
std::string TextOf(const SeState& state, Shown shown);

// One stored number and what it shows.
struct ValueText {
  std::int32_t value;
  Shown shown;
};
// The row of `table` for a stored number, or nullptr.
const ValueText* FindValueText(std::span<const ValueText> table, std::int32_t value);

// The flag prefixes of the shared antialiasing value (from build 5000).
struct AAFlagRow {
  std::size_t length;  // of the value's decimal text
  const char* prefix;  // its first five characters
  bool gamma;          // ticks both gamma boxes, GammaAA 1
  std::int32_t transparency;  // TranspAAMode; the transparency boxes' entry follows it
  std::int32_t flags;  // subtracted from the value
};
// The antialiasing modes of the shared value once its flags are taken away.
enum class OglTwin : std::uint8_t { kSame, kDisabled };
struct AAModeRow {
  std::int32_t value;
  Shown d3d;
  const char* sli;  // the mode's name while SLI antialiasing is on; null: none
  OglTwin ogl;      // what the OpenGL box shows: the same, or language entry 145
};

std::span<const AAFlagRow> AAFlagRows();
std::span<const AAModeRow> AAModeRows();
std::span<const ValueText> OldAAModes();      // "D3d_70835937", below build 5000
std::span<const ValueText> AnisoModes();      // "D3DOGL_74095213", from build 5000
std::span<const ValueText> PixelShaders();    // "D3d_59954021"
std::span<const ValueText> VertexShaders();   // "D3D_59954023"
std::span<const ValueText> OglFsaaModes();    // "FSAAMode", below build 5000
std::span<const ValueText> OglVersions();     // "308826"
std::span<const ValueText> OglEmulations();   // "NVEmulate", from build 6000

}  // namespace ks
