#include "platform/fake/display_settings.h"

namespace ks::fake {

bool FakeDisplaySettings::EnumDisplaySettings(std::uint32_t mode_number, platform::DisplayMode* out) {
  ++calls;
  if (mode_number >= modes.size()) return false;
  *out = modes[mode_number];
  return true;
}

}  // namespace ks::fake
