// The registry module's writes of a fixed type: the switches cannot turn
// them into anything else, and they leave the switches as they were.
#include <gtest/gtest.h>

#include "common/basRegistry.h"
#include "platform/fake/machine.h"

namespace ks {
namespace {

TEST(BasRegistryTyped, TheTypeHoldsWhateverTheSwitchesSay) {
  struct Case {
    const char* name;
    std::int32_t binary, multi;
  } cases[] = {{"switches off", 0, 0}, {"binary on", 1, 0}, {"multi on", 0, 1}, {"both on", 1, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fake::FakeMachine m;
    BasRegistry module(m.reg);
    module.WriteAsBinary = c.binary;
    module.WriteAsMultiSz = c.multi;
    module.WriteRegDword(kHkeyCurrentUser, "Software\\K", "N", -1);
    module.WriteRegText(kHkeyCurrentUser, "Software\\K", "T", " RUNDLL32.EXE a,b ");
    auto n = m.reg.Get("HKCU\\Software\\K", "N");
    auto t = m.reg.Get("HKCU\\Software\\K", "T");
    ASSERT_TRUE(n && t);
    EXPECT_EQ(n->type, platform::kRegDword);
    EXPECT_EQ(n->bytes, std::string(4, '\xFF'));
    EXPECT_EQ(t->type, platform::kRegSz);
    EXPECT_EQ(t->bytes, std::string(" RUNDLL32.EXE a,b ") + '\0');
    EXPECT_EQ(module.WriteAsBinary, c.binary);
    EXPECT_EQ(module.WriteAsMultiSz, c.multi);
    EXPECT_EQ(m.reg.OpenHandleCount(), 0);
  }
}

TEST(BasRegistryTyped, AFailedCreateWritesNothing) {
  fake::FakeMachine m;
  m.reg.FailCalls("RegCreateKeyA", platform::kErrorAccessDenied, 2);
  BasRegistry module(m.reg);
  module.WriteRegDword(kHkeyLocalMachine, "Software\\K", "N", 1);
  module.WriteRegText(kHkeyLocalMachine, "Software\\K", "T", "x");
  EXPECT_EQ(m.reg.CountCalls("RegSetValueExA"), 0);
  EXPECT_EQ(module.RegResult, platform::kErrorAccessDenied);
}

}  // namespace
}  // namespace ks
