// The main window's start-up: the order of its steps and the state they
// leave, the display mode list, the version label and value, the restored
// help and last-page options, and the two roads (window, preset).
#include <gtest/gtest.h>

#include <stdexcept>

#include "form1_rig.h"
#include "tools/presets.h"

namespace ks::test {
namespace {

struct Startup : Form1Rig, ::testing::Test {
  // name and IsStart of every procedure called, in order
  std::vector<std::string> calls;

  void Record(std::function<void()>& procedure, const std::string& name) {
    procedure = [this, name] { calls.push_back(name + (f.IsStart == 1 ? "" : " (IsStart 0)")); };
  }
  void RecordAll() {
    auto& p = f.Procedures;
    Record(p.ShowOsAndDirectXVersion, "ShowOsAndDirectXVersion");
    Record(p.FindDriverKey, "FindDriverKey");
    Record(p.ShowCardName, "ShowCardName");
    Record(p.ReadDriverVersion, "ReadDriverVersion");
    Record(p.FindNvidiaDevices, "FindNvidiaDevices");
    Record(p.DetectClockModel, "DetectClockModel");
    Record(p.ShowSystemInfo, "ShowSystemInfo");
    p.LookupChipData = [this](const std::string& file, bool extra) {
      calls.push_back("LookupChipData " + file + (extra ? " extra" : ""));
      return std::optional<std::string>();
    };
    Record(p.FillSettingLists, "FillSettingLists");
    Record(p.DetectD3DSettings, "DetectD3DSettings");
    Record(p.DetectOGLSettings, "DetectOGLSettings");
    Record(p.LoadNvCplFlags, "LoadNvCplFlags");
    Record(p.FillAntialiasingModes, "FillAntialiasingModes");
    Record(p.LoadMultitextureOverride, "LoadMultitextureOverride");
    Record(p.LoadShaderOverride, "LoadShaderOverride");
    Record(p.ShowAntialiasingPreview, "ShowAntialiasingPreview");
    Record(p.LoadIt, "LoadIt");
  }
};

TEST_F(Startup, StepsRunInOrderWithIsStartUntilTheyAreDone) {
  RecordAll();
  f.Load();
  const std::vector<std::string> expected = {
      "ShowOsAndDirectXVersion", "FindDriverKey", "ShowCardName", "ReadDriverVersion", "FindNvidiaDevices",
      "ShowCardName", "DetectClockModel", "ShowSystemInfo", "LookupChipData mt", "FillSettingLists",
      "DetectD3DSettings", "DetectOGLSettings", "LoadNvCplFlags", "FillAntialiasingModes",
      "LoadMultitextureOverride", "LoadShaderOverride", "ShowAntialiasingPreview (IsStart 0)"};
  EXPECT_EQ(calls, expected);
  EXPECT_EQ(f.IsStart, 0);
  EXPECT_EQ(f.IsLoading, 0);
  EXPECT_EQ(f.ActivePage, 4);
  EXPECT_EQ(VisiblePages(), std::vector<int>{4});
  EXPECT_TRUE(f.Loaded());
  EXPECT_FALSE(f.Visible()) << "showing the window is the program's business after Load";
}

TEST_F(Startup, EachStepSeesWhatTheStepsBeforeItDid) {
  m.modes.modes = {{640, 480, 32, 60}, {800, 600, 32, 75}};
  m.fs.AddFile(kProgram + "\\DATA\\Language\\de.dat", "\"Deutsch\",\"Sprache\"\r\n");
  f.Procedures.ShowOsAndDirectXVersion = [this] {
    EXPECT_EQ(f.List2.ListCount(), 1) << "display modes come first";
    EXPECT_EQ(f.Frame1[0].Caption(), st.Lang(31)) << "captions before detection";
    EXPECT_EQ(VisiblePages(), std::vector<int>{4}) << "page 4 shown before detection";
    EXPECT_EQ(f.Label17.Caption(), "English language file");
  };
  f.Procedures.LookupChipData = [this](const std::string&, bool) {
    EXPECT_EQ(f.Combo17.ListCount(), 2) << "languages listed before the chip data";
    return std::optional<std::string>("3");
  };
  f.Procedures.LoadMultitextureOverride = [this] { EXPECT_EQ(f.Label2[8].Caption(), ""); };
  f.Procedures.LoadShaderOverride = [this] { EXPECT_FALSE(m.reg.HasKey("HKCR\\.ksp")); };
  f.Procedures.ShowAntialiasingPreview = [this] {
    EXPECT_TRUE(m.reg.HasKey("HKCR\\.ksp"));
    EXPECT_NE(f.Label2[8].Caption(), "") << "the version is shown after the file type is registered";
    EXPECT_TRUE(StoredNumber("Version").has_value());
  };
  f.Load();
  EXPECT_EQ(st.MtFlag, 1);
}

TEST_F(Startup, AFailingStepDoesNotStopTheOthers) {
  RecordAll();
  f.Procedures.FindDriverKey = [] { throw std::runtime_error("no display device"); };
  f.Procedures.DetectD3DSettings = [] { throw std::out_of_range("no such control"); };
  f.Load();
  EXPECT_EQ(calls.back(), "ShowAntialiasingPreview (IsStart 0)");
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "DetectOGLSettings"), 1);
  EXPECT_EQ(StoredNumber("Version"), 353u);
  EXPECT_EQ(f.IsStart, 0);
  EXPECT_EQ(f.StartupFaults, (std::vector<std::string>{"step 6: no display device", "step 17: no such control"}));
}

TEST_F(Startup, AProcedureNotPluggedInIsAFaultAndTheOthersStillRun) {
  RecordAll();
  f.Procedures.ShowCardName = nullptr;
  f.Procedures.LookupChipData = nullptr;
  f.Load();
  EXPECT_EQ(f.StartupFaults,
            (std::vector<std::string>{"step 7: ShowCardName is not plugged in", "step 10: ShowCardName is not plugged in",
                                      "step 15: LookupChipData is not plugged in"}));
  EXPECT_EQ(calls.back(), "ShowAntialiasingPreview (IsStart 0)");
  EXPECT_EQ(f.IsStart, 0);
}

TEST_F(Startup, EveryProcedureIsPluggedIn) {
  f.Load();
  EXPECT_EQ(f.StartupFaults, std::vector<std::string>{});
}

TEST_F(Startup, StartStateIsInPlaceBeforeTheFirstProcedure) {
  st.ClockModel = 7;
  st.Clocks3DShown = 1;
  f.TwoCPU = 1;
  f.Procedures.ShowOsAndDirectXVersion = [this] {
    EXPECT_EQ(f.IsStart, 1);
    EXPECT_EQ(f.IsLoading, 1);
    EXPECT_EQ(st.ClockModel, 0);
    EXPECT_EQ(st.Clocks3DShown, 0);
    EXPECT_EQ(f.TwoCPU, 0);
  };
  f.Load();
}

TEST_F(Startup, ClockModelOneEnablesTheSpeedChoice) {
  struct Case {
    const char* name;
    int clock_model;
    bool enabled;
  };
  for (const Case& c : {Case{"model 1", 1, true}, Case{"model 0", 0, false}, Case{"model 2", 2, false}}) {
    Form1Rig rig;
    rig.f.Procedures.DetectClockModel = [&] { rig.st.ClockModel = c.clock_model; };
    rig.f.Load();
    EXPECT_EQ(rig.f.Option1[0].Enabled(), c.enabled) << c.name;
    EXPECT_EQ(rig.f.Option1[1].Enabled(), c.enabled) << c.name;
  }
}

TEST_F(Startup, MtFlagOnlyForANumberAboveTwo) {
  struct Case {
    const char* answer;
    int flag;
  };
  for (const Case& c : {Case{"3", 1}, Case{"2", 0}, Case{"", 0}, Case{"x", 0}, Case{"2.5", 1}, Case{nullptr, 0}}) {
    Form1Rig rig;
    rig.f.Procedures.LookupChipData = [&](const std::string&, bool) {
      return c.answer ? std::optional<std::string>(c.answer) : std::nullopt;
    };
    rig.f.Load();
    EXPECT_EQ(rig.st.MtFlag, c.flag) << "answer \"" << (c.answer ? c.answer : "(none)") << "\"";
  }
}

TEST(DisplayModes, ListSkipsModeZeroAndGrowsByEight) {
  struct Case {
    const char* name;
    int modes;  // reported: 0..modes-1
    int listed;
    int count;
    size_t capacity;
  };
  const Case cases[] = {
      {"no modes", 0, 0, 0, 9},          {"only mode 0", 1, 0, 0, 9},  {"0..8", 9, 8, 8, 17},
      {"0..19", 20, 19, 19, 25},         {"0..16", 17, 16, 16, 25},    {"0..7", 8, 7, 7, 9},
  };
  for (const Case& c : cases) {
    Form1Rig rig;
    for (int i = 0; i < c.modes; ++i)
      rig.m.modes.modes.push_back({static_cast<std::uint32_t>(640 + i), 480, 32, static_cast<std::uint32_t>(60 + i)});
    rig.f.Load();
    EXPECT_EQ(rig.f.List2.ListCount(), c.listed) << c.name;
    EXPECT_EQ(rig.f.DisplayModeCount, c.count) << c.name;
    EXPECT_EQ(rig.f.DisplayModes.size(), c.capacity) << c.name;
    if (c.listed > 0) {
      EXPECT_EQ(rig.f.List2.List(0), "641x480x32 61Hz") << c.name << ": item 0 shows mode 1";
      EXPECT_EQ(rig.f.DisplayModes[1].width, 641u) << c.name;
    }
  }
}

TEST(DisplayModes, ItemTextHasSizeDepthAndFrequency) {
  Form1Rig rig;
  rig.m.modes.modes = {{640, 480, 8, 60}, {1024, 768, 32, 85}, {1600, 1200, 16, 0}};
  rig.f.Load();
  EXPECT_EQ(rig.f.List2.items(), (std::vector<std::string>{"1024x768x32 85Hz", "1600x1200x16 0Hz"}));
}

TEST(Version, LabelAndCaptionShowTheVersionAndTheLastUpdate) {
  struct Case {
    const char* name;
    std::optional<std::string> stored;  // "LastUpDate35" as text
    std::optional<std::uint32_t> dword;
    std::string suffix;  // after the minor version
  };
  const Case cases[] = {
      {"missing", std::nullopt, std::nullopt, ""},
      {"zero", std::nullopt, 0u, ""},
      {"twelve", std::nullopt, 12u, "\x01" "12"},
      {"text number", std::string("7"), std::nullopt, "\x01" "7"},
      {"not a number", std::string("soon"), std::nullopt, ""},
  };
  for (const Case& c : cases) {
    Form1Rig rig;
    if (c.stored) rig.m.reg.PutString(kSettings, "LastUpDate35", *c.stored);
    if (c.dword) rig.m.reg.PutDword(kSettings, "LastUpDate35", *c.dword);
    rig.f.Load();
    const std::string label = rig.f.Label2[8].Caption();
    std::string expected = "Kestrelane SE " + rig.st.Lang(246) + "3.5";
    if (!c.suffix.empty()) expected += rig.st.Lang(247) + c.suffix.substr(1);
    EXPECT_EQ(label, expected) << c.name;
    EXPECT_EQ(rig.f.Caption(), "Kestrelane SE Build 5") << c.name;
  }
}

TEST(Version, WrittenAsNumberOrAsBinaryWhileTheSwitchIsOn) {
  {
    // Windows 9x: the OpenGL reader turns the switch off.
    Form1Rig rig;
    rig.m.sys.version = {4, 10, 0x040A08AE, platform::kPlatformWin32Windows, " A "};
    rig.f.Load();
    ASSERT_EQ(rig.st.OsClass, 0);
    EXPECT_EQ(rig.StoredType("Version"), platform::kRegDword);
    EXPECT_EQ(rig.StoredNumber("Version"), 353u);
  }
  {
    // NT: the OpenGL reader leaves the switch on, and nothing after it
    // writes a driver value (the shader and multitexturing sliders that
    // start-up moves write nothing back), so nothing clears it.
    Form1Rig rig;
    rig.f.Load();
    ASSERT_EQ(rig.st.OsClass, 3);
    EXPECT_EQ(rig.StoredType("Version"), platform::kRegBinary);
    EXPECT_EQ(rig.StoredNumber("Version"), 353u);
  }
  {
    // NT with nothing written after the OpenGL reader.
    Form1Rig rig;
    rig.f.Procedures.LoadShaderOverride = [] {};
    rig.f.Procedures.LoadMultitextureOverride = [] {};
    rig.f.Load();
    EXPECT_EQ(rig.StoredType("Version"), platform::kRegBinary);
    EXPECT_EQ(rig.StoredNumber("Version"), 353u);
  }
}

TEST(HelpOption, RestoredFromHelpSystem) {
  struct Case {
    const char* name;
    std::optional<std::uint32_t> stored;
    int check;
    int help_on;
    bool picture_visible;
    std::optional<std::uint32_t> stored_after;
  };
  const Case cases[] = {
      {"missing: on, nothing written", std::nullopt, 1, 1, true, std::nullopt},
      {"on", 1u, 1, 1, true, 1u},
      {"off: the check box click stores it back", 0u, 0, 0, false, 0u},
  };
  for (const Case& c : cases) {
    Form1Rig rig;
    if (c.stored) rig.m.reg.PutDword(kSettings, "HelpSystem", *c.stored);
    rig.st.HelpTopic = 3;
    rig.f.Load();
    EXPECT_EQ(rig.f.Check11.Value(), c.check) << c.name;
    EXPECT_EQ(rig.st.HelpSystemOn, c.help_on) << c.name;
    EXPECT_EQ(rig.st.HelpTopic, 999) << c.name;
    EXPECT_EQ(rig.f.Image4.Visible(), c.picture_visible) << c.name;
    EXPECT_EQ(rig.StoredNumber("HelpSystem"), c.stored_after) << c.name;
  }
}

TEST(LastPage, RestoredFromLvp) {
  struct Case {
    const char* name;
    std::optional<std::uint32_t> stored;
    int page;
    int check13;
    std::optional<std::uint32_t> lvp_after_exit;
  };
  const Case cases[] = {
      {"missing: page 4, box as designed", std::nullopt, 4, 0, std::nullopt},
      {"page 13", 13u, 13, 1, 13u},
      {"page 0", 0u, 0, 1, 0u},
      {"page 15", 15u, 15, 1, 15u},
      // Regression: a page number outside 0..15 left no page visible and was saved again.
      {"page 16 counts as missing", 16u, 4, 0, std::nullopt},
      {"negative counts as missing", 0xFFFFFFFBu, 4, 0, std::nullopt},
  };
  for (const Case& c : cases) {
    Form1Rig rig;
    if (c.stored) rig.m.reg.PutDword(kSettings, "LVP", *c.stored);
    rig.f.Load();
    EXPECT_EQ(rig.f.ActivePage, c.page) << c.name;
    EXPECT_EQ(rig.VisiblePages(), std::vector<int>{c.page}) << c.name;
    EXPECT_EQ(rig.f.Check13.Value(), c.check13) << c.name;
    rig.f.Show();
    rig.f.UserClose();
    EXPECT_EQ(rig.StoredNumber("LVP"), c.lvp_after_exit) << c.name;
  }
}

TEST(LastPage, TickingTheBoxDuringStartUpStoresPageFour) {
  Form1Rig rig;
  rig.m.reg.PutDword(kSettings, "LVP", 13);
  rig.f.Load();
  // Check13's click ran with IsStart 0 while ActivePage was still 4.
  EXPECT_EQ(rig.StoredNumber("LVP"), 4u);
}

TEST(LastPage, PageNineRunsItsFirstVisitDuringStartUp) {
  Form1Rig rig;
  rig.m.reg.PutDword(kSettings, "LVP", 9);
  rig.m.fs.AddFile(kProgram + "\\data\\lumacap.exe", "MZ");
  rig.f.Load();
  ASSERT_EQ(rig.m.proc.started().size(), 1u);
  EXPECT_EQ(rig.m.proc.started()[0].command_line, "\"" + kProgram + "\\data\\lumacap.exe\"");
}

TEST(WindowRoad, ShaderPictureAndVistaToolbar) {
  struct Case {
    const char* name;
    int os_class;
    bool enabled;
  };
  for (const Case& c : {Case{"XP", 3, true}, Case{"Vista", 4, false}, Case{"9x", 0, true}}) {
    Form1Rig rig;
    rig.f.Procedures.ShowOsAndDirectXVersion = [&] { rig.st.OsClass = static_cast<std::int16_t>(c.os_class); };
    rig.f.Load();
    EXPECT_EQ(rig.f.Image4.Picture(), kProgram + "\\data\\hs\\pic\\ps.jpg") << c.name;
    EXPECT_EQ(rig.f.Toolbar1.Button("oc")->Enabled, c.enabled) << c.name;
    EXPECT_EQ(rig.f.Toolbar1.Button("info")->Menu("basicdx")->Enabled, c.enabled) << c.name;
    for (const char* key : {"nvcpl", "dx", "ogl", "info", "pw", "vask"})
      EXPECT_TRUE(rig.f.Toolbar1.Button(key)->Enabled) << c.name << " " << key;
    EXPECT_TRUE(rig.f.Toolbar1.Button("info")->Menu("basic")->Enabled) << c.name;
  }
}

TEST(WindowRoad, MissingShaderPictureLeavesTheImageEmpty) {
  Form1Rig rig;
  rig.m.fs.DeleteFile(kProgram + "\\data\\hs\\pic\\ps.jpg");
  rig.f.Load();
  EXPECT_EQ(rig.f.Image4.Picture(), "");
}

TEST(PresetRoad, AppliesThePresetAndUnloadsEveryWindowWithoutShowingOne) {
  Form1Rig rig;
  rig.f.CommandLine = "C:\\My Presets\\fast one.ksp";
  std::string seen;
  rig.f.Procedures.LoadIt = [&] {
    seen = rig.st.CmdPresetPath;
    EXPECT_TRUE(rig.f.form6().Loaded()) << "using Form6 loads it";
    // Windows the preset may have opened.
    rig.f.form7().Load();
    rig.f.form5().Load();
    rig.f.form4().Load();
    rig.f.form3().Load();
    rig.f.form2().Load();
  };
  rig.st.app.TakeEvents();
  rig.f.Show();
  EXPECT_EQ(seen, "C:\\My Presets\\fast one.ksp") << "the whole command line is the path";
  EXPECT_EQ(rig.EventsEndingWith(".Unload"),
            (std::vector<std::string>{"Form7.Unload", "Form6.Unload", "Form5.Unload", "Form4.Unload", "Form3.Unload",
                                      "Form2.Unload", "Form1.Unload"}));
  EXPECT_TRUE(rig.EventsEndingWith(".Activate").empty()) << "no window was shown";
  EXPECT_TRUE(rig.EventsEndingWith(".Resize").empty()) << "no window was shown";
  EXPECT_FALSE(rig.f.Visible());
  EXPECT_TRUE(rig.st.app.Ended());
  EXPECT_EQ(rig.st.CmdPresetPath, "");
  EXPECT_TRUE(rig.m.reg.HasKey("HKCR\\.ksp")) << "the file type is registered on this road too";
  EXPECT_EQ(rig.StoredNumber("Version"), 353u);
}

// The profile manager applies the preset of the command line; whatever the
// preset holds or lacks, no window of the program is ever shown.
TEST(PresetRoad, NoWindowIsShownWhateverThePresetHolds) {
  const std::string presets = kProgram + "\\DATA\\Presets\\";
  auto items = [](std::initializer_list<const char*> list) {
    std::string out;
    for (const char* item : list) AddPresetItem(out, item);
    return out;
  };
  struct Case {
    const char* name;
    std::string file;  // "" : no file
    std::vector<std::string> messages;
    std::size_t started;
  };
  // This machine has no NVIDIA driver: a preset file says so once, in a
  // message box as its other messages are, and starts its program all the same.
  const Case cases[] = {
      {"values only", items({"ksp", "999", "0", "0", "OGL_FSAA", "2"}), {kNoNvidiaDriver}, 0},
      {"a program to start", items({"ksp", "999", "0", "0", "App to run", "C:\\Games", "C:\\Games\\game.exe"}),
       {kNoNvidiaDriver}, 1},
      {"a program that cannot be started",
       items({"ksp", "999", "0", "0", "App to run", "C:\\Nowhere", "C:\\Nowhere\\x.exe"}),
       {kNoNvidiaDriver, "Error: File not found 53"}, 0},
      {"not a preset", items({"kspx", "999", "0", "0"}), {"This is not a Kestrelane preset file."}, 0},
      {"a missing file", "", {"Error: File not found 53"}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Form1Rig rig;
    rig.m.fs.AddFile("C:\\Games\\game.exe", "MZ");
    if (!c.file.empty()) rig.m.fs.AddFile(presets + "p.ksp", c.file);
    rig.f.CommandLine = presets + "p.ksp";
    rig.st.app.TakeEvents();
    rig.f.Show();
    EXPECT_TRUE(rig.EventsEndingWith(".Resize").empty()) << "no window was shown";
    EXPECT_TRUE(rig.EventsEndingWith(".Activate").empty()) << "no window was shown";
    std::vector<std::string> messages;
    for (const auto& shown : rig.m.msg.shown()) messages.push_back(shown.text);
    EXPECT_EQ(messages, c.messages);
    EXPECT_EQ(rig.m.proc.started().size(), c.started);
    EXPECT_TRUE(rig.st.app.Ended());
  }
}

TEST(PresetRoad, RemembersTheRestoredPageAndRunsItsFirstVisit) {
  Form1Rig rig;
  rig.m.reg.PutDword(kSettings, "LVP", 9);
  rig.m.fs.AddFile(kProgram + "\\data\\lumacap.exe", "MZ");
  rig.f.CommandLine = "C:\\p.ksp";
  rig.f.Show();
  EXPECT_EQ(rig.m.proc.started().size(), 1u) << "page 9's first visit runs in the preset road too";
  EXPECT_EQ(rig.StoredNumber("LVP"), 9u) << "Form_Unload stores the page read";
  EXPECT_TRUE(rig.st.app.Ended());
}

}  // namespace
}  // namespace ks::test
