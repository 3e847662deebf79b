// The floor: each file copied into the backup folder with CopyFileA, then
// deleted with DeleteFileA. Prints the milliseconds the pass took.
#include "bench/cleaner/common.h"

int main() {
  return bench::TimedPass("plain", [](const std::string&) {
    return [](const std::string& path, const std::string& copy) {
      return CopyFileA(path.c_str(), copy.c_str(), FALSE) && DeleteFileA(path.c_str());
    };
  });
}
