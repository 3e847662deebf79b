// The multitexturing page (11) and the shader page (12): a slider per limit
// whose top position removes the driver's value, an override box per page
// (stored in the program's settings) that opens the full range, and the
// buttons that start the driver's control-panel loader so the driver takes
// the new values over. A slider that start-up moves (IsStart 1) writes
// nothing: it shows what the driver holds. On the classic drivers, which
// hold neither limit, the sliders and override boxes are disabled (by the
// Direct3D reader), the loaders leave the pages alone and the sliders write
// nothing.
#pragma once

#include <cstdint>

namespace ks {

struct SeState;
class Form1;

// Set the pages from the chip data, the override boxes and what the
// Direct3D reader stored (MaxTextures, PsVersion, VsVersion).
void LoadMultitextureOverride(SeState& state, Form1& form);
void LoadShaderOverride(SeState& state, Form1& form);

// Sets the handlers of Check8, Check9, FlatScrollBar5, FlatScrollBar6,
// Command2 and Command3.
void WireOverridePages(SeState& state, Form1& form);

// "rundll32 NvCpl.dll,NvStartup", minimized with the focus, not waited for;
// a failure to start is ignored.
void StartControlPanelLoader(SeState& state);
inline constexpr const char* kControlPanelLoader = "rundll32 NvCpl.dll,NvStartup";

}  // namespace ks
