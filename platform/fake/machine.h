// A whole fake machine for tests: every platform service, in memory.
// Later services are added as members beside these.
#pragma once

#include "platform/fake/dialogs.h"
#include "platform/fake/display.h"
#include "platform/fake/files.h"
#include "platform/fake/registry.h"
#include "platform/fake/sysinfo.h"
#include "platform/fake/version.h"
#include "platform/platform.h"

namespace ks::fake {

class FakeMachine : public platform::Platform {
 public:
  platform::Registry& registry() override { return reg; }
  platform::Files& files() override { return fs; }
  platform::Dialogs& dialogs() override { return msg; }
  platform::VersionInfo& version() override { return ver; }
  platform::SystemInfo& system() override { return sys; }
  platform::Display& display() override { return disp; }

  FakeRegistry reg;
  FakeFiles fs;
  FakeDialogs msg;
  FakeVersionInfo ver{fs};
  FakeSystemInfo sys;
  FakeDisplay disp;
};

}  // namespace ks::fake
