#include "engine/form1_controls.h"

#include "shell/Form1.h"

namespace ks {

namespace {

void SetCaption(ui::ControlArray<ui::Label>& labels, int index, const std::string& text) {
  if (labels.Has(index)) labels[index].SetCaption(text);
}

}  // namespace

void Form1SettingControls::SetControlText(WriterControl control, const std::string& text) {
  switch (control) {
    case WriterControl::kNone: break;
    case WriterControl::kCombo4: form_.Combo4.SetText(text); break;
    case WriterControl::kCombo2: form_.Combo2.SetText(text); break;
    case WriterControl::kCombo8: form_.Combo8.SetText(text); break;
    case WriterControl::kCombo7: form_.Combo7.SetText(text); break;
    case WriterControl::kLabel6_3: SetCaption(form_.Label6, 3, text); break;
    case WriterControl::kLabel4_4: SetCaption(form_.Label4, 4, text); break;
    case WriterControl::kLabel4_3: SetCaption(form_.Label4, 3, text); break;
  }
}

}  // namespace ks
