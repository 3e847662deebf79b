// The performance wizard under Wine: a click on the main window's "pw"
// button opens it with the shipped index; the user picks an application,
// moves the main slider and presses Optimize, and the driver values land in
// the real registry under the driver key, read from the shipped profile for
// the card.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "shell/Form1.h"
#include "shell/satellite_forms.h"
#include "ui/win32/renderer.h"
#include "wine/wine_machine.h"
#include "wine/test_folders.h"

#include <commctrl.h>

namespace ks::test {
namespace {

constexpr const char* kTestRoot = "SOFTWARE\\Kestrelane Tests\\Wizard";
constexpr const char* kTestDriverKey = "SOFTWARE\\Kestrelane Tests\\Wizard\\0000";

// A folder of the environment as a Windows path (Wine maps / to Z:\).
std::string SourceFolder() { return FolderFromEnv("KS_SOURCE_DIR"); }
std::string BuildFolder() { return FolderFromEnv("KS_BUILD_DIR"); }

// A hidden window whose timer acts for the user while the wizard's modal
// loop runs: one step per tick.
class Hand : public ui::Form {
 public:
  explicit Hand(ui::App& app) : ui::Form(app, "Hand") {}
  ui::Timer Timer1{*this, "Timer1"};
};

class WineWizard : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string source = SourceFolder();
    if (source.empty()) GTEST_SKIP() << "KS_SOURCE_DIR not set";
    auto& fs = machine_.files();
    const std::string data = fs.ProgramFolder() + "\\DATA";
    for (const char* folder : {"", "\\LANGUAGE", "\\PW"}) fs.CreateFolder(data + folder);
    ASSERT_TRUE(fs.CopyFile(source + "\\data\\LANGUAGE\\en.dat", data + "\\LANGUAGE\\en.dat"));
    ASSERT_TRUE(fs.CopyFile(source + "\\data\\PW\\index.dat", data + "\\PW\\index.dat"));
    // The profiles of the application the test picks.
    const std::string from = source + "\\data\\PW\\Doom 3\\";
    const std::string to = data + "\\PW\\Doom 3\\";
    fs.CreateFolder(to);
    for (const std::string& name : fs.List(from + "*.dat")) ASSERT_TRUE(fs.CopyFile(from + name, to + name));
    s_.app.Title = "KestrelaneSE";
  }
  void TearDown() override { machine_.real.reg.DeleteTree(platform::kHkeyLocalMachine, kTestRoot); }

  void PumpUntil(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done() && std::chrono::steady_clock::now() < end) {
      s_.app.DoEvents();
      Sleep(10);
    }
  }
  void Click(HWND hwnd, int x, int y) {
    PostMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  }
  // The 4-byte binary value under the test driver key; -999 when missing.
  std::int32_t StoredBinary(const char* name) {
    HKEY key = nullptr;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, kTestDriverKey, &key) != ERROR_SUCCESS) return -999;
    DWORD type = 0, size = 4;
    std::int32_t number = 0;
    const LONG result = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&number), &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS && type == REG_BINARY && size == 4 ? number : -999;
  }

  WineMachine machine_;
  SeState s_{machine_};
  ui::win32::Renderer renderer_{s_.app};
  Form1 main_{s_};
};

TEST_F(WineWizard, OpensFromTheToolbarAndOptimizeWritesTheDriverValues) {
  main_.Show();
  // The card the test stands in for: Wine's own display device is none.
  s_.NvidiaAdapterMissing = false;
  s_.DriverKey = kTestDriverKey;
  s_.OsClass = 3;
  s_.DriverBuild = 7701;
  s_.DeviceId = "0322";
  s_.CpuMhz = 2000;
  int rereads = 0;
  main_.Procedures.DetectD3DSettings = [&] { ++rereads; };
  main_.Procedures.DetectOGLSettings = [&] { ++rereads; };
  PumpUntil([&] { return renderer_.WindowOf(main_.Toolbar1) != nullptr; });

  Form4& wizard = main_.form4();
  const int doom = 4;  // "Doom 3" in the shipped index
  int step = 0;
  bool was_modal = false;
  bool shot = false;
  std::vector<std::string> cut_names;  // application names the list's field cuts off
  int names_measured = 0;
  LONG style = 0;
  RECT wizard_rect{}, main_rect{};
  Hand hand(s_.app);
  hand.Load();
  hand.Timer1.SetInterval(100);
  hand.Timer1.OnTimer = [&] {
    if (!wizard.Visible() || renderer_.WindowOf(wizard.Command1) == nullptr) return;
    HWND form = renderer_.WindowOf(wizard);
    switch (step++) {
      case 0: {  // pick the application from the list
        was_modal = wizard.Modal();
        style = GetWindowLongA(form, GWL_STYLE);
        GetWindowRect(form, &wizard_rect);
        GetWindowRect(renderer_.WindowOf(main_), &main_rect);
        HWND combo = renderer_.WindowOf(wizard.Combo1);
        // Each name against the field that shows the chosen one.
        COMBOBOXINFO info{};
        info.cbSize = sizeof(info);
        GetComboBoxInfo(combo, &info);
        HDC dc = GetDC(combo);
        HGDIOBJ old_font = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(combo, WM_GETFONT, 0, 0)));
        const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
          char text[256] = {};
          SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
          SIZE size{};
          GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size);
          if (size.cx > info.rcItem.right - info.rcItem.left) cut_names.push_back(text);
        }
        SelectObject(dc, old_font);
        ReleaseDC(combo, dc);
        names_measured = count;
        SendMessageA(combo, CB_SETCURSEL, doom, 0);
        SendMessageA(form, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(combo));
        break;
      }
      case 1: case 2: case 3: case 4:  // the main slider from 2 to 6
        SendMessageA(form, WM_HSCROLL, SB_PAGEDOWN, reinterpret_cast<LPARAM>(renderer_.WindowOf(wizard.FlatScrollBar1)));
        break;
      case 5:
        shot = renderer_.SaveScreenshot(wizard, BuildFolder() + "\\kestrelane_wizard.bmp");
        Click(renderer_.WindowOf(wizard.Command1), 10, 10);
        break;
      case 6:
        if (wizard.Command1.Enabled()) --step;  // Optimize has not run yet
        break;
      default:
        PostMessageA(form, WM_CLOSE, 0, 0);
        hand.Timer1.SetEnabled(false);
    }
  };

  HWND bar = renderer_.WindowOf(main_.Toolbar1);
  ASSERT_NE(bar, nullptr);
  const int pw = main_.Toolbar1.Button("pw")->Index;
  RECT r{};
  ASSERT_TRUE(SendMessageA(bar, TB_GETRECT, 1000 + pw - 1, reinterpret_cast<LPARAM>(&r)));
  Click(bar, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  PumpUntil([&] { return step > 6 && !wizard.Loaded(); });

  EXPECT_TRUE(was_modal);
  // Regression: the list was too narrow ("Unreal Tournament 20",
  // "Counter-Strike Sourc").
  EXPECT_GT(names_measured, 0);
  EXPECT_EQ(cut_names, std::vector<std::string>{}) << "every application name fits the list";
  EXPECT_FALSE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_NEAR((wizard_rect.left + wizard_rect.right) / 2, (main_rect.left + main_rect.right) / 2, 2)
      << "centred on the main window";
  EXPECT_NEAR((wizard_rect.top + wizard_rect.bottom) / 2, (main_rect.top + main_rect.bottom) / 2, 2);
  EXPECT_TRUE(shot) << "the wizard's picture is written beside the build";
  EXPECT_FALSE(wizard.Loaded()) << "closed";
  EXPECT_EQ(wizard.Combo1.Text(), "Doom 3");
  EXPECT_EQ(wizard.FlatScrollBar1.Value(), 6);
  // data\PW\Doom 3\32.dat
  EXPECT_EQ(wizard.MHZvar, 1500);
  EXPECT_EQ(wizard.CardVar, 3);
  EXPECT_EQ(wizard.AAvar, 1);
  EXPECT_EQ(wizard.AFvar, 1);
  EXPECT_EQ(rereads, 2) << "both pages read again";
  // LOD bias round((3 / 5 + 1) x (7 - 6)) = 2 for Direct3D and OpenGL.
  EXPECT_EQ(StoredBinary("D3D_88481200"), 2);
  EXPECT_EQ(StoredBinary("OGL_TexLODBias"), 2);
  EXPECT_EQ(main_.Label6[3].Caption(), s_.Lang(118) + "2");
  main_.Unload();
}

}  // namespace
}  // namespace ks::test
