// The OpenGL settings reader: stored values -> control states, the writer
// switch it leaves, and its hand-over to the Direct3D reader.
#include <functional>

#include <gtest/gtest.h>

#include "engine/settings_readers.h"
#include "native/reader_rig.h"

namespace ks::test {
namespace {

namespace v = ogl;

struct Case {
  const char* name;
  std::int16_t os;
  std::int32_t build;
  std::vector<StoredNumber> stored;
  std::vector<std::pair<std::string, std::string>> expected;
  std::function<void(ReaderRig&)> given = nullptr;
};

void RunCase(const Case& c) {
  SCOPED_TRACE(c.name);
  ReaderRig r(c.os, c.build);
  r.Store(c.stored);
  if (c.given) c.given(r);
  DetectOGLSettings(r.st, r.f);
  EXPECT_EQ(r.Differences(c.expected), std::vector<std::string>{});
  EXPECT_EQ(r.m.reg.OpenHandleCount(), 0);
}

const Case kCases[] = {
    {"FSAAMode 3", 3, 4500, {{&v::kFsaaMode, 3}}, {{"Combo1", "Value 3"}}},
    {"FSAAMode 9", 3, 4500, {{&v::kFsaaMode, 9}}, {{"Combo1", "<183>"}}},
    {"FSAAMode missing", 3, 4500, {}, {{"Combo1", "<137>"}}},
    // Regression: 5 and 6 showed "4x 9tap" and "8xS", texts that map to other codes.
    {"FSAAMode 5: the 4x 9-tap mode the writer stores", 0, 4500, {{&v::kFsaaMode, 5}}, {{"Combo1", "4x 9-tap"}}},
    {"FSAAMode 6: the 8x mode the writer stores", 0, 4500, {{&v::kFsaaMode, 6}}, {{"Combo1", "8x"}}},
    {"9x from 5000: no antialiasing, no anisotropy, no Direct3D reader",
     0, 6000, {{&v::kFsaaMode, 1}, {&d3d::kSliAA, 0x29060797}, {&d3d::kAniso, 0x10000008}},
     {{"Combo1", "Auto"}, {"Combo2", "Auto"}, {"Check15", "0"}, {"WriteAsBinary", "0"}}},
    {"XP from 5000: the Direct3D reader sets the shared boxes",
     3, 6000, {{&d3d::kAAMode, 0x10000010}, {&d3d::kAniso, 0x10000004}},
     {{"Combo1", "4x"}, {"Combo2", "4x"}, {"Combo3", "4x"}, {"WriteAsBinary", "1"}}},
    {"XP below 5000: the OpenGL log2 anisotropy", 3, 4500, {{&v::kDefaultLogAniso, 2}}, {{"Combo2", "4x"}}},
    // Regression: the 0 that the automatic entry writes, and a missing value,
    // showed "Disabled", which is no entry of the list.
    {"XP below 5000: anisotropy 0 is Auto", 3, 4500, {{&v::kDefaultLogAniso, 0}}, {{"Combo2", "<137>"}},
     [](ReaderRig& r) { r.f.Combo2.SetText("2x"); }},
    {"XP below 5000: anisotropy missing", 3, 4500, {}, {{"Combo2", "<137>"}}},
    // Regression: Windows 9x's OpenGL anisotropy was never shown below 5000,
    // so a pick came back as whatever the box showed before.
    {"9x below 5000: the anisotropy bit is 2x", 0, 4999, {{&v::kRenderQualityFlags, 6}}, {{"Combo2", "2x"}}},
    {"9x below 5000: no anisotropy bit is Auto", 0, 2280, {{&v::kRenderQualityFlags, 9}}, {{"Combo2", "<137>"}},
     [](ReaderRig& r) { r.f.Combo2.SetText("2x"); }},
    // Regression: below 5000 the SLI modes came back as their plain names.
    {"FSAAMode 5 with SLI: its SLI name", 3, 4999, {{&v::kFsaaMode, 5}}, {{"Combo1", "SLI 8xG"}},
     [](ReaderRig& r) { r.st.SliAAFlag = 1; }},
    {"FSAAMode 6 with SLI: 8x has no SLI name", 3, 4500, {{&v::kFsaaMode, 6}}, {{"Combo1", "8x"}},
     [](ReaderRig& r) { r.st.SliAAFlag = 1; }},
    {"S3TC 3", 3, 6000, {{&v::kS3tcQuality, 3}}, {{"Check5(0)", "1"}, {"Check5(1)", "1"}}},
    {"S3TC 2", 3, 6000, {{&v::kS3tcQuality, 2}}, {{"Check5(0)", "0"}, {"Check5(1)", "1"}}},
    {"S3TC 5 leaves both", 3, 6000, {{&v::kS3tcQuality, 5}}, {{"Check5(0)", "1"}, {"Check5(1)", "0"}},
     [](ReaderRig& r) { r.f.Check5[0].SetValue(1); }},
    // The low bits of 4 and 6 would clear both boxes or swap them: a value
    // outside 0..3 must change neither.
    {"S3TC 4 leaves both", 3, 6000, {{&v::kS3tcQuality, 4}}, {{"Check5(0)", "1"}, {"Check5(1)", "1"}},
     [](ReaderRig& r) {
       r.f.Check5[0].SetValue(1);
       r.f.Check5[1].SetValue(1);
     }},
    {"S3TC 6 leaves both", 3, 6000, {{&v::kS3tcQuality, 6}}, {{"Check5(0)", "1"}, {"Check5(1)", "0"}},
     [](ReaderRig& r) { r.f.Check5[0].SetValue(1); }},
    {"S3TC -1 leaves both", 3, 6000, {{&v::kS3tcQuality, 0xFFFFFFFFu}}, {{"Check5(0)", "0"}, {"Check5(1)", "1"}},
     [](ReaderRig& r) { r.f.Check5[1].SetValue(1); }},
    {"image settings 20", 3, 6000, {{&v::kQuality, 20}}, {{"Combo5", "<129>"}}},
    {"image settings 3 leaves the box", 3, 6000, {{&v::kQuality, 3}}, {{"Combo5", "Quality"}}},
    {"trilinear quality 15", 3, 6000, {{&v::kTrilinearQuality, 15}},
     {{"Check3(0)", "1"}, {"FlatScrollBar2(0)", "15"}, {"Label4(3)", "<123><132>"},
      {"FlatScrollBar2(0).Enabled", "1"}, {"Label4(3).Enabled", "1"}}},
    {"trilinear quality 25", 3, 6000, {{&v::kTrilinearQuality, 25}}, {{"Label4(3)", "<123><133>"}}},
    // The reader's own label at both edges of the middle band; the writer's
    // rows do not reach this rule.
    {"trilinear quality 10: low", 3, 6000, {{&v::kTrilinearQuality, 10}}, {{"Label4(3)", "<123><131>"}}},
    {"trilinear quality 11: middle", 0, 6000, {{&v::kTrilinearQuality, 11}}, {{"Label4(3)", "<123><132>"}}},
    {"trilinear quality 20: still middle", 3, 6000, {{&v::kTrilinearQuality, 20}},
     {{"Label4(3)", "<123><132>"}, {"FlatScrollBar2(0)", "20"}}},
    {"trilinear quality 21: high", 3, 6000, {{&v::kTrilinearQuality, 21}}, {{"Label4(3)", "<123><133>"}}},
    {"trilinear quality missing",
     3, 6000, {},
     {{"Check3(0)", "0"}, {"FlatScrollBar2(0).Enabled", "0"}, {"Label4(3).Enabled", "0"},
      {"Label4(3)", "<123><131>"}}},
    // Above 31 the value counts as 0, a position the slider (1..31) refuses.
    {"trilinear quality 40: box ticked, slider keeps its place",
     3, 6000, {{&v::kTrilinearQuality, 40}},
     {{"Check3(0)", "1"}, {"FlatScrollBar2(0)", "12"}, {"Label4(3)", "<123><131>"}},
     [](ReaderRig& r) { r.f.FlatScrollBar2[0].SetValue(12); }},
    {"compression by application", 3, 6000, {{&v::kCompression, 0x07368183}},
     {{"Check3(1)", "1"}, {"Option2(0)", "1"}, {"Option2(0).Enabled", "1"}, {"Option2(1).Enabled", "1"}}},
    {"compression enabled", 3, 6000, {{&v::kCompression, 0x87508277}}, {{"Check3(1)", "1"}, {"Option2(1)", "1"}}},
    {"compression unknown at the first reading: off", 3, 6000, {{&v::kCompression, 77}},
     {{"Check3(1)", "0"}, {"Option2(0).Enabled", "0"}, {"Option2(1).Enabled", "0"}}},
    {"compression unknown after an enabled reading", 3, 6000, {{&v::kCompression, 77}},
     {{"Check3(1)", "1"}, {"Option2(1)", "1"}}, [](ReaderRig& r) { r.st.OglCompressionMode = 2; }},
    {"filtering optimizations missing", 3, 6000, {},
     {{"Check14(0)", "1"}, {"Check14(1)", "0"}, {"Check14(2)", "1"}}},
    {"filtering optimizations written off", 3, 6000,
     {{&v::kTrilinearOpt, 0x34198CB4}, {&v::kAnisoMipOpt, 1}, {&v::kAnisoSampleOpt, 0}},
     {{"Check14(0)", "0"}, {"Check14(1)", "1"}, {"Check14(2)", "0"}}},
    {"LOD bias -20", 3, 6000, {{&v::kTexLodBias, 0xFFFFFFEC}},
     {{"FlatScrollBar2(1)", "-20"}, {"Label4(4)", "<118>-20"}}},
    {"LOD bias missing: slider stays, label alone", 3, 6000, {}, {{"FlatScrollBar2(1)", "0"}, {"Label4(4)", "<118>"}}},
    {"texture sharpening", 3, 6000, {{&v::kTexSharpen, 1}}, {{"Check1", "1"}}},
    {"colour depth 16-bit", 3, 6000, {{&v::kRenderQualityFlags, 4}}, {{"Combo9", "16-bit"}}},
    {"colour depth 32-bit", 0, 6000, {{&v::kRenderQualityFlags, 8}}, {{"Combo9", "32-bit"}}},
    // Regression: the whole value was compared, so anisotropy (bit 1) beside
    // a forced depth showed the driver's choice.
    {"colour depth 16-bit with anisotropy", 0, 6000, {{&v::kRenderQualityFlags, 6}}, {{"Combo9", "16-bit"}}},
    {"colour depth 32-bit with bits 0-1", 0, 6000, {{&v::kRenderQualityFlags, 11}}, {{"Combo9", "32-bit"}}},
    {"colour depth: only other bits", 0, 6000, {{&v::kRenderQualityFlags, 3}}, {{"Combo9", "<161>"}}},
    {"colour depth missing", 3, 6000, {}, {{"Combo9", "<161>"}}},
    {"generic CPU 0 ticks the box", 3, 6000, {}, {{"Check12(0)", "1"}}},
    {"generic CPU 1 clears it", 3, 6000, {{&v::kForceGenericCpu, 1}}, {{"Check12(0)", "0"}}},
    // Regression: up to 7700 the writer uses "EnableTripleBuffer"; the box
    // read "TripleBuffer" and never showed what was written.
    {"triple buffering at 7700", 3, 7700, {{&v::kEnableTripleBuffer, 1}}, {{"Check5(2)", "1"}}},
    {"triple buffering at 7700 ignores the newer name", 3, 7700, {{&v::kTripleBuffer, 1}}, {{"Check5(2)", "0"}}},
    {"triple buffering at 7701", 3, 7701, {{&v::kTripleBuffer, 1}}, {{"Check5(2)", "1"}}},
    {"version 1.2", 3, 6000, {{&v::kVersionOverride, 0x00322E31}}, {{"Combo15", "1.2"}}},
    {"version missing", 3, 6000, {}, {{"Combo15", "<180>"}}},
    {"version unknown", 3, 6000, {{&v::kVersionOverride, 0x00392E31}}, {{"Combo15", "No override"}}},
    {"swap interval missing, frames missing", 3, 6000, {}, {{"Combo10", "<159>"}, {"Combo11", "2"}}},
    {"swap interval -1, frames 4", 3, 6000, {{&v::kSwapInterval, 0xFFFFFFFF}, {&v::kMaxFrames, 4}},
     {{"Combo10", "<145>"}, {"Combo11", "4"}}},
    {"swap interval 0", 3, 6000, {{&v::kSwapInterval, 0}}, {{"Combo10", "<160>"}}},
    {"emulation 40 at 6000", 3, 6000, {{&v::kNvEmulate, 40}}, {{"Combo16", "NV40 (GeForce 6600/6800)"}}},
    {"emulation -1 at 6000", 3, 6000, {{&v::kNvEmulate, 0xFFFFFFFF}}, {{"Combo16", "<182>"}}},
    {"emulation 2 at 6000", 3, 6000, {{&v::kNvEmulate, 2}}, {{"Combo16", "<183>"}}},
    {"below 6000: MaxNVACCEL 5 wins", 3, 5999, {{&v::kMaxNvAccel, 5}, {&v::kNv30Emulate, 1}},
     {{"Combo16", "NVx  (Riva TNT family)"}}},
    {"below 6000: NV25", 3, 5999, {{&v::kNv25Emulate, 1}}, {{"Combo16", "NV25 (GeForce4 Ti family)"}}},
    {"below 6000: all 0", 3, 5999, {}, {{"Combo16", "<181>"}}},
    {"below 6000: MaxNVACCEL 3", 3, 5999, {{&v::kMaxNvAccel, 3}}, {{"Combo16", "<183>"}}},
    {"GLSL at 6000", 3, 6000, {{&v::kGlslSupport, 0}}, {{"Check12(2)", "0"}, {"Check12(2).Enabled", "1"}}},
    {"GLSL missing at 6000", 3, 6000, {}, {{"Check12(2)", "1"}}},
    {"GLSL below 6000: cleared and disabled", 3, 5999, {{&v::kGlslSupport, 1}},
     {{"Check12(2)", "0"}, {"Check12(2).Enabled", "0"}}},
    {"software rasterization", 0, 6000, {{&v::kRenderer, 1}}, {{"Check12(1)", "1"}}},
    {"software rasterization 7 leaves the box", 0, 6000, {{&v::kRenderer, 7}}, {{"Check12(1)", "0"}}},
    {"9x leaves the switch off", 0, 6000, {}, {{"WriteAsBinary", "0"}}},
    {"Vista is of the NT family", 4, 8000, {{&v::kTexSharpen, 1}}, {{"Check1", "1"}, {"WriteAsBinary", "1"}}},
};

TEST(DetectOGLSettings, StoredValuesShowInTheControls) {
  for (const Case& c : kCases) RunCase(c);
}

TEST(DetectOGLSettings, SwitchStaysOnAfterTheCall) {
  ReaderRig r(3, 6000);
  r.st.reg.WriteAsBinary = 0;
  DetectOGLSettings(r.st, r.f);
  EXPECT_EQ(r.st.reg.WriteAsBinary, 1);
}

}  // namespace
}  // namespace ks::test
