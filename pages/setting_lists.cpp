#include "pages/setting_lists.h"

#include <algorithm>

#include "common/numbers.h"
#include "platform/picture_header.h"
#include "engine/d3d.h"
#include "pages/tweak_handlers.h"
#include "shell/File_handle.h"
#include "shell/Form1.h"

namespace ks {

namespace {

constexpr const char* kResolutions[] = {"640x480", "800x600", "1024x768", "1152x864", "1280x1024", "1600x1200"};
constexpr const char* kOpenGLVersions[] = {"1.0", "1.1", "1.2", "1.3", "1.4", "1.5", "2.0"};

// The emulation list; the families after index 5 only above build 6000.
constexpr Shown kEmulationList[] = {
    Entry(181),
    Fixed("NVx  (Riva TNT family)"),
    Fixed("NV1x (GeForce2 family)"),
    Fixed("NV20 (GeForce3 family)"),
    Fixed("NV25 (GeForce4 Ti family)"),
    Fixed("NV30 (GeForce FX 5800)"),
    Fixed("NV31 (GeForce FX 5600)"),
    Fixed("NV34 (GeForce FX 5200)"),
    Fixed("NV35 (GeForce FX 5700/5900)"),
    Fixed("NV40 (GeForce 6600/6800)"),
    Fixed("NV44 (GeForce 6200)"),
    Fixed("G70 (GeForce 7800)"),
    Entry(182),
};
constexpr int kOldEmulationCount = 6;

void Add(const SeState& s, ui::ComboBox& combo, std::initializer_list<Shown> items) {
  for (Shown item : items) combo.AddItem(TextOf(s, item));
}

// Removes every entry but leaves the text the box shows, without events.
void RemoveItemsKeepText(ui::ComboBox& combo) {
  while (combo.ListCount() > 0) combo.RemoveItem(combo.ListCount() - 1);
}

// Anisotropy limit and antialiasing class of the card. A card the chip data
// does not list gets the full sets (limit 8, class "8") rather than none.
std::int32_t AnisotropyLimit(SeState& s) {
  const auto af = LookupChipData(s, "af", false);
  if (!af) return 8;
  return ChipDataNumber(af);
}

std::string AntialiasingClass(SeState& s) {
  const auto aa = LookupChipData(s, "aa", false);
  return aa ? *aa : std::string("8");
}

bool HasTransparencyAntialiasing(const std::string& device_id) {
  if (device_id == "00F5") return true;
  const std::string group = device_id.substr(0, 3);
  // The groups "29" and "39" are the ids 029x and 039x.
  return group == "009" || group == "029" || group == "039";
}

// Whether the Direct3D writer stores anything for `code` on this driver: the
// classic drivers keep only the values of their own table, so an entry
// without a row there would change nothing the driver reads.
bool D3DStores(const SeState& s, std::int16_t code) {
  if (!IsClassicDriver(s)) return true;
  const auto classic = D3DClassicTable();
  return std::any_of(classic.begin(), classic.end(), [&](const SettingRow& r) { return r.code == code; });
}

// Whether the Direct3D antialiasing mode `text` reads back from this driver.
bool D3DStoresMode(const SeState& s, const std::string& text) {
  const AAChoice* row = FindAAChoice(s, text);
  return row && D3DStores(s, row->d3d.code);
}

// Whether the OpenGL page's choice `code` lands where the OpenGL page reads
// it: below build 5000 the Direct3D codes write only the Direct3D page's
// values, and Windows 9x holds the OpenGL anisotropy there as one bit, which
// only "2x" (code 4) and the automatic entry (code 5) change.
bool OpenGLStores(const SeState& s, SettingCode code, bool anisotropy) {
  if (s.DriverBuild >= 5000) return true;
  if (code.writer == WriterKind::kD3D) return false;
  if (anisotropy && s.OsClass == 0) return code.code == 4 || code.code == 5;
  return true;
}

bool OpenGLStoresMode(const SeState& s, const std::string& text) {
  const AAChoice* row = FindAAChoice(s, text);
  return row && OpenGLStores(s, row->ogl, false);
}

}  // namespace

void FillSettingLists(SeState& s, Form1& f) {
  FillAntialiasingModes(s, f);
  if (f.IsStart == 0) return;
  Add(s, f.Combo7, {Entry(134), Entry(135), Entry(136)});
  Add(s, f.Combo8, {Entry(134), Entry(135), Entry(136)});
  for (int entry : {129, 128, 127}) {
    f.Combo5.AddItem(s.Lang(entry));
    f.Combo6.AddItem(s.Lang(entry));
  }
  if (s.DriverBuild > 6100) {
    f.Combo5.AddItem(s.Lang(130));
    f.Combo6.AddItem(s.Lang(130));
  }
  Add(s, f.Combo12, {Entry(137), Entry(146), Entry(145)});
  for (int n = 0; n <= 9; ++n) f.Combo13.AddItem(IntToText(n));
  Add(s, f.Combo10, {Entry(145), Entry(159), Entry(160)});
  for (int n = 1; n <= 9; ++n) f.Combo11.AddItem(IntToText(n));
  Add(s, f.Combo9, {Entry(161), Fixed("16-bit"), Fixed("32-bit")});
  for (const char* size : kResolutions) f.Combo14.AddItem(size);
  f.Combo15.AddItem(s.Lang(180));
  for (const char* version : kOpenGLVersions) f.Combo15.AddItem(version);
  const int emulations = s.DriverBuild > 6000 ? static_cast<int>(std::size(kEmulationList)) : kOldEmulationCount;
  for (int i = 0; i < emulations; ++i) f.Combo16.AddItem(TextOf(s, kEmulationList[i]));
  Add(s, f.Combo18, {Entry(145), Fixed("Multisampling"), Fixed("Supersampling")});
  Add(s, f.Combo19, {Entry(145), Fixed("Multisampling"), Fixed("Supersampling")});
}

std::span<const char* const> OpenGLVersionTexts() { return kOpenGLVersions; }

void FillAntialiasingModes(SeState& s, Form1& f) {
  const std::string kept1 = f.Combo1.Text();
  const std::string kept2 = f.Combo2.Text();
  const std::string kept3 = f.Combo3.Text();
  const std::string kept4 = f.Combo4.Text();
  for (ui::ComboBox* combo : {&f.Combo1, &f.Combo2, &f.Combo3, &f.Combo4}) RemoveItemsKeepText(*combo);

  const bool above5000 = s.DriverBuild > 5000;
  const bool above6000 = s.DriverBuild > 6000;
  if (above5000) {
    f.Combo1.AddItem(s.Lang(145));
    f.Combo3.AddItem(s.Lang(145));
  }

  const std::int32_t af = AnisotropyLimit(s);
  if (af == 0 || af == 2 || af == 8 || af == 16) {
    // Each item first to Combo2, then to Combo4, where that page's driver
    // value holds it.
    auto both = [&](const std::string& item) {
      const AnisoChoice* row = FindAnisoChoice(s, item);
      if (!row || OpenGLStores(s, row->ogl_page, true)) f.Combo2.AddItem(item);
      if (!row || D3DStores(s, row->d3d_page.code)) f.Combo4.AddItem(item);
    };
    both(s.Lang(137));
    if (af != 0) {
      if (above5000) f.Combo2.AddItem(s.Lang(135));
      if (D3DStores(s, 10)) f.Combo4.AddItem(s.Lang(135));
      both("2x");
    }
    if (af >= 8) {
      both("4x");
      both("8x");
    }
    if (af == 16) both("16x");
  }

  const std::string aa = AntialiasingClass(s);
  auto d3d = [&](std::initializer_list<Shown> items) {
    for (Shown item : items)
      if (D3DStoresMode(s, TextOf(s, item))) f.Combo3.AddItem(TextOf(s, item));
  };
  auto ogl = [&](std::initializer_list<Shown> items) {
    for (Shown item : items)
      if (OpenGLStoresMode(s, TextOf(s, item))) f.Combo1.AddItem(TextOf(s, item));
  };
  auto both = [&](std::initializer_list<Shown> items) {
    d3d(items);
    ogl(items);
  };
  if (aa == "0") {
    both({Entry(137)});
  } else if (aa == "4") {
    both({Entry(137), Fixed("2x"), Fixed("4x")});
  } else if (aa == "q") {
    both({Entry(137), Fixed("2x"), Fixed("Quincunx"), Fixed("4x")});
  } else if (aa == "8" && s.SliAAFlag == 1) {
    both({Entry(137), Fixed("SLI 4x"), Fixed("SLI 4xQ"), Fixed("SLI 8x"), Fixed("SLI 8xG"), Fixed("SLI 8xS"),
          Fixed("SLI 12xS"), Fixed("SLI 16x"), Fixed("SLI 32x")});
  } else if (aa == "8") {
    both({Entry(137), Fixed("2x"), Fixed("Quincunx"), Fixed("4x")});
    // Direct3D offers the larger modes with every build, OpenGL above 5000.
    d3d({Fixed("4x 9-tap"), Fixed("4xS"), Fixed("6xS"), Fixed("8xS"), Fixed("8x")});
    if (above5000) ogl({Fixed("4x 9-tap"), Fixed("4xS"), Fixed("6xS"), Fixed("8xS"), Fixed("8x")});
    if (above6000) both({Fixed("16x")});
  }

  f.Combo1.SetText(kept1);
  f.Combo2.SetText(kept2);
  f.Combo3.SetText(kept3);
  f.Combo4.SetText(kept4);

  EnableTransparencyAntialiasing(s, f, s.AAModeText);
}

void EnableTransparencyAntialiasing(SeState& s, Form1& f, const std::string& mode) {
  // The driver keeps both flags in the shared mode value of build 5000 and
  // later, and only beside a mode: the automatic entry stores 0.
  const AAChoice* row = FindAAChoice(s, mode);
  const bool on = HasTransparencyAntialiasing(s.DeviceId) && s.DriverBuild >= 5000 && row && row->text.entry != 137;
  f.Label5[2].SetEnabled(on);
  f.Combo19.SetEnabled(on);
  f.Check18.SetEnabled(on);
  f.Label23.SetEnabled(on);
  f.Combo18.SetEnabled(on);
  f.Check17.SetEnabled(on);
}

std::string PreviewName(const SeState& s, const std::string& mode) {
  std::string name;
  if (mode == s.Lang(145)) {
    name = "Disabled";
  } else if (const auto paren = mode.find('('); paren != std::string::npos) {
    // "6xS (12x)" gives "6xS"; a "(" at the start leaves no name.
    name = paren >= 1 ? mode.substr(0, paren - 1) : std::string();
  } else {
    name = mode;
  }
  // The name becomes part of a path: nothing that could leave the folder.
  if (name.find_first_of("\\/:") != std::string::npos || name.find("..") != std::string::npos) return "";
  return name;
}

void ShowAntialiasingPreview(SeState& s, Form1& f) {
  const std::string mode = f.Combo3.Text();
  const std::string folder = s.DataPath("\\data\\aa\\") + (f.Option3[1].Value() ? "2" : "1") + "\\";
  auto show = [&](ui::Image& image, const std::string& file) {
    // A picture that is missing, unreadable or no picture the system's
    // loader reads leaves the image showing what it showed, not blank.
    std::string bytes;
    if (s.platform.files().ReadFile(folder + file, &bytes) && platform::IsPictureFile(bytes)) image.LoadPicture(folder + file);
  };
  show(f.Image2, "auto.jpg");
  if (mode == s.Lang(137)) {
    show(f.Image3, "auto.jpg");
    return;
  }
  const std::string name = PreviewName(s, mode);
  if (!name.empty()) show(f.Image3, name + ".jpg");
}

}  // namespace ks
