#include "platform/fake/display.h"

namespace ks::fake {

namespace {
std::string Cut(const std::string& text, size_t field_size) {
  std::string t = text.substr(0, text.find('\0'));
  if (t.size() > field_size - 1) t.resize(field_size - 1);
  return t;
}
}  // namespace

bool FakeDisplay::EnumDisplayDevices(std::uint32_t index, platform::DisplayDevice* out) {
  ++enum_calls;
  if (!has_enum_display_devices || index >= devices.size()) return false;
  const platform::DisplayDevice& d = devices[index];
  out->device_name = Cut(d.device_name, 32);
  out->device_string = Cut(d.device_string, 128);
  out->state_flags = d.state_flags;
  out->device_id = Cut(d.device_id, 128);
  out->device_key = Cut(d.device_key, 128);
  return true;
}

}  // namespace ks::fake
