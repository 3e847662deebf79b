// The clock model at start-up: the card found decides whether the 2D/3D
// speed choice of page 3 is offered.
#include <gtest/gtest.h>

#include "native/fixtures/se_rig.h"

namespace ks::test {
namespace {

TEST(ClockModelAtStartup, TheCardFoundDecidesTheSpeedChoice) {
  struct Case {
    const char* device_id;
    std::int32_t model;
  } cases[] = {{"0301", 1}, {"0140", 1}, {"0141", 2}, {"0322", 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.device_id);
    MachineSpec spec = DefaultSpec(OsKind::kXp);
    spec.cards[0].device_id = c.device_id;
    SeRig rig(spec);
    rig.form.Load();
    EXPECT_EQ(rig.s.ClockModel, c.model);
    EXPECT_EQ(rig.form.Option1[0].Enabled(), c.model == 1);
    EXPECT_EQ(rig.form.Option1[1].Enabled(), c.model == 1);
  }
}

}  // namespace
}  // namespace ks::test
