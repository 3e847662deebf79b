// The setting writers' control updates on the main window Form1.
#pragma once

#include "engine/writer_controls.h"

namespace ks {

class Form1;

class Form1SettingControls : public SettingControls {
 public:
  explicit Form1SettingControls(Form1& form) : form_(form) {}
  // A combo's Text (raising its Change event when the text changes) or a
  // label's Caption; a label element that is not loaded is skipped.
  void SetControlText(WriterControl control, const std::string& text) override;

 private:
  Form1& form_;
};

}  // namespace ks
