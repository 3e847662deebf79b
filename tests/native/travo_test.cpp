// travo against the fake machine: its start (language, tray icon,
// autostart), the tray's mouse messages, the popup menu's commands and the
// preset window's list and launch.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "native/repo_data.h"
#include "platform/fake/machine.h"
#include "tray/Form1.h"
#include "tray/frmAbout.h"
#include "tray/frmTrayIcon.h"
#include "tray/settings.h"
#include "tray/travo_state.h"

namespace ks::travo {
namespace {

const std::string kFolder = "C:\\Program Files\\Kestrelane";
const std::string kRun = "HKCU\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kSettingsKey = "HKCU\\Software\\VB and VBA Program Settings\\TRAVONIX\\Settings";
const std::string kThisTravo = kFolder + "\\travo.exe";
// What the autostart value holds: Windows runs it as a command line, so the
// path is quoted.
const std::string kQuotedTravo = "\"" + kThisTravo + "\"";

// A tray event as the taskbar delivers it: the mouse message number as the
// x coordinate of a mouse move, in twips.
float TrayX(std::uint32_t message) { return static_cast<float>(message * 15); }

struct TravoRig : ::testing::Test {
  fake::FakeMachine m;
  TravoState st{m};
  frmAbout about{st};
  Form1 presets{st};
  frmTrayIcon tray{st, about, presets};

  void SetUp() override {
    m.tray.icon_resources = {1, kTrayIconResource};  // travo.exe's icons
    m.fs.AddFile(kFolder + "\\DATA\\LANGUAGE\\en_travo.dat", test::ReadRepoData("LANGUAGE/en_travo.dat"));
  }
  std::optional<std::string> Autostart() const {
    auto v = m.reg.Get(kRun, "Kestrelane Travonix");
    if (!v) return std::nullopt;
    return v->bytes;
  }
  // Opens the popup menu from the tray and chooses one of its items.
  void Choose(ui::Menu& item) {
    st.app.OnPopupMenu = [&item](ui::Menu&) { item.UserClick(); };
    tray.UserMouseMove(0, 0, TrayX(kWmRButtonUp), 0);
    st.app.OnPopupMenu = nullptr;
  }
};

TEST_F(TravoRig, StartPutsTheIconIntoTheTrayAndNeverShowsAWindow) {
  tray.Load();
  ASSERT_EQ(m.tray.icons.size(), 1u);
  const platform::NotifyIconData& icon = m.tray.icons.begin()->second;
  EXPECT_EQ(icon.window, tray.hWnd());
  EXPECT_NE(icon.window, 0u);
  EXPECT_EQ(icon.id, 1u);
  EXPECT_EQ(icon.flags, 7u) << "message, icon and tip";
  EXPECT_EQ(icon.callback_message, 512u) << "WM_MOUSEMOVE";
  EXPECT_EQ(icon.icon, m.tray.LoadProgramIcon(kTrayIconResource));
  EXPECT_NE(icon.icon, 0u);
  ASSERT_EQ(icon.tip.size(), 64u);
  EXPECT_EQ(icon.tip.substr(0, 20), std::string("Kestrelane TRAVONIX") + '\0');
  EXPECT_EQ(icon.tip.find_first_not_of(' ', 20), std::string::npos) << "blanks fill the rest";
  EXPECT_TRUE(tray.Loaded());
  EXPECT_FALSE(tray.Visible());
  EXPECT_EQ(tray.Start, 0);
  EXPECT_TRUE(m.msg.shown().empty());
}

TEST_F(TravoRig, StartPutsTheLanguageOnTheMenuAndLeavesTheProgramItems) {
  tray.Load();
  EXPECT_EQ(tray.Profiles.Caption(), "Profiles ...");
  EXPECT_EQ(tray.mnuExit.Caption(), "E&xit");
  EXPECT_EQ(tray.mnuAbout.Caption(), "&About");
  EXPECT_EQ(tray.startup.Caption(), "Run at system start up");
  EXPECT_EQ(tray.ksln.Caption(), "Kestrelane SE");
  EXPECT_EQ(tray.d3d.Caption(), "Direct3D test utility");
  EXPECT_EQ(tray.pv.Caption(), "Driver Cleaner");
  EXPECT_EQ(tray.relayo.Caption(), "Auto update");
  EXPECT_TRUE(tray.line1.IsSeparator() && tray.line2.IsSeparator() && tray.line3.IsSeparator());
  EXPECT_FALSE(tray.mnuPopUp.Visible()) << "never a menu bar";
}

TEST_F(TravoRig, ALanguageFileWithFewerItemsEmptiesTheMissingCaptions) {
  m.fs.AddFile(kFolder + "\\DATA\\LANGUAGE\\en_travo.dat", "\"English\",\"x\"\r\n\"a\",\"b\",\"c\",\"d\",\"Quit\"\r\n");
  tray.Load();
  EXPECT_EQ(tray.mnuExit.Caption(), "Quit");
  EXPECT_EQ(tray.mnuAbout.Caption(), "");
  EXPECT_EQ(tray.Profiles.Caption(), "");
}

// Regression: the about box's title showed the About item's key mark,
// "&About TRAVONIX".
TEST_F(TravoRig, TheAboutBoxTitleShowsTheMenuCaptionWithoutItsKeyMark) {
  struct Case {
    const char* name;
    const char* about_item;
    const char* title;
  };
  const Case cases[] = {
      {"mark on the first letter", "&About", "About TRAVONIX"},
      {"mark inside the word", "Ab&out", "About TRAVONIX"},
      {"a doubled mark is one ampersand", "Info && &About", "Info & About TRAVONIX"},
      {"a mark at the end", "About&", "About TRAVONIX"},
      {"no mark", "About", "About TRAVONIX"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    m.fs.AddFile(kFolder + "\\DATA\\LANGUAGE\\en_travo.dat",
                 std::string("\"English\",\"x\"\r\n\"a\",\"b\",\"c\",\"d\",\"E&xit\",\"") + c.about_item + "\"\r\n");
    frmAbout box(st);
    tray.Load();
    box.Load();
    EXPECT_EQ(tray.mnuAbout.Caption(), c.about_item) << "the menu keeps its key mark";
    EXPECT_EQ(box.Caption(), c.title);
    box.Unload();
    tray.Unload();
  }
}

TEST_F(TravoRig, AutostartAtStart) {
  struct Case {
    const char* name;
    std::optional<std::string> before;  // the value's text, none for missing
    bool write_fails;
    std::optional<std::string> after;
    bool checked;
    int writes;
  };
  const std::vector<Case> cases = {
      {"missing: unchecked, nothing written", std::nullopt, false, std::nullopt, false, 0},
      {"empty text counts as missing", "", false, std::string(1, '\0'), false, 0},
      {"another copy's path is taken over", "D:\\Old\\travo.exe", false, kQuotedTravo + '\0', true, 1},
      {"another copy's quoted path is taken over", "\"D:\\Old\\travo.exe\"", false, kQuotedTravo + '\0', true, 1},
      {"a path differing only in case is taken over", "\"c:\\program files\\kestrelane\\travo.exe\"", false,
       kQuotedTravo + '\0', true, 1},
      {"this copy's quoted path: nothing written, stays checked", kQuotedTravo, false, kQuotedTravo + '\0', true, 0},
      // Unquoted, "C:\Program Files\..." made Windows start C:\Program.exe.
      {"this copy's unquoted path is written again quoted", kThisTravo, false, kQuotedTravo + '\0', true, 1},
      // The mark shows what the registry holds, not what was tried.
      {"a failed takeover leaves it unchecked", "D:\\Old\\travo.exe", true, std::string("D:\\Old\\travo.exe") + '\0',
       false, 0},
      {"a failed quoting leaves this copy's path checked", kThisTravo, true, kThisTravo + '\0', true, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fake::FakeMachine machine;
    machine.fs.AddFile(kFolder + "\\DATA\\LANGUAGE\\en_travo.dat", test::ReadRepoData("LANGUAGE/en_travo.dat"));
    if (c.before) machine.reg.PutString(kRun, "Kestrelane Travonix", *c.before);
    if (c.write_fails) machine.reg.FailCalls("RegSetValueExA", platform::kErrorAccessDenied, -1);
    TravoState state(machine);
    frmAbout a(state);
    Form1 p(state);
    frmTrayIcon t(state, a, p);
    machine.reg.ClearLog();
    t.Load();
    auto v = machine.reg.Get(kRun, "Kestrelane Travonix");
    EXPECT_EQ(v ? std::optional<std::string>(v->bytes) : std::nullopt, c.after);
    if (v) {
      EXPECT_EQ(v->type, platform::kRegSz);
    }
    EXPECT_EQ(t.startup.Checked(), c.checked);
    EXPECT_EQ(machine.reg.CountCalls("RegSetValueExA"), c.writes + (c.write_fails ? 1 : 0));
  }
}

TEST_F(TravoRig, TheCheckMarkFollowsTheRegistry) {
  struct Case {
    const char* name;
    bool value_before;
    const char* failing_call;  // nullptr: every call succeeds
    bool value_after;
    bool checked_after;
  };
  const std::vector<Case> cases = {
      {"checked: the click deletes the value", true, nullptr, false, false},
      {"unchecked: the click writes the value", false, nullptr, true, true},
      // A failed delete or write used to flip the mark anyway.
      {"a failed delete keeps the mark", true, "RegDeleteValueA", true, true},
      {"a failed write keeps it unchecked", false, "RegSetValueExA", false, false},
      {"a key that cannot be made keeps it unchecked", false, "RegCreateKeyA", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fake::FakeMachine machine;
    machine.fs.AddFile(kFolder + "\\DATA\\LANGUAGE\\en_travo.dat", test::ReadRepoData("LANGUAGE/en_travo.dat"));
    if (c.value_before) machine.reg.PutString(kRun, "Kestrelane Travonix", kQuotedTravo);
    TravoState state(machine);
    frmAbout a(state);
    Form1 p(state);
    frmTrayIcon t(state, a, p);
    t.Load();
    ASSERT_EQ(t.startup.Checked(), c.value_before);
    if (c.failing_call) machine.reg.FailCalls(c.failing_call, platform::kErrorAccessDenied, -1);
    state.app.OnPopupMenu = [&t](ui::Menu&) { t.startup.UserClick(); };
    t.UserMouseMove(0, 0, TrayX(kWmRButtonUp), 0);
    auto v = machine.reg.Get(kRun, "Kestrelane Travonix");
    EXPECT_EQ(v.has_value(), c.value_after);
    if (v) {
      EXPECT_EQ(v->bytes, kQuotedTravo + '\0') << "the quoted path, as text";
    }
    EXPECT_EQ(t.startup.Checked(), c.checked_after);
  }
}

TEST_F(TravoRig, TheStartupItemDoesNothingWhileTheStartRuns) {
  tray.Load();
  tray.Start = 1;
  tray.startup_Click();
  EXPECT_FALSE(Autostart().has_value());
  EXPECT_FALSE(tray.startup.Checked());
}

TEST_F(TravoRig, MenuStartsTheSuitesProgramsFromItsOwnFolder) {
  struct Case {
    ui::Menu* item;
    const char* program;
  };
  tray.Load();
  const std::vector<Case> cases = {{&tray.ksln, "KestrelaneSE.exe"},
                                   {&tray.d3d, "info.exe"},
                                   {&tray.pv, "pvx.exe"},
                                   {&tray.relayo, "relayo.exe"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.program);
    m.fs.AddFile(kFolder + "\\" + c.program, "MZ");
    const size_t before = m.proc.started().size();
    Choose(*c.item);
    ASSERT_EQ(m.proc.started().size(), before + 1);
    const auto& run = m.proc.started().back();
    // Quoted, so that "C:\Program Files\..." cannot start C:\Program.exe.
    EXPECT_EQ(run.command_line, "\"" + kFolder + "\\" + c.program + "\"");
    EXPECT_EQ(run.program, kFolder + "\\" + c.program);
    EXPECT_EQ(run.style, platform::WindowStyle::kNormalFocus);
  }
  EXPECT_EQ(m.proc.waits, 0) << "travo never waits for a program";
}

TEST_F(TravoRig, AProgramThatCannotStartLeavesTravoRunning) {
  m.fs.AddFile("C:\\Program.exe", "MZ");  // what an unquoted start would find
  tray.Load();
  Choose(tray.pv);
  EXPECT_TRUE(m.proc.started().empty()) << "pvx.exe is not installed; nothing else starts";
  EXPECT_TRUE(tray.Loaded());
  EXPECT_EQ(m.tray.icons.size(), 1u);
}

TEST_F(TravoRig, TrayEvents) {
  struct Case {
    const char* name;
    std::uint32_t message;
    bool popup;
    bool about;
  };
  const std::vector<Case> cases = {
      {"right button released opens the menu", kWmRButtonUp, true, false},
      {"double click opens the about box", kWmLButtonDblClk, false, true},
      {"left button pressed does nothing", 513, false, false},
      {"left button released does nothing", 514, false, false},
      {"right button pressed does nothing", 516, false, false},
      {"plain movement does nothing", kWmMouseMove, false, false},
  };
  tray.Load();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    about.Unload();
    int popups = 0;
    st.app.OnPopupMenu = [&](ui::Menu& menu) {
      EXPECT_EQ(&menu, &tray.mnuPopUp);
      ++popups;
    };
    tray.UserMouseMove(0, 0, TrayX(c.message), 0);
    EXPECT_EQ(tray.TrayMessage, static_cast<std::int32_t>(c.message));
    EXPECT_EQ(popups, c.popup ? 1 : 0);
    EXPECT_EQ(about.Visible(), c.about);
    EXPECT_FALSE(tray.TrayBusy);
  }
  EXPECT_EQ(about.Caption(), "About TRAVONIX");
}

// A screen of 120 pixels per inch: the renderer gives the mouse at 12
// twips a pixel.
struct Screen120 : ui::Backend {
  std::int64_t NowMs() override { return 0; }
  void Pump(bool, std::int64_t) override {}
  void FormChanged(ui::Form&) override {}
  void ControlChanged(ui::Control&) override {}
  void FormGone(ui::Form&) override {}
  void PopupMenu(ui::Form&, ui::Menu& menu) override { popups.push_back(&menu); }
  int PixelsPerInch() override { return 120; }
  std::vector<ui::Menu*> popups;
};

TEST_F(TravoRig, TrayEventsAtTheScreensTwipsAPixel) {
  tray.Load();
  Screen120 screen;
  st.app.SetBackend(&screen);
  tray.UserMouseMove(0, 0, static_cast<float>(kWmRButtonUp * 12), 0);
  EXPECT_EQ(tray.TrayMessage, static_cast<std::int32_t>(kWmRButtonUp));
  EXPECT_EQ(screen.popups, std::vector<ui::Menu*>{&tray.mnuPopUp});
  st.app.SetBackend(nullptr);
}

TEST_F(TravoRig, EventsWhileTheMenuIsOpenDoNothing) {
  tray.Load();
  int popups = 0;
  st.app.OnPopupMenu = [&](ui::Menu&) {
    ++popups;
    tray.UserMouseMove(0, 0, TrayX(kWmRButtonUp), 0);
    tray.UserMouseMove(0, 0, TrayX(kWmLButtonDblClk), 0);
  };
  tray.UserMouseMove(0, 0, TrayX(kWmRButtonUp), 0);
  EXPECT_EQ(popups, 1) << "a second right click does not open a second menu";
  EXPECT_FALSE(about.Visible());
  EXPECT_FALSE(tray.TrayBusy);
}

TEST_F(TravoRig, ExitRemovesTheIconAndTheProgramEndsWithItsLastWindow) {
  tray.Load();
  Choose(tray.Profiles);
  EXPECT_TRUE(presets.Visible());
  Choose(tray.mnuExit);
  EXPECT_FALSE(tray.Loaded());
  EXPECT_TRUE(m.tray.icons.empty()) << "the icon goes at once";
  EXPECT_FALSE(st.app.Ended()) << "the preset window stays open";
  presets.Command1[1].UserClick();
  EXPECT_TRUE(st.app.Ended());
}

TEST_F(TravoRig, ExitButtonHidesAndUnloads) {
  tray.Load();
  tray.cmdExit.UserClick();
  EXPECT_TRUE(m.tray.icons.empty());
  EXPECT_TRUE(st.app.Ended());
}

TEST_F(TravoRig, WithoutATaskbarTravoRunsOnWithoutAnIcon) {
  m.tray.available = false;
  tray.Load();
  EXPECT_TRUE(tray.Loaded());
  EXPECT_TRUE(m.tray.icons.empty());
  EXPECT_TRUE(m.msg.shown().empty());
}

TEST(TravoTables, ProgramItemsAreUniqueExecutablesOfTheFolder) {
  for (size_t i = 0; i < kProgramItems.size(); ++i) {
    const std::string program = kProgramItems[i].program;
    EXPECT_EQ(program.find_first_of("\\/:\" "), std::string::npos) << program;
    EXPECT_EQ(program.substr(program.size() - 4), ".exe") << program;
    for (size_t j = i + 1; j < kProgramItems.size(); ++j) {
      EXPECT_STRNE(kProgramItems[i].control, kProgramItems[j].control);
      EXPECT_STRNE(kProgramItems[i].program, kProgramItems[j].program);
    }
  }
}

// --- the preset window ---

struct PresetWindow : TravoRig {
  void AddPreset(const std::string& folder, const std::string& name) { m.fs.AddFile(folder + "\\" + name, "x"); }
};

TEST_F(PresetWindow, TheListFollowsTheSetting) {
  struct Case {
    const char* name;
    std::optional<std::string> setting;
    std::vector<std::string> listed;
    bool placeholder;
  };
  const std::string presets_dir = kFolder + "\\DATA\\Presets";
  const std::vector<Case> cases = {
      {"no setting: the program's preset folder", std::nullopt, {"fast", "quiet one"}, false},
      {"empty setting: the program's preset folder", "", {"fast", "quiet one"}, false},
      {"setting with a separator", "D:\\Mine\\", {"mine"}, false},
      // Used to list the parent's files named "Mine*.ksp".
      {"setting without a separator lists its own folder", "D:\\Mine", {"mine"}, false},
      {"a folder without presets shows the placeholder", "D:\\Empty", {"No presets found"}, true},
      {"a missing folder shows the placeholder", "D:\\Gone\\", {"No presets found"}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fake::FakeMachine machine;
    machine.fs.AddFile(kFolder + "\\DATA\\LANGUAGE\\en_travo.dat", test::ReadRepoData("LANGUAGE/en_travo.dat"));
    machine.fs.AddFile(presets_dir + "\\fast.ksp", "x");
    machine.fs.AddFile(presets_dir + "\\quiet one.ksp", "x");
    machine.fs.AddFile(presets_dir + "\\notes.txt", "x");
    machine.fs.AddFile("D:\\Mine\\mine.ksp", "x");
    machine.fs.AddFile("D:\\Mine-old.ksp", "x");
    machine.fs.AddFolder("D:\\Empty");
    if (c.setting) machine.reg.PutString(kSettingsKey, "Path", *c.setting);
    TravoState state(machine);
    state.language.LoadLanguage();
    Form1 form(state);
    form.Show();
    EXPECT_EQ(form.List1.items(), c.listed);
    EXPECT_EQ(form.NoPresets, c.placeholder ? 1 : 0);
    EXPECT_FALSE(form.Command1[0].Enabled());
  }
}

TEST_F(PresetWindow, CaptionsComeFromTheLanguage) {
  st.language.LoadLanguage();
  presets.Show();
  EXPECT_EQ(presets.Caption(), "Travonix");
  EXPECT_EQ(presets.Frame1.Caption(), "Select profile");
  EXPECT_EQ(presets.Command1[0].Caption(), "Activate profile");
  EXPECT_EQ(presets.Command1[1].Caption(), "Close");
}

TEST_F(PresetWindow, ActivateStartsTheMainProgramHiddenWithThePresetPath) {
  struct Case {
    const char* name;
    std::optional<std::string> setting;
    std::string folder;  // where the preset lies
    std::string argument;
    bool double_click;
  };
  const std::vector<Case> cases = {
      {"default folder", std::nullopt, kFolder + "\\DATA\\Presets", kFolder + "\\DATA\\Presets\\quiet one.ksp", false},
      {"double click does the same", std::nullopt, kFolder + "\\DATA\\Presets",
       kFolder + "\\DATA\\Presets\\quiet one.ksp", true},
      {"setting with a separator keeps both", "D:\\My Presets\\", "D:\\My Presets",
       "D:\\My Presets\\\\quiet one.ksp", false},
      {"setting without a separator", "D:\\My Presets", "D:\\My Presets", "D:\\My Presets\\quiet one.ksp", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fake::FakeMachine machine;
    machine.fs.AddFile(kFolder + "\\kestrelanese.exe", "MZ");
    machine.fs.AddFile("C:\\Program.exe", "MZ");  // what an unquoted start would find
    machine.fs.AddFile(c.folder + "\\quiet one.ksp", "x");
    if (c.setting) machine.reg.PutString(kSettingsKey, "Path", *c.setting);
    TravoState state(machine);
    Form1 form(state);
    form.Show();
    ASSERT_EQ(form.List1.ListCount(), 1);
    form.List1.UserPick(0);
    EXPECT_TRUE(form.Command1[0].Enabled());
    machine.reg.ClearLog();
    if (c.double_click)
      form.List1.UserDblClick();
    else
      form.Command1[0].UserClick();
    ASSERT_EQ(machine.proc.started().size(), 1u);
    const auto& run = machine.proc.started()[0];
    EXPECT_EQ(run.command_line, "\"" + kFolder + "\\kestrelanese.exe\" " + c.argument);
    EXPECT_EQ(run.program, kFolder + "\\kestrelanese.exe");
    EXPECT_EQ(run.style, platform::WindowStyle::kHide);
    EXPECT_TRUE(form.Visible()) << "the window stays open";
    EXPECT_EQ(machine.fs.CurrentFolder(), c.folder);
    // Nothing is saved: writing back the value read would leave the same
    // bytes, so the writes themselves are counted.
    EXPECT_EQ(machine.reg.CountCalls("RegCreateKeyA"), 0) << "nothing is saved";
    EXPECT_EQ(machine.reg.CountCalls("RegSetValueExA"), 0) << "nothing is saved";
    const auto path = machine.reg.Get(kSettingsKey, "Path");
    EXPECT_EQ(path ? std::optional<std::string>(path->bytes) : std::nullopt,
              c.setting ? std::optional<std::string>(*c.setting + '\0') : std::nullopt);
  }
}

TEST_F(PresetWindow, ThePlaceholderCannotBeLaunched) {
  m.fs.AddFile(kFolder + "\\kestrelanese.exe", "MZ");
  st.language.LoadLanguage();
  presets.Show();
  ASSERT_EQ(presets.NoPresets, 1);
  presets.List1.UserPick(0);
  EXPECT_FALSE(presets.Command1[0].Enabled());
  presets.List1.UserDblClick();
  EXPECT_TRUE(m.proc.started().empty());
}

TEST_F(PresetWindow, AMainProgramThatCannotStartLeavesTheWindowOpen) {
  m.fs.AddFile(kFolder + "\\DATA\\Presets\\a.ksp", "x");
  presets.Show();
  presets.List1.UserPick(0);
  presets.Command1[0].UserClick();
  EXPECT_TRUE(m.proc.started().empty());
  EXPECT_TRUE(presets.Visible());
}

TEST_F(PresetWindow, CloseWritesBackTheSettingAsRead) {
  presets.Show();
  presets.Command1[1].UserClick();
  EXPECT_FALSE(presets.Loaded());
  auto v = m.reg.Get(kSettingsKey, "Path");
  ASSERT_TRUE(v.has_value()) << "after the first Close the setting exists";
  EXPECT_EQ(v->type, platform::kRegSz);
  EXPECT_EQ(v->bytes, std::string(1, '\0'));

  m.reg.PutString(kSettingsKey, "Path", "D:\\ 12 ");
  presets.Show();
  presets.Command1[1].UserClick();
  EXPECT_EQ(m.reg.Get(kSettingsKey, "Path")->bytes, std::string("D:\\ 12 ") + '\0') << "kept as text, untrimmed";
  EXPECT_EQ(GetSetting(m.reg, "TRAVONIX", "Settings", "Path"), "D:\\ 12 ");
}

TEST_F(PresetWindow, TheCloseBoxWritesNothing) {
  presets.Show();
  presets.UserClose();
  EXPECT_FALSE(presets.Loaded());
  EXPECT_FALSE(m.reg.HasKey(kSettingsKey));
}

}  // namespace
}  // namespace ks::travo
