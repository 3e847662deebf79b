#include "platform/win32/display.h"

#include <cstring>

#include "platform/win32/win.h"

namespace ks::win32 {

namespace {
template <size_t N>
std::string Field(const CHAR (&text)[N]) {
  return std::string(text, strnlen(text, N));
}
}  // namespace

bool Win32Display::EnumDisplayDevices(std::uint32_t index, platform::DisplayDevice* out) {
  // Not every user32 exports it (NT 4, 95), so it is looked up by name.
  using Fn = BOOL(WINAPI*)(LPCSTR, DWORD, DISPLAY_DEVICEA*, DWORD);
  HMODULE user = GetModuleHandleA("user32.dll");
  if (user == nullptr) return false;
  auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(user, "EnumDisplayDevicesA")));
  if (fn == nullptr) return false;
  DISPLAY_DEVICEA device = {};
  device.cb = sizeof(device);
  if (!fn(nullptr, index, &device, 0)) return false;
  out->device_name = Field(device.DeviceName);
  out->device_string = Field(device.DeviceString);
  out->state_flags = device.StateFlags;
  out->device_id = Field(device.DeviceID);
  out->device_key = Field(device.DeviceKey);
  return true;
}

}  // namespace ks::win32
