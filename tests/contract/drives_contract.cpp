// The file service's drive list, against the fake and against real Windows.
#include <gtest/gtest.h>

#include <algorithm>

#include "contract/contract.h"

namespace ks::test {
namespace {

TEST(DrivesContract, DriveCIsListedAsLowerCaseLettersInOrder) {
  auto machine = MakeContractMachine();
  const std::vector<std::string> drives = machine->files().Drives();
  EXPECT_NE(std::find(drives.begin(), drives.end(), "c:"), drives.end());
  EXPECT_TRUE(std::is_sorted(drives.begin(), drives.end()));
  for (const std::string& d : drives) {
    ASSERT_EQ(d.size(), 2u) << d;
    EXPECT_TRUE(d[0] >= 'a' && d[0] <= 'z') << d;
    EXPECT_EQ(d[1], ':') << d;
  }
}

}  // namespace
}  // namespace ks::test
