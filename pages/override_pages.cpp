#include "pages/override_pages.h"

#include <optional>

#include "common/numbers.h"
#include "engine/d3d.h"
#include "engine/setting_codes.h"
#include "shell/File_handle.h"
#include "shell/Form1.h"

namespace ks {

namespace {

constexpr std::int32_t kMultitextureOverrideMax = 17;
constexpr std::int32_t kMultitextureResetMax = 9;

struct ShaderLevel {
  const char* version;  // as PsVersion / VsVersion hold it
  std::int16_t code;
};
// Slider position = row; the last row (and the slider's maximum) removes the value.
constexpr ShaderLevel kPixelLevels[] = {
    {"0.0", d3d_code::kPixelShader00}, {"1.1", d3d_code::kPixelShader11}, {"1.3", d3d_code::kPixelShader13},
    {"1.4", d3d_code::kPixelShader14}, {"2.0", d3d_code::kPixelShader20}, {"3.0", d3d_code::kPixelShader30},
    {nullptr, d3d_code::kPixelShaderDefault}};
constexpr ShaderLevel kVertexLevels[] = {
    {"0.0", d3d_code::kVertexShader00}, {"1.1", d3d_code::kVertexShader11}, {"2.0", d3d_code::kVertexShader20},
    {"3.0", d3d_code::kVertexShader30}, {nullptr, d3d_code::kVertexShaderDefault}};

struct ShaderPage {
  const char* chip_file;  // "ps" / "vs"
  std::span<const ShaderLevel> levels;
  int caption_entry;      // 168 / 169
  int slider;             // FlatScrollBar6 index
  std::string SeState::*version;
};
const ShaderPage kShaderPages[] = {
    {"ps", kPixelLevels, 168, 0, &SeState::PsVersion},
    {"vs", kVertexLevels, 169, 1, &SeState::VsVersion},
};

void WriteD3D(SeState& s, Form1& f, std::int16_t code) {
  const std::int32_t zero = 0;
  WriteD3DSetting(s, f, code, zero);
}

// A slider that start-up or a reading moves shows what the driver holds and
// writes nothing back; the classic drivers hold neither limit (there the
// same codes 33, 37 and 38 switch the 24-bit Z buffer and the fog table).
bool SlidersHeld(const SeState& s, const Form1& f) { return f.IsStart == 1 || IsClassicDriver(s); }

void Multitexture_Change(SeState& s, Form1& f) {
  if (SlidersHeld(s, f)) return;
  ui::FlatScrollBar& bar = f.FlatScrollBar5;
  s.MaxTextures = bar.Value();
  if (bar.Value() == bar.Max()) {
    s.MaxTextures = -1;
    WriteD3D(s, f, d3d_code::kMaxTexturesDefault);
    f.Label11.SetCaption(s.Lang(165) + s.Lang(88));
  } else {
    WriteD3D(s, f, d3d_code::kMaxTextures);
    f.Label11.SetCaption(s.Lang(165) + IntToText(s.MaxTextures));
  }
  if (f.IsLoading == 0) f.Command2.SetEnabled(true);
}

void ApplyShaderLevel(SeState& s, Form1& f, const ShaderPage& page) {
  if (SlidersHeld(s, f)) return;
  ui::FlatScrollBar& bar = f.FlatScrollBar6[page.slider];
  const int position = bar.Value();
  const std::string head = s.Lang(page.caption_entry);
  ui::Label& caption = f.Label12[page.slider];
  const int last = static_cast<int>(page.levels.size()) - 1;
  if (position == 0) {
    WriteD3D(s, f, page.levels[0].code);
    caption.SetCaption(head + s.Lang(145));
  } else if (position == bar.Max()) {
    WriteD3D(s, f, page.levels[last].code);
    caption.SetCaption(head + s.Lang(88));
    return;
  } else if (position >= 1 && position <= last) {
    const ShaderLevel& level = page.levels[position];
    WriteD3D(s, f, level.code);
    caption.SetCaption(head + (level.version ? std::string(level.version) : s.Lang(88)));
  }
  if (f.IsLoading == 0) f.Command3.SetEnabled(true);
}

void Check8_Click(SeState& s, Form1& f) {
  s.reg.WriteAsBinary = 0;
  s.reg.WriteRegValue(kHkeyCurrentUser, kProductKey, "OverrideMultiTexture", f.Check8.Value());
  f.FlatScrollBar5.SetMax(kMultitextureResetMax);
  LoadMultitextureOverride(s, f);
}

void Check9_Click(SeState& s, Form1& f) {
  s.reg.WriteAsBinary = 0;
  s.reg.WriteRegValue(kHkeyCurrentUser, kProductKey, "OverrideShaders", f.Check9.Value());
  LoadShaderOverride(s, f);
}

}  // namespace

void StartControlPanelLoader(SeState& s) {
  // Not waited for; a loader that cannot be started changes nothing.
  s.platform.processes().StartProgram(kControlPanelLoader, platform::WindowStyle::kMinimizedFocus);
}

void LoadMultitextureOverride(SeState& s, Form1& f) {
  if (IsClassicDriver(s)) return;
  const std::string mt = LookupChipData(s, "mt", false).value_or("");
  const std::optional<std::int32_t> limit = TextToInt32(mt);
  const std::int32_t override_on = s.reg.ReadRegValue(kHkeyCurrentUser, kProductKey, "OverrideMultiTexture").NumberOr(0);
  f.Check8.SetValue(override_on);
  ui::FlatScrollBar& bar = f.FlatScrollBar5;
  if (override_on == 0) {
    if (limit) bar.SetMax(*limit);
    // Without the card's limit (the chip lookup failed: NT 4 has no device
    // id) nothing says the stored number is too high: it stays, and the
    // slider reaches above it so that showing it removes nothing.
    if (!limit && s.MaxTextures >= bar.Max()) bar.SetMax(s.MaxTextures + 1);
    if (s.MaxTextures != -1 && limit && *limit < s.MaxTextures) {
      WriteD3D(s, f, d3d_code::kMaxTexturesDefault);
      StartControlPanelLoader(s);
      s.MaxTextures = -1;
    }
  } else {
    bar.SetMax(kMultitextureOverrideMax);
  }
  bar.SetValue(s.MaxTextures == -1 ? bar.Max() : s.MaxTextures);
  // After start-up (the override box) the move may have run the slider's
  // change handling, which turns a stored number at the slider's top into
  // no override: the caption shows the state after the move.
  f.Label11.SetCaption(s.Lang(165) + (s.MaxTextures == -1 ? s.Lang(88) : IntToText(s.MaxTextures)));
}

void LoadShaderOverride(SeState& s, Form1& f) {
  if (IsClassicDriver(s)) return;
  for (const ShaderPage& page : kShaderPages) {
    // The extra field of this lookup's own record: none when the card has none.
    const std::optional<std::string> chip = LookupChipData(s, page.chip_file, true);
    const std::optional<std::string> extra = chip ? std::optional<std::string>(s.ChipDataExtra) : std::nullopt;
    const RegRead stored = s.reg.ReadRegValue(kHkeyCurrentUser, kProductKey, "OverrideShaders");
    const std::string override_text = stored.IsEmpty() ? std::string() : stored.AsText();
    if (const auto n = TextToInt32(override_text)) f.Check9.SetValue(*n);
    ui::FlatScrollBar& bar = f.FlatScrollBar6[page.slider];
    if (chip && *chip == "0.0") bar.SetEnabled(false);
    const auto override_on = TextToInt32(override_text);
    if (!override_on || *override_on == 0) {
      if (extra)
        if (const auto max = TextToInt32(*extra)) bar.SetMax(*max);
    } else {
      bar.SetMax(static_cast<int>(page.levels.size()) - 1);
    }
    const std::string& version = s.*page.version;
    if (version == s.Lang(146)) {
      bar.SetValue(bar.Max());
      continue;
    }
    for (size_t i = 0; i + 1 < page.levels.size(); ++i)
      if (version == page.levels[i].version) bar.SetValue(static_cast<int>(i));
  }
}

void WireOverridePages(SeState& s, Form1& f) {
  // Nothing to apply until a slider moves after start-up.
  f.Command2.SetEnabled(false);
  f.Command3.SetEnabled(false);
  f.FlatScrollBar5.OnChange = f.FlatScrollBar5.OnScroll = [&s, &f] { Multitexture_Change(s, f); };
  f.FlatScrollBar6.OnChange = f.FlatScrollBar6.OnScroll = [&s, &f](int index) {
    ApplyShaderLevel(s, f, kShaderPages[index == 0 ? 0 : 1]);
  };
  f.Check8.OnClick = [&s, &f] { Check8_Click(s, f); };
  f.Check9.OnClick = [&s, &f] { Check9_Click(s, f); };
  f.Command2.OnClick = [&s, &f] {
    StartControlPanelLoader(s);
    f.Command2.SetEnabled(false);
  };
  f.Command3.OnClick = [&s, &f] {
    StartControlPanelLoader(s);
    f.Command3.SetEnabled(false);
  };
}

}  // namespace ks
