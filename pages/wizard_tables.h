// The performance wizard's tables: the processor's speed classes, the
// buckets that turn the antialiasing and anisotropy sums into levels, and
// the setting codes each level, image setting and texture optimisation
// writes (Direct3D codes of engine/d3d.h, OpenGL codes of engine/ogl.h).
#pragma once

#include <array>
#include <cstdint>

#include "engine/setting_codes.h"

namespace ks::wizard {

// Lowest clock (MHz) of speed classes 1..7; below the first is class 0.
inline constexpr std::array<std::int32_t, 7> kCpuClassFloors = {500, 800, 1100, 1500, 1900, 2300, 2800};
inline constexpr std::int32_t kTopCpuClass = 7;

// Lowest antialiasing sum of levels 1..8 and anisotropy sum of levels 1..7.
inline constexpr std::array<std::int64_t, 8> kAALevelFloors = {6, 10, 15, 20, 25, 30, 35, 40};
inline constexpr std::array<std::int64_t, 7> kAFLevelFloors = {10, 15, 20, 25, 30, 35, 40};

inline constexpr std::int16_t kNoCode = -1;

// Antialiasing level 0 (or less) .. 8 (or more): the Direct3D code, then
// the OpenGL code (kNoCode: the OpenGL page has no such mode).
struct AAWrite {
  std::int16_t d3d, ogl;
};
inline constexpr std::array<AAWrite, 9> kAAWrites = {{
    {d3d_code::kAAAuto, ogl_code::kAAAuto},
    {d3d_code::kAA2x, ogl_code::kAA2x},
    {d3d_code::kAAQuincunx, ogl_code::kAAQuincunx},
    {d3d_code::kAA4x, ogl_code::kAA4x},
    {d3d_code::kAA4xS, kNoCode},
    {d3d_code::kAA6xS, kNoCode},
    {d3d_code::kAA8xS, kNoCode},
    {d3d_code::kAA8x, ogl_code::kAA8x},
    {d3d_code::kAA16x, ogl_code::kAA16x},
}};

// Anisotropy level 0 (or less) .. 7 (or more): the Direct3D code.
inline constexpr std::array<std::int16_t, 8> kAFWrites = {
    d3d_code::kAnisoAuto, d3d_code::kAniso2x, d3d_code::kAniso2x, d3d_code::kAniso4x,
    d3d_code::kAniso4x,   d3d_code::kAniso8x, d3d_code::kAniso8x, d3d_code::kAniso16x,
};

// Image setting 0 (or less) .. 3 (or more), from the performance end to
// the quality end: Direct3D code, then OpenGL code.
struct ImageWrite {
  std::int16_t d3d, ogl;
};
inline constexpr std::array<ImageWrite, 4> kImageWrites = {{
    {d3d_code::kHighPerformance, ogl_code::kHighPerformance},
    {d3d_code::kPerformance, ogl_code::kPerformance},
    {d3d_code::kQuality, ogl_code::kQuality},
    {d3d_code::kHighQuality, ogl_code::kHighQuality},
}};

// Texture optimisations, in writing order: `met` when bar 1 or bar 3
// reaches its threshold, `otherwise` else.
struct TextureOptimization {
  int bar1_from, bar3_from;
  std::int16_t met, otherwise;
};
inline constexpr std::array<TextureOptimization, 4> kTextureOptimizations = {{
    {1, 1, d3d_code::kLowMipLevelOff, d3d_code::kLowMipLevelOn},
    {5, 4, d3d_code::kTrilinearOptOn, d3d_code::kTrilinearOptOff},
    {4, 3, d3d_code::kAnisoMipOptOff, d3d_code::kAnisoMipOptOn},
    {6, 4, d3d_code::kAnisoSampleOptOff, d3d_code::kAnisoSampleOptOn},
}};

// The OpenGL trilinear optimisation value of Fine Adjust stays in 0..31.
inline constexpr std::int32_t kMaxTrilinearValue = 31;

// Setting codes of the fixed steps.
inline constexpr std::int16_t kOglTrilinearValue = ogl_code::kTrilinearValue;    // value written
inline constexpr std::int16_t kOglTrilinearDelete = ogl_code::kTrilinearDefault;  // value deleted
inline constexpr std::int16_t kOglLodBias = ogl_code::kLodBias;
inline constexpr std::int16_t kD3DLodBias = d3d_code::kLodBias;

}  // namespace ks::wizard
