#include "shell/form1_design.h"
#include "shell/form1_pages.h"

namespace ks {

using design::kRow;
using design::Put;
using design::PutLine;

MiscPages::MiscPages(Pages& pages) : pages_(pages) {
  // page 7: OpenGL miscellaneous
  Put(Label7.LoadIn(pages_[7], 2), 120, 480, 1815, kRow, "Vertical synchronization");
  PutLine(Line2, 1920, 7320, 600);
  Put(Label7.LoadIn(pages_[7], 3), 240, 840, 2535, kRow, "Synchronization mode:");
  Put(Label7.LoadIn(pages_[7], 4), 240, 1200, 2535, kRow, "Prerender limit:");
  Put(Label7.LoadIn(pages_[7], 0), 120, 1800, 1095, kRow, "S3TC settings");
  PutLine(Line4, 7320, 1200, 1920);
  Put(Check5.LoadIn(pages_[7], 0), 240, 2130, 3495, kRow, "Enable S3TC texture compression");
  Put(Check5.LoadIn(pages_[7], 1), 3840, 2130, 3375, kRow, "Disable dithering for DXT1 textures");
  Put(Label7.LoadIn(pages_[7], 5), 120, 2760, 1095, kRow, "Other settings");
  PutLine(Line3, 7320, 1200, 2880);
  Put(Label7.LoadIn(pages_[7], 1), 240, 3120, 2535, kRow, "Textures color depth:");
  Put(Check5.LoadIn(pages_[7], 2), 240, 3540, 3495, kRow, "Triple buffering");

  // page 8: Direct3D miscellaneous
  Put(Label8.LoadIn(pages_[8], 0), 120, 480, 1815, kRow, "Vertical synchronization");
  PutLine(Line5, 1920, 7320, 600);
  Put(Label8.LoadIn(pages_[8], 1), 240, 840, 2535, kRow, "Synchronization mode:");
  Put(Label8.LoadIn(pages_[8], 2), 240, 1200, 2535, kRow, "Prerender limit:");
  PutLine(Line6, 120, 7320, 1920);
  Put(Check6.LoadIn(pages_[8], 0), 240, 2160, 3495, kRow, "Enable Z-buffer compression");
  Put(Check6.LoadIn(pages_[8], 1), 240, 2520, 3495, kRow, "Enable fog-table emulation");

  // page 13: OpenGL compatibility
  Put(Label7.LoadIn(pages_[13], 7), 240, 390, 3135, kRow, "Compatibility / emulation mode:");
  Put(Label7.LoadIn(pages_[13], 6), 240, 1110, 3135, kRow, "OpenGL version override:");
  Put(Check12.LoadIn(pages_[13], 0), 240, 1800, 4695, kRow, "Enhanced CPU instructions sets support");
  Put(Check12.LoadIn(pages_[13], 2), 240, 2160, 4695, kRow, "NV4x GLSL support");
  Put(Check12.LoadIn(pages_[13], 1), 240, 2520, 4695, kRow, "Force software rasterization");
}

}  // namespace ks
