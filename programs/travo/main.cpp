// travo: the tray launcher. Its start object is frmTrayIcon, a window that
// is never shown; the program runs while one of its windows is loaded.
#include "platform/win32/machine.h"
#include "platform/win32/win.h"
#include "tray/Form1.h"
#include "tray/frmAbout.h"
#include "tray/frmTrayIcon.h"
#include "tray/travo_state.h"
#include "ui/win32/renderer.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  ks::win32::Win32Machine machine;
  ks::travo::TravoState state(machine);
  ks::ui::win32::Renderer renderer(state.app);
  ks::travo::frmAbout about(state);
  ks::travo::Form1 presets(state);
  ks::travo::frmTrayIcon tray(state, about, presets);
  tray.Load();
  state.app.Run();
  return 0;
}
