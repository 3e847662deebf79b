// Toolbar with buttons; a button of the drop-down style has an arrow that
// opens its ButtonMenus. Buttons and menus are found by Key or by their
// 1-based position.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/control.h"

namespace ks::ui {

enum class ButtonStyle { kDefault = 0, kCheck = 1, kSeparator = 3, kDropDown = 5 };

struct ButtonMenu {
  std::string Key;
  std::string Text;
  bool Enabled = true;
  bool Visible = true;
  int Index = 0;  // 1-based
};

struct ToolButton {
  std::string Key;
  std::string Caption;
  std::string ToolTipText;
  ButtonStyle Style = ButtonStyle::kDefault;
  bool Enabled = true;
  bool Visible = true;
  int Index = 0;  // 1-based
  std::vector<ButtonMenu> ButtonMenus;

  ButtonMenu& AddMenu(const std::string& key, const std::string& text);
  // nullptr when no menu has the key.
  ButtonMenu* Menu(const std::string& key);
};

class Toolbar : public Control {
 public:
  Toolbar(Form& form, std::string name) : Control(form, Kind::kToolbar, std::move(name)) {}

  ToolButton& AddButton(const std::string& key, const std::string& caption,
                        ButtonStyle style = ButtonStyle::kDefault);
  int ButtonCount() const { return static_cast<int>(buttons_.size()); }
  // nullptr when absent.
  ToolButton* Button(const std::string& key);
  ToolButton* Button(int index);
  const std::vector<ToolButton>& buttons() const { return buttons_; }
  // Changing a button or a menu through the pointers above: call Refresh() after.
  void SetButtonEnabled(const std::string& key, bool enabled);
  void SetMenuEnabled(const std::string& button_key, const std::string& menu_key, bool enabled);

  std::function<void(ToolButton&)> OnButtonClick;
  std::function<void(ButtonMenu&)> OnButtonMenuClick;

  // The user clicked an enabled button / a menu item; disabled ones do nothing.
  void UserClickButton(const std::string& key);
  void UserClickMenu(const std::string& button_key, const std::string& menu_key);

 protected:
  void KeepDesign(bool restore) override {
    Control::KeepDesign(restore);
    Keep(restore, buttons_);
  }

 private:
  std::vector<ToolButton> buttons_;
};

}  // namespace ks::ui
