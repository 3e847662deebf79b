// The real machine with message boxes recorded instead of shown, so a test
// can check a warning without a window waiting for a click.
#pragma once

#include <string>
#include <vector>

#include "platform/win32/machine.h"

namespace ks::test {

class RecordingDialogs : public platform::Dialogs {
 public:
  int MessageBox(const std::string& text, unsigned style, const std::string& caption) override {
    shown.push_back(text + "|" + caption);
    return platform::kIdOk;
  }
  std::vector<std::string> shown;
};

class WineMachine : public platform::Platform {
 public:
  platform::Registry& registry() override { return real.reg; }
  platform::Files& files() override { return real.fs; }
  platform::Dialogs& dialogs() override { return msg; }
  platform::VersionInfo& version() override { return real.ver; }
  platform::SystemInfo& system() override { return real.sys; }
  platform::Display& display() override { return real.disp; }
  platform::DisplaySettings& display_settings() override { return real.modes; }
  platform::Processes& processes() override { return real.proc; }
  platform::ShellServices& shell() override { return real.sh; }
  platform::PerfCounters& perf() override { return real.pdh; }
  platform::NotifyArea& notify_area() override { return real.tray; }
  platform::Internet& internet() override { return real.net; }

  win32::Win32Machine real;
  RecordingDialogs msg;
};

}  // namespace ks::test
