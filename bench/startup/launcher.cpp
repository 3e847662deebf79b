// Times program starts inside one Wine server, alternating the program under
// test with its floor, and prints minimum, median and maximum of each and
// the ratio of the medians.
//
//   ks_bench_launcher window <runs> <program> <floor>
//       from process start until the program has a visible top-level
//       window; the launcher then closes it.
//   ks_bench_launcher exit <runs> <program> <floor>
//       from process start until the process has ended by itself.
//
// <program> and <floor> are whole command lines.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Search {
  DWORD pid;
  HWND found;
  bool reported;
};

BOOL CALLBACK FindVisible(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner != s->pid || !IsWindowVisible(hwnd)) return TRUE;
  char cls[64] = {};
  GetClassNameA(hwnd, cls, sizeof(cls));
  if (std::string(cls) == "#32770") {
    // A message box is not the main window: say what it asks, once.
    if (!s->reported) {
      s->reported = true;
      EnumChildWindows(
          hwnd,
          [](HWND child, LPARAM) -> BOOL {
            char text[512] = {};
            GetWindowTextA(child, text, sizeof(text));
            if (*text) std::fprintf(stderr, "  message box: %s\n", text);
            return TRUE;
          },
          0);
    }
    return TRUE;
  }
  s->found = hwnd;
  return FALSE;
}

BOOL CALLBACK ReportDialogs(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  char cls[64] = {};
  GetClassNameA(hwnd, cls, sizeof(cls));
  if (owner == s->pid && IsWindowVisible(hwnd) && std::string(cls) == "#32770") FindVisible(hwnd, lp);
  return TRUE;
}

double NowMs() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return 1000.0 * static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

// One start; negative when the program did not get there in 30 s.
double TimeOne(const std::string& command, bool window) {
  STARTUPINFOA si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  std::string line = command;
  const double t0 = NowMs();
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
  double elapsed = -1;
  if (window) {
    Search s{pi.dwProcessId, nullptr, false};
    while (NowMs() - t0 < 30000) {
      EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&s));
      if (s.found) {
        elapsed = NowMs() - t0;
        break;
      }
      if (WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) break;
      Sleep(1);
    }
    if (s.found) PostMessageA(s.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
  } else {
    if (WaitForSingleObject(pi.hProcess, 30000) == WAIT_OBJECT_0) {
      elapsed = NowMs() - t0;
    } else {
      Search s{pi.dwProcessId, nullptr, false};
      EnumWindows(ReportDialogs, reinterpret_cast<LPARAM>(&s));
      TerminateProcess(pi.hProcess, 1);
    }
  }
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return elapsed;
}

void Print(const char* name, std::vector<double> v) {
  std::sort(v.begin(), v.end());
  std::printf("  %-10s min %8.1f ms  median %8.1f ms  max %8.1f ms\n", name, v.front(), v[v.size() / 2], v.back());
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: ks_bench_launcher window|exit <runs> <program> <floor>\n");
    return 2;
  }
  const bool window = std::string(argv[1]) == "window";
  const int runs = std::max(1, std::atoi(argv[2]));
  // One warm-up start of each, not counted: the first start loads the DLLs.
  TimeOne(argv[3], window);
  TimeOne(argv[4], window);
  std::vector<double> program, floor;
  for (int i = 0; i < runs; ++i) {
    const double a = TimeOne(argv[3], window);
    const double b = TimeOne(argv[4], window);
    if (a < 0 || b < 0) {
      std::fprintf(stderr, "run %d: a program did not %s\n", i, window ? "show a window" : "end");
      return 1;
    }
    program.push_back(a);
    floor.push_back(b);
  }
  Print("program", program);
  Print("floor", floor);
  std::vector<double> ratios;
  for (int i = 0; i < runs; ++i) ratios.push_back(program[i] / floor[i]);
  std::sort(ratios.begin(), ratios.end());
  std::printf("  ratio      min %8.2f     median %8.2f     max %8.2f   (median/median %.2f)\n", ratios.front(),
              ratios[ratios.size() / 2], ratios.back(), Median(program) / Median(floor));
  return 0;
}
