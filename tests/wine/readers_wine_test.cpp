// KestrelaneSE's main window on the real machine under Wine: with a driver
// DLL of build 7701 and driver values in the real registry under the driver
// key, start-up shows the stored modes in the real controls of the
// Direct3D and OpenGL pages; with a driver of build 4500, a mode picked in
// the running program is what the page shows when it is started again.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "contract/standins.h"
#include "engine/d3d.h"
#include "engine/driver_values.h"
#include "engine/ogl.h"
#include "shell/Form1.h"
#include "shell/Module1.h"
#include "ui/win32/renderer.h"
#include "ui/win32/renderer_internal.h"
#include "wine/program_windows.h"
#include "wine/test_folders.h"
#include "wine/wine_machine.h"

namespace ks::test {
namespace {

class NoControls : public SettingControls {
 public:
  void SetControlText(WriterControl, const std::string&) override {}
};

// The values the writers below store, removed again at the end.
const DriverValue* const kWritten[] = {&d3d::kAAMode,           &d3d::kAniso,         &d3d::kForceMipmaps,
                                       &d3d::kPrerender,        &ogl::kRenderQualityFlags, &ogl::kTripleBuffer,
                                       &ogl::kSwapInterval,     &d3d::kTrilinearOpt,  &d3d::kPsVersion,
                                       &d3d::kVsVersionDel,     &d3d::kMaxTextures};

// Puts the stand-in driver DLL `standin` where start-up reads the driver's
// build: nv4_disp.dll up to XP, nvd3dum.dll from Vista on.
void UseDriver(platform::Platform& machine, const char* standin) {
  InstallStandIns(machine);
  const std::string system = machine.system().GetSystemDirectory();
  const std::string from = machine.files().ProgramFolder() + "\\standins\\" + standin + ".dll";
  for (const char* dll : {"\\nv4_disp.dll", "\\nvd3dum.dll"}) ASSERT_TRUE(machine.files().CopyFile(from, system + dll));
}

// Detection as start-up does it, to learn where this machine keeps the values.
void DetectAsStartUp(SeState& probe) {
  Form1 f(probe);
  f.ShowOsAndDirectXVersion();
  f.FindDriverKey();
  f.ReadDriverVersion();
  FindNvidiaDevices(probe);
}

class WineReaders : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(UseDriver(machine_, "ks_nv7701"));
    SeState probe(machine_);
    DetectAsStartUp(probe);
    ASSERT_EQ(probe.DriverBuild, 7701);
    ASSERT_FALSE(probe.DriverKey.empty());
    // Gamma-correct transparency supersampling with the 4x 9-tap mode,
    // 8x anisotropy, trilinear force-mipmaps, prerender 5, 32-bit textures,
    // triple buffering and vertical sync on by default.
    NoControls none;
    probe.GammaAA = 1;
    probe.TranspAAMode = 2;
    WriteD3DSetting(probe, none, 4, 0);
    WriteD3DSetting(probe, none, 61, 0);
    WriteD3DSetting(probe, none, 107, 0);
    WriteD3DSetting(probe, none, 66, 5);
    WriteOGLSetting(probe, none, 21, 0);
    WriteOGLSetting(probe, none, 12, 0);
    WriteOGLSetting(probe, none, 26, 0);
    for (const DriverValue* v : kWritten) locations_.push_back(Locate(probe, *v));
  }
  void TearDown() override {
    for (const ValueLocation& where : locations_) BasRegistry(machine_.registry()).DeleteRegValue(where.root, where.key, where.name);
    InstallStandIns(machine_);
  }

  // Lets the window handle its messages for a while.
  static void Pump(SeState& st, int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
      st.app.DoEvents();
      Sleep(10);
    }
  }
  std::int32_t Stored(SeState& st, const DriverValue& value) {
    const ValueLocation where = Locate(st, value);
    return BasRegistry(machine_.registry()).ReadRegValue(where.root, where.key, where.name).NumberOr(-1);
  }

  WineMachine machine_;
  std::vector<ValueLocation> locations_;
};

std::string WindowTextOf(HWND hwnd) { return ui::win32::WindowText(hwnd); }

// The repository's folder as a Windows path (Wine maps / to Z:\).
std::string SourceFolder() {
  const char* dir = std::getenv("KS_SOURCE_DIR");
  if (!dir || !*dir) return "";
  std::string path = std::string("Z:") + dir;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

TEST_F(WineReaders, StartUpShowsTheStoredModes) {
  // The shipped preview pictures of the stored mode, in the program's data folder.
  auto& files = machine_.files();
  const std::string pictures = files.ProgramFolder() + "\\data\\aa\\1";
  const std::string source = SourceFolder();
  if (!source.empty()) {
    files.CreateFolder(files.ProgramFolder() + "\\data");
    files.CreateFolder(files.ProgramFolder() + "\\data\\aa");
    files.CreateFolder(pictures);
    for (const char* name : {"auto.jpg", "4x 9-tap.jpg"})
      files.CopyFile(source + "\\data\\aa\\1\\" + name, pictures + "\\" + name);
  }
  SeState st(machine_);
  st.app.Title = "KestrelaneSE";
  ui::win32::Renderer renderer(st.app);
  Form1 form(st);
  form.Show();
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
  while (std::chrono::steady_clock::now() < end) {
    st.app.DoEvents();
    Sleep(10);
  }
  auto text = [&](const ui::Control& c) { return WindowTextOf(renderer.WindowOf(c)); };
  auto checked = [&](const ui::Control& c) {
    return SendMessageA(renderer.WindowOf(c), BM_GETCHECK, 0, 0) == BST_CHECKED;
  };
  EXPECT_EQ(text(form.Combo3), "4x 9-tap");
  EXPECT_EQ(text(form.Combo1), "4x 9-tap");
  EXPECT_EQ(text(form.Combo19), "Supersampling");
  EXPECT_EQ(text(form.Combo18), "Supersampling");
  EXPECT_TRUE(checked(form.Check18));
  EXPECT_TRUE(checked(form.Check17));
  EXPECT_EQ(text(form.Combo4), "8x");
  EXPECT_EQ(text(form.Combo2), "8x");
  EXPECT_EQ(text(form.Combo13), "5");
  EXPECT_EQ(text(form.Combo9), "32-bit");
  EXPECT_TRUE(checked(form.Check5[2]));
  EXPECT_EQ(form.Combo8.Text(), st.Lang(136));
  EXPECT_EQ(text(form.Combo8), st.Lang(136));
  EXPECT_EQ(form.Combo10.Text(), st.Lang(159));
  EXPECT_EQ(form.Combo3.ListIndex() >= 0, true) << "the stored mode is one of the card's entries";
  if (!source.empty()) {
    EXPECT_EQ(form.Image3.Picture(), pictures + "\\4x 9-tap.jpg");
    EXPECT_TRUE(renderer.HasPicture(form.Image2)) << "the generated JPEG decodes";
    EXPECT_TRUE(renderer.HasPicture(form.Image3));
  }
  form.Unload();
}

// The user picks a mode in the real combo box and unticks a texture
// optimisation: the driver's values change in the real registry.
TEST_F(WineReaders, UserActionsWriteTheDriversValues) {
  SeState st(machine_);
  st.app.Title = "KestrelaneSE";
  ui::win32::Renderer renderer(st.app);
  Form1 form(st);
  form.Show();
  Pump(st, 300);

  form.ActivePage = 1;
  form.ShowPage();
  Pump(st, 100);
  HWND combo = renderer.WindowOf(form.Combo3);
  const int index = form.Combo3.FindItem("4x");
  ASSERT_GE(index, 0);
  // What a pick from the list sends: the new selection, then its notification.
  SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo));
  Pump(st, 200);
  // The mode with the flags the driver held (gamma, transparency supersampling).
  EXPECT_EQ(Stored(st, d3d::kAAMode), 0x10000010 + 0x40100000);
  EXPECT_EQ(form.Combo1.Text(), "4x");

  form.ActivePage = 6;
  form.ShowPage();
  Pump(st, 100);
  ASSERT_EQ(form.Check4[1].Value(), 1) << "no stored value: the optimisation is on";
  HWND box = renderer.WindowOf(form.Check4[1]);
  PostMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 8));
  PostMessageA(box, WM_LBUTTONUP, 0, MAKELPARAM(8, 8));
  for (int i = 0; i < 200 && form.Check4[1].Value() != 0; ++i) Pump(st, 10);
  EXPECT_EQ(form.Check4[1].Value(), 0);
  EXPECT_EQ(Stored(st, d3d::kTrilinearOpt), 1);
  form.Unload();
}

// Another process's combo box, read with the W messages (Wine passes the
// text of another process's list items only with those). The texts are ASCII.
std::string Narrow(const std::wstring& w) {
  std::string out;
  for (wchar_t c : w) out += static_cast<char>(c);
  return out;
}
std::vector<std::string> ItemsOf(HWND combo) {
  std::vector<std::string> items;
  const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
    if (length == CB_ERR) continue;
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    items.push_back(Narrow(text));
  }
  return items;
}
// GetWindowText gives another process's control only its stored caption;
// the box's own text comes with WM_GETTEXT.
std::string ShownText(HWND combo) {
  wchar_t text[256] = {};
  SendMessageW(combo, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
  return Narrow(text);
}

// The visible combo box of process `pid` that lists `item`, or nullptr.
HWND VisibleComboListing(DWORD pid, const std::string& item) {
  struct Search {
    const std::string& item;
    HWND found = nullptr;
  } search{item};
  for (HWND top : ShownWindowsOf(pid)) {
    EnumChildWindows(
        top,
        [](HWND child, LPARAM lp) -> BOOL {
          auto* s = reinterpret_cast<Search*>(lp);
          if (!IsWindowVisible(child) || WindowClass(child) != "ComboBox") return TRUE;
          const std::vector<std::string> items = ItemsOf(child);
          if (std::find(items.begin(), items.end(), s->item) == items.end()) return TRUE;
          s->found = child;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (search.found) break;
  }
  return search.found;
}

class WineRestartedProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string build = FolderFromEnv("KS_BUILD_DIR");
    const std::string source = FolderFromEnv("KS_SOURCE_DIR");
    if (build.empty() || source.empty()) GTEST_SKIP() << "KS_BUILD_DIR / KS_SOURCE_DIR not set";
    auto& fs = machine_.files();
    ASSERT_NO_FATAL_FAILURE(UseDriver(machine_, "ks_nv4500"));
    install_ = FreshTempPath(fs, "restart");
    ASSERT_EQ(test::LayOutInstallation(fs, install_, build, source,
                                       {{"programs\\KestrelaneSE\\KestrelaneSE.exe"},
                                        {"\\DATA", "\\DATA\\LANGUAGE"},
                                        {"LANGUAGE\\en.dat"}}),
              "");
    SeState probe(machine_);
    DetectAsStartUp(probe);
    ASSERT_EQ(probe.DriverBuild, 4500);
    for (const DriverValue* v : {&d3d::kAAModeOld, &d3d::kAAControl, &d3d::kAAMode, &d3d::kMaxTextures,
                                 &d3d::kPsVersion, &d3d::kVsVersionDel, &d3d::kSliAA})
      written_.push_back(Locate(probe, *v));
    Clean();
    // The user left the program on the Direct3D antialiasing page.
    reg_.WriteRegValue(kHkeyCurrentUser, kProductKey, "LVP", 1);
  }
  void TearDown() override {
    Clean();
    reg_.DeleteRegValue(kHkeyCurrentUser, kProductKey, "LVP");
    InstallStandIns(machine_);
  }
  void Clean() {
    for (const ValueLocation& where : written_) reg_.DeleteRegValue(where.root, where.key, where.name);
  }
  // The number the driver holds for `value`, -1 when it holds none.
  std::int32_t Stored(const DriverValue& value) {
    for (const ValueLocation& where : written_)
      if (where.name == value.name) return reg_.ReadRegValue(where.root, where.key, where.name).NumberOr(-1);
    return -1;
  }

  // Starts KestrelaneSE.exe, hands `act` the Direct3D antialiasing box once
  // start-up has filled it (the visible box that lists `entry`), then closes
  // the program and waits for its end.
  void RunProgram(const std::function<void(HWND)>& act, const std::string& entry = "6xS") {
    auto& proc = machine_.real.proc;
    const std::uint32_t pid =
        proc.StartProgram(platform::QuotedProgram(install_ + "\\KestrelaneSE.exe"), platform::WindowStyle::kNormalFocus);
    ASSERT_NE(pid, 0u);
    platform::ScopedProcess h(proc, proc.OpenProcess(platform::kSynchronize, pid));
    // "6xS" is an entry of the Direct3D list only, below build 5000; the
    // page shown is the Direct3D antialiasing page.
    HWND combo = nullptr;
    for (int waited = 0; waited < 30000 && !combo; waited += 50) {
      if (proc.WaitForSingleObject(h.get(), 50) == platform::kWaitObject0) break;
      combo = VisibleComboListing(pid, entry);
    }
    if (combo) act(combo);
    for (HWND window : ShownWindowsOf(pid)) PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(proc.WaitForSingleObject(h.get(), 30000), platform::kWaitObject0) << "closing did not end the program";
    ASSERT_NE(combo, nullptr) << "no Direct3D antialiasing box appeared";
  }
  // What a pick from the list sends: the new selection, then its notification.
  static void Pick(HWND combo, const std::string& text) {
    const std::vector<std::string> items = ItemsOf(combo);
    const auto at = std::find(items.begin(), items.end(), text);
    ASSERT_NE(at, items.end()) << text;
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(at - items.begin()), 0);
    SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
  }

  // The driver holds SLI antialiasing on, as it does for a pair of SLI cards.
  void SliOn() {
    for (const ValueLocation& where : written_)
      if (where.name == d3d::kSliAA.name) {
        reg_.WriteAsBinary = where.binary ? 1 : 0;
        reg_.WriteRegValue(where.root, where.key, where.name, 0x29060797);
        reg_.WriteAsBinary = 0;
      }
  }

  WineMachine machine_;
  BasRegistry reg_{machine_.registry()};
  std::string install_;
  std::vector<ValueLocation> written_;  // what the picks and start-up write, removed again
};

TEST_F(WineRestartedProgram, APickedDirect3DModeIsWhatThePageShowsAfterARestart) {
  RunProgram([](HWND combo) { Pick(combo, "6xS"); });
  EXPECT_EQ(Stored(d3d::kAAModeOld), 6) << "the mode number this driver reads";
  EXPECT_EQ(Stored(d3d::kAAControl), 0x57015990);

  std::string shown;
  RunProgram([&](HWND combo) {
    shown = ShownText(combo);
    Pick(combo, "Auto");
  });
  EXPECT_EQ(shown, "6xS");
  EXPECT_EQ(Stored(d3d::kAAModeOld), 0);
  EXPECT_EQ(Stored(d3d::kAAControl), 0x06326293);

  RunProgram([&](HWND combo) { shown = ShownText(combo); });
  EXPECT_EQ(shown, "Auto");
  EXPECT_EQ(Stored(d3d::kAAMode), -1) << "no shared mode value, which this driver does not read";
}

// Below build 5000 the SLI mode names stand for the older drivers' mode
// numbers; they came back as the plain names ("4x") after a restart.
TEST_F(WineRestartedProgram, APickedSliModeIsWhatThePageShowsAfterARestart) {
  SliOn();
  RunProgram([](HWND combo) { Pick(combo, "SLI 8x"); }, "SLI 8x");
  EXPECT_EQ(Stored(d3d::kAAModeOld), 3) << "the mode number of 4x, which SLI doubles";
  EXPECT_EQ(Stored(d3d::kAAControl), 0x57015990);

  std::string shown;
  RunProgram([&](HWND combo) { shown = ShownText(combo); }, "SLI 8x");
  EXPECT_EQ(shown, "SLI 8x");
  EXPECT_EQ(Stored(d3d::kSliAA), 0x29060797) << "SLI antialiasing stays on";
  EXPECT_EQ(Stored(d3d::kAAMode), -1) << "no shared mode value, which this driver does not read";
}

}  // namespace
}  // namespace ks::test
