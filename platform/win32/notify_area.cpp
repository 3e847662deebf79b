#include "platform/win32/notify_area.h"

#include <algorithm>
#include <cstring>

#include "platform/win32/win.h"
// After win.h.
#include <shellapi.h>

namespace ks::win32 {

bool Win32NotifyArea::ShellNotifyIcon(platform::NotifyMessage message, const platform::NotifyIconData& data) {
  NOTIFYICONDATAA nid{};
  // The record as this program's headers declare it; the shell tells the
  // versions apart by this size.
  nid.cbSize = sizeof(nid);
  nid.hWnd = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(data.window));
  nid.uID = data.id;
  nid.uFlags = data.flags;
  nid.uCallbackMessage = data.callback_message;
  nid.hIcon = reinterpret_cast<HICON>(static_cast<std::uintptr_t>(data.icon));
  const size_t tip = std::min(data.tip.size(), sizeof(nid.szTip) - 1);
  std::memcpy(nid.szTip, data.tip.data(), tip);
  nid.szTip[tip] = '\0';
  return Shell_NotifyIconA(static_cast<DWORD>(message), &nid) != FALSE;
}

platform::IconHandle Win32NotifyArea::LoadProgramIcon(int resource) {
  HANDLE icon = LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resource), IMAGE_ICON,
                           GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR);
  return reinterpret_cast<std::uintptr_t>(icon);
}

}  // namespace ks::win32
