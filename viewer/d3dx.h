// Our own small part of the Direct3D helper library, portable: the three
// matrices the preview needs (left-handed, as Direct3D's default), the DDS
// files it reads (X8R8G8B8 and DXT1, with or without stored mip levels),
// the DXT1 codec and box-filtered mip chains.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/d3d8.h"

namespace ks::viewer {

struct Vec3 {
  float x = 0, y = 0, z = 0;
};

platform::D3DMatrix MatrixIdentity();
// Rotation by `angle` radians about `axis` (normalised here). An axis of
// length 0 rotates nothing: the identity.
platform::D3DMatrix MatrixRotationAxis(Vec3 axis, float angle);
// View from `eye` towards `at`, `up` giving the vertical.
platform::D3DMatrix MatrixLookAtLH(Vec3 eye, Vec3 at, Vec3 up);
// Projection with a vertical field of view of `fovy` radians.
platform::D3DMatrix MatrixPerspectiveFovLH(float fovy, float aspect, float zn, float zf);

// A picture as 32-bit 0xAARRGGBB pixels, rows top to bottom.
struct Image {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::vector<std::uint32_t> pixels;
};

// The next smaller level: each pixel the mean of (up to) 2 x 2 pixels.
Image BoxHalve(const Image& image);
// The image and every smaller level down to 1 x 1.
std::vector<Image> BoxMipChain(const Image& top);

// DXT1 (opaque): 8 bytes per 4 x 4 block, rows of blocks top to bottom.
std::string EncodeDxt1(const Image& image);
// False when `bytes` is shorter than a w x h level needs.
bool DecodeDxt1(const std::string& bytes, std::uint32_t width, std::uint32_t height, Image* out);
std::uint32_t Dxt1LevelSize(std::uint32_t width, std::uint32_t height);

// A DDS file: its format (kFmtX8R8G8B8 or kFmtDxt1) and the bytes of the
// levels it stores, largest first.
struct DdsFile {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint32_t format = 0;
  std::vector<std::string> levels;
};

// False for anything else: no "DDS " magic, a format we do not read, a
// size the suite does not take (IsTextureFile: 0, or beyond the bound), or
// a file that ends inside a level it announces.
bool ParseDds(const std::string& bytes, DdsFile* out);
// The file for these levels (`levels` 1 = no stored mips).
std::string DdsBytes(const DdsFile& file);
// The pixels of one stored level.
bool DdsLevelImage(const DdsFile& file, size_t level, Image* out);

}  // namespace ks::viewer
