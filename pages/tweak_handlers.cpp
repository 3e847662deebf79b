#include "pages/tweak_handlers.h"

#include <functional>
#include <memory>
#include <string>

#include "engine/d3d.h"
#include "engine/ogl.h"
#include "engine/setting_codes.h"
#include "pages/setting_lists.h"
#include "shell/Form1.h"

namespace ks {

namespace {

using K = WriterKind;
constexpr SettingCode D(std::int16_t code) { return {K::kD3D, code}; }
constexpr SettingCode O(std::int16_t code) { return {K::kOGL, code}; }

namespace dc = d3d_code;
namespace oc = ogl_code;

constexpr AAChoice kAAChoices[] = {
    {Entry(137), nullptr, D(dc::kAAAuto), O(oc::kAAAuto)},
    {Entry(145), nullptr, D(dc::kAADisabled), D(dc::kAADisabled)},
    {Fixed("2x"), "SLI 4x", D(dc::kAA2x), O(oc::kAA2x)},
    {Fixed("Quincunx"), "SLI 4xQ", D(dc::kAAQuincunx), O(oc::kAAQuincunx)},
    {Fixed("4x"), "SLI 8x", D(dc::kAA4x), O(oc::kAA4x)},
    {Fixed("4x 9-tap"), "SLI 8xG", D(dc::kAA4x9Tap), O(oc::kAA4x9Tap)},
    {Fixed("4xS"), "SLI 8xS", D(dc::kAA4xS), D(dc::kAA4xS)},
    {Fixed("6xS"), "SLI 12xS", D(dc::kAA6xS), D(dc::kAA6xS)},
    {Fixed("8x"), nullptr, D(dc::kAA8x), O(oc::kAA8x)},
    {Fixed("16x"), "SLI 32x", D(dc::kAA16x), O(oc::kAA16x)},
    {Fixed("8xS"), "SLI 16x", D(dc::kAA8xS), D(dc::kAA8xS)},
    {Fixed("6x"), nullptr, D(dc::kAA6x), D(dc::kAA6x)},
};

constexpr AnisoChoice kAnisoChoices[] = {
    {Entry(137), D(dc::kAnisoAuto), O(oc::kAnisoAuto)},
    {Entry(135), D(dc::kAnisoBilinear), D(dc::kAnisoBilinear)},
    {Fixed("2x"), D(dc::kAniso2x), O(oc::kAniso2x)},
    {Fixed("4x"), D(dc::kAniso4x), O(oc::kAniso4x)},
    {Fixed("8x"), D(dc::kAniso8x), O(oc::kAniso8x)},
    {Fixed("16x"), D(dc::kAniso16x), D(dc::kAniso16x)},
};

constexpr IndexedCombo kIndexedCombos[] = {
    {"Combo12", K::kD3D, {dc::kVSyncAuto, dc::kVSyncOn, dc::kVSyncOff}, 3},
    {"Combo8", K::kD3D, {dc::kForceMipmapsNone, dc::kForceMipmapsBilinear, dc::kForceMipmapsTrilinear}, 3},
    {"Combo6", K::kD3D, {dc::kHighPerformance, dc::kPerformance, dc::kQuality, dc::kHighQuality}, 4},
    {"Combo7", K::kD3D, {dc::kForceMipmapsNone, dc::kForceMipmapsBilinear, dc::kForceMipmapsTrilinear}, 3},
    {"Combo5", K::kOGL, {oc::kHighPerformance, oc::kPerformance, oc::kQuality, oc::kHighQuality}, 4},
    {"Combo10", K::kOGL, {oc::kSwapIntervalDisabled, oc::kSwapIntervalOnByDefault, oc::kSwapIntervalOffByDefault}, 3},
    {"Combo9", K::kOGL, {oc::kTextureDepthAuto, oc::kTextureDepth16, oc::kTextureDepth32}, 3},
};

constexpr TwoCodeBox kTwoCodeBoxes[] = {
    {"Check6", 0, K::kD3D, 1, dc::kZCompressionOn, dc::kZCompressionOff},
    {"Check6", 1, K::kD3D, 1, dc::kFogTableOn, dc::kFogTableOff},
    {"Check4", 0, K::kD3D, 0, dc::kLowMipLevelOff, dc::kLowMipLevelOn},
    {"Check4", 1, K::kD3D, 0, dc::kTrilinearOptOn, dc::kTrilinearOptOff},
    {"Check4", 2, K::kD3D, 0, dc::kAnisoMipOptOff, dc::kAnisoMipOptOn},
    {"Check4", 3, K::kD3D, 0, dc::kAnisoSampleOptOff, dc::kAnisoSampleOptOn},
    {"Check4", 4, K::kD3D, 0, dc::kMipFilteringOn, dc::kMipFilteringOff},
    {"Check5", 2, K::kOGL, 0, oc::kTripleBufferOff, oc::kTripleBufferOn},
    {"Check12", 0, K::kOGL, 0, oc::kGenericCpuOn, oc::kGenericCpuOff},
    {"Check1", -1, K::kOGL, 0, oc::kTextureSharpenOff, oc::kTextureSharpenOn},
};

// Emulation ids of Combo16's entries from build 6000; below it the first
// six entries write their own codes.
constexpr std::int32_t kEmulationIds[] = {0, 1, 10, 20, 25, 30, 31, 34, 35, 40, 44, 47, -1};
constexpr std::int16_t kOldEmulationCodes[] = {oc::kEmulationNone, oc::kEmulationAccel1, oc::kEmulationAccel10,
                                               oc::kEmulationNv20,  oc::kEmulationNv25,   oc::kEmulationNv30};

// Check14's boxes write consecutive codes.
static_assert(oc::kAnisoMipOpt == oc::kTrilinearOpt + 1 && oc::kAnisoSampleOpt == oc::kTrilinearOpt + 2);

class Handlers {
 public:
  using Self = std::shared_ptr<Handlers>;
  Handlers(SeState& s, Form1& f) : s_(s), f_(f) {}
  // Sets the handlers of every page; `self` is the owner the handlers keep.
  static void Wire(const Self& self);

 private:
  // One function per page.
  static void WireDirect3DAntialiasing(const Self& self);  // page 1
  static void WireOpenGLAntialiasing(const Self& self);    // page 2
  static void WireOpenGLFiltering(const Self& self);       // page 5
  static void WireDirect3DFiltering(const Self& self);     // page 6
  static void WireOpenGLMisc(const Self& self);            // page 7
  static void WireDirect3DMisc(const Self& self);          // page 8
  static void WireOpenGLCompatibility(const Self& self);   // page 13
  // The handlers of one row of kIndexedCombos, of one box of kTwoCodeBoxes
  // and of a prerender limit list.
  static void WireIndexedCombo(const Self& self, const char* name);
  static std::function<void()> TwoCodeHandler(const Self& self, const char* name, int index);
  static void WirePrerender(const Self& self, ui::ComboBox& combo, SettingCode code, int offset);

  bool Starting() const { return f_.IsStart == 1; }
  bool Guarded() const { return f_.IsStart == 1 || s_.AAGuard == 1; }
  void Write(SettingCode c, std::int32_t value = 0) {
    const std::int16_t code = c.code;
    if (c.writer == K::kD3D) WriteD3DSetting(s_, f_, code, value);
    else if (c.writer == K::kOGL) WriteOGLSetting(s_, f_, code, value);
  }
  void D3D(std::int16_t code, std::int32_t value = 0) { Write(D(code), value); }
  void OGL(std::int16_t code, std::int32_t value = 0) { Write(O(code), value); }

  void AntialiasingMode(bool direct3d);
  // The automatic entry was chosen: both flags and their boxes back to off.
  void ClearFlags();
  // Applies AAModeText again through one map; `clear` as for the choice of
  // the automatic entry in Combo3 (the flags back to 0).
  void ReapplyMode(bool direct3d_map, bool clear);
  void Transparency();
  void Gamma();
  void Sli(bool direct3d_page);
  void Anisotropy(bool direct3d_page);
  void IndexedChoice(const IndexedCombo& row, ui::ComboBox& combo);
  void TwoCodes(const TwoCodeBox& row, ui::CheckBox& box);
  void S3tc();
  void Trilinear();
  void Compression();
  void EmulationMode();

  SeState& s_;
  Form1& f_;
  // While unticking the trilinear box resets its slider, the slider's own
  // handler must not write the setting the box has just deleted.
  bool resetting_trilinear_ = false;
};

void Handlers::AntialiasingMode(bool direct3d) {
  ui::ComboBox& self = direct3d ? f_.Combo3 : f_.Combo1;
  // From build 5000 both boxes name the one shared mode, which decides
  // whether the transparency and gamma flags can be stored beside it.
  if (direct3d || s_.DriverBuild >= 5000) EnableTransparencyAntialiasing(s_, f_, self.Text());
  if (Starting()) return;
  ui::ComboBox& sister = direct3d ? f_.Combo1 : f_.Combo3;
  const std::string text = self.Text();
  const AAChoice* row = FindAAChoice(s_, text);
  if (row) {
    if (row->text.entry == 137) ClearFlags();
    Write(direct3d ? row->d3d : row->ogl);
  }
  // From build 5000 the driver keeps one mode for both pages (build 5000
  // itself included), so the other page shows it too.
  if (s_.DriverBuild >= 5000) sister.SetText(self.Text());
  if (direct3d || s_.DriverBuild >= 5000) s_.AAModeText = text;
  // A pick from the list raises Click alone: the preview follows it as it
  // follows typed text (Change).
  ShowAntialiasingPreview(s_, f_);
}

void Handlers::ClearFlags() {
  s_.GammaAA = 0;
  s_.TranspAAMode = 0;
  // From build 5000 the boxes show what the driver now holds (the automatic
  // entry stores no flags); their handlers stay quiet as they do while the
  // reader runs. Older drivers hold no flags at all.
  if (s_.DriverBuild < 5000) return;
  const std::int32_t guard = s_.AAGuard;
  s_.AAGuard = 1;
  f_.Combo18.SetText(s_.Lang(145));
  f_.Combo19.SetText(s_.Lang(145));
  f_.Check17.SetValue(0);
  f_.Check18.SetValue(0);
  s_.AAGuard = guard;
}

void Handlers::ReapplyMode(bool direct3d_map, bool clear) {
  const AAChoice* row = FindAAChoice(s_, s_.AAModeText);
  if (!row) return;
  if (direct3d_map) {
    // The disabled entry stores the flags beside it as the transparency
    // box does (code 128), so a gamma choice made there reads back.
    if (row->text.entry == 137 && clear) {
      s_.GammaAA = 0;
      s_.TranspAAMode = 0;
    }
    Write(row->d3d);
  } else {
    Write(row->ogl);
  }
}

void Handlers::Transparency() {
  if (Guarded()) return;
  const int index = f_.Combo18.ListIndex();
  if (index >= 0) {
    f_.Combo19.SetListIndex(index);
    s_.TranspAAMode = index;
  }
  ReapplyMode(false, false);
}

void Handlers::Gamma() {
  if (Guarded()) return;
  f_.Check18.SetValue(f_.Check17.Value());
  s_.GammaAA = f_.Check17.Value();
  ReapplyMode(true, true);
}

void Handlers::Sli(bool direct3d_page) {
  if (Starting()) return;
  ui::CheckBox& self = direct3d_page ? f_.Check15 : f_.Check16;
  ui::CheckBox& other = direct3d_page ? f_.Check16 : f_.Check15;
  const int value = self.Value();
  D3D(dc::kSliAA, value);
  other.SetValue(value);
  // The lists follow the SLI state read back, and the preview the mode.
  f_.RefreshPages();
}

void Handlers::Anisotropy(bool direct3d_page) {
  if (Starting()) return;
  ui::ComboBox& self = direct3d_page ? f_.Combo4 : f_.Combo2;
  ui::ComboBox& sister = direct3d_page ? f_.Combo2 : f_.Combo4;
  if (const AnisoChoice* row = FindAnisoChoice(s_, self.Text())) Write(direct3d_page ? row->d3d_page : row->ogl_page);
  // One anisotropy value for both pages from build 5000 on, as for the mode
  // (the writer shows most levels on both pages itself, but not "16x").
  if (s_.DriverBuild >= 5000) sister.SetText(self.Text());
}

void Handlers::IndexedChoice(const IndexedCombo& row, ui::ComboBox& combo) {
  if (Starting()) return;
  const int index = combo.ListIndex();
  if (index >= 0 && index < row.count) Write({row.writer, row.codes[index]});
  // The two force-mipmaps boxes show the same choice.
  if (&combo == &f_.Combo8) f_.Combo7.SetText(f_.Combo8.Text());
  if (&combo == &f_.Combo7) f_.Combo8.SetText(f_.Combo7.Text());
}

void Handlers::TwoCodes(const TwoCodeBox& row, ui::CheckBox& box) {
  if (Starting()) return;
  Write({row.writer, box.Value() == row.when ? row.code_when : row.code_else});
}

void Handlers::S3tc() {
  if (Starting()) return;
  const int a = f_.Check5[0].Value();
  const int b = f_.Check5[1].Value();
  if (a == 0 && b == 0) OGL(oc::kS3tcQuality0);
  else if (a == 1 && b == 0) OGL(oc::kS3tcQuality1);
  else if (a == 0 && b == 1) OGL(oc::kS3tcQuality2);
  else if (a == 1 && b == 1) OGL(oc::kS3tcQuality3);
}

void Handlers::Trilinear() {
  if (Starting()) return;
  const int value = f_.Check3[0].Value();
  if (value == 0) {
    OGL(oc::kTrilinearDefault);
    f_.Label4[3].SetEnabled(false);
    f_.FlatScrollBar2[0].SetEnabled(false);
    resetting_trilinear_ = true;
    f_.FlatScrollBar2[0].SetValue(1);
    resetting_trilinear_ = false;
  } else if (value == 1) {
    f_.Label4[3].SetEnabled(true);
    f_.FlatScrollBar2[0].SetEnabled(true);
    OGL(oc::kTrilinearValue, 1);
  }
}

void Handlers::Compression() {
  if (Starting()) return;
  const int value = f_.Check3[1].Value();
  if (value == 0) {
    f_.Option2[0].SetEnabled(false);
    f_.Option2[1].SetEnabled(false);
    OGL(oc::kCompressionOff);
  } else if (value == 1) {
    f_.Option2[0].SetEnabled(true);
    f_.Option2[1].SetEnabled(true);
    f_.Option2[0].SetValue(true);
    OGL(oc::kCompressionByApplication);
  }
}

void Handlers::EmulationMode() {
  if (Starting()) return;
  const int i = f_.Combo16.ListIndex();
  if (s_.DriverBuild >= 6000) {
    if (i >= 0 && i < static_cast<int>(std::size(kEmulationIds))) OGL(oc::kEmulationId, kEmulationIds[i]);
  } else if (i >= 0 && i < static_cast<int>(std::size(kOldEmulationCodes))) {
    OGL(kOldEmulationCodes[i]);
  }
}

// A handler that runs one member function of the shared handlers.
template <typename Member, typename... Args>
auto On(const std::shared_ptr<Handlers>& self, Member member, Args... args) {
  return [self, member, args...] { ((*self).*member)(args...); };
}

void Handlers::Wire(const Self& self) {
  WireDirect3DAntialiasing(self);
  WireOpenGLAntialiasing(self);
  WireOpenGLFiltering(self);
  WireDirect3DFiltering(self);
  WireOpenGLMisc(self);
  WireDirect3DMisc(self);
  WireOpenGLCompatibility(self);
}

void Handlers::WireIndexedCombo(const Self& self, const char* name) {
  for (const IndexedCombo& row : kIndexedCombos) {
    if (std::string(row.combo) != name) continue;
    auto* combo = static_cast<ui::ComboBox*>(self->f_.Find(row.combo));
    if (!combo) continue;
    auto handler = [self, &row, combo] { self->IndexedChoice(row, *combo); };
    combo->OnClick = handler;
    combo->OnChange = handler;
  }
}

std::function<void()> Handlers::TwoCodeHandler(const Self& self, const char* name, int index) {
  return [self, name, index] {
    for (const TwoCodeBox& row : kTwoCodeBoxes) {
      if (std::string(row.box) != name || row.index != index) continue;
      auto* control = static_cast<ui::CheckBox*>(self->f_.Find(name, index));
      if (control) self->TwoCodes(row, *control);
    }
  };
}

void Handlers::WirePrerender(const Self& self, ui::ComboBox& combo, SettingCode code, int offset) {
  // The index is the number ("0".."9") or one less ("1".."9").
  combo.OnClick = combo.OnChange = [self, &combo, code, offset] {
    if (self->Starting() || combo.ListIndex() < 0) return;
    self->Write(code, combo.ListIndex() + offset);
  };
}

void Handlers::WireDirect3DAntialiasing(const Self& self) {
  Form1& f = self->f_;
  f.Combo3.OnClick = f.Combo3.OnChange = On(self, &Handlers::AntialiasingMode, true);
  f.Combo19.OnClick = [self] {
    Handlers& h = *self;
    if (h.Guarded()) return;
    h.f_.Combo18.SetListIndex(h.f_.Combo19.ListIndex());
  };
  f.Check18.OnClick = [self] {
    Handlers& h = *self;
    if (h.Guarded()) return;
    h.f_.Check17.SetValue(h.f_.Check18.Value());
  };
  f.Check15.OnClick = On(self, &Handlers::Sli, true);
  f.Option3.OnClick = [self](int) { ShowAntialiasingPreview(self->s_, self->f_); };
}

void Handlers::WireOpenGLAntialiasing(const Self& self) {
  Form1& f = self->f_;
  f.Combo1.OnClick = f.Combo1.OnChange = On(self, &Handlers::AntialiasingMode, false);
  f.Combo18.OnClick = On(self, &Handlers::Transparency);
  f.Combo18.OnChange = On(self, &Handlers::Transparency);
  f.Check17.OnClick = On(self, &Handlers::Gamma);
  f.Check16.OnClick = On(self, &Handlers::Sli, false);
  f.Check1.OnClick = TwoCodeHandler(self, "Check1", -1);
}

void Handlers::WireOpenGLFiltering(const Self& self) {
  Form1& f = self->f_;
  f.Combo2.OnClick = On(self, &Handlers::Anisotropy, false);
  f.Combo2.OnChange = On(self, &Handlers::Anisotropy, false);
  WireIndexedCombo(self, "Combo7");
  WireIndexedCombo(self, "Combo5");
  f.Check3.OnClick = [self](int i) {
    if (i == 0) self->Trilinear();
    else self->Compression();
  };
  f.Option2.OnClick = [self](int i) {
    if (self->Starting()) return;
    self->OGL(i == 0 ? oc::kCompressionByApplication : oc::kCompressionOn);
  };
  f.Check14.OnClick = [self](int i) {
    if (self->Starting()) return;
    self->OGL(static_cast<std::int16_t>(oc::kTrilinearOpt + i), self->f_.Check14[i].Value());
  };
  // Sliders: a drag writes as the move's end does.
  f.FlatScrollBar2.OnChange = f.FlatScrollBar2.OnScroll = [self](int i) {
    Handlers& h = *self;
    if (h.Starting() || (i == 0 && h.resetting_trilinear_)) return;
    h.OGL(i == 0 ? oc::kTrilinearValue : oc::kLodBias, h.f_.FlatScrollBar2[i].Value());
  };
}

void Handlers::WireDirect3DFiltering(const Self& self) {
  Form1& f = self->f_;
  f.Combo4.OnClick = On(self, &Handlers::Anisotropy, true);
  f.Combo4.OnChange = On(self, &Handlers::Anisotropy, true);
  WireIndexedCombo(self, "Combo8");
  WireIndexedCombo(self, "Combo6");
  f.Check4.OnClick = [self](int i) {
    if (i != 5) return TwoCodeHandler(self, "Check4", i)();
    if (self->Starting()) return;
    self->D3D(dc::kNegativeLod, self->f_.Check4[5].Value() == 0 ? 1 : 0);
  };
  // A drag writes as the move's end does.
  f.FlatScrollBar3.OnChange = f.FlatScrollBar3.OnScroll = [self] {
    if (self->Starting()) return;
    self->D3D(dc::kLodBias, self->f_.FlatScrollBar3.Value());
  };
}

void Handlers::WireOpenGLMisc(const Self& self) {
  Form1& f = self->f_;
  WireIndexedCombo(self, "Combo10");
  WireIndexedCombo(self, "Combo9");
  WirePrerender(self, f.Combo11, O(oc::kMaxFrames), 1);
  f.Check5.OnClick = [self](int i) {
    if (i == 2) TwoCodeHandler(self, "Check5", 2)();
    else self->S3tc();
  };
}

void Handlers::WireDirect3DMisc(const Self& self) {
  Form1& f = self->f_;
  WireIndexedCombo(self, "Combo12");
  WirePrerender(self, f.Combo13, D(dc::kPrerenderLimit), 0);
  f.Check6.OnClick = [self](int i) { TwoCodeHandler(self, "Check6", i)(); };
}

void Handlers::WireOpenGLCompatibility(const Self& self) {
  Form1& f = self->f_;
  f.Combo15.OnClick = f.Combo15.OnChange = [self] {
    Handlers& h = *self;
    if (h.Starting()) return;
    const int index = h.f_.Combo15.ListIndex();
    if (index == 0) h.OGL(oc::kVersionDefault);
    else if (index >= 1 && index <= 7) h.OGL(oc::kVersionOverride, OpenGLVersionValue(h.f_.Combo15.List(index)));
  };
  f.Combo16.OnClick = f.Combo16.OnChange = On(self, &Handlers::EmulationMode);
  f.Check12.OnClick = [self](int i) {
    if (i == 0) return TwoCodeHandler(self, "Check12", 0)();
    if (self->Starting()) return;
    self->OGL(i == 1 ? oc::kRenderer : oc::kGlslSupport, self->f_.Check12[i].Value());
  };
}

}  // namespace

std::span<const AAChoice> AAChoices() { return kAAChoices; }
std::span<const AnisoChoice> AnisoChoices() { return kAnisoChoices; }

const AAChoice* FindAAChoice(const SeState& s, const std::string& text) {
  for (const AAChoice& row : kAAChoices)
    if (TextOf(s, row.text) == text || (row.sli && text == row.sli)) return &row;
  return nullptr;
}

const AnisoChoice* FindAnisoChoice(const SeState& s, const std::string& text) {
  for (const AnisoChoice& row : kAnisoChoices)
    if (TextOf(s, row.text) == text) return &row;
  return nullptr;
}
std::span<const IndexedCombo> IndexedCombos() { return kIndexedCombos; }
std::span<const TwoCodeBox> TwoCodeBoxes() { return kTwoCodeBoxes; }
std::span<const std::int32_t> EmulationIds() { return kEmulationIds; }

std::int32_t OpenGLVersionValue(const std::string& text) {
  std::uint32_t v = 0;
  for (size_t i = 0; i < text.size() && i < 3; ++i) v |= static_cast<std::uint32_t>(static_cast<unsigned char>(text[i])) << (8 * i);
  return static_cast<std::int32_t>(v);
}

void WireTweakHandlers(SeState& state, Form1& form) {
  Handlers::Wire(std::make_shared<Handlers>(state, form));
}

}  // namespace ks
