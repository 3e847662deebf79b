#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "common/version_text.h"

namespace ks {
namespace {

TEST(VersionText, LastGroup) {
  struct Case {
    const char* name;
    const char* text;
    std::optional<std::string> group;
  };
  const Case cases[] = {
      {"points", "6.14.10.7701", "7701"},
      {"text after a blank", "6.14.10.7701 (English)", "7701"},
      {"build tag", "5.03.2600.2180 (xpsp_sp2_rtm.040803-2158)", "2180"},
      {"commas", "5,3,1,904", "904"},
      {"commas and blanks", "5, 3, 1, 904", "904"},
      {"blanks in front", "  6.14.10.9371  ", "9371"},
      {"leading zeros kept", "4.09.0000.0904", "0904"},
      {"one group", "12", "12"},
      {"a letter in the last group", "6.14.10.77a1", std::nullopt},
      {"a word for a group", "1.2.beta", std::nullopt},
      {"ends with a point", "6.14.", std::nullopt},
      {"a blank before a point", "6 .14", "6"},
      {"no digits", "(English)", std::nullopt},
      {"empty", "", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(LastVersionGroup(c.text), c.group) << c.name;
}

}  // namespace
}  // namespace ks
