#include "ui/win32/picture.h"

#include <algorithm>

#include "platform/picture_header.h"

#include "platform/win32/ole_picture.h"

namespace ks::ui::win32 {

std::unique_ptr<Picture> Picture::Decode(const std::string& bytes, const ui::TwipsScale& screen) {
  // The loader takes a BMP that ends before its pixels and draws what
  // memory lies behind the file, and decodes a frame of any size whole,
  // holding the window meanwhile: the header check refuses both first.
  if (!platform::IsPictureFile(bytes)) return nullptr;
  ks::win32::ScopedCom<IPicture> picture = ks::win32::LoadOlePicture(bytes);
  if (!picture.valid()) return nullptr;
  return std::unique_ptr<Picture>(new Picture(std::move(picture), screen));
}

Picture::Picture(ks::win32::ScopedCom<IPicture> picture, const ui::TwipsScale& screen)
    : picture_(std::move(picture)) {
  OLE_XSIZE_HIMETRIC w = 0;
  OLE_YSIZE_HIMETRIC h = 0;
  picture_.get()->get_Width(&w);
  picture_.get()->get_Height(&h);
  width_him_ = w;
  height_him_ = h;
  width_px_ = screen.PxFromHimetric(w);
  height_px_ = screen.PxFromHimetric(h);
}

Picture::~Picture() = default;

void Picture::Draw(HDC dc, const RECT& target) const {
  const int w = target.right - target.left, h = target.bottom - target.top;
  if (w <= 0 || h <= 0) return;
  if (w == width_px_ && h == height_px_) {
    // IPicture draws bottom-up in HIMETRIC: start at the bottom, negative height.
    picture_.get()->Render(dc, target.left, target.top, w, h, 0, height_him_, width_him_, -height_him_, nullptr);
    return;
  }
  const auto& source = Pixels();
  if (source.empty()) return;
  if (w != scaled_w_ || h != scaled_h_) {
    scaled_ = ScalePixels(source, width_px_, height_px_, w, h);
    scaled_w_ = w;
    scaled_h_ = h;
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  SetDIBitsToDevice(dc, target.left, target.top, w, h, 0, 0, 0, h, scaled_.data(), &info, DIB_RGB_COLORS);
}

const std::vector<std::uint32_t>& Picture::Pixels() const {
  if (!pixels_.empty() || width_px_ <= 0 || height_px_ <= 0) return pixels_;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width_px_;
  info.bmiHeader.biHeight = -height_px_;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const ks::win32::ScopedScreenDc screen(GetDC(nullptr));
  const ks::win32::ScopedMemoryDc memory(CreateCompatibleDC(screen.get()));
  const ks::win32::ScopedGdiObject bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (memory.valid() && bitmap.valid() && bits) {
    HGDIOBJ old = SelectObject(memory.get(), bitmap.get());
    picture_.get()->Render(memory.get(), 0, 0, width_px_, height_px_, 0, height_him_, width_him_, -height_him_,
                           nullptr);
    GdiFlush();
    const auto* p = static_cast<const std::uint32_t*>(bits);
    pixels_.assign(p, p + static_cast<size_t>(width_px_) * static_cast<size_t>(height_px_));
    for (auto& px : pixels_) px &= 0x00FFFFFFu;
    SelectObject(memory.get(), old);
  }
  return pixels_;
}

std::vector<std::uint32_t> ScalePixels(const std::vector<std::uint32_t>& from, int from_w, int from_h, int w,
                                       int h) {
  std::vector<std::uint32_t> out(static_cast<size_t>(w) * static_cast<size_t>(h));
  // Each target pixel covers [x * sx, (x + 1) * sx) source columns (likewise
  // rows); every source pixel counts by the share of it that is covered.
  const double sx = static_cast<double>(from_w) / w, sy = static_cast<double>(from_h) / h;
  for (int y = 0; y < h; ++y) {
    const double y0 = y * sy, y1 = (y + 1) * sy;
    for (int x = 0; x < w; ++x) {
      const double x0 = x * sx, x1 = (x + 1) * sx;
      double r = 0, g = 0, b = 0, total = 0;
      for (int yy = static_cast<int>(y0); yy < from_h && yy < y1; ++yy) {
        const double wy = std::min<double>(yy + 1, y1) - std::max<double>(yy, y0);
        if (wy <= 0) continue;
        for (int xx = static_cast<int>(x0); xx < from_w && xx < x1; ++xx) {
          const double wx = std::min<double>(xx + 1, x1) - std::max<double>(xx, x0);
          if (wx <= 0) continue;
          const std::uint32_t px = from[static_cast<size_t>(yy) * static_cast<size_t>(from_w) + static_cast<size_t>(xx)];
          const double weight = wx * wy;
          r += weight * ((px >> 16) & 0xFF);
          g += weight * ((px >> 8) & 0xFF);
          b += weight * (px & 0xFF);
          total += weight;
        }
      }
      if (total <= 0) continue;
      auto channel = [total](double v) { return static_cast<std::uint32_t>(std::min(255.0, v / total + 0.5)); };
      out[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)] =
          (channel(r) << 16) | (channel(g) << 8) | channel(b);
    }
  }
  return out;
}

}  // namespace ks::ui::win32
