// What every machine's system information service must give, fake or real.
#include <gtest/gtest.h>

#include <cmath>

#include "contract/contract.h"
#include "platform/names.h"

namespace ks::test {
namespace {

TEST(SystemInfoContract, Invariants) {
  std::unique_ptr<platform::Platform> machine = MakeContractMachine();
  platform::SystemInfo& sys = machine->system();

  platform::OsVersion version;
  ASSERT_TRUE(sys.GetVersionEx(&version));
  EXPECT_GE(version.major, 4u);
  EXPECT_TRUE(version.platform_id == platform::kPlatformWin32Nt ||
              version.platform_id == platform::kPlatformWin32Windows);
  EXPECT_LT(version.csd_version.size(), 128u);

  platform::SystemInfoRecord info;
  sys.GetSystemInfo(&info);
  EXPECT_GE(info.number_of_processors, 1u);
  EXPECT_NE(info.processor_type, 0u);

  platform::MemoryStatus ex;
  if (sys.GlobalMemoryStatusEx(&ex)) {
    EXPECT_GT(ex.total_phys, 0u);
    EXPECT_LE(ex.avail_phys, ex.total_phys);
  }
  platform::MemoryStatus old;
  sys.GlobalMemoryStatus(&old);
  EXPECT_GT(old.total_phys, 0u);
  EXPECT_LE(old.avail_phys, old.total_phys);

  std::string folder = sys.GetSystemDirectory();
  ASSERT_GT(folder.size(), 3u);
  EXPECT_NE(folder.back(), '\\');
  EXPECT_EQ(folder[1], ':');

  // The Windows folder the system names holds its system folder.
  const std::string windows = sys.GetWindowsDirectory();
  ASSERT_GT(windows.size(), 3u);
  EXPECT_NE(windows.back(), '\\');
  EXPECT_EQ(windows[1], ':');
  EXPECT_TRUE(SameTextIgnoringCase(folder.substr(0, windows.size() + 1), windows + "\\")) << folder;

  // The Windows folder the environment names, and a variable no system sets.
  const std::string windir = sys.GetEnvironmentVariable("windir");
  ASSERT_GT(windir.size(), 3u);
  EXPECT_EQ(windir[1], ':');
  EXPECT_EQ(sys.GetEnvironmentVariable("WINDIR"), windir) << "names compare without regard to case";
  EXPECT_EQ(sys.GetEnvironmentVariable("KS_NO_SUCH_VARIABLE_7"), "");
}

TEST(SystemInfoContract, LocalTimeOfDay) {
  std::unique_ptr<platform::Platform> machine = MakeContractMachine();
  platform::SystemInfo& sys = machine->system();
  const platform::LocalTime first = sys.GetLocalTime();
  EXPECT_LT(first.hour, 24);
  EXPECT_LT(first.minute, 60);
  EXPECT_LT(first.second, 60);
  EXPECT_LT(first.milliseconds, 1000);
  const double seconds = platform::SecondsSinceMidnight(first);
  EXPECT_GE(seconds, 0.0);
  EXPECT_LT(seconds, 86400.0);
  // A second read follows the first, across midnight too: the clock never
  // runs backwards.
  const double later = platform::SecondsSinceMidnight(sys.GetLocalTime());
  EXPECT_LT(std::fmod(later - seconds + 86400.0, 86400.0), 5.0);
}

}  // namespace
}  // namespace ks::test
