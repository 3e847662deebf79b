// Times program starts inside one Wine server, alternating the program under
// test with its floor (and a reference, when one is given), and prints
// minimum, median and maximum of each and the ratios run by run.
//
//   ks_bench_launcher window <runs> <program> <floor> [<reference>]
//       from process start until the program has a visible top-level
//       window; the launcher then closes it.
//   ks_bench_launcher exit <runs> <program> <floor> [<reference>]
//       from process start until the process has ended by itself.
//
// <program>, <floor> and <reference> are whole command lines. With a
// reference the launcher prints three ratios: program/floor,
// reference/floor and program/reference.
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

// The ratios of the runs (each start against the one beside it) and of the medians.
void PrintRatio(const char* name, const std::vector<double>& over, const std::vector<double>& under) {
  std::vector<double> ratios;
  for (size_t i = 0; i < over.size(); ++i) ratios.push_back(over[i] / under[i]);
  std::sort(ratios.begin(), ratios.end());
  std::printf("  %-18s min %6.2f  median %6.2f  max %6.2f   (median/median %.2f)\n", name, ratios.front(),
              ratios[ratios.size() / 2], ratios.back(), Median(over) / Median(under));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5 && argc != 6) {
    std::fprintf(stderr, "usage: ks_bench_launcher window|exit <runs> <program> <floor> [<reference>]\n");
    return 2;
  }
  const bool window = std::string(argv[1]) == "window";
  const int runs = std::max(1, std::atoi(argv[2]));
  std::vector<std::string> commands(argv + 3, argv + argc);
  // One warm-up start of each, not counted: the first start loads the DLLs.
  for (const std::string& command : commands) TimeOne(command, window);
  std::vector<std::vector<double>> times(commands.size());
  for (int i = 0; i < runs; ++i) {
    for (size_t k = 0; k < commands.size(); ++k) {
      const double t = TimeOne(commands[k], window);
      if (t < 0) {
        std::fprintf(stderr, "run %d: a program did not %s\n", i, window ? "show a window" : "end");
        return 1;
      }
      times[k].push_back(t);
    }
  }
  static constexpr const char* kNames[] = {"program", "floor", "reference"};
  for (size_t k = 0; k < commands.size(); ++k) Print(kNames[k], times[k]);
  PrintRatio("program/floor", times[0], times[1]);
  if (commands.size() == 3) {
    PrintRatio("reference/floor", times[2], times[1]);
    PrintRatio("program/reference", times[0], times[2]);
  }
  return 0;
}
