// The Direct3D setting tables: the classic drivers' upper-case values and
// the numbered values of every later driver.
#include "engine/d3d.h"

namespace ks {
namespace {

using C = WriterControl;
using W = When;
namespace c = d3d_classic;
namespace v = d3d;

// "D3DOGL_70835937" = flag word + 0x10000000 + mode.
constexpr Step AAMode(std::uint32_t mode) { return {Op::kWriteAAMode, &v::kAAMode, mode}; }
// "D3d_74095213" = anisotropy level table entry.
constexpr Step Level(std::uint32_t entry) { return {Op::kWriteAnisoLevel, &v::kAnisoOld, entry}; }
// Older drivers take an antialiasing mode only after this control value.
constexpr Step AAOn() { return Put(v::kAAControl, 0x57015990); }
constexpr Step AAOff() { return Put(v::kAAControl, 0x06326293); }
constexpr Step PsVersion(std::uint32_t major_minor) { return Put(v::kPsVersion, 0xFFFF0000u + major_minor); }
constexpr Step VsVersion(std::uint32_t major_minor) { return Put(v::kVsVersion, 0xFFFE0000u + major_minor); }

constexpr SettingRow kClassic[] = {
    {0, W::kAlways, {Put(c::kAAEnable, 0), Put(c::kAAQuality, 0), Put(c::kAAForceEnable, 0)}},
    {1, W::kAlways, {Put(c::kAAEnable, 1), Put(c::kAAQuality, 1), Put(c::kAAForceEnable, 4)}},
    {3, W::kAlways, {Put(c::kAAEnable, 1), Put(c::kAAQuality, 3), Put(c::kAAForceEnable, 4)}},
    {9, W::kAlways, {Put(c::kAnisoLevel, 0)}},
    {10, W::kAlways, {Put(c::kAnisoLevel, 1)}},
    {11, W::kAlways, {Put(c::kAnisoLevel, 2)}},
    {60, W::kAlways, {Put(c::kAnisoLevel, 4)}},
    {61, W::kAlways, {Put(c::kAnisoLevel, 8)}},
    // The automatic entry: no level of the program's, as on the numbered path.
    {36, W::kAlways, {Del(c::kAnisoLevel)}},
    {15, W::kAlways, {Put(c::kZCompress, 0)}},
    {16, W::kAlways, {Put(c::kZCompress, 1)}},
    {17, W::kAlways, {Put(c::kVideoTexture, 0)}},
    {18, W::kAlways, {Put(c::kVideoTexture, 1)}},
    {28, W::kAlways, {Put(c::kLodBias, 0)}},
    {29, W::kAlways, {Put(c::kLodBias, 6)}},
    // The slider's position, which runs over the driver's own scale here
    // (0 sharp to 10, as codes 28 and 29 store 0 and 6), so the bias asked
    // for is the bias the driver gets and reads back. A number off that
    // scale (the wizard's) is held at its nearer end: a negative bias
    // would wrap round to a huge one.
    {30, W::kAlways, {PutArgUpTo(c::kLodBias, kClassicLodBiasTop), {Op::kCaptionValue, nullptr, 118, C::kLabel6_3}}},
    {32, W::kAlways, {Put(c::kZ24, 0)}},
    {33, W::kAlways, {Put(c::kZ24, 1)}},
    {34, W::kAlways, {Put(c::kUserMipmaps, 0)}},
    {35, W::kAlways, {Put(c::kUserMipmaps, 1)}},
    {37, W::kAlways, {Put(c::kFogTable, 0)}},
    {38, W::kAlways, {Put(c::kFogTable, 1)}},
};

constexpr SettingRow kNumbered[] = {
    // Antialiasing modes; older drivers number them 1-8 after the control value.
    {0, W::kBuildFrom5000, {Put(v::kAAMode, 0)}},
    {0, W::kBuildBelow5000, {AAOff(), Put(v::kAAModeOld, 0)}},
    {1, W::kBuildFrom5000, {AAMode(0x0E)}},
    {1, W::kBuildBelow5000, {AAOn(), Put(v::kAAModeOld, 1)}},
    {2, W::kBuildFrom5000, {AAMode(0x0F)}},
    {2, W::kBuildBelow5000, {AAOn(), Put(v::kAAModeOld, 2)}},
    {3, W::kBuildFrom5000, {AAMode(0x10)}},
    {3, W::kBuildBelow5000, {AAOn(), Put(v::kAAModeOld, 3)}},
    {4, W::kBuildFrom5000, {AAMode(0x12)}},
    {4, W::kBuildBelow5000, {AAOn(), Put(v::kAAModeOld, 4)}},
    {5, W::kBuildFrom5000, {AAMode(0x13)}},
    {5, W::kBuildBelow5000, {AAOn(), Put(v::kAAModeOld, 5)}},
    {6, W::kBuildFrom5000, {AAMode(0x17)}},
    {6, W::kBuildBelow5000, {AAOn(), Put(v::kAAModeOld, 6)}},
    {7, W::kBuildFrom5000, {AAMode(0x19)}},
    {7, W::kBuildBelow5000, {AAOn(), Put(v::kAAModeOld, 7)}},
    {8, W::kBuildFrom5000, {AAMode(0x1A)}},
    {8, W::kBuildBelow5000, {AAOn(), Put(v::kAAModeOld, 8)}},
    {97, W::kAlways, {AAMode(0x07)}},
    {98, W::kAlways, {AAMode(0x01)}},
    {99, W::kAlways, {AAMode(0x02)}},
    {100, W::kAlways, {AAMode(0x16)}},
    {101, W::kBuildFrom5000, {AAMode(0x18)}},
    // Older drivers do not read the shared value: "8xS" is their mode 9.
    {101, W::kBuildBelow5000, {AAOn(), Put(v::kAAModeOld, 9)}},
    {128, W::kAlways, {AAMode(0x00)}},
    {82, W::kAlways, {AAOn(), Put(v::kAAModeOld, 9)}},
    {83, W::kAlways, {AAOn(), Put(v::kAAModeOld, 10)}},
    {127, W::kValueIs0, {Put(v::kSliAA, 0x51621660)}},
    {127, W::kValueIs1, {Put(v::kSliAA, 0x29060797)}},

    // Anisotropic filtering; from build 5000 the value is shared with OpenGL.
    {9, W::kBuildFrom5000, {Put(v::kAniso, 1), ShowLang(C::kCombo2, 137), ShowLang(C::kCombo4, 137)}},
    {9, W::kBuildBelow5000, {Level(0), ShowLang(C::kCombo4, 137)}},
    {10, W::kBuildFrom5000, {Put(v::kAniso, 0x10000001), ShowLang(C::kCombo2, 135), ShowLang(C::kCombo4, 135)}},
    {10, W::kBuildBelow5000, {Level(1), Show(C::kCombo4, "Bilinear")}},
    {11, W::kBuildFrom5000, {Put(v::kAniso, 0x10000002), Show(C::kCombo2, "2x"), Show(C::kCombo4, "2x")}},
    {11, W::kBuildBelow5000, {Level(2), Show(C::kCombo4, "2x")}},
    {60, W::kBuildFrom5000, {Put(v::kAniso, 0x10000004), Show(C::kCombo2, "4x"), Show(C::kCombo4, "4x")}},
    {60, W::kBuildBelow5000, {Level(3), Show(C::kCombo4, "4x")}},
    {61, W::kBuildFrom5000, {Put(v::kAniso, 0x10000008), Show(C::kCombo4, "8x"), Show(C::kCombo2, "8x")}},
    {61, W::kBuildBelow5000, {Level(4), Show(C::kCombo4, "8x")}},
    {112, W::kBuildFrom5000, {Put(v::kAniso, 0x10000010)}},
    {112, W::kBuildBelow5000, {Level(5)}},
    {36, W::kBuildFrom5000, {Del(v::kAniso), ShowLang(C::kCombo2, 137), ShowLang(C::kCombo4, 137)}},
    {36, W::kBuildBelow5000, {Del(v::kAnisoOld), ShowLang(C::kCombo4, 137)}},

    // Values from the caller or from state.
    {30, W::kAlways, {PutArg(v::kLodBias), {Op::kCaptionValue, nullptr, 118, C::kLabel6_3}}},
    {66, W::kAlways, {PutArg(v::kPrerender)}},
    {96, W::kAlways, {{Op::kWriteMaxTextures, &v::kMaxTextures}}},
    {126, W::kAlways, {PutArg(v::kNegativeLod)}},

    // Fixed values.
    {12, W::kAlways, {Put(v::k42935363, 0x57220458), Put(v::k62225341, 0x92446898), Put(v::k64907714, 0x92446898)}},
    {13, W::kAlways, {Put(v::k42935363, 0x02105712), Put(v::k62225341, 0x92446898), Put(v::k64907714, 0x92446898)}},
    {14, W::kAlways, {Put(v::k42935363, 0x02105712), Put(v::k62225341, 0x83557128), Put(v::k64907714, 0x83557128)}},
    {24, W::kAlways, {Put(v::k42935363, 0x02105712), Put(v::k62225341, 0x83557128), Put(v::k64907714, 0x83557128),
                      Put(v::kA2103837, 0), Put(v::kA4176590, 0)}},
    {25, W::kAlways, {Put(v::k42935363, 0x02105712), Put(v::k62225341, 0x83557128), Put(v::k64907714, 0x83557128),
                      Put(v::kA2103837, 0x00008000), Put(v::kA4176590, 0x00800000)}},
    {26, W::kAlways, {Put(v::k42935363, 0x02105712), Put(v::k62225341, 0x83557128), Put(v::k64907714, 0x83557128),
                      Put(v::kA2103837, 0x00010000), Put(v::kA4176590, 0x01000000)}},
    {15, W::kAlways, {Put(v::kZCompress, 0x86752318)}},
    {16, W::kAlways, {Put(v::kZCompress, 0x88204955)}},
    {17, W::kBuildBelow4230, {Put(v::kVideoTextureOld, 0x75360106)}},
    {17, W::kRuntimeFrom900, {Put(v::kVideoTexture, 0x45293190)}},
    {18, W::kBuildBelow4230, {Put(v::kVideoTextureOld, 0x24917602)}},
    {18, W::kRuntimeFrom900, {Put(v::kVideoTexture, 0x56789123)}},
    {28, W::kAlways, {Put(v::kLodBias, 0)}},
    {29, W::kAlways, {Put(v::kLodBias, 6)}},
    {32, W::kAlways, {Put(v::kMaxTextures, 1)}},
    {33, W::kAlways, {Del(v::kMaxTextures)}},
    {34, W::kAlways, {Put(v::kMipFiltering, 0x48391723)}},
    {35, W::kAlways, {Put(v::kMipFiltering, 0x24829101)}},
    {37, W::kAlways, {PsVersion(0x0000)}},
    {86, W::kAlways, {PsVersion(0x0101)}},
    {87, W::kAlways, {PsVersion(0x0103)}},
    {88, W::kAlways, {PsVersion(0x0104)}},
    {89, W::kAlways, {PsVersion(0x0200)}},
    {125, W::kAlways, {PsVersion(0x0300)}},
    {38, W::kAlways, {Del(v::kPsVersion)}},
    {90, W::kAlways, {VsVersion(0x0000)}},
    {91, W::kAlways, {VsVersion(0x0101)}},
    {92, W::kAlways, {VsVersion(0x0200)}},
    {124, W::kAlways, {VsVersion(0x0300)}},
    {93, W::kAlways, {Del(v::kVsVersionDel)}},
    {43, W::kAlways, {Put(v::kVSync, 0x08416747)}},
    {44, W::kAlways, {Put(v::kVSync, 0x47814940)}},
    {45, W::kAlways, {Put(v::kVSync, 0x60925292)}},
    {48, W::kAlways, {Put(v::k40283424, 0x29364013)}},
    {49, W::kAlways, {Put(v::k40283424, 0x49307250)}},
    {51, W::kAlways, {Put(v::k19521893, 0x18932489)}},
    {54, W::kAlways, {Put(v::k19521893, 0x18932489)}},
    {52, W::kAlways, {Put(v::k19521893, 0x91251952)}},
    {55, W::kAlways, {Put(v::k19521893, 0x91251952)}},
    {57, W::kAlways, {Put(v::k37210571, 0x95402745)}},
    {58, W::kAlways, {Put(v::k37210571, 0x12907430)}},
    {62, W::kAlways, {Put(v::kPrerender, 2)}},
    {63, W::kAlways, {Put(v::kPrerender, 3)}},
    {64, W::kAlways, {Put(v::kPrerender, 5)}},
    {65, W::kAlways, {Put(v::kPrerender, 7)}},
    {67, W::kAlways, {Put(v::kQuality, 20)}},
    {68, W::kAlways, {Put(v::kQuality, 10)}},
    {69, W::kAlways, {Put(v::kQuality, 0)}},
    {113, W::kAlways, {Put(v::kQuality, 0xFFFFFFF6)}},  // -10
    {80, W::kAlways, {Put(v::kVideoTexture, 0x45293190)}},
    {81, W::kAlways, {Put(v::kVideoTexture, 0x56789123)}},
    {84, W::kAlways, {Put(v::k48484658, 0x91302489)}},
    {85, W::kAlways, {Put(v::k48484658, 0x91256712)}},
    {94, W::kAlways, {Put(v::k44013233, 0x91531371)}},
    {95, W::kAlways, {Put(v::k44013233, 0x28970336)}},
    {102, W::kAlways, {Put(v::k20071974, 0x31415926)}},
    {103, W::kAlways, {Put(v::k20071974, 0x62951413)}},
    {105, W::kAlways, {Put(v::kForceMipmaps, 0), ShowLang(C::kCombo8, 134), ShowLang(C::kCombo7, 134)}},
    {106, W::kAlways, {Put(v::kForceMipmaps, 1), ShowLang(C::kCombo8, 135), ShowLang(C::kCombo7, 135)}},
    {107, W::kAlways, {Put(v::kForceMipmaps, 2), ShowLang(C::kCombo8, 136), ShowLang(C::kCombo7, 136)}},
    {108, W::kAlways, {Put(v::kLowMipLevel, 0)}},
    {109, W::kAlways, {Put(v::kLowMipLevel, 1)}},
    {110, W::kAlways, {Put(v::k26771978, 0x56616210)}},
    {111, W::kAlways, {Put(v::k26771978, 0x06072997)}},
    {114, W::kAlways, {Put(v::kTrilinearOpt, 1)}},
    {115, W::kAlways, {Put(v::kTrilinearOpt, 0)}},
    {116, W::kAlways, {Put(v::kAnisoMipOpt, 1)}},
    {117, W::kAlways, {Put(v::kAnisoMipOpt, 0)}},
    {118, W::kAlways, {Put(v::k35173345, 0x47382461)}},
    {119, W::kAlways, {Del(v::k35173345Del)}},
    {120, W::kAlways, {Put(v::kAnisoSampleOpt, 1)}},
    {121, W::kAlways, {Put(v::kAnisoSampleOpt, 0)}},
    {122, W::kAlways, {Put(v::kFogTable, 0x78176879)}},
    {123, W::kAlways, {Put(v::kFogTable, 0x31259154)}},
};

}  // namespace

std::span<const SettingRow> D3DClassicTable() { return kClassic; }
std::span<const SettingRow> D3DNumberedTable() { return kNumbered; }

}  // namespace ks
