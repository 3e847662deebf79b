// What a window shows on screen, captured from the screen's pixels.
#pragma once

#include <string>

#include "platform/win32/win.h"

namespace ks::ui::win32 {

struct WindowPicture {
  int width = 0;
  int height = 0;
  int stride = 0;      // bytes per row of pixels, padded to 4
  std::string pixels;  // 24-bit rows, bottom row first
  std::string bmp;     // the whole BMP file
};

// False when the window has no area or the pixels cannot be read.
bool CaptureWindow(HWND hwnd, WindowPicture* picture);

}  // namespace ks::ui::win32
