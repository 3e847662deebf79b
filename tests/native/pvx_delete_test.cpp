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

// What a refusal says about the index's path.
const std::string kOtherFile = "that is another file than the one this copy was made from.";
const std::string kNotCleaned = "that is not in a folder this profile cleans.";
const std::string kNoFileName = "that is no name a file can be restored to.";
const std::string kThroughLink =
    "the copy, that file or a folder on the way is a link, which pvx does not follow.";
const std::string kFolderGone = "that folder no longer exists, and restoring does not create folders.";

// The notice of one refused copy: the copy, where its index sends it, why not.
std::string RefusalText(const std::string& copy, const std::string& target, const std::string& why) {
  return "This backup copy was not restored:\r\n" + copy + "\r\n    to " + target + "\r\n    " + why;
}

struct PvxDelete : ::testing::Test {
  test::PvxRig rig;
  fake::FakeFiles& fs = rig.m.fs;

  void SetUp() override {
    for (const char* name : {"nv4_disp.dll", "nvcpl.dll", "nvoglnt.dll"}) fs.AddFile(kSys + "\\" + name, name);
    fs.AddFile("C:\\WINDOWS\\nView\\nview.dll", "nview bytes");
    fs.AddFile("C:\\WINDOWS\\nView\\nvwdmcpl.dll", "desk manager");
    rig.AddList("nv.txt", {"nv4_disp.dll", "nvcpl.dll", "nvoglnt.dll"});
    rig.AddProfile("two", {" (ForceWare)", "Driver", "nView", "List", "SYS-nv.txt", "Extension",
                           "WIN\\nView-.dll", "nv", "nview"});
  }
  void Start(bool backup) {
    rig.m.reg.PutDword("HKCU\\Software\\Kestrelane", "PV_BackUp", backup ? 1 : 0);
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
    fresh.AddProfile("two",
                     {" d", "Driver", "nView", "List", "SYS-nv.txt", "Extension", "WIN\\nView-.dll", "nv", "nview"});
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
    rig.m.reg.PutDword("HKCU\\Software\\Kestrelane", "PV_BackUp", c.backup ? 1 : 0);
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

// Regression: a file both groups find was backed up and deleted by group 1,
// then reported as "not deleted" because group 2 found it gone.
TEST(PvxNotice, AFileBothGroupsFindIsDeletedOnceAndNotReported) {
  for (const bool backup : {true, false}) {
    SCOPED_TRACE(backup ? "with backup" : "without backup");
    test::PvxRig rig;
    auto& fs = rig.m.fs;
    fs.AddFile("C:\\WINDOWS\\nView\\nview.dll", "nview bytes");
    fs.AddFile("C:\\WINDOWS\\nView\\nvwdmcpl.dll", "desk manager");
    rig.AddList("nvw.txt", {"nview\\NVIEW.DLL"});
    rig.AddProfile("both",
                   {" d", "Driver", "nView", "List", "WIN-nvw.txt", "Extension", "WIN\\nView-.dll", "nv", "nview"});
    rig.m.reg.PutDword("HKCU\\Software\\Kestrelane", "PV_BackUp", backup ? 1 : 0);
    ASSERT_TRUE(rig.StartWith("both"));
    rig.Search();
    ASSERT_EQ(rig.form.List1.items(), (Names{"nview.dll"}));
    ASSERT_EQ(rig.form.List2.items(), (Names{"nview.dll", "nvwdmcpl.dll"}));
    rig.form.Command1[2].UserClick();
    EXPECT_EQ(rig.Messages(), (Names{rig.st.Lang(14)})) << "the question and no notice";
    EXPECT_TRUE(fs.List("C:\\WINDOWS\\nView\\*").empty());
    if (backup) {
      EXPECT_EQ(fs.Contents(kNv + "\\nview.dll"), "nview bytes") << "backed up by the group that found it first";
      EXPECT_EQ(fs.List(kNview + "\\*"), (Names{"nvwdmcpl.dll", "nvwdmcpl.dll.index"}));
    }
  }
}

// Regression: two files of the same name overwrote each other's backup.
TEST_F(PvxDelete, SameNameFromAnotherFolderGetsItsOwnCopy) {
  fs.AddFile("C:\\WINDOWS\\nView\\nvcpl.dll", "nview's own nvcpl");
  rig.AddProfile("same", {" d", "Driver", "nView", "List", "SYS-nv.txt", "Extension", "WIN\\nView-.dll", "nv", "nv"});
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
    // The question names the file it would replace.
    EXPECT_EQ(rig.m.msg.shown()[0].text, rig.st.Lang(15) + "\r\n" + kSys + "\\nvcpl.dll");
    EXPECT_EQ(rig.m.msg.shown()[0].caption, "PVX - driver cleaner utility");
    EXPECT_EQ(fs.Contents(kSys + "\\nvcpl.dll"), c.expected);
    EXPECT_EQ(fs.FileExists(kNv + "\\nvcpl.dll"), c.answer != platform::kIdOk);
  }
}

// The bytes of `text` as UTF-16 (ASCII text only), as Notepad saves "Unicode".
std::string Utf16(const std::string& text, bool mark, bool big_endian) {
  std::string bytes = mark ? (big_endian ? "\xFE\xFF" : "\xFF\xFE") : "";
  for (char ch : text) bytes += big_endian ? std::string{'\0', ch} : std::string{ch, '\0'};
  return bytes;
}

// Regression: a missing, empty, cut-off or UTF-16 index, or a folder that is
// gone, made "Restore selected file" do nothing at all, and a copy whose
// file another group of the profile cleans was refused. Every refusal now
// names the copy, where its index sends it and why it stays.
TEST(PvxRestore, EveryRefusedRestoreSaysWhy) {
  const std::string line = IndexLine(kSys + "\\lost.dll");
  struct Case {
    const char* name;
    std::optional<std::string> index;  // the index file's bytes; nullopt: none
    std::string target;                // the path the notice names, or the file restored
    std::string why;                   // "" when the copy is restored
    std::string copy = kNv + "\\lost.dll";
    void (*prepare)(fake::FakeFiles&) = nullptr;
    int questions = 0;  // the replace question comes before the notice
  };
  const Case cases[] = {
      {"no index", std::nullopt, "(not known)",
       "its index file is missing, so where the file came from is not known."},
      {"an index that cannot be read", line, "(not known)", "its index file cannot be read.", kNv + "\\lost.dll",
       [](fake::FakeFiles& fs) { fs.SetLocked(kNv + "\\lost.dll.index", true); }},
      {"an empty index", "", "(not known)", "its index file is empty, so where the file came from is not known."},
      {"an index of blank lines", " \r\n\r\n", "(not known)",
       "its index file is empty, so where the file came from is not known."},
      {"an index cut off in the path", "\"" + kSys + "\\lo", kSys + "\\lo",
       "its index file is cut off: the path in it has no closing quote."},
      {"an index cut off before the closing quote", "\"" + kSys + "\\lost.dll", kSys + "\\lost.dll",
       "its index file is cut off: the path in it has no closing quote."},
      {"a UTF-16 index", Utf16(line, true, false), "(not known)",
       "its index file is saved as UTF-16 text, which pvx cannot read. Save it as ANSI text."},
      {"a big-endian UTF-16 index", Utf16(line, true, true), "(not known)",
       "its index file is saved as UTF-16 text, which pvx cannot read. Save it as ANSI text."},
      {"a UTF-16 index without its mark", Utf16(line, false, false), "(not known)",
       "its index file is saved as UTF-16 text, which pvx cannot read. Save it as ANSI text."},
      {"an index naming no full path", "\"lost.dll\"\r\n", "lost.dll", "its index file names no full path."},
      {"an index naming a drive's current folder", "\"C:lost.dll\"\r\n", "C:lost.dll",
       "its index file names no full path."},
      {"a folder that is gone", IndexLine(kSys + "\\gone\\lost.dll"), kSys + "\\gone\\lost.dll", kFolderGone},
      {"outside every group's folders", IndexLine("C:\\Tools\\lost.dll"), "C:\\Tools\\lost.dll", kNotCleaned},
      {"another name", IndexLine(kSys + "\\keepx.dll"), kSys + "\\keepx.dll", kOtherFile},
      // Restoring onto a link would write into the file behind it.
      {"a former file that is now a link", line, kSys + "\\lost.dll", kThroughLink, kNv + "\\lost.dll",
       [](fake::FakeFiles& fs) {
         fs.AddFile("C:\\Tools\\other.dll", "other");
         fs.AddLink(kSys + "\\lost.dll", "C:\\Tools\\other.dll");
       }},
      {"a file that cannot be replaced", line, kSys + "\\lost.dll",
       "the copy could not be written there (the file may be in use or read-only).", kNv + "\\lost.dll",
       [](fake::FakeFiles& fs) {
         fs.AddFile(kSys + "\\lost.dll", "in use");
         fs.SetLocked(kSys + "\\lost.dll", true);
       },
       1},
      // Restored, not refused.
      {"a sound index", line, kSys + "\\lost.dll", ""},
      {"an index saved with a UTF-8 mark", "\xEF\xBB\xBF" + line, kSys + "\\lost.dll", ""},
      {"an index without its line end", "\"" + kSys + "\\lost.dll\"", kSys + "\\lost.dll", ""},
      {"a group 1 copy of a file group 2 cleans", IndexLine("C:\\WINDOWS\\nView\\lost.dll"),
       "C:\\WINDOWS\\nView\\lost.dll", ""},
      {"a group 2 copy of a file group 1 cleans", line, kSys + "\\lost.dll", "", kNview + "\\lost.dll"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::PvxRig rig;
    auto& fs = rig.m.fs;
    fs.AddFolder("C:\\WINDOWS\\nView");
    fs.AddFolder("C:\\Tools");
    fs.AddFile(kSys + "\\nvcpl.dll", "listed");
    // The list names a sub-folder that is not there.
    rig.AddList("nv.txt", {"nvcpl.dll", "gone\\nvcpl.dll"});
    rig.AddProfile("two",
                   {" d", "Driver", "nView", "List", "SYS-nv.txt", "Extension", "WIN\\nView-.dll", "nv", "nview"});
    fs.AddFile(c.copy, "lost");
    if (c.index) fs.AddFile(c.copy + ".index", *c.index);
    if (c.prepare) c.prepare(fs);
    ASSERT_TRUE(rig.StartWith("two"));
    rig.Search();
    const bool group1 = c.copy.rfind(kNv + "\\", 0) == 0;
    rig.Pick(group1 ? 3 : 4, "lost.dll");
    rig.m.msg.Answer(platform::kIdOk);
    rig.form.Command1[3].UserClick();
    const auto messages = rig.Messages();
    ui::ListBox& backups = group1 ? rig.form.List3 : rig.form.List4;
    if (c.why.empty()) {
      EXPECT_TRUE(messages.empty());
      EXPECT_EQ(fs.Contents(c.target), "lost");
      EXPECT_FALSE(fs.FileExists(c.copy));
      EXPECT_FALSE(fs.FileExists(c.copy + ".index"));
      EXPECT_EQ(backups.ListCount(), 0);
    } else {
      EXPECT_EQ(fs.Contents(c.copy), "lost") << "the copy stays";
      EXPECT_EQ(fs.FileExists(c.copy + ".index"), c.index.has_value());
      EXPECT_EQ(backups.items(), (Names{"lost.dll"})) << "and stays listed";
      if (fs.FileExists("C:\\Tools\\other.dll")) {
        EXPECT_EQ(fs.Contents("C:\\Tools\\other.dll"), "other") << "nothing written behind a link";
      }
      ASSERT_EQ(messages.size(), static_cast<size_t>(c.questions + 1)) << "one notice for the restore";
      EXPECT_EQ(messages.back(), RefusalText(c.copy, c.target, c.why));
      EXPECT_EQ(rig.m.msg.shown().back().caption, "PVX - driver cleaner utility");
      EXPECT_FALSE(rig.form.Command1[3].Enabled());
    }
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
// file at the top of drive C created it without a question; one naming
// another file of the same folder (nvcpl.dll's copy onto keep.dll) replaced
// that file after asking whether to replace "a file of this name".
TEST(PvxRestore, GoesBackOnlyOntoTheFileItWasMadeFrom) {
  struct Case {
    const char* name;
    std::string index;     // the former path the index names
    bool restored;
    std::string why;       // the reason the user is told ("" when not told)
    std::string existing;  // a file already there ("" for none)
    std::string copy = "nvcpl.dll";
  };
  const Case cases[] = {
      {"sound index", kSys + "\\nvcpl.dll", true, "", ""},
      {"sound index over a reinstalled file", kSys + "\\nvcpl.dll", true, "", kSys + "\\nvcpl.dll"},
      {"sound index in a sub-folder a list item names", kSys + "\\drivers\\nvcpl.dll", true, "", ""},
      {"sound index in other letters and dots", "c:\\windows\\system32\\drivers\\..\\NVCPL.DLL", true, "", ""},
      {"a second copy of that name", kSys + "\\nvcpl.dll", true, "", "", "nvcpl (2).dll"},
      {"a later copy in other letters", kSys + "\\nvcpl.dll", true, "", "", "NVCPL (12).DLL"},
      // A file of a folder group 2 cleans, backed up by group 1 (both
      // groups found it, or the profile changed since): it was refused as
      // "not in a folder this profile cleans".
      {"the other group's folder", "C:\\WINDOWS\\nView\\nvcpl.dll", true, "", ""},
      {"another file of the folder", kSys + "\\keep.dll", false, kOtherFile, kSys + "\\keep.dll"},
      {"another file of the folder, numbered copy", kSys + "\\keep.dll", false, kOtherFile, kSys + "\\keep.dll",
       "nvcpl (2).dll"},
      // Regression: only the length of the stem before " (N)" was looked at.
      {"another name of the stem's length, numbered copy", kSys + "\\keepx.dll", false, kOtherFile,
       kSys + "\\keepx.dll", "nvcpl (2).dll"},
      {"a name the copy only starts with", kSys + "\\nvcpl.dl", false, kOtherFile, ""},
      {"a numbered name for the plain copy", kSys + "\\nvcpl (2).dll", false, kOtherFile, ""},
      {"a number no copy gets", kSys + "\\nvcpl.dll", false, kOtherFile, "", "nvcpl (1).dll"},
      {"a number with a leading zero", kSys + "\\nvcpl.dll", false, kOtherFile, "", "nvcpl (02).dll"},
      {"the name with a trailing dot", kSys + "\\nvcpl.dll.", false, kNoFileName, ""},
      {"the main program", kPvxFolder + "\\KestrelaneSE.exe", false, kOtherFile, kPvxFolder + "\\KestrelaneSE.exe"},
      {"the program folder", kPvxFolder + "\\nvcpl.dll", false, kNotCleaned, ""},
      {"a backup folder", kNview + "\\nvcpl.dll", false, kNotCleaned, ""},
      {"a new file at the top of drive C", "C:\\nvcpl.dll", false, kNotCleaned, ""},
      {"another drive", "D:\\WINDOWS\\SYSTEM32\\nvcpl.dll", false, kNotCleaned, ""},
      {"a network path", "\\\\server\\share\\nvcpl.dll", false, kNotCleaned, ""},
      {"a sibling folder", "C:\\WINDOWS\\SYSTEM\\nvcpl.dll", false, kNotCleaned, ""},
      {"a sibling sharing the folder's name", "C:\\WINDOWS\\SYSTEM32_old\\nvcpl.dll", false, kNotCleaned, ""},
      {"a sub-folder no list item names", kSys + "\\spare\\nvcpl.dll", false, kNotCleaned, ""},
      {"below the other group's folder", "C:\\WINDOWS\\nView\\spare\\nvcpl.dll", false, kNotCleaned, ""},
      {"dots that climb out", kSys + "\\..\\explorer.exe", false, kOtherFile, "C:\\WINDOWS\\explorer.exe"},
      {"dots and a blank", kSys + "\\.. \\explorer.exe", false, kOtherFile, ""},
      {"the search folder itself", kSys, false, kOtherFile, ""},
      {"a device", kSys + "\\NUL", false, kNoFileName, ""},
      {"a stream of a file", kSys + "\\nvcpl.dll:hidden", false, kNoFileName, ""},
      // A folder a list item names, but restoring never makes a folder.
      {"a sub-folder that is gone", kSys + "\\gone\\nvcpl.dll", false, kFolderGone, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::PvxRig rig;
    auto& fs = rig.m.fs;
    fs.AddFolder("D:\\WINDOWS\\SYSTEM32");
    fs.AddFolder(kSys + "\\drivers");
    fs.AddFolder(kSys + "\\spare");
    fs.AddFolder("C:\\WINDOWS\\SYSTEM");
    fs.AddFolder("C:\\WINDOWS\\SYSTEM32_old");
    fs.AddFolder("C:\\WINDOWS\\nView\\spare");
    if (!c.existing.empty()) fs.AddFile(c.existing, "original");
    fs.AddFile(kNv + "\\" + c.copy, "backup bytes");
    fs.AddFile(kNv + "\\" + c.copy + ".index", "\"" + c.index + "\"\r\n");
    rig.AddList("nv.txt", {"nvcpl.dll", "drivers\\nvcpl.dll", "gone\\nvcpl.dll"});
    rig.AddProfile("two",
                   {" d", "Driver", "nView", "List", "SYS-nv.txt", "Extension", "WIN\\nView-.dll", "nv", "nview"});
    ASSERT_TRUE(rig.StartWith("two"));
    rig.Search();
    rig.Pick(3, c.copy);
    rig.form.Command1[3].UserClick();
    const auto messages = rig.Messages();
    if (c.restored) {
      EXPECT_EQ(fs.Contents(c.index), "backup bytes");
      EXPECT_FALSE(fs.FileExists(kNv + "\\" + c.copy));
      EXPECT_FALSE(fs.FileExists(kNv + "\\" + c.copy + ".index"));
      if (!c.existing.empty()) {
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_NE(messages[0].find(c.existing), std::string::npos) << "the question names the file it replaces";
      }
    } else {
      EXPECT_EQ(fs.Contents(kNv + "\\" + c.copy), "backup bytes") << "the copy stays";
      EXPECT_TRUE(fs.FileExists(kNv + "\\" + c.copy + ".index"));
      EXPECT_EQ(rig.form.List3.items(), (Names{c.copy})) << "and stays listed";
      if (c.existing.empty()) {
        EXPECT_FALSE(fs.FileExists(c.index));
      } else {
        EXPECT_EQ(fs.Contents(c.existing), "original");
      }
      EXPECT_FALSE(fs.FolderExists(kSys + "\\gone"));
    }
    const bool told = std::any_of(messages.begin(), messages.end(), [&](const std::string& text) {
      return text.find(c.index) != std::string::npos && text.find("not restored") != std::string::npos;
    });
    EXPECT_EQ(told, !c.why.empty());
    if (!c.why.empty()) {
      ASSERT_EQ(messages.size(), 1u) << "no question before a refusal";
      EXPECT_EQ(messages[0], RefusalText(kNv + "\\" + c.copy, c.index, c.why));
      EXPECT_FALSE(rig.form.Command1[3].Enabled());
    }
  }
}

TEST(PvxRestore, CopyNames) {
  struct Case {
    const char* name;
    const char* copy;
    const char* former;
    bool matches;
  };
  const Case cases[] = {
      {"the same name", "nvcpl.dll", "nvcpl.dll", true},
      {"other letters", "NVCPL.DLL", "nvcpl.dll", true},
      {"the second copy", "nvcpl (2).dll", "nvcpl.dll", true},
      {"the last number a copy gets", "nvcpl (1000).dll", "nvcpl.dll", true},
      {"a name without an extension", "README (3)", "README", true},
      {"a file named like an index", "x.index_", "x.index", true},
      {"a numbered file named like an index", "x (2).index_", "x.index", true},
      {"another name", "nvcpl.dll", "keep.dll", false},
      // Regression: a numbered copy was taken for any name whose stem had its length.
      {"a numbered copy of another name of that length", "nvcpl (2).dll", "keepx.dll", false},
      {"a numbered copy of another name of that length, no extension", "nvcpl (2)", "keepx", false},
      {"the name without its number", "nvcpl.dll", "nvcpl (2).dll", false},
      {"number one", "nvcpl (1).dll", "nvcpl.dll", false},
      {"number zero", "nvcpl (0).dll", "nvcpl.dll", false},
      {"a leading zero", "nvcpl (02).dll", "nvcpl.dll", false},
      {"beyond the last number", "nvcpl (1001).dll", "nvcpl.dll", false},
      {"no number", "nvcpl ().dll", "nvcpl.dll", false},
      {"a sign", "nvcpl (+2).dll", "nvcpl.dll", false},
      {"another extension", "nvcpl (2).exe", "nvcpl.dll", false},
      {"the number after the extension", "nvcpl.dll (2)", "nvcpl.dll", false},
      {"an index's name for its file", "x.index", "x.index", false},
      {"a trailing dot", "nvcpl.dll", "nvcpl.dll.", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsCopyNameOf(c.copy, c.former), c.matches) << c.name;
}

// Regression: a "List" rule rooted at the drive let a backup go back
// anywhere on the drive. Its copies go back only into the folders its
// items name, and never into pvx's own folder.
TEST(PvxRestore, AListRootedAtTheDriveRestoresIntoTheFoldersItsItemsName) {
  struct Case {
    const char* name;
    std::string index;
    bool restored;
  };
  const Case cases[] = {
      {"an item at the top of the drive", "C:\\nvcpl.dll", true},
      {"an item's sub-folder", "C:\\NVIDIA\\nvcpl.dll", true},
      {"a folder no item names", "C:\\Tools\\nvcpl.dll", false},
      {"below an item's folder", "C:\\NVIDIA\\Setup\\nvcpl.dll", false},
      {"the Windows folder", "C:\\WINDOWS\\nvcpl.dll", false},
      {"pvx's folder that an item names", kPvxFolder + "\\nvcpl.dll", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::PvxRig rig;
    auto& fs = rig.m.fs;
    for (const char* folder : {"C:\\NVIDIA\\Setup", "C:\\Tools", "C:\\WINDOWS"}) fs.AddFolder(folder);
    fs.AddFile(kNv + "\\nvcpl.dll", "backup bytes");
    fs.AddFile(kNv + "\\nvcpl.dll.index", IndexLine(c.index));
    rig.AddList("nvroot.txt", {"nvroot.dll", "NVIDIA\\nvsetup.dll", "Program Files\\Kestrelane\\nvcpl.dll"});
    rig.AddProfile("root", {" d", "Driver", "", "List", "SYD-nvroot.txt", "", "", "nv", ""});
    ASSERT_TRUE(rig.StartWith("root"));
    ASSERT_TRUE(rig.form.ProfileValid);
    rig.Search();
    rig.Pick(3, "nvcpl.dll");
    rig.form.Command1[3].UserClick();
    EXPECT_EQ(fs.FileExists(c.index), c.restored);
    EXPECT_EQ(fs.FileExists(kNv + "\\nvcpl.dll"), !c.restored);
  }
}

// Regression: nothing pinned that a List rule whose items all lie in
// sub-folders keeps its copies out of the rule's own folder, which it
// never finds a file in.
TEST(PvxRestore, AListOfSubFolderItemsRestoresOnlyIntoThoseFolders) {
  struct Case {
    const char* name;
    std::string index;
    std::string why;  // "" when restored
  };
  const Case cases[] = {
      {"an item's folder", kSys + "\\nvidia\\nvcpl.dll", ""},
      {"another item's folder", kSys + "\\drivers\\nvcpl.dll", ""},
      {"the rule's own folder", kSys + "\\nvcpl.dll", kNotCleaned},
      {"below an item's folder", kSys + "\\nvidia\\x\\nvcpl.dll", kNotCleaned},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::PvxRig rig;
    auto& fs = rig.m.fs;
    fs.AddFolder(kSys + "\\drivers");
    fs.AddFolder(kSys + "\\nvidia\\x");
    fs.AddFile(kNv + "\\nvcpl.dll", "backup bytes");
    fs.AddFile(kNv + "\\nvcpl.dll.index", IndexLine(c.index));
    rig.AddList("sub.txt", {"drivers\\nv4_mini.sys", "nvidia\\nvcpl.dll"});
    rig.AddProfile("sub", {" d", "Driver", "", "List", "SYS-sub.txt", "", "", "nv", ""});
    ASSERT_TRUE(rig.StartWith("sub"));
    ASSERT_TRUE(rig.form.ProfileValid);
    rig.Search();
    rig.Pick(3, "nvcpl.dll");
    rig.form.Command1[3].UserClick();
    EXPECT_EQ(fs.FileExists(c.index), c.why.empty());
    EXPECT_EQ(fs.FileExists(kNv + "\\nvcpl.dll"), !c.why.empty());
    if (!c.why.empty()) {
      EXPECT_EQ(rig.Messages(), (Names{RefusalText(kNv + "\\nvcpl.dll", c.index, c.why)}));
    }
  }
}

TEST(PvxRestore, DeviceNamesAreNoPlaceToRestoreTo) {
  const std::vector<std::string> homes = {kSys};
  ASSERT_EQ(RestoreTarget(kNv + "\\nvcpl.dll", kSys + "\\nvcpl.dll", homes), kSys + "\\nvcpl.dll");
  for (const char* device : test::kDeviceNames) {
    const std::string copy = kNv + "\\" + device;
    EXPECT_EQ(RestoreTarget(copy, kSys + "\\" + device, homes), std::nullopt) << device;
    EXPECT_EQ(RestoreTarget(kNv + "\\nvcpl.dll", kSys + "\\" + device + "\\nvcpl.dll", {kSys + "\\" + device}),
              std::nullopt)
        << device;
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
