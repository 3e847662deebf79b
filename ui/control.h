// The parts every control shares: name and control-array index, the form
// and container it sits in, Visible, Enabled, Tag, ToolTipText and its
// geometry in twips relative to its container. Frames are the containers.
//
// A control registers itself with its form when it is constructed and
// unregisters when destroyed, so declaring it as a form member is all it
// takes:   ui::Label Label17{*this, "Label17"};
// or, inside a frame declared before it:   ui::Label Label5{Frame3, "Label5"};
#pragma once

#include <any>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "ui/app.h"

namespace ks::ui {

class Form;
class Frame;

enum class Kind {
  kFrame,
  kLabel,
  kCommandButton,
  kCheckBox,
  kOptionButton,
  kComboBox,
  kListBox,
  kTextBox,
  kImage,
  kPictureBox,
  kLine,
  kTimer,
  kToolbar,
  kFlatScrollBar,
  kMenu,
  kDriveListBox,
  kDirListBox,
  kFileListBox,
};

using Handler = std::function<void()>;
// Mouse events: button and shift masks, position in twips in the control.
using MouseHandler = std::function<void(int button, int shift, float x, float y)>;

class Control {
 public:
  Control(Form& form, Kind kind, std::string name);
  Control(Frame& container, Kind kind, std::string name);
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  Kind kind() const { return kind_; }
  Form& form() const { return form_; }
  App& app() const;
  const std::string& Name() const { return name_; }
  // Index within its control array, -1 for a lone control.
  int Index() const { return index_; }
  // "Check7(3)" for an array element, "Label17" otherwise.
  std::string FullName() const;

  Frame* Container() const { return container_; }

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  const std::string& ToolTipText() const { return tooltip_; }
  void SetToolTipText(const std::string& text);
  // Free text for the program's own use; never shown.
  std::string Tag;

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int twips) { Move(twips, top_, width_, height_); }
  void SetTop(int twips) { Move(left_, twips, width_, height_); }
  void SetWidth(int twips) { Move(left_, top_, twips, height_); }
  void SetHeight(int twips) { Move(left_, top_, width_, twips); }
  void Move(int left, int top, int width, int height);

  // Visible and enabled, and so is every container around it: the user can
  // reach it. User* actions of a control that cannot be reached do nothing.
  // (The form's own state is the renderer's business, so tests can drive
  // the controls of a form they never loaded.)
  bool TakesInput() const;

  // The design: what the control held when its form was first loaded (what
  // the form's constructor set up). Every later Load of the form starts
  // from it again, without events, as a reloaded form does.
  void SaveDesign();
  void RestoreDesign();

  // Tells the renderer to show the control afresh (a control added at run time).
  void Refresh() { Changed(); }

  // Set by ControlArray when the control becomes one of its elements.
  void SetArrayIndex(int index) { index_ = index; }

 protected:
  // Tells the renderer that the control's state changed.
  void Changed();
  // Logs the event and runs the handler (if any) at once.
  void Raise(const char* event, const Handler& handler);
  void RaiseMouse(const char* event, const MouseHandler& handler, int button, int shift, float x, float y);

  // Each kind keeps its own properties: override, call the base first, then
  // Keep(restore, field, field, ...).
  virtual void KeepDesign(bool restore);
  template <class... T>
  void Keep(bool restore, T&... fields) {
    if (!restore) {
      design_.emplace_back(std::tuple<T...>(fields...));
    } else if (design_cursor_ < design_.size()) {
      std::tie(fields...) = std::any_cast<std::tuple<T...>&>(design_[design_cursor_++]);
    }
  }

 private:
  Form& form_;
  Frame* container_ = nullptr;
  Kind kind_;
  std::string name_;
  int index_ = -1;
  bool visible_ = true;
  bool enabled_ = true;
  std::string tooltip_;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  std::vector<std::any> design_;
  size_t design_cursor_ = 0;
};

// A control that raises Click and MouseMove.
class ClickableControl : public Control {
 public:
  using Control::Control;

  Handler OnClick;
  MouseHandler OnMouseMove;
  // The user's click raises Click; kinds with a value change it instead.
  void UserClick() { if (TakesInput()) Raise("Click", OnClick); }
  void UserMouseMove(int button, int shift, float x, float y) {
    if (TakesInput()) RaiseMouse("MouseMove", OnMouseMove, button, shift, x, y);
  }
};

// A clickable control that shows a caption.
class CaptionedControl : public ClickableControl {
 public:
  using ClickableControl::ClickableControl;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);

 protected:
  void KeepDesign(bool restore) override {
    ClickableControl::KeepDesign(restore);
    Keep(restore, caption_);
  }

 private:
  std::string caption_;
};

// A container (a page of the main window is a frame).
class Frame : public CaptionedControl {
 public:
  Frame(Form& form, std::string name) : CaptionedControl(form, Kind::kFrame, std::move(name)) {}
  Frame(Frame& container, std::string name) : CaptionedControl(container, Kind::kFrame, std::move(name)) {}
};

}  // namespace ks::ui
