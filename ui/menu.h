// The menus of a form's menu bar. A menu declared on the form is a title of
// the bar; one declared on a menu is an item of it (a menu with items opens
// them, one without raises Click). The caption "-" makes a separator.
//
//   ui::Menu mnu_File{*this, "mnu_File"};
//   ui::Menu mnu_Exit{mnu_File, "mnu_Exit"};
#pragma once

#include "ui/control.h"

namespace ks::ui {

class Menu : public Control {
 public:
  Menu(Form& form, std::string name) : Control(form, Kind::kMenu, std::move(name)) {}
  Menu(Menu& parent, std::string name) : Control(parent.form(), Kind::kMenu, std::move(name)), parent_(&parent) {}

  // The menu this item belongs to; nullptr for a title of the bar.
  Menu* Parent() const { return parent_; }
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  bool IsSeparator() const { return caption_ == "-"; }
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);

  Handler OnClick;
  // The user chose the item: nothing when it, or a menu above it, is
  // hidden or disabled, or when it is a separator. A menu shown as a popup
  // menu counts as visible while the popup is open.
  void UserClick();
  bool PopupOpen() const { return popup_open_; }
  // Form::PopupMenu marks the menu while its popup is open.
  void SetPopupOpen(bool open) { popup_open_ = open; }

 protected:
  void KeepDesign(bool restore) override {
    Control::KeepDesign(restore);
    Keep(restore, caption_, checked_);
  }

 private:
  Menu* parent_ = nullptr;
  std::string caption_;
  bool checked_ = false;
  bool popup_open_ = false;
};

}  // namespace ks::ui
