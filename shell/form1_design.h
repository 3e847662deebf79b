// Helpers for the main window's design-time layout: place a control and
// give it its design-time caption in one line.
#pragma once

#include "ui/ui.h"

namespace ks::design {

template <class C>
C& Put(C& control, int left, int top, int width, int height) {
  control.Move(left, top, width, height);
  return control;
}

template <class C>
C& Put(C& control, int left, int top, int width, int height, const char* caption) {
  control.Move(left, top, width, height);
  control.SetCaption(caption);
  return control;
}

// A horizontal line from x1 to x2 at y.
inline void PutLine(ui::Line& line, int x1, int x2, int y) { line.SetPoints(x1, y, x2, y); }

inline constexpr int kRow = 255;    // label, check box and option button height
inline constexpr int kButton = 375;  // command button height

}  // namespace ks::design
