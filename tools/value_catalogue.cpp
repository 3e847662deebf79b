#include "tools/value_catalogue.h"

#include <algorithm>
#include <map>
#include <span>

#include "common/datafile.h"
#include "platform/names.h"
#include "engine/d3d.h"
#include "engine/ogl.h"
#include "hardware/cpl_flags.h"
#include "pages/setting_lists.h"
#include "pages/tweak_handlers.h"

namespace ks {
namespace {

struct Description {
  const DriverValue* value;
  const char* text;
};

namespace c = d3d_classic;
namespace d = d3d;
namespace o = ogl;

// Shown by the registry editor for the selected value. Every value the
// writers can reach needs one (a test holds the writers and this table
// together); no double quote inside, as the file format cannot carry one.
constexpr const char* kUnnamedSwitch =
    "Direct3D driver switch without a page of its own; the listed values are the two states the program writes.";
constexpr Description kDescriptions[] = {
    {&c::kAAEnable, "Direct3D full-scene antialiasing: 1 on, 0 off."},
    {&c::kAAQuality, "Direct3D antialiasing quality: 1 for 2x, 3 for 4x, 0 with antialiasing off."},
    {&c::kAAForceEnable, "Forces antialiasing on applications that do not ask for it: 4 forced, 0 left to the application."},
    {&c::kAnisoLevel, "Direct3D anisotropic filtering: 0 none, 1 bilinear, 2, 4 or 8 the degree of anisotropy."},
    {&c::kZCompress, "Z-buffer compression, lossless and saving memory bandwidth: 1 on, 0 off."},
    {&c::kVideoTexture, "Textures from video memory for video playback: 1 on, 0 off."},
    {&c::kLodBias, "Direct3D texture level of detail bias of these drivers: 0 sharp, higher values smoother and faster, up to 10; the LOD bias slider runs from 0 to 10 here."},
    {&c::kZ24, "24-bit Z-buffer with 16-bit colour: 1 on, 0 off."},
    {&c::kUserMipmaps, "Mipmaps made by the application itself: 1 used, 0 ignored."},
    {&c::kFogTable, "Fog-table emulation: 1 on, 0 off (faster on old chips, may show artefacts)."},
    {&d::kAAMode, "Antialiasing mode shared by Direct3D and OpenGL: 0 off, 268435456 plus the mode number, plus 1048576 for gamma-correct antialiasing and 65536 (multisampling) or 1073741824 (supersampling) for transparency antialiasing."},
    {&d::kAAModeOld, "Direct3D antialiasing mode of older drivers: 0 off, 1 to 10 the modes."},
    {&d::kAAControl, "Direct3D antialiasing control of older drivers: lets them take the antialiasing mode."},
    {&d::kSliAA, "SLI antialiasing: the two values switch it off and on."},
    {&d::kAniso, "Anisotropic filtering shared by Direct3D and OpenGL: 1 left to the application, 268435456 plus the degree."},
    {&d::kAnisoOld, "Direct3D anisotropic filtering level of older drivers."},
    {&d::kForceMipmaps, "Force mipmaps: 0 none, 1 bilinear, 2 trilinear."},
    {&d::kLodBias, "Direct3D texture level of detail bias: 0 default, higher values smoother and faster."},
    {&d::kPrerender, "Prerender limit: the number of frames prepared ahead of the graphics processor."},
    {&d::kMaxTextures, "Highest number of textures per pass the driver reports (multitexturing override)."},
    {&d::kNegativeLod, "Negative level of detail bias: 0 allowed, 1 clamped to zero."},
    {&d::kPsVersion, "Pixel shader version the driver reports: -65536 plus the major and minor version."},
    {&d::kVsVersion, "Vertex shader version the driver reports: -131072 plus the major and minor version."},
    {&d::kZCompress, "Z-buffer compression: the two values switch it off and on."},
    {&d::kVideoTextureOld, "Textures from video memory for video playback, older drivers: the two values switch it off and on."},
    {&d::kVideoTexture, "Textures from video memory for video playback: the two values switch it off and on."},
    {&d::kMipFiltering, "Mipmap filtering: the two values switch it off and on."},
    {&d::kVSync, "Vertical synchronization: always on, left to the application, or always off."},
    {&d::kQuality, "Direct3D image settings: 20 high performance, 10 performance, 0 quality, -10 high quality."},
    {&d::kLowMipLevel, "Force textures to the low mipmap level: 1 on, 0 off."},
    {&d::kTrilinearOpt, "Direct3D trilinear optimization: 0 on, 1 off."},
    {&d::kAnisoMipOpt, "Direct3D anisotropic mip filter optimization: 1 on, 0 off."},
    {&d::kAnisoSampleOpt, "Direct3D anisotropic sample optimization: 1 on, 0 off."},
    {&d::kFogTable, "Fog-table emulation: the two values switch it on and off."},
    {&d::k42935363, "Direct3D texture handling, first of three values written together."},
    {&d::k62225341, "Direct3D texture handling, second of three values written together."},
    {&d::k64907714, "Direct3D texture handling, third of three values written together."},
    {&d::kA2103837, "Direct3D texture memory setting written with the texture handling values."},
    {&d::kA4176590, "Direct3D texture memory setting written with the texture handling values."},
    {&d::k40283424, kUnnamedSwitch},
    {&d::k19521893, kUnnamedSwitch},
    {&d::k37210571, kUnnamedSwitch},
    {&d::k48484658, kUnnamedSwitch},
    {&d::k44013233, kUnnamedSwitch},
    {&d::k20071974, kUnnamedSwitch},
    {&d::k26771978, kUnnamedSwitch},
    {&d::k35173345, "Direct3D driver switch without a page of its own; deleting the value switches it off."},
    {&o::kFsaaMode, "OpenGL full-scene antialiasing mode of older drivers: 0 off, 1 to 7 the modes."},
    {&o::kForceMultiTexture, "OpenGL forced multitexturing: 1 on, 0 off."},
    {&o::kS3tcQuality, "S3TC texture compression and DXT1 dithering: 0 to 3."},
    {&o::kEnableTripleBuffer, "OpenGL triple buffering of older drivers: 1 on, 0 off."},
    {&o::kTripleBuffer, "OpenGL triple buffering: 1 on, 0 off."},
    {&o::kForce16BitZ, "Forces a 16-bit Z-buffer in OpenGL: 1 on, 0 off."},
    {&o::kTexLodBias, "OpenGL texture level of detail bias: negative values sharper, positive values smoother."},
    {&o::kRenderQualityFlags, "OpenGL default texture colour depth: 0 as the desktop, 4 16-bit, 8 32-bit; on Windows 9x/Me also plus 2 with anisotropic filtering on and plus 1 with bit 0 set."},
    {&o::kTexSharpen, "OpenGL texture sharpening: 1 on, 0 off."},
    {&o::kSwapInterval, "OpenGL vertical synchronization: -1 always off, 0 left to the application, 1 always on."},
    {&o::kSingleBackDepth, "Single back and depth buffer in OpenGL: 1 on, 0 off."},
    {&o::kMaxNvAccel, "OpenGL hardware acceleration level used by the emulation modes."},
    {&o::kNv20Emulate, "Emulates the NV20 chip family in OpenGL: 1 on, 0 off."},
    {&o::kNv25Emulate, "Emulates the NV25 chip family in OpenGL: 1 on, 0 off."},
    {&o::kNv30Emulate, "Emulates the NV30 chip family in OpenGL: 1 on, 0 off."},
    {&o::kNvEmulate, "OpenGL emulation mode of newer drivers: the emulated chip, 0 none."},
    {&o::kAnisoQuality, "OpenGL anisotropic filtering quality: 1 on, 0 off."},
    {&o::kNv15Alines, "Antialiased lines in OpenGL: 1 on, 0 off."},
    {&o::kQuality, "OpenGL image settings: 20 high performance, 10 performance, 0 quality, -10 high quality."},
    {&o::kTrilinearQuality, "OpenGL trilinear filtering quality; deleting the value leaves it to the image settings."},
    {&o::kCompression, "OpenGL texture compression: the values leave it off, to the application, or force it on."},
    {&o::kMaxFrames, "OpenGL prerender limit: the number of frames prepared ahead, 1 to 9."},
    {&o::kForceGenericCpu, "Enhanced CPU instruction sets in OpenGL: 0 used, 1 the generic CPU path only."},
    {&o::kVersionOverride, "OpenGL version the driver reports: the version text as character codes, first in the lowest byte."},
    {&o::kTrilinearOpt, "OpenGL trilinear optimization: the two values switch it off and on."},
    {&o::kAnisoMipOpt, "OpenGL anisotropic mip filter optimization: 1 on, 0 off."},
    {&o::kAnisoSampleOpt, "OpenGL anisotropic sample optimization: the two values switch it off and on."},
    {&o::kDefaultLogAniso, "OpenGL anisotropic filtering of older drivers: the base-2 logarithm of the degree, 0 off."},
};

// The driver control panel's own values under the NVTweak key, by the
// value name of their control-panel flag row.
struct SystemDescription {
  const char* name;
  const char* text;
};
constexpr SystemDescription kSystemDescriptions[] = {
    {"CoolBits", "Shows the clock frequencies page of the driver control panel: 3 or -1 on, 0 off."},
    {"NvCplEnableAGPSettingsPage", "Shows the AGP settings page of the driver control panel: 1 on, 0 off."},
    {"NvCplEnableAdditionalInfoPage", "Shows the additional information page of the driver control panel: 1 on, 0 off."},
    {"NvCplEnableTroubleshootingPage", "Shows the troubleshooting page of the driver control panel: 1 on, 0 off."},
    {"NvCplEnableAppProfilePage", "Shows the application profile page of the driver control panel: 1 on, 0 off."},
    {"TwinViewCapsOverride", "Treats the card as nView capable: 1 on, 0 off."},
    {"NvCplEnableOverlaySpanControl", "Shows the overlay control in span mode: 1 on, 0 off."},
    {"NvCplDisableRefreshRatePage", "Hides the Direct3D refresh rate page of the driver control panel: 1 hidden, 0 shown."},
};

const char* DescriptionOf(const DriverValue* value) {
  for (const Description& row : kDescriptions)
    if (row.value == value) return row.text;
  return "?";
}

const char* SystemDescriptionOf(const std::string& name) {
  for (const SystemDescription& row : kSystemDescriptions)
    if (name == row.name) return row.text;
  return "?";
}

std::vector<std::int32_t> Range(std::int32_t low, std::int32_t high) {
  std::vector<std::int32_t> numbers;
  for (std::int32_t n = low; n <= high; ++n) numbers.push_back(n);
  return numbers;
}

// Where a writer stores the number its caller hands it (or, for the
// textures, the multitexturing slider's position), the numbers the page's
// control can hand it. Without them the editor would offer nothing but 0.
struct Offered {
  const DriverValue* value;
  std::vector<std::int32_t> (*numbers)();
};
constexpr Offered kOffered[] = {
    {&d::kLodBias, [] { return Range(-24, 24); }},      // the texture LOD slider
    {&c::kLodBias, [] { return Range(0, kClassicLodBiasTop); }},  // the same slider on a classic driver
    {&d::kPrerender, [] { return Range(0, 9); }},       // the prerender list, "0" to "9"
    {&d::kMaxTextures, [] { return Range(1, 16); }},    // the slider below its top, override on
    {&d::kNegativeLod, [] { return Range(0, 1); }},     // a check box
    {&o::kNvEmulate,  // the emulation list, from build 6000
     [] { return std::vector<std::int32_t>(EmulationIds().begin(), EmulationIds().end()); }},
    {&o::kTexLodBias, [] { return Range(-48, 48); }},   // the texture LOD slider
    {&o::kTrilinearQuality, [] { return Range(1, 31); }},  // the trilinear slider
    {&o::kMaxFrames, [] { return Range(1, 9); }},       // the prerender list, "1" to "9"
    {&o::kVersionOverride,
     [] {
       std::vector<std::int32_t> numbers;
       for (const char* version : OpenGLVersionTexts()) numbers.push_back(OpenGLVersionValue(version));
       return numbers;
     }},
};

// Whether a row can run at `build` on some machine (OS class, Direct3D
// runtime and value argument are left open).
bool RowCanRun(When when, std::int32_t build) {
  switch (when) {
    case When::kBuildBelow5000: return build < 5000;
    case When::kBuildFrom5000: return build >= 5000;
    case When::kBuildBelow4230: return build < 4230;
    case When::kBuildUpTo7700: return build <= 7700;
    default: return true;
  }
}

// The database spelling of a value: what the editor's location table turns
// back into the writers' name and key.
std::string DatabaseName(const DriverValue& value) {
  switch (value.home) {
    case ValueHome::kDirect3D: return std::string("D3D_") + value.name;
    case ValueHome::kOpenGL: return std::string(kOpenGLPrefix) + value.name;
    default: return value.name;
  }
}

class Collector {
 public:
  explicit Collector(std::int32_t build) : build_(build), levels_(AnisoLevels(build)) {}

  // After the walk: a record that a caller's number reaches lists every
  // number the page's control offers and the fixed numbers of the other
  // steps, in ascending order.
  void AddOffered() {
    for (size_t i = 0; i < records_.size(); ++i) {
      if (!takes_number_[i]) continue;
      for (const Offered& row : kOffered) {
        if (row.value != values_[i]) continue;
        DatabaseRecord& record = records_[i];
        const DatabaseRecord fixed = record;
        record.values = {};
        record.value_count = 0;
        for (std::int32_t n : row.numbers()) AddValue(record, n);
        for (int k = 0; k < fixed.value_count; ++k) AddValue(record, fixed.values[k]);
        std::sort(record.values.begin(), record.values.begin() + record.value_count);
      }
    }
  }

  void Walk(std::span<const SettingRow> table, bool want_d3d) {
    for (const SettingRow& row : table) {
      if (!RowCanRun(row.when, build_)) continue;
      for (const Step& step : row.steps) {
        if (step.op == Op::kEnd) break;
        if (!step.value) continue;
        const bool is_d3d = step.value->home == ValueHome::kDirect3D;
        // The OpenGL debug key lies outside the driver key: neither the
        // editor nor a preset can address it.
        if (step.value->home == ValueHome::kOpenGLDebug || is_d3d != want_d3d) continue;
        DatabaseRecord& record = Find(*step.value);
        if (step.op == Op::kWriteArg || step.op == Op::kWriteArgUpTo || step.op == Op::kWriteMaxTextures)
          takes_number_[IndexOf(record)] = true;
        switch (step.op) {
          case Op::kWrite:
          case Op::kWriteDepth:  // the depth alone, as written over a value without other flags
            AddValue(record, static_cast<std::int32_t>(step.number));
            break;
          case Op::kWriteAAMode: {
            const auto mode = static_cast<std::int32_t>(0x10000000u + step.number);
            AddValue(record, mode);
            auto& modes = aa_modes_[IndexOf(record)];
            if (std::find(modes.begin(), modes.end(), mode) == modes.end()) modes.push_back(mode);
            break;
          }
          case Op::kWriteAnisoLevel: AddValue(record, levels_.at(step.number)); break;
          default: break;
        }
      }
    }
  }

  // The antialiasing modes go out with the flags of the gamma box and the
  // transparency list added (AAFlagWord): after the modes alone, each mode
  // with each combination of the flags.
  void AddAAFlags() {
    static constexpr std::int32_t kFlagWords[] = {kAAGammaFlag,
                                                  kAATranspMultiFlag,
                                                  kAAGammaFlag + kAATranspMultiFlag,
                                                  kAATranspSuperFlag,
                                                  kAAGammaFlag + kAATranspSuperFlag};
    for (auto& [record, modes] : aa_modes_)
      for (std::int32_t flags : kFlagWords)
        for (std::int32_t mode : modes) AddValue(records_[record], mode + flags);
  }

  // On Windows 9x/Me the OpenGL anisotropy and codes 8 and 9 change single
  // bits of "RenderQualityFlags" and the colour depth its bits 2-3: the
  // record lists every number a sequence of these choices leaves, from a
  // value not yet set.
  void CloseRenderQuality() {
    for (size_t i = 0; i < records_.size(); ++i) {
      if (values_[i] != &o::kRenderQualityFlags) continue;
      DatabaseRecord& record = records_[i];
      std::vector<std::int32_t> depths;
      for (int k = 0; k < record.value_count; ++k) depths.push_back(record.values[k] & kRenderQualityDepthBits);
      AddValue(record, 0);
      for (int k = 0; k < record.value_count; ++k) {
        const std::int32_t v = record.values[k];
        for (std::int16_t code : {4, 5, 8, 9})
          if (auto changed = ChangedRenderQuality(code, v)) AddValue(record, *changed);
        for (std::int32_t depth : depths) AddValue(record, (v & ~kRenderQualityDepthBits) | depth);
      }
    }
  }

  std::vector<DatabaseRecord> Take() { return std::move(records_); }

 private:
  DatabaseRecord& Find(const DriverValue& value) {
    const std::string name = DatabaseName(value);
    for (DatabaseRecord& record : records_)
      if (SameTextIgnoringCase(record.name, name)) return record;
    DatabaseRecord record;
    record.name = name;
    record.description = DescriptionOf(&value);
    records_.push_back(record);
    values_.push_back(&value);
    takes_number_.push_back(false);
    return records_.back();
  }
  size_t IndexOf(const DatabaseRecord& record) const { return static_cast<size_t>(&record - records_.data()); }
  static void AddValue(DatabaseRecord& record, std::int32_t v) {
    for (int i = 0; i < record.value_count; ++i)
      if (record.values[i] == v) return;
    if (record.value_count >= kValueSlots) return;
    record.values[record.value_count++] = v;
  }

  std::int32_t build_;
  std::array<std::int32_t, 6> levels_;
  std::vector<DatabaseRecord> records_;
  std::vector<const DriverValue*> values_;  // the first value met of each record
  std::vector<bool> takes_number_;          // a step stores a caller's number in it
  std::map<size_t, std::vector<std::int32_t>> aa_modes_;  // record: the modes written to it
};

}  // namespace

std::vector<std::int32_t> CatalogueBuilds(int page) {
  switch (page) {
    // The classic names end after 2280; the anisotropy levels change their
    // encoding at 4103; the old video texture value ends at 4230; the
    // shared antialiasing and anisotropy values start at 5000.
    case kPageDirect3D: return {0, kClassicBuildLimit + 1, 4103, 4230, 5000};
    // Antialiasing and anisotropy move to the shared values at 5000; the
    // old triple buffering value ends after 7700.
    case kPageOpenGL: return {0, 5000, 7701};
    default: return {0};
  }
}

std::vector<DatabaseRecord> CatalogueRecords(int page, std::int32_t build) {
  if (page == kPageSystem) {
    std::vector<DatabaseRecord> records;
    for (const CplFlagRow& row : CplFlagRows()) {
      DatabaseRecord record;
      record.name = row.value;
      record.description = SystemDescriptionOf(row.value);
      for (std::int32_t n : row.writes)
        if (record.value_count < kValueSlots) record.values[record.value_count++] = n;
      records.push_back(record);
    }
    return records;
  }
  Collector collector(build);
  if (page == kPageDirect3D) {
    if (build <= kClassicBuildLimit) collector.Walk(D3DClassicTable(), true);
    collector.Walk(D3DNumberedTable(), true);
  } else {
    collector.Walk(OGLMainTable(), false);
    collector.Walk(OGLNtAnisoTable(), false);
    collector.CloseRenderQuality();
  }
  collector.AddOffered();
  collector.AddAAFlags();
  return collector.Take();
}

std::string CatalogueFileName(int page, std::int32_t build) {
  std::string digits = std::to_string(build);
  while (digits.size() < 4) digits.insert(digits.begin(), '0');
  return digits + DatabaseKind(page);
}

std::string WriteDatabaseFile(const std::vector<DatabaseRecord>& records) {
  FieldWriter out;
  for (const DatabaseRecord& record : records) {
    out.Text(record.name).Text(record.description);
    for (int i = 0; i < std::min(record.value_count, kValueSlots); ++i) out.Number(record.values[i]);
    out.Text("x").EndLine();
  }
  return out.bytes();
}

}  // namespace ks
