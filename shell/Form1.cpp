#include "shell/Form1.h"

namespace ks {

Form1::Form1(SeState& state) : ui::Form(state.app, "Form1"), st_(state) {
  Combo17.OnClick = [this] { Combo17_Click(); };
}

}  // namespace ks
