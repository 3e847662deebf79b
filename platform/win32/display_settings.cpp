#include "platform/win32/display_settings.h"

#include <algorithm>
#include <cstddef>

#include "platform/win32/handle.h"
#include "platform/win32/win.h"

namespace ks::win32 {

namespace {

static_assert(offsetof(DEVMODEA, dmDisplayFrequency) + sizeof(DWORD) == platform::kDisplayModeSize,
              "the record ends with dmDisplayFrequency");

// The record as a DEVMODEA; its dmSize is the record's own, so a record
// without one reaches Windows as it is.
DEVMODEA ToDevMode(const platform::DisplayMode& mode) {
  DEVMODEA dm = {};
  dm.dmSize = static_cast<WORD>(std::min<std::size_t>(mode.size, sizeof(DEVMODEA)));
  dm.dmFields = mode.fields;
  dm.dmBitsPerPel = mode.bits_per_pixel;
  dm.dmPelsWidth = mode.width;
  dm.dmPelsHeight = mode.height;
  dm.dmDisplayFrequency = mode.frequency;
  return dm;
}

void FromDevMode(const DEVMODEA& dm, platform::DisplayMode* mode) {
  mode->fields = dm.dmFields;
  mode->bits_per_pixel = dm.dmBitsPerPel;
  mode->width = dm.dmPelsWidth;
  mode->height = dm.dmPelsHeight;
  mode->frequency = dm.dmDisplayFrequency;
}

}  // namespace

bool Win32DisplaySettings::EnumDisplaySettings(std::uint32_t mode_number, platform::DisplayMode* out) {
  DEVMODEA dm = ToDevMode(*out);
  if (!EnumDisplaySettingsA(nullptr, mode_number, &dm)) return false;
  FromDevMode(dm, out);
  return true;
}

std::int32_t Win32DisplaySettings::ChangeDisplaySettings(platform::DisplayMode* mode, std::uint32_t flags) {
  DEVMODEA dm = ToDevMode(*mode);
  const LONG result = ChangeDisplaySettingsA(&dm, flags);
  FromDevMode(dm, mode);
  return result;
}

bool Win32DisplaySettings::EnableShutdownPrivilege() {
  HANDLE raw = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &raw)) return false;
  ScopedKernelHandle token(raw);
  TOKEN_PRIVILEGES privileges = {};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (!LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid)) return false;
  // AdjustTokenPrivileges succeeds also when it could not grant the
  // privilege; only the last error tells.
  SetLastError(ERROR_SUCCESS);
  if (!AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr)) return false;
  return GetLastError() == ERROR_SUCCESS;
}

bool Win32DisplaySettings::ExitWindowsEx(std::uint32_t flags) { return ::ExitWindowsEx(flags, 0) != 0; }

}  // namespace ks::win32
