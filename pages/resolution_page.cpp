// Page 10: the screen mode from the list of modes Windows reported at
// start-up (stored as the default, maybe with a restart), or a quick pick
// of a screen size (not stored). The page writes no driver values and acts
// whatever IsStart says.
#include <array>
#include <cstdint>

#include "common/numbers.h"
#include "platform/display_settings.h"
#include "shell/Form1.h"

namespace ks {

namespace {

struct QuickPick {
  float width, height;
};
// Combo14's entries, in list order.
constexpr std::array<QuickPick, 6> kQuickPicks = {{
    {640, 480}, {800, 600}, {1024, 768}, {1152, 864}, {1280, 1024}, {1600, 1200}}};

constexpr const char* kRestartRefused =
    "Windows could not be restarted. Please restart it yourself to use the new display mode.";

}  // namespace

void Form1::WireResolutionPage() {
  List2.OnClick = [this] { List2_Click(); };
  Command4.OnClick = [this] { Command4_Click(); };
  Combo14.OnChange = [this] { Combo14_Change(); };
  // A pick from the drop-down list selects the entry without a Change of
  // the text; it is the same quick pick.
  Combo14.OnClick = [this] { Combo14_Change(); };
}

void Form1::List2_Click() { Command4.SetEnabled(true); }

void Form1::Command4_Click() {
  // List2 entry j shows mode record j + 1; with no entry selected there is
  // no mode to set (record 0 is never applied through the list).
  const int selected = List2.ListIndex();
  if (selected < 0) return;
  const auto k = static_cast<std::size_t>(selected) + 1;
  if (k >= DisplayModes.size()) return;

  platform::DisplayMode& mode = DisplayModes[k];
  mode.fields = platform::kDmBitsPerPel | platform::kDmPelsWidth | platform::kDmPelsHeight;
  const std::int32_t result =
      st_.platform.display_settings().ChangeDisplaySettings(&mode, platform::kCdsUpdateRegistry);
  if (result == platform::kDispChangeSuccessful) return;
  if (result == platform::kDispChangeRestart) {
    if (st_.app.MsgBox(st_.Lang(241), platform::kMbOkCancel) == platform::kIdOk) RestartWindows();
    return;
  }
  st_.app.MsgBox(st_.Lang(242), platform::kMbOk);
}

void Form1::RestartWindows() {
  auto& display = st_.platform.display_settings();
  // The NT family restarts only for a process that holds the shutdown
  // privilege; Windows 9x/Me has no privileges.
  if (st_.OsClass >= 1) display.EnableShutdownPrivilege();
  if (!display.ExitWindowsEx(platform::kEwxReboot)) st_.app.MsgBox(kRestartRefused, platform::kMbOk);
}

void Form1::Combo14_Change() {
  const int index = Combo14.ListIndex();
  if (index < 0 || index >= static_cast<int>(kQuickPicks.size())) return;
  const QuickPick& pick = kQuickPicks[static_cast<std::size_t>(index)];
  SetScreenResolution(pick.width, pick.height);
}

void Form1::SetScreenResolution(const float& width, const float& height) {
  // A fresh record (zero apart from its size); the enumeration leaves the
  // last mode Windows reported in it, whose depth and frequency stay.
  platform::DisplayMode mode;
  auto& display = st_.platform.display_settings();
  for (std::uint32_t n = 0; display.EnumDisplaySettings(n, &mode); ++n) {
  }
  mode.fields = platform::kDmPelsWidth | platform::kDmPelsHeight;
  mode.width = static_cast<std::uint32_t>(ToInt32(width).value_or(0));
  mode.height = static_cast<std::uint32_t>(ToInt32(height).value_or(0));
  // Not stored as the default; a size the system refuses is ignored.
  display.ChangeDisplaySettings(&mode, 0);
}

}  // namespace ks
