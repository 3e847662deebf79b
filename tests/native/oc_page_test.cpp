// Page 3 of the main window on a fake machine whose driver keeps a card's
// clocks: what the first visit shows and enables, Apply and Default, the
// sliders, the overclocking switch, the startup box and the speed choice.
#include <gtest/gtest.h>

#include <algorithm>

#include "hardware/Clocks.h"
#include "native/clock_rig.h"
#include "native/fixtures/machines.h"
#include "shell/Form1.h"

namespace ks::test {
namespace {

using Answer = fake::FakeNvidiaDriver::Answer;

constexpr const char* kNvTweakUser = "HKCU\\Software\\NVIDIA Corporation\\Global\\NVTweak";
const std::string kRun = std::string("HKLM\\") + kRunKey;

struct PageRig : ClockRig {
  Form1 f{s};

  // Without driver values the driver has stored no pair yet.
  explicit PageRig(const ClockCard& card = ClockCard(), bool overclocked = true, bool driver_values = true)
      : ClockRig(card) {
    MarkLanguage(s);
    if (driver_values) PutDriverValues();
    if (driver_values && overclocked) {
      // The card runs at 370/760 MHz by an earlier request.
      Put("Krusty", driver.Encode({370, 760}, driver.homer));
      Put("Marge", 1);
      driver.set2d.in_force = {370, 760};
    }
    DetectClockModel(s);
    if (s.ClockModel == 1) {
      f.Option1[0].SetEnabled(true);
      f.Option1[1].SetEnabled(true);
    }
  }
  // The first showing of page 3.
  void Visit() {
    f.ActivePage = 3;
    f.ShowPage();
  }
  std::vector<std::string> Labels() {
    std::vector<std::string> captions;
    for (int i = 0; i < 4; ++i) captions.push_back(f.Label1[i].Caption());
    return captions;
  }
  std::vector<std::string> Texts() { return {f.Text1[0].Text(), f.Text1[1].Text()}; }
  // Enabled state of Label1(0..4), Check2, Option1(0), Option1(1), Text1(0), Text1(1),
  // FlatScrollBar1(0), FlatScrollBar1(1), Command1(0), Command1(1), as a string of 0 and 1.
  std::string EnabledMap() {
    std::string map;
    for (int i = 0; i < 5; ++i) map += f.Label1[i].Enabled() ? '1' : '0';
    map += ' ';
    map += f.Check2.Enabled() ? '1' : '0';
    map += ' ';
    for (int i = 0; i < 2; ++i) map += f.Option1[i].Enabled() ? '1' : '0';
    map += ' ';
    for (int i = 0; i < 2; ++i) map += f.Text1[i].Enabled() ? '1' : '0';
    map += ' ';
    for (int i = 0; i < 2; ++i) map += f.FlatScrollBar1[i].Enabled() ? '1' : '0';
    map += ' ';
    for (int i = 0; i < 2; ++i) map += f.Command1[i].Enabled() ? '1' : '0';
    return map;
  }
  std::vector<std::string> Messages() {
    std::vector<std::string> texts;
    for (const auto& box : m.msg.shown()) texts.push_back(box.text);
    return texts;
  }
};

TEST(OverclockingPage, FirstVisitShowsTheCardsClocks) {
  PageRig rig;
  EXPECT_EQ(rig.EnabledMap(), "00000 0 00 00 00 00") << "all waits for the first visit";
  rig.Visit();
  EXPECT_EQ(rig.EnabledMap(), "11111 1 00 11 11 11");
  EXPECT_EQ(rig.Labels(),
            (std::vector<std::string>{"<92>350 MHz", "<94>700 MHz", "<93>370 MHz", "<95>760 MHz"}));
  EXPECT_EQ(rig.Texts(), (std::vector<std::string>{"370", "760"}));
  EXPECT_EQ(rig.f.FlatScrollBar1[0].Min(), 269);
  EXPECT_EQ(rig.f.FlatScrollBar1[0].Max(), 455);
  EXPECT_EQ(rig.f.FlatScrollBar1[0].Value(), 370);
  EXPECT_EQ(rig.f.FlatScrollBar1[1].Min(), 538);
  EXPECT_EQ(rig.f.FlatScrollBar1[1].Max(), 910);
  EXPECT_EQ(rig.f.FlatScrollBar1[1].Value(), 760);
  EXPECT_TRUE(rig.f.Option1[0].Value());
  EXPECT_EQ(rig.Value(kNvTweakUser, "PerfLevel"), 0) << "selecting 2D speed stores the level";
  EXPECT_EQ(rig.s.Clocks3DShown, 1);
  EXPECT_TRUE(rig.Messages().empty());

  const int runs = rig.driver.runs;
  rig.f.ActivePage = 4;
  rig.f.ShowPage();
  rig.Visit();
  EXPECT_EQ(rig.driver.runs, runs) << "only the first visit reads the clocks";
}

TEST(OverclockingPage, SpeedChoiceFromTheStoredLevel) {
  struct Case {
    const char* name;
    const char* device;
    std::optional<std::uint32_t> level;
    bool option3d;
    std::int32_t use3d;
    std::string enabled;
  } cases[] = {
      {"no level, 2D card", "0322", std::nullopt, false, 0, "11111 1 00 11 11 11"},
      {"level 0, 3D card", "0301", 0, false, 0, "11111 1 11 11 11 11"},
      {"level 2, 3D card: the memory box waits", "0301", 2, true, 1, "11111 1 11 10 10 11"},
      // The 2D procedures then run; they always read "Bart" and "Krusty".
      {"level 2 on a 2D card still selects 3D speed", "0322", 2, true, 1, "11111 1 00 10 10 11"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    PageRig rig({.device_id = c.device, .defaults3d = {450, 850}});
    rig.Put("Bart3D", rig.driver.Encode({450, 850}, rig.driver.homer));
    if (c.level) rig.m.reg.PutDword(kNvTweakUser, "PerfLevel", *c.level);
    rig.Visit();
    EXPECT_EQ(rig.f.Option1[1].Value(), c.option3d);
    EXPECT_EQ(rig.f.Option1[0].Value(), !c.option3d);
    EXPECT_EQ(rig.s.Use3DClocks, c.use3d);
    EXPECT_EQ(rig.EnabledMap(), c.enabled);
    const bool shows3d = c.option3d && rig.s.ClockModel == 1;
    EXPECT_EQ(rig.Labels()[0], shows3d ? "<92>450 MHz" : "<92>350 MHz");
  }
}

TEST(OverclockingPage, StartupBoxFollowsTheRunValueWithoutWritingIt) {
  for (bool present : {true, false}) {
    PageRig rig;
    if (present) rig.m.reg.PutString(kRun, "NvCplDaemon", "RUNDLL32.EXE X\\NvCpl.dll,NvStartup");
    rig.Visit();
    EXPECT_EQ(rig.f.Check2.Value(), present ? ui::kChecked : ui::kUnchecked);
    EXPECT_EQ(rig.m.reg.Get(kRun, "NvCplDaemon").has_value(), present);
    EXPECT_TRUE(rig.Messages().empty());
    EXPECT_EQ(rig.f.IsStart, 0);
  }
}

TEST(OverclockingPage, StartupBoxClicks) {
  struct Case {
    const char* name;
    std::string system_directory;
    const char* written;
  } cases[] = {
      {"the system folder where Windows put it", "D:\\WINNT\\System32", "RUNDLL32.EXE D:\\WINNT\\System32\\NvCpl.dll,NvStartup"},
      {"no system folder: found on the search path", "", "RUNDLL32.EXE NvCpl.dll,NvStartup"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    PageRig rig;
    rig.m.sys.system_directory = c.system_directory;
    rig.Visit();
    rig.s.reg.WriteAsBinary = 1;
    rig.f.Check2.UserClick();
    auto v = rig.m.reg.Get(kRun, "NvCplDaemon");
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(v->type, platform::kRegSz);
    EXPECT_EQ(v->bytes, std::string(c.written) + '\0');
    EXPECT_EQ(rig.Messages(), std::vector<std::string>{"<96>"});
    rig.f.Check2.UserClick();
    EXPECT_FALSE(rig.m.reg.Get(kRun, "NvCplDaemon").has_value());
    EXPECT_EQ(rig.Messages().size(), 1u);
  }
}

TEST(OverclockingPage, ApplyAndDefault) {
  struct Case {
    const char* name;
    int button;
    std::string core, mem;
    fake::DriverClocks in_force;
    std::vector<std::string> texts;
  } cases[] = {
      {"Apply requests the boxes' clocks", 0, "420", "810", {420, 810}, {"420", "810"}},
      {"a fraction is rounded, a half to the even neighbour", 0, "420.5", " 809.5 ", {420, 810}, {"420", "810"}},
      {"Default goes back to the driver's clocks", 1, "420", "810", {350, 700}, {"350", "700"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    PageRig rig;
    rig.Visit();
    rig.f.Text1[0].UserType(c.core);
    rig.f.Text1[1].UserType(c.mem);
    rig.f.Command1[c.button].UserClick();
    EXPECT_EQ(rig.driver.set2d.in_force, c.in_force);
    EXPECT_EQ(rig.Texts(), c.texts) << "the page shows what the driver holds";
    EXPECT_EQ(rig.Labels()[2], "<93>" + c.texts[0] + " MHz");
    EXPECT_TRUE(rig.Messages().empty());
  }
}

TEST(OverclockingPage, ApplyWithTheDriverAnsweringLater) {
  // The loader has not answered by the time of the page's reads: the
  // page keeps showing what stood before, and the next visit's read shows
  // the request in force.
  PageRig rig;
  rig.Visit();
  rig.driver.answer = Answer::kNotYet;
  rig.f.Text1[0].UserType("430");
  rig.f.Command1[0].UserClick();
  EXPECT_EQ(rig.Texts(), (std::vector<std::string>{"430", "760"}));
  rig.driver.RunPending();
  EXPECT_EQ(rig.driver.set2d.in_force, (fake::DriverClocks{430, 760}));
}

// Regression: Default deleted the driver's values before its loader had
// answered; the page's read decoded nothing as 24088 MHz, stepped the
// hardware key through five revisions and said the card was not found.
// Regression: the page then showed the request Default had just removed
// (370/760) as the current clocks, and Apply sent it again.
TEST(OverclockingPage, DefaultWithTheDriverAnsweringLaterKeepsTheKey) {
  PageRig rig;
  rig.Visit();
  ASSERT_EQ(rig.Texts(), (std::vector<std::string>{"370", "760"}));
  rig.driver.answer = Answer::kNotYet;
  rig.f.Command1[1].UserClick();
  EXPECT_EQ(rig.Labels(), (std::vector<std::string>{"<92>350 MHz", "<94>700 MHz", "<93>350 MHz", "<95>700 MHz"}))
      << "the clocks the driver goes back to";
  EXPECT_EQ(rig.Texts(), (std::vector<std::string>{"350", "700"}));
  EXPECT_EQ(rig.s.NvTweakHwKey, kHwKeyA1);
  EXPECT_TRUE(rig.Messages().empty());
  rig.driver.RunPending();
  EXPECT_EQ(rig.driver.set2d.in_force, (fake::DriverClocks{350, 700}));
  rig.driver.answer = Answer::kAtOnce;
  rig.f.ShowClocks();
  EXPECT_EQ(rig.Labels()[2], "<93>350 MHz") << "the next read shows what the driver holds";
  EXPECT_EQ(rig.s.NvTweakHwKey, kHwKeyA1);
}

// Regression: the first visit of a session, before the loader had answered
// and with no pair stored, stepped the key through five revisions.
TEST(OverclockingPage, FirstVisitWithASlowLoaderKeepsTheKey) {
  PageRig rig(ClockCard(), false, false);
  rig.driver.answer = Answer::kNotYet;
  rig.Visit();
  EXPECT_EQ(rig.s.NvTweakHwKey, kHwKeyA1);
  rig.driver.RunPending();
  rig.driver.answer = Answer::kAtOnce;
  rig.f.ShowClocks();
  EXPECT_EQ(rig.Labels()[0], "<92>350 MHz");
  EXPECT_EQ(rig.s.NvTweakHwKey, kHwKeyA1);
}

TEST(OverclockingPage, ClockBoxesThatHoldNoClockChangeNothing) {
  struct Case {
    const char* name;
    std::string core, mem;
  } cases[] = {
      {"a word", "fast", "760"},
      {"empty", "", "760"},
      {"above 16 bits", "40000", "760"},
      {"below 16 bits", "370", "-40000"},
      {"an exponent past 16 bits", "1e9", "760"},
      {"two numbers", "370 380", "760"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    PageRig rig;
    rig.Visit();
    rig.f.Text1[0].UserType(c.core);
    rig.f.Text1[1].UserType(c.mem);
    rig.trace.clear();
    rig.m.reg.ClearLog();
    const std::size_t started = rig.m.proc.started().size();
    rig.f.Command1[0].UserClick();
    EXPECT_EQ(rig.Messages(), std::vector<std::string>{"<99>"});
    EXPECT_TRUE(rig.trace.empty()) << "nothing written, deleted or started";
    EXPECT_EQ(rig.m.reg.CountCalls("RegSetValueExA"), 0);
    EXPECT_EQ(rig.m.proc.started().size(), started);
    EXPECT_EQ(rig.s.CoreClock, 370);
    EXPECT_EQ(rig.Texts(), (std::vector<std::string>{c.core, c.mem})) << "the boxes keep what was typed";
  }
}

TEST(OverclockingPage, ApplyCannotRunAgainWhileItRuns) {
  PageRig rig;
  rig.Visit();
  rig.f.Text1[0].UserType("420");
  rig.trace.clear();
  int clicks = 0;
  // A second click and a click on Default reach the loop while the apply lets events run.
  rig.m.reg.on_call = [&, inner = rig.m.reg.on_call](const fake::FakeRegistry::Call& call) {
    inner(call);
    if (call.op == "RegSetValueExA" && call.name == "Krusty" && clicks++ == 0) {
      rig.s.app.Post([&] { rig.f.Command1[0].UserClick(); });
      rig.s.app.Post([&] { rig.f.Command1[1].UserClick(); });
    }
  };
  rig.f.Command1[0].UserClick();
  EXPECT_EQ(std::count(rig.trace.begin(), rig.trace.end(), "start rundll32 NvCpl.dll,NvStartup"), 3)
      << "one apply loader and the two reads' loaders";
  EXPECT_EQ(rig.driver.set2d.in_force, (fake::DriverClocks{420, 760})) << "Default did not run";
  rig.f.Command1[1].UserClick();
  EXPECT_EQ(rig.driver.set2d.in_force, (fake::DriverClocks{350, 700})) << "it runs again once the apply is done";
}

TEST(OverclockingPage, Sliders) {
  struct Case {
    const char* name;
    fake::DriverClocks in_force;
    int thumb;
    std::string text;
  } cases[] = {
      {"a clock in range puts the thumb on it", {370, 760}, 370, "370"},
      // The box keeps the clock; only the thumb stops at the end.
      {"a clock above the range", {1000, 760}, 455, "1000"},
      {"a clock below the range", {100, 760}, 269, "100"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    PageRig rig;
    rig.Put("Krusty", rig.driver.Encode(c.in_force, rig.driver.homer));
    rig.driver.set2d.in_force = c.in_force;
    rig.Visit();
    EXPECT_EQ(rig.f.FlatScrollBar1[0].Value(), c.thumb);
    EXPECT_EQ(rig.f.Text1[0].Text(), c.text);
    EXPECT_EQ(rig.Labels()[2], "<93>" + c.text + " MHz");
  }
  PageRig rig;
  rig.Visit();
  const int runs = rig.driver.runs;
  rig.f.FlatScrollBar1[0].UserScroll(400);
  EXPECT_EQ(rig.f.Text1[0].Text(), "400");
  rig.f.FlatScrollBar1[1].UserChange(800);
  EXPECT_EQ(rig.f.Text1[1].Text(), "800");
  EXPECT_EQ(rig.driver.runs, runs) << "moving a slider applies nothing";
}

TEST(OverclockingPage, SwitchingOverclockingOffAndOn) {
  PageRig rig({.device_id = "0301"});
  rig.Visit();
  rig.trace.clear();
  rig.f.Check10.UserClick();
  EXPECT_EQ(rig.EnabledMap(), "00000 0 00 00 00 00");
  EXPECT_EQ(rig.trace.front(), "delete Krusty") << "the clocks were reset";
  EXPECT_EQ(rig.driver.set2d.in_force, (fake::DriverClocks{350, 700}));
  EXPECT_EQ(rig.Value(rig.WritePath(), "Marge"), 0);

  rig.f.Check10.UserClick();
  EXPECT_EQ(rig.EnabledMap(), "11111 1 00 11 11 11") << "the speed choice stays off";
  EXPECT_EQ(rig.Labels()[2], "<93>350 MHz");
}

TEST(OverclockingPage, HandlersWaitWhileTheProgramSetsControls) {
  PageRig rig;
  rig.Visit();
  rig.trace.clear();
  rig.f.IsStart = 1;
  rig.f.Check10.SetValue(ui::kUnchecked);
  rig.f.Check2.SetValue(ui::kChecked);
  rig.f.Option1[1].SetValue(true);
  EXPECT_TRUE(rig.trace.empty());
  EXPECT_FALSE(rig.m.reg.Get(kRun, "NvCplDaemon").has_value());
  EXPECT_EQ(rig.Value(kNvTweakUser, "PerfLevel"), 0);
  EXPECT_EQ(rig.EnabledMap(), "11111 1 00 11 11 11");
}

TEST(OverclockingPage, SpeedOptionsStoreTheLevelAndShowTheirSet) {
  PageRig rig({.device_id = "0301", .defaults3d = {450, 850}}, false);
  rig.Put("Bart3D", rig.driver.Encode({450, 850}, rig.driver.homer));
  rig.Visit();
  rig.s.reg.WriteAsBinary = 1;
  rig.f.Option1[1].UserClick();
  EXPECT_EQ(rig.m.reg.Get(kNvTweakUser, "PerfLevel")->type, platform::kRegDword);
  EXPECT_EQ(rig.Value(kNvTweakUser, "PerfLevel"), 2);
  EXPECT_EQ(rig.s.Use3DClocks, 1);
  EXPECT_EQ(rig.Labels(), (std::vector<std::string>{"<92>450 MHz", "<94>850 MHz", "<93>450 MHz", "<95>850 MHz"}));
  EXPECT_FALSE(rig.f.Text1[1].Enabled());

  rig.f.Text1[0].UserType("500");
  rig.f.Command1[0].UserClick();
  EXPECT_EQ(rig.driver.set3d.in_force, (fake::DriverClocks{500, 850}));
  EXPECT_EQ(rig.driver.set2d.in_force, (fake::DriverClocks{350, 700}));

  rig.f.Option1[0].UserClick();
  EXPECT_EQ(rig.Value(kNvTweakUser, "PerfLevel"), 0);
  EXPECT_EQ(rig.Labels()[2], "<93>350 MHz");
  EXPECT_TRUE(rig.f.Text1[1].Enabled());
}

TEST(OverclockingPage, ImplausibleDefaultsTryFiveRevisionsThenSaySo) {
  struct Case {
    const char* name;
    std::int32_t def_core;
    int reads;
    std::vector<std::string> messages;
  } cases[] = {
      {"2000 MHz is accepted", 2000, 1, {}},
      {"2001 MHz tries the next revisions", 2001, 5, {"<97>032<98>"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    PageRig rig({.defaults = {c.def_core, 700}}, false);
    rig.Visit();
    // The first visit shows the clocks twice: the 2D option's handler, then EnableOC itself.
    EXPECT_EQ(rig.driver.runs, 2 * c.reads);
    EXPECT_EQ(rig.Messages().size(), 2 * c.messages.size());
    if (!c.messages.empty()) {
      EXPECT_EQ(rig.Messages()[0], c.messages[0]);
    }
  }
}

}  // namespace
}  // namespace ks::test
