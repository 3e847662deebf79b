// Message boxes over user32. The owner window is the active window of the
// program, so a box is modal to it.
#pragma once

#include "platform/dialogs.h"

namespace ks::win32 {

class Win32Dialogs : public platform::Dialogs {
 public:
  int MessageBox(const std::string& text, unsigned style, const std::string& caption) override;
};

}  // namespace ks::win32
