// Process-wide state of relayo, the online updater: what lives from start
// to exit. One object per process (and per test); the window gets it by
// reference.
#pragma once

#include <string>

#include "cleaner/satellite_language.h"
#include "common/basRegistry.h"
#include "platform/platform.h"
#include "ui/app.h"

namespace ks::relayo {

struct RelayoState {
  explicit RelayoState(platform::Platform& p)
      : platform(p), reg(p.registry()), app(p.dialogs(), p.files()), language(reg, p.files(), app, "_rl.dat", 2) {
    app.Title = "relayo";
  }
  RelayoState(const RelayoState&) = delete;
  RelayoState& operator=(const RelayoState&) = delete;

  platform::Platform& platform;
  BasRegistry reg;
  ui::App app;
  SatelliteLanguage language;  // slots 2.. from "_rl.dat"

  const std::string& Lang(int slot) const { return language.Lang(slot); }
  // The folder of relayo's own executable, without a trailing separator.
  std::string ProgramFolder() { return platform.files().ProgramFolder(); }
};

}  // namespace ks::relayo
