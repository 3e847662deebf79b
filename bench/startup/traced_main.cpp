// KestrelaneSE with its start-up steps timed: the same start as the
// program's own main, plus a trace written to "ks_startup_trace.txt" in the
// temp folder when the program ends: the time since WinMain at each phase
// (the renderer's first call of the window system, the main window's
// construction, the load, and the phases of showing the window) and the
// duration of each start-up step of the load.
#include <chrono>
#include <cstdio>
#include <string>

#include "platform/win32/machine.h"
#include "platform/win32/win.h"
#include "shell/Form1.h"
#include "shell/se_state.h"
#include "ui/win32/renderer.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR command_line, int) {
  const auto start = std::chrono::steady_clock::now();
  std::string trace;
  auto since_start_us = [&] {
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count();
  };
  ks::win32::Win32Machine machine;
  ks::SeState state(machine);
  state.app.Title = "KestrelaneSE";
  ks::ui::win32::Renderer renderer(state.app);
  trace += "renderer " + std::to_string(since_start_us()) + " us\n";
  renderer.ShowTrace = [&](const char* phase) {
    trace += std::string(phase) + " " + std::to_string(since_start_us()) + " us\n";
  };
  ks::Form1 form(state);
  trace += "construct " + std::to_string(since_start_us()) + " us\n";
  form.StartupTrace = [&](int step, long long us) {
    trace += "step " + std::to_string(step) + " " + std::to_string(us) + " us\n";
  };
  form.CommandLine = command_line ? command_line : "";
  form.Load();
  trace += "loaded " + std::to_string(since_start_us()) + " us\n";
  form.Show();
  trace += "shown " + std::to_string(since_start_us()) + " us\n";
  state.app.Run();
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  if (FILE* f = std::fopen((std::string(temp) + "ks_startup_trace.txt").c_str(), "wb")) {
    std::fwrite(trace.data(), 1, trace.size(), f);
    std::fclose(f);
  }
  return 0;
}
