// The floor of the download benchmark: URLDownloadToFileA alone, with no
// callback, no session and no temporary file, `runs` times after one
// download that is not counted (it maps the DLLs and opens the first
// connection); prints the seconds of each, a line each. Like relayo's, each
// counted download replaces the copy the one before left, at the target and
// in the cache.
//   ks_bench_bare_download URL TARGET RUNS
#include <windows.h>
#include <urlmon.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s URL TARGET RUNS\n", argv[0]);
    return 2;
  }
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const int runs = std::atoi(argv[3]);
  for (int i = 0; i <= runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    if (FAILED(URLDownloadToFileA(nullptr, argv[1], argv[2], 0, nullptr))) {
      std::fprintf(stderr, "download failed\n");
      return 1;
    }
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (i > 0) std::printf("%.4f\n", s);
  }
  CoUninitialize();
  return 0;
}
