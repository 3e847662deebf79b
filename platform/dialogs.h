// Message boxes (MessageBoxA).
#pragma once

#include <string>

namespace ks::platform {

// Button sets and icons, with their Win32 values; combine with |.
enum : unsigned {
  kMbOk = 0x0,
  kMbOkCancel = 0x1,
  kMbYesNoCancel = 0x3,
  kMbYesNo = 0x4,
  kMbIconStop = 0x10,
  kMbIconQuestion = 0x20,
  kMbIconExclamation = 0x30,
  kMbIconInformation = 0x40,
};

// Buttons pressed.
enum : int { kIdOk = 1, kIdCancel = 2, kIdYes = 6, kIdNo = 7 };

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Shows a modal message box; returns the button pressed.
  virtual int MessageBox(const std::string& text, unsigned style, const std::string& caption) = 0;
};

}  // namespace ks::platform
