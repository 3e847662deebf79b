// The satellites' language loader: file choice by code and suffix, the slot
// and comment rules, the overflow rule at slot 64, and the three shipped
// English files as the programs read them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cleaner/satellite_language.h"
#include "common/datafile.h"
#include "native/repo_data.h"
#include "platform/fake/machine.h"
#include "native/device_names.h"

namespace ks {
namespace {

const std::string kLangFolder = "C:\\Program Files\\Kestrelane\\DATA\\LANGUAGE\\";
const char* const kSettings = "HKCU\\Software\\Kestrelane";
const char* const kLoadError = "Error in loading language";

std::string LanguageFile(const std::vector<std::string>& items) {
  std::string bytes = "\"English\",\"header\"\r\n";
  for (const auto& item : items) bytes += "\"" + item + "\"\r\n";
  return bytes;
}

std::vector<std::string> Numbered(const std::string& prefix, int count) {
  std::vector<std::string> items;
  for (int i = 0; i < count; ++i) items.push_back(prefix + std::to_string(i));
  return items;
}

struct SatelliteLanguageTest : ::testing::Test {
  fake::FakeMachine m;
  BasRegistry reg{m.reg};
  ui::App app{m.msg, m.fs};
  SatelliteLanguage pv{reg, m.fs, app, "_pv.dat", 2};
  SatelliteLanguage travo{reg, m.fs, app, "_travo.dat", 0};

  void SetUp() override { app.Title = "PVX - driver cleaner utility"; }
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& box : m.msg.shown()) texts.push_back(box.text);
    return texts;
  }
};

TEST_F(SatelliteLanguageTest, NoSettingReadsTheEnglishFileFromTheFirstSlot) {
  m.fs.AddFile(kLangFolder + "en_pv.dat", LanguageFile(Numbered("t", 33)));
  m.fs.AddFile(kLangFolder + "en.dat", LanguageFile({"main program"}));
  pv.LoadLanguage();
  EXPECT_EQ(pv.LangCode, "en");
  EXPECT_EQ(pv.Lang(0), "") << "pvx never fills slots 0 and 1";
  EXPECT_EQ(pv.Lang(1), "");
  EXPECT_EQ(pv.Lang(2), "t0");
  EXPECT_EQ(pv.Lang(34), "t32");
  EXPECT_EQ(pv.Lang(35), "");
  EXPECT_TRUE(m.msg.shown().empty()) << "33 items fill slots 2 to 34 without a message";
}

TEST_F(SatelliteLanguageTest, TheCodeAndTheSuffixNameTheFile) {
  m.reg.PutString(kSettings, "Language", "de");
  m.fs.AddFile(kLangFolder + "en_pv.dat", LanguageFile({"Info"}));
  m.fs.AddFile(kLangFolder + "de_pv.dat", LanguageFile({"Hinweis"}));
  m.fs.AddFile(kLangFolder + "de_travo.dat", LanguageFile({"Profil"}));
  pv.LoadLanguage();
  travo.LoadLanguage();
  EXPECT_EQ(pv.LangCode, "de");
  EXPECT_EQ(pv.Lang(2), "Hinweis");
  EXPECT_EQ(travo.Lang(0), "Profil");
  EXPECT_TRUE(m.msg.shown().empty());
  EXPECT_FALSE(m.reg.Get(kSettings, "Language") == std::nullopt) << "the loader never removes the setting";
}

TEST_F(SatelliteLanguageTest, MissingFileChangesNoSlotAndTellsOnce) {
  m.fs.AddFile(kLangFolder + "en_pv.dat", LanguageFile({"Info", "Welcome"}));
  pv.LoadLanguage();
  m.reg.PutString(kSettings, "Language", "fr");
  pv.LoadLanguage();
  EXPECT_EQ(Messages(), std::vector<std::string>{kLoadError});
  EXPECT_EQ(m.msg.shown()[0].style, platform::kMbOk);
  EXPECT_EQ(m.msg.shown()[0].caption, "PVX - driver cleaner utility") << "the program's title";
  EXPECT_EQ(pv.LangCode, "fr") << "the manual is then looked for in French";
  EXPECT_EQ(pv.Lang(2), "Info");
  EXPECT_EQ(pv.Lang(3), "Welcome");
}

TEST_F(SatelliteLanguageTest, CommentsAreSkippedOnceAndKeepTheNumbering) {
  m.fs.AddFile(kLangFolder + "en_pv.dat",
               LanguageFile({"Info", "Welcome", "- 4: search button", "Search files", "- first", "- second", "Six",
                             "- last"}));
  pv.LoadLanguage();
  EXPECT_EQ(pv.Lang(2), "Info");
  EXPECT_EQ(pv.Lang(3), "Welcome");
  EXPECT_EQ(pv.Lang(4), "Search files");
  EXPECT_EQ(pv.Lang(5), "- second") << "a second comment in a row is the slot's text";
  EXPECT_EQ(pv.Lang(6), "Six");
  EXPECT_EQ(pv.Lang(7), "- last") << "a comment that ends the file has nothing to read over it";
  EXPECT_TRUE(m.msg.shown().empty());
}

// Slot 64 filled means the file is too long, even when it ends right there.
TEST_F(SatelliteLanguageTest, OverflowRuleAtSlot64) {
  struct Case {
    const char* name;
    bool travo;
    int items;
    bool message;
    std::string slot63, slot64;
  };
  const Case cases[] = {
      {"pvx 62 items end at slot 63", false, 62, false, "t61", ""},
      {"pvx 63 items reach slot 64", false, 63, true, "t61", "t62"},
      {"pvx 100 items", false, 100, true, "t61", "t62"},
      {"travo 64 items end at slot 63", true, 64, false, "t63", ""},
      {"travo 65 items reach slot 64", true, 65, true, "t63", "t64"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fake::FakeMachine fresh;
    BasRegistry fresh_reg(fresh.reg);
    ui::App fresh_app(fresh.msg, fresh.fs);
    SatelliteLanguage lang(fresh_reg, fresh.fs, fresh_app, c.travo ? "_travo.dat" : "_pv.dat", c.travo ? 0 : 2);
    fresh.fs.AddFile(kLangFolder + (c.travo ? "en_travo.dat" : "en_pv.dat"), LanguageFile(Numbered("t", c.items)));
    lang.LoadLanguage();
    EXPECT_EQ(fresh.msg.shown().size(), c.message ? 1u : 0u);
    EXPECT_EQ(lang.Lang(63), c.slot63);
    EXPECT_EQ(lang.Lang(64), c.slot64);
  }
}

TEST_F(SatelliteLanguageTest, ASecondShorterFileKeepsTheHigherSlots) {
  m.fs.AddFile(kLangFolder + "en_pv.dat", LanguageFile(Numbered("e", 10)));
  m.fs.AddFile(kLangFolder + "de_pv.dat", LanguageFile(Numbered("d", 3)));
  pv.LoadLanguage();
  m.reg.PutString(kSettings, "Language", "de");
  pv.LoadLanguage();
  EXPECT_EQ(pv.Lang(4), "d2");
  EXPECT_EQ(pv.Lang(5), "e3");
  EXPECT_EQ(pv.Lang(11), "e9");
}

TEST_F(SatelliteLanguageTest, QuotedItemsKeepTheirCommasAndBareItemsEndAtOne) {
  m.fs.AddFile(kLangFolder + "en_travo.dat", "English,header\r\n\"Select, please\",Activate,Close\r\n");
  travo.LoadLanguage();
  EXPECT_EQ(travo.Lang(0), "Select, please");
  EXPECT_EQ(travo.Lang(1), "Activate");
  EXPECT_EQ(travo.Lang(2), "Close");
}

// A code is a file name inside the language folder, never a path out of it
// (the manual's name is built from it too).
TEST_F(SatelliteLanguageTest, CodeThatLeavesTheFolderLoadsEnglish) {
  m.fs.AddFile(m.fs.ProgramFolder() + "\\DATA\\secret_pv.dat", LanguageFile({"Leaked"}));
  m.fs.AddFile("C:\\secret_pv.dat", LanguageFile({"Leaked"}));
  m.fs.AddFile(kLangFolder + "en_pv.dat", LanguageFile({"Info"}));
  for (const char* code : {"..\\secret", "../secret", "C:\\secret", "..", "\\\\server\\share\\x", "a/b", "c:"}) {
    SCOPED_TRACE(code);
    m.msg.Clear();
    pv.LanguageTable = {};
    m.reg.PutString(kSettings, "Language", code);
    pv.LoadLanguage();
    EXPECT_EQ(Messages(), std::vector<std::string>{kLoadError});
    EXPECT_EQ(pv.LangCode, "en");
    EXPECT_EQ(pv.Lang(2), "Info");
  }
}

// Regression: a device name as the code ("NUL", "COM1") opened the device
// and left every text empty, without the message.
TEST_F(SatelliteLanguageTest, CodeThatNamesADeviceOrDropsItsEndLoadsEnglish) {
  m.fs.AddFile(kLangFolder + "en_pv.dat", LanguageFile({"Info"}));
  std::vector<std::string> codes(std::begin(test::kDeviceNames), std::end(test::kDeviceNames));
  for (const char* code : {"de.", "de ", "d\te", "d*"}) codes.push_back(code);
  for (const std::string& code : codes) {
    SCOPED_TRACE(code);
    // What the device or the shortened name would read.
    m.fs.AddFile(kLangFolder + code + "_pv.dat", "");
    m.msg.Clear();
    pv.LanguageTable = {};
    m.reg.PutString(kSettings, "Language", code);
    pv.LoadLanguage();
    EXPECT_EQ(Messages(), std::vector<std::string>{kLoadError});
    EXPECT_EQ(pv.LangCode, "en");
    EXPECT_EQ(pv.Lang(2), "Info");
  }
}

TEST_F(SatelliteLanguageTest, SlotsOutsideTheTableReadEmpty) {
  EXPECT_EQ(pv.Lang(-1), "");
  EXPECT_EQ(pv.Lang(65), "");
}

// The shipped English files: every slot a program uses holds a text, each
// labelled with its own number, and each file loads without the message.
struct ShippedFile {
  const char* name;
  const char* suffix;
  int first_slot;
  int last_used_slot;
};
constexpr ShippedFile kShipped[] = {
    {"en_pv.dat", "_pv.dat", 2, 34},
    {"en_travo.dat", "_travo.dat", 0, 7},
    {"en_rl.dat", "_rl.dat", 2, 15},
};

TEST(ShippedSatelliteLanguageFiles, EveryUsedSlotHasALabelledText) {
  for (const ShippedFile& f : kShipped) {
    SCOPED_TRACE(f.name);
    const std::string bytes = test::ReadRepoData(std::string("LANGUAGE/") + f.name);
    ASSERT_FALSE(bytes.empty());
    FieldReader reader(bytes);
    EXPECT_EQ(reader.Next(), "English");
    reader.Next();
    int slot = f.first_slot;
    while (!reader.AtEnd()) {
      const std::string comment = reader.Next();
      EXPECT_EQ(comment.rfind("- " + std::to_string(slot) + ":", 0), 0u) << comment;
      EXPECT_FALSE(reader.Next().empty()) << "slot " << slot;
      ++slot;
    }
    EXPECT_EQ(slot, f.last_used_slot + 1) << "one labelled item per used slot";
    size_t line_feeds = 0, crlf = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
      if (bytes[i] != '\n') continue;
      ++line_feeds;
      if (i > 0 && bytes[i - 1] == '\r') ++crlf;
    }
    EXPECT_EQ(crlf, line_feeds) << "every line ends with CR LF";

    fake::FakeMachine m;
    BasRegistry reg(m.reg);
    ui::App app(m.msg, m.fs);
    m.fs.AddFile(kLangFolder + f.name, bytes);
    SatelliteLanguage lang(reg, m.fs, app, f.suffix, f.first_slot);
    lang.LoadLanguage();
    EXPECT_TRUE(m.msg.shown().empty());
    for (int s = f.first_slot; s <= f.last_used_slot; ++s) EXPECT_FALSE(lang.Lang(s).empty()) << "slot " << s;
  }
}

TEST(ShippedSatelliteLanguageFiles, TextsTheWindowsShowAsDesigned) {
  struct Case {
    const char* file;
    const char* suffix;
    int first_slot;
    int slot;
    const char* text;
  };
  const Case cases[] = {
      {"en_pv.dat", "_pv.dat", 2, 2, "Info"},
      {"en_pv.dat", "_pv.dat", 2, 4, "Search files"},
      {"en_pv.dat", "_pv.dat", 2, 8, "Location: "},
      {"en_pv.dat", "_pv.dat", 2, 9, "Version: "},
      {"en_pv.dat", "_pv.dat", 2, 18, "Select profile:"},
      {"en_pv.dat", "_pv.dat", 2, 24, "Select cleaner profile ..."},
      {"en_pv.dat", "_pv.dat", 2, 31, "Create backup before delete file"},
      {"en_pv.dat", "_pv.dat", 2, 34, "Searching files ..."},
      {"en_travo.dat", "_travo.dat", 0, 0, "Select profile"},
      {"en_travo.dat", "_travo.dat", 0, 4, "E&xit"},
      {"en_travo.dat", "_travo.dat", 0, 7, "Run at system start up"},
      {"en_rl.dat", "_rl.dat", 2, 2, "Step:"},
      {"en_rl.dat", "_rl.dat", 2, 11, "Override update"},
  };
  for (const Case& c : cases) {
    fake::FakeMachine m;
    BasRegistry reg(m.reg);
    ui::App app(m.msg, m.fs);
    m.fs.AddFile(kLangFolder + c.file, test::ReadRepoData(std::string("LANGUAGE/") + c.file));
    SatelliteLanguage lang(reg, m.fs, app, c.suffix, c.first_slot);
    lang.LoadLanguage();
    EXPECT_EQ(lang.Lang(c.slot), c.text) << c.file << " slot " << c.slot;
  }
}

}  // namespace
}  // namespace ks
