// The shipped value database against the setting writers: the files in
// data/Database are exactly what the writers' tables give, every value
// either writer (or a control-panel flag box) can write or delete on a
// build is a record of that build's file, at the registry location the
// writer uses, and a value that takes the caller's number lists the numbers
// its page's control can write.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/d3d.h"
#include "engine/ogl.h"
#include "hardware/Clocks.h"
#include "hardware/cpl_flags.h"
#include "native/reader_rig.h"
#include "native/repo_data.h"
#include "pages/override_pages.h"
#include "pages/setting_lists.h"
#include "platform/fake/machine.h"
#include "shell/Form1.h"
#include "shell/se_state.h"
#include "tools/value_catalogue.h"

namespace ks {
namespace {

constexpr int kPages[] = {kPageDirect3D, kPageOpenGL, kPageSystem};

std::string Fold(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::vector<std::string> ShippedFiles() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(std::string(KS_DATA_DIR) + "/Database"))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(ValueDatabase, ShippedFilesAreTheWritersTables) {
  std::vector<std::string> expected;
  for (int page : kPages) {
    for (std::int32_t build : CatalogueBuilds(page)) {
      const std::string name = CatalogueFileName(page, build);
      SCOPED_TRACE(name);
      expected.push_back(name + ".dat");
      EXPECT_EQ(test::ReadRepoData("Database/" + name + ".dat"), WriteDatabaseFile(CatalogueRecords(page, build)))
          << "run scripts/make_value_database.sh";
    }
  }
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(ShippedFiles(), expected);
}

TEST(ValueDatabase, RecordInvariants) {
  for (int page : kPages) {
    for (std::int32_t build : CatalogueBuilds(page)) {
      SCOPED_TRACE(CatalogueFileName(page, build));
      const std::string bytes = WriteDatabaseFile(CatalogueRecords(page, build));
      DatabaseContents read = ReadDatabase(bytes, kEditorEntries);
      const auto records = CatalogueRecords(page, build);
      ASSERT_EQ(read.records.size(), records.size()) << "every record reads back";
      EXPECT_LE(records.size(), static_cast<size_t>(kPresetEntries)) << "a preset's tables hold them all";
      std::set<std::string> names;
      for (size_t i = 0; i < records.size(); ++i) {
        const DatabaseRecord& r = records[i];
        SCOPED_TRACE(r.name);
        EXPECT_TRUE(names.insert(Fold(r.name)).second) << "names are unique";
        EXPECT_FALSE(ShortName(r.name).empty());
        EXPECT_NE(r.description, "?") << "every value has a description";
        EXPECT_EQ(r.description.find('"'), std::string::npos);
        EXPECT_EQ(r.name.find('"'), std::string::npos);
        EXPECT_LE(r.value_count, kValueSlots);
        EXPECT_EQ(read.records[i].name, r.name);
        EXPECT_EQ(read.records[i].description, r.description);
        EXPECT_EQ(read.records[i].values, r.values);
      }
    }
  }
}

class NoControls : public SettingControls {
 public:
  void SetControlText(WriterControl, const std::string&) override {}
};

// (key, value name), folded, under the driver key, that the writers touched.
using Touched = std::set<std::pair<std::string, std::string>>;
// The same with the numbers written there.
using Numbers = std::map<std::pair<std::string, std::string>, std::set<std::int32_t>>;

std::int32_t NumberOf(const std::string& bytes) {
  std::uint32_t n = 0;
  for (size_t i = 0; i < bytes.size() && i < 4; ++i) n |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
  return static_cast<std::int32_t>(n);
}

struct WriterRun {
  Touched d3d, ogl;
  Numbers sys;  // under the NVTweak key
};

WriterRun RunWriters(std::int16_t os, std::int32_t build, std::int32_t runtime) {
  fake::FakeMachine m;
  SeState s(m);
  s.OsClass = os;
  s.DriverBuild = build;
  s.D3DRuntimeBuild = runtime;
  s.DriverKey = "SYSTEM\\DK";
  s.MaxTextures = 4;
  NoControls controls;
  WriterRun run;
  auto collect = [&](Touched* into) {
    for (const auto& call : m.reg.log()) {
      if (call.op != "RegSetValueExA" && call.op != "RegDeleteValueA") continue;
      // Only values under the driver key: the OpenGL debug key lies outside
      // what the editor and the presets address.
      const std::string prefix = "hkey_local_machine\\system\\dk";
      const std::string path = Fold(call.path);
      if (path.compare(0, prefix.size(), prefix) != 0) continue;
      into->insert({path.substr(std::string("hkey_local_machine\\").size()), Fold(call.name)});
    }
    m.reg.ClearLog();
  };
  for (std::int16_t code = 0; code <= kLastD3DCode; ++code) {
    for (std::int32_t value : {0, 1, 5}) {
      m.reg.PutDword("HKLM\\SYSTEM\\DK\\NVidia\\OpenGL", "RenderQualityFlags", 12);
      WriteD3DSetting(s, controls, code, value);
      collect(&run.d3d);
    }
  }
  for (std::int16_t code = 0; code <= kLastOGLCode; ++code) {
    for (std::int32_t value : {0, 1, 5}) {
      m.reg.PutDword("HKLM\\SYSTEM\\DK\\NVidia\\OpenGL", "RenderQualityFlags", 12);
      WriteOGLSetting(s, controls, code, value);
      collect(&run.ogl);
    }
  }
  // The control-panel flag boxes, ticked and cleared, and the clock
  // procedures' CoolBits. Only the NVTweak key itself counts: the AGP value
  // that Windows 9x/Me keeps under the card's hardware key lies outside
  // what the editor and the presets address.
  s.NvTweakHwKey = "Software\\NVIDIA Corporation\\Global\\NVTweak\\Hardware";
  Form1 form(s);
  form.IsStart = 0;
  m.reg.ClearLog();
  for (const CplFlagRow& row : CplFlagRows()) {
    form.Check7[row.box].SetValue(ui::kChecked);
    form.Check7[row.box].SetValue(ui::kUnchecked);
  }
  WriteCoolBits(s);
  for (const auto& call : m.reg.log()) {
    if (call.op != "RegSetValueExA" && call.op != "RegDeleteValueA") continue;
    const std::string path = Fold(call.path);
    if (path != Fold(std::string("HKEY_LOCAL_MACHINE\\") + kSystemPageKey)) continue;
    auto& numbers = run.sys[{path.substr(std::string("hkey_local_machine\\").size()), Fold(call.name)}];
    if (call.op == "RegSetValueExA") numbers.insert(NumberOf(call.bytes));
  }
  return run;
}

// The (key, name) pairs the editor addresses for every record of a page's
// file, with the record's values.
Numbers Addressed(int page, std::int16_t os, std::int32_t build, const std::vector<std::string>& listed,
                  const std::string& driver_key = "SYSTEM\\DK") {
  const DatabaseChoice choice = ChooseDatabaseFile(page, build, listed);
  const DatabaseContents contents = ReadDatabase(test::ReadRepoData("Database/" + choice.name + ".dat"), kEditorEntries);
  Numbers out;
  for (const DatabaseRecord& r : contents.records) {
    const EntryLocation where = LocateEntry(page, os, driver_key, r.name);
    out[{Fold(where.key), Fold(where.name)}].insert(r.values.begin(), r.values.begin() + std::min(r.value_count, kValueSlots));
  }
  return out;
}

TEST(ValueDatabase, EveryValueTheWritersReachIsListedForItsBuild) {
  const std::vector<std::string> listed = ShippedFiles();
  // Each file's first build and the last build before the next file, and
  // the builds around the writers' other thresholds.
  std::set<std::int32_t> builds = {1, 2960, 2961, 4040, 4041, 7000, 7001, 9371};
  for (int page : {kPageDirect3D, kPageOpenGL}) {
    const auto starts = CatalogueBuilds(page);
    for (size_t i = 0; i < starts.size(); ++i) {
      if (starts[i] > 0) builds.insert(starts[i]);
      if (starts[i] > 1) builds.insert(starts[i] - 1);
    }
  }
  for (std::int16_t os : {0, 1, 2, 3, 4}) {
    for (std::int32_t build : builds) {
      for (std::int32_t runtime : {800, 900}) {
        SCOPED_TRACE("OsClass " + std::to_string(os) + ", build " + std::to_string(build) + ", runtime " +
                     std::to_string(runtime));
        const WriterRun run = RunWriters(os, build, runtime);
        const Numbers d3d = Addressed(kPageDirect3D, os, build, listed);
        const Numbers ogl = Addressed(kPageOpenGL, os, build, listed);
        const Numbers sys = Addressed(kPageSystem, os, build, listed);
        for (const auto& value : run.d3d)
          EXPECT_TRUE(d3d.count(value)) << "Direct3D writer: " << value.first << " " << value.second;
        // The OpenGL writer hands antialiasing and anisotropy to the Direct3D
        // writer on newer drivers: those values are Direct3D records.
        for (const auto& value : run.ogl)
          EXPECT_TRUE(ogl.count(value) || d3d.count(value)) << "OpenGL writer: " << value.first << " " << value.second;
        EXPECT_FALSE(run.sys.empty());
        for (const auto& [value, numbers] : run.sys) {
          const auto record = sys.find(value);
          if (record == sys.end()) {
            ADD_FAILURE() << "control-panel flag: " << value.first << " " << value.second;
            continue;
          }
          for (std::int32_t n : numbers)
            EXPECT_TRUE(record->second.count(n)) << "control-panel flag " << value.second << " writes " << n;
        }
      }
    }
  }
}

// The database names of the values a writer step stores the caller's
// number in (or the multitexturing slider's), on the NT family.
std::set<std::string> ValuesTakingANumber() {
  std::set<std::string> names;
  auto walk = [&](std::span<const SettingRow> table) {
    for (const SettingRow& row : table)
      for (const Step& step : row.steps) {
        if (!step.value || (step.op != Op::kWriteArg && step.op != Op::kWriteMaxTextures)) continue;
        if (step.value->home == ValueHome::kDirect3D) names.insert(std::string("D3D_") + step.value->name);
        if (step.value->home == ValueHome::kOpenGL) names.insert(std::string("OGL_") + step.value->name);
      }
  };
  walk(D3DNumberedTable());
  walk(OGLMainTable());
  return names;
}

// Every choice of one control, as the page's code would set it: each list
// entry, each slider position, a box ticked and cleared. The numbers
// written to `value` (its name on the NT family) come back.
std::set<std::int32_t> NumbersTheControlWrites(test::ReaderRig& r, ui::Control& control, const std::string& value) {
  r.m.reg.ClearLog();
  if (control.kind() == ui::Kind::kComboBox) {
    auto& combo = static_cast<ui::ComboBox&>(control);
    for (int i = 0; i < combo.ListCount(); ++i) combo.SetListIndex(i);
  } else if (control.kind() == ui::Kind::kFlatScrollBar) {
    auto& bar = static_cast<ui::FlatScrollBar&>(control);
    bar.SetValue(bar.Max());
    for (int v = bar.Min(); v <= bar.Max(); ++v) bar.SetValue(v);
  } else if (control.kind() == ui::Kind::kCheckBox) {
    auto& box = static_cast<ui::CheckBox&>(control);
    box.SetValue(ui::kChecked);
    box.SetValue(ui::kUnchecked);
  }
  std::set<std::int32_t> numbers;
  for (const auto& call : r.m.reg.log())
    if (call.op == "RegSetValueExA" && Fold(call.name) == Fold(value)) numbers.insert(NumberOf(call.bytes));
  return numbers;
}

// Regression: a value the writer stores the caller's number in was listed
// without values ("OGL_MaxFramesAllowed", "D3D_16579523"), so the editor
// offered nothing but 0; later only nine of a list's entries were listed
// (prerender 4 and the emulation ids 1, 25, 34 and 44 were missing).
TEST(ValueDatabase, AValueTakingTheCallersNumberListsWhatItsControlWrites) {
  struct Case {
    const char* record;
    const char* control;
    int index;  // -1: no control array
  };
  const Case cases[] = {
      {"D3D_D3D_88481200", "FlatScrollBar3", -1}, {"D3D_D3D_98764205", "Combo13", -1},
      {"D3D_D3D_59954022", "FlatScrollBar5", -1}, {"D3D_D3D_16579523", "Check4", 5},
      {"OGL_NVEmulate", "Combo16", -1},           {"OGL_TexLODBias", "FlatScrollBar2", 1},
      {"OGL_95282304", "FlatScrollBar2", 0},      {"OGL_MaxFramesAllowed", "Combo11", -1},
      {"OGL_308826", "Combo15", -1},
  };
  std::set<std::string> covered;
  for (const Case& c : cases) covered.insert(c.record);
  EXPECT_EQ(covered, ValuesTakingANumber()) << "every such value has its control here";

  for (const Case& c : cases) {
    SCOPED_TRACE(c.record);
    test::ReaderRig r(3, 7701);
    FillSettingLists(r.st, r.f);
    r.f.IsStart = 0;
    // The multitexturing slider reaches 16 textures with the override on.
    r.m.reg.PutDword("HKCU\\Software\\Kestrelane", "OverrideMultiTexture", 1);
    LoadMultitextureOverride(r.st, r.f);
    ui::Control* control = r.f.Find(c.control, c.index);
    ASSERT_NE(control, nullptr);
    const int page = std::string(c.record).compare(0, 4, "D3D_") == 0 ? kPageDirect3D : kPageOpenGL;
    const std::string value = page == kPageDirect3D ? ShortName(c.record) : c.record;
    const std::set<std::int32_t> written = NumbersTheControlWrites(r, *control, value);
    ASSERT_GE(written.size(), 2u);
    for (std::int32_t build : CatalogueBuilds(page)) {
      SCOPED_TRACE(build);
      const auto records = CatalogueRecords(page, build);
      const auto record = std::find_if(records.begin(), records.end(),
                                       [&](const DatabaseRecord& rec) { return rec.name == c.record; });
      ASSERT_NE(record, records.end());
      const std::set<std::int32_t> listed(record->values.begin(), record->values.begin() + record->value_count);
      for (std::int32_t n : written) EXPECT_TRUE(listed.count(n)) << n << ", which the control writes, is not listed";
      for (std::int32_t n : listed) EXPECT_TRUE(written.count(n)) << n << " is no number the control writes";
    }
  }
}

// One control a sweep goes through: every list entry, both states of a
// box, every slider position.
struct Swept {
  const char* name;
  int index;  // -1: no control array
};

int ChoiceCount(ui::Control& control) {
  switch (control.kind()) {
    case ui::Kind::kComboBox: return static_cast<ui::ComboBox&>(control).ListCount();
    case ui::Kind::kCheckBox: return 2;
    case ui::Kind::kFlatScrollBar: {
      auto& bar = static_cast<ui::FlatScrollBar&>(control);
      return bar.Max() - bar.Min() + 1;
    }
    default: return 0;
  }
}

void Choose(ui::Control& control, int choice) {
  switch (control.kind()) {
    case ui::Kind::kComboBox: static_cast<ui::ComboBox&>(control).SetListIndex(choice); break;
    case ui::Kind::kCheckBox:
      static_cast<ui::CheckBox&>(control).SetValue(choice == 0 ? ui::kChecked : ui::kUnchecked);
      break;
    case ui::Kind::kFlatScrollBar: {
      auto& bar = static_cast<ui::FlatScrollBar&>(control);
      bar.SetValue(bar.Min() + choice);
      break;
    }
    default: break;
  }
}

// Regression: the antialiasing values lacked "8xS" (9 below build 5000,
// 0x10000018 above), "Disabled" (0x10000000) and every mode with the gamma
// and transparency flags; "RenderQualityFlags" lacked 2, the anisotropy bit
// that the OpenGL anisotropy list sets on Windows 9x/Me.
TEST(ValueDatabase, EveryNumberThePagesControlsWriteIsListed) {
  struct Case {
    const char* name;
    std::int16_t os;
    std::int32_t build;
    std::vector<Swept> nested;  // the first is the outermost
  };
  const std::vector<Swept> d3d_aa = {{"Check17", -1}, {"Combo18", -1}, {"Combo3", -1}};
  const std::vector<Swept> ogl_aa = {{"Check17", -1}, {"Combo18", -1}, {"Combo1", -1}};
  const Case cases[] = {
      {"Direct3D antialiasing, old value", 3, 4523, d3d_aa},
      {"Direct3D antialiasing, first shared build", 3, 5000, d3d_aa},
      {"Direct3D antialiasing with the disabled entry", 3, 5001, d3d_aa},
      {"Direct3D antialiasing with 16x", 3, 7701, d3d_aa},
      {"Direct3D antialiasing on Windows 98", 0, 4230, d3d_aa},
      {"OpenGL antialiasing, old values", 3, 4523, ogl_aa},
      {"OpenGL antialiasing, shared value", 3, 7701, ogl_aa},
      {"Windows 98 colour depth and anisotropy", 0, 4523, {{"Combo9", -1}, {"Combo2", -1}}},
      {"Windows 98 anisotropy and colour depth", 0, 4523, {{"Combo2", -1}, {"Combo9", -1}}},
      {"prerender and emulation", 3, 7701, {{"Combo13", -1}, {"Combo11", -1}, {"Combo16", -1}}},
      {"texture sliders", 3, 7701, {{"FlatScrollBar3", -1}, {"FlatScrollBar2", 0}, {"FlatScrollBar2", 1}}},
  };
  const std::vector<std::string> listed = ShippedFiles();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::ReaderRig r(c.os, c.build);
    const std::string data = r.m.fs.ProgramFolder() + "\\DATA\\";
    r.m.fs.AddFile(data + "af.dat", "\"32\",16\r\n");
    r.m.fs.AddFile(data + "aa.dat", "\"32\",\"8\"\r\n");
    FillSettingLists(r.st, r.f);
    r.f.IsStart = 0;
    std::vector<ui::Control*> controls;
    for (const Swept& swept : c.nested) {
      controls.push_back(r.f.Find(swept.name, swept.index));
      ASSERT_NE(controls.back(), nullptr) << swept.name;
      ASSERT_GT(ChoiceCount(*controls.back()), 1) << swept.name;
    }
    r.m.reg.ClearLog();
    auto sweep = [&](auto& self, size_t depth) -> void {
      if (depth == controls.size()) return;
      for (int choice = 0; choice < ChoiceCount(*controls[depth]); ++choice) {
        Choose(*controls[depth], choice);
        self(self, depth + 1);
      }
    };
    sweep(sweep, 0);
    Numbers addressed = Addressed(kPageDirect3D, c.os, c.build, listed, r.st.DriverKey);
    for (auto& [where, numbers] : Addressed(kPageOpenGL, c.os, c.build, listed, r.st.DriverKey))
      addressed[where].insert(numbers.begin(), numbers.end());
    const std::string driver_key = Fold("HKEY_LOCAL_MACHINE\\" + r.st.DriverKey);
    int writes = 0;
    std::set<std::pair<std::string, std::int32_t>> reported;
    for (const auto& call : r.m.reg.log()) {
      const std::string path = Fold(call.path);
      if (call.op != "RegSetValueExA" || path.compare(0, driver_key.size(), driver_key) != 0) continue;
      ++writes;
      const std::pair<std::string, std::string> where{path.substr(std::string("hkey_local_machine\\").size()),
                                                      Fold(call.name)};
      const std::int32_t n = NumberOf(call.bytes);
      const auto record = addressed.find(where);
      if (!reported.insert({where.second, n}).second) continue;
      if (record == addressed.end()) ADD_FAILURE() << call.name << " is no record of the build's files";
      else EXPECT_TRUE(record->second.count(n)) << call.name << " = " << n << " is not listed";
    }
    EXPECT_GT(writes, 0);
  }
}

}  // namespace
}  // namespace ks
