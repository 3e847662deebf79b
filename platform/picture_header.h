// Whether a file's bytes are a picture the suite may hand to a loader,
// judged by their headers before anything is decoded:
// - a JPEG's start, its segments with an 8-bit frame header before the
//   first scan, every scan's coded data walked to the next marker, and the
//   end marker behind the last one; at most kMaxJpegScans scans;
// - a BMP's file header and an info header of a known kind, one plane, a
//   bit depth and a compression the loader decodes, its pixels behind its
//   headers, bit-field masks and colour table, and all the pixel bytes the
//   header announces (rows padded to 4 bytes, whichever way up; run-length
//   data complete up to its end, walked record by record, no move leaving
//   the picture): the system's loader takes a cut file and shows noise, or
//   black, where its pixels are missing;
// - for a texture also a DDS of the two formats the preview reads
//   (X8R8G8B8 at 32 bits, DXT1) with a level count the mip chain holds and
//   every level it announces, each of its format's size.
// And in every kind a size the suite can use: each side from 1 to
// kMaxPictureSide pixels and at most kMaxPicturePixels in all. The
// system's loader takes a frame of any size and decodes it whole (a JPEG
// announcing 30000 x 30000 pixels holds a window for most of a minute and
// gigabytes of memory before it gives up). The pixels are not decoded:
// that would map the system's picture libraries at start-up, also on the
// road that never shows a window.
//
// Portable: the system's loaders (platform/win32, ui/win32) and the
// portable ones (picture boxes, the preview's DDS reader) ask it alike.
#pragma once

#include <cstdint>
#include <string_view>

namespace ks::platform {

// The pictures the suite ships are at most 512 x 512 (the largest
// texture; the largest JPEG is 256 x 256). The bound leaves eight times
// that per side and sixteen times the pixels, and keeps a decoded picture
// to 16 MB at 32 bits a pixel, which decodes in a moment.
inline constexpr std::uint32_t kMaxPictureSide = 4096;
inline constexpr std::uint64_t kMaxPicturePixels = 2048 * 2048;

// The system's JPEG decoder walks the whole frame once per scan, whatever
// the scan holds, about 1 ms a scan at 2048 x 2048: that frame repeating
// one scan 20,000 times (328 KB) holds a window for 20 seconds. A baseline
// JPEG has one scan per component at most, a progressive one of the usual
// encoders ten or so; the suite's own have one scan each. The largest
// frame takes the loader 45 ms in one scan and 60 ms in 32.
inline constexpr int kMaxJpegScans = 32;

// Whether a picture of width x height pixels is of a size the suite takes.
bool IsPictureSize(std::int64_t width, std::int64_t height);

// A JPEG or BMP file the system's picture loader may be given (picture
// boxes, the preview's JPEG textures).
bool IsPictureFile(std::string_view bytes);

// A picture file or a DDS texture the preview reads.
bool IsTextureFile(std::string_view bytes);

}  // namespace ks::platform
