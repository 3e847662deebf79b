// A picture file decoded by the system's own image services (OLE's
// picture loader: BMP, JPEG, GIF, icons).
#pragma once

#include <memory>
#include <string>

#include "platform/win32/win.h"

struct IPicture;

namespace ks::ui::win32 {

class Picture {
 public:
  // nullptr when the bytes are no picture the system can decode.
  static std::unique_ptr<Picture> Decode(const std::string& bytes);
  ~Picture();
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;

  int WidthPx() const { return width_px_; }
  int HeightPx() const { return height_px_; }
  // Draws the whole picture into the rectangle (stretched to it).
  void Draw(HDC dc, const RECT& target) const;

 private:
  explicit Picture(IPicture* picture);
  IPicture* picture_;
  long width_him_ = 0, height_him_ = 0;
  int width_px_ = 0, height_px_ = 0;
};

}  // namespace ks::ui::win32
