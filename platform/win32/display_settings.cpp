#include "platform/win32/display_settings.h"

#include "platform/win32/win.h"

namespace ks::win32 {

bool Win32DisplaySettings::EnumDisplaySettings(std::uint32_t mode_number, platform::DisplayMode* out) {
  DEVMODEA mode = {};
  mode.dmSize = sizeof(mode);
  if (!EnumDisplaySettingsA(nullptr, mode_number, &mode)) return false;
  out->width = mode.dmPelsWidth;
  out->height = mode.dmPelsHeight;
  out->bits_per_pixel = mode.dmBitsPerPel;
  out->frequency = mode.dmDisplayFrequency;
  return true;
}

}  // namespace ks::win32
