// The tweak pages' choice lists, the antialiasing mode lists by card and
// build, and the antialiasing preview pictures.
#include <set>

#include <gtest/gtest.h>

#include "native/reader_rig.h"
#include "native/repo_data.h"
#include "pages/setting_lists.h"

namespace ks::test {
namespace {

using Items = std::vector<std::string>;

// A card's chip data: "af" and "aa" values for chip key 32 (device 0322).
void ChipData(ReaderRig& r, const std::string& af, const std::string& aa) {
  const std::string data = r.m.fs.ProgramFolder() + "\\DATA\\";
  if (!af.empty()) r.m.fs.AddFile(data + "af.dat", "\"32\"," + af + "\r\n");
  if (!aa.empty()) r.m.fs.AddFile(data + "aa.dat", "\"32\",\"" + aa + "\"\r\n");
}

TEST(FillSettingLists, ItemsInTheirOrder) {
  ReaderRig r(3, 6101);
  FillSettingLists(r.st, r.f);
  EXPECT_EQ(r.f.Combo7.items(), (Items{"<134>", "<135>", "<136>"}));
  EXPECT_EQ(r.f.Combo8.items(), (Items{"<134>", "<135>", "<136>"}));
  EXPECT_EQ(r.f.Combo5.items(), (Items{"<129>", "<128>", "<127>", "<130>"}));
  EXPECT_EQ(r.f.Combo6.items(), (Items{"<129>", "<128>", "<127>", "<130>"}));
  EXPECT_EQ(r.f.Combo12.items(), (Items{"<137>", "<146>", "<145>"}));
  EXPECT_EQ(r.f.Combo13.items(), (Items{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}));
  EXPECT_EQ(r.f.Combo10.items(), (Items{"<145>", "<159>", "<160>"}));
  EXPECT_EQ(r.f.Combo11.items(), (Items{"1", "2", "3", "4", "5", "6", "7", "8", "9"}));
  EXPECT_EQ(r.f.Combo9.items(), (Items{"<161>", "16-bit", "32-bit"}));
  EXPECT_EQ(r.f.Combo15.items(), (Items{"<180>", "1.0", "1.1", "1.2", "1.3", "1.4", "1.5", "2.0"}));
  EXPECT_EQ(r.f.Combo16.ListCount(), 13);
  EXPECT_EQ(r.f.Combo16.List(1), "NVx  (Riva TNT family)");
  EXPECT_EQ(r.f.Combo16.List(12), "<182>");
  EXPECT_EQ(r.f.Combo18.items(), (Items{"<145>", "Multisampling", "Supersampling"}));
  EXPECT_EQ(r.f.Combo19.items(), (Items{"<145>", "Multisampling", "Supersampling"}));
  EXPECT_EQ(r.f.Combo13.Text(), "0") << "no box gets a text or a selection";
  EXPECT_EQ(r.f.Combo13.ListIndex(), -1);
  EXPECT_EQ(r.f.Combo14.items(), (Items{"640x480", "800x600", "1024x768", "1152x864", "1280x1024", "1600x1200"}));
}

TEST(FillSettingLists, BuildThresholds) {
  struct Case {
    const char* name;
    std::int32_t build;
    int image_items;
    int emulation_items;
  };
  const Case cases[] = {{"6000", 6000, 3, 6}, {"6001", 6001, 3, 13}, {"6100", 6100, 3, 13}, {"6101", 6101, 4, 13}};
  for (const Case& c : cases) {
    ReaderRig r(3, c.build);
    FillSettingLists(r.st, r.f);
    EXPECT_EQ(r.f.Combo5.ListCount(), c.image_items) << c.name;
    EXPECT_EQ(r.f.Combo6.ListCount(), c.image_items) << c.name;
    EXPECT_EQ(r.f.Combo16.ListCount(), c.emulation_items) << c.name;
  }
}

TEST(FillSettingLists, AfterStartUpOnlyTheAntialiasingListsAreBuilt) {
  ReaderRig r(3, 6000);
  r.f.IsStart = 0;
  FillSettingLists(r.st, r.f);
  EXPECT_EQ(r.f.Combo13.ListCount(), 0);
  EXPECT_GT(r.f.Combo3.ListCount(), 0);
}

TEST(FillAntialiasingModes, ListsByCardAndBuild) {
  struct Case {
    const char* name;
    std::int32_t build;
    std::string af, aa;
    int sli;
    Items combo4, combo2, combo3, combo1;
    const char* device = "0322";
    std::int16_t os = 3;
  };
  const Items kFull3 = {"<145>", "<137>", "2x", "Quincunx", "4x", "4x 9-tap", "4xS", "6xS", "8xS", "8x", "16x"};
  const Items kSli = {"<145>", "<137>", "SLI 4x", "SLI 4xQ", "SLI 8x", "SLI 8xG", "SLI 8xS", "SLI 12xS",
                      "SLI 16x", "SLI 32x"};
  const Case cases[] = {
      {"5000: no leading disabled entry, no bilinear in OpenGL, OpenGL ends at 4x", 5000, "8", "8", 0,
       {"<137>", "<135>", "2x", "4x", "8x"}, {"<137>", "2x", "4x", "8x"},
       {"<137>", "2x", "Quincunx", "4x", "4x 9-tap", "4xS", "6xS", "8xS", "8x"},
       {"<137>", "2x", "Quincunx", "4x"}},
      {"5001", 5001, "2", "8", 0, {"<137>", "<135>", "2x"}, {"<137>", "<135>", "2x"},
       {"<145>", "<137>", "2x", "Quincunx", "4x", "4x 9-tap", "4xS", "6xS", "8xS", "8x"},
       {"<145>", "<137>", "2x", "Quincunx", "4x", "4x 9-tap", "4xS", "6xS", "8xS", "8x"}},
      {"6001 offers 16x, limit 16 at 7000", 7000, "16", "8", 0, {"<137>", "<135>", "2x", "4x", "8x", "16x"},
       {"<137>", "<135>", "2x", "4x", "8x", "16x"}, kFull3, kFull3},
      {"SLI names", 7000, "0", "8", 1, {"<137>"}, {"<137>"}, kSli, kSli},
      {"class q, whatever SLI", 7000, "8", "q", 1, {"<137>", "<135>", "2x", "4x", "8x"},
       {"<137>", "<135>", "2x", "4x", "8x"}, {"<145>", "<137>", "2x", "Quincunx", "4x"},
       {"<145>", "<137>", "2x", "Quincunx", "4x"}},
      {"class 4", 4500, "8", "4", 0, {"<137>", "<135>", "2x", "4x", "8x"}, {"<137>", "2x", "4x", "8x"},
       {"<137>", "2x", "4x"}, {"<137>", "2x", "4x"}},
      {"class 0, limit 0", 6000, "0", "0", 0, {"<137>"}, {"<137>"}, {"<145>", "<137>"}, {"<145>", "<137>"}},
      {"unknown values offer nothing", 6000, "4", "x", 0, {}, {}, {"<145>"}, {"<145>"}},
      // A limit between the listed ones offers no level, and above all not
      // one the card cannot reach: "8x" is left out at 5.
      {"limit 5 offers nothing", 7000, "5", "8", 0, {}, {}, kFull3, kFull3},
      // Regression: a card the chip data does not list was offered the
      // automatic entry alone; it gets the full sets now.
      {"card not listed: limit 8, class 8", 7000, "", "", 0, {"<137>", "<135>", "2x", "4x", "8x"},
       {"<137>", "<135>", "2x", "4x", "8x"}, kFull3, kFull3},
      // Regression: classic 9x drivers were offered Direct3D modes their
      // values cannot hold; picking one wrote nothing.
      {"classic 9x driver: Direct3D offers what its values hold", 2280, "8", "8", 0,
       {"<137>", "<135>", "2x", "4x", "8x"}, {"<137>", "2x"}, {"<137>", "2x", "4x"},
       {"<137>", "2x", "Quincunx", "4x"}, "0322", 0},
      // Regression: the classic drivers' automatic anisotropy wrote nothing
      // and their 16x has no value; 16x is left out.
      {"classic 9x driver: anisotropy up to 8x", 2280, "16", "0", 0, {"<137>", "<135>", "2x", "4x", "8x"},
       {"<137>", "2x"}, {"<137>"}, {"<137>"}, "0322", 0},
      // Regression: below 5000 the OpenGL entries SLI 8xS, SLI 12xS and SLI
      // 16x wrote the Direct3D page's value and came back as Auto; the
      // OpenGL 16x anisotropy likewise moved the Direct3D box.
      {"below 5000 with SLI: OpenGL offers what its values hold", 4999, "16", "8", 1,
       {"<137>", "<135>", "2x", "4x", "8x", "16x"}, {"<137>", "2x", "4x", "8x"},
       {"<137>", "SLI 4x", "SLI 4xQ", "SLI 8x", "SLI 8xG", "SLI 8xS", "SLI 12xS", "SLI 16x", "SLI 32x"},
       {"<137>", "SLI 4x", "SLI 4xQ", "SLI 8x", "SLI 8xG", "SLI 32x"}, "0322"},
      {"5000 with SLI: the shared value holds every mode", 5000, "16", "8", 1,
       {"<137>", "<135>", "2x", "4x", "8x", "16x"}, {"<137>", "2x", "4x", "8x", "16x"},
       {"<137>", "SLI 4x", "SLI 4xQ", "SLI 8x", "SLI 8xG", "SLI 8xS", "SLI 12xS", "SLI 16x", "SLI 32x"},
       {"<137>", "SLI 4x", "SLI 4xQ", "SLI 8x", "SLI 8xG", "SLI 8xS", "SLI 12xS", "SLI 16x", "SLI 32x"}, "0322"},
      // Regression: Windows 9x keeps the OpenGL anisotropy below 5000 as one
      // bit; 4x and 8x wrote nothing and 16x the Direct3D value.
      {"Windows 9x below 5000: OpenGL anisotropy on or off", 4999, "16", "4", 0,
       {"<137>", "<135>", "2x", "4x", "8x", "16x"}, {"<137>", "2x"}, {"<137>", "2x", "4x"}, {"<137>", "2x", "4x"},
       "0322", 0},
      {"Windows 9x at 5000: the shared value", 5000, "16", "4", 0, {"<137>", "<135>", "2x", "4x", "8x", "16x"},
       {"<137>", "2x", "4x", "8x", "16x"}, {"<137>", "2x", "4x"}, {"<137>", "2x", "4x"}, "0322", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ReaderRig r(c.os, c.build, c.device);
    ChipData(r, c.af, c.aa);
    r.st.SliAAFlag = c.sli;
    FillAntialiasingModes(r.st, r.f);
    EXPECT_EQ(r.f.Combo4.items(), c.combo4);
    EXPECT_EQ(r.f.Combo2.items(), c.combo2);
    EXPECT_EQ(r.f.Combo3.items(), c.combo3);
    EXPECT_EQ(r.f.Combo1.items(), c.combo1);
  }
}

TEST(FillAntialiasingModes, BoxesKeepTheirTextsWithoutEvents) {
  ReaderRig r(3, 7000);
  ChipData(r, "16", "8");
  FillAntialiasingModes(r.st, r.f);
  r.f.Combo3.SetText("SLI 8x");
  r.f.Combo1.SetText("4x");
  r.f.Combo4.SetText("8x");
  r.st.app.TakeEvents();
  r.st.SliAAFlag = 0;
  FillAntialiasingModes(r.st, r.f);
  EXPECT_EQ(r.f.Combo3.Text(), "SLI 8x") << "a text no longer offered stays";
  EXPECT_EQ(r.f.Combo3.ListIndex(), -1);
  EXPECT_EQ(r.f.Combo1.Text(), "4x");
  EXPECT_EQ(r.f.Combo1.ListIndex(), 4) << "a text that is an entry selects it";
  EXPECT_EQ(r.f.Combo4.ListIndex(), 4);
  EXPECT_TRUE(r.st.app.TakeEvents().empty()) << "what the boxes show did not change";
}

TEST(FillAntialiasingModes, TransparencyAndGammaControlsWhereTheDriverHoldsThem) {
  struct Case {
    const char* name;
    const char* device;
    std::int32_t build;
    const char* mode;  // AAModeText
    bool enabled;
  };
  // 029x and 039x are the two further groups of cards with these controls.
  const Case cases[] = {
      {"00F5", "00F5", 7000, "4x", true},
      {"0091", "0091", 7000, "4x", true},
      {"0290", "0290", 7000, "4x", true},
      {"0391", "0391", 7000, "4x", true},
      {"0140", "0140", 7000, "4x", false},
      {"00F6", "00F6", 7000, "4x", false},
      {"0322", "0322", 7000, "4x", false},
      {"from 5000", "0091", 5000, "SLI 8x", true},
      {"beside the disabled mode", "0091", 7000, "<145>", true},
      // Regression: below 5000 the flags were offered and stored nowhere.
      {"below 5000", "0091", 4999, "4x", false},
      // Regression: beside the automatic mode, which stores 0, a choice was lost.
      {"beside the automatic mode", "0091", 7000, "<137>", false},
      {"beside a mode no entry names", "0091", 7000, "<183>", false},
  };
  for (const Case& c : cases) {
    ReaderRig r(3, c.build, c.device);
    r.st.AAModeText = c.mode;
    FillAntialiasingModes(r.st, r.f);
    const std::string want = c.enabled ? "1" : "0";
    EXPECT_EQ(r.Differences({{"Label5(2).Enabled", want}, {"Combo19.Enabled", want}, {"Check18.Enabled", want},
                             {"Label23.Enabled", want}, {"Combo18.Enabled", want}, {"Check17.Enabled", want}}),
              std::vector<std::string>{})
        << c.name;
  }
}

struct Preview : ::testing::Test {
  ReaderRig r{3, 7000};
  std::string folder = r.m.fs.ProgramFolder() + "\\data\\aa\\";
  Preview() {
    for (const char* size : {"1", "2"})
      for (const char* name : {"auto", "Disabled", "2x", "SLI 8xG", "6xS"})
        r.m.fs.AddFile(folder + size + "\\" + name + ".jpg", ReadRepoData("aa/1/2x.jpg"));
  }
  void Show(const std::string& mode, bool zoom = false) {
    r.f.Option3[zoom ? 1 : 0].SetValue(true);
    r.f.Combo3.SetText(mode);
    ShowAntialiasingPreview(r.st, r.f);
  }
};

TEST_F(Preview, PicturesByModeAndSize) {
  struct Case {
    const char* mode;
    bool zoom;
    const char* image3;  // under folder
  };
  const Case cases[] = {
      {"<137>", true, "2\\auto.jpg"},       {"SLI 8xG", false, "1\\SLI 8xG.jpg"},
      {"<145>", false, "1\\Disabled.jpg"}, {"6xS (12x)", true, "2\\6xS.jpg"},
  };
  for (const Case& c : cases) {
    Show(c.mode, c.zoom);
    EXPECT_EQ(r.f.Image2.Picture(), folder + (c.zoom ? "2" : "1") + "\\auto.jpg") << c.mode;
    EXPECT_EQ(r.f.Image3.Picture(), folder + c.image3) << c.mode;
  }
}

TEST_F(Preview, NamesThatGiveNoPictureKeepThePreviousOne) {
  const char* const modes[] = {
      "4xS",            // no such picture
      "(12x)",          // "(" first: no name
      "x(12x)",         // "(" second: no name
      "..\\..\\secret",  // would leave the picture folder
      "a/b",
      "C:x",
  };
  for (const char* mode : modes) {
    Show("2x");
    Show(mode);
    EXPECT_EQ(r.f.Image3.Picture(), folder + "1\\2x.jpg") << mode;
  }
  EXPECT_EQ(PreviewName(r.st, "..\\x"), "");
  EXPECT_EQ(PreviewName(r.st, "8xS"), "8xS");
}

// Regression: a picture file that could not be decoded blanked its image
// instead of leaving the previous picture.
TEST_F(Preview, APictureThatCannotBeDecodedKeepsThePreviousOne) {
  r.m.fs.AddFile(folder + "1\\4x.jpg", "not a picture");
  r.m.fs.AddFile(folder + "2\\auto.jpg", ReadRepoData("aa/1/2x.jpg").substr(0, 200));  // cut inside its headers
  Show("2x");
  Show("4x");
  EXPECT_EQ(r.f.Image2.Picture(), folder + "1\\auto.jpg");
  EXPECT_EQ(r.f.Image3.Picture(), folder + "1\\2x.jpg");
  Show("2x", true);
  EXPECT_EQ(r.f.Image2.Picture(), folder + "1\\auto.jpg");
  EXPECT_EQ(r.f.Image3.Picture(), folder + "2\\2x.jpg") << "the other image is loaded all the same";
}

// An editable combo box shows any text; a text that is one of its entries
// selects it, one that is not leaves no entry selected.
TEST(ToolkitForReaders, EditableComboSliderAndCheckBox) {
  ReaderRig r(3, 7000);
  ui::ComboBox& combo = r.f.Combo13;
  combo.AddItem("1");
  combo.AddItem("2");
  combo.SetText("7");
  EXPECT_EQ(combo.Text(), "7");
  EXPECT_EQ(combo.ListIndex(), -1);
  combo.SetText("2");
  EXPECT_EQ(combo.ListIndex(), 1);
  ui::FlatScrollBar& slider = r.f.FlatScrollBar2[0];
  slider.SetValue(5);
  EXPECT_FALSE(slider.SetValue(0));
  EXPECT_FALSE(slider.SetValue(32));
  EXPECT_EQ(slider.Value(), 5);
  ui::CheckBox& box = r.f.Check4[0];
  EXPECT_TRUE(box.SetValue(2));
  EXPECT_FALSE(box.SetValue(3));
  EXPECT_EQ(box.Value(), 2);
}

}  // namespace
}  // namespace ks::test

namespace ks::test {
namespace {

// Every mode text a list or the Direct3D reader can show has its pictures.
TEST(PreviewPictures, ShippedForEveryModeText) {
  ReaderRig r(3, 7000);
  r.st.LanguageTable[145] = "Disabled-entry";
  std::set<std::string> names = {"auto", "Disabled"};
  for (const AAModeRow& row : AAModeRows()) {
    if (row.d3d.text) names.insert(row.d3d.text);
    if (row.sli) names.insert(row.sli);
  }
  for (const ValueText& row : OldAAModes())
    if (row.shown.text) names.insert(PreviewName(r.st, row.shown.text));
  for (const ValueText& row : OglFsaaModes())
    if (row.shown.text && std::string(row.shown.text) != "Value 3") names.insert(row.shown.text);
  for (const std::string& name : names)
    for (const char* size : {"1", "2"})
      EXPECT_FALSE(ReadRepoData("aa/" + std::string(size) + "/" + name + ".jpg").empty()) << size << "/" << name;
}

}  // namespace
}  // namespace ks::test
