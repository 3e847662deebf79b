// What both sides of the cleaner benchmark share: the same 1,000 files in
// a fresh folder, and the clock.
#pragma once

#include <cstdio>
#include <string>

#include "bench/clock.h"
#include "platform/win32/win.h"

namespace bench {

inline constexpr int kFiles = 1000;
inline constexpr int kFileBytes = 24 * 1024;

// A fresh folder with "src" holding the files and an empty "backup".
inline std::string MakeFiles(const char* side) {
  char temp[MAX_PATH + 1] = {};
  GetTempPathA(sizeof(temp), temp);
  const std::string root = std::string(temp) + "ks_bench_cleaner_" + side + "_" + std::to_string(GetTickCount());
  CreateDirectoryA(root.c_str(), nullptr);
  CreateDirectoryA((root + "\\src").c_str(), nullptr);
  CreateDirectoryA((root + "\\backup").c_str(), nullptr);
  std::string bytes(kFileBytes, '\0');
  for (int i = 0; i < kFileBytes; ++i) bytes[i] = static_cast<char>(i * 31 + 7);
  for (int i = 0; i < kFiles; ++i) {
    const std::string path = root + "\\src\\nvfile" + std::to_string(i) + ".dll";
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD put = 0;
    WriteFile(h, bytes.data(), kFileBytes, &put, nullptr);
    CloseHandle(h);
  }
  return root;
}

inline std::string FileName(int i) { return "nvfile" + std::to_string(i) + ".dll"; }

// Removes the folder and what is left in it.
inline void Remove(const std::string& root) {
  for (const char* sub : {"\\src", "\\backup"}) {
    WIN32_FIND_DATAA data;
    const std::string folder = root + sub;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
          DeleteFileA((folder + "\\" + data.cFileName).c_str());
      } while (FindNextFileA(find, &data));
      FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
  }
  RemoveDirectoryA(root.c_str());
}

// The timed pass of one side over fresh files: `make(root)` is called once
// the clock runs and gives the step, called as step(path, backup_path) for
// every file and true when the file was handled. Prints the milliseconds
// and the failures; the exit code is 1 when any file failed.
template <class MakeStep>
int TimedPass(const char* side, MakeStep make) {
  const std::string root = MakeFiles(side);
  Clock clock;
  auto step = make(root);
  int failed = 0;
  for (int i = 0; i < kFiles; ++i) {
    const std::string name = FileName(i);
    if (!step(root + "\\src\\" + name, root + "\\backup\\" + name)) ++failed;
  }
  const double ms = clock.Ms();
  Remove(root);
  std::printf("ms=%.1f failed=%d\n", ms, failed);
  return failed == 0 ? 0 : 1;
}

}  // namespace bench
