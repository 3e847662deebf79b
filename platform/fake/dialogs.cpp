#include "platform/fake/dialogs.h"

namespace ks::fake {

int FakeDialogs::MessageBox(const std::string& text, unsigned style, const std::string& caption) {
  shown_.push_back(Shown{text, style, caption});
  if (!answers_.empty()) {
    int answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  unsigned buttons = style & 0xF;
  return buttons == platform::kMbYesNo || buttons == platform::kMbYesNoCancel ? platform::kIdYes : platform::kIdOk;
}

}  // namespace ks::fake
