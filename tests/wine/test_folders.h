// Folders of the Wine tests: the build and source trees CTest names in the
// environment, as Windows paths (Wine shows / as Z:\), fresh folders of
// the tests' own in the temp folder, and a program's installation folder
// laid out in one of them.
#pragma once

#include <chrono>
#include <cstdlib>
#include <initializer_list>
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

// What an installation folder holds, by path inside it.
struct Installation {
  // Programs of the build tree ("programs\\pvx\\pvx.exe"), copied into
  // the folder itself under their file names.
  std::initializer_list<const char*> programs;
  // Subfolders made in this order, parents first ("\\DATA", "\\DATA\\LANGUAGE").
  std::initializer_list<const char*> folders;
  // Files of the source tree's data folder ("LANGUAGE\\en.dat"), copied to
  // the same place under the folder's DATA.
  std::initializer_list<const char*> data_files;
};

// Makes `folder` and lays `what` out in it. "" when all of it is there, else
// what could not be made (the steps after it are not taken).
inline std::string LayOutInstallation(platform::Files& files, const std::string& folder, const std::string& build,
                                      const std::string& source, const Installation& what) {
  if (!files.CreateFolder(folder)) return "the folder " + folder;
  for (const std::string program : what.programs) {
    const std::string name = program.substr(program.rfind('\\') + 1);
    if (!files.CopyFile(build + "\\" + program, folder + "\\" + name)) return "the program " + program;
  }
  for (const char* sub : what.folders)
    if (!files.CreateFolder(folder + sub)) return std::string("the folder ") + sub;
  for (const std::string file : what.data_files)
    if (!files.CopyFile(source + "\\data\\" + file, folder + "\\DATA\\" + file)) return "the data file " + file;
  return "";
}

}  // namespace ks::test
