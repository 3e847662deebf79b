#include "ui/form.h"

#include <algorithm>

#include "ui/control.h"
#include "ui/menu.h"
#include "ui/timer.h"

namespace ks::ui {

Form::Form(App& app, std::string name) : app_(app), name_(std::move(name)) { app_.RegisterForm(this); }

Form::~Form() {
  if (app_.backend()) app_.backend()->FormGone(*this);
  app_.UnregisterForm(this);
}

void Form::Unregister(Control* control) {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
}

Control* Form::Find(const std::string& name, int index) const {
  for (Control* c : controls_)
    if (c->Name() == name && c->Index() == index) return c;
  return nullptr;
}

void Form::Load() {
  if (loaded_) return;
  loaded_ = true;
  shown_since_load_ = false;
  if (!designed_) {
    designed_ = true;
    design_ = Design{caption_, left_, top_, width_, height_, window_state_, opacity_};
    for (Control* c : controls_) c->SaveDesign();
    app_.Log(name_, "Initialize");
  } else {
    caption_ = design_.caption;
    left_ = design_.left;
    top_ = design_.top;
    width_ = design_.width;
    height_ = design_.height;
    window_state_ = design_.window_state;
    opacity_ = design_.opacity;
    for (Control* c : controls_) c->RestoreDesign();
  }
  app_.FormLoaded();
  for (Control* c : controls_)
    if (c->kind() == Kind::kTimer) app_.TimerReset(*static_cast<Timer*>(c));
  app_.Log(name_, "Load");
  Form_Load();
}

void Form::Show(bool modal) {
  Load();
  if (!loaded_) return;  // unloaded itself during Load
  if (!visible_) {
    visible_ = true;
    if (!shown_since_load_) {
      shown_since_load_ = true;
      PlaceAtStartUp();
      RaiseResize();
    }
    if (!loaded_ || !visible_) return;
    app_.FormChanged(*this);
  }
  if (!loaded_ || !visible_) return;
  RaiseActivate();
  if (modal && loaded_ && visible_) {
    ++modal_depth_;
    app_.RunModal(*this);
    --modal_depth_;
  }
}

void Form::Hide() {
  Load();
  if (!loaded_ || !visible_) return;
  visible_ = false;
  if (app_.ActiveForm() == this) app_.SetActiveForm(nullptr);
  app_.FormChanged(*this);
}

bool Form::Unload() {
  if (!loaded_) return true;
  int cancel = 0;
  app_.Log(name_, "Unload");
  Form_Unload(cancel);
  if (cancel != 0) return !loaded_;
  if (!loaded_) return true;  // unloaded again from inside its handler
  visible_ = false;
  loaded_ = false;
  if (app_.ActiveForm() == this) app_.SetActiveForm(nullptr);
  if (app_.backend()) app_.backend()->FormGone(*this);
  app_.Log(name_, "Terminate");
  Form_Terminate();
  return true;
}

std::uint64_t Form::hWnd() {
  if (!loaded_) return 0;
  if (app_.backend()) return app_.backend()->FormWindow(*this);
  // Headless: the form's place among the program's forms, made unique.
  const auto& all = app_.forms();
  const auto at = std::find(all.begin(), all.end(), this) - all.begin();
  return 0x10010 + 0x10 * static_cast<std::uint64_t>(at);
}

void Form::PopupMenu(Menu& menu) {
  if (!loaded_ || &menu.form() != this) return;
  menu.SetPopupOpen(true);
  if (app_.backend())
    app_.backend()->PopupMenu(*this, menu);
  else if (app_.OnPopupMenu)
    app_.OnPopupMenu(menu);
  menu.SetPopupOpen(false);
}

void Form::SetCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  app_.FormChanged(*this);
}

void Form::Move(int left, int top, int width, int height) {
  const bool resized = width != width_ || height != height_;
  if (!resized && left == left_ && top == top_) return;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  app_.FormChanged(*this);
  if (resized) RaiseResize();
}

void Form::SetWindowState(WindowState state) {
  if (state == window_state_) return;
  window_state_ = state;
  app_.FormChanged(*this);
  RaiseResize();
}

void Form::SetOpacity(int alpha) {
  alpha = std::clamp(alpha, 0, 255);
  if (alpha == opacity_) return;
  opacity_ = alpha;
  app_.FormChanged(*this);
}

void Form::UserActivate() {
  if (loaded_ && visible_) RaiseActivate();
}

void Form::UserMove(int left, int top, int width, int height) {
  const bool resized = width != width_ || height != height_;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (resized) RaiseResize();
}

void Form::UserWindowState(WindowState state) {
  if (state == window_state_) return;
  window_state_ = state;
  RaiseResize();
}

void Form::UserMouseMove(int button, int shift, float x, float y) {
  if (!loaded_) return;
  app_.Log(name_, "MouseMove");
  Form_MouseMove(button, shift, x, y);
}

bool Form::HasMinBox() const {
  return min_button_ && (border_style_ == BorderStyle::kFixedSingle || border_style_ == BorderStyle::kSizable);
}

bool Form::HasMaxBox() const {
  return max_button_ && (border_style_ == BorderStyle::kFixedSingle || border_style_ == BorderStyle::kSizable);
}

void Form::PlaceAtStartUp() {
  if (start_up_position_ == StartUpPosition::kManual) return;
  int screen_left = 0, screen_top = 0, screen_width = 0, screen_height = 0;
  app_.WorkArea(screen_left, screen_top, screen_width, screen_height);
  int area_left = screen_left, area_top = screen_top, area_width = screen_width, area_height = screen_height;
  Form* owner = app_.ActiveForm();
  if (start_up_position_ == StartUpPosition::kCenterOwner && owner && owner != this && owner->Visible() &&
      owner->GetWindowState() == WindowState::kNormal) {
    area_left = owner->Left();
    area_top = owner->Top();
    area_width = owner->Width();
    area_height = owner->Height();
  }
  left_ = area_left + (area_width - width_) / 2;
  top_ = area_top + (area_height - height_) / 2;
  // Keep the caption on the screen when the owner sits near an edge.
  left_ = std::clamp(left_, screen_left, std::max(screen_left, screen_left + screen_width - width_));
  top_ = std::clamp(top_, screen_top, std::max(screen_top, screen_top + screen_height - height_));
}

void Form::RaiseResize() {
  if (!loaded_) return;
  app_.Log(name_, "Resize");
  Form_Resize();
}

void Form::RaiseActivate() {
  if (app_.ActiveForm() == this) return;  // already the active form
  app_.SetActiveForm(this);
  app_.Log(name_, "Activate");
  Form_Activate();
}

}  // namespace ks::ui
