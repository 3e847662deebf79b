// Cleaner profiles: the nine items, the root codes, how each kind's
// search rule names a folder (both groups alike) and the profile check.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "cleaner/profile.h"
#include "native/device_names.h"
#include "platform/fake/files.h"

namespace ks {
namespace {

const RootFolders kRoots = MakeRootFolders("C:\\WINDOWS", "Windows_NT");

TEST(CleanerProfile, NineItemsInOrderAndNothingCarriedOver) {
  const CleanerProfile p = ParseCleanerProfile(
      "\" ForceWare, all\",\"Driver\",\"nView\"\r\n\"List\",\"SYS-nv.txt\"\r\nExtension,SYS-.dll\r\n"
      "\"nv\",\"nview\",\"extra\"\r\n");
  EXPECT_EQ(p.ProfileDescription, " ForceWare, all");
  EXPECT_EQ(p.GroupLabel1, "Driver");
  EXPECT_EQ(p.GroupLabel2, "nView");
  EXPECT_EQ(p.GroupKind1, "List");
  EXPECT_EQ(p.GroupSpec1, "SYS-nv.txt");
  EXPECT_EQ(p.GroupKind2, "Extension");
  EXPECT_EQ(p.GroupSpec2, "SYS-.dll");
  EXPECT_EQ(p.BackupFolder1, "nv");
  EXPECT_EQ(p.BackupFolder2, "nview");
  const CleanerProfile short_one = ParseCleanerProfile("\"d\",\"Driver\",\"\",\"List\",\"SYS-nv.txt\"");
  EXPECT_EQ(short_one.BackupFolder1, "") << "items the file lacks are empty";
}

TEST(CleanerProfile, RootFolders) {
  EXPECT_EQ(kRoots.SysDir, "C:\\WINDOWS\\SYSTEM32");
  EXPECT_EQ(kRoots.SysDrive, "C:");
  const RootFolders nine_x = MakeRootFolders("C:\\WINDOWS", "");
  EXPECT_EQ(nine_x.SysDir, "C:\\WINDOWS\\SYSTEM") << "without the OS variable";
  EXPECT_EQ(RootFolder(kRoots, "WIN"), "C:\\WINDOWS");
  EXPECT_EQ(RootFolder(kRoots, "sys"), std::nullopt) << "codes compare exactly";
  EXPECT_EQ(RootFolder(MakeRootFolders("", "Windows_NT"), "SYD"), std::nullopt) << "no windir, no roots";
}

// Every kind under every root, with and without a sub-path; the same
// search rule reads the same for group 2.
TEST(CleanerProfile, SearchRulesNameTheirFolder) {
  struct Case {
    const char* name;
    const char* kind;
    const char* spec;
    std::optional<std::string> folder;  // nullopt: unusable
    std::string list_file = "";
    std::string extension = "";
    bool taken = true;  // false: the profile check refuses the folder read
  };
  const Case cases[] = {
      {"list, system folder", "List", "SYS-nv4.txt", "C:\\WINDOWS\\SYSTEM32", "nv4.txt"},
      {"list, sub-path", "List", "SYS\\drivers-nvmini.txt", "C:\\WINDOWS\\SYSTEM32\\drivers", "nvmini.txt"},
      {"list, windows folder", "List", "WIN\\inf-nvinf.txt", "C:\\WINDOWS\\inf", "nvinf.txt"},
      {"list, system drive", "List", "SYD\\NVIDIA-nvroot.txt", "C:\\NVIDIA", "nvroot.txt"},
      {"list without a dash", "List", "SYS\\nvlist.txt", "C:\\WINDOWS\\SYSTEM32", "nvlist.txt"},
      {"list name with a dash keeps it", "List", "SYS-nv-all.txt", "C:\\WINDOWS\\SYSTEM32", "nv-all.txt"},
      {"extension, system sub-folder", "Extension", "SYS\\nvidia-.dll", "C:\\WINDOWS\\SYSTEM32\\nvidia", "", ".dll"},
      {"extension, sub-path", "Extension", "WIN\\Help-.chm", "C:\\WINDOWS\\Help", "", ".chm"},
      {"extension, system drive", "Extension", "SYD\\NVIDIA\\Data-.inf", "C:\\NVIDIA\\Data", "", ".inf"},
      // A Directory rule reads its folder in the Windows folder, but takes
      // every file there: the profile check refuses it.
      {"directory, windows", "Directory", "WIN\\nView", "C:\\WINDOWS\\nView", "", "", false},
      {"directory, system", "Directory", "SYS\\nvcache", "C:\\WINDOWS\\SYSTEM32\\nvcache", "", "", false},
      {"directory, drive", "Directory", "SYD\\NVIDIA\\Setup", "C:\\NVIDIA\\Setup"},
      // Unusable search rules.
      {"unknown root code", "List", "XYZ-nv4.txt", std::nullopt},
      {"root code in lower case", "Directory", "win\\nView", std::nullopt},
      {"unknown kind", "Folder", "WIN\\nView", std::nullopt},
      {"directory is a whole root", "Directory", "SYS", std::nullopt},
      {"directory is a root and a slash", "Directory", "SYS\\", std::nullopt},
      {"sub-path climbs out", "Directory", "SYS\\..\\..", std::nullopt},
      {"sub-path climbs with dots", "Directory", "WIN\\nView\\...", std::nullopt},
      {"sub-path names a drive", "Directory", "SYSD:\\x", std::nullopt},
      {"sub-path without a backslash", "Extension", "SYSTEM32-.dll", std::nullopt},
      {"list file outside its folder", "List", "SYS-..\\..\\boot.ini", std::nullopt},
      {"list file empty", "List", "SYS-", std::nullopt},
      {"extension of three characters", "Extension", "SYS-dll", std::nullopt},
      {"extension without its dot", "Extension", "SYS-xdll", std::nullopt},
      {"extension with a wildcard", "Extension", "SYS-.*.*", std::nullopt},
      // Regression: nothing pinned that an extension holds no dot or blank
      // after its first dot; Windows drops a trailing one when it matches
      // names, so ".dl." or ".dl " would take every "*.dl" file.
      {"extension with a second dot", "Extension", "SYS\\nvidia-.d.l", std::nullopt},
      {"extension ending in a dot", "Extension", "SYS\\nvidia-.dl.", std::nullopt},
      {"extension of dots", "Extension", "SYS\\nvidia-....", std::nullopt},
      {"extension ending in a blank", "Extension", "SYS\\nvidia-.dl ", std::nullopt},
      {"extension with a blank", "Extension", "SYS\\nvidia-. dl", std::nullopt},
      {"sub-path names a device", "Directory", "WIN\\NUL", std::nullopt},
      {"sub-path with a doubled backslash", "Directory", "WIN\\\\nView", std::nullopt},
      // Regression: only the bare root code was refused, so rules that name
      // a whole drive, the Windows or the system folder in other words
      // passed, and "Delete all files" emptied it after one question.
      {"directory names the system folder from the Windows folder", "Directory", "WIN\\SYSTEM32", std::nullopt},
      {"directory names the system folder in lower case", "Directory", "WIN\\system32", std::nullopt},
      {"directory names the Windows folder from the drive", "Directory", "SYD\\WINDOWS", std::nullopt},
      {"directory names the system folder from the drive", "Directory", "SYD\\Windows/System32", std::nullopt},
      {"directory climbs to the Windows folder", "Directory", "SYS\\..", std::nullopt},
      {"directory with a dot part", "Directory", "WIN\\.\\", std::nullopt},
      {"drive root spelled with dots", "Directory", "SYD\\.\\.", std::nullopt},
      {"drive root climbed to", "Directory", "WIN\\..", std::nullopt},
      {"Windows folder with a trailing dot", "Directory", "SYD\\WINDOWS.", std::nullopt},
      {"system folder with a trailing blank", "Directory", "WIN\\SYSTEM32 ", std::nullopt},
      {"extension over the system folder", "Extension", "SYS-.dll", std::nullopt},
      {"extension over the Windows folder", "Extension", "SYD\\WINDOWS-.exe", std::nullopt},
      {"extension over the drive root", "Extension", "SYD-.sys", std::nullopt},
      // A list names its files one by one: a list of the system folder is the usual case.
      {"list of the drive root", "List", "SYD-nvroot.txt", "C:", "nvroot.txt"},
  };
  for (const Case& c : cases) {
    for (int group = 1; group <= 2; ++group) {
      SCOPED_TRACE(std::string(c.name) + ", group " + std::to_string(group));
      CleanerProfile p{"d", "Driver", "nView", "List", "SYS-nv4.txt", "", "", "nv", "nview"};
      std::string& kind = group == 1 ? p.GroupKind1 : p.GroupKind2;
      std::string& spec = group == 1 ? p.GroupSpec1 : p.GroupSpec2;
      kind = c.kind;
      spec = c.spec;
      const auto search = ParseGroup(kRoots, kind, spec);
      ASSERT_EQ(search.has_value(), c.folder.has_value());
      // An unusable group fails the check; a usable one of 8 characters or more passes.
      if (std::string(c.spec).size() >= 8) {
        EXPECT_EQ(ProfileFault(p, kRoots).empty(), c.folder.has_value() && c.taken) << ProfileFault(p, kRoots);
      }
      if (!search) continue;
      EXPECT_EQ(search->folder, *c.folder);
      EXPECT_EQ(search->list_file, c.list_file);
      EXPECT_EQ(search->extension, c.extension);
    }
  }
}

// Regression: the system folder was known only by the spelling the "OS"
// variable chose, so with OS unset (SysDir WINDOWS\SYSTEM) a Directory rule
// "WIN\system32" passed, and a Windows folder the environment misnames
// was not known at all.
TEST(CleanerProfile, TheSystemFolderInEverySpelling) {
  struct Case {
    const char* name;
    const char* kind;
    const char* spec;
    bool usable;
  };
  const Case cases[] = {
      {"system32 from the Windows folder", "Directory", "WIN\\system32", false},
      {"SYSTEM from the Windows folder", "Directory", "WIN\\SYSTEM", false},
      {"SysWOW64", "Directory", "WIN\\SysWOW64", false},
      {"SysWOW64 by extension", "Extension", "WIN\\syswow64-.dll", false},
      {"config of the system folder", "Directory", "SYS\\config", false},
      {"config of system32", "Extension", "WIN\\System32\\CONFIG-.log", false},
      {"config of SYSTEM", "Directory", "WIN\\SYSTEM\\config", false},
      {"the system folder from the drive", "Directory", "SYD\\WINDOWS\\SYSTEM32", false},
      // The system names its folder C:\WINNT\system32 while windir says C:\WINDOWS.
      {"the folder the system names", "Directory", "SYD\\WINNT\\system32", false},
      {"above the folder the system names", "Extension", "SYD\\WINNT-.dll", false},
      {"config of the folder the system names", "Directory", "SYD\\WINNT\\system32\\config", false},
      // Folders below the system folder and beside the protected ones stay usable.
      {"a driver folder below the system folder", "Directory", "SYS\\nvcache", true},
      {"below system32 from the Windows folder", "Extension", "WIN\\system32\\drivers-.sys", true},
      {"a folder beside SysWOW64", "Directory", "WIN\\SysWOW64x", true},
      {"below config", "Directory", "SYS\\config\\nvidia", true},
      {"another folder of the old Windows folder", "Directory", "SYD\\WINNT\\nView", true},
      // A list names its files one by one.
      {"a list of system32", "List", "WIN\\system32-nv.txt", true},
  };
  for (const char* os : {"Windows_NT", ""}) {
    const RootFolders roots = MakeRootFolders("C:\\WINDOWS", os, "C:\\WINNT\\system32", "C:\\Program Files\\Kestrelane");
    for (const Case& c : cases) {
      EXPECT_EQ(ParseGroup(roots, c.kind, c.spec).has_value(), c.usable) << c.name << ", OS \"" << os << "\"";
    }
  }
  const RootFolders nine_x = MakeRootFolders("C:\\WINDOWS", "");
  EXPECT_FALSE(ParseGroup(nine_x, "Directory", "WIN\\system32").has_value()) << "without the system's own name";
}

// Regression: a Directory rule was refused only over the Windows folder and
// its system folders, so "SYD\windows\system32\drivers" listed every
// driver of the machine for deletion. A Directory rule takes every file of
// its folder: none is taken at or below the Windows folder in any of its
// names. Lists and extensions there name which files they take.
TEST(CleanerProfile, NoDirectoryRuleInTheWindowsFolder) {
  struct Case {
    const char* name;
    const char* kind;
    const char* spec;
    const char* refused_for = nullptr;  // the Windows folder the fault names; nullptr: taken
  };
  const Case cases[] = {
      {"below system32", "Directory", "SYD\\windows\\system32\\drivers", "C:\\WINDOWS"},
      {"below the system folder", "Directory", "SYS\\drivers", "C:\\WINDOWS"},
      {"a folder of the Windows folder", "Directory", "WIN\\nView", "C:\\WINDOWS"},
      {"below config", "Directory", "SYS\\config\\nvidia", "C:\\WINDOWS"},
      // The system names its folder C:\WINNT\system32 while windir says C:\WINDOWS.
      {"in the Windows folder the system names", "Directory", "SYD\\WINNT\\nView", "C:\\WINNT"},
      {"a list there", "List", "SYS\\drivers-nv.txt"},
      {"an extension there", "Extension", "SYS\\drivers-.sys"},
      {"a folder that starts like the Windows folder", "Directory", "SYD\\WINDOWS2\\nView"},
      {"a folder of the drive", "Directory", "SYD\\NVIDIA\\nView"},
  };
  for (const char* os : {"Windows_NT", ""}) {
    const RootFolders roots =
        MakeRootFolders("C:\\WINDOWS", os, "C:\\WINNT\\system32", "C:\\Program Files\\Kestrelane");
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.name) + ", OS \"" + os + "\"");
      ASSERT_TRUE(ParseGroup(roots, c.kind, c.spec).has_value()) << "its folder reads";
      const CleanerProfile p{"d", "Driver", "", c.kind, c.spec, "", "", "nv", ""};
      const std::string fault = ProfileFault(p, roots);
      if (!c.refused_for) {
        EXPECT_EQ(fault, "");
        continue;
      }
      EXPECT_NE(fault.find(std::string("lies in the Windows folder ") + c.refused_for), std::string::npos) << fault;
      EXPECT_EQ(fault.rfind(std::string("group 1's rule \"") + c.kind + "\",\"" + c.spec + "\"", 0), 0u) << fault;
    }
  }
}

// The same rule on a disk where the system's Windows folder has a long
// name and an 8.3 alias, and windir names another folder: each spelling of
// a folder in a Windows folder is refused.
TEST(CleanerProfile, NoDirectoryRuleInTheWindowsFolderOnTheDisk) {
  fake::FakeFiles fs;
  const std::string windows = "C:\\Windows Main";
  fs.AddFolder(windows + "\\system32\\drivers");
  fs.AddFolder(windows + "\\nView");
  fs.AddFolder("C:\\OS\\WINDOWS\\nView");
  fs.AddFolder("C:\\NVIDIA\\nView");
  ASSERT_EQ(fs.GetShortPathName(windows), "C:\\WINDOW~1");
  const RootFolders roots = MakeRootFolders("C:\\OS\\WINDOWS", "Windows_NT", windows + "\\system32",
                                            "C:\\Program Files\\Kestrelane", windows);
  struct Case {
    const char* name;
    const char* spec;
    const char* refused_for;  // nullptr: taken
  };
  const Case cases[] = {
      {"below system32 by the long name", "SYD\\Windows Main\\system32\\drivers", "C:\\Windows Main"},
      // The spelling alone does not tell this one.
      {"below system32 by the 8.3 alias", "SYD\\WINDOW~1\\system32\\drivers", "C:\\Windows Main"},
      {"a folder of the alias", "SYD\\window~1\\nView", "C:\\Windows Main"},
      {"a folder of the moved windir", "WIN\\nView", "C:\\OS\\WINDOWS"},
      {"a folder of the drive", "SYD\\NVIDIA\\nView", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const CleanerProfile p{"d", "Driver", "", "Directory", c.spec, "", "", "nv", ""};
    const std::string fault = ProfileFault(fs, p, roots);
    if (!c.refused_for) {
      EXPECT_EQ(fault, "");
      continue;
    }
    EXPECT_NE(fault.find(std::string("lies in the Windows folder ") + c.refused_for), std::string::npos) << fault;
  }
}

// Regression: a rule could name pvx's own folder or its backup folder:
// Delete all then took the programs or the only copies of deleted files.
TEST(CleanerProfile, PvxsOwnFolderIsNoGroupsFolder) {
  struct Case {
    const char* name;
    const char* kind;
    const char* spec;
    bool usable;
  };
  const Case cases[] = {
      {"pvx's folder", "Directory", "SYD\\Program Files\\Kestrelane", false},
      {"pvx's folder by extension", "Extension", "SYD\\program files\\KESTRELANE-.exe", false},
      {"the backup folder", "Directory", "SYD\\Program Files\\Kestrelane\\Data\\cleaner\\backup\\nv", false},
      {"a list of pvx's folder", "List", "SYD\\Program Files\\Kestrelane-nv.txt", false},
      {"a list of the data folder", "List", "SYD\\Program Files\\Kestrelane\\DATA-nv.txt", false},
      {"the folder above pvx's", "Directory", "SYD\\Program Files", true},
      {"a folder that starts like pvx's", "Directory", "SYD\\Program Files\\Kestrelane2", true},
  };
  const RootFolders roots = MakeRootFolders("C:\\WINDOWS", "Windows_NT", "C:\\WINDOWS\\system32",
                                            "C:\\Program Files\\Kestrelane");
  for (const Case& c : cases) {
    EXPECT_EQ(ParseGroup(roots, c.kind, c.spec).has_value(), c.usable) << c.name;
    const CleanerProfile p{"d", "Driver", "", c.kind, c.spec, "", "", "nv", ""};
    EXPECT_EQ(ProfileFault(p, roots).empty(), c.usable) << c.name;
  }
}

TEST(CleanerProfile, Check) {
  struct Case {
    const char* name;
    CleanerProfile p;
    bool passes;
  };
  const CleanerProfile good{"d", "Driver", "nView", "List", "SYS-nv4.txt", "Directory", "SYD\\nView", "nv", "nview"};
  auto with = [&](auto change) {
    CleanerProfile p = good;
    change(p);
    return p;
  };
  const Case cases[] = {
      {"two groups", good, true},
      {"one group", with([](auto& p) { p.GroupLabel2 = p.GroupKind2 = p.GroupSpec2 = p.BackupFolder2 = ""; }), true},
      {"group 2 label without files", with([](auto& p) { p.GroupKind2 = ""; }), true},
      {"list rule of exactly 8 characters", with([](auto& p) { p.GroupSpec1 = "SYS-nv.t"; }), true},
      // Eight characters leave no room for a sub-path, so such an extension
      // rule takes every file of a whole root.
      {"extension of exactly 8 characters", with([](auto& p) { p.GroupKind1 = "Extension", p.GroupSpec1 = "SYS-.dll"; }),
       false},
      {"list rule of 7 characters", with([](auto& p) { p.GroupSpec1 = "SYS-n.t"; }), false},
      {"no description", with([](auto& p) { p.ProfileDescription = ""; }), false},
      {"no group 1 label", with([](auto& p) { p.GroupLabel1 = ""; }), false},
      {"group 1 kind unknown", with([](auto& p) { p.GroupKind1 = "list"; }), false},
      {"group 2 kind unknown", with([](auto& p) { p.GroupKind2 = "Folder"; }), false},
      {"group 1 spec of 7 characters", with([](auto& p) { p.GroupKind1 = "Extension", p.GroupSpec1 = "SYS.dll"; }),
       false},
      {"no group 1 backup folder", with([](auto& p) { p.BackupFolder1 = ""; }), false},
      {"group 2 label without backup folder", with([](auto& p) { p.BackupFolder2 = ""; }), false},
      // Regression: a "Directory" profile with the search rule "SYS" listed the
      // whole system folder, and Delete all would have wiped it.
      {"directory SYS", with([](auto& p) { p.GroupKind1 = "Directory", p.GroupSpec1 = "SYS"; }), false},
      {"group 2 directory SYS", with([](auto& p) { p.GroupSpec2 = "SYS"; }), false},
      // Regression: an unknown root code searched the current drive's root.
      {"group 1 unknown root", with([](auto& p) { p.GroupSpec1 = "ABC-nv4.txt"; }), false},
      {"group 2 unknown root", with([](auto& p) { p.GroupSpec2 = "ABC\\nView"; }), false},
      {"group 2 files without a label", with([](auto& p) { p.GroupLabel2 = ""; }), false},
      {"backup folder climbs out", with([](auto& p) { p.BackupFolder1 = ".."; }), false},
      {"backup folder is a path", with([](auto& p) { p.BackupFolder2 = "..\\..\\DATA"; }), false},
      {"backup folder names a drive", with([](auto& p) { p.BackupFolder1 = "C:"; }), false},
      {"group 2 directory of the Windows folder", with([](auto& p) { p.GroupSpec2 = "SYD\\WINDOWS"; }), false},
  };
  for (const Case& c : cases) EXPECT_EQ(ProfileFault(c.p, kRoots).empty(), c.passes) << c.name << ": " << ProfileFault(c.p, kRoots);
}

TEST(CleanerProfile, DeviceNamesAreNoBackupFolders) {
  const CleanerProfile good{"d", "Driver", "nView", "List", "SYS-nv4.txt", "Directory", "SYD\\nView", "nv", "nview"};
  ASSERT_EQ(ProfileFault(good, kRoots), "");
  for (const char* name : test::kDeviceNames) {
    CleanerProfile p = good;
    p.BackupFolder1 = name;
    EXPECT_NE(ProfileFault(p, kRoots), "") << "group 1: " << name;
    p = good;
    p.BackupFolder2 = name;
    EXPECT_NE(ProfileFault(p, kRoots), "") << "group 2: " << name;
  }
}

TEST(CleanerProfile, DeviceNamesAreNoListFilesOrSubPaths) {
  for (const char* name : test::kDeviceNames) {
    EXPECT_FALSE(ParseGroup(kRoots, "List", std::string("SYS-") + name).has_value()) << name;
    EXPECT_FALSE(ParseGroup(kRoots, "Directory", std::string("WIN\\") + name).has_value()) << name;
    EXPECT_FALSE(ParseGroup(kRoots, "Extension", std::string("WIN\\") + name + "\\x-.dll").has_value()) << name;
  }
}

// The guards on a disk that spells each protected folder several ways: its
// long name, its 8.3 alias, a link onto it; the environment's "windir"
// moved away from the Windows folder the system names. A rule is refused
// or allowed by the folder, whichever spelling it uses.
TEST(CleanerProfile, GuardsCompareFoldersNotSpellings) {
  fake::FakeFiles fs;
  const std::string pvx = "C:\\Program Files\\Kestrelane";
  fs.SetProgramFolder(pvx);
  fs.AddFolder(pvx + "\\Data\\cleaner\\backup\\nv");
  fs.AddFile(pvx + "\\KestrelaneSE.exe", "exe");
  fs.AddFolder("C:\\Program Files\\NVIDIA Corporation\\nView");
  // The system's Windows folder has a long name; "windir" names another one.
  const std::string windows = "C:\\Windows Main";
  for (const char* sub : {"\\system32\\drivers", "\\system32\\config", "\\system", "\\SysWOW64", "\\nView"})
    fs.AddFolder(windows + sub);
  fs.AddFolder("C:\\OS\\WINDOWS\\system32");
  fs.AddFolder("C:\\NVIDIA\\Setup");
  fs.AddLink("C:\\syslink", windows + "\\system32");
  fs.AddLink("C:\\pvxlink", pvx);
  fs.AddLink("C:\\NVIDIA\\old", "C:\\NVIDIA\\Setup");
  ASSERT_EQ(fs.GetShortPathName(windows), "C:\\WINDOW~1");
  // Wine's own alias of the folder, as the attack spelled it.
  fs.SetShortName("C:\\Program Files", "PROG~1");
  const RootFolders roots = MakeRootFolders("C:\\OS\\WINDOWS", "Windows_NT", windows + "\\system32", pvx, windows);

  struct Case {
    const char* name;
    const char* kind;
    const char* spec;
    bool usable;
    const char* fault_names = "";  // a folder or link the refusal names
  };
  const Case cases[] = {
      // pvx's own folder and its backup folder.
      {"backup folder, long", "Directory", "SYD\\Program Files\\Kestrelane\\Data\\cleaner\\backup\\nv", false},
      // Regression: the 8.3 spelling passed, and Delete all with backup off
      // deleted pvx's own backup copies, the only ones.
      {"backup folder, short", "Directory", "SYD\\PROG~1\\KESTRE~1\\data\\cleaner\\backup\\nv", false,
       "pvx's own folder"},
      {"backup folder, through a link", "Directory", "SYD\\pvxlink\\Data\\cleaner\\backup\\nv", false,
       "C:\\pvxlink"},
      // Regression: a list of pvx's folder by its short name listed KestrelaneSE.exe.
      {"pvx's folder, short, a list", "List", "SYD\\PROG~1\\KESTRE~1-nv.txt", false},
      {"pvx's folder, short, by extension", "Extension", "SYD\\PROG~1\\KESTRE~1-.exe", false},
      {"beside pvx's folder, short", "Directory", "SYD\\PROG~1\\NVIDIA~1\\nView", true},
      // The system's Windows and system folders, which "windir" does not name.
      {"system folder, long", "Directory", "SYD\\Windows Main\\system32", false},
      {"system folder, short", "Directory", "SYD\\WINDOW~1\\system32", false},
      {"Windows folder, short", "Extension", "SYD\\WINDOW~1-.dll", false},
      // Regression: SYSTEM was known below windir alone, so with windir
      // moved this rule listed the real system files.
      {"SYSTEM of the system's Windows folder", "Directory", "SYD\\Windows Main\\system", false},
      {"SysWOW64 of the system's Windows folder, short", "Directory", "SYD\\WINDOW~1\\SysWOW64", false},
      {"config, short", "Directory", "SYD\\WINDOW~1\\SYSTEM32\\config", false},
      {"below the system folder, short", "Extension", "SYD\\WINDOW~1\\system32\\drivers-.sys", true},
      {"beside the system folder", "Extension", "SYD\\Windows Main\\nView-.dll", true},
      // Regression: only a protected folder at a drive root was seen from
      // above; a rule over the folder that holds the moved windir passed.
      {"above the moved windir", "Directory", "SYD\\OS", false, "C:\\OS\\WINDOWS"},
      {"the moved windir's system folder", "Extension", "WIN\\system32-.dll", false},
      // Links: never followed, whatever they lead to.
      // Regression: a rule over a link to system32 listed its files for deletion.
      {"a link to the system folder", "Directory", "SYD\\syslink", false, "C:\\syslink is a link"},
      {"behind a link to the system folder", "Directory", "SYD\\syslink\\drivers", false,
       "behind the link C:\\syslink"},
      {"a list over a link", "List", "SYD\\syslink-nv.txt", false, "C:\\syslink"},
      {"a link to a harmless folder", "Extension", "SYD\\NVIDIA\\old-.inf", false, "C:\\NVIDIA\\old"},
      {"the harmless folder itself", "Extension", "SYD\\NVIDIA\\Setup-.inf", true},
      {"a list of the drive root", "List", "SYD-nvroot.txt", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string fault = "unset";
    const auto search = ParseGroup(fs, roots, c.kind, c.spec, &fault);
    EXPECT_EQ(search.has_value(), c.usable) << fault;
    EXPECT_EQ(fault.empty(), c.usable) << fault;
    EXPECT_NE(fault.find(c.fault_names), std::string::npos) << fault;
    // The profile check also wants 8 characters of group 1's rule.
    if (std::string(c.spec).size() < 8) continue;
    const CleanerProfile p{"d", "Driver", "", c.kind, c.spec, "", "", "nv", ""};
    const std::string profile_fault = ProfileFault(fs, p, roots);
    EXPECT_EQ(profile_fault.empty(), c.usable) << profile_fault;
    EXPECT_NE(profile_fault.find(c.fault_names), std::string::npos) << profile_fault;
  }
}

}  // namespace
}  // namespace ks
