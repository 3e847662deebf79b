// The Direct3D and OpenGL page handlers: a user action on a control ->
// the exact registry operations, and the states of the sister controls.
#include <algorithm>
#include <functional>
#include <map>
#include <set>

#include <gtest/gtest.h>

#include "native/reader_rig.h"
#include "native/repo_data.h"
#include "pages/setting_lists.h"
#include "pages/tweak_handlers.h"

namespace ks::test {
namespace {

const std::string kNt = "DK";

// A main window whose lists are filled, after start-up (IsStart 0).
struct PageRig : ReaderRig {
  // A card of the 009x group: SLI, transparency and gamma controls enabled.
  PageRig(std::int16_t os, std::int32_t build) : ReaderRig(os, build, "0091") {
    m.reg.AddKey("HKLM\\" + st.DriverKey);
    FillSettingLists(st, f);  // a card the chip data does not list: every mode
    f.IsStart = 0;
    Record();
    st.app.TakeEvents();
  }
  void Pick(ui::ComboBox& combo, const std::string& text) {
    Reach(combo);
    st.app.TakeEvents();
    const int index = combo.FindItem(text);
    ASSERT_GE(index, 0) << text;
    combo.UserPick(index);
  }
  void Type(ui::ComboBox& combo, const std::string& text) {
    Reach(combo);
    combo.UserType(text);
  }
  void Click(ui::CheckBox& box) {
    Reach(box);
    box.UserClick();
  }
  void Click(ui::OptionButton& option) {
    Reach(option);
    option.UserClick();
  }
  void Drag(ui::FlatScrollBar& bar, int value) {
    Reach(bar);
    bar.UserScroll(value);
  }
};

std::string B(const std::string& name, std::uint32_t v) { return Binary(kNt, name, v); }

struct Case {
  const char* name;
  std::int16_t os;
  std::int32_t build;
  std::function<void(PageRig&)> act;
  std::vector<std::string> ops;
  std::vector<std::pair<std::string, std::string>> after = {};
  std::function<void(PageRig&)> given = nullptr;
};

void RunCase(const Case& c) {
  SCOPED_TRACE(c.name);
  PageRig r(c.os, c.build);
  if (c.given) {
    r.f.IsStart = 1;  // the given state is set as the program sets it
    c.given(r);
    r.f.IsStart = 0;
    r.TakeOps();
  }
  c.act(r);
  EXPECT_EQ(r.TakeOps(), c.ops);
  EXPECT_EQ(r.Differences(c.after), std::vector<std::string>{});
  EXPECT_EQ(r.f.IsStart, 0);
}

// The mode the driver holds, as a reading of the driver leaves it.
void ModeText(PageRig& r, const std::string& text) {
  r.st.AAModeText = text;
  EnableTransparencyAntialiasing(r.st, r.f, text);
}

const Case kAntialiasing[] = {
    {"Combo3 4x, mirrored into Combo1, whose handler writes the OpenGL code",
     3, 7701, [](PageRig& r) { r.Pick(r.f.Combo3, "4x"); },
     {B("D3DOGL_70835937", 0x10000010), B("D3DOGL_70835937", 0x10000010)},
     {{"Combo1", "4x"}, {"AAModeText", "4x"}}},
    // Regression: at build 5000 itself, whose driver already keeps one mode
    // for both pages, Combo1 kept "Auto" while the shared value held "2x".
    {"build 5000: mirror", 3, 5000, [](PageRig& r) { r.Pick(r.f.Combo3, "2x"); },
     {B("D3DOGL_70835937", 0x1000000E), B("D3DOGL_70835937", 0x1000000E)}, {{"Combo1", "2x"}}},
    {"build 5001: mirror", 3, 5001, [](PageRig& r) { r.Pick(r.f.Combo3, "2x"); },
     {B("D3DOGL_70835937", 0x1000000E), B("D3DOGL_70835937", 0x1000000E)}, {{"Combo1", "2x"}}},
    // Regression: the boxes kept showing flags the automatic entry does not
    // store, and stayed open for choices that were then lost.
    {"automatic entry clears both flags and their boxes first, which it closes",
     3, 7701, [](PageRig& r) { r.Pick(r.f.Combo3, "<137>"); },
     {B("D3DOGL_70835937", 0), B("D3DOGL_70835937", 0)},
     {{"GammaAA", "0"}, {"TranspAAMode", "0"}, {"Check17", "0"}, {"Check18", "0"}, {"Combo19", "<145>"},
      {"Combo18", "<145>"}, {"Combo19.Enabled", "0"}, {"Check17.Enabled", "0"}},
     [](PageRig& r) {
       r.f.Check17.SetValue(1);
       r.f.Combo19.SetListIndex(1);
       r.st.GammaAA = 1;
       r.st.TranspAAMode = 1;
     }},
    {"flags go with the mode", 3, 7701, [](PageRig& r) { r.Pick(r.f.Combo3, "8xS"); },
     {B("D3DOGL_70835937", 0x10100018), B("D3DOGL_70835937", 0x10100018)}, {},
     [](PageRig& r) { r.st.GammaAA = 1; }},
    {"SLI 16x writes the 8xS code", 3, 7701, [](PageRig& r) { r.Type(r.f.Combo3, "SLI 16x"); },
     {B("D3DOGL_70835937", 0x10000018), B("D3DOGL_70835937", 0x10000018)}},
    {"typed text without a row writes nothing but is mirrored", 3, 7701,
     [](PageRig& r) { r.Type(r.f.Combo3, "3x"); }, {}, {{"Combo1", "3x"}, {"AAModeText", "3x"}}},
    {"OpenGL 4x 9-tap below 5000 on 98", 0, 4500, [](PageRig& r) { r.Type(r.f.Combo1, "4x 9-tap"); },
     {Dword("DK\\NVidia\\OpenGL", "FSAAMode", 5)}, {{"Combo3", "Auto"}}},
    // Regression: gamma ticked beside the disabled mode was stored nowhere.
    {"gamma while the mode is disabled: the disabled mode with the flag", 3, 7701,
     [](PageRig& r) { r.Click(r.f.Check17); }, {B("D3DOGL_70835937", 0x10100000)},
     {{"GammaAA", "1"}, {"Check18", "1"}}, [](PageRig& r) { ModeText(r, "<145>"); }},
    {"gamma from the Direct3D page forwards to the OpenGL box", 3, 7701, [](PageRig& r) { r.Click(r.f.Check18); },
     {B("D3DOGL_70835937", 0x1010000E)}, {{"GammaAA", "1"}, {"Check17", "1"}},
     [](PageRig& r) { ModeText(r, "2x"); }},
    {"gamma with no mode yet: not offered", 3, 7701, [](PageRig& r) { r.Click(r.f.Check17); }, {},
     {{"GammaAA", "0"}, {"Check17.Enabled", "0"}}},
    {"transparency while disabled writes the disabled mode with the flag", 3, 7701,
     [](PageRig& r) { r.Pick(r.f.Combo18, "Multisampling"); }, {B("D3DOGL_70835937", 0x10010000)},
     {{"TranspAAMode", "1"}, {"Combo19", "Multisampling"}}, [](PageRig& r) { ModeText(r, "<145>"); }},
    // Regression: a transparency choice beside the automatic mode wrote 0,
    // which holds no flags, and was lost at the next start.
    {"transparency while automatic: not offered", 3, 7701,
     [](PageRig& r) { r.Pick(r.f.Combo19, "Supersampling"); }, {},
     {{"TranspAAMode", "0"}, {"Combo18", "Disabled"}, {"Combo19.Enabled", "0"}},
     [](PageRig& r) { ModeText(r, "<137>"); }},
    {"transparency while the reader runs: nothing", 3, 7701,
     [](PageRig& r) {
       r.st.AAGuard = 1;
       r.Pick(r.f.Combo19, "Supersampling");
       r.st.AAGuard = 0;
     },
     {}, {{"Combo18", "Disabled"}, {"TranspAAMode", "0"}}, [](PageRig& r) { ModeText(r, "4x"); }},
    {"while starting: nothing", 3, 7701,
     [](PageRig& r) {
       r.f.IsStart = 1;
       r.Pick(r.f.Combo3, "4x");
       r.Click(r.f.Check4[1]);
       r.f.IsStart = 0;
     },
     {}, {{"Combo1", "Auto"}}},
    {"anisotropy bilinear from the Direct3D page", 3, 7701, [](PageRig& r) { r.Pick(r.f.Combo4, "<135>"); },
     {B("D3DOGL_74095213", 0x10000001), B("D3DOGL_74095213", 0x10000001)}, {{"Combo2", "<135>"}}},
    {"anisotropy 4x from the OpenGL page", 3, 7701, [](PageRig& r) { r.Pick(r.f.Combo2, "4x"); },
     {B("D3DOGL_74095213", 0x10000004), B("D3DOGL_74095213", 0x10000004)}, {{"Combo4", "4x"}}},
    // At build 5000 the writer shows the shared level on the other page.
    {"anisotropy 4x from the Direct3D page at build 5000", 3, 5000, [](PageRig& r) { r.Pick(r.f.Combo4, "4x"); },
     {B("D3DOGL_74095213", 0x10000004), B("D3DOGL_74095213", 0x10000004)}, {{"Combo2", "4x"}}},
    // Regression: but not "16x" (typed: this card's list stops at 8x): at
    // build 5000 itself the shared value held 16x while the other page kept
    // its old level.
    {"anisotropy 16x from the Direct3D page at build 5000", 3, 5000, [](PageRig& r) { r.Type(r.f.Combo4, "16x"); },
     {B("D3DOGL_74095213", 0x10000010), B("D3DOGL_74095213", 0x10000010)}, {{"Combo2", "16x"}}},
    {"automatic from the OpenGL page: O 5, then the Direct3D box's D 36", 3, 7701,
     [](PageRig& r) { r.Pick(r.f.Combo2, "<137>"); }, {B("D3DOGL_74095213", 1), "del DK D3DOGL_74095213"},
     {{"Combo4", "<137>"}}},
};

const Case kOthers[] = {
    {"sync mode index 2: D 43", 3, 7701, [](PageRig& r) { r.Pick(r.f.Combo12, "<145>"); },
     {B("D3D_60461791", 0x08416747)}},
    {"Direct3D prerender 0", 3, 7701, [](PageRig& r) { r.Pick(r.f.Combo13, "0"); }, {B("D3D_98764205", 0)}},
    {"OpenGL prerender 1", 3, 7701, [](PageRig& r) { r.Pick(r.f.Combo11, "1"); }, {B("OGL_MaxFramesAllowed", 1)}},
    // Regression: typed text (no entry) wrote -1 and 0 into the prerender limits.
    {"Direct3D prerender typed: nothing", 3, 7701, [](PageRig& r) { r.Type(r.f.Combo13, "12"); }, {}},
    {"OpenGL prerender typed: nothing", 3, 7701, [](PageRig& r) { r.Type(r.f.Combo11, "x"); }, {}},
    {"image settings index 3", 3, 7701, [](PageRig& r) { r.Pick(r.f.Combo6, "<130>"); },
     {B("D3D_QualityEnhancements", 0xFFFFFFF6)}},
    {"OpenGL image settings index 0", 0, 7701, [](PageRig& r) { r.Pick(r.f.Combo5, "<129>"); },
     {Dword("DK\\NVidia\\OpenGL", "QualityEnhancements", 20)}},
    {"OpenGL sync index 1: O 26", 3, 7701, [](PageRig& r) { r.Pick(r.f.Combo10, "<159>"); },
     {B("OGL_DefaultSwapInterval", 1)}},
    {"colour depth 32-bit", 3, 7701, [](PageRig& r) { r.Pick(r.f.Combo9, "32-bit"); },
     {B("OGL_RenderQualityFlags", 8)}},
    {"force mipmaps: Direct3D box, the OpenGL box follows", 3, 7701,
     [](PageRig& r) { r.Pick(r.f.Combo8, "<136>"); },
     {B("D3DOGL_03385531", 2), B("D3DOGL_03385531", 2)}, {{"Combo7", "<136>"}}},
    {"version 1.5", 3, 7701, [](PageRig& r) { r.Pick(r.f.Combo15, "1.5"); }, {B("OGL_308826", 3485233)}},
    {"version: no override", 3, 7701, [](PageRig& r) { r.Pick(r.f.Combo15, "<180>"); }, {"del DK OGL_308826"}},
    {"emulation at 6000, six entries: NV1x id 10", 3, 6000,
     [](PageRig& r) { r.Pick(r.f.Combo16, "NV1x (GeForce2 family)"); }, {B("OGL_NVEmulate", 10)}},
    {"emulation at 5999: NV1x code 75", 3, 5999, [](PageRig& r) { r.Pick(r.f.Combo16, "NV1x (GeForce2 family)"); },
     {B("OGL_MaxNVACCEL", 10), B("OGL_NV30Emulate", 0), B("OGL_NV20Emulate", 0), B("OGL_NV25Emulate", 0),
      B("OGL_NVEmulate", 0)}},
    {"emulation maximum at 6001: id -1", 3, 6001, [](PageRig& r) { r.Pick(r.f.Combo16, "<182>"); },
     {B("OGL_NVEmulate", 0xFFFFFFFF)}},
    {"aniso mip filter optimization ticked: D 116", 3, 7701, [](PageRig& r) { r.Click(r.f.Check4[2]); },
     {B("D3D_40792312", 1)}},
    {"low MIP level ticked: D 109", 3, 7701, [](PageRig& r) { r.Click(r.f.Check4[0]); }, {B("D3D_69109016", 1)}},
    {"negative LOD bias ticked: D 126 with 0", 3, 7701, [](PageRig& r) { r.Click(r.f.Check4[5]); },
     {B("D3D_16579523", 0)}},
    {"Z-buffer ticked: D 16", 3, 7701, [](PageRig& r) { r.Click(r.f.Check6[0]); }, {B("D3d_46205529", 0x88204955)},
     {}, [](PageRig& r) { r.f.Check6[0].SetEnabled(true); }},
    {"fog table unticked: D 122", 3, 7701, [](PageRig& r) { r.Click(r.f.Check6[1]); }, {B("D3d_20466189", 0x78176879)},
     {}, [](PageRig& r) { r.f.Check6[1].SetValue(1); }},
    {"DXT1 dithering with S3TC ticked: O 55", 3, 7701, [](PageRig& r) { r.Click(r.f.Check5[1]); },
     {B("OGL_S3TCQuality", 3)}, {}, [](PageRig& r) { r.f.Check5[0].SetValue(1); }},
    {"triple buffering at 7700", 3, 7700, [](PageRig& r) { r.Click(r.f.Check5[2]); },
     {B("OGL_EnableTripleBuffer", 1)}},
    {"CPU instruction sets unticked: O 71", 3, 7701, [](PageRig& r) { r.Click(r.f.Check12[0]); },
     {B("OGL_ForceGenericCPU", 1)}, {}, [](PageRig& r) { r.f.Check12[0].SetValue(1); }},
    {"software rasterization: debug key", 3, 7701, [](PageRig& r) { r.Click(r.f.Check12[1]); },
     {Dword("SOFTWARE\\NVIDIA Corporation\\Global\\OpenGL\\Debug", "Renderer", 1)}},
    {"texture sharpening ticked: O 22", 3, 7701, [](PageRig& r) { r.Click(r.f.Check1); }, {B("OGL_TexSharpen", 1)}},
    {"trilinear optimization unticked: O 79 with 0", 3, 7701, [](PageRig& r) { r.Click(r.f.Check14[0]); },
     {B("OGL_563A95F1", 0x34198CB4)}, {}, [](PageRig& r) { r.f.Check14[0].SetValue(1); }},
    {"Direct3D LOD bias while dragged", 3, 7701, [](PageRig& r) { r.Drag(r.f.FlatScrollBar3, -5); },
     {B("D3D_88481200", 0xFFFFFFFB)}, {{"Label6(3)", "<118>-5"}}},
    {"OpenGL LOD bias while dragged", 3, 7701, [](PageRig& r) { r.Drag(r.f.FlatScrollBar2[1], 7); },
     {B("OGL_TexLODBias", 7)}},
    {"trilinear quality slider", 3, 7701, [](PageRig& r) { r.Drag(r.f.FlatScrollBar2[0], 25); },
     {B("OGL_95282304", 25)}, {{"Label4(3)", "<123><133>"}}},
    // Regression: the slider reset to 1 wrote O 66 = 1 and undid the deletion.
    {"trilinear box unticked: the setting is deleted and stays deleted", 3, 7701,
     [](PageRig& r) { r.Click(r.f.Check3[0]); }, {"del DK OGL_95282304"},
     {{"FlatScrollBar2(0)", "1"}, {"FlatScrollBar2(0).Enabled", "0"}, {"Label4(3).Enabled", "0"}},
     [](PageRig& r) {
       r.f.Check3[0].SetValue(1);
       r.f.FlatScrollBar2[0].SetValue(10);
     }},
    {"trilinear box ticked: enabled, O 66 with 1", 3, 7701, [](PageRig& r) { r.Click(r.f.Check3[0]); },
     {B("OGL_95282304", 1)}, {{"FlatScrollBar2(0).Enabled", "1"}, {"Label4(3).Enabled", "1"}},
     [](PageRig& r) { r.f.FlatScrollBar2[0].SetEnabled(false); }},
    {"compression box ticked: the first option writes, then the box", 3, 7701,
     [](PageRig& r) { r.Click(r.f.Check3[1]); }, {B("OGL_19723457", 0x07368183), B("OGL_19723457", 0x07368183)},
     {{"Option2(0)", "1"}, {"Option2(1).Enabled", "1"}},
     [](PageRig& r) {
       r.f.Option2[1].SetValue(true);
       r.f.Option2[0].SetEnabled(false);
       r.f.Option2[1].SetEnabled(false);
     }},
    {"compression box unticked", 3, 7701, [](PageRig& r) { r.Click(r.f.Check3[1]); }, {B("OGL_19723457", 0)},
     {{"Option2(0).Enabled", "0"}}, [](PageRig& r) { r.f.Check3[1].SetValue(1); }},
    {"compression enabled option", 3, 7701, [](PageRig& r) { r.Click(r.f.Option2[1]); },
     {B("OGL_19723457", 0x87508277)}},
};

TEST(TweakHandlers, AntialiasingAndAnisotropy) {
  for (const Case& c : kAntialiasing) RunCase(c);
}

TEST(TweakHandlers, OtherControls) {
  for (const Case& c : kOthers) RunCase(c);
}

// Each mirror ends after one exchange: count the handlers' events.
TEST(TweakHandlers, MirrorsEnd) {
  PageRig r(3, 7701);
  r.Pick(r.f.Combo3, "4x");
  EXPECT_EQ(r.st.app.TakeEvents(), (std::vector<std::string>{"Combo3.Click", "Combo1.Change"}));
  r.Pick(r.f.Combo4, "8x");
  EXPECT_EQ(r.st.app.TakeEvents(), (std::vector<std::string>{"Combo4.Click", "Combo2.Change"}));
  r.Pick(r.f.Combo19, "Multisampling");
  EXPECT_EQ(r.st.app.TakeEvents(), (std::vector<std::string>{"Combo19.Click", "Combo18.Click"}));
}

// Off to on through the OpenGL page's box: D 127 twice, the readers twice.
TEST(TweakHandlers, SliClickSequence) {
  PageRig r(3, 7701);
  r.f.Check16.SetEnabled(true);
  r.Click(r.f.Check16);
  const std::vector<std::string> ops = r.TakeOps();
  ASSERT_GE(ops.size(), 2u);
  EXPECT_EQ(ops[0], B("D3DOGL_12677978", 0x29060797));
  EXPECT_EQ(ops[1], B("D3DOGL_12677978", 0x29060797));
  EXPECT_EQ(std::count(ops.begin(), ops.end(), ops[0]), 2);
  EXPECT_EQ(r.Differences({{"Check15", "1"}, {"Check16", "1"}, {"SliAAFlag", "1"}}), std::vector<std::string>{});
  EXPECT_EQ(r.f.Combo3.List(2), "SLI 4x") << "the lists carry the SLI names";
  EXPECT_EQ(r.f.IsStart, 0);
  int reads = 0;
  for (const std::string& e : r.st.app.TakeEvents()) reads += e == "Check15.Click";
  EXPECT_EQ(reads, 1);
}

// A refresh with IsStart 0 (as the preset loader and the wizard run it)
// whose stored SLI value ticks Check15: the readers hold the handlers off,
// so that box's handler does not read again inside the outer reading, and
// neither the shared mode value nor the SLI value is written at all (a
// write would have to carry the flags the driver holds).
TEST(TweakHandlers, NestedRefreshKeepsTheAntialiasingGuard) {
  PageRig r(3, 7701);
  constexpr std::uint32_t kStored = 0x10000000 + 0x00100000 + 0x40000000 + 0x10;  // gamma, supersampling, 4x
  r.Store(d3d::kSliAA, 0x29060797);
  r.Store(d3d::kAAMode, kStored);
  const std::map<std::string, std::string> held = {{d3d::kAAMode.name, FourBytes(kStored)},
                                                    {d3d::kSliAA.name, FourBytes(0x29060797)}};
  std::map<std::string, std::vector<std::size_t>> writes;  // the number of control events before each write
  std::vector<std::string> wrong;
  r.m.reg.on_call = [&](const fake::FakeRegistry::Call& call) {
    const auto value = held.find(call.name);
    if (call.op != "RegSetValueExA" || value == held.end()) return;
    writes[call.name].push_back(r.st.app.Events().size());
    if (call.bytes != value->second) wrong.push_back(call.name + " " + Hex(call.bytes));
  };
  r.st.app.TakeEvents();
  DetectD3DSettings(r.st, r.f);
  DetectOGLSettings(r.st, r.f);
  EXPECT_EQ(wrong, std::vector<std::string>{}) << "a write with the flags dropped";
  for (const auto& [name, at] : writes)
    EXPECT_EQ(std::adjacent_find(at.begin(), at.end()), at.end()) << name << " written twice for one control change";
  EXPECT_TRUE(writes.empty()) << "a reading wrote the driver's values back";
  EXPECT_EQ(r.f.IsStart, 0) << "the reading gives the handlers back";
  EXPECT_EQ(r.Differences({{"Check15", "1"}, {"Combo3", "SLI 8x"}, {"Combo19", "Supersampling"}, {"Check17", "1"},
                           {"AAGuard", "0"}}),
            std::vector<std::string>{});
}

TEST(TweakHandlers, PreviewSizeButtonsShowTheOtherSize) {
  PageRig r(3, 7701);
  r.m.fs.AddFile(r.m.fs.ProgramFolder() + "\\data\\aa\\2\\auto.jpg", ReadRepoData("aa/2/auto.jpg"));
  r.f.IsStart = 1;  // the size buttons test neither flag
  r.Click(r.f.Option3[1]);
  EXPECT_EQ(r.f.Image2.Picture(), r.m.fs.ProgramFolder() + "\\data\\aa\\2\\auto.jpg");
}

TEST(TweakTables, RowsAreUnique) {
  std::set<std::string> texts;
  for (const AAChoice& row : AAChoices()) {
    EXPECT_TRUE(texts.insert(row.text.text ? row.text.text : "#" + std::to_string(row.text.entry)).second);
    if (row.sli) {
      EXPECT_TRUE(texts.insert(row.sli).second) << row.sli;
    }
  }
  std::set<std::pair<std::string, int>> boxes;
  for (const TwoCodeBox& row : TwoCodeBoxes()) {
    EXPECT_TRUE(boxes.insert({row.box, row.index}).second) << row.box << row.index;
    EXPECT_NE(row.code_when, row.code_else);
  }
  for (const IndexedCombo& row : IndexedCombos()) EXPECT_LE(row.count, 4) << row.combo;
}

}  // namespace
}  // namespace ks::test
