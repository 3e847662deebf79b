// The clock pair encoding, where the clock values live, the loader command
// lines, the revision step, the clock model and "CoolBits".
#include <gtest/gtest.h>

#include "hardware/Clocks.h"
#include "native/clock_rig.h"

namespace ks {
namespace {

using test::ClockCard;
using test::ClockRig;

TEST(ClockPair, EncodesAsTheDriverStoresIt) {
  struct Case {
    const char* name;
    std::int32_t core, mem;
    std::int64_t homer, device;
    std::int32_t stored;
  } cases[] = {
      {"no Homer: keys from the device id and the mask alone", 350, 700, 0, 0x0322, 1554276166},
      {"Homer above 16 bits", 350, 700, 74565, 0x0322, -855238196},
      {"negative odd Homer halves to the next lower number", 400, 800, -12345, 0x0322, -1160003578},
      {"Homer -1", 250, 500, -1, 0x0110, -1574853842},
      // Twice this Homer does not fit 32 bits; only its low 16 bits count.
      {"Homer 2^30", 475, 950, std::int64_t{1} << 30, 0x0301, 1569546208},
      {"Homer -2^31", 300, 600, INT32_MIN, 0x0301, 1550016279},
      {"device id with the top bit set (negative as 16 bits)", 350, 700, 1234, -32767, -571550271},
      {"the same device id as an unsigned number", 350, 700, 1234, 0x8001, -571550271},
      {"largest clock", 1000, 32767, 5, 0x0322, 568679930},
      {"negative clock counts with its low 16 bits", -1, 700, 0, 0x0322, 1554293223},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(EncodeClockPair(c.core, c.mem, c.homer, c.device), c.stored);
    const ClockPair back = DecodeClockPair(c.stored, c.homer, c.device);
    EXPECT_EQ(back.core, c.core & 0xFFFF);
    EXPECT_EQ(back.mem, c.mem & 0xFFFF);
  }
}

TEST(ClockPair, DecodingUndoesEncodingForEveryKey) {
  const std::int64_t homers[] = {0, 1, -1, 2, -3, 32767, -32768, 65535, 74565, -74565, INT32_MAX, INT32_MIN};
  const std::int64_t devices[] = {0x0322, 0x0110, 0xFFFF, -1, 0x8000};
  const std::int32_t clocks[] = {0, 1, 269, 455, 2000, 32767};
  for (auto h : homers)
    for (auto d : devices)
      for (auto core : clocks)
        for (auto mem : clocks) {
          const ClockPair back = DecodeClockPair(EncodeClockPair(core, mem, h, d), h, d);
          ASSERT_EQ(back.core, core) << h << " " << d;
          ASSERT_EQ(back.mem, mem) << h << " " << d;
        }
}

TEST(ClockPair, TheDriversOwnEncodingAgrees) {
  // The fake driver encodes on its own; both must agree, or every test of
  // reading and applying would pass against a wrong encoding.
  ClockRig rig;
  for (std::int32_t h : {0, 74565, -12345, -1, INT32_MIN})
    EXPECT_EQ(rig.driver.Encode({350, 700}, h), EncodeClockPair(350, 700, h, 0x0322)) << h;
}

TEST(ClockValues, RootsByOsClassAndBuild) {
  struct Case {
    const char* name;
    std::int16_t os;
    std::int32_t build;
    platform::RegKey read, write;
  } cases[] = {
      {"9x, old driver", 0, 2499, platform::kHkeyLocalMachine, platform::kHkeyLocalMachine},
      {"9x, build 2500: readers and writers part", 0, 2500, platform::kHkeyLocalMachine, platform::kHkeyCurrentUser},
      {"NT 4, old driver", 1, 1200, platform::kHkeyCurrentUser, platform::kHkeyCurrentUser},
      {"XP", 3, 7701, platform::kHkeyCurrentUser, platform::kHkeyCurrentUser},
      {"Vista", 4, 9371, platform::kHkeyCurrentUser, platform::kHkeyCurrentUser},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ClockRig rig({.os_class = c.os, .build = c.build});
    EXPECT_EQ(ClockReadRoot(rig.s), c.read);
    EXPECT_EQ(ClockWriteRoot(rig.s), c.write);
  }
}

TEST(ClockValues, NinetyEightWithBuild2500ReadsMachineAndWritesUser) {
  ClockRig rig({.os_class = 0, .build = 2500});
  const std::string hklm = "HKLM\\" + rig.s.NvTweakHwKey, hkcu = "HKCU\\" + rig.s.NvTweakHwKey;
  rig.PutDriverValues();
  ReadClocks(rig.s);
  EXPECT_EQ(rig.State(), (std::vector<int>{350, 700, 350, 700}));
  EXPECT_FALSE(rig.m.reg.HasKey(hkcu)) << "the read touches only HKEY_LOCAL_MACHINE";
  ResetClocks(rig.s);
  EXPECT_EQ(rig.Value(hkcu, "Marge"), 0);
  EXPECT_TRUE(rig.Value(hklm, "Bart").has_value()) << "the reset leaves the machine's values";
}

TEST(ClockLoaders, CommandLinesExactlyAsTheDriverWantsThem) {
  struct Case {
    const char* name;
    std::int16_t os;
    std::int32_t build;
    ClockLoader loader;
    const char* command;
  } cases[] = {
      {"probe, 9x build 2280", 0, 2280, ClockLoader::kProbe, "rundll32 NvQtwk,NvHWCtl"},
      {"probe, 9x build 2281", 0, 2281, ClockLoader::kProbe, "rundll32 NvCpl.dll,NvStartup"},
      {"probe, NT old build", 1, 1000, ClockLoader::kProbe, "rundll32 NvCpl.dll,NvStartup"},
      {"reset, 9x build 2499", 0, 2499, ClockLoader::kReset, "rundll32 NvQtwk,NvXTInit"},
      {"reset, 9x build 2500", 0, 2500, ClockLoader::kReset, "rundll32 NvCpl.dll,NvStartup"},
      {"reset, XP", 3, 2000, ClockLoader::kReset, "rundll32 NvCpl.dll,NvStartup"},
      {"apply, 9x build 2280", 0, 2280, ClockLoader::kApply, "rundll32 NvQtwk,NvXTInit"},
      {"apply, 9x build 2281", 0, 2281, ClockLoader::kApply, "rundll32 NvCpl.dll,NvStartup"},
      {"missing values, 9x build 2280", 0, 2280, ClockLoader::kMissingValues, "rundll32 NvQTwk,NvHWCtl"},
      {"missing values, 9x build 2281", 0, 2281, ClockLoader::kMissingValues, "rundll32 nvcpl.dll,NvStartup"},
      {"missing values, NT old build", 2, 1000, ClockLoader::kMissingValues, "rundll32 nvcpl.dll,NvStartup"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ClockRig rig({.os_class = c.os, .build = c.build});
    EXPECT_EQ(ClockLoaderCommand(rig.s, c.loader), c.command);
    StartClockLoader(rig.s, c.loader);
    ASSERT_EQ(rig.m.proc.started().size(), 1u);
    EXPECT_EQ(rig.m.proc.started()[0].style, platform::WindowStyle::kMinimizedFocus);
    EXPECT_EQ(rig.m.proc.waits, 0) << "a loader is never waited for";
  }
}

TEST(ClockLoaders, OldDriversRunValue) {
  struct Case {
    const char* name;
    std::int16_t os;
    std::int32_t build;
    ClockLoader loader;
    bool before;  // "NvInitialize" there before
    std::optional<std::string> after;
  } cases[] = {
      {"apply on 9x build 2280 writes it", 0, 2280, ClockLoader::kApply, false, "RUNDLL32.EXE NvQTwk.dll,NvXTInit"},
      {"apply on 9x build 2281 leaves it out", 0, 2281, ClockLoader::kApply, false, std::nullopt},
      {"reset on 9x build 2499 deletes it", 0, 2499, ClockLoader::kReset, true, std::nullopt},
      {"reset on 9x build 2500 keeps it", 0, 2500, ClockLoader::kReset, true, "old"},
      {"reset on XP keeps it", 3, 2000, ClockLoader::kReset, true, "old"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ClockRig rig({.os_class = c.os, .build = c.build});
    const std::string run = std::string("HKLM\\") + kRunKey;
    if (c.before) rig.m.reg.PutString(run, "NvInitialize", "old");
    rig.s.reg.WriteAsBinary = 1;
    StartClockLoader(rig.s, c.loader);
    auto v = rig.m.reg.Get(run, "NvInitialize");
    ASSERT_EQ(v.has_value(), c.after.has_value());
    if (!v) continue;
    EXPECT_EQ(v->type, platform::kRegSz) << "a text even while the writer's switch is on";
    EXPECT_EQ(v->bytes, *c.after + '\0');
  }
}

TEST(NextRevisionKey, StepsTheRevision) {
  struct Case {
    const char* name;
    std::string key;
    std::string after;
    bool stepped;
  } cases[] = {
      {"A1 to A2", "NVTweak\\Devices\\VEN_10DE&DEV_0322&REV_A1&INST00\\Hardware",
       "NVTweak\\Devices\\VEN_10DE&DEV_0322&REV_A2&INST00\\Hardware", true},
      {"A9 to A10: one character longer", "X&REV_A9&INST00\\Hardware", "X&REV_A10&INST00\\Hardware", true},
      {"the first REV_ counts", "REV_B3\\REV_C1", "REV_B4\\REV_C1", true},
      {"a key ending in the revision", "X&REV_A2", "X&REV_A3", true},
      {"no REV_: the 9x key", "Software\\NVIDIA Corporation\\Global\\NVTweak\\Hardware",
       "Software\\NVIDIA Corporation\\Global\\NVTweak\\Hardware", false},
      {"second character not a digit", "X&REV_AB&INST00", "X&REV_AB&INST00", false},
      {"revision cut short", "X&REV_A", "X&REV_A", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ClockRig rig;
    rig.s.NvTweakHwKey = c.key;
    EXPECT_EQ(NextRevisionKey(rig.s), c.stepped);
    EXPECT_EQ(rig.s.NvTweakHwKey, c.after);
  }
}

TEST(DetectClockModel, ByDeviceId) {
  struct Case {
    const char* id;
    std::int32_t model;
  } cases[] = {
      {"0301", 1}, {"0330", 1}, {"0341", 1}, {"0040", 1}, {"00C1", 1}, {"0090", 1}, {"00F1", 1}, {"00F9", 1},
      {"00FB", 1}, {"0140", 1}, {"0141", 2}, {"014F", 2}, {"00FA", 0}, {"0322", 0}, {"0110", 0},
      {"00c2", 1}, {"00fb", 1}, {"014a", 2},  // lower case compares like upper case
      {"", 0},
  };
  for (const auto& c : cases) {
    ClockRig rig;
    rig.s.DeviceId = c.id;
    rig.s.ClockModel = 7;
    DetectClockModel(rig.s);
    EXPECT_EQ(rig.s.ClockModel, c.model) << c.id;
  }
}

TEST(WriteCoolBits, ByOsClassAndBuild) {
  struct Case {
    const char* name;
    std::int16_t os;
    std::int32_t build;
    std::int32_t bits;
  } cases[] = {
      {"9x, new driver", 0, 4041, 3},
      {"NT, build 4040", 1, 4040, 3},
      {"NT, build 4041", 1, 4041, -1},
      {"XP, new driver", 3, 7701, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ClockRig rig({.os_class = c.os, .build = c.build});
    rig.s.reg.WriteAsBinary = 1;
    WriteCoolBits(rig.s);
    auto v = rig.m.reg.Get(std::string("HKLM\\") + kNvTweakKey, "CoolBits");
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(v->type, platform::kRegDword);
    EXPECT_EQ(rig.Value(std::string("HKLM\\") + kNvTweakKey, "CoolBits"), c.bits);
    EXPECT_EQ(rig.s.reg.WriteAsBinary, 0);
  }
}

}  // namespace
}  // namespace ks
