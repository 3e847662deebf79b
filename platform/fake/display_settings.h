// The fake machine's display modes, by mode number.
#pragma once

#include <vector>

#include "platform/display_settings.h"

namespace ks::fake {

class FakeDisplaySettings : public platform::DisplaySettings {
 public:
  bool EnumDisplaySettings(std::uint32_t mode_number, platform::DisplayMode* out) override;

  // --- set-up for tests: mode i is modes[i] ---
  std::vector<platform::DisplayMode> modes;
  int calls = 0;
};

}  // namespace ks::fake
