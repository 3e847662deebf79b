// Turns the event log off for its lifetime and puts back what was there:
// a form's design-time values (captions, places, first values set in its
// constructor) raise no logged events.
#pragma once

#include "ui/app.h"

namespace ks::ui {

class DesignScope {
 public:
  explicit DesignScope(App& app) : app_(app), logging_(app.Logging) { app_.Logging = false; }
  ~DesignScope() { app_.Logging = logging_; }
  DesignScope(const DesignScope&) = delete;
  DesignScope& operator=(const DesignScope&) = delete;

 private:
  App& app_;
  bool logging_;
};

}  // namespace ks::ui
