// Image, picture box and line shape.
//
// A picture is named by its file (JPEG or BMP); the renderer decodes it
// with the system's image services. Loading a file that does not exist
// leaves the control empty.
#pragma once

#include "ui/control.h"

namespace ks::ui {

class PictureControl : public ClickableControl {
 public:
  using ClickableControl::ClickableControl;

  // The file shown, "" when empty.
  const std::string& Picture() const { return picture_; }
  // Shows the file; a missing file (or "") empties the control. False when
  // the control is empty afterwards.
  bool LoadPicture(const std::string& path);

 protected:
  void KeepDesign(bool restore) override {
    ClickableControl::KeepDesign(restore);
    Keep(restore, picture_);
  }
 private:
  std::string picture_;
};

class Image : public PictureControl {
 public:
  Image(Form& form, std::string name) : PictureControl(form, Kind::kImage, std::move(name)) {}
  Image(Frame& frame, std::string name) : PictureControl(frame, Kind::kImage, std::move(name)) {}

  // Stretched: the picture fills the control; otherwise drawn at its size.
  bool Stretch() const { return stretch_; }
  void SetStretch(bool stretch);


 protected:
  void KeepDesign(bool restore) override {
    PictureControl::KeepDesign(restore);
    Keep(restore, stretch_);
  }
 private:
  bool stretch_ = false;
};

class PictureBox : public PictureControl {
 public:
  PictureBox(Form& form, std::string name) : PictureControl(form, Kind::kPictureBox, std::move(name)) {}
  PictureBox(Frame& frame, std::string name) : PictureControl(frame, Kind::kPictureBox, std::move(name)) {}
};

class Line : public Control {
 public:
  Line(Form& form, std::string name) : Control(form, Kind::kLine, std::move(name)) {}
  Line(Frame& frame, std::string name) : Control(frame, Kind::kLine, std::move(name)) {}

  // End points in twips relative to the container.
  int X1() const { return x1_; }
  int Y1() const { return y1_; }
  int X2() const { return x2_; }
  int Y2() const { return y2_; }
  void SetPoints(int x1, int y1, int x2, int y2);
  // 0x00BBGGRR.
  int BorderColor() const { return color_; }
  void SetBorderColor(int color);


 protected:
  void KeepDesign(bool restore) override {
    Control::KeepDesign(restore);
    Keep(restore, x1_, y1_, x2_, y2_, color_);
  }
 private:
  int x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
  int color_ = 0;
};

}  // namespace ks::ui
