#include "platform/fake/display_settings.h"

namespace ks::fake {

namespace {

bool Matches(const platform::DisplayMode& want, const platform::DisplayMode& have) {
  if ((want.fields & platform::kDmPelsWidth) && want.width != have.width) return false;
  if ((want.fields & platform::kDmPelsHeight) && want.height != have.height) return false;
  if ((want.fields & platform::kDmBitsPerPel) && want.bits_per_pixel != have.bits_per_pixel) return false;
  if ((want.fields & platform::kDmDisplayFrequency) && want.frequency != have.frequency) return false;
  return true;
}

}  // namespace

bool FakeDisplaySettings::EnumDisplaySettings(std::uint32_t mode_number, platform::DisplayMode* out) {
  ++calls;
  if (out->size != platform::kDisplayModeSize) return false;
  if (mode_number >= modes.size()) return false;
  const std::uint16_t size = out->size;
  *out = modes[mode_number];
  out->size = size;
  return true;
}

std::int32_t FakeDisplaySettings::ChangeDisplaySettings(platform::DisplayMode* mode, std::uint32_t flags) {
  std::int32_t result = platform::kDispChangeBadMode;
  if (!scripted_results.empty()) {
    result = scripted_results.front();
    scripted_results.pop_front();
  } else if (mode->size != platform::kDisplayModeSize) {
    result = platform::kDispChangeBadParam;
  } else {
    for (const platform::DisplayMode& listed : modes) {
      if (!Matches(*mode, listed)) continue;
      screen = listed;
      result = platform::kDispChangeSuccessful;
      if (flags & platform::kCdsUpdateRegistry) {
        stored_default = listed;
        if (restart_to_store) result = platform::kDispChangeRestart;
      }
      break;
    }
  }
  changes.push_back(Change{*mode, flags, result});
  return result;
}

bool FakeDisplaySettings::EnableShutdownPrivilege() {
  if (privilege_refused) return false;
  has_privilege = true;
  return true;
}

bool FakeDisplaySettings::ExitWindowsEx(std::uint32_t flags) {
  restarts.push_back(flags);
  if (exit_fails) return false;
  return !needs_privilege || has_privilege;
}

}  // namespace ks::fake
