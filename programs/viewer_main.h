// The start of the three viewer programs: one code base, the edition says
// how it behaves. The main window's load handler is the start of the
// program; lumacap's ends it again before the window is ever shown.
#pragma once

#include <string>

#include "platform/win32/d3d8.h"
#include "platform/win32/images.h"
#include "platform/win32/machine.h"
#include "ui/win32/renderer.h"
#include "viewer/Form1.h"
#include "viewer/viewer_state.h"

namespace ks::viewer {

inline int RunViewer(EditionKind kind, const char* command_line) {
  win32::Win32Machine machine;
  win32::Win32Direct3D8 d3d;
  win32::Win32ImageDecoder images;
  ViewerState state(machine, d3d, images, EditionOf(kind));
  state.app.Title = state.edition.title;
  state.CommandLine = command_line ? command_line : "";
  ui::win32::Renderer renderer(state.app);
  Form1 form(state);
  form.Show();
  state.app.Run();
  // Direct3D goes while the windows it drew into still exist.
  d3d.ReleaseAll();
  return 0;
}

}  // namespace ks::viewer
