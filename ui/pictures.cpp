#include "ui/pictures.h"

namespace ks::ui {

bool PictureControl::LoadPicture(const std::string& path) {
  std::string shown = !path.empty() && app().files().FileExists(path) ? path : std::string();
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
