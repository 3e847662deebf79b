#include "ui/app.h"

#include <algorithm>

#include "ui/control.h"
#include "ui/form.h"
#include "ui/timer.h"

namespace ks::ui {

void App::SetBackend(Backend* backend) {
  backend_ = backend;
  Logging = backend == nullptr;
}

int App::LoadedCount() const {
  return static_cast<int>(std::count_if(forms_.begin(), forms_.end(), [](Form* f) { return f->Loaded(); }));
}

int App::MsgBox(const std::string& text, unsigned style, const std::string& caption) {
  // The box runs the system's loop: the windows behind it show the model as it is.
  if (backend_) backend_->ShowPending();
  return dialogs_.MessageBox(text, style, caption.empty() ? Title : caption);
}

std::uint64_t App::WindowHandle(Form& form) { return backend_ ? backend_->FormWindow(form) : 0; }

std::uint64_t App::WindowHandle(Control& control) { return backend_ ? backend_->ControlHandle(control) : 0; }

std::int64_t App::Now() const { return backend_ ? backend_->NowMs() : virtual_ms_; }

std::vector<std::string> App::TakeEvents() {
  std::vector<std::string> taken;
  taken.swap(events_);
  return taken;
}

void App::Log(const std::string& source, const char* event) {
  if (Logging) events_.push_back(source + "." + event);
}

void App::RegisterForm(Form* form) { forms_.push_back(form); }

void App::UnregisterForm(Form* form) {
  if (active_ == form) active_ = nullptr;
  forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
}

void App::ControlChanged(Control& control) {
  if (backend_) backend_->ControlChanged(control);
}

void App::ControlGone(Control& control) {
  if (backend_) backend_->ControlGone(control);
}

void App::FormChanged(Form& form) {
  if (backend_) backend_->FormChanged(form);
}

void App::TimerReset(Timer& timer) {
  timer.due_ms = Now() + timer.Interval();
  if (backend_) backend_->TimersChanged();
}

std::vector<Timer*> App::LiveTimers() const {
  std::vector<Timer*> timers;
  for (Form* form : forms_) {
    if (!form->Loaded()) continue;
    for (Control* c : form->controls()) {
      if (c->kind() != Kind::kTimer) continue;
      auto* t = static_cast<Timer*>(c);
      if (t->Enabled() && t->Interval() > 0 && !t->running) timers.push_back(t);
    }
  }
  return timers;
}

std::int64_t App::NextDue() const {
  std::int64_t next = -1;
  for (Timer* t : LiveTimers())
    if (next < 0 || t->due_ms < next) next = t->due_ms;
  return next;
}

bool App::RunDueTimers() {
  const std::int64_t now = Now();
  std::vector<Timer*> due;
  for (Timer* t : LiveTimers())
    if (t->due_ms <= now) due.push_back(t);
  std::stable_sort(due.begin(), due.end(), [](Timer* a, Timer* b) { return a->due_ms < b->due_ms; });
  bool ran = false;
  for (Timer* t : due) {
    // An earlier handler may have stopped, unloaded or destroyed this one.
    auto live = LiveTimers();
    if (std::find(live.begin(), live.end(), t) == live.end() || t->due_ms > now) continue;
    t->Fire();
    ran = true;
  }
  return ran;
}

bool App::RunPosted() {
  if (posted_.empty()) return false;
  auto action = std::move(posted_.front());
  posted_.pop_front();
  action();
  return true;
}

void App::DoEvents() {
  if (backend_) backend_->Pump(false, -1);
  for (size_t n = posted_.size(); n > 0 && RunPosted(); --n) {
  }
  RunDueTimers();
}

bool App::Step(std::int64_t deadline) {
  if (backend_) {
    backend_->Pump(true, NextDue());
    RunPosted();
    RunDueTimers();
    return true;
  }
  if (RunPosted() || RunDueTimers()) return true;
  const std::int64_t next = NextDue();
  if (next < 0 || next > deadline) return false;
  virtual_ms_ = std::max(virtual_ms_, next);
  RunDueTimers();
  return true;
}

void App::Run() {
  const std::int64_t deadline = Now() + RunLimitMs;
  while (!Ended() && Step(deadline)) {
  }
}

void App::RunModal(Form& form) {
  if (backend_) backend_->ModalBegin(form);
  const std::int64_t deadline = Now() + RunLimitMs;
  while (form.Loaded() && form.Visible() && !Ended() && Step(deadline)) {
  }
  if (backend_) backend_->ModalEnd(form);
}

void App::Advance(std::int64_t ms) {
  const std::int64_t target = virtual_ms_ + ms;
  for (;;) {
    while (RunPosted()) {
    }
    const std::int64_t next = NextDue();
    if (next < 0 || next > target) break;
    virtual_ms_ = std::max(virtual_ms_, next);
    RunDueTimers();
  }
  virtual_ms_ = target;
}

void App::WorkArea(int& left, int& top, int& width, int& height) {
  if (backend_) {
    backend_->WorkArea(left, top, width, height);
    return;
  }
  HeadlessWorkArea(left, top, width, height);
}

TwipsScale App::Screen() const { return TwipsScale(backend_ ? backend_->PixelsPerInch() : kDefaultPixelsPerInch); }

}  // namespace ks::ui
