// Texts shown whole: the dialog font's measure and line breaking, and the
// registry editor's description label over every description the shipped
// value database holds.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "native/repo_data.h"
#include "platform/fake/machine.h"
#include "shell/se_state.h"
#include "tools/Form3.h"
#include "tools/value_database.h"
#include "ui/text_measure.h"

namespace ks {
namespace {

const std::string kAntialiasing =
    "Antialiasing mode shared by Direct3D and OpenGL: 0 off, 268435456 plus the mode number, plus 1048576 for "
    "gamma-correct antialiasing and 65536 (multisampling) or 1073741824 (supersampling) for transparency "
    "antialiasing.";
const std::string kColourDepth =
    "OpenGL default texture colour depth: 0 as the desktop, 4 16-bit, 8 32-bit; on Windows 9x/Me also plus 2 with "
    "anisotropic filtering on and plus 1 with bit 0 set.";

TEST(DialogText, WidthsAndLineBreaks) {
  EXPECT_EQ(ui::DialogTextWidth(""), 0);
  EXPECT_EQ(ui::DialogTextWidth("N/A"), 8 + 3 + 7);
  EXPECT_EQ(ui::DialogTextWidth("\t"), ui::DialogTextWidth("@")) << "outside printable ASCII: the widest";
  struct Case {
    const char* name;
    std::string text;
    int width_twips;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"one line", "Write key", 1500, {"Write key"}},
      {"breaks at the blank before the word that does not fit", "aaaa bbbb cccc", 10 * 15 * 6,
       {"aaaa bbbb", "cccc"}},
      {"blanks at a break are dropped", "aaaa    bbbb", 4 * 6 * 15, {"aaaa", "bbbb"}},
      {"a word wider than the label stays whole", "abcdefghij k", 30 * 15, {"abcdefghij", "k"}},
      {"a line end breaks", "one\r\ntwo", 3000, {"one", "two"}},
      {"empty", "", 3000, {""}},
  };
  for (const Case& c : cases) EXPECT_EQ(ui::WrapDialogText(c.text, c.width_twips), c.lines) << c.name;
  // Wine's DrawText breaks these two into 7 and 5 lines 200 pixels wide.
  EXPECT_EQ(ui::WrapDialogText(kAntialiasing, 3000).size(), 7u);
  EXPECT_EQ(ui::WrapDialogText(kColourDepth, 3000).size(), 5u);
  EXPECT_TRUE(ui::DialogTextFits("Write key", 1500, 255));
  EXPECT_FALSE(ui::DialogTextFits("abcdefghij", 30 * 15, 255)) << "a word cut off";
  EXPECT_FALSE(ui::DialogTextFits(kColourDepth, 3000, 4 * 13 * 15)) << "one line too many";
  EXPECT_TRUE(ui::DialogTextFits(kColourDepth, 3000, 5 * 13 * 15));
}

bool Overlap(const ui::Control& a, const ui::Control& b) {
  return a.Left() < b.Left() + b.Width() && b.Left() < a.Left() + a.Width() && a.Top() < b.Top() + b.Height() &&
         b.Top() < a.Top() + a.Height();
}

// Regression: the description label held four lines, and the shipped texts
// of "D3D_D3DOGL_70835937" (seven lines) and "OGL_RenderQualityFlags" (five)
// were cut off.
TEST(Form3Layout, EveryShippedDescriptionFitsTheDescriptionLabel) {
  fake::FakeMachine m;
  SeState s(m);
  Form3 f(s);
  const ui::Label& label = f.Label1;
  int checked = 0;
  for (const auto& file : std::filesystem::directory_iterator(std::string(KS_DATA_DIR) + "/Database")) {
    const std::string name = file.path().filename().string();
    for (const DatabaseRecord& record : ReadDatabase(test::ReadRepoData("Database/" + name), 100000).records) {
      const std::string text = record.description == "?" ? label.Caption() : record.description;
      EXPECT_TRUE(ui::DialogTextFits(text, label.Width(), label.Height()))
          << name << ", " << record.name << ": " << ui::WrapDialogText(text, label.Width()).size() << " lines";
      ++checked;
    }
  }
  EXPECT_GT(checked, 100) << "the shipped database was read";
  // The label stays inside its frame, and the window's visible controls
  // neither cover each other nor leave its client area (7215 x 5895).
  EXPECT_LE(label.Left() + label.Width(), f.Frame1.Width());
  EXPECT_LE(label.Top() + label.Height(), f.Frame1.Height());
  const ui::Control* top_level[] = {&f.Combo1, &f.List1, &f.Frame1, &f.Frame3, &f.Frame2, &f.Command3};
  for (const ui::Control* a : top_level) {
    EXPECT_LE(a->Left() + a->Width(), 7215) << a->FullName();
    EXPECT_LE(a->Top() + a->Height(), 5895) << a->FullName();
    for (const ui::Control* b : top_level)
      if (a < b && Overlap(*a, *b)) ADD_FAILURE() << a->FullName() << " and " << b->FullName() << " overlap";
  }
  for (const ui::Control* c : f.controls()) {
    if (c->Container() != &f.Frame2) continue;
    EXPECT_LE(c->Top() + c->Height(), f.Frame2.Height()) << c->FullName();
  }
}

}  // namespace
}  // namespace ks
