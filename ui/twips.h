// Twips (1/1440 inch) and the screen's pixels. Forms are laid out in twips;
// a window shows them at the screen's own pixels per inch (96 at "100 %",
// 120 at "125 %", 144 at "150 %"), so a layout keeps its proportions to the
// dialog font, which grows with the screen's pixels per inch.
#pragma once

#include <cstdint>

namespace ks::ui {

inline constexpr int kTwipsPerInch = 1440;
// The pixels per inch a screen has when nothing else is known.
inline constexpr int kDefaultPixelsPerInch = 96;

// One screen's conversion between twips and pixels.
class TwipsScale {
 public:
  // A value below 1 is taken as the default 96.
  explicit constexpr TwipsScale(int pixels_per_inch = kDefaultPixelsPerInch)
      : ppi_(pixels_per_inch >= 1 ? pixels_per_inch : kDefaultPixelsPerInch) {}

  constexpr int PixelsPerInch() const { return ppi_; }
  // The screen's twips a pixel as the toolkit gives it: whole twips (15 at
  // 96, 12 at 120, 10 at 144).
  constexpr int TwipsPerPixel() const { return kTwipsPerInch / ppi_; }
  // A length or position in twips as pixels, to the nearest pixel (halves
  // away from zero).
  constexpr int Px(int twips) const { return Round(std::int64_t{twips} * ppi_, kTwipsPerInch); }
  // Pixels as twips, to the nearest twip.
  constexpr int Twips(int px) const { return Round(std::int64_t{px} * kTwipsPerInch, ppi_); }
  // HIMETRIC (1/100 mm, 2540 to the inch) as pixels, to the nearest pixel.
  constexpr int PxFromHimetric(int himetric) const { return Round(std::int64_t{himetric} * ppi_, 2540); }

 private:
  static constexpr int Round(std::int64_t value, std::int64_t by) {
    return static_cast<int>(value >= 0 ? (value + by / 2) / by : -((-value + by / 2) / by));
  }
  int ppi_;
};

}  // namespace ks::ui
