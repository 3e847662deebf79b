#include "cleaner/pvx_dialogs.h"

#include "cleaner/pvx_version.h"
#include "ui/design_scope.h"

namespace ks::pvx {

Form2::Form2(PvxState& state) : ui::Form(state.app, "Form2"), st_(state) {
  ui::DesignScope design(app());  // design-time values raise no logged events
  SetCaption(kPvxCaption);
  Move(0, 0, 4200, 1950);
  Label1.Move(120, 120, 3855, 255);
  Label1.SetCaption("Select profile:");
  Combo1.Move(120, 420, 3855, 315);
  Combo1.SetText("Select from list");
  Command1[0].Move(120, 900, 1815, 375);
  Command1[0].SetCaption("Select");
  Command1[0].SetEnabled(false);
  Command1[1].Move(2160, 900, 1815, 375);
  Command1[1].SetCaption("Exit");
  Combo1.OnClick = [this] { Combo1_Click(); };
  Command1.OnClick = [this](int index) { Command1_Click(index); };
}

void Form2::Form_Load() {
  chosen_ = false;
  ChosenCaption.clear();
  Label1.SetCaption(st_.Lang(18));
  Command1[0].SetCaption(st_.Lang(20));
  Combo1.Clear();
  for (const std::string& name : st_.platform.files().List(st_.DataPath("\\data\\cleaner\\*.pvx"))) {
    Combo1.AddItem(name.size() >= 4 ? name.substr(0, name.size() - 4) : std::string());
  }
  Combo1.SetText(st_.Lang(19));
}

void Form2::Combo1_Click() {
  if (Combo1.ListIndex() >= 0) Command1[0].SetEnabled(true);
}

void Form2::Command1_Click(int index) {
  if (index == 0) {
    const int chosen = Combo1.ListIndex();
    if (chosen < 0) return;
    const std::string entry = Combo1.List(chosen);
    st_.ProfileName = entry + ".pvx";
    ChosenCaption = std::string(kPvxCaption) + " - " + entry + st_.Lang(21);
    chosen_ = true;
  }
  Unload();
}

Form3::Form3(PvxState& state) : ui::Form(state.app, "Form3"), st_(state) {
  ui::DesignScope design(app());  // design-time values raise no logged events
  SetCaption("About");
  Move(0, 0, 4800, 2400);
  Image1.Move(120, 120, 975, 975);
  Image1.SetStretch(true);
  Label1[0].Move(1320, 240, 3255, 255);
  Label1[0].SetCaption(kPvxCaption);
  Label1[1].Move(1320, 600, 3255, 255);
  Label1[1].SetCaption("version: 1.00");
  Command1.Move(3240, 1440, 1335, 375);
  Command1.SetCaption("OK");
  Command1.OnClick = [this] { Unload(); };
}

void Form3::Form_Load() {
  SetCaption(st_.Lang(28));
  Label1[1].SetCaption(st_.Lang(22) + std::to_string(PVX_VERSION_MAJOR) + "." + std::to_string(PVX_VERSION_MINOR) +
                       "." + std::to_string(PVX_VERSION_REVISION));
  Image1.LoadPicture(st_.DataPath("\\data\\cleaner\\pvx.bmp"));
}

Form4::Form4(PvxState& state) : ui::Form(state.app, "Form4"), st_(state) {
  ui::DesignScope design(app());  // design-time values raise no logged events
  SetCaption(kPvxCaption);
  Move(0, 0, 3600, 1200);
  Label1.Move(120, 240, 3255, 255);
  Label1.SetCaption("Searching files ...");
  Label1.SetAlignment(ui::Alignment::kCenter);
  Label1.OnClick = [this] { Unload(); };
}

void Form4::Form_Load() { Label1.SetCaption(st_.Lang(34)); }

}  // namespace ks::pvx
