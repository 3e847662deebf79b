// Display modes, mode changes and the restart over user32 and advapi32.
#pragma once

#include "platform/display_settings.h"

namespace ks::win32 {

class Win32DisplaySettings : public platform::DisplaySettings {
 public:
  bool EnumDisplaySettings(std::uint32_t mode_number, platform::DisplayMode* out) override;
  std::int32_t ChangeDisplaySettings(platform::DisplayMode* mode, std::uint32_t flags) override;
  bool EnableShutdownPrivilege() override;
  bool ExitWindowsEx(std::uint32_t flags) override;
};

}  // namespace ks::win32
