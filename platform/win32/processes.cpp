#include "platform/win32/processes.h"

#include <vector>

#include "platform/win32/handle.h"

namespace ks::win32 {

namespace {
HANDLE ToHandle(platform::ProcessHandle h) { return reinterpret_cast<HANDLE>(static_cast<uintptr_t>(h)); }
}  // namespace

std::uint32_t Win32Processes::StartProgram(const std::string& command_line, platform::WindowStyle style) {
  return StartProgramIn(command_line, "", style);
}

std::uint32_t Win32Processes::StartProgramIn(const std::string& command_line, const std::string& folder,
                                             platform::WindowStyle style) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(style);
  PROCESS_INFORMATION info = {};
  // CreateProcessA may write into the command line, so it gets a copy.
  std::vector<char> line(command_line.begin(), command_line.end());
  line.push_back('\0');
  const char* current = folder.empty() ? nullptr : folder.c_str();
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, current, &startup, &info)) {
    return 0;
  }
  ScopedKernelHandle process(info.hProcess);
  ScopedKernelHandle thread(info.hThread);
  return info.dwProcessId;
}

platform::ProcessHandle Win32Processes::OpenProcess(std::uint32_t access, std::uint32_t process_id) {
  HANDLE h = ::OpenProcess(access, FALSE, process_id);
  return static_cast<platform::ProcessHandle>(reinterpret_cast<uintptr_t>(h));
}

std::uint32_t Win32Processes::WaitForSingleObject(platform::ProcessHandle process, std::uint32_t timeout_ms) {
  return ::WaitForSingleObject(ToHandle(process), timeout_ms);
}

bool Win32Processes::CloseHandle(platform::ProcessHandle process) {
  return process != 0 && ::CloseHandle(ToHandle(process)) != 0;
}

void Win32Processes::ExitProcess(std::uint32_t exit_code) { ::ExitProcess(exit_code); }

}  // namespace ks::win32
