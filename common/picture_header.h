// Whether a file's bytes are a picture the system's picture loader reads,
// of the two kinds the suite ships, judged by their headers as the loader
// judges them: a JPEG's start, its segments up to the first scan with an
// 8-bit frame header of a real size before it, and the end marker behind
// the coded data; a BMP's file header and an info header of a known kind,
// one plane, a bit depth and a compression the loader decodes, and all the
// pixel bytes the header announces (the loader takes a cut file and shows
// noise where its pixels are missing). The pixels are not decoded: that would map the system's picture libraries at
// start-up, also on the road that never shows a window.
#pragma once

#include <string_view>

namespace ks {

bool IsPictureFile(std::string_view bytes);

}  // namespace ks
