// The chip revision shown on the system information page.
#pragma once

#include "shell/se_state.h"

namespace ks {

// ChipRevision = the (up to) two characters after "REV_" in NvTweakHwKey,
// blanks trimmed; "" when the key holds no "REV_" (the Windows 9x form).
void GetChipRevision(SeState& s);

}  // namespace ks
