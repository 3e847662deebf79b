// Starting a program by command line and waiting for it, and the shell's
// lookup of a document's program, against the fake and real Windows.
#include <gtest/gtest.h>

#include "contract/contract.h"

namespace ks::test {
namespace {

TEST(ProcessesContract, StartOpenWaitClose) {
  auto machine = MakeContractMachine();
  auto& proc = machine->processes();
  const std::uint32_t pid = proc.StartProgram("cmd.exe /c exit", platform::WindowStyle::kHide);
  ASSERT_NE(pid, 0u);
  const platform::ProcessHandle h = proc.OpenProcess(platform::kSynchronize, pid);
  ASSERT_NE(h, 0u);
  EXPECT_EQ(proc.WaitForSingleObject(h, platform::kInfinite), platform::kWaitObject0);
  EXPECT_TRUE(proc.CloseHandle(h));
}

TEST(ProcessesContract, MissingProgramDoesNotStart) {
  struct Case {
    const char* name;
    const char* command_line;
  };
  const Case cases[] = {
      {"quoted missing path", "\"C:\\KestrelaneTest\\no such folder\\missing.exe\""},
      {"unquoted missing path", "C:\\KestrelaneTest\\missing.exe /x"},
  };
  auto machine = MakeContractMachine();
  for (const Case& c : cases)
    EXPECT_EQ(machine->processes().StartProgram(c.command_line, platform::WindowStyle::kHide), 0u) << c.name;
}

TEST(ShellContract, FindExecutableOfAMissingFileFails) {
  auto machine = MakeContractMachine();
  std::string program = "stale";
  const auto code = machine->shell().FindExecutable("C:\\KestrelaneTest\\missing-page.htm", "", &program);
  EXPECT_LE(code, 32);
  EXPECT_EQ(program, "");
}

}  // namespace
}  // namespace ks::test

namespace ks::test {
namespace {

TEST(DisplaySettingsContract, ModeNumberPastTheEndFails) {
  auto machine = MakeContractMachine();
  platform::DisplayMode mode{1, 2, 3, 4};
  EXPECT_FALSE(machine->display_settings().EnumDisplaySettings(100000, &mode));
  EXPECT_EQ(mode.width, 1u) << "the record is left as it was";
  EXPECT_EQ(mode.frequency, 4u);
}

}  // namespace
}  // namespace ks::test

namespace ks::test {
namespace {

TEST(DisplaySettingsContract, ShutdownPrivilegeCanBeHad) {
  auto machine = MakeContractMachine();
  EXPECT_TRUE(machine->display_settings().EnableShutdownPrivilege());
}

}  // namespace
}  // namespace ks::test
