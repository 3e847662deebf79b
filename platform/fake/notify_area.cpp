#include "platform/fake/notify_area.h"

namespace ks::fake {

bool FakeNotifyArea::ShellNotifyIcon(platform::NotifyMessage message, const platform::NotifyIconData& data) {
  calls.emplace_back(message, data);
  if (!available || data.window == 0) return false;
  const auto key = std::make_pair(data.window, data.id);
  const bool shown = icons.count(key) != 0;
  switch (message) {
    case platform::NotifyMessage::kAdd:
      if (shown) return false;
      icons[key] = data;
      return true;
    case platform::NotifyMessage::kModify:
      if (!shown) return false;
      icons[key] = data;
      return true;
    case platform::NotifyMessage::kDelete:
      return icons.erase(key) != 0;
  }
  return false;
}

platform::IconHandle FakeNotifyArea::LoadProgramIcon(int resource) {
  return icon_resources.count(resource) != 0 ? 0x1C00 + static_cast<platform::IconHandle>(resource) : 0;
}

}  // namespace ks::fake
