#include "engine/d3d.h"

#include "engine/form1_controls.h"
#include "shell/se_state.h"

namespace ks {

std::array<std::int32_t, 6> AnisoLevels(std::int32_t driver_build) {
  if (driver_build < 4103) return {0, 1, 2, 4, 8, 16};
  return {-1, 0, 1, 2, 3, 4};
}

bool IsClassicDriver(const SeState& state) { return state.OsClass == 0 && state.DriverBuild <= kClassicBuildLimit; }

std::int32_t AAFlagWord(const SeState& state) {
  std::int32_t flags = 0;
  if (state.GammaAA == 1) flags += kAAGammaFlag;
  if (state.TranspAAMode == 1) flags += kAATranspMultiFlag;
  if (state.TranspAAMode == 2) flags += kAATranspSuperFlag;
  return flags;
}

void WriteD3DSetting(SeState& state, SettingControls& controls, const std::int16_t& code,
                     const std::int32_t& value) {
  if (state.NvidiaAdapterMissing) {
    state.reg.WriteAsBinary = 0;
    return;
  }
  WriterCall call{state, controls, value};
  call.levels = AnisoLevels(state.DriverBuild);
  state.reg.WriteAsBinary = D3DIsNtFamily(state) ? 1 : 0;
  call.aa_flags = AAFlagWord(state);

  if (IsClassicDriver(state)) {
    state.reg.WriteAsBinary = 0;
    if (code <= kLastClassicCode) {
      if (const SettingRow* row = FindRow(D3DClassicTable(), code, call)) RunRow(*row, call);
    }
  } else if (code <= kLastD3DCode) {
    if (const SettingRow* row = FindRow(D3DNumberedTable(), code, call)) RunRow(*row, call);
  }
  // Whatever ran, a later write by anyone else is not forced to REG_BINARY.
  state.reg.WriteAsBinary = 0;
}

void WriteD3DSetting(SeState& state, Form1& form, const std::int16_t& code, const std::int32_t& value) {
  Form1SettingControls controls(form);
  WriteD3DSetting(state, controls, code, value);
}

}  // namespace ks
