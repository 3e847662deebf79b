#include "tray/frmAbout.h"

#include "ui/design_scope.h"

namespace ks::travo {

frmAbout::frmAbout(TravoState& state) : ui::Form(state.app, "frmAbout"), st_(state) {
  ui::DesignScope design(app());
  SetCaption("About TRAVONIX");
  Move(0, 0, 4335, 2550);
  static constexpr const char* kLines[] = {"Kestrelane TRAVONIX", "Part of Kestrelane SE",
                                           "Presets and the suite's tools from the taskbar"};
  for (int i = 0; i < 3; ++i) {
    Label1[i].Move(240, 240 + 360 * i, 3735, 255);
    Label1[i].SetCaption(kLines[i]);
  }
  cmdOK.Move(1440, 1440, 1335, 375);
  cmdOK.SetCaption("&OK");
  cmdOK.OnClick = [this] { Unload(); };
}

namespace {

// A menu caption's "&" marks the key letter of the item; a window title
// shows it as it stands, so the title takes the text without the marks
// ("&&" stands for one "&").
std::string WithoutKeyMarks(const std::string& caption) {
  std::string shown;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && ++i == caption.size()) break;
    shown += caption[i];
  }
  return shown;
}

}  // namespace

// The about box is titled with the About menu item's caption.
void frmAbout::Form_Load() { SetCaption(WithoutKeyMarks(st_.Lang(5)) + " TRAVONIX"); }

}  // namespace ks::travo
