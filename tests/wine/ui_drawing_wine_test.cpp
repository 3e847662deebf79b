// What code draws into a picture box is painted by GDI over its background
// colour, at 15 twips a pixel from the box's outer corner, and goes with Cls.
#include <gtest/gtest.h>

#include <chrono>

#include "forms/all_controls_form.h"
#include "platform/win32/machine.h"
#include "ui/win32/renderer.h"
#include "ui/win32/screenshot.h"

namespace ks {
namespace {

void PumpFor(ui::App& app, int ms) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < end) {
    app.DoEvents();
    Sleep(10);
  }
}

// Pixels of a captured column that are pure red (the capture is bottom-up BGR).
int RedInColumn(const ui::win32::WindowPicture& shot, int x) {
  int red = 0;
  for (int y = 0; y < shot.height; ++y) {
    const unsigned char* px =
        reinterpret_cast<const unsigned char*>(shot.pixels.data()) + y * shot.stride + x * 3;
    if (px[2] > 200 && px[1] < 60 && px[0] < 60) ++red;
  }
  return red;
}

TEST(PictureBoxDrawingWine, LinesArePaintedAndClsRemovesThem) {
  win32::Win32Machine machine;
  ui::App app(machine.msg, machine.fs);
  ui::win32::Renderer renderer(app);
  test::AllControlsForm form(app);
  form.Move(600, 600, 4800, 3600);
  form.Picture1.Move(300, 300, 1500, 1200);  // 100 x 80 pixels
  form.Picture1.SetBackColor(0xFFFFFF);
  form.Show();
  form.Picture1.SetDrawWidth(2);
  form.Picture1.DrawLine(600, 150, 600, 1050, 0x0000FF);  // x = 40 px
  PumpFor(app, 300);
  HWND hwnd = renderer.WindowOf(form.Picture1);
  ASSERT_NE(hwnd, nullptr);
  SetForegroundWindow(renderer.WindowOf(form));
  PumpFor(app, 100);
  ui::win32::WindowPicture shot;
  ASSERT_TRUE(ui::win32::CaptureWindow(hwnd, &shot));
  ASSERT_EQ(shot.width, 100);
  EXPECT_GE(RedInColumn(shot, 40) + RedInColumn(shot, 41), 55) << "the line from y 10 to 70 px";
  EXPECT_EQ(RedInColumn(shot, 20), 0);

  form.Picture1.Cls();
  PumpFor(app, 200);
  ASSERT_TRUE(ui::win32::CaptureWindow(hwnd, &shot));
  EXPECT_EQ(RedInColumn(shot, 40) + RedInColumn(shot, 41), 0) << "Cls removes the drawing";
  form.Unload();
}

}  // namespace
}  // namespace ks
