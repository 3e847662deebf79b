#include "viewer/Form2.h"

namespace ks::viewer {

Form2::Form2(ViewerState& state, ui::PictureBox& picture, ui::Label& fps)
    : ui::Form(state.app, "Form2"), st_(state), picture_(picture), fps_(fps) {
  SetCaption(state.edition.caption);
  Timer1.SetInterval(40);
  Timer1.SetEnabled(false);
  Timer1.OnTimer = [this] { Render(); };
}

Form2::~Form2() = default;

void Form2::Form_Load() {}
void Form2::Form_Unload(int& cancel) { Cleanup(); }

bool Form2::InitD3D(platform::WindowHandle window) { return true; }
bool Form2::InitGeometry() { return true; }
void Form2::SetupMatrices() {}
void Form2::Render() {}
void Form2::Culling(int index) { Render(); }
void Form2::FillModeX(int index) { Render(); }
void Form2::DepthBufferX(int index) { Render(); }
void Form2::Cleanup() {}

}  // namespace ks::viewer
