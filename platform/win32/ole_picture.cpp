#include "platform/win32/ole_picture.h"

#include <cstring>

#include <olectl.h>

namespace ks::win32 {

ScopedCom<IPicture> LoadOlePicture(const std::string& bytes) {
  if (bytes.empty()) return {};
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!memory) return {};
  std::memcpy(GlobalLock(memory), bytes.data(), bytes.size());
  GlobalUnlock(memory);
  IStream* raw_stream = nullptr;
  // The stream frees the memory when it is released.
  if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &raw_stream))) {
    GlobalFree(memory);
    return {};
  }
  ScopedCom<IStream> stream(raw_stream);
  IPicture* picture = nullptr;
  const HRESULT hr = OleLoadPicture(stream.get(), static_cast<LONG>(bytes.size()), FALSE, IID_IPicture,
                                    reinterpret_cast<void**>(&picture));
  ScopedCom<IPicture> owned(picture);
  if (FAILED(hr)) return {};
  return owned;
}

}  // namespace ks::win32
