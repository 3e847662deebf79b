#include "platform/win32/images.h"

#include "platform/picture_header.h"

#include "platform/win32/handle.h"
#include "platform/win32/ole_picture.h"

namespace ks::win32 {

bool Win32ImageDecoder::Decode(const std::string& bytes, platform::DecodedImage* out) {
  // OLE's loader takes a BMP cut short (noise where its pixels are
  // missing) and a frame of any size: the shared header check goes first.
  if (!platform::IsPictureFile(bytes)) return false;
  const ScopedCom<IPicture> picture = LoadOlePicture(bytes);
  if (!picture.valid()) return false;
  OLE_HANDLE handle = 0;
  BITMAP bm{};
  if (FAILED(picture.get()->get_Handle(&handle))) return false;
  const auto bitmap = reinterpret_cast<HBITMAP>(static_cast<std::uintptr_t>(handle));
  if (GetObjectA(bitmap, sizeof(bm), &bm) == 0 || bm.bmWidth <= 0 || bm.bmHeight <= 0) return false;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = bm.bmWidth;
  info.bmiHeader.biHeight = -bm.bmHeight;  // rows top to bottom
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint32_t> pixels(static_cast<size_t>(bm.bmWidth) * bm.bmHeight);
  {
    const ScopedScreenDc dc(GetDC(nullptr));
    if (GetDIBits(dc.get(), bitmap, 0, static_cast<UINT>(bm.bmHeight), pixels.data(), &info, DIB_RGB_COLORS) !=
        bm.bmHeight) {
      return false;
    }
  }
  for (auto& p : pixels) p |= 0xFF000000u;  // a decoded picture is opaque
  out->width = static_cast<std::uint32_t>(bm.bmWidth);
  out->height = static_cast<std::uint32_t>(bm.bmHeight);
  out->pixels = std::move(pixels);
  return true;
}

}  // namespace ks::win32
