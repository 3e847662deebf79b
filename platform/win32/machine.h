// The real machine: every platform service over the Windows API.
#pragma once

#include "platform/platform.h"
#include "platform/win32/dialogs.h"
#include "platform/win32/display.h"
#include "platform/win32/display_settings.h"
#include "platform/win32/files.h"
#include "platform/win32/perf_counters.h"
#include "platform/win32/internet.h"
#include "platform/win32/notify_area.h"
#include "platform/win32/processes.h"
#include "platform/win32/registry.h"
#include "platform/win32/shell_services.h"
#include "platform/win32/sysinfo.h"
#include "platform/win32/version.h"

namespace ks::win32 {

class Win32Machine : public platform::Platform {
 public:
  platform::Registry& registry() override { return reg; }
  platform::Files& files() override { return fs; }
  platform::Dialogs& dialogs() override { return msg; }
  platform::DisplaySettings& display_settings() override { return modes; }
  platform::Processes& processes() override { return proc; }
  platform::ShellServices& shell() override { return sh; }
  platform::VersionInfo& version() override { return ver; }
  platform::SystemInfo& system() override { return sys; }
  platform::Display& display() override { return disp; }
  platform::PerfCounters& perf() override { return pdh; }
  platform::NotifyArea& notify_area() override { return tray; }
  platform::Internet& internet() override { return net; }

  Win32Registry reg;
  Win32Files fs;
  Win32Dialogs msg;
  Win32DisplaySettings modes;
  Win32Processes proc;
  Win32ShellServices sh;
  Win32VersionInfo ver;
  Win32SystemInfo sys;
  Win32Display disp;
  Win32PerfCounters pdh;
  Win32NotifyArea tray;
  Win32Internet net;
};

}  // namespace ks::win32
