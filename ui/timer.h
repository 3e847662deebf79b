// Timer: raises Timer every Interval milliseconds while Enabled and its
// form is loaded, on the GUI thread, from the event loop (DoEvents, Run,
// modal loops; headless: App::Advance). Setting Interval or Enabled
// restarts the count. Interval 0 stops it. A timer's handler is not
// re-entered by a DoEvents inside it.
#pragma once

#include <cstdint>

#include "ui/control.h"

namespace ks::ui {

class Timer : public Control {
 public:
  Timer(Form& form, std::string name) : Control(form, Kind::kTimer, std::move(name)) {}

  int Interval() const { return interval_; }
  // Milliseconds, 0..65535 (others refused).
  bool SetInterval(int ms);
  // Enabled() tells whether it runs; this restarts the count.
  void SetEnabled(bool enabled);

  Handler OnTimer;

  // For the loop.
  std::int64_t due_ms = 0;
  bool running = false;
  void Fire();


 protected:
  void KeepDesign(bool restore) override {
    Control::KeepDesign(restore);
    Keep(restore, interval_);
  }
 private:
  int interval_ = 0;
};

}  // namespace ks::ui
