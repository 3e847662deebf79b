// The fake machine's Windows version, processors and memory: plain fields a
// test sets, returned by the calls as the system would.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "platform/fake/names.h"
#include "platform/sysinfo.h"

namespace ks::fake {

class FakeSystemInfo : public platform::SystemInfo {
 public:
  bool GetVersionEx(platform::OsVersion* out) override;
  void GetSystemInfo(platform::SystemInfoRecord* out) override { *out = info; }
  // The older record of a 32-bit system: sizes stop at 4 GB - 1.
  void GlobalMemoryStatus(platform::MemoryStatus* out) override;
  bool GlobalMemoryStatusEx(platform::MemoryStatus* out) override;
  std::string GetSystemDirectory() override { return system_directory; }
  std::string GetWindowsDirectory() override { return windows_directory; }
  std::string GetEnvironmentVariable(const std::string& name) override;
  // The time of day at boot plus the time the machine has been up.
  platform::LocalTime GetLocalTime() override;

  // --- set-up for tests (a Windows XP machine with 512 MB by default) ---
  platform::OsVersion version{5, 1, 2600, platform::kPlatformWin32Nt, "Service Pack 2"};
  bool version_fails = false;
  platform::SystemInfoRecord info;
  platform::MemoryStatus memory{30, 512ull << 20, 256ull << 20, 1024ull << 20, 768ull << 20, 2048ull << 20,
                                2000ull << 20};
  bool has_memory_status_ex = true;  // false on Windows 9x/Me and NT 4
  std::string system_directory = "C:\\WINDOWS\\system32";
  // The system's own Windows folder, which the "windir" variable need not name.
  std::string windows_directory = "C:\\WINDOWS";
  // The process environment; names without regard to case, as Windows has them.
  std::map<std::string, std::string, FoldedLess> environment{{"windir", "C:\\WINDOWS"}, {"OS", "Windows_NT"}};
  // The wall clock: the local time of day at boot in milliseconds since
  // midnight, and the machine's uptime in milliseconds (a test may tie it
  // to a program's clock, which counts from boot as GetTickCount does).
  std::int64_t boot_time_of_day_ms = 8 * 3600 * 1000;
  std::function<std::int64_t()> uptime_ms = [] { return std::int64_t{0}; };
};

}  // namespace ks::fake
