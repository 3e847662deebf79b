// Under Wine the contract runs against the real registry, below a key that
// is fresh for this run and removed at the end.
#include <gtest/gtest.h>

#include <chrono>

#include "contract/contract.h"
#include "platform/win32/d3d8.h"
#include "platform/win32/machine.h"
#include "ui/win32/picture.h"
#include "wine/test_folders.h"

namespace ks::test {

namespace {
std::string RunKey() {
  static const std::string key =
      "Software\\KestrelaneTest\\run" +
      std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
  return key;
}

class CleanUp : public ::testing::Environment {
 public:
  void TearDown() override { win32::Win32Registry().DeleteTree(platform::kHkeyCurrentUser, RunKey()); }
};
const auto* const kCleanUp = ::testing::AddGlobalTestEnvironment(new CleanUp);
}  // namespace

std::unique_ptr<platform::Platform> MakeContractMachine() { return std::make_unique<win32::Win32Machine>(); }
std::unique_ptr<platform::Direct3D8> MakeContractDirect3D() { return std::make_unique<win32::Win32Direct3D8>(); }
std::string ContractScratchKey() { return RunKey(); }
std::string ContractScratchFolder(platform::Files& files) {
  static int n = 0;
  std::string folder = files.TempFolder() + "\\kstest" +
                       std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + "_" +
                       std::to_string(++n);
  files.CreateFolder(folder);
  return folder;
}
bool ContractLoadsPicture(const std::string& bytes) { return ui::win32::Picture::Decode(bytes) != nullptr; }
std::string ContractDataFile(const std::string& relative) {
  const std::string source = FolderFromEnv("KS_SOURCE_DIR");
  if (source.empty()) return "";
  std::string path = source + "\\data\\" + relative;
  for (char& c : path)
    if (c == '/') c = '\\';
  std::string bytes;
  win32::Win32Files().ReadFile(path, &bytes);
  return bytes;
}

}  // namespace ks::test
