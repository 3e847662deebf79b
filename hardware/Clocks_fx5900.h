// The clock procedures for every chip with separate 2D and 3D clocks
// (ClockModel 1, as DetectClockModel sets it: the FX families and the later
// ones it lists, not only the FX 5900 the file is named after). They work on the 3D set ("Bart3D", "Krusty3D") when
// SeState::Use3DClocks is 1, else on the 2D set ("Bart", "Krusty"); the
// rest is as ReadClocks and ApplyClocks (Clocks.h).
#pragma once

#include "shell/se_state.h"

namespace ks {

// As ReadClocks, with these differences: "CoolBits" is written first; the
// probe (deleting the requested value, "Bart", "Bart3D" and "Homer") runs
// only while Clocks3DShown is 0 (the loader starts either way). With the
// 3D set in use "Bart" is deleted by the probe and left to the driver.
void ReadClocksFX(SeState& s);

// As ApplyClocks, with these differences: it does not write "CoolBits"
// and never fills "Geraklit"/"Gesiod".
void ApplyClocksFX(SeState& s);

}  // namespace ks
