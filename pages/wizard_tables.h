// The performance wizard's tables: the processor's speed classes, the
// buckets that turn the antialiasing and anisotropy sums into levels, and
// the setting codes each level, image setting and texture optimisation
// writes (Direct3D codes of engine/d3d.h, OpenGL codes of engine/ogl.h).
#pragma once

#include <array>
#include <cstdint>

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
    {0, 0},           // off
    {1, 2},           // 2x
    {2, 1},           // Quincunx
    {3, 3},           // 4x
    {5, kNoCode},     // 4xS
    {6, kNoCode},     // 6xS
    {101, kNoCode},   // 8xS
    {7, 61},          // 8x
    {8, 62},          // 16x
}};

// Anisotropy level 0 (or less) .. 7 (or more): the Direct3D code.
inline constexpr std::array<std::int16_t, 8> kAFWrites = {
    36,   // off
    11,   // 2x
    11,
    60,   // 4x
    60,
    61,   // 8x
    61,
    112,  // 16x
};

// Image setting 0 (or less) .. 3 (or more), from the performance end to
// the quality end: Direct3D code, then OpenGL code.
struct ImageWrite {
  std::int16_t d3d, ogl;
};
inline constexpr std::array<ImageWrite, 4> kImageWrites = {{{67, 58}, {68, 57}, {69, 56}, {113, 64}}};

// Texture optimisations, in writing order: `met` when bar 1 or bar 3
// reaches its threshold, `otherwise` else.
struct TextureOptimization {
  int bar1_from, bar3_from;
  std::int16_t met, otherwise;
};
inline constexpr std::array<TextureOptimization, 4> kTextureOptimizations = {{
    {1, 1, 108, 109},  // force textures to a low MIP level: 0 / 1
    {5, 4, 114, 115},  // trilinear optimisation: 1 / 0
    {4, 3, 117, 116},  // anisotropic mip filter optimisation: 0 / 1
    {6, 4, 121, 120},  // anisotropic sample optimisation: 0 / 1
}};

// The OpenGL trilinear optimisation value of Fine Adjust stays in 0..31.
inline constexpr std::int32_t kMaxTrilinearValue = 31;

// Setting codes of the fixed steps.
inline constexpr std::int16_t kOglTrilinearValue = 66;   // value written
inline constexpr std::int16_t kOglTrilinearDelete = 65;  // value deleted
inline constexpr std::int16_t kOglLodBias = 63;
inline constexpr std::int16_t kD3DLodBias = 30;

}  // namespace ks::wizard
