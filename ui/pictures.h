// Image, picture box and line shape.
//
// A picture is named by its file (JPEG or BMP); the renderer decodes it
// with the system's image services. Loading a file that does not exist
// leaves the control empty; a file that is no picture leaves it as it was.
#pragma once

#include <vector>

#include "ui/control.h"

namespace ks::ui {

class PictureControl : public ClickableControl {
 public:
  using ClickableControl::ClickableControl;

  // The file shown, "" when empty.
  const std::string& Picture() const { return picture_; }
  // Shows the file; a missing file (or "") empties the control. A file
  // that cannot be read or is no picture the system's loader takes, by its
  // header (IsPictureFile), keeps the picture shown and gives false.
  // Otherwise false when the control is empty afterwards.
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

// One drawn primitive of a picture box, in twips from its top left corner.
struct DrawOp {
  enum class Shape { kLine, kPoint };
  Shape shape = Shape::kLine;
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // a point uses x1, y1
  int color = 0;                       // 0x00BBGGRR
  int width = 1;                       // pen width in pixels
  bool dotted = false;
  bool operator==(const DrawOp&) const = default;
};

inline constexpr int kWindowColor = -2;

enum class DrawStyle { kSolid = 0, kDot = 2 };

// A picture box also keeps what code draws into it (lines and points, over
// its background colour and picture) until Cls, so the drawing survives a
// repaint. Headless the drawing is the list of primitives; the renderer
// paints them with GDI.
class PictureBox : public PictureControl {
 public:
  PictureBox(Form& form, std::string name) : PictureControl(form, Kind::kPictureBox, std::move(name)) {}
  PictureBox(Frame& frame, std::string name) : PictureControl(frame, Kind::kPictureBox, std::move(name)) {}

  // 0x00BBGGRR; -1 is the control's default (the button face), kWindowColor
  // the system's window colour.
  int BackColor() const { return back_color_; }
  void SetBackColor(int color);
  // Pen width in pixels for what is drawn next; below 1 counts as 1.
  int DrawWidth() const { return draw_width_; }
  void SetDrawWidth(int pixels) { draw_width_ = pixels < 1 ? 1 : pixels; }
  DrawStyle GetDrawStyle() const { return draw_style_; }
  void SetDrawStyle(DrawStyle style) { draw_style_ = style; }

  // A line from (x1, y1) to (x2, y2), both ends included.
  void DrawLine(int x1, int y1, int x2, int y2, int color);
  // One point, as wide as the pen.
  void DrawPoint(int x, int y, int color);
  // Removes everything drawn.
  void Cls();
  const std::vector<DrawOp>& Drawing() const { return drawing_; }

 protected:
  void KeepDesign(bool restore) override {
    PictureControl::KeepDesign(restore);
    Keep(restore, back_color_, draw_width_, draw_style_, drawing_);
  }

 private:
  int back_color_ = -1;
  int draw_width_ = 1;
  DrawStyle draw_style_ = DrawStyle::kSolid;
  std::vector<DrawOp> drawing_;
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
