// The preview renderer's settings: the main window's controls write them,
// the renderer reads them on its next rebuild or frame.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace ks::viewer {

struct PreviewSettings {
  std::string TextureName;              // after the program's own folder
  std::int32_t FilterLevel = 1;         // 0 point, 1 linear, 2/4/8/16 anisotropic
  std::int32_t MipMapping = 1;
  std::int32_t MultiTexture = 0;
  std::int32_t ColourFlagA = 1, ColourFlagB = 1;
  std::uint32_t VertexColourA = 0xFFFFFFFF, VertexColourB = 0xFF808080;
  float DepthA = 1.0f, DepthB = 1.0f;
  std::array<float, 3> RotationAxis{1.0f, 1.0f, 1.0f};
  float FovDivisor = 4.0f;              // field of view = 3.1415 / FovDivisor
  std::int32_t VertexCount = 50;
  std::int32_t AutoLod = 0;
  std::int32_t HoldRotation = 0;
  std::int32_t HoldSeconds = 0;
  std::int32_t BackgroundFlag = 0;

  // The start values the renderer sets when it loads (the texture stays).
  void Reset() {
    std::string texture = TextureName;
    *this = PreviewSettings();
    TextureName = texture;
  }
};

}  // namespace ks::viewer
