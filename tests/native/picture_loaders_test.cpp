// Every loader of pictures and textures judges a file by the one header
// check before the system's loader is given it: a file that fails the
// check is not shown, and what was shown before stays. One row per bad
// file, each planted where each loader looks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "contract/picture_files.h"
#include "form1_rig.h"
#include "native/fixtures/viewer_rig.h"
#include "native/reader_rig.h"
#include "pages/setting_lists.h"
#include "viewer/d3dx.h"

namespace ks::test {
namespace {

struct BadFile {
  const char* name;
  std::string bytes;
};

// Pictures the system's loader takes and should not be given.
std::vector<BadFile> BadPictures() {
  const std::string jpeg = ReadRepoData("hs/pic/normal_lod.jpg");
  const std::string bmp = BmpFile(16, 16, 24, 0, BmpRows(16, 16, 24));
  const std::string padded = BmpFile(3, 2, 24, 0, BmpRows(3, 2, 24));
  const std::string top_down = BmpFile(3, -2, 24, 0, BmpRows(3, -2, 24));
  const std::string rle8 = BmpFile(7, 3, 8, 1, RunLengthRows(7, 3, false));
  const std::string rle4 = BmpFile(7, 3, 4, 2, RunLengthRows(7, 3, true));
  return {
      // Regression: the loader decoded it whole, holding the window for
      // most of a minute and taking gigabytes of memory.
      {"JPEG announcing 30000 x 30000", JpegOfSize(jpeg, 30000, 30000)},
      {"JPEG announcing 4097 x 90", JpegOfSize(jpeg, 4097, 90)},
      {"JPEG of no height", JpegOfSize(jpeg, 150, 0)},
      {"JPEG cut inside its coded data", jpeg.substr(0, jpeg.size() / 2)},
      // Regression: 20,000 repeats of one scan held the window 20 seconds.
      {"progressive JPEG of 20,000 scans", ProgressiveJpeg(2048, 2048, 20000)},
      // Regression: the preview drew its object in noise.
      {"BMP cut after its header", bmp.substr(0, 54)},
      {"BMP without its last row's padding", padded.substr(0, padded.size() - 3)},
      {"top-down BMP without its last row", top_down.substr(0, top_down.size() - 12)},
      // Regression: the preview turned its object black.
      {"run-length BMP of 8 bits cut short", rle8.substr(0, rle8.size() - 12)},
      {"run-length BMP of 4 bits cut after its header", rle4.substr(0, rle4.size() - RunLengthRows(7, 3, true).size())},
      {"BMP whose pixels start inside its header", With(bmp, 10, std::string("\x1E\0\0\0", 4))},
      {"BMP whose pixels lie beyond its end", With(bmp, 10, std::string("\xFF\xFF\0\0", 4))},
      {"BMP of no width", BmpFile(0, 16, 24, 0, "")},
      {"BMP of 4097 x 1", BmpFile(4097, 1, 24, 0, BmpRows(4097, 1, 24))},
  };
}

// Textures the preview should not upload: the bad pictures, and DDS files
// that its own reader refuses.
std::vector<BadFile> BadTextures() {
  std::vector<BadFile> files = BadPictures();
  const std::string dds = ReadRepoData("p256dx1.dds");  // 9 levels stored
  const viewer::DdsFile wide{8192, 1, platform::kFmtDxt1, {std::string(2048 * 8, '\x55')}};
  const viewer::DdsFile tall{1, 4097, platform::kFmtX8R8G8B8, {std::string(4097 * 4, '\x55')}};
  files.push_back({"DDS without the last level of its mip chain", dds.substr(0, dds.size() - 8)});
  files.push_back({"DDS cut inside its top level", dds.substr(0, 128 + 1000)});
  files.push_back({"DDS of 8192 x 1", viewer::DdsBytes(wide)});
  files.push_back({"DDS of 1 x 4097", viewer::DdsBytes(tall)});
  files.push_back({"DDS of no height", With(dds, 12, std::string(4, '\0'))});
  return files;
}

TEST(PictureLoaders, TheHelpWindowKeepsItsPicture) {
  const std::string pic = kProgram + "\\data\\hs\\pic\\";
  for (const BadFile& bad : BadPictures()) {
    SCOPED_TRACE(bad.name);
    Form1Rig rig;
    rig.m.fs.AddFile(pic + "high_lod.jpg", bad.bytes);
    rig.f.Load();
    rig.f.Show();
    ShowPageOf(rig.f, rig.f.Label6[3]);
    rig.f.Label6[3].UserMouseMove(0, 0, 10, 10);
    Form5& help = rig.f.form5();
    ASSERT_TRUE(help.Visible());
    ASSERT_EQ(help.Image1.Picture(), pic + "normal_lod.jpg");
    help.Option1[0].UserClick();
    EXPECT_EQ(help.Image1.Picture(), pic + "normal_lod.jpg") << "the picture shown stays";
  }
}

TEST(PictureLoaders, TheShaderPageShowsNoBadPicture) {
  for (const BadFile& bad : BadPictures()) {
    SCOPED_TRACE(bad.name);
    Form1Rig rig;
    rig.m.fs.AddFile(kProgram + "\\data\\hs\\pic\\ps.jpg", bad.bytes);
    rig.f.Load();
    EXPECT_EQ(rig.f.Image4.Picture(), "");
  }
}

TEST(PictureLoaders, TheAntialiasingPreviewKeepsItsPictures) {
  for (const BadFile& bad : BadPictures()) {
    SCOPED_TRACE(bad.name);
    ReaderRig r(3, 7000);
    const std::string folder = r.m.fs.ProgramFolder() + "\\data\\aa\\";
    for (const char* name : {"auto", "2x"}) {
      r.m.fs.AddFile(folder + "1\\" + name + ".jpg", ReadRepoData(std::string("aa/1/") + name + ".jpg"));
      r.m.fs.AddFile(folder + "2\\" + name + ".jpg", bad.bytes);
    }
    r.f.Combo3.SetText("2x");
    r.f.Option3[0].SetValue(true);
    ShowAntialiasingPreview(r.st, r.f);
    r.f.Option3[1].SetValue(true);
    ShowAntialiasingPreview(r.st, r.f);
    EXPECT_EQ(r.f.Image2.Picture(), folder + "1\\auto.jpg");
    EXPECT_EQ(r.f.Image3.Picture(), folder + "1\\2x.jpg");
  }
}

// What the system's loader makes of a bad file: it takes it, and shows
// whatever memory lies behind it.
platform::DecodedImage Noise() {
  platform::DecodedImage noise;
  noise.width = noise.height = 16;
  for (std::uint32_t i = 0; i < 256; ++i) noise.pixels.push_back(0xFF000000u | (i * 0x9E3779B9u >> 8));
  return noise;
}

TEST(PictureLoaders, ThePreviewKeepsItsTexture) {
  for (const BadFile& bad : BadTextures()) {
    SCOPED_TRACE(bad.name);
    ViewerRig rig;
    ASSERT_TRUE(rig.Start());
    rig.images.pictures[bad.bytes] = Noise();
    rig.m().fs.AddFile(kViewerFolder + "\\DATA\\p256dx1.dds", bad.bytes);
    viewer::Form2& preview = *rig.form->form2();
    const auto texture = preview.main_texture();
    const int decodes = rig.images.decodes;
    rig.form->Combo3.UserPick(3);
    EXPECT_EQ(rig.images.decodes, decodes) << "the file reached the system's loader";
    EXPECT_EQ(preview.main_texture(), texture) << "the texture in use stays";
    EXPECT_TRUE(rig.d3d.IsLive(texture));
    EXPECT_EQ(rig.d3d.device(preview.device())->textures[0], texture);
  }
}

TEST(PictureLoaders, ThePreviewKeepsItsPictureTexture) {
  for (const BadFile& bad : BadPictures()) {
    SCOPED_TRACE(bad.name);
    ViewerRig rig;
    ASSERT_TRUE(rig.Start());
    rig.form->Check7.UserClick();  // multitexturing: the picture on stage 1
    viewer::Form2& preview = *rig.form->form2();
    const auto picture = preview.picture_texture();
    ASSERT_NE(picture, 0u);
    rig.images.pictures[bad.bytes] = Noise();
    rig.m().fs.AddFile(kViewerFolder + "\\DATA\\ksln.jpg", bad.bytes);
    rig.form->Combo3.UserPick(4);
    EXPECT_EQ(preview.picture_texture(), picture) << "the picture texture in use stays";
    EXPECT_TRUE(rig.d3d.IsLive(picture));
    EXPECT_EQ(rig.d3d.device(preview.device())->textures[1], picture);
    EXPECT_EQ(rig.d3d.texture(preview.main_texture())->width, 512u) << "the other texture loads all the same";
  }
}

}  // namespace
}  // namespace ks::test
