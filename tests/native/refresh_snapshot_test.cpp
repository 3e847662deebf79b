// Every road that reads the driver into the pages again, and every plain
// start: afterwards HKEY_LOCAL_MACHINE (the driver keys and the driver's
// global keys) holds, key for key and byte for byte, what the same road
// leaves with its re-reading taken out: what the driver held, and what the
// preset, the wizard or the SLI box itself wrote. Nothing changed, nothing
// created, nothing removed. And on the classic Windows 9x drivers the
// controls whose settings those drivers do not hold are disabled and write
// nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "engine/d3d.h"
#include "engine/driver_values.h"
#include "engine/ogl.h"
#include "engine/setting_codes.h"
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
    {"Windows 98 (OS class 0) build 5000", OsKind::kWin98, 0, 5000},
};

const std::string kPresetName = "vsync off.ksp";
// The preview's pictures the installation ships, by mode.
constexpr const char* kPreviewPictures[] = {
    "auto", "Disabled", "2x", "2x1", "1x2", "2x enh", "Quincunx", "4x", "4x 9-tap", "4xS", "4xSS", "6x", "6xS",
    "8x", "8xS", "16x", "SLI 4x", "SLI 4xQ", "SLI 8x", "SLI 8xG", "SLI 8xS", "SLI 12xS", "SLI 16x", "SLI 32x"};
// The tray launcher passes the full path of a preset in the presets folder.
std::string TrayPresetPath(fake::FakeMachine& m) { return m.fs.ProgramFolder() + kPresetFolder + kPresetName; }
// A preset kept elsewhere, opened from the shell.
std::string OtherPresetPath(fake::FakeMachine& m) {
  return m.fs.ProgramFolder() + "\\DATA\\My presets\\" + kPresetName;
}

// The preset every preset road applies: vertical sync off, prerender 7,
// SLI antialiasing turned over (on, or off where the driver holds it on),
// antialiasing "4x" (under both builds' names), anisotropy "4x", at most 2
// textures, pixel and vertex shaders 1.1.
std::string PresetFile(bool sli_on_before) {
  std::string out;
  for (const char* item : {"ksp", "999", "0", "0", "D3D_60461791", "138504007", "D3D_98764205", "7"})
    AddPresetItem(out, item);
  for (const std::string& item :
       {std::string("D3DOGL_12677978"), std::to_string(sli_on_before ? 0x51621660 : 0x29060797),
        std::string("D3DOGL_70835937"), std::to_string(0x10000010), std::string("D3d_70835937"), std::string("3"),
        std::string("D3DOGL_74095213"), std::to_string(0x10000004), std::string("D3D_59954022"), std::string("2"),
        std::string("D3d_59954021"), std::to_string(static_cast<std::int32_t>(0xFFFF0101u)),
        std::string("D3D_59954023"), std::to_string(static_cast<std::int32_t>(0xFFFE0101u))})
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
// driver), or the values above, with SLI antialiasing off (no value) or on.
enum class Held { kNothing, kPageValues, kPageValuesSliOn };
struct DriverState {
  const char* name;
  Held held;
};
constexpr DriverState kDriverStates[] = {
    {"a fresh driver", Held::kNothing},
    {"a value for every page control", Held::kPageValues},
    {"a value for every page control, SLI antialiasing on", Held::kPageValuesSliOn},
};

std::unique_ptr<fake::FakeMachine> MachineFor(const Where& where, Held held = Held::kPageValues) {
  MachineSpec spec = DefaultSpec(where.os);
  spec.driver_version = spec.driver_version.substr(0, spec.driver_version.size() - 4) + std::to_string(where.build);
  spec.cards[0].device_id = "0091";  // a GeForce 7800 GTX: SLI, transparency and gamma, 16x, shader model 3
  auto m = BuildMachine(spec);
  InstallChipData(*m);
  const bool sli_on = held == Held::kPageValuesSliOn;
  m->fs.AddFile(TrayPresetPath(*m), PresetFile(sli_on));
  m->fs.AddFile(OtherPresetPath(*m), PresetFile(sli_on));
  m->fs.AddFile(m->fs.ProgramFolder() + "\\DATA\\PW\\index.dat", "\"Game\"\r\n");
  m->fs.AddFile(m->fs.ProgramFolder() + "\\DATA\\PW\\Game\\09.dat", "0,4,6,4\r\n");
  // The antialiasing preview's pictures, so each page shows its mode's.
  for (const char* size : {"1", "2"})
    for (const char* mode : kPreviewPictures)
      m->fs.AddFile(m->fs.ProgramFolder() + "\\data\\aa\\" + size + "\\" + mode + ".jpg",
                    ReadRepoData(std::string("aa/") + size + "/" + mode + ".jpg"));
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
  if (sli_on && !IsClassicDriver(probe)) WriteD3DSetting(probe, none, d3d_code::kSliAA, 1);
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
  Program(fake::FakeMachine& machine, const std::string& command_line, bool reread)
      : m(machine), s(machine), form(s) {
    MarkLanguage(s);
    s.app.Title = "KestrelaneSE";
    form.CommandLine = command_line;
    if (!reread) form.form6().RefreshPages = nullptr;
    form.Load();
  }
  fake::FakeMachine& m;
  SeState s;
  Form1 form;
};

// A road is the program's command line and what is done once it has started.
std::string NoCommandLine(fake::FakeMachine&) { return ""; }
void NothingMore(Program&, bool) {}

void PresetFromTheProfileManager(Program& p, bool reread) {
  Form6& manager = p.form.form6();
  manager.Show();
  if (!reread) manager.RefreshPages = nullptr;
  manager.Text1.SetText(TrayPresetPath(p.m));
  manager.LoadIt();
}

// The box's own write, D 127 with its new state, stands for the road
// without its re-reading (the sister box's handler writes the same again).
void SliBox(Program& p, bool reread, bool direct3d_page) {
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
void Direct3DSliBox(Program& p, bool reread) { SliBox(p, reread, true); }
void OpenGLSliBox(Program& p, bool reread) { SliBox(p, reread, false); }

void WizardOptimize(Program& p, bool reread) {
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
  std::string (*command_line)(fake::FakeMachine&);
  void (*then)(Program&, bool reread);
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
    {"plain start", NoCommandLine, NothingMore},
    {"preset from the profile manager", NoCommandLine, PresetFromTheProfileManager},
    {"preset on the command line", OtherPresetPath, NothingMore},
    {"preset from the tray launcher", TrayPresetPath, NothingMore},
    {"Direct3D SLI box", NoCommandLine, Direct3DSliBox},
    {"OpenGL SLI box", NoCommandLine, OpenGLSliBox},
    {"wizard's Optimize", NoCommandLine, WizardOptimize},
};

void Travel(const Road& road, fake::FakeMachine& m, bool reread) {
  Program p(m, road.command_line(m), reread);
  road.then(p, reread);
}

TEST(DriverRefresh, EveryRoadLeavesTheDriverAsTheRoadItselfWroteIt) {
  for (const Road& road : kRoads) {
    for (const Where& where : kMachines) {
      for (const DriverState& state : kDriverStates) {
        const std::string row = std::string(road.name) + ", " + where.name + ", " + state.name;
        auto taken = MachineFor(where, state.held);
        auto kept = MachineFor(where, state.held);
        Travel(road, *taken, true);
        if (road.then != NothingMore || road.command_line != NoCommandLine) Travel(road, *kept, false);
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
  Travel(kRoads[2], *m, true);
  const auto vsync = m->reg.Get("HKLM\\" + DriverKeyOf(OsKind::kXp, 0), d3d::kVSync.name);
  ASSERT_TRUE(vsync.has_value());
  EXPECT_EQ(vsync->type, platform::kRegBinary);
  EXPECT_EQ(vsync->bytes, FourBytes(138504007));
}

// The readings after a preset, an SLI box and the wizard write nothing, so
// no handler of the mode box shows the new mode's picture: each road shows
// the picture of the mode it reads back itself. On XP with a build-7701
// driver.
struct PreviewCase {
  const char* road;
  Held held;
  const char* mode_before;
  void (*run)(Program&);
  const char* mode_after;  // what Combo3 reads back, and the picture's name
};
const PreviewCase kPreviewCases[] = {
    {"preset from the profile manager", Held::kNothing, "<137>",
     [](Program& p) {
       std::string preset;
       for (const char* item : {"ksp", "999", "0", "0", "D3DOGL_70835937", "268435472"}) AddPresetItem(preset, item);
       p.m.fs.AddFile(TrayPresetPath(p.m), preset);
       PresetFromTheProfileManager(p, true);
     },
     "4x"},
    // The driver holds "4x 9-tap"; SLI antialiasing on names it "SLI 8xG".
    {"Direct3D SLI box", Held::kPageValues, "4x 9-tap", [](Program& p) { Direct3DSliBox(p, true); }, "SLI 8xG"},
    {"OpenGL SLI box", Held::kPageValues, "4x 9-tap", [](Program& p) { OpenGLSliBox(p, true); }, "SLI 8xG"},
    {"Direct3D SLI box", Held::kPageValuesSliOn, "SLI 8xG", [](Program& p) { Direct3DSliBox(p, true); }, "4x 9-tap"},
    // "Game" on a 2993 MHz processor at bar 6 stores "4x".
    {"wizard's Optimize", Held::kNothing, "<137>", [](Program& p) { WizardOptimize(p, true); }, "4x"},
};

TEST(DriverRefresh, ThePreviewShowsTheModeTheRoadReadsBack) {
  ASSERT_EQ(kMachines[10].build, 7701);
  for (const PreviewCase& c : kPreviewCases) {
    auto m = MachineFor(kMachines[10], c.held);
    const std::string pictures = m->fs.ProgramFolder() + "\\data\\aa\\1\\";
    auto picture = [&](const std::string& mode) { return pictures + (mode == "<137>" ? "auto" : mode) + ".jpg"; };
    Program p(*m, "", true);
    ASSERT_EQ(p.form.Combo3.Text(), c.mode_before) << c.road;
    ASSERT_EQ(p.form.Image3.Picture(), picture(c.mode_before)) << c.road;
    c.run(p);
    EXPECT_EQ(p.form.Combo3.Text(), c.mode_after) << c.road;
    EXPECT_EQ(p.form.Image3.Picture(), picture(c.mode_after)) << c.road;
  }
}

// --- what the pages show ---

// The tweak pages: antialiasing (1, 2), texture filtering (5, 6),
// miscellaneous (7, 8), resolution (10), multitexturing (11), shaders (12)
// and OpenGL compatibility (13).
constexpr int kTweakPages[] = {1, 2, 5, 6, 7, 8, 10, 11, 12, 13};

int PageOf(const ui::Control& control) {
  for (const ui::Frame* frame = control.Container(); frame; frame = frame->Container())
    if (frame->Name() == "Frame1") return frame->Index();
  return -1;
}

// What every control of the tweak pages shows, as "Combo3.Text" -> "4x":
// texts, selected entries and lists of the combo boxes, states of the boxes
// and option buttons, positions and ranges of the sliders, captions,
// pictures, and whether each control is enabled.
Snapshot PagesShown(const Form1& form) {
  Snapshot out;
  for (const ui::Control* c : form.controls()) {
    const int page = PageOf(*c);
    if (std::find(std::begin(kTweakPages), std::end(kTweakPages), page) == std::end(kTweakPages)) continue;
    const std::string name = c->FullName();
    // The shader page's picture shows no driver value, and a start loads it
    // only when it shows the window (not for a preset on the command line).
    if (name == "Image4") continue;
    out[name + ".Enabled"] = c->Enabled() ? "1" : "0";
    switch (c->kind()) {
      case ui::Kind::kComboBox: {
        const auto& combo = static_cast<const ui::ComboBox&>(*c);
        out[name + ".Text"] = combo.Text();
        out[name + ".ListIndex"] = std::to_string(combo.ListIndex());
        std::string items;
        for (const std::string& item : combo.items()) items += "[" + item + "]";
        out[name + ".List"] = items;
        break;
      }
      case ui::Kind::kCheckBox: out[name + ".Value"] = std::to_string(static_cast<const ui::CheckBox&>(*c).Value()); break;
      case ui::Kind::kOptionButton:
        out[name + ".Value"] = static_cast<const ui::OptionButton&>(*c).Value() ? "1" : "0";
        break;
      case ui::Kind::kFlatScrollBar: {
        const auto& bar = static_cast<const ui::FlatScrollBar&>(*c);
        out[name + ".Value"] = std::to_string(bar.Value());
        out[name + ".Max"] = std::to_string(bar.Max());
        break;
      }
      case ui::Kind::kLabel: out[name + ".Caption"] = static_cast<const ui::Label&>(*c).Caption(); break;
      case ui::Kind::kImage:
      case ui::Kind::kPictureBox:
        out[name + ".Picture"] = static_cast<const ui::PictureControl&>(*c).Picture();
        break;
      default: break;
    }
  }
  return out;
}

// "Combo3.Text: a fresh start shows "SLI 8x", the road left "4x"".
std::vector<std::string> ShownDifferences(const Snapshot& fresh, const Snapshot& left) {
  std::vector<std::string> out;
  for (const auto& [what, shown] : fresh) {
    const auto now = left.find(what);
    const std::string is = now == left.end() ? "<nothing>" : now->second;
    if (is != shown) out.push_back(what + ": a fresh start shows \"" + shown + "\", the road left \"" + is + "\"");
  }
  return out;
}

// A pick of `text` in an antialiasing or anisotropy box, where its list offers it.
void Pick(Program& p, ui::ComboBox& box, const std::string& text) {
  ShowPageOf(p.form, box);
  const int index = box.FindItem(text);
  if (index >= 0) box.UserPick(index);
}
// From build 5000 the two pages share one antialiasing value and one
// anisotropy value, so a pick on one page also changes what the other
// shows. Regression: at build 5000 itself the sister box was not set, and
// kept "Auto" while the shared value held "4x". Regression: a pick from
// the list (Click) left the preview on the old mode's picture, unless a
// mirror into the box changed its text.
constexpr Road kPicks[] = {
    {"\"4x\" picked in Combo3", NoCommandLine, [](Program& p, bool) { Pick(p, p.form.Combo3, "4x"); }},
    {"\"Quincunx\" picked in Combo1", NoCommandLine, [](Program& p, bool) { Pick(p, p.form.Combo1, "Quincunx"); }},
    {"\"8x\" picked in Combo4", NoCommandLine, [](Program& p, bool) { Pick(p, p.form.Combo4, "8x"); }},
    {"\"16x\" picked in Combo4", NoCommandLine, [](Program& p, bool) { Pick(p, p.form.Combo4, "16x"); }},
    {"\"2x\" picked in Combo2", NoCommandLine, [](Program& p, bool) { Pick(p, p.form.Combo2, "2x"); }},
};

// After every road that reads the driver again (and after a pick in a box
// whose value the other page shares), each tweak page shows what a fresh
// start on the same registry shows: the pages show what the driver holds.
// Regression, after a preset: page 11 kept "no override" with its slider at
// the top while the preset stored 2 textures, page 12's sliders stayed at
// the top beside captions saying 1.1, and a preset that turned SLI
// antialiasing over left the antialiasing lists without the mode shown
// ("SLI 8x", no entry selected) until the next start.
TEST(PageRefresh, EveryRoadLeavesThePagesAsAFreshStartShowsThem) {
  std::vector<Road> roads(std::begin(kRoads), std::end(kRoads));
  roads.insert(roads.end(), std::begin(kPicks), std::end(kPicks));
  for (const Road& road : roads) {
    for (const Where& where : kMachines) {
      for (const DriverState& state : kDriverStates) {
        const std::string row = std::string(road.name) + ", " + where.name + ", " + state.name;
        auto m = MachineFor(where, state.held);
        Snapshot left;
        {
          Program p(*m, road.command_line(*m), true);
          road.then(p, true);
          left = PagesShown(p.form);
        }
        Program fresh(*m, "", true);
        EXPECT_EQ(ShownDifferences(PagesShown(fresh.form), left), std::vector<std::string>{}) << row;
      }
    }
  }
}

// --- the registry editor ---

// The value database the installation ships, which the editor lists.
std::unique_ptr<fake::FakeMachine> MachineWithDatabase(const Where& where, Held held) {
  auto m = MachineFor(where, held);
  for (const char* name :
       {"0000d3d", "2281d3d", "4103d3d", "4230d3d", "5000d3d", "0000ogl", "5000ogl", "7701ogl", "0000sys"})
    m->fs.AddFile(m->fs.ProgramFolder() + kDatabaseFolder + name + ".dat",
                  ReadRepoData(std::string("Database/") + name + ".dat"));
  return m;
}

// The editor open on `page` (0 Direct3D, 1 OpenGL), as the main window's
// toolbar opens it beside the pages.
Form3& OpenEditor(Program& p, int page) {
  Form3& editor = p.form.form3();
  editor.Show(false);
  if (page != 0) editor.Combo1.UserPick(page);
  return editor;
}

// What the editor shows for each entry of its page, each one picked in turn.
std::vector<std::string> EditorValues(Form3& editor) {
  std::vector<std::string> shown;
  for (int i = 0; i < editor.List1.ListCount(); ++i) {
    editor.List1.UserPick(i);
    shown.push_back(editor.Label2.Caption());
  }
  return shown;
}

struct EditorEntry {
  int page = 0;
  int index = 0;
  bool changes = false;  // the road changes the value this entry shows
};
// The first entry (the Direct3D page first) whose shown value the road
// changes, found on a machine of its own; entry 0 when it changes none.
EditorEntry EntryTheRoadChanges(const Road& road, const Where& where, Held held) {
  for (int page : {0, 1}) {
    auto m = MachineWithDatabase(where, held);
    Program p(*m, "", true);
    Form3& editor = OpenEditor(p, page);
    const std::vector<std::string> before = EditorValues(editor);
    road.then(p, true);
    const std::vector<std::string> after = EditorValues(editor);
    for (size_t i = 0; i < before.size(); ++i)
      if (before[i] != after[i]) return {page, static_cast<int>(i), true};
  }
  return {};
}

// With the registry editor open on the value a road changes, the road
// leaves it showing what the registry holds, as picking the entry again
// (or a fresh open) shows. Regression: a preset applied with the editor
// open left "D3DOGL_70835937" at 269549586 while the driver held 268435472.
TEST(PageRefresh, TheRegistryEditorOpenDuringARoadShowsWhatTheDriverHolds) {
  for (const Road& road : kRoads) {
    // The command line shows no window, and a plain start reads nothing again.
    if (road.command_line != NoCommandLine || road.then == NothingMore) continue;
    int changed = 0;
    for (const Where& where : kMachines) {
      for (const DriverState& state : kDriverStates) {
        const std::string row = std::string(road.name) + ", " + where.name + ", " + state.name;
        const EditorEntry entry = EntryTheRoadChanges(road, where, state.held);
        auto m = MachineWithDatabase(where, state.held);
        Program p(*m, "", true);
        Form3& editor = OpenEditor(p, entry.page);
        editor.List1.UserPick(entry.index);
        const std::string before = editor.Label2.Caption();
        road.then(p, true);
        const std::string left = editor.Label2.Caption();
        editor.List1.UserPick(entry.index);
        EXPECT_EQ(left, editor.Label2.Caption()) << row << ", " << editor.List1.List(entry.index);
        if (entry.changes) {
          EXPECT_NE(left, before) << row;
          ++changed;
        }
      }
    }
    EXPECT_GT(changed, 0) << road.name << " changes no value the editor shows";
  }
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
