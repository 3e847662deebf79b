// pvx's guards on a disk that spells one folder several ways (long names,
// 8.3 aliases, links): what the search finds, what a delete, a backup or a
// restore may touch, and what the window refuses.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "cleaner/backup.h"
#include "cleaner/search.h"
#include "native/fixtures/machines.h"
#include "native/pvx_rig.h"

namespace ks {
namespace {

using test::kBackup;
using test::kPvxFolder;
using test::kSys;
using Names = std::vector<std::string>;

const std::string kKernel = kSys + "\\kernel32.dll";

// Links onto the system folder and one of its files, pvx's folder under
// Wine's alias of "Program Files", a driver folder with a long name.
void LayOutSpellings(fake::FakeFiles& fs) {
  fs.AddFile(kKernel, "kernel");
  fs.AddFile(kPvxFolder + "\\KestrelaneSE.exe", "exe");
  fs.SetShortName("C:\\Program Files", "PROG~1");
  fs.AddLink("C:\\syslink", kSys);
  fs.AddFile("C:\\NVIDIA\\nv.dll", "nv");
  fs.AddLink("C:\\NVIDIA\\nvlink.dll", kKernel);
  fs.AddFile("C:\\NVIDIA Corp\\nView\\nview.dll", "nview");
  fs.AddFile("C:\\NVIDIA Corp\\nView\\nvcpl helper.dll", "helper");
}

Names NamesOf(const std::vector<FoundFile>& found) {
  Names names;
  for (const FoundFile& f : found) names.push_back(f.path);
  return names;
}

TEST(PvxGuards, TheSearchTakesNoLinkAndNothingOfPvxInAnySpelling) {
  test::PvxRig rig;
  auto& fs = rig.m.fs;
  LayOutSpellings(fs);
  // Regression: pvx's own program by its short folder names was listed,
  // and a list item through a link listed the system's files.
  rig.AddList("root.txt", {"PROG~1\\KESTRE~1\\KestrelaneSE.exe", "PROG~1\\KESTRE~1\\KESTRE~1.EXE",
                           "syslink\\kernel32.dll", "NVIDIA\\nvlink.dll", "NVIDIA\\nv.dll",
                           "NVIDIA~1\\nView\\nview.dll"});
  ASSERT_EQ(fs.GetShortPathName("C:\\NVIDIA Corp"), "C:\\NVIDIA~1");
  const GroupSearch list{GroupKind::kList, "C:", "root.txt", ""};
  EXPECT_EQ(NamesOf(FindGroupFiles(fs, list)), (Names{"C:\\NVIDIA\\nv.dll", "C:\\NVIDIA~1\\nView\\nview.dll"}));
  EXPECT_EQ(GroupFolders(fs, list), (Names{"C:\\NVIDIA", "C:\\NVIDIA~1\\nView"}))
      << "no restore goes back into pvx's folder or through a link";
  EXPECT_EQ(NamesOf(FindGroupFiles(fs, {GroupKind::kDirectory, "C:\\NVIDIA", "", ""})), (Names{"C:\\NVIDIA\\nv.dll"}))
      << "a file link is no file";
  // Regression: a Directory rule over a link to system32 listed its files.
  EXPECT_EQ(NamesOf(FindGroupFiles(fs, {GroupKind::kDirectory, "C:\\syslink", "", ""})), Names{});
  EXPECT_EQ(NamesOf(FindGroupFiles(fs, {GroupKind::kExtension, "C:\\PROG~1\\KESTRE~1", "", ".exe"})), Names{});
}

TEST(PvxGuards, ABackupFolderThatIsALinkHoldsNoCopies) {
  test::PvxRig rig;
  auto& fs = rig.m.fs;
  LayOutSpellings(fs);
  // Regression: a backup folder that was a link listed the files behind it,
  // and deleting a "copy" deleted them.
  fs.AddLink(kBackup + "\\nv", kSys);
  fs.AddFile(kBackup + "\\nview\\nview.dll", "copy");
  fs.AddLink(kBackup + "\\nview\\kernel32.dll", kKernel);
  EXPECT_EQ(NamesOf(FindBackupCopies(fs, "nv")), Names{});
  EXPECT_EQ(NamesOf(FindBackupCopies(fs, "nview")), (Names{kBackup + "\\nview\\nview.dll"}));
  EXPECT_FALSE(RemoveBackupCopy(fs, kBackup + "\\nv\\kernel32.dll"));
  EXPECT_FALSE(RemoveBackupCopy(fs, kBackup + "\\nview\\kernel32.dll"));
  EXPECT_EQ(RestoreBackupCopy(fs, kBackup + "\\nview\\kernel32.dll", {kSys}), RestoreOutcome::kLink);
  EXPECT_EQ(fs.Contents(kKernel), "kernel");
  EXPECT_TRUE(fs.FileExists(kBackup + "\\nview\\kernel32.dll")) << "the link stays as it was";
}

TEST(PvxGuards, NothingIsDeletedOrBackedUpThroughALink) {
  struct Case {
    const char* name;
    std::string path;
    bool backup;
    std::string backup_folder;
  };
  const Case cases[] = {
      // Regression: under Wine, deleting a file link deleted kernel32.dll.
      {"a file link", "C:\\NVIDIA\\nvlink.dll", false, ""},
      {"a file link with backup", "C:\\NVIDIA\\nvlink.dll", true, kBackup + "\\nv"},
      {"through a folder link", "C:\\syslink\\kernel32.dll", false, ""},
      {"a backup folder that is a link", "C:\\NVIDIA\\nv.dll", true, kBackup + "\\linked"},
      {"a file link as Wine shows it", "C:\\NVIDIA\\wine.dll", false, ""},
      {"a file link as Wine shows it, with backup", "C:\\NVIDIA\\wine.dll", true, kBackup + "\\nv"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::PvxRig rig;
    auto& fs = rig.m.fs;
    LayOutSpellings(fs);
    fs.AddFolder(kBackup + "\\nv");
    fs.AddFolder("C:\\elsewhere");
    fs.AddLink(kBackup + "\\linked", "C:\\elsewhere");
    fs.AddLink("C:\\NVIDIA\\wine.dll", kKernel, false);
    EXPECT_EQ(DeleteFileWithBackup(fs, c.path, c.backup, c.backup_folder), DeleteOutcome::kLink);
    EXPECT_EQ(fs.Contents(kKernel), "kernel");
    EXPECT_TRUE(fs.FileExists(c.path));
    EXPECT_EQ(fs.List("C:\\elsewhere\\*"), Names{});
    EXPECT_EQ(fs.List(kBackup + "\\nv\\*"), Names{});
  }
}

TEST(PvxGuards, RestoreTargetsAreTheFoldersTheSystemResolves) {
  struct Case {
    const char* name;
    std::string copy;
    std::string former;
    Names folders;
    std::optional<std::string> target;
  };
  const std::string nview = "C:\\NVIDIA Corp\\nView";
  const Case cases[] = {
      {"the folder by its long name", "nview.dll", nview + "\\nview.dll", {nview}, nview + "\\nview.dll"},
      {"the index by the short name", "nview.dll", "C:\\NVIDIA~1\\nView\\nview.dll", {nview},
       "C:\\NVIDIA~1\\nView\\nview.dll"},
      {"the folder by the short name", "nview.dll", nview + "\\nview.dll", {"c:\\nvidia~1\\NVIEW"},
       nview + "\\nview.dll"},
      // Regression: an index naming pvx's own program by short names restored onto it.
      {"pvx's program by short names", "KestrelaneSE.exe", "C:\\PROG~1\\KESTRE~1\\KestrelaneSE.exe",
       {"C:\\PROG~1\\KESTRE~1"}, std::nullopt},
      {"pvx's program by its long name", "KestrelaneSE.exe", kPvxFolder + "\\KestrelaneSE.exe", {kPvxFolder},
       std::nullopt},
      // The alias stands for another file than the copy was made of.
      {"an alias of another file", "NVCPLH~1.DLL", nview + "\\NVCPLH~1.DLL", {nview}, std::nullopt},
      {"through a link onto a cleaned folder", "nvcpl.dll", "C:\\syslink\\nvcpl.dll", {kSys}, std::nullopt},
      {"into a link", "nvcpl.dll", "C:\\syslink\\nvcpl.dll", {"C:\\syslink"}, std::nullopt},
      {"onto a file link", "nvlink.dll", "C:\\NVIDIA\\nvlink.dll", {"C:\\NVIDIA"}, std::nullopt},
      {"a device path climbing out", "x", "\\\\.\\..\\x", {"C:\\"}, std::nullopt},
      {"the system's own namespace", "nv.dll", "\\\\?\\C:\\NVIDIA\\nv.dll", {"C:\\NVIDIA"}, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::PvxRig rig;
    auto& fs = rig.m.fs;
    LayOutSpellings(fs);
    ASSERT_EQ(fs.GetShortPathName(nview + "\\nvcpl helper.dll"), "C:\\NVIDIA~1\\nView\\NVCPLH~1.DLL");
    EXPECT_EQ(RestoreTarget(fs, kBackup + "\\nv\\" + c.copy, c.former, c.folders), c.target);
  }
}

// Systems without GetLongPathName (NT 4) or GetFinalPathNameByHandle
// (before Vista) refuse the same rules: by file identity, and by the
// reparse point a junction shows.
TEST(PvxGuards, SystemsLackingPathCallsRefuseTheSameRules) {
  struct Case {
    const char* name;
    test::OsKind os;
    std::string kind;
    std::string spec;
    std::string fault;  // what the message names
  };
  const Case cases[] = {
      {"NT 4: pvx's backup folder by its 8.3 names", test::OsKind::kNt4, "Directory",
       "SYD\\PROG~1\\KESTRE~1\\data\\cleaner\\backup\\nv", "is pvx's own folder " + kPvxFolder},
      {"NT 4: a list in pvx's folder by its 8.3 names", test::OsKind::kNt4, "List", "SYD\\PROG~1\\KESTRE~1-root.txt",
       "is pvx's own folder " + kPvxFolder},
      {"2000: a junction to the system folder", test::OsKind::kWin2000, "Directory", "SYD\\syslink",
       "C:\\syslink is a link"},
      {"XP: a list over a junction to the system folder", test::OsKind::kXp, "List", "SYD\\syslink-root.txt",
       "C:\\syslink is a link"},
      {"XP: a folder behind a junction", test::OsKind::kXp, "Directory", "SYD\\syslink\\drivers",
       "lies behind the link C:\\syslink"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::PvxRig rig(test::MakeMachine(c.os));
    auto& fs = rig.m.fs;
    LayOutSpellings(fs);
    fs.AddFolder(kSys + "\\drivers");
    EXPECT_EQ(c.os == test::OsKind::kNt4 ? fs.GetLongPathName("C:\\PROG~1") : fs.GetFinalPathName("C:\\syslink"), "")
        << "the system lacks the call";
    rig.AddList("root.txt", {"kernel32.dll", "KestrelaneSE.exe"});
    rig.AddProfile("old", {" (old)", "Driver", "", c.kind, c.spec, "", "", "nv", ""});
    EXPECT_TRUE(rig.StartWith("old"));
    const std::vector<std::string> messages = rig.Messages();
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_TRUE(!messages.empty() && messages[0].find(c.fault) != std::string::npos)
        << (messages.empty() ? "no message" : messages[0]);
    rig.Search();
    EXPECT_EQ(rig.form.List1.ListCount(), 0);
  }
}

struct PvxGuardWindow : ::testing::Test {
  test::PvxRig rig;
  fake::FakeFiles& fs = rig.m.fs;
  void SetUp() override {
    LayOutSpellings(fs);
    fs.AddFile(kBackup + "\\nv\\nvcpl.dll", "the only copy");
    fs.AddFile(kBackup + "\\nv\\nvcpl.dll.index", IndexLine(kSys + "\\nvcpl.dll"));
  }
};

// Regression: a Directory rule naming the backup folder by its short names
// listed pvx's backup copies, and Delete all with backup off deleted them.
TEST_F(PvxGuardWindow, TheBackupFolderByItsShortNameIsRefusedByName) {
  rig.AddProfile("short", {" (short)", "Driver", "", "Directory", "SYD\\PROG~1\\KESTRE~1\\data\\cleaner\\backup\\nv",
                           "", "", "nv", ""});
  ASSERT_TRUE(rig.StartWith("short"));
  ASSERT_EQ(rig.Messages().size(), 1u);
  EXPECT_EQ(rig.Messages()[0].rfind(rig.st.Lang(16) + "short.pvx\r\n", 0), 0u) << rig.Messages()[0];
  EXPECT_NE(rig.Messages()[0].find("pvx's own folder " + kPvxFolder), std::string::npos) << rig.Messages()[0];
  rig.Search();
  EXPECT_EQ(rig.form.List1.ListCount(), 0);
  EXPECT_FALSE(rig.form.Command1[2].Enabled());
  rig.form.Command1[2].UserClick();
  EXPECT_EQ(fs.Contents(kBackup + "\\nv\\nvcpl.dll"), "the only copy");
}

TEST_F(PvxGuardWindow, ARuleOverALinkIsRefusedNamingTheLink) {
  rig.AddProfile("link", {" (link)", "Driver", "", "Directory", "SYD\\syslink", "", "", "nv", ""});
  ASSERT_TRUE(rig.StartWith("link"));
  ASSERT_EQ(rig.Messages().size(), 1u);
  EXPECT_NE(rig.Messages()[0].find("C:\\syslink is a link"), std::string::npos) << rig.Messages()[0];
  rig.Search();
  EXPECT_EQ(rig.form.List1.ListCount(), 0);
  EXPECT_EQ(fs.Contents(kKernel), "kernel");
}

// A file that became a link after the search is not deleted, and the user
// is told why.
TEST_F(PvxGuardWindow, AFileThatBecameALinkIsNotDeleted) {
  rig.AddProfile("nv", {" (nv)", "Driver", "", "Directory", "SYD\\NVIDIA", "", "", "nv", ""});
  ASSERT_TRUE(rig.StartWith("nv"));
  rig.Search();
  ASSERT_EQ(rig.form.List1.ListCount(), 1);
  fs.DeleteFile("C:\\NVIDIA\\nv.dll");
  fs.AddLink("C:\\NVIDIA\\nv.dll", kKernel);
  rig.Pick(1, "nv.dll");
  rig.form.Command1[1].UserClick();
  EXPECT_EQ(fs.Contents(kKernel), "kernel");
  EXPECT_TRUE(fs.FileExists("C:\\NVIDIA\\nv.dll"));
  ASSERT_FALSE(rig.Messages().empty());
  EXPECT_NE(rig.Messages().back().find("C:\\NVIDIA\\nv.dll (it or its folder is a link"), std::string::npos)
      << rig.Messages().back();
}

// Regression: every search checked the rule's folder against each
// protected folder and pvx's own again, and each list item asked its whole
// way and every folder above it. A search of a loaded profile asks no long
// name and no identity, and per item found only its own entries.
TEST_F(PvxGuardWindow, ASearchAsksEachItemOnlyItsOwnEntries) {
  constexpr int kItems = 42;
  constexpr int kPerSearch = 12;  // the search folder's way and the two backup folders
  std::vector<std::string> items;
  for (int i = 0; i + 1 < kItems; ++i) {
    items.push_back("nv" + std::to_string(i) + ".dll");
    fs.AddFile(kSys + "\\" + items.back(), "nv");
  }
  items.push_back("drivers\\nv4_mini.sys");
  fs.AddFile(kSys + "\\drivers\\nv4_mini.sys", "mini");
  rig.AddList("many.txt", items);
  rig.AddProfile("many", {" (many)", "Driver", "", "List", "SYS-many.txt", "", "", "nv", ""});
  ASSERT_TRUE(rig.StartWith("many"));
  for (int search = 1; search <= 2; ++search) {
    SCOPED_TRACE(search);
    fs.asked = {};
    rig.Search();
    EXPECT_EQ(rig.form.List1.ListCount(), kItems);
    EXPECT_EQ(fs.asked.identities, 0);
    EXPECT_EQ(fs.asked.long_names, 0);
    EXPECT_LE(fs.asked.final_paths, kItems + kPerSearch);
    EXPECT_LE(fs.asked.attributes, kItems + 1 + kPerSearch) << "the item in drivers asks its folder too";
  }
}

// Delete all with backup asks each folder once and each file its own
// attributes and final path, however many files there are.
TEST_F(PvxGuardWindow, DeleteAllAsksEachFileOnlyItsOwnEntry) {
  constexpr int kFiles = 30;
  constexpr int kPerRun = 16;  // the folders' ways, and the search after it
  for (int i = 0; i < kFiles; ++i) fs.AddFile("C:\\NVIDIA\\nv" + std::to_string(i) + ".dll", "nv");
  rig.m.reg.PutDword("HKCU\\Software\\Kestrelane", "PV_BackUp", 1);
  rig.AddProfile("nv", {" (nv)", "Driver", "", "Directory", "SYD\\NVIDIA", "", "", "nv", ""});
  ASSERT_TRUE(rig.StartWith("nv"));
  rig.Search();
  ASSERT_EQ(rig.form.List1.ListCount(), kFiles + 1);  // and nv.dll
  fs.asked = {};
  rig.form.Command1[2].UserClick();
  EXPECT_EQ(rig.form.List1.ListCount(), 0);
  EXPECT_EQ(rig.form.List3.ListCount(), kFiles + 2) << "every file backed up, beside the copy there was";
  EXPECT_EQ(fs.asked.identities, 0);
  EXPECT_LE(fs.asked.long_names, kPerRun);
  EXPECT_LE(fs.asked.final_paths, kFiles + 1 + kPerRun);
  EXPECT_LE(fs.asked.attributes, kFiles + 1 + kPerRun);
}

}  // namespace
}  // namespace ks
