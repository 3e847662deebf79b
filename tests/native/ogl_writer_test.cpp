// WriteOGLSetting on the fake machine: (OS class, driver build, code, value)
// to the exact registry writes, deletions and control texts, in order.
#include <gtest/gtest.h>

#include <functional>

#include "engine/ogl.h"
#include "native/writer_rig.h"

namespace ks::test {
namespace {

const std::string k9x = "DK\\NVidia\\OpenGL";
const std::string kNt = "DK";
const std::string k9xD3D = "DK\\NVidia\\Direct3D";
const std::string kDebug = "SOFTWARE\\NVIDIA Corporation\\Global\\OpenGL\\Debug";

using Case = WriterCase;

void RunCase(const Case& c) { RunWriterCase(WriteOGLSetting, c); }


// Stores "RenderQualityFlags" on Windows 9x/Me before the call.
std::function<void(WriterRig&)> Flags(std::uint32_t r) {
  return [r](WriterRig& rig) { rig.m.reg.PutDword("HKLM\\" + rig.driver_key + "\\NVidia\\OpenGL", "RenderQualityFlags", r); };
}

const Case kAntialiasing[] = {
    {"XP below 5000: prefixed OpenGL value as REG_BINARY", 3, 4500, 3, 0, {Binary(kNt, "OGL_FSAAMode", 4)}},
    {"98 below 5000: plain name as REG_DWORD", 0, 4500, 61, 0, {Dword(k9x, "FSAAMode", 6)}, SwitchOn},
    {"XP from 5000: the Direct3D writer's shared value", 3, 6000, 3, 0, {Binary(kNt, "D3DOGL_70835937", 0x10000010)}},
    {"XP from 5000, off", 3, 6000, 0, 0, {Binary(kNt, "D3DOGL_70835937", 0)}},
    {"98 from 5000: the shared value under the Direct3D key", 0, 6000, 1, 0,
     {Dword(k9xD3D, "D3DOGL_70835937", 0x1000000F)}},
};

const Case kAnisotropy[] = {
    {"XP below 5000: the log level without prefix", 3, 4500, 31, 0, {Binary(kNt, "Ogl_DefaultLogAniso", 2)}},
    {"XP below 5000, off", 3, 4999, 5, 0, {Binary(kNt, "Ogl_DefaultLogAniso", 0)}},
    {"XP from 5000: Direct3D code 60", 3, 5000, 31, 0,
     {Binary(kNt, "D3DOGL_74095213", 0x10000004), "Combo2 = 4x", "Combo4 = 4x"}},
    {"XP from 5000, off: Direct3D code 9", 3, 5000, 5, 0,
     {Binary(kNt, "D3DOGL_74095213", 1), "Combo2 = #137", "Combo4 = #137"}},
    {"98, code 31: nothing", 0, 4500, 31, 0, {}},
    // Regression: from 5000 the pages show the shared value on 9x too, which
    // the OpenGL page's levels did not write; they came back as the level before.
    {"98 from 5000, code 31: the shared value", 0, 5000, 31, 0,
     {Dword(k9xD3D, "D3DOGL_74095213", 0x10000004), "Combo2 = 4x", "Combo4 = 4x"}},
    {"98 from 5000, on: the bit, then the shared value", 0, 5000, 4, 0,
     {Dword(k9x, "RenderQualityFlags", 2), Dword(k9xD3D, "D3DOGL_74095213", 0x10000002), "Combo2 = 2x",
      "Combo4 = 2x"}},
    {"98, flags 1, on: 3", 0, 4500, 4, 0, {Dword(k9x, "RenderQualityFlags", 3)}, Flags(1)},
    {"98, flags 3, off: 1", 0, 4500, 5, 0, {Dword(k9x, "RenderQualityFlags", 1)}, Flags(3)},
    {"98, flags 2, on: already on, nothing", 0, 4500, 4, 0, {}, Flags(2)},
    {"98, flags 0, off: already off, nothing", 0, 4500, 5, 0, {}, Flags(0)},
    {"98, flags missing, on: 2", 0, 4500, 4, 0, {Dword(k9x, "RenderQualityFlags", 2)}},
    {"98, flags not a number, on: counts as 0", 0, 4500, 4, 0, {Dword(k9x, "RenderQualityFlags", 2)},
     [](WriterRig& r) { r.m.reg.PutString("HKLM\\" + r.driver_key + "\\NVidia\\OpenGL", "RenderQualityFlags", "x"); }},
    // Regression: adding 2 to 16-bit forced (4) gave the anisotropy bit; taking
    // 2 from 4 turned 16-bit forced into 2 (anisotropy on, no forced depth).
    {"98, 16-bit forced, on: sets only the anisotropy bit", 0, 4500, 4, 0, {Dword(k9x, "RenderQualityFlags", 6)},
     Flags(4)},
    {"98, 16-bit forced, off: bit clear, nothing", 0, 4500, 5, 0, {}, Flags(4)},
    {"98, 32-bit forced with anisotropy, off: depth kept", 0, 4500, 5, 0, {Dword(k9x, "RenderQualityFlags", 8)},
     Flags(10)},
    {"98, code 8, flags 3: 2", 0, 4500, 8, 0, {Dword(k9x, "RenderQualityFlags", 2)}, Flags(3)},
    {"98, code 8 writes the value back always", 0, 4500, 8, 0, {Dword(k9x, "RenderQualityFlags", 4)}, Flags(4)},
    {"98, code 9, flags missing: 1", 0, 4500, 9, 0, {Dword(k9x, "RenderQualityFlags", 1)}},
    // Regression: codes 8/9 compared the whole value, so a forced depth
    // (or the anisotropy bit) hid bit 0 from them.
    {"98, code 9 with 32-bit forced: bit 0 only", 0, 4500, 9, 0, {Dword(k9x, "RenderQualityFlags", 9)}, Flags(8)},
    {"98, code 8 with 16-bit and anisotropy: bit 0 only", 0, 4500, 8, 0, {Dword(k9x, "RenderQualityFlags", 6)},
     Flags(7)},
    {"XP, code 8: nothing", 3, 4500, 8, 0, {}},
};

const Case kValues[] = {
    {"LOD bias from the slider, label shows it", 3, 6000, 63, -5,
     {Binary(kNt, "OGL_TexLODBias", 0xFFFFFFFB), "Label4(4) = #118-5"}},
    {"trilinear quality 10: low", 3, 6000, 66, 10, {Binary(kNt, "OGL_95282304", 10), "Label4(3) = #123#131"}},
    {"trilinear quality 11: middle", 0, 6000, 66, 11, {Dword(k9x, "95282304", 11), "Label4(3) = #123#132"}},
    {"trilinear quality 20: still middle", 3, 6000, 66, 20, {Binary(kNt, "OGL_95282304", 20), "Label4(3) = #123#132"}},
    {"trilinear quality 21: high", 3, 6000, 66, 21, {Binary(kNt, "OGL_95282304", 21), "Label4(3) = #123#133"}},
    {"version override: ASCII bytes of 1.5", 3, 6000, 73, 0x00352E31, {Binary(kNt, "OGL_308826", 0x00352E31)}},
    {"emulation id", 2, 6000, 76, 40, {Binary(kNt, "OGL_NVEmulate", 40)}},
    {"GLSL support: debug key, no prefix, REG_DWORD", 3, 6000, 77, 1, {Dword(kDebug, "NV4xGLSLFunctionality", 1)}},
    {"software rasterization: debug key on 98 too", 0, 6000, 78, 1, {Dword(kDebug, "Renderer", 1)}},
    {"trilinear optimization on", 3, 6000, 79, 1, {Binary(kNt, "OGL_563A95F1", 0x413ABD43)}},
    {"trilinear optimization off", 3, 6000, 79, 0, {Binary(kNt, "OGL_563A95F1", 0x34198CB4)}},
    {"aniso sample optimization, value 2: nothing", 3, 6000, 81, 2, {}},
};

const Case kFixed[] = {
    {"emulation: five values in the row's order", 0, 5500, 36, 0,
     {Dword(k9x, "MaxNVACCEL", 0), Dword(k9x, "NV25Emulate", 1), Dword(k9x, "NV20Emulate", 0),
      Dword(k9x, "NV30Emulate", 0), Dword(k9x, "NVEmulate", 0)}},
    {"triple buffering up to build 7700", 3, 7700, 12, 0, {Binary(kNt, "OGL_EnableTripleBuffer", 1)}},
    {"triple buffering from build 7701", 3, 7701, 12, 0, {Binary(kNt, "OGL_TripleBuffer", 1)}},
    {"negative fixed value", 3, 6000, 16, 0, {Binary(kNt, "OGL_TexLODBias", 0xFFFFFFEE)}},
    {"colour depth, nothing stored: the depth, prefixed on XP", 3, 6000, 20, 0,
     {Binary(kNt, "OGL_RenderQualityFlags", 4)}},
    {"colour depth on 98", 0, 6000, 21, 0, {Dword(k9x, "RenderQualityFlags", 8)}},
    // Regression: the depth codes wrote the whole value and wiped the
    // anisotropy bit and bit 0 stored beside the depth.
    {"colour depth keeps bits 0-1", 0, 6000, 20, 0, {Dword(k9x, "RenderQualityFlags", 7)}, Flags(11)},
    {"driver's colour depth keeps bits 0-1", 0, 6000, 19, 0, {Dword(k9x, "RenderQualityFlags", 2)}, Flags(6)},
    {"colour depth on XP keeps the anisotropy bit", 3, 6000, 21, 0, {Binary(kNt, "OGL_RenderQualityFlags", 10)},
     [](WriterRig& r) { r.m.reg.Put("HKLM\\" + r.driver_key, "OGL_RenderQualityFlags", 3, FourBytes(6)); }},
    {"trilinear override off deletes the prefixed value", 3, 6000, 65, 0, {Deleted(kNt, "OGL_95282304")},
     [](WriterRig& r) { r.m.reg.Put("HKLM\\" + r.driver_key, "OGL_95282304", 3, FourBytes(7)); }},
    {"Vista is of the NT family", 4, 8000, 22, 0, {Binary(kNt, "OGL_TexSharpen", 1)}},
    {"code 82: nothing", 3, 6000, 82, 0, {}, SwitchOn},
    {"gap of the main table: nothing", 3, 6000, 45, 0, {}},
    {"negative code: nothing", 0, 6000, -4, 0, {}},
};

TEST(WriteOGLSetting, Antialiasing) {
  for (const Case& c : kAntialiasing) RunCase(c);
}
TEST(WriteOGLSetting, Anisotropy) {
  for (const Case& c : kAnisotropy) RunCase(c);
}
TEST(WriteOGLSetting, ValuesFromCaller) {
  for (const Case& c : kValues) RunCase(c);
}
TEST(WriteOGLSetting, FixedValuesAndNothing) {
  for (const Case& c : kFixed) RunCase(c);
}

TEST(ChangedRenderQuality, MendedAnisotropyKeepsTheColourDepth) {
  struct Row {
    std::int16_t code;
    std::int32_t r;
    std::optional<std::int32_t> expected;
  };
  const Row rows[] = {
      {4, 0, 2}, {4, 1, 3}, {4, 2, std::nullopt}, {4, 3, std::nullopt}, {4, 4, 6}, {4, 8, 10},
      {5, 0, std::nullopt}, {5, 1, std::nullopt}, {5, 2, 0}, {5, 3, 1}, {5, 4, std::nullopt}, {5, 6, 4},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(ChangedRenderQuality(row.code, row.r), row.expected) << "code " << row.code << " R " << row.r;
  }
}

}  // namespace
}  // namespace ks::test
