// Stand-in driver DLLs for the version resource contract: nothing but a
// version resource each (tests/winehelp/standins/*.rc). Each test
// executable installs them into its machine's system folder: the native one
// as fake resources with the same content, the Wine one by copying the
// DLLs the build made.
#pragma once

#include <string>

#include "platform/platform.h"

namespace ks::test {

// nv4_disp, nvd3dum, NvCpl: FileVersion 6.14.10.9371 / 7.15.11.7519 / 6.14.10.9371.
// ks_oldnv: 6.14.10.2280. ks_notrans: no Translation entry. ks_nofilever:
// Translation but no FileVersion string (ProductVersion 6.14.10.7701).
inline constexpr const char* kStandIns[] = {"nv4_disp", "nvd3dum", "NvCpl", "ks_oldnv", "ks_notrans", "ks_nofilever"};

// Puts every stand-in into the machine's system folder as <name>.dll.
void InstallStandIns(platform::Platform& machine);

}  // namespace ks::test
