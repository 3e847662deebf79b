// The notification area over shell32.
#pragma once

#include "platform/notify_area.h"

namespace ks::win32 {

class Win32NotifyArea : public platform::NotifyArea {
 public:
  bool ShellNotifyIcon(platform::NotifyMessage message, const platform::NotifyIconData& data) override;
  platform::IconHandle LoadProgramIcon(int resource) override;
};

}  // namespace ks::win32
