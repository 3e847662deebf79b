#include "ui/buttons.h"

#include "ui/form.h"

namespace ks::ui {

bool CheckBox::SetValue(int value) {
  if (value < kUnchecked || value > kGrayed) return false;
  if (value == value_) return true;
  value_ = value;
  Changed();
  Raise("Click", OnClick);
  return true;
}

void CheckBox::UserClick() {
  if (TakesInput()) SetValue(value_ == kUnchecked ? kChecked : kUnchecked);
}

void OptionButton::SetValue(bool value) {
  if (value == value_) return;
  value_ = value;
  Changed();
  if (!value) return;
  for (Control* c : form().controls()) {
    if (c == this || c->kind() != Kind::kOptionButton || c->Container() != Container()) continue;
    auto* other = static_cast<OptionButton*>(c);
    if (other->value_) {
      other->value_ = false;
      other->Changed();
    }
  }
  Raise("Click", OnClick);
}

}  // namespace ks::ui
