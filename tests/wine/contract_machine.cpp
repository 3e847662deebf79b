// Under Wine the contract runs against the real registry, below a key that
// is fresh for this run and removed at the end.
#include <gtest/gtest.h>

#include <chrono>

#include "contract/contract.h"
#include "platform/win32/d3d8.h"
#include "platform/win32/machine.h"
#include "ui/win32/picture.h"
#include "ui/win32/renderer.h"
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
ContractLinks MakeContractLinks(platform::Platform& machine) {
  const std::string folder = "C:\\ks_links\\syslink";
  if (!machine.files().GetFileAttributes(folder)) return {};
  // Wine shows a Unix link to a file as the file itself (no reparse point,
  // the target's attributes and index), where Windows shows a symbolic link
  // to a file as a reparse point: only the folder link is Windows's here.
  return {folder, ""};
}
bool ContractLoadsPicture(const std::string& bytes) { return ui::win32::Picture::Decode(bytes, ui::win32::ScreenScale()) != nullptr; }
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

namespace {
// The folder the loopback server serves (KS_RELAYO_SITE's "site", see
// tests/wine/relayo_site.sh), one subfolder per test.
class LoopbackSite : public ContractSite {
 public:
  LoopbackSite(platform::Files& files, const std::string& run) : files_(files) {
    static int n = 0;
    const std::string name = std::to_string(++n);
    files_.CreateFolder(run + "\\site");
    files_.CreateFolder(run + "\\site\\contract");
    folder_ = run + "\\site\\contract\\" + name;
    files_.CreateFolder(folder_);
    base_ = "http://127.0.0.1/contract/" + name + "/";
  }
  std::string Base() override { return base_; }
  void Serve(const std::string& name, const std::string& bytes) override {
    files_.WriteFile(folder_ + "\\" + name, bytes);
  }
  // The server reads NAME.cut beside the page (tests/wine/site_server.py).
  void CutAfter(const std::string& name, std::size_t sent) override {
    files_.WriteFile(folder_ + "\\" + name + ".cut", std::to_string(sent));
  }
  // And NAME.answer (tests/wine/site_server.py).
  void Frame(const std::string& name, Answer answer) override {
    const char* word = "";
    switch (answer) {
      case Answer::kNoLength: word = "nolength"; break;
      case Answer::kChunked: word = "chunked"; break;
      case Answer::kChunkedAndLength: word = "chunked-length"; break;
      case Answer::kTwoLengths: word = "two-lengths"; break;
      case Answer::kCompressed: word = "gzip"; break;
      case Answer::kBrokenCompressed: word = "broken-gzip"; break;
      case Answer::kBrokenChunked: word = "broken-chunked"; break;
      case Answer::kOneByteOver: word = "over"; break;
      case Answer::kNoContent: word = "204"; break;
      case Answer::kPartialContent: word = "206"; break;
      case Answer::kCodedAndChunked: word = "gzip-chunked"; break;
      case Answer::kSlow: word = "slow"; break;
    }
    files_.WriteFile(folder_ + "\\" + name + ".answer", word);
  }
  // And NAME.stall.
  void StallAfter(const std::string& name, std::size_t sent) override {
    files_.WriteFile(folder_ + "\\" + name + ".stall", std::to_string(sent));
  }
  std::string Unreachable() override { return "http://127.0.0.1:1/x"; }

 private:
  platform::Files& files_;
  std::string folder_, base_;
};
}  // namespace

std::unique_ptr<ContractSite> MakeContractSite(platform::Platform& machine) {
  const std::string run = FolderFromEnv("KS_RELAYO_SITE");
  if (run.empty()) return nullptr;
  return std::make_unique<LoopbackSite>(machine.files(), run);
}

}  // namespace ks::test
