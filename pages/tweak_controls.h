// The choice lists, sliders and preview pictures of the tweak pages (the
// Direct3D and OpenGL pages 1, 2, 5, 6, 7, 8 and 13, the multitexturing
// page 11 and the shader page 12). A base of Form1 like the page groups of
// shell/form1_pages.h, so each is a plain member (Form1.Combo3).
//
// The combo boxes are editable drop-down boxes: the readers set their text,
// which may be a text that none of their entries holds.
#pragma once

#include "shell/form1_pages.h"

namespace ks {

struct TweakControls {
  TweakControls(Pages& pages, AntialiasingPages& aa);
  Pages& pages_;
  AntialiasingPages& aa_;

  // page 1: Direct3D antialiasing
  ui::ComboBox Combo3{pages_[1], "Combo3"};    // antialiasing mode
  ui::ComboBox Combo19{pages_[1], "Combo19"};  // transparency antialiasing
  ui::Image Image2{aa_.Frame3[0], "Image2"};  // preview without antialiasing
  ui::Image Image3{aa_.Frame3[1], "Image3"};  // preview of the selected mode
  // page 2: OpenGL antialiasing
  ui::ComboBox Combo1{pages_[2], "Combo1"};
  ui::ComboBox Combo18{pages_[2], "Combo18"};
  // page 5: OpenGL texture filtering
  ui::ComboBox Combo5{pages_[5], "Combo5"};  // image settings
  // 0 trilinear quality (1..31), 1 texture LOD bias (-48..48)
  ui::ControlArray<ui::FlatScrollBar> FlatScrollBar2{pages_[5].form(), "FlatScrollBar2"};
  // page 6: Direct3D texture filtering
  ui::ComboBox Combo6{pages_[6], "Combo6"};                // image settings
  ui::FlatScrollBar FlatScrollBar3{pages_[6], "FlatScrollBar3"};  // texture LOD bias (-24..24)
  // page 7: OpenGL miscellaneous
  ui::ComboBox Combo10{pages_[7], "Combo10"};  // vertical synchronization
  ui::ComboBox Combo11{pages_[7], "Combo11"};  // prerender limit, "1".."9"
  ui::ComboBox Combo9{pages_[7], "Combo9"};    // textures colour depth
  // page 8: Direct3D miscellaneous
  ui::ComboBox Combo12{pages_[8], "Combo12"};  // synchronization mode
  ui::ComboBox Combo13{pages_[8], "Combo13"};  // prerender limit, "0".."9"
  // page 11: number of simultaneous textures
  ui::FlatScrollBar FlatScrollBar5{pages_[11], "FlatScrollBar5"};
  // page 12: 0 pixel shader version, 1 vertex shader version
  ui::ControlArray<ui::FlatScrollBar> FlatScrollBar6{pages_[12].form(), "FlatScrollBar6"};
  // page 13: OpenGL compatibility
  ui::ComboBox Combo15{pages_[13], "Combo15"};  // OpenGL version override
  ui::ComboBox Combo16{pages_[13], "Combo16"};  // emulation mode
};

}  // namespace ks
