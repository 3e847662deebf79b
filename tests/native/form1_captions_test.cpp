// The caption table: its invariants, and every row applied from a marker
// language file whose entry N reads "#N".
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "form1_rig.h"
#include "shell/Language.h"
#include "shell/captions.h"

namespace ks::test {
namespace {

// A language file: header, then entries 0..count-1 as "#N" unless given.
std::string MarkerFile(int count, const std::map<int, std::string>& special = {}) {
  std::string bytes = "\"Marker\",\"Marker header\"\r\n";
  for (int i = 0; i < count; ++i) {
    auto s = special.find(i);
    bytes += "\"" + (s != special.end() ? s->second : "#" + std::to_string(i)) + "\"\r\n";
  }
  return bytes;
}

struct Captions : Form1Rig, ::testing::Test {
  void LoadMarker(int count, const std::map<int, std::string>& special = {}) {
    m.fs.AddFile(kProgram + "\\DATA\\LANGUAGE\\en.dat", MarkerFile(count, special));
    LoadLanguage(st, f);
    f.ApplyLanguage();
  }
  std::string Menu(int button, int item) {
    return f.Toolbar1.Button(button)->ButtonMenus[static_cast<size_t>(item - 1)].Text;
  }
};

TEST(CaptionTable, CountsAndInvariants) {
  std::map<CaptionProperty, int> by_property;
  std::set<int> entries;
  std::set<std::string> targets;
  for (auto rows : {MenuCaptionRows(), ControlCaptionRows()}) {
    for (const CaptionRow& row : rows) {
      EXPECT_GE(row.entry, 0);
      EXPECT_LE(row.entry, 300);
      ++by_property[row.property];
      entries.insert(row.entry);
      const std::string target = row.target ? std::string(row.target) + "(" + std::to_string(row.index) + ")"
                                            : "menu " + std::to_string(row.button) + "." + std::to_string(row.item);
      EXPECT_TRUE(targets.insert(target).second) << target << " is assigned twice";
    }
  }
  for (int i = 0; i < kPageTitleRunLength; ++i) entries.insert(kPageTitleFirstEntry + i);
  by_property[CaptionProperty::kCaption] += kPageTitleRunLength;
  EXPECT_EQ(MenuCaptionRows().size() + ControlCaptionRows().size(), 128u);
  EXPECT_EQ(by_property[CaptionProperty::kCaption], 112);
  EXPECT_EQ(by_property[CaptionProperty::kMenuText], 21);
  EXPECT_EQ(by_property[CaptionProperty::kToolTipText], 5);
  EXPECT_EQ(by_property[CaptionProperty::kX1] + by_property[CaptionProperty::kX2], 5);
  EXPECT_EQ(entries.size(), 126u);
}

TEST(CaptionTable, EveryTargetExistsOnTheMainWindow) {
  Form1Rig rig;
  for (const CaptionRow& row : ControlCaptionRows())
    EXPECT_NE(rig.f.Find(row.target, row.index), nullptr) << row.target << "(" << row.index << ")";
  for (const CaptionRow& row : MenuCaptionRows()) {
    ui::ToolButton* b = rig.f.Toolbar1.Button(row.button);
    ASSERT_NE(b, nullptr) << row.button;
    EXPECT_LE(row.item, static_cast<int>(b->ButtonMenus.size())) << row.button << "." << row.item;
  }
}

TEST_F(Captions, EveryRowTakesItsEntry) {
  LoadMarker(300, {{249, "2500"}, {250, "1700"}, {251, "1800"}, {252, "1300"}, {253, "1400"}});
  for (const CaptionRow& row : MenuCaptionRows())
    EXPECT_EQ(Menu(row.button, row.item), "#" + std::to_string(row.entry)) << row.button << "." << row.item;
  for (int i = 0; i < 15; ++i) EXPECT_EQ(f.Frame1[i].Caption(), "#" + std::to_string(31 + i)) << "page " << i;
  for (const CaptionRow& row : ControlCaptionRows()) {
    ui::Control& c = *f.Find(row.target, row.index);
    const std::string expected = "#" + std::to_string(row.entry);
    if (row.property == CaptionProperty::kCaption) {
      EXPECT_EQ(ControlCaption(c), expected) << c.FullName();
    } else if (row.property == CaptionProperty::kToolTipText) {
      EXPECT_EQ(c.ToolTipText(), expected) << c.FullName();
    }
  }
}

TEST_F(Captions, SharedEntriesAndFarEntries) {
  LoadMarker(300);
  struct Case {
    std::string actual;
    const char* expected;
  };
  const Case cases[] = {
      {f.Label14[0].ToolTipText(), "#51"}, {f.Label14[1].ToolTipText(), "#51"},
      {f.Label14[3].ToolTipText(), "#52"}, {f.Label5[0].Caption(), "#74"},
      {f.Label3.Caption(), "#74"},         {f.Command1[0].Caption(), "#87"},
      {f.Command4.Caption(), "#87"},       {f.Label4[0].Caption(), "#117"},
      {f.Label6[0].Caption(), "#117"},     {f.Check14[2].Caption(), "#144"},
      {f.Check4[3].Caption(), "#144"},     {f.Label8[2].Caption(), "#153"},
      {f.Label7[4].Caption(), "#153"},     {f.Command2.Caption(), "#167"},
      {f.Command3.Caption(), "#167"},      {f.Frame1[15].Caption(), "#254"},
      {Menu(5, 4), "#254"},                {Menu(1, 8), "#245"},
      {f.Check16.Caption(), "#264"},       {f.Check17.Caption(), "#265"},
      {f.Label23.Caption(), "#266"},       {f.Image1.ToolTipText(), "#70"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.actual, c.expected);
}

TEST_F(Captions, ControlsNoEntryReachesKeepTheirDesignText) {
  LoadMarker(300);
  EXPECT_EQ(f.Command6.Caption(), "Rec");
  EXPECT_EQ(f.Command7.Caption(), "Stop");
  EXPECT_EQ(f.Check7[7].Caption(), "Enable Thermal settings page");
  EXPECT_EQ(f.Check7[8].Caption(), "Enable Heat indicator warning");
  EXPECT_EQ(f.Check7[9].Caption(), "Display Core Temperature in system tray area");
  EXPECT_EQ(f.Label18.Caption(), "Language:");
  EXPECT_EQ(f.Label4[3].Caption(), "Trilinear quality:");
  EXPECT_EQ(f.Label6[3].Caption(), "Texture LOD bias:");
}

TEST_F(Captions, LinesMoveTheEndAfterTheHeading) {
  LoadMarker(300, {{249, "2500"}, {250, "abc"}, {251, ""}, {252, "1300.5"}, {253, "  900 "}});
  struct Case {
    const char* name;
    const ui::Line& line;
    int x1, x2, y;
  };
  const Case cases[] = {
      {"Line5: X1 from 2500", f.Line5, 2500, 7320, 600},
      {"Line1: not a number stays", f.Line1, 1680, 7320, 1920},
      {"Line2: empty stays", f.Line2, 1920, 7320, 600},
      {"Line4: X2, half to even", f.Line4, 7320, 1300, 1920},
      {"Line3: X2 with blanks", f.Line3, 7320, 900, 2880},
      {"Line6 takes nothing", f.Line6, 120, 7320, 1920},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.line.X1(), c.x1) << c.name;
    EXPECT_EQ(c.line.X2(), c.x2) << c.name;
    EXPECT_EQ(c.line.Y1(), c.y) << c.name;
    EXPECT_EQ(c.line.Y2(), c.y) << c.name;
  }
}

TEST_F(Captions, AShortFileEmptiesTheCaptionsItDidNotReach) {
  LoadMarker(100);
  EXPECT_EQ(f.Check6[0].Caption(), "") << "entry 162 was not in the file";
  EXPECT_EQ(f.Frame1[15].Caption(), "");
  EXPECT_EQ(f.Check7[0].Caption(), "#60");
}

TEST(CaptionsAtStartUp, TheShippedEnglishFileGivesTheDesignTexts) {
  Form1Rig rig;
  rig.f.Load();
  struct Case {
    std::string actual;
    const char* expected;
  };
  const Case cases[] = {
      {rig.f.Frame1[0].Caption(), "Control Panel settings"},
      {rig.f.Frame1[15].Caption(), "Processes informations"},
      {rig.f.Check13.Caption(), "Remember last visited page"},
      {rig.f.Label13.Caption(), "Kestrelane options  >>>"},
      {rig.f.Label10.Caption(), "You can find more options in Kestrelane Registry editor."},
      {rig.f.Toolbar1.Button("dx")->Menu("psvs")->Text, "Shaders settings"},
      {rig.f.Toolbar1.Button("nvcpl")->Menu("abouti")->Text, "About ..."},
      {rig.f.Label20[3].Caption(), "Parent process ID:"},
      {rig.f.Check12[1].Caption(), "Force software rasterization"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.actual, c.expected);
  EXPECT_EQ(rig.f.Line5.X1(), 1920);
}

}  // namespace
}  // namespace ks::test
