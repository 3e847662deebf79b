// Form2: the preview renderer of tarrow and info. Never seen itself: it
// draws a rotating, textured triangle strip into the main window's picture
// box through a Direct3D device of its own, every 40 ms (Timer1). The main
// window's controls change its settings (ViewerState::preview) and then
// ask it to rebuild (InitGeometry) and draw (Render).
#pragma once

#include <cstdint>

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

  bool InitD3D(platform::WindowHandle window);
  // Loads the textures, sets the texture stages and rebuilds the vertex
  // buffer; false without a main texture or vertex buffer.
  bool InitGeometry();
  void SetupMatrices();
  void Render();
  void Culling(int index);
  void FillModeX(int index);
  void DepthBufferX(int index);
  void Cleanup();

 protected:
  void Form_Load() override;
  void Form_Unload(int& cancel) override;

 private:
  ViewerState& st_;
  ui::PictureBox& picture_;
  ui::Label& fps_;
};

}  // namespace ks::viewer
