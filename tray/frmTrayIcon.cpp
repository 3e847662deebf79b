#include "tray/frmTrayIcon.h"

#include <cmath>

#include "platform/processes.h"
#include "ui/design_scope.h"

namespace ks::travo {

namespace {

constexpr std::uint32_t kCurrentDisplayMode = 0xFFFFFFFF;  // ENUM_CURRENT_SETTINGS

}  // namespace

frmTrayIcon::frmTrayIcon(TravoState& state, frmAbout& about, Form1& presets)
    : ui::Form(state.app, "frmTrayIcon"), st_(state), about_(about), presets_(presets) {
  ui::DesignScope design(app());
  SetCaption("Kestrelane TRAVONIX");
  Move(0, 0, 2400, 1200);
  cmdExit.Move(480, 240, 1215, 375);
  cmdExit.SetCaption("E&xit");
  mnuPopUp.SetCaption("PopUp_Menu");
  mnuPopUp.SetVisible(false);
  for (const ProgramItem& item : kProgramItems) {
    auto* menu = static_cast<ui::Menu*>(Find(item.control));
    menu->SetCaption(item.caption);
    const char* program = item.program;
    menu->OnClick = [this, program] { StartProgram(program); };
  }
  line3.SetCaption("-");
  startup.SetCaption("Run at system start up");
  startup.SetChecked(true);
  line2.SetCaption("-");
  Profiles.SetCaption("Profiles ...");
  line1.SetCaption("-");
  mnuAbout.SetCaption("&About");
  mnuExit.SetCaption("E&xit");

  startup.OnClick = [this] { startup_Click(); };
  Profiles.OnClick = [this] { presets_.Show(); };
  mnuAbout.OnClick = [this] { about_.Show(); };
  mnuExit.OnClick = [this] { Unload(); };
  cmdExit.OnClick = [this] {
    Hide();
    Unload();
  };
}

std::string frmTrayIcon::AutostartCommand() { return ks::AutostartCommand(st_.ProgramFolder()); }

void frmTrayIcon::ApplyLanguage() {
  Profiles.SetCaption(st_.Lang(6));
  mnuExit.SetCaption(st_.Lang(4));
  mnuAbout.SetCaption(st_.Lang(5));
  startup.SetCaption(st_.Lang(7));
}

void frmTrayIcon::CenterOnScreen() {
  platform::DisplayMode mode;
  if (!st_.platform.display_settings().EnumDisplaySettings(kCurrentDisplayMode, &mode)) return;
  const ui::TwipsScale screen = app().Screen();
  const int width = screen.Twips(static_cast<int>(mode.width)), height = screen.Twips(static_cast<int>(mode.height));
  Move((width - Width()) / 2, (height - Height()) / 2, Width(), Height());
}

void frmTrayIcon::Form_Load() {
  st_.language.LoadLanguage();
  ApplyLanguage();
  Start = 1;
  CenterOnScreen();

  TrayIconData = platform::NotifyIconData{};
  TrayIconData.window = hWnd();
  TrayIconData.id = kTrayIconId;
  TrayIconData.flags = platform::kNifMessage | platform::kNifIcon | platform::kNifTip;
  TrayIconData.callback_message = kWmMouseMove;
  TrayIconData.icon = st_.platform.notify_area().LoadProgramIcon(kTrayIconResource);
  TrayIconData.tip = std::string("Kestrelane TRAVONIX") + '\0';
  TrayIconData.tip.resize(kTipBytes, ' ');
  // Without a taskbar the program runs on without an icon.
  st_.platform.notify_area().ShellNotifyIcon(platform::NotifyMessage::kAdd, TrayIconData);
  // The window itself is never shown, so it has no taskbar entry.
  Hide();

  const RegRead autostart = st_.reg.ReadRegValue(kHkeyCurrentUser, kAutostartRunKey, kAutostartValue);
  if (autostart.IsEmpty()) {
    startup.SetChecked(false);
  } else if (autostart.AsText() != AutostartCommand()) {
    // Another copy of travo (moved, or started from elsewhere) hands the
    // autostart over to this one; this copy's path without quotes is
    // written again quoted.
    st_.reg.WriteRegValue(kHkeyCurrentUser, kAutostartRunKey, kAutostartValue, AutostartCommand());
    ShowAutostart();
  }
  Start = 0;
}

void frmTrayIcon::ShowAutostart() {
  startup.SetChecked(
      IsOwnAutostart(st_.reg.ReadRegValue(kHkeyCurrentUser, kAutostartRunKey, kAutostartValue).AsText(),
                     st_.ProgramFolder()));
}

void frmTrayIcon::startup_Click() {
  if (Start == 1) return;
  if (startup.Checked())
    st_.reg.DeleteRegValue(kHkeyCurrentUser, kAutostartRunKey, kAutostartValue);
  else
    st_.reg.WriteRegValue(kHkeyCurrentUser, kAutostartRunKey, kAutostartValue, AutostartCommand());
  // A write or delete that failed leaves the mark as the registry has it.
  ShowAutostart();
}

void frmTrayIcon::StartProgram(const char* program) {
  // A program that is missing or cannot start is passed over; travo runs on.
  st_.platform.processes().StartProgram(platform::QuotedProgram(st_.ProgramFolder() + "\\" + program),
                                        platform::WindowStyle::kNormalFocus);
}

void frmTrayIcon::Form_MouseMove(int button, int shift, float x, float y) {
  TrayMessage = static_cast<std::int32_t>(std::nearbyint(x / static_cast<float>(app().Screen().TwipsPerPixel())));
  if (TrayBusy) return;
  TrayBusy = true;
  if (TrayMessage == static_cast<std::int32_t>(kWmLButtonDblClk))
    about_.Show();
  else if (TrayMessage == static_cast<std::int32_t>(kWmRButtonUp))
    PopupMenu(mnuPopUp);
  TrayBusy = false;
}

void frmTrayIcon::Form_Unload(int& cancel) {
  platform::NotifyIconData remove;
  remove.window = TrayIconData.window != 0 ? TrayIconData.window : hWnd();
  remove.id = kTrayIconId;
  st_.platform.notify_area().ShellNotifyIcon(platform::NotifyMessage::kDelete, remove);
}

}  // namespace ks::travo
