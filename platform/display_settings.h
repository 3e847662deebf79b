// Display modes of the current display device (user32 EnumDisplaySettingsA).
#pragma once

#include <cstdint>

namespace ks::platform {

// The DEVMODEA fields the suite reads.
struct DisplayMode {
  std::uint32_t width = 0;           // dmPelsWidth
  std::uint32_t height = 0;          // dmPelsHeight
  std::uint32_t bits_per_pixel = 0;  // dmBitsPerPel
  std::uint32_t frequency = 0;       // dmDisplayFrequency, Hz
};

class DisplaySettings {
 public:
  virtual ~DisplaySettings() = default;
  // EnumDisplaySettingsA(NULL, mode_number, record): mode numbers count from
  // 0. False (and *out untouched) past the last mode.
  virtual bool EnumDisplaySettings(std::uint32_t mode_number, DisplayMode* out) = 0;
};

}  // namespace ks::platform
