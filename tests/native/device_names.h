// Names Windows opens as devices, in the spellings a file could hold: the
// corpus every name check is run over.
#pragma once

namespace ks::test {

inline constexpr const char* kDeviceNames[] = {
    "CON",  "con",   "Prn",      "AUX",     "aux.txt",  "NUL",      "nul",    "NUL .txt", "nul.",  "COM1",
    "com9", "COM1.~rl", "LPT1",  "lpt9.dll", "LPT1.dll", "CONIN$", "conout$", "CONOUT$.log", "Com5.tar.gz",
};

}  // namespace ks::test
