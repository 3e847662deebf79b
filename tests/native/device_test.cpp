// The NVIDIA display device search and the chip revision, against fake machines.
#include <gtest/gtest.h>

#include "native/fixtures/se_rig.h"
#include "shell/Module1.h"
#include "shell/Module2.h"

namespace ks::test {
namespace {

platform::DisplayDevice Device(const std::string& id, const std::string& key) {
  platform::DisplayDevice d;
  d.device_id = id;
  d.device_key = key;
  return d;
}

TEST(FindNvidiaDevices, PerMachine) {
  struct Case {
    const char* name;
    OsKind os;
    std::int32_t driver_build;  // as ReadDriverVersion left it
    std::string driver_key;
    const char* device_id;
    std::int16_t id_num;
    std::string hw_key;
    std::int32_t count;
  };
  const std::string nvtweak = "Software\\NVIDIA Corporation\\Global\\NVTweak\\";
  const Case cases[] = {
      {"98 with a new driver", OsKind::kWin98, 8198, DriverKeyOf(OsKind::kWin98, 0), "0110", 0x0110,
       nvtweak + "Devices\\VEN_10DE&DEV_0110&SUBSYS_00000000&REV_A1&INST00\\Hardware", 1},
      {"98 with a driver below 2500", OsKind::kWin98, 2499, DriverKeyOf(OsKind::kWin98, 0), "0110", 0x0110,
       nvtweak + "Hardware", 1},
      {"2000", OsKind::kWin2000, 2180, DriverKeyOf(OsKind::kWin2000, 0), "0281", 0x0281,
       nvtweak + "Devices\\VEN_10DE&DEV_0281&SUBSYS_00000000&REV_A1&INST00\\Hardware", 1},
      {"XP", OsKind::kXp, 9371, DriverKeyOf(OsKind::kXp, 0), "0322", 0x0322,
       nvtweak + "Devices\\VEN_10DE&DEV_0322&SUBSYS_00000000&REV_A1&INST00\\Hardware", 1},
      {"Vista", OsKind::kVista, 5822, DriverKeyOf(OsKind::kVista, 0), "0191", 0x0191,
       nvtweak + "Devices\\VEN_10DE&DEV_0191&SUBSYS_00000000&REV_A2&INST00\\Hardware", 1},
      // Regression: no EnumDisplayDevicesA used to empty DriverKey.
      {"NT 4 keeps the key it had", OsKind::kNt4, 7184, "before", "", 0, "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SeRig rig(c.os);
    rig.s.OsClass = DefaultSpec(c.os).version.platform_id == 1 ? 0 : 3;
    rig.s.DriverBuild = c.driver_build;
    rig.s.DriverKey = "before";
    FindNvidiaDevices(rig.s);
    EXPECT_EQ(rig.s.DriverKey, c.driver_key);
    EXPECT_EQ(rig.s.DeviceId, c.device_id);
    EXPECT_EQ(rig.s.DevicePrefix, std::string(c.device_id).substr(0, 3));
    EXPECT_EQ(rig.s.DeviceIdNum, c.id_num);
    EXPECT_EQ(rig.s.DeviceIdNumCopy, c.id_num);
    EXPECT_EQ(rig.s.NvTweakHwKey, c.hw_key);
    EXPECT_EQ(rig.s.AdapterCount, c.count);
  }
}

// Regression: a machine without an NVIDIA device used to get an empty
// DriverKey, sending every driver write to the root of HKEY_LOCAL_MACHINE.
TEST(FindNvidiaDevices, OtherVendorOnlyKeepsTheKey) {
  MachineSpec spec = DefaultSpec(OsKind::kXp);
  spec.cards.clear();
  spec.other_devices = {Device("PCI\\VEN_1002&DEV_4E48&SUBSYS_00021002&REV_00",
                               "\\Registry\\Machine\\System\\CurrentControlSet\\Control\\Video\\{X}\\0000"),
                        Device("", "\\Registry\\Machine\\System\\CurrentControlSet\\Services\\mirror\\Device0")};
  SeRig rig(spec);
  rig.s.OsClass = 3;
  rig.s.DriverKey = "SYSTEM\\CurrentControlSet\\Control\\Video\\{X}\\0000";
  FindNvidiaDevices(rig.s);
  EXPECT_EQ(rig.s.DriverKey, "SYSTEM\\CurrentControlSet\\Control\\Video\\{X}\\0000");
  EXPECT_EQ(rig.s.DeviceId, "");
  EXPECT_EQ(rig.s.DevicePrefix, "");
  EXPECT_EQ(rig.s.DeviceIdNum, 0);
  EXPECT_EQ(rig.s.NvTweakHwKey, "");
  EXPECT_EQ(rig.s.AdapterCount, 0);
  EXPECT_EQ(rig.machine->disp.enum_calls, 3) << "every device is asked for, and one call past the last";
}

TEST(FindNvidiaDevices, SeveralDevices) {
  struct Case {
    const char* name;
    std::vector<const char*> ids;  // device ids of the NVIDIA devices, in order
    std::int32_t count;
    const char* last_id;
  };
  const Case cases[] = {
      {"two outputs of one card", {"0322", "0322"}, 2, "0322"},
      {"two cards", {"0322", "0191"}, 2, "0191"},
      {"eight devices", {"0020", "0028", "0110", "0200", "0281", "0322", "0045", "0191"}, 8, "0191"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MachineSpec spec = DefaultSpec(OsKind::kXp);
    spec.cards.clear();
    for (const char* id : c.ids) {
      CardSpec card;
      card.device_id = id;
      spec.cards.push_back(card);
    }
    spec.other_devices = {Device("PCI\\VEN_8086&DEV_2562&SUBSYS_00000000&REV_01", "\\Registry\\Machine\\System\\I")};
    SeRig rig(spec);
    rig.s.OsClass = 3;
    FindNvidiaDevices(rig.s);
    EXPECT_EQ(rig.s.AdapterCount, c.count);
    EXPECT_EQ(rig.s.DriverKey, DriverKeyOf(OsKind::kXp, 0)) << "the first device's key";
    EXPECT_EQ(rig.s.DeviceId, c.last_id) << "the last device's id";
    for (int i = 0; i < 7; ++i) {
      std::string expected = i < c.count ? DriverKeyOf(OsKind::kXp, i) : "";
      EXPECT_EQ(rig.s.AdapterDriverKeys[static_cast<size_t>(i)], expected) << "slot " << i;
    }
  }
}

TEST(ParseDeviceId, HardwareIds) {
  struct Case {
    const char* name;
    const char* hardware_id;
    const char* device_id;  // "keep": stays as it was
    std::int16_t id_num;
    const char* tweak_key;
  };
  const Case cases[] = {
      {"full id", "PCI\\VEN_10DE&DEV_0322&SUBSYS_00000000&REV_A1", "0322", 0x0322,
       "Devices\\VEN_10DE&DEV_0322&SUBSYS_00000000&REV_A1&INST00"},
      {"blanks around", "  PCI\\VEN_10DE&DEV_0141&SUBSYS_01231043&REV_A2 ", "0141", 0x0141,
       "Devices\\VEN_10DE&DEV_0141&SUBSYS_01231043&REV_A2&INST00"},
      {"text after the revision", "PCI\\VEN_10DE&DEV_0191&SUBSYS_039E10DE&REV_A2\\4&1", "0191", 0x0191,
       "Devices\\VEN_10DE&DEV_0191&SUBSYS_039E10DE&REV_A2&INST00"},
      {"id from 8000 is negative", "PCI\\VEN_10DE&DEV_8001&SUBSYS_00000000&REV_A1", "8001", -32767,
       "Devices\\VEN_10DE&DEV_8001&SUBSYS_00000000&REV_A1&INST00"},
      // Short or odd ids must not read past their end.
      {"no subsystem part", "PCI\\VEN_10DE&DEV_0322", "0322", 0x0322, "keep"},
      {"vendor only", "PCI\\VEN_10DE", "keep", 7, "keep"},
      {"not hexadecimal", "PCI\\VEN_10DE&DEV_03G2&SUBSYS_00000000&REV_A1", "keep", 7,
       "Devices\\VEN_10DE&DEV_03G2&SUBSYS_00000000&REV_A1&INST00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SeRig rig(std::make_unique<fake::FakeMachine>());
    rig.s.DeviceId = "keep";
    rig.s.DeviceIdNum = 7;
    rig.s.NvTweakDeviceKey = "keep";
    ParseDeviceId(rig.s, c.hardware_id);
    EXPECT_EQ(rig.s.DeviceId, c.device_id);
    EXPECT_EQ(rig.s.DeviceIdNum, c.id_num);
    EXPECT_EQ(rig.s.NvTweakDeviceKey, c.tweak_key);
  }
}

TEST(FindNvidiaDevices, VendorTestAndDriverKeys) {
  struct Case {
    const char* name;
    const char* hardware_id;
    const char* device_key;
    bool nvidia;
    const char* driver_key;
  };
  const Case cases[] = {
      {"XP key", "PCI\\VEN_10DE&DEV_0322&SUBSYS_00000000&REV_A1",
       "\\Registry\\Machine\\System\\CurrentControlSet\\Control\\Video\\{G}\\0000", true,
       "System\\CurrentControlSet\\Control\\Video\\{G}\\0000"},
      {"9x key unchanged", "PCI\\VEN_10DE&DEV_0322&SUBSYS_00000000&REV_A1",
       "System\\CurrentControlSet\\Services\\Class\\Display\\0000", true,
       "System\\CurrentControlSet\\Services\\Class\\Display\\0000"},
      {"upper-case SYSTEM is not found", "PCI\\VEN_10DE&DEV_0322&SUBSYS_00000000&REV_A1",
       "\\REGISTRY\\MACHINE\\SYSTEM\\X", true, "\\REGISTRY\\MACHINE\\SYSTEM\\X"},
      {"blanks before the id", "   PCI\\VEN_10DE&DEV_0322&SUBSYS_00000000&REV_A1", "\\Registry\\Machine\\System\\K",
       true, "System\\K"},
      {"lower-case vendor", "PCI\\VEN_10de&DEV_0322&SUBSYS_00000000&REV_A1", "\\Registry\\Machine\\System\\K", false,
       ""},
      {"other vendor", "PCI\\VEN_1002&DEV_10DE&SUBSYS_00000000&REV_00", "\\Registry\\Machine\\System\\K", false, ""},
      {"too short for a vendor", "PCI\\VEN_10D", "\\Registry\\Machine\\System\\K", false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SeRig rig(std::make_unique<fake::FakeMachine>());
    rig.machine->disp.devices = {Device(c.hardware_id, c.device_key)};
    rig.s.OsClass = 3;
    FindNvidiaDevices(rig.s);
    EXPECT_EQ(rig.s.AdapterCount, c.nvidia ? 1 : 0);
    EXPECT_EQ(rig.s.DriverKey, c.driver_key);
  }
}

TEST(GetChipRevision, FromTheHardwareKey) {
  struct Case {
    const char* name;
    const char* hw_key;
    const char* revision;
  };
  const Case cases[] = {
      {"device form", "Software\\NVIDIA Corporation\\Global\\NVTweak\\Devices\\VEN_10DE&DEV_0322&SUBSYS_00000000&REV_A1&"
                      "INST00\\Hardware", "A1"},
      {"9x form has none", "Software\\NVIDIA Corporation\\Global\\NVTweak\\Hardware", ""},
      {"empty key", "", ""},
      {"REV_ at the end", "x&REV_", ""},
      {"one character left", "x&REV_B", "B"},
      {"blank trimmed", "x&REV_ 5\\y", "5"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SeRig rig(std::make_unique<fake::FakeMachine>());
    rig.s.ChipRevision = "old";
    rig.s.NvTweakHwKey = c.hw_key;
    GetChipRevision(rig.s);
    EXPECT_EQ(rig.s.ChipRevision, c.revision);
  }
}

}  // namespace
}  // namespace ks::test
