#include "ui/control.h"

#include "ui/form.h"

namespace ks::ui {

Control::Control(Form& form, Kind kind, std::string name) : form_(form), kind_(kind), name_(std::move(name)) {
  form_.Register(this);
}

Control::Control(Frame& container, Kind kind, std::string name)
    : form_(container.form()), container_(&container), kind_(kind), name_(std::move(name)) {
  form_.Register(this);
}

Control::~Control() {
  app().ControlGone(*this);
  form_.Unregister(this);
}

App& Control::app() const { return form_.app(); }

std::string Control::FullName() const {
  return index_ < 0 ? name_ : name_ + "(" + std::to_string(index_) + ")";
}

void Control::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Changed();
}

void Control::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Changed();
}

void Control::SetToolTipText(const std::string& text) {
  if (text == tooltip_) return;
  tooltip_ = text;
  Changed();
}

void Control::Move(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  Changed();
}

void Control::KeepDesign(bool restore) {
  Keep(restore, container_, visible_, enabled_, tooltip_, left_, top_, width_, height_, Tag);
}

void Control::SaveDesign() {
  design_.clear();
  KeepDesign(false);
}

void Control::RestoreDesign() {
  design_cursor_ = 0;
  KeepDesign(true);
}

bool Control::TakesInput() const {
  for (const Control* c = this; c; c = c->container_)
    if (!c->visible_ || !c->enabled_) return false;
  return true;
}

void Control::Changed() {
  if (form_.Loaded()) app().ControlChanged(*this);
}

void Control::Raise(const char* event, const Handler& handler) {
  app().Log(FullName(), event);
  if (handler) handler();
}

void Control::RaiseMouse(const char* event, const MouseHandler& handler, int button, int shift, float x, float y) {
  app().Log(FullName(), event);
  if (handler) handler(button, shift, x, y);
}

void CaptionedControl::SetCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  Changed();
}

}  // namespace ks::ui
