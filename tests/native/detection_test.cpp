// Windows, Direct3D runtime and driver detection against fake machines.
#include <gtest/gtest.h>

#include "native/fixtures/se_rig.h"
#include "shell/Module1.h"
#include "shell/detection.h"

namespace ks::test {
namespace {

using platform::kPlatformWin32Nt;
using platform::kPlatformWin32Windows;

TEST(OsClass, Table) {
  struct Case {
    const char* name;
    platform::OsVersion version;
    std::int16_t os_class;
    const char* label;
  };
  const Case cases[] = {
      {"Windows 95", {4, 0, 950, kPlatformWin32Windows, ""}, 0, "<109>Windows 9x/Me"},
      {"Windows 98", {4, 10, 2222, kPlatformWin32Windows, ""}, 0, "<109>Windows 9x/Me"},
      {"Windows Me", {4, 90, 3000, kPlatformWin32Windows, ""}, 0, "<109>Windows 9x/Me"},
      {"NT 4", {4, 0, 1381, kPlatformWin32Nt, ""}, 1, "<109>Windows NT"},
      {"2000", {5, 0, 2195, kPlatformWin32Nt, ""}, 2, "<109>Windows 2000"},
      {"5.0 on any platform id", {5, 0, 0, kPlatformWin32Windows, ""}, 2, "<109>Windows 2000"},
      {"XP", {5, 1, 2600, kPlatformWin32Nt, ""}, 3, "<109>Windows XP "},
      {"Server 2003", {5, 2, 3790, kPlatformWin32Nt, ""}, 3, "<109>Windows XP "},
      {"Vista", {6, 0, 6000, kPlatformWin32Nt, ""}, 4, "<109>Windows Vista"},
      {"Windows 7", {6, 1, 7601, kPlatformWin32Nt, ""}, 4, "<109>Windows Vista"},
      {"major 10", {10, 0, 19045, kPlatformWin32Nt, ""}, 3, "<109>Windows XP "},
      {"major 4 on Win32s", {4, 0, 0, 0, ""}, 3, "<109>Windows XP "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SeRig rig(OsKind::kXp);
    rig.machine->sys.version = c.version;
    rig.machine->reg.PutString("HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion", "CSDVersion", "");
    rig.form.ShowOsAndDirectXVersion();
    EXPECT_EQ(rig.s.OsClass, c.os_class);
    EXPECT_EQ(rig.Label2(2), c.label);
  }
}

TEST(OsClass, FailedVersionCallFallsToClass3) {
  SeRig rig(OsKind::kWin98);
  rig.machine->sys.version_fails = true;
  rig.form.ShowOsAndDirectXVersion();
  EXPECT_EQ(rig.s.OsClass, 3);
}

TEST(OsLabel, ServicePackFromTheRegistry) {
  struct Case {
    const char* name;
    OsKind os;
    const char* expected;
  };
  const Case cases[] = {
      // Two blanks: the XP label ends with one.
      {"XP SP2", OsKind::kXp, "<109>Windows XP  with Service Pack 2"},
      {"2000 SP4", OsKind::kWin2000, "<109>Windows 2000 with Service Pack 4"},
      {"Vista without service pack", OsKind::kVista, "<109>Windows Vista"},
      {"98 has no NT key", OsKind::kWin98, "<109>Windows 9x/Me"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SeRig rig(c.os);
    rig.form.ShowOsAndDirectXVersion();
    EXPECT_EQ(rig.Label2(2), c.expected);
  }
}

TEST(DirectX, RuntimeBuildAndTextTable) {
  struct Case {
    const char* name;
    OsKind os;
    const char* d3d_version;  // "" : no runtime DLL
    std::int32_t build;
    const char* label;
  };
  const Case cases[] = {
      {"XP SP2 runtime", OsKind::kXp, "5.03.2600.2180 (xpsp_sp2_rtm.040803-2158)", 2180, "<110>9.0c (4.09.00.0904)"},
      {"9.0c redistributable", OsKind::kWin2000, "5.03.0001.0904", 904, "<110>9.0c (4.09.00.0904)"},
      {"90 is 9.0c", OsKind::kXp, "4.09.0000.0090", 90, "<110>9.0c (4.09.00.0904)"},
      {"9.0", OsKind::kXp, "4.09.0000.0900", 900, "<110>9.0 (4.09.00.0904)"},
      {"9.0a", OsKind::kXp, "4.09.0000.0901", 901, "<110>9.0a (4.09.00.0904)"},
      {"9.0b", OsKind::kXp, "4.09.0000.0902", 902, "<110>9.0b (4.09.00.0904)"},
      {"903", OsKind::kXp, "4.09.0000.0903", 903, "<110>9.0 or higher (4.09.00.0904)"},
      {"XP SP3 runtime", OsKind::kXp, "5.03.2600.5512 (xpsp.080413-0845)", 5512, "<110>9.0 or higher (4.09.00.0904)"},
      {"three digits after a point", OsKind::kXp, "5.3.1.904", 904, "<110>9.0c (4.09.00.0904)"},
      {"no runtime", OsKind::kXp, "", 0, "<110>8 or low (4.09.00.0904)"},
      {"98 reads d3d8", OsKind::kWin98, "4.09.00.0904", 904, "<110>9.0c (4.09.00.0904)"},
      // On class 4 the registry version is never shown.
      {"Vista d3d10", OsKind::kVista, "6.00.6000.16386 (vista_rtm.061101-2205)", 6386, "<110>10 or higher"},
      // The cut at 15 characters leaves 6.1.7600.16385, whose last four are 6385.
      {"Windows 7 d3d10", OsKind::kWin7, "6.1.7600.16385 (win7_rtm.090713-1255)", 6385, "<110>9.0 or higher"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MachineSpec spec = DefaultSpec(c.os);
    spec.d3d_version = c.d3d_version;
    SeRig rig(spec);
    rig.form.ShowOsAndDirectXVersion();
    EXPECT_EQ(rig.s.D3DRuntimeBuild, c.build);
    EXPECT_EQ(rig.Label2(3), c.label);
  }
}

TEST(DirectX, EachClassReadsItsOwnRuntimeDll) {
  struct Case {
    const char* name;
    OsKind os;
    const char* present;  // the only runtime DLL on the machine
    std::int32_t build;
  };
  const Case cases[] = {
      {"98 ignores d3d9", OsKind::kWin98, "\\d3d9.dll", 0},
      {"XP reads d3d9", OsKind::kXp, "\\d3d9.dll", 1234},
      {"XP ignores d3d10", OsKind::kXp, "\\d3d10.dll", 0},
      {"Vista ignores d3d9", OsKind::kVista, "\\d3d9.dll", 0},
      {"Vista reads d3d10", OsKind::kVista, "\\d3d10.dll", 1234},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MachineSpec spec = DefaultSpec(c.os);
    spec.d3d_dll = c.present;
    spec.d3d_version = "1.0.0.1234";
    SeRig rig(spec);
    rig.form.ShowOsAndDirectXVersion();
    EXPECT_EQ(rig.s.D3DRuntimeBuild, c.build);
  }
}

TEST(DriverVersion, BuildNumberFromVersionTexts) {
  struct Case {
    const char* name;
    const char* file_version;
    std::int32_t build;  // 4242: stays as it was
    const char* label;
  };
  const Case cases[] = {
      {"plain", "6.14.10.7701", 7701, "<104>6.14.10.7701"},
      {"blanks around", "  6.14.10.9371  ", 9371, "<104>  6.14.10.9371"},
      {"fourth from end is a point", "4.13.01.301", 301, "<104>4.13.01.301"},
      {"only last four digits count", "6.14.11.16386", 6386, "<104>6.14.11.16386"},
      {"not a number", "6.14.10.77a1", 4242, "<104>6.14.10.77a1"},
      // Regression: a version with text after it, or written with commas,
      // read as build 0 (the classic road on 9x, the warning on NT).
      {"text after the version", "6.14.10.7701 (English)", 7701, "<104>6.14.10.7701 (English)"},
      {"build tag after the version", "6.14.10.7701 (r77)", 7701, "<104>6.14.10.7701 (r77)"},
      {"commas", "5,3,1,904", 904, "<104>5,3,1,904"},
      {"commas and blanks", "6, 14, 10, 7701", 7701, "<104>6, 14, 10, 7701"},
      {"shorter than four", "12", 12, "<104>12"},
      {"empty", "", 4242, "<104>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MachineSpec spec = DefaultSpec(OsKind::kWin98);  // no warning on 9x
    spec.driver_version = c.file_version;
    SeRig rig(spec);
    if (std::string(c.file_version).empty()) {
      rig.machine->ver.AddDll(spec.system_directory + spec.driver_dll, fake::VersionResource::WithFileVersion(""));
    }
    rig.s.OsClass = 0;
    rig.s.DriverBuild = 4242;
    rig.form.ReadDriverVersion();
    EXPECT_EQ(rig.s.DriverBuild, c.build);
    EXPECT_EQ(rig.Label2(1), c.label);
  }
}

TEST(DriverVersion, WarningRule) {
  struct Case {
    const char* name;
    OsKind os;
    std::int16_t os_class;
    const char* file_version;  // nullptr: no driver DLL
    std::int32_t build;
    bool warns;
  };
  const Case cases[] = {
      {"XP old driver", OsKind::kXp, 3, "6.14.10.2280", 2280, true},
      {"98 old driver", OsKind::kWin98, 0, "4.14.10.2280", 2280, false},
      {"NT 4 old driver", OsKind::kNt4, 1, "6.14.10.2280", 2280, true},
      {"Vista old driver", OsKind::kVista, 4, "6.14.10.2280", 2280, true},
      {"2300 is supported", OsKind::kXp, 3, "6.14.10.2300", 2300, false},
      {"no number still warns", OsKind::kXp, 3, "6.14.10.x", 0, true},
      {"no DLL, no warning", OsKind::kXp, 3, nullptr, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MachineSpec spec = DefaultSpec(c.os);
    spec.driver_version = c.file_version ? c.file_version : "";
    SeRig rig(spec);
    rig.s.OsClass = c.os_class;
    rig.form.ReadDriverVersion();
    EXPECT_EQ(rig.s.DriverBuild, c.build);
    ASSERT_EQ(rig.machine->msg.shown().size(), c.warns ? 1u : 0u);
    if (c.warns) {
      EXPECT_EQ(rig.machine->msg.shown()[0].text, "This driver is not supported under WinXP/2k.");
      EXPECT_EQ(rig.machine->msg.shown()[0].style, platform::kMbOk);
      EXPECT_EQ(rig.machine->msg.shown()[0].caption, "KestrelaneSE");
    }
    if (!c.file_version) {
      EXPECT_EQ(rig.Label2(1), "Display driver version:");
    }
  }
}

TEST(DriverVersion, IncompleteResourcesGiveNoNumber) {
  struct Case {
    const char* name;
    fake::VersionResource resource;
    std::int32_t build;  // 9999: stays as it was
    const char* label;
  };
  fake::VersionResource no_translation = fake::VersionResource::WithFileVersion("6.14.10.7701");
  no_translation.translations.clear();
  fake::VersionResource no_file_version;
  no_file_version.translations = {{0x0409, 0x04B0}};
  no_file_version.strings["040904B0"]["ProductVersion"] = "6.14.10.7701";
  fake::VersionResource other_table = no_file_version;
  other_table.strings["040904E4"]["FileVersion"] = "6.14.10.7701";  // not the table Translation names
  fake::VersionResource german;
  german.translations = {{0x0407, 0x04E4}, {0x0409, 0x04B0}};
  german.strings["040704E4"]["FileVersion"] = "6.14.10.6177";
  german.strings["040904B0"]["FileVersion"] = "6.14.10.1111";
  const Case cases[] = {
      {"no Translation", no_translation, 9999, "<104>"},
      {"no FileVersion", no_file_version, 9999, "<104>"},
      {"FileVersion in another table", other_table, 9999, "<104>"},
      {"first Translation entry wins", german, 6177, "<104>6.14.10.6177"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MachineSpec spec = DefaultSpec(OsKind::kWin98);
    spec.driver_version = "";
    SeRig rig(spec);
    rig.machine->ver.AddDll(spec.system_directory + spec.driver_dll, c.resource);
    rig.s.DriverBuild = 9999;
    rig.form.ReadDriverVersion();
    EXPECT_EQ(rig.s.DriverBuild, c.build);
    EXPECT_EQ(rig.Label2(1), c.label);
  }
}

TEST(DriverVersion, FileWithoutResourceLeavesEverything) {
  MachineSpec spec = DefaultSpec(OsKind::kXp);
  spec.driver_version = "";
  SeRig rig(spec);
  rig.machine->fs.AddFile(spec.system_directory + "\\nv4_disp.dll", "MZ");
  rig.s.OsClass = 3;
  rig.form.ReadDriverVersion();
  EXPECT_EQ(rig.s.DriverBuild, 0);
  EXPECT_EQ(rig.Label2(1), "Display driver version:");
  EXPECT_TRUE(rig.machine->msg.shown().empty());
}

TEST(DriverKey, PerClass) {
  const std::string xp_key = std::string("SYSTEM\\CurrentControlSet\\Control\\Video\\") + kVideoClassGuid + "\\0000";
  struct Case {
    const char* name;
    std::int16_t os_class;
    const char* video0;  // nullptr: value missing
    std::string expected;
  };
  const Case cases[] = {
      {"XP from the video map", 3, "\\Registry\\Machine\\System\\CurrentControlSet\\Control\\Video\\"
                                   "{23A77BF7-ED96-40EC-AF06-9B1F4867732A}\\0000", xp_key},
      {"Vista from the video map", 4, "\\Registry\\Machine\\System\\CurrentControlSet\\Control\\Video\\"
                                      "{23A77BF7-ED96-40EC-AF06-9B1F4867732A}\\0000", xp_key},
      // A missing or short value names no device: the key stays.
      {"XP value missing", 3, nullptr, "before"},
      {"XP value too short", 3, "\\Device\\Video0", "before"},
      {"NT 4", 1, nullptr, "SYSTEM\\CurrentControlSet\\Services\\nv4\\Device0"},
      {"2000", 2, nullptr, "SYSTEM\\CurrentControlSet\\Services\\nv4\\Device0"},
      {"9x", 0, nullptr, "System\\CurrentControlSet\\Services\\Class\\Display\\0000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SeRig rig(std::make_unique<fake::FakeMachine>());
    if (c.video0) rig.machine->reg.PutString("HKLM\\HARDWARE\\DEVICEMAP\\VIDEO", "\\Device\\Video0", c.video0);
    rig.s.OsClass = c.os_class;
    rig.s.DriverKey = "before";
    rig.form.FindDriverKey();
    EXPECT_EQ(rig.s.DriverKey, c.expected);
  }
}

TEST(CardName, ReadsTheClassesValue) {
  struct Case {
    const char* name;
    std::int16_t os_class;
    const char* value_name;
    const char* text;
    const char* label;
  };
  const Case cases[] = {
      {"NT family", 3, "Device Description", "NVIDIA GeForce 6800", "<101>NVIDIA GeForce 6800"},
      {"9x", 0, "DriverDesc", "NVIDIA RIVA TNT2", "<101>NVIDIA RIVA TNT2"},
      {"9x ignores Device Description", 0, "Device Description", "NVIDIA RIVA TNT2", "<101>Unknown card"},
      {"empty name", 3, "Device Description", "", "<101>Unknown card"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SeRig rig(std::make_unique<fake::FakeMachine>());
    rig.machine->reg.PutString("HKLM\\SYSTEM\\Key", c.value_name, c.text);
    rig.s.OsClass = c.os_class;
    rig.s.DriverKey = "SYSTEM\\Key";
    rig.form.ShowCardName();
    EXPECT_EQ(rig.Label2(0), c.label);
  }
}

// The start-up order of detection on each fixture machine.
TEST(Detection, StartUpSequencePerMachine) {
  struct Case {
    const char* name;
    OsKind os;
    std::int16_t os_class;
    std::int32_t d3d_build;
    std::int32_t driver_build;
    std::string driver_key;
    const char* device_id;
    const char* card_label;
  };
  const Case cases[] = {
      {"98", OsKind::kWin98, 0, 904, 8198, DriverKeyOf(OsKind::kWin98, 0), "0110", "<101>NVIDIA GeForce2 MX/MX 400"},
      {"Me", OsKind::kWinMe, 0, 904, 8198, DriverKeyOf(OsKind::kWinMe, 0), "0110", "<101>NVIDIA GeForce2 MX/MX 400"},
      // NT 4 has no EnumDisplayDevicesA: the per-class key stays.
      {"NT 4", OsKind::kNt4, 1, 0, 7184, "SYSTEM\\CurrentControlSet\\Services\\nv4\\Device0", "",
       "<101>NVIDIA RIVA TNT2"},
      {"2000", OsKind::kWin2000, 2, 904, 5673, DriverKeyOf(OsKind::kWin2000, 0), "0281",
       "<101>NVIDIA GeForce4 Ti 4800"},
      {"XP", OsKind::kXp, 3, 2180, 9371, DriverKeyOf(OsKind::kXp, 0), "0322", "<101>NVIDIA GeForce FX 5200"},
      {"Vista", OsKind::kVista, 4, 6386, 5822, DriverKeyOf(OsKind::kVista, 0), "0191", "<101>NVIDIA GeForce 8800 GTX"},
      {"7", OsKind::kWin7, 4, 6385, 6099, DriverKeyOf(OsKind::kWin7, 0), "0191", "<101>NVIDIA GeForce 8800 GTX"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SeRig rig(c.os);
    rig.form.ShowOsAndDirectXVersion();
    rig.form.FindDriverKey();
    rig.form.ShowCardName();
    rig.form.ReadDriverVersion();
    FindNvidiaDevices(rig.s);
    rig.form.ShowCardName();
    EXPECT_EQ(rig.s.OsClass, c.os_class);
    EXPECT_EQ(rig.s.D3DRuntimeBuild, c.d3d_build);
    EXPECT_EQ(rig.s.DriverBuild, c.driver_build);
    EXPECT_EQ(rig.s.DriverKey, c.driver_key);
    EXPECT_EQ(rig.s.DeviceId, c.device_id);
    EXPECT_EQ(rig.Label2(0), c.card_label);
    EXPECT_TRUE(rig.machine->msg.shown().empty());
  }
}

}  // namespace
}  // namespace ks::test
