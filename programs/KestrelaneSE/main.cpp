// KestrelaneSE: the main program. The main window's load handler is the
// start of the program; its command line is empty or the path of one
// preset file, which start-up applies without showing a window.
#include "platform/win32/machine.h"
#include "platform/win32/win.h"
#include "shell/Form1.h"
#include "shell/se_state.h"
#include "tools/presets.h"
#include "ui/win32/renderer.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  ks::win32::Win32Machine machine;
  ks::SeState state(machine);
  state.app.Title = "KestrelaneSE";
  ks::ui::win32::Renderer renderer(state.app);
  ks::Form1 form(state);
  // The whole command line after the program's own name (which a launcher
  // may or may not have quoted) is the preset path.
  const char* command_line = GetCommandLineA();
  form.CommandLine =
      ks::PresetPathFromCommandLine(command_line ? command_line : "", machine.files().ProgramPath());
  // Load runs start-up; on the preset road it unloads every window and
  // Show then shows nothing.
  form.Show();
  state.app.Run();
  return 0;
}
