// What both sides of the search benchmark share: the folder of files on
// the system drive (made by bench/cleaner_search.sh), the clock, the
// pumping that lets a shown window settle, and the result line.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/clock.h"
#include "platform/win32/win.h"

namespace bench {

// The folder at the system drive's root: the first argument.
inline std::string FolderName(int argc, char** argv) { return argc > 1 ? argv[1] : "ks_bench_search"; }
// The files it holds: the second argument.
inline int ExpectedFiles(int argc, char** argv) { return argc > 2 ? std::atoi(argv[2]) : 0; }

// The drive of the Windows folder ("C:"), as pvx's root code SYD names it.
inline std::string SystemDrive() {
  char windir[MAX_PATH + 1] = {};
  GetEnvironmentVariableA("windir", windir, sizeof(windir));
  return std::string(windir).substr(0, 2);
}

// Handles every message for `ms` milliseconds: the window is shown and drawn.
inline void Settle(int ms) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ms);
  MSG msg;
  while (GetTickCount64() < end) {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(5);
  }
}

// One line for the script; exit code 1 when the list did not get every file.
inline int Report(double ms, int listed, int expected) {
  std::printf("ms=%.1f listed=%d expected=%d\n", ms, listed, expected);
  return listed == expected ? 0 : 1;
}

}  // namespace bench
