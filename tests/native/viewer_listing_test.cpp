// The capability listing of the three editions over the fake Direct3D, and
// the viewer's own registry read.
#include <gtest/gtest.h>

#include "native/fixtures/viewer_rig.h"
#include "viewer/basRegistry.h"
#include "viewer/caps_listing.h"

namespace ks {
namespace {

using test::ViewerRig;
using viewer::EditionKind;

std::vector<std::string> Tail(const std::vector<std::string>& items, size_t from) {
  return std::vector<std::string>(items.begin() + static_cast<long>(std::min(from, items.size())), items.end());
}

TEST(ViewerListing, AnisotropyChoicesAndLineFollowTheEdition) {
  struct Case {
    const char* name;
    EditionKind edition;
    std::uint32_t n;
    std::vector<std::string> choices;
    const char* line;
  };
  const std::vector<std::string> all = {"Anisotropic 2x", "Anisotropic 4x", "Anisotropic 8x", "Anisotropic 16x"};
  const std::vector<std::string> three(all.begin(), all.begin() + 3);
  const Case cases[] = {
      {"tarrow 16", EditionKind::kTarrow, 16, all, "Max anisotropy: 16 (32-tap or better)"},
      {"info 16", EditionKind::kInfo, 16, all, "Max anisotropy: 16x"},
      {"lumacap 16", EditionKind::kLumacap, 16, three, "Max anisotropy: 16 (32-tap or better)"},
      {"tarrow 12", EditionKind::kTarrow, 12, three, "Max anisotropy: 12 (32-tap or better)"},
      {"info 12", EditionKind::kInfo, 12, three, "Max anisotropy: 12x"},
      {"tarrow 8", EditionKind::kTarrow, 8, three, "Max anisotropy: 8 (32-tap or better)"},
      // A card whose maximum lies between two degrees was offered the higher
      // one, a filter state beyond what it takes.
      {"tarrow 7", EditionKind::kTarrow, 7, {"Anisotropic 2x", "Anisotropic 4x"}, "Max anisotropy: 7 (32-tap or better)"},
      {"info 5", EditionKind::kInfo, 5, {"Anisotropic 2x", "Anisotropic 4x"}, "Max anisotropy: 5x"},
      {"tarrow 4", EditionKind::kTarrow, 4, {"Anisotropic 2x", "Anisotropic 4x"}, "Max anisotropy: 4 (32-tap or better)"},
      {"tarrow 3", EditionKind::kTarrow, 3, {"Anisotropic 2x"}, "Max anisotropy: 3 (32-tap or better)"},
      {"tarrow 2", EditionKind::kTarrow, 2, {"Anisotropic 2x"}, "Max anisotropy: 2 (16-tap)"},
      {"tarrow 1", EditionKind::kTarrow, 1, {}, "Max anisotropy: 1 (Bilinear)"},
      {"tarrow 0", EditionKind::kTarrow, 0, {}, "Max anisotropy: 0 (Point)"},
  };
  for (const Case& c : cases) {
    ViewerRig rig(c.edition);
    rig.d3d.adapters[0].caps[platform::kDevTypeHal].MaxAnisotropy = c.n;
    ASSERT_TRUE(rig.Start()) << c.name;
    EXPECT_EQ(Tail(rig.form->Combo2.items(), 2), c.choices) << c.name;
    EXPECT_EQ(rig.form->List1[0].List(5), c.line) << c.name;
    if (c.edition == EditionKind::kTarrow) {
      EXPECT_EQ(rig.form->Label12->Caption(), "Max anisotropy: " + std::to_string(c.n)) << c.name;
    }
  }
}

// Each degree from the card's maximum that reaches it, up to the edition's
// highest: 16x in tarrow and info, 8x in lumacap. Regression: info offered
// 16x for any maximum above 8, beyond what a card of 9 to 15 takes.
TEST(ViewerListing, EachAnisotropyDegreeFromTheMaximumThatReachesIt) {
  struct Row {
    std::uint32_t n;
    std::vector<int> tarrow, info, lumacap;
  };
  const Row rows[] = {
      {2, {2}, {2}, {2}},
      {3, {2}, {2}, {2}},
      {4, {2, 4}, {2, 4}, {2, 4}},
      {5, {2, 4}, {2, 4}, {2, 4}},
      {6, {2, 4}, {2, 4}, {2, 4}},
      {7, {2, 4}, {2, 4}, {2, 4}},
      {8, {2, 4, 8}, {2, 4, 8}, {2, 4, 8}},
      {9, {2, 4, 8}, {2, 4, 8}, {2, 4, 8}},
      {10, {2, 4, 8}, {2, 4, 8}, {2, 4, 8}},
      {11, {2, 4, 8}, {2, 4, 8}, {2, 4, 8}},
      {12, {2, 4, 8}, {2, 4, 8}, {2, 4, 8}},
      {13, {2, 4, 8}, {2, 4, 8}, {2, 4, 8}},
      {14, {2, 4, 8}, {2, 4, 8}, {2, 4, 8}},
      {15, {2, 4, 8}, {2, 4, 8}, {2, 4, 8}},
      {16, {2, 4, 8, 16}, {2, 4, 8, 16}, {2, 4, 8}},
  };
  for (const Row& row : rows) {
    const std::pair<EditionKind, const std::vector<int>*> editions[] = {
        {EditionKind::kTarrow, &row.tarrow}, {EditionKind::kInfo, &row.info}, {EditionKind::kLumacap, &row.lumacap}};
    for (const auto& [edition, degrees] : editions) {
      const std::string name = std::string(viewer::EditionOf(edition).title) + " " + std::to_string(row.n);
      std::vector<std::string> items;
      for (int degree : *degrees) items.push_back("Anisotropic " + std::to_string(degree) + "x");
      ViewerRig rig(edition);
      rig.d3d.adapters[0].caps[platform::kDevTypeHal].MaxAnisotropy = row.n;
      ASSERT_TRUE(rig.Start()) << name;
      EXPECT_EQ(Tail(rig.form->Combo2.items(), 2), items) << name;
    }
  }
}

TEST(ViewerListing, GeneralPageOfTheDeviceInUse) {
  ViewerRig rig;
  auto& caps = rig.d3d.adapters[0].caps[platform::kDevTypeHal];
  caps.MaxTextureWidth = 4096;
  caps.MaxTextureHeight = 2048;
  ASSERT_TRUE(rig.Start());
  EXPECT_EQ(rig.form->List1[0].items(), (std::vector<std::string>{
                                            "Device type: Hardware",
                                            "Max texture size: 2048x4096",
                                            "Max volume extent: 512",
                                            "Max texture blend stages: 8",
                                            "Max simultaneous textures: 4",
                                            "Max anisotropy: 8x",
                                            "Max streams: 16",
                                            "Max point size: 64",
                                        }));
  EXPECT_EQ(rig.form->List2.items(), std::vector<std::string>{"1024x768 with 85 Hz"});
  EXPECT_EQ(rig.form->re1, "1024x768");
  EXPECT_EQ(rig.form->re2, "85 Hz");
  EXPECT_EQ(rig.form->Label6.Caption(), "Total adapters: 1");
  EXPECT_EQ(rig.form->Combo1.items(), (std::vector<std::string>{"General", "Device caps", "Raster caps",
                                                                 "Texture caps", "Texture filter caps"}));
}

TEST(ViewerListing, PointSizeRoundsHalfToEven) {
  struct Case {
    float size;
    const char* line;
  };
  for (const Case& c : {Case{62.5f, "Max point size: 62"}, Case{63.5f, "Max point size: 64"},
                        Case{64.0f, "Max point size: 64"}, Case{1.4f, "Max point size: 1"}}) {
    platform::D3DCaps caps;
    caps.MaxPointSize = c.size;
    EXPECT_EQ(viewer::GeneralLines(caps, viewer::EditionOf(EditionKind::kInfo))[7], c.line) << c.size;
  }
}

TEST(ViewerListing, HardwareIdsInHexAndTheNv34Label) {
  struct Case {
    const char* name;
    std::uint32_t vendor, device, revision;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"FX 5200", 0x10DE, 0x322, 0xA1, {"Device ID: 322 - NV34", "Vendor ID: 10DE", "Revision: A1"}},
      {"NV34 range end", 0x10DE, 0x32F, 0, {"Device ID: 32F - NV34", "Vendor ID: 10DE", "Revision: 0"}},
      {"other chip", 0x10DE, 0x301, 0xA2, {"Device ID: 301", "Vendor ID: 10DE", "Revision: A2"}},
      // Regression: ids whose hex text merely starts with 32 were labelled NV34.
      {"id 32", 0x10DE, 0x32, 0, {"Device ID: 32", "Vendor ID: 10DE", "Revision: 0"}},
      {"id 3201", 0x10DE, 0x3201, 0, {"Device ID: 3201", "Vendor ID: 10DE", "Revision: 0"}},
      {"another vendor's 322", 0x1002, 0x322, 0, {"Device ID: 322", "Vendor ID: 1002", "Revision: 0"}},
  };
  for (const Case& c : cases) {
    platform::D3DAdapterIdentifier id;
    id.VendorId = c.vendor;
    id.DeviceId = c.device;
    id.Revision = c.revision;
    EXPECT_EQ(viewer::IdentifierLines(id), c.lines) << c.name;
  }
}

TEST(ViewerListing, FlagPagesHaveEveryLineWhateverTheBits) {
  ViewerRig rig;
  ASSERT_TRUE(rig.Start());
  const size_t sizes[] = {8, 9, 9, 10, 10};
  for (int k = 0; k < 5; ++k) EXPECT_EQ(rig.form->List1[k].ListCount(), static_cast<int>(sizes[k])) << k;
  EXPECT_EQ(rig.form->List1[1].List(0), "Hardware T&L: YES");
  EXPECT_EQ(rig.form->List1[1].List(6), "Quintic b\xE9ziers and B-splines: NO") << "ANSI, e acute as byte 0xE9";
  EXPECT_EQ(rig.form->List1[4].List(1), "Bilinear interpolation : YES");
  EXPECT_EQ(rig.form->List1[4].List(2), "Anisotropic filtering : YES");
  EXPECT_EQ(rig.form->List1[4].List(9), "Gaussian cubic filtering for mag. textures: NO");
  EXPECT_TRUE(rig.form->List1[0].Visible());
  EXPECT_FALSE(rig.form->List1[3].Visible());
  rig.form->Combo1.UserPick(3);
  EXPECT_FALSE(rig.form->List1[0].Visible());
  EXPECT_TRUE(rig.form->List1[3].Visible());
}

// One bit set per row: the listing shows that flag's line, and only that
// one, as present. A row whose line asked another bit would show NO here.
TEST(ViewerListing, EachFlagLineShowsItsOwnBit) {
  enum Field { kDev = 1, kRaster, kTexture, kFilter };  // the page of each caps field
  struct Case {
    Field field;
    std::uint32_t bit;
    int line;  // on its page, from 0
    const char* shown;
  };
  const Case cases[] = {
      {kDev, 0x10000, 0, "Hardware T&L: YES"},
      {kDev, 0x80000, 1, "Hardware scene rasterization: YES"},
      {kDev, 0x100000, 2, "Pure device: YES"},
      {kDev, 0x100, 3, "Textures from system memory: YES"},
      {kDev, 0x200, 4, "Textures from video memory: YES"},
      {kDev, 0x800, 5, "Can render after a page flip: YES"},
      {kDev, 0x200000, 6, "Quintic b\xE9ziers and B-splines: YES"},
      {kDev, 0x400000, 7, "High-order surfaces: YES"},
      {kDev, 0x1000000, 8, "N patches support: YES"},
      {kRaster, 0x1, 0, "Dithering: YES"},
      {kRaster, 0x10, 1, "Z test: YES"},
      {kRaster, 0x100, 2, "Fog table: YES"},
      {kRaster, 0x1000, 3, "Edges antialiasing: YES"},
      {kRaster, 0x2000, 4, "LOD bias adjustments: YES"},
      {kRaster, 0x20000, 5, "Anisotropic filtering: YES"},
      {kRaster, 0x40000, 6, "W-buffer support: YES"},
      {kRaster, 0x100000, 7, "W-fog support: YES"},
      {kRaster, 0x800000, 8, "Multisampling: YES"},
      {kTexture, 0x1, 0, "Perspective correction: YES"},
      {kTexture, 0x4, 1, "Alpha textures: YES"},
      {kTexture, 0x20, 2, "Square textures only: YES"},
      {kTexture, 0x80, 3, "Alpha palette from textures: YES"},
      {kTexture, 0x400, 4, "Projected textures: YES"},
      {kTexture, 0x800, 5, "Cube textures: YES"},
      {kTexture, 0x2000, 6, "Volume textures: YES"},
      {kTexture, 0x4000, 7, "Mipmapped textures: YES"},
      {kTexture, 0x8000, 8, "Mipmapped volume textures: YES"},
      {kTexture, 0x10000, 9, "Mipmapped cube textures: YES"},
      {kFilter, 0x100, 0, "Point sampling: YES"},
      {kFilter, 0x200, 1, "Bilinear interpolation : YES"},
      {kFilter, 0x400, 2, "Anisotropic filtering : YES"},
      {kFilter, 0x10000, 3, "Point sampling for mipmaps: YES"},
      {kFilter, 0x20000, 4, "Trilinear filtering for mipmaps: YES"},
      {kFilter, 0x1000000, 5, "Point-sampling for mag. textures: YES"},
      {kFilter, 0x2000000, 6, "Bilinear filtering for mag. textures: YES"},
      {kFilter, 0x4000000, 7, "Anisotropic filtering for mag. textures: YES"},
      {kFilter, 0x8000000, 8, "Flat cubic filtering for mag. textures: YES"},
      {kFilter, 0x10000000, 9, "Gaussian cubic filtering for mag. textures: YES"},
  };
  for (const Case& c : cases) {
    ViewerRig rig(EditionKind::kLumacap);
    platform::D3DCaps& caps = rig.d3d.adapters[0].caps[platform::kDevTypeHal];
    caps.DevCaps = c.field == kDev ? c.bit : 0;
    caps.RasterCaps = c.field == kRaster ? c.bit : 0;
    caps.TextureCaps = c.field == kTexture ? c.bit : 0;
    caps.TextureFilterCaps = c.field == kFilter ? c.bit : 0;
    ASSERT_TRUE(rig.Start()) << c.shown;
    std::vector<std::string> present;
    for (int page = 1; page < 5; ++page)
      for (const std::string& line : rig.form->List1[page].items())
        if (line.ends_with(": YES")) present.push_back(line);
    EXPECT_EQ(present, std::vector<std::string>{c.shown}) << c.shown;
    EXPECT_EQ(rig.form->List1[c.field].List(c.line), c.shown) << c.shown;
  }
}

TEST(ViewerListing, AfterTheFallbackTheGeneralPageIsTheReferenceDevicesAndFlagsStayHardware) {
  // lumacap: the preview of the other editions has no fallback of its own.
  ViewerRig rig(EditionKind::kLumacap);
  rig.d3d.adapters[0].create_result[platform::kDevTypeHal] = platform::kD3dErrNotAvailable;
  ASSERT_TRUE(rig.Start());
  EXPECT_EQ(rig.form->List1[0].List(0), "Device type: Software");
  EXPECT_EQ(rig.form->List1[0].List(1), "Max texture size: 2048x2048");
  EXPECT_EQ(rig.form->List1[1].List(0), "Hardware T&L: YES") << "flag pages ask the hardware caps again";
}

TEST(ViewerListing, FailedQueriesLeaveZeroRecords) {
  ViewerRig rig;
  rig.d3d.fail_always["DeviceGetDisplayMode"] = platform::kD3dErrInvalidCall;
  rig.d3d.fail_call["GetAdapterIdentifier"][2] = platform::kD3dErrInvalidCall;  // the listing's own query
  ASSERT_TRUE(rig.Start());
  EXPECT_EQ(rig.form->List2.items(), std::vector<std::string>{"0x0 with 0 Hz"});
  EXPECT_EQ(rig.form->re1, "0x0");
  EXPECT_EQ(rig.form->re2, "0 Hz");
  EXPECT_EQ(Tail(rig.form->List3.items(), 0).at(0), "Device ID: 0");
  EXPECT_EQ(rig.form->List3.List(1), "Vendor ID: 0");
}

TEST(ViewerListing, BiosLinesTakeTheFirstStringAndReadEmptyWithoutTheValues) {
  ViewerRig rig;
  rig.m().reg.PutString("HKLM\\HARDWARE\\DESCRIPTION\\System", "VideoBiosDate", "03/14/03");
  rig.m().reg.Put("HKLM\\HARDWARE\\DESCRIPTION\\System", "VideoBiosVersion", platform::kRegMultiSz,
                  std::string("Version 4.34.20.42.00\0Second line\0\0", 36));
  ASSERT_TRUE(rig.Start());
  EXPECT_EQ(rig.form->List3.List(3), "Bios date: 03/14/03");
  EXPECT_EQ(rig.form->List3.List(4), "Bios Version 4.34.20.42.00");

  ViewerRig bare;
  bare.m().reg.AddKey("HKLM\\HARDWARE\\DESCRIPTION\\System");
  ASSERT_TRUE(bare.Start());
  EXPECT_EQ(bare.form->List3.List(3), "Bios date: ");
  EXPECT_EQ(bare.form->List3.List(4), "Bios ");
}

TEST(ViewerRegistry, ReadRegistryValueTypeRules) {
  struct Case {
    const char* name;
    std::uint32_t type;
    std::string bytes;
    RegRead expected;
  };
  const Case cases[] = {
      {"REG_SZ up to its NUL", platform::kRegSz, std::string("abc\0", 4), RegRead::Text("abc")},
      {"REG_SZ without NUL", platform::kRegSz, "abc", RegRead::Text("abc")},
      {"REG_DWORD", platform::kRegDword, std::string("\xFF\xFF\xFF\xFF", 4), RegRead::Number(-1)},
      {"4-byte REG_BINARY", platform::kRegBinary, std::string("\x01\x02\x00\x00", 4), RegRead::Number(0x201)},
      {"2-byte REG_BINARY", platform::kRegBinary, std::string("\x05\x01", 2), RegRead::Number(0x105)},
      {"6-byte REG_BINARY is too long", platform::kRegBinary, std::string("\x01\x02\x03\x04\x05\x06", 6),
       RegRead::Text("")},
      {"REG_EXPAND_SZ", platform::kRegExpandSz, std::string("%x%\0", 4), RegRead::Text("")},
      {"REG_MULTI_SZ whole", platform::kRegMultiSz, std::string("a\0b\0\0", 5), RegRead::Text(std::string("a\0b\0\0", 5))},
      {"REG_NONE", platform::kRegNone, "x", RegRead::Text("")},
  };
  for (const Case& c : cases) {
    auto m = test::MakeMachine(test::OsKind::kXp);
    m->reg.Put("HKLM\\Software\\Test", "v", c.type, c.bytes);
    EXPECT_EQ(viewer::ReadRegistryValue(m->reg, platform::kHkeyLocalMachine, "Software\\Test", "v"), c.expected)
        << c.name;
  }
  auto m = test::MakeMachine(test::OsKind::kXp);
  EXPECT_EQ(viewer::ReadRegistryValue(m->reg, platform::kHkeyLocalMachine, "Software\\Missing", "v"),
            RegRead::Text(""));
  m->reg.AddKey("HKLM\\Software\\Test");
  EXPECT_EQ(viewer::ReadRegistryValue(m->reg, platform::kHkeyLocalMachine, "Software\\Test", "missing"),
            RegRead::Text(""));
}

}  // namespace
}  // namespace ks
