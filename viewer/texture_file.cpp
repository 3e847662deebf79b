#include "viewer/texture_file.h"

#include <algorithm>

#include "platform/picture_header.h"
#include "viewer/d3dx.h"

namespace ks::viewer {

namespace {

std::string PixelBytes(const Image& image) {
  std::string bytes(image.pixels.size() * 4, '\0');
  for (size_t i = 0; i < image.pixels.size(); ++i)
    for (int c = 0; c < 4; ++c) bytes[i * 4 + c] = static_cast<char>((image.pixels[i] >> (8 * c)) & 0xFF);
  return bytes;
}

void AddLevel(TextureLevels* out, const Image& image) {
  if (out->format == platform::kFmtDxt1) {
    out->levels.push_back(EncodeDxt1(image));
    out->pitches.push_back(std::max(1u, (image.width + 3) / 4) * 8);
  } else {
    out->levels.push_back(PixelBytes(image));
    out->pitches.push_back(image.width * 4);
  }
}

}  // namespace

bool BuildTextureLevels(const std::string& bytes, bool dxt1, platform::ImageDecoder& images, TextureLevels* out) {
  // The header check the picture boxes make: the system's loader takes a
  // BMP cut short and draws noise (or black, run-length coded) where its
  // pixels are missing, and decodes a frame of any size whole.
  if (!platform::IsTextureFile(bytes)) return false;
  TextureLevels result;
  std::vector<Image> chain;
  if (bytes.compare(0, 4, "DDS ") == 0) {
    DdsFile dds;
    if (!ParseDds(bytes, &dds)) return false;
    result.width = dds.width;
    result.height = dds.height;
    if (dds.format == platform::kFmtDxt1 && dxt1) {
      // Stored blocks go up as they are; missing levels are filtered from
      // the last stored one and encoded again.
      result.format = platform::kFmtDxt1;
      std::uint32_t w = dds.width;
      for (const std::string& level : dds.levels) {
        result.levels.push_back(level);
        result.pitches.push_back(std::max(1u, (w + 3) / 4) * 8);
        w = std::max(1u, w / 2);
      }
      Image last;
      if (!DdsLevelImage(dds, dds.levels.size() - 1, &last)) return false;
      while (last.width > 1 || last.height > 1) {
        last = BoxHalve(last);
        AddLevel(&result, last);
      }
      *out = std::move(result);
      return true;
    }
    for (size_t i = 0; i < dds.levels.size(); ++i) {
      Image level;
      if (!DdsLevelImage(dds, i, &level)) return false;
      chain.push_back(std::move(level));
    }
  } else {
    platform::DecodedImage decoded;
    if (!images.Decode(bytes, &decoded) || !platform::IsPictureSize(decoded.width, decoded.height) ||
        decoded.pixels.size() != static_cast<size_t>(decoded.width) * decoded.height)
      return false;
    chain.push_back(Image{decoded.width, decoded.height, std::move(decoded.pixels)});
    result.width = chain[0].width;
    result.height = chain[0].height;
  }
  while (chain.back().width > 1 || chain.back().height > 1) chain.push_back(BoxHalve(chain.back()));
  result.format = platform::kFmtX8R8G8B8;
  for (const Image& level : chain) AddLevel(&result, level);
  *out = std::move(result);
  return true;
}

long CreateTextureFromFile(platform::Direct3D8& d3d, platform::D3DHandle direct3d, platform::D3DHandle device,
                           const std::string& bytes, platform::ImageDecoder& images, platform::D3DHandle* out) {
  *out = 0;
  const bool dxt1 = d3d.CheckDeviceFormat(direct3d, 0, platform::kDevTypeHal, platform::kFmtX8R8G8B8, 0,
                                          platform::kRtypeTexture, platform::kFmtDxt1) == platform::kD3dOk;
  TextureLevels levels;
  if (!BuildTextureLevels(bytes, dxt1, images, &levels)) return platform::kD3dErrInvalidCall;
  platform::D3DHandle texture = 0;
  long hr = d3d.CreateTexture(device, levels.width, levels.height, static_cast<std::uint32_t>(levels.levels.size()),
                              0, levels.format, platform::kPoolManaged, &texture);
  if (hr != platform::kD3dOk) return hr;
  for (size_t i = 0; i < levels.levels.size() && hr == platform::kD3dOk; ++i)
    hr = d3d.FillTextureLevel(texture, static_cast<std::uint32_t>(i), levels.levels[i], levels.pitches[i]);
  if (hr != platform::kD3dOk) {
    d3d.Release(texture);
    return hr;
  }
  *out = texture;
  return platform::kD3dOk;
}

}  // namespace ks::viewer
