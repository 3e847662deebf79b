// The real machine: every platform service over the Windows API.
#pragma once

#include "platform/platform.h"
#include "platform/win32/dialogs.h"
#include "platform/win32/files.h"
#include "platform/win32/registry.h"

namespace ks::win32 {

class Win32Machine : public platform::Platform {
 public:
  platform::Registry& registry() override { return reg; }
  platform::Files& files() override { return fs; }
  platform::Dialogs& dialogs() override { return msg; }

  Win32Registry reg;
  Win32Files fs;
  Win32Dialogs msg;
};

}  // namespace ks::win32
