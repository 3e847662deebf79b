// Twips and the screen's pixels: a layout at 120 or 144 pixels per inch is
// its 96-pixel layout scaled by 1.25 or 1.5, and the toolkit's twips a pixel.
#include <gtest/gtest.h>

#include "platform/fake/machine.h"
#include "ui/twips.h"
#include "ui/ui.h"

namespace ks {
namespace {

TEST(TwipsScale, ConvertsAtTheScreensPixelsPerInch) {
  struct Case {
    const char* name;
    int ppi;
    int twips_per_pixel;
    int twips;
    int px;          // Px(twips)
    int back_twips;  // Twips(px)
  };
  const Case cases[] = {
      {"96: the main window's width", 96, 15, 8175, 545, 8175},
      {"120: the main window's width", 120, 12, 8175, 681, 8172},
      {"144: the main window's width", 144, 10, 8175, 818, 8180},
      {"96: a page's left edge", 96, 15, 120, 8, 120},
      {"120: a page's left edge", 120, 12, 120, 10, 120},
      {"144: a page's left edge", 144, 10, 120, 12, 120},
      {"96: half a pixel rounds up", 96, 15, 8, 1, 15},
      {"120: half a pixel rounds up", 120, 12, 6, 1, 12},
      {"144: below half a pixel rounds down", 144, 10, 4, 0, 0},
      {"120: a position left of the origin", 120, 12, -18, -2, -24},
      {"no pixels per inch known: 96", 0, 15, 8175, 545, 8175},
  };
  for (const Case& c : cases) {
    const ui::TwipsScale scale(c.ppi);
    EXPECT_EQ(scale.TwipsPerPixel(), c.twips_per_pixel) << c.name;
    EXPECT_EQ(scale.Px(c.twips), c.px) << c.name;
    EXPECT_EQ(scale.Twips(c.px), c.back_twips) << c.name;
  }
}

TEST(TwipsScale, EveryLayoutAt120IsItsLayoutAt96ScaledByAQuarter) {
  const ui::TwipsScale at96(96), at120(120);
  // Every position of a layout drawn on whole pixels at 96.
  for (int twips = -1500; twips <= 30000; twips += 15)
    ASSERT_EQ(at120.Px(twips), (at96.Px(twips) * 5 + (at96.Px(twips) >= 0 ? 2 : -2)) / 4) << twips;
}

TEST(TwipsScale, PicturesKeepTheirPixels) {
  // The loader gives a picture's size in HIMETRIC from its pixels at the
  // screen's pixels per inch; the same screen gives the pixels back.
  for (int ppi : {96, 120, 144})
    for (int px : {1, 16, 100, 256, 665, 1023}) {
      const long himetric = (static_cast<long>(px) * 2540 + ppi / 2) / ppi;
      EXPECT_EQ(ui::TwipsScale(ppi).PxFromHimetric(static_cast<int>(himetric)), px) << ppi << " " << px;
    }
}

// A backend that knows only its screen.
struct ScreenOnly : ui::Backend {
  explicit ScreenOnly(int ppi) : ppi(ppi) {}
  std::int64_t NowMs() override { return 0; }
  void Pump(bool, std::int64_t) override {}
  void FormChanged(ui::Form&) override {}
  void ControlChanged(ui::Control&) override {}
  void FormGone(ui::Form&) override {}
  int PixelsPerInch() override { return ppi; }
  int ppi;
};

TEST(TwipsScale, TheAppHasItsBackendsScreen) {
  fake::FakeMachine m;
  ui::App app{m.msg, m.fs};
  EXPECT_EQ(app.Screen().PixelsPerInch(), 96) << "headless";
  ScreenOnly screen(120);
  app.SetBackend(&screen);
  EXPECT_EQ(app.Screen().TwipsPerPixel(), 12);
  app.SetBackend(nullptr);
  EXPECT_EQ(app.Screen().TwipsPerPixel(), 15);
}

}  // namespace
}  // namespace ks
