#include "shell/form1_window.h"

#include "shell/navigation.h"

namespace ks {

Form1Window::Form1Window(ui::App& app) : ui::Form(app, "Form1") {
  design_.emplace(app);
  SetCaption("Kestrelane SE");
  Move(0, 0, kForm1Width, kForm1ShortHeight);
  SetStartUpPosition(ui::StartUpPosition::kCenterScreen);

  DesignToolbar(Toolbar1);
  Toolbar1.Move(0, 0, kForm1Width - 120, 570);
  for (int page = 0; page < kPageCount; ++page) {
    ui::Frame& frame = Frame1[page];
    frame.Move(120, 600, 7335, 4095);
    frame.SetCaption(kPages[page].caption);
    frame.Tag = kPages[page].tag;
    frame.SetVisible(page == 4);
  }

  FlatScrollBar4.Move(7560, 600, 255, 4095);
  FlatScrollBar4.SetMin(1);
  FlatScrollBar4.SetMax(4);
  FlatScrollBar4.SetValue(1);
  FlatScrollBar4.SetSmallChange(1);
  FlatScrollBar4.SetLargeChange(1);

  Label14[0].Move(120, 4770, 1005, 120);
  Label14[1].Move(120, 4770, 0, 120);
  Label14[2].Move(1245, 4770, 1005, 120);
  Label14[3].Move(1245, 4770, 0, 120);
  for (int i = 0; i < 4; ++i) Label14[i].SetToolTipText(i < 2 ? "CPU 1 usage" : "CPU 2 usage");
  Label14[0].SetBackColor(0x00000000);
  Label14[2].SetBackColor(0x00000000);
  Label14[1].SetBackColor(0x00008000);
  Label14[3].SetBackColor(0x00008000);
  // The bars over their black backgrounds.
  Label14[1].SetInFront(true);
  Label14[3].SetInFront(true);

  Label13.Move(120, 4950, 2415, 255);
  Label13.SetCaption("Kestrelane options  >>>");
  Label17.Move(2640, 4950, 4815, 255);
  Check13.Move(120, 5400, 2895, 255);
  Check13.SetCaption("Remember last visited page");
  Check11.Move(3120, 5400, 2175, 255);
  Check11.SetCaption("Enable help system");
  Check11.SetValue(ui::kChecked);
  Label18.Move(5400, 5430, 855, 255);
  Label18.SetCaption("Language:");
  Combo17.Move(6300, 5370, 1515, 315);

  Timer1.SetInterval(100);
  Timer1.SetEnabled(false);
  Timer2.SetInterval(100);
  Timer2.SetEnabled(false);
  Timer3.SetInterval(1000);
  Timer3.SetEnabled(true);
}

}  // namespace ks
