// The notification area of the taskbar (Shell_NotifyIconA) and the icons
// of the running program.
#pragma once

#include <cstdint>
#include <string>

#include "platform/shell_services.h"

namespace ks::platform {

using IconHandle = std::uint64_t;  // an HICON; 0 for none

// Shell_NotifyIconA messages.
enum class NotifyMessage : std::uint32_t { kAdd = 0, kModify = 1, kDelete = 2 };

// NOTIFYICONDATAA uFlags: which of the fields below are valid.
inline constexpr std::uint32_t kNifMessage = 0x1;
inline constexpr std::uint32_t kNifIcon = 0x2;
inline constexpr std::uint32_t kNifTip = 0x4;

// The fields of the system's notification record. Its size field is the
// Win32 side's business (the size of the record the headers declare).
struct NotifyIconData {
  WindowHandle window = 0;          // receives the callback message
  std::uint32_t id = 0;             // the program's own number for the icon
  std::uint32_t flags = 0;          // kNif* bits
  std::uint32_t callback_message = 0;
  IconHandle icon = 0;
  // The tip as ANSI bytes; the system shows it up to its first NUL (and at
  // most 63 bytes).
  std::string tip;
};

class NotifyArea {
 public:
  virtual ~NotifyArea() = default;
  // Shell_NotifyIconA. Adding an icon that is there already, or changing or
  // removing one that is not, fails. True on success.
  virtual bool ShellNotifyIcon(NotifyMessage message, const NotifyIconData& data) = 0;
  // The running program's icon resource of that number at the small icon
  // size (LoadImageA); 0 when the program has no such icon. The icon lives
  // as long as the process.
  virtual IconHandle LoadProgramIcon(int resource) = 0;
};

}  // namespace ks::platform
