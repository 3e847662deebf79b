// Textures from files with a full mip chain, as the preview loads them:
// DDS (X8R8G8B8 or DXT1) read by our own parser, any other picture decoded
// by the system's image services; levels a file does not store are made
// by a box filter.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/d3d8.h"
#include "platform/images.h"

namespace ks::viewer {

struct TextureLevels {
  std::uint32_t format = 0;  // kFmtX8R8G8B8 or kFmtDxt1
  std::uint32_t width = 0, height = 0;
  std::vector<std::string> levels;  // largest first, down to 1 x 1
  std::vector<std::uint32_t> pitches;
};

// The levels to upload for a file's bytes; `dxt1` says whether the device
// takes DXT1 textures (else DXT1 files are uploaded decoded). False when
// the bytes are no texture we can read: a file that fails the shared
// header check (IsTextureFile) is never handed to the image services.
bool BuildTextureLevels(const std::string& bytes, bool dxt1, platform::ImageDecoder& images, TextureLevels* out);

// Reads the file and makes a managed texture with every level on the
// device; kD3dOk and *out set, or an error and *out 0 (nothing kept).
long CreateTextureFromFile(platform::Direct3D8& d3d, platform::D3DHandle direct3d, platform::D3DHandle device,
                           const std::string& bytes, platform::ImageDecoder& images, platform::D3DHandle* out);

}  // namespace ks::viewer
