// Real windows: where forms open, the frames they get, and pictures drawn
// at another size than their own.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>

#include "forms/all_controls_form.h"
#include "platform/win32/machine.h"
#include "shell/Form2.h"
#include "shell/se_state.h"
#include "ui/win32/picture.h"
#include "ui/win32/renderer.h"
#include "ui/win32/screenshot.h"
#include "wine/test_folders.h"
#include "wine/wine_machine.h"

namespace ks {
namespace {

void PumpFor(ui::App& app, int ms) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < end) {
    app.DoEvents();
    Sleep(10);
  }
}

RECT WorkArea() {
  RECT area{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

TEST(WindowPlacement, AboutBoxOpensCentredWithoutMinimiseAndMaximiseBoxes) {
  test::WineMachine machine;
  SeState state(machine);
  ui::win32::Renderer renderer(state.app);
  Form2 about(state);
  about.Show();
  PumpFor(state.app, 200);
  HWND hwnd = renderer.WindowOf(about);
  ASSERT_NE(hwnd, nullptr);
  const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
  EXPECT_FALSE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME) << "a fixed dialog cannot be sized";
  RECT r{};
  GetWindowRect(hwnd, &r);
  const RECT area = WorkArea();
  EXPECT_NEAR((r.left + r.right) / 2, (area.left + area.right) / 2, 2);
  EXPECT_NEAR((r.top + r.bottom) / 2, (area.top + area.bottom) / 2, 2);
  about.Unload();
}

TEST(WindowPlacement, DialogShownFromAFormOpensCentredOnIt) {
  win32::Win32Machine machine;
  ui::App app{machine.msg, machine.fs};
  ui::win32::Renderer renderer(app);
  test::AllControlsForm owner(app, "Owner");
  owner.Move(1500, 1500, 7500, 6000);
  owner.Show();
  test::AllControlsForm dialog(app, "Dialog");
  dialog.Move(0, 0, 3000, 1500);
  dialog.SetStartUpPosition(ui::StartUpPosition::kCenterOwner);
  dialog.SetBorderStyle(ui::BorderStyle::kFixedDialog);
  dialog.Show();
  PumpFor(app, 200);
  RECT o{}, d{};
  GetWindowRect(renderer.WindowOf(owner), &o);
  GetWindowRect(renderer.WindowOf(dialog), &d);
  EXPECT_NEAR((d.left + d.right) / 2, (o.left + o.right) / 2, 2);
  EXPECT_NEAR((d.top + d.bottom) / 2, (o.top + o.bottom) / 2, 2);
}

// A page (frame) that is hidden when its form is shown gets its controls'
// windows when it is first shown, with every state code set meanwhile and
// without raising any event; input then reaches the model once.
TEST(LazyPages, ControlsSetBeforeTheirPageIsFirstShownShowTheirState) {
  win32::Win32Machine machine;
  ui::App app{machine.msg, machine.fs};
  ui::win32::Renderer renderer(app);
  app.Logging = true;
  test::AllControlsForm form(app, "Lazy");
  form.Move(600, 600, 7200, 5400);
  form.Frame1.Move(120, 800, 2400, 1500);
  form.Option2.Move(120, 300, 2000, 300);
  form.Option3[0].Move(120, 700, 2000, 300);
  form.Frame1.SetVisible(false);
  form.Show();
  PumpFor(app, 200);
  EXPECT_FALSE(renderer.HasWindow(form.Option2)) << "no window while its page is hidden";
  EXPECT_TRUE(renderer.HasWindow(form.Command1));
  form.Option2.SetCaption("Set while hidden");
  form.Option3[0].SetValue(true);
  app.TakeEvents();

  form.Frame1.SetVisible(true);
  PumpFor(app, 200);
  ASSERT_TRUE(renderer.HasWindow(form.Option2));
  HWND option2 = renderer.WindowOf(form.Option2);
  HWND option3 = renderer.WindowOf(form.Option3[0]);
  char text[64] = {};
  GetWindowTextA(option2, text, sizeof(text));
  EXPECT_STREQ(text, "Set while hidden");
  EXPECT_EQ(SendMessageA(option3, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_TRUE(IsWindowVisible(option2));
  EXPECT_TRUE(app.TakeEvents().empty()) << "making the windows raises no event";

  PostMessageA(option2, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageA(option2, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  PumpFor(app, 300);
  EXPECT_TRUE(form.Option2.Value());
  const auto events = app.TakeEvents();
  EXPECT_EQ(std::count(events.begin(), events.end(), "Option2.Click"), 1);
}

// A control placed below the form's bottom edge (a strip the form shows
// when it grows) gets its window when the form grows: with the state set
// meanwhile, stacked and tabbed where its place among the controls puts it.
TEST(LazyPages, ControlsBelowTheFormsEdgeGetTheirWindowsWhenItGrows) {
  win32::Win32Machine machine;
  ui::App app{machine.msg, machine.fs};
  ui::win32::Renderer renderer(app);
  app.Logging = true;
  test::AllControlsForm form(app, "Strip");
  form.Move(600, 600, 7200, 3000);
  form.Command1.Move(120, 300, 1500, 375);
  form.Check1.Move(120, 3300, 2000, 300);
  form.Show();
  PumpFor(app, 200);
  EXPECT_TRUE(renderer.HasWindow(form.Command1));
  EXPECT_FALSE(renderer.HasWindow(form.Check1)) << "no window while below the edge";
  form.Check1.SetCaption("Set below the edge");
  form.Check1.SetValue(ui::kChecked);
  app.TakeEvents();

  form.SetHeight(4500);
  PumpFor(app, 200);
  ASSERT_TRUE(renderer.HasWindow(form.Check1));
  HWND check = renderer.WindowOf(form.Check1);
  char text[64] = {};
  GetWindowTextA(check, text, sizeof(text));
  EXPECT_STREQ(text, "Set below the edge");
  EXPECT_EQ(SendMessageA(check, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_TRUE(IsWindowVisible(check));
  EXPECT_EQ(GetWindow(renderer.WindowOf(form.Command1), GW_HWNDNEXT), check) << "stacked after Command1";
  for (const std::string& event : app.TakeEvents())
    EXPECT_EQ(event.rfind("Check1.", 0), std::string::npos) << "making the window raises " << event;

  PostMessageA(check, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageA(check, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  PumpFor(app, 300);
  EXPECT_EQ(form.Check1.Value(), ui::kUnchecked);
  const auto events = app.TakeEvents();
  EXPECT_EQ(std::count(events.begin(), events.end(), "Check1.Click"), 1);
}

// Every pixel of the picture as shown must lie within the colours of the
// file's pixels it covers (one pixel of slack around them, a small
// tolerance for rounding): stray specks of other colours fail.
TEST(ScaledPictures, LookLikeTheirFile) {
  const std::string source = test::FolderFromEnv("KS_SOURCE_DIR");
  if (source.empty()) GTEST_SKIP() << "KS_SOURCE_DIR not set";
  win32::Win32Machine machine;
  std::string bytes;
  const std::string file = source + "\\data\\hs\\pic\\low_lod.jpg";
  ASSERT_TRUE(machine.fs.ReadFile(file, &bytes));
  auto picture = ui::win32::Picture::Decode(bytes, ui::win32::ScreenScale());
  ASSERT_NE(picture, nullptr);
  const int fw = picture->WidthPx(), fh = picture->HeightPx();
  const auto& own = picture->Pixels();
  ASSERT_EQ(own.size(), static_cast<size_t>(fw) * static_cast<size_t>(fh));

  ui::App app{machine.msg, machine.fs};
  ui::win32::Renderer renderer(app);
  test::AllControlsForm form(app, "Pictures");
  form.Move(600, 600, 6000, 4500);
  struct Size {
    int w, h;
  };
  // The help window's size (about 153 x 72), a reduction and an enlargement.
  for (const Size size : {Size{153, 72}, Size{100, 60}, Size{230, 140}}) {
    form.Image1.Move(300, 300, size.w * 15, size.h * 15);
    form.Image1.SetStretch(true);
    form.Image1.LoadPicture(file);
    form.Show();
    PumpFor(app, 300);
    HWND hwnd = renderer.WindowOf(form.Image1);
    ASSERT_NE(hwnd, nullptr);
    SetForegroundWindow(renderer.WindowOf(form));
    PumpFor(app, 100);
    ui::win32::WindowPicture shot;
    ASSERT_TRUE(ui::win32::CaptureWindow(hwnd, &shot));
    ASSERT_EQ(shot.width, size.w);
    ASSERT_EQ(shot.height, size.h);
    int wrong = 0;
    for (int y = 0; y < size.h; ++y) {
      const int y0 = std::max(0, y * fh / size.h - 1), y1 = std::min(fh - 1, ((y + 1) * fh + size.h - 1) / size.h);
      for (int x = 0; x < size.w; ++x) {
        const int x0 = std::max(0, x * fw / size.w - 1), x1 = std::min(fw - 1, ((x + 1) * fw + size.w - 1) / size.w);
        // The capture is bottom-up BGR.
        const char* px = shot.pixels.data() + (size.h - 1 - y) * shot.stride + x * 3;
        for (int channel = 0; channel < 3; ++channel) {
          const int shown = static_cast<unsigned char>(px[channel]);
          int lo = 255, hi = 0;
          for (int yy = y0; yy <= y1; ++yy)
            for (int xx = x0; xx <= x1; ++xx) {
              const int v = (own[static_cast<size_t>(yy * fw + xx)] >> (8 * channel)) & 0xFF;
              lo = std::min(lo, v);
              hi = std::max(hi, v);
            }
          if (shown < lo - 8 || shown > hi + 8) ++wrong;
        }
      }
    }
    EXPECT_EQ(wrong, 0) << size.w << " x " << size.h;
  }
}

}  // namespace
}  // namespace ks
