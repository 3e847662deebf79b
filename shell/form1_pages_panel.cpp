#include "shell/form1_design.h"
#include "shell/form1_pages.h"

namespace ks {

using design::kButton;
using design::kRow;
using design::Put;

PanelPages::PanelPages(Pages& pages) : pages_(pages) {
  // page 0: the driver's control-panel flags, in the order they are shown
  static constexpr struct {
    int index;
    const char* caption;
  } kFlags[] = {
      {0, "Enable CoolBits (overclocking)"},
      {1, "Enable AGP settings page"},
      {2, "Enable additional info page"},
      {3, "Enable Troubleshooting page"},
      {4, "Enable application profile page"},
      {10, "Enable Direct3D refreh rate page"},
      {5, "Override nView capable"},
      {6, "Enable Overlay control in Span mode"},
      {7, "Enable Thermal settings page"},
      {8, "Enable Heat indicator warning"},
      {9, "Display Core Temperature in system tray area"},
  };
  int row = 0;
  for (const auto& flag : kFlags) {
    Put(Check7.LoadIn(pages_[0], flag.index), 240, 330 + 330 * row++, 4215, kRow, flag.caption);
  }
  for (int hidden : {7, 8, 9}) Check7[hidden].SetVisible(false);
  Put(Image1, 4680, 330, 2415, 1815).SetVisible(false);
  Image1.SetStretch(true);
  Image1.SetToolTipText("Open display properties");
  Put(Frame2, 4560, 2280, 2655, 1575, "Tip");
  Put(Label10, 120, 300, 2415, 1095, "You can find more options in Kestrelane Registry editor.");

  // page 3: clocks and speed choice; everything but the overclocking switch
  // waits, disabled, until the overclocking code enables the page
  Put(Check10, 240, 330, 3495, kRow, "Enable Overclocking");
  Check10.SetValue(ui::kChecked);
  static constexpr const char* kClockCaptions[] = {"Default Core speed: 350 MHz", "Default Memory speed: 700 MHz",
                                                   "Current Core speed: 370 MHz", "Current Memory speed: 760 MHz"};
  for (int i = 0; i < 4; ++i) Put(Label1.LoadIn(pages_[3], i), 240, 840 + 360 * i, 3975, kRow, kClockCaptions[i]);
  Put(Label1.LoadIn(pages_[3], 4), 4440, 840, 2535, kRow, "Settings:");
  Put(Option1.LoadIn(pages_[3], 0), 4440, 1200, 2535, kRow, "2D speed");
  Put(Option1.LoadIn(pages_[3], 1), 4440, 1560, 2535, kRow, "3D speed");
  static constexpr const char* kClockTexts[] = {"370", "760"};
  for (int i = 0; i < 2; ++i) {
    Put(Text1.LoadIn(pages_[3], i), 240, 2400 + 420 * i, 855, 315).SetText(kClockTexts[i]);
    Put(FlatScrollBar1.LoadIn(pages_[3], i), 1200, 2430 + 420 * i, 3015, kRow);
  }
  Put(Check2, 240, 3360, 3975, kRow, "Apply settings at startup");
  Put(Command1.LoadIn(pages_[3], 0), 4440, 3480, 1215, kButton, "Apply");
  Put(Command1.LoadIn(pages_[3], 1), 5760, 3480, 1215, kButton, "Default");
  for (int i = 0; i < 5; ++i) Label1[i].SetEnabled(false);
  for (int i = 0; i < 2; ++i) {
    Option1[i].SetEnabled(false);
    Text1[i].SetEnabled(false);
    FlatScrollBar1[i].SetEnabled(false);
    Command1[i].SetEnabled(false);
  }
  Check2.SetEnabled(false);

  // page 10: display modes, and the quick pick beside its label
  Put(List2, 240, 330, 4455, 3525);
  Put(Label9, 4920, 330, 2175, kRow, "Select resolution:");
  Put(Combo14, 4920, 660, 2175, 315).SetText("Select from list ...");
  Put(Command4, 4920, 3480, 1215, kButton, "Apply");
  Command4.SetEnabled(false);
}

}  // namespace ks
