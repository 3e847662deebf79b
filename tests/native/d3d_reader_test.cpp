// The Direct3D settings reader: stored driver values -> control states and
// the process-wide antialiasing and shader values, per OS class and build.
#include <functional>
#include <set>

#include <gtest/gtest.h>

#include "engine/settings_readers.h"
#include "native/reader_rig.h"

namespace ks::test {
namespace {

namespace v = d3d;
namespace c = d3d_classic;

struct Case {
  const char* name;
  std::int16_t os;
  std::int32_t build;
  std::vector<StoredNumber> stored;
  std::vector<std::pair<std::string, std::string>> expected;
  std::function<void(ReaderRig&)> given = nullptr;
  const char* device = "0322";
};

void RunCase(const Case& c) {
  SCOPED_TRACE(c.name);
  ReaderRig r(c.os, c.build, c.device);
  r.Store(c.stored);
  if (c.given) c.given(r);
  DetectD3DSettings(r.st, r.f);
  EXPECT_EQ(r.Differences(c.expected), std::vector<std::string>{});
  EXPECT_EQ(r.st.AAGuard, 0);
  EXPECT_EQ(r.m.reg.OpenHandleCount(), 0);
}

void SliOn(ReaderRig& r) { r.st.SliAAFlag = 1; }

const Case kFirstHalf[] = {
    // Regression: the SLI boxes stayed enabled there, though the classic
    // drivers hold no SLI value.
    {"classic 9x driver: the numbered values are not read, the SLI boxes are disabled",
     0, 2280, {{&v::kSliAA, 0x29060797}, {&v::kAAMode, 0x10000010}},
     {{"Check15", "0"}, {"SliAAFlag", "0"}, {"Combo3", "Auto"}, {"Combo6", "Quality"},
      {"Check15.Enabled", "0"}, {"MaxTextures", "-1"}}},
    // Regression: the classic drivers' Z-buffer compression, user mipmaps
    // and LOD bias were never read, so the boxes came back unticked and the
    // slider at 0 after a restart.
    {"classic 9x driver: nothing stored is compression and mipmap filtering on, no bias", 0, 2280,
     {{&v::kZCompress, 0x86752318}, {&v::kMipFiltering, 0x48391723}, {&v::kLodBias, 7}},
     {{"Check6(0)", "1"}, {"Check4(4)", "0"}, {"FlatScrollBar3", "0"}, {"Label6(3)", "<118>0"}}},
    {"classic 9x driver: compression off, mipmap filtering off, bias 9", 0, 2280,
     {{&c::kZCompress, 0}, {&c::kUserMipmaps, 0}, {&c::kLodBias, 9}},
     {{"Check6(0)", "0"}, {"Check4(4)", "1"}, {"FlatScrollBar3", "9"}, {"Label6(3)", "<118>9"},
      {"Check6(0).Enabled", "1"}, {"Check4(4).Enabled", "1"}, {"FlatScrollBar3.Enabled", "1"}}},
    {"classic 9x driver: compression on, mipmap filtering on, bias 10", 0, 2000,
     {{&c::kZCompress, 1}, {&c::kUserMipmaps, 1}, {&c::kLodBias, 10}},
     {{"Check6(0)", "1"}, {"Check4(4)", "0"}, {"FlatScrollBar3", "10"}, {"Label6(3)", "<118>10"}},
     [](ReaderRig& r) {
       r.f.Check6[0].SetValue(0);
       r.f.Check4[4].SetValue(1);
     }},
    // The slider covers the driver's scale, 0 to 10. A number off it (an
    // earlier build stored the slider's -24 to 24 here) shows in the label
    // only.
    {"classic 9x driver: a bias above the scale shows in the label only", 0, 2280, {{&c::kLodBias, 24}},
     {{"FlatScrollBar3", "3"}, {"Label6(3)", "<118>24"}}, [](ReaderRig& r) { r.f.FlatScrollBar3.SetValue(3); }},
    {"classic 9x driver: a bias below the scale shows in the label only", 0, 2280, {{&c::kLodBias, 0xFFFFFFF7}},
     {{"FlatScrollBar3", "3"}, {"Label6(3)", "<118>-9"}}, [](ReaderRig& r) { r.f.FlatScrollBar3.SetValue(3); }},
    // The force-mipmaps and OpenGL anisotropy boxes keep their design texts
    // here; they were empty. The Direct3D anisotropy box shows the classic
    // level, none here: the automatic entry.
    {"classic 9x driver: the design texts stay",
     0, 2280, {{&v::kAniso, 0x10000008}, {&v::kForceMipmaps, 2}},
     {{"Combo4", "<137>"}, {"Combo2", "Auto"}, {"Combo7", "None"}, {"Combo8", "None"}}},
    // Regression: the classic drivers' anisotropy level was never shown, so
    // every pick came back as Auto after a restart.
    {"classic 9x driver: anisotropy 4x", 0, 2280, {{&c::kAnisoLevel, 4}}, {{"Combo4", "4x"}, {"Combo2", "Auto"}}},
    {"classic 9x driver: anisotropy bilinear", 0, 2000, {{&c::kAnisoLevel, 1}}, {{"Combo4", "<135>"}}},
    {"classic 9x driver: anisotropy 8x", 0, 2280, {{&c::kAnisoLevel, 8}}, {{"Combo4", "8x"}}},
    // Regression: below 5000 the SLI modes came back as their plain names.
    {"old driver with SLI: the SLI name", 3, 4999, {{&v::kSliAA, 0x29060797}, {&v::kAAModeOld, 9}},
     {{"Combo3", "SLI 16x"}, {"SliAAFlag", "1"}}},
    {"old driver with SLI: 8x has no SLI name", 3, 4500, {{&v::kSliAA, 0x29060797}, {&v::kAAModeOld, 7}},
     {{"Combo3", "8x"}}},
    {"9x build 2281 reads under NVidia\\Direct3D",
     0, 2281, {{&v::kSliAA, 0x29060797}},
     {{"Check15", "1"}, {"Check16", "1"}, {"SliAAFlag", "1"}}},
    {"SLI value off", 3, 6000, {{&v::kSliAA, 0x51621660}},
     {{"Check15", "0"}, {"Check16", "0"}, {"SliAAFlag", "0"}}, SliOn},
    {"SLI value unknown keeps the boxes and the flag",
     3, 6000, {{&v::kSliAA, 5}},
     {{"Check15", "1"}, {"Check16", "1"}, {"SliAAFlag", "1"}},
     [](ReaderRig& r) {
       r.f.Check15.SetValue(1);
       r.f.Check16.SetValue(1);
       r.st.SliAAFlag = 1;
     }},
    {"SLI boxes enabled for 009x", 3, 6000, {}, {{"Check15.Enabled", "1"}, {"Check16.Enabled", "1"}}, nullptr,
     "0091"},
    {"SLI boxes enabled for 00Cx", 3, 6000, {}, {{"Check15.Enabled", "1"}, {"Check16.Enabled", "1"}}, nullptr,
     "00C1"},
    {"SLI boxes enabled for 014x", 3, 6000, {}, {{"Check15.Enabled", "1"}, {"Check16.Enabled", "1"}}, nullptr,
     "0141"},
    {"SLI boxes enabled for 004x", 3, 6000, {}, {{"Check15.Enabled", "1"}, {"Check16.Enabled", "1"}}, nullptr,
     "0040"},
    {"SLI boxes disabled for 0322", 3, 6000, {}, {{"Check15.Enabled", "0"}, {"Check16.Enabled", "0"}}},
    {"gamma and transparency multisampling, mode 4x",
     3, 6000, {{&v::kAAMode, 0x10000000 + 0x00100000 + 0x00010000 + 0x10}},
     {{"Check17", "1"}, {"Check18", "1"}, {"Combo18", "Multisampling"}, {"Combo19", "Multisampling"},
      {"GammaAA", "1"}, {"TranspAAMode", "1"}, {"Combo3", "4x"}, {"Combo1", "4x"}, {"AAModeText", "4x"}}},
    {"the same with SLI antialiasing on",
     3, 6000, {{&v::kAAMode, 0x10000000 + 0x00100000 + 0x00010000 + 0x10}, {&v::kSliAA, 0x29060797}},
     {{"Combo3", "SLI 8x"}, {"Combo1", "SLI 8x"}, {"AAModeText", "SLI 8x"}}},
    {"supersampling, mode 4x 9-tap",
     3, 6000, {{&v::kAAMode, 0x10000000 + 0x40000000 + 0x12}},
     {{"Combo18", "Supersampling"}, {"Combo19", "Supersampling"}, {"TranspAAMode", "2"}, {"GammaAA", "0"},
      {"Check17", "0"}, {"Combo3", "4x 9-tap"}, {"Combo1", "4x 9-tap"}}},
    {"supersampling with gamma", 3, 6000, {{&v::kAAMode, 0x10000000 + 0x40100000 + 0x0E}},
     {{"TranspAAMode", "2"}, {"GammaAA", "1"}, {"Check18", "1"}, {"Combo3", "2x"}}},
    {"gamma alone", 3, 6000, {{&v::kAAMode, 0x10000000 + 0x00100000 + 0x13}},
     {{"Combo19", "<145>"}, {"GammaAA", "1"}, {"TranspAAMode", "0"}, {"Combo3", "4xS"}}},
    {"6x: no SLI name, OpenGL shows disabled", 3, 6000, {{&v::kAAMode, 0x10000016}},
     {{"Combo3", "6x"}, {"Combo1", "<145>"}}, SliOn},
    {"2x enh", 2, 5000, {{&v::kAAMode, 0x10000007}}, {{"Combo3", "2x enh"}, {"Combo1", "<145>"}}},
    {"8x has no SLI name", 3, 6000, {{&v::kAAMode, 0x10000019}}, {{"Combo3", "8x"}, {"Combo1", "8x"}}, SliOn},
    {"mode 0x14 is unknown", 3, 6000, {{&v::kAAMode, 0x10000014}},
     {{"Combo3", "<183>"}, {"Combo1", "<183>"}, {"AAModeText", "<183>"}}},
    {"antialiasing value missing at 5000", 3, 5000, {},
     {{"Combo3", "<137>"}, {"Combo1", "<137>"}, {"Combo18", "<145>"}, {"Combo19", "<145>"}, {"Check17", "0"},
      {"Check18", "0"}, {"AAModeText", "<137>"}}},
    {"antialiasing off", 3, 6000, {{&v::kAAMode, 0x10000000}}, {{"Combo3", "<145>"}, {"Combo1", "<145>"}}},
    // Regression: 6 and 8 showed "6x" and "6xS (12x)", while the writer stores
    // them for "6xS" and "16x". The OpenGL box is not the reader's below 5000.
    {"old driver: 6 is the 6xS the writer stores", 2, 4500, {{&v::kAAModeOld, 6}}, {{"Combo3", "6xS"}}},
    {"old driver: 8 is the 16x the writer stores", 2, 4500, {{&v::kAAModeOld, 8}},
     {{"Combo3", "16x"}, {"Combo1", "Auto"}}},
    {"old driver: 11 leaves the box", 2, 4500, {{&v::kAAModeOld, 11}}, {{"Combo3", "Auto"}}},
    // Regression: the control value the automatic entry writes showed "Disabled".
    {"old driver: the off control value is what Auto writes", 2, 4500,
     {{&v::kAAModeOld, 0}, {&v::kAAControl, 0x06326293}}, {{"Combo3", "<137>"}, {"AAModeText", ""}},
     [](ReaderRig& r) { r.f.Combo3.SetText("4x"); }},
    {"old driver: the off control value wins over a mode", 2, 4500,
     {{&v::kAAModeOld, 3}, {&v::kAAControl, 0x06326293}}, {{"Combo3", "<137>"}}},
    // Regression: classic drivers' antialiasing was never shown, so a pick
    // was gone after a restart.
    {"classic 9x driver: 2x", 0, 2280, {{&c::kAAEnable, 1}, {&c::kAAQuality, 1}, {&c::kAAForceEnable, 4}},
     {{"Combo3", "2x"}, {"Combo1", "Auto"}, {"AAModeText", ""}}},
    {"classic 9x driver: 4x", 0, 2000, {{&c::kAAEnable, 1}, {&c::kAAQuality, 3}}, {{"Combo3", "4x"}}},
    {"classic 9x driver: off is Auto", 0, 2280, {{&c::kAAEnable, 0}, {&c::kAAQuality, 0}}, {{"Combo3", "<137>"}},
     [](ReaderRig& r) { r.f.Combo3.SetText("4x"); }},

    {"old driver leaves the transparency boxes", 2, 4500, {}, {{"Combo19", "Disabled"}, {"Combo3", "<137>"}}},
    {"anisotropy 8x into both boxes", 3, 6000, {{&v::kAniso, 0x10000008}}, {{"Combo4", "8x"}, {"Combo2", "8x"}}},
    // The writer stores 0x10000001 for the bilinear entry; it read back as "Disabled".
    {"anisotropy bilinear", 3, 6000, {{&v::kAniso, 0x10000001}}, {{"Combo4", "<135>"}, {"Combo2", "<135>"}}},
    {"anisotropy unknown leaves both", 3, 6000, {{&v::kAniso, 0x10000003}}, {{"Combo4", "Auto"}, {"Combo2", "Auto"}}},
    {"anisotropy missing", 3, 6000, {}, {{"Combo4", "<137>"}, {"Combo2", "<137>"}}},
    {"old anisotropy 4102, 16", 3, 4102, {{&v::kAnisoOld, 16}}, {{"Combo4", "16x"}, {"Combo2", "Auto"}}},
    {"old anisotropy 4103, 4", 3, 4103, {{&v::kAnisoOld, 4}}, {{"Combo4", "16x"}}},
    {"old anisotropy 4103, -1", 3, 4103, {{&v::kAnisoOld, 0xFFFFFFFF}}, {{"Combo4", "<137>"}}},
    {"old anisotropy 4102, 0: point sampling", 3, 4102, {{&v::kAnisoOld, 0}}, {{"Combo4", "Point s."}}},
    {"old anisotropy 4102, 1: bilinear", 3, 4102, {{&v::kAnisoOld, 1}}, {{"Combo4", "<135>"}}},
    {"old anisotropy missing", 3, 4102, {}, {{"Combo4", "<137>"}}},
};

const Case kSecondHalf[] = {
    {"all values missing",
     3, 6000, {},
     {{"Combo6", "<127>"}, {"Check6(0)", "1"}, {"Check6(1)", "1"}, {"Label12(0)", "<168><88>"},
      {"PsVersion", "<146>"}, {"Label12(1)", "<169><88>"}, {"VsVersion", "<146>"}, {"FlatScrollBar3", "0"},
      {"Label6(3)", "<118>0"}, {"Check4(4)", "0"}, {"MaxTextures", "-1"}, {"Combo7", "<134>"}, {"Combo8", "<134>"},
      {"Check4(0)", "0"}, {"Check4(1)", "1"}, {"Check4(2)", "0"}, {"Check4(3)", "1"}, {"Check4(5)", "1"},
      {"Combo12", "<146>"}, {"Combo13", "2"}}},
    {"image quality -10", 3, 6000, {{&v::kQuality, 0xFFFFFFF6}}, {{"Combo6", "<130>"}}},
    {"image quality 5 leaves the box", 3, 6000, {{&v::kQuality, 5}}, {{"Combo6", "Quality"}}},
    {"Z-buffer off", 3, 6000, {{&v::kZCompress, 0x86752318}}, {{"Check6(0)", "0"}}},
    {"Z-buffer box disabled without multitexturing", 3, 6000, {}, {{"Check6(0).Enabled", "0"}}},
    {"Z-buffer box enabled with multitexturing", 3, 6000, {}, {{"Check6(0).Enabled", "1"}},
     [](ReaderRig& r) { r.st.MtFlag = 1; }},
    {"pixel shader 1.4", 3, 6000, {{&v::kPsVersion, 0xFFFF0104}}, {{"Label12(0)", "<168>1.4"}, {"PsVersion", "1.4"}}},
    {"pixel shader 0xFFFF0102 is unknown", 3, 6000, {{&v::kPsVersion, 0xFFFF0102}},
     {{"Label12(0)", "<168><145>"}, {"PsVersion", "0.0"}}},
    {"pixel shader 0.0 as written", 3, 6000, {{&v::kPsVersion, 0xFFFF0000}},
     {{"Label12(0)", "<168><145>"}, {"PsVersion", "0.0"}}},
    {"vertex shader 3.0", 3, 6000, {{&v::kVsVersion, 0xFFFE0300}}, {{"Label12(1)", "<169>3.0"}, {"VsVersion", "3.0"}}},
    {"vertex shader unknown", 3, 6000, {{&v::kVsVersion, 0xFFFE0104}},
     {{"Label12(1)", "<169><145>"}, {"VsVersion", "0.0"}}},
    {"LOD bias -5", 3, 6000, {{&v::kLodBias, 0xFFFFFFFB}}, {{"FlatScrollBar3", "-5"}, {"Label6(3)", "<118>-5"}}},
    {"LOD bias 30: slider keeps its place, label shows it", 3, 6000, {{&v::kLodBias, 30}},
     {{"FlatScrollBar3", "3"}, {"Label6(3)", "<118>30"}}, [](ReaderRig& r) { r.f.FlatScrollBar3.SetValue(3); }},
    {"mipmap filtering off", 3, 6000, {{&v::kMipFiltering, 0x48391723}}, {{"Check4(4)", "1"}}},
    {"maximum textures 4", 3, 6000, {{&v::kMaxTextures, 4}}, {{"MaxTextures", "4"}}},
    {"force mipmaps trilinear", 3, 6000, {{&v::kForceMipmaps, 2}}, {{"Combo7", "<136>"}, {"Combo8", "<136>"}}},
    {"force mipmaps 3 leaves both", 3, 6000, {{&v::kForceMipmaps, 3}}, {{"Combo7", "None"}, {"Combo8", "None"}}},
    {"low MIP level 1", 3, 6000, {{&v::kLowMipLevel, 1}}, {{"Check4(0)", "1"}}},
    {"low MIP level 5 keeps the box", 3, 6000, {{&v::kLowMipLevel, 5}}, {{"Check4(0)", "1"}},
     [](ReaderRig& r) { r.f.Check4[0].SetValue(1); }},
    {"negative LOD bias 0 at 6999: ticked, disabled", 3, 6999, {{&v::kNegativeLod, 0}},
     {{"Check4(5)", "1"}, {"Check4(5).Enabled", "0"}}},
    {"negative LOD bias at 7000: enabled", 3, 7000, {{&v::kNegativeLod, 1}},
     {{"Check4(5)", "0"}, {"Check4(5).Enabled", "1"}}},
    {"trilinear optimization 1", 3, 6000, {{&v::kTrilinearOpt, 1}}, {{"Check4(1)", "0"}}},
    {"trilinear optimization 3", 3, 6000, {{&v::kTrilinearOpt, 3}}, {{"Check4(1)", "2"}}},
    {"aniso optimizations", 3, 6000, {{&v::kAnisoMipOpt, 1}, {&v::kAnisoSampleOpt, 0}},
     {{"Check4(2)", "1"}, {"Check4(3)", "0"}}},
    {"fog table off", 3, 6000, {{&v::kFogTable, 0x78176879}}, {{"Check6(1)", "0"}}},
    {"vertical sync off", 3, 6000, {{&v::kVSync, 138504007}}, {{"Combo12", "<145>"}}},
    {"vertical sync by application", 3, 6000, {{&v::kVSync, 0x60925292}}, {{"Combo12", "<137>"}}},
    {"vertical sync 7", 3, 6000, {{&v::kVSync, 7}}, {{"Combo12", "<146>"}}},
    {"prerender 5", 3, 6000, {{&v::kPrerender, 5}}, {{"Combo13", "5"}}},
    {"9x from 2281 reads the second half too", 0, 4500, {{&v::kPrerender, 7}, {&v::kVsVersion, 0xFFFE0101}},
     {{"Combo13", "7"}, {"VsVersion", "1.1"}}},
};

TEST(DetectD3DSettings, SliAntialiasingAndAnisotropy) {
  for (const Case& c : kFirstHalf) RunCase(c);
}

TEST(DetectD3DSettings, TextureShaderAndSyncValues) {
  for (const Case& c : kSecondHalf) RunCase(c);
}

// A value that is present but not a number: these steps keep the number the
// previous run read; the others take their fallback or count it as 0.
TEST(DetectD3DSettings, NonNumbersKeepThePreviousReading) {
  ReaderRig r(3, 6000);
  r.Store(d3d::kMaxTextures, 7);
  r.Store(d3d::kForceMipmaps, 1);
  r.Store(d3d::kLowMipLevel, 1);
  DetectD3DSettings(r.st, r.f);
  r.f.Combo7.SetText("x");
  r.f.Combo8.SetText("x");
  r.f.Check4[0].SetValue(0);
  for (const DriverValue* value : {&d3d::kMaxTextures, &d3d::kForceMipmaps, &d3d::kLowMipLevel})
    r.StoreText(*value, "many");
  r.StoreText(d3d::kPrerender, "many");
  r.StoreText(d3d::kMipFiltering, "many");
  DetectD3DSettings(r.st, r.f);
  EXPECT_EQ(r.Differences({{"MaxTextures", "7"},
                           {"Combo7", "<135>"},
                           {"Combo8", "<135>"},
                           {"Check4(0)", "1"},
                           {"Combo13", "2"},
                           {"Check4(4)", "1"}}),
            std::vector<std::string>{});
}

TEST(DetectD3DSettings, GuardIsUpWhileTheControlsChange) {
  ReaderRig r(3, 6000);
  r.Store(d3d::kAAMode, 0x10000010);
  std::vector<int> seen;
  r.f.Combo3.OnChange = [&] { seen.push_back(r.st.AAGuard); };
  r.f.Combo13.OnChange = [&] { seen.push_back(r.st.AAGuard); };
  DetectD3DSettings(r.st, r.f);
  EXPECT_EQ(seen, (std::vector<int>{1, 1, 1}));
  EXPECT_EQ(r.st.AAGuard, 0);
}

// Regression: a run started from a handler that this run's SLI step set off
// cleared the guard at its end, and the transparency and gamma steps that
// followed ran their handlers unguarded.
TEST(DetectD3DSettings, ANestedRunHandsTheGuardBack) {
  ReaderRig r(3, 6000);
  r.Store(d3d::kSliAA, 0x29060797);
  r.Store(d3d::kAAMode, 0x10000000 + 0x00010000 + 0x10);
  r.f.Check15.OnClick = [&] { DetectD3DSettings(r.st, r.f); };
  std::vector<int> seen;
  r.f.Combo19.OnChange = [&] { seen.push_back(r.st.AAGuard); };
  DetectD3DSettings(r.st, r.f);
  EXPECT_EQ(seen, (std::vector<int>{1, 1, 1, 1}));
  EXPECT_EQ(r.st.AAGuard, 0);
}

TEST(DetectD3DSettings, NeverWrites) {
  ReaderRig r(3, 6000);
  r.m.reg.on_call = [](const fake::FakeRegistry::Call& call) {
    EXPECT_NE(call.op, "RegSetValueExA");
    EXPECT_NE(call.op, "RegDeleteValueA");
  };
  r.Store(d3d::kAAMode, 0x10000010);
  DetectD3DSettings(r.st, r.f);
}

TEST(DecodingTables, KeysAreUniqueAndTextsSet) {
  auto check = [](const char* name, std::span<const ValueText> rows) {
    std::set<std::int32_t> keys;
    for (const ValueText& row : rows) {
      EXPECT_TRUE(keys.insert(row.value).second) << name << " repeats " << row.value;
      EXPECT_NE(row.shown.text != nullptr, row.shown.entry >= 0) << name << " " << row.value;
    }
  };
  check("old antialiasing", OldAAModes());
  check("anisotropy", AnisoModes());
  check("pixel shaders", PixelShaders());
  check("vertex shaders", VertexShaders());
  check("FSAAMode", OglFsaaModes());
  check("OpenGL versions", OglVersions());
  check("emulations", OglEmulations());

  std::set<std::int32_t> modes;
  for (const AAModeRow& row : AAModeRows()) {
    EXPECT_TRUE(modes.insert(row.value).second) << row.value;
    EXPECT_TRUE(row.value == 0 || (row.value & ~0xFF) == 0x10000000) << row.value;
  }
  // Every flag row's prefix is what the writer's flag word makes of a mode.
  for (const AAFlagRow& row : AAFlagRows()) {
    const std::string text = std::to_string(0x10000000LL + row.flags + 0x10);
    EXPECT_EQ(text.size(), row.length) << row.prefix;
    EXPECT_EQ(text.substr(0, 5), row.prefix);
  }
}

}  // namespace
}  // namespace ks::test
