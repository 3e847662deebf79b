#include "ui/win32/screenshot.h"

#include "platform/win32/handle.h"

namespace ks::ui::win32 {

using ks::win32::ScopedGdiObject;
using ks::win32::ScopedMemoryDc;
using ks::win32::ScopedScreenDc;

bool CaptureWindow(HWND hwnd, WindowPicture* picture) {
  RECT r{};
  if (!GetWindowRect(hwnd, &r)) return false;
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return false;
  const ScopedScreenDc screen(GetDC(nullptr));
  const ScopedMemoryDc memory(CreateCompatibleDC(screen.get()));
  const ScopedGdiObject bitmap(CreateCompatibleBitmap(screen.get(), w, h));
  HGDIOBJ old = SelectObject(memory.get(), bitmap.get());
  BitBlt(memory.get(), 0, 0, w, h, screen.get(), r.left, r.top, SRCCOPY);
  SelectObject(memory.get(), old);

  BITMAPINFOHEADER info{};
  info.biSize = sizeof(info);
  info.biWidth = w;
  info.biHeight = h;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  const int stride = (w * 3 + 3) & ~3;
  std::string pixels(static_cast<size_t>(stride) * static_cast<size_t>(h), '\0');
  const int rows = GetDIBits(memory.get(), static_cast<HBITMAP>(bitmap.get()), 0, static_cast<UINT>(h),
                             pixels.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
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
