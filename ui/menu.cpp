#include "ui/menu.h"

namespace ks::ui {

void Menu::SetCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  Changed();
}

void Menu::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  Changed();
}

void Menu::UserClick() {
  if (IsSeparator()) return;
  for (const Menu* m = this; m; m = m->parent_)
    if ((!m->Visible() && !m->popup_open_) || !m->Enabled()) return;
  Raise("Click", OnClick);
}

}  // namespace ks::ui
