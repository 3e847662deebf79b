// The fake machine's display devices, in enumeration order.
#pragma once

#include <vector>

#include "platform/display.h"

namespace ks::fake {

class FakeDisplay : public platform::Display {
 public:
  // Texts longer than the record's fields are cut as the system cuts them.
  bool EnumDisplayDevices(std::uint32_t index, platform::DisplayDevice* out) override;

  // --- set-up for tests ---
  std::vector<platform::DisplayDevice> devices;
  // false: user32 has no EnumDisplayDevicesA (Windows NT 4, 95).
  bool has_enum_display_devices = true;
  int enum_calls = 0;
};

}  // namespace ks::fake
