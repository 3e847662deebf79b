/* KestrelaneSE's version, which info, lumacap and tarrow carry too: 3.05,
   revision 3 (file version 3.05.0003). Read by the programs' version
   resources and by the C++ code, so it stays plain preprocessor text. */
#pragma once

#define KS_VERSION_MAJOR 3
#define KS_VERSION_MINOR 5
#define KS_VERSION_REVISION 3
#define KS_FILE_VERSION_TEXT "3.05.0003"
