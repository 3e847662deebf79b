#include "shell/form1_design.h"
#include "shell/form1_pages.h"

namespace ks {

using design::kRow;
using design::Put;

AntialiasingPages::AntialiasingPages(Pages& pages) : pages_(pages) {
  // page 1
  Put(Label5.LoadIn(pages_[1], 0), 240, 390, 2295, kRow, "Antialiasing mode:");
  Put(Check15, 240, 780, 3375, kRow, "Enable SLI Antialiasing");
  Put(Check18, 3720, 780, 3375, kRow, "Gamma correct antialiasing");
  Put(Label5.LoadIn(pages_[1], 2), 240, 1170, 2295, kRow, "Transparency antialiasing:");
  Put(Label5.LoadIn(pages_[1], 1), 240, 1590, 2295, kRow, "Compare pictures:");
  Put(Option3.LoadIn(pages_[1], 0), 2640, 1590, 1695, kRow, "Normal size").SetValue(true);
  Put(Option3.LoadIn(pages_[1], 1), 4440, 1590, 1695, kRow, "Zoom");
  Put(Frame3.LoadIn(pages_[1], 0), 240, 1920, 3375, 2055, "No antialiasing");
  Put(Frame3.LoadIn(pages_[1], 1), 3720, 1920, 3375, 2055, "Selected antialiasing");

  // page 2
  Put(Label3, 240, 390, 2295, kRow, "Antialiasing mode:");
  Put(Check16, 240, 780, 3375, kRow, "Enable SLI Antialiasing");
  Put(Check17, 3720, 780, 3375, kRow, "Gamma correct antialiasing");
  Put(Label23, 240, 1170, 2295, kRow, "Transparency antialiasing:");
  Put(Check1, 240, 1590, 3375, kRow, "Texture sharpening");
}

}  // namespace ks
