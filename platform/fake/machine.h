// A whole fake machine for tests: every platform service, in memory.
// Later services are added as members beside these.
#pragma once

#include "platform/fake/dialogs.h"
#include "platform/fake/files.h"
#include "platform/fake/registry.h"
#include "platform/platform.h"

namespace ks::fake {

class FakeMachine : public platform::Platform {
 public:
  platform::Registry& registry() override { return reg; }
  platform::Files& files() override { return fs; }
  platform::Dialogs& dialogs() override { return msg; }

  FakeRegistry reg;
  FakeFiles fs;
  FakeDialogs msg;
};

}  // namespace ks::fake
