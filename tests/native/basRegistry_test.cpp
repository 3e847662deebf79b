// What the registry module calls, checked on the fake registry's log.
#include <gtest/gtest.h>

#include "platform/fake/machine.h"
#include "common/basRegistry.h"

namespace ks {
namespace {

std::vector<std::string> Ops(const fake::FakeRegistry& reg) {
  std::vector<std::string> ops;
  for (const auto& call : reg.log()) ops.push_back(call.op);
  return ops;
}

TEST(BasRegistry, DeleteOnMissingKeyMakesOnlyTheExistenceTest) {
  fake::FakeMachine m;
  BasRegistry module(m.reg);
  module.DeleteRegValue(kHkeyLocalMachine, "Software\\Nothing\\Here", "X");
  EXPECT_EQ(Ops(m.reg), std::vector<std::string>{"RegOpenKeyA"});
  EXPECT_EQ(module.RegResult, platform::kErrorFileNotFound);
}

TEST(BasRegistry, DeleteOpensTwiceAndClosesEveryHandle) {
  fake::FakeMachine m;
  m.reg.PutDword("HKLM\\Software\\K", "X", 1);
  BasRegistry module(m.reg);
  module.DeleteRegValue(kHkeyLocalMachine, "Software\\K", "X");
  EXPECT_EQ(Ops(m.reg), (std::vector<std::string>{"RegOpenKeyA", "RegCloseKey", "RegOpenKeyA", "RegDeleteValueA",
                                                  "RegCloseKey"}));
  EXPECT_FALSE(m.reg.Get("HKLM\\Software\\K", "X").has_value());
  EXPECT_EQ(m.reg.OpenHandleCount(), 0);
}

TEST(BasRegistry, ReadAndWriteLeaveNoHandleOpen) {
  fake::FakeMachine m;
  BasRegistry module(m.reg);
  module.WriteRegValue(kHkeyCurrentUser, kProductKey, "Version", "353");
  EXPECT_EQ(module.ReadRegValue(kHkeyCurrentUser, kProductKey, "Version").NumberOr(0), 353);
  module.ReadRegValue(kHkeyCurrentUser, kProductKey, "Missing");
  EXPECT_EQ(m.reg.OpenHandleCount(), 0);
  EXPECT_EQ(module.RegResult, 0) << "the last call of a read is the close";
}

TEST(BasRegistry, FailedCreateWritesNothing) {
  fake::FakeMachine m;
  m.reg.FailCalls("RegCreateKeyA", platform::kErrorAccessDenied);
  BasRegistry module(m.reg);
  module.WriteRegValue(kHkeyLocalMachine, "SYSTEM\\X", "V", 1);
  EXPECT_EQ(m.reg.CountCalls("RegSetValueExA"), 0);
  EXPECT_EQ(module.RegResult, platform::kErrorAccessDenied);
  EXPECT_FALSE(m.reg.HasKey("HKLM\\SYSTEM\\X"));
}

TEST(BasRegistry, FailedDataQueryReadsEmpty) {
  fake::FakeMachine m;
  m.reg.PutDword("HKCU\\Software\\K", "V", 9);
  // The size query succeeds, the data query fails.
  m.reg.on_call = [&, n = 0](const fake::FakeRegistry::Call& call) mutable {
    if (call.op == "RegQueryValueExA" && ++n == 1) m.reg.FailCalls("RegQueryValueExA", platform::kErrorAccessDenied);
  };
  BasRegistry module(m.reg);
  EXPECT_TRUE(module.ReadRegValue(kHkeyCurrentUser, "Software\\K", "V") == RegRead::Text(""));
}

TEST(BasRegistry, KeyNamesKeepTheirFirstSpelling) {
  fake::FakeMachine m;
  BasRegistry module(m.reg);
  module.WriteRegValue(kHkeyLocalMachine, "SOFTWARE\\NVIDIA Corporation\\Global", "A", 1);
  module.WriteRegValue(kHkeyLocalMachine, "software\\nvidia corporation\\global", "a", 2);
  EXPECT_EQ(m.reg.StoredPath("HKLM\\software\\nvidia corporation\\global"),
            "HKEY_LOCAL_MACHINE\\SOFTWARE\\NVIDIA Corporation\\Global");
  EXPECT_EQ(m.reg.ValueNames("HKLM\\SOFTWARE\\NVIDIA Corporation\\Global"), std::vector<std::string>{"A"});
  EXPECT_EQ(module.ReadRegValue(kHkeyLocalMachine, "Software\\NVIDIA Corporation\\Global", "A").NumberOr(0), 2);
}

TEST(RegRead, Conversions) {
  EXPECT_EQ(RegRead::Nothing().AsNumber(), 0);
  EXPECT_EQ(RegRead::Nothing().AsText(), "");
  EXPECT_EQ(RegRead::Text("").AsNumber(), std::nullopt) << "the empty text is no number";
  EXPECT_EQ(RegRead::Text("abc").NumberOr(7), 7);
  EXPECT_EQ(RegRead::Text(" 42 ").NumberOr(7), 42);
  EXPECT_EQ(RegRead::Number(-1).AsText(), "-1");
  EXPECT_TRUE(RegRead::Text("").IsEmpty());
  EXPECT_TRUE(RegRead::Nothing().IsEmpty());
  EXPECT_FALSE(RegRead::Number(0).IsEmpty());
}

}  // namespace
}  // namespace ks
