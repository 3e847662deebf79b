#include <gtest/gtest.h>

#include "common/datafile.h"
#include "common/numbers.h"

namespace ks {
namespace {

struct NumberCase {
  const char* text;
  std::optional<std::int32_t> expected;
};

TEST(Numbers, TextToInt32) {
  const NumberCase cases[] = {
      {"0", 0},           {" 12 ", 12},         {"-1", -1},           {"+7", 7},
      {"2.5", 2},         {"3.5", 4},           {"-2.5", -2},         {"0.5", 0},
      {"1.5", 2},         {".5", 0},            {"5.", 5},            {"1e3", 1000},
      {"1E+2", 100},      {"2147483647", 2147483647}, {"-2147483648", INT32_MIN},
      {"2147483648", std::nullopt},  {"2147483647.5", std::nullopt},  {"-2147483648.5", INT32_MIN},
      {"", std::nullopt}, {" ", std::nullopt},  {"abc", std::nullopt}, {"12a", std::nullopt},
      {"1e", std::nullopt}, {"-", std::nullopt}, {".", std::nullopt},  {"1 2", std::nullopt},
  };
  for (const NumberCase& c : cases) {
    EXPECT_EQ(TextToInt32(c.text), c.expected) << "text '" << c.text << "'";
  }
}

struct FieldCase {
  const char* name;
  std::string bytes;
  std::vector<std::string> expected;
};

TEST(DataFile, ReadsItemsInOrder) {
  const FieldCase cases[] = {
      {"quoted with comma", "\"a,b\",c\r\n", {"a,b", "c"}},
      {"bare items trimmed", "  12 , x y \r\n", {"12", "x y"}},
      {"line ends separate", "a\r\nb\nc", {"a", "b", "c"}},
      {"empty item between commas", "a,,b", {"a", "", "b"}},
      {"text after closing quote dropped", "\"ab\"cd,e", {"ab", "e"}},
      {"ansi bytes pass through", "\"\xE9t\xE9\"", {"\xE9t\xE9"}},
      {"unclosed quote ends at line end", "\"abc\r\nd", {"abc", "d"}},
      {"quoted keeps inner blanks", "\" a \"", {" a "}},
      {"empty file", "", {}},
  };
  for (const FieldCase& c : cases) {
    EXPECT_EQ(ReadAllFields(c.bytes), c.expected) << c.name;
  }
}

TEST(DataFile, WriterRoundTrips) {
  FieldWriter w;
  w.Text("a,b").Number(-5).EndLine().Text("").EndLine();
  EXPECT_EQ(w.bytes(), "\"a,b\",-5\r\n\"\"\r\n");
  EXPECT_EQ(ReadAllFields(w.bytes()), (std::vector<std::string>{"a,b", "-5", ""}));
}

}  // namespace
}  // namespace ks
