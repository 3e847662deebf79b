// The caption table: which language entry sets which static text of the
// main window. ApplyLanguage performs it once per start, right after the
// language table has been loaded.
#pragma once

#include <array>
#include <span>
#include <string>

#include "ui/control.h"

namespace ks {

enum class CaptionProperty { kCaption, kMenuText, kToolTipText, kX1, kX2 };

struct CaptionRow {
  int entry;                 // language entry, 0..300
  const char* target;        // control name; for a menu item: nullptr
  int index;                 // control array index, -1 for a lone control
  CaptionProperty property;
  int button = 0;            // menu items: button position (from 1)
  int item = 0;              // menu items: item position in its menu (from 1)
};

// In the order performed: the toolbar menus, then (after the run of page
// titles) the window-level controls, the pages and the lines.
std::span<const CaptionRow> MenuCaptionRows();
std::span<const CaptionRow> ControlCaptionRows();
// Page titles: Frame1(i) takes entry kPageTitleFirstEntry + i for i in 0..14.
inline constexpr int kPageTitleFirstEntry = 31;
inline constexpr int kPageTitleRunLength = 15;

// Caption of a label, check box, option button, frame or command button;
// false for another kind of control.
bool SetControlCaption(ui::Control& control, const std::string& text);
// The caption of those kinds, "" for others.
std::string ControlCaption(const ui::Control& control);

}  // namespace ks
