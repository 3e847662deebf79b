#include "pages/tweak_handlers.h"

#include <memory>

#include "engine/d3d.h"
#include "engine/ogl.h"
#include "pages/setting_lists.h"
#include "shell/Form1.h"

namespace ks {

namespace {

using K = WriterKind;
constexpr SettingCode D(std::int16_t code) { return {K::kD3D, code}; }
constexpr SettingCode O(std::int16_t code) { return {K::kOGL, code}; }

constexpr AAChoice kAAChoices[] = {
    {Entry(137), nullptr, D(0), O(0)},
    {Entry(145), nullptr, D(128), D(128)},
    {Fixed("2x"), "SLI 4x", D(1), O(2)},
    {Fixed("Quincunx"), "SLI 4xQ", D(2), O(1)},
    {Fixed("4x"), "SLI 8x", D(3), O(3)},
    {Fixed("4x 9-tap"), "SLI 8xG", D(4), O(60)},
    {Fixed("4xS"), "SLI 8xS", D(5), D(5)},
    {Fixed("6xS"), "SLI 12xS", D(6), D(6)},
    {Fixed("8x"), nullptr, D(7), O(61)},
    {Fixed("16x"), "SLI 32x", D(8), O(62)},
    {Fixed("8xS"), "SLI 16x", D(101), D(101)},
    {Fixed("6x"), nullptr, D(100), D(100)},
};

// The anisotropy levels by text: Combo4 (Direct3D page), Combo2 (OpenGL page).
struct AnisoChoice {
  Shown text;
  SettingCode d3d_page;
  SettingCode ogl_page;
};

constexpr AnisoChoice kAnisoChoices[] = {
    {Entry(137), D(36), O(5)},  {Entry(135), D(10), D(10)}, {Fixed("2x"), D(11), O(4)},
    {Fixed("4x"), D(60), O(31)}, {Fixed("8x"), D(61), O(32)}, {Fixed("16x"), D(112), D(112)},
};

constexpr IndexedCombo kIndexedCombos[] = {
    {"Combo12", K::kD3D, {45, 44, 43}, 3},     {"Combo8", K::kD3D, {105, 106, 107}, 3},
    {"Combo6", K::kD3D, {67, 68, 69, 113}, 4}, {"Combo7", K::kD3D, {105, 106, 107}, 3},
    {"Combo5", K::kOGL, {58, 57, 56, 64}, 4},  {"Combo10", K::kOGL, {24, 26, 25}, 3},
    {"Combo9", K::kOGL, {19, 20, 21}, 3},
};

constexpr TwoCodeBox kTwoCodeBoxes[] = {
    {"Check6", 0, K::kD3D, 1, 16, 15},   {"Check6", 1, K::kD3D, 1, 123, 122}, {"Check4", 0, K::kD3D, 0, 108, 109},
    {"Check4", 1, K::kD3D, 0, 114, 115}, {"Check4", 2, K::kD3D, 0, 117, 116}, {"Check4", 3, K::kD3D, 0, 121, 120},
    {"Check4", 4, K::kD3D, 0, 35, 34},   {"Check5", 2, K::kOGL, 0, 13, 12},   {"Check12", 0, K::kOGL, 0, 71, 72},
    {"Check1", -1, K::kOGL, 0, 23, 22},
};

// Emulation ids of Combo16's entries from build 6000; below it the first
// six entries write their own codes.
constexpr std::int32_t kEmulationIds[] = {0, 1, 10, 20, 25, 30, 31, 34, 35, 40, 44, 47, -1};
constexpr std::int16_t kOldEmulationCodes[] = {33, 34, 75, 35, 36, 37};

class Handlers {
 public:
  Handlers(SeState& s, Form1& f) : s_(s), f_(f) {}
  void Wire(const std::shared_ptr<Handlers>& self);

 private:
  bool Starting() const { return f_.IsStart == 1; }
  bool Guarded() const { return f_.IsStart == 1 || s_.AAGuard == 1; }
  void Write(SettingCode c, std::int32_t value = 0) {
    const std::int16_t code = c.code;
    if (c.writer == K::kD3D) WriteD3DSetting(s_, f_, code, value);
    else if (c.writer == K::kOGL) WriteOGLSetting(s_, f_, code, value);
  }
  void D3D(std::int16_t code, std::int32_t value = 0) { Write(D(code), value); }
  void OGL(std::int16_t code, std::int32_t value = 0) { Write(O(code), value); }

  const AAChoice* FindAA(const std::string& text) const {
    for (const AAChoice& row : kAAChoices)
      if (TextOf(s_, row.text) == text || (row.sli && text == row.sli)) return &row;
    return nullptr;
  }
  const AnisoChoice* FindAniso(const std::string& text) const {
    for (const AnisoChoice& row : kAnisoChoices)
      if (TextOf(s_, row.text) == text) return &row;
    return nullptr;
  }

  void AntialiasingMode(bool direct3d, bool change);
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

void Handlers::AntialiasingMode(bool direct3d, bool change) {
  if (Starting()) return;
  ui::ComboBox& self = direct3d ? f_.Combo3 : f_.Combo1;
  ui::ComboBox& sister = direct3d ? f_.Combo1 : f_.Combo3;
  const std::string text = self.Text();
  if (const AAChoice* row = FindAA(text)) {
    if (row->text.entry == 137) {
      s_.GammaAA = 0;
      s_.TranspAAMode = 0;
    }
    Write(direct3d ? row->d3d : row->ogl);
  }
  if (s_.DriverBuild > 5000) sister.SetText(self.Text());
  if (direct3d) s_.AAModeText = text;
  if (change) ShowAntialiasingPreview(s_, f_);
}

void Handlers::ReapplyMode(bool direct3d_map, bool clear) {
  const AAChoice* row = FindAA(s_.AAModeText);
  if (!row) return;
  if (direct3d_map) {
    // The Direct3D map has no row for the disabled entry here.
    if (row->text.entry == 145) return;
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
  D3D(127, value);
  other.SetValue(value);
  FillAntialiasingModes(s_, f_);
  // The readers hold the handlers off: the boxes they set write nothing back.
  DetectD3DSettings(s_, f_);
  DetectOGLSettings(s_, f_);
  ShowAntialiasingPreview(s_, f_);
}

void Handlers::Anisotropy(bool direct3d_page) {
  if (Starting()) return;
  ui::ComboBox& self = direct3d_page ? f_.Combo4 : f_.Combo2;
  ui::ComboBox& sister = direct3d_page ? f_.Combo2 : f_.Combo4;
  if (const AnisoChoice* row = FindAniso(self.Text())) Write(direct3d_page ? row->d3d_page : row->ogl_page);
  if (s_.DriverBuild > 5000) sister.SetText(self.Text());
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
  if (a == 0 && b == 0) OGL(11);
  else if (a == 1 && b == 0) OGL(10);
  else if (a == 0 && b == 1) OGL(54);
  else if (a == 1 && b == 1) OGL(55);
}

void Handlers::Trilinear() {
  if (Starting()) return;
  const int value = f_.Check3[0].Value();
  if (value == 0) {
    OGL(65);
    f_.Label4[3].SetEnabled(false);
    f_.FlatScrollBar2[0].SetEnabled(false);
    resetting_trilinear_ = true;
    f_.FlatScrollBar2[0].SetValue(1);
    resetting_trilinear_ = false;
  } else if (value == 1) {
    f_.Label4[3].SetEnabled(true);
    f_.FlatScrollBar2[0].SetEnabled(true);
    OGL(66, 1);
  }
}

void Handlers::Compression() {
  if (Starting()) return;
  const int value = f_.Check3[1].Value();
  if (value == 0) {
    f_.Option2[0].SetEnabled(false);
    f_.Option2[1].SetEnabled(false);
    OGL(67);
  } else if (value == 1) {
    f_.Option2[0].SetEnabled(true);
    f_.Option2[1].SetEnabled(true);
    f_.Option2[0].SetValue(true);
    OGL(68);
  }
}

void Handlers::EmulationMode() {
  if (Starting()) return;
  const int i = f_.Combo16.ListIndex();
  if (s_.DriverBuild >= 6000) {
    if (i >= 0 && i < static_cast<int>(std::size(kEmulationIds))) OGL(76, kEmulationIds[i]);
  } else if (i >= 0 && i < static_cast<int>(std::size(kOldEmulationCodes))) {
    OGL(kOldEmulationCodes[i]);
  }
}

void Handlers::Wire(const std::shared_ptr<Handlers>& self) {
  auto on = [self](auto member, auto... args) { return [self, member, args...] { ((*self).*member)(args...); }; };
  Form1& f = f_;

  f.Combo3.OnClick = on(&Handlers::AntialiasingMode, true, false);
  f.Combo3.OnChange = on(&Handlers::AntialiasingMode, true, true);
  f.Combo1.OnClick = on(&Handlers::AntialiasingMode, false, false);
  f.Combo1.OnChange = on(&Handlers::AntialiasingMode, false, true);
  f.Combo18.OnClick = on(&Handlers::Transparency);
  f.Combo18.OnChange = on(&Handlers::Transparency);
  f.Combo19.OnClick = [self] {
    Handlers& h = *self;
    if (h.Guarded()) return;
    h.f_.Combo18.SetListIndex(h.f_.Combo19.ListIndex());
  };
  f.Check17.OnClick = on(&Handlers::Gamma);
  f.Check18.OnClick = [self] {
    Handlers& h = *self;
    if (h.Guarded()) return;
    h.f_.Check17.SetValue(h.f_.Check18.Value());
  };
  f.Check15.OnClick = on(&Handlers::Sli, true);
  f.Check16.OnClick = on(&Handlers::Sli, false);
  f.Combo4.OnClick = on(&Handlers::Anisotropy, true);
  f.Combo4.OnChange = on(&Handlers::Anisotropy, true);
  f.Combo2.OnClick = on(&Handlers::Anisotropy, false);
  f.Combo2.OnChange = on(&Handlers::Anisotropy, false);

  for (const IndexedCombo& row : kIndexedCombos) {
    auto* combo = static_cast<ui::ComboBox*>(f.Find(row.combo));
    if (!combo) continue;
    auto handler = [self, &row, combo] { self->IndexedChoice(row, *combo); };
    combo->OnClick = handler;
    combo->OnChange = handler;
  }
  // Prerender limits: the index is the number ("0".."9") or one less ("1".."9").
  auto prerender = [self](ui::ComboBox& combo, SettingCode code, int offset) {
    return [self, &combo, code, offset] {
      if (self->Starting() || combo.ListIndex() < 0) return;
      self->Write(code, combo.ListIndex() + offset);
    };
  };
  f.Combo13.OnClick = f.Combo13.OnChange = prerender(f.Combo13, D(66), 0);
  f.Combo11.OnClick = f.Combo11.OnChange = prerender(f.Combo11, O(70), 1);
  auto version = [self] {
    Handlers& h = *self;
    if (h.Starting()) return;
    const int index = h.f_.Combo15.ListIndex();
    if (index == 0) h.OGL(74);
    else if (index >= 1 && index <= 7) h.OGL(73, OpenGLVersionValue(h.f_.Combo15.List(index)));
  };
  f.Combo15.OnClick = f.Combo15.OnChange = version;
  f.Combo16.OnClick = f.Combo16.OnChange = on(&Handlers::EmulationMode);

  // Check boxes.
  auto box = [self](const char* name, int index) {
    return [self, name, index] {
      for (const TwoCodeBox& row : kTwoCodeBoxes) {
        if (std::string(row.box) != name || row.index != index) continue;
        auto* control = static_cast<ui::CheckBox*>(self->f_.Find(name, index));
        if (control) self->TwoCodes(row, *control);
      }
    };
  };
  f.Check6.OnClick = [box](int i) { box("Check6", i)(); };
  f.Check4.OnClick = [self, box](int i) {
    if (i != 5) return box("Check4", i)();
    if (self->Starting()) return;
    self->D3D(126, self->f_.Check4[5].Value() == 0 ? 1 : 0);
  };
  f.Check5.OnClick = [self, box](int i) {
    if (i == 2) box("Check5", 2)();
    else self->S3tc();
  };
  f.Check12.OnClick = [self, box](int i) {
    if (i == 0) return box("Check12", 0)();
    if (self->Starting()) return;
    self->OGL(i == 1 ? 78 : 77, self->f_.Check12[i].Value());
  };
  f.Check1.OnClick = box("Check1", -1);
  f.Check14.OnClick = [self](int i) {
    if (self->Starting()) return;
    self->OGL(static_cast<std::int16_t>(79 + i), self->f_.Check14[i].Value());
  };
  f.Check3.OnClick = [self](int i) {
    if (i == 0) self->Trilinear();
    else self->Compression();
  };
  f.Option2.OnClick = [self](int i) {
    if (self->Starting()) return;
    self->OGL(i == 0 ? 68 : 69);
  };

  // Sliders: a drag writes as the move's end does.
  auto lod3d = [self] {
    if (self->Starting()) return;
    self->D3D(30, self->f_.FlatScrollBar3.Value());
  };
  f.FlatScrollBar3.OnChange = f.FlatScrollBar3.OnScroll = lod3d;
  auto ogl_slider = [self](int i) {
    Handlers& h = *self;
    if (h.Starting() || (i == 0 && h.resetting_trilinear_)) return;
    h.OGL(i == 0 ? 66 : 63, h.f_.FlatScrollBar2[i].Value());
  };
  f.FlatScrollBar2.OnChange = f.FlatScrollBar2.OnScroll = ogl_slider;

  f.Option3.OnClick = [self](int) { ShowAntialiasingPreview(self->s_, self->f_); };
}

}  // namespace

std::span<const AAChoice> AAChoices() { return kAAChoices; }
std::span<const IndexedCombo> IndexedCombos() { return kIndexedCombos; }
std::span<const TwoCodeBox> TwoCodeBoxes() { return kTwoCodeBoxes; }
std::span<const std::int32_t> EmulationIds() { return kEmulationIds; }

std::int32_t OpenGLVersionValue(const std::string& text) {
  std::uint32_t v = 0;
  for (size_t i = 0; i < text.size() && i < 3; ++i) v |= static_cast<std::uint32_t>(static_cast<unsigned char>(text[i])) << (8 * i);
  return static_cast<std::int32_t>(v);
}

void WireTweakHandlers(SeState& state, Form1& form) {
  auto handlers = std::make_shared<Handlers>(state, form);
  handlers->Wire(handlers);
}

}  // namespace ks
