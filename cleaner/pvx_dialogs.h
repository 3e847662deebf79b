// pvx's small windows: the profile dialog (Form2), the about box (Form3)
// and the search notice (Form4).
#pragma once

#include "cleaner/pvx_state.h"
#include "ui/ui.h"

namespace ks::pvx {

// The profile dialog: lists "data\cleaner\*.pvx" (names without their
// extension); Select stores the entry as ProfileName and closes. Exit and
// the close box close it without a choice (Chosen() stays false).
class Form2 : public ui::Form {
 public:
  explicit Form2(PvxState& state);

  ui::Label Label1{*this, "Label1"};
  ui::ComboBox Combo1{*this, "Combo1", ui::ComboStyle::kDropDownCombo};
  ui::ControlArray<ui::CommandButton> Command1{*this, "Command1", 2};  // Select, Exit

  // Set by Select: the caption the main window takes.
  std::string ChosenCaption;
  bool Chosen() const { return chosen_; }

  void Combo1_Click();
  void Command1_Click(int index);

 protected:
  void Form_Load() override;

 private:
  PvxState& st_;
  bool chosen_ = false;
};

// The about box: product name, version line and a picture.
class Form3 : public ui::Form {
 public:
  explicit Form3(PvxState& state);

  ui::Image Image1{*this, "Image1"};
  ui::ControlArray<ui::Label> Label1{*this, "Label1", 2};  // product name, version
  ui::CommandButton Command1{*this, "Command1"};           // OK

 protected:
  void Form_Load() override;

 private:
  PvxState& st_;
};

// The search notice: shown while a search runs; a click closes it.
class Form4 : public ui::Form {
 public:
  explicit Form4(PvxState& state);

  ui::Label Label1{*this, "Label1"};

 protected:
  void Form_Load() override;

 private:
  PvxState& st_;
};

}  // namespace ks::pvx
