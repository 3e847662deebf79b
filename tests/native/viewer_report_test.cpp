// lumacap's adapter report: its exact bytes, the version lines, the core
// version word, and the program ending unseen after writing it.
#include <gtest/gtest.h>

#include "native/fixtures/viewer_rig.h"
#include "viewer/adapter_report.h"

namespace ks {
namespace {

using test::ViewerRig;
using viewer::EditionKind;

const std::string kSystem = "C:\\WINDOWS\\system32";
const std::string kReport = test::kViewerFolder + "\\d3d_adapter_info.txt";

void SetVersion(fake::FakeMachine& m, const std::string& dll, const std::string& version) {
  m.ver.AddDll(kSystem + "\\" + dll, fake::VersionResource::WithFileVersion(version));
}

TEST(ViewerReport, CoreVersionWordTable) {
  struct Case {
    std::int32_t group;
    const char* word;
  };
  const Case cases[] = {{90, "9.0c"},  {0, "8 or low"}, {899, "8 or low"},  {900, "9.0"},
                        {901, "9.0a"}, {902, "9.0b"},   {903, "9.0 or higher"}, {904, "9.0c"},
                        {905, "9.0 or higher"}, {2180, "9.0 or higher"}};
  for (const Case& c : cases) EXPECT_EQ(viewer::CoreVersionWord(c.group), c.word) << c.group;
}

TEST(ViewerReport, FileVersionWholeAndLastGroup) {
  struct Case {
    const char* name;
    const char* version;  // nullptr: no such library
    int mode;
    const char* expected;
  };
  const Case cases[] = {
      {"whole, trailing blanks cut", "6.14.10.7701  ", viewer::kWholeVersion, "6.14.10.7701"},
      {"four-digit group", "4.09.0000.0904", viewer::kLastGroup, "904"},
      {"three-digit group", "4.09.00.900", viewer::kLastGroup, "900"},
      {"first 15 characters only", "5.03.2600.2180 (xpsp_sp2_rtm.040803-2158)", viewer::kLastGroup, "2180"},
      {"commas, whole", "6, 14, 10, 5303", viewer::kWholeVersion, "6, 14, 10, 5303"},
      {"commas, last group", "6, 14, 10, 5303", viewer::kLastGroup, "5303"},
      // Regression: a last group after a blank was read as no number.
      {"commas, three-digit last group after a blank", "5, 3, 1, 904", viewer::kLastGroup, "904"},
      {"commas, two-digit last group", "5, 3, 1, 90", viewer::kLastGroup, "90"},
      {"group no number keeps the text", "1.2.beta", viewer::kLastGroup, "1.2.beta"},
      {"missing library", nullptr, viewer::kLastGroup, ""},
  };
  for (const Case& c : cases) {
    auto m = test::MakeMachine(test::OsKind::kXp);
    if (c.version) SetVersion(*m, "ks_probe.dll", c.version);
    EXPECT_EQ(viewer::GetFileVersion(*m, "ks_probe.dll", c.mode), c.expected) << c.name;
  }
}

TEST(ViewerReport, DirectXWordFallsBackToD3d8AndToEightOrLow) {
  struct Case {
    const char* name;
    const char* d3d9;
    const char* d3d8;
    const char* word;
  };
  const Case cases[] = {
      {"d3d9 904", "4.09.0000.0904", "4.08.01.0881", "9.0c"},
      {"d3d9 903", "4.09.0000.0903", nullptr, "9.0 or higher"},
      {"d3d9 ending in 0090", "4.09.0000.0090", nullptr, "9.0c"},
      // Regression: read as no number, so the line said "8 or low".
      {"d3d9 written with commas and blanks", "5, 3, 1, 904", nullptr, "9.0c"},
      {"d3d8 only", nullptr, "4.08.01.0881", "8 or low"},
      {"neither", nullptr, nullptr, "8 or low"},
  };
  for (const Case& c : cases) {
    auto m = test::MakeMachine(test::OsKind::kWin98);
    m->sys.system_directory = kSystem;
    m->fs.DeleteFile(kSystem + "\\d3d9.dll");
    m->fs.DeleteFile(kSystem + "\\d3d8.dll");
    if (c.d3d9) SetVersion(*m, "d3d9.dll", c.d3d9);
    if (c.d3d8) SetVersion(*m, "d3d8.dll", c.d3d8);
    viewer::ReportContent content;
    viewer::ReadVersions(*m, &content);
    EXPECT_EQ(content.core_word, c.word) << c.name;
  }
}

std::string ExpectedReport() {
  return "Hardware IDs:\r\n"
         "\r\n"
         "Device ID: 322 - NV34\r\n"
         "Vendor ID: 10DE\r\n"
         "Revision: A1\r\n"
         "Bios date: 03/14/03\r\n"
         "Bios Version 4.34.20.42.00\r\n"
         "\r\n"
         "\r\n"
         "Current display mode:\r\n"
         "\r\n"
         "Resolution: 1024x768\r\n"
         "Refresh rate: 85 Hz\r\n"
         "\r\n"
         "\r\n"
         "nVidia display driver info:\r\n"
         "\r\n"
         "Display driver version: 6.14.10.7701\r\n"
         "Control panel version: no available control panel found\r\n"
         "\r\n"
         "\r\n"
         "DirectX info:\r\n"
         "\r\n"
         "Direct3D core version: 9.0c\r\n"
         "\r\n\r\nGeneral info:\r\n\r\n"
         "Device type: Hardware\r\n"
         "Max texture size: 4096x4096\r\n"
         "Max volume extent: 512\r\n"
         "Max texture blend stages: 8\r\n"
         "Max simultaneous textures: 4\r\n"
         "Max anisotropy: 8 (32-tap or better)\r\n"
         "Max streams: 16\r\n"
         "Max point size: 64\r\n"
         "\r\n\r\nDevice caps:\r\n\r\n"
         "Hardware T&L: YES\r\n"
         "Hardware scene rasterization: YES\r\n"
         "Pure device: NO\r\n"
         "Textures from system memory: YES\r\n"
         "Textures from video memory: YES\r\n"
         "Can render after a page flip: YES\r\n"
         "Quintic b\xE9ziers and B-splines: NO\r\n"
         "High-order surfaces: NO\r\n"
         "N patches support: NO\r\n"
         "\r\n\r\nRaster caps:\r\n\r\n"
         "Dithering: YES\r\n"
         "Z test: YES\r\n"
         "Fog table: YES\r\n"
         "Edges antialiasing: NO\r\n"
         "LOD bias adjustments: YES\r\n"
         "Anisotropic filtering: YES\r\n"
         "W-buffer support: NO\r\n"
         "W-fog support: YES\r\n"
         "Multisampling: NO\r\n"
         "\r\n\r\nTexture caps:\r\n\r\n"
         "Perspective correction: YES\r\n"
         "Alpha textures: YES\r\n"
         "Square textures only: NO\r\n"
         "Alpha palette from textures: NO\r\n"
         "Projected textures: NO\r\n"
         "Cube textures: YES\r\n"
         "Volume textures: NO\r\n"
         "Mipmapped textures: YES\r\n"
         "Mipmapped volume textures: NO\r\n"
         "Mipmapped cube textures: YES\r\n"
         "\r\n\r\nTexture filtering caps:\r\n\r\n"
         "Point sampling: YES\r\n"
         "Bilinear interpolation : YES\r\n"
         "Anisotropic filtering : YES\r\n"
         "Point sampling for mipmaps: YES\r\n"
         "Trilinear filtering for mipmaps: YES\r\n"
         "Point-sampling for mag. textures: YES\r\n"
         "Bilinear filtering for mag. textures: YES\r\n"
         "Anisotropic filtering for mag. textures: NO\r\n"
         "Flat cubic filtering for mag. textures: NO\r\n"
         "Gaussian cubic filtering for mag. textures: NO\r\n";
}

struct LumacapRig : ViewerRig {
  LumacapRig() : ViewerRig(EditionKind::kLumacap) {
    m().reg.PutString("HKLM\\HARDWARE\\DESCRIPTION\\System", "VideoBiosDate", "03/14/03");
    m().reg.Put("HKLM\\HARDWARE\\DESCRIPTION\\System", "VideoBiosVersion", platform::kRegMultiSz,
                std::string("Version 4.34.20.42.00\0\0", 23));
    m().sys.system_directory = kSystem;
    m().fs.DeleteFile(kSystem + "\\nvcpl.dll");
    SetVersion(m(), "nv4_disp.dll", "6.14.10.7701");
    SetVersion(m(), "d3d9.dll", "5.03.2600.0904");
  }
};

TEST(ViewerReport, LumacapWritesTheExactNinetyLineReportAndEndsUnseen) {
  LumacapRig rig;
  ASSERT_TRUE(rig.Start());
  std::string bytes;
  ASSERT_TRUE(rig.m().fs.ReadFile(kReport, &bytes));
  EXPECT_EQ(bytes, ExpectedReport());
  size_t lines = 0;
  for (size_t at = bytes.find("\r\n"); at != std::string::npos; at = bytes.find("\r\n", at + 2)) ++lines;
  EXPECT_EQ(lines, 90u);
  EXPECT_FALSE(rig.form->Loaded()) << "the report unloads the window";
  EXPECT_FALSE(rig.form->Visible());
  EXPECT_TRUE(rig.s.app.Ended());
  EXPECT_EQ(rig.form->Label11.Caption(), "Log file created OK");
  EXPECT_EQ(rig.form->form2(), nullptr) << "lumacap has no preview";
}

// Regression: the report was appended to an old one that could not be deleted.
TEST(ViewerReport, ReportHoldsOnlyThisRunsLines) {
  LumacapRig rig;
  rig.m().fs.AddFile(kReport, "old,report\r\n");
  ASSERT_TRUE(rig.Start());
  EXPECT_EQ(rig.m().fs.Contents(kReport), ExpectedReport());

  // A second run over the first one's report leaves one report.
  viewer::Form1 again(rig.s);
  again.Show();
  EXPECT_EQ(rig.m().fs.Contents(kReport), ExpectedReport());
}

TEST(ViewerReport, InfoAndTarrowWriteNoReport) {
  for (EditionKind kind : {EditionKind::kInfo, EditionKind::kTarrow}) {
    ViewerRig rig(kind);
    ASSERT_TRUE(rig.Start());
    EXPECT_FALSE(rig.m().fs.FileExists(kReport));
    EXPECT_TRUE(rig.form->Visible());
  }
}

TEST(ViewerReport, WithoutDirect3DTheReportIsStillWrittenWithZeros) {
  LumacapRig rig;
  rig.d3d.library_present = false;
  ASSERT_TRUE(rig.Start());
  std::string bytes;
  ASSERT_TRUE(rig.m().fs.ReadFile(kReport, &bytes));
  EXPECT_NE(bytes.find("Device ID: 0\r\nVendor ID: 0\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("Resolution: 0x0\r\nRefresh rate: 0 Hz\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("Device type: Not supported /error/\r\n"), std::string::npos);
}

}  // namespace
}  // namespace ks
