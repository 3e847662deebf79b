// Display devices over user32.
#pragma once

#include "platform/display.h"

namespace ks::win32 {

class Win32Display : public platform::Display {
 public:
  bool EnumDisplayDevices(std::uint32_t index, platform::DisplayDevice* out) override;
};

}  // namespace ks::win32
