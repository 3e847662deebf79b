// The executables' version resources and icons as Windows reads them:
// travo and relayo carry their own version texts, and every program of the
// suite has an icon (KestrelaneSE's first one is the ".ksp" file type's icon).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/win32/machine.h"
#include "platform/win32/win.h"
// After win.h.
#include <shellapi.h>

namespace ks::test {
namespace {

std::string BuildFile(const std::string& relative) {
  const char* dir = std::getenv("KS_BUILD_DIR");
  if (!dir || !*dir) return "";
  std::string path = std::string("Z:") + dir + "/" + relative;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

std::string VersionText(platform::VersionInfo& ver, const std::string& exe, const std::string& name) {
  const std::uint32_t size = ver.GetFileVersionInfoSize(exe);
  std::string block, value;
  if (size == 0 || !ver.GetFileVersionInfo(exe, size, &block)) return "";
  if (!ver.VerQueryValue(block, "\\StringFileInfo\\040904E4\\" + name, &value)) return "";
  return value.substr(0, value.find('\0'));
}

TEST(SatelliteResources, VersionTexts) {
  if (BuildFile("").empty()) GTEST_SKIP() << "KS_BUILD_DIR not set";
  struct Case {
    const char* exe;
    const char* field;
    const char* text;
  };
  const std::vector<Case> cases = {
      {"programs/travo/travo.exe", "FileDescription", "Kestrelane Travonix"},
      {"programs/travo/travo.exe", "ProductName", "Travonix"},
      {"programs/travo/travo.exe", "InternalName", "travo"},
      {"programs/travo/travo.exe", "OriginalFilename", "travo.exe"},
      {"programs/travo/travo.exe", "FileVersion", "0.09.0005"},
      {"programs/travo/travo.exe", "ProductVersion", "0.09.0005"},
      {"programs/relayo/relayo.exe", "FileDescription", "relayo for Kestrelane SE"},
      {"programs/relayo/relayo.exe", "ProductName", "relayo for Kestrelane SE"},
      {"programs/relayo/relayo.exe", "InternalName", "relayo"},
      {"programs/relayo/relayo.exe", "OriginalFilename", "relayo.exe"},
      {"programs/relayo/relayo.exe", "FileVersion", "0.05.0005"},
      {"programs/relayo/relayo.exe", "ProductVersion", "0.05.0005"},
  };
  win32::Win32VersionInfo ver;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.exe) + " " + c.field);
    EXPECT_EQ(VersionText(ver, BuildFile(c.exe), c.field), c.text);
  }
}

TEST(SatelliteResources, EveryProgramHasAnIcon) {
  if (BuildFile("").empty()) GTEST_SKIP() << "KS_BUILD_DIR not set";
  for (const char* exe : {"programs/KestrelaneSE/KestrelaneSE.exe", "programs/travo/travo.exe",
                          "programs/relayo/relayo.exe", "programs/pvx/pvx.exe", "programs/info/info.exe",
                          "programs/lumacap/lumacap.exe", "programs/tarrow/tarrow.exe"}) {
    SCOPED_TRACE(exe);
    EXPECT_GE(ExtractIconExA(BuildFile(exe).c_str(), -1, nullptr, nullptr, 0), 1u);
    HICON first = ExtractIconA(GetModuleHandleA(nullptr), BuildFile(exe).c_str(), 0);
    EXPECT_NE(first, nullptr) << "the first icon, as a file type's DefaultIcon \",0\" names it";
    if (first) DestroyIcon(first);
  }
  EXPECT_EQ(ExtractIconExA(BuildFile("programs/travo/travo.exe").c_str(), -1, nullptr, nullptr, 0), 2u)
      << "travo: its own icon and the tray icon";
}

}  // namespace
}  // namespace ks::test
