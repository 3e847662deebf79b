// Command button, check box, option button.
//
// Code that sets a check box's Value, or an option button's Value to true,
// raises Click at once, as the user's click does; setting the value the
// control already has raises nothing. Setting an option button to true
// turns the other option buttons of the same container false, without
// events.
#pragma once

#include "ui/control.h"

namespace ks::ui {

class CommandButton : public CaptionedControl {
 public:
  CommandButton(Form& form, std::string name) : CaptionedControl(form, Kind::kCommandButton, std::move(name)) {}
  CommandButton(Frame& frame, std::string name) : CaptionedControl(frame, Kind::kCommandButton, std::move(name)) {}
};

enum : int { kUnchecked = 0, kChecked = 1, kGrayed = 2 };

class CheckBox : public CaptionedControl {
 public:
  CheckBox(Form& form, std::string name) : CaptionedControl(form, Kind::kCheckBox, std::move(name)) {}
  CheckBox(Frame& frame, std::string name) : CaptionedControl(frame, Kind::kCheckBox, std::move(name)) {}

  int Value() const { return value_; }
  // 0, 1 or 2; other values are refused (false, nothing changes).
  bool SetValue(int value);

  // A click: unchecked becomes checked, checked or grayed becomes unchecked.
  void UserClick();

 protected:
  void KeepDesign(bool restore) override {
    CaptionedControl::KeepDesign(restore);
    Keep(restore, value_);
  }

 private:
  int value_ = kUnchecked;
};

class OptionButton : public CaptionedControl {
 public:
  OptionButton(Form& form, std::string name) : CaptionedControl(form, Kind::kOptionButton, std::move(name)) {}
  OptionButton(Frame& frame, std::string name) : CaptionedControl(frame, Kind::kOptionButton, std::move(name)) {}

  bool Value() const { return value_; }
  void SetValue(bool value);

  // A click selects the option.
  void UserClick() { if (TakesInput()) SetValue(true); }

 protected:
  void KeepDesign(bool restore) override {
    CaptionedControl::KeepDesign(restore);
    Keep(restore, value_);
  }

 private:
  bool value_ = false;
};

}  // namespace ks::ui
