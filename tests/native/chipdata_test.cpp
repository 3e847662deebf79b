// The chip data lookup, and the shipped chip data files themselves.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "native/fixtures/se_rig.h"
#include "shell/File_handle.h"
#include "common/datafile.h"

namespace ks::test {
namespace {

const char* const kDataDir = "C:\\Program Files\\Kestrelane\\DATA\\";

TEST(LookupChipData, ChipKeyRules) {
  // Every candidate key gets its own value, so the value names the key used.
  const std::string file = "\"F1\",\"F1\"\r\n\"32\",\"32\"\r\n\"0045\",\"0045\"\r\n\"04\",\"04\"\r\n\"14\",\"14\"\r\n"
                           "\"0F\",\"0F\"\r\n\"00\",\"00\"\r\n";
  struct Case {
    const char* name;
    const char* device_id;
    const char* base;
    std::optional<std::string> value;
  };
  const Case cases[] = {
      {"00F1 uses characters 3 and 4", "00F1", "af", "F1"},
      {"00F1 in mt too", "00F1", "mt", "F1"},
      {"0322 uses characters 2 and 3", "0322", "aa", "32"},
      {"0141", "0141", "mt", "14"},
      {"0045 in mt uses the whole id", "0045", "mt", "0045"},
      {"0045 elsewhere uses 04", "0045", "af", "04"},
      {"0045 in aa", "0045", "aa", "04"},
      {"unlisted chip", "0191", "mt", std::nullopt},
      {"keys compare with case", "00f1", "af", std::nullopt},
      {"short id finds nothing", "03", "af", std::nullopt},
      {"no id finds nothing", "", "af", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SeRig rig(std::make_unique<fake::FakeMachine>());
    rig.machine->fs.AddFile(std::string(kDataDir) + c.base + ".dat", file);
    rig.s.DeviceId = c.device_id;
    EXPECT_EQ(LookupChipData(rig.s, c.base, false), c.value);
  }
}

TEST(LookupChipData, RecordsAndExtraField) {
  SeRig rig(std::make_unique<fake::FakeMachine>());
  rig.machine->fs.AddFile(std::string(kDataDir) + "ps.dat",
                          "\"31\",\"1.4\",3\r\n\"32\",\"2.0\",5\r\n\"32\",\"9.9\",9\r\n");
  rig.machine->fs.AddFile(std::string(kDataDir) + "mt.dat", "\"32\",4\r\n");
  rig.s.DeviceId = "0322";

  EXPECT_EQ(LookupChipData(rig.s, "ps", true), "2.0") << "the first matching record wins";
  EXPECT_EQ(rig.s.ChipDataExtra, "5");
  EXPECT_EQ(LookupChipData(rig.s, "vs", true), std::nullopt) << "no file";
  EXPECT_EQ(rig.s.ChipDataExtra, "5") << "nothing found keeps the extra field";
  EXPECT_EQ(ChipDataNumber(LookupChipData(rig.s, "mt", false)), 4);
  EXPECT_EQ(rig.s.ChipDataExtra, "") << "a match without the extra field empties it";
  rig.s.DeviceId = "0191";
  rig.s.ChipDataExtra = "x";
  EXPECT_EQ(ChipDataNumber(LookupChipData(rig.s, "mt", false)), 0);
  EXPECT_EQ(rig.s.ChipDataExtra, "x");
}

TEST(LookupChipData, UnreadableFileGivesNothing) {
  SeRig rig(std::make_unique<fake::FakeMachine>());
  std::string path = std::string(kDataDir) + "aa.dat";
  rig.machine->fs.AddFile(path, "\"32\",\"8\"\r\n");
  rig.machine->fs.SetLocked(path, true);
  rig.s.DeviceId = "0322";
  rig.s.ChipDataExtra = "kept";
  EXPECT_EQ(LookupChipData(rig.s, "aa", false), std::nullopt);
  EXPECT_EQ(rig.s.ChipDataExtra, "kept");
}

// What the shipped files say about one card of each family.
TEST(ChipDataFiles, OneCardPerFamily) {
  struct Case {
    const char* name;
    const char* device_id;
    int mt;
    const char* ps;
    int ps_max;
    const char* vs;
    int vs_max;
    const char* aa;
    int af;
  };
  const Case cases[] = {
      {"RIVA TNT", "0020", 2, "0.0", 1, "0.0", 1, "0", 0},
      {"RIVA TNT2", "0028", 2, "0.0", 1, "0.0", 1, "0", 0},
      {"GeForce 256", "0100", 2, "0.0", 1, "0.0", 1, "4", 2},
      {"GeForce2 MX", "0110", 2, "0.0", 1, "0.0", 1, "4", 2},
      {"GeForce2 GTS", "0150", 2, "0.0", 1, "0.0", 1, "4", 2},
      {"GeForce3", "0200", 4, "1.1", 2, "1.1", 2, "q", 8},
      {"GeForce4 MX 440", "0171", 2, "0.0", 1, "0.0", 1, "q", 2},
      {"GeForce4 Ti 4200", "0253", 4, "1.3", 3, "1.1", 2, "q", 8},
      {"GeForce4 Ti 4800", "0281", 4, "1.3", 3, "1.1", 2, "q", 8},
      {"GeForce FX 5800", "0301", 8, "2.0", 5, "2.0", 3, "8", 8},
      {"GeForce FX 5200", "0322", 8, "2.0", 5, "2.0", 3, "8", 8},
      {"GeForce FX 5900", "0330", 8, "2.0", 5, "2.0", 3, "8", 8},
      {"GeForce PCX 5900", "00FB", 8, "2.0", 5, "2.0", 3, "8", 8},
      {"GeForce 6800 Ultra", "0040", 8, "3.0", 6, "3.0", 4, "8", 16},
      {"GeForce 6800 GT", "0045", 8, "3.0", 6, "3.0", 4, "8", 16},
      {"GeForce 6600 GT AGP", "00F1", 8, "3.0", 6, "3.0", 4, "8", 16},
      {"GeForce 6600 GT", "0140", 8, "3.0", 6, "3.0", 4, "8", 16},
      {"GeForce 6200", "0221", 8, "3.0", 6, "3.0", 4, "8", 16},
      {"GeForce 7800 GTX", "0091", 8, "3.0", 6, "3.0", 4, "8", 16},
      {"GeForce 7900 GTX", "0290", 8, "3.0", 6, "3.0", 4, "8", 16},
      {"GeForce 7600 GT", "0391", 8, "3.0", 6, "3.0", 4, "8", 16},
      {"GeForce 7300 GS", "01D1", 8, "3.0", 6, "3.0", 4, "8", 16},
      {"GeForce 8800 GTX", "0191", 8, "3.0", 6, "3.0", 4, "8", 16},
      {"GeForce 8800 GT", "0611", 8, "3.0", 6, "3.0", 4, "8", 16},
      {"GeForce 8600 GTS", "0400", 8, "3.0", 6, "3.0", 4, "8", 16},
      {"GeForce 8400 GS", "0422", 8, "3.0", 6, "3.0", 4, "8", 16},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SeRig rig(std::make_unique<fake::FakeMachine>());
    InstallChipData(*rig.machine);
    rig.s.DeviceId = c.device_id;
    EXPECT_EQ(ChipDataNumber(LookupChipData(rig.s, "mt", false)), c.mt);
    EXPECT_EQ(LookupChipData(rig.s, "ps", true), c.ps);
    EXPECT_EQ(rig.s.ChipDataExtra, std::to_string(c.ps_max));
    EXPECT_EQ(LookupChipData(rig.s, "vs", true), c.vs);
    EXPECT_EQ(rig.s.ChipDataExtra, std::to_string(c.vs_max));
    EXPECT_EQ(LookupChipData(rig.s, "aa", false), c.aa);
    EXPECT_EQ(ChipDataNumber(LookupChipData(rig.s, "af", false)), c.af);
  }
}

// Shape and value ranges of every record, and the same chips in every file.
TEST(ChipDataFiles, Invariants) {
  fake::FakeMachine machine;
  InstallChipData(machine);
  struct File {
    const char* base;
    size_t fields;
    std::set<std::string> values;  // empty: any whole number from 1 to 16
  };
  const File files[] = {
      {"mt", 2, {}},
      {"ps", 3, {"0.0", "1.1", "1.3", "1.4", "2.0", "3.0"}},
      {"vs", 3, {"0.0", "1.1", "2.0", "3.0"}},
      {"aa", 2, {"0", "4", "q", "8"}},
      {"af", 2, {"0", "2", "8", "16"}},
  };
  // The slider position that removes the override is the one after the
  // card's highest version.
  const std::map<std::string, std::string> ps_max = {{"0.0", "1"}, {"1.1", "2"}, {"1.3", "3"},
                                                     {"1.4", "4"}, {"2.0", "5"}, {"3.0", "6"}};
  const std::map<std::string, std::string> vs_max = {{"0.0", "1"}, {"1.1", "2"}, {"2.0", "3"}, {"3.0", "4"}};
  std::map<std::string, std::set<std::string>> keys;
  for (const File& f : files) {
    SCOPED_TRACE(f.base);
    std::string bytes;
    ASSERT_TRUE(machine.fs.ReadFile(std::string(kDataDir) + f.base + ".dat", &bytes));
    std::vector<std::string> fields = ReadAllFields(bytes);
    ASSERT_FALSE(fields.empty());
    ASSERT_EQ(fields.size() % f.fields, 0u);
    for (size_t i = 0; i < fields.size(); i += f.fields) {
      const std::string& key = fields[i];
      const std::string& value = fields[i + 1];
      EXPECT_TRUE(keys[f.base].insert(key).second) << "duplicate key " << key;
      EXPECT_TRUE(key.size() == 2 || (std::string(f.base) == "mt" && key.size() == 4 && key.compare(0, 3, "004") == 0))
          << key;
      if (f.values.empty()) {
        int n = std::stoi(value);
        EXPECT_TRUE(n >= 1 && n <= 16) << key;
      } else {
        EXPECT_EQ(f.values.count(value), 1u) << key << " " << value;
      }
      if (f.fields == 3) {
        const auto& max = std::string(f.base) == "ps" ? ps_max : vs_max;
        EXPECT_EQ(fields[i + 2], max.at(value)) << key;
      }
    }
  }
  // "mt" keys the 004x chips by the whole id, the others by "04".
  std::set<std::string> mt_as_others;
  for (const std::string& k : keys["mt"]) mt_as_others.insert(k.size() == 4 ? k.substr(1, 2) : k);
  for (const char* base : {"ps", "vs", "aa", "af"}) {
    EXPECT_EQ(keys[base], keys["ps"]) << base;
  }
  EXPECT_EQ(mt_as_others, keys["ps"]);
}

}  // namespace
}  // namespace ks::test
