// DetectOGLSettings of engine/settings_readers.h: the OpenGL settings
// reader. Each value is read at the place the OpenGL
// writer writes it; a missing value or one that is no number gives the
// step's default, and a state a control refuses leaves the control as it is.
#include "engine/driver_values.h"
#include "engine/ogl.h"
#include "engine/settings_readers.h"
#include "common/numbers.h"
#include "shell/Form1.h"

namespace ks {

namespace {

constexpr std::int32_t kCompressionByApplication = 0x07368183;
constexpr std::int32_t kCompressionEnabled = static_cast<std::int32_t>(0x87508277u);
constexpr std::int32_t kTrilinearOptOn = 0x413ABD43;
constexpr std::int32_t kAnisoSampleOptOn = static_cast<std::int32_t>(0xA95300C4u);
// Bits 2-3 of "RenderQualityFlags": the forced texture colour depth.
constexpr std::int32_t kDepthBits = 0x0C;
// The last build whose triple buffering value is "EnableTripleBuffer".
constexpr std::int32_t kLastEnableTripleBufferBuild = 7700;

// What the writer stores for each mode (FSAAMode 5 for "4x 9-tap" and 6 for
// "8x"), so a mode written reads back as the text that wrote it.
constexpr ValueText kFsaaModes[] = {
    {0, Entry(137)}, {1, Fixed("2x")},       {2, Fixed("Quincunx")}, {3, Fixed("Value 3")},
    {4, Fixed("4x")}, {5, Fixed("4x 9-tap")}, {6, Fixed("8x")},       {7, Fixed("16x")},
};

// The same modes while SLI antialiasing is on, as the SLI lists name them.
constexpr ValueText kSliFsaaModes[] = {
    {1, Fixed("SLI 4x")}, {2, Fixed("SLI 4xQ")}, {4, Fixed("SLI 8x")}, {5, Fixed("SLI 8xG")}, {7, Fixed("SLI 32x")},
};

constexpr ValueText kVersions[] = {
    {-1, Entry(180)},         {0x00302E31, Fixed("1.0")}, {0x00312E31, Fixed("1.1")}, {0x00322E31, Fixed("1.2")},
    {0x00332E31, Fixed("1.3")}, {0x00342E31, Fixed("1.4")}, {0x00352E31, Fixed("1.5")}, {0x00302E32, Fixed("2.0")},
};

constexpr ValueText kEmulations[] = {
    {0, Entry(181)},
    {1, Fixed("NVx  (Riva TNT family)")},
    {10, Fixed("NV1x (GeForce2 family)")},
    {20, Fixed("NV20 (GeForce3 family)")},
    {25, Fixed("NV25 (GeForce4 Ti family)")},
    {30, Fixed("NV30 (GeForce FX 5800)")},
    {31, Fixed("NV31 (GeForce FX 5600)")},
    {34, Fixed("NV34 (GeForce FX 5200)")},
    {35, Fixed("NV35 (GeForce FX 5700/5900)")},
    {40, Fixed("NV40 (GeForce 6600/6800)")},
    {44, Fixed("NV44 (GeForce 6200)")},
    {47, Fixed("G70 (GeForce 7800)")},
    {-1, Entry(182)},
};

class OGLReader {
 public:
  OGLReader(SeState& s, Form1& f) : s_(s), f_(f) {}
  void Run();

 private:
  RegRead Read(const DriverValue& v) { return ReadDriverValue(s_, v); }
  std::int32_t ReadOr(const DriverValue& v, std::int32_t fallback) { return Read(v).NumberOr(fallback); }
  std::string Text(Shown shown) const { return TextOf(s_, shown); }
  static void SetCheck(ui::CheckBox& box, std::int32_t value) {
    if (value >= ui::kUnchecked && value <= ui::kGrayed) box.SetValue(value);
  }

  void Antialiasing();
  void S3tc();
  void ImageSettings();
  void TrilinearQuality();
  void Compression();
  void FilteringOptimizations();
  void LodBias();
  void ColourDepth();
  void Emulation();
  void OldAnisotropy();
  void Win9xAnisotropy();

  SeState& s_;
  Form1& f_;
};

void OGLReader::Run() {
  HandlersHeldOff held(f_);
  const bool nt = OglIsNtFamily(s_);
  s_.reg.WriteAsBinary = nt ? 1 : 0;
  if (s_.DriverBuild < 5000) Antialiasing();
  S3tc();
  ImageSettings();
  TrilinearQuality();
  Compression();
  FilteringOptimizations();
  LodBias();
  f_.Check1.SetValue(ReadOr(ogl::kTexSharpen, 0) == 1 ? 1 : 0);
  ColourDepth();
  switch (ReadOr(ogl::kForceGenericCpu, 0)) {
    case 0: f_.Check12[0].SetValue(1); break;
    case 1: f_.Check12[0].SetValue(0); break;
    default: break;
  }
  // Triple buffering: the name the writer uses for this build.
  const DriverValue& triple =
      s_.DriverBuild <= kLastEnableTripleBufferBuild ? ogl::kEnableTripleBuffer : ogl::kTripleBuffer;
  switch (ReadOr(triple, 0)) {
    case 0: f_.Check5[2].SetValue(0); break;
    case 1: f_.Check5[2].SetValue(1); break;
    default: break;
  }
  if (const ValueText* row = FindValueText(kVersions, ReadOr(ogl::kVersionOverride, -1))) f_.Combo15.SetText(Text(row->shown));
  const std::int32_t swap = ReadOr(ogl::kSwapInterval, 1);
  f_.Combo10.SetText(s_.Lang(swap == 1 ? 159 : swap == -1 ? 145 : 160));
  f_.Combo11.SetText(IntToText(ReadOr(ogl::kMaxFrames, 2)));
  Emulation();

  const std::int32_t glsl = ReadOr(ogl::kGlslSupport, 1);
  if (s_.DriverBuild >= 6000) {
    f_.Check12[2].SetEnabled(true);
    SetCheck(f_.Check12[2], glsl);
  } else {
    f_.Check12[2].SetValue(0);
    f_.Check12[2].SetEnabled(false);
  }
  SetCheck(f_.Check12[1], ReadOr(ogl::kRenderer, 0));

  if (!nt) {
    if (s_.DriverBuild < 5000) Win9xAnisotropy();
    return;
  }
  if (s_.DriverBuild >= 5000) {
    DetectD3DSettings(s_, f_);
  } else {
    OldAnisotropy();
  }
}

void OGLReader::Antialiasing() {
  f_.Combo1.SetText(s_.Lang(183));
  const std::int32_t v = ReadOr(ogl::kFsaaMode, 0);
  const ValueText* sli = s_.SliAAFlag != 0 ? FindValueText(kSliFsaaModes, v) : nullptr;
  if (const ValueText* row = sli ? sli : FindValueText(kFsaaModes, v)) f_.Combo1.SetText(Text(row->shown));
}

void OGLReader::S3tc() {
  const std::int32_t v = ReadOr(ogl::kS3tcQuality, 0);
  if (v < 0 || v > 3) return;
  f_.Check5[0].SetValue(v & 1);
  f_.Check5[1].SetValue((v >> 1) & 1);
}

void OGLReader::ImageSettings() {
  switch (ReadOr(ogl::kQuality, 0)) {
    case 0: f_.Combo5.SetText(s_.Lang(127)); break;
    case 10: f_.Combo5.SetText(s_.Lang(128)); break;
    case 20: f_.Combo5.SetText(s_.Lang(129)); break;
    case -10: f_.Combo5.SetText(s_.Lang(130)); break;
    default: break;
  }
}

void OGLReader::TrilinearQuality() {
  std::int32_t v = ReadOr(ogl::kTrilinearQuality, -1);
  if (v > 31) v = 0;
  ui::Label& label = f_.Label4[3];
  ui::FlatScrollBar& slider = f_.FlatScrollBar2[0];
  if (v == -1) {
    f_.Check3[0].SetValue(0);
    label.SetEnabled(false);
    slider.SetEnabled(false);
    // No value (also after a preset or the wizard deleted it): the slider
    // stands where a start shows it and where unticking the box puts it.
    slider.SetValue(slider.Min());
  } else {
    f_.Check3[0].SetValue(1);
    label.SetEnabled(true);
    slider.SetEnabled(true);
    // A position outside 1..31 (the 0 a value above 31 counts as) is
    // refused: the slider keeps its own.
    slider.SetValue(v);
  }
  label.SetCaption(s_.Lang(123) + s_.Lang(v < 11 ? 131 : v <= 20 ? 132 : 133));
}

void OGLReader::Compression() {
  const std::int32_t v = ReadOr(ogl::kCompression, 0);
  if (v == 0) s_.OglCompressionMode = 0;
  else if (v == kCompressionByApplication) s_.OglCompressionMode = 1;
  else if (v == kCompressionEnabled) s_.OglCompressionMode = 2;
  switch (s_.OglCompressionMode) {
    case 0:
      f_.Check3[1].SetValue(0);
      f_.Option2[0].SetEnabled(false);
      f_.Option2[1].SetEnabled(false);
      break;
    case 1:
    case 2:
      f_.Check3[1].SetValue(1);
      f_.Option2[0].SetEnabled(true);
      f_.Option2[1].SetEnabled(true);
      f_.Option2[s_.OglCompressionMode - 1].SetValue(true);
      break;
    default: break;
  }
}

void OGLReader::FilteringOptimizations() {
  f_.Check14[0].SetValue(ReadOr(ogl::kTrilinearOpt, kTrilinearOptOn) == kTrilinearOptOn ? 1 : 0);
  f_.Check14[1].SetValue(ReadOr(ogl::kAnisoMipOpt, 0) == 1 ? 1 : 0);
  f_.Check14[2].SetValue(ReadOr(ogl::kAnisoSampleOpt, kAnisoSampleOptOn) == kAnisoSampleOptOn ? 1 : 0);
}

void OGLReader::LodBias() {
  const RegRead r = Read(ogl::kTexLodBias);
  const auto v = r.AsNumber();
  if (v && !r.IsEmpty()) f_.FlatScrollBar2[1].SetValue(*v);
  f_.Label4[4].SetCaption(s_.Lang(118) + (v && !r.IsEmpty() ? IntToText(*v) : r.AsText()));
}

void OGLReader::ColourDepth() {
  // Bits 2-3 alone: bits 0-1 hold other settings of the same value.
  const auto v = Read(ogl::kRenderQualityFlags).AsNumber();
  const std::int32_t depth = v ? (*v & kDepthBits) : -1;
  if (depth == 4) f_.Combo9.SetText("16-bit");
  else if (depth == 8) f_.Combo9.SetText("32-bit");
  else f_.Combo9.SetText(s_.Lang(161));
}

void OGLReader::Emulation() {
  if (s_.DriverBuild >= 6000) {
    const ValueText* row = FindValueText(kEmulations, ReadOr(ogl::kNvEmulate, 0));
    f_.Combo16.SetText(row ? Text(row->shown) : s_.Lang(183));
    return;
  }
  const std::int32_t accel = ReadOr(ogl::kMaxNvAccel, 0);
  const std::int32_t nv20 = ReadOr(ogl::kNv20Emulate, 0);
  const std::int32_t nv25 = ReadOr(ogl::kNv25Emulate, 0);
  const std::int32_t nv30 = ReadOr(ogl::kNv30Emulate, 0);
  Shown shown = Entry(183);
  if (accel == 1 || accel == 5) shown = Fixed("NVx  (Riva TNT family)");
  else if (accel == 10) shown = Fixed("NV1x (GeForce2 family)");
  else if (nv20 == 1) shown = Fixed("NV20 (GeForce3 family)");
  else if (nv25 == 1) shown = Fixed("NV25 (GeForce4 Ti family)");
  else if (nv30 == 1) shown = Fixed("NV30 (GeForce FX 5800)");
  else if (accel == 0 && nv20 == 0 && nv25 == 0 && nv30 == 0) shown = Entry(181);
  f_.Combo16.SetText(Text(shown));
}

void OGLReader::OldAnisotropy() {
  // The base-2 logarithm of the level; 0, also for a missing value, is what
  // the automatic entry writes.
  static constexpr Shown kLevels[] = {Entry(137), Fixed("2x"), Fixed("4x"), Fixed("8x")};
  const std::int32_t v = ReadOr(ogl::kDefaultLogAniso, 0);
  f_.Combo2.SetText(v >= 0 && v <= 3 ? Text(kLevels[v]) : std::string("Disabled"));
}

void OGLReader::Win9xAnisotropy() {
  // Windows 9x keeps the OpenGL anisotropy below build 5000 as one bit of
  // "RenderQualityFlags", which the page's "2x" sets and its automatic entry
  // clears; from build 5000 the Direct3D reader shows the shared value.
  const std::int32_t v = ReadOr(ogl::kRenderQualityFlags, 0);
  f_.Combo2.SetText((v & kRenderQualityAnisoBit) ? std::string("2x") : s_.Lang(137));
}

}  // namespace

std::span<const ValueText> OglFsaaModes() { return kFsaaModes; }
std::span<const ValueText> OglVersions() { return kVersions; }
std::span<const ValueText> OglEmulations() { return kEmulations; }

void DetectOGLSettings(SeState& state, Form1& form) { OGLReader(state, form).Run(); }

}  // namespace ks
