// DetectD3DSettings of engine/settings_readers.h: the Direct3D settings
// reader. Each step stands alone: a value that is
// missing or no number gives the step's fallback, a control that refuses a
// state (a check box outside 0..2, a slider position outside its range)
// keeps its own, and the next step runs.
#include <cstdlib>
#include <limits>
#include <optional>

#include "engine/d3d.h"
#include "engine/driver_values.h"
#include "engine/settings_readers.h"
#include "common/numbers.h"
#include "shell/Form1.h"

namespace ks {

namespace {

constexpr std::int32_t kSliOff = 0x51621660;
constexpr std::int32_t kSliOn = 0x29060797;
constexpr std::int32_t kAAOffControl = 0x06326293;
constexpr std::int32_t kZCompressOn = static_cast<std::int32_t>(0x88204955u);
constexpr std::int32_t kMipFilteringOn = 0x24829101;
constexpr std::int32_t kFogTableOn = 0x31259154;
constexpr std::int32_t kVSyncOff = 0x08416747;
constexpr std::int32_t kVSyncAuto = 0x60925292;
// What the classic drivers store for the same two boxes (codes 16 and 35).
constexpr std::int32_t kClassicZCompressOn = 1;
constexpr std::int32_t kClassicUserMipmapsOn = 1;

constexpr std::int32_t Mode(std::uint32_t n) { return static_cast<std::int32_t>(0x10000000u + n); }
constexpr std::int32_t Token(std::uint32_t t) { return static_cast<std::int32_t>(t); }

constexpr AAFlagRow kAAFlags[] = {
    {9, "26948", true, 0, 0x00100000},
    {9, "26850", false, 1, 0x00010000},
    {9, "26954", true, 1, 0x00110000},
    {10, "13421", false, 2, 0x40000000},
    {10, "13432", true, 2, 0x40100000},
};

using O = OglTwin;
constexpr AAModeRow kAAModes[] = {
    {0, Entry(137), nullptr, O::kSame},
    {Mode(0x00), Entry(145), nullptr, O::kSame},
    {Mode(0x01), Fixed("2x1"), nullptr, O::kDisabled},
    {Mode(0x02), Fixed("1x2"), nullptr, O::kDisabled},
    {Mode(0x07), Fixed("2x enh"), nullptr, O::kDisabled},
    {Mode(0x0E), Fixed("2x"), "SLI 4x", O::kSame},
    {Mode(0x0F), Fixed("Quincunx"), "SLI 4xQ", O::kSame},
    {Mode(0x10), Fixed("4x"), "SLI 8x", O::kSame},
    {Mode(0x12), Fixed("4x 9-tap"), "SLI 8xG", O::kSame},
    {Mode(0x13), Fixed("4xS"), "SLI 8xS", O::kSame},
    {Mode(0x16), Fixed("6x"), nullptr, O::kDisabled},
    {Mode(0x17), Fixed("6xS"), "SLI 12xS", O::kSame},
    {Mode(0x18), Fixed("8xS"), "SLI 16x", O::kSame},
    {Mode(0x19), Fixed("8x"), nullptr, O::kSame},
    {Mode(0x1A), Fixed("16x"), "SLI 32x", O::kSame},
};

// The mode numbers the writer stores below build 5000: codes 1-8 store their
// own number (6 is "6xS", 8 is "16x"), code 82 and "8xS" store 9, code 83
// stores 10.
constexpr ValueText kOldAAModes[] = {
    {0, Entry(137)},        {1, Fixed("2x")},  {2, Fixed("Quincunx")}, {3, Fixed("4x")},
    {4, Fixed("4x 9-tap")}, {5, Fixed("4xS")}, {6, Fixed("6xS")},      {7, Fixed("8x")},
    {8, Fixed("16x")},      {9, Fixed("8xS")}, {10, Fixed("4xSS")},
};
// The same modes while SLI antialiasing is on, as the SLI lists name them.
constexpr ValueText kOldSliAAModes[] = {
    {1, Fixed("SLI 4x")},  {2, Fixed("SLI 4xQ")},  {3, Fixed("SLI 8x")}, {4, Fixed("SLI 8xG")},
    {5, Fixed("SLI 8xS")}, {6, Fixed("SLI 12xS")}, {8, Fixed("SLI 32x")}, {9, Fixed("SLI 16x")},
};

// The classic drivers' three antialiasing states, as the writer's classic
// table stores them in "ANTIALIASENABLE" and "ANTIALIASQUALITY".
struct ClassicAAMode {
  std::int32_t enable;
  std::int32_t quality;  // -1: any
  Shown shown;
};
constexpr ClassicAAMode kClassicAAModes[] = {
    {0, -1, Entry(137)},
    {1, 1, Fixed("2x")},
    {1, 3, Fixed("4x")},
};

// 0x10000001 is what the writer stores for the bilinear entry (135).
constexpr ValueText kAnisoModes[] = {
    {0, Entry(137)},           {1, Entry(137)},          {Mode(0x01), Entry(135)}, {Mode(0x02), Fixed("2x")},
    {Mode(0x04), Fixed("4x")}, {Mode(0x08), Fixed("8x")}, {Mode(0x10), Fixed("16x")},
};

constexpr ValueText kPixelShaders[] = {
    {0, Entry(88)},
    {Token(0xFFFF0101), Fixed("1.1")}, {Token(0xFFFF0103), Fixed("1.3")}, {Token(0xFFFF0104), Fixed("1.4")},
    {Token(0xFFFF0105), Fixed("1.5")}, {Token(0xFFFF0106), Fixed("1.6")}, {Token(0xFFFF0200), Fixed("2.0")},
    {Token(0xFFFF0201), Fixed("2.1")}, {Token(0xFFFF0204), Fixed("2.4")}, {Token(0xFFFF0300), Fixed("3.0")},
};

constexpr ValueText kVertexShaders[] = {
    {0, Entry(88)},
    {Token(0xFFFE0101), Fixed("1.1")},
    {Token(0xFFFE0200), Fixed("2.0")},
    {Token(0xFFFE0300), Fixed("3.0")},
};

// The controls whose settings the classic drivers do not hold: the codes
// they send have no classic row, or one for another setting (the
// multitexturing slider's top sends 33, the 24-bit Z buffer there; the pixel
// shader slider 37 and 38, the fog table). They are disabled there.
struct ControlName {
  const char* name;
  int index;  // -1: not part of an array
};
constexpr ControlName kNoClassicSetting[] = {
    {"Check15", -1},       {"Check16", -1},       {"Combo6", -1},  {"Check6", 1},   {"Check4", 0},
    {"Check4", 1},         {"Check4", 2},         {"Check4", 3},   {"Check4", 5},   {"Combo7", -1},
    {"Combo8", -1},        {"Combo12", -1},       {"Combo13", -1}, {"Check8", -1},  {"FlatScrollBar5", -1},
    {"Check9", -1},        {"FlatScrollBar6", 0}, {"FlatScrollBar6", 1},
};

// Reads Direct3D values at the writer's places.
class D3DReader {
 public:
  D3DReader(SeState& s, Form1& f) : s_(s), f_(f) {}

  void Run();

 private:
  RegRead Read(const DriverValue& v) { return ReadDriverValue(s_, v); }
  // The fallback for a missing value and for one that is no number.
  std::int32_t ReadOr(const DriverValue& v, std::int32_t fallback) { return Read(v).NumberOr(fallback); }
  // `missing` for a missing value; a value that is present but no number counts as 0.
  std::int32_t ReadMissingAs(const DriverValue& v, std::int32_t missing) {
    const RegRead r = Read(v);
    return r.IsEmpty() ? missing : r.NumberOr(0);
  }
  std::string Text(Shown shown) const { return TextOf(s_, shown); }
  static void SetCheck(ui::CheckBox& box, long long value) {
    if (value >= ui::kUnchecked && value <= ui::kGrayed) box.SetValue(static_cast<int>(value));
  }

  void SliAntialiasing();
  void SliAvailability();
  void AntialiasingMode();
  void OldAntialiasingMode();
  void ClassicAntialiasingMode();
  void ClassicAnisotropy();
  // The boxes and the slider the classic drivers keep a value for besides
  // the antialiasing and anisotropy lists.
  void ClassicTextureValues();
  void ShowLodBias(std::int32_t lod);
  // Combo4 from a stored anisotropy level, through the level table `levels`.
  void ShowAnisotropyLevel(const RegRead& r, const std::array<std::int32_t, 6>& levels);
  void Anisotropy();
  void OldAnisotropy();
  void TextureAndShaderValues();

  SeState& s_;
  Form1& f_;
};

void D3DReader::Run() {
  // The controls this run sets show what the driver holds: none of their
  // handlers may write it back.
  HandlersHeldOff held(f_);
  const std::int32_t outer_guard = s_.AAGuard;
  s_.AAGuard = 1;
  if (IsClassicDriver(s_)) {
    ClassicAntialiasingMode();
    ClassicAnisotropy();
    ClassicTextureValues();
    for (const ControlName& c : kNoClassicSetting)
      if (ui::Control* control = f_.Find(c.name, c.index)) control->SetEnabled(false);
  } else {
    SliAntialiasing();
    SliAvailability();
    if (s_.DriverBuild >= 5000) {
      AntialiasingMode();
      Anisotropy();
    } else {
      OldAntialiasingMode();
      OldAnisotropy();
    }
    TextureAndShaderValues();
  }
  s_.AAGuard = outer_guard;
}

void D3DReader::SliAntialiasing() {
  const std::int32_t v = ReadOr(d3d::kSliAA, kSliOff);
  if (v == kSliOff) {
    f_.Check15.SetValue(0);
    f_.Check16.SetValue(0);
    s_.SliAAFlag = 0;
  } else if (v == kSliOn) {
    f_.Check15.SetValue(1);
    f_.Check16.SetValue(1);
    s_.SliAAFlag = 1;
  }
}

void D3DReader::SliAvailability() {
  const std::string group = s_.DeviceId.substr(0, 3);
  const bool sli = group == "014" || group == "004" || group == "00C" || group == "009";
  f_.Check15.SetEnabled(sli);
  f_.Check16.SetEnabled(sli);
}

void D3DReader::AntialiasingMode() {
  std::int32_t v = ReadOr(d3d::kAAMode, 0);
  const std::string s = IntToText(v);
  f_.Combo18.SetText(s_.Lang(145));
  f_.Combo19.SetText(s_.Lang(145));
  f_.Check17.SetValue(0);
  f_.Check18.SetValue(0);
  s_.GammaAA = 0;
  s_.TranspAAMode = 0;
  if (v != 0) {
    for (const AAFlagRow& row : kAAFlags) {
      if (s.size() != row.length || s.compare(0, 5, row.prefix) != 0) continue;
      if (row.gamma) {
        f_.Check17.SetValue(1);
        f_.Check18.SetValue(1);
      }
      static constexpr Shown kTransparency[] = {Entry(145), Fixed("Multisampling"), Fixed("Supersampling")};
      const std::string transparency = Text(kTransparency[row.transparency]);
      f_.Combo18.SetText(transparency);
      f_.Combo19.SetText(transparency);
      v = static_cast<std::int32_t>(static_cast<std::uint32_t>(v) - static_cast<std::uint32_t>(row.flags));
      s_.GammaAA = row.gamma ? 1 : 0;
      s_.TranspAAMode = row.transparency;
      break;
    }
  }
  f_.Combo3.SetText(s_.Lang(183));
  f_.Combo1.SetText(s_.Lang(183));
  for (const AAModeRow& row : kAAModes) {
    if (row.value != v) continue;
    const std::string d3d = row.sli && s_.SliAAFlag != 0 ? std::string(row.sli) : Text(row.d3d);
    f_.Combo3.SetText(d3d);
    f_.Combo1.SetText(row.ogl == OglTwin::kSame ? d3d : s_.Lang(145));
    break;
  }
  s_.AAModeText = f_.Combo3.Text();
}

void D3DReader::OldAntialiasingMode() {
  const std::int32_t v = ReadOr(d3d::kAAModeOld, 0);
  const ValueText* sli = s_.SliAAFlag != 0 ? FindValueText(kOldSliAAModes, v) : nullptr;
  if (const ValueText* row = sli ? sli : FindValueText(kOldAAModes, v)) f_.Combo3.SetText(Text(row->shown));
  // The control value that switches the mode off is what the automatic
  // entry writes, whatever mode number stands beside it.
  if (Read(d3d::kAAControl).NumberOr(0) == kAAOffControl) f_.Combo3.SetText(s_.Lang(137));
}

void D3DReader::ClassicAntialiasingMode() {
  const RegRead enable = Read(d3d_classic::kAAEnable);
  if (enable.IsEmpty()) return;
  const std::int32_t e = enable.NumberOr(-1);
  const std::int32_t q = ReadOr(d3d_classic::kAAQuality, 0);
  for (const ClassicAAMode& mode : kClassicAAModes) {
    if (mode.enable == e && (mode.quality == -1 || mode.quality == q)) {
      f_.Combo3.SetText(Text(mode.shown));
      return;
    }
  }
}

void D3DReader::Anisotropy() {
  const RegRead r = Read(d3d::kAniso);
  if (const ValueText* row = FindValueText(kAnisoModes, r.NumberOr(0))) {
    f_.Combo4.SetText(Text(row->shown));
    f_.Combo2.SetText(Text(row->shown));
  }
  if (r.IsEmpty()) {
    f_.Combo4.SetText(s_.Lang(137));
    f_.Combo2.SetText(s_.Lang(137));
  }
}

void D3DReader::OldAnisotropy() { ShowAnisotropyLevel(Read(d3d::kAnisoOld), AnisoLevels(s_.DriverBuild)); }

// The classic drivers keep the plain level (0, 1, 2, 4, 8), as the older
// numbered drivers below build 4103 do; no value is the automatic entry.
void D3DReader::ClassicAnisotropy() { ShowAnisotropyLevel(Read(d3d_classic::kAnisoLevel), AnisoLevels(0)); }

// Missing values count as the numbered drivers' do: compression and mipmap
// filtering on, no bias. The LOD bias slider covers the classic scale.
void D3DReader::ClassicTextureValues() {
  f_.Check6[0].SetValue(ReadOr(d3d_classic::kZCompress, kClassicZCompressOn) == kClassicZCompressOn ? 1 : 0);
  f_.Check4[4].SetValue(ReadOr(d3d_classic::kUserMipmaps, kClassicUserMipmapsOn) == kClassicUserMipmapsOn ? 0 : 1);
  f_.FlatScrollBar3.SetMin(0);
  f_.FlatScrollBar3.SetMax(kClassicLodBiasTop);
  ShowLodBias(ReadMissingAs(d3d_classic::kLodBias, 0));
}

// The slider takes a 16-bit position within its range; the label shows the
// number all the same.
void D3DReader::ShowLodBias(std::int32_t lod) {
  if (lod >= std::numeric_limits<std::int16_t>::min() && lod <= std::numeric_limits<std::int16_t>::max())
    f_.FlatScrollBar3.SetValue(lod);
  f_.Label6[3].SetCaption(s_.Lang(118) + IntToText(lod));
}

void D3DReader::ShowAnisotropyLevel(const RegRead& r, const std::array<std::int32_t, 6>& levels) {
  const std::int32_t v = r.NumberOr(0);
  const Shown shown[] = {Fixed("Point s."), Entry(135), Fixed("2x"), Fixed("4x"), Fixed("8x"), Fixed("16x")};
  std::optional<Shown> text;
  if (v == -1) {
    text = Entry(137);
  } else {
    for (size_t i = 0; i < levels.size() && !text; ++i)
      if (v == levels[i]) text = shown[i];
  }
  if (text) f_.Combo4.SetText(Text(*text));
  if (r.IsEmpty()) f_.Combo4.SetText(s_.Lang(137));
}

void D3DReader::TextureAndShaderValues() {
  // Image quality.
  switch (ReadOr(d3d::kQuality, 0)) {
    case 0: f_.Combo6.SetText(s_.Lang(127)); break;
    case 10: f_.Combo6.SetText(s_.Lang(128)); break;
    case 20: f_.Combo6.SetText(s_.Lang(129)); break;
    case -10: f_.Combo6.SetText(s_.Lang(130)); break;
    default: break;
  }
  // Z-buffer compression; only cards with more than two textures offer it.
  f_.Check6[0].SetValue(ReadOr(d3d::kZCompress, kZCompressOn) == kZCompressOn ? 1 : 0);
  f_.Check6[0].SetEnabled(s_.MtFlag != 0);

  // Shader versions.
  if (const ValueText* row = FindValueText(kPixelShaders, ReadMissingAs(d3d::kPsVersion, 0))) {
    f_.Label12[0].SetCaption(s_.Lang(168) + Text(row->shown));
    s_.PsVersion = row->value == 0 ? s_.Lang(146) : Text(row->shown);
  } else {
    s_.PsVersion = s_.Lang(145);
  }
  if (s_.PsVersion == s_.Lang(145)) {
    f_.Label12[0].SetCaption(s_.Lang(168) + s_.Lang(145));
    s_.PsVersion = "0.0";
  }
  if (const ValueText* row = FindValueText(kVertexShaders, ReadMissingAs(d3d::kVsVersion, 0))) {
    f_.Label12[1].SetCaption(s_.Lang(169) + Text(row->shown));
    s_.VsVersion = row->value == 0 ? s_.Lang(146) : Text(row->shown);
  } else {
    f_.Label12[1].SetCaption(s_.Lang(169) + s_.Lang(145));
    s_.VsVersion = "0.0";
  }

  ShowLodBias(ReadMissingAs(d3d::kLodBias, 0));

  f_.Check4[4].SetValue(ReadMissingAs(d3d::kMipFiltering, kMipFilteringOn) == kMipFilteringOn ? 0 : 1);

  // Maximum textures, force mipmaps and low MIP level: a value that is no
  // number keeps what the previous reading gave.
  {
    const RegRead r = Read(d3d::kMaxTextures);
    if (r.IsEmpty()) s_.MaxTextures = -1;
    else if (auto n = r.AsNumber()) s_.MaxTextures = *n;
  }
  {
    const RegRead r = Read(d3d::kForceMipmaps);
    if (r.IsEmpty()) s_.ForceMipmapsRead = 0;
    else if (auto n = r.AsNumber()) s_.ForceMipmapsRead = *n;
    if (s_.ForceMipmapsRead >= 0 && s_.ForceMipmapsRead <= 2) {
      const std::string text = s_.Lang(134 + s_.ForceMipmapsRead);
      f_.Combo7.SetText(text);
      f_.Combo8.SetText(text);
    }
  }
  {
    const RegRead r = Read(d3d::kLowMipLevel);
    if (r.IsEmpty()) s_.LowMipLevelRead = 0;
    else if (auto n = r.AsNumber()) s_.LowMipLevelRead = *n;
    SetCheck(f_.Check4[0], s_.LowMipLevelRead);
  }

  // Filtering optimisations; the negative LOD bias box needs build 7000.
  SetCheck(f_.Check4[5], std::llabs(static_cast<long long>(ReadOr(d3d::kNegativeLod, 0)) - 1));
  f_.Check4[5].SetEnabled(s_.DriverBuild >= 7000);
  SetCheck(f_.Check4[1], std::llabs(static_cast<long long>(ReadOr(d3d::kTrilinearOpt, 0)) - 1));
  SetCheck(f_.Check4[2], ReadOr(d3d::kAnisoMipOpt, 0));
  SetCheck(f_.Check4[3], ReadOr(d3d::kAnisoSampleOpt, 1));

  f_.Check6[1].SetValue(ReadMissingAs(d3d::kFogTable, kFogTableOn) == kFogTableOn ? 1 : 0);

  // Vertical synchronisation.
  f_.Combo12.SetText(s_.Lang(146));
  const std::int32_t vsync = Read(d3d::kVSync).NumberOr(0);
  f_.Combo12.SetText(s_.Lang(vsync == kVSyncOff ? 145 : vsync == kVSyncAuto ? 137 : 146));

  f_.Combo13.SetText(IntToText(ReadOr(d3d::kPrerender, 2)));
}

}  // namespace

const ValueText* FindValueText(std::span<const ValueText> table, std::int32_t value) {
  for (const ValueText& row : table)
    if (row.value == value) return &row;
  return nullptr;
}

std::string TextOf(const SeState& state, Shown shown) {
  return shown.text ? std::string(shown.text) : state.Lang(shown.entry);
}

std::span<const AAFlagRow> AAFlagRows() { return kAAFlags; }
std::span<const AAModeRow> AAModeRows() { return kAAModes; }
std::span<const ValueText> OldAAModes() { return kOldAAModes; }
std::span<const ValueText> AnisoModes() { return kAnisoModes; }
std::span<const ValueText> PixelShaders() { return kPixelShaders; }
std::span<const ValueText> VertexShaders() { return kVertexShaders; }

void DetectD3DSettings(SeState& state, Form1& form) { D3DReader(state, form).Run(); }

HandlersHeldOff::HandlersHeldOff(Form1& form) : form_(form), was_(form.IsStart) { form.IsStart = 1; }
HandlersHeldOff::~HandlersHeldOff() { form_.IsStart = was_; }

}  // namespace ks
