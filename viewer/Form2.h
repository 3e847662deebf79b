// Form2: the preview renderer of tarrow and info. Never seen itself: it
// draws a rotating, textured triangle strip into the main window's picture
// box through a Direct3D device of its own, every 40 ms (Timer1). The main
// window's controls change its settings (ViewerState::preview) and then
// ask it to rebuild (InitGeometry) and draw (Render).
#pragma once

#include <cstdint>
#include <string>

#include "platform/d3d8.h"
#include "ui/ui.h"
#include "viewer/viewer_state.h"

namespace ks::viewer {

class Form2 : public ui::Form {
 public:
  // `picture` is where it draws, `fps` the frame-rate label.
  Form2(ViewerState& state, ui::PictureBox& picture, ui::Label& fps);
  ~Form2() override;

  ui::Timer Timer1{*this, "Timer1"};

  // The device is made on `window` (the renderer's own window, never
  // shown) with a back buffer of the picture box's size; Render copies each
  // frame into the picture box.
  bool InitD3D(platform::WindowHandle window);
  // Loads the textures, sets the texture stages and rebuilds the vertex
  // buffer. When the texture file cannot be loaded the texture in use
  // stays and the rest is rebuilt; false then, and without a main texture
  // (nothing is built) or a vertex buffer.
  bool InitGeometry();
  void SetupMatrices();
  void Render();
  void Culling(int index);
  void FillModeX(int index);
  void DepthBufferX(int index);
  void Cleanup();

  // The objects, for tests (0: none).
  platform::D3DHandle device() const { return device_; }
  platform::D3DHandle main_texture() const { return main_texture_; }
  platform::D3DHandle picture_texture() const { return picture_texture_; }
  platform::D3DHandle vertex_buffer() const { return vertex_buffer_; }
  std::uint32_t ClearColour = 0x246FB7;

 protected:
  void Form_Load() override;
  void Form_Unload(int& cancel) override;

 private:
  // A texture from a file after the program's folder; 0 when it cannot be made.
  platform::D3DHandle LoadTexture(const std::string& rest);
  // Releases what `kept` holds and keeps `made` in its place.
  void Replace(platform::D3DHandle& kept, platform::D3DHandle made);
  // The steps of InitGeometry. The textures: the main one (kept as it was
  // when its file cannot be loaded; false then), and with multitexturing
  // the picture (likewise kept) and a blank one.
  bool LoadTextures();
  // The texture stages for the textures in use and the filter settings.
  void SetStageStates();
  // A new vertex buffer holding the strip, in place of the previous one;
  // false when none can be made (the previous one stays).
  bool BuildVertexStrip();

  ViewerState& st_;
  ui::PictureBox& picture_;
  ui::Label& fps_;
  platform::D3DHandle direct3d_ = 0;
  platform::D3DHandle device_ = 0;
  platform::WindowHandle picture_window_ = 0;  // where the frames go
  platform::D3DHandle vertex_buffer_ = 0;
  platform::D3DHandle main_texture_ = 0;
  platform::D3DHandle picture_texture_ = 0;
  platform::D3DHandle blank_texture_ = 0;
  std::int64_t last_update_ms_ = 0;
  std::int32_t frames_ = 0;
  std::int32_t frame_rate_ = 0;
};

}  // namespace ks::viewer
