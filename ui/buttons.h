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

class CommandButton : public Control {
 public:
  CommandButton(Form& form, std::string name) : Control(form, Kind::kCommandButton, std::move(name)) {}
  CommandButton(Frame& frame, std::string name) : Control(frame, Kind::kCommandButton, std::move(name)) {}

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);

  Handler OnClick;
  MouseHandler OnMouseMove;
  void UserClick() { if (TakesInput()) Raise("Click", OnClick); }
  void UserMouseMove(int button, int shift, float x, float y) {
    if (TakesInput()) RaiseMouse("MouseMove", OnMouseMove, button, shift, x, y);
  }


 protected:
  void KeepDesign(bool restore) override {
    Control::KeepDesign(restore);
    Keep(restore, caption_);
  }
 private:
  std::string caption_;
};

enum : int { kUnchecked = 0, kChecked = 1, kGrayed = 2 };

class CheckBox : public Control {
 public:
  CheckBox(Form& form, std::string name) : Control(form, Kind::kCheckBox, std::move(name)) {}
  CheckBox(Frame& frame, std::string name) : Control(frame, Kind::kCheckBox, std::move(name)) {}

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  int Value() const { return value_; }
  // 0, 1 or 2; other values are refused (false, nothing changes).
  bool SetValue(int value);

  Handler OnClick;
  MouseHandler OnMouseMove;
  // A click: unchecked becomes checked, checked or grayed becomes unchecked.
  void UserClick();
  void UserMouseMove(int button, int shift, float x, float y) {
    if (TakesInput()) RaiseMouse("MouseMove", OnMouseMove, button, shift, x, y);
  }


 protected:
  void KeepDesign(bool restore) override {
    Control::KeepDesign(restore);
    Keep(restore, caption_, value_);
  }
 private:
  std::string caption_;
  int value_ = kUnchecked;
};

class OptionButton : public Control {
 public:
  OptionButton(Form& form, std::string name) : Control(form, Kind::kOptionButton, std::move(name)) {}
  OptionButton(Frame& frame, std::string name) : Control(frame, Kind::kOptionButton, std::move(name)) {}

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  bool Value() const { return value_; }
  void SetValue(bool value);

  Handler OnClick;
  MouseHandler OnMouseMove;
  void UserClick() { if (TakesInput()) SetValue(true); }
  void UserMouseMove(int button, int shift, float x, float y) {
    if (TakesInput()) RaiseMouse("MouseMove", OnMouseMove, button, shift, x, y);
  }


 protected:
  void KeepDesign(bool restore) override {
    Control::KeepDesign(restore);
    Keep(restore, caption_, value_);
  }
 private:
  std::string caption_;
  bool value_ = false;
};

}  // namespace ks::ui
