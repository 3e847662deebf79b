// The shipped English language file of KestrelaneSE: its layout as the
// language loader reads it, and the texts that must stand exactly as the
// window and the handlers expect them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "native/repo_data.h"
#include "common/datafile.h"

namespace ks {
namespace {

struct Slot {
  std::string comment;  // the "- " item in front of the text, if any
  std::string text;
};

struct LanguageFile {
  std::string display_name;
  std::string header;
  std::vector<Slot> slots;
};

// Two header items, then one item per slot; an item that starts with "- "
// is a comment and the item after it goes into the same slot.
LanguageFile ParseLanguageFile(const std::string& bytes) {
  LanguageFile file;
  FieldReader reader(bytes);
  file.display_name = reader.Next();
  file.header = reader.Next();
  while (!reader.AtEnd()) {
    Slot slot;
    slot.text = reader.Next();
    if (slot.text.rfind("- ", 0) == 0) {
      slot.comment = slot.text;
      slot.text = reader.Next();
    }
    file.slots.push_back(slot);
  }
  return file;
}

class EnglishLanguageFile : public ::testing::Test {
 protected:
  void SetUp() override {
    bytes_ = test::ReadRepoData("LANGUAGE/en.dat");
    ASSERT_FALSE(bytes_.empty()) << "en.dat is missing or empty";
    file_ = ParseLanguageFile(bytes_);
  }
  std::string bytes_;
  LanguageFile file_;
};

TEST_F(EnglishLanguageFile, HeaderAndSlotCountFitTheLoader) {
  EXPECT_EQ(file_.display_name, "English");
  EXPECT_FALSE(file_.header.empty());
  // The loader reports a file with a 301st slot item as too long.
  EXPECT_LE(file_.slots.size(), 300u);
  size_t line_feeds = 0, crlf = 0;
  for (size_t i = 0; i < bytes_.size(); ++i) {
    if (bytes_[i] != '\n') continue;
    ++line_feeds;
    if (i > 0 && bytes_[i - 1] == '\r') ++crlf;
  }
  EXPECT_EQ(crlf, line_feeds) << "every line ends with CR LF";
  EXPECT_EQ(line_feeds, file_.slots.size() + 1) << "header line, then one line per slot";
}

// Every slot is labelled "- N: ..." with its own number, so a missing or
// doubled item cannot shift the texts after it unnoticed.
TEST_F(EnglishLanguageFile, CommentsNameTheirOwnSlot) {
  for (size_t i = 0; i < file_.slots.size(); ++i) {
    ASSERT_EQ(file_.slots[i].comment.rfind("- " + std::to_string(i) + ":", 0), 0u)
        << "slot " << i << " has comment '" << file_.slots[i].comment << "'";
  }
}

struct EntryCase {
  size_t entry;
  const char* text;
};

TEST_F(EnglishLanguageFile, EntriesHoldTheWindowsTexts) {
  const EntryCase cases[] = {
      {0, "Control Panel settings"},
      {31, "Control Panel settings"},
      {45, "System monitoring"},
      {53, "Kestrelane options  >>>"},  // two blanks before the arrows
      {65, "Enable Direct3D refreh rate page"},
      {145, "Disabled"},  // also names the preview picture Disabled.jpg
      {205, "N/A - no description for this key"},
      {206, "N/A"},
      {245, "About ..."},
      {249, "1920"},  // line coordinates are read as numbers
      {252, "1200"},
      {254, "Processes informations"},
      {266, "Transparency antialiasing:"},
      {7, ""},  // no part of the program uses slot 7
  };
  for (const EntryCase& c : cases) {
    ASSERT_LT(c.entry, file_.slots.size());
    EXPECT_EQ(file_.slots[c.entry].text, c.text) << "entry " << c.entry;
  }
}

}  // namespace
}  // namespace ks
