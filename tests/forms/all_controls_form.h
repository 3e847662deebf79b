// A form with one control of every kind, for the toolkit's tests.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/ui.h"

namespace ks::test {

class AllControlsForm : public ui::Form {
 public:
  explicit AllControlsForm(ui::App& app, std::string name = "Test") : ui::Form(app, std::move(name)) {
    Combo1.AddItem("alpha");
    Combo1.AddItem("Beta");
    Combo2.AddItem("one");
    Combo2.AddItem("two");
    List1.AddItem("x");
    List1.AddItem("y");
    Scroll1.SetMax(10);
    Option3.LoadIn(Frame1, 0);
    auto& menu_button = Toolbar1.AddButton("tools", "Tools", ui::ButtonStyle::kDropDown);
    menu_button.AddMenu("regedit", "Registry editor");
    menu_button.AddMenu("pedit", "Profile manager").Enabled = false;
    Toolbar1.AddButton("home", "Home");
    Toolbar1.AddButton("off", "Off").Enabled = false;
    Toolbar1.OnButtonMenuClick = [this](ui::ButtonMenu& m) { trace.push_back("menu " + m.Key); };
    Toolbar1.OnButtonClick = [this](ui::ToolButton& b) { trace.push_back("button " + b.Key); };
    mnu_File.SetCaption("&File");
    mnu_Open.SetCaption("&Open");
    mnu_Sep.SetCaption("-");
    mnu_Exit.SetCaption("E&xit");
    mnu_Open.OnClick = [this] { trace.push_back("menu open"); };
  }

  ui::Frame Frame1{*this, "Frame1"};
  ui::Label Label1{*this, "Label1"};
  ui::CommandButton Command1{*this, "Command1"};
  ui::CheckBox Check1{*this, "Check1"};
  ui::ControlArray<ui::OptionButton> Option1{*this, "Option1", 3};
  ui::OptionButton Option2{Frame1, "Option2"};  // another container: its own group
  ui::ControlArray<ui::OptionButton> Option3{*this, "Option3"};
  ui::ComboBox Combo1{*this, "Combo1"};
  ui::ComboBox Combo2{*this, "Combo2", ui::ComboStyle::kDropDownList};
  ui::ListBox List1{*this, "List1"};
  ui::TextBox Text1{*this, "Text1"};
  ui::Image Image1{*this, "Image1"};
  ui::PictureBox Picture1{*this, "Picture1"};
  ui::Line Line1{*this, "Line1"};
  ui::Timer Timer1{*this, "Timer1"};
  ui::Toolbar Toolbar1{*this, "Toolbar1"};
  ui::FlatScrollBar Scroll1{*this, "Scroll1"};
  ui::Menu mnu_File{*this, "mnu_File"};
  ui::Menu mnu_Open{mnu_File, "mnu_Open"};
  ui::Menu mnu_Sep{mnu_File, "mnu_Sep"};
  ui::Menu mnu_Exit{mnu_File, "mnu_Exit"};

  std::vector<std::string> trace;
  std::function<void()> on_load;
  std::function<void(int&)> on_unload;

 protected:
  void Form_Load() override {
    if (on_load) on_load();
  }
  void Form_Unload(int& cancel) override {
    if (on_unload) on_unload(cancel);
  }
};

}  // namespace ks::test
