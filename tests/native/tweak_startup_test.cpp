// Start-up on a fixture machine: the tweak pages show the driver's values,
// in start-up's order, and the readers' control changes write nothing.
#include <gtest/gtest.h>

#include "native/fixtures/se_rig.h"
#include "native/repo_data.h"
#include "pages/Form4.h"
#include "shell/satellite_forms.h"

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

// Regression: with no NVIDIA display device and no NVIDIA driver the driver
// key is the first display device's (another vendor's adapter), and the
// pages and the performance wizard wrote their D3D_ and OGL_ values into it.
TEST(TweakStartUp, WithoutAnNvidiaAdapterNoDriverValueIsWritten) {
  MachineSpec spec = DefaultSpec(OsKind::kXp);
  spec.cards.clear();
  spec.driver_version = "";  // no nv4_disp.dll
  const std::string instance = "{11111111-2222-3333-4444-555555555555}\\0000";
  platform::DisplayDevice other;
  other.device_name = "\\\\.\\DISPLAY1";
  other.device_string = "Radeon";
  other.device_id = "PCI\\VEN_1002&DEV_4E48&SUBSYS_00021002&REV_00";
  other.device_key = "\\Registry\\Machine\\System\\CurrentControlSet\\Control\\Video\\" + instance;
  spec.other_devices = {other};
  SeRig rig(spec);
  InstallChipData(*rig.machine);
  const std::string program = rig.machine->fs.ProgramFolder();
  rig.machine->fs.AddFile(program + "\\DATA\\PW\\index.dat", ReadRepoData("PW/index.dat"));
  rig.machine->reg.PutString("HKLM\\HARDWARE\\DEVICEMAP\\VIDEO", "\\Device\\Video0", other.device_key);
  const std::string key = "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Video\\" + instance;
  rig.machine->reg.PutString(key, "Device Description", "Radeon");
  std::vector<std::string> touched;
  rig.machine->reg.on_call = [&](const fake::FakeRegistry::Call& call) {
    if ((call.op == "RegSetValueExA" || call.op == "RegDeleteValueA") &&
        (call.name.rfind("D3D", 0) == 0 || call.name.rfind("OGL", 0) == 0 || call.path.find(instance) != std::string::npos))
      touched.push_back(call.op + " " + call.name);
  };
  Form1& f = rig.form;
  f.Load();
  ASSERT_EQ(rig.s.DriverKey, "SYSTEM\\CurrentControlSet\\Control\\Video\\" + instance);
  EXPECT_TRUE(rig.s.NvidiaAdapterMissing);
  for (ui::ComboBox* combo : {&f.Combo1, &f.Combo3, &f.Combo4, &f.Combo11, &f.Combo12, &f.Combo13})
    if (combo->ListCount() > 1) combo->UserPick(1);
  f.FlatScrollBar5.SetValue(1);
  f.Toolbar1.UserClickButton("pw");
  Form4& w = f.form4();
  ASSERT_TRUE(w.Visible());
  w.Command1.UserClick();
  w.Command2.UserClick();
  EXPECT_EQ(touched, std::vector<std::string>{});
}

}  // namespace
}  // namespace ks::test
