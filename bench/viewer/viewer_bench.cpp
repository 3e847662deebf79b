// Two timings of the viewer under Wine, each against a floor measured in
// the same run on the same device:
//   frame: the preview's Render (texture stages, matrices, the strip, the
//          copy into the picture box) against a bare frame (Clear,
//          BeginScene, EndScene, the same copy);
//   load:  reading p512dx1.dds and making its texture with every mip level
//          against creating the same texture from levels already in memory.
// Prints "frame_ms=<ours> frame_floor_ms=<floor> load_ms=... load_floor_ms=...".
#include <chrono>
#include <cstdio>
#include <string>

#include "platform/win32/d3d8.h"
#include "platform/win32/images.h"
#include "platform/win32/machine.h"
#include "platform/win32/win.h"
#include "ui/win32/renderer.h"
#include "viewer/Form1.h"
#include "viewer/Form2.h"
#include "viewer/texture_file.h"

namespace {

double NowMs() {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace ks;
  win32::Win32Machine machine;
  win32::Win32Direct3D8 d3d;
  win32::Win32ImageDecoder images;
  viewer::ViewerState state(machine, d3d, images, viewer::EditionOf(viewer::EditionKind::kInfo));
  state.app.Title = "bench";
  ui::win32::Renderer renderer(state.app);
  viewer::Form1 form(state);
  form.Show();
  viewer::Form2& preview = *form.form2();
  preview.Timer1.SetEnabled(false);
  const platform::D3DHandle device = preview.device();
  const platform::WindowHandle picture = state.app.WindowHandle(form.Picture1);
  constexpr int kFrames = 200;

  double start = NowMs();
  for (int i = 0; i < kFrames; ++i) preview.Render();
  const double frame = (NowMs() - start) / kFrames;
  start = NowMs();
  for (int i = 0; i < kFrames; ++i) {
    d3d.Clear(device, 3, 0x246FB7, 1.0f, 0);
    d3d.BeginScene(device);
    d3d.EndScene(device);
    d3d.PresentToWindow(device, picture);
  }
  const double frame_floor = (NowMs() - start) / kFrames;

  constexpr int kLoads = 20;
  const std::string path = state.OwnPath("\\DATA\\p512dx1.dds");
  platform::D3DHandle direct3d = 0;
  d3d.Direct3DCreate(&direct3d);
  start = NowMs();
  for (int i = 0; i < kLoads; ++i) {
    std::string bytes;
    machine.fs.ReadFile(path, &bytes);
    platform::D3DHandle texture = 0;
    viewer::CreateTextureFromFile(d3d, direct3d, device, bytes, images, &texture);
    d3d.Release(texture);
  }
  const double load = (NowMs() - start) / kLoads;
  std::string bytes;
  machine.fs.ReadFile(path, &bytes);
  viewer::TextureLevels levels;
  viewer::BuildTextureLevels(bytes, true, images, &levels);
  start = NowMs();
  for (int i = 0; i < kLoads; ++i) {
    platform::D3DHandle texture = 0;
    d3d.CreateTexture(device, levels.width, levels.height, static_cast<std::uint32_t>(levels.levels.size()), 0,
                      levels.format, platform::kPoolManaged, &texture);
    for (size_t l = 0; l < levels.levels.size(); ++l)
      d3d.FillTextureLevel(texture, static_cast<std::uint32_t>(l), levels.levels[l], levels.pitches[l]);
    d3d.Release(texture);
  }
  const double load_floor = (NowMs() - start) / kLoads;

  std::printf("frame_ms=%.3f frame_floor_ms=%.3f load_ms=%.3f load_floor_ms=%.3f\n", frame, frame_floor, load,
              load_floor);
  std::fflush(stdout);
  form.Unload();
  d3d.ReleaseAll();
  return 0;
}
