// Message boxes answered from a script; every box shown is logged.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace ks::fake {

class FakeDialogs : public platform::Dialogs {
 public:
  struct Shown {
    std::string text;
    unsigned style = 0;
    std::string caption;
  };

  int MessageBox(const std::string& text, unsigned style, const std::string& caption) override;

  // Queues the answer to the next box; without one, a box answers OK (or Yes
  // for a Yes/No box).
  void Answer(int button) { answers_.push_back(button); }
  const std::vector<Shown>& shown() const { return shown_; }
  void Clear() { shown_.clear(); }

 private:
  std::deque<int> answers_;
  std::vector<Shown> shown_;
};

}  // namespace ks::fake
