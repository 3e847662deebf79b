// Start-up on a fixture machine: the tweak pages show the driver's values,
// in start-up's order, and the readers' control changes write nothing.
#include <gtest/gtest.h>

#include "native/fixtures/se_rig.h"

namespace ks::test {
namespace {

TEST(TweakStartUp, PagesShowTheDriversValuesAndWriteNothingBack) {
  MachineSpec spec = DefaultSpec(OsKind::kXp);
  spec.cards[0].device_id = "0091";  // a 7800: SLI, transparency and gamma controls
  SeRig rig(spec);
  InstallChipData(*rig.machine);
  const std::string key = "HKLM\\" + DriverKeyOf(OsKind::kXp, 0);
  auto put = [&](const std::string& name, std::uint32_t v) {
    std::string bytes;
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((v >> (8 * i)) & 0xFF);
    rig.machine->reg.Put(key, name, 3, bytes);
  };
  put("D3DOGL_70835937", 0x10000000 + 0x00010000 + 0x13);  // 4xS with transparency multisampling
  put("D3DOGL_74095213", 0x10000008);
  put("OGL_MaxFramesAllowed", 3);
  put("D3D_98764205", 4);
  std::vector<std::string> touched;
  rig.machine->reg.on_call = [&](const fake::FakeRegistry::Call& call) {
    if ((call.op == "RegSetValueExA" || call.op == "RegDeleteValueA") &&
        call.path.find(DriverKeyOf(OsKind::kXp, 0)) != std::string::npos)
      touched.push_back(call.name);
  };
  rig.form.Load();
  Form1& f = rig.form;
  EXPECT_EQ(rig.s.DriverBuild, 9371);
  EXPECT_EQ(f.Combo3.Text(), "4xS");
  EXPECT_EQ(f.Combo1.Text(), "4xS");
  EXPECT_GE(f.Combo3.ListIndex(), 0) << "the second list build keeps the text and selects its entry";
  EXPECT_EQ(f.Combo19.Text(), "Multisampling");
  EXPECT_EQ(f.Combo4.Text(), "8x");
  EXPECT_EQ(f.Combo11.Text(), "3");
  EXPECT_EQ(f.Combo13.Text(), "4");
  EXPECT_EQ(f.IsStart, 0);
  EXPECT_EQ(rig.s.AAGuard, 0);
  // Only the multitexturing and shader sliders write at start-up, what they show.
  for (const std::string& name : touched)
    EXPECT_TRUE(name == "D3D_59954022" || name == "D3d_59954021" || name == "D3d_59954023" || name == "D3D_59954023")
        << name;
}

}  // namespace
}  // namespace ks::test
