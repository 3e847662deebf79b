#include <gtest/gtest.h>

#include "common/paths.h"
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

}  // namespace
}  // namespace ks
