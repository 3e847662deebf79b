#include <gtest/gtest.h>

#include "common/paths.h"
#include "platform/fake/files.h"
#include "tests/native/device_names.h"

namespace ks {
namespace {

TEST(Paths, DeviceNamesAreReservedInEveryForm) {
  for (const char* name : test::kDeviceNames) {
    EXPECT_TRUE(IsReservedDeviceName(name)) << name;
    EXPECT_FALSE(IsPlainName(name)) << name;
    EXPECT_TRUE(HasReservedDeviceName(std::string("DATA\\") + name + "\\x.dat")) << name;
  }
  for (const char* name : {"COM0", "COM10", "LPT", "console", "nul_", "auxiliary.txt", "CONIN", "xNUL", "conout$x",
                           "prn1", "a.con",
                           // Only the superscripts one to three are port digits.
                           "COM\xB4", "LPT\xBC", "COM\xB9\xB9", "COM\xB0"}) {
    EXPECT_FALSE(IsReservedDeviceName(name)) << name;
    EXPECT_TRUE(IsPlainName(name)) << name;
  }
}

TEST(Paths, PlainNames) {
  for (const char* bad : {"", ".", "..", " . ", "a\\b", "a/b", "C:", "a*", "a?", "a\"b", "a<b", "a>b", "a|b", "a\tb"}) {
    EXPECT_FALSE(IsPlainName(bad)) << "'" << bad << "'";
  }
  for (const char* good : {"nv4_disp.dll", "Backup 1", ".index", "a..b"}) EXPECT_TRUE(IsPlainName(good)) << good;
}

TEST(Paths, PlainFileNames) {
  for (const char* name : test::kDeviceNames) EXPECT_FALSE(IsPlainFileName(name)) << name;
  struct Case {
    const char* name;
    const char* input;
    bool plain;
  };
  const Case cases[] = {
      {"a language code", "en", true},
      {"dots inside", "a..b", true},
      {"blank inside", "Quake 3", true},
      {"empty", "", false},
      {"trailing dot", "en.", false},
      {"trailing blank", "en ", false},
      {"dots alone", "..", false},
      {"separator", "..\\en", false},
      {"drive", "C:en", false},
      {"wildcard", "e*", false},
      {"control character", "e\x01n", false},
      {"delete character", "en\x7F", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsPlainFileName(c.input), c.plain) << c.name;
}

TEST(Paths, PlainRelativePaths) {
  for (const char* name : test::kDeviceNames) {
    EXPECT_FALSE(IsPlainRelativePath(name)) << name;
    EXPECT_FALSE(IsPlainRelativePath(std::string("drivers\\") + name)) << name;
    EXPECT_FALSE(IsPlainRelativePath(std::string(name) + "\\nv4_mini.sys")) << name;
  }
  for (const char* bad : {"", "\\a", "a\\", "a\\\\b", "C:\\a", "..\\a", "a\\..\\b", ".\\a", "...", "a\\*.dll",
                          // Windows drops a trailing dot or blank: these open another name.
                          "WINDOWS.", "a\\.. \\b", "nview \\x.dll", "x.dll "}) {
    EXPECT_FALSE(IsPlainRelativePath(bad)) << "'" << bad << "'";
  }
  for (const char* good : {"nv4_disp.dll", "drivers\\nv4_mini.sys", "a/b", "NVIDIA Corporation\\a..b.dat"})
    EXPECT_TRUE(IsPlainRelativePath(good)) << good;
}

struct ResolveCase {
  const char* path;
  std::optional<std::string> resolved;
};

TEST(Paths, ResolvedPath) {
  const ResolveCase cases[] = {
      {"C:\\", "C:\\"},
      {"c:\\Windows\\.\\System32\\", "c:\\Windows\\System32"},
      {"C:\\a\\..\\b", "C:\\b"},
      {"C:/a//b", "C:\\a\\b"},
      {"C:\\a\\..\\..", std::nullopt},
      {"\\\\srv\\share\\a\\..", "\\\\srv\\share"},
      {"\\\\srv\\share\\..", std::nullopt},
      {"\\\\srv", std::nullopt},
      {"C:relative", std::nullopt},
      {"relative\\x", std::nullopt},
      {"\\rooted", std::nullopt},
      {"", std::nullopt},
      // Regression: a device path climbed out of its namespace and passed
      // for a share root.
      {"\\\\.\\..\\x", std::nullopt},
      {"\\\\srv\\..\\x", std::nullopt},
      // The system's own namespaces skip the resolving of names the guards
      // rely on: "\\?\C:\PROGRA~1\.." opens what no check saw.
      {"\\\\?\\C:\\x", std::nullopt},
      {"\\\\.\\C:\\x", std::nullopt},
  };
  for (const ResolveCase& c : cases) EXPECT_EQ(ResolvedPath(c.path), c.resolved) << c.path;
}

struct InsideCase {
  const char* path;
  const char* folder;
  bool inside;
};

TEST(Paths, InsideFolderAfterDotsAndWithoutCase) {
  const InsideCase cases[] = {
      {"C:\\WINDOWS\\system32\\nv4_disp.dll", "c:\\windows\\System32", true},
      {"C:\\Windows\\System32", "C:\\Windows\\System32", true},
      {"C:\\Windows\\System32\\..\\explorer.exe", "C:\\Windows\\System32", false},
      {"C:\\Windows\\System32x\\a.dll", "C:\\Windows\\System32", false},
      {"D:\\Windows\\System32\\a.dll", "C:\\Windows\\System32", false},
      {"\\\\srv\\share\\a.dll", "C:\\Windows", false},
      {"C:\\Windows\\System32\\sub\\..\\a.dll", "C:\\Windows\\System32", true},
      {"C:\\a\\..\\..\\x", "C:\\", false},
  };
  for (const InsideCase& c : cases) EXPECT_EQ(IsInsideFolder(c.path, c.folder), c.inside) << c.path;
}

TEST(Paths, FoldersThatCoverAnother) {
  const InsideCase cases[] = {
      {"C:\\", "C:\\Windows", true},
      {"D:\\.", "C:\\Windows", true},
      {"\\\\srv\\share", "C:\\Windows", true},
      {"C:\\Windows\\System32\\..", "C:\\Windows", true},
      {"c:\\windows", "C:\\Windows\\System32", true},
      {"C:\\Windows\\System32\\Drivers", "C:\\Windows\\System32", false},
      {"C:\\Windows2", "C:\\Windows", false},
      {"C:\\Program Files\\NVIDIA", "", false},
  };
  for (const InsideCase& c : cases) EXPECT_EQ(CoversFolder(c.path, c.folder), c.inside) << c.path;
}

// A tree with every spelling Windows gives one folder: the long name, its
// 8.3 alias, a link onto it.
class DiskPaths : public ::testing::Test {
 protected:
  void SetUp() override {
    fs.AddFolder("C:\\Program Files\\Kestrelane\\Data\\cleaner\\backup\\nv");
    fs.AddFile("C:\\Program Files\\Kestrelane\\KestrelaneSE.exe", "exe");
    fs.AddFolder("C:\\WINDOWS\\system32\\drivers");
    fs.AddLink("C:\\syslink", "C:\\WINDOWS\\system32");
    fs.AddLink("C:\\NVIDIA\\kernel.dll", "C:\\WINDOWS\\system32\\kernel32.dll");
    fs.AddFile("C:\\WINDOWS\\system32\\kernel32.dll", "kernel");
    // As Wine shows a Unix link to a file: no reparse point.
    fs.AddLink("C:\\NVIDIA\\hidden.dll", "C:\\WINDOWS\\system32\\kernel32.dll", false);
    fs.AddLink("C:\\NVIDIA\\hidden", "C:\\WINDOWS\\system32", false);
  }
  fake::FakeFiles fs;
};

TEST_F(DiskPaths, LongPathsTakeTheNamesTheSystemKnows) {
  const ResolveCase cases[] = {
      {"C:\\PROGRA~1\\KESTRE~1", "C:\\Program Files\\Kestrelane"},
      {"c:\\progra~1\\kestre~1\\KESTRE~1.EXE", "c:\\Program Files\\Kestrelane\\KestrelaneSE.exe"},
      // The parts below the last one that exists stay as they are spelled.
      {"C:\\PROGRA~1\\KESTRE~1\\gone\\X~1.DLL", "C:\\Program Files\\Kestrelane\\gone\\X~1.DLL"},
      {"C:\\PROGRA~1\\.\\KESTRE~1\\..", "C:\\Program Files"},
      // A link keeps its own name.
      {"C:\\syslink\\drivers", "C:\\syslink\\drivers"},
      {"C:\\PROGRA~1\\..\\..", std::nullopt},
      {"\\\\.\\..\\x", std::nullopt},
  };
  for (const ResolveCase& c : cases) EXPECT_EQ(LongPath(fs, c.path), c.resolved) << c.path;
}

TEST_F(DiskPaths, InsideAFolderInEverySpelling) {
  const InsideCase cases[] = {
      {"C:\\PROGRA~1\\KESTRE~1\\data\\cleaner\\backup\\nv", "C:\\Program Files\\Kestrelane", true},
      {"C:\\Program Files\\Kestrelane\\x.dll", "c:\\progra~1\\kestre~1", true},
      {"C:\\PROGRA~1\\KESTRE~1\\KESTRE~1.EXE", "C:\\Program Files\\Kestrelane", true},
      {"C:\\PROGRA~1\\Kestrelane2\\x.dll", "C:\\Program Files\\Kestrelane", false},
      // Through a link: the folder it opens is the folder itself.
      {"C:\\syslink\\nv4_disp.dll", "C:\\WINDOWS\\system32", true},
      {"C:\\WINDOWS\\system32\\drivers", "C:\\syslink", true},
      {"C:\\NVIDIA\\kernel.dll", "C:\\WINDOWS\\system32", false},
      {"C:\\NVIDIA\\nv.dll", "C:\\WINDOWS", false},
      {"\\\\.\\..\\x", "C:\\", false},
  };
  for (const InsideCase& c : cases) EXPECT_EQ(IsInsideFolder(fs, c.path, c.folder), c.inside) << c.path;
}

TEST_F(DiskPaths, FoldersThatCoverAnotherOnTheDisk) {
  const InsideCase cases[] = {
      {"C:\\PROGRA~1", "C:\\Program Files\\Kestrelane\\Data\\cleaner\\backup", true},
      {"C:\\syslink\\..", "C:\\WINDOWS", true},
      {"C:\\syslink", "C:\\WINDOWS\\system32\\drivers", true},
      {"C:\\PROGRA~1\\KESTRE~1\\data\\cleaner\\backup\\nv", "C:\\Program Files\\Kestrelane\\Data\\cleaner\\backup", false},
      {"C:\\NVIDIA", "C:\\WINDOWS\\system32", false},
  };
  for (const InsideCase& c : cases) EXPECT_EQ(CoversFolder(fs, c.path, c.folder), c.inside) << c.path;
}

TEST_F(DiskPaths, TheFirstLinkOnTheWay) {
  struct Case {
    const char* path;
    const char* below;
    std::string link;
  };
  const Case cases[] = {
      {"C:\\syslink", "", "C:\\syslink"},
      {"C:\\syslink\\drivers\\nv4_mini.sys", "", "C:\\syslink"},
      {"C:\\.\\SYSLINK\\", "", "C:\\SYSLINK"},
      {"C:\\NVIDIA\\kernel.dll", "", "C:\\NVIDIA\\kernel.dll"},
      {"C:\\NVIDIA\\nv.dll", "", ""},
      {"C:\\WINDOWS\\system32\\kernel32.dll", "", ""},
      {"C:\\gone\\syslink", "", ""},
      // A link that shows no reparse point opens another path than its own.
      {"C:\\NVIDIA\\hidden.dll", "", "C:\\NVIDIA\\hidden.dll"},
      {"C:\\NVIDIA\\hidden\\drivers\\x.sys", "", "C:\\NVIDIA\\hidden"},
      {"C:\\NVIDIA\\hidden.dll", "C:\\NVIDIA", "C:\\NVIDIA\\hidden.dll"},
      {"C:\\NVIDIA\\hidden\\kernel32.dll", "C:\\NVIDIA\\hidden", ""},
      {"C:\\PROGRA~1\\KESTRE~1\\KESTRE~1.EXE", "", ""},
      // Only what lies below `below` is asked.
      {"C:\\syslink\\drivers", "C:\\syslink", ""},
      {"C:\\NVIDIA\\kernel.dll", "C:\\NVIDIA", "C:\\NVIDIA\\kernel.dll"},
  };
  for (const Case& c : cases) EXPECT_EQ(LinkOnPath(fs, c.path, c.below), c.link) << c.path << " below " << c.below;
}

TEST_F(DiskPaths, TheSameFileInAnySpelling) {
  EXPECT_TRUE(IsSameFile(fs, "C:\\PROGRA~1\\KESTRE~1\\", "c:\\program files\\kestrelane"));
  EXPECT_TRUE(IsSameFile(fs, "C:\\syslink", "C:\\WINDOWS\\system32"));
  EXPECT_TRUE(IsSameFile(fs, "C:\\NVIDIA\\kernel.dll", "C:\\WINDOWS\\SYSTEM32\\KERNEL32.DLL"));
  EXPECT_TRUE(IsSameFile(fs, "C:\\gone\\x", "C:\\GONE\\.\\X")) << "a missing path by its spelling";
  EXPECT_FALSE(IsSameFile(fs, "C:\\WINDOWS", "C:\\WINDOWS\\system32"));
  EXPECT_FALSE(IsSameFile(fs, "\\\\.\\..\\x", "\\\\.\\..\\x"));
}

}  // namespace
}  // namespace ks
