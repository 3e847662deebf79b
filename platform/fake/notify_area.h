// The fake machine's notification area: the icons that are shown, by
// window and number, and the icon resources of the running program.
#pragma once

#include <map>
#include <set>
#include <utility>
#include <vector>

#include "platform/notify_area.h"

namespace ks::fake {

class FakeNotifyArea : public platform::NotifyArea {
 public:
  bool ShellNotifyIcon(platform::NotifyMessage message, const platform::NotifyIconData& data) override;
  platform::IconHandle LoadProgramIcon(int resource) override;

  // --- set-up and inspection for tests ---
  // The icon resources the running program carries.
  std::set<int> icon_resources{1};
  // False: the taskbar is not there and every call fails.
  bool available = true;
  // The icons shown now, by (window, id).
  std::map<std::pair<platform::WindowHandle, std::uint32_t>, platform::NotifyIconData> icons;
  // Every call, in order.
  std::vector<std::pair<platform::NotifyMessage, platform::NotifyIconData>> calls;
};

}  // namespace ks::fake
