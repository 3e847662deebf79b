// Which picture files load, one row per case: natively the header check the
// program judges picture files by, under Wine the system's own picture
// loader; both must give the row's answer.
#include <gtest/gtest.h>

#include <string>

#include "contract/contract.h"

namespace ks::test {
namespace {

// The bytes without the segment that starts at the first `marker` (a JPEG
// segment: FF, the marker, a two-byte length that counts itself).
std::string WithoutSegment(const std::string& jpeg, char marker) {
  const size_t at = jpeg.find(std::string("\xFF") + marker);
  if (at == std::string::npos || at + 4 > jpeg.size()) return jpeg;
  const size_t length = static_cast<unsigned char>(jpeg[at + 2]) << 8 | static_cast<unsigned char>(jpeg[at + 3]);
  return jpeg.substr(0, at) + jpeg.substr(at + 2 + length);
}

// The bytes with `part` written over them at `at`.
std::string With(std::string bytes, size_t at, const std::string& part) { return bytes.replace(at, part.size(), part); }

TEST(PictureContract, WhichFilesLoad) {
  const std::string jpeg = ContractDataFile("aa/1/2x.jpg");
  const std::string bmp = ContractDataFile("cleaner/pvx.bmp");
  if (jpeg.empty() || bmp.empty()) GTEST_SKIP() << "the repository's data folder is not known";
  const size_t scan = jpeg.find("\xFF\xDA");
  const size_t frame = jpeg.find("\xFF\xC0");
  ASSERT_NE(scan, std::string::npos);
  ASSERT_NE(frame, std::string::npos);
  struct Case {
    const char* name;
    std::string bytes;
    bool loads;
  };
  const Case cases[] = {
      {"shipped JPEG", jpeg, true},
      {"shipped zoom picture", ContractDataFile("aa/2/auto.jpg"), true},
      {"shipped help picture", ContractDataFile("hs/pic/ps.jpg"), true},
      {"JPEG with bytes behind its end", jpeg + "trailing", true},
      {"JPEG with a stray byte before a marker", With(jpeg, 2, std::string(1, '\0')), true},
      {"nothing", "", false},
      {"text", "not a picture", false},
      {"JPEG start and end only", std::string("\xFF\xD8\xFF\xD9", 4), false},
      {"JPEG cut inside its headers", jpeg.substr(0, 200), false},
      {"JPEG cut inside its scan header", jpeg.substr(0, scan + 4), false},
      {"JPEG cut inside its coded data", jpeg.substr(0, jpeg.size() / 2), false},
      {"JPEG without its end marker", jpeg.substr(0, jpeg.size() - 2), false},
      {"JPEG without its frame header", WithoutSegment(jpeg, '\xC0'), false},
      {"JPEG of 12-bit samples", With(jpeg, frame + 4, "\x0C"), false},
      {"JPEG of no height", With(jpeg, frame + 5, std::string(2, '\0')), false},
      {"shipped BMP", bmp, true},
      // Regression: a BMP cut after its header loaded and showed noise.
      {"BMP without its pixels", bmp.substr(0, 54), false},
      {"BMP without its last row", bmp.substr(0, bmp.size() - 1), false},
      {"BMP with bytes behind its pixels", bmp + "trailing", true},
      {"BMP of bit fields on 24 bits", With(With(bmp, 30, std::string("\x03\0\0\0", 4)), 28, std::string("\x18\0", 2)), false},
      {"BMP of no width", With(bmp, 18, std::string(4, '\0')), true},
      {"BMP cut inside its info header", bmp.substr(0, 30), false},
      {"BMP of an unknown info header", With(bmp, 14, std::string("\x0D\0\0\0", 4)), false},
      {"BMP of no planes", With(bmp, 26, std::string(2, '\0')), false},
      {"BMP of 7 bits a pixel", With(bmp, 28, std::string("\x07\0", 2)), false},
      {"BMP of an unknown compression", With(bmp, 30, std::string("\x09\0\0\0", 4)), false},
      {"BMP of a negative width", With(bmp, 18, std::string(4, '\xFF')), false},
      {"BMP whose pixels lie beyond its end", With(bmp, 10, std::string("\xFF\xFF\0\0", 4)), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ContractLoadsPicture(c.bytes), c.loads);
  }
}

}  // namespace
}  // namespace ks::test
