// The wizard and the page handlers write the same setting for the same
// choice: each wizard row agrees with the page control that offers it.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "pages/tweak_handlers.h"
#include "pages/wizard_tables.h"

namespace ks::test {
namespace {

bool SameText(Shown a, Shown b) {
  if (a.text || b.text) return a.text && b.text && std::strcmp(a.text, b.text) == 0;
  return a.entry == b.entry;
}

std::string Name(Shown s) { return s.text ? s.text : "entry " + std::to_string(s.entry); }

template <typename Row, typename Rows>
const Row* ByText(const Rows& rows, Shown text) {
  for (const Row& row : rows)
    if (SameText(row.text, text)) return &row;
  return nullptr;
}

// Antialiasing level -> the mode it picks in the lists.
struct AACase {
  size_t level;
  Shown mode;
};
constexpr AACase kAACases[] = {
    {0, Entry(137)},      {1, Fixed("2x")},  {2, Fixed("Quincunx")}, {3, Fixed("4x")}, {4, Fixed("4xS")},
    {5, Fixed("6xS")},    {6, Fixed("8xS")}, {7, Fixed("8x")},       {8, Fixed("16x")},
};

TEST(SettingCodes, WizardAntialiasingMatchesTheModeLists) {
  ASSERT_EQ(std::size(kAACases), wizard::kAAWrites.size());
  for (const AACase& c : kAACases) {
    SCOPED_TRACE(Name(c.mode));
    const wizard::AAWrite& w = wizard::kAAWrites[c.level];
    const AAChoice* row = ByText<AAChoice>(AAChoices(), c.mode);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->d3d.writer, WriterKind::kD3D);
    EXPECT_EQ(row->d3d.code, w.d3d);
    if (w.ogl == wizard::kNoCode) {
      // The OpenGL page has no such mode of its own: its box writes the
      // Direct3D code, which the wizard has written already.
      EXPECT_EQ(row->ogl.writer, WriterKind::kD3D);
      EXPECT_EQ(row->ogl.code, w.d3d);
    } else {
      EXPECT_EQ(row->ogl.writer, WriterKind::kOGL);
      EXPECT_EQ(row->ogl.code, w.ogl);
    }
  }
}

// Anisotropy level -> the entry it picks in the Direct3D page's list.
struct AFCase {
  size_t level;
  Shown choice;
};
constexpr AFCase kAFCases[] = {
    {0, Entry(137)}, {1, Fixed("2x")}, {2, Fixed("2x")}, {3, Fixed("4x")},
    {4, Fixed("4x")}, {5, Fixed("8x")}, {6, Fixed("8x")}, {7, Fixed("16x")},
};

TEST(SettingCodes, WizardAnisotropyMatchesTheDirect3DList) {
  ASSERT_EQ(std::size(kAFCases), wizard::kAFWrites.size());
  for (const AFCase& c : kAFCases) {
    SCOPED_TRACE("level " + std::to_string(c.level) + " " + Name(c.choice));
    const AnisoChoice* row = ByText<AnisoChoice>(AnisoChoices(), c.choice);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->d3d_page.writer, WriterKind::kD3D);
    EXPECT_EQ(row->d3d_page.code, wizard::kAFWrites[c.level]);
  }
}

const IndexedCombo* Combo(const char* name) {
  for (const IndexedCombo& row : IndexedCombos())
    if (std::strcmp(row.combo, name) == 0) return &row;
  return nullptr;
}

// The image settings lists hold the wizard's settings in the same order.
TEST(SettingCodes, WizardImageSettingsMatchTheImageLists) {
  struct Case {
    const char* combo;
    WriterKind writer;
    std::int16_t wizard::ImageWrite::*code;
  };
  const Case cases[] = {{"Combo6", WriterKind::kD3D, &wizard::ImageWrite::d3d},
                        {"Combo5", WriterKind::kOGL, &wizard::ImageWrite::ogl}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.combo);
    const IndexedCombo* row = Combo(c.combo);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->writer, c.writer);
    ASSERT_EQ(static_cast<size_t>(row->count), wizard::kImageWrites.size());
    for (size_t i = 0; i < wizard::kImageWrites.size(); ++i)
      EXPECT_EQ(row->codes[i], wizard::kImageWrites[i].*c.code) << "entry " << i;
  }
}

// The wizard's texture optimisations are the first four boxes of the
// Direct3D page's Check4, in the same order: the wizard's `met` code is the
// one the box writes unticked.
TEST(SettingCodes, WizardTextureOptimisationsMatchTheBoxes) {
  for (size_t i = 0; i < wizard::kTextureOptimizations.size(); ++i) {
    SCOPED_TRACE("Check4(" + std::to_string(i) + ")");
    const wizard::TextureOptimization& t = wizard::kTextureOptimizations[i];
    const TwoCodeBox* box = nullptr;
    for (const TwoCodeBox& row : TwoCodeBoxes())
      if (std::strcmp(row.box, "Check4") == 0 && row.index == static_cast<int>(i)) box = &row;
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->writer, WriterKind::kD3D);
    EXPECT_EQ(box->when, 0);
    EXPECT_EQ(box->code_when, t.met);
    EXPECT_EQ(box->code_else, t.otherwise);
  }
}

}  // namespace
}  // namespace ks::test
