// The system information page: memory, processors and the graphics chip labels.
#include <gtest/gtest.h>

#include <cmath>

#include "native/fixtures/se_rig.h"
#include "shell/sysinfo_page.h"

namespace ks::test {
namespace {

std::uint64_t Mb(double mb) { return static_cast<std::uint64_t>(std::llround(mb * 1024.0 * 1024.0)); }

TEST(GetMemInfo, Rounding) {
  struct Case {
    const char* name;
    std::uint64_t total;
    std::uint64_t avail;
    bool has_ex;
    const char* text;
    std::int32_t avail_mb;
  };
  const Case cases[] = {
      {"511.4 rounds to 511, plus one is 512", Mb(511.4), Mb(230.6), true, "512", 232},
      {"511.6", Mb(511.6), Mb(100), true, "512", 101},
      {"1022.4 stays 1022", Mb(1022.4), Mb(100.5), true, "1022", 101},
      {"1023.4 gives 1024", Mb(1023.4), Mb(0), true, "1024", 1},
      {"1023.5 rounds half to even", Mb(1023.5), Mb(1.5), true, "1024", 3},
      {"4 GB", Mb(4096), Mb(2500), true, "4096", 2501},
      // Regression: the old record read as signed 32 bits went negative from 2 GB.
      {"3 GB without the 64-bit status", Mb(3072), Mb(2100), false, "3072", 2101},
      {"8 GB without the 64-bit status stops at 4 GB", Mb(8192), Mb(6000), false, "4096", 4097},
      {"8 GB with the 64-bit status", Mb(8192), Mb(6000), true, "8192", 6001},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SeRig rig(std::make_unique<fake::FakeMachine>());
    rig.machine->sys.memory.total_phys = c.total;
    rig.machine->sys.memory.avail_phys = c.avail;
    rig.machine->sys.has_memory_status_ex = c.has_ex;
    EXPECT_EQ(rig.form.GetMemInfo(), c.text);
    EXPECT_EQ(rig.form.AvailableMemoryMB, c.avail_mb);
  }
}

TEST(ShowSystemInfo, LabelsOnXp) {
  SeRig rig(OsKind::kXp);
  rig.s.DeviceId = "0141";
  rig.s.NvTweakHwKey = "Software\\NVIDIA Corporation\\Global\\NVTweak\\Devices\\VEN_10DE&DEV_0141&SUBSYS_0&REV_A2&INST00"
                       "\\Hardware";
  rig.machine->reg.PutString("HKLM\\HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", "ProcessorNameString",
                             "      Intel(R) Pentium(R) 4 CPU 3.00GHz");
  rig.form.ShowSystemInfo();
  EXPECT_EQ(rig.Label2(4), "<105>Intel(R) Pentium(R) 4 CPU 3.00GHz / x86 Family 15 Model 2 Stepping 9");
  EXPECT_EQ(rig.Label2(5), "<107>2993MHz");
  EXPECT_EQ(rig.Label2(6), "<108>1024 MB (257 MB <111>)");
  EXPECT_EQ(rig.Label2(7), "<102>0141<113>");
  EXPECT_EQ(rig.Label2(9), "<103>A2");
  EXPECT_EQ(rig.Label2(10), "<106>GenuineIntel");  // the second name has no leading blanks
  EXPECT_EQ(rig.form.Mhz, 2993);
  EXPECT_EQ(rig.s.CpuMhz, 2993);
  EXPECT_EQ(rig.form.TwoCPU, 1) << "two logical processors";
  EXPECT_EQ(rig.s.ChipRevision, "A2");
}

TEST(ShowSystemInfo, NineXMachine) {
  SeRig rig(OsKind::kWin98);
  rig.s.NvTweakHwKey = "Software\\NVIDIA Corporation\\Global\\NVTweak\\Hardware";
  rig.form.ShowSystemInfo();
  EXPECT_EQ(rig.Label2(4), "<105> / x86 Family 6 Model 8 Stepping 3");
  EXPECT_EQ(rig.Label2(5), "Real CPU speed:") << "no clock value keeps the caption";
  EXPECT_EQ(rig.Label2(6), "<108>256 MB (101 MB <111>)");
  EXPECT_EQ(rig.Label2(9), "<103>");
  EXPECT_EQ(rig.form.Mhz, 0);
  EXPECT_EQ(rig.form.TwoCPU, 0);
  EXPECT_FALSE(rig.form.Label14[2].Visible());
  EXPECT_FALSE(rig.form.Label14[3].Visible());
}

TEST(ShowSystemInfo, ProcessorTypeWhenNoIdentifier) {
  SeRig rig(std::make_unique<fake::FakeMachine>());
  rig.machine->sys.info.processor_type = 586;
  rig.form.ShowSystemInfo();
  EXPECT_EQ(rig.Label2(4), "<105> /  586");
  EXPECT_EQ(rig.Label2(10), "<106>");
}

TEST(ShowSystemInfo, TwoCpuRules) {
  struct Case {
    const char* name;
    std::uint32_t processors;
    const char* name0;  // "" : no name string
    const char* name1;  // nullptr: no second processor key
    std::int32_t two_cpu;
    bool with_ht;
  };
  const Case cases[] = {
      {"one processor", 1, "Athlon", nullptr, 0, false},
      {"Hyper-Threading", 2, "Pentium 4", "Pentium 4", 1, true},
      {"two different processors", 2, "Pentium III", "Pentium III-S", 1, false},
      {"four alike", 4, "Xeon", "Xeon", 1, true},
      {"four, second without a name", 4, "Xeon", "", 0, false},
      {"no names and two processors", 2, "", "", 1, false},
      {"names only, one processor counted", 1, "Pentium 4", "Pentium 4", 1, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SeRig rig(std::make_unique<fake::FakeMachine>());
    rig.machine->sys.info.number_of_processors = c.processors;
    const std::string cpu = "HKLM\\HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\";
    rig.machine->reg.PutString(cpu + "0", "VendorIdentifier", "V");
    if (*c.name0) rig.machine->reg.PutString(cpu + "0", "ProcessorNameString", c.name0);
    if (c.name1) {
      rig.machine->reg.AddKey(cpu + "1");
      if (*c.name1) rig.machine->reg.PutString(cpu + "1", "ProcessorNameString", c.name1);
    }
    rig.form.ShowSystemInfo();
    EXPECT_EQ(rig.form.TwoCPU, c.two_cpu);
    EXPECT_EQ(rig.Label2(10), c.with_ht ? "<106>V with HT" : "<106>V");
    EXPECT_EQ(rig.form.Label14[2].Visible(), c.two_cpu == 1);
    EXPECT_EQ(rig.form.Label14[3].Visible(), c.two_cpu == 1);
  }
}

TEST(ShowSystemInfo, PciExpressMarker) {
  struct Case {
    const char* device_id;
    bool marked;
  };
  const Case cases[] = {
      {"0141", true}, {"0140", true}, {"0161", true}, {"00FA", true}, {"00FF", true}, {"0091", true},
      {"0211", true}, {"0142", false}, {"00F1", false}, {"0322", false}, {"", false}, {"02", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.device_id);
    SeRig rig(std::make_unique<fake::FakeMachine>());
    rig.s.DeviceId = c.device_id;
    rig.form.ShowSystemInfo();
    EXPECT_EQ(rig.Label2(7), std::string("<102>") + c.device_id + (c.marked ? "<113>" : ""));
  }
}

}  // namespace
}  // namespace ks::test
