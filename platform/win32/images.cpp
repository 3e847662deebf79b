#include "platform/win32/images.h"

#include <cstring>

#include "platform/win32/win.h"
#include <ocidl.h>
#include <olectl.h>

namespace ks::win32 {

bool Win32ImageDecoder::Decode(const std::string& bytes, platform::DecodedImage* out) {
  if (bytes.empty()) return false;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!memory) return false;
  std::memcpy(GlobalLock(memory), bytes.data(), bytes.size());
  GlobalUnlock(memory);
  IStream* stream = nullptr;
  // The stream frees the memory when it is released.
  if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
    GlobalFree(memory);
    return false;
  }
  IPicture* picture = nullptr;
  const HRESULT hr = OleLoadPicture(stream, static_cast<LONG>(bytes.size()), FALSE, IID_IPicture,
                                    reinterpret_cast<void**>(&picture));
  stream->Release();
  if (FAILED(hr) || !picture) return false;
  OLE_HANDLE handle = 0;
  BITMAP bm{};
  bool ok = SUCCEEDED(picture->get_Handle(&handle)) &&
            GetObjectA(reinterpret_cast<HBITMAP>(static_cast<std::uintptr_t>(handle)), sizeof(bm), &bm) != 0 &&
            bm.bmWidth > 0 && bm.bmHeight > 0;
  if (ok) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = bm.bmWidth;
    info.bmiHeader.biHeight = -bm.bmHeight;  // rows top to bottom
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> pixels(static_cast<size_t>(bm.bmWidth) * bm.bmHeight);
    HDC dc = GetDC(nullptr);
    ok = GetDIBits(dc, reinterpret_cast<HBITMAP>(static_cast<std::uintptr_t>(handle)), 0,
                   static_cast<UINT>(bm.bmHeight), pixels.data(), &info, DIB_RGB_COLORS) == bm.bmHeight;
    ReleaseDC(nullptr, dc);
    if (ok) {
      for (auto& p : pixels) p |= 0xFF000000u;  // a decoded picture is opaque
      out->width = static_cast<std::uint32_t>(bm.bmWidth);
      out->height = static_cast<std::uint32_t>(bm.bmHeight);
      out->pixels = std::move(pixels);
    }
  }
  picture->Release();
  return ok;
}

}  // namespace ks::win32
