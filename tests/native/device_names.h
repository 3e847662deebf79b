// Names Windows opens as devices, in the spellings a file could hold: the
// corpus every name check is run over. The superscript digits one to three
// ("COM\xB9" and so on, in code page 1252) name COM and LPT ports too.
#pragma once

namespace ks::test {

inline constexpr const char* kDeviceNames[] = {
    "CON",  "con",   "Prn",      "AUX",     "aux.txt",  "NUL",      "nul",    "NUL .txt", "nul.",  "COM1",
    "com9", "COM1.~rl", "LPT1",  "lpt9.dll", "LPT1.dll", "CONIN$", "conout$", "CONOUT$.log", "Com5.tar.gz",
    "COM\xB9", "com\xB2", "COM\xB3", "LPT\xB9", "lpt\xB2" ".dat", "LPT\xB3" " .log",
};

}  // namespace ks::test
