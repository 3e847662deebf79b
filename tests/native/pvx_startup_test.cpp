// pvx's start-up and menus: the profile dialog, the first-run notice, the
// backup switch setting, the manual, the about box.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "native/pvx_rig.h"

namespace ks {
namespace {

using test::kPvxFolder;
const char* const kSettings = "HKCU\\Software\\Kestrelane";

// pvx started a second time on the same machine.
struct SecondRun {
  explicit SecondRun(fake::FakeMachine& m) : st(m), form(st) {}
  bool Start(const std::string& profile) {
    st.app.Post([this, profile] {
      form.ProfileDialog.Combo1.UserPick(form.ProfileDialog.Combo1.FindItem(profile));
      form.ProfileDialog.Command1[0].UserClick();
    });
    return form.Start();
  }
  pvx::PvxState st;
  pvx::Form1 form;
};

struct PvxStartup : ::testing::Test {
  test::PvxRig rig;
  void SetUp() override {
    rig.AddList("nv.txt", {"nv4_disp.dll"});
    rig.AddProfile("ForceWare", {" d", "Driver", "", "List", "SYS-nv.txt", "", "", "nv", ""});
    rig.AddProfile("Detonator", {" d", "Driver", "", "List", "SYS-nv.txt", "", "", "det", ""});
  }
};

TEST_F(PvxStartup, TheDialogListsTheProfilesAndSelectWaitsForAChoice) {
  auto& dialog = rig.form.ProfileDialog;
  rig.st.app.Post([&] {
    EXPECT_EQ(dialog.Combo1.items(), (std::vector<std::string>{"ForceWare", "Detonator"}));
    EXPECT_EQ(dialog.Label1.Caption(), "Select profile:");
    EXPECT_EQ(dialog.Combo1.Text(), "Select from list");
    EXPECT_FALSE(dialog.Command1[0].Enabled());
    dialog.Combo1.UserPick(1);
    EXPECT_TRUE(dialog.Command1[0].Enabled());
    dialog.Command1[0].UserClick();
  });
  ASSERT_TRUE(rig.form.Start());
  EXPECT_EQ(rig.st.ProfileName, "Detonator.pvx");
  EXPECT_TRUE(rig.m.fs.FolderExists(test::kBackup + "\\det")) << "the backup folder is made";
}

// Regression: without a profile the dialog could not be left.
TEST_F(PvxStartup, ExitOrTheCloseBoxOfTheDialogEndsTheProgram) {
  struct Case {
    const char* name;
    bool close_box;
  };
  for (const Case c : {Case{"Exit", false}, Case{"close box", true}}) {
    SCOPED_TRACE(c.name);
    test::PvxRig fresh;
    fresh.AddProfile("ForceWare", {" d", "Driver", "", "List", "SYS-nv.txt", "", "", "nv", ""});
    fresh.st.app.Post([&] {
      if (c.close_box) {
        fresh.form.ProfileDialog.UserClose();
      } else {
        fresh.form.ProfileDialog.Command1[1].UserClick();
      }
    });
    EXPECT_FALSE(fresh.form.Start());
    EXPECT_FALSE(fresh.form.Loaded());
    EXPECT_TRUE(fresh.st.app.Ended());
  }
}

TEST_F(PvxStartup, AnEmptyProfileFolderLetsTheUserLeave) {
  test::PvxRig fresh;
  fresh.st.app.Post([&] {
    EXPECT_EQ(fresh.form.ProfileDialog.Combo1.ListCount(), 0);
    fresh.form.ProfileDialog.Command1[0].UserClick();  // disabled: nothing
    fresh.form.ProfileDialog.Command1[1].UserClick();
  });
  EXPECT_FALSE(fresh.form.Start());
}

TEST_F(PvxStartup, FirstRunNoticeIsShownOnce) {
  rig.st.reg.DeleteRegValue(kHkeyCurrentUser, kProductKey, "PV_1W");
  ASSERT_TRUE(rig.StartWith("ForceWare"));
  ASSERT_EQ(rig.m.msg.shown().size(), 1u);
  EXPECT_EQ(rig.m.msg.shown()[0].text, rig.st.Lang(33));
  EXPECT_EQ(rig.m.msg.shown()[0].caption, rig.st.Lang(32));
  EXPECT_EQ(rig.m.msg.shown()[0].style, platform::kMbOk | platform::kMbIconInformation);
  EXPECT_EQ(rig.st.reg.ReadRegValue(kHkeyCurrentUser, kProductKey, "PV_1W").AsText(), "1");

  rig.m.msg.Clear();
  SecondRun second(rig.m);
  ASSERT_TRUE(second.Start("ForceWare"));
  EXPECT_TRUE(rig.m.msg.shown().empty());
}

// "PV_BackUp" as installations hold it: REG_DWORD 1 while ticked; a
// cleared box used to delete the value and now stores 0, so that no value
// is told apart as a first start, which shows the box ticked.
TEST_F(PvxStartup, BackupSwitchShowsWhatIsStored) {
  struct Case {
    const char* name;
    std::function<void(fake::FakeRegistry&)> store;
    int shown;
  };
  const Case cases[] = {
      {"first start: no value", [](fake::FakeRegistry&) {}, ui::kChecked},
      // Also an installation whose cleared box deleted the value: ticked once, the safe side.
      {"ticked", [](fake::FakeRegistry& r) { r.PutDword(kSettings, "PV_BackUp", 1); }, ui::kChecked},
      {"cleared", [](fake::FakeRegistry& r) { r.PutDword(kSettings, "PV_BackUp", 0); }, ui::kUnchecked},
      {"not a number pvx wrote", [](fake::FakeRegistry& r) { r.PutString(kSettings, "PV_BackUp", "0"); },
       ui::kChecked},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::PvxRig fresh;
    fresh.AddProfile("ForceWare", {" d", "Driver", "", "List", "SYS-nv.txt", "", "", "nv", ""});
    c.store(fresh.m.reg);
    ASSERT_TRUE(fresh.StartWith("ForceWare"));
    EXPECT_EQ(fresh.form.Check1.Value(), c.shown);
  }
}

TEST_F(PvxStartup, BackupSwitchIsStoredAndRestored) {
  ASSERT_TRUE(rig.StartWith("ForceWare"));
  ASSERT_EQ(rig.form.Check1.Value(), ui::kChecked);
  rig.form.Check1.UserClick();
  auto stored = rig.m.reg.Get(kSettings, "PV_BackUp");
  ASSERT_TRUE(stored.has_value()) << "the cleared box is stored, not deleted";
  EXPECT_EQ(stored->type, platform::kRegDword);
  EXPECT_EQ(rig.st.reg.ReadRegValue(kHkeyCurrentUser, kProductKey, "PV_BackUp").AsText(), "0");

  SecondRun second(rig.m);
  ASSERT_TRUE(second.Start("ForceWare"));
  EXPECT_EQ(second.form.Check1.Value(), ui::kUnchecked) << "cleared stays cleared";
  second.form.Check1.UserClick();
  stored = rig.m.reg.Get(kSettings, "PV_BackUp");
  ASSERT_TRUE(stored.has_value());
  EXPECT_EQ(stored->type, platform::kRegDword);
  EXPECT_EQ(rig.st.reg.ReadRegValue(kHkeyCurrentUser, kProductKey, "PV_BackUp").AsText(), "1");

  SecondRun third(rig.m);
  ASSERT_TRUE(third.Start("ForceWare"));
  EXPECT_EQ(third.form.Check1.Value(), ui::kChecked);
}

// Regression: a first start showed the backup box cleared while its notice
// asks to keep it ticked, so Delete all right after the notice kept no copy.
TEST_F(PvxStartup, DeleteAllOnAFirstStartKeepsACopy) {
  rig.st.reg.DeleteRegValue(kHkeyCurrentUser, kProductKey, "PV_1W");
  rig.m.fs.AddFile(test::kSys + "\\nv4_disp.dll", "driver bytes");
  ASSERT_TRUE(rig.StartWith("ForceWare"));
  ASSERT_EQ(rig.Messages(), std::vector<std::string>{rig.st.Lang(33)});
  rig.Search();
  ASSERT_EQ(rig.form.List1.items(), std::vector<std::string>{"nv4_disp.dll"});
  rig.form.Command1[2].UserClick();
  EXPECT_FALSE(rig.m.fs.FileExists(test::kSys + "\\nv4_disp.dll"));
  EXPECT_EQ(rig.m.fs.Contents(test::kBackup + "\\nv\\nv4_disp.dll"), "driver bytes");
  EXPECT_EQ(rig.m.fs.Contents(test::kBackup + "\\nv\\nv4_disp.dll.index"), "\"" + test::kSys + "\\nv4_disp.dll\"\r\n");
  EXPECT_EQ(rig.form.List3.items(), std::vector<std::string>{"nv4_disp.dll"});
}

TEST_F(PvxStartup, ManualMenuFollowsTheLanguage) {
  struct Case {
    const char* name;
    const char* code;  // nullptr: no setting
    const char* manual;
    bool enabled;
  };
  const Case cases[] = {
      {"English", nullptr, "en_PVX_manual.htm", true},
      {"German without its manual", "de", "de_PVX_manual.htm", false},
      {"German with its manual", "de", "de_PVX_manual.htm", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::PvxRig fresh;
    fresh.AddProfile("ForceWare", {" d", "Driver", "", "List", "SYS-nv.txt", "", "", "nv", ""});
    fresh.m.fs.AddFile(kPvxFolder + "\\manual\\en_PVX_manual.htm", "<html></html>");
    if (c.code) {
      fresh.m.reg.PutString(kSettings, "Language", c.code);
      fresh.m.fs.AddFile(kPvxFolder + "\\DATA\\LANGUAGE\\de_pv.dat", test::ReadRepoData("LANGUAGE/en_pv.dat"));
    }
    if (c.enabled && c.code) fresh.m.fs.AddFile(kPvxFolder + "\\manual\\" + c.manual, "<html></html>");
    ASSERT_TRUE(fresh.StartWith("ForceWare"));
    EXPECT_EQ(fresh.form.mnu_Manual.Enabled(), c.enabled);
    if (!c.enabled) continue;
    fresh.form.mnu_Manual.UserClick();
    ASSERT_EQ(fresh.m.sh.executed.size(), 1u);
    const auto& run = fresh.m.sh.executed[0];
    EXPECT_EQ(run.operation, "open");
    EXPECT_EQ(run.file, "\"" + kPvxFolder + "\\Manual\\" + c.manual + "\"");
    EXPECT_EQ(run.parameters, "");
    EXPECT_EQ(run.show, platform::kSwShowNormal);
    // Regression: the manual was opened through a probe file in C:'s root.
    EXPECT_FALSE(fresh.m.fs.FileExists("C:\\temphtm.HTM"));
  }
}

TEST_F(PvxStartup, AboutBoxShowsTheVersion) {
  ASSERT_TRUE(rig.StartWith("ForceWare"));
  rig.st.app.Post([&] {
    EXPECT_EQ(rig.form.AboutBox.Caption(), "About");
    EXPECT_EQ(rig.form.AboutBox.Label1[1].Caption(), "version: 1.0.4");
    EXPECT_EQ(rig.form.AboutBox.Label1[0].Caption(), "PVX - Driver cleaner utility");
    rig.form.AboutBox.Command1.UserClick();
  });
  rig.form.mnu_About.UserClick();
  EXPECT_FALSE(rig.form.AboutBox.Loaded());
}

TEST_F(PvxStartup, CheckForUpdatesStartsTheUpdater) {
  ASSERT_TRUE(rig.StartWith("ForceWare"));
  rig.m.fs.AddFile(kPvxFolder + "\\relayo.exe", "MZ");
  rig.form.mnu_Update.UserClick();
  ASSERT_EQ(rig.m.proc.started().size(), 1u);
  EXPECT_EQ(rig.m.proc.started()[0].program, kPvxFolder + "\\relayo.exe");
}

TEST_F(PvxStartup, ExitEndsTheProgram) {
  ASSERT_TRUE(rig.StartWith("ForceWare"));
  rig.form.mnu_Exit.UserClick();
  EXPECT_TRUE(rig.st.app.Ended());
}

TEST_F(PvxStartup, CaptionsComeFromTheLanguageFile) {
  ASSERT_TRUE(rig.StartWith("ForceWare"));
  auto& f = rig.form;
  EXPECT_EQ(f.Frame2.Caption(), "Info");
  EXPECT_EQ(f.Command1[0].Caption(), "Search files");
  EXPECT_EQ(f.Command1[3].Caption(), "Restore selected file");
  EXPECT_EQ(f.mnu_File.Caption(), "File");
  EXPECT_EQ(f.mnu_Select.Caption(), "Select cleaner profile ...");
  EXPECT_EQ(f.mnu_Help.Caption(), "Help");
  EXPECT_EQ(f.Check1.Caption(), "Create backup before delete file");
  EXPECT_EQ(f.Label2.Caption(), "Location: ");
  EXPECT_TRUE(f.Command1[0].Enabled());
  for (int i = 1; i <= 3; ++i) EXPECT_FALSE(f.Command1[i].Enabled()) << i;
}

}  // namespace
}  // namespace ks
