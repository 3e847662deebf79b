// WriteD3DSetting on the fake machine: (OS class, driver build, code, value)
// to the exact registry writes, deletions and control texts, in order.
#include <gtest/gtest.h>

#include <functional>

#include "engine/d3d.h"
#include "native/writer_rig.h"

namespace ks::test {
namespace {

const std::string k9x = "DK\\NVidia\\Direct3D";  // Windows 9x/Me
const std::string kNt = "DK";                    // NT family

using Case = WriterCase;

void RunCase(const Case& c) { RunWriterCase(WriteD3DSetting, c); }


const Case kClassic[] = {
    {"classic build 2280: three REG_DWORDs, no control", 0, 2280, 1, 0,
     {Dword(k9x, "ANTIALIASENABLE", 1), Dword(k9x, "ANTIALIASQUALITY", 1), Dword(k9x, "ANTIALIASFORCEENABLE", 4)}},
    {"classic with the switch on before the call still writes REG_DWORD", 0, 1500, 0, 0,
     {Dword(k9x, "ANTIALIASENABLE", 0), Dword(k9x, "ANTIALIASQUALITY", 0), Dword(k9x, "ANTIALIASFORCEENABLE", 0)},
     SwitchOn},
    {"classic anisotropy level", 0, 2000, 61, 0, {Dword(k9x, "ANISOTROPICLEVEL", 8)}},
    // Regression: code 30 stored 10 whatever the slider's position, so a
    // sharper picture asked for came out blurrier and read back as 0.
    {"classic code 30 stores the slider's position", 0, 2280, 30, 5,
     {Dword(k9x, "LODBIASADJUST", 5), "Label6(3) = #1185"}},
    // Regression: a negative number went out as such, 0xFFFFFFE8 for -24,
    // which the driver's scale (0 sharp to 10) does not hold.
    {"classic code 30, a negative number is the sharp end", 0, 2000, 30, -24,
     {Dword(k9x, "LODBIASADJUST", 0), "Label6(3) = #118-24"}},
    {"classic code 30, the top of the scale", 0, 2280, 30, 10, {Dword(k9x, "LODBIASADJUST", 10), "Label6(3) = #11810"}},
    {"classic code 30, a number above the scale is its top", 0, 2280, 30, 14,
     {Dword(k9x, "LODBIASADJUST", 10), "Label6(3) = #11814"}},
    {"classic code 38 is the fog table", 0, 2280, 38, 0, {Dword(k9x, "FOGTABLEENABLE", 1)}},
    {"classic code 32 is the 24-bit Z buffer", 0, 2280, 32, 0, {Dword(k9x, "Z24ENABLE", 0)}},
    {"classic gap: code 2 writes nothing", 0, 2200, 2, 0, {}},
    {"classic: code 112 (above 61) writes nothing", 0, 2200, 112, 0, {}},
    {"classic: code 96 of the numbered path writes nothing", 0, 2200, 96, 0, {}},
};

const Case kAntialiasing[] = {
    {"9x build 2281 takes the numbered path as REG_DWORD", 0, 2281, 1, 0,
     {Dword(k9x, "D3D_08285629", 0x57015990), Dword(k9x, "D3d_70835937", 1)}},
    {"XP below 5000: control value, then the mode number", 3, 4500, 3, 0,
     {Binary(kNt, "D3D_08285629", 0x57015990), Binary(kNt, "D3d_70835937", 3)}},
    {"XP below 5000, off: its own control value", 3, 4500, 0, 0,
     {Binary(kNt, "D3D_08285629", 0x06326293), Binary(kNt, "D3d_70835937", 0)}},
    {"5000 and above: shared mode value with gamma and multisampling flags", 3, 5500, 3, 0,
     {Binary(kNt, "D3DOGL_70835937", 0x10000000 + 0x00100000 + 0x00010000 + 0x10)},
     [](WriterRig& r) { r.state.GammaAA = 1; r.state.TranspAAMode = 1; }},
    {"largest flag word: gamma and supersampling", 2, 6000, 8, 0, {Binary(kNt, "D3DOGL_70835937", 0x5010001A)},
     [](WriterRig& r) { r.state.GammaAA = 1; r.state.TranspAAMode = 2; }},
    {"other flag values add nothing", 4, 6000, 5, 0, {Binary(kNt, "D3DOGL_70835937", 0x10000013)},
     [](WriterRig& r) { r.state.GammaAA = 2; r.state.TranspAAMode = 3; }},
    {"5000 and above, off: 0 without flags", 3, 5000, 0, 0, {Binary(kNt, "D3DOGL_70835937", 0)},
     [](WriterRig& r) { r.state.GammaAA = 1; }},
    {"mode 100 ignores the build threshold", 3, 4500, 100, 0, {Binary(kNt, "D3DOGL_70835937", 0x10000016)}},
    // Regression: 8xS wrote the shared value, which drivers below 5000 do not read.
    {"8xS below 5000: control value and mode 9", 3, 4500, 101, 0,
     {Binary(kNt, "D3D_08285629", 0x57015990), Binary(kNt, "D3d_70835937", 9)}},
    {"code 82: control value and mode 9", 1, 4000, 82, 0,
     {Binary(kNt, "D3D_08285629", 0x57015990), Binary(kNt, "D3d_70835937", 9)}},
    {"SLI antialiasing on", 3, 7000, 127, 1, {Binary(kNt, "D3DOGL_12677978", 0x29060797)}},
    {"SLI antialiasing off", 3, 7000, 127, 0, {Binary(kNt, "D3DOGL_12677978", 0x51621660)}},
    {"SLI antialiasing, value 2: nothing", 3, 7000, 127, 2, {}},
};

const Case kAnisotropy[] = {
    {"build 4102: level table of plain levels", 3, 4102, 112, 0, {Binary(kNt, "D3d_74095213", 16)}},
    {"build 4103: logarithmic level table", 3, 4103, 112, 0, {Binary(kNt, "D3d_74095213", 4)}},
    {"build 4103: L0 is -1", 3, 4103, 9, 0, {Binary(kNt, "D3d_74095213", 0xFFFFFFFF), "Combo4 = #137"}},
    {"build 5000: shared value, no control", 3, 5000, 112, 0, {Binary(kNt, "D3DOGL_74095213", 0x10000010)}},
    {"below 5000: only the Direct3D list shows it", 3, 4500, 10, 0, {Binary(kNt, "D3d_74095213", 0),
                                                                       "Combo4 = Bilinear"}},
    {"5000 and above: the OpenGL list first", 3, 6000, 10, 0,
     {Binary(kNt, "D3DOGL_74095213", 0x10000001), "Combo2 = #135", "Combo4 = #135"}},
    {"code 61 sets the Direct3D list first", 3, 6000, 61, 0,
     {Binary(kNt, "D3DOGL_74095213", 0x10000008), "Combo4 = 8x", "Combo2 = 8x"}},
    {"off at 5000 and above deletes the shared value", 3, 6000, 36, 0,
     {Deleted(kNt, "D3DOGL_74095213"), "Combo2 = #137", "Combo4 = #137"},
     [](WriterRig& r) { r.m.reg.PutDword("HKLM\\" + r.driver_key, "D3DOGL_74095213", 2); }},
    {"off below 5000 deletes the old value", 0, 4500, 36, 0,
     {Deleted(k9x, "D3d_74095213"), "Combo4 = #137"},
     [](WriterRig& r) { r.m.reg.PutDword("HKLM\\" + r.driver_key + "\\NVidia\\Direct3D", "D3d_74095213", 2); }},
};

const Case kValues[] = {
    {"LOD bias from the slider, label shows it", 3, 6000, 30, -3,
     {Binary(kNt, "D3D_88481200", 0xFFFFFFFD), "Label6(3) = #118-3"}},
    {"prerender limit from the value argument", 0, 4500, 66, 4, {Dword(k9x, "D3D_98764205", 4)}},
    {"negative LOD bias from the check box", 3, 7000, 126, 1, {Binary(kNt, "D3D_16579523", 1)}},
    {"code 96 writes MaxTextures, not the value", 3, 6000, 96, 9, {Binary(kNt, "D3D_59954022", 4)},
     [](WriterRig& r) { r.state.MaxTextures = 4; }},
    {"force mipmaps: Direct3D list, then OpenGL list", 3, 6000, 105, 0,
     {Binary(kNt, "D3DOGL_03385531", 0), "Combo8 = #134", "Combo7 = #134"}},
};

const Case kFixed[] = {
    {"three values of one row, in order", 3, 6000, 12, 0,
     {Binary(kNt, "D3d_42935363", 0x57220458), Binary(kNt, "D3d_62225341", 0x92446898),
      Binary(kNt, "D3d_64907714", 0x92446898)}},
    {"five values of one row, in order", 0, 6000, 25, 0,
     {Dword(k9x, "D3d_42935363", 0x02105712), Dword(k9x, "D3d_62225341", 0x83557128),
      Dword(k9x, "D3d_64907714", 0x83557128), Dword(k9x, "D3d_a2103837", 0x00008000),
      Dword(k9x, "D3d_a4176590", 0x00800000)}},
    {"video texture below build 4230", 3, 4229, 17, 0, {Binary(kNt, "D3d_38375933", 0x75360106)}},
    {"video texture, runtime 899: nothing", 3, 5000, 17, 0, {},
     [](WriterRig& r) { r.state.D3DRuntimeBuild = 899; }},
    {"video texture, runtime 900", 3, 5000, 17, 0, {Binary(kNt, "D3D_859030122", 0x45293190)},
     [](WriterRig& r) { r.state.D3DRuntimeBuild = 900; }},
    {"pixel shader version token", 3, 6000, 89, 0, {Binary(kNt, "D3d_59954021", 0xFFFF0200)}},
    {"vertex shader version token", 3, 6000, 124, 0, {Binary(kNt, "D3D_59954023", 0xFFFE0300)}},
    {"negative fixed value", 3, 6000, 113, 0, {Binary(kNt, "D3D_QualityEnhancements", 0xFFFFFFF6)}},
    {"numbered code 38 deletes the pixel-shader override", 3, 6000, 38, 0, {Deleted(kNt, "D3d_59954021")},
     [](WriterRig& r) { r.m.reg.Put("HKLM\\" + r.driver_key, "D3d_59954021", 3, FourBytes(0xFFFF0101)); }},
    {"Vista is of the NT family", 4, 8000, 43, 0, {Binary(kNt, "D3D_60461791", 0x08416747)}},
    {"an unknown OS class is treated like Windows 9x/Me", 7, 2000, 43, 0, {Dword(k9x, "D3D_60461791", 0x08416747)}},
    {"code 129: nothing", 3, 6000, 129, 0, {}},
    {"code 129 on the classic path: nothing", 0, 2000, 129, 0, {}},
    {"gap of the numbered table: nothing", 3, 6000, 104, 0, {}},
    {"negative code: nothing", 3, 6000, -1, 0, {}},
    {"nothing written, switch on before: cleared all the same", 3, 6000, 70, 0, {}, SwitchOn},
};

TEST(WriteD3DSetting, ClassicPath) {
  for (const Case& c : kClassic) RunCase(c);
}
TEST(WriteD3DSetting, Antialiasing) {
  for (const Case& c : kAntialiasing) RunCase(c);
}
TEST(WriteD3DSetting, Anisotropy) {
  for (const Case& c : kAnisotropy) RunCase(c);
}
TEST(WriteD3DSetting, ValuesFromCallerAndState) {
  for (const Case& c : kValues) RunCase(c);
}
TEST(WriteD3DSetting, FixedValuesAndNothing) {
  for (const Case& c : kFixed) RunCase(c);
}

// The delete of code 93 names the value in another case than the writes;
// the registry matches names without regard to case.
TEST(WriteD3DSetting, VertexShaderOverrideOffRemovesWhatTheOnCodesWrote) {
  WriterRig rig(3, 6000);
  const std::int16_t on = 91, off = 93;
  const std::int32_t zero = 0;
  WriteD3DSetting(rig.state, rig.controls, on, zero);
  ASSERT_TRUE(rig.m.reg.Get("HKLM\\" + rig.driver_key, "D3D_59954023").has_value());
  WriteD3DSetting(rig.state, rig.controls, off, zero);
  EXPECT_FALSE(rig.m.reg.Get("HKLM\\" + rig.driver_key, "D3D_59954023").has_value());
}

TEST(WriteD3DSetting, FailedWriteSkipsOnlyThatStep) {
  WriterRig rig(3, 4500);
  rig.m.reg.FailCalls("RegSetValueExA", platform::kErrorAccessDenied);
  const std::int16_t code = 3;
  const std::int32_t zero = 0;
  WriteD3DSetting(rig.state, rig.controls, code, zero);
  EXPECT_FALSE(rig.m.reg.Get("HKLM\\" + rig.driver_key, "D3D_08285629").has_value());
  auto mode = rig.m.reg.Get("HKLM\\" + rig.driver_key, "D3d_70835937");
  ASSERT_TRUE(mode.has_value());
  EXPECT_EQ(mode->bytes, FourBytes(3));
  EXPECT_EQ(rig.state.reg.WriteAsBinary, 0);
}

TEST(AnisoLevels, ThresholdAt4103) {
  EXPECT_EQ(AnisoLevels(4102), (std::array<std::int32_t, 6>{0, 1, 2, 4, 8, 16}));
  EXPECT_EQ(AnisoLevels(4103), (std::array<std::int32_t, 6>{-1, 0, 1, 2, 3, 4}));
}

}  // namespace
}  // namespace ks::test
