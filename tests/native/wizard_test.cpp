// The performance wizard: opening from the toolbar with its index, the
// profile read, and Optimize's writer calls for bar positions, processor
// classes and Fine Adjust.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "common/datafile.h"
#include "common/numbers.h"
#include "form1_rig.h"
#include "native/fixtures/machines.h"
#include "pages/Form4.h"
#include "pages/wizard_tables.h"
#include "native/device_names.h"

namespace ks::test {
namespace {

using Lines = std::vector<std::string>;

std::string Profile(const std::string& application, const std::string& card = "32") {
  return kProgram + "\\DATA\\PW\\" + application + "\\" + card + ".dat";
}

// A main window whose wizard records its writer calls ("D 30 2", "O 65")
// and the page readers it runs. The card is 0322, the application "Game".
struct Wizard : Form1Rig, ::testing::Test {
  Form4& w = f.form4();
  Lines calls;

  Wizard() {
    st.DeviceId = "0322";
    st.CpuMhz = 3000;
    w.WriteD3D = [this](std::int16_t code, std::int32_t value) { Note("D", code, value); };
    w.WriteOGL = [this](std::int16_t code, std::int32_t value) { Note("O", code, value); };
    f.Procedures.DetectD3DSettings = [this] { calls.push_back("DetectD3DSettings IsStart " + std::to_string(f.IsStart)); };
    f.Procedures.DetectOGLSettings = [this] { calls.push_back("DetectOGLSettings IsStart " + std::to_string(f.IsStart)); };
  }
  // Loads "Game" (AFvar 8), then the profile of `name`, which must read as no profile.
  void ExpectNoProfileReadFor(const std::string& name) {
    w.Combo1.UserType("Game");
    w.LoadWizardProfile();
    ASSERT_EQ(w.AFvar, 8);
    w.Combo1.UserType(name);
    w.LoadWizardProfile();
    EXPECT_EQ((std::vector<std::int32_t>{w.MHZvar, w.CardVar, w.AAvar, w.AFvar}), (std::vector<std::int32_t>{0, 0, 0, 0}))
        << name;
  }
  void Note(const char* writer, std::int16_t code, std::int32_t value) {
    // Codes that take no value are shown without one.
    const bool valued = code == wizard::kD3DLodBias || code == wizard::kOglLodBias || code == wizard::kOglTrilinearValue;
    calls.push_back(std::string(writer) + " " + std::to_string(code) + (valued ? " " + std::to_string(value) : ""));
  }
  // Opens the wizard on application "Game" with this profile.
  void Open(const std::string& profile, const std::string& application = "Game") {
    m.fs.AddFile(Profile(application), profile);
    w.Load();
    ASSERT_TRUE(w.Loaded());
    w.Combo1.UserType(application);
  }
  Lines Optimize() {
    calls.clear();
    w.Command1.UserClick();
    return calls;
  }
};

const Lines kRereads = {"DetectD3DSettings IsStart 0", "DetectOGLSettings IsStart 0"};

Lines Then(Lines first, const Lines& more) {
  first.insert(first.end(), more.begin(), more.end());
  return first;
}

TEST_F(Wizard, WorkedExample) {
  st.CpuMhz = 2000;
  Open("0,4,6,4\r\n");
  w.FlatScrollBar1.UserChange(6);
  EXPECT_EQ(Optimize(), Then({"D 1", "O 2", "D 11", "D 113", "O 64", "O 65", "O 63 2", "D 30 2", "D 108", "D 114",
                              "D 117", "D 121"},
                             kRereads));
  EXPECT_EQ(w.MHZvarX, 5);
  EXPECT_EQ(w.CardVar, 4);
  EXPECT_EQ(w.AAvar, 6);
  EXPECT_EQ(w.AFvar, 4);
  EXPECT_FALSE(w.Command1.Enabled());
}

TEST_F(Wizard, BarsClassesAndFineAdjust) {
  struct Case {
    const char* name;
    int mhz;
    const char* profile;
    int bar1, bar2, bar3;
    bool fine;
    Lines expected;
  };
  const Case cases[] = {
      {"all performance, fast processor", 3000, "0,0,0,0", 0, 0, 0, false,
       {"D 0", "O 0", "D 36", "D 67", "O 58", "O 65", "O 63 7", "D 30 7", "D 109", "D 115", "D 116", "D 120"}},
      {"bar 3 at its design value counts without Fine Adjust", 3000, "0,0,0,0", 0, 0, 2, false,
       {"D 0", "O 0", "D 36", "D 67", "O 58", "O 65", "O 63 7", "D 30 7", "D 108", "D 115", "D 116", "D 120"}},
      {"all quality, fast processor", 2800, "0,0,10,5", 9, 0, 2, false,
       {"D 8", "O 62", "D 112", "D 113", "O 64", "O 65", "O 63 -2", "D 30 -2", "D 108", "D 114", "D 117", "D 121"}},
      {"slowest processor lowers both levels by 7", 499, "0,0,10,5", 9, 0, 2, false,
       {"D 1", "O 2", "D 36", "D 69", "O 56", "O 65", "O 63 -2", "D 30 -2", "D 108", "D 114", "D 117", "D 121"}},
      {"Fine Adjust: antialiasing bar 0 lowers by 6", 3000, "0,0,10,5", 9, 0, 3, true,
       {"D 2", "O 1", "D 112", "D 113", "O 64", "O 66 5", "O 63 -7", "D 30 -7", "D 108", "D 114", "D 117", "D 121"}},
      {"Fine Adjust: antialiasing bar 4 raises by 2", 1100, "0,0,10,5", 9, 4, 3, true,
       {"D 101", "D 60", "D 113", "O 64", "O 66 5", "O 63 -7", "D 30 -7", "D 108", "D 114", "D 117", "D 121"}},
      {"Fine Adjust: OpenGL trilinear value never passes 31", 3000, "0,0,0,0", 0, 3, 0, true,
       {"D 0", "O 0", "D 36", "D 67", "O 58", "O 66 31", "O 63 7", "D 30 7", "D 109", "D 115", "D 116", "D 120"}},
      // A sum below 0 ((5 - 4) * 7 - 9) is held at 0, not written negative.
      {"Fine Adjust: OpenGL trilinear value never falls below 0", 3000, "0,0,10,5", 9, 3, 4, true,
       {"D 8", "O 62", "D 112", "D 113", "O 64", "O 66 0", "O 63 -12", "D 30 -12", "D 108", "D 114", "D 117", "D 121"}},
      {"Fine Adjust: texture bar 4 raises anisotropy by 2", 2300, "0,0,0,2", 5, 3, 4, true,
       {"D 0", "O 0", "D 11", "D 68", "O 57", "O 66 2", "O 63 2", "D 30 2", "D 108", "D 114", "D 117", "D 121"}},
      {"antialiasing 4xS has no OpenGL mode", 3000, "0,0,5,0", 9, 3, 2, false,
       {"D 5", "D 36", "D 113", "O 64", "O 65", "O 63 -2", "D 30 -2", "D 108", "D 114", "D 117", "D 121"}},
      {"antialiasing sum 14.5 rounds to 14 (half to even): Quincunx", 3000, "0,0,29,0", 1, 3, 2, false,
       {"D 2", "O 1", "D 36", "D 67", "O 58", "O 65", "O 63 6", "D 30 6", "D 108", "D 115", "D 116", "D 120"}},
      {"image sum: bar 1 of 5 gives round(0.5) = 0", 2800, "0,0,0,0", 5, 3, 0, false,
       {"D 0", "O 0", "D 36", "D 68", "O 57", "O 65", "O 63 2", "D 30 2", "D 108", "D 114", "D 117", "D 120"}},
      {"LOD bias 0.5 rounds to 0 (half to even)", 3000, "0,0,1,0", 7, 3, 1, true,
       {"D 0", "O 0", "D 36", "D 113", "O 64", "O 66 21", "O 63 0", "D 30 0", "D 108", "D 114", "D 117", "D 121"}},
      {"card value raises image setting and LOD bias", 500, "0,14,0,0", 2, 3, 0, false,
       {"D 0", "O 0", "D 36", "D 68", "O 57", "O 65", "O 63 19", "D 30 19", "D 108", "D 115", "D 116", "D 120"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    st.CpuMhz = c.mhz;
    m.fs.AddFile(Profile("Game"), c.profile);
    w.Unload();
    w.Load();
    w.Combo1.UserType("Game");
    w.FlatScrollBar1.UserChange(c.bar1);
    w.Check1.SetValue(c.fine ? ui::kChecked : ui::kUnchecked);
    w.FlatScrollBar2.SetValue(c.bar2);
    w.FlatScrollBar3.SetValue(c.bar3);
    EXPECT_EQ(Optimize(), Then(c.expected, kRereads));
  }
}

TEST(WizardTables, Invariants) {
  auto ascending = [](const auto& floors) {
    for (size_t i = 1; i < floors.size(); ++i)
      if (floors[i] <= floors[i - 1]) return false;
    return true;
  };
  EXPECT_TRUE(ascending(wizard::kCpuClassFloors));
  EXPECT_TRUE(ascending(wizard::kAALevelFloors));
  EXPECT_TRUE(ascending(wizard::kAFLevelFloors));
  EXPECT_EQ(static_cast<int>(wizard::kCpuClassFloors.size()), wizard::kTopCpuClass);
  EXPECT_EQ(wizard::kAAWrites.size(), wizard::kAALevelFloors.size() + 1);
  EXPECT_EQ(wizard::kAFWrites.size(), wizard::kAFLevelFloors.size() + 1);
  for (const auto& row : wizard::kAAWrites) {
    EXPECT_TRUE(row.d3d >= 0 && row.d3d <= 128);
    EXPECT_TRUE(row.ogl == wizard::kNoCode || (row.ogl >= 0 && row.ogl <= 81));
  }
  for (const auto& row : wizard::kTextureOptimizations) EXPECT_NE(row.met, row.otherwise);
}

TEST(WizardTables, CpuClassesAndCardKeys) {
  struct ClassCase {
    int mhz, expected;
  };
  for (const ClassCase& c : {ClassCase{0, 0}, {499, 0}, {500, 1}, {799, 1}, {800, 2}, {1099, 2}, {1100, 3}, {1499, 3},
                             {1500, 4}, {1899, 4}, {1900, 5}, {2299, 5}, {2300, 6}, {2799, 6}, {2800, 7}, {5000, 7}})
    EXPECT_EQ(CpuClass(c.mhz), c.expected) << c.mhz;
  struct KeyCase {
    const char* device_id;
    const char* expected;
  };
  for (const KeyCase& c : {KeyCase{"00F5", "F5"}, {"00F1", "F1"}, {"0322", "32"}, {"0141", "14"}, {"0040", "04"},
                           {"00FA", "FA"}, {"", ""}, {"0", ""}})
    EXPECT_EQ(WizardCardKey(c.device_id), c.expected) << c.device_id;
}

TEST_F(Wizard, ProfileOfTheCardIsRead) {
  struct Case {
    const char* device_id;
    const char* file;
  };
  for (const Case& c : {Case{"00F5", "F5"}, {"0322", "32"}, {"0141", "14"}}) {
    m.fs.AddFile(Profile("Game", c.file), std::string("1") + c.file[1] + ",5,6,7");
    st.DeviceId = c.device_id;
  }
  w.Load();
  w.Combo1.UserType("Game");
  for (const Case& c : {Case{"00F5", "F5"}, {"0322", "32"}, {"0141", "14"}}) {
    st.DeviceId = c.device_id;
    w.LoadWizardProfile();
    EXPECT_EQ(w.MHZvar, TextToInt32(std::string("1") + c.file[1]).value()) << c.device_id;
    EXPECT_EQ(w.AFvar, 7) << c.device_id;
  }
}

// A missing profile once lent the numbers of the application read before;
// every read now starts from 0, and a bad item keeps only what came before.
TEST_F(Wizard, MissingOrDamagedProfileStartsFromNothing) {
  struct Case {
    const char* name;
    const char* application;
    std::vector<std::int32_t> numbers;  // MHZvar, CardVar, AAvar, AFvar
  };
  m.fs.AddFile(Profile("Full"), "\"1500\", 4, 6, 4\r\n");
  m.fs.AddFile(Profile("Half"), "1200,7,x,4\r\n");
  m.fs.AddFile(Profile("Short"), "900,3\r\n");
  m.fs.AddFile(Profile("Empty"), "");
  m.fs.AddFile(Profile("Locked"), "1,2,3,4");
  m.fs.SetLocked(Profile("Locked"), true);
  const Case cases[] = {
      {"complete", "Full", {1500, 4, 6, 4}},
      {"no profile for this application", "Missing", {0, 0, 0, 0}},
      {"complete again", "Full", {1500, 4, 6, 4}},
      {"a bad third item", "Half", {1200, 7, 0, 0}},
      {"two items", "Short", {900, 3, 0, 0}},
      {"empty file", "Empty", {0, 0, 0, 0}},
      {"unreadable file", "Locked", {0, 0, 0, 0}},
  };
  w.Load();
  for (const Case& c : cases) {
    w.Combo1.UserType(c.application);
    w.LoadWizardProfile();
    EXPECT_EQ((std::vector<std::int32_t>{w.MHZvar, w.CardVar, w.AAvar, w.AFvar}), c.numbers) << c.name;
    EXPECT_EQ(w.MHZvarX, 7) << c.name;
  }
}

// The application is the combo's text, which the user may type: a name
// that would reach a file outside the wizard's folder reads nothing.
TEST_F(Wizard, ApplicationNamesThatLeaveTheFolderReadNothing) {
  m.fs.AddFile(kProgram + "\\DATA\\Other\\32.dat", "1,2,3,4");
  m.fs.AddFile(Profile("Sub\\Game"), "1,2,3,4");
  m.fs.AddFile(Profile("Game:Stream"), "1,2,3,4");
  m.fs.AddFile(Profile("Game"), "5,6,7,8");
  w.Load();
  for (const char* name : {"..\\Other", "../Other", "Sub\\Game", "Sub/Game", "Game:Stream", "..", "Game\\..\\..\\Other"}) {
    ExpectNoProfileReadFor(name);
  }
}

// Regression: a device name ("NUL", "COM1") or a name whose end Windows
// drops read a profile from the device or from another application's folder.
TEST_F(Wizard, ApplicationNamesThatNameADeviceReadNothing) {
  m.fs.AddFile(Profile("Game"), "5,6,7,8");
  std::vector<std::string> names(std::begin(test::kDeviceNames), std::end(test::kDeviceNames));
  for (const char* name : {"Game.", "Game ", "Ga\tme", "Ga*"}) names.push_back(name);
  for (const std::string& name : names) m.fs.AddFile(Profile(name), "1,2,3,4");
  w.Load();
  for (const std::string& name : names) {
    ExpectNoProfileReadFor(name);
  }
}

// The window's caption, then those of Label1(0) to Label1(8), Check1,
// Command1 and Command2.
Lines CaptionsOf(Form4& w) {
  Lines captions = {w.Caption()};
  for (int i = 0; i <= 8; ++i) captions.push_back(w.Label1[i].Caption());
  captions.insert(captions.end(), {w.Check1.Caption(), w.Command1.Caption(), w.Command2.Caption()});
  return captions;
}

TEST_F(Wizard, OpensFromTheToolbarWithTheIndexAndCaptions) {
  f.Load();
  EXPECT_EQ(CaptionsOf(w),
            (Lines{"Performance Wizard", "Auto settings for:", "Performance", "Quality", "Antialiasing",
                   "Texture filtering", "Performance", "Performance", "Quality", "Quality", "Fine Adjust", "Optimize",
                   "Close"}))
      << "the design";
  // Regression: the captions were checked against English texts equal to
  // the design, so a window that set none of them passed. Each language
  // entry now reads as its own marker ("<209>").
  MarkLanguage(st);
  bool modal = false;
  st.app.Post([&] { modal = w.Modal(); });
  f.Toolbar1.UserClickButton("pw");
  EXPECT_TRUE(modal);
  EXPECT_TRUE(w.Visible());
  EXPECT_EQ(w.Combo1.items(), ReadAllFields(ReadRepoData("PW/index.dat")));
  EXPECT_EQ(w.Combo1.Text(), "Default");
  EXPECT_EQ(CaptionsOf(w), (Lines{"<209>", "<210>", "<214>", "<215>", "<212>", "<213>", "<214>", "<214>", "<215>",
                                  "<215>", "<211>", "<216>", "<204>"}));
  EXPECT_EQ(w.FlatScrollBar1.Value(), 2);
  EXPECT_EQ(w.FlatScrollBar1.Max(), 9);
  EXPECT_EQ(w.FlatScrollBar2.Value(), 0);
  EXPECT_EQ(w.FlatScrollBar3.Value(), 2);
  EXPECT_TRUE(w.Command1.Enabled());
  for (int i = 5; i <= 8; ++i) EXPECT_FALSE(w.Label1[i].Enabled()) << i;
  w.Command2.UserClick();
  EXPECT_FALSE(w.Loaded());
}

TEST_F(Wizard, WithoutAnIndexTheWindowDoesNotOpen) {
  f.Load();
  f.ActivePage = 6;
  f.ShowPage();
  m.fs.DeleteFile(kProgram + "\\DATA\\PW\\index.dat");
  st.app.TakeEvents();
  f.Toolbar1.UserClickButton("pw");
  EXPECT_FALSE(w.Loaded());
  EXPECT_TRUE(EventsEndingWith("Form4.Activate").empty());
  EXPECT_TRUE(EventsEndingWith("Form4.Resize").empty());
  EXPECT_EQ(f.ActivePage, 6);
  EXPECT_EQ(VisiblePages(), std::vector<int>{6}) << "the page is shown again";
}

TEST_F(Wizard, CommandOneIsEnabledByEveryChangeOfChoice) {
  Open("0,4,6,4");
  struct Case {
    const char* name;
    std::function<void()> act;
  };
  const Case cases[] = {
      {"typing an application", [&] { w.Combo1.UserType("Gam"); }},
      {"picking an application", [&] { w.Combo1.UserPick(1); }},
      {"main bar moved", [&] { w.FlatScrollBar1.UserChange(7); }},
      {"main bar dragged", [&] { w.FlatScrollBar1.UserScroll(3); }},
      {"antialiasing bar", [&] { w.FlatScrollBar2.UserChange(4); }},
      {"texture bar dragged", [&] { w.FlatScrollBar3.UserScroll(0); }},
      {"Fine Adjust", [&] { w.Check1.UserClick(); }},
  };
  for (const Case& c : cases) {
    w.Command1.UserClick();
    ASSERT_FALSE(w.Command1.Enabled()) << c.name << ": Optimize disables itself";
    c.act();
    EXPECT_TRUE(w.Command1.Enabled()) << c.name;
  }
}

TEST_F(Wizard, FineAdjustSwitchesItsSlidersAndLabels) {
  Open("0,4,6,4");
  w.Check1.UserClick();
  for (int i = 3; i <= 8; ++i) EXPECT_TRUE(w.Label1[i].Enabled()) << i;
  EXPECT_TRUE(w.FlatScrollBar2.Enabled());
  EXPECT_TRUE(w.FlatScrollBar3.Enabled());
  w.Check1.UserClick();
  for (int i = 3; i <= 8; ++i) EXPECT_FALSE(w.Label1[i].Enabled()) << i;
  EXPECT_FALSE(w.FlatScrollBar2.Enabled());
  EXPECT_FALSE(w.FlatScrollBar3.Enabled());
  EXPECT_TRUE(w.Label1[0].Enabled());
  EXPECT_TRUE(w.FlatScrollBar1.Enabled());
}

TEST_F(Wizard, ProfileNumbersOutliveTheWindow) {
  Open("1500,4,6,4");
  w.Command1.UserClick();
  w.Command2.UserClick();
  ASSERT_FALSE(w.Loaded());
  w.Load();
  EXPECT_EQ((std::vector<std::int32_t>{w.MHZvarX, w.MHZvar, w.CardVar, w.AAvar, w.AFvar}),
            (std::vector<std::int32_t>{7, 1500, 4, 6, 4}));
  EXPECT_EQ(w.Combo1.Text(), "Default") << "the controls start from their design";
  EXPECT_EQ(w.Combo1.ListCount(), static_cast<int>(ReadAllFields(ReadRepoData("PW/index.dat")).size()));
  EXPECT_EQ(w.FlatScrollBar1.Value(), 2);
  EXPECT_TRUE(w.Command1.Enabled());
}

// The wizard's own writers are the main window's: the values reach the
// driver's registry values and the pages' labels.
TEST(WizardOnTheMainWindow, WritesReachTheRegistryAndThePages) {
  Form1Rig rig;
  rig.st.OsClass = 3;
  rig.st.DriverBuild = 7701;
  rig.st.DriverKey = "SYSTEM\\CurrentControlSet\\Control\\Video\\{5D1B1F1A}\\0000";
  rig.st.DeviceId = "0322";
  rig.st.CpuMhz = 2000;
  for (size_t i = 0; i < rig.st.LanguageTable.size(); ++i) rig.st.LanguageTable[i] = "#" + std::to_string(i);
  rig.m.fs.AddFile(Profile("Game"), "0,4,6,4");
  Form4& w = rig.f.form4();
  w.Load();
  w.Combo1.UserType("Game");
  w.FlatScrollBar1.UserChange(6);
  w.Command1.UserClick();
  const std::string key = "HKLM\\" + rig.st.DriverKey;
  const auto lod = rig.m.reg.Get(key, "D3D_88481200");
  ASSERT_TRUE(lod.has_value());
  EXPECT_EQ(lod->type, platform::kRegBinary);
  EXPECT_EQ(lod->bytes, std::string("\x02\0\0\0", 4));
  const auto gl_lod = rig.m.reg.Get(key, "OGL_TexLODBias");
  ASSERT_TRUE(gl_lod.has_value());
  EXPECT_EQ(gl_lod->bytes, std::string("\x02\0\0\0", 4));
  EXPECT_EQ(rig.f.Label6[3].Caption(), "#1182");
  EXPECT_EQ(rig.f.Label4[4].Caption(), "#1182");
}

}  // namespace
}  // namespace ks::test

namespace ks::test {
namespace {

TEST(WizardLayout, ControlsLieInsideTheWindowWithoutOverlapping) {
  Form1Rig rig;
  Form4& w = rig.f.form4();
  const auto& controls = w.controls();
  for (const ui::Control* c : controls) {
    EXPECT_GE(c->Left(), 0) << c->FullName();
    EXPECT_GE(c->Top(), 0) << c->FullName();
    EXPECT_GT(c->Width(), 0) << c->FullName();
    EXPECT_LE(c->Left() + c->Width(), w.Width()) << c->FullName();
    EXPECT_LE(c->Top() + c->Height(), w.Height()) << c->FullName();
  }
  for (size_t i = 0; i < controls.size(); ++i) {
    for (size_t j = i + 1; j < controls.size(); ++j) {
      const ui::Control& a = *controls[i];
      const ui::Control& b = *controls[j];
      const bool apart = a.Left() + a.Width() <= b.Left() || b.Left() + b.Width() <= a.Left() ||
                         a.Top() + a.Height() <= b.Top() || b.Top() + b.Height() <= a.Top();
      EXPECT_TRUE(apart) << a.FullName() << " overlaps " << b.FullName();
    }
  }
}

}  // namespace
}  // namespace ks::test
