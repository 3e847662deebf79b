#include "platform/win32/processes.h"

#include <vector>

#include "platform/win32/handle.h"

#include <tlhelp32.h>

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

platform::ProcessHandle Win32Processes::CreateToolhelp32Snapshot(std::uint32_t flags, std::uint32_t process_id) {
  HANDLE h = ::CreateToolhelp32Snapshot(flags, process_id);
  if (h == INVALID_HANDLE_VALUE) return 0;
  return static_cast<platform::ProcessHandle>(reinterpret_cast<uintptr_t>(h));
}

namespace {

// PROCESSENTRY32 (ANSI) of a 32-bit program is 296 bytes; ours is larger on
// x64 (the heap id is pointer-sized), so the caller's 296 maps to our size.
bool Walk(platform::ProcessHandle snapshot, platform::ProcessEntry* entry, bool first) {
  if (snapshot == 0 || entry == nullptr || entry->size != 296) return false;
  PROCESSENTRY32 record{};
  record.dwSize = sizeof(record);
  const BOOL ok = first ? ::Process32First(ToHandle(snapshot), &record) : ::Process32Next(ToHandle(snapshot), &record);
  if (!ok) return false;
  entry->usage = record.cntUsage;
  entry->process_id = record.th32ProcessID;
  entry->default_heap_id = static_cast<std::uint64_t>(record.th32DefaultHeapID);
  entry->module_id = record.th32ModuleID;
  entry->threads = record.cntThreads;
  entry->parent_process_id = record.th32ParentProcessID;
  entry->pri_class_base = record.pcPriClassBase;
  entry->flags = record.dwFlags;
  record.szExeFile[sizeof(record.szExeFile) - 1] = '\0';
  entry->exe_file = record.szExeFile;
  return true;
}

}  // namespace

bool Win32Processes::Process32First(platform::ProcessHandle snapshot, platform::ProcessEntry* entry) {
  return Walk(snapshot, entry, true);
}

bool Win32Processes::Process32Next(platform::ProcessHandle snapshot, platform::ProcessEntry* entry) {
  return Walk(snapshot, entry, false);
}

void Win32Processes::ExitProcess(std::uint32_t exit_code) { ::ExitProcess(exit_code); }

}  // namespace ks::win32
