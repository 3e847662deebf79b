// What both sides of the search benchmark share: the folder of files below
// the system drive's root (made by bench/cleaner_search.sh; the list row's
// files are made here), the clock, the pumping that lets a shown window
// settle, and the result line.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench/clock.h"
#include "platform/win32/win.h"

namespace bench {

// The folder below the system drive's root: the first argument.
inline std::string FolderName(int argc, char** argv) { return argc > 1 ? argv[1] : "ks_bench_search"; }
// The files it holds: the second argument.
inline int ExpectedFiles(int argc, char** argv) { return argc > 2 ? std::atoi(argv[2]) : 0; }
// "list" as the third argument: a List rule naming kListItems instead of a
// Directory rule over the whole folder.
inline bool ListRow(int argc, char** argv) { return argc > 3 && std::strcmp(argv[3], "list") == 0; }

// The system drive's root, as the rules' "SYD" code names it ("C:").
inline std::string SystemDrive() {
  char windir[MAX_PATH + 1] = {};
  GetEnvironmentVariableA("windir", windir, sizeof(windir));
  return std::string(windir).substr(0, 2);
}

// The names a shipped profile lists over both its groups: 42 items, three of
// them in subfolders.
inline constexpr const char* kListItems[] = {
    "nv4_disp.dll", "nvoglnt.dll",  "nvcpl.dll",    "nvcod.dll",    "nvcodins.dll", "nvmctray.dll",
    "nvapi.dll",    "nvsvc32.exe",  "nvdisp.nvu",   "nvudisp.exe",  "nvrsen.dll",   "nvrsde.dll",
    "nvrsfr.dll",   "nvrses.dll",   "nvrsit.dll",   "nvrsja.dll",   "nvrsko.dll",   "nvrszhc.dll",
    "nvrszht.dll",  "nvcplui.exe",  "nvuninst.exe", "drivers\\nv4_mini.sys", "dllcache\\nv4_disp.dll",
    "dllcache\\nv4_mini.sys", "nview.dll", "nwiz.exe", "nvwdmcpl.dll", "nvshell.dll", "nvhotkey.dll",
    "nvwimg.dll",   "nvwrsen.dll",  "nvwrsde.dll",  "nvwrsfr.dll",  "nvwrses.dll",  "nvwrsit.dll",
    "nvwrsja.dll",  "nvwrsko.dll",  "nvwrszhc.dll", "nvwrszht.dll", "nvtuicpl.cpl", "keystone.exe",
    "nvnrsen.dll"};
inline constexpr int kListItemCount = static_cast<int>(sizeof(kListItems) / sizeof(kListItems[0]));

// Makes the list row's files in `folder` where they are missing.
inline void MakeListFiles(const std::string& folder) {
  CreateDirectoryA(folder.c_str(), nullptr);
  CreateDirectoryA((folder + "\\drivers").c_str(), nullptr);
  CreateDirectoryA((folder + "\\dllcache").c_str(), nullptr);
  for (const char* item : kListItems) {
    HANDLE h = CreateFileA((folder + "\\" + item).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) continue;
    DWORD put = 0;
    WriteFile(h, "MZ", 2, &put, nullptr);
    CloseHandle(h);
  }
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
