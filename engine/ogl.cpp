#include "engine/ogl.h"

#include "engine/form1_controls.h"
#include "shell/se_state.h"

namespace ks {

std::optional<std::int32_t> ChangedRenderQuality(std::int16_t code, std::int32_t r) {
  switch (code) {
    // The anisotropy bit shares the value with the forced colour depth
    // (4 = 16-bit, 8 = 32-bit), so only that bit is set or cleared: adding 2
    // to a value that has it, or taking 2 from one that has not, would
    // change the colour depth instead.
    case 4:
      if (r & kRenderQualityAnisoBit) return std::nullopt;
      return r | kRenderQualityAnisoBit;
    case 5:
      if (!(r & kRenderQualityAnisoBit)) return std::nullopt;
      return r & ~kRenderQualityAnisoBit;
    // Bit 0 alone, so the anisotropy bit and the colour depth stay.
    case 8:
      return r & ~kRenderQualityBit0;
    case 9:
      return r | kRenderQualityBit0;
    default:
      return std::nullopt;
  }
}

namespace {

void ChangeRenderQualityFlags(SeState& state, std::int16_t code) {
  if (code != 4 && code != 5 && code != 8 && code != 9) return;
  ValueLocation where = Locate(state, ogl::kRenderQualityFlags);
  // A missing value, or one that is no number, counts as 0.
  std::int32_t r = state.reg.ReadRegValue(where.root, where.key, where.name).NumberOr(0);
  if (auto changed = ChangedRenderQuality(code, r)) {
    state.reg.WriteRegValue(where.root, where.key, where.name, *changed);
  }
}

}  // namespace

void WriteOGLSetting(SeState& state, SettingControls& controls, const std::int16_t& code,
                     const std::int32_t& value) {
  // Without an NVIDIA adapter the driver key is another adapter's.
  if (state.NvidiaAdapterMissing) {
    state.reg.WriteAsBinary = 0;
    return;
  }
  const bool nt = OglIsNtFamily(state);
  state.reg.WriteAsBinary = nt ? 1 : 0;
  WriterCall call{state, controls, value};

  if (code <= kLastOGLCode) {
    if (const SettingRow* row = FindRow(OGLMainTable(), code, call)) RunRow(*row, call);
  }

  if (nt) {
    // A nested Direct3D call above has left the switch at 0.
    state.reg.WriteAsBinary = 1;
    if (const SettingRow* row = FindRow(OGLNtAnisoTable(), code, call)) RunRow(*row, call);
  } else {
    ChangeRenderQualityFlags(state, code);
    // From build 5000 the pages show the anisotropy value the driver shares
    // between Direct3D and OpenGL on Windows 9x too, so the OpenGL page's
    // levels go there as well, as they do on the NT family.
    if (state.DriverBuild >= 5000) {
      if (const SettingRow* row = FindRow(OGLNtAnisoTable(), code, call)) RunRow(*row, call);
    }
  }
  state.reg.WriteAsBinary = 0;
}

void WriteOGLSetting(SeState& state, Form1& form, const std::int16_t& code, const std::int32_t& value) {
  Form1SettingControls controls(form);
  WriteOGLSetting(state, controls, code, value);
}

}  // namespace ks
