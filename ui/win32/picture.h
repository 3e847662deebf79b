// A picture file decoded by the system's own image services (OLE's
// picture loader), of the kinds the header check passes (JPEG, BMP).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/handle.h"
#include "platform/win32/win.h"
#include "ui/twips.h"

struct IPicture;

namespace ks::ui::win32 {

class Picture {
 public:
  // nullptr when the bytes fail the header check (IsPictureFile: a JPEG or
  // BMP, whole, of a size the suite takes) or the system cannot decode them.
  // The loader gives the picture's size in HIMETRIC, worked out from its
  // pixels at the screen's pixels per inch; `screen` turns it back.
  static std::unique_ptr<Picture> Decode(const std::string& bytes, const ui::TwipsScale& screen);
  ~Picture();
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;

  int WidthPx() const { return width_px_; }
  int HeightPx() const { return height_px_; }
  // Draws the whole picture into the rectangle (stretched to it). A
  // picture drawn at another size than its own is scaled by averaging the
  // pixels each target pixel covers (the system's own stretching drops and
  // repeats pixels, and under some drivers leaves stray colours).
  void Draw(HDC dc, const RECT& target) const;

  // The picture's own pixels (0x00RRGGBB, top row first), rendered once.
  const std::vector<std::uint32_t>& Pixels() const;

 private:
  Picture(ks::win32::ScopedCom<IPicture> picture, const ui::TwipsScale& screen);
  ks::win32::ScopedCom<IPicture> picture_;
  long width_him_ = 0, height_him_ = 0;
  int width_px_ = 0, height_px_ = 0;
  mutable std::vector<std::uint32_t> pixels_;
  // The last scaled copy, kept while the target size stays.
  mutable std::vector<std::uint32_t> scaled_;
  mutable int scaled_w_ = 0, scaled_h_ = 0;
};

// Area-averaging scale of a 0x00RRGGBB image (top row first) to w x h.
std::vector<std::uint32_t> ScalePixels(const std::vector<std::uint32_t>& from, int from_w, int from_h, int w,
                                       int h);

}  // namespace ks::ui::win32
