// The OpenGL setting tables.
#include "engine/ogl.h"

namespace ks {
namespace {

using C = WriterControl;
using W = When;
namespace v = ogl;

// The five emulation values, in the order the row names them.
constexpr SettingRow Emulation(std::int16_t code, const DriverValue& a, std::uint32_t va, const DriverValue& b,
                               std::uint32_t vb, const DriverValue& c, std::uint32_t vc, const DriverValue& d,
                               std::uint32_t vd) {
  return {code, W::kAlways, {Put(a, va), Put(b, vb), Put(c, vc), Put(d, vd), Put(v::kNvEmulate, 0)}};
}

// "RenderQualityFlags" bits 2-3 = depth, the other bits kept.
constexpr Step Depth(std::uint32_t depth) { return {Op::kWriteDepth, &v::kRenderQualityFlags, depth}; }

constexpr SettingRow kMain[] = {
    // Antialiasing: from build 5000 the Direct3D code of the same mode.
    {0, W::kBuildFrom5000, {CallD3D(0)}},
    {0, W::kBuildBelow5000, {Put(v::kFsaaMode, 0)}},
    {1, W::kBuildFrom5000, {CallD3D(2)}},
    {1, W::kBuildBelow5000, {Put(v::kFsaaMode, 2)}},
    {2, W::kBuildFrom5000, {CallD3D(1)}},
    {2, W::kBuildBelow5000, {Put(v::kFsaaMode, 1)}},
    {3, W::kBuildFrom5000, {CallD3D(3)}},
    {3, W::kBuildBelow5000, {Put(v::kFsaaMode, 4)}},
    {60, W::kBuildFrom5000, {CallD3D(4)}},
    {60, W::kBuildBelow5000, {Put(v::kFsaaMode, 5)}},
    {61, W::kBuildFrom5000, {CallD3D(7)}},
    {61, W::kBuildBelow5000, {Put(v::kFsaaMode, 6)}},
    {62, W::kBuildFrom5000, {CallD3D(8)}},
    {62, W::kBuildBelow5000, {Put(v::kFsaaMode, 7)}},

    // Emulation family.
    Emulation(33, v::kMaxNvAccel, 0, v::kNv20Emulate, 0, v::kNv30Emulate, 0, v::kNv25Emulate, 0),
    Emulation(34, v::kMaxNvAccel, 1, v::kNv30Emulate, 0, v::kNv20Emulate, 0, v::kNv25Emulate, 0),
    Emulation(35, v::kMaxNvAccel, 0, v::kNv30Emulate, 0, v::kNv20Emulate, 1, v::kNv25Emulate, 0),
    Emulation(36, v::kMaxNvAccel, 0, v::kNv25Emulate, 1, v::kNv20Emulate, 0, v::kNv30Emulate, 0),
    Emulation(37, v::kMaxNvAccel, 0, v::kNv25Emulate, 0, v::kNv30Emulate, 1, v::kNv20Emulate, 0),
    Emulation(75, v::kMaxNvAccel, 10, v::kNv30Emulate, 0, v::kNv20Emulate, 0, v::kNv25Emulate, 0),
    {76, W::kAlways, {PutArg(v::kNvEmulate)}},

    // Values from the caller.
    {63, W::kAlways, {PutArg(v::kTexLodBias), {Op::kCaptionValue, nullptr, 118, C::kLabel4_4}}},
    {66, W::kAlways, {PutArg(v::kTrilinearQuality), {Op::kCaptionTrilinear, nullptr, 0, C::kLabel4_3}}},
    {70, W::kAlways, {PutArg(v::kMaxFrames)}},
    {73, W::kAlways, {PutArg(v::kVersionOverride)}},  // version text as ASCII bytes, first in the lowest
    {77, W::kAlways, {PutArg(v::kGlslSupport)}},
    {78, W::kAlways, {PutArg(v::kRenderer)}},
    {79, W::kValueIs0, {Put(v::kTrilinearOpt, 0x34198CB4)}},
    {79, W::kValueIs1, {Put(v::kTrilinearOpt, 0x413ABD43)}},
    {80, W::kValueIs0, {Put(v::kAnisoMipOpt, 0)}},
    {80, W::kValueIs1, {Put(v::kAnisoMipOpt, 1)}},
    {81, W::kValueIs0, {Put(v::kAnisoSampleOpt, 0)}},
    {81, W::kValueIs1, {Put(v::kAnisoSampleOpt, 0xA95300C4)}},

    // Fixed values.
    {6, W::kAlways, {Put(v::kForceMultiTexture, 0)}},
    {7, W::kAlways, {Put(v::kForceMultiTexture, 1)}},
    {10, W::kAlways, {Put(v::kS3tcQuality, 1)}},
    {11, W::kAlways, {Put(v::kS3tcQuality, 0)}},
    {54, W::kAlways, {Put(v::kS3tcQuality, 2)}},
    {55, W::kAlways, {Put(v::kS3tcQuality, 3)}},
    {12, W::kBuildUpTo7700, {Put(v::kEnableTripleBuffer, 1)}},
    {12, W::kAlways, {Put(v::kTripleBuffer, 1)}},
    {13, W::kBuildUpTo7700, {Put(v::kEnableTripleBuffer, 0)}},
    {13, W::kAlways, {Put(v::kTripleBuffer, 0)}},
    {14, W::kAlways, {Put(v::kForce16BitZ, 1)}},
    {15, W::kAlways, {Put(v::kForce16BitZ, 0)}},
    {16, W::kAlways, {Put(v::kTexLodBias, 0xFFFFFFEE)}},  // -18
    {17, W::kAlways, {Put(v::kTexLodBias, 0xFFFFFFFE)}},  // -2
    {18, W::kAlways, {Put(v::kTexLodBias, 10)}},
    // The forced colour depth shares its value with other flags.
    {19, W::kAlways, {Depth(0)}},
    {20, W::kAlways, {Depth(4)}},
    {21, W::kAlways, {Depth(8)}},
    {22, W::kAlways, {Put(v::kTexSharpen, 1)}},
    {23, W::kAlways, {Put(v::kTexSharpen, 0)}},
    {24, W::kAlways, {Put(v::kSwapInterval, 0xFFFFFFFF)}},  // -1
    {25, W::kAlways, {Put(v::kSwapInterval, 0)}},
    {26, W::kAlways, {Put(v::kSwapInterval, 1)}},
    {28, W::kAlways, {Put(v::kSingleBackDepth, 1)}},
    {29, W::kAlways, {Put(v::kSingleBackDepth, 0)}},
    {38, W::kAlways, {Put(v::kAnisoQuality, 0)}},
    {50, W::kAlways, {Put(v::kAnisoQuality, 0)}},
    {39, W::kAlways, {Put(v::kAnisoQuality, 1)}},
    {51, W::kAlways, {Put(v::kAnisoQuality, 1)}},
    {52, W::kAlways, {Put(v::kNv15Alines, 1)}},
    {53, W::kAlways, {Put(v::kNv15Alines, 0)}},
    {56, W::kAlways, {Put(v::kQuality, 0)}},
    {57, W::kAlways, {Put(v::kQuality, 10)}},
    {58, W::kAlways, {Put(v::kQuality, 20)}},
    {64, W::kAlways, {Put(v::kQuality, 0xFFFFFFF6)}},  // -10
    {65, W::kAlways, {Del(v::kTrilinearQuality)}},
    {67, W::kAlways, {Put(v::kCompression, 0)}},
    {68, W::kAlways, {Put(v::kCompression, 0x07368183)}},
    {69, W::kAlways, {Put(v::kCompression, 0x87508277)}},
    {71, W::kAlways, {Put(v::kForceGenericCpu, 1)}},
    {72, W::kAlways, {Put(v::kForceGenericCpu, 0)}},
    {74, W::kAlways, {Del(v::kVersionOverride)}},
};

// Anisotropy on the NT family: the shared Direct3D value from build 5000,
// the driver's OpenGL log2 level below it.
constexpr SettingRow kNtAniso[] = {
    {4, W::kBuildFrom5000, {CallD3D(11)}},
    {4, W::kBuildBelow5000, {Put(v::kDefaultLogAniso, 1)}},
    {5, W::kBuildFrom5000, {CallD3D(9)}},
    {5, W::kBuildBelow5000, {Put(v::kDefaultLogAniso, 0)}},
    {31, W::kBuildFrom5000, {CallD3D(60)}},
    {31, W::kBuildBelow5000, {Put(v::kDefaultLogAniso, 2)}},
    {32, W::kBuildFrom5000, {CallD3D(61)}},
    {32, W::kBuildBelow5000, {Put(v::kDefaultLogAniso, 3)}},
};

}  // namespace

std::span<const SettingRow> OGLMainTable() { return kMain; }
std::span<const SettingRow> OGLNtAnisoTable() { return kNtAniso; }

}  // namespace ks
