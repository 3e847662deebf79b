// Presets under Wine: KestrelaneSE.exe applies a preset given on its
// command line to the real registry and ends without a window; a file that
// is no preset shows a message and writes nothing; a preset saved from the
// real profile manager window is listed and applied by picking it.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>

#include "common/basRegistry.h"
#include "contract/standins.h"
#include "platform/win32/machine.h"
#include "platform/win32/win.h"
#include "shell/Form1.h"
#include "shell/satellite_forms.h"
#include "tools/presets.h"
#include "ui/win32/renderer.h"
#include "wine/driver_values.h"
#include "wine/wine_machine.h"
#include "wine/program_windows.h"
#include "wine/test_folders.h"

namespace ks::test {
namespace {


std::string Items(std::initializer_list<const char*> items) {
  std::string out;
  for (const char* item : items) AddPresetItem(out, item);
  return out;
}

class WinePresetCommandLine : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string build = FolderFromEnv("KS_BUILD_DIR");
    const std::string source = FolderFromEnv("KS_SOURCE_DIR");
    if (build.empty() || source.empty()) GTEST_SKIP() << "KS_BUILD_DIR / KS_SOURCE_DIR not set";
    auto& fs = machine_.fs;
    // A blank in the folder: launchers do not all quote the program.
    install_ = FreshTempPath(fs, "preset") + " folder";
    ASSERT_EQ(test::LayOutInstallation(fs, install_, build, source,
                                       {{"programs\\KestrelaneSE\\KestrelaneSE.exe"},
                                        {"\\DATA", "\\DATA\\LANGUAGE", "\\DATA\\Presets", "\\DATA\\My presets"},
                                        {"LANGUAGE\\en.dat"}}),
              "");
    // A preset is applied only where an NVIDIA driver is found: here the
    // stand-in driver's library beside Wine's own adapter.
    InstallStandIns(machine_);
    driver_key_ = ProgramsDriverKey();
    ASSERT_FALSE(driver_key_.empty());
    Clean();
  }
  void TearDown() override {
    if (!driver_key_.empty()) Clean();
  }
  void Clean() {
    reg_.DeleteRegValue(kHkeyLocalMachine, driver_key_, "D3D_KSWINE1");
    reg_.DeleteRegValue(kHkeyLocalMachine, driver_key_, "OGL_KSWINE2");
    reg_.DeleteRegValue(kHkeyLocalMachine, driver_key_, "D3D_60461791");
  }

  // Starts KestrelaneSE.exe with `arguments` (`program`: the program as the
  // command line names it, quoted by default); `on_window` sees each visible
  // window of the process. True when the process ended within `ms`.
  bool Run(const std::string& arguments, int ms, const std::function<void(HWND)>& on_window,
           const std::string& program = "") {
    auto& proc = machine_.proc;
    const std::string named = program.empty() ? platform::QuotedProgram(install_ + "\\KestrelaneSE.exe") : program;
    const std::uint32_t pid = proc.StartProgram(named + " " + arguments, platform::WindowStyle::kNormalFocus);
    if (pid == 0) return false;
    platform::ScopedProcess h(proc, proc.OpenProcess(platform::kSynchronize, pid));
    for (int waited = 0; waited < ms; waited += 20) {
      if (HWND shown = ShownWindowOf(pid)) on_window(shown);
      if (proc.WaitForSingleObject(h.get(), 20) == platform::kWaitObject0) return true;
    }
    return false;
  }

  win32::Win32Machine machine_;
  BasRegistry reg_{machine_.reg};
  std::string install_;
  std::string driver_key_;
};

TEST_F(WinePresetCommandLine, AppliesThePresetAndEndsWithoutAWindow) {
  const std::string preset = install_ + "\\DATA\\My presets\\fast one.ksp";
  ASSERT_TRUE(machine_.fs.WriteFile(preset, Items({"ksp", "999", "0", "0", "D3D_KSWINE1", "-2", "OGL_KSWINE2", "7"})));
  bool showed = false;
  ASSERT_TRUE(Run(preset, 60000, [&](HWND) { showed = true; })) << "the program did not end by itself";
  EXPECT_FALSE(showed);
  std::int32_t number = 0;
  DWORD size = 0;
  EXPECT_EQ(Stored(driver_key_, "D3D_KSWINE1", &number, &size), static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(number, -2);
  EXPECT_EQ(Stored(driver_key_, "OGL_KSWINE2", &number, &size), static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(number, 7);
}

// Started unquoted from a folder with blanks, and in other letters than the
// file's, the program still finds the preset. (Wine quotes such a program
// for the new process on its own; Windows passes the line on as it is,
// which the native command-line rows cover.)
TEST_F(WinePresetCommandLine, AnUnquotedProgramPathWithBlanksKeepsThePresetPath) {
  const std::string preset = install_ + "\\DATA\\My presets\\fast one.ksp";
  ASSERT_TRUE(machine_.fs.WriteFile(preset, Items({"ksp", "999", "0", "0", "D3D_KSWINE1", "-3"})));
  bool showed = false;
  ASSERT_TRUE(Run(preset, 60000, [&](HWND) { showed = true; }, install_ + "\\KESTRELANESE.EXE"))
      << "the program did not end by itself";
  EXPECT_FALSE(showed) << "no message about a missing file, no window";
  std::int32_t number = 0;
  DWORD size = 0;
  EXPECT_EQ(Stored(driver_key_, "D3D_KSWINE1", &number, &size), static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(number, -3);
}

// With a build-7701 driver the pages are read again after the preset: that
// reading leaves the driver's vertical sync as the preset stored it.
// Regression: the reading set "Synchronization mode:" to "Enabled" first and
// its handler wrote 0x47814940 over the preset's 138504007.
TEST_F(WinePresetCommandLine, TheReadingAfterThePresetKeepsItsVerticalSync) {
  auto& fs = machine_.fs;
  InstallStandIns(machine_);
  const std::string system = machine_.system().GetSystemDirectory();
  const std::string standin = fs.ProgramFolder() + "\\standins\\ks_nv7701.dll";
  // The driver DLL start-up reads: nv4_disp.dll up to XP, nvd3dum.dll from Vista on.
  for (const char* dll : {"\\nv4_disp.dll", "\\nvd3dum.dll"}) ASSERT_TRUE(fs.CopyFile(standin, system + dll));
  struct Restore {
    platform::Platform& machine;
    ~Restore() { InstallStandIns(machine); }
  } restore{machine_};
  {
    SeState probe(machine_);
    Form1 detection(probe);
    detection.ShowOsAndDirectXVersion();
    detection.ReadDriverVersion();
    ASSERT_EQ(probe.DriverBuild, 7701);
  }
  // The driver holds "Enabled" before; the preset turns it off.
  reg_.WriteAsBinary = 1;
  reg_.WriteRegValue(kHkeyLocalMachine, driver_key_, "D3D_60461791", 0x60925292);
  reg_.WriteAsBinary = 0;
  const std::string preset = install_ + "\\DATA\\Presets\\vsync off.ksp";
  ASSERT_TRUE(fs.WriteFile(preset, Items({"ksp", "999", "0", "0", "D3D_60461791", "138504007"})));
  bool showed = false;
  ASSERT_TRUE(Run(preset, 60000, [&](HWND) { showed = true; })) << "the program did not end by itself";
  EXPECT_FALSE(showed);
  std::int32_t number = 0;
  DWORD size = 0;
  EXPECT_EQ(Stored(driver_key_, "D3D_60461791", &number, &size), static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(number, 138504007);
}

TEST_F(WinePresetCommandLine, AFileThatIsNoPresetShowsAMessageAndWritesNothing) {
  const std::string preset = install_ + "\\DATA\\Presets\\notes.ksp";
  ASSERT_TRUE(machine_.fs.WriteFile(preset, Items({"hello", "999", "0", "0", "D3D_KSWINE1", "5"})));
  std::string seen;
  ASSERT_TRUE(Run(preset, 60000, [&](HWND w) {
    seen = WindowClass(w);
    PostMessageA(w, WM_COMMAND, IDOK, 0);
  })) << "the program did not end after the message";
  EXPECT_EQ(seen, "#32770") << "a message box, and no other window";
  std::int32_t number = 0;
  DWORD size = 0;
  EXPECT_EQ(Stored(driver_key_, "D3D_KSWINE1", &number, &size), 0u);
}

constexpr const char* kFormKey = "SOFTWARE\\Kestrelane Tests\\Preset driver key";

class WineProfileManager : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string source = FolderFromEnv("KS_SOURCE_DIR");
    if (source.empty()) GTEST_SKIP() << "KS_SOURCE_DIR not set";
    auto& fs = machine_.files();
    const std::string data = fs.ProgramFolder() + "\\DATA";
    for (const char* folder : {"", "\\Database", "\\Presets"}) fs.CreateFolder(data + folder);
    for (const std::string& name : fs.List(source + "\\data\\Database\\*.dat"))
      ASSERT_TRUE(fs.CopyFile(source + "\\data\\Database\\" + name, data + "\\Database\\" + name));
    preset_ = data + "\\Presets\\winetest.ksp";
    fs.DeleteFile(preset_);
    s_.app.Title = "KestrelaneSE";
    s_.OsClass = 3;
    s_.DriverBuild = 9371;
    s_.DriverKey = kFormKey;
    s_.DeviceId = "0322";
    manager_.SetPicker(&picker_);
    picker_.SetOwner(&manager_);
  }
  void TearDown() override {
    machine_.files().DeleteFile(preset_);
    for (const char* name : {"D3D_QualityEnhancements", "OGL_TripleBuffer"})
      s_.reg.DeleteRegValue(kHkeyLocalMachine, kFormKey, name);
  }
  void PumpUntil(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done() && std::chrono::steady_clock::now() < end) {
      s_.app.DoEvents();
      Sleep(10);
    }
  }
  void Click(HWND hwnd) {
    PostMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 8));
    PostMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(8, 8));
  }
  // The driver values the tests save, as the registry editor stores them.
  void PutDriverValues() {
    s_.reg.WriteAsBinary = 1;
    s_.reg.WriteRegValue(kHkeyLocalMachine, kFormKey, "D3D_QualityEnhancements", -10);
    s_.reg.WriteRegValue(kHkeyLocalMachine, kFormKey, "OGL_TripleBuffer", 1);
    s_.reg.WriteAsBinary = 0;
  }
  // Opens the profile manager and types the profile name into its real box.
  void TypeProfileName() {
    manager_.Show();
    PumpUntil([&] { return renderer_.WindowOf(manager_.Text1) != nullptr; });
    HWND name = renderer_.WindowOf(manager_.Text1);
    SetFocus(name);
    for (char c : std::string("winetest")) PostMessageA(name, WM_CHAR, static_cast<WPARAM>(c), 0);
    PumpUntil([&] { return manager_.Text1.Text() == "winetest"; });
    ASSERT_EQ(manager_.Text1.Text(), "winetest");
  }
  // Clicks Save; the preset file's bytes once the saved message is shown.
  std::string SaveAndReadBack() {
    machine_.msg.shown.clear();
    Click(renderer_.WindowOf(manager_.Command3));
    PumpUntil([&] { return !machine_.msg.shown.empty(); });
    EXPECT_EQ(machine_.msg.shown.size(), 1u);
    std::string bytes;
    EXPECT_TRUE(machine_.files().ReadFile(preset_, &bytes));
    return bytes;
  }

  WineMachine machine_;
  SeState s_{machine_};
  ui::win32::Renderer renderer_{s_.app};
  Form6 manager_{s_};
  Form7 picker_{s_};
  std::string preset_;
};

TEST_F(WineProfileManager, SavedPresetIsListedAndAppliedByPickingIt) {
  PutDriverValues();
  ASSERT_NO_FATAL_FAILURE(TypeProfileName());
  const std::string build = FolderFromEnv("KS_BUILD_DIR");
  if (!build.empty()) renderer_.SaveScreenshot(manager_, build + "\\profile_manager.bmp");
  EXPECT_EQ(SaveAndReadBack(),
            Items({"ksp", "0322", "0", "0", "D3D_QualityEnhancements", "-10", "OGL_TripleBuffer", "1"}));
  // The real list shows the saved preset at once, selected.
  const int saved = manager_.Combo4.FindItem("winetest");
  ASSERT_GE(saved, 0);
  EXPECT_EQ(manager_.Combo4.ListIndex(), saved);
  HWND list = renderer_.WindowOf(manager_.Combo4);
  PumpUntil([&] { return SendMessageA(list, CB_GETCURSEL, 0, 0) == saved; });
  EXPECT_EQ(SendMessageA(list, CB_GETCURSEL, 0, 0), saved);
  char shown[64] = {};
  GetWindowTextA(list, shown, sizeof shown);
  EXPECT_STREQ(shown, "winetest");

  s_.reg.DeleteRegValue(kHkeyLocalMachine, kFormKey, "D3D_QualityEnhancements");
  s_.reg.DeleteRegValue(kHkeyLocalMachine, kFormKey, "OGL_TripleBuffer");
  manager_.Unload();
  manager_.Show();
  const int item = manager_.Combo4.FindItem("winetest");
  ASSERT_GE(item, 0);
  HWND combo = renderer_.WindowOf(manager_.Combo4);
  PumpUntil([&] { return renderer_.WindowOf(manager_.Combo4) != nullptr; });
  SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
  for (int i = 0; i <= item; ++i) PostMessageA(combo, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageA(combo, WM_KEYDOWN, VK_RETURN, 0);
  PumpUntil([&] { return manager_.Combo4.ListIndex() == item && manager_.Text1.Text().empty(); });
  EXPECT_EQ(s_.reg.ReadRegValue(kHkeyLocalMachine, kFormKey, "D3D_QualityEnhancements").AsText(), "-10");
  EXPECT_EQ(s_.reg.ReadRegValue(kHkeyLocalMachine, kFormKey, "OGL_TripleBuffer").AsText(), "1");
  manager_.Unload();
}

// Regression: on the NT family with a driver of build 2960 or lower the
// profile manager asked the registry for the database's names whole, which
// no driver value has, and saved no Direct3D value.
TEST_F(WineProfileManager, SavesTheDirect3DValuesOfABuild2960Driver) {
  auto& fs = machine_.files();
  const std::string system = machine_.system().GetSystemDirectory();
  // The driver DLL start-up reads: nv4_disp.dll up to XP, nvd3dum.dll from Vista on.
  for (const char* dll : {"\\nv4_disp.dll", "\\nvd3dum.dll"})
    ASSERT_TRUE(fs.CopyFile(fs.ProgramFolder() + "\\standins\\ks_nv2960.dll", system + dll));
  {
    Form1 detection(s_);
    detection.ShowOsAndDirectXVersion();
    detection.ReadDriverVersion();
  }
  InstallStandIns(machine_);
  ASSERT_EQ(s_.DriverBuild, 2960);
  ASSERT_NE(s_.OsClass, 0) << "the NT family";
  PutDriverValues();
  ASSERT_NO_FATAL_FAILURE(TypeProfileName());
  EXPECT_EQ(SaveAndReadBack(),
            Items({"ksp", "0322", "0", "0", "D3D_QualityEnhancements", "-10", "OGL_TripleBuffer", "1"}));
  manager_.Unload();
}

}  // namespace
}  // namespace ks::test
