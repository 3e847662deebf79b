// The main window's frame: the toolbar, the sixteen page frames, the
// navigator, the CPU bars, the options strip and the two slide timers.
// Form1 derives from it; the pages' own controls come from the page-group
// bases (form1_pages_*.h), which need the page frames to exist first.
#pragma once

#include <optional>

#include "ui/design_scope.h"
#include "ui/ui.h"

namespace ks {

// Window geometry in twips.
inline constexpr int kForm1Width = 8175;
inline constexpr int kForm1ShortHeight = 5625;  // as designed
inline constexpr int kForm1TallHeight = 6405;   // shows the options strip
inline constexpr int kPageCount = 16;

class Form1Window : public ui::Form {
 public:
  explicit Form1Window(ui::App& app);

  ui::Toolbar Toolbar1{*this, "Toolbar1"};
  // The pages, one frame each, all at the same place.
  ui::ControlArray<ui::Frame> Frame1{*this, "Frame1", kPageCount};
  // The navigator between the pages of one group.
  ui::FlatScrollBar FlatScrollBar4{*this, "FlatScrollBar4", ui::Orientation::kVertical};
  // CPU usage bars below the pages: 0 background and 1 bar of the first
  // processor, 2 and 3 of the second; a bar is 10 twips a percent.
  ui::ControlArray<ui::Label> Label14{*this, "Label14", 4};

  // --- options row and strip (the strip shows only at the tall height) ---
  ui::Label Label13{*this, "Label13"};  // "Kestrelane options  >>>"
  ui::Label Label17{*this, "Label17"};  // the language file's second header item
  ui::CheckBox Check13{*this, "Check13"};  // remember last visited page
  ui::CheckBox Check11{*this, "Check11"};  // enable help system
  ui::Label Label18{*this, "Label18"};     // "Language:"
  ui::ComboBox Combo17{*this, "Combo17", ui::ComboStyle::kDropDownList};  // language choice

  // Slide the window taller (Timer1) and shorter (Timer2), 100 ms a step.
  ui::Timer Timer1{*this, "Timer1"};
  ui::Timer Timer2{*this, "Timer2"};
  // The monitoring's sampling timer: runs from start-up to exit.
  ui::Timer Timer3{*this, "Timer3"};

 protected:
  // Design-time values raise no logged events: the log is off from here
  // until the whole main window is designed (the end of Form1's constructor
  // resets it).
  std::optional<ui::DesignScope> design_;
};

}  // namespace ks
