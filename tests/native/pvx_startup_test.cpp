// pvx's start-up and menus: the profile dialog, the first-run notice, the
// backup switch setting, the manual, the about box.
#include <gtest/gtest.h>

#include <string>

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

TEST_F(PvxStartup, BackupSwitchIsStoredAndRestored) {
  ASSERT_TRUE(rig.StartWith("ForceWare"));
  EXPECT_EQ(rig.form.Check1.Value(), 0);
  rig.form.Check1.UserClick();
  const auto stored = rig.m.reg.Get(kSettings, "PV_BackUp");
  ASSERT_TRUE(stored.has_value());
  EXPECT_EQ(stored->type, platform::kRegDword);
  EXPECT_EQ(rig.st.reg.ReadRegValue(kHkeyCurrentUser, kProductKey, "PV_BackUp").AsText(), "1");

  SecondRun second(rig.m);
  ASSERT_TRUE(second.Start("ForceWare"));
  EXPECT_EQ(second.form.Check1.Value(), 1);

  rig.form.Check1.UserClick();
  EXPECT_FALSE(rig.m.reg.Get(kSettings, "PV_BackUp").has_value()) << "clearing the box deletes the value";
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
