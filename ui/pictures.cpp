#include "ui/pictures.h"

#include "platform/picture_header.h"

namespace ks::ui {

bool PictureControl::LoadPicture(const std::string& path) {
  std::string shown;
  if (!path.empty() && app().files().FileExists(path)) {
    // The picture shown stays until the new one has loaded: a file that is
    // no picture (or cannot be read) changes nothing.
    std::string bytes;
    if (!app().files().ReadFile(path, &bytes) || !platform::IsPictureFile(bytes)) return false;
    shown = path;
  }
  if (shown != picture_) {
    picture_ = std::move(shown);
    Changed();
  }
  return !picture_.empty();
}

void Image::SetStretch(bool stretch) {
  if (stretch == stretch_) return;
  stretch_ = stretch;
  Changed();
}

void PictureBox::SetBackColor(int color) {
  if (color == back_color_) return;
  back_color_ = color;
  Changed();
}

void PictureBox::DrawLine(int x1, int y1, int x2, int y2, int color) {
  drawing_.push_back(DrawOp{DrawOp::Shape::kLine, x1, y1, x2, y2, color, draw_width_,
                            draw_style_ == DrawStyle::kDot});
  Changed();
}

void PictureBox::DrawPoint(int x, int y, int color) {
  drawing_.push_back(DrawOp{DrawOp::Shape::kPoint, x, y, x, y, color, draw_width_, false});
  Changed();
}

void PictureBox::Cls() {
  if (drawing_.empty()) return;
  drawing_.clear();
  Changed();
}

void Line::SetPoints(int x1, int y1, int x2, int y2) {
  if (x1 == x1_ && y1 == y1_ && x2 == x2_ && y2 == y2_) return;
  x1_ = x1;
  y1_ = y1;
  x2_ = x2;
  y2_ = y2;
  Changed();
}

void Line::SetBorderColor(int color) {
  if (color == color_) return;
  color_ = color;
  Changed();
}

}  // namespace ks::ui
