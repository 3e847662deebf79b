// Which picture files load, one row per case: natively the header check the
// program judges picture files by, under Wine the system's own picture
// loader; both must give the row's answer.
#include <gtest/gtest.h>

#include <string>

#include "contract/contract.h"
#include "contract/picture_files.h"
#include "platform/picture_header.h"

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

TEST(PictureContract, WhichFilesLoad) {
  const std::string jpeg = ContractDataFile("aa/1/2x.jpg");
  const std::string bmp = ContractDataFile("cleaner/pvx.bmp");
  if (jpeg.empty() || bmp.empty()) GTEST_SKIP() << "the repository's data folder is not known";
  const size_t scan = jpeg.find("\xFF\xDA");
  const size_t frame = jpeg.find("\xFF\xC0");
  ASSERT_NE(scan, std::string::npos);
  ASSERT_NE(frame, std::string::npos);
  // Small BMPs whose rows need padding: 3 pixels of 24 bits are 9 bytes,
  // stored in 12.
  const std::string padded = BmpFile(3, 2, 24, 0, BmpRows(3, 2, 24));
  const std::string top_down = BmpFile(3, -2, 24, 0, BmpRows(3, -2, 24));
  const std::string rle8 = BmpFile(7, 3, 8, 1, RunLengthRows(7, 3, false));
  const std::string rle4 = BmpFile(7, 3, 4, 2, RunLengthRows(7, 3, true));
  const size_t rle8_pixels = rle8.size() - RunLengthRows(7, 3, false).size();
  // The pixels start where the file header (offset 10) says.
  auto pixels_at = [](std::string bmp, std::uint32_t at) {
    return With(bmp, 10, std::string{static_cast<char>(at & 0xFF), static_cast<char>(at >> 8), '\0', '\0'});
  };
  // Without the size of its pixels (offset 34), which a run-length BMP
  // gives: only the walk over its records tells where it ends.
  auto unsized = [](const std::string& bmp) { return With(bmp, 34, std::string(4, '\0')); };
  const std::string rows8 = RunLengthRows(7, 3, false);
  // Run-length records of a 7 x 3 picture at 8 bits: the first and the
  // last row a run of 7 and their end, the second row `moved`.
  auto moving = [](const std::string& moved) {
    return BmpFile(7, 3, 8, 1, std::string("\x07\x01\0\0", 4) + moved + std::string("\x07\x03\0\0\0\x01", 6));
  };
  // A literal run whose pad, read as a record, would lose the walk its
  // footing: 8 bits, three pixels and their pad, then a run of 4; the
  // second row a run of 7.
  const std::string literal3 = std::string("\0\x03\x05\x06\x07\0\x04\x09\0\0\x07\x01\0\0\0\x01", 16);
  // 4 bits: five pixels (three bytes) and their pad, then a run of 2.
  const std::string literal5 = std::string("\0\x05\x12\x34\x50\0\x02\x11\0\0\x07\x22\0\0\0\x01", 16);
  const std::string rows16 = BmpRows(4, 2, 16);
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
      {"JPEG frame announcing a component more than its segment holds",
       With(jpeg, frame + 9, std::string(1, static_cast<char>(jpeg[frame + 9] + 1))), false},
      // Each scan costs the decoder a walk over the whole frame.
      // Regression: 20,000 repeats of one scan held the window 20 seconds.
      {"progressive JPEG of the most scans", ProgressiveJpeg(512, 512, platform::kMaxJpegScans), true},
      {"progressive JPEG of a scan more", ProgressiveJpeg(512, 512, platform::kMaxJpegScans + 1), false},
      {"progressive JPEG cut inside its last scan",
       ProgressiveJpeg(512, 512, 3).substr(0, ProgressiveJpeg(512, 512, 3).size() - 4), false},
      {"shipped BMP", bmp, true},
      // Regression: a BMP cut after its header loaded and showed noise.
      {"BMP without its pixels", bmp.substr(0, 54), false},
      {"BMP without its last row", bmp.substr(0, bmp.size() - 1), false},
      {"BMP with bytes behind its pixels", bmp + "trailing", true},
      {"BMP of bit fields on 24 bits", With(With(bmp, 30, std::string("\x03\0\0\0", 4)), 28, std::string("\x18\0", 2)), false},
      {"BMP of bit fields on 16 bits", BitFieldsBmp(4, 2, 16, 0xF800, 0x07E0, 0x001F, rows16), true},
      {"BMP of bit fields on 32 bits", BitFieldsBmp(4, 2, 32, 0xFF0000, 0xFF00, 0xFF, BmpRows(4, 2, 32)), true},
      {"BMP of bit fields on 24 bits with its masks", BitFieldsBmp(4, 2, 24, 0xFF0000, 0xFF00, 0xFF, BmpRows(4, 2, 24)),
       false},
      {"BMP of bit fields on 16 bits whose pixels start inside the masks", BmpFile(4, 2, 16, 3, rows16 + "12345678"),
       false},
      // The core header of OS/2 has colour entries of 3 bytes.
      {"OS/2 BMP of 8 bits", CoreBmpFile(5, 3, 8, BmpRows(5, 3, 8)), true},
      {"OS/2 BMP of 24 bits", CoreBmpFile(5, 3, 24, BmpRows(5, 3, 24)), true},
      {"OS/2 BMP of 8 bits without its last row", CoreBmpFile(5, 3, 8, BmpRows(5, 2, 8)), false},
      {"BMP of 8 bits using 2 colours, its pixels right after them", BmpFile(5, 3, 8, 0, BmpRows(5, 3, 8), 2), true},
      {"BMP of 8 bits using 2 colours, cut inside its last row", BmpFile(5, 3, 8, 0, BmpRows(5, 3, 8), 2).substr(0, 54 + 8 + 20),
       false},
      // A picture of no pixels is none (the loader takes it and shows nothing).
      {"BMP of no width", With(bmp, 18, std::string(4, '\0')), false},
      {"BMP of no height", With(bmp, 22, std::string(4, '\0')), false},
      {"BMP cut inside its info header", bmp.substr(0, 30), false},
      {"BMP of an unknown info header", With(bmp, 14, std::string("\x0D\0\0\0", 4)), false},
      {"BMP of no planes", With(bmp, 26, std::string(2, '\0')), false},
      {"BMP of 7 bits a pixel", With(bmp, 28, std::string("\x07\0", 2)), false},
      {"BMP of an unknown compression", With(bmp, 30, std::string("\x09\0\0\0", 4)), false},
      {"BMP of a negative width", With(bmp, 18, std::string(4, '\xFF')), false},
      {"BMP whose pixels lie beyond its end", With(bmp, 10, std::string("\xFF\xFF\0\0", 4)), false},
      {"BMP whose pixels start inside its info header", pixels_at(bmp, 30), false},
      {"BMP whose pixels start at 0", pixels_at(bmp, 0), false},
      {"BMP of 8 bits whose pixels start inside its colour table", pixels_at(rle8, 54 + 4 * 100), false},
      {"BMP whose pixels start behind its colour table", pixels_at(padded + "1234", 58), true},
      // Rows are padded to 4 bytes: the last row's padding missing is a cut file.
      {"BMP of padded rows", padded, true},
      {"BMP of padded rows without the last padding", padded.substr(0, padded.size() - 3), false},
      // A negative height is a picture stored top row first.
      {"top-down BMP", top_down, true},
      {"shipped BMP stored top-down", With(bmp, 22, std::string("\xA0\xFF\xFF\xFF", 4)), true},
      {"top-down BMP without its last row", top_down.substr(0, top_down.size() - 12), false},
      {"top-down BMP cut after its header", top_down.substr(0, 54), false},
      {"run-length BMP of 8 bits", rle8, true},
      {"run-length BMP of 4 bits", rle4, true},
      // Regression: a run-length BMP cut short turned the preview black.
      {"run-length BMP of 8 bits cut after its header", rle8.substr(0, rle8_pixels), false},
      {"run-length BMP of 8 bits without its end", rle8.substr(0, rle8.size() - 2), false},
      {"run-length BMP of 8 bits, no size, without its last row", unsized(rle8).substr(0, rle8.size() - 12), false},
      {"run-length BMP of 8 bits, no size, cut inside a literal", unsized(rle8).substr(0, rle8_pixels + 5), false},
      {"run-length BMP of 4 bits, no size, cut inside its last row", unsized(rle4).substr(0, rle4.size() - 5), false},
      {"run-length BMP of 8 bits stored top-down", With(rle8, 22, std::string("\xFD\xFF\xFF\xFF", 4)), false},
      {"run-length coding on 24 bits", With(padded, 30, std::string("\x01\0\0\0", 4)), false},
      {"run-length coding of 8 bits on a BMP of 4 bits", BmpFile(7, 3, 4, 1, rows8), false},
      {"run-length BMP of 8 bits, every row ended, no end of the picture", BmpFile(7, 3, 8, 1, rows8.substr(0, rows8.size() - 2)),
       true},
      {"run-length BMP of 8 bits, a literal of 3 pixels and its pad", BmpFile(7, 2, 8, 1, literal3), true},
      {"run-length BMP of 4 bits, a literal of 5 pixels and its pad", BmpFile(7, 2, 4, 2, literal5), true},
      {"run-length BMP of 8 bits moving inside the picture", moving(std::string("\0\x02\x03\0\x04\x01\0\0", 8)), true},
      {"run-length BMP of 8 bits moving past its last row", moving(std::string("\0\x02\0\x02", 4)), false},
      {"run-length BMP of 8 bits moving past its right edge", moving(std::string("\x03\x01\0\x02\x05\0\0\0", 8)), false},
      // The size bound: 4096 pixels a side, 2048 x 2048 in all.
      // Regression: a JPEG announcing 30000 x 30000 pixels held the window
      // for most of a minute and took gigabytes before the loader gave up.
      {"JPEG announcing 30000 x 30000", JpegOfSize(jpeg, 30000, 30000), false},
      {"JPEG announcing 4097 x 1", JpegOfSize(jpeg, 4097, 1), false},
      {"JPEG announcing 1 x 4097", JpegOfSize(jpeg, 1, 4097), false},
      {"JPEG announcing 4096 x 1025", JpegOfSize(jpeg, 4096, 1025), false},
      {"JPEG of no width", JpegOfSize(jpeg, 0, 111), false},
      {"BMP of 4096 x 1024", BmpFile(4096, 1024, 1, 0, BmpRows(4096, 1024, 1)), true},
      {"BMP of 4097 x 1", BmpFile(4097, 1, 24, 0, BmpRows(4097, 1, 24)), false},
      {"BMP of 4096 x 1025", BmpFile(4096, 1025, 1, 0, BmpRows(4096, 1025, 1)), false},
      {"top-down BMP of 1 x -4097", BmpFile(1, -4097, 24, 0, BmpRows(1, -4097, 24)), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ContractLoadsPicture(c.bytes), c.loads);
  }
}

}  // namespace
}  // namespace ks::test
