// The windows of other subsystems that the main window opens and closes:
// the registry editor (tools/Form3.h), the performance wizard
// (pages/Form4.h), the profile manager and the application picker. The
// empty ones here have their captions, so that the main window can show and
// unload them; their subsystems give them their controls.
#pragma once

#include "pages/Form4.h"
#include "shell/se_state.h"
#include "tools/Form3.h"
#include "ui/form.h"

namespace ks {

class Form6 : public ui::Form {
 public:
  explicit Form6(SeState& s) : ui::Form(s.app, "Form6") { SetCaption("Profile manager"); }
};

class Form7 : public ui::Form {
 public:
  explicit Form7(SeState& s) : ui::Form(s.app, "Form7") { SetCaption("Select Associated application"); }
};

}  // namespace ks
