// The registry module's behaviour, one row per case, against a machine that
// is either the fake or real Windows.
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "contract/contract.h"
#include "common/basRegistry.h"

namespace ks::test {
namespace {

using platform::kRegBinary;
using platform::kRegDword;
using platform::kRegExpandSz;
using platform::kRegMultiSz;
using platform::kRegSz;

struct Raw {
  std::uint32_t type;
  std::string bytes;
};

struct Stored {
  bool present;
  std::uint32_t type = 0;
  std::string bytes;
};

// Raw access that bypasses the module, to set up and to inspect.
void PutRaw(platform::Registry& reg, const std::string& path, const std::string& name, const Raw& raw) {
  platform::ScopedRegKey key(reg);
  ASSERT_EQ(reg.CreateKey(kHkeyCurrentUser, path, key.Receive()), 0);
  ASSERT_EQ(reg.SetValue(key.get(), name, raw.type, raw.bytes), 0);
}

Stored GetRaw(platform::Registry& reg, const std::string& path, const std::string& name) {
  platform::ScopedRegKey key(reg);
  if (reg.OpenKey(kHkeyCurrentUser, path, key.Receive()) != 0) return Stored{false, 0, ""};
  std::uint32_t type = 0, size = 0;
  if (reg.QueryValue(key.get(), name, &type, nullptr, &size) != 0) return Stored{false, 0, ""};
  std::string data;
  if (reg.QueryValue(key.get(), name, &type, &data, &size) != 0) return Stored{false, 0, ""};
  return {true, type, data};
}

std::string Bytes(std::initializer_list<int> list) {
  std::string s;
  for (int b : list) s += static_cast<char>(b);
  return s;
}

class RegistryContract : public ::testing::Test {
 protected:
  void SetUp() override {
    machine_ = MakeContractMachine();
    base_ = ContractScratchKey() + "\\" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
  }
  platform::Registry& reg() { return machine_->registry(); }
  std::unique_ptr<platform::Platform> machine_;
  std::string base_;
};

struct ReadCase {
  const char* name;
  std::optional<Raw> stored;  // nullopt: the value is missing (the key exists)
  RegRead expected;
};

TEST_F(RegistryContract, ReadTable) {
  const ReadCase cases[] = {
      {"sz stops at first NUL", Raw{kRegSz, Bytes({'a', 'b', 'c', 0, 'd', 'e', 'f'})}, RegRead::Text("abc")},
      {"sz without NUL reads whole", Raw{kRegSz, "xyz"}, RegRead::Text("xyz")},
      {"empty sz", Raw{kRegSz, Bytes({0})}, RegRead::Text("")},
      {"missing value", std::nullopt, RegRead::Text("")},
      {"dword all ones is -1", Raw{kRegDword, Bytes({0xFF, 0xFF, 0xFF, 0xFF})}, RegRead::Number(-1)},
      {"dword 350", Raw{kRegDword, Bytes({0x5E, 0x01, 0, 0})}, RegRead::Number(350)},
      {"binary two bytes", Raw{kRegBinary, Bytes({0x34, 0x12})}, RegRead::Number(0x1234)},
      {"binary four bytes like dword", Raw{kRegBinary, Bytes({0x78, 0x56, 0x34, 0x12})}, RegRead::Number(0x12345678)},
      {"binary empty is 0", Raw{kRegBinary, ""}, RegRead::Number(0)},
      {"binary five bytes not read", Raw{kRegBinary, Bytes({1, 2, 3, 4, 5})}, RegRead::Text("")},
      {"expand sz reads empty", Raw{kRegExpandSz, Bytes({'%', 'x', '%', 0})}, RegRead::Text("")},
      {"multi sz reads nothing", Raw{kRegMultiSz, Bytes({'a', 0, 'b', 0, 0})}, RegRead::Nothing()},
      {"type 5 reads empty", Raw{5, Bytes({0, 0, 0, 1})}, RegRead::Text("")},
  };
  int row = 0;
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::string path = base_ + "\\r" + std::to_string(row++);
    if (c.stored) {
      PutRaw(reg(), path, "Val", *c.stored);
    } else {
      PutRaw(reg(), path, "Other", Raw{kRegSz, Bytes({'x', 0})});
    }
    BasRegistry module(reg());
    EXPECT_TRUE(module.ReadRegValue(kHkeyCurrentUser, path, "Val") == c.expected)
        << "got text '" << module.ReadRegValue(kHkeyCurrentUser, path, "Val").AsText() << "'";
  }
}

TEST_F(RegistryContract, ReadKeepsMultiSzAndIgnoresCase) {
  PutRaw(reg(), base_, "Multi", Raw{kRegMultiSz, Bytes({'a', 0, 'b', 0, 0})});
  PutRaw(reg(), base_, "D3D_59954023", Raw{kRegDword, Bytes({7, 0, 0, 0})});
  BasRegistry module(reg());
  EXPECT_EQ(module.ReadRegValue(kHkeyCurrentUser, base_, "Multi").NumberOr(99), 0);
  EXPECT_EQ(module.LastMultiSz, Bytes({'a', 0, 'b', 0, 0}));
  EXPECT_EQ(module.ReadRegValue(kHkeyCurrentUser, base_, "d3d_59954023").NumberOr(-5), 7);
  EXPECT_TRUE(module.ReadRegValue(kHkeyCurrentUser, base_ + "\\Missing", "Multi") == RegRead::Text(""));
}

struct WriteCase {
  const char* name;
  int binary_switch;
  int multi_switch;
  RegArg value;
  std::optional<Raw> expected;  // nullopt: nothing written
};

TEST_F(RegistryContract, WriteTable) {
  const WriteCase cases[] = {
      {"-1 as dword", 0, 0, -1, Raw{kRegDword, Bytes({0xFF, 0xFF, 0xFF, 0xFF})}},
      {"number 350", 0, 0, 350, Raw{kRegDword, Bytes({0x5E, 0x01, 0, 0})}},
      {"text 350 is a dword", 0, 0, "350", Raw{kRegDword, Bytes({0x5E, 0x01, 0, 0})}},
      {"text 12 with blanks", 0, 0, " 12 ", Raw{kRegDword, Bytes({12, 0, 0, 0})}},
      {"text trimmed with one NUL", 0, 0, " en ", Raw{kRegSz, Bytes({'e', 'n', 0})}},
      {"empty text", 0, 0, "", Raw{kRegSz, Bytes({0})}},
      {"half rounds to even (2.5)", 0, 0, 2.5, Raw{kRegDword, Bytes({2, 0, 0, 0})}},
      {"half rounds to even (3.5)", 0, 0, "3.5", Raw{kRegDword, Bytes({4, 0, 0, 0})}},
      {"exponent text", 0, 0, "1e3", Raw{kRegDword, Bytes({0xE8, 0x03, 0, 0})}},
      {"ansi byte kept", 0, 0, "\xE9t\xE9", Raw{kRegSz, Bytes({0xE9, 't', 0xE9, 0})}},
      {"out of range writes nothing", 0, 0, 4294967296.0, std::nullopt},
      {"binary switch: number", 1, 0, 2, Raw{kRegBinary, Bytes({2, 0, 0, 0})}},
      {"binary switch: text number", 1, 0, "-2", Raw{kRegBinary, Bytes({0xFE, 0xFF, 0xFF, 0xFF})}},
      {"binary switch: text writes nothing", 1, 0, "en", std::nullopt},
      {"multi switch", 0, 1, "a", Raw{kRegMultiSz, Bytes({'a', 0, 0})}},
      {"binary wins over multi", 1, 1, 5, Raw{kRegBinary, Bytes({5, 0, 0, 0})}},
  };
  int row = 0;
  for (const WriteCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::string path = base_ + "\\w" + std::to_string(row++);
    BasRegistry module(reg());
    module.WriteAsBinary = c.binary_switch;
    module.WriteAsMultiSz = c.multi_switch;
    module.WriteRegValue(kHkeyCurrentUser, path, "Val", c.value);
    Stored got = GetRaw(reg(), path, "Val");
    ASSERT_EQ(got.present, c.expected.has_value());
    if (c.expected) {
      EXPECT_EQ(got.type, c.expected->type);
      EXPECT_EQ(got.bytes, c.expected->bytes);
    }
    EXPECT_EQ(module.WriteAsBinary, c.binary_switch) << "the write never changes the binary switch";
    if (c.multi_switch == 1 && c.binary_switch == 0) {
      EXPECT_EQ(module.WriteAsMultiSz, 0);
    }
  }
}

TEST_F(RegistryContract, WriteCreatesEveryMissingKey) {
  BasRegistry module(reg());
  std::string deep = base_ + "\\a\\b\\c";
  EXPECT_FALSE(module.RegKeyExists(kHkeyCurrentUser, base_ + "\\a"));
  module.WriteRegValue(kHkeyCurrentUser, deep, "Val", 3);
  EXPECT_TRUE(module.RegKeyExists(kHkeyCurrentUser, base_ + "\\a"));
  EXPECT_TRUE(module.RegKeyExists(kHkeyCurrentUser, deep));
  EXPECT_EQ(module.ReadRegValue(kHkeyCurrentUser, deep, "Val").NumberOr(0), 3);
}

TEST_F(RegistryContract, ReadBackIsTheSameForDwordAndBinary) {
  BasRegistry module(reg());
  module.WriteRegValue(kHkeyCurrentUser, base_, "AsDword", 353);
  module.WriteAsBinary = 1;
  module.WriteRegValue(kHkeyCurrentUser, base_, "AsBinary", "353");
  EXPECT_TRUE(module.ReadRegValue(kHkeyCurrentUser, base_, "AsDword") ==
              module.ReadRegValue(kHkeyCurrentUser, base_, "AsBinary"));
  EXPECT_EQ(module.ReadRegValue(kHkeyCurrentUser, base_, "AsBinary").NumberOr(0), 353);
}

TEST_F(RegistryContract, DeleteAndExistence) {
  BasRegistry module(reg());
  module.WriteRegValue(kHkeyCurrentUser, base_, "Gone", "x");
  module.WriteRegValue(kHkeyCurrentUser, base_, "Kept", "y");
  EXPECT_TRUE(module.RegKeyExists(kHkeyCurrentUser, base_));
  module.DeleteRegValue(kHkeyCurrentUser, base_, "gone");  // names ignore case
  EXPECT_FALSE(GetRaw(reg(), base_, "Gone").present);
  EXPECT_TRUE(GetRaw(reg(), base_, "Kept").present);
  module.DeleteRegValue(kHkeyCurrentUser, base_, "Gone");  // missing value: no change
  EXPECT_TRUE(GetRaw(reg(), base_, "Kept").present);
  module.DeleteRegValue(kHkeyCurrentUser, base_ + "\\NoSuchKey", "Kept");
  EXPECT_FALSE(module.RegKeyExists(kHkeyCurrentUser, base_ + "\\NoSuchKey"));
  EXPECT_EQ(module.ReadRegValue(kHkeyCurrentUser, base_, "Kept").AsText(), "y");
}

}  // namespace
}  // namespace ks::test
