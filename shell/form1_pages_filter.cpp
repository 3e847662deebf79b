#include "shell/form1_design.h"
#include "shell/form1_pages.h"

namespace ks {

using design::kRow;
using design::Put;
using design::PutLine;

FilteringPages::FilteringPages(Pages& pages) : pages_(pages) {
  // page 5: OpenGL texture filtering
  Put(Label4.LoadIn(pages_[5], 0), 240, 390, 2535, kRow, "Anisotropic filtering:");
  Put(Combo2, 2880, 360, 2535, 315).SetText("Auto");
  Put(Combo7, 2880, 720, 2535, 315).SetText("None");
  Put(Label4.LoadIn(pages_[5], 5), 240, 750, 2535, kRow, "Force Mipmaps:");
  Put(Label4.LoadIn(pages_[5], 1), 240, 1110, 2535, kRow, "Image settings:");
  Put(Label4.LoadIn(pages_[5], 4), 240, 1470, 2535, kRow, "Texture LOD bias:");
  // The heading reaches the line's left end, where its text ends at the
  // larger dialog font of 120 pixels per inch.
  Put(Label4.LoadIn(pages_[5], 2), 120, 1800, 1590, kRow, "Intellisample settings");
  PutLine(Line1, 1680, 7320, 1920);
  Put(Check3.LoadIn(pages_[5], 0), 240, 2130, 6855, kRow, "Manual Intellisample trilinear configuration");
  Put(Label4.LoadIn(pages_[5], 3), 480, 2430, 2295, kRow, "Trilinear quality:");
  Put(Check3.LoadIn(pages_[5], 1), 240, 2730, 6855, kRow, "Manual Intellisample texture compression configuration");
  Put(Option2.LoadIn(pages_[5], 0), 480, 3030, 1695, kRow, "By application").SetValue(true);
  Put(Option2.LoadIn(pages_[5], 1), 2280, 3030, 1575, kRow, "Enabled");
  Put(Frame5, 120, 3330, 7095, 645, "Filtering optimizations");
  static constexpr const char* kOptimizations[] = {"Trilinear optimization", "Aniso mip filter optimization",
                                                   "Aniso sample optimization"};
  // Each box as wide as its caption needs at the larger font of 120 pixels
  // per inch.
  struct Column {
    int left, width;
  };
  static constexpr Column kOptimizationColumns[] = {{120, 2130}, {2280, 2430}, {4740, 2310}};
  for (int i = 0; i < 3; ++i)
    Put(Check14.LoadIn(Frame5, i), kOptimizationColumns[i].left, 300, kOptimizationColumns[i].width, kRow,
        kOptimizations[i]);

  // page 6: Direct3D texture filtering
  Put(Label6.LoadIn(pages_[6], 0), 240, 390, 2535, kRow, "Anisotropic filtering:");
  Put(Combo4, 2880, 360, 2535, 315).SetText("Auto");
  Put(Combo8, 2880, 720, 2535, 315).SetText("None");
  Put(Label6.LoadIn(pages_[6], 2), 240, 750, 2535, kRow, "Force mipmaps:");
  Put(Label6.LoadIn(pages_[6], 1), 240, 1110, 2535, kRow, "Intellisample image settings:");
  Put(Label6.LoadIn(pages_[6], 3), 240, 1470, 2535, kRow, "Texture LOD bias:");
  Put(Check4.LoadIn(pages_[6], 0), 240, 1950, 3495, kRow, "Force textures to low MIP level");
  Put(Check4.LoadIn(pages_[6], 5), 240, 2280, 3495, kRow, "Allow negative LOD bias");
  Put(Check4.LoadIn(pages_[6], 4), 240, 2610, 3495, kRow, "Disable mipmap filtering");
  for (int i = 1; i <= 3; ++i) Put(Check4.LoadIn(pages_[6], i), 3840, 1620 + 330 * i, 3255, kRow, kOptimizations[i - 1]);
}

}  // namespace ks
