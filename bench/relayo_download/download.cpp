// Downloads one address the way relayo fetches a listed file (a session,
// the download past the cache into a temporary file with the status and
// length checked, the move into place) `runs` times after one download that
// is not counted, and prints the seconds of each, a line each.
//   ks_bench_relayo_download URL TARGET RUNS
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/win32/machine.h"
#include "updater/Form1.h"
#include "updater/relayo_state.h"

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s URL TARGET RUNS\n", argv[0]);
    return 2;
  }
  ks::win32::Win32Machine machine;
  ks::relayo::RelayoState state(machine);
  ks::relayo::Form1 form(state);
  const int runs = std::atoi(argv[3]);
  // The first download maps the system DLLs and opens the first connection.
  for (int i = 0; i <= runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    if (!form.DownloadInto(argv[1], argv[2])) {
      std::fprintf(stderr, "download failed\n");
      return 1;
    }
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (i > 0) std::printf("%.4f\n", s);
  }
  return 0;
}
