// System information (kernel32): Windows version, processors, memory, the
// system folder and the local time of day.
#pragma once

#include <cstdint>
#include <string>

namespace ks::platform {

// dwPlatformId values.
inline constexpr std::uint32_t kPlatformWin32Windows = 1;  // Windows 9x/Me
inline constexpr std::uint32_t kPlatformWin32Nt = 2;

// The OSVERSIONINFOA fields.
struct OsVersion {
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t build = 0;
  std::uint32_t platform_id = 0;
  std::string csd_version;  // service pack text, e.g. "Service Pack 2"; may be empty
};

// The SYSTEM_INFO fields the suite reads.
struct SystemInfoRecord {
  std::uint16_t processor_architecture = 0;  // 0 x86, 9 x64
  std::uint32_t page_size = 4096;
  std::uint32_t number_of_processors = 1;    // logical processors
  std::uint32_t processor_type = 586;        // 386, 486, 586, 8664
  std::uint16_t processor_level = 6;
  std::uint16_t processor_revision = 0;
};

// Memory status in bytes (MEMORYSTATUS / MEMORYSTATUSEX).
struct MemoryStatus {
  std::uint32_t memory_load = 0;  // percent in use
  std::uint64_t total_phys = 0;
  std::uint64_t avail_phys = 0;
  std::uint64_t total_page_file = 0;
  std::uint64_t avail_page_file = 0;
  std::uint64_t total_virtual = 0;
  std::uint64_t avail_virtual = 0;
};

// The time-of-day fields of SYSTEMTIME.
struct LocalTime {
  std::uint16_t hour = 0;
  std::uint16_t minute = 0;
  std::uint16_t second = 0;
  std::uint16_t milliseconds = 0;
};

// The seconds since midnight with their fraction (86399.999 at most).
inline double SecondsSinceMidnight(const LocalTime& t) {
  return t.hour * 3600.0 + t.minute * 60.0 + t.second + t.milliseconds / 1000.0;
}

class SystemInfo {
 public:
  virtual ~SystemInfo() = default;

  // GetVersionExA with an OSVERSIONINFOA record; false when the call fails.
  virtual bool GetVersionEx(OsVersion* out) = 0;
  // GetSystemInfo; never fails.
  virtual void GetSystemInfo(SystemInfoRecord* out) = 0;
  // GlobalMemoryStatus, the older record: on a 32-bit system its sizes stop
  // at 4 GB - 1 (2 GB - 1 for programs that are not large-address aware).
  virtual void GlobalMemoryStatus(MemoryStatus* out) = 0;
  // GlobalMemoryStatusEx, looked up at run time; false where the system
  // lacks it (Windows 9x/Me, NT 4) or the call fails.
  virtual bool GlobalMemoryStatusEx(MemoryStatus* out) = 0;
  // GetSystemDirectoryA, without a trailing backslash; empty on failure.
  virtual std::string GetSystemDirectory() = 0;
  // GetWindowsDirectoryA, without a trailing backslash; empty on failure.
  // The system's own answer, whatever the "windir" variable says.
  virtual std::string GetWindowsDirectory() = 0;
  // GetEnvironmentVariableA of the process ("windir", "OS"); empty when the
  // variable is not set.
  virtual std::string GetEnvironmentVariable(const std::string& name) = 0;
  // GetLocalTime: the wall clock in the machine's time zone; never fails.
  virtual LocalTime GetLocalTime() = 0;
};

}  // namespace ks::platform
