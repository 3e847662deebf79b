#include "platform/picture_header.h"

#include <algorithm>
#include <cstddef>

namespace ks::platform {

namespace {

std::uint32_t Byte(std::string_view b, size_t at) { return static_cast<unsigned char>(b[at]); }
std::uint32_t Be16(std::string_view b, size_t at) { return Byte(b, at) << 8 | Byte(b, at + 1); }
std::uint32_t Le16(std::string_view b, size_t at) { return Byte(b, at) | Byte(b, at + 1) << 8; }
std::uint32_t Le32(std::string_view b, size_t at) { return Le16(b, at) | Le16(b, at + 2) << 16; }

// The end of a scan's coded data from `at` on: the FF of the next marker
// that is no restart; npos when the file ends first. In coded data FF 00
// stands for an FF, and FF may repeat as fill before a marker.
size_t EndOfCodedData(std::string_view b, size_t at) {
  while ((at = b.find('\xFF', at)) != std::string_view::npos) {
    size_t next = at + 1;
    while (next < b.size() && Byte(b, next) == 0xFF) ++next;
    if (next >= b.size()) return std::string_view::npos;
    const std::uint32_t marker = Byte(b, next);
    if (marker != 0x00 && (marker < 0xD0 || marker > 0xD7)) return next - 1;
    at = next + 1;
  }
  return std::string_view::npos;
}

bool IsJpeg(std::string_view b) {
  if (b.size() < 4 || Byte(b, 0) != 0xFF || Byte(b, 1) != 0xD8) return false;
  bool frame = false;
  int scans = 0;
  size_t at = 2;
  while (at < b.size()) {
    // Stray bytes before a marker are passed over, as the loader does.
    while (at < b.size() && Byte(b, at) != 0xFF) ++at;
    while (at < b.size() && Byte(b, at) == 0xFF) ++at;  // fill bytes
    if (at >= b.size()) return false;
    const std::uint32_t marker = Byte(b, at++);
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;  // no length of their own
    // The end: a picture when a scan came before it. Bytes behind it are
    // not read.
    if (marker == 0xD9) return scans > 0;
    // A second start, or a coded FF outside coded data: no picture.
    if (marker == 0x00 || marker == 0xD8) return false;
    if (at + 2 > b.size()) return false;
    const size_t length = Be16(b, at);
    if (length < 2 || at + length > b.size()) return false;
    // Frame headers: all of C0-CF but the Huffman and arithmetic tables
    // (C4, CC) and the reserved C8. The loader reads 8-bit samples only; a
    // height of 0 would come from a later DNL segment, which it refuses.
    if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
      if (length < 8) return false;
      const std::uint32_t components = Byte(b, at + 7);
      if (Byte(b, at + 2) != 8 || !IsPictureSize(Be16(b, at + 5), Be16(b, at + 3)) || components == 0 ||
          length < 8 + 3 * components)
        return false;
      frame = true;
    }
    at += length;
    // A scan header: its coded data follows, up to the next marker (a file
    // cut inside it is refused). Each scan costs the decoder a walk over
    // the whole frame.
    if (marker == 0xDA) {
      if (!frame || ++scans > kMaxJpegScans) return false;
      at = EndOfCodedData(b, at);
      if (at == std::string_view::npos) return false;
    }
  }
  return false;
}

// Whether the run-length pixels from `at` on are complete: every record
// whole, up to the end-of-picture record or the end of the last row.
// Records are two bytes: a run (count, value), or 0 and a code: 0 ends a
// row, 1 the picture, 2 moves by the next two bytes (right, down), 3 and
// more are that many literal pixels, padded to two bytes. A move that
// leaves the picture (past its right edge or its last row) is a damaged
// file: the loader would carry on outside the picture's rows.
bool RunLengthComplete(std::string_view b, size_t at, bool four_bits, std::int64_t width, std::int64_t rows) {
  std::int64_t x = 0, row = 0;
  while (b.size() - at >= 2) {
    const std::uint32_t count = Byte(b, at), code = Byte(b, at + 1);
    at += 2;
    if (count != 0) {
      x += count;
      continue;
    }
    if (code == 1) return true;
    if (code == 0) {
      x = 0;
      if (++row >= rows) return true;
      continue;
    }
    size_t skip = 2;
    if (code >= 3) {
      skip = four_bits ? (code + 1) / 2 : code;
      skip += skip & 1;
    }
    if (b.size() - at < skip) return false;
    if (code == 2) {
      x += Byte(b, at);
      row += Byte(b, at + 1);
      if (x > width || row >= rows) return false;
    } else {
      x += code;
    }
    at += skip;
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
  std::uint32_t planes = 0, bits = 0, compression = 0, image_size = 0, colours_used = 0;
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
    colours_used = Le32(b, 46);
  }
  const bool depth = bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
  // Uncompressed, run-length (8 and 4 bits) or bit fields, which the
  // loader takes on 16 and 32 bits only. A negative height is a picture
  // stored top row first, which cannot be run-length coded.
  const std::int64_t rows = height < 0 ? -height : height;
  const bool run_length = compression == 1 || compression == 2;
  if (!depth || planes != 1 || compression > 3 || width < 0 || !IsPictureSize(width, rows)) return false;
  if (compression == 3 && bits != 16 && bits != 32) return false;
  if (run_length && (bits != (compression == 1 ? 8u : 4u) || height < 0)) return false;
  // The pixels lie behind the headers, the bit-field masks of a version 1
  // header and the colour table (up to 2^bits entries, 3 bytes each after
  // a core header, else 4), all inside the file.
  std::uint64_t colours = 0;
  if (bits <= 8) colours = colours_used != 0 ? std::min<std::uint64_t>(colours_used, 1u << bits) : 1u << bits;
  const std::uint64_t headers =
      kFileHeader + info + (info == 40 && compression == 3 ? 12 : 0) + colours * (info == 12 ? 3 : 4);
  if (pixels < headers || pixels > b.size()) return false;
  // The pixels the header announces must all be there: the loader takes a
  // file that ends before them and shows whatever memory follows. Rows are
  // padded to 4 bytes; run-length pixels have the size the header gives
  // and are walked to their end.
  const std::int64_t available = static_cast<std::int64_t>(b.size() - pixels);
  if (run_length) return image_size <= available && RunLengthComplete(b, pixels, compression == 2, width, rows);
  return (width * bits + 31) / 32 * 4 * rows <= available;
}

// DDS: "DDS ", a 124-byte header (flags at 8, height 12, width 16, level
// count 28 when flag 0x20000 is set, pixel format at 76: flags 80, FourCC
// 84, bits 88, masks 92-100), then the levels, largest first.
constexpr size_t kDdsHeader = 128;
constexpr std::uint32_t kDdpfFourCC = 0x4, kDdpfRgb = 0x40, kDdsdMipMapCount = 0x20000;
constexpr std::uint32_t kDxt1 = 0x31545844;  // "DXT1"

bool IsDds(std::string_view b) {
  if (b.size() < kDdsHeader || b.substr(0, 4) != "DDS " || Le32(b, 4) != 124) return false;
  const std::uint32_t height = Le32(b, 12), width = Le32(b, 16), format = Le32(b, 80);
  bool dxt1 = false;
  if (format & kDdpfFourCC) {
    if (Le32(b, 84) != kDxt1) return false;
    dxt1 = true;
  } else if (!(format & kDdpfRgb) || Le32(b, 88) != 32 || Le32(b, 92) != 0xFF0000 || Le32(b, 96) != 0xFF00 ||
             Le32(b, 100) != 0xFF) {
    return false;
  }
  if (!IsPictureSize(width, height)) return false;
  // The level count (0 is one level, as writers put it) is at most the
  // whole chain down to 1 x 1: a count past it is a damaged header. Every
  // level it names must be in the file.
  std::uint32_t chain = 1;
  for (std::uint32_t w = width, h = height; w > 1 || h > 1; w = std::max(1u, w / 2), h = std::max(1u, h / 2)) ++chain;
  const std::uint32_t levels = Le32(b, 8) & kDdsdMipMapCount ? std::max(1u, Le32(b, 28)) : 1;
  if (levels > chain) return false;
  std::uint64_t length = 0;
  std::uint32_t w = width, h = height;
  for (std::uint32_t i = 0; i < levels; ++i) {
    length += dxt1 ? std::uint64_t{std::max(1u, (w + 3) / 4)} * std::max(1u, (h + 3) / 4) * 8
                   : std::uint64_t{w} * h * 4;
    w = std::max(1u, w / 2);
    h = std::max(1u, h / 2);
  }
  return length <= b.size() - kDdsHeader;
}

}  // namespace

bool IsPictureSize(std::int64_t width, std::int64_t height) {
  return width >= 1 && height >= 1 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
         static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) <= kMaxPicturePixels;
}

bool IsPictureFile(std::string_view bytes) { return IsJpeg(bytes) || IsBmp(bytes); }

bool IsTextureFile(std::string_view bytes) { return IsPictureFile(bytes) || IsDds(bytes); }

}  // namespace ks::platform
