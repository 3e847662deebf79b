// System information over kernel32.
#pragma once

#include "platform/sysinfo.h"

namespace ks::win32 {

class Win32SystemInfo : public platform::SystemInfo {
 public:
  bool GetVersionEx(platform::OsVersion* out) override;
  void GetSystemInfo(platform::SystemInfoRecord* out) override;
  void GlobalMemoryStatus(platform::MemoryStatus* out) override;
  bool GlobalMemoryStatusEx(platform::MemoryStatus* out) override;
  std::string GetSystemDirectory() override;
  std::string GetWindowsDirectory() override;
  std::string GetEnvironmentVariable(const std::string& name) override;
  platform::LocalTime GetLocalTime() override;
};

}  // namespace ks::win32
