// The clock model at start-up: the card found decides whether the 2D/3D
// speed choice of page 3 is offered.
#include <gtest/gtest.h>

#include "hardware/Clocks.h"
#include "native/fixtures/se_rig.h"
#include "platform/fake/nvidia_driver.h"

namespace ks::test {
namespace {

TEST(ClockModelAtStartup, TheCardFoundDecidesTheSpeedChoice) {
  struct Case {
    const char* device_id;
    std::int32_t model;
  } cases[] = {{"0301", 1}, {"0140", 1}, {"0141", 2}, {"0322", 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.device_id);
    MachineSpec spec = DefaultSpec(OsKind::kXp);
    spec.cards[0].device_id = c.device_id;
    SeRig rig(spec);
    rig.form.Load();
    EXPECT_EQ(rig.s.ClockModel, c.model);
    EXPECT_EQ(rig.form.Option1[0].Enabled(), c.model == 1);
    EXPECT_EQ(rig.form.Option1[1].Enabled(), c.model == 1);
  }
}

// A card of the fixtures, found by start-up's own detection: its clocks
// are read, shown, applied and reset on page 3.
TEST(ClocksOfAFixtureCard, ReadShownAppliedAndReset) {
  struct Case {
    const char* name;
    OsKind os;
    std::string driver_version;  // "" keeps the machine's
    std::string device_id;
  } cases[] = {
      {"Windows 98 with a driver of the shared hardware key", OsKind::kWin98, "4.13.01.2280", "0110"},
      {"XP, card with separate 3D clocks", OsKind::kXp, "", "0301"},
      {"Windows 2000", OsKind::kWin2000, "", "0281"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MachineSpec spec = DefaultSpec(c.os);
    if (!c.driver_version.empty()) spec.driver_version = c.driver_version;
    spec.cards[0].device_id = c.device_id;
    spec.cards[0].default_clocks = {275, 550};
    SeRig rig(spec);
    fake::FakeNvidiaDriver driver(rig.machine->reg, rig.machine->proc);
    driver.key = ClockKeyOf(spec, spec.cards[0]);
    driver.homer = spec.cards[0].homer;
    driver.device_id = static_cast<std::uint16_t>(std::stoul(c.device_id, nullptr, 16));
    driver.SetDefaults({275, 550});
    rig.form.Load();
    MarkLanguage(rig.s);
    EXPECT_EQ(driver.key.substr(5), rig.s.NvTweakHwKey) << "start-up found the card's hardware key";

    rig.form.ActivePage = 3;
    rig.form.ShowPage();
    EXPECT_EQ(rig.form.Label1[0].Caption(), "<92>275 MHz");
    EXPECT_EQ(rig.form.Label1[1].Caption(), "<94>550 MHz");
    EXPECT_EQ(rig.form.Label1[2].Caption(), "<93>275 MHz");

    rig.form.Text1[0].UserType("300");
    rig.form.Text1[1].UserType("600");
    rig.form.Command1[0].UserClick();
    EXPECT_EQ(driver.set2d.in_force, (fake::DriverClocks{300, 600}));
    EXPECT_EQ(rig.form.Label1[2].Caption(), "<93>300 MHz");
    EXPECT_EQ(rig.form.Label1[3].Caption(), "<95>600 MHz");

    rig.form.Check10.UserClick();
    EXPECT_EQ(driver.set2d.in_force, (fake::DriverClocks{275, 550}));
    EXPECT_FALSE(rig.form.Command1[0].Enabled());
  }
}

TEST(ClocksWithoutACard, LeaveTheRegistryAlone) {
  MachineSpec spec = DefaultSpec(OsKind::kXp);
  spec.cards.clear();
  SeRig rig(spec);
  rig.form.Load();
  ASSERT_EQ(rig.s.NvTweakHwKey, "");
  rig.machine->reg.ClearLog();
  rig.form.ActivePage = 3;
  rig.form.ShowPage();
  rig.form.Text1[0].UserType("300");
  rig.form.Command1[0].UserClick();
  rig.form.Check10.UserClick();
  for (const auto& call : rig.machine->reg.log()) {
    if (call.op != "RegSetValueExA" && call.op != "RegDeleteValueA") continue;
    EXPECT_EQ(call.name, "PerfLevel") << "only the speed level is stored";
  }
  EXPECT_TRUE(rig.machine->proc.started().empty()) << "no loader without a card";
  EXPECT_EQ(rig.form.Label1[0].Caption(), "<92>0 MHz");
}

}  // namespace
}  // namespace ks::test
