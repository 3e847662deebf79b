#include "ui/timer.h"

namespace ks::ui {

bool Timer::SetInterval(int ms) {
  if (ms < 0 || ms > 65535) return false;
  interval_ = ms;
  app().TimerReset(*this);
  return true;
}

void Timer::SetEnabled(bool enabled) {
  Control::SetEnabled(enabled);
  app().TimerReset(*this);
}

void Timer::Fire() {
  const std::int64_t now = app().Now();
  due_ms += interval_;
  if (due_ms <= now) due_ms = now + interval_;  // missed ticks are not made up
  running = true;
  Raise("Timer", OnTimer);
  running = false;
}

}  // namespace ks::ui
