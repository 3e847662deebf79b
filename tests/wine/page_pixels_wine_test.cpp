// What a user sees of pages 12 and 15 and of the CPU bars, read from a
// capture of the whole screen: a control that another one covers is not
// seen there, whatever its window holds.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>

#include "platform/win32/win.h"
#include "shell/Form1.h"
#include "ui/win32/renderer.h"
#include "wine/test_folders.h"
#include "wine/wine_machine.h"
#include "wine/x_capture.h"

namespace ks::test {
namespace {

class WinePagePixels : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* build = std::getenv("KS_BUILD_DIR");
    const char* source = std::getenv("KS_SOURCE_DIR");
    if (!build || !source) GTEST_SKIP() << "KS_BUILD_DIR / KS_SOURCE_DIR not set";
    unix_build_ = build;
    unix_source_ = source;
    main_.Show();
    // The monitoring would set the CPU bars by the machine's load.
    main_.Timer3.SetEnabled(false);
    Pump(300);
  }
  void TearDown() override { main_.Unload(); }
  void Pump(int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
      s_.app.DoEvents();
      Sleep(10);
    }
  }
  void ShowPage(int page) {
    main_.ActivePage = page;
    main_.ShowPage();
    Pump(300);
  }
  // The control's place on the screen, inside its border.
  RECT ScreenRect(const ui::Control& control) {
    RECT r{};
    HWND hwnd = renderer_.WindowOf(control);
    EXPECT_NE(hwnd, nullptr) << control.FullName();
    GetWindowRect(hwnd, &r);
    return r;
  }
  Picture Screen() {
    HWND top = renderer_.WindowOf(main_);
    SetForegroundWindow(top);
    RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASE);
    Pump(300);
    Picture shot;
    std::string why;
    EXPECT_TRUE(CaptureScreen(unix_source_, unix_build_, &shot, &why)) << why;
    return shot;
  }
  // The share of the pixels of `r` on the screen for which `wanted` holds.
  static double Share(const Picture& shot, const RECT& r, const std::function<bool(std::uint32_t)>& wanted) {
    size_t all = 0, hits = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) {
        if (x < 0 || y < 0 || x >= shot.width || y >= shot.height) continue;
        ++all;
        hits += wanted(shot.pixels[static_cast<size_t>(y) * static_cast<size_t>(shot.width) + static_cast<size_t>(x)]);
      }
    return all ? static_cast<double>(hits) / static_cast<double>(all) : 0.0;
  }

  WineMachine machine_;
  SeState s_{machine_};
  ui::win32::Renderer renderer_{s_.app};
  Form1 main_{s_};
  std::string unix_build_, unix_source_;
};

// Regression: the priority bar lay under its frame and was never seen.
TEST_F(WinePagePixels, TheProcessPriorityBarStandsAboveItsFrame) {
  ShowPage(15);
  main_.Label22.SetWidth(1288);  // a base priority of 8
  Pump(200);
  const RECT bar = ScreenRect(main_.Label22);
  ASSERT_GT(bar.right - bar.left, 20);
  const Picture shot = Screen();
  ASSERT_GT(shot.width, 0);
  EXPECT_GT(Share(shot, bar, [](std::uint32_t px) { return px == 0x00C000; }), 0.9) << "the bar is green on the screen";
}

// Regression: the CPU bars lay under their black backgrounds.
TEST_F(WinePagePixels, TheCpuBarsStandAboveTheirBackgrounds) {
  ShowPage(4);
  main_.Label14[1].SetWidth(600);
  main_.Label14[3].SetVisible(true);
  main_.Label14[2].SetVisible(true);
  main_.Label14[3].SetWidth(300);
  Pump(200);
  const Picture shot = Screen();
  ASSERT_GT(shot.width, 0);
  for (int i : {1, 3}) {
    SCOPED_TRACE(i);
    const RECT bar = ScreenRect(main_.Label14[i]);
    ASSERT_GT(bar.right - bar.left, 10);
    EXPECT_GT(Share(shot, bar, [](std::uint32_t px) { return px == 0x008000; }), 0.9) << "the bar is green";
    RECT rest = ScreenRect(main_.Label14[i - 1]);
    rest.left = bar.right + 1;
    EXPECT_GT(Share(shot, rest, [](std::uint32_t px) { return px == 0x000000; }), 0.9) << "the rest is black";
  }
}

// Regression: with help on (the default) the help picture covered the
// right end of the pixel shader slider, its thumb and its right arrow.
TEST_F(WinePagePixels, TheHelpPictureLeavesThePixelShaderSliderWhole) {
  const std::string picture = FolderFromEnv("KS_SOURCE_DIR") + "\\data\\hs\\pic\\ps.jpg";
  ASSERT_TRUE(main_.Image4.LoadPicture(picture)) << picture;
  s_.HelpSystemOn = 1;
  main_.UpdateHelpIndicator();
  ShowPage(12);
  main_.FlatScrollBar6[0].SetMax(6);
  main_.FlatScrollBar6[0].SetValue(6);  // the thumb at the right end
  Pump(200);
  ASSERT_TRUE(renderer_.HasPicture(main_.Image4));
  const RECT slider = ScreenRect(main_.FlatScrollBar6[0]);
  const RECT help = ScreenRect(main_.Image4);
  ASSERT_GT(slider.right - slider.left, 100);
  const Picture shot = Screen();
  ASSERT_GT(shot.width, 0);
  // A scroll bar is drawn in greys (the theme's shades, its arrows
  // smoothed); the help picture is a coloured scene.
  auto grey = [](std::uint32_t px) {
    const int r = static_cast<int>(px >> 16 & 0xFF), g = static_cast<int>(px >> 8 & 0xFF), b = static_cast<int>(px & 0xFF);
    return std::max({r, g, b}) - std::min({r, g, b}) <= 8;
  };
  EXPECT_GT(Share(shot, help, [&](std::uint32_t px) { return !grey(px); }), 0.5) << "the help picture shows";
  EXPECT_GT(Share(shot, slider, grey), 0.99) << "the slider is drawn whole";
  RECT arrow = slider;
  arrow.left = slider.right - (slider.bottom - slider.top);
  EXPECT_GT(Share(shot, arrow, [](std::uint32_t px) { return (px & 0xFF) < 0x60; }), 0.0) << "the right arrow shows";
}

}  // namespace
}  // namespace ks::test
