// The fake machine's processes and shell: command-line parsing as Windows
// does it, waiting, and file associations.
#include <gtest/gtest.h>

#include "platform/fake/machine.h"

namespace ks::fake {
namespace {

TEST(FakeProcesses, CommandLineResolvesAsWindowsParsesIt) {
  struct Case {
    const char* name;
    const char* command_line;
    const char* program;  // "" when it cannot start
  };
  const Case cases[] = {
      {"quoted path with blanks", "\"C:\\Program Files\\K\\data\\tool.exe\"", "C:\\Program Files\\K\\data\\tool.exe"},
      {"unquoted path with blanks starts the first prefix that exists", "C:\\Program Files\\K\\data\\tool.exe",
       "C:\\Program.exe"},
      {"unquoted without blanks", "C:\\Tools\\x.exe /q", "C:\\Tools\\x.exe"},
      {"extension added", "C:\\Tools\\x /q", "C:\\Tools\\x.exe"},
      {"system program by name", "rundll32.exe nvcpl.dll, launchtvapplet", "rundll32.exe"},
      {"missing program", "\"C:\\Nowhere\\x.exe\"", ""},
      {"empty", "", ""},
  };
  for (const Case& c : cases) {
    FakeMachine m;
    m.fs.AddFile("C:\\Program Files\\K\\data\\tool.exe", "MZ");
    m.fs.AddFile("C:\\Program.exe", "MZ");
    m.fs.AddFile("C:\\Tools\\x.exe", "MZ");
    const std::uint32_t pid = m.proc.StartProgram(c.command_line, platform::WindowStyle::kNormalFocus);
    if (std::string(c.program).empty()) {
      EXPECT_EQ(pid, 0u) << c.name;
      continue;
    }
    ASSERT_NE(pid, 0u) << c.name;
    EXPECT_EQ(m.proc.started().back().program, c.program) << c.name;
  }
}

TEST(FakeProcesses, WaitingRunsTheProgramToItsEnd) {
  FakeMachine m;
  m.fs.AddFile("C:\\t.exe", "MZ");
  int runs = 0;
  m.proc.OnRun("c:\\T.EXE", [&] { ++runs; });
  const auto pid = m.proc.StartProgram("C:\\t.exe", platform::WindowStyle::kHide);
  EXPECT_EQ(runs, 0) << "starting does not wait";
  const auto h = m.proc.OpenProcess(platform::kSynchronize, pid);
  ASSERT_NE(h, 0u);
  EXPECT_EQ(m.proc.WaitForSingleObject(h, platform::kInfinite), platform::kWaitObject0);
  EXPECT_EQ(m.proc.WaitForSingleObject(h, platform::kInfinite), platform::kWaitObject0);
  EXPECT_EQ(runs, 1);
  EXPECT_TRUE(m.proc.CloseHandle(h));
  EXPECT_FALSE(m.proc.CloseHandle(h));
  EXPECT_EQ(m.proc.WaitForSingleObject(h, 0), platform::kWaitFailed);
  EXPECT_EQ(m.proc.OpenProcess(platform::kSynchronize, 12345), 0u);
}

TEST(FakeProcesses, AHangingProgramTimesOutAFiniteWait) {
  FakeMachine m;
  m.fs.AddFile("C:\\t.exe", "MZ");
  m.proc.SetHangs("C:\\t.exe", true);
  const auto pid = m.proc.StartProgram("C:\\t.exe", platform::WindowStyle::kHide);
  platform::ScopedProcess h(m.proc, m.proc.OpenProcess(platform::kSynchronize, pid));
  EXPECT_EQ(m.proc.WaitForSingleObject(h.get(), 10), platform::kWaitTimeout);
  EXPECT_FALSE(m.proc.Ended(pid));
}

TEST(FakeShell, FindExecutableNeedsTheFileAndAnAssociation) {
  FakeMachine m;
  m.sh.associations[".HTM"] = "C:\\b\\browser.exe";
  m.fs.AddFile("C:\\t\\page.htm", "x");
  m.fs.AddFile("C:\\t\\page.xyz", "x");
  std::string program = "stale";
  EXPECT_GT(m.sh.FindExecutable("C:\\t\\page.htm", "", &program), 32);
  EXPECT_EQ(program, "C:\\b\\browser.exe") << "extensions compare without regard to case";
  EXPECT_EQ(m.sh.FindExecutable("C:\\t\\missing.htm", "", &program), platform::kSeErrFileNotFound);
  EXPECT_EQ(program, "");
  EXPECT_EQ(m.sh.FindExecutable("page.xyz", "C:\\t", &program), platform::kSeErrNoAssoc);
}

}  // namespace
}  // namespace ks::fake
