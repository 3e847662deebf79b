// Pictures decoded by OLE's picture loader (OleLoadPicture), drawn into a
// 32-bit DIB to read the pixels; only bytes that pass the shared header
// check (IsPictureFile) reach the loader.
#pragma once

#include "platform/images.h"

namespace ks::win32 {

class Win32ImageDecoder : public platform::ImageDecoder {
 public:
  bool Decode(const std::string& bytes, platform::DecodedImage* out) override;
};

}  // namespace ks::win32
