// The header check against every picture the installation ships: each one
// is a picture the program will show.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/picture_header.h"
#include "native/repo_data.h"

namespace ks::test {
namespace {

TEST(PictureHeader, EveryShippedPictureIsOne) {
  const std::filesystem::path data = KS_DATA_DIR;
  int pictures = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(data)) {
    const std::string extension = entry.path().extension().string();
    if (extension != ".jpg" && extension != ".bmp") continue;
    const std::string relative = std::filesystem::relative(entry.path(), data).generic_string();
    EXPECT_TRUE(IsPictureFile(ReadRepoData(relative))) << relative;
    ++pictures;
  }
  EXPECT_GT(pictures, 50);
}

}  // namespace
}  // namespace ks::test
