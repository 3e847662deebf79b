// Label and text box.
//
// Code that sets a text box's Text raises Change at once, as the user's
// typing does; setting the text it already holds raises nothing.
#pragma once

#include "ui/control.h"

namespace ks::ui {

enum class Alignment { kLeft = 0, kRight = 1, kCenter = 2 };

class Label : public CaptionedControl {
 public:
  Label(Form& form, std::string name) : CaptionedControl(form, Kind::kLabel, std::move(name)) {}
  Label(Frame& frame, std::string name) : CaptionedControl(frame, Kind::kLabel, std::move(name)) {}

  Alignment GetAlignment() const { return alignment_; }
  void SetAlignment(Alignment alignment);
  // Colours as 0x00BBGGRR; -1 is the system default.
  int BackColor() const { return back_color_; }
  void SetBackColor(int color);
  int ForeColor() const { return fore_color_; }
  void SetForeColor(int color);

 protected:
  void KeepDesign(bool restore) override {
    CaptionedControl::KeepDesign(restore);
    Keep(restore, alignment_, back_color_, fore_color_);
  }

 private:
  Alignment alignment_ = Alignment::kLeft;
  int back_color_ = -1;
  int fore_color_ = -1;
};

class TextBox : public Control {
 public:
  TextBox(Form& form, std::string name) : Control(form, Kind::kTextBox, std::move(name)) {}
  TextBox(Frame& frame, std::string name) : Control(frame, Kind::kTextBox, std::move(name)) {}

  const std::string& Text() const { return text_; }
  void SetText(const std::string& text);
  // A locked box shows its text but takes no typing.
  bool Locked() const { return locked_; }
  void SetLocked(bool locked);

  Handler OnChange;
  // The user edited the text.
  void UserType(const std::string& text) { if (TakesInput() && !locked_) SetText(text); }


 protected:
  void KeepDesign(bool restore) override {
    Control::KeepDesign(restore);
    Keep(restore, text_, locked_);
  }
 private:
  std::string text_;
  bool locked_ = false;
};

}  // namespace ks::ui
