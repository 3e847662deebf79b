// Deleting with and without backup, the backup's index, name collisions,
// failures that must keep the file, restoring and removing backups.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "cleaner/backup.h"
#include "cleaner/search.h"
#include "native/device_names.h"
#include "native/pvx_rig.h"

namespace ks {
namespace {

using test::kBackup;
using test::kPvxFolder;
using test::kSys;
using Names = std::vector<std::string>;

const std::string kNv = kBackup + "\\nv";
const std::string kNview = kBackup + "\\nview";

struct PvxDelete : ::testing::Test {
  test::PvxRig rig;
  fake::FakeFiles& fs = rig.m.fs;

  void SetUp() override {
    for (const char* name : {"nv4_disp.dll", "nvcpl.dll", "nvoglnt.dll"}) fs.AddFile(kSys + "\\" + name, name);
    fs.AddFile("C:\\WINDOWS\\nView\\nview.dll", "nview bytes");
    fs.AddFile("C:\\WINDOWS\\nView\\nvwdmcpl.dll", "desk manager");
    rig.AddList("nv.txt", {"nv4_disp.dll", "nvcpl.dll", "nvoglnt.dll"});
    rig.AddProfile("two", {" (ForceWare)", "Driver", "nView", "List", "SYS-nv.txt", "Directory", "WIN\\nView", "nv",
                           "nview"});
  }
  void Start(bool backup) {
    if (backup) rig.m.reg.PutDword("HKCU\\Software\\Kestrelane", "PV_BackUp", 1);
    ASSERT_TRUE(rig.StartWith("two"));
    ASSERT_EQ(rig.form.Check1.Value(), backup ? 1 : 0);
    rig.Search();
  }
  Names Listed(const std::string& pattern) { return fs.List(pattern); }
};

TEST_F(PvxDelete, SelectedWithoutBackupWritesNoCopy) {
  Start(false);
  rig.Pick(1, "nvcpl.dll");
  rig.form.Command1[1].UserClick();
  ASSERT_EQ(rig.m.msg.shown().size(), 1u);
  EXPECT_EQ(rig.m.msg.shown()[0].text, rig.st.Lang(13) + "nvcpl.dll?");
  EXPECT_EQ(rig.m.msg.shown()[0].caption, rig.st.Lang(5));
  EXPECT_EQ(rig.m.msg.shown()[0].style, platform::kMbOkCancel);
  EXPECT_FALSE(fs.FileExists(kSys + "\\nvcpl.dll"));
  EXPECT_TRUE(Listed(kNv + "\\*").empty());
  EXPECT_EQ(rig.form.List1.items(), (Names{"nv4_disp.dll", "nvoglnt.dll"}));
  EXPECT_FALSE(rig.form.Command1[1].Enabled());
  EXPECT_EQ(rig.form.Label2.Caption(), "Location: ");
}

TEST_F(PvxDelete, CancelDeletesNothingButClearsTheLines) {
  Start(true);
  rig.Pick(1, "nvcpl.dll");
  rig.m.msg.Answer(platform::kIdCancel);
  rig.form.Command1[1].UserClick();
  EXPECT_TRUE(fs.FileExists(kSys + "\\nvcpl.dll"));
  EXPECT_TRUE(Listed(kNv + "\\*").empty());
  EXPECT_EQ(rig.form.Label2.Caption(), "Location: ");
  EXPECT_EQ(rig.form.Label3.Caption(), "Version: ");
}

TEST_F(PvxDelete, SelectedWithBackupKeepsACopyAndItsIndex) {
  Start(true);
  rig.Pick(2, "nview.dll");
  rig.form.Command1[1].UserClick();
  EXPECT_FALSE(fs.FileExists("C:\\WINDOWS\\nView\\nview.dll"));
  EXPECT_EQ(fs.Contents(kNview + "\\nview.dll"), "nview bytes");
  EXPECT_EQ(fs.Contents(kNview + "\\nview.dll.index"), "\"C:\\WINDOWS\\nView\\nview.dll\"\r\n");
  EXPECT_EQ(rig.form.List4.items(), (Names{"nview.dll"}));
  EXPECT_EQ(rig.form.Label8.Caption(), "nView files in BackUp: 1");
}

TEST_F(PvxDelete, DeleteAllAsksOnceAndBacksUpEveryFile) {
  Start(true);
  rig.form.Command1[2].UserClick();
  ASSERT_EQ(rig.m.msg.shown().size(), 1u);
  EXPECT_EQ(rig.m.msg.shown()[0].text, rig.st.Lang(14));
  EXPECT_EQ(rig.m.msg.shown()[0].caption, rig.st.Lang(6));
  EXPECT_TRUE(Listed(kSys + "\\*.dll").empty());
  EXPECT_TRUE(Listed("C:\\WINDOWS\\nView\\*").empty());
  EXPECT_EQ(Listed(kNv + "\\*").size(), 6u);
  EXPECT_EQ(Listed(kNview + "\\*").size(), 4u);
  EXPECT_EQ(rig.form.List3.ListCount(), 3);
  EXPECT_EQ(rig.form.List4.ListCount(), 2);
  for (int i = 1; i <= 3; ++i) EXPECT_FALSE(rig.form.Command1[i].Enabled()) << i;
}

TEST_F(PvxDelete, DeleteAllClearsTheLocationAndVersionLines) {
  struct Case {
    const char* name;
    std::vector<std::string> group1;  // the list file's items
  };
  const Case cases[] = {
      {"group 1 has files", {"nv4_disp.dll", "nvcpl.dll", "nvoglnt.dll"}},
      // Regression: with group 1 empty the location and version of the
      // selected group 2 file stayed on screen after it was deleted.
      {"group 1 is empty", {"missing.dll"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::PvxRig fresh;
    fresh.m.fs.AddFile("C:\\WINDOWS\\nView\\nview.dll", "nview bytes");
    fresh.m.ver.SetResource("C:\\WINDOWS\\nView\\nview.dll", fake::VersionResource::WithFileVersion("6.14.10.7701"));
    for (const char* name : {"nv4_disp.dll", "nvcpl.dll", "nvoglnt.dll"}) fresh.m.fs.AddFile(kSys + "\\" + name, name);
    fresh.AddList("nv.txt", c.group1);
    fresh.AddProfile("two", {" d", "Driver", "nView", "List", "SYS-nv.txt", "Directory", "WIN\\nView", "nv", "nview"});
    ASSERT_TRUE(fresh.StartWith("two"));
    fresh.Search();
    fresh.Pick(2, "nview.dll");
    ASSERT_EQ(fresh.form.Label2.Caption(), "Location: C:\\WINDOWS\\nView\\nview.dll");
    ASSERT_EQ(fresh.form.Label3.Caption(), "Version: 6.14.10.7701");
    fresh.form.Command1[2].UserClick();
    EXPECT_FALSE(fresh.m.fs.FileExists("C:\\WINDOWS\\nView\\nview.dll"));
    EXPECT_EQ(fresh.form.Label2.Caption(), fresh.st.Lang(8));
    EXPECT_EQ(fresh.form.Label3.Caption(), fresh.st.Lang(9));
  }
}

TEST_F(PvxDelete, DeleteAllCancelledDeletesNothing) {
  Start(false);
  rig.m.msg.Answer(platform::kIdCancel);
  rig.form.Command1[2].UserClick();
  EXPECT_EQ(Listed(kSys + "\\*.dll").size(), 3u);
  EXPECT_EQ(rig.form.List1.ListCount(), 3);
}

// A file is deleted only once its copy and an index naming it are written
// and in place. Both are written under their unfinished names first.
TEST_F(PvxDelete, NoBackupNoDeletion) {
  struct Case {
    const char* name;
    void (*breakIt)(fake::FakeFiles&);
    bool earlier_copy = false;  // the folder holds an earlier copy of the file
  };
  const Case cases[] = {
      {"copy cannot be written", [](fake::FakeFiles& fs) { fs.FailWrites(kNv + "\\nvcpl.dll" + kUnfinishedSuffix); }},
      {"index cannot be written",
       [](fake::FakeFiles& fs) { fs.FailWrites(kNv + "\\nvcpl.dll.index" + kUnfinishedSuffix); }},
      {"index does not read back",
       [](fake::FakeFiles& fs) { fs.GarbleWrites(kNv + "\\nvcpl.dll.index" + kUnfinishedSuffix); }},
      {"the earlier copy cannot be replaced", [](fake::FakeFiles& fs) { fs.SetLocked(kNv + "\\nvcpl.dll", true); },
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::PvxRig fresh;
    fresh.m.fs.AddFile(kSys + "\\nvcpl.dll", "panel");
    if (c.earlier_copy) {
      fresh.m.fs.AddFile(kNv + "\\nvcpl.dll", "older panel");
      fresh.m.fs.AddFile(kNv + "\\nvcpl.dll.index", IndexLine(kSys + "\\nvcpl.dll"));
    }
    fresh.AddList("nv.txt", {"nvcpl.dll"});
    fresh.AddProfile("p", {" d", "Driver", "", "List", "SYS-nv.txt", "", "", "nv", ""});
    fresh.m.reg.PutDword("HKCU\\Software\\Kestrelane", "PV_BackUp", 1);
    ASSERT_TRUE(fresh.StartWith("p"));
    fresh.Search();
    c.breakIt(fresh.m.fs);
    fresh.Pick(1, "nvcpl.dll");
    fresh.form.Command1[1].UserClick();
    EXPECT_EQ(fresh.m.fs.Contents(kSys + "\\nvcpl.dll"), "panel") << "the file stays";
    ASSERT_EQ(fresh.m.msg.shown().size(), 2u) << "the question, then the user is told";
    EXPECT_NE(fresh.m.msg.shown()[1].text.find(kSys + "\\nvcpl.dll"), std::string::npos);
    EXPECT_EQ(fresh.m.fs.FileExists(kNv + "\\nvcpl.dll"), c.earlier_copy) << "no copy without an index is left behind";
    EXPECT_EQ(fresh.m.fs.List(kNv + "\\*" + kUnfinishedSuffix), Names{}) << "nor an unfinished file";
  }
}

// Regression: the index was written in place and never flushed, and the
// copy was not flushed either, so a power cut right after "Delete all
// files" could leave neither while the driver files were gone.
TEST_F(PvxDelete, CopiesAndIndexesOutliveAPowerCut) {
  Start(true);
  rig.form.Command1[2].UserClick();
  fs.PowerCut();
  for (const char* name : {"nv4_disp.dll", "nvcpl.dll", "nvoglnt.dll"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(fs.Contents(kNv + "\\" + name), name);
    EXPECT_EQ(IndexedPath(fs, kNv + "\\" + name), kSys + "\\" + name);
  }
  EXPECT_EQ(fs.Contents(kNview + "\\nview.dll"), "nview bytes");
  EXPECT_EQ(IndexedPath(fs, kNview + "\\nvwdmcpl.dll"), "C:\\WINDOWS\\nView\\nvwdmcpl.dll");
  EXPECT_EQ(Listed(kNv + "\\*" + kUnfinishedSuffix), Names{});
  // A restored file is on the disk before its copy goes.
  rig.Search();
  rig.Pick(3, "nvcpl.dll");
  rig.form.Command1[3].UserClick();
  fs.PowerCut();
  EXPECT_EQ(fs.Contents(kSys + "\\nvcpl.dll"), "nvcpl.dll");
}

// A driver file whose name ends like an unfinished one is backed up under a
// name the backup list shows, and comes back under its own.
TEST_F(PvxDelete, ADriverFileNamedLikeAnUnfinishedOneIsBackedUpVisibly) {
  const std::string odd = std::string("nvodd") + kUnfinishedSuffix;
  fs.AddFile(kSys + "\\" + odd, "odd");
  rig.AddList("nv.txt", {odd});
  Start(true);
  rig.Pick(1, odd);
  rig.form.Command1[1].UserClick();
  EXPECT_EQ(rig.form.List3.items(), (Names{odd + "_"}));
  rig.Pick(3, odd + "_");
  rig.form.Command1[3].UserClick();
  EXPECT_EQ(fs.Contents(kSys + "\\" + odd), "odd");
}

TEST_F(PvxDelete, DeleteAllKeepsEveryFileThatCouldNotBeBackedUp) {
  Start(true);
  fs.FailWrites(kNv + "\\nvcpl.dll.index" + kUnfinishedSuffix);
  rig.form.Command1[2].UserClick();
  EXPECT_EQ(Listed(kSys + "\\*.dll"), (Names{"nvcpl.dll"}));
  ASSERT_EQ(rig.m.msg.shown().size(), 2u);
  EXPECT_NE(rig.m.msg.shown()[1].text.find("nvcpl.dll"), std::string::npos);
  EXPECT_TRUE(Listed("C:\\WINDOWS\\nView\\*").empty()) << "the other files went on";
}

// Regression: every file left in place was listed in one message box, which
// grew taller than the screen with its OK button out of reach.
TEST(PvxNotice, ListsAtMostTenPathsAndCountsTheRest) {
  struct Case {
    const char* name;
    bool backup;
    const char* why;
  };
  const Case cases[] = {{"no backup copy could be made", true, "(no backup copy could be made)"},
                        {"the files cannot be deleted", false, "(it could not be deleted)"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::PvxRig rig;
    auto& fs = rig.m.fs;
    std::vector<std::string> items, paths;
    for (int i = 1; i <= 13; ++i) {
      items.push_back("nvfile" + std::to_string(100 + i) + ".dll");
      paths.push_back(kSys + "\\" + items.back());
      fs.AddFile(paths.back(), items.back());
    }
    rig.AddList("nv.txt", items);
    rig.AddProfile("p", {" d", "Driver", "", "List", "SYS-nv.txt", "", "", "nv", ""});
    if (c.backup) rig.m.reg.PutDword("HKCU\\Software\\Kestrelane", "PV_BackUp", 1);
    ASSERT_TRUE(rig.StartWith("p"));
    rig.Search();
    if (c.backup) {
      fs.FailWritesHalfway(kNv, 13);  // the disk is full
    } else {
      for (const std::string& path : paths) fs.SetLocked(path, true);
    }
    rig.form.Command1[2].UserClick();
    EXPECT_EQ(fs.List(kSys + "\\nvfile*.dll").size(), 13u);
    const auto messages = rig.Messages();
    ASSERT_EQ(messages.size(), 2u) << "the question, then the notice";
    const std::string& notice = messages[1];
    for (int i = 0; i < 13; ++i) EXPECT_EQ(notice.find(paths[i]) != std::string::npos, i < 10) << paths[i];
    EXPECT_NE(notice.find(paths[0] + " " + c.why), std::string::npos);
    EXPECT_NE(notice.find("and 3 more"), std::string::npos);
    EXPECT_EQ(std::count(notice.begin(), notice.end(), '\n'), 11) << "a heading, ten paths and the rest counted";
  }
}

// Regression: two files of the same name overwrote each other's backup.
TEST_F(PvxDelete, SameNameFromAnotherFolderGetsItsOwnCopy) {
  fs.AddFile("C:\\WINDOWS\\nView\\nvcpl.dll", "nview's own nvcpl");
  rig.AddProfile("same", {" d", "Driver", "nView", "List", "SYS-nv.txt", "Directory", "WIN\\nView", "nv", "nv"});
  rig.m.reg.PutDword("HKCU\\Software\\Kestrelane", "PV_BackUp", 1);
  ASSERT_TRUE(rig.StartWith("same"));
  rig.Search();
  rig.form.Command1[2].UserClick();
  EXPECT_EQ(fs.Contents(kNv + "\\nvcpl.dll"), "nvcpl.dll");
  EXPECT_EQ(fs.Contents(kNv + "\\nvcpl (2).dll"), "nview's own nvcpl");
  EXPECT_EQ(IndexedPath(fs, kNv + "\\nvcpl (2).dll"), "C:\\WINDOWS\\nView\\nvcpl.dll");
  // Both come back where they were.
  for (const char* copy : {"nvcpl.dll", "nvcpl (2).dll"}) {
    rig.Pick(3, copy);
    rig.form.Command1[3].UserClick();
  }
  EXPECT_EQ(fs.Contents(kSys + "\\nvcpl.dll"), "nvcpl.dll");
  EXPECT_EQ(fs.Contents("C:\\WINDOWS\\nView\\nvcpl.dll"), "nview's own nvcpl");
}

TEST_F(PvxDelete, SameFileBackedUpTwiceKeepsOneCopy) {
  Start(true);
  rig.Pick(1, "nvcpl.dll");
  rig.form.Command1[1].UserClick();
  fs.AddFile(kSys + "\\nvcpl.dll", "a newer one");
  rig.Search();
  rig.Pick(1, "nvcpl.dll");
  rig.form.Command1[1].UserClick();
  EXPECT_EQ(Listed(kNv + "\\*"), (Names{"nvcpl.dll", "nvcpl.dll.index"}));
  EXPECT_EQ(fs.Contents(kNv + "\\nvcpl.dll"), "a newer one");
  EXPECT_EQ(fs.Contents(kNv + "\\nvcpl.dll.index"), "\"" + kSys + "\\nvcpl.dll\"\r\n");
}

TEST_F(PvxDelete, ACopyWithoutAnIndexIsNeverOverwritten) {
  fs.AddFile(kNv + "\\nvcpl.dll", "someone's copy");
  Start(true);
  rig.Pick(1, "nvcpl.dll");
  rig.form.Command1[1].UserClick();
  EXPECT_EQ(fs.Contents(kNv + "\\nvcpl.dll"), "someone's copy");
  EXPECT_EQ(fs.Contents(kNv + "\\nvcpl (2).dll"), "nvcpl.dll");
}

TEST_F(PvxDelete, RestorePutsTheFileBackAndRemovesTheBackup) {
  Start(true);
  rig.Pick(1, "nvcpl.dll");
  rig.form.Command1[1].UserClick();
  rig.m.msg.Clear();
  rig.Pick(3, "nvcpl.dll");
  rig.form.Command1[3].UserClick();
  EXPECT_TRUE(rig.m.msg.shown().empty()) << "nothing to replace, no question";
  EXPECT_EQ(fs.Contents(kSys + "\\nvcpl.dll"), "nvcpl.dll");
  EXPECT_TRUE(Listed(kNv + "\\*").empty());
  EXPECT_EQ(rig.form.List1.ListCount(), 3);
  EXPECT_EQ(rig.form.List3.ListCount(), 0);
  EXPECT_FALSE(rig.form.Command1[3].Enabled());
}

TEST_F(PvxDelete, RestoreOverAnExistingFileAsksFirst) {
  struct Case {
    const char* name;
    int answer;
    std::string expected;
  };
  const Case cases[] = {{"OK replaces", platform::kIdOk, "nvcpl.dll"},
                        {"Cancel keeps", platform::kIdCancel, "reinstalled"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs.AddFile(kNv + "\\nvcpl.dll", "nvcpl.dll");
    fs.AddFile(kNv + "\\nvcpl.dll.index", "\"" + kSys + "\\nvcpl.dll\"\r\n");
    fs.AddFile(kSys + "\\nvcpl.dll", "reinstalled");
    if (!rig.form.Loaded()) Start(true);
    rig.Search();
    rig.m.msg.Clear();
    rig.Pick(3, "nvcpl.dll");
    rig.m.msg.Answer(c.answer);
    rig.form.Command1[3].UserClick();
    ASSERT_EQ(rig.m.msg.shown().size(), 1u);
    EXPECT_EQ(rig.m.msg.shown()[0].text, rig.st.Lang(15));
    EXPECT_EQ(rig.m.msg.shown()[0].caption, "PVX - driver cleaner utility");
    EXPECT_EQ(fs.Contents(kSys + "\\nvcpl.dll"), c.expected);
    EXPECT_EQ(fs.FileExists(kNv + "\\nvcpl.dll"), c.answer != platform::kIdOk);
  }
}

TEST_F(PvxDelete, RestoreWithoutAUsableIndexKeepsTheCopy) {
  struct Case {
    const char* name;
    const char* index;  // nullptr: no index file
  };
  const Case cases[] = {{"no index", nullptr}, {"empty index", ""}, {"relative path", "\"nvcpl.dll\"\r\n"}};
  Start(true);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs.AddFile(kNv + "\\lost.dll", "lost");
    fs.DeleteFile(kNv + "\\lost.dll.index");
    if (c.index) fs.AddFile(kNv + "\\lost.dll.index", c.index);
    rig.Search();
    rig.Pick(3, "lost.dll");
    rig.form.Command1[3].UserClick();
    EXPECT_EQ(fs.Contents(kNv + "\\lost.dll"), "lost");
    EXPECT_EQ(rig.form.List3.items(), (Names{"lost.dll"}));
  }
}

TEST_F(PvxDelete, RestoreIntoAMissingFolderKeepsCopyAndIndex) {
  Start(true);
  fs.AddFile(kNv + "\\gone.dll", "gone");
  fs.AddFile(kNv + "\\gone.dll.index", "\"C:\\NoSuchFolder\\gone.dll\"\r\n");
  rig.Search();
  rig.Pick(3, "gone.dll");
  rig.form.Command1[3].UserClick();
  EXPECT_TRUE(fs.FileExists(kNv + "\\gone.dll"));
  EXPECT_TRUE(fs.FileExists(kNv + "\\gone.dll.index"));
  EXPECT_FALSE(rig.form.Command1[3].Enabled());
}

// Regression: a copy went back wherever its index said. An index naming the
// main program overwrote it after the generic question; one naming a new
// file at the top of drive C created it without a question.
TEST(PvxRestore, GoesBackOnlyWhereTheFileCameFrom) {
  struct Case {
    const char* name;
    std::string index;     // the former path the index names
    bool restored;
    bool told;             // the user is told which path the index names
    std::string existing;  // a file already there ("" for none)
  };
  const Case cases[] = {
      {"sound index", kSys + "\\nvcpl.dll", true, false, ""},
      {"sound index over a reinstalled file", kSys + "\\nvcpl.dll", true, false, kSys + "\\nvcpl.dll"},
      {"sound index in a sub-folder", kSys + "\\drivers\\nvcpl.dll", true, false, ""},
      {"sound index in other letters and dots", "c:\\windows\\system32\\drivers\\..\\NVCPL.DLL", true, false, ""},
      {"the main program", kPvxFolder + "\\KestrelaneSE.exe", false, true, kPvxFolder + "\\KestrelaneSE.exe"},
      {"the program folder", kPvxFolder + "\\nvcpl.dll", false, true, ""},
      {"a new file at the top of drive C", "C:\\nvcpl.dll", false, true, ""},
      {"another drive", "D:\\WINDOWS\\SYSTEM32\\nvcpl.dll", false, true, ""},
      {"a network path", "\\\\server\\share\\nvcpl.dll", false, true, ""},
      {"a sibling folder", "C:\\WINDOWS\\SYSTEM\\nvcpl.dll", false, true, ""},
      {"a sibling sharing the folder's name", "C:\\WINDOWS\\SYSTEM32_old\\nvcpl.dll", false, true, ""},
      {"dots that climb out", kSys + "\\..\\explorer.exe", false, true, "C:\\WINDOWS\\explorer.exe"},
      {"dots and a blank", kSys + "\\.. \\explorer.exe", false, true, ""},
      {"the other group's folder", "C:\\WINDOWS\\nView\\nvcpl.dll", false, true, ""},
      {"the search folder itself", kSys, false, true, ""},
      {"a device", kSys + "\\NUL", false, true, ""},
      {"a stream of a file", kSys + "\\nvcpl.dll:hidden", false, true, ""},
      // Inside the folder, but restoring never makes a folder.
      {"a sub-folder that is gone", kSys + "\\gone\\nvcpl.dll", false, false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::PvxRig rig;
    auto& fs = rig.m.fs;
    fs.AddFolder("D:\\WINDOWS\\SYSTEM32");
    fs.AddFolder(kSys + "\\drivers");
    fs.AddFolder("C:\\WINDOWS\\SYSTEM");
    fs.AddFolder("C:\\WINDOWS\\SYSTEM32_old");
    fs.AddFolder("C:\\WINDOWS\\nView");
    if (!c.existing.empty()) fs.AddFile(c.existing, "original");
    fs.AddFile(kNv + "\\nvcpl.dll", "backup bytes");
    fs.AddFile(kNv + "\\nvcpl.dll.index", "\"" + c.index + "\"\r\n");
    rig.AddList("nv.txt", {"nvcpl.dll"});
    rig.AddProfile("two", {" d", "Driver", "nView", "List", "SYS-nv.txt", "Directory", "WIN\\nView", "nv", "nview"});
    ASSERT_TRUE(rig.StartWith("two"));
    rig.Search();
    rig.Pick(3, "nvcpl.dll");
    rig.form.Command1[3].UserClick();
    if (c.restored) {
      EXPECT_EQ(fs.Contents(c.index), "backup bytes");
      EXPECT_FALSE(fs.FileExists(kNv + "\\nvcpl.dll"));
      EXPECT_FALSE(fs.FileExists(kNv + "\\nvcpl.dll.index"));
    } else {
      EXPECT_EQ(fs.Contents(kNv + "\\nvcpl.dll"), "backup bytes") << "the copy stays";
      EXPECT_TRUE(fs.FileExists(kNv + "\\nvcpl.dll.index"));
      EXPECT_EQ(rig.form.List3.items(), (Names{"nvcpl.dll"})) << "and stays listed";
      if (c.existing.empty()) {
        EXPECT_FALSE(fs.FileExists(c.index));
      } else {
        EXPECT_EQ(fs.Contents(c.existing), "original");
      }
      EXPECT_FALSE(fs.FolderExists(kSys + "\\gone"));
    }
    const auto messages = rig.Messages();
    const bool told = std::any_of(messages.begin(), messages.end(),
                                  [&](const std::string& text) { return text.find(c.index) != std::string::npos; });
    EXPECT_EQ(told, c.told);
    if (c.told) {
      EXPECT_EQ(messages.size(), 1u) << "no question before a refusal";
      EXPECT_FALSE(rig.form.Command1[3].Enabled());
    }
  }
}

TEST(PvxRestore, DeviceNamesAreNoPlaceToRestoreTo) {
  const std::vector<std::string> homes = {kSys};
  ASSERT_EQ(RestoreTarget(kSys + "\\nvcpl.dll", homes), kSys + "\\nvcpl.dll");
  for (const char* device : test::kDeviceNames) {
    EXPECT_EQ(RestoreTarget(kSys + "\\" + device, homes), std::nullopt) << device;
    EXPECT_EQ(RestoreTarget(kSys + "\\" + device + "\\nvcpl.dll", homes), std::nullopt) << device;
  }
}

TEST_F(PvxDelete, DeletingABackupRemovesCopyAndIndexOnly) {
  Start(true);
  rig.Pick(1, "nvcpl.dll");
  rig.form.Command1[1].UserClick();
  fs.AddFile(kSys + "\\nvcpl.dll", "reinstalled");
  rig.Search();
  rig.Pick(3, "nvcpl.dll");
  rig.form.Command1[1].UserClick();
  EXPECT_TRUE(Listed(kNv + "\\*").empty());
  EXPECT_EQ(fs.Contents(kSys + "\\nvcpl.dll"), "reinstalled");
}

TEST_F(PvxDelete, ABackupThatCannotBeDeletedKeepsItsIndex) {
  fs.AddFile(kNv + "\\locked.dll", "x");
  fs.AddFile(kNv + "\\locked.dll.index", "\"C:\\x\\locked.dll\"\r\n");
  fs.SetLocked(kNv + "\\locked.dll", true);
  EXPECT_FALSE(RemoveBackupCopy(fs, kNv + "\\locked.dll"));
  EXPECT_TRUE(fs.FileExists(kNv + "\\locked.dll.index"));
}

}  // namespace
}  // namespace ks
