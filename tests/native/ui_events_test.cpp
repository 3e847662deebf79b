// The event rules: which property changes raise which events, by code and
// by the user, and in what order nested handlers run.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "forms/all_controls_form.h"
#include "native/repo_data.h"
#include "platform/fake/machine.h"
#include "ui/design_scope.h"

namespace ks {
namespace {

using test::AllControlsForm;
using Events = std::vector<std::string>;

struct Case {
  const char* name;
  std::function<void(AllControlsForm&)> setup;  // runs before the log is cleared
  std::function<void(AllControlsForm&)> act;
  Events expected;
};

void Nothing(AllControlsForm&) {}

const Case kCases[] = {
    {"text box: new text raises Change", Nothing, [](auto& f) { f.Text1.SetText("a"); }, {"Text1.Change"}},
    {"text box: same text raises nothing", [](auto& f) { f.Text1.SetText("a"); },
     [](auto& f) { f.Text1.SetText("a"); }, {}},
    {"text box: the user's typing raises Change", Nothing, [](auto& f) { f.Text1.UserType("b"); }, {"Text1.Change"}},
    {"text box: a locked box takes no typing", [](auto& f) { f.Text1.SetLocked(true); },
     [](auto& f) { f.Text1.UserType("b"); }, {}},
    {"editable combo: Text raises Change", Nothing, [](auto& f) { f.Combo1.SetText("gamma"); }, {"Combo1.Change"}},
    {"editable combo: Text of an entry raises only Change", Nothing, [](auto& f) { f.Combo1.SetText("beta"); },
     {"Combo1.Change"}},
    {"editable combo: same Text raises nothing", [](auto& f) { f.Combo1.SetText("q"); },
     [](auto& f) { f.Combo1.SetText("q"); }, {}},
    {"editable combo: ListIndex raises Click only", Nothing, [](auto& f) { f.Combo1.SetListIndex(1); },
     {"Combo1.Click"}},
    {"editable combo: the user's pick raises Click", Nothing, [](auto& f) { f.Combo1.UserPick(0); }, {"Combo1.Click"}},
    {"editable combo: the user's typing raises Change", Nothing, [](auto& f) { f.Combo1.UserType("al"); },
     {"Combo1.Change"}},
    {"list combo: ListIndex raises Click", Nothing, [](auto& f) { f.Combo2.SetListIndex(1); }, {"Combo2.Click"}},
    {"list combo: same ListIndex raises nothing", [](auto& f) { f.Combo2.SetListIndex(1); },
     [](auto& f) { f.Combo2.SetListIndex(1); }, {}},
    {"list combo: ListIndex out of range is refused", Nothing, [](auto& f) { f.Combo2.SetListIndex(2); }, {}},
    {"list combo: ListIndex -1 clears the choice", [](auto& f) { f.Combo2.SetListIndex(0); },
     [](auto& f) { f.Combo2.SetListIndex(-1); }, {"Combo2.Click"}},
    {"list combo: Text of an entry selects it", Nothing, [](auto& f) { f.Combo2.SetText("TWO"); }, {"Combo2.Click"}},
    {"list combo: Text of no entry is refused", Nothing, [](auto& f) { f.Combo2.SetText("three"); }, {}},
    {"list combo: the user cannot type", Nothing, [](auto& f) { f.Combo2.UserType("one"); }, {}},
    {"combo: adding, removing and clearing items raise nothing", Nothing,
     [](auto& f) {
       f.Combo1.AddItem("c");
       f.Combo1.RemoveItem(0);
       f.Combo2.Clear();
     },
     {}},
    {"list box: ListIndex raises Click", Nothing, [](auto& f) { f.List1.SetListIndex(0); }, {"List1.Click"}},
    {"list box: the user's pick raises Click", Nothing, [](auto& f) { f.List1.UserPick(1); }, {"List1.Click"}},
    {"list box: same ListIndex raises nothing", [](auto& f) { f.List1.SetListIndex(1); },
     [](auto& f) { f.List1.SetListIndex(1); }, {}},
    // Regression: picking the entry already selected raised nothing, so a
    // handler that acts on a pick (the registry editor's page box) ran once.
    {"list box: the user's pick of the selected entry raises Click again", [](auto& f) { f.List1.SetListIndex(1); },
     [](auto& f) { f.List1.UserPick(1); }, {"List1.Click"}},
    {"list combo: the user's pick of the selected entry raises Click again",
     [](auto& f) { f.Combo2.SetListIndex(0); }, [](auto& f) { f.Combo2.UserPick(0); }, {"Combo2.Click"}},
    {"editable combo: the user's pick of the selected entry raises Click only",
     [](auto& f) { f.Combo1.SetText("BETA"); }, [](auto& f) { f.Combo1.UserPick(1); }, {"Combo1.Click"}},
    {"list box: the user's pick of no entry raises nothing", Nothing, [](auto& f) { f.List1.UserPick(-1); }, {}},
    {"list box: a disabled list ignores the pick of its selected entry",
     [](auto& f) {
       f.List1.SetListIndex(1);
       f.List1.SetEnabled(false);
     },
     [](auto& f) { f.List1.UserPick(1); }, {}},
    {"check box: Value 1 raises Click", Nothing, [](auto& f) { f.Check1.SetValue(1); }, {"Check1.Click"}},
    {"check box: Value 2 raises Click", Nothing, [](auto& f) { f.Check1.SetValue(2); }, {"Check1.Click"}},
    {"check box: same Value raises nothing", Nothing, [](auto& f) { f.Check1.SetValue(0); }, {}},
    {"check box: Value 3 is refused", Nothing, [](auto& f) { f.Check1.SetValue(3); }, {}},
    {"check box: the user's click raises Click", Nothing, [](auto& f) { f.Check1.UserClick(); }, {"Check1.Click"}},
    {"check box: a disabled box ignores the user", [](auto& f) { f.Check1.SetEnabled(false); },
     [](auto& f) { f.Check1.UserClick(); }, {}},
    {"check box: code sets a disabled box and raises Click", [](auto& f) { f.Check1.SetEnabled(false); },
     [](auto& f) { f.Check1.SetValue(1); }, {"Check1.Click"}},
    {"option: true raises Click of that element only", [](auto& f) { f.Option1[0].SetValue(true); },
     [](auto& f) { f.Option1[2].SetValue(true); }, {"Option1(2).Click"}},
    {"option: true again raises nothing", [](auto& f) { f.Option1[0].SetValue(true); },
     [](auto& f) { f.Option1[0].SetValue(true); }, {}},
    {"option: false raises nothing", [](auto& f) { f.Option1[0].SetValue(true); },
     [](auto& f) { f.Option1[0].SetValue(false); }, {}},
    {"option: the user's click raises Click", Nothing, [](auto& f) { f.Option1[1].UserClick(); },
     {"Option1(1).Click"}},
    {"option: a hidden frame hides its options from the user", [](auto& f) { f.Frame1.SetVisible(false); },
     [](auto& f) { f.Option2.UserClick(); }, {}},
    {"scroll bar: Value raises Change", Nothing, [](auto& f) { f.Scroll1.SetValue(4); }, {"Scroll1.Change"}},
    {"scroll bar: same Value raises nothing", Nothing, [](auto& f) { f.Scroll1.SetValue(0); }, {}},
    {"scroll bar: Value above Max is refused", Nothing, [](auto& f) { f.Scroll1.SetValue(11); }, {}},
    {"scroll bar: Max below Value clamps with Change", [](auto& f) { f.Scroll1.SetValue(8); },
     [](auto& f) { f.Scroll1.SetMax(5); }, {"Scroll1.Change"}},
    {"scroll bar: Max above Value raises nothing", [](auto& f) { f.Scroll1.SetValue(8); },
     [](auto& f) { f.Scroll1.SetMax(50); }, {}},
    {"scroll bar: Min above Value clamps with Change", Nothing, [](auto& f) { f.Scroll1.SetMin(3); },
     {"Scroll1.Change"}},
    {"scroll bar: a drag raises Scroll, its end Change", Nothing,
     [](auto& f) {
       f.Scroll1.UserScroll(2);
       f.Scroll1.UserScroll(3);
       f.Scroll1.UserChange(3);
     },
     {"Scroll1.Scroll", "Scroll1.Scroll", "Scroll1.Change"}},
    {"command button: the user's click raises Click", Nothing, [](auto& f) { f.Command1.UserClick(); },
     {"Command1.Click"}},
    {"label: click and mouse move", Nothing,
     [](auto& f) {
       f.Label1.UserClick();
       f.Label1.UserMouseMove(0, 0, 15, 30);
     },
     {"Label1.Click", "Label1.MouseMove"}},
    {"label: Caption raises nothing", Nothing, [](auto& f) { f.Label1.SetCaption("x"); }, {}},
    {"toolbar: a button click", Nothing, [](auto& f) { f.Toolbar1.UserClickButton("home"); },
     {"Toolbar1.ButtonClick"}},
    {"toolbar: a disabled button does nothing", Nothing, [](auto& f) { f.Toolbar1.UserClickButton("off"); }, {}},
    {"toolbar: a menu item", Nothing, [](auto& f) { f.Toolbar1.UserClickMenu("tools", "regedit"); },
     {"Toolbar1.ButtonMenuClick"}},
    {"toolbar: a disabled menu item does nothing", Nothing,
     [](auto& f) { f.Toolbar1.UserClickMenu("tools", "pedit"); }, {}},
    {"menu: the user's choice raises Click", Nothing, [](auto& f) { f.mnu_Exit.UserClick(); }, {"mnu_Exit.Click"}},
    {"menu: a separator raises nothing", Nothing, [](auto& f) { f.mnu_Sep.UserClick(); }, {}},
    {"menu: an item of a disabled menu does nothing", [](auto& f) { f.mnu_File.SetEnabled(false); },
     [](auto& f) { f.mnu_Exit.UserClick(); }, {}},
    {"menu: a hidden item does nothing", [](auto& f) { f.mnu_Exit.SetVisible(false); },
     [](auto& f) { f.mnu_Exit.UserClick(); }, {}},
    {"menu: Checked and Caption raise nothing", Nothing,
     [](auto& f) {
       f.mnu_Exit.SetChecked(true);
       f.mnu_Exit.SetCaption("Quit");
     },
     {}},
    {"toolbar: code that enables a menu item raises nothing", Nothing,
     [](auto& f) { f.Toolbar1.SetMenuEnabled("tools", "pedit", true); }, {}},
};

TEST(UiEventRules, Table) {
  for (const Case& c : kCases) {
    fake::FakeMachine m;
    ui::App app(m.msg, m.fs);
    AllControlsForm form(app);
    form.Load();
    c.setup(form);
    app.TakeEvents();
    c.act(form);
    EXPECT_EQ(app.TakeEvents(), c.expected) << c.name;
  }
}

struct FormFixture : ::testing::Test {
  fake::FakeMachine m;
  ui::App app{m.msg, m.fs};
  AllControlsForm form{app};
  void SetUp() override {
    form.Load();
    app.TakeEvents();
  }
};

using UiControls = FormFixture;

TEST_F(UiControls, EditableComboTextSelectsTheMatchingEntry) {
  form.Combo1.SetText("BETA");
  EXPECT_EQ(form.Combo1.ListIndex(), 1);
  EXPECT_EQ(form.Combo1.Text(), "BETA");
  form.Combo1.SetText("bet");
  EXPECT_EQ(form.Combo1.ListIndex(), -1);
  form.Combo1.SetListIndex(0);
  EXPECT_EQ(form.Combo1.Text(), "alpha");
  form.Combo1.SetListIndex(-1);
  EXPECT_EQ(form.Combo1.Text(), "") << "no selection empties the edit text, as the Windows control does";
}

TEST_F(UiControls, PickingTheTypedEntryAgainShowsItsOwnText) {
  form.Combo1.UserType("BETA");
  ASSERT_EQ(form.Combo1.ListIndex(), 1);
  form.Combo1.UserPick(1);
  EXPECT_EQ(form.Combo1.Text(), "Beta");
  EXPECT_EQ(app.TakeEvents(), (Events{"Combo1.Change", "Combo1.Click"}));
}

TEST_F(UiControls, RemovingTheSelectedEntryKeepsAnEditableCombosText) {
  form.Combo1.SetListIndex(1);
  form.Combo1.RemoveItem(1);
  EXPECT_EQ(form.Combo1.ListIndex(), -1);
  EXPECT_EQ(form.Combo1.Text(), "Beta");
  form.Combo2.SetListIndex(1);
  form.Combo2.RemoveItem(0);
  EXPECT_EQ(form.Combo2.ListIndex(), 0) << "the selection stays on its entry";
  EXPECT_EQ(form.Combo2.Text(), "two");
  form.Combo2.RemoveItem(0);
  EXPECT_EQ(form.Combo2.Text(), "");
  EXPECT_EQ(app.TakeEvents(), (Events{"Combo1.Click", "Combo2.Click"}));
}

TEST_F(UiControls, OptionsTurnOffOnlyWithinTheirContainer) {
  form.Option2.SetValue(true);
  form.Option3[0].SetValue(true);  // also in Frame1
  form.Option1[0].SetValue(true);
  form.Option1[1].SetValue(true);
  EXPECT_FALSE(form.Option1[0].Value());
  EXPECT_TRUE(form.Option1[1].Value());
  EXPECT_FALSE(form.Option1[2].Value());
  EXPECT_FALSE(form.Option2.Value());
  EXPECT_TRUE(form.Option3[0].Value());
}

TEST_F(UiControls, ScrollBarClampsToTheNewRange) {
  form.Scroll1.SetValue(9);
  form.Scroll1.SetMax(4);
  EXPECT_EQ(form.Scroll1.Value(), 4);
  EXPECT_FALSE(form.Scroll1.SetValue(5));
  EXPECT_EQ(form.Scroll1.Value(), 4);
}

TEST_F(UiControls, NestedHandlersRunAtOnceInsideTheirCause) {
  form.Check1.OnClick = [this] {
    form.trace.push_back("enter Check1");
    form.Text1.SetText("changed");
    form.trace.push_back("leave Check1");
  };
  form.Text1.OnChange = [this] {
    form.trace.push_back("enter Text1");
    form.Combo2.SetListIndex(0);
    form.trace.push_back("leave Text1");
  };
  form.Combo2.OnClick = [this] { form.trace.push_back("Combo2 sees " + form.Combo2.Text()); };
  form.Check1.UserClick();
  EXPECT_EQ(form.trace, (std::vector<std::string>{"enter Check1", "enter Text1", "Combo2 sees one", "leave Text1",
                                                  "leave Check1"}));
  EXPECT_EQ(app.TakeEvents(), (Events{"Check1.Click", "Text1.Change", "Combo2.Click"}));
}

TEST_F(UiControls, ArrayHandlerGetsTheElementIndex) {
  std::vector<int> seen;
  form.Option1.OnClick = [&](int index) { seen.push_back(index); };
  form.Option1[2].SetValue(true);
  form.Option1[0].UserClick();
  form.Option1.Load(7).SetValue(true);
  EXPECT_EQ(seen, (std::vector<int>{2, 0, 7}));
  EXPECT_EQ(form.Option1.UBound(), 7);
  EXPECT_EQ(form.Find("Option1", 7), &form.Option1[7]);
}

TEST_F(UiControls, ToolbarHandlersGetTheButtonAndTheMenu) {
  form.Toolbar1.UserClickMenu("tools", "regedit");
  form.Toolbar1.UserClickButton("home");
  form.Toolbar1.UserClickMenu("tools", "missing");
  EXPECT_EQ(form.trace, (std::vector<std::string>{"menu regedit", "button home"}));
}

TEST_F(UiControls, DesignTimeValuesRaiseNoLoggedEventsAndTheLogComesBack) {
  struct Case {
    const char* name;
    bool logging_before;
    bool design_throws;
  };
  const Case cases[] = {
      {"log on", true, false},
      {"log already off stays off", false, false},
      // A design step that throws must not leave the log off for good.
      {"design step throws", true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    app.Logging = c.logging_before;
    try {
      ui::DesignScope design(app);
      form.Text1.SetText(std::string("design ") + c.name);
      if (c.design_throws) throw std::runtime_error("design failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(app.Logging, c.logging_before);
    EXPECT_TRUE(app.TakeEvents().empty());
    form.Text1.SetText(c.name);
    EXPECT_EQ(app.TakeEvents(), c.logging_before ? Events{"Text1.Change"} : Events{});
  }
}

TEST_F(UiControls, MissingPictureLeavesTheControlEmpty) {
  m.fs.AddFile("C:\\Kestrelane\\data\\a.jpg", test::ReadRepoData("aa/1/2x.jpg"));
  EXPECT_TRUE(form.Image1.LoadPicture("C:\\Kestrelane\\data\\a.jpg"));
  EXPECT_EQ(form.Image1.Picture(), "C:\\Kestrelane\\data\\a.jpg");
  EXPECT_FALSE(form.Image1.LoadPicture("C:\\Kestrelane\\data\\none.jpg"));
  EXPECT_EQ(form.Image1.Picture(), "");
}

// Regression: a file that is no picture, or a BMP cut short, left the
// picture blank (or showed noise) in place of the one shown.
TEST_F(UiControls, APictureReplacesTheShownOneOnlyOnceItHasLoaded) {
  const std::string jpeg = test::ReadRepoData("aa/1/2x.jpg");
  const std::string bmp = test::ReadRepoData("cleaner/pvx.bmp");
  ASSERT_FALSE(jpeg.empty());
  ASSERT_FALSE(bmp.empty());
  const std::string shown = "C:\\Kestrelane\\data\\shown.jpg";
  struct Case {
    const char* name;
    std::string bytes;
    bool replaces;
  };
  const Case cases[] = {
      {"another JPEG", test::ReadRepoData("aa/1/auto.jpg"), true},
      {"a BMP", bmp, true},
      {"text", "jpeg", false},
      {"an empty file", "", false},
      {"a JPEG cut inside its coded data", jpeg.substr(0, jpeg.size() / 2), false},
      {"a BMP cut after its header", bmp.substr(0, 54), false},
      {"a BMP shorter than its pixels", bmp.substr(0, bmp.size() - 100), false},
  };
  m.fs.AddFile(shown, jpeg);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(form.Image1.LoadPicture(shown));
    const std::string next = "C:\\Kestrelane\\data\\next.bmp";
    m.fs.AddFile(next, c.bytes);
    EXPECT_EQ(form.Image1.LoadPicture(next), c.replaces);
    EXPECT_EQ(form.Image1.Picture(), c.replaces ? next : shown);
    EXPECT_EQ(form.Picture1.LoadPicture(next), c.replaces) << "a picture box alike";
  }
}

}  // namespace
}  // namespace ks
