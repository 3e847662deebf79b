// The floor: each file copied into the backup folder with CopyFileA, then
// deleted with DeleteFileA. Prints the milliseconds the pass took.
#include "bench/cleaner/common.h"

int main() {
  const std::string root = bench::MakeFiles("plain");
  bench::Clock clock;
  int failed = 0;
  for (int i = 0; i < bench::kFiles; ++i) {
    const std::string name = bench::FileName(i);
    const std::string path = root + "\\src\\" + name;
    if (!CopyFileA(path.c_str(), (root + "\\backup\\" + name).c_str(), FALSE) || !DeleteFileA(path.c_str())) ++failed;
  }
  const double ms = clock.Ms();
  bench::Remove(root);
  std::printf("ms=%.1f failed=%d\n", ms, failed);
  return failed == 0 ? 0 : 1;
}
