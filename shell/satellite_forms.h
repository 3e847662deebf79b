// The windows of other subsystems that the main window opens and closes:
// the registry editor, the profile manager and the application picker
// (tools/), and the performance wizard. The empty ones here have their
// captions, so that the main window can show and unload them; their
// subsystems give them their controls.
#pragma once

#include "shell/se_state.h"
#include "tools/Form3.h"
#include "tools/Form6.h"
#include "tools/Form7.h"
#include "ui/form.h"

namespace ks {

class Form4 : public ui::Form {
 public:
  explicit Form4(SeState& s) : ui::Form(s.app, "Form4") { SetCaption("Performance Wizard"); }
};


}  // namespace ks
