// travo.exe under Wine, from an installation folder in the prefix's
// temporary folder: it puts its icon into Wine's notification area, its
// hidden window takes the tray's mouse messages, its popup menu starts the
// suite's programs and switches the autostart, and its preset window
// applies a preset through the real KestrelaneSE.exe.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "common/basRegistry.h"
#include "contract/standins.h"
#include "platform/win32/machine.h"
#include "platform/win32/win.h"
#include "wine/driver_values.h"
#include "wine/test_folders.h"
// After win.h.
#include <shellapi.h>

namespace ks::test {
namespace {

constexpr char kRun[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";


struct WindowSearch {
  DWORD pid = 0;  // 0: any process
  std::string klass, title;
  bool visible_only = false;
  HWND found = nullptr;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<WindowSearch*>(lp);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (s->pid != 0 && owner != s->pid) return TRUE;
  if (s->visible_only && !IsWindowVisible(hwnd)) return TRUE;
  char text[256] = {}, klass[64] = {};
  GetWindowTextA(hwnd, text, sizeof(text));
  GetClassNameA(hwnd, klass, sizeof(klass));
  if (!s->klass.empty() && s->klass != klass) return TRUE;
  if (!s->title.empty() && s->title != text) return TRUE;
  s->found = hwnd;
  return FALSE;
}

// Polls until the window turns up (or `ms` pass).
HWND WaitForWindow(WindowSearch search, int ms) {
  for (int waited = 0; waited <= ms; waited += 50) {
    search.found = nullptr;
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    Sleep(50);
  }
  return nullptr;
}

bool WaitFor(const std::function<bool()>& done, int ms) {
  for (int waited = 0; waited <= ms; waited += 50) {
    if (done()) return true;
    Sleep(50);
  }
  return false;
}

// Whether the notification area holds the icon: only an icon that is
// there can be changed.
bool TrayHasIcon(HWND owner, UINT id) {
  NOTIFYICONDATAA nid{};
  nid.cbSize = sizeof(nid);
  nid.hWnd = owner;
  nid.uID = id;
  nid.uFlags = NIF_TIP;
  lstrcpyA(nid.szTip, "Kestrelane TRAVONIX");
  return Shell_NotifyIconA(NIM_MODIFY, &nid) != FALSE;
}

class TravoProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string build = FolderFromEnv("KS_BUILD_DIR");
    const std::string source = FolderFromEnv("KS_SOURCE_DIR");
    if (build.empty() || source.empty()) GTEST_SKIP() << "KS_BUILD_DIR / KS_SOURCE_DIR not set";
    auto& fs = machine_.fs;
    install_ = FreshTempPath(fs, "travo");
    ASSERT_EQ(test::LayOutInstallation(
                  fs, install_, build, source,
                  {{"programs\\travo\\travo.exe", "programs\\KestrelaneSE\\KestrelaneSE.exe", "programs\\relayo\\relayo.exe"},
                   {"\\DATA", "\\DATA\\LANGUAGE", "\\DATA\\Presets", "\\DATA\\hs", "\\DATA\\hs\\pic"},
                   {"LANGUAGE\\en.dat", "LANGUAGE\\en_travo.dat", "LANGUAGE\\en_rl.dat", "hs\\pic\\ps.jpg"}}),
              "");
    // A preset for any card with two driver values.
    ASSERT_TRUE(fs.WriteFile(install_ + "\\DATA\\Presets\\quiet one.ksp",
                             "\"ksp\"\r\n\"999\"\r\n\"0\"\r\n\"0\"\r\n\"D3D_KSTRAVO1\"\r\n\"-3\"\r\n"
                             "\"OGL_KSTRAVO2\"\r\n\"12\"\r\n"));
    // A preset is applied only where an NVIDIA driver is found: here the
    // stand-in driver's library beside Wine's own adapter.
    InstallStandIns(machine_);
    driver_key_ = ProgramsDriverKey();
    ASSERT_FALSE(driver_key_.empty());
    CleanDriverValues();
    reg_.DeleteRegValue(kHkeyCurrentUser, kRun, "Kestrelane Travonix");
    if (unquoted_autostart_) reg_.WriteRegValue(kHkeyCurrentUser, kRun, "Kestrelane Travonix", install_ + "\\travo.exe");
    reg_.DeleteRegValue(kHkeyCurrentUser, "Software\\VB and VBA Program Settings\\TRAVONIX\\Settings", "Path");
    pid_ = machine_.proc.StartProgram(platform::QuotedProgram(install_ + "\\travo.exe"),
                                      platform::WindowStyle::kNormalFocus);
    ASSERT_NE(pid_, 0u);
    process_ = machine_.proc.OpenProcess(platform::kSynchronize, pid_);
    tray_ = WaitForWindow(WindowSearch{pid_, "KsForm", "Kestrelane TRAVONIX"}, 30000);
    ASSERT_NE(tray_, nullptr) << "travo's hidden window";
  }

  void TearDown() override {
    if (!driver_key_.empty()) CleanDriverValues();
    if (tray_ && IsWindow(tray_)) {
      PostMessageA(tray_, WM_CLOSE, 0, 0);
    }
    if (process_) {
      if (machine_.proc.WaitForSingleObject(process_, 10000) != platform::kWaitObject0) {
        HANDLE h = OpenProcess(PROCESS_TERMINATE, FALSE, pid_);
        if (h) {
          TerminateProcess(h, 1);
          CloseHandle(h);
        }
      }
      machine_.proc.CloseHandle(process_);
    }
  }

  // What the taskbar sends when the user releases the right button over
  // the icon, then the item chosen by keyboard: Down `downs` times (the
  // first Down selects the first item; separators are passed over), then Enter.
  void ChooseFromMenu(int downs) {
    PostMessageA(tray_, WM_MOUSEMOVE, 1, WM_RBUTTONUP);
    HWND menu = WaitForWindow(WindowSearch{0, "#32768", "", true}, 10000);
    ASSERT_NE(menu, nullptr) << "the popup menu did not open";
    for (int i = 0; i < downs; ++i) PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(WaitFor([] { return WaitForWindow(WindowSearch{0, "#32768", "", true}, 0) == nullptr; }, 10000))
        << "the popup menu did not close";
  }

  void CleanDriverValues() {
    for (const char* name : {"D3D_KSTRAVO1", "OGL_KSTRAVO2"}) reg_.DeleteRegValue(kHkeyLocalMachine, driver_key_, name);
  }

  std::string Autostart() { return reg_.ReadRegValue(kHkeyCurrentUser, kRun, "Kestrelane Travonix").AsText(); }

  // Set before SetUp: travo starts with its own path in the autostart
  // value without quotes, as older versions wrote it.
  bool unquoted_autostart_ = false;
  win32::Win32Machine machine_;
  BasRegistry reg_{machine_.reg};
  std::string install_;
  std::string driver_key_;
  std::uint32_t pid_ = 0;
  platform::ProcessHandle process_ = 0;
  HWND tray_ = nullptr;
};

TEST_F(TravoProgram, RunsInTheTrayWithoutAWindowAndTakesTheAutostart) {
  EXPECT_FALSE(IsWindowVisible(tray_));
  EXPECT_TRUE(WaitFor([&] { return TrayHasIcon(tray_, 1); }, 10000)) << "no icon in the notification area";
  EXPECT_EQ(WaitForWindow(WindowSearch{pid_, "", "", true}, 500), nullptr) << "a window was shown";
  EXPECT_EQ(Autostart(), "") << "no value: the item is only unchecked";

  ChooseFromMenu(5);  // "Run at system start up"
  // Quoted: Windows runs the value as a command line.
  EXPECT_TRUE(WaitFor([&] { return Autostart() == "\"" + install_ + "\\travo.exe\""; }, 10000)) << Autostart();
  ChooseFromMenu(5);
  EXPECT_TRUE(WaitFor([&] { return Autostart().empty(); }, 10000)) << "the second click deletes it";

  ChooseFromMenu(8);  // "Exit"
  EXPECT_EQ(machine_.proc.WaitForSingleObject(process_, 20000), platform::kWaitObject0) << "Exit ends travo";
  EXPECT_FALSE(TrayHasIcon(tray_, 1)) << "the icon is removed";
}

class TravoProgramAfterAnOlderVersion : public TravoProgram {
 protected:
  TravoProgramAfterAnOlderVersion() { unquoted_autostart_ = true; }
};

TEST_F(TravoProgramAfterAnOlderVersion, QuotesItsOwnAutostartAtStart) {
  EXPECT_TRUE(WaitFor([&] { return Autostart() == "\"" + install_ + "\\travo.exe\""; }, 10000)) << Autostart();
  ChooseFromMenu(5);  // "Run at system start up", checked: the click deletes the value
  EXPECT_TRUE(WaitFor([&] { return Autostart().empty(); }, 10000)) << "the item was not checked";
}

TEST_F(TravoProgram, MenuStartsTheUpdater) {
  ChooseFromMenu(4);  // "Auto update"
  HWND updater = WaitForWindow(WindowSearch{0, "KsForm", "Kestrelane SE Auto update", true}, 30000);
  ASSERT_NE(updater, nullptr) << "relayo did not start";
  PostMessageA(updater, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(updater); }, 20000));
  EXPECT_TRUE(IsWindow(tray_)) << "travo runs on";
}

TEST_F(TravoProgram, APresetIsAppliedThroughTheMainProgram) {
  reg_.DeleteRegValue(kHkeyCurrentUser, kProductKey, "Version");
  ChooseFromMenu(6);  // "Profiles ..."
  HWND window = WaitForWindow(WindowSearch{pid_, "KsForm", "Travonix", true}, 20000);
  ASSERT_NE(window, nullptr) << "the preset window did not open";
  HWND list = FindWindowExA(window, nullptr, "LISTBOX", nullptr);
  if (!list) {
    // The list stands in the frame.
    for (HWND child = GetWindow(window, GW_CHILD); child && !list; child = GetWindow(child, GW_HWNDNEXT))
      list = FindWindowExA(child, nullptr, "LISTBOX", nullptr);
  }
  ASSERT_NE(list, nullptr);
  // The text in wide characters: the list lives in another process.
  wchar_t entry[256] = {};
  ASSERT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 1);
  SendMessageW(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(entry));
  EXPECT_STREQ(entry, L"quiet one");
  // A double click on the entry: the selection, then the list's notifications to its parent.
  SendMessageA(list, LB_SETCURSEL, 0, 0);
  HWND parent = GetParent(list);
  const WPARAM id = static_cast<WPARAM>(GetDlgCtrlID(list));
  SendMessageA(parent, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  SendMessageA(parent, WM_COMMAND, MAKEWPARAM(id, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
  // The main program runs hidden with the preset, writes its values and ends by itself.
  std::int32_t number = 0;
  DWORD size = 0;
  EXPECT_TRUE(WaitFor([&] { return Stored(driver_key_, "OGL_KSTRAVO2", &number, &size) != 0; }, 60000))
      << "KestrelaneSE did not apply the preset";
  EXPECT_EQ(Stored(driver_key_, "D3D_KSTRAVO1", &number, &size), static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(number, -3);
  EXPECT_EQ(Stored(driver_key_, "OGL_KSTRAVO2", &number, &size), static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(number, 12);
  EXPECT_FALSE(reg_.ReadRegValue(kHkeyCurrentUser, kProductKey, "Version").IsEmpty()) << "KestrelaneSE did not run";
  EXPECT_EQ(WaitForWindow(WindowSearch{0, "KsForm", "Kestrelane SE Build 5", true}, 3000), nullptr)
      << "the main program showed its window: it did not get the preset";
  EXPECT_TRUE(IsWindowVisible(window)) << "the preset window stays open";
}

}  // namespace
}  // namespace ks::test
