// The main-window controls that the setting writers update so that the pages
// show what was written: the anisotropy and force-mipmaps combo boxes (Text)
// and the LOD bias and trilinear quality labels (Caption).
#pragma once

#include <cstdint>
#include <string>

namespace ks {

enum class WriterControl : std::uint8_t {
  kNone,
  kCombo4,    // Direct3D anisotropic filtering
  kCombo2,    // OpenGL anisotropic filtering
  kCombo8,    // Direct3D force mipmaps
  kCombo7,    // OpenGL force mipmaps
  kLabel6_3,  // Label6(3), Direct3D "Texture LOD bias:"
  kLabel4_4,  // Label4(4), OpenGL "Texture LOD bias:"
  kLabel4_3,  // Label4(3), OpenGL "Trilinear quality:"
};

// Sets a combo box's Text or a label's Caption. Setting a combo's text raises
// its Change event, as a user's choice would; a missing control is skipped.
class SettingControls {
 public:
  virtual ~SettingControls() = default;
  virtual void SetControlText(WriterControl control, const std::string& text) = 0;
};

}  // namespace ks
