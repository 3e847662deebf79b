// Picture files made for the tests, whole or with one fault: BMPs of any
// size, depth and coding, a JPEG given another frame size, and the bytes
// of a file with a part written over.
#pragma once

#include <cstdint>
#include <string>

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
// header, the colour table (2^bits grey entries up to 8 bits a pixel),
// then `pixels`, which start where the file header says.
inline std::string BmpFile(std::int32_t width, std::int32_t height, std::uint32_t bits, std::uint32_t compression,
                           const std::string& pixels) {
  using picture_files_detail::Put16;
  using picture_files_detail::Put32;
  const std::uint32_t colours = bits <= 8 ? 1u << bits : 0;
  std::string b(54 + 4 * colours, '\0');
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
  for (std::uint32_t i = 0; i < colours; ++i) {
    const auto grey = static_cast<char>(i * 255 / (colours - 1));
    b[54 + 4 * i] = b[55 + 4 * i] = b[56 + 4 * i] = grey;
  }
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

}  // namespace ks::test
