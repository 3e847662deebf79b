// Page 0: the control-panel flag boxes against the registry, both ways.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "hardware/cpl_flags.h"
#include "native/fixtures/se_rig.h"
#include "native/repo_data.h"

namespace ks::test {
namespace {

constexpr const char* kTweak = "HKLM\\SOFTWARE\\NVIDIA Corporation\\Global\\NVTweak";
constexpr const char* kHwKey = "Software\\NVIDIA Corporation\\Global\\NVTweak\\Hardware";

std::string Dword(std::uint32_t v) {
  return std::string{static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
                     static_cast<char>((v >> 16) & 0xFF), static_cast<char>((v >> 24) & 0xFF)};
}

struct Rig : SeRig {
  Rig(OsKind os, std::int32_t build, const std::string& device = "0322") : SeRig(os) {
    s.OsClass = os == OsKind::kWin98 ? 0 : 3;
    s.DriverBuild = build;
    s.DeviceId = device;
    s.NvTweakHwKey = kHwKey;
    form.IsStart = 0;
  }
  ControlPanelFlags& cpl() { return form.cpl(); }
  fake::FakeRegistry& reg() { return machine->reg; }
};

TEST(CplFlagTable, OneRowPerBoxWithAValue) {
  std::set<int> boxes;
  std::set<std::string> names, tags;
  for (const CplFlagRow& row : CplFlagRows()) {
    EXPECT_TRUE(boxes.insert(row.box).second) << row.box;
    EXPECT_TRUE(names.insert(row.value).second) << row.value;
    EXPECT_TRUE(tags.insert(row.tag).second) << row.tag;
    EXPECT_TRUE(row.missing == 0 || row.missing == 1) << row.value;
  }
  EXPECT_EQ(boxes, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 10}));
  for (int hidden : {7, 8, 9}) EXPECT_EQ(CplFlagRowOf(hidden), nullptr) << hidden;
}

TEST(CplFlags, TheBoxesWithoutAValueAreHidden) {
  Rig rig(OsKind::kXp, 7701);
  for (int box = 0; box <= 10; ++box)
    EXPECT_EQ(rig.form.Check7[box].Visible(), CplFlagRowOf(box) != nullptr) << box;
  EXPECT_FALSE(rig.form.Image1.Visible());
}

struct WriteCase {
  const char* name;
  OsKind os;
  std::int32_t build;
  int box;
  int state;                 // the box is set to the other state first, then to this
  std::int32_t binary_switch;  // what another writer left the switch at
  std::string key;           // "HKLM\..."
  const char* value;
  std::uint32_t stored;
};

TEST(CplFlags, AClickWritesTheBoxValueAsADword) {
  const std::string hw = std::string("HKLM\\") + kHwKey;
  const WriteCase cases[] = {
      {"CoolBits on, XP build 4041", OsKind::kXp, 4041, 0, 1, 0, kTweak, "CoolBits", 0xFFFFFFFF},
      {"CoolBits on, XP build 4040", OsKind::kXp, 4040, 0, 1, 0, kTweak, "CoolBits", 3},
      {"CoolBits on, 98 build 7701", OsKind::kWin98, 7701, 0, 1, 0, kTweak, "CoolBits", 3},
      {"CoolBits off", OsKind::kXp, 7701, 0, 0, 0, kTweak, "CoolBits", 0},
      // The switch left on by another writer used to turn these into REG_BINARY.
      {"CoolBits on with the binary switch left on", OsKind::kXp, 7701, 0, 1, 1, kTweak, "CoolBits", 0xFFFFFFFF},
      {"AGP page with the binary switch left on", OsKind::kXp, 7701, 1, 1, 1, kTweak,
       "NvCplEnableAGPSettingsPage", 1},
      {"AGP page on, XP", OsKind::kXp, 7701, 1, 1, 0, kTweak, "NvCplEnableAGPSettingsPage", 1},
      {"AGP page off, XP", OsKind::kXp, 7701, 1, 0, 0, kTweak, "NvCplEnableAGPSettingsPage", 0},
      {"AGP page on, 98: the hardware key", OsKind::kWin98, 7701, 1, 1, 0, hw, "NvCplEnableAGPSettingsPage", 1},
      {"additional info on", OsKind::kXp, 7701, 2, 1, 0, kTweak, "NvCplEnableAdditionalInfoPage", 1},
      {"troubleshooting off", OsKind::kXp, 7701, 3, 0, 0, kTweak, "NvCplEnableTroubleshootingPage", 0},
      {"application profiles on", OsKind::kXp, 7701, 4, 1, 0, kTweak, "NvCplEnableAppProfilePage", 1},
      {"application profiles grayed", OsKind::kXp, 7701, 4, 2, 0, kTweak, "NvCplEnableAppProfilePage", 2},
      {"nView override on", OsKind::kXp, 7701, 5, 1, 0, kTweak, "TwinViewCapsOverride", 1},
      {"overlay span on", OsKind::kXp, 7701, 6, 1, 0, kTweak, "NvCplEnableOverlaySpanControl", 1},
      {"refresh rate page shown", OsKind::kXp, 7701, 10, 1, 0, kTweak, "NvCplDisableRefreshRatePage", 0},
      {"refresh rate page hidden", OsKind::kXp, 7701, 10, 0, 0, kTweak, "NvCplDisableRefreshRatePage", 1},
  };
  for (const WriteCase& c : cases) {
    Rig rig(c.os, c.build);
    rig.form.Check7[c.box].SetValue(c.state == 0 ? 1 : 0);
    rig.s.reg.WriteAsBinary = c.binary_switch;
    rig.form.Check7[c.box].SetValue(c.state);
    const auto v = rig.reg().Get(c.key, c.value);
    ASSERT_TRUE(v.has_value()) << c.name;
    EXPECT_EQ(v->type, platform::kRegDword) << c.name;
    EXPECT_EQ(v->bytes, Dword(c.stored)) << c.name;
  }
}

TEST(CplFlags, HiddenBoxesAndStartUpWriteNothing) {
  Rig rig(OsKind::kXp, 7701);
  rig.reg().ClearLog();
  for (int box : {7, 8, 9}) rig.form.Check7[box].SetValue(1);
  rig.form.IsStart = 1;
  rig.form.Check7[0].SetValue(1);
  EXPECT_EQ(rig.reg().CountCalls("RegSetValueExA"), 0);
}

struct ReadCase {
  const char* name;
  OsKind os;
  std::int32_t build;
  std::string device;
  std::vector<std::pair<std::string, std::uint32_t>> stored;  // under the NVTweak key
  int box;
  int state;
  bool enabled;
};

TEST(CplFlags, LoadSetsTheBoxesFromTheRegistry) {
  const ReadCase cases[] = {
      {"CoolBits 0xFFFFFFFF", OsKind::kXp, 7701, "0322", {{"CoolBits", 0xFFFFFFFF}}, 0, 1, true},
      {"CoolBits 3", OsKind::kXp, 7701, "0322", {{"CoolBits", 3}}, 0, 1, true},
      {"CoolBits 1", OsKind::kXp, 7701, "0322", {{"CoolBits", 1}}, 0, 0, true},
      {"CoolBits 2", OsKind::kXp, 7701, "0322", {{"CoolBits", 2}}, 0, 0, true},
      {"CoolBits missing", OsKind::kXp, 7701, "0322", {}, 0, 0, true},
      {"AGP 1", OsKind::kXp, 7701, "0322", {{"NvCplEnableAGPSettingsPage", 1}}, 1, 1, true},
      {"AGP 2", OsKind::kXp, 7701, "0322", {{"NvCplEnableAGPSettingsPage", 2}}, 1, 0, true},
      {"AGP on a 0140", OsKind::kXp, 7701, "0140", {}, 1, 0, false},
      {"AGP on a 0091", OsKind::kXp, 7701, "0091", {}, 1, 0, false},
      {"AGP on a 0161", OsKind::kXp, 7701, "0161", {}, 1, 0, false},
      {"AGP on a 00FD", OsKind::kXp, 7701, "00FD", {}, 1, 0, false},
      {"AGP on a 00FE", OsKind::kXp, 7701, "00FE", {}, 1, 0, true},
      {"additional info grayed", OsKind::kXp, 7701, "0322", {{"NvCplEnableAdditionalInfoPage", 2}}, 2, 2, true},
      {"troubleshooting 1", OsKind::kXp, 7701, "0322", {{"NvCplEnableTroubleshootingPage", 1}}, 3, 1, true},
      {"troubleshooting 5 leaves the box", OsKind::kXp, 7701, "0322", {{"NvCplEnableTroubleshootingPage", 5}}, 3, 0,
       true},
      {"app profiles missing", OsKind::kXp, 5500, "0322", {}, 4, 1, true},
      {"app profiles missing, build 5499", OsKind::kXp, 5499, "0322", {}, 4, 1, false},
      {"app profiles 0", OsKind::kXp, 7701, "0322", {{"NvCplEnableAppProfilePage", 0}}, 4, 0, true},
      {"nView 1", OsKind::kXp, 7701, "0322", {{"TwinViewCapsOverride", 1}}, 5, 1, true},
      {"overlay span 1", OsKind::kXp, 7701, "0322", {{"NvCplEnableOverlaySpanControl", 1}}, 6, 1, true},
      {"refresh page missing, build 7000", OsKind::kXp, 7000, "0322", {}, 10, 1, true},
      {"refresh page missing, build 7001", OsKind::kXp, 7001, "0322", {}, 10, 0, true},
      {"refresh page 1", OsKind::kXp, 7000, "0322", {{"NvCplDisableRefreshRatePage", 1}}, 10, 0, true},
      {"refresh page 0, build 7001", OsKind::kXp, 7001, "0322", {{"NvCplDisableRefreshRatePage", 0}}, 10, 1, true},
  };
  for (const ReadCase& c : cases) {
    Rig rig(c.os, c.build, c.device);
    for (const auto& [name, value] : c.stored) rig.reg().PutDword(kTweak, name, value);
    rig.form.IsStart = 1;
    rig.cpl().LoadNvCplFlags();
    EXPECT_EQ(rig.form.Check7[c.box].Value(), c.state) << c.name;
    EXPECT_EQ(rig.form.Check7[c.box].Enabled(), c.enabled) << c.name;
  }
}

TEST(CplFlags, OnWindows98TheAgpBoxReadsWhereItIsWritten) {
  // The value used to be read from the NVTweak key while the box writes it
  // under the hardware key, so the box never showed what was stored.
  Rig rig(OsKind::kWin98, 7701);
  rig.form.Check7[1].SetValue(1);
  EXPECT_TRUE(rig.reg().Get(std::string("HKLM\\") + kHwKey, "NvCplEnableAGPSettingsPage").has_value());
  rig.form.Check7[1].SetValue(0);
  rig.reg().PutDword(std::string("HKLM\\") + kHwKey, "NvCplEnableAGPSettingsPage", 1);
  rig.cpl().LoadNvCplFlags();
  EXPECT_EQ(rig.form.Check7[1].Value(), 1);
}

TEST(CplFlags, ReloadingFromTheToolbarWritesNoDriverValue) {
  // Reading used to write back every box whose state changed: at 7001 and
  // later it created "NvCplDisableRefreshRatePage" = 0, on Windows 98 it
  // overwrote a stored AGP flag with 0.
  for (OsKind os : {OsKind::kXp, OsKind::kWin98}) {
    Rig rig(os, 7701);
    rig.reg().PutDword(std::string("HKLM\\") + kHwKey, "NvCplEnableAGPSettingsPage", 1);
    rig.reg().PutDword(kTweak, "CoolBits", 3);
    rig.reg().PutDword(kTweak, "NvCplEnableAdditionalInfoPage", 1);
    rig.reg().ClearLog();
    rig.reg().on_call = [](const fake::FakeRegistry::Call& call) {
      EXPECT_NE(call.op, "RegSetValueExA") << call.path << " " << call.name;
      EXPECT_NE(call.op, "RegCreateKeyA") << call.path;
    };
    rig.form.Toolbar1.UserClickButton("nvcpl");
    rig.reg().on_call = nullptr;
    EXPECT_EQ(rig.form.ActivePage, 0);
    EXPECT_EQ(rig.form.Check7[0].Value(), 1);
    EXPECT_EQ(rig.form.Check7[2].Value(), 1);
    EXPECT_EQ(rig.form.Check7[10].Value(), 0) << "missing at 7701: unchecked";
    EXPECT_FALSE(rig.reg().Get(kTweak, "NvCplDisableRefreshRatePage").has_value());
    // A user's click after the reload writes again.
    rig.form.Check7[3].UserClick();
    EXPECT_TRUE(rig.reg().Get(kTweak, "NvCplEnableTroubleshootingPage").has_value());
  }
}

TEST(CplFlags, StartUpReadsTheFlagsOnce) {
  Rig rig(OsKind::kXp, 7701);
  rig.reg().PutDword(kTweak, "TwinViewCapsOverride", 1);
  rig.form.Procedures.LoadNvCplFlags();
  EXPECT_EQ(rig.form.Check7[5].Value(), 1);
}

TEST(CplFlags, HoverShowsTheBoxPictureOnceAndAClickOpensDisplayProperties) {
  Rig rig(OsKind::kXp, 7701);
  rig.form.Frame1[0].SetVisible(true);
  const std::string cpl = rig.machine->fs.ProgramFolder() + "\\data\\cpl\\";
  for (const char* pic : {"additional.jpg", "debug.jpg"})
    rig.machine->fs.AddFile(cpl + pic, ReadRepoData(std::string("cpl/") + pic));
  rig.form.Check7[2].UserMouseMove(0, 0, 10, 10);
  EXPECT_TRUE(rig.form.Image1.Visible());
  EXPECT_EQ(rig.form.Image1.Picture(), cpl + "additional.jpg");
  rig.form.Check7[3].UserMouseMove(0, 0, 10, 10);
  EXPECT_EQ(rig.form.Image1.Picture(), cpl + "debug.jpg");
  EXPECT_EQ(rig.cpl().LastCplTag, "debug");
  rig.machine->fs.DeleteFile(cpl + "debug.jpg");
  rig.form.Check7[3].UserMouseMove(0, 0, 20, 10);
  EXPECT_EQ(rig.form.Image1.Picture(), cpl + "debug.jpg") << "moving within the same box loads nothing again";
  rig.form.Image1.UserClick();
  EXPECT_EQ(rig.machine->sh.control_panel_items, std::vector<std::string>{"desk.cpl"});
}

}  // namespace
}  // namespace ks::test
