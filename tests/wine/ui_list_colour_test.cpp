// A list box's text colour under Wine: the renderer answers the list's
// colour message with it, and with the system's colours when none is set.
#include <gtest/gtest.h>

#include "forms/all_controls_form.h"
#include "platform/win32/machine.h"
#include "ui/win32/renderer.h"

namespace ks {
namespace {

TEST(ListBoxColourWine, TheListIsDrawnInItsColour) {
  win32::Win32Machine machine;
  ui::App app(machine.msg, machine.fs);
  ui::win32::Renderer renderer(app);
  test::AllControlsForm form(app);
  form.List1.Move(120, 120, 2000, 900);
  form.List1.SetForeColor(0x0000FF);
  form.Show();
  app.DoEvents();
  HWND list = renderer.WindowOf(form.List1);
  ASSERT_NE(list, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  SetTextColor(dc, RGB(1, 2, 3));
  const LRESULT brush = SendMessageA(GetParent(list), WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc),
                                     reinterpret_cast<LPARAM>(list));
  EXPECT_EQ(GetTextColor(dc), RGB(255, 0, 0));
  EXPECT_NE(brush, 0);
  form.List1.SetForeColor(-1);
  SetTextColor(dc, RGB(1, 2, 3));
  SendMessageA(GetParent(list), WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(list));
  EXPECT_NE(GetTextColor(dc), RGB(255, 0, 0)) << "the system's colour again";
  DeleteDC(dc);
  form.Unload();
}

}  // namespace
}  // namespace ks
