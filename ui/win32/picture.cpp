#include "ui/win32/picture.h"

#include <cstring>

#include <ocidl.h>
#include <olectl.h>

namespace ks::ui::win32 {

std::unique_ptr<Picture> Picture::Decode(const std::string& bytes) {
  if (bytes.empty()) return nullptr;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!memory) return nullptr;
  void* data = GlobalLock(memory);
  std::memcpy(data, bytes.data(), bytes.size());
  GlobalUnlock(memory);
  IStream* stream = nullptr;
  // The stream frees the memory when it is released.
  if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
    GlobalFree(memory);
    return nullptr;
  }
  IPicture* picture = nullptr;
  HRESULT hr = OleLoadPicture(stream, static_cast<LONG>(bytes.size()), FALSE, IID_IPicture,
                              reinterpret_cast<void**>(&picture));
  stream->Release();
  if (FAILED(hr) || !picture) return nullptr;
  return std::unique_ptr<Picture>(new Picture(picture));
}

Picture::Picture(IPicture* picture) : picture_(picture) {
  OLE_XSIZE_HIMETRIC w = 0;
  OLE_YSIZE_HIMETRIC h = 0;
  picture_->get_Width(&w);
  picture_->get_Height(&h);
  width_him_ = w;
  height_him_ = h;
  // HIMETRIC is 1/100 mm: 2540 to the inch, 96 pixels to the inch.
  width_px_ = MulDiv(w, 96, 2540);
  height_px_ = MulDiv(h, 96, 2540);
}

Picture::~Picture() { picture_->Release(); }

void Picture::Draw(HDC dc, const RECT& target) const {
  // IPicture draws bottom-up in HIMETRIC: start at the bottom, negative height.
  picture_->Render(dc, target.left, target.top, target.right - target.left, target.bottom - target.top, 0,
                   height_him_, width_him_, -height_him_, nullptr);
}

}  // namespace ks::ui::win32
