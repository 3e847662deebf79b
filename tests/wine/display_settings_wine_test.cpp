// Mode changes over the real API, asked with CDS_TEST so that the screen
// never changes: a listed mode passes, a size no display has is refused.
#include <gtest/gtest.h>

#include "platform/win32/display_settings.h"
#include "platform/win32/win.h"

namespace ks::test {
namespace {

TEST(WineDisplaySettings, ModeCheckFollowsTheListedModes) {
  win32::Win32DisplaySettings display;
  platform::DisplayMode mode;
  ASSERT_TRUE(display.EnumDisplaySettings(0, &mode)) << "Wine's display lists modes";
  EXPECT_EQ(mode.size, platform::kDisplayModeSize) << "the record keeps its size";
  EXPECT_GT(mode.width, 0u);
  mode.fields = platform::kDmBitsPerPel | platform::kDmPelsWidth | platform::kDmPelsHeight;
  EXPECT_EQ(display.ChangeDisplaySettings(&mode, CDS_TEST), platform::kDispChangeSuccessful);
  EXPECT_EQ(mode.fields, platform::kDmBitsPerPel | platform::kDmPelsWidth | platform::kDmPelsHeight)
      << "the record comes back as it went";

  platform::DisplayMode odd;
  odd.fields = platform::kDmPelsWidth | platform::kDmPelsHeight;
  odd.width = 123;
  odd.height = 45;
  EXPECT_LT(display.ChangeDisplaySettings(&odd, CDS_TEST), 0);
}

}  // namespace
}  // namespace ks::test
