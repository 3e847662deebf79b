// pvx: the driver cleaner. Start-up asks for a cleaner profile; leaving
// that dialog without one ends the program. The main window then runs
// until it is closed.
#include "cleaner/pvx_form1.h"
#include "platform/win32/machine.h"
#include "platform/win32/win.h"
#include "ui/win32/renderer.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  ks::win32::Win32Machine machine;
  ks::pvx::PvxState state(machine);
  ks::ui::win32::Renderer renderer(state.app);
  ks::pvx::Form1 form(state);
  if (!form.Start()) return 0;
  form.Show();
  state.app.Run();
  return 0;
}
