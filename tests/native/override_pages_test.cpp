// The multitexturing and shader override pages: slider ranges from the chip
// data and the override boxes, what each position writes, and the driver's
// control-panel loader.
#include <gtest/gtest.h>

#include "native/reader_rig.h"
#include "pages/override_pages.h"

namespace ks::test {
namespace {

const std::string kSettingsKey = "HKCU\\Software\\Kestrelane";

struct OverrideRig : ReaderRig {
  // Card 0322 (chip key 32); an empty text leaves that file without a record.
  OverrideRig(const std::string& mt, const std::string& ps = "", const std::string& vs = "") : ReaderRig(3, 7701) {
    const std::string data = m.fs.ProgramFolder() + "\\DATA\\";
    m.fs.AddFile(data + "mt.dat", mt.empty() ? "\"10\",2\r\n" : "\"32\"," + mt + "\r\n");
    m.fs.AddFile(data + "ps.dat", ps.empty() ? "\"10\",\"0.0\",1\r\n" : "\"32\"," + ps + "\r\n");
    m.fs.AddFile(data + "vs.dat", vs.empty() ? "\"10\",\"0.0\",1\r\n" : "\"32\"," + vs + "\r\n");
    m.reg.AddKey("HKLM\\" + st.DriverKey);
    f.IsStart = 0;
    Record();
  }
  std::vector<std::string> Started() {
    std::vector<std::string> lines;
    for (const auto& s : m.proc.started())
      lines.push_back(s.command_line + (s.style == platform::WindowStyle::kMinimizedFocus ? " (minimized)" : ""));
    return lines;
  }
};

const std::string kLoader = "rundll32 NvCpl.dll,NvStartup (minimized)";
const std::string kRemoveMax = "del DK D3D_59954022";

TEST(Multitexturing, StoredMaximumAboveTheCardsIsRemoved) {
  {
    SCOPED_TRACE("slider above the card's limit: the lowered maximum removes it");
    OverrideRig r("4");
    r.f.FlatScrollBar5.SetValue(9);
    r.st.MaxTextures = 8;
    r.TakeOps();
    LoadMultitextureOverride(r.st, r.f);
    EXPECT_EQ(r.TakeOps(), std::vector<std::string>{kRemoveMax});
    EXPECT_EQ(r.Started(), std::vector<std::string>{});
    EXPECT_EQ(r.Differences({{"MaxTextures", "-1"}, {"FlatScrollBar5", "4"}, {"Label11", "<165><88>"}}),
              std::vector<std::string>{});
  }
  {
    SCOPED_TRACE("slider within the limit: removed and the loader started");
    OverrideRig r("4");
    r.f.FlatScrollBar5.SetValue(2);
    r.st.MaxTextures = 8;
    r.TakeOps();
    LoadMultitextureOverride(r.st, r.f);
    EXPECT_EQ(r.TakeOps().front(), kRemoveMax);
    EXPECT_EQ(r.Started(), std::vector<std::string>{kLoader});
    EXPECT_EQ(r.Differences({{"MaxTextures", "-1"}, {"FlatScrollBar5", "4"}}), std::vector<std::string>{});
  }
}

// Regression: when the chip lookup failed (a card the data does not list,
// NT 4 without a device id) every stored maximum was removed at start-up
// and the control-panel loader started.
TEST(Multitexturing, WithoutTheCardsLimitTheStoredMaximumStays) {
  struct Case {
    const char* name;
    const char* device_id;
    std::int32_t stored;
    int top;
  };
  const Case cases[] = {
      {"card not listed", "0322", 3, 9},
      {"no device id (NT 4)", "", 3, 9},
      {"no device id, a number at the slider's top", "", 9, 10},
      {"no device id, a number above the slider's top", "", 12, 13},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    OverrideRig r("");
    r.st.DeviceId = c.device_id;
    r.f.FlatScrollBar5.SetValue(2);
    r.st.MaxTextures = c.stored;
    r.TakeOps();
    LoadMultitextureOverride(r.st, r.f);
    for (const std::string& op : r.TakeOps()) EXPECT_NE(op, kRemoveMax);
    EXPECT_EQ(r.Started(), std::vector<std::string>{});
    EXPECT_EQ(r.st.MaxTextures, c.stored);
    EXPECT_EQ(r.f.FlatScrollBar5.Max(), c.top);
    EXPECT_EQ(r.f.FlatScrollBar5.Value(), c.stored);
    EXPECT_EQ(r.f.Label11.Caption(), "<165>" + std::to_string(c.stored));
  }
}

TEST(Multitexturing, WithinTheLimitAndOverrideOn) {
  OverrideRig r("4");
  r.st.MaxTextures = 3;
  LoadMultitextureOverride(r.st, r.f);
  EXPECT_EQ(r.Differences({{"FlatScrollBar5", "3"}, {"Label11", "<165>3"}, {"MaxTextures", "3"}}),
            std::vector<std::string>{});
  EXPECT_EQ(r.TakeOps(), std::vector<std::string>{Binary("DK", "D3D_59954022", 3)}) << "the page writes what it shows";

  OverrideRig on("4");
  on.m.reg.PutDword(kSettingsKey, "OverrideMultiTexture", 1);
  on.st.MaxTextures = 12;
  LoadMultitextureOverride(on.st, on.f);
  EXPECT_EQ(on.f.FlatScrollBar5.Max(), 17);
  EXPECT_EQ(on.Differences({{"FlatScrollBar5", "12"}, {"Label11", "<165>12"}, {"Check8", "1"}}),
            std::vector<std::string>{});
}

// Regression: a stored maximum at the slider's top showed "-1": moving the
// slider there ran its change handling (no override, value removed), and
// the caption was then written from the number read before the move.
TEST(Multitexturing, StoredMaximumAtTheSlidersTopShowsNoOverride) {
  struct Case {
    const char* name;
    std::int32_t override_on;
    std::int32_t stored;
    int top;
  };
  const Case cases[] = {
      {"override off, the card's limit", 0, 4, 4},
      {"override on, the full range", 1, 17, 17},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    OverrideRig r("4");
    r.m.reg.PutDword(kSettingsKey, "OverrideMultiTexture", c.override_on);
    // The box already shows the stored state: the page loads once.
    const ui::Handler click = r.f.Check8.OnClick;
    r.f.Check8.OnClick = nullptr;
    r.f.Check8.SetValue(c.override_on);
    r.f.Check8.OnClick = click;
    r.f.FlatScrollBar5.SetValue(2);
    r.st.MaxTextures = c.stored;
    r.TakeOps();
    LoadMultitextureOverride(r.st, r.f);
    EXPECT_EQ(r.TakeOps(), std::vector<std::string>{kRemoveMax});
    EXPECT_EQ(r.Differences({{"MaxTextures", "-1"},
                             {"FlatScrollBar5", std::to_string(c.top)},
                             {"Label11", "<165><88>"}}),
              std::vector<std::string>{});
  }
}

TEST(Multitexturing, SliderPositionsAndButton) {
  OverrideRig r("4");
  LoadMultitextureOverride(r.st, r.f);
  r.TakeOps();
  r.Reach(r.f.FlatScrollBar5);
  r.f.FlatScrollBar5.UserScroll(2);
  EXPECT_EQ(r.TakeOps(), std::vector<std::string>{Binary("DK", "D3D_59954022", 2)});
  EXPECT_TRUE(r.f.Command2.Enabled());
  r.f.FlatScrollBar5.UserChange(4);
  EXPECT_EQ(r.TakeOps(), std::vector<std::string>{kRemoveMax});
  EXPECT_EQ(r.Differences({{"Label11", "<165><88>"}, {"MaxTextures", "-1"}}), std::vector<std::string>{});
  r.f.Command2.UserClick();
  EXPECT_EQ(r.Started(), std::vector<std::string>{kLoader});
  EXPECT_FALSE(r.f.Command2.Enabled());
}

TEST(Multitexturing, ButtonStaysOffWhileLoading) {
  OverrideRig r("4");
  r.f.IsLoading = 1;
  r.f.FlatScrollBar5.SetValue(2);
  EXPECT_FALSE(r.f.Command2.Enabled());
}

TEST(Multitexturing, OverrideBoxStoresItsStateAndReloads) {
  OverrideRig r("4");
  r.Reach(r.f.Check8);
  r.f.Check8.UserClick();
  EXPECT_EQ(r.m.reg.Get(kSettingsKey, "OverrideMultiTexture")->type, platform::kRegDword);
  EXPECT_EQ(r.f.FlatScrollBar5.Max(), 17);
}

TEST(Shaders, SlidersFromChipDataAndStoredVersions) {
  OverrideRig r("4", "\"2.0\",4", "\"1.1\",1");
  r.st.PsVersion = "1.4";
  r.st.VsVersion = "<146>";
  LoadShaderOverride(r.st, r.f);
  EXPECT_EQ(r.f.FlatScrollBar6[0].Max(), 4);
  EXPECT_EQ(r.f.FlatScrollBar6[1].Max(), 1);
  EXPECT_EQ(r.Differences({{"FlatScrollBar6(0)", "3"}, {"Label12(0)", "<168>1.4"}, {"FlatScrollBar6(1)", "1"},
                           {"Label12(1)", "<169><88>"}}),
            std::vector<std::string>{});
}

TEST(Shaders, OverrideOnPositionsWriteTheirCodes) {
  OverrideRig r("4", "\"2.0\",4", "\"1.1\",1");
  r.m.reg.PutDword(kSettingsKey, "OverrideShaders", 1);
  LoadShaderOverride(r.st, r.f);
  EXPECT_EQ(r.f.FlatScrollBar6[0].Max(), 6);
  EXPECT_EQ(r.f.FlatScrollBar6[1].Max(), 4);
  EXPECT_EQ(r.f.Check9.Value(), 1);
  r.TakeOps();
  r.Reach(r.f.FlatScrollBar6[0]);
  r.f.FlatScrollBar6[0].UserChange(6);
  EXPECT_EQ(r.TakeOps(), std::vector<std::string>{"del DK D3d_59954021"});
  EXPECT_FALSE(r.f.Command3.Enabled()) << "the top position does not enable the button";
  r.f.FlatScrollBar6[0].UserChange(5);
  EXPECT_EQ(r.TakeOps(), std::vector<std::string>{Binary("DK", "D3d_59954021", 0xFFFF0300)});
  EXPECT_EQ(r.f.Label12[0].Caption(), "<168>3.0");
  EXPECT_TRUE(r.f.Command3.Enabled());
  r.f.FlatScrollBar6[1].UserChange(2);
  EXPECT_EQ(r.TakeOps(), std::vector<std::string>{Binary("DK", "D3D_59954023", 0xFFFE0200)});
  r.f.FlatScrollBar6[1].UserChange(0);
  EXPECT_EQ(r.TakeOps(), std::vector<std::string>{Binary("DK", "D3D_59954023", 0xFFFE0000)});
  EXPECT_EQ(r.f.Label12[1].Caption(), "<169><145>");
  r.f.Command3.UserClick();
  EXPECT_EQ(r.Started(), std::vector<std::string>{kLoader});
  EXPECT_FALSE(r.f.Command3.Enabled());
}

TEST(Shaders, NoShadersDisablesTheSliderAndUnknownVersionsStay) {
  OverrideRig r("4", "\"0.0\",1", "\"1.1\",2");
  r.f.FlatScrollBar6[0].SetValue(2);
  r.st.PsVersion = "1.6";
  LoadShaderOverride(r.st, r.f);
  EXPECT_FALSE(r.f.FlatScrollBar6[0].Enabled());
  EXPECT_EQ(r.f.FlatScrollBar6[0].Value(), 1) << "max 1 from the chip data clamps; 1.6 has no position";
}

// Regression: without a "vs" record the vertex slider took the "ps"
// record's extra field as its maximum.
TEST(Shaders, CardWithoutVertexRecordKeepsTheVertexMaximum) {
  OverrideRig r("4", "\"2.0\",5", "");
  LoadShaderOverride(r.st, r.f);
  EXPECT_EQ(r.f.FlatScrollBar6[0].Max(), 5);
  EXPECT_EQ(r.f.FlatScrollBar6[1].Max(), 4);
}

TEST(Shaders, OverrideMissingKeepsTheBox) {
  OverrideRig r("4", "\"2.0\",4", "\"2.0\",2");
  const ui::Handler click = r.f.Check9.OnClick;
  r.f.Check9.OnClick = nullptr;
  r.f.Check9.SetValue(2);
  r.f.Check9.OnClick = click;
  LoadShaderOverride(r.st, r.f);
  EXPECT_EQ(r.f.Check9.Value(), 2);
  EXPECT_EQ(r.f.FlatScrollBar6[0].Max(), 4);
}

}  // namespace
}  // namespace ks::test
