#include "ui/text.h"

namespace ks::ui {

void Label::SetAlignment(Alignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  Changed();
}

void Label::SetBackColor(int color) {
  if (color == back_color_) return;
  back_color_ = color;
  Changed();
}

void Label::SetForeColor(int color) {
  if (color == fore_color_) return;
  fore_color_ = color;
  Changed();
}

void TextBox::SetText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  Changed();
  Raise("Change", OnChange);
}

void TextBox::SetLocked(bool locked) {
  if (locked == locked_) return;
  locked_ = locked;
  Changed();
}

}  // namespace ks::ui
