// Process-wide state of travo, the tray launcher: what lives from start to
// exit. One object per process (and per test); the forms get it by reference.
#pragma once

#include <string>

#include "cleaner/satellite_language.h"
#include "common/autostart.h"
#include "common/basRegistry.h"
#include "platform/platform.h"
#include "ui/app.h"

namespace ks::travo {

struct TravoState {
  explicit TravoState(platform::Platform& p)
      : platform(p), reg(p.registry()), app(p.dialogs(), p.files()),
        language(reg, p.files(), app, "_travo.dat", 0) {
    app.Title = "travo";
  }
  TravoState(const TravoState&) = delete;
  TravoState& operator=(const TravoState&) = delete;

  platform::Platform& platform;
  BasRegistry reg;
  ui::App app;
  SatelliteLanguage language;  // slots 0..64, travo's file fills from slot 0

  const std::string& Lang(int slot) const { return language.Lang(slot); }
  // The folder of travo's own executable, without a trailing separator.
  std::string ProgramFolder() { return platform.files().ProgramFolder(); }
};

}  // namespace ks::travo
