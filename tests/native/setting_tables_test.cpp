// Invariants of the setting tables and of the shared value locations.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "engine/d3d.h"
#include "engine/ogl.h"
#include "native/writer_rig.h"

namespace ks::test {
namespace {

struct Table {
  const char* name;
  std::span<const SettingRow> rows;
  int first;
  int last;
  std::set<int> without_row;  // the codes the table leaves out on purpose
  bool direct3d;              // every value lives in the Direct3D home
};

std::set<int> Range(int from, int to) {
  std::set<int> s;
  for (int i = from; i <= to; ++i) s.insert(i);
  return s;
}

std::set<int> Join(std::initializer_list<std::set<int>> parts) {
  std::set<int> s;
  for (const auto& p : parts) s.insert(p.begin(), p.end());
  return s;
}

std::vector<Table> Tables() {
  return {
      {"Direct3D classic", D3DClassicTable(), 0, 61,
       Join({{2, 4, 5, 6, 7, 8}, Range(12, 14), Range(19, 27), {31}, Range(39, 59)}), true},
      {"Direct3D numbered", D3DNumberedTable(), 0, 128,
       Join({Range(19, 23), {27, 31}, Range(39, 42), {46, 47, 50, 53, 56, 59}, Range(70, 79), {104}}), true},
      {"OpenGL main", OGLMainTable(), 0, 81, Join({{4, 5, 8, 9, 27, 30, 31, 32}, Range(40, 49), {59}}), false},
      {"OpenGL NT anisotropy", OGLNtAnisoTable(), 4, 32, Join({Range(6, 30)}), false},
  };
}

// A row that can never run: a later row of the same code after an
// unconditional one, or the same condition twice.
TEST(SettingTables, EveryRowCanRun) {
  for (const Table& t : Tables()) {
    std::set<std::pair<int, When>> seen;
    std::set<int> closed;
    for (const SettingRow& row : t.rows) {
      EXPECT_FALSE(closed.count(row.code)) << t.name << " code " << row.code << " follows an unconditional row";
      EXPECT_TRUE(seen.insert({row.code, row.when}).second) << t.name << " code " << row.code << " repeats";
      if (row.when == When::kAlways) closed.insert(row.code);
    }
  }
}

TEST(SettingTables, CodesInRangeAndEveryCodeAccountedFor) {
  for (const Table& t : Tables()) {
    std::set<int> with_row;
    for (const SettingRow& row : t.rows) {
      EXPECT_GE(row.code, t.first) << t.name;
      EXPECT_LE(row.code, t.last) << t.name;
      with_row.insert(row.code);
    }
    for (int code = t.first; code <= t.last; ++code) {
      EXPECT_NE(with_row.count(code) == 1, t.without_row.count(code) == 1)
          << t.name << " code " << code << (with_row.count(code) ? " has a row but is listed without"
                                                                  : " has no row and is not listed");
    }
  }
}

TEST(SettingTables, StepsAreWellFormed) {
  for (const Table& t : Tables()) {
    for (const SettingRow& row : t.rows) {
      bool ended = false;
      bool shown = false;
      for (const Step& step : row.steps) {
        SCOPED_TRACE(std::string(t.name) + " code " + std::to_string(row.code));
        if (step.op == Op::kEnd) {
          ended = true;
          continue;
        }
        EXPECT_FALSE(ended) << "a step after the end";
        const bool registry = step.op == Op::kWrite || step.op == Op::kWriteArg || step.op == Op::kWriteArgUpTo ||
                              step.op == Op::kWriteMaxTextures || step.op == Op::kWriteAAMode ||
                              step.op == Op::kWriteAnisoLevel || step.op == Op::kDelete;
        if (registry) {
          ASSERT_NE(step.value, nullptr);
          EXPECT_EQ(step.value->home == ValueHome::kDirect3D, t.direct3d) << step.value->name;
          // Control updates raise Change events that may run another writer,
          // which clears the switch: every write comes before them.
          EXPECT_FALSE(shown) << "a registry step after a control update";
        }
        if (step.op == Op::kText || step.op == Op::kCaptionValue || step.op == Op::kCaptionTrilinear) {
          EXPECT_NE(step.control, WriterControl::kNone);
          shown = true;
        }
        if (step.op == Op::kText && step.text == nullptr) {
          EXPECT_LT(step.number, 301u);
        }
        if (step.op == Op::kWriteAnisoLevel) {
          EXPECT_LT(step.number, 6u);
        }
        if (step.op == Op::kD3D) {
          EXPECT_LE(step.number, static_cast<std::uint32_t>(kLastD3DCode));
        }
      }
    }
  }
}

// The antialiasing codes of OpenGL hand over the Direct3D code of the same mode.
TEST(SettingTables, OpenGLAntialiasingCallsTheSameDirect3DMode) {
  const std::pair<int, int> same[] = {{0, 0}, {1, 2}, {2, 1}, {3, 3}, {60, 4}, {61, 7}, {62, 8}};
  for (auto [ogl_code, d3d_code] : same) {
    bool found = false;
    for (const SettingRow& row : OGLMainTable()) {
      if (row.code == ogl_code && row.when == When::kBuildFrom5000) {
        EXPECT_EQ(row.steps[0].op, Op::kD3D);
        EXPECT_EQ(row.steps[0].number, static_cast<std::uint32_t>(d3d_code)) << ogl_code;
        found = true;
      }
    }
    EXPECT_TRUE(found) << ogl_code;
  }
}

struct LocationCase {
  const char* name;
  std::int16_t os;
  DriverValue value;
  std::string key;  // DK for the driver key
  std::string full_name;
  bool binary;
};

TEST(Locate, WhereEachHomeLives) {
  const LocationCase cases[] = {
      {"Direct3D on 98", 0, d3d::kAAMode, "DK\\NVidia\\Direct3D", "D3DOGL_70835937", false},
      {"Direct3D on XP", 3, d3d::kAAMode, "DK", "D3DOGL_70835937", true},
      {"Direct3D on an unknown class", 5, d3d::kAAMode, "DK\\NVidia\\Direct3D", "D3DOGL_70835937", false},
      {"OpenGL on 98", 0, ogl::kFsaaMode, "DK\\NVidia\\OpenGL", "FSAAMode", false},
      {"OpenGL on NT 4", 1, ogl::kCompression, "DK", "OGL_19723457", true},
      {"OpenGL on an unknown class", 5, ogl::kFsaaMode, "DK", "OGL_FSAAMode", true},
      {"debug key on XP", 3, ogl::kRenderer, kOpenGLDebugKey, "Renderer", false},
      {"debug key on 98", 0, ogl::kGlslSupport, kOpenGLDebugKey, "NV4xGLSLFunctionality", false},
      {"log level on Vista", 4, ogl::kDefaultLogAniso, "DK", "Ogl_DefaultLogAniso", true},
  };
  for (const LocationCase& c : cases) {
    SCOPED_TRACE(c.name);
    WriterRig rig(c.os, 6000);
    ValueLocation where = Locate(rig.state, c.value);
    std::string key = c.key.rfind("DK", 0) == 0 ? rig.driver_key + c.key.substr(2) : c.key;
    EXPECT_EQ(where.root, kHkeyLocalMachine);
    EXPECT_EQ(where.key, key);
    EXPECT_EQ(where.name, c.full_name);
    EXPECT_EQ(where.binary, c.binary);
  }
}

}  // namespace
}  // namespace ks::test
