#include "tools/Form7.h"

#include "tools/Form6.h"
#include "ui/design_scope.h"

namespace ks {

std::string JoinFolder(const std::string& folder, const std::string& name) {
  if (!folder.empty() && folder.back() == '\\') return folder + name;
  return folder + "\\" + name;
}

Form7::Form7(SeState& state) : ui::Form(state.app, "Form7"), st_(state) {
  ui::DesignScope design(app());
  SetCaption("Select Associated application");
  Move(0, 0, 5400, 4500);
  SetBorderStyle(ui::BorderStyle::kFixedDialog);
  SetStartUpPosition(ui::StartUpPosition::kCenterOwner);
  Drive1.Move(120, 120, 2400, 315);
  Dir1.Move(120, 540, 2400, 2760);
  File1.Move(2640, 120, 2520, 3180);
  Text1.Move(120, 3420, 5040, 315);
  Text1.SetLocked(true);
  Command2[1].Move(2520, 3840, 1215, 375);
  Command2[1].SetCaption("OK");
  Command2[0].Move(3945, 3840, 1215, 375);
  Command2[0].SetCaption("Cancel");

  Drive1.OnChange = [this] { Drive1_Change(); };
  Dir1.OnChange = [this] { Dir1_Change(); };
  File1.OnClick = [this] { File1_Click(); };
  Command2.OnClick = [this](int index) { Command2_Click(index); };
}

Form6* Form7::Owner() const { return owner_ && owner_->Loaded() ? owner_ : nullptr; }

void Form7::Form_Load() {
  File1.SetPattern("*.exe");
  Command2[0].SetCaption(st_.Lang(204));
  SetCaption(st_.Lang(238));
}

void Form7::Drive1_Change() {
  // A drive without a medium has no folder to show.
  if (!Dir1.SetPath(Drive1.Drive())) Dir1.SetPath("c:");
}

void Form7::Dir1_Change() { File1.SetPath(Dir1.Path()); }

void Form7::File1_Click() {
  Text1.SetText(JoinFolder(Dir1.Path(), File1.FileName()));
  if (Form6* owner = Owner()) owner->Text3.SetText(Dir1.Path());
}

void Form7::Command2_Click(int index) {
  if (index == 1) {
    if (Form6* owner = Owner()) owner->Text2.SetText(Text1.Text());
  }
  Unload();
}

}  // namespace ks
