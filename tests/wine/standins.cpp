// The stand-in DLLs under Wine: the build puts them in "standins" beside
// the test program; they are copied into the prefix's system folder.
#include <gtest/gtest.h>

#include "contract/standins.h"

namespace ks::test {

void InstallStandIns(platform::Platform& machine) {
  std::string from = machine.files().ProgramFolder() + "\\standins\\";
  std::string to = machine.system().GetSystemDirectory() + "\\";
  for (const char* name : kStandIns) {
    std::string dll = std::string(name) + ".dll";
    ASSERT_TRUE(machine.files().CopyFile(from + dll, to + dll)) << from + dll << " -> " << to + dll;
  }
}

}  // namespace ks::test
