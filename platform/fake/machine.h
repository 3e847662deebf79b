// A whole fake machine for tests: every service of platform::Platform, in
// memory, as members beside one another. Direct3D 8 (platform/fake/d3d8.h)
// and the image decoder (platform/fake/images.h) are not part of it: a test
// that needs them makes them beside the machine, as the programs get them
// apart from their Platform.
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
