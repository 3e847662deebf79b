// The windows of a program a Wine test started: its visible top-level
// windows, and their titles and classes.
#pragma once

#include <string>
#include <vector>

#include <windows.h>

namespace ks::test {

// The visible top-level windows of process `pid`, topmost first.
inline std::vector<HWND> ShownWindowsOf(DWORD pid) {
  struct Search {
    DWORD pid;
    std::vector<HWND> found;
  } search{pid, {}};
  EnumWindows(
      [](HWND hwnd, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner == s->pid && IsWindowVisible(hwnd)) s->found.push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The topmost visible top-level window of process `pid`, or nullptr.
inline HWND ShownWindowOf(DWORD pid) {
  const std::vector<HWND> shown = ShownWindowsOf(pid);
  return shown.empty() ? nullptr : shown.front();
}

inline std::string WindowTitle(HWND hwnd) {
  char title[256] = {};
  GetWindowTextA(hwnd, title, sizeof(title));
  return title;
}

inline std::string WindowClass(HWND hwnd) {
  char cls[64] = {};
  GetClassNameA(hwnd, cls, sizeof(cls));
  return cls;
}

}  // namespace ks::test
