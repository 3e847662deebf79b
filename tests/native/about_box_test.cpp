// The about box and the web-link method.
#include <gtest/gtest.h>

#include "form1_rig.h"
#include "shell/weblink.h"

namespace ks::test {
namespace {

struct About : Form1Rig, ::testing::Test {
  About() {
    f.Load();
    m.sh.associations[".htm"] = "  C:\\Program Files\\Web Browser\\browser.exe ";
    m.fs.AddFile("C:\\Program Files\\Web Browser\\browser.exe", "MZ");
  }
};

TEST_F(About, CaptionAndVersionLineFromTheLanguageTable) {
  for (int round = 0; round < 2; ++round) {
    f.form2().Load();
    EXPECT_EQ(f.form2().Caption(), st.Lang(245)) << round;
    EXPECT_EQ(f.form2().Label2.Caption(), st.Lang(246) + "3.5") << round;
    EXPECT_EQ(f.form2().Label1.Caption(), "Kestrelane SE");
    f.form2().Unload();
  }
}

TEST_F(About, LinkPictureWritesTheProbeIntoTheTempFolderAndStartsTheBrowser) {
  f.form2().Load();
  f.form2().Image1[1].UserClick();
  // Regression: the probe went to the root of drive C:, which standard users cannot write.
  EXPECT_EQ(WebProbePath(st), "C:\\Windows\\Temp\\temphtm.HTM");
  EXPECT_EQ(m.fs.Contents("C:\\Windows\\Temp\\temphtm.HTM"), "\"<HTML> <\\HTML>\"\r\n");
  EXPECT_FALSE(m.fs.FileExists("C:\\temphtm.HTM"));
  ASSERT_EQ(m.sh.executed.size(), 1u);
  const auto& run = m.sh.executed[0];
  EXPECT_EQ(run.operation, "open");
  EXPECT_EQ(run.file, "C:\\Program Files\\Web Browser\\browser.exe") << "trimmed, blanks inside unquoted";
  EXPECT_EQ(run.parameters, kMagazineSite);
  EXPECT_EQ(run.directory, "");
  EXPECT_EQ(run.show, platform::kSwShowNormal);
}

TEST_F(About, EachPictureOpensItsOwnPage) {
  f.form2().Load();
  for (int i = 0; i < 3; ++i) f.form2().Image1[i].UserClick();
  ASSERT_EQ(m.sh.executed.size(), 3u);
  EXPECT_EQ(m.sh.executed[0].parameters, kVendorSite);
  EXPECT_EQ(m.sh.executed[1].parameters, kMagazineSite);
  EXPECT_EQ(m.sh.executed[2].parameters, kProductSite);
  f.form2().Form2_Image1_Click(3);
  EXPECT_EQ(m.sh.executed.size(), 3u) << "an index without a picture does nothing";
}

TEST_F(About, WithoutABrowserNothingVisibleHappens) {
  m.sh.associations.clear();
  f.OpenVendorSite();
  ASSERT_EQ(m.sh.executed.size(), 1u);
  EXPECT_EQ(m.sh.executed[0].file, "");
  EXPECT_TRUE(m.msg.shown().empty());
}

TEST_F(About, UnwritableTempFolderStillGoesOn) {
  m.fs.AddFile("C:\\Windows\\Temp\\temphtm.HTM", "");
  m.fs.SetLocked("C:\\Windows\\Temp\\temphtm.HTM", true);
  f.OpenVendorSite();
  EXPECT_TRUE(m.msg.shown().empty());
  EXPECT_EQ(m.sh.executed.size(), 1u);
}

}  // namespace
}  // namespace ks::test
