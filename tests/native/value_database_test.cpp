// The value database: choosing the file for the installed build, reading
// its records, and where each page's values live in the registry.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "native/fixtures/awkward_fields.h"
#include "tools/value_database.h"

namespace ks {
namespace {

TEST(FindDatabaseFile, ChoosesTheFileForTheBuild) {
  struct Case {
    const char* name;
    int page;
    std::int32_t build;
    std::vector<std::string> listed;
    std::string chosen;
    std::vector<std::string> kept;
  };
  std::vector<std::string> seventy;
  for (int i = 0; i < 70; ++i) seventy.push_back(std::to_string(1000 + i) + "d3d.dat");
  std::vector<std::string> seventy_kept(seventy.begin(), seventy.begin() + 65);
  for (auto& n : seventy_kept) n.resize(n.size() - 4);
  const Case cases[] = {
      {"highest below the build", 0, 4523, {"0000d3d.dat", "4100d3d.dat", "4520d3d.dat", "4600d3d.dat"}, "4520d3d",
       {"0000d3d", "4100d3d", "4520d3d", "4600d3d"}},
      {"exact build", 0, 4523, {"4600d3d.dat", "4523d3d.dat", "0000d3d.dat", "4100d3d.dat"}, "4523d3d",
       {"4600d3d", "4523d3d", "0000d3d", "4100d3d"}},
      {"four digits", 1, 700, {"0000ogl.dat", "0612ogl.dat"}, "0612ogl", {"0000ogl", "0612ogl"}},
      {"only higher files", 2, 300, {"4100sys.dat", "0612sys.dat"}, "0000sys", {"4100sys", "0612sys"}},
      {"upper-case kind is another kind", 0, 4523, {"4523D3D.dat", "4100d3d.dat"}, "4100d3d", {"4100d3d"}},
      {"empty folder", 1, 9371, {}, "0000ogl", {}},
      {"other kinds ignored", 1, 9371, {"5000d3d.dat", "0000sys.dat"}, "0000ogl", {}},
      {"first exact match in listing order", 0, 4523, {"4523bd3d.dat", "4523d3d.dat"}, "4523bd3d",
       {"4523bd3d", "4523d3d"}},
      {"names without a number take no part", 0, 4523, {"abcdd3d.dat", "41x0d3d.dat", "4100d3d.dat"}, "4100d3d",
       {"abcdd3d", "41x0d3d", "4100d3d"}},
      {"a fallback is written with four digits", 0, 4523, {"0612xd3d.dat"}, "0612d3d", {"0612xd3d"}},
      {"at most 65 names", 0, 1068, seventy, "1064d3d", seventy_kept},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DatabaseChoice choice = ChooseDatabaseFile(c.page, c.build, c.listed);
    EXPECT_EQ(choice.name, c.chosen);
    EXPECT_EQ(choice.files, c.kept);
  }
}

struct Expected {
  std::vector<std::string> names;
  std::int32_t count;
};

TEST(LoadDatabase, ReadsTheAwkwardFiles) {
  const std::map<std::string, Expected> expected = {
      {"empty file", {{}, 0}},
      {"quoted commas", {{"VALUE,ONE"}, 1}},
      {"one item a line", {{"VALUE"}, 1}},
      {"blank lines at the end", {{"VALUE"}, 1}},
      {"missing closing quote", {{"VALUE"}, 1}},
      // Regression: a file that ended inside a record made the reader loop forever.
      {"ends inside a record", {{"VALUE"}, 1}},
      {"ends after a name", {{"VALUE"}, 1}},
      {"no line end at the end", {{"VALUE"}, 1}},
      {"bare items with blanks", {{"VALUE"}, 1}},
      {"twelve values", {{"MANY_VALUES", "NEXT_ONE"}, 2}},
      {"values that are no numbers", {{"VALUE"}, 1}},
      // A short name that is empty would address the key's unnamed value.
      {"short names", {{"ABC", "ABCDE"}, 2}},
      {"250 records", {{}, 250}},
      {"LF line ends", {{"VALUE", "TWO"}, 2}},
      // Regression: a blank line was read as a field, so the record after
      // it lost its name and was dropped.
      {"blank line between records", {{"VALUE", "TWO"}, 2}},
      {"blank lines inside a record", {{"VALUE", "TWO"}, 2}},
  };
  for (const auto& file : test::AwkwardFiles()) {
    SCOPED_TRACE(file.name);
    auto want = expected.find(file.name);
    ASSERT_NE(want, expected.end()) << "no expectation for this corpus file";
    DatabaseContents got = ReadDatabase(file.bytes, kEditorEntries);
    EXPECT_EQ(got.count, want->second.count);
    if (std::string(file.name) == "250 records") {
      ASSERT_EQ(got.records.size(), 201u);
      EXPECT_EQ(got.records[200].name, "REC_200");
      EXPECT_EQ(got.records[200].values[0], 200);
      continue;
    }
    std::vector<std::string> names;
    for (const auto& r : got.records) names.push_back(r.name);
    EXPECT_EQ(names, want->second.names);
  }
}

// A record's value slots: `values`, then 0s.
std::array<std::int32_t, kValueSlots> Slots(std::initializer_list<std::int32_t> values) {
  std::array<std::int32_t, kValueSlots> slots{};
  std::copy(values.begin(), values.end(), slots.begin());
  return slots;
}

TEST(LoadDatabase, RecordFields) {
  auto read = [](const char* name) {
    for (const auto& file : test::AwkwardFiles())
      if (std::string(file.name) == name) return ReadDatabase(file.bytes, kEditorEntries);
    return DatabaseContents{};
  };
  DatabaseContents quoted = read("quoted commas");
  ASSERT_EQ(quoted.records.size(), 1u);
  EXPECT_EQ(quoted.records[0].description, "a, b, c");
  EXPECT_EQ(quoted.records[0].values[0], 1);

  DatabaseContents unclosed = read("missing closing quote");
  ASSERT_EQ(unclosed.records.size(), 1u);
  EXPECT_EQ(unclosed.records[0].description, "desc, 1, 2") << "an unclosed quote runs to the line end";
  EXPECT_EQ(unclosed.records[0].value_count, 0);

  DatabaseContents many = read("twelve values");
  ASSERT_EQ(many.records.size(), 2u);
  EXPECT_EQ(many.records[0].values, Slots({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
  EXPECT_EQ(many.records[0].description, "?");
  EXPECT_EQ(many.records[1].values[0], 42) << "the record after a long one is read in step";

  DatabaseContents junk = read("values that are no numbers");
  ASSERT_EQ(junk.records.size(), 1u);
  EXPECT_EQ(junk.records[0].values, Slots({0, 0, -5}));
  EXPECT_EQ(junk.records[0].value_count, 3) << "\"X\" ends the record as \"x\" does";

  DatabaseContents bare = read("bare items with blanks");
  ASSERT_EQ(bare.records.size(), 1u);
  EXPECT_EQ(bare.records[0].description, "desc text");
  EXPECT_EQ(bare.records[0].values[0], 12);

  DatabaseContents blanks = read("blank lines inside a record");
  ASSERT_EQ(blanks.records.size(), 2u);
  EXPECT_EQ(blanks.records[0].description, "desc");
  EXPECT_EQ(blanks.records[0].value_count, 1) << "a blank line is no value";
  EXPECT_EQ(blanks.records[0].values[0], 7);

  DatabaseContents nothing = ReadDatabase("\"VALUE\",\"?\",\"x\"\r\n", kEditorEntries);
  ASSERT_EQ(nothing.records.size(), 1u);
  EXPECT_EQ(nothing.records[0].values, Slots({}));

  DatabaseContents small = ReadDatabase(test::NumberedRecords(150), kPresetEntries);
  EXPECT_EQ(small.records.size(), 101u);
  EXPECT_EQ(small.count, 150);
}

TEST(LoadDatabase, KeepsInStepWithTheRecords) {
  struct Value {
    const char* name;
    std::vector<std::int32_t> values;
  };
  struct Case {
    const char* name;
    std::string bytes;
    std::vector<Value> records;
  };
  const Case cases[] = {
      // Regression: the mark was read into the first record's name.
      {"UTF-8 byte-order mark", "\xEF\xBB\xBF\"VALUE\",\"d\",1,\"x\"\r\n\"TWO\",\"d\",2,\"x\"\r\n",
       {{"VALUE", {1}}, {"TWO", {2}}}},
      {"a mark alone", "\xEF\xBB\xBF", {}},
      {"a mark elsewhere is text", "\"VALUE\",\"\xEF\xBB\xBF\",1,\"x\"\r\n", {{"VALUE", {1}}}},
      // Regression: an upper-case terminator was taken for a value, and the
      // record after it became values of this one.
      {"upper-case terminator", "\"VALUE\",\"d\",1,\"X\"\r\n\"TWO\",\"d\",2,\"x\"\r\n",
       {{"VALUE", {1}}, {"TWO", {2}}}},
      {"upper-case terminator, one item a line", "\"VALUE\"\r\n\"d\"\r\n5\r\nX\r\n\"TWO\"\r\n\"d\"\r\nX\r\n",
       {{"VALUE", {5}}, {"TWO", {}}}},
      // Regression: the quote ran to the line end over the terminator, and
      // the next record was read as values of this one.
      {"unclosed quote over the terminator", "\"CUT\",\"desc, 1, \"x\r\n\"TWO\",\"d\",2,\"x\"\r\n\"THREE\",\"d\",\"x\"\r\n",
       {{"TWO", {2}}, {"THREE", {}}}},
      {"unclosed quote in a value", "\"CUT\",\"d\",\"1,2,x\r\n\"TWO\",\"d\",2,\"x\"\r\n", {{"TWO", {2}}}},
      {"record without a terminator before another", "\"CUT\",\"d\",1\r\n\"TWO\",\"d\",2,\"x\"\r\n",
       {{"TWO", {2}}}},
      {"a number too large still is a value", "\"VALUE\",\"d\",1,\r\n99999999999,\"x\"\r\n", {{"VALUE", {1, 0}}}},
      // Regression: the line end after the comma was read as an empty value, 0.
      {"a comma at the line end", "\"VALUE\",\"d\",1,\r\n2,\"x\"\r\n\"TWO\",\"d\",3,\"x\"\r\n",
       {{"VALUE", {1, 2}}, {"TWO", {3}}}},
      {"a comma and blanks at the line end", "\"VALUE\",\"d\",1,  \n2,\"x\"\n", {{"VALUE", {1, 2}}}},
      {"two commas are an empty value", "\"VALUE\",\"d\",1,,2,\"x\"\r\n", {{"VALUE", {1, 0, 2}}}},
      {"a comma at the end of the file", "\"VALUE\",\"d\",1,\"x\",", {{"VALUE", {1}}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const DatabaseContents got = ReadDatabase(c.bytes, kEditorEntries);
    ASSERT_EQ(got.records.size(), c.records.size());
    EXPECT_EQ(got.count, static_cast<std::int32_t>(c.records.size()));
    for (size_t i = 0; i < c.records.size(); ++i) {
      EXPECT_EQ(got.records[i].name, c.records[i].name);
      EXPECT_EQ(got.records[i].value_count, static_cast<int>(c.records[i].values.size())) << c.records[i].name;
      for (size_t k = 0; k < c.records[i].values.size(); ++k)
        EXPECT_EQ(got.records[i].values[k], c.records[i].values[k]) << c.records[i].name << " value " << k;
    }
  }
}

TEST(LocateEntry, PageOsClassAndNameLength) {
  const std::string dk = "SYSTEM\\DK";
  struct Case {
    const char* name;
    int page;
    std::int16_t os;
    const char* entry;
    const char* key;
    const char* value;
    bool binary;
  };
  const Case cases[] = {
      {"Direct3D on XP drops four characters", 0, 3, "D3D_D3D_08285629", "SYSTEM\\DK", "D3D_08285629", true},
      {"Direct3D on 98", 0, 0, "D3D_D3D_08285629", "SYSTEM\\DK\\NVidia\\Direct3D", "D3D_08285629", true},
      {"Direct3D on NT 4", 0, 1, "D3D_ABCDE", "SYSTEM\\DK", "ABCDE", true},
      {"Direct3D name of three characters stays whole", 0, 3, "ABC", "SYSTEM\\DK", "ABC", true},
      {"OpenGL on XP uses the whole name", 1, 3, "OGL_FSAAMode", "SYSTEM\\DK", "OGL_FSAAMode", true},
      {"OpenGL on Vista", 1, 4, "OGL_FSAAMode", "SYSTEM\\DK", "OGL_FSAAMode", true},
      {"OpenGL on 98", 1, 0, "OGL_FSAAMode", "SYSTEM\\DK\\NVidia\\OpenGL", "FSAAMode", true},
      {"OpenGL on 98, three characters", 1, 0, "ABC", "SYSTEM\\DK\\NVidia\\OpenGL", "ABC", true},
      {"System on XP", 2, 3, "CoolBits", kSystemPageKey, "CoolBits", false},
      {"System on 98 uses the whole name", 2, 0, "CoolBits", kSystemPageKey, "CoolBits", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EntryLocation where = LocateEntry(c.page, c.os, dk, c.entry);
    EXPECT_EQ(where.key, c.key);
    EXPECT_EQ(where.name, c.value);
    EXPECT_EQ(where.binary, c.binary);
  }
}

}  // namespace
}  // namespace ks
