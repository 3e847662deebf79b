// KestrelaneSE: the main program.
#include "platform/win32/machine.h"
#include "shell/Form1.h"
#include "shell/se_state.h"
#include "ui/win32/renderer.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  ks::win32::Win32Machine machine;
  ks::SeState state(machine);
  state.app.Title = "KestrelaneSE";
  ks::ui::win32::Renderer renderer(state.app);
  ks::Form1 form(state);
  form.SetCaption("Kestrelane SE Build 5");
  form.Move(form.Left(), form.Top(), 8175, 5625);
  form.Show();
  state.app.Run();
  return 0;
}
