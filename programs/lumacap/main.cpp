// lumacap: the Direct3D capability viewer, edition lumacap.
#include "platform/win32/win.h"
#include "programs/viewer_main.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR command_line, int) {
  return ks::viewer::RunViewer(ks::viewer::EditionKind::kLumacap, command_line);
}
