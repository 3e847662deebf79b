// relayo: the online updater. One window; the program ends when it is
// unloaded.
#include "platform/win32/machine.h"
#include "platform/win32/win.h"
#include "ui/win32/renderer.h"
#include "updater/Form1.h"
#include "updater/relayo_state.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  ks::win32::Win32Machine machine;
  ks::relayo::RelayoState state(machine);
  ks::ui::win32::Renderer renderer(state.app);
  ks::relayo::Form1 form(state);
  form.Show();
  state.app.Run();
  return 0;
}
