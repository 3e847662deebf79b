// The bare floor for pvx's backup: per file the same file operations pvx
// must make and nothing else. The copy is made under an unfinished name,
// flushed and renamed over its final name write-through; the index line is
// written under its unfinished name, read back through the same handle,
// flushed and renamed the same way; then the file is deleted. Prints the
// milliseconds the pass took.
#include "bench/cleaner/common.h"

namespace {

bool FlushAndRename(HANDLE file, const std::string& from, const std::string& to) {
  const bool flushed = FlushFileBuffers(file) != 0;
  CloseHandle(file);
  return flushed && MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool Backup(const std::string& path, const std::string& copy) {
  const std::string unfinished = copy + ".pvxtmp";
  if (!CopyFileA(path.c_str(), unfinished.c_str(), FALSE)) return false;
  HANDLE file =
      CreateFileA(unfinished.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE || !FlushAndRename(file, unfinished, copy)) return false;

  const std::string index = copy + ".index";
  const std::string line = "\"" + path + "\"\r\n";
  file = CreateFileA((index + ".pvxtmp").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD put = 0, got = 0;
  char back[MAX_PATH + 8] = {};
  const bool written = WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &put, nullptr) &&
                       put == line.size() && SetFilePointer(file, 0, nullptr, FILE_BEGIN) == 0 &&
                       ReadFile(file, back, sizeof(back), &got, nullptr) && line.compare(0, got, back, got) == 0 &&
                       got == line.size();
  if (!written) {
    CloseHandle(file);
    return false;
  }
  return FlushAndRename(file, index + ".pvxtmp", index);
}

}  // namespace

int main() {
  return bench::TimedPass("bare", [](const std::string&) {
    return [](const std::string& path, const std::string& copy) {
      return Backup(path, copy) && DeleteFileA(path.c_str());
    };
  });
}
