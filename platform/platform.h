// The services one program gets from its machine. A program holds one
// Platform for its whole life; tests hand it a fake machine.
#pragma once

#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/registry.h"

namespace ks::platform {

class Platform {
 public:
  virtual ~Platform() = default;
  virtual Registry& registry() = 0;
  virtual Files& files() = 0;
  virtual Dialogs& dialogs() = 0;
};

}  // namespace ks::platform
