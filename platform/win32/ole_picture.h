// A picture file held in memory, read by OLE's picture loader
// (OleLoadPicture: BMP, GIF, JPEG, icons and metafiles).
#pragma once

#include <string>

#include "platform/win32/handle.h"
#include <ocidl.h>

namespace ks::win32 {

// The loaded picture; an empty owner when the bytes are empty, memory runs
// out or the loader does not read them as a picture.
ScopedCom<IPicture> LoadOlePicture(const std::string& bytes);

}  // namespace ks::win32
