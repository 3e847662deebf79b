// Display modes over user32.
#pragma once

#include "platform/display_settings.h"

namespace ks::win32 {

class Win32DisplaySettings : public platform::DisplaySettings {
 public:
  bool EnumDisplaySettings(std::uint32_t mode_number, platform::DisplayMode* out) override;
};

}  // namespace ks::win32
