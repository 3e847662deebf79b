// Picture files decoded by the system's own image services (JPEG, BMP,
// GIF): the pixels, for a texture.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ks::platform {

struct DecodedImage {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::vector<std::uint32_t> pixels;  // 0xAARRGGBB, rows top to bottom
};

class ImageDecoder {
 public:
  virtual ~ImageDecoder() = default;
  // False (out untouched) when the bytes are no picture the system reads.
  virtual bool Decode(const std::string& bytes, DecodedImage* out) = 0;
};

}  // namespace ks::platform
