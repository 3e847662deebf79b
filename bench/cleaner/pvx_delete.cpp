// pvx's way: each file backed up with its index (both put in place flushed,
// the index checked by reading it back) and deleted, as "Delete all files"
// does with the backup switch on.
// Prints the milliseconds the pass took.
#include "bench/cleaner/common.h"
#include "cleaner/backup.h"
#include "platform/win32/files.h"

int main() {
  const std::string root = bench::MakeFiles("pvx");
  ks::win32::Win32Files files;
  bench::Clock clock;
  int failed = 0;
  ks::BackupRun run(files, root + "\\backup");
  for (int i = 0; i < bench::kFiles; ++i) {
    if (run.Delete(root + "\\src\\" + bench::FileName(i), true) != ks::DeleteOutcome::kDeleted) ++failed;
  }
  const double ms = clock.Ms();
  bench::Remove(root);
  std::printf("ms=%.1f failed=%d\n", ms, failed);
  return failed == 0 ? 0 : 1;
}
