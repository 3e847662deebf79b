// pvx's search: what each kind lists, the filters (hidden and system files,
// folders, wildcards, hostile list items, exact extensions), the backup
// lists, the layout of one and two groups, and the list click handlers.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "cleaner/search.h"
#include "native/device_names.h"
#include "native/pvx_rig.h"

namespace ks {
namespace {

using test::kBackup;
using test::kPvxFolder;
using test::kSys;
using Names = std::vector<std::string>;

TEST(PvxSearch, ListItemsThatLeaveTheFolderOrAreNoFilesAreNotListed) {
  test::PvxRig rig;
  auto& fs = rig.m.fs;
  for (const char* name : {"nv4_disp.dll", "nvoglnt.dll", "hidden.dll", "system.dll", "drivers\\nv4_mini.sys",
                           "star.dll"})
    fs.AddFile(kSys + "\\" + name, "x");
  fs.AddFolder(kSys + "\\nvfolder");
  fs.SetHidden(kSys + "\\hidden.dll", true);
  fs.SetSystem(kSys + "\\system.dll", true);
  fs.AddFile("C:\\WINDOWS\\win.ini", "keep");
  fs.AddFile("C:\\boot.ini", "keep");
  rig.AddList("nv.txt", {"nv4_disp.dll", "NVOGLNT.DLL", "missing.dll", "hidden.dll", "system.dll", "nvfolder",
                         "drivers\\nv4_mini.sys", "..\\win.ini", "..\\..\\boot.ini", "C:\\boot.ini", "\\boot.ini",
                         "\\\\server\\share\\x.dll", "C:boot.ini", "*.dll", "st?r.dll", "nv4_disp.dll", ""});
  const auto found = FindGroupFiles(fs, {GroupKind::kList, kSys, "nv.txt", ""});
  Names names, paths;
  for (const auto& f : found) names.push_back(f.name), paths.push_back(f.path);
  EXPECT_EQ(names, (Names{"nv4_disp.dll", "nvoglnt.dll", "nv4_mini.sys"}));
  EXPECT_EQ(paths, (Names{kSys + "\\nv4_disp.dll", kSys + "\\nvoglnt.dll", kSys + "\\drivers\\nv4_mini.sys"}));
}

// Regression: a list item naming a device passed every check, and pvx
// copied from and deleted the device's path.
TEST(PvxSearch, ListItemsNamingADeviceAreNotListed) {
  for (const char* device : test::kDeviceNames) {
    SCOPED_TRACE(device);
    test::PvxRig rig;
    auto& fs = rig.m.fs;
    // The fake holds such files, so an item that slipped through would be found.
    fs.AddFile(kSys + "\\" + device, "device");
    fs.AddFile(kSys + "\\drivers\\" + device, "device");
    fs.AddFile(kSys + "\\" + device + "\\nv4_mini.sys", "device");
    fs.AddFile(kSys + "\\nv4_disp.dll", "x");
    rig.AddList("nv.txt", {device, std::string("drivers\\") + device, std::string(device) + "\\nv4_mini.sys",
                           "nv4_disp.dll"});
    Names names;
    for (const auto& f : FindGroupFiles(fs, {GroupKind::kList, kSys, "nv.txt", ""})) names.push_back(f.name);
    EXPECT_EQ(names, (Names{"nv4_disp.dll"}));
  }
}

TEST(PvxSearch, FilesNamedLikeADeviceAreNeverFound) {
  test::PvxRig rig;
  auto& fs = rig.m.fs;
  const std::string dir = "C:\\WINDOWS\\nView";
  fs.AddFile(dir + "\\nview.dll", "x");
  for (const char* device : test::kDeviceNames) {
    fs.AddFile(dir + "\\" + device, "device");
    fs.AddFile(kBackup + "\\nv\\" + device, "device");
  }
  fs.AddFile(kBackup + "\\nv\\nview.dll", "copy");
  Names names;
  for (const auto& f : FindGroupFiles(fs, {GroupKind::kDirectory, dir, "", ""})) names.push_back(f.name);
  EXPECT_EQ(names, (Names{"nview.dll"}));
  names.clear();
  for (const auto& f : FindGroupFiles(fs, {GroupKind::kExtension, dir, "", ".dll"})) names.push_back(f.name);
  EXPECT_EQ(names, (Names{"nview.dll"}));
  names.clear();
  for (const auto& f : FindBackupCopies(fs, "nv")) names.push_back(f.name);
  EXPECT_EQ(names, (Names{"nview.dll"}));
  for (const char* device : test::kDeviceNames) EXPECT_TRUE(FindBackupCopies(fs, device).empty()) << device;
}

TEST(PvxSearch, MissingListFileOrFolderFindsNothing) {
  test::PvxRig rig;
  EXPECT_TRUE(FindGroupFiles(rig.m.fs, {GroupKind::kList, kSys, "none.txt", ""}).empty());
  rig.AddList("nv.txt", {"a.dll"});
  EXPECT_TRUE(FindGroupFiles(rig.m.fs, {GroupKind::kList, kSys + "\\nothere", "nv.txt", ""}).empty());
  EXPECT_TRUE(FindGroupFiles(rig.m.fs, {GroupKind::kDirectory, kSys + "\\nothere", "", ""}).empty());
}

// Regression: the system's short names made "*.dll" find "x.dll_old" too.
TEST(PvxSearch, ExtensionMatchesTheLongNamesExactExtension) {
  test::PvxRig rig;
  auto& fs = rig.m.fs;
  for (const char* name : {"a.dll", "B.DLL", "x.dll_old", "c.dll.bak", "d.dl", "hid.dll"}) fs.AddFile(kSys + "\\" + name, "x");
  fs.SetHidden(kSys + "\\hid.dll", true);
  fs.AddFolder(kSys + "\\folder.dll");
  Names names;
  for (const auto& f : FindGroupFiles(fs, {GroupKind::kExtension, kSys, "", ".dll"})) names.push_back(f.name);
  EXPECT_EQ(names, (Names{"a.dll", "B.DLL"}));
}

TEST(PvxSearch, DirectoryListsEveryPlainFile) {
  test::PvxRig rig;
  auto& fs = rig.m.fs;
  const std::string dir = "C:\\WINDOWS\\nView";
  for (const char* name : {"nview.dll", "README", "sys.dat"}) fs.AddFile(dir + "\\" + name, "x");
  fs.SetSystem(dir + "\\sys.dat", true);
  fs.AddFolder(dir + "\\sub");
  fs.AddFile(dir + "\\sub\\deep.dll", "x");
  Names names;
  for (const auto& f : FindGroupFiles(fs, {GroupKind::kDirectory, dir, "", ""})) names.push_back(f.name);
  EXPECT_EQ(names, (Names{"nview.dll", "README"}));
}

// Regression: a Directory or Extension rule listed a name ending in a dot or
// a blank, which opens another file ("sys.dat." opens a hidden "sys.dat"),
// and so did the backup list. Every search keeps one name rule.
TEST(PvxSearch, NamesEndingInADotOrABlankAreNeverListed) {
  const std::string dir = "C:\\WINDOWS\\nView";
  struct Case {
    const char* name;
    GroupSearch search;
    Names expected;
  };
  const Case cases[] = {
      {"directory", {GroupKind::kDirectory, dir, "", ""}, {"nview.dll"}},
      {"extension", {GroupKind::kExtension, dir, "", ".dll"}, {"nview.dll"}},
      {"list", {GroupKind::kList, dir, "nv.txt", ""}, {"nview.dll"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::PvxRig rig;
    auto& fs = rig.m.fs;
    fs.AddFile(dir + "\\sys.dat", "hidden");
    fs.SetHidden(dir + "\\sys.dat", true);
    fs.AddFile(dir + "\\nvhide.dll", "hidden");
    fs.SetHidden(dir + "\\nvhide.dll", true);
    // The fake keeps these apart from the names Windows would open for them.
    for (const char* name : {"sys.dat.", "sys.dat ", "nvhide.dll.", "nvhide.dll ", "nvhide.dll. .", "nview.dll"})
      fs.AddFile(dir + "\\" + name, "x");
    rig.AddList("nv.txt", {"sys.dat", "nvhide.dll", "nview.dll"});
    Names names;
    for (const auto& f : FindGroupFiles(fs, c.search)) names.push_back(f.name);
    EXPECT_EQ(names, c.expected);
  }
  test::PvxRig rig;
  for (const char* name : {"nvcpl.dll.", "nvcpl.dll ", "nvcpl.dll"}) rig.m.fs.AddFile(kBackup + "\\nv\\" + name, "x");
  Names copies;
  for (const auto& f : FindBackupCopies(rig.m.fs, "nv")) copies.push_back(f.name);
  EXPECT_EQ(copies, (Names{"nvcpl.dll"}));
}

// Regression: a UTF-8 byte-order mark became part of the first item, which
// was then never found; a UTF-16 list listed nothing and said nothing.
TEST(PvxSearch, ListFilesInOtherEncodings) {
  const std::string utf16le_items = std::string("\"\0n\0v\0c\0p\0l\0.\0d\0l\0l\0\"\0\r\0\n\0", 26);
  struct Case {
    const char* name;
    std::string bytes;
    ListFileStatus status;
    Names expected;
  };
  const Case cases[] = {
      {"ANSI", "\"nv4_disp.dll\"\r\n\"nvcpl.dll\"\r\n", ListFileStatus::kRead, {"nv4_disp.dll", "nvcpl.dll"}},
      {"UTF-8 with a mark, quoted", "\xEF\xBB\xBF\"nv4_disp.dll\"\r\n\"nvcpl.dll\"\r\n", ListFileStatus::kRead,
       {"nv4_disp.dll", "nvcpl.dll"}},
      {"UTF-8 with a mark, bare", "\xEF\xBB\xBFnv4_disp.dll\r\nnvcpl.dll\r\n", ListFileStatus::kRead,
       {"nv4_disp.dll", "nvcpl.dll"}},
      {"UTF-16 with a mark", "\xFF\xFE" + utf16le_items, ListFileStatus::kWideText, {}},
      {"UTF-16 big-endian with a mark", "\xFE\xFF" + utf16le_items.substr(1) + std::string(1, '\0'),
       ListFileStatus::kWideText, {}},
      {"UTF-16 without a mark", utf16le_items, ListFileStatus::kWideText, {}},
      {"missing", "", ListFileStatus::kMissing, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::PvxRig rig;
    auto& fs = rig.m.fs;
    fs.AddFile(kSys + "\\nv4_disp.dll", "x");
    fs.AddFile(kSys + "\\nvcpl.dll", "x");
    if (c.status != ListFileStatus::kMissing) fs.AddFile(kPvxFolder + "\\DATA\\CLEANER\\nv.txt", c.bytes);
    ListFileStatus status = ListFileStatus::kRead;
    Names names;
    for (const auto& f : FindGroupFiles(fs, {GroupKind::kList, kSys, "nv.txt", ""}, &status)) names.push_back(f.name);
    EXPECT_EQ(status, c.status);
    EXPECT_EQ(names, c.expected);
  }
}

TEST(PvxSearch, AUtf16ListFileIsRefusedWithAMessageNamingIt) {
  test::PvxRig rig;
  rig.m.fs.AddFile(kSys + "\\nvcpl.dll", "x");
  rig.m.fs.AddFile(kPvxFolder + "\\DATA\\CLEANER\\nv.txt", std::string("\xFF\xFEn\0v\0", 6));
  rig.AddProfile("p", {" d", "Driver", "", "List", "SYS-nv.txt", "", "", "nv", ""});
  ASSERT_TRUE(rig.StartWith("p"));
  rig.Search();
  EXPECT_EQ(rig.form.List1.ListCount(), 0);
  const auto messages = rig.Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find(kPvxFolder + "\\DATA\\CLEANER\\nv.txt"), std::string::npos) << messages[0];
  EXPECT_NE(messages[0].find("UTF-16"), std::string::npos) << messages[0];
}

// A "List" rule rooted at the drive finds its items at the top of the
// drive and in the folders they name, but nothing of pvx's own folder.
TEST(PvxSearch, AListRootedAtTheDrive) {
  test::PvxRig rig;
  auto& fs = rig.m.fs;
  for (const std::string& path : {std::string("C:\\nvroot.dll"), std::string("C:\\NVIDIA\\nvsetup.dll"),
                                  kPvxFolder + "\\KestrelaneSE.exe", kBackup + "\\nv\\nvcpl.dll"})
    fs.AddFile(path, "x");
  rig.AddList("nvroot.txt", {"nvroot.dll", "NVIDIA\\nvsetup.dll", "Program Files\\Kestrelane\\KestrelaneSE.exe",
                             "program files\\kestrelane\\Data\\cleaner\\backup\\nv\\nvcpl.dll"});
  const RootFolders roots = MakeRootFolders("C:\\WINDOWS", "Windows_NT", "C:\\WINDOWS\\system32", kPvxFolder);
  const auto search = ParseGroup(roots, "List", "SYD-nvroot.txt");
  ASSERT_TRUE(search.has_value());
  Names paths;
  for (const auto& f : FindGroupFiles(fs, *search)) paths.push_back(f.path);
  EXPECT_EQ(paths, (Names{"C:\\nvroot.dll", "C:\\NVIDIA\\nvsetup.dll"}));
  EXPECT_EQ(GroupFolders(fs, *search), (Names{"C:", "C:\\NVIDIA"}));
  // Whatever folder a search is handed, pvx's own files are not in it.
  EXPECT_TRUE(FindGroupFiles(fs, {GroupKind::kDirectory, kPvxFolder, "", ""}).empty());
  EXPECT_TRUE(FindGroupFiles(fs, {GroupKind::kExtension, kBackup + "\\nv", "", ".dll"}).empty());
}

// Regression: copies with names under 7 characters were never listed, and
// ".INDEX" files were listed as copies.
TEST(PvxSearch, EveryBackupCopyIsListedButNoIndex) {
  test::PvxRig rig;
  auto& fs = rig.m.fs;
  for (const char* name : {"a.dll", "a.dll.index", "nv4_disp.dll", "nv4_disp.dll.INDEX", "x", "orphan.index"})
    fs.AddFile(kBackup + "\\nv\\" + name, "x");
  Names names;
  for (const auto& f : FindBackupCopies(fs, "nv")) names.push_back(f.name);
  EXPECT_EQ(names, (Names{"a.dll", "nv4_disp.dll", "x"}));
  EXPECT_TRUE(FindBackupCopies(fs, "").empty());
  EXPECT_TRUE(FindBackupCopies(fs, "..").empty());
}

struct PvxWindow : ::testing::Test {
  test::PvxRig rig;
  void SetUp() override {
    rig.m.fs.AddFile(kSys + "\\nv4_disp.dll", "driver");
    rig.m.ver.SetResource(kSys + "\\nv4_disp.dll", fake::VersionResource::WithFileVersion(" 6.14.10.7701 "));
    rig.m.fs.AddFile(kSys + "\\nvcpl.dll", "panel");
    rig.m.fs.AddFile("C:\\WINDOWS\\nView\\nview.dll", "nview");
    rig.AddList("nv.txt", {"nv4_disp.dll", "nvcpl.dll"});
    rig.AddProfile("two", {" (ForceWare)", "Driver", "nView", "List", "SYS-nv.txt", "Extension",
                           "WIN\\nView-.dll", "nv", "nview"});
    rig.AddProfile("one", {" (one)", "Driver", "", "List", "SYS-nv.txt", "", "", "nv", ""});
  }
};

TEST_F(PvxWindow, TwoGroupsAreListedAndCounted) {
  ASSERT_TRUE(rig.StartWith("two"));
  auto& f = rig.form;
  EXPECT_EQ(f.Caption(), "PVX - Driver cleaner utility - two profile");
  EXPECT_EQ(f.Label1.Caption(), rig.st.Lang(3) + " (ForceWare)");
  EXPECT_EQ(f.Label5[0].Caption(), "Driver files:");
  EXPECT_EQ(f.Label5[3].Caption(), "nView files in BackUp:");
  EXPECT_EQ(f.List1.ListCount(), 0) << "nothing is listed before the first search";
  EXPECT_FALSE(f.Command1[2].Enabled());
  rig.Search();
  EXPECT_EQ(f.List1.items(), (Names{"nv4_disp.dll", "nvcpl.dll"}));
  EXPECT_EQ(f.List2.items(), (Names{"nview.dll"}));
  EXPECT_EQ(f.List2a.items(), (Names{"C:\\WINDOWS\\nView\\nview.dll"}));
  EXPECT_EQ(f.Label4.Caption(), "Files found: 3");
  EXPECT_EQ(f.Label7.Caption(), "Driver files in BackUp: 0");
  EXPECT_TRUE(f.Command1[2].Enabled());
  EXPECT_FALSE(f.Command1[1].Enabled());
  EXPECT_TRUE(f.List2.Visible());
  EXPECT_EQ(f.List1.Width(), pvx::kTwoGroupListWidth);
  EXPECT_FALSE(f.SearchNotice.Loaded()) << "the notice closes after the search";
}

TEST_F(PvxWindow, OneGroupHidesTheSecondButStillCountsIt) {
  ASSERT_TRUE(rig.StartWith("one"));
  rig.Search();
  auto& f = rig.form;
  EXPECT_FALSE(f.List2.Visible());
  EXPECT_FALSE(f.List4.Visible());
  EXPECT_FALSE(f.Label5[1].Visible());
  EXPECT_FALSE(f.Label8.Visible());
  EXPECT_EQ(f.List1.Width(), pvx::kOneGroupListWidth);
  EXPECT_EQ(f.List3.Width(), pvx::kOneGroupListWidth);
  EXPECT_EQ(f.Label8.Caption(), " files in BackUp: 0");
}

TEST_F(PvxWindow, ClickingAListShowsLocationAndVersionAndClearsTheOthers) {
  rig.m.fs.AddFile(kBackup + "\\nv\\old.dll", "old");
  rig.m.fs.AddFile(kBackup + "\\nv\\old.dll.index", "\"C:\\WINDOWS\\SYSTEM32\\old.dll\"\r\n");
  ASSERT_TRUE(rig.StartWith("two"));
  rig.Search();
  auto& f = rig.form;
  rig.Pick(1, "nv4_disp.dll");
  EXPECT_EQ(f.SelectedList, 1);
  EXPECT_EQ(f.Label6.Caption(), "1");
  EXPECT_EQ(f.Label2.Caption(), "Location: " + kSys + "\\nv4_disp.dll");
  EXPECT_EQ(f.Label3.Caption(), "Version: 6.14.10.7701");
  EXPECT_TRUE(f.Command1[1].Enabled());
  EXPECT_TRUE(f.Command1[2].Enabled());
  EXPECT_FALSE(f.Command1[3].Enabled());

  rig.Pick(1, "nvcpl.dll");
  EXPECT_EQ(f.Label3.Caption(), "Version: ") << "a file without version information shows the label alone";

  rig.Pick(3, "old.dll");
  EXPECT_EQ(f.SelectedList, 3);
  EXPECT_EQ(f.List1.ListIndex(), -1) << "the other list's selection is removed";
  EXPECT_EQ(f.Label2.Caption(), "Location: nv") << "the backup folder's name";
  EXPECT_TRUE(f.Command1[3].Enabled());
  EXPECT_EQ(f.Label7.Caption(), "Driver files in BackUp: 1");
  EXPECT_EQ(f.List3.ForeColor(), 0x0000FF) << "group 1's backups in red";
  EXPECT_EQ(f.List4.ForeColor(), 0xFF0000) << "group 2's backups in blue";
}

// Regression: a profile that failed its check was used all the same.
TEST_F(PvxWindow, AFailingProfileListsNothingAndOffersNoDelete) {
  rig.AddProfile("bad", {" (bad)", "Driver", "", "Directory", "SYS", "", "", "nv", ""});
  rig.m.fs.AddFile(kBackup + "\\nv\\old.dll", "old");
  ASSERT_TRUE(rig.StartWith("bad"));
  ASSERT_EQ(rig.m.msg.shown().size(), 1u);
  EXPECT_EQ(rig.m.msg.shown()[0].text,
            rig.st.Lang(16) + "bad.pvx\r\ngroup 1's search rule \"SYS\" is shorter than 8 characters");
  EXPECT_EQ(rig.m.msg.shown()[0].caption, rig.st.Lang(17));
  EXPECT_EQ(rig.m.msg.shown()[0].style, platform::kMbOk | platform::kMbIconStop);
  rig.Search();
  auto& f = rig.form;
  EXPECT_EQ(f.List1.ListCount(), 0);
  EXPECT_EQ(f.List3.ListCount(), 0);
  EXPECT_FALSE(f.Command1[2].Enabled());
  f.Command1[2].UserClick();
  EXPECT_TRUE(rig.m.fs.FileExists(kSys + "\\nv4_disp.dll"));
  EXPECT_EQ(rig.m.msg.shown().size(), 1u) << "no question: the button is disabled";

  // A valid profile from the menu makes the window usable again.
  rig.st.app.Post([&] {
    f.ProfileDialog.Combo1.UserPick(f.ProfileDialog.Combo1.FindItem("two"));
    f.ProfileDialog.Command1[0].UserClick();
  });
  f.mnu_Select.UserClick();
  rig.Search();
  EXPECT_EQ(f.List1.ListCount(), 2);
  EXPECT_TRUE(f.Command1[2].Enabled());
}

// Regression: a profile refused by the spelling of its rules (a rule over
// a folder pvx keeps, every profile while windir is unset) said only that
// it cannot be used. Each refusal names the rule as the profile spells it
// and the folder at fault, whether the text or the disk refuses it.
TEST_F(PvxWindow, EveryRefusedProfileSaysWhy) {
  struct Case {
    const char* name;
    std::vector<std::string> items;
    std::function<void(fake::FakeMachine&)> set_up;
    std::vector<std::string> told;  // parts of the reason line
  };
  const auto nothing = [](fake::FakeMachine&) {};
  const Case cases[] = {
      // Regression: a Directory rule below the system folder was taken, and
      // Delete all would have taken every driver of the machine.
      {"a Directory rule below system32",
       {" d", "Driver", "", "Directory", "SYD\\windows\\system32\\drivers", "", "", "nv", ""},
       nothing,
       {"group 1's rule \"Directory\",\"SYD\\windows\\system32\\drivers\"",
        "its folder C:\\windows\\system32\\drivers lies in the Windows folder C:\\WINDOWS"}},
      {"group 2's Directory rule in the Windows folder",
       {" d", "Driver", "nView", "List", "SYS-nv.txt", "Directory", "WIN\\nView", "nv", "nview"},
       nothing,
       {"group 2's rule \"Directory\",\"WIN\\nView\"", "C:\\WINDOWS\\nView lies in the Windows folder"}},
      {"a Directory rule by the system's 8.3 name",
       {" d", "Driver", "", "Directory", "SYD\\WINDOW~1\\system32\\drivers", "", "", "nv", ""},
       [](fake::FakeMachine& m) { m.fs.SetShortName("C:\\WINDOWS", "WINDOW~1"); },
       {"\"Directory\",\"SYD\\WINDOW~1\\system32\\drivers\"", "lies in the Windows folder C:\\WINDOWS"}},
      {"a rule over the system folder",
       {" d", "Driver", "", "Directory", "SYD\\WINDOWS\\SYSTEM32", "", "", "nv", ""},
       nothing,
       {"group 1's rule \"Directory\",\"SYD\\WINDOWS\\SYSTEM32\"", "would take the files of C:\\WINDOWS\\SYSTEM32"}},
      {"windir unset",
       {" d", "Driver", "", "List", "SYS-nv.txt", "", "", "nv", ""},
       [](fake::FakeMachine& m) { m.sys.environment.erase("windir"); },
       {"group 1's rule \"List\",\"SYS-nv.txt\"", "root code SYS names no folder: the windir variable is not set"}},
      {"an unknown root code",
       {" d", "Driver", "", "Directory", "ABC\\NVIDIA", "", "", "nv", ""},
       nothing,
       {"group 1's rule \"Directory\",\"ABC\\NVIDIA\"", "root code \"ABC\""}},
      {"a sub-path that climbs",
       {" d", "Driver", "", "Extension", "SYD\\NVIDIA\\..\\..-.dll", "", "", "nv", ""},
       nothing,
       {"\"Extension\",\"SYD\\NVIDIA\\..\\..-.dll\"", "sub-path \"\\NVIDIA\\..\\..\"", "below C:"}},
      {"a rule over a link",
       {" d", "Driver", "", "Directory", "SYD\\syslink", "", "", "nv", ""},
       [](fake::FakeMachine& m) { m.fs.AddLink("C:\\syslink", kSys); },
       {"group 1's rule \"Directory\",\"SYD\\syslink\"", "its folder C:\\syslink is a link"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::PvxRig fresh;
    std::vector<std::string> drivers;
    for (int i = 1; i <= 17; ++i) {
      drivers.push_back(kSys + "\\drivers\\driver" + std::to_string(i) + ".sys");
      fresh.m.fs.AddFile(drivers.back(), "system driver");
    }
    fresh.m.fs.AddFile("C:\\WINDOWS\\nView\\nview.dll", "nview");
    fresh.AddList("nv.txt", {"nvcpl.dll"});
    fresh.AddProfile("bad", c.items);
    c.set_up(fresh.m);
    ASSERT_TRUE(fresh.StartWith("bad"));
    const auto messages = fresh.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind(fresh.st.Lang(16) + "bad.pvx\r\n", 0), 0u) << messages[0];
    for (const std::string& part : c.told) EXPECT_NE(messages[0].find(part), std::string::npos) << messages[0];
    fresh.Search();
    EXPECT_EQ(fresh.form.List1.ListCount() + fresh.form.List2.ListCount(), 0);
    EXPECT_FALSE(fresh.form.Command1[2].Enabled());
    for (const std::string& driver : drivers) EXPECT_TRUE(fresh.m.fs.FileExists(driver)) << driver;
  }
}

TEST_F(PvxWindow, AnEmptyProfileKeepsNothingOfTheOneBefore) {
  ASSERT_TRUE(rig.StartWith("two"));
  rig.st.app.Post([&] {
    rig.form.ProfileDialog.Combo1.UserPick(rig.form.ProfileDialog.Combo1.FindItem("one"));
    rig.form.ProfileDialog.Command1[0].UserClick();
  });
  rig.m.fs.AddFile(kPvxFolder + "\\data\\cleaner\\one.pvx", "");
  rig.form.mnu_Select.UserClick();
  EXPECT_FALSE(rig.form.ProfileValid);
  EXPECT_EQ(rig.form.Profile.GroupLabel1, "");
  rig.Search();
  EXPECT_EQ(rig.form.List1.ListCount(), 0);
}

TEST_F(PvxWindow, ChoosingAnotherProfileEmptiesTheLists) {
  ASSERT_TRUE(rig.StartWith("two"));
  rig.Search();
  rig.Pick(1, "nv4_disp.dll");
  rig.st.app.Post([&] {
    rig.form.ProfileDialog.Combo1.UserPick(rig.form.ProfileDialog.Combo1.FindItem("one"));
    rig.form.ProfileDialog.Command1[0].UserClick();
  });
  rig.form.mnu_Select.UserClick();
  auto& f = rig.form;
  EXPECT_EQ(f.Caption(), "PVX - Driver cleaner utility - one profile");
  for (auto* l : {&f.List1, &f.List2, &f.List3, &f.List4, &f.List1a, &f.List2a, &f.List3a, &f.List4a})
    EXPECT_EQ(l->ListCount(), 0) << l->Name();
  EXPECT_FALSE(f.Command1[1].Enabled());
  EXPECT_FALSE(f.Command1[2].Enabled());
  EXPECT_FALSE(f.Command1[3].Enabled());
  EXPECT_FALSE(f.List2.Visible());
}

TEST_F(PvxWindow, ExitInTheMenuDialogKeepsTheProfile) {
  ASSERT_TRUE(rig.StartWith("two"));
  rig.st.app.Post([&] { rig.form.ProfileDialog.Command1[1].UserClick(); });
  rig.form.mnu_Select.UserClick();
  EXPECT_EQ(rig.st.ProfileName, "two.pvx");
  EXPECT_EQ(rig.form.Caption(), "PVX - Driver cleaner utility - two profile");
  rig.Search();
  EXPECT_EQ(rig.form.List2.ListCount(), 1);
}

}  // namespace
}  // namespace ks
