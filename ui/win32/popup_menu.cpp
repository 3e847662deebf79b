// Popup menus and the windows of hidden forms: a program that lives in the
// notification area has no visible window, yet the taskbar sends its icon's
// messages to one and opens its menu from it.
#include <algorithm>
#include <vector>

#include "ui/win32/renderer.h"
#include "ui/win32/renderer_internal.h"

namespace ks::ui::win32 {

std::uint64_t Renderer::FormWindow(Form& form) {
  if (!form.Loaded()) return 0;
  if (!FindForm(form)) {
    const Mirroring mirroring(*this);
    CreateFormWindow(form);  // made without WS_VISIBLE: it stays hidden
  }
  return reinterpret_cast<std::uintptr_t>(FindForm(form)->hwnd);
}

HMENU Renderer::BuildPopup(const Form& form, const Menu* parent, std::vector<Menu*>& items) {
  HMENU popup = CreatePopupMenu();
  const auto& controls = form.controls();
  for (Control* c : controls) {
    if (c->kind() != Kind::kMenu) continue;
    auto* menu = static_cast<Menu*>(c);
    if (menu->Parent() != parent || !menu->Visible()) continue;
    if (menu->IsSeparator()) {
      AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    const UINT flags = (menu->Enabled() ? 0 : MF_GRAYED) | (menu->Checked() ? MF_CHECKED : 0);
    const bool has_items = std::any_of(controls.begin(), controls.end(), [menu](const Control* other) {
      return other->kind() == Kind::kMenu && static_cast<const Menu*>(other)->Parent() == menu;
    });
    if (has_items) {
      AppendMenuA(popup, MF_POPUP | flags, reinterpret_cast<UINT_PTR>(BuildPopup(form, menu, items)),
                  menu->Caption().c_str());
    } else {
      items.push_back(menu);
      AppendMenuA(popup, MF_STRING | flags, static_cast<UINT_PTR>(items.size()), menu->Caption().c_str());
    }
  }
  return popup;
}

void Renderer::PopupMenu(Form& form, Menu& menu) {
  const auto hwnd = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(FormWindow(form)));
  if (!hwnd) return;
  ShowPending();  // the menu runs a loop of its own
  std::vector<Menu*> items;
  HMENU popup = BuildPopup(form, &menu, items);
  POINT at{};
  GetCursorPos(&at);
  // The menu closes on a click elsewhere only while its owner is the
  // foreground window, hidden or not.
  SetForegroundWindow(hwnd);
  const int chosen = static_cast<int>(
      TrackPopupMenuEx(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, at.x, at.y, hwnd, nullptr));
  PostMessageA(hwnd, WM_NULL, 0, 0);
  DestroyMenu(popup);
  if (chosen > 0 && chosen <= static_cast<int>(items.size())) items[static_cast<size_t>(chosen - 1)]->UserClick();
}

}  // namespace ks::ui::win32
