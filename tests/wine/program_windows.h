// The windows of a program a Wine test started: its visible top-level
// windows, their titles and classes, and how soon one answers.
#pragma once

#include <chrono>
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

// Milliseconds a window takes to answer a message; -1 when it did not
// within `limit_ms`.
inline int AnswerMs(HWND hwnd, int limit_ms) {
  const auto start = std::chrono::steady_clock::now();
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, static_cast<UINT>(limit_ms), &result)) return -1;
  return static_cast<int>(
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count());
}

}  // namespace ks::test
