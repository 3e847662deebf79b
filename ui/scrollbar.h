// Flat scroll bar. Value stays between Min and Max (either may be the
// larger); values outside are refused without a change. Code that sets
// Value raises Change at once; moving Min or Max past the Value clamps it
// and raises Change. The user's drag of the thumb raises Scroll, the end of
// a move Change.
#pragma once

#include "ui/control.h"

namespace ks::ui {

enum class Orientation { kVertical = 0, kHorizontal = 1 };

class FlatScrollBar : public Control {
 public:
  FlatScrollBar(Form& form, std::string name, Orientation orientation = Orientation::kHorizontal)
      : Control(form, Kind::kFlatScrollBar, std::move(name)), orientation_(orientation) {}
  FlatScrollBar(Frame& frame, std::string name, Orientation orientation = Orientation::kHorizontal)
      : Control(frame, Kind::kFlatScrollBar, std::move(name)), orientation_(orientation) {}

  Orientation GetOrientation() const { return orientation_; }
  int Min() const { return min_; }
  int Max() const { return max_; }
  int Value() const { return value_; }
  int SmallChange() const { return small_; }
  int LargeChange() const { return large_; }
  void SetMin(int min);
  void SetMax(int max);
  // False (nothing changes) outside Min..Max.
  bool SetValue(int value);
  void SetSmallChange(int step);
  void SetLargeChange(int step);

  Handler OnChange;
  Handler OnScroll;
  // The thumb is being dragged to `value` / the user's move ended at `value`.
  void UserScroll(int value);
  void UserChange(int value);


 protected:
  void KeepDesign(bool restore) override {
    Control::KeepDesign(restore);
    Keep(restore, min_, max_, value_, small_, large_);
  }
 private:
  bool InRange(int value) const;
  void Clamp();

  Orientation orientation_;
  int min_ = 0, max_ = 32767, value_ = 0, small_ = 1, large_ = 1;
  bool scrolled_ = false;  // moved by a drag since the last Change
};

}  // namespace ks::ui
