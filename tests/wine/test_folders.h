// Folders of the Wine tests: the build and source trees CTest names in the
// environment, as Windows paths (Wine shows / as Z:\), and fresh folders of
// the tests' own in the temp folder.
#pragma once

#include <chrono>
#include <cstdlib>
#include <string>

#include "platform/files.h"

namespace ks::test {

// "" when the variable is not set.
inline std::string FolderFromEnv(const char* name) {
  const char* dir = std::getenv(name);
  if (!dir || !*dir) return "";
  std::string path = std::string("Z:") + dir;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

// A path in the temp folder that no earlier run used: "<temp>\ks_<what>_<clock>".
inline std::string FreshTempPath(platform::Files& files, const std::string& what) {
  return files.TempFolder() + "\\ks_" + what + "_" +
         std::to_string(std::chrono::steady_clock::now().time_since_epoch().count() % 1000000000);
}

}  // namespace ks::test
