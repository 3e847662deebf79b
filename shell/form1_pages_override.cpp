#include "shell/form1_design.h"
#include "shell/form1_pages.h"

namespace ks {

using design::kButton;
using design::kRow;
using design::Put;

OverridePages::OverridePages(Pages& pages) : pages_(pages) {
  // page 11
  Put(Check8, 240, 330, 4215, kRow, "Override multitexturing settings");
  Put(Label11, 240, 960, 6855, kRow);
  Put(Command2, 240, 3480, 2415, kButton, "Apply setting now");

  // page 12
  Put(Check9, 240, 330, 4095, kRow, "Override Shaders settings");
  Put(Label12.LoadIn(pages_[12], 0), 240, 960, 3495, kRow);
  Put(Label12.LoadIn(pages_[12], 1), 240, 1320, 3495, kRow);
  // The ends of the sliders, below them.
  Put(Label12.LoadIn(pages_[12], 2), 240, 2760, 1815, kRow, "Compatibility");
  Put(Label12.LoadIn(pages_[12], 3), 5280, 2760, 1815, kRow, "Image Quality");
  Label12[3].SetAlignment(ui::Alignment::kRight);
  Put(Image4, 4440, 330, 2655, 1695);
  Put(Command3, 240, 3480, 2415, kButton, "Apply settings now");
}

}  // namespace ks
