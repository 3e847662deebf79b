// The services one program gets from its machine. A program holds one
// Platform for its whole life; tests hand it a fake machine.
#pragma once

#include "platform/dialogs.h"
#include "platform/display.h"
#include "platform/display_settings.h"
#include "platform/files.h"
#include "platform/internet.h"
#include "platform/notify_area.h"
#include "platform/perf_counters.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "platform/shell_services.h"
#include "platform/sysinfo.h"
#include "platform/version.h"

namespace ks::platform {

class Platform {
 public:
  virtual ~Platform() = default;
  virtual Registry& registry() = 0;
  virtual Files& files() = 0;
  virtual Dialogs& dialogs() = 0;
  virtual DisplaySettings& display_settings() = 0;
  virtual Processes& processes() = 0;
  virtual ShellServices& shell() = 0;
  virtual VersionInfo& version() = 0;
  virtual SystemInfo& system() = 0;
  virtual Display& display() = 0;
  virtual PerfCounters& perf() = 0;
  virtual NotifyArea& notify_area() = 0;
  virtual Internet& internet() = 0;
};

}  // namespace ks::platform
