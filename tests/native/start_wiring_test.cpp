// The main window started with its real wiring on a fake XP machine with an
// FX 5200: every start-up step is plugged in, and each one leaves on the
// window what it is there to show. A step missing from the wiring fails
// here by what the user would miss.
#include <gtest/gtest.h>

#include "native/fixtures/se_rig.h"
#include "native/repo_data.h"

namespace ks::test {
namespace {

struct StartWiring : ::testing::Test {
  SeRig rig{DefaultSpec(OsKind::kXp)};
  Form1& f = rig.form;

  void SetUp() override {
    InstallChipData(*rig.machine);
    const std::string pictures = rig.machine->fs.ProgramFolder() + "\\data\\aa\\1\\";
    for (const char* name : {"auto.jpg", "2x.jpg", "4x.jpg"})
      rig.machine->fs.AddFile(pictures + name, ReadRepoData(std::string("aa/1/") + name));
    f.Load();
  }
};

TEST_F(StartWiring, EveryStepRunsWithoutAFault) { EXPECT_EQ(f.StartupFaults, std::vector<std::string>{}); }

TEST_F(StartWiring, DetectionShowsTheCardAndTheSystem) {
  EXPECT_EQ(rig.s.DriverKey, DriverKeyOf(OsKind::kXp, 0)) << "FindDriverKey";
  EXPECT_EQ(rig.Label2(0), "<101>NVIDIA GeForce FX 5200") << "ShowCardName";
  EXPECT_EQ(rig.Label2(5), "<107>2993MHz") << "ShowSystemInfo";
  // The XP fixture has 1023 MB, shown rounded up.
  EXPECT_EQ(rig.Label2(6).rfind("<108>1024 MB", 0), 0u) << "ShowSystemInfo: " << rig.Label2(6);
  EXPECT_EQ(rig.Label2(7), "<102>0322") << "ShowSystemInfo";
}

TEST_F(StartWiring, ChipDataSetsTheMultitexturingLimit) {
  EXPECT_EQ(rig.s.MtFlag, 1) << "LookupChipData: the FX 5200 takes more than two textures";
  EXPECT_EQ(f.FlatScrollBar5.Max(), 8) << "LoadMultitextureOverride: the slider stops at the chip's limit";
  EXPECT_EQ(f.FlatScrollBar5.Value(), 8);
  EXPECT_EQ(f.Label11.Caption(), "<165><88>") << "LoadMultitextureOverride: no override";
}

TEST_F(StartWiring, ShaderSlidersStopAtTheChipsLevel) {
  // The chip data files give the FX 5200 ("32") pixel shader level 5 and vertex shader level 3.
  EXPECT_EQ(f.FlatScrollBar6[0].Max(), 5) << "LoadShaderOverride: pixel shader levels of the chip";
  EXPECT_EQ(f.FlatScrollBar6[1].Max(), 3) << "LoadShaderOverride: vertex shader levels of the chip";
}

TEST_F(StartWiring, SettingListsAreFilled) {
  EXPECT_EQ(f.Combo13.ListCount(), 10) << "FillSettingLists: prerender 0..9";
  EXPECT_EQ(f.Combo11.ListCount(), 9) << "FillSettingLists";
  EXPECT_GT(f.Combo14.ListCount(), 0) << "FillSettingLists: resolutions";
}

TEST_F(StartWiring, AntialiasingModesAndTheirPreviewAreShown) {
  EXPECT_GT(f.Combo3.ListCount(), 2) << "FillAntialiasingModes: Direct3D modes";
  EXPECT_GT(f.Combo1.ListCount(), 2) << "FillAntialiasingModes: OpenGL modes";
  EXPECT_EQ(f.Image2.Picture(), rig.machine->fs.ProgramFolder() + "\\data\\aa\\1\\auto.jpg")
      << "ShowAntialiasingPreview";
}

}  // namespace
}  // namespace ks::test
