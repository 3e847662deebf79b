#include "platform/win32/dialogs.h"

#include "platform/win32/win.h"

namespace ks::win32 {

int Win32Dialogs::MessageBox(const std::string& text, unsigned style, const std::string& caption) {
  return MessageBoxA(GetActiveWindow(), text.c_str(), caption.c_str(), style);
}

}  // namespace ks::win32
