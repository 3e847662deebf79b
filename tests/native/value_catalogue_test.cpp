// The shipped value database against the setting writers: the files in
// data/Database are exactly what the writers' tables give, and every value
// either writer can write or delete on a build is a record of that build's
// file, at the registry location the writer uses.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "engine/d3d.h"
#include "engine/ogl.h"
#include "native/repo_data.h"
#include "platform/fake/machine.h"
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

struct WriterRun {
  Touched d3d, ogl;
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
  return run;
}

// The (key, name) pairs the editor addresses for every record of a page's file.
Touched Addressed(int page, std::int16_t os, std::int32_t build, const std::vector<std::string>& listed) {
  const DatabaseChoice choice = ChooseDatabaseFile(page, build, listed);
  const DatabaseContents contents = ReadDatabase(test::ReadRepoData("Database/" + choice.name + ".dat"), kEditorEntries);
  Touched out;
  for (const DatabaseRecord& r : contents.records) {
    const EntryLocation where = LocateEntry(page, os, "SYSTEM\\DK", r.name);
    out.insert({Fold(where.key), Fold(where.name)});
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
        const Touched d3d = Addressed(kPageDirect3D, os, build, listed);
        const Touched ogl = Addressed(kPageOpenGL, os, build, listed);
        for (const auto& value : run.d3d)
          EXPECT_TRUE(d3d.count(value)) << "Direct3D writer: " << value.first << " " << value.second;
        // The OpenGL writer hands antialiasing and anisotropy to the Direct3D
        // writer on newer drivers: those values are Direct3D records.
        for (const auto& value : run.ogl)
          EXPECT_TRUE(ogl.count(value) || d3d.count(value)) << "OpenGL writer: " << value.first << " " << value.second;
      }
    }
  }
}

}  // namespace
}  // namespace ks
