#include "platform/win32/sysinfo.h"

#include "platform/win32/win.h"

#include <cstring>

namespace ks::win32 {

bool Win32SystemInfo::GetVersionEx(platform::OsVersion* out) {
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExA(&info)) return false;
#pragma GCC diagnostic pop
  out->major = info.dwMajorVersion;
  out->minor = info.dwMinorVersion;
  out->build = info.dwBuildNumber;
  out->platform_id = info.dwPlatformId;
  out->csd_version.assign(info.szCSDVersion, strnlen(info.szCSDVersion, sizeof(info.szCSDVersion)));
  return true;
}

void Win32SystemInfo::GetSystemInfo(platform::SystemInfoRecord* out) {
  SYSTEM_INFO info = {};
  ::GetSystemInfo(&info);
  out->processor_architecture = info.wProcessorArchitecture;
  out->page_size = info.dwPageSize;
  out->number_of_processors = info.dwNumberOfProcessors;
  out->processor_type = info.dwProcessorType;
  out->processor_level = info.wProcessorLevel;
  out->processor_revision = info.wProcessorRevision;
}

void Win32SystemInfo::GlobalMemoryStatus(platform::MemoryStatus* out) {
  MEMORYSTATUS status = {};
  status.dwLength = sizeof(status);
  ::GlobalMemoryStatus(&status);
  out->memory_load = status.dwMemoryLoad;
  out->total_phys = status.dwTotalPhys;
  out->avail_phys = status.dwAvailPhys;
  out->total_page_file = status.dwTotalPageFile;
  out->avail_page_file = status.dwAvailPageFile;
  out->total_virtual = status.dwTotalVirtual;
  out->avail_virtual = status.dwAvailVirtual;
}

bool Win32SystemInfo::GlobalMemoryStatusEx(platform::MemoryStatus* out) {
  using Fn = BOOL(WINAPI*)(MEMORYSTATUSEX*);
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  if (kernel == nullptr) return false;
  auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(kernel, "GlobalMemoryStatusEx")));
  if (fn == nullptr) return false;
  MEMORYSTATUSEX status = {};
  status.dwLength = sizeof(status);
  if (!fn(&status)) return false;
  out->memory_load = status.dwMemoryLoad;
  out->total_phys = status.ullTotalPhys;
  out->avail_phys = status.ullAvailPhys;
  out->total_page_file = status.ullTotalPageFile;
  out->avail_page_file = status.ullAvailPageFile;
  out->total_virtual = status.ullTotalVirtual;
  out->avail_virtual = status.ullAvailVirtual;
  return true;
}

namespace {

// Asked with a buffer too small, GetSystemDirectoryA and
// GetWindowsDirectoryA return the size they need (NUL included); the path
// can be longer than MAX_PATH. A trailing separator is dropped but for a
// drive's root.
std::string FolderByCall(UINT (WINAPI* call)(LPSTR, UINT)) {
  std::string buffer(MAX_PATH, '\0');
  for (int attempt = 0; attempt < 3; ++attempt) {
    UINT n = call(buffer.data(), static_cast<UINT>(buffer.size()));
    if (n == 0) return std::string();
    if (n < buffer.size()) {
      buffer.resize(n);
      while (buffer.size() > 3 && buffer.back() == '\\') buffer.pop_back();
      return buffer;
    }
    buffer.assign(n, '\0');
  }
  return std::string();
}

}  // namespace

std::string Win32SystemInfo::GetSystemDirectory() { return FolderByCall(GetSystemDirectoryA); }

std::string Win32SystemInfo::GetWindowsDirectory() { return FolderByCall(GetWindowsDirectoryA); }

std::string Win32SystemInfo::GetEnvironmentVariable(const std::string& name) {
  // Asked with a buffer too small, the call returns the size it needs.
  std::string buffer(MAX_PATH, '\0');
  for (int attempt = 0; attempt < 3; ++attempt) {
    DWORD n = GetEnvironmentVariableA(name.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return std::string();
    if (n < buffer.size()) {
      buffer.resize(n);
      return buffer;
    }
    buffer.assign(n, '\0');
  }
  return std::string();
}

platform::LocalTime Win32SystemInfo::GetLocalTime() {
  SYSTEMTIME st{};
  ::GetLocalTime(&st);
  return {st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

}  // namespace ks::win32
