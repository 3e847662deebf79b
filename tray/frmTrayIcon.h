// travo's start object: a window that is never shown. It puts the tray
// icon into the notification area, receives the icon's mouse messages as
// its own MouseMove (the icon's callback message is WM_MOUSEMOVE, so the
// mouse message arrives as the x coordinate in pixels) and opens the popup
// menu that starts the suite's programs, switches travo's own autostart,
// opens the preset window and the about box.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/notify_area.h"
#include "tray/Form1.h"
#include "tray/frmAbout.h"
#include "tray/travo_state.h"
#include "ui/ui.h"

namespace ks::travo {

// The icon resource of travo.exe shown in the notification area.
inline constexpr int kTrayIconResource = 2;
inline constexpr std::uint32_t kTrayIconId = 1;
inline constexpr std::uint32_t kWmMouseMove = 512;
inline constexpr std::uint32_t kWmLButtonDblClk = 515;
inline constexpr std::uint32_t kWmRButtonUp = 517;
inline constexpr int kTipBytes = 64;

// The menu items that start a program of the suite from travo's folder,
// with no arguments, in the normal window style with focus.
struct ProgramItem {
  const char* control;
  const char* caption;
  const char* program;  // file in the program folder
};
inline constexpr std::array<ProgramItem, 4> kProgramItems{{
    {"ksln", "Kestrelane SE", "KestrelaneSE.exe"},
    {"d3d", "Direct3D test utility", "info.exe"},
    {"pv", "Driver Cleaner", "pvx.exe"},
    {"relayo", "Auto update", "relayo.exe"},
}};

class frmTrayIcon : public ui::Form {
 public:
  frmTrayIcon(TravoState& state, frmAbout& about, Form1& presets);

  ui::CommandButton cmdExit{*this, "cmdExit"};
  ui::Menu mnuPopUp{*this, "mnuPopUp"};  // never shown as a menu bar
  ui::Menu ksln{mnuPopUp, "ksln"};
  ui::Menu d3d{mnuPopUp, "d3d"};
  ui::Menu pv{mnuPopUp, "pv"};
  ui::Menu relayo{mnuPopUp, "relayo"};
  ui::Menu line3{mnuPopUp, "line3"};
  ui::Menu startup{mnuPopUp, "startup"};
  ui::Menu line2{mnuPopUp, "line2"};
  ui::Menu Profiles{mnuPopUp, "Profiles"};
  ui::Menu line1{mnuPopUp, "line1"};
  ui::Menu mnuAbout{mnuPopUp, "mnuAbout"};
  ui::Menu mnuExit{mnuPopUp, "mnuExit"};

  // 1 while the start procedure runs: the autostart item's click then does nothing.
  std::int32_t Start = 0;
  // The last tray event decoded (a mouse message number).
  std::int32_t TrayMessage = 0;
  // True while one tray event is handled: events that arrive meanwhile
  // (while the popup menu is open) do nothing.
  bool TrayBusy = false;
  // The record handed to the notification area.
  platform::NotifyIconData TrayIconData;

  void ApplyLanguage();
  void startup_Click();
  void StartProgram(const char* program);
  // The autostart value's data: ProgramFolder & "\travo.exe", quoted.
  std::string AutostartCommand();

 protected:
  void Form_Load() override;
  void Form_MouseMove(int button, int shift, float x, float y) override;
  void Form_Unload(int& cancel) override;

 private:
  // The check mark shows what the registry holds: checked only when the
  // autostart value starts this copy (quoted or not).
  void ShowAutostart();
  void CenterOnScreen();

  TravoState& st_;
  frmAbout& about_;
  Form1& presets_;
};

}  // namespace ks::travo
