// Process-wide state of pvx, the driver cleaner: the platform, the registry
// module, the event loop and the language table. One object per process
// (and per test).
#pragma once

#include <string>

#include "cleaner/satellite_language.h"
#include "common/basRegistry.h"
#include "platform/platform.h"
#include "ui/app.h"

namespace ks::pvx {

// The main window's design caption, and the start of its caption once a
// profile is chosen.
inline constexpr const char* kPvxCaption = "PVX - Driver cleaner utility";
// The program's title: the caption of its plain message boxes.
inline constexpr const char* kPvxTitle = "PVX - driver cleaner utility";

struct PvxState {
  explicit PvxState(platform::Platform& p)
      : platform(p), reg(p.registry()), app(p.dialogs(), p.files()), language(reg, p.files(), app, "_pv.dat", 2) {
    app.Title = kPvxTitle;
  }
  PvxState(const PvxState&) = delete;
  PvxState& operator=(const PvxState&) = delete;

  platform::Platform& platform;
  BasRegistry reg;
  ui::App app;
  SatelliteLanguage language;

  // The chosen profile's file name (the dialog entry and ".pvx"); empty
  // until one is chosen.
  std::string ProfileName;

  const std::string& Lang(int slot) const { return language.Lang(slot); }
  // The program folder followed by a relative part such as "\data\cleaner\".
  std::string DataPath(const std::string& rest) { return platform.files().ProgramFolder() + rest; }
};

}  // namespace ks::pvx
