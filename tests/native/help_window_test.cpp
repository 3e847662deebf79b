// The help window: hover topics, its fade-in, closing and the help switch;
// the options strip's slide timers.
#include <gtest/gtest.h>

#include "form1_rig.h"

namespace ks::test {
namespace {

struct Help : Form1Rig, ::testing::Test {
  Help() {
    f.Load();
    f.Show();
    f.Move(600, 400, f.Width(), f.Height());
    // The Z-buffer box is enabled only for cards with more than two
    // textures; this machine's card is not in the chip data.
    f.Check6[0].SetEnabled(true);
  }
  Form5& help() { return f.form5(); }
  void Go(int page) {
    f.ActivePage = page;
    f.ShowPage();
  }
  std::vector<int> VisibleTopics() {
    std::vector<int> topics;
    for (int i = 0; i < kHelpTopicCount; ++i)
      if (help().Frame1[i].Visible()) topics.push_back(i);
    return topics;
  }
  // Moves the pointer over the control (its page shown first).
  void Hover(const std::string& name, int index) {
    ui::Control* c = f.Find(name, index);
    ASSERT_NE(c, nullptr) << name << index;
    for (ui::Frame* frame = c->Container(); frame; frame = frame->Container())
      if (frame->Name() == "Frame1") Go(frame->Index());
    switch (c->kind()) {
      case ui::Kind::kLabel: static_cast<ui::Label*>(c)->UserMouseMove(0, 0, 10, 10); break;
      case ui::Kind::kCheckBox: static_cast<ui::CheckBox*>(c)->UserMouseMove(0, 0, 10, 10); break;
      case ui::Kind::kFrame: static_cast<ui::Frame*>(c)->UserMouseMove(0, 0, 10, 10); break;
      default: FAIL() << name;
    }
  }
};

TEST_F(Help, EveryHoverRowShowsItsTopicOrNothing) {
  struct Case {
    const char* control;
    int index;  // -1: a lone control
    int topic;  // -1: none
  };
  // The topic of each title and check box of the tweak pages.
  const Case cases[] = {
      {"Label6", 0, 0},  {"Label6", 1, 3},  {"Label6", 2, 2},  {"Label6", 3, 1},   {"Label4", 0, 6},
      {"Label4", 1, 3},  {"Label4", 4, 1},  {"Label4", 5, 2},  {"Label4", 2, -1},  {"Label4", 3, -1},
      {"Frame5", -1, 5}, {"Check4", 1, 5},  {"Check4", 2, 5},  {"Check4", 3, 5},   {"Check4", 4, 4},
      {"Check4", 0, -1}, {"Check4", 5, -1}, {"Check3", 0, 14}, {"Check3", 1, 14},  {"Check5", 0, 11},
      {"Check5", 1, 12}, {"Check5", 2, -1}, {"Check6", 0, 9},  {"Check6", 1, 10},  {"Label7", 1, 13},
      {"Label7", 3, 7},  {"Label7", 4, 8},  {"Label7", 0, -1}, {"Label7", 2, -1},  {"Label7", 5, -1},
      {"Label7", 6, -1}, {"Label7", 7, -1}, {"Label8", 1, 7},  {"Label8", 2, 8},   {"Label8", 0, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.control) + "(" + std::to_string(c.index) + ")");
    help().Unload();
    Hover(c.control, c.index);
    if (c.topic < 0) {
      EXPECT_FALSE(help().Loaded());
      continue;
    }
    EXPECT_TRUE(help().Visible());
    EXPECT_EQ(st.HelpTopic, c.topic);
    EXPECT_EQ(VisibleTopics(), std::vector<int>{c.topic});
  }
}

TEST_F(Help, WindowStandsAgainstTheMainWindowsRightSide) {
  Hover("Check5", 0);
  EXPECT_EQ(help().Left(), 600 + kForm1Width);
  EXPECT_EQ(help().Top(), 400);
  EXPECT_FALSE(help().Modal());
}

// The topic already shown: hovering its control again leaves the window
// where the user put it, even after the main window has moved.
TEST_F(Help, HoveringTheShownTopicAgainLeavesTheWindowWhereItIs) {
  struct Case {
    const char* control;
    int index;
  };
  const Case cases[] = {{"Check5", 0}, {"Label6", 0}, {"Frame5", -1}, {"Label8", 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.control) + "(" + std::to_string(c.index) + ")");
    help().Unload();
    f.Move(600, 400, f.Width(), f.Height());
    Hover(c.control, c.index);
    ASSERT_TRUE(help().Visible());
    ASSERT_EQ(help().Left(), 600 + kForm1Width);
    help().UserMove(1500, 2250, help().Width(), help().Height());
    f.UserMove(300, 150, f.Width(), f.Height());
    Hover(c.control, c.index);
    EXPECT_EQ(help().Left(), 1500);
    EXPECT_EQ(help().Top(), 2250);
    EXPECT_TRUE(help().Visible());
  }
}

TEST_F(Help, FadesInOnceInFiftyOneSteps) {
  Hover("Check5", 0);
  EXPECT_EQ(help().Opacity(), 0);
  st.app.Advance(5 * 50);
  EXPECT_EQ(help().Opacity(), 250);
  EXPECT_TRUE(help().Timer1.Enabled());
  st.app.Advance(5);
  EXPECT_EQ(help().Opacity(), 255);
  EXPECT_FALSE(help().Timer1.Enabled());
  st.app.Advance(100);
  EXPECT_EQ(help().FadeLevel(), 255) << "never passes 255";

  Hover("Check5", 1);
  EXPECT_EQ(VisibleTopics(), std::vector<int>{12});
  EXPECT_EQ(help().Opacity(), 255) << "a new topic does not fade again";
}

TEST_F(Help, AfterCloseTheSameTopicShowsAgainAndFadesIn) {
  Hover("Check6", 0);
  st.app.Advance(1000);
  help().Command2.UserClick();
  EXPECT_FALSE(help().Loaded());
  EXPECT_EQ(st.HelpTopic, 999);
  Hover("Check6", 0);
  EXPECT_TRUE(help().Visible());
  EXPECT_EQ(VisibleTopics(), std::vector<int>{9});
  EXPECT_EQ(help().Opacity(), 0);
  st.app.Advance(5);
  EXPECT_EQ(help().Opacity(), 5);
}

TEST_F(Help, SwitchedOffNothingShowsAndOnAgainTheLastTopicShows) {
  Hover("Label7", 1);
  f.Check11.UserClick();
  EXPECT_EQ(StoredNumber("HelpSystem"), 0u);
  EXPECT_EQ(st.HelpSystemOn, 0);
  EXPECT_FALSE(help().Loaded());
  EXPECT_FALSE(f.Image4.Visible());
  Hover("Label7", 1);
  Hover("Check5", 0);
  EXPECT_FALSE(help().Loaded());
  f.Check11.UserClick();
  EXPECT_EQ(StoredNumber("HelpSystem"), 1u);
  EXPECT_TRUE(f.Image4.Visible());
  Hover("Label7", 1);
  EXPECT_TRUE(help().Visible());
  EXPECT_EQ(VisibleTopics(), std::vector<int>{13});
}

TEST_F(Help, AnisotropyTopicsWithAndWithoutTheViewerButton) {
  Hover("Label6", 0);
  EXPECT_EQ(VisibleTopics(), std::vector<int>{0});
  EXPECT_EQ(help().Command1.Container(), &help().Frame1[0]);
  Hover("Label4", 0);
  EXPECT_EQ(VisibleTopics(), std::vector<int>{6});
  EXPECT_EQ(help().Frame1[6].Caption(), help().Frame1[0].Caption());
  EXPECT_EQ(kHelpTopics[6].text, std::string(kHelpTopics[0].text));
  for (ui::Control* c : help().controls())
    EXPECT_FALSE(c->Container() == &help().Frame1[6] && c->kind() == ui::Kind::kCommandButton);
}

TEST_F(Help, ViewerButtonStartsTarrowWithoutWaiting) {
  const std::string tarrow = kProgram + "\\data\\tarrow.exe";
  m.fs.AddFile(tarrow, "MZ");
  Hover("Label6", 0);
  help().Command1.UserClick();
  ASSERT_EQ(m.proc.started().size(), 1u);
  EXPECT_EQ(m.proc.started()[0].command_line, "\"" + tarrow + "\"");
  EXPECT_EQ(m.proc.started()[0].style, platform::WindowStyle::kNormalFocus);
  EXPECT_EQ(m.proc.waits, 0);
}

TEST_F(Help, MissingViewerStartsNothingAndTheWindowGoesOn) {
  Hover("Label6", 0);
  help().Command1.UserClick();
  EXPECT_TRUE(m.proc.started().empty());
  EXPECT_TRUE(help().Visible());
  EXPECT_TRUE(m.msg.shown().empty());
}

TEST_F(Help, LodChoiceSwitchesThePicture) {
  Hover("Label6", 3);
  const std::string pic = kProgram + "\\data\\hs\\pic\\";
  EXPECT_EQ(help().Image1.Picture(), pic + "normal_lod.jpg");
  EXPECT_EQ(help().Image2.Picture(), pic + "mipmap.jpg");
  EXPECT_TRUE(help().Option1[1].Value());
  struct Case {
    int option;
    const char* picture;
  };
  for (const Case& c : {Case{0, "high_lod.jpg"}, Case{2, "low_lod.jpg"}, Case{1, "normal_lod.jpg"}}) {
    help().Option1[c.option].UserClick();
    EXPECT_EQ(help().Image1.Picture(), pic + c.picture) << c.option;
  }
}

TEST_F(Help, MainWindowUnloadClosesTheHelpWindow) {
  Hover("Check3", 0);
  f.UserClose();
  EXPECT_FALSE(help().Loaded());
  EXPECT_EQ(st.HelpTopic, 999);
}

struct Slide : Form1Rig, ::testing::Test {
  Slide() {
    f.Load();
    f.Show();
  }
  std::vector<int> HeightsOver(int ticks) {
    std::vector<int> heights;
    for (int i = 0; i < ticks; ++i) {
      st.app.Advance(100);
      heights.push_back(f.Height());
    }
    return heights;
  }
};

TEST_F(Slide, OptionsLabelGrowsTheWindowToTheTallHeight) {
  f.Label13.UserMouseMove(0, 0, 5, 5);
  EXPECT_EQ(HeightsOver(9), (std::vector<int>{5725, 5825, 5925, 6025, 6125, 6225, 6325, 6405, 6405}));
  EXPECT_FALSE(f.Timer1.Enabled());
  f.Label13.UserMouseMove(0, 0, 5, 5);
  EXPECT_FALSE(f.Timer1.Enabled()) << "already tall";
}

TEST_F(Slide, APageShrinksTheWindowBack) {
  f.Label13.UserMouseMove(0, 0, 5, 5);
  HeightsOver(8);
  f.Frame1[4].UserMouseMove(0, 0, 5, 5);
  EXPECT_EQ(HeightsOver(9), (std::vector<int>{6305, 6205, 6105, 6005, 5905, 5805, 5705, 5625, 5625}));
  EXPECT_FALSE(f.Timer2.Enabled());
  f.Frame1[4].UserMouseMove(0, 0, 5, 5);
  EXPECT_FALSE(f.Timer2.Enabled()) << "already short";
}

TEST_F(Slide, MovingOverTheLabelAgainStartsNoSecondTimer) {
  f.Label13.UserMouseMove(0, 0, 5, 5);
  st.app.Advance(150);
  EXPECT_EQ(f.Height(), 5725);
  f.Label13.UserMouseMove(0, 0, 5, 5);
  st.app.Advance(50);
  EXPECT_EQ(f.Height(), 5825) << "the running timer kept its count";
}

TEST_F(Slide, EachTickStopsTheOtherTimer) {
  f.Label13.UserMouseMove(0, 0, 5, 5);
  st.app.Advance(350);
  f.Frame1[4].UserMouseMove(0, 0, 5, 5);
  EXPECT_TRUE(f.Timer2.Enabled());
  st.app.Advance(50);
  EXPECT_FALSE(f.Timer2.Enabled()) << "the growing tick stopped the shrinking timer";
  EXPECT_EQ(f.Height(), 6025);
  f.Timer2.SetEnabled(true);
  st.app.Advance(50);
  f.Timer1.SetEnabled(true);
  st.app.Advance(50);
  EXPECT_FALSE(f.Timer1.Enabled()) << "the shrinking tick stopped the growing timer";
  EXPECT_EQ(f.Height(), 5925);
  st.app.Advance(1000);
  EXPECT_EQ(f.Height(), 5625);
}

}  // namespace
}  // namespace ks::test
