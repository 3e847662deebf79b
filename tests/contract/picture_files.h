// Picture files made for the tests, whole or with one fault: BMPs of any
// size, depth and coding, a JPEG given another frame size, a progressive
// JPEG of any number of scans, and the bytes of a file with a part written
// over.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace ks::test {

namespace picture_files_detail {
inline void Put16(std::string& b, size_t at, std::uint32_t v) {
  b[at] = static_cast<char>(v & 0xFF);
  b[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}
inline void Put32(std::string& b, size_t at, std::uint32_t v) {
  Put16(b, at, v & 0xFFFF);
  Put16(b, at + 2, v >> 16);
}
}  // namespace picture_files_detail

// The bytes with `part` written over them at `at`.
inline std::string With(std::string bytes, size_t at, const std::string& part) {
  return bytes.replace(at, part.size(), part);
}

// A BMP with a version 1 info header (40 bytes): the file header, the info
// header, the colour table (`colours` grey entries, by default 2^bits up
// to 8 bits a pixel; a smaller table is given as the colours used), then
// `pixels`, which start where the file header says.
inline std::string BmpFile(std::int32_t width, std::int32_t height, std::uint32_t bits, std::uint32_t compression,
                           const std::string& pixels, std::int32_t colours = -1) {
  using picture_files_detail::Put16;
  using picture_files_detail::Put32;
  const std::uint32_t full = bits <= 8 ? 1u << bits : 0;
  const std::uint32_t entries = colours < 0 ? full : static_cast<std::uint32_t>(colours);
  std::string b(54 + 4 * entries, '\0');
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 2, static_cast<std::uint32_t>(b.size() + pixels.size()));
  Put32(b, 10, static_cast<std::uint32_t>(b.size()));
  Put32(b, 14, 40);
  Put32(b, 18, static_cast<std::uint32_t>(width));
  Put32(b, 22, static_cast<std::uint32_t>(height));
  Put16(b, 26, 1);
  Put16(b, 28, bits);
  Put32(b, 30, compression);
  Put32(b, 34, static_cast<std::uint32_t>(pixels.size()));
  if (entries != full) Put32(b, 46, entries);
  for (std::uint32_t i = 0; i < entries; ++i) {
    const auto grey = static_cast<char>(entries > 1 ? i * 255 / (entries - 1) : 0);
    b[54 + 4 * i] = b[55 + 4 * i] = b[56 + 4 * i] = grey;
  }
  return b + pixels;
}

// A BMP of bit fields (compression 3) with a version 1 info header: the
// three masks (red, green, blue) behind it, then the rows.
inline std::string BitFieldsBmp(std::int32_t width, std::int32_t height, std::uint32_t bits, std::uint32_t red,
                                std::uint32_t green, std::uint32_t blue, const std::string& pixels) {
  using picture_files_detail::Put32;
  std::string masks(12, '\0');
  Put32(masks, 0, red);
  Put32(masks, 4, green);
  Put32(masks, 8, blue);
  std::string b = BmpFile(width, height, bits, 3, pixels);
  b.insert(54, masks);
  Put32(b, 2, static_cast<std::uint32_t>(b.size()));
  Put32(b, 10, 54 + 12);
  return b;
}

// A BMP with the core header of OS/2 (12 bytes, 16-bit sides): its colour
// table of 2^bits grey entries of 3 bytes each up to 8 bits a pixel, then
// `pixels`.
inline std::string CoreBmpFile(std::uint16_t width, std::uint16_t height, std::uint16_t bits,
                               const std::string& pixels) {
  using picture_files_detail::Put16;
  using picture_files_detail::Put32;
  const std::uint32_t colours = bits <= 8 ? 1u << bits : 0;
  std::string b(26 + 3 * colours, '\0');
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 2, static_cast<std::uint32_t>(b.size() + pixels.size()));
  Put32(b, 10, static_cast<std::uint32_t>(b.size()));
  Put32(b, 14, 12);
  Put16(b, 18, width);
  Put16(b, 20, height);
  Put16(b, 22, 1);
  Put16(b, 24, bits);
  for (std::uint32_t i = 0; i < colours; ++i) b[26 + 3 * i] = b[27 + 3 * i] = b[28 + 3 * i] = static_cast<char>(i);
  return b + pixels;
}

// Uncompressed pixels of a width x |height| picture: each row padded to a
// multiple of 4 bytes, in a pattern of many values.
inline std::string BmpRows(std::int32_t width, std::int32_t height, std::uint32_t bits) {
  const std::int64_t rows = height < 0 ? -static_cast<std::int64_t>(height) : height;
  const std::int64_t stride = (static_cast<std::int64_t>(width) * bits + 31) / 32 * 4;
  std::string pixels(static_cast<size_t>(stride * rows), '\0');
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<char>(i * 37 + 11);
  return pixels;
}

// Run-length pixels (8 or 4 bits) of a width x height picture, width at
// most 255: each row a run, a literal stretch of three pixels and the end
// of the row, then the end of the picture.
inline std::string RunLengthRows(std::int32_t width, std::int32_t height, bool four_bits) {
  std::string pixels;
  for (std::int32_t row = 0; row < height; ++row) {
    pixels += static_cast<char>(width - 3);
    pixels += static_cast<char>(four_bits ? 0x12 : row);
    // Literal: 0, 3, the pixels (2 bytes at 4 bits, 3 at 8), padded to 2 bytes.
    pixels += std::string("\0\x03", 2);
    pixels += four_bits ? std::string("\x34\x50", 2) : std::string("\x05\x06\x07\x00", 4);
    pixels += std::string("\0\0", 2);  // end of the row
  }
  return pixels + std::string("\0\x01", 2);  // end of the picture
}

// A JPEG with the size in its frame header replaced: what the header
// announces, whatever the coded data holds.
inline std::string JpegOfSize(std::string jpeg, std::uint32_t width, std::uint32_t height) {
  const size_t frame = jpeg.find("\xFF\xC0");
  if (frame == std::string::npos || frame + 9 > jpeg.size()) return jpeg;
  jpeg[frame + 5] = static_cast<char>(height >> 8);
  jpeg[frame + 6] = static_cast<char>(height & 0xFF);
  jpeg[frame + 7] = static_cast<char>(width >> 8);
  jpeg[frame + 8] = static_cast<char>(width & 0xFF);
  return jpeg;
}

// A progressive JPEG of one grey component: its first scan gives every
// block its DC value, each of the other `scans` - 1 repeats one scan of
// all the AC values that ends every block at once (in runs of up to 32767
// blocks). Tiny per scan, yet the decoder walks the whole frame in each.
inline std::string ProgressiveJpeg(std::uint32_t width, std::uint32_t height, int scans) {
  std::string b("\xFF\xD8", 2);
  auto segment = [&b](unsigned char marker, const std::string& body) {
    b += '\xFF';
    b += static_cast<char>(marker);
    b += static_cast<char>((body.size() + 2) >> 8);
    b += static_cast<char>((body.size() + 2) & 0xFF);
    b += body;
  };
  // Coded bits, most significant first, an FF byte followed by 00, the
  // last byte filled with ones.
  auto coded = [](const std::vector<std::pair<std::uint32_t, int>>& codes) {
    std::string out;
    std::uint32_t byte = 0;
    int filled = 0;
    auto put = [&](std::uint32_t bits, int count) {
      for (int i = count - 1; i >= 0; --i) {
        byte = byte << 1 | ((bits >> i) & 1);
        if (++filled < 8) continue;
        out += static_cast<char>(byte);
        if (byte == 0xFF) out += '\0';
        byte = 0;
        filled = 0;
      }
    };
    for (const auto& [bits, count] : codes) put(bits, count);
    if (filled) put(0xFF, 8 - filled);
    return out;
  };
  std::string quantisation(65, '\x01');  // table 0: all 1
  quantisation[0] = '\0';
  segment(0xDB, quantisation);
  // Frame: 8-bit samples, the size, one component (id 1, 1 x 1, table 0).
  segment(0xC2, std::string{8, static_cast<char>(height >> 8), static_cast<char>(height & 0xFF),
                            static_cast<char>(width >> 8), static_cast<char>(width & 0xFF), 1, 1, 0x11, 0});
  // DC table 0: code 0 for a difference of 0. AC table 0: the 4-bit code r
  // for a run of 2^r ends of block (r extra bits add to it), r = 0 to 14.
  std::string tables(17, '\0');
  tables[1] = 1;
  tables += '\0';
  tables += '\x10';
  tables += std::string(16, '\0');
  tables[tables.size() - 16 + 3] = 15;
  for (char r = 0; r < 15; ++r) tables += static_cast<char>(r << 4);
  segment(0xC4, tables);
  const std::uint32_t blocks = ((width + 7) / 8) * ((height + 7) / 8);
  segment(0xDA, std::string{1, 1, 0, 0, 0, 0});  // component 1, tables 0: DC, first pass
  b += coded(std::vector<std::pair<std::uint32_t, int>>(blocks, {0, 1}));
  std::vector<std::pair<std::uint32_t, int>> runs;
  for (std::uint32_t left = blocks; left > 0;) {
    int r = 0;
    while (r < 14 && (2u << r) <= left) ++r;
    const std::uint32_t run = std::min(left, (2u << r) - 1);
    runs.push_back({static_cast<std::uint32_t>(r), 4});
    if (r > 0) runs.push_back({run - (1u << r), r});
    left -= run;
  }
  std::string ac;
  ac += "\xFF\xDA";
  ac += std::string{0, 8, 1, 1, 0, 1, 63, 0};  // component 1, tables 0: AC 1-63, first pass
  ac += coded(runs);
  for (int i = 1; i < scans; ++i) b += ac;
  return b + "\xFF\xD9";
}

}  // namespace ks::test
