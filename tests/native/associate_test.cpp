#include <gtest/gtest.h>

#include "platform/fake/machine.h"
#include "shell/associate.h"

namespace ks {
namespace {

std::string DefaultOf(const fake::FakeRegistry& reg, const std::string& path) {
  auto value = reg.Get(path, "");
  if (!value || value->type != platform::kRegSz) return "<missing>";
  return value->bytes.substr(0, value->bytes.find('\0'));
}

TEST(Associate, WritesTheFourDefaultValues) {
  fake::FakeMachine m;
  m.fs.SetProgramFolder("C:\\Tools\\Rurevor");
  m.reg.PutString("HKCR\\.ksp", "", "OtherApp.Document");
  RegisterPresetFileType(m.reg, m.fs);
  EXPECT_EQ(DefaultOf(m.reg, "HKCR\\KestrelaneSE"), "KestrelaneSE secure preset file");
  EXPECT_EQ(DefaultOf(m.reg, "HKCR\\.ksp"), "KestrelaneSE") << "another association is overwritten";
  EXPECT_EQ(DefaultOf(m.reg, "HKCR\\KestrelaneSE\\Shell\\open\\command"),
            "\"C:\\Tools\\Rurevor\\KestrelaneSE.exe\" %1");
  EXPECT_EQ(DefaultOf(m.reg, "HKCR\\KestrelaneSE\\DefaultIcon"), "C:\\Tools\\Rurevor\\KestrelaneSE.exe,0");
  EXPECT_EQ(m.reg.OpenHandleCount(), 0);
}

TEST(Associate, MovedFolderRewritesThePaths) {
  fake::FakeMachine m;
  m.fs.SetProgramFolder("C:\\Old");
  RegisterPresetFileType(m.reg, m.fs);
  m.fs.SetProgramFolder("D:\\Program Files\\Kestrelane");
  RegisterPresetFileType(m.reg, m.fs);
  EXPECT_EQ(DefaultOf(m.reg, "HKCR\\KestrelaneSE\\Shell\\open\\command"),
            "\"D:\\Program Files\\Kestrelane\\KestrelaneSE.exe\" %1");
  EXPECT_EQ(DefaultOf(m.reg, "HKCR\\KestrelaneSE\\DefaultIcon"), "D:\\Program Files\\Kestrelane\\KestrelaneSE.exe,0");
}

TEST(Associate, DeniedKeySkipsOnlyItsValue) {
  fake::FakeMachine m;
  m.reg.FailCalls("RegCreateKeyA", platform::kErrorAccessDenied, 1, ".ksp");
  RegisterPresetFileType(m.reg, m.fs);
  EXPECT_EQ(DefaultOf(m.reg, "HKCR\\.ksp"), "<missing>");
  EXPECT_EQ(DefaultOf(m.reg, "HKCR\\KestrelaneSE"), "KestrelaneSE secure preset file");
  EXPECT_NE(DefaultOf(m.reg, "HKCR\\KestrelaneSE\\DefaultIcon"), "<missing>");
}

}  // namespace
}  // namespace ks
