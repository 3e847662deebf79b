#include "ui/toolbar.h"

namespace ks::ui {

ButtonMenu& ToolButton::AddMenu(const std::string& key, const std::string& text) {
  ButtonMenu menu;
  menu.Key = key;
  menu.Text = text;
  menu.Index = static_cast<int>(ButtonMenus.size()) + 1;
  ButtonMenus.push_back(menu);
  return ButtonMenus.back();
}

ButtonMenu* ToolButton::Menu(const std::string& key) {
  for (auto& m : ButtonMenus)
    if (m.Key == key) return &m;
  return nullptr;
}

ToolButton& Toolbar::AddButton(const std::string& key, const std::string& caption, ButtonStyle style) {
  ToolButton button;
  button.Key = key;
  button.Caption = caption;
  button.Style = style;
  button.Index = static_cast<int>(buttons_.size()) + 1;
  buttons_.push_back(std::move(button));
  Changed();
  return buttons_.back();
}

ToolButton* Toolbar::Button(const std::string& key) {
  for (auto& b : buttons_)
    if (b.Key == key) return &b;
  return nullptr;
}

ToolButton* Toolbar::Button(int index) {
  return index >= 1 && index <= ButtonCount() ? &buttons_[static_cast<size_t>(index - 1)] : nullptr;
}

void Toolbar::SetButtonEnabled(const std::string& key, bool enabled) {
  ToolButton* b = Button(key);
  if (!b || b->Enabled == enabled) return;
  b->Enabled = enabled;
  Changed();
}

void Toolbar::SetMenuEnabled(const std::string& button_key, const std::string& menu_key, bool enabled) {
  ToolButton* b = Button(button_key);
  ButtonMenu* m = b ? b->Menu(menu_key) : nullptr;
  if (!m || m->Enabled == enabled) return;
  m->Enabled = enabled;
  Changed();
}

void Toolbar::UserClickButton(const std::string& key) {
  ToolButton* b = Button(key);
  if (!TakesInput() || !b || !b->Enabled || !b->Visible || b->Style == ButtonStyle::kSeparator) return;
  app().Log(FullName(), "ButtonClick");
  if (OnButtonClick) OnButtonClick(*b);
}

void Toolbar::UserClickMenu(const std::string& button_key, const std::string& menu_key) {
  ToolButton* b = Button(button_key);
  ButtonMenu* m = b ? b->Menu(menu_key) : nullptr;
  if (!TakesInput() || !m || !b->Enabled || !m->Enabled || !m->Visible) return;
  app().Log(FullName(), "ButtonMenuClick");
  if (OnButtonMenuClick) OnButtonMenuClick(*m);
}

}  // namespace ks::ui
