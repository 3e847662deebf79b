// pvx's way: each file backed up with its index (both put in place flushed,
// the index checked by reading it back) and deleted, as "Delete all files"
// does with the backup switch on. Prints the milliseconds the pass took.
#include "bench/cleaner/common.h"
#include "cleaner/backup.h"
#include "platform/win32/files.h"

int main() {
  ks::win32::Win32Files files;
  return bench::TimedPass("pvx", [&files](const std::string& root) {
    // The folder's names are read once, inside the timed pass, as Delete all does.
    return [run = ks::BackupRun(files, root + "\\backup")](const std::string& path, const std::string&) mutable {
      return run.Delete(path, true) == ks::DeleteOutcome::kDeleted;
    };
  });
}
