// Processes over kernel32.
#pragma once

#include "platform/processes.h"

namespace ks::win32 {

class Win32Processes : public platform::Processes {
 public:
  std::uint32_t StartProgram(const std::string& command_line, platform::WindowStyle style) override;
  std::uint32_t StartProgramIn(const std::string& command_line, const std::string& folder,
                               platform::WindowStyle style) override;
  platform::ProcessHandle OpenProcess(std::uint32_t access, std::uint32_t process_id) override;
  std::uint32_t WaitForSingleObject(platform::ProcessHandle process, std::uint32_t timeout_ms) override;
  bool CloseHandle(platform::ProcessHandle process) override;
  platform::ProcessHandle CreateToolhelp32Snapshot(std::uint32_t flags, std::uint32_t process_id) override;
  bool Process32First(platform::ProcessHandle snapshot, platform::ProcessEntry* entry) override;
  bool Process32Next(platform::ProcessHandle snapshot, platform::ProcessEntry* entry) override;
  [[noreturn]] void ExitProcess(std::uint32_t exit_code) override;
};

}  // namespace ks::win32
