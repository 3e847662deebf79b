// KestrelaneSE.exe itself under Wine, from an installation folder laid out
// in the prefix's temporary folder: start-up writes "Version" and the
// ".ksp" file type into the real registry; with a preset path on its
// command line it ends by itself without ever showing a window.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win32/machine.h"
#include "platform/win32/win.h"
#include "common/basRegistry.h"
#include "contract/picture_files.h"
#include "ui/win32/screenshot.h"
#include "wine/program_windows.h"
#include "wine/test_folders.h"

namespace ks {
namespace {

// A Unix folder from the environment as a Windows path (Wine maps / to Z:\).
using test::FolderFromEnv;
using test::FreshTempPath;

// Writes what the window shows on screen as a 24-bit BMP file; returns the
// number of distinct colours seen (1 for a blank window, 0 on failure).
int SaveWindowPicture(HWND hwnd, const std::string& path) {
  ui::win32::WindowPicture picture;
  if (!ui::win32::CaptureWindow(hwnd, &picture)) return 0;
  win32::Win32Files().WriteFile(path, picture.bmp);
  std::vector<std::uint32_t> colours;
  for (int y = 0; y < picture.height; y += 7) {
    for (int x = 0; x < picture.width; x += 7) {
      const auto* p = reinterpret_cast<const unsigned char*>(picture.pixels.data()) + y * picture.stride + x * 3;
      const std::uint32_t c = p[0] | p[1] << 8 | p[2] << 16;
      if (std::find(colours.begin(), colours.end(), c) == colours.end()) colours.push_back(c);
    }
  }
  return static_cast<int>(colours.size());
}

class KestrelaneProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string build = FolderFromEnv("KS_BUILD_DIR");
    const std::string source = FolderFromEnv("KS_SOURCE_DIR");
    if (build.empty() || source.empty()) GTEST_SKIP() << "KS_BUILD_DIR / KS_SOURCE_DIR not set";
    auto& fs = machine_.fs;
    install_ = FreshTempPath(fs, "se");
    ASSERT_EQ(test::LayOutInstallation(fs, install_, build, source,
                                       {{"programs\\KestrelaneSE\\KestrelaneSE.exe"},
                                        {"\\DATA", "\\DATA\\LANGUAGE", "\\DATA\\hs", "\\DATA\\hs\\pic"},
                                        {"LANGUAGE\\en.dat", "hs\\pic\\ps.jpg"}}),
              "");
    reg_.DeleteRegValue(kHkeyCurrentUser, kProductKey, "Version");
    reg_.DeleteRegValue(kHkeyCurrentUser, kProductKey, "LVP");
  }

  std::string Exe() const { return install_ + "\\KestrelaneSE.exe"; }

  // Starts the program on the page of the LOD bias title with the help
  // system on, opens the help window over that title and clicks its first
  // option; both windows answer within a second all along, and the process
  // stays small. The program is closed at the end.
  void ShowTheHelpPictureWhileTheWindowsAnswer();

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
      if (test::ShownWindowOf(pid)) *showed_window = true;
      if (proc.WaitForSingleObject(h.get(), 20) == platform::kWaitObject0) return true;
    }
    return false;
  }

  std::string DefaultValue(const std::string& key) {
    return reg_.ReadRegValue(kHkeyClassesRoot, key, "").AsText();
  }

  // The build tree, as a Windows path.
  static std::string BuildFolder() { return FolderFromEnv("KS_BUILD_DIR"); }

  win32::Win32Machine machine_;
  BasRegistry reg_{machine_.reg};
  std::string install_;
};

TEST_F(KestrelaneProgram, PresetCommandLineEndsByItselfWithoutAWindow) {
  // A preset in a folder with blanks, given unquoted: the whole rest of the
  // command line is the path.
  ASSERT_TRUE(machine_.fs.CreateFolder(install_ + "\\DATA\\My Presets"));
  const std::string preset = install_ + "\\DATA\\My Presets\\fast one.ksp";
  ASSERT_TRUE(machine_.fs.WriteFile(preset, "\"ksp\"\r\n\"999\"\r\n\"0\"\r\n\"0\"\r\n"));
  bool showed = false;
  ASSERT_TRUE(RunToEnd(preset, 60000, &showed)) << "the program did not end by itself";
  EXPECT_FALSE(showed) << "a window was shown on the preset road";
  EXPECT_EQ(reg_.ReadRegValue(kHkeyCurrentUser, kProductKey, "Version").AsText(), "353");
  EXPECT_EQ(DefaultValue(".ksp"), "KestrelaneSE");
  EXPECT_EQ(DefaultValue("KestrelaneSE"), "KestrelaneSE secure preset file");
  EXPECT_EQ(DefaultValue("KestrelaneSE\\Shell\\open\\command"), platform::QuotedProgram(Exe()) + " %1");
  EXPECT_EQ(DefaultValue("KestrelaneSE\\DefaultIcon"), Exe() + ",0");
}

TEST_F(KestrelaneProgram, StartsWithItsMainWindowAndEndsWhenItIsClosed) {
  auto& proc = machine_.proc;
  const std::uint32_t pid = proc.StartProgram(platform::QuotedProgram(Exe()), platform::WindowStyle::kNormalFocus);
  ASSERT_NE(pid, 0u);
  platform::ScopedProcess h(proc, proc.OpenProcess(platform::kSynchronize, pid));
  HWND window = nullptr;
  for (int waited = 0; waited < 30000 && !window; waited += 50) {
    if (proc.WaitForSingleObject(h.get(), 50) == platform::kWaitObject0) break;
    window = test::ShownWindowOf(pid);
  }
  ASSERT_NE(window, nullptr) << "no window appeared";
  EXPECT_EQ(test::WindowTitle(window), "Kestrelane SE Build 5");
  Sleep(1500);  // let the window paint
  const std::string picture = BuildFolder() + "\\kestrelane_main_window.bmp";
  EXPECT_GT(SaveWindowPicture(window, picture), 3) << "the window shows nothing";
  EXPECT_EQ(reg_.ReadRegValue(kHkeyCurrentUser, kProductKey, "Version").AsText(), "353");
  EXPECT_EQ(DefaultValue(".ksp"), "KestrelaneSE");
  EXPECT_EQ(DefaultValue("KestrelaneSE\\Shell\\open\\command"), platform::QuotedProgram(Exe()) + " %1");

  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(proc.WaitForSingleObject(h.get(), 30000), platform::kWaitObject0) << "closing did not end the program";
  EXPECT_FALSE(reg_.RegKeyExists(kHkeyCurrentUser, kProductKey) &&
               !reg_.ReadRegValue(kHkeyCurrentUser, kProductKey, "LVP").IsEmpty())
      << "the last page is not remembered unless asked";
}

// The first child window of `parent` of this class whose text starts
// with `text`; nullptr when none.
HWND ChildWithText(HWND parent, const char* cls, const std::string& text) {
  struct Search {
    const char* cls;
    const std::string& text;
    HWND found;
  } search{cls, text, nullptr};
  EnumChildWindows(
      parent,
      [](HWND hwnd, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        char title[256] = {};
        GetWindowTextA(hwnd, title, sizeof(title));
        if (lstrcmpiA(test::WindowClass(hwnd).c_str(), s->cls) != 0 || std::string(title).rfind(s->text, 0) != 0)
          return TRUE;
        s->found = hwnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The most memory the process has committed so far, in bytes; 0 when it
// cannot be read.
size_t PeakCommitted(DWORD pid) {
  struct Counters {
    DWORD cb;
    DWORD PageFaultCount;
    SIZE_T PeakWorkingSetSize, WorkingSetSize, QuotaPeakPagedPoolUsage, QuotaPagedPoolUsage,
        QuotaPeakNonPagedPoolUsage, QuotaNonPagedPoolUsage, PagefileUsage, PeakPagefileUsage;
  } counters{};
  counters.cb = sizeof(counters);
  using Query = BOOL(WINAPI*)(HANDLE, Counters*, DWORD);
  const FARPROC found = GetProcAddress(GetModuleHandleA("kernel32.dll"), "K32GetProcessMemoryInfo");
  const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(found));
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  const bool read = query && process && query(process, &counters, sizeof(counters));
  if (process) CloseHandle(process);
  return read ? counters.PeakPagefileUsage : 0;
}

void KestrelaneProgram::ShowTheHelpPictureWhileTheWindowsAnswer() {
  reg_.WriteRegValue(kHkeyCurrentUser, kProductKey, "HelpSystem", 1);
  reg_.WriteRegValue(kHkeyCurrentUser, kProductKey, "LVP", 6);  // start on the page of the LOD bias title
  auto& proc = machine_.proc;
  const std::uint32_t pid = proc.StartProgram(platform::QuotedProgram(Exe()), platform::WindowStyle::kNormalFocus);
  ASSERT_NE(pid, 0u);
  platform::ScopedProcess h(proc, proc.OpenProcess(platform::kSynchronize, pid));
  // A program left hanging by a failed step is ended.
  struct EndIfRunning {
    DWORD pid;
    ~EndIfRunning() {
      if (HANDLE p = OpenProcess(PROCESS_TERMINATE, FALSE, pid)) {
        TerminateProcess(p, 1);
        CloseHandle(p);
      }
    }
  } end_if_running{pid};
  HWND window = nullptr;
  for (int waited = 0; waited < 30000 && !window; waited += 50) {
    if (proc.WaitForSingleObject(h.get(), 50) == platform::kWaitObject0) break;
    for (HWND shown : test::ShownWindowsOf(pid))
      if (test::WindowTitle(shown).rfind("Kestrelane SE", 0) == 0) window = shown;
  }
  ASSERT_NE(window, nullptr) << "no window appeared";
  const int main_ms = test::AnswerMs(window, 5000);
  EXPECT_GE(main_ms, 0) << "the main window does not answer";
  EXPECT_LT(main_ms, 1000);

  // The pointer over the LOD bias title opens the help window.
  HWND title = nullptr;
  for (int waited = 0; waited < 10000 && !title; waited += 50) {
    title = ChildWithText(window, "Static", "Texture LOD bias");
    if (!title) Sleep(50);
  }
  ASSERT_NE(title, nullptr) << "the LOD bias title is not on the page";
  PostMessageA(title, WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
  HWND help = nullptr;
  for (int waited = 0; waited < 10000 && !help; waited += 50) {
    Sleep(50);
    for (HWND shown : test::ShownWindowsOf(pid))
      if (test::WindowTitle(shown) == "Help System") help = shown;
  }
  ASSERT_NE(help, nullptr) << "the help window did not open";
  HWND negative = ChildWithText(help, "Button", "Negative values");
  ASSERT_NE(negative, nullptr);
  DWORD_PTR clicked = 0;
  EXPECT_NE(SendMessageTimeoutA(negative, BM_CLICK, 0, 0, SMTO_NORMAL, 5000, &clicked), 0) << "the click hangs";
  Sleep(300);  // what the click changed is drawn
  for (HWND answering : {help, window}) {
    const int ms = test::AnswerMs(answering, 5000);
    EXPECT_GE(ms, 0) << test::WindowTitle(answering) << " does not answer";
    EXPECT_LT(ms, 1000) << test::WindowTitle(answering);
  }
  EXPECT_EQ(SendMessageA(negative, BM_GETCHECK, 0, 0), BST_CHECKED) << "the click reached the help window";
  const size_t peak = PeakCommitted(pid);
  EXPECT_GT(peak, 0u) << "the process's memory could not be read";
  EXPECT_LT(peak, size_t{256} << 20) << "the process took " << (peak >> 20) << " MB";

  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(proc.WaitForSingleObject(h.get(), 30000), platform::kWaitObject0) << "closing did not end the program";
  reg_.DeleteRegValue(kHkeyCurrentUser, kProductKey, "HelpSystem");
  reg_.DeleteRegValue(kHkeyCurrentUser, kProductKey, "LVP");
}

// Regressions: a help picture whose header announced 30000 x 30000 pixels
// held the window for most of a minute and took gigabytes of memory before
// the system's loader refused it; a progressive one of 2048 x 2048 pixels
// repeating one scan 20,000 times held it 20 seconds. The shader page's
// picture (named at start), the help window's two (loaded when it opens)
// and the LOD picture of its first option are all that picture here.
TEST_F(KestrelaneProgram, ACostlyHelpPictureIsRefusedWhileTheWindowsAnswer) {
  const std::string folder = install_ + "\\DATA\\hs\\pic\\";
  std::string shipped;
  ASSERT_TRUE(machine_.fs.ReadFile(folder + "ps.jpg", &shipped));
  struct Case {
    const char* name;
    std::string picture;
  };
  const Case cases[] = {
      {"a JPEG announcing 30000 x 30000", test::JpegOfSize(shipped, 30000, 30000)},
      {"a JPEG of 20,000 scans", test::ProgressiveJpeg(2048, 2048, 20000)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const char* name : {"ps.jpg", "normal_lod.jpg", "mipmap.jpg", "high_lod.jpg"})
      ASSERT_TRUE(machine_.fs.WriteFile(folder + name, c.picture));
    ShowTheHelpPictureWhileTheWindowsAnswer();
  }
}

}  // namespace
}  // namespace ks
