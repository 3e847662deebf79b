#include "common/picture_header.h"

#include <cstddef>
#include <cstdint>

namespace ks {

namespace {

std::uint32_t Byte(std::string_view b, size_t at) { return static_cast<unsigned char>(b[at]); }
std::uint32_t Be16(std::string_view b, size_t at) { return Byte(b, at) << 8 | Byte(b, at + 1); }
std::uint32_t Le16(std::string_view b, size_t at) { return Byte(b, at) | Byte(b, at + 1) << 8; }
std::uint32_t Le32(std::string_view b, size_t at) { return Le16(b, at) | Le16(b, at + 2) << 16; }

bool IsJpeg(std::string_view b) {
  if (b.size() < 4 || Byte(b, 0) != 0xFF || Byte(b, 1) != 0xD8) return false;
  bool frame = false;
  size_t at = 2;
  while (at < b.size()) {
    // Stray bytes before a marker are passed over, as the loader does.
    while (at < b.size() && Byte(b, at) != 0xFF) ++at;
    while (at < b.size() && Byte(b, at) == 0xFF) ++at;  // fill bytes
    if (at >= b.size()) return false;
    const std::uint32_t marker = Byte(b, at++);
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;  // no length of their own
    // A second start or the end before any scan: no picture.
    if (marker == 0x00 || marker == 0xD8 || marker == 0xD9) return false;
    if (at + 2 > b.size()) return false;
    const size_t length = Be16(b, at);
    if (length < 2 || at + length > b.size()) return false;
    // Frame headers: all of C0-CF but the Huffman and arithmetic tables
    // (C4, CC) and the reserved C8. The loader reads 8-bit samples only; a
    // height of 0 would come from a later DNL segment, which it refuses.
    if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
      if (length < 8) return false;
      const std::uint32_t components = Byte(b, at + 7);
      if (Byte(b, at + 2) != 8 || Be16(b, at + 3) == 0 || Be16(b, at + 5) == 0 || components == 0 ||
          length < 8 + 3 * components)
        return false;
      frame = true;
    }
    // The scan header: its coded data follows, complete up to the end
    // marker (a file cut short is refused). Coded data holds no FF D9.
    if (marker == 0xDA) return frame && b.find("\xFF\xD9", at + length) != std::string_view::npos;
    at += length;
  }
  return false;
}

bool IsBmp(std::string_view b) {
  constexpr size_t kFileHeader = 14;
  if (b.size() < kFileHeader + 4 || b[0] != 'B' || b[1] != 'M') return false;
  const std::uint32_t pixels = Le32(b, 10);
  const std::uint32_t info = Le32(b, 14);
  // The core header of OS/2, then the Windows ones (versions 1 to 5).
  const bool known = info == 12 || info == 40 || info == 52 || info == 56 || info == 108 || info == 124;
  if (!known || b.size() < kFileHeader + info) return false;
  std::uint32_t planes = 0, bits = 0, compression = 0, image_size = 0;
  std::int64_t width = 0, height = 0;
  if (info == 12) {
    width = Le16(b, 18);
    height = Le16(b, 20);
    planes = Le16(b, 22);
    bits = Le16(b, 24);
  } else {
    width = static_cast<std::int32_t>(Le32(b, 18));
    height = static_cast<std::int32_t>(Le32(b, 22));
    planes = Le16(b, 26);
    bits = Le16(b, 28);
    compression = Le32(b, 30);
    image_size = Le32(b, 34);
  }
  const bool depth = bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
  // Uncompressed, run-length (8 and 4 bits) or bit fields, which the
  // loader takes on 16 and 32 bits only.
  if (!depth || planes != 1 || compression > 3 || width < 0 || pixels > b.size()) return false;
  if (compression == 3 && bits != 16 && bits != 32) return false;
  // The pixels the header announces must all be there: the loader takes a
  // file that ends before them and shows whatever memory follows. Rows are
  // padded to 4 bytes; run-length pixels have the size the header gives.
  const std::int64_t rows = height < 0 ? -height : height;
  const std::int64_t length =
      compression == 1 || compression == 2 ? image_size : (width * bits + 31) / 32 * 4 * rows;
  return length <= static_cast<std::int64_t>(b.size() - pixels);
}

}  // namespace

bool IsPictureFile(std::string_view bytes) { return IsJpeg(bytes) || IsBmp(bytes); }

}  // namespace ks
