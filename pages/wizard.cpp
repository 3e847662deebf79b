// The performance wizard's work: the application index, the profiles and
// the optimisation.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>

#include "common/datafile.h"
#include "common/numbers.h"
#include "common/paths.h"
#include "pages/Form4.h"
#include "pages/wizard_tables.h"
#include "shell/Form1.h"

namespace ks {

namespace {

// The number of floors at or below v: the level or class of v.
template <class Floors, class V>
int Bucket(const Floors& floors, V v) {
  int level = 0;
  for (auto floor : floors)
    if (v >= floor) ++level;
  return level;
}

// Rounds half to even, as every sum of the optimisation is rounded.
double Round(double v) { return std::nearbyint(v); }

std::size_t Row(std::int64_t level, std::size_t rows) {
  return static_cast<std::size_t>(std::clamp<std::int64_t>(level, 0, static_cast<std::int64_t>(rows) - 1));
}

// VB-style Mid$: at most `count` characters from 0-based `from`, "" past the end.
std::string Mid(const std::string& text, std::size_t from, std::size_t count) {
  return from < text.size() ? text.substr(from, count) : std::string();
}

}  // namespace

std::int32_t CpuClass(std::int32_t mhz) { return Bucket(wizard::kCpuClassFloors, mhz); }

std::string WizardCardKey(const std::string& device_id) {
  if (device_id.compare(0, 3, "00F") == 0) {
    std::string key = Mid(device_id, 2, 2);
    for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return key;
  }
  return Mid(device_id, 1, 2);
}

bool Form4::LoadWizardIndex() {
  std::string bytes;
  if (!st_.platform.files().ReadFile(st_.DataPath("\\DATA\\PW\\index.dat"), &bytes)) return false;
  FieldReader reader(std::move(bytes));
  while (!reader.AtEnd()) Combo1.AddItem(reader.Next());
  return true;
}

void Form4::LoadWizardProfile() {
  MHZvarX = CpuClass(st_.CpuMhz);
  // Every read starts from nothing, so a missing profile cannot lend this
  // application the numbers of the one read before.
  MHZvar = CardVar = AAvar = AFvar = 0;

  const std::string application = Combo1.Text();
  const std::string card = WizardCardKey(st_.DeviceId);
  // The application is typed text: a name that could leave the wizard's
  // folder or name a device reads nothing.
  if (!IsPlainFileName(application) || !IsPlainFileName(card)) return;
  std::string bytes;
  if (!st_.platform.files().ReadFile(st_.DataPath("\\DATA\\PW\\" + application + "\\" + card + ".dat"), &bytes))
    return;
  FieldReader reader(std::move(bytes));
  for (std::int32_t* number : {&MHZvar, &CardVar, &AAvar, &AFvar}) {
    if (reader.AtEnd()) return;
    const std::optional<std::int32_t> value = TextToInt32(reader.Next());
    if (!value) return;  // the items before it keep their values
    *number = *value;
  }
}

void Form4::Write(bool d3d, std::int16_t code, std::int32_t value) {
  const auto& writer = d3d ? WriteD3D : WriteOGL;
  if (writer) writer(code, value);
}

void Form4::Optimize() {
  const int bar1 = FlatScrollBar1.Value();
  const int bar2 = FlatScrollBar2.Value();
  const int bar3 = FlatScrollBar3.Value();
  LoadWizardProfile();
  const bool fine = Check1.Value() == ui::kChecked;
  const std::int64_t slower = wizard::kTopCpuClass - MHZvarX;

  // Antialiasing.
  std::int64_t aa = Bucket(wizard::kAALevelFloors, Round(AAvar / 2.0 * bar1)) - slower;
  if (fine) aa += (bar2 - 3) * 2;
  const wizard::AAWrite& aa_write = wizard::kAAWrites[Row(aa, wizard::kAAWrites.size())];
  Write(true, aa_write.d3d);
  if (aa_write.ogl != wizard::kNoCode) Write(false, aa_write.ogl);

  // Anisotropic filtering.
  std::int64_t af = Bucket(wizard::kAFLevelFloors, static_cast<std::int64_t>(AFvar) * bar1) - slower;
  if (fine) af += (bar3 - 3) * 2;
  Write(true, wizard::kAFWrites[Row(af, wizard::kAFWrites.size())]);

  // Image setting.
  const double q = Round(bar1 / 2.0 - 2) + Round(CardVar / 7.0 + MHZvarX / 5.0);
  const wizard::ImageWrite& image = wizard::kImageWrites[Row(static_cast<std::int64_t>(q), wizard::kImageWrites.size())];
  Write(true, image.d3d);
  Write(false, image.ogl);

  // OpenGL trilinear optimisation value.
  if (fine) {
    const std::int32_t p = std::clamp((5 - bar3) * 7 - bar1, 0, wizard::kMaxTrilinearValue);
    Write(false, wizard::kOglTrilinearValue, p);
  } else {
    Write(false, wizard::kOglTrilinearDelete);
  }

  // Texture LOD bias. A sum out of range (a damaged profile) leaves the
  // value as it was, as a failed step does.
  std::int32_t r = 0;
  if (const auto v = ToInt32((CardVar / 5.0 + 1) * (7 - bar1))) r = *v;
  if (fine) {
    if (const auto v = ToInt32(AAvar / 2.0 * (2 - bar3) + r)) r = *v;
  }
  Write(false, wizard::kOglLodBias, r);
  Write(true, wizard::kD3DLodBias, r);

  // Texture optimisations; bar 3 counts with or without Fine Adjust.
  for (const wizard::TextureOptimization& t : wizard::kTextureOptimizations)
    Write(true, bar1 >= t.bar1_from || bar3 >= t.bar3_from ? t.met : t.otherwise);

  // The pages show what the driver holds now.
  main_.RefreshPages();
  Command1.SetEnabled(false);
}

}  // namespace ks
