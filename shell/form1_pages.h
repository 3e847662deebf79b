// The controls of the main window's pages, by page group. Each group is a
// base of Form1 built on the page frames of Form1Window, so every control
// is a plain member of Form1 (Form1.Check7, Form1.List1). Design-time
// captions and geometry are set by each group's constructor.
//
// The tweak pages' choice lists are declared by the code that fills them.
#pragma once

#include "ui/ui.h"

namespace ks {

using Pages = ui::ControlArray<ui::Frame>;

// Pages 0 (control panel flags), 3 (overclocking) and 10 (resolution).
struct PanelPages {
  explicit PanelPages(Pages& pages);
  Pages& pages_;

  // page 0
  ui::ControlArray<ui::CheckBox> Check7{pages_[0].form(), "Check7"};  // 0..10, control-panel flags
  ui::Frame Frame2{pages_[0], "Frame2"};                              // "Tip"
  ui::Label Label10{Frame2, "Label10"};                               // opens the registry editor
  ui::Image Image1{pages_[0], "Image1"};
  // page 3
  ui::CheckBox Check10{pages_[3], "Check10"};  // enable overclocking
  ui::CheckBox Check2{pages_[3], "Check2"};    // apply at startup
  ui::ControlArray<ui::Label> Label1{pages_[3].form(), "Label1"};          // 0..3 clocks, 4 "Settings:"
  ui::ControlArray<ui::OptionButton> Option1{pages_[3].form(), "Option1"};  // 2D / 3D speed
  ui::ControlArray<ui::CommandButton> Command1{pages_[3].form(), "Command1"};  // Apply, Default
  ui::ControlArray<ui::TextBox> Text1{pages_[3].form(), "Text1"};              // requested core, memory MHz
  ui::ControlArray<ui::FlatScrollBar> FlatScrollBar1{pages_[3].form(), "FlatScrollBar1"};  // their sliders
  // page 10
  ui::Label Label9{pages_[10], "Label9"};
  ui::ComboBox Combo14{pages_[10], "Combo14"};  // quick picks of the screen size
  ui::ListBox List2{pages_[10], "List2"};       // display modes
  ui::CommandButton Command4{pages_[10], "Command4"};  // enabled by the first click into List2
};

// Pages 1 (Direct3D antialiasing) and 2 (OpenGL antialiasing).
struct AntialiasingPages {
  explicit AntialiasingPages(Pages& pages);
  Pages& pages_;

  // page 1
  ui::ControlArray<ui::Label> Label5{pages_[1].form(), "Label5"};
  ui::CheckBox Check15{pages_[1], "Check15"};  // SLI antialiasing
  ui::CheckBox Check18{pages_[1], "Check18"};  // gamma correct
  ui::ControlArray<ui::OptionButton> Option3{pages_[1].form(), "Option3"};  // preview size
  ui::ControlArray<ui::Frame> Frame3{pages_[1].form(), "Frame3"};           // preview pictures
  // page 2
  ui::Label Label3{pages_[2], "Label3"};
  ui::CheckBox Check16{pages_[2], "Check16"};
  ui::CheckBox Check17{pages_[2], "Check17"};
  ui::Label Label23{pages_[2], "Label23"};
  ui::CheckBox Check1{pages_[2], "Check1"};  // texture sharpening
};

// Pages 5 (OpenGL texture filtering) and 6 (Direct3D texture filtering).
struct FilteringPages {
  explicit FilteringPages(Pages& pages);
  Pages& pages_;

  // page 5
  ui::ControlArray<ui::Label> Label4{pages_[5].form(), "Label4"};  // 0..5; (3), (4) set by the writers
  ui::ComboBox Combo2{pages_[5], "Combo2"};  // OpenGL anisotropic filtering
  ui::ComboBox Combo7{pages_[5], "Combo7"};  // OpenGL force mipmaps
  ui::Line Line1{pages_[5], "Line1"};
  ui::ControlArray<ui::CheckBox> Check3{pages_[5].form(), "Check3"};
  ui::ControlArray<ui::OptionButton> Option2{pages_[5].form(), "Option2"};
  ui::Frame Frame5{pages_[5], "Frame5"};  // filtering optimizations
  ui::ControlArray<ui::CheckBox> Check14{pages_[5].form(), "Check14"};
  // page 6
  ui::ControlArray<ui::Label> Label6{pages_[6].form(), "Label6"};  // 0..3; (3) set by the writer
  ui::ComboBox Combo4{pages_[6], "Combo4"};  // Direct3D anisotropic filtering
  ui::ComboBox Combo8{pages_[6], "Combo8"};  // Direct3D force mipmaps
  ui::ControlArray<ui::CheckBox> Check4{pages_[6].form(), "Check4"};  // 0..5
};

// Pages 7 (OpenGL miscellaneous), 8 (Direct3D miscellaneous) and 13
// (OpenGL compatibility). Label7 spans pages 7 (0..5) and 13 (6, 7).
struct MiscPages {
  explicit MiscPages(Pages& pages);
  Pages& pages_;

  ui::ControlArray<ui::Label> Label7{pages_[7].form(), "Label7"};
  // page 7
  ui::Line Line2{pages_[7], "Line2"};
  ui::Line Line4{pages_[7], "Line4"};
  ui::Line Line3{pages_[7], "Line3"};
  ui::ControlArray<ui::CheckBox> Check5{pages_[7].form(), "Check5"};
  // page 8
  ui::ControlArray<ui::Label> Label8{pages_[8].form(), "Label8"};
  ui::Line Line5{pages_[8], "Line5"};
  ui::Line Line6{pages_[8], "Line6"};
  ui::ControlArray<ui::CheckBox> Check6{pages_[8].form(), "Check6"};
  // page 13
  ui::ControlArray<ui::CheckBox> Check12{pages_[13].form(), "Check12"};
};

// Pages 4 (basic information) and 9 (DirectX information). Page 4's rows
// are filled in by start-up (shell/detection.cpp, shell/sysinfo_page.cpp).
struct InfoPages {
  explicit InfoPages(Pages& pages);
  Pages& pages_;

  // The rows of page 4: 0 card, 1 driver version, 2 OS, 3 DirectX, 4 CPU,
  // 5 CPU clock, 6 memory, 7 GPU id, 8 program version, 9 chip revision,
  // 10 CPU vendor.
  static constexpr int kInfoRows = 11;
  // Gives page 4's rows their design-time captions.
  void SetInfoPageCaptions();

  // page 4
  ui::ControlArray<ui::Label> Label2{pages_[4].form(), "Label2"};  // 0..kInfoRows-1
  // page 9
  ui::ListBox List1{pages_[9], "List1"};  // the adapter report
};

// Pages 11 (multitexturing override) and 12 (shader override).
struct OverridePages {
  explicit OverridePages(Pages& pages);
  Pages& pages_;

  // page 11
  ui::CheckBox Check8{pages_[11], "Check8"};
  ui::Label Label11{pages_[11], "Label11"};
  ui::CommandButton Command2{pages_[11], "Command2"};
  // page 12
  ui::CheckBox Check9{pages_[12], "Check9"};
  ui::ControlArray<ui::Label> Label12{pages_[12].form(), "Label12"};
  ui::Image Image4{pages_[12], "Image4"};  // help picture, shown while help is on
  ui::CommandButton Command3{pages_[12], "Command3"};
};

// Pages 14 (system monitoring) and 15 (processes).
struct MonitorPages {
  explicit MonitorPages(Pages& pages);
  Pages& pages_;

  // page 14
  ui::ControlArray<ui::Label> Label15{pages_[14].form(), "Label15"};
  ui::ControlArray<ui::Label> Label16{pages_[14].form(), "Label16"};  // 0 CPU 1, 1 memory, 2 CPU 2
  ui::PictureBox Picture2{pages_[14], "Picture2"};  // CPU graph
  ui::PictureBox Picture3{pages_[14], "Picture3"};  // memory graph
  ui::ControlArray<ui::OptionButton> Option4{pages_[14].form(), "Option4"};
  ui::CommandButton Command6{pages_[14], "Command6"};  // "Rec"
  ui::CommandButton Command7{pages_[14], "Command7"};  // "Stop"
  // page 15
  ui::CommandButton Command5{pages_[15], "Command5"};
  ui::ListBox List3{pages_[15], "List3"};  // process names
  ui::Label Label19{pages_[15], "Label19"};
  ui::Frame Frame4{pages_[15], "Frame4"};
  ui::ControlArray<ui::Label> Label20{pages_[15].form(), "Label20"};
  ui::Label Label21{Frame4, "Label21"};  // priority bar frame
  ui::Label Label22{Frame4, "Label22"};  // priority bar
};

}  // namespace ks
