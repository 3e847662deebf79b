#include "ui/win32/screenshot.h"

namespace ks::ui::win32 {

bool CaptureWindow(HWND hwnd, WindowPicture* picture) {
  RECT r{};
  if (!GetWindowRect(hwnd, &r)) return false;
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return false;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  SelectObject(memory, old);

  BITMAPINFOHEADER info{};
  info.biSize = sizeof(info);
  info.biWidth = w;
  info.biHeight = h;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  const int stride = (w * 3 + 3) & ~3;
  std::string pixels(static_cast<size_t>(stride) * static_cast<size_t>(h), '\0');
  const int rows = GetDIBits(memory, bitmap, 0, static_cast<UINT>(h), pixels.data(),
                             reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  if (rows != h) return false;

  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof(file) + sizeof(info);
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  picture->width = w;
  picture->height = h;
  picture->stride = stride;
  picture->bmp.assign(reinterpret_cast<const char*>(&file), sizeof(file));
  picture->bmp.append(reinterpret_cast<const char*>(&info), sizeof(info));
  picture->bmp += pixels;
  picture->pixels = std::move(pixels);
  return true;
}

}  // namespace ks::ui::win32
