// The header check against every picture the installation ships: each one
// is a picture the program will show.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/picture_header.h"
#include "native/repo_data.h"

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

}  // namespace
}  // namespace ks::test
