// The header check against every picture the installation ships (each one
// is a picture the program will show), its size bound and the textures it
// takes.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "contract/picture_files.h"
#include "native/repo_data.h"
#include "platform/picture_header.h"
#include "viewer/d3dx.h"

namespace ks::test {
namespace {

TEST(PictureHeader, EveryShippedPictureIsOne) {
  const std::filesystem::path data = KS_DATA_DIR;
  int pictures = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(data)) {
    const std::string extension = entry.path().extension().string();
    const bool texture = extension == ".dds";
    if (extension != ".jpg" && extension != ".bmp" && !texture) continue;
    const std::string relative = std::filesystem::relative(entry.path(), data).generic_string();
    const std::string bytes = ReadRepoData(relative);
    EXPECT_TRUE(platform::IsTextureFile(bytes)) << relative;
    EXPECT_NE(platform::IsPictureFile(bytes), texture) << relative << ": a DDS is no picture for the system's loader";
    ++pictures;
  }
  EXPECT_GT(pictures, 50);
}

// The bound: 4096 pixels a side, 2048 x 2048 in all, at least one each way.
TEST(PictureHeader, SizeBound) {
  struct Case {
    const char* name;
    std::int64_t width, height;
    bool takes;
  };
  const Case cases[] = {
      {"the largest shipped texture", 512, 512, true},
      {"one pixel", 1, 1, true},
      {"4096 a side", 4096, 1024, true},
      {"4096 high", 1, 4096, true},
      {"2048 x 2048", 2048, 2048, true},
      {"4097 wide", 4097, 1, false},
      {"4097 high", 1, 4097, false},
      {"one row over the pixel bound", 4096, 1025, false},
      {"2049 x 2048", 2049, 2048, false},
      {"30000 x 30000", 30000, 30000, false},
      {"no width", 0, 16, false},
      {"no height", 16, 0, false},
      {"a negative width", -16, 16, false},
      {"a width past 32 bits", std::int64_t{1} << 33, 1, false},
  };
  for (const Case& c : cases) EXPECT_EQ(platform::IsPictureSize(c.width, c.height), c.takes) << c.name;
}

// DDS textures: the two formats the preview reads, a level count the mip
// chain holds (0 counts as one) and every level of its format's size.
TEST(PictureHeader, WhichTexturesLoad) {
  using viewer::DdsBytes;
  using viewer::DdsFile;
  const std::string x8 = DdsBytes(DdsFile{16, 16, platform::kFmtX8R8G8B8, {std::string(16 * 16 * 4, '\x55')}});
  const std::string x8_chain = DdsBytes(DdsFile{
      4, 4, platform::kFmtX8R8G8B8, {std::string(4 * 4 * 4, '\x55'), std::string(2 * 2 * 4, '\x55'), std::string(4, '\x55')}});
  // 8 x 8, 4 x 4, 2 x 2 and 1 x 1: one block of 8 bytes at least a level.
  const std::string dxt1 = DdsBytes(DdsFile{
      8, 8, platform::kFmtDxt1, {std::string(32, '\x55'), std::string(8, '\x55'), std::string(8, '\x55'), std::string(8, '\x55')}});
  // The level count at 28, its flag (0x20000) among the header's at 8.
  auto counted = [](const std::string& dds, char count) {
    return With(With(dds, 10, std::string(1, '\x02')), 28, std::string{count, 0, 0, 0});
  };
  struct Case {
    const char* name;
    std::string bytes;
    bool loads;
  };
  const Case cases[] = {
      {"X8R8G8B8 of one level", x8, true},
      {"X8R8G8B8 of its whole mip chain", x8_chain, true},
      {"X8R8G8B8 whose level has the size of a DXT1 one", x8.substr(0, 128 + 16 * 16 / 2), false},
      {"X8R8G8B8 without the last level of its chain", x8_chain.substr(0, x8_chain.size() - 4), false},
      {"24 bits under X8R8G8B8 masks", With(x8, 88, std::string("\x18\0\0\0", 4)), false},
      {"DXT1 of its whole mip chain", dxt1, true},
      {"DXT1 without its 1 x 1 level", dxt1.substr(0, dxt1.size() - 8), false},
      {"a level count past the mip chain, every level stored", counted(dxt1, 5) + std::string(8, '\x55'), false},
      {"a level count of 0 with its level", counted(x8, 0), true},
      {"a level count of 0 and no data", counted(x8, 0).substr(0, 128), false},
      {"an unknown FourCC", With(dxt1, 84, "DXT5"), false},
  };
  for (const Case& c : cases) EXPECT_EQ(platform::IsTextureFile(c.bytes), c.loads) << c.name;
}

}  // namespace
}  // namespace ks::test
