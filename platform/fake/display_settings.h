// The fake machine's display modes, by mode number, and its screen. A mode
// change is checked against the modes and recorded; a restart is recorded
// and never happens.
#pragma once

#include <deque>
#include <vector>

#include "platform/display_settings.h"

namespace ks::fake {

class FakeDisplaySettings : public platform::DisplaySettings {
 public:
  bool EnumDisplaySettings(std::uint32_t mode_number, platform::DisplayMode* out) override;
  // A record without its size is refused (bad parameter). A change asks for
  // the fields of the mask: one that no listed mode matches is refused (bad
  // mode); otherwise the screen takes it, and with kCdsUpdateRegistry it is
  // stored as the default too, which answers kDispChangeRestart while
  // restart_to_store is set.
  std::int32_t ChangeDisplaySettings(platform::DisplayMode* mode, std::uint32_t flags) override;
  // Refused while privilege_refused is set.
  bool EnableShutdownPrivilege() override;
  // Recorded in restarts. Fails while exit_fails is set, and on the NT
  // family (needs_privilege) without the shutdown privilege.
  bool ExitWindowsEx(std::uint32_t flags) override;

  // --- set-up for tests: mode i is modes[i] ---
  std::vector<platform::DisplayMode> modes;
  int calls = 0;  // EnumDisplaySettings calls
  bool restart_to_store = false;
  // Results that the next changes answer instead of the model's own.
  std::deque<std::int32_t> scripted_results;
  bool needs_privilege = true;
  bool privilege_refused = false;
  bool exit_fails = false;

  // --- what happened ---
  struct Change {
    platform::DisplayMode mode;  // the record as it was handed over
    std::uint32_t flags = 0;
    std::int32_t result = 0;
  };
  std::vector<Change> changes;
  platform::DisplayMode screen;          // the mode the screen shows now
  platform::DisplayMode stored_default;  // the mode stored as the default
  bool has_privilege = false;
  std::vector<std::uint32_t> restarts;   // ExitWindowsEx flags, in call order (failed ones too)
};

}  // namespace ks::fake
