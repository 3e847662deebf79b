// Reading the card's clocks: the probe, the loader, the restore, the
// defaults and the current clocks, with the driver answering at once or
// not yet; the callers' retry rule over the revision keys.
#include <gtest/gtest.h>

#include <algorithm>

#include "hardware/Clocks.h"
#include "hardware/Clocks_fx5900.h"
#include "native/clock_rig.h"

namespace ks {
namespace {

using test::ClockCard;
using test::ClockRig;
using Answer = fake::FakeNvidiaDriver::Answer;

TEST(ReadClocks, ProbesStartsTheLoaderAndPutsEverythingBack) {
  ClockRig rig;
  rig.PutDriverValues();
  const std::int32_t krusty = rig.driver.Encode({370, 760}, rig.driver.homer);
  rig.Put("Krusty", krusty);
  rig.Put("Marge", 1);
  rig.driver.set2d.in_force = {370, 760};
  const std::int32_t bart = *rig.Value(rig.ReadPath(), "Bart");

  ReadClocks(rig.s);

  EXPECT_EQ(rig.trace, (std::vector<std::string>{
                           "delete Krusty", "delete Bart", "delete Bart3D", "delete Homer",
                           "start rundll32 NvCpl.dll,NvStartup",
                           "set Homer = 74565", "set Bart = " + std::to_string(bart),
                           "set Krusty = " + std::to_string(krusty), "set Marge = 1"}));
  EXPECT_EQ(rig.State(), (std::vector<int>{350, 700, 370, 760}));
  EXPECT_EQ(rig.Value(std::string("HKLM\\") + kNvTweakKey, "CoolBits"), -1) << "written between probe and loader";
}

TEST(ReadClocks, CasesOfTheDriversAnswer) {
  struct Case {
    const char* name;
    Answer answer;
    bool values_before;         // "Homer" and "Bart" there before the read
    fake::DriverClocks in_force;
    std::vector<int> state;     // core def, mem def, core, mem
    bool values_after;          // "Homer" and "Bart" there after the read
  } cases[] = {
      {"at once, at the defaults: current from the re-read Bart", Answer::kAtOnce, true, {350, 700},
       {350, 700, 350, 700}, true},
      {"at once, overclocked: current from the loader's Krusty", Answer::kAtOnce, true, {400, 800},
       {350, 700, 400, 800}, true},
      {"at once, nothing there before: defaults from what the loader wrote, then deleted again", Answer::kAtOnce,
       false, {350, 700}, {350, 700, 350, 700}, false},
      // The re-read finds nothing: decoding it (0 with the key 0) would show
      // 24088 MHz; the pair that stood before the probe is shown instead.
      {"not yet, at the defaults: current from the saved Bart", Answer::kNotYet, true, {350, 700},
       {350, 700, 350, 700}, true},
      {"not yet, overclocked: current from the saved Krusty", Answer::kNotYet, true, {400, 800},
       {350, 700, 400, 800}, true},
      {"not yet, nothing there before: nothing to decode but zeros", Answer::kNotYet, false, {350, 700},
       {0x0322 ^ 0x5D3A, 0x0322 ^ 0x5D3A, 0x0322 ^ 0x5D3A, 0x0322 ^ 0x5D3A}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ClockRig rig;
    rig.driver.answer = c.answer;
    rig.driver.set2d.in_force = c.in_force;
    if (c.values_before) rig.PutDriverValues();
    if (c.values_before && c.in_force != rig.driver.set2d.defaults) {
      rig.Put("Marge", 1);
      rig.Put("Krusty", rig.driver.Encode(c.in_force, rig.driver.homer));
    }
    ReadClocks(rig.s);
    EXPECT_EQ(rig.State(), c.state);
    EXPECT_EQ(rig.Value(rig.ReadPath(), "Homer").has_value(), c.values_after);
    EXPECT_EQ(rig.Value(rig.ReadPath(), "Bart").has_value(), c.values_after);
    EXPECT_EQ(rig.Value(rig.ReadPath(), "Krusty").has_value(), c.values_before && c.in_force != rig.driver.set2d.defaults)
        << "Krusty as it was before the read";
  }
}

// Apply and Default delete the driver's values and start its loader; the
// read after them (the page's, or a preset's retry rule) comes before the
// loader has answered.
TEST(ReadClocks, ASlowLoaderAfterApplyKeepsTheClocksAndTheKey) {
  enum class Step { kDefault, kNewClocks };
  struct Case {
    const char* name;
    std::string device_id;
    std::int32_t use3d;
    std::vector<Step> steps;
    std::vector<int> state;
  } cases[] = {
      // Regression: the read decoded the missing pair as 24088 MHz and the
      // retry rule moved the hardware key to another revision for good.
      {"Default", "0322", 0, {Step::kDefault}, {350, 700, 350, 700}},
      {"Default, then new clocks while the values are still missing", "0322", 0,
       {Step::kDefault, Step::kNewClocks}, {350, 700, 350, 700}},
      {"separate 3D clocks, 2D set: Default", "0301", 0, {Step::kDefault}, {350, 700, 350, 700}},
      {"separate 3D clocks, 3D set: Default", "0301", 1, {Step::kDefault}, {450, 850, 450, 850}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ClockRig rig({.device_id = c.device_id, .defaults3d = c.device_id == "0301" ? fake::DriverClocks{450, 850}
                                                                                  : fake::DriverClocks{}});
    DetectClockModel(rig.s);
    rig.s.Use3DClocks = c.use3d;
    rig.PutDriverValues();
    if (rig.driver.has_3d) rig.Put("Bart3D", rig.driver.Encode({450, 850}, rig.driver.homer));
    // As the overclocking page reads: once shown, with its globals cleared.
    auto show = [&] {
      rig.s.Clocks3DShown = 1;
      rig.s.CoreClock = rig.s.MemClock = rig.s.CoreClockDef = rig.s.MemClockDef = 0;
      return ReadClocksWithRetry(rig.s, 2000);
    };
    ASSERT_TRUE(show());
    const std::vector<int> before = rig.State();
    rig.driver.answer = Answer::kNotYet;
    for (Step step : c.steps) {
      rig.s.CoreClock = step == Step::kDefault ? rig.s.CoreClockDef : 420;
      rig.s.MemClock = step == Step::kDefault ? rig.s.MemClockDef : 810;
      ApplyCardClocks(rig.s);
      ReadCardClocks(rig.s);
    }
    EXPECT_TRUE(show()) << "no retry";
    EXPECT_EQ(rig.s.NvTweakHwKey, test::kHwKeyA1);
    EXPECT_EQ(rig.State(), before) << "the clocks seen before";
    EXPECT_EQ(rig.State(), c.state);
    rig.driver.RunPending();
    rig.driver.answer = Answer::kAtOnce;
    EXPECT_TRUE(show());
    EXPECT_EQ(rig.State(), c.state) << "once the loader has answered";
  }
}

// Regression: the first read of a session, with no pair stored and the
// loader not answered yet, decoded nothing as 24088 MHz, and the retry rule
// stepped the key through five revisions for the whole session.
TEST(ReadClocks, ASlowLoaderOnTheFirstReadKeepsTheKey) {
  ClockRig rig;  // no values stored
  rig.driver.answer = Answer::kNotYet;
  EXPECT_FALSE(ReadClocksWithRetry(rig.s, 2000));
  EXPECT_FALSE(rig.s.ClocksFound) << "the clocks are not known yet";
  EXPECT_EQ(rig.s.NvTweakHwKey, test::kHwKeyA1);
  rig.driver.RunPending();
  rig.driver.answer = Answer::kAtOnce;
  EXPECT_TRUE(ReadClocksWithRetry(rig.s, 2000));
  EXPECT_TRUE(rig.s.ClocksFound);
  EXPECT_EQ(rig.s.NvTweakHwKey, test::kHwKeyA1);
  EXPECT_EQ(rig.State(), (std::vector<int>{350, 700, 350, 700}));
}

// A loader that answers with a default pair no card has is another matter:
// the retry rule goes on to the next revisions as before.
TEST(ReadClocks, ALoaderThatAnswersImplausibleDefaultsStillMovesTheKey) {
  ClockRig rig;
  rig.PutDriverValues();
  ASSERT_TRUE(ReadClocksWithRetry(rig.s, 2000));
  rig.driver.SetDefaults({2500, 700});
  ApplyClocks(rig.s);  // back to the defaults read: the values are deleted
  EXPECT_FALSE(ReadClocksWithRetry(rig.s, 2000));
  EXPECT_NE(rig.s.NvTweakHwKey.find("REV_A6"), std::string::npos) << rig.s.NvTweakHwKey;
}

TEST(ReadClocks, ADecodedClockAbove32767LeavesItsGlobal) {
  ClockRig rig;
  rig.Put("Homer", 0);
  // Default core 40000 (does not fit), memory 700.
  rig.Put("Bart", EncodeClockPair(40000, 700, 0, 0x0322));
  rig.driver.answer = Answer::kNotYet;
  rig.s.CoreClockDef = 123;
  ReadClocks(rig.s);
  EXPECT_EQ(rig.s.CoreClockDef, 123);
  EXPECT_EQ(rig.s.MemClockDef, 700);
}

TEST(ReadClocks, OnNinetyEightWithAnOldDriverTheProbeLoaderIsTheOldOne) {
  ClockRig rig({.os_class = 0, .build = 2280,
                .hw_key = "Software\\NVIDIA Corporation\\Global\\NVTweak\\Hardware"});
  rig.PutDriverValues();
  ReadClocks(rig.s);
  EXPECT_EQ(rig.Starts(), std::vector<std::string>{"rundll32 NvQtwk,NvHWCtl"});
  EXPECT_EQ(rig.State(), (std::vector<int>{350, 700, 350, 700}));
  EXPECT_EQ(rig.Value(std::string("HKLM\\") + kNvTweakKey, "CoolBits"), 3);
}

TEST(ReadClocks, WritesBackNumbersWhateverTheSwitchSaid) {
  ClockRig rig;
  rig.PutDriverValues();
  rig.s.reg.WriteAsBinary = 1;
  ReadClocks(rig.s);
  for (const char* name : {"Homer", "Bart"}) EXPECT_EQ(rig.m.reg.Get(rig.ReadPath(), name)->type, platform::kRegDword);
  EXPECT_EQ(rig.s.reg.WriteAsBinary, 0);
}

TEST(ReadClocksFX, SetsAndProbe) {
  struct Case {
    const char* name;
    std::int32_t use3d, shown;
    std::vector<std::string> trace;
    std::vector<int> state;
  } cases[] = {
      {"2D set, first read: probes like ReadClocks", 0, 0,
       {"delete Krusty", "delete Bart", "delete Bart3D", "delete Homer", "start rundll32 NvCpl.dll,NvStartup",
        "set Homer = 74565", "set Bart = B", "delete Krusty", "delete Marge"},
       {350, 700, 350, 700}},
      {"3D set, first read: Bart is deleted and left to the driver", 1, 0,
       {"delete Krusty3D", "delete Bart", "delete Bart3D", "delete Homer", "start rundll32 NvCpl.dll,NvStartup",
        "set Homer = 74565", "set Bart3D = B3", "delete Krusty3D", "delete Marge"},
       {450, 850, 450, 850}},
      {"3D set once shown: no probe, the loader still starts", 1, 1,
       {"start rundll32 NvCpl.dll,NvStartup", "set Homer = 74565", "set Bart3D = B3", "delete Krusty3D",
        "delete Marge"},
       {450, 850, 450, 850}},
  };
  // With the loader answering at once or not yet alike: a loader that has
  // not answered leaves the probed values gone, and the clocks come from the
  // values that stood before.
  for (Answer answer : {Answer::kAtOnce, Answer::kNotYet}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(c.name + std::string(answer == Answer::kAtOnce ? ", at once" : ", not yet"));
      ClockRig rig({.device_id = "0301", .defaults3d = {450, 850}});
      rig.PutDriverValues();
      const std::int32_t b3 = rig.driver.Encode({450, 850}, rig.driver.homer);
      rig.Put("Bart3D", b3);
      rig.s.Use3DClocks = c.use3d;
      rig.s.Clocks3DShown = c.shown;
      rig.driver.answer = answer;
      rig.s.reg.WriteAsBinary = 1;
      rig.m.reg.ClearLog();
      ReadClocksFX(rig.s);
      std::vector<std::string> expected = c.trace;
      for (auto& line : expected) {
        if (line == "set Bart = B") line = "set Bart = " + std::to_string(rig.driver.Encode({350, 700}, 74565));
        if (line == "set Bart3D = B3") line = "set Bart3D = " + std::to_string(b3);
      }
      EXPECT_EQ(rig.trace, expected);
      EXPECT_EQ(rig.State(), c.state);
      const auto& log = rig.m.reg.log();
      auto first = std::find_if(log.begin(), log.end(), [](const auto& call) {
        return call.op == "RegSetValueExA" || call.op == "RegQueryValueExA";
      });
      ASSERT_NE(first, log.end());
      EXPECT_EQ(first->name, "CoolBits") << "CoolBits comes first";
    }
  }
}

// The driver keeps its values under the third revision's key; the first
// holds a stale pair that decodes to an implausible default.
struct RevisionRig : ClockRig {
  RevisionRig() {
    driver.key = "HKCU\\" + Key("A3");
    m.reg.PutDword("HKCU\\" + Key("A1"), "Homer", 0);
    m.reg.PutDword("HKCU\\" + Key("A1"), "Bart", static_cast<std::uint32_t>(EncodeClockPair(2500, 700, 0, 0x0322)));
  }
  static std::string Key(const std::string& rev) {
    std::string key = test::kHwKeyA1;
    return key.replace(key.find("REV_A1") + 4, 2, rev);
  }
};

TEST(ReadClocksWithRetry, StepsTheRevisionUntilTheDefaultsArePlausible) {
  RevisionRig rig;
  EXPECT_TRUE(ReadClocksWithRetry(rig.s, 2000));
  EXPECT_EQ(rig.s.NvTweakHwKey, RevisionRig::Key("A3"));
  EXPECT_EQ(rig.State(), (std::vector<int>{350, 700, 350, 700}));
  EXPECT_EQ(rig.driver.runs, 3);
}

TEST(ReadClocksWithRetry, Limits) {
  struct Case {
    const char* name;
    std::int32_t def_core;
    int limit;
    bool accepted;
  } cases[] = {
      {"2000 is accepted at 2000", 2000, 2000, true},
      {"2001 is not", 2001, 2000, false},
      {"3000 at the profile manager's limit", 3000, 3000, true},
      {"3001 is not", 3001, 3000, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ClockRig rig({.defaults = {c.def_core, 700}});
    bool ok = ReadClocksWithRetry(rig.s, c.limit);
    EXPECT_EQ(ok, c.accepted);
    EXPECT_EQ(rig.driver.runs, c.accepted ? 1 : 5) << "at most five reads";
    EXPECT_EQ(rig.s.NvTweakHwKey.find(c.accepted ? "REV_A1" : "REV_A6") != std::string::npos, true)
        << rig.s.NvTweakHwKey;
  }
}

TEST(ReadClocksWithRetry, AKeyWithoutRevisionIsReadFiveTimes) {
  ClockRig rig({.hw_key = "Software\\NVIDIA Corporation\\Global\\NVTweak\\Hardware", .defaults = {2500, 700}});
  EXPECT_FALSE(ReadClocksWithRetry(rig.s, 2000));
  EXPECT_EQ(rig.driver.runs, 5);
  EXPECT_EQ(rig.s.NvTweakHwKey, "Software\\NVIDIA Corporation\\Global\\NVTweak\\Hardware");
}

}  // namespace
}  // namespace ks
