// Applying and resetting clocks: the order of the writes, deletes and
// loader starts, for both clock models, with the driver's loader answering
// at once or not yet, and what the card ends up running at.
#include <gtest/gtest.h>

#include "hardware/Clocks.h"
#include "hardware/Clocks_fx5900.h"
#include "native/clock_rig.h"

namespace ks {
namespace {

using test::ClockCard;
using test::ClockRig;
using Answer = fake::FakeNvidiaDriver::Answer;
using Trace = std::vector<std::string>;

constexpr const char* kStart = "start rundll32 NvCpl.dll,NvStartup";
constexpr const char* kStartMissing = "start rundll32 nvcpl.dll,NvStartup";

std::string Set(const std::string& name, std::int32_t v) { return "set " + name + " = " + std::to_string(v); }

TEST(ApplyClocks, Sequences) {
  struct Case {
    const char* name;
    Answer answer;
    bool values_before;   // the driver's "Homer" and "Bart" there
    std::int32_t homer;   // the driver's key number
    fake::DriverClocks request;
    // "K" stands for the encoded request, "B" for the default pair.
    Trace trace;
    fake::DriverClocks in_force;
  } cases[] = {
      {"new clocks", Answer::kAtOnce, true, 74565, {400, 800},
       {"set Geraklit = 2", "set Gesiod = 2", "set Marge = 1", "set Krusty = K", kStart, "set Bart = B",
        "set Marge = 1"},
       {400, 800}},
      {"the defaults: the request is removed around the reset loader", Answer::kAtOnce, true, 74565, {350, 700},
       {"set Geraklit = 2", "set Gesiod = 2", "delete Krusty", "set Krusty = B", kStart, "delete Marge",
        "delete Krusty", "delete Bart", "delete Homer"},
       {350, 700}},
      {"values missing, the loader answers at once", Answer::kAtOnce, false, 74565, {400, 800},
       {"set Geraklit = 2", "set Gesiod = 2", "set Marge = 1", "delete Krusty", "delete Bart", kStartMissing,
        "set Krusty = K", kStart, "set Bart = B", "set Marge = 1"},
       {400, 800}},
      // Encoding with a zero key would plant a garbage request: nothing is requested.
      {"values missing, the loader has not answered yet", Answer::kNotYet, false, 74565, {400, 800},
       {"set Geraklit = 2", "set Gesiod = 2", "set Marge = 1", "delete Krusty", "delete Bart", kStartMissing},
       {350, 700}},
      {"a stored Homer of 0 is a key like any other", Answer::kAtOnce, true, 0, {400, 800},
       {"set Geraklit = 2", "set Gesiod = 2", "set Marge = 1", "delete Krusty", "delete Bart", kStartMissing,
        "set Krusty = K", kStart, "set Bart = B", "set Marge = 1"},
       {400, 800}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ClockRig rig({.homer = c.homer});
    rig.driver.answer = c.answer;
    if (c.values_before) rig.PutDriverValues();
    rig.s.CoreClockDef = 350;
    rig.s.MemClockDef = 700;
    rig.s.CoreClock = static_cast<std::int16_t>(c.request.core);
    rig.s.MemClock = static_cast<std::int16_t>(c.request.mem);

    ApplyClocks(rig.s);
    rig.driver.RunPending();

    Trace expected = c.trace;
    for (auto& line : expected) {
      if (line == "set Krusty = K") line = Set("Krusty", rig.driver.Encode(c.request, c.homer));
      if (line == "set Krusty = B" || line == "set Bart = B") {
        line.replace(line.size() - 1, 1, std::to_string(rig.driver.Encode({350, 700}, c.homer)));
      }
    }
    EXPECT_EQ(rig.trace, expected);
    EXPECT_EQ(rig.driver.set2d.in_force, c.in_force);
  }
}

TEST(ApplyClocks, ThenReadingShowsWhatTheDriverHolds) {
  for (Answer answer : {Answer::kAtOnce, Answer::kNotYet}) {
    ClockRig rig;
    rig.driver.answer = answer;
    rig.PutDriverValues();
    ReadClocks(rig.s);
    rig.driver.RunPending();
    rig.s.CoreClock = 420;
    rig.s.MemClock = 810;
    ApplyClocks(rig.s);
    rig.driver.RunPending();
    rig.driver.answer = Answer::kAtOnce;
    ReadClocks(rig.s);
    EXPECT_EQ(rig.State(), (std::vector<int>{350, 700, 420, 810}));
    EXPECT_EQ(rig.driver.set2d.in_force, (fake::DriverClocks{420, 810}));
  }
}

TEST(ApplyClocks, PageFlagsWithNewerDrivers) {
  struct Case {
    const char* name;
    std::int32_t build;
    std::optional<std::int32_t> geraklit, gesiod;  // before
    std::optional<std::int32_t> geraklit_after, gesiod_after;
  } cases[] = {
      {"build 5501, Gesiod missing: both 2", 5501, 5, std::nullopt, 2, 2},
      {"build 5501, both there: untouched", 5501, 5, 6, 5, 6},
      {"build 5500: untouched", 5500, std::nullopt, std::nullopt, std::nullopt, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ClockRig rig({.build = c.build});
    rig.PutDriverValues();
    if (c.geraklit) rig.Put("Geraklit", *c.geraklit);
    if (c.gesiod) rig.Put("Gesiod", *c.gesiod);
    rig.s.CoreClock = 400;
    ApplyClocks(rig.s);
    EXPECT_EQ(rig.Value(rig.WritePath(), "Geraklit"), c.geraklit_after);
    EXPECT_EQ(rig.Value(rig.WritePath(), "Gesiod"), c.gesiod_after);
  }
}

TEST(ApplyClocks, NumbersStayNumbersAfterAnotherWriterLeftTheSwitchOn) {
  ClockRig rig;
  rig.PutDriverValues();
  rig.s.CoreClock = 400;
  rig.s.reg.WriteAsBinary = 1;
  ApplyClocks(rig.s);
  for (const auto& line : rig.trace) EXPECT_EQ(line.find("(type"), std::string::npos) << line;
  EXPECT_EQ(rig.s.reg.WriteAsBinary, 0);
  EXPECT_EQ(rig.m.reg.Get(std::string("HKLM\\") + kNvTweakKey, "CoolBits")->type, platform::kRegDword);
}

TEST(ApplyClocks, NinetyEightWithAnOldDriver) {
  struct Case {
    const char* name;
    std::int32_t build;
    Trace trace;
  } cases[] = {
      {"build 2280: the old loader and its Run value", 2280,
       {"set Marge = 1", "set Krusty = K", "start rundll32 NvQtwk,NvXTInit",
        "set Run NvInitialize = \"RUNDLL32.EXE NvQTwk.dll,NvXTInit\"", "set Bart = B", "set Marge = 1"}},
      {"build 2281: the new loader, no Run value", 2281,
       {"set Marge = 1", "set Krusty = K", kStart, "set Bart = B", "set Marge = 1"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ClockRig rig({.os_class = 0, .build = c.build, .hw_key = "Software\\NVIDIA Corporation\\Global\\NVTweak\\Hardware"});
    rig.PutDriverValues();
    rig.s.CoreClockDef = 350;
    rig.s.MemClockDef = 700;
    rig.s.CoreClock = 400;
    rig.s.MemClock = 800;
    ApplyClocks(rig.s);
    Trace expected = c.trace;
    for (auto& line : expected) {
      if (line == "set Krusty = K") line = Set("Krusty", rig.driver.Encode({400, 800}, rig.driver.homer));
      if (line == "set Bart = B") line = Set("Bart", rig.driver.Encode({350, 700}, rig.driver.homer));
    }
    EXPECT_EQ(rig.trace, expected);
    EXPECT_TRUE(rig.m.reg.HasKey("HKLM\\" + rig.s.NvTweakHwKey)) << "writers use the machine's root here";
  }
}

TEST(ApplyClocksFX, WorksOnTheSetInUse) {
  struct Case {
    const char* name;
    std::int32_t use3d;
    fake::DriverClocks request;
    Trace trace;  // "K" the encoded request, "B" the set's default pair
  } cases[] = {
      {"3D set, new clocks", 1, {500, 900},
       {"set Marge = 1", "set Krusty3D = K", kStart, "set Bart3D = B", "set Marge = 1"}},
      {"3D set, the defaults", 1, {450, 850},
       {"delete Krusty3D", "set Krusty3D = B", kStart, "delete Marge", "delete Krusty3D", "delete Bart3D",
        "delete Homer"}},
      {"2D set, new clocks", 0, {400, 800},
       {"set Marge = 1", "set Krusty = K", kStart, "set Bart = B", "set Marge = 1"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ClockRig rig({.device_id = "0301", .defaults3d = {450, 850}});
    rig.PutDriverValues();
    rig.Put("Bart3D", rig.driver.Encode({450, 850}, rig.driver.homer));
    rig.s.ClockModel = 1;
    rig.s.Use3DClocks = c.use3d;
    const fake::DriverClocks defaults = c.use3d ? fake::DriverClocks{450, 850} : fake::DriverClocks{350, 700};
    rig.s.CoreClockDef = static_cast<std::int16_t>(defaults.core);
    rig.s.MemClockDef = static_cast<std::int16_t>(defaults.mem);
    rig.s.CoreClock = static_cast<std::int16_t>(c.request.core);
    rig.s.MemClock = static_cast<std::int16_t>(c.request.mem);
    rig.s.reg.WriteAsBinary = 1;

    ApplyCardClocks(rig.s);

    Trace expected = c.trace;
    for (auto& line : expected) {
      if (line.back() == 'K') line.replace(line.size() - 1, 1, std::to_string(rig.driver.Encode(c.request, 74565)));
      if (line.back() == 'B') line.replace(line.size() - 1, 1, std::to_string(rig.driver.Encode(defaults, 74565)));
    }
    EXPECT_EQ(rig.trace, expected) << "no page flags, whatever the build";
    EXPECT_FALSE(rig.m.reg.Get(std::string("HKLM\\") + kNvTweakKey, "CoolBits").has_value());
    EXPECT_EQ(rig.s.reg.WriteAsBinary, 0);
    EXPECT_EQ(c.use3d ? rig.driver.set3d.in_force : rig.driver.set2d.in_force, c.request);
  }
}

TEST(ResetClocks, Sequences) {
  struct Case {
    const char* name;
    ClockCard card;
    Trace trace;
  } cases[] = {
      {"XP", ClockCard(),
       {"delete Krusty", "delete Marge", "delete Bart", "delete Lisa", "delete Homer", "delete Geraklit",
        "delete Gesiod", "set Geraklit = 1", "set Gesiod = 2", "set Marge = 0", kStart}},
      {"9x build 2499: the old loader, the Run value deleted",
       ClockCard{.os_class = 0, .build = 2499, .hw_key = "Software\\NVIDIA Corporation\\Global\\NVTweak\\Hardware"},
       {"delete Krusty", "delete Marge", "delete Bart", "delete Lisa", "delete Homer", "delete Geraklit",
        "delete Gesiod", "set Geraklit = 1", "set Gesiod = 2", "set Marge = 0", "start rundll32 NvQtwk,NvXTInit",
        "delete Run NvInitialize"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ClockRig rig(c.card);
    rig.PutDriverValues();
    rig.Put("Marge", 1);
    rig.Put("Krusty", rig.driver.Encode({400, 800}, rig.driver.homer));
    rig.Put("Bart3D", 77);
    rig.m.reg.PutString(std::string("HKLM\\") + kRunKey, "NvInitialize", "x");
    rig.driver.set2d.in_force = {400, 800};
    rig.s.reg.WriteAsBinary = 1;
    ResetClocks(rig.s);
    EXPECT_EQ(rig.trace, c.trace);
    EXPECT_EQ(rig.driver.set2d.in_force, (fake::DriverClocks{350, 700}));
    EXPECT_EQ(rig.Value(rig.WritePath(), "Bart3D"), 77) << "the 3D pair is left alone";
    EXPECT_EQ(rig.s.reg.WriteAsBinary, 0);
  }
}

}  // namespace
}  // namespace ks
