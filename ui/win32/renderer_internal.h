// What the renderer's source files share: the per-form window record and
// the window classes.
#pragma once

#include <map>
#include <string>

#include "ui/win32/renderer.h"

namespace ks::ui::win32 {

struct Renderer::FormWindows {
  Form* form = nullptr;
  HWND hwnd = nullptr;
  RECT placed{};  // outer rectangle last given to the window, pixels
  HWND tips = nullptr;  // the form's tooltip window, made by the first mouse move
  std::map<int, Control*> menu_ids;  // command identifiers of the menu bar's items
  std::map<const Control*, ControlWindow> controls;
};

// Window classes of the renderer's own windows.
inline constexpr char kFormClass[] = "KsForm";
inline constexpr char kFrameClass[] = "KsFrame";
inline constexpr char kPictureClass[] = "KsPicture";

// Command identifiers of toolbar buttons: kFirstButtonId + 0-based position.
inline constexpr int kFirstButtonId = 1000;
// Command identifiers of menu items start here.
inline constexpr int kFirstMenuId = 2000;
// Extra room of a combo box's drop-down list below its closed height,
// twips (160 pixels at 96 pixels per inch).
inline constexpr int kComboDropTwips = 2400;
// Where a frame's caption starts, twips from its left edge.
inline constexpr int kFrameCaptionLeftTwips = 120;

std::string WindowText(HWND hwnd);
// The VB mouse masks from a mouse message's wParam: buttons 1 left, 2 right,
// 4 middle; shift 1 Shift, 2 Ctrl, 4 Alt.
int MouseButtons(WPARAM wp);
int ShiftState();

}  // namespace ks::ui::win32
