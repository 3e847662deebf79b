// KestrelaneSE's main window on the real machine under Wine: with a driver
// DLL of build 7701 and driver values in the real registry under the driver
// key, start-up shows the stored modes in the real controls of the
// Direct3D and OpenGL pages.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
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

class WineReaders : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallStandIns(machine_);
    const std::string system = machine_.system().GetSystemDirectory();
    // The driver DLL start-up reads: nv4_disp.dll up to XP, nvd3dum.dll from Vista on.
    for (const char* dll : {"\\nv4_disp.dll", "\\nvd3dum.dll"})
      ASSERT_TRUE(machine_.files().CopyFile(machine_.files().ProgramFolder() + "\\standins\\ks_nv7701.dll", system + dll));
    // Detection as start-up does it, to learn where this machine keeps the values.
    SeState probe(machine_);
    Form1 f(probe);
    f.ShowOsAndDirectXVersion();
    f.FindDriverKey();
    f.ReadDriverVersion();
    FindNvidiaDevices(probe);
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

}  // namespace
}  // namespace ks::test
