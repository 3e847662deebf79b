// travo's about box: the program's name, the suite it belongs to and a
// line of our own; OK unloads it.
#pragma once

#include "tray/travo_state.h"
#include "ui/ui.h"

namespace ks::travo {

class frmAbout : public ui::Form {
 public:
  explicit frmAbout(TravoState& state);

  ui::ControlArray<ui::Label> Label1{*this, "Label1", 3};
  ui::CommandButton cmdOK{*this, "cmdOK"};

 protected:
  // The caption: language slot 5 followed by " TRAVONIX".
  void Form_Load() override;

 private:
  TravoState& st_;
};

}  // namespace ks::travo
