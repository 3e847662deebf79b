// KestrelaneSE.exe itself under Wine, from an installation folder laid out
// in the prefix's temporary folder: start-up writes "Version" and the
// ".ksp" file type into the real registry; with a preset path on its
// command line it ends by itself without ever showing a window.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/win32/machine.h"
#include "platform/win32/win.h"
#include "shell/basRegistry.h"

namespace ks {
namespace {

// A Unix folder from the environment as a Windows path (Wine maps / to Z:\).
std::string FolderFromEnv(const char* name) {
  const char* dir = std::getenv(name);
  if (!dir || !*dir) return "";
  std::string path = std::string("Z:") + dir;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

struct VisibleWindowSearch {
  DWORD pid;
  bool found = false;
  std::string title;
};

BOOL CALLBACK FindVisibleWindow(HWND hwnd, LPARAM lp) {
  auto* search = reinterpret_cast<VisibleWindowSearch*>(lp);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner != search->pid || !IsWindowVisible(hwnd)) return TRUE;
  char title[256] = {};
  GetWindowTextA(hwnd, title, sizeof(title));
  search->found = true;
  search->title = title;
  return FALSE;
}

class KestrelaneProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string build = FolderFromEnv("KS_BUILD_DIR");
    const std::string source = FolderFromEnv("KS_SOURCE_DIR");
    if (build.empty() || source.empty()) GTEST_SKIP() << "KS_BUILD_DIR / KS_SOURCE_DIR not set";
    auto& fs = machine_.fs;
    install_ = fs.TempFolder() + "\\ks_se_" +
               std::to_string(std::chrono::steady_clock::now().time_since_epoch().count() % 1000000000);
    ASSERT_TRUE(fs.CreateFolder(install_));
    ASSERT_TRUE(fs.CopyFile(build + "\\programs\\KestrelaneSE\\KestrelaneSE.exe", install_ + "\\KestrelaneSE.exe"));
    for (const char* folder : {"\\DATA", "\\DATA\\LANGUAGE", "\\data\\hs", "\\data\\hs\\pic"})
      fs.CreateFolder(install_ + folder);
    ASSERT_TRUE(fs.CopyFile(source + "\\data\\LANGUAGE\\en.dat", install_ + "\\DATA\\LANGUAGE\\en.dat"));
    fs.CopyFile(source + "\\data\\hs\\pic\\ps.jpg", install_ + "\\data\\hs\\pic\\ps.jpg");
    reg_.DeleteRegValue(kHkeyCurrentUser, kProductKey, "Version");
    reg_.DeleteRegValue(kHkeyCurrentUser, kProductKey, "LVP");
  }

  std::string Exe() const { return install_ + "\\KestrelaneSE.exe"; }

  // Starts the program; waits up to `ms` for it to end, noting whether it
  // ever showed a window. True when it ended.
  bool RunToEnd(const std::string& arguments, int ms, bool* showed_window) {
    auto& proc = machine_.proc;
    std::string line = platform::QuotedProgram(Exe());
    line += ' ';
    line += arguments;
    const std::uint32_t pid = proc.StartProgram(line, platform::WindowStyle::kNormalFocus);
    if (pid == 0) return false;
    platform::ScopedProcess h(proc, proc.OpenProcess(platform::kSynchronize, pid));
    for (int waited = 0; waited < ms; waited += 20) {
      VisibleWindowSearch search{pid, false, ""};
      EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
      if (search.found) *showed_window = true;
      if (proc.WaitForSingleObject(h.get(), 20) == platform::kWaitObject0) return true;
    }
    return false;
  }

  std::string DefaultValue(const std::string& key) {
    return reg_.ReadRegValue(kHkeyClassesRoot, key, "").AsText();
  }

  win32::Win32Machine machine_;
  BasRegistry reg_{machine_.reg};
  std::string install_;
};

TEST_F(KestrelaneProgram, PresetCommandLineEndsByItselfWithoutAWindow) {
  bool showed = false;
  ASSERT_TRUE(RunToEnd("C:\\My Presets\\fast one.ksp", 60000, &showed)) << "the program did not end by itself";
  EXPECT_FALSE(showed) << "a window was shown on the preset road";
  EXPECT_EQ(reg_.ReadRegValue(kHkeyCurrentUser, kProductKey, "Version").AsText(), "353");
  EXPECT_EQ(DefaultValue(".ksp"), "KestrelaneSE");
  EXPECT_EQ(DefaultValue("KestrelaneSE"), "KestrelaneSE secure preset file");
  EXPECT_EQ(DefaultValue("KestrelaneSE\\Shell\\open\\command"), platform::QuotedProgram(Exe()) + " %1");
  EXPECT_EQ(DefaultValue("KestrelaneSE\\DefaultIcon"), Exe() + ",0");
}

}  // namespace
}  // namespace ks
