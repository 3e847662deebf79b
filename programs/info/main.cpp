// info: the Direct3D capability viewer, edition info.
#include "platform/win32/win.h"
#include "programs/viewer_main.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR command_line, int) {
  return ks::viewer::RunViewer(ks::viewer::EditionKind::kInfo, command_line);
}
