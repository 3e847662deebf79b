// Every road that reads the driver into the pages again, and every plain
// start: afterwards HKEY_LOCAL_MACHINE (the driver keys and the driver's
// global keys) holds, key for key and byte for byte, what the same road
// leaves with its re-reading taken out: what the driver held, and what the
// preset, the wizard or the SLI box itself wrote. Nothing changed, nothing
// created, nothing removed. And on the classic Windows 9x drivers the
// controls whose settings those drivers do not hold are disabled and write
// nothing.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "engine/d3d.h"
#include "engine/driver_values.h"
#include "engine/ogl.h"
#include "native/fixtures/machines.h"
#include "native/reader_rig.h"
#include "native/registry_snapshot.h"
#include "native/repo_data.h"
#include "pages/Form4.h"
#include "shell/satellite_forms.h"
#include "tools/Form6.h"
#include "tools/presets.h"

namespace ks::test {
namespace {

class NoControls : public SettingControls {
 public:
  void SetControlText(WriterControl, const std::string&) override {}
};

// --- the machines ---

struct Where {
  const char* name;
  OsKind os;
  std::int16_t os_class;
  std::int32_t build;
};
constexpr Where kMachines[] = {
    {"Windows 98 (OS class 0) build 2280", OsKind::kWin98, 0, 2280},
    {"Windows 98 (OS class 0) build 2281", OsKind::kWin98, 0, 2281},
    {"Windows 98 (OS class 0) build 4500", OsKind::kWin98, 0, 4500},
    {"Windows 98 (OS class 0) build 7701", OsKind::kWin98, 0, 7701},
    {"NT 4 (OS class 1) build 4500", OsKind::kNt4, 1, 4500},
    {"NT 4 (OS class 1) build 7701", OsKind::kNt4, 1, 7701},
    {"Windows 2000 (OS class 2) build 4500", OsKind::kWin2000, 2, 4500},
    {"Windows 2000 (OS class 2) build 6100", OsKind::kWin2000, 2, 6100},
    {"XP (OS class 3) build 4500", OsKind::kXp, 3, 4500},
    {"XP (OS class 3) build 5000", OsKind::kXp, 3, 5000},
    {"XP (OS class 3) build 7701", OsKind::kXp, 3, 7701},
    {"Vista (OS class 4) build 4500", OsKind::kVista, 4, 4500},
    {"Vista (OS class 4) build 7701", OsKind::kVista, 4, 7701},
};

const std::string kPresetName = "vsync off.ksp";
// The tray launcher passes the full path of a preset in the presets folder.
std::string TrayPresetPath(fake::FakeMachine& m) { return m.fs.ProgramFolder() + kPresetFolder + kPresetName; }
// A preset kept elsewhere, opened from the shell.
std::string OtherPresetPath(fake::FakeMachine& m) {
  return m.fs.ProgramFolder() + "\\DATA\\My presets\\" + kPresetName;
}

// The preset every preset road applies: vertical sync off, prerender 7.
std::string PresetFile() {
  std::string out;
  for (const char* item : {"ksp", "999", "0", "0", "D3D_60461791", "138504007", "D3D_98764205", "7"})
    AddPresetItem(out, item);
  return out;
}

struct Code {
  bool d3d;
  std::int16_t code;
  std::int32_t value = 0;
};
// What the driver holds before the road: a value for every control of the
// Direct3D and OpenGL pages, each one a choice of its page and none the
// reader's fallback, written by the writers where this machine keeps them.
// Vertical sync is "Enabled" (0x60925292), which the preset turns off.
constexpr Code kHeld[] = {
    {true, 45},        {true, 3},         {true, 61},        {true, 107},       {true, 66, 5},
    {true, 68},        {true, 15},        {true, 109},       {true, 115},       {true, 116},
    {true, 120},       {true, 34},        {true, 122},       {true, 126, 0},    {true, 86},
    {true, 91},        {true, 30, -3},    {true, 96},        {false, 21},       {false, 12},
    {false, 24},       {false, 22},       {false, 10},       {false, 66, 10},   {false, 68},
    {false, 79, 0},    {false, 80, 1},    {false, 81, 0},    {false, 63, 4},    {false, 70, 3},
    {false, 73, 0x00342E31}, {false, 34}, {false, 71},       {false, 78, 1},    {false, 60},
};

// What the driver holds before the road: nothing of its own (a fresh
// driver), or the values above.
enum class Held { kNothing, kPageValues };
struct DriverState {
  const char* name;
  Held held;
};
constexpr DriverState kDriverStates[] = {
    {"a fresh driver", Held::kNothing},
    {"a value for every page control", Held::kPageValues},
};

std::unique_ptr<fake::FakeMachine> MachineFor(const Where& where, Held held = Held::kPageValues) {
  MachineSpec spec = DefaultSpec(where.os);
  spec.driver_version = spec.driver_version.substr(0, spec.driver_version.size() - 4) + std::to_string(where.build);
  spec.cards[0].device_id = "0091";  // a GeForce 7800 GTX: SLI, transparency and gamma, 16x, shader model 3
  auto m = BuildMachine(spec);
  InstallChipData(*m);
  m->fs.AddFile(TrayPresetPath(*m), PresetFile());
  m->fs.AddFile(OtherPresetPath(*m), PresetFile());
  m->fs.AddFile(m->fs.ProgramFolder() + "\\DATA\\PW\\index.dat", "\"Game\"\r\n");
  m->fs.AddFile(m->fs.ProgramFolder() + "\\DATA\\PW\\Game\\09.dat", "0,4,6,4\r\n");
  if (held == Held::kNothing) return m;

  SeState probe(*m);
  probe.OsClass = where.os_class;
  probe.DriverBuild = where.build;
  probe.DriverKey = DriverKeyOf(where.os, 0);
  probe.GammaAA = 1;        // the antialiasing mode with gamma correction
  probe.TranspAAMode = 1;   // and transparency multisampling
  probe.MaxTextures = 8;    // the card's own limit: the slider's top
  NoControls none;
  for (const Code& c : kHeld) {
    // NT 4 gives no device id, so the card's multitexturing limit is not
    // known there; what a start does with a stored limit it cannot check is
    // the multitexturing page's own rule.
    if (c.d3d && c.code == 96 && where.os == OsKind::kNt4) continue;
    if (c.d3d) WriteD3DSetting(probe, none, c.code, c.value);
    else WriteOGLSetting(probe, none, c.code, c.value);
  }
  // The classic drivers' own switches that no page sets.
  const std::string classic = "HKLM\\" + probe.DriverKey + kDirect3DSubkey;
  if (IsClassicDriver(probe)) {
    m->reg.PutDword(classic, d3d_classic::kZ24.name, 0);
    m->reg.PutDword(classic, d3d_classic::kFogTable.name, 0);
  }
  return m;
}

// --- the roads ---

// One run of KestrelaneSE on the machine: the main window loaded with the
// command line (start-up, and the preset road when it is not empty).
struct Program {
  Program(fake::FakeMachine& machine, const std::string& command_line, bool reread) : s(machine), form(s) {
    MarkLanguage(s);
    s.app.Title = "KestrelaneSE";
    form.CommandLine = command_line;
    if (!reread) form.form6().RefreshPages = nullptr;
    form.Load();
  }
  SeState s;
  Form1 form;
};

void PlainStart(fake::FakeMachine& m, bool) { Program p(m, "", true); }

void PresetOnTheCommandLine(fake::FakeMachine& m, bool reread) { Program p(m, OtherPresetPath(m), reread); }

void PresetFromTheTray(fake::FakeMachine& m, bool reread) { Program p(m, TrayPresetPath(m), reread); }

void PresetFromTheProfileManager(fake::FakeMachine& m, bool reread) {
  Program p(m, "", true);
  Form6& manager = p.form.form6();
  manager.Show();
  if (!reread) manager.RefreshPages = nullptr;
  manager.Text1.SetText(TrayPresetPath(m));
  manager.LoadIt();
}

// The box's own write, D 127 with its new state, stands for the road
// without its re-reading (the sister box's handler writes the same again).
void SliBox(fake::FakeMachine& m, bool reread, bool direct3d_page) {
  Program p(m, "", true);
  ui::CheckBox& box = direct3d_page ? p.form.Check15 : p.form.Check16;
  ShowPageOf(p.form, box);
  if (!box.Enabled()) return;
  if (reread) {
    box.UserClick();
  } else {
    const std::int32_t on = box.Value() == ui::kChecked ? 0 : 1;
    WriteD3DSetting(p.s, p.form, 127, on);
  }
}
void Direct3DSliBox(fake::FakeMachine& m, bool reread) { SliBox(m, reread, true); }
void OpenGLSliBox(fake::FakeMachine& m, bool reread) { SliBox(m, reread, false); }

void WizardOptimize(fake::FakeMachine& m, bool reread) {
  Program p(m, "", true);
  if (!reread) {
    p.form.Procedures.DetectD3DSettings = nullptr;
    p.form.Procedures.DetectOGLSettings = nullptr;
  }
  Form4& wizard = p.form.form4();
  wizard.Show();
  wizard.Combo1.UserType("Game");
  wizard.FlatScrollBar1.UserChange(6);
  wizard.Command1.UserClick();
}

struct Road {
  const char* name;
  void (*run)(fake::FakeMachine&, bool reread);
};
// Regression, every road but the plain start (the Direct3D SLI box sets the
// OpenGL one, whose handler reads again): the readers ran with IsStart 0,
// so each control they set ran its handler, which wrote the control's
// choice back. Vertical sync read "Enabled" while Combo12 was set to it
// first: "D3D_60461791" ended at 0x47814940 whatever the driver held (the
// preset's 138504007 too); on a fresh driver "FSAAMode" = 0 (below build
// 5000), "D3DOGL_70835937" = 0 (from 5000) and more were created.
// Regression, the plain start: the multitexturing and shader sliders wrote
// back what start-up had read (a stored multitexturing limit at the
// slider's top was deleted; on the classic drivers the top wrote
// "Z24ENABLE" = 1 and the pixel shader slider "FOGTABLEENABLE").
constexpr Road kRoads[] = {
    {"plain start", PlainStart},
    {"preset from the profile manager", PresetFromTheProfileManager},
    {"preset on the command line", PresetOnTheCommandLine},
    {"preset from the tray launcher", PresetFromTheTray},
    {"Direct3D SLI box", Direct3DSliBox},
    {"OpenGL SLI box", OpenGLSliBox},
    {"wizard's Optimize", WizardOptimize},
};

TEST(DriverRefresh, EveryRoadLeavesTheDriverAsTheRoadItselfWroteIt) {
  for (const Road& road : kRoads) {
    for (const Where& where : kMachines) {
      for (const DriverState& state : kDriverStates) {
        const std::string row = std::string(road.name) + ", " + where.name + ", " + state.name;
        auto taken = MachineFor(where, state.held);
        auto kept = MachineFor(where, state.held);
        road.run(*taken, true);
        if (road.run != PlainStart) road.run(*kept, false);
        EXPECT_EQ(Differences(TakeMachine(*kept), TakeMachine(*taken)), std::vector<std::string>{}) << row;
      }
    }
  }
}

// The command-line preset on an XP machine with a build-7701 driver: the
// driver ends with what the preset stored.
TEST(DriverRefresh, ThePresetsVerticalSyncStays) {
  auto m = MachineFor(kMachines[10]);
  ASSERT_EQ(kMachines[10].build, 7701);
  PresetOnTheCommandLine(*m, true);
  const auto vsync = m->reg.Get("HKLM\\" + DriverKeyOf(OsKind::kXp, 0), d3d::kVSync.name);
  ASSERT_TRUE(vsync.has_value());
  EXPECT_EQ(vsync->type, platform::kRegBinary);
  EXPECT_EQ(vsync->bytes, FourBytes(138504007));
}

// The reading after a preset writes nothing, so no handler of the mode box
// shows the new mode's picture: the profile manager shows it afterwards.
TEST(DriverRefresh, ThePreviewShowsTheModeThePresetStored) {
  auto m = MachineFor(kMachines[10], Held::kNothing);
  ASSERT_EQ(kMachines[10].build, 7701);
  const std::string pictures = m->fs.ProgramFolder() + "\\data\\aa\\1\\";
  for (const char* picture : {"auto.jpg", "4x.jpg"})
    m->fs.AddFile(pictures + picture, ReadRepoData(std::string("aa/1/") + picture));
  std::string preset;
  for (const char* item : {"ksp", "999", "0", "0", "D3DOGL_70835937", "268435472"}) AddPresetItem(preset, item);
  m->fs.AddFile(TrayPresetPath(*m), preset);
  Program p(*m, "", true);
  ASSERT_EQ(p.form.Image3.Picture(), pictures + "auto.jpg");
  Form6& manager = p.form.form6();
  manager.Show();
  manager.Text1.SetText(TrayPresetPath(*m));
  manager.LoadIt();
  EXPECT_EQ(p.form.Combo3.Text(), "4x");
  EXPECT_EQ(p.form.Image3.Picture(), pictures + "4x.jpg");
}

// --- the classic drivers ---

// A control whose setting the classic drivers do not hold, and a change of
// it made by the program (a disabled control takes no user input, but code
// still moves it).
struct ClassicCase {
  const char* control;
  void (*change)(Form1&);
};
// Regression: FlatScrollBar5's top sent code 33, which is the 24-bit Z
// buffer there ("Z24ENABLE" = 1), and FlatScrollBar6(0)'s 0 and top sent 37
// and 38, the fog table ("FOGTABLEENABLE"); every other one was enabled and
// wrote nothing.
const ClassicCase kClassicCases[] = {
    {"FlatScrollBar5", [](Form1& f) { f.FlatScrollBar5.SetValue(f.FlatScrollBar5.Max()); }},
    {"FlatScrollBar5", [](Form1& f) { f.FlatScrollBar5.SetValue(1); }},
    {"FlatScrollBar6(0)", [](Form1& f) { f.FlatScrollBar6[0].SetValue(0); }},
    {"FlatScrollBar6(0)", [](Form1& f) { f.FlatScrollBar6[0].SetValue(f.FlatScrollBar6[0].Max()); }},
    {"FlatScrollBar6(1)", [](Form1& f) { f.FlatScrollBar6[1].SetValue(1); }},
    {"Check8", [](Form1& f) { f.Check8.SetValue(f.Check8.Value() == 1 ? 0 : 1); }},
    {"Check9", [](Form1& f) { f.Check9.SetValue(f.Check9.Value() == 1 ? 0 : 1); }},
    {"Check15", [](Form1& f) { f.Check15.SetValue(f.Check15.Value() == 1 ? 0 : 1); }},
    {"Check16", [](Form1& f) { f.Check16.SetValue(f.Check16.Value() == 1 ? 0 : 1); }},
    {"Combo6", [](Form1& f) { f.Combo6.SetListIndex(3); }},
    {"Check6(1)", [](Form1& f) { f.Check6[1].SetValue(f.Check6[1].Value() == 1 ? 0 : 1); }},
    {"Check4(0)", [](Form1& f) { f.Check4[0].SetValue(f.Check4[0].Value() == 1 ? 0 : 1); }},
    {"Check4(1)", [](Form1& f) { f.Check4[1].SetValue(f.Check4[1].Value() == 1 ? 0 : 1); }},
    {"Check4(2)", [](Form1& f) { f.Check4[2].SetValue(f.Check4[2].Value() == 1 ? 0 : 1); }},
    {"Check4(3)", [](Form1& f) { f.Check4[3].SetValue(f.Check4[3].Value() == 1 ? 0 : 1); }},
    {"Check4(5)", [](Form1& f) { f.Check4[5].SetValue(f.Check4[5].Value() == 1 ? 0 : 1); }},
    {"Combo7", [](Form1& f) { f.Combo7.SetListIndex(2); }},
    {"Combo8", [](Form1& f) { f.Combo8.SetListIndex(1); }},
    {"Combo12", [](Form1& f) { f.Combo12.SetListIndex(2); }},
    {"Combo13", [](Form1& f) { f.Combo13.SetListIndex(4); }},
};

// A control by its name as "Check4(5)".
ui::Control* Named(const Form1& f, const std::string& text) {
  std::string name = text;
  int index = -1;
  if (const auto paren = name.find('('); paren != std::string::npos) {
    index = std::stoi(name.substr(paren + 1));
    name.erase(paren);
  }
  return f.Find(name, index);
}

TEST(ClassicDriver, ControlsWithoutAClassicSettingAreDisabledAndWriteNothing) {
  for (const Where& where : kMachines) {
    if (where.os_class != 0 || where.build > kClassicBuildLimit) continue;
    for (const ClassicCase& c : kClassicCases) {
      const std::string row = std::string(c.control) + ", " + where.name;
      auto m = MachineFor(where);
      Program p(*m, "", true);
      const Snapshot before = TakeMachine(*m);
      ui::Control* control = Named(p.form, c.control);
      ASSERT_NE(control, nullptr) << row;
      EXPECT_FALSE(control->Enabled()) << row;
      c.change(p.form);
      EXPECT_EQ(Differences(before, TakeMachine(*m)), std::vector<std::string>{}) << row;
    }
  }
}

// The controls whose settings the classic drivers hold stay as they are.
TEST(ClassicDriver, ControlsWithAClassicSettingStayEnabled) {
  auto m = MachineFor(kMachines[0]);
  ASSERT_EQ(kMachines[0].build, kClassicBuildLimit);
  Program p(*m, "", true);
  for (const char* name : {"Combo3", "Combo4", "FlatScrollBar3"})
    EXPECT_TRUE(p.form.Find(name)->Enabled()) << name;
  EXPECT_TRUE(p.form.Check6[0].Enabled());
  EXPECT_TRUE(p.form.Check4[4].Enabled());
}

// One build above the classic ones, nothing is disabled for them.
TEST(ClassicDriver, TheNumberedDriversKeepTheControls) {
  auto m = MachineFor(kMachines[1]);
  ASSERT_EQ(kMachines[1].build, kClassicBuildLimit + 1);
  Program p(*m, "", true);
  for (const ClassicCase& c : kClassicCases) {
    // The negative LOD bias box needs build 7000.
    if (std::string(c.control) == "Check4(5)") continue;
    EXPECT_TRUE(Named(p.form, c.control)->Enabled()) << c.control;
  }
}

}  // namespace
}  // namespace ks::test
