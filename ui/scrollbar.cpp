#include "ui/scrollbar.h"

#include <algorithm>

namespace ks::ui {

bool FlatScrollBar::InRange(int value) const {
  return value >= std::min(min_, max_) && value <= std::max(min_, max_);
}

void FlatScrollBar::Clamp() {
  const int clamped = std::clamp(value_, std::min(min_, max_), std::max(min_, max_));
  if (clamped == value_) return;
  value_ = clamped;
  Changed();
  Raise("Change", OnChange);
}

void FlatScrollBar::SetMin(int min) {
  if (min == min_) return;
  min_ = min;
  Changed();
  Clamp();
}

void FlatScrollBar::SetMax(int max) {
  if (max == max_) return;
  max_ = max;
  Changed();
  Clamp();
}

bool FlatScrollBar::SetValue(int value) {
  if (!InRange(value)) return false;
  if (value == value_) return true;
  value_ = value;
  scrolled_ = false;
  Changed();
  Raise("Change", OnChange);
  return true;
}

void FlatScrollBar::SetSmallChange(int step) {
  if (step == small_ || step < 0) return;
  small_ = step;
  Changed();
}

void FlatScrollBar::SetLargeChange(int step) {
  if (step == large_ || step < 0) return;
  large_ = step;
  Changed();
}

void FlatScrollBar::UserScroll(int value) {
  if (!TakesInput() || !InRange(value) || value == value_) return;
  value_ = value;
  scrolled_ = true;
  Changed();
  Raise("Scroll", OnScroll);
}

void FlatScrollBar::UserChange(int value) {
  if (!TakesInput() || !InRange(value)) return;
  const bool dragged = scrolled_;
  scrolled_ = false;
  if (value != value_) {
    SetValue(value);
  } else if (dragged) {
    Raise("Change", OnChange);
  }
}

}  // namespace ks::ui
