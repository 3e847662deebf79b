// The language table: the loader, the list of installed languages and the
// choice of a new one, on fixture files and registry values.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake/machine.h"
#include "shell/Form1.h"
#include "shell/Language.h"
#include "native/device_names.h"

namespace ks {
namespace {

const std::string kLangFolder = "C:\\Program Files\\Kestrelane\\DATA\\LANGUAGE\\";
const char* const kSettings = "HKCU\\Software\\Kestrelane";

// A language file: the two header items, then the slot items, one a line.
std::string LanguageFile(const std::string& name, const std::string& header, const std::vector<std::string>& items) {
  std::string bytes = "\"" + name + "\",\"" + header + "\"\r\n";
  for (const auto& item : items) bytes += "\"" + item + "\"\r\n";
  return bytes;
}

std::vector<std::string> Numbered(const std::string& prefix, int count) {
  std::vector<std::string> items;
  for (int i = 0; i < count; ++i) items.push_back(prefix + std::to_string(i));
  return items;
}

struct Language : ::testing::Test {
  fake::FakeMachine m;
  SeState st{m};
  Form1 form{st};

  void AddLanguage(const std::string& file, const std::string& name, const std::string& header,
                   const std::vector<std::string>& items) {
    m.fs.AddFile(kLangFolder + file, LanguageFile(name, header, items));
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& box : m.msg.shown()) texts.push_back(box.text);
    return texts;
  }
  const std::vector<std::string> kLoadError{"Error in loading language"};
};

TEST_F(Language, NoSettingLoadsEnglish) {
  AddLanguage("en.dat", "English", "Language", {"Yes", "No"});
  LoadLanguage(st, form);
  EXPECT_EQ(st.LangCode, "en");
  EXPECT_EQ(st.LangHeader, "Language");
  EXPECT_EQ(form.Label17.Caption(), "Language");
  EXPECT_EQ(st.Lang(0), "Yes");
  EXPECT_EQ(st.Lang(1), "No");
  EXPECT_EQ(st.Lang(2), "") << "a short file leaves the remaining slots empty";
  EXPECT_TRUE(m.msg.shown().empty());
}

TEST_F(Language, EmptySettingLoadsEnglish) {
  m.reg.PutString(kSettings, "Language", "");
  AddLanguage("en.dat", "English", "Language", {"Yes"});
  LoadLanguage(st, form);
  EXPECT_EQ(st.LangCode, "en");
  EXPECT_EQ(st.Lang(0), "Yes");
}

TEST_F(Language, ChosenLanguageFileIsLoaded) {
  m.reg.PutString(kSettings, "Language", "de");
  AddLanguage("en.dat", "English", "Language", {"Yes"});
  AddLanguage("de.dat", "Deutsch", "Sprache", {"Ja"});
  LoadLanguage(st, form);
  EXPECT_EQ(st.LangCode, "de");
  EXPECT_EQ(form.Label17.Caption(), "Sprache");
  EXPECT_EQ(st.Lang(0), "Ja");
  EXPECT_TRUE(m.msg.shown().empty());
}

TEST_F(Language, MissingChosenFileShowsTheMessageThenEnglish) {
  m.reg.PutString(kSettings, "Language", "de");
  AddLanguage("en.dat", "English", "Language", {"Yes"});
  LoadLanguage(st, form);
  EXPECT_EQ(Messages(), kLoadError);
  EXPECT_EQ(m.msg.shown()[0].style, platform::kMbOk);
  EXPECT_EQ(st.LangCode, "en");
  EXPECT_EQ(st.Lang(0), "Yes");
  EXPECT_EQ(form.Label17.Caption(), "Language");
}

// A code is a file name inside the language folder, never a path out of it.
TEST_F(Language, CodeThatLeavesTheFolderLoadsEnglish) {
  m.fs.AddFile(m.fs.ProgramFolder() + "\\DATA\\secret.dat", LanguageFile("Secret", "Secret", {"Leaked"}));
  AddLanguage("en.dat", "English", "Language", {"Yes"});
  for (const char* code : {"..\\secret", "../secret", "C:\\Program Files\\Kestrelane\\DATA\\secret"}) {
    SCOPED_TRACE(code);
    m.msg.Clear();
    m.reg.PutString(kSettings, "Language", code);
    LoadLanguage(st, form);
    EXPECT_EQ(Messages(), kLoadError);
    EXPECT_EQ(st.LangCode, "en");
    EXPECT_EQ(st.Lang(0), "Yes");
  }
}

// Regression: "NUL" or "COM1" as the code opened the device, which reads
// as an empty file, and every text of the program was empty.
TEST_F(Language, CodeThatNamesADeviceOrDropsItsEndLoadsEnglish) {
  AddLanguage("en.dat", "English", "Language", {"Yes"});
  std::vector<std::string> codes(std::begin(test::kDeviceNames), std::end(test::kDeviceNames));
  // Windows drops a trailing dot or blank, and no name holds a control character.
  for (const char* code : {"de.", "de ", "d\te", "d*"}) codes.push_back(code);
  for (const std::string& code : codes) {
    SCOPED_TRACE(code);
    // What the device or the shortened name would read.
    m.fs.AddFile(kLangFolder + code + ".dat", "");
    m.msg.Clear();
    m.reg.PutString(kSettings, "Language", code);
    LoadLanguage(st, form);
    EXPECT_EQ(Messages(), kLoadError);
    EXPECT_EQ(st.LangCode, "en");
    EXPECT_EQ(st.Lang(0), "Yes");
  }
}

TEST_F(Language, ExactlyThreeHundredSlotItemsLoad) {
  AddLanguage("en.dat", "English", "Language", Numbered("t", 300));
  LoadLanguage(st, form);
  EXPECT_TRUE(m.msg.shown().empty());
  EXPECT_EQ(st.Lang(299), "t299");
  EXPECT_EQ(st.Lang(300), "");
}

TEST_F(Language, ThreeHundredAndOneSlotItemsAreTooLong) {
  m.reg.PutString(kSettings, "Language", "de");
  AddLanguage("de.dat", "Deutsch", "Sprache", Numbered("d", 301));
  AddLanguage("en.dat", "English", "Language", Numbered("e", 2));
  LoadLanguage(st, form);
  EXPECT_EQ(Messages(), kLoadError);
  EXPECT_EQ(st.LangCode, "en");
  EXPECT_EQ(st.Lang(0), "e0");
  EXPECT_EQ(st.Lang(1), "e1");
  // English overwrote only what it holds; the rest keeps the long file's texts.
  EXPECT_EQ(st.Lang(2), "d2");
  EXPECT_EQ(st.Lang(300), "d300");
}

TEST_F(Language, CommentItemsAreSkippedOnceOnly) {
  AddLanguage("en.dat", "English", "Language", {"A", "- note", "OK", "- first", "- second", "B", "- last"});
  LoadLanguage(st, form);
  EXPECT_EQ(st.Lang(0), "A");
  EXPECT_EQ(st.Lang(1), "OK");
  EXPECT_EQ(st.Lang(2), "- second") << "a second comment in a row is the slot's text";
  EXPECT_EQ(st.Lang(3), "B");
  EXPECT_EQ(st.Lang(4), "- last") << "a comment that ends the file has nothing to read over it";
  EXPECT_TRUE(m.msg.shown().empty());
}

TEST_F(Language, CommentsDoNotCountTowardsTheCapacity) {
  std::vector<std::string> items;
  for (int i = 0; i < 300; ++i) {
    items.push_back("- c");
    items.push_back("t" + std::to_string(i));
  }
  AddLanguage("en.dat", "English", "Language", items);
  LoadLanguage(st, form);
  EXPECT_TRUE(m.msg.shown().empty());
  EXPECT_EQ(st.Lang(299), "t299");
}

TEST_F(Language, QuotedItemsKeepTheirCommas) {
  m.fs.AddFile(kLangFolder + "en.dat", "English,Language\r\n\"Yes, please\",No\r\n");
  LoadLanguage(st, form);
  EXPECT_EQ(st.Lang(0), "Yes, please");
  EXPECT_EQ(st.Lang(1), "No");
}

// Regression: with the English file missing the loader retried English
// for ever, showing the message each time.
TEST_F(Language, MissingEnglishFileStopsAfterOneMessage) {
  LoadLanguage(st, form);
  EXPECT_EQ(Messages(), kLoadError);
  EXPECT_EQ(st.LangCode, "en");
  EXPECT_EQ(st.Lang(0), "");
}

TEST_F(Language, MissingChosenAndEnglishFilesStopAfterTwoMessages) {
  m.reg.PutString(kSettings, "Language", "de");
  LoadLanguage(st, form);
  EXPECT_EQ(Messages(), (std::vector<std::string>{kLoadError[0], kLoadError[0]}));
}

// Regression: an English file that is too long was reloaded for ever.
TEST_F(Language, TooLongEnglishFileKeepsWhatWasRead) {
  AddLanguage("en.dat", "English", "Language", Numbered("e", 400));
  LoadLanguage(st, form);
  EXPECT_EQ(Messages(), kLoadError);
  EXPECT_EQ(st.Lang(0), "e0");
  EXPECT_EQ(st.Lang(300), "e300");
}

TEST_F(Language, ListShowsOneEntryPerMainLanguageFile) {
  AddLanguage("en.dat", "English", "Language", {});
  AddLanguage("en_pv.dat", "English viewer", "x", {});
  AddLanguage("de.dat", "Deutsch", "Sprache", {});
  AddLanguage("fr.dat", "Francais", "Langue", {});
  m.fs.AddFile(kLangFolder + "readme.txt", "x");
  form.ListLanguages();
  form.ListLanguages();  // a second listing replaces the first
  EXPECT_EQ(form.Combo17.items(), (std::vector<std::string>{"English", "Deutsch", "Francais"}));
  EXPECT_EQ(form.Combo17.ListIndex(), -1);
  EXPECT_TRUE(st.app.TakeEvents().empty()) << "filling the list raises no event";
}

// The file start-up loaded is listed under the name it gives its language,
// whatever case its code was stored in.
TEST_F(Language, ListAfterLoadingNamesTheLoadedFileAsTheOthers) {
  AddLanguage("en.dat", "English", "Language", {});
  AddLanguage("de.dat", "Deutsch", "Sprache", {"Ja"});
  AddLanguage("fr.dat", "Francais", "Langue", {});
  m.reg.PutString(kSettings, "Language", "DE");
  LoadLanguage(st, form);
  ASSERT_EQ(st.Lang(0), "Ja");
  form.ListLanguages();
  EXPECT_EQ(form.Combo17.items(), (std::vector<std::string>{"English", "Deutsch", "Francais"}));
}

TEST_F(Language, ChoosingAnEntryStoresItsCodeAndAsksForARestart) {
  AddLanguage("en.dat", "English", "Language", {"Yes"});
  AddLanguage("fr.dat", "Francais", "Langue", {"Oui"});
  LoadLanguage(st, form);
  form.ListLanguages();
  st.reg.WriteAsBinary = 1;  // left on by an earlier writer
  form.Combo17.UserPick(1);
  auto stored = m.reg.Get(kSettings, "Language");
  ASSERT_TRUE(stored.has_value());
  EXPECT_EQ(stored->type, platform::kRegSz);
  EXPECT_EQ(stored->bytes, std::string("fr\0", 3));
  EXPECT_EQ(st.reg.WriteAsBinary, 0);
  EXPECT_EQ(Messages(), std::vector<std::string>{"Please restart Kestrelane for change language."});
  EXPECT_EQ(st.LangCode, "en") << "the change takes effect at the next start";
  EXPECT_EQ(st.Lang(0), "Yes");
}

// Regression: only 65 file names were kept, so choosing a later entry
// wrote an empty code.
TEST_F(Language, EveryListedEntryKeepsItsFileName) {
  for (int i = 0; i < 70; ++i) {
    const std::string code = "l" + std::to_string(i);
    AddLanguage(code + ".dat", "Lang " + std::to_string(i), "h", {});
  }
  form.ListLanguages();
  ASSERT_EQ(form.Combo17.ListCount(), 70);
  form.Combo17.SetListIndex(68);
  auto stored = m.reg.Get(kSettings, "Language");
  ASSERT_TRUE(stored.has_value());
  EXPECT_EQ(stored->bytes, std::string("l68\0", 4));
}

TEST_F(Language, ClearingTheChoiceWritesNothing) {
  AddLanguage("fr.dat", "Francais", "Langue", {});
  form.ListLanguages();
  form.Combo17.SetListIndex(0);
  m.msg.Clear();
  m.reg.PutString(kSettings, "Language", "fr");
  form.Combo17.SetListIndex(-1);
  EXPECT_EQ(m.reg.Get(kSettings, "Language")->bytes, std::string("fr\0", 3));
  EXPECT_TRUE(m.msg.shown().empty());
}

}  // namespace
}  // namespace ks
