// Our helper subset: matrices against worked values, the DDS parser and the
// DXT1 codec over files we make, and the levels a texture gets.
#include <gtest/gtest.h>

#include <cmath>

#include "native/repo_data.h"
#include "platform/fake/images.h"
#include "viewer/d3dx.h"
#include "viewer/texture_file.h"

namespace ks {
namespace {

using namespace viewer;

void ExpectMatrix(const platform::D3DMatrix& m, const std::array<std::array<float, 4>, 4>& want, const char* name) {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(m.m[r][c], want[r][c], 1e-5) << name << " [" << r << "][" << c << "]";
}

TEST(ViewerD3dx, MatricesAgainstWorkedValues) {
  const float half_pi = 1.5707963f;
  ExpectMatrix(MatrixRotationAxis({1, 0, 0}, half_pi), {{{1, 0, 0, 0}, {0, 0, 1, 0}, {0, -1, 0, 0}, {0, 0, 0, 1}}},
               "quarter turn about x");
  ExpectMatrix(MatrixRotationAxis({0, 0, 2}, half_pi), {{{0, 1, 0, 0}, {-1, 0, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}},
               "about a z axis of length 2");
  // Regression: all three axis boxes cleared gave NaN.
  ExpectMatrix(MatrixRotationAxis({0, 0, 0}, 1.0f), {{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}},
               "zero axis rotates nothing");
  // Eye (0, 3, -5) towards the origin: z = (0, -3, 5) / sqrt(34).
  const float n = std::sqrt(34.0f);
  ExpectMatrix(MatrixLookAtLH({0, 3, -5}, {0, 0, 0}, {0, 1, 0}),
               {{{1, 0, 0, 0}, {0, 5 / n, -3 / n, 0}, {0, 3 / n, 5 / n, 0}, {0, 0, n, 1}}}, "info's view");
  const float y = 1.0f / std::tan(3.1415f / 8.0f);
  ExpectMatrix(MatrixPerspectiveFovLH(3.1415f / 4.0f, 1.0f, 1.0f, 1000.0f),
               {{{y, 0, 0, 0}, {0, y, 0, 0}, {0, 0, 1000.0f / 999.0f, 1}, {0, 0, -1000.0f / 999.0f, 0}}},
               "field of view 45 degrees");
}

Image Pattern(std::uint32_t w, std::uint32_t h) {
  Image image{w, h, {}};
  for (std::uint32_t y = 0; y < h; ++y)
    for (std::uint32_t x = 0; x < w; ++x) image.pixels.push_back((x + y) % 2 ? 0xFFFF0000u : 0xFF0000FFu);
  return image;
}

TEST(ViewerD3dx, Dxt1RoundTripsTwoColourBlocksExactlyAtOddSizes) {
  struct Case {
    std::uint32_t w, h;
    size_t bytes;
  };
  for (const Case& c : {Case{4, 4, 8}, Case{5, 3, 16}, Case{1, 1, 8}, Case{9, 8, 48}}) {
    const Image image = Pattern(c.w, c.h);
    const std::string encoded = EncodeDxt1(image);
    EXPECT_EQ(encoded.size(), c.bytes) << c.w << "x" << c.h;
    Image decoded;
    ASSERT_TRUE(DecodeDxt1(encoded, c.w, c.h, &decoded));
    EXPECT_EQ(decoded.pixels, image.pixels) << c.w << "x" << c.h;
    EXPECT_FALSE(DecodeDxt1(encoded.substr(0, encoded.size() - 1), c.w, c.h, &decoded)) << "short level";
  }
}

TEST(ViewerD3dx, BoxFilterAveragesAndTheChainEndsAtOnePixel) {
  const Image half = BoxHalve(Pattern(4, 2));
  ASSERT_EQ(half.width, 2u);
  ASSERT_EQ(half.height, 1u);
  EXPECT_EQ(half.pixels[0], 0xFF800080u) << "red and blue, two each";
  const auto chain = BoxMipChain(Pattern(8, 2));
  ASSERT_EQ(chain.size(), 4u);  // 8x2, 4x1, 2x1, 1x1
  EXPECT_EQ(chain.back().width, 1u);
  EXPECT_EQ(chain.back().height, 1u);
}

TEST(ViewerD3dx, DdsFilesParseAndBadOnesAreRejected) {
  DdsFile dxt{5, 3, platform::kFmtDxt1, {EncodeDxt1(Pattern(5, 3)), EncodeDxt1(Pattern(2, 1))}};
  DdsFile parsed;
  ASSERT_TRUE(ParseDds(DdsBytes(dxt), &parsed));
  EXPECT_EQ(parsed.width, 5u);
  EXPECT_EQ(parsed.height, 3u);
  EXPECT_EQ(parsed.format, platform::kFmtDxt1);
  EXPECT_EQ(parsed.levels, dxt.levels);

  std::string x8_level(16 * 4, '\x40');
  DdsFile x8{4, 4, platform::kFmtX8R8G8B8, {x8_level}};
  ASSERT_TRUE(ParseDds(DdsBytes(x8), &parsed));
  EXPECT_EQ(parsed.format, platform::kFmtX8R8G8B8);
  EXPECT_EQ(parsed.levels.size(), 1u);

  struct Case {
    const char* name;
    std::string bytes;
  };
  std::string other_fourcc = DdsBytes(dxt);
  other_fourcc.replace(84, 4, "DXT5");
  std::string zero_width = DdsBytes(dxt);
  zero_width.replace(16, 4, std::string(4, '\0'));
  const Case bad[] = {
      {"truncated inside the first level", DdsBytes(dxt).substr(0, 128 + 10)},
      {"truncated inside a mip level", DdsBytes(dxt).substr(0, DdsBytes(dxt).size() - 1)},
      {"header only", DdsBytes(dxt).substr(0, 100)},
      {"no magic", "XXXX" + DdsBytes(dxt).substr(4)},
      {"another compression", other_fourcc},
      {"width 0", zero_width},
      {"beyond the size bound: 8192 wide", DdsBytes(DdsFile{8192, 1, platform::kFmtDxt1, {std::string(2048 * 8, '\0')}})},
      {"beyond the size bound: 4096 x 1025",
       DdsBytes(DdsFile{4096, 1025, platform::kFmtDxt1, {std::string(1024 * 257 * 8, '\0')}})},
  };
  for (const Case& c : bad) EXPECT_FALSE(ParseDds(c.bytes, &parsed)) << c.name;
  EXPECT_TRUE(ParseDds(DdsBytes(DdsFile{4096, 1, platform::kFmtDxt1, {std::string(1024 * 8, '\0')}}), &parsed))
      << "4096 a side";
}

TEST(ViewerD3dx, TextureLevelsForTheShippedFiles) {
  struct Case {
    const char* file;
    bool device_dxt1;
    std::uint32_t format;
    size_t levels;
    std::uint32_t width;
  };
  const Case cases[] = {
      {"p128.dds", true, platform::kFmtX8R8G8B8, 8, 128},
      {"p128dx1.dds", true, platform::kFmtDxt1, 8, 128},  // stored: the top level only
      {"p256dx1.dds", true, platform::kFmtDxt1, 9, 256},
      {"p512dx1.dds", true, platform::kFmtDxt1, 10, 512},
      {"p512dx1.dds", false, platform::kFmtX8R8G8B8, 10, 512},  // a device without DXT1 gets it decoded
  };
  fake::FakeImageDecoder images;
  for (const Case& c : cases) {
    TextureLevels levels;
    ASSERT_TRUE(BuildTextureLevels(test::ReadRepoData(c.file), c.device_dxt1, images, &levels)) << c.file;
    EXPECT_EQ(levels.format, c.format) << c.file;
    EXPECT_EQ(levels.levels.size(), c.levels) << c.file;
    EXPECT_EQ(levels.width, c.width) << c.file;
    const std::uint32_t last = c.format == platform::kFmtDxt1 ? 8 : 4;
    EXPECT_EQ(levels.levels.back().size(), last) << c.file << ": the chain ends at 1 x 1";
  }
  TextureLevels none;
  EXPECT_FALSE(BuildTextureLevels("not a picture", true, images, &none));
}

}  // namespace
}  // namespace ks
