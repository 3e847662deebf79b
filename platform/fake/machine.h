// A whole fake machine for tests: every platform service, in memory.
// Later services are added as members beside these.
#pragma once

#include "platform/fake/dialogs.h"
#include "platform/fake/display.h"
#include "platform/fake/display_settings.h"
#include "platform/fake/files.h"
#include "platform/fake/perf_counters.h"
#include "platform/fake/internet.h"
#include "platform/fake/notify_area.h"
#include "platform/fake/processes.h"
#include "platform/fake/registry.h"
#include "platform/fake/shell_services.h"
#include "platform/fake/sysinfo.h"
#include "platform/fake/version.h"
#include "platform/platform.h"

namespace ks::fake {

class FakeMachine : public platform::Platform {
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

  FakeRegistry reg;
  FakeFiles fs;
  FakeDialogs msg;
  FakeDisplaySettings modes;
  FakeProcesses proc{fs};
  FakeShellServices sh{fs};
  FakeVersionInfo ver{fs};
  FakeSystemInfo sys;
  FakeDisplay disp;
  FakePerfCounters pdh;
  FakeNotifyArea tray;
  FakeInternet net{fs};
};

}  // namespace ks::fake
