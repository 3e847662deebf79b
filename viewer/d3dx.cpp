#include "viewer/d3dx.h"

#include <algorithm>
#include <cmath>

#include "platform/picture_header.h"

namespace ks::viewer {

using platform::D3DMatrix;

namespace {

Vec3 Sub(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
float Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec3 Cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
Vec3 Normalize(Vec3 v) {
  const float length = std::sqrt(Dot(v, v));
  if (length == 0.0f) return {0, 0, 0};
  return {v.x / length, v.y / length, v.z / length};
}

std::uint32_t Get32(const std::string& b, size_t at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

void Put32(std::string& b, size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::uint16_t To565(std::uint32_t argb) {
  const std::uint32_t r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
  return static_cast<std::uint16_t>((r * 31 + 127) / 255 << 11 | (g * 63 + 127) / 255 << 5 | (b * 31 + 127) / 255);
}

std::uint32_t From565(std::uint16_t c) {
  const std::uint32_t r = (c >> 11) & 31, g = (c >> 5) & 63, b = c & 31;
  return 0xFF000000u | ((r << 3) | (r >> 2)) << 16 | ((g << 2) | (g >> 4)) << 8 | ((b << 3) | (b >> 2));
}

std::uint32_t Mix(std::uint32_t a, std::uint32_t b, int wa, int wb) {
  std::uint32_t out = 0xFF000000u;
  for (int shift : {0, 8, 16}) {
    const std::uint32_t ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
    out |= ((ca * wa + cb * wb) / (wa + wb)) << shift;
  }
  return out;
}

int Distance(std::uint32_t a, std::uint32_t b) {
  int d = 0;
  for (int shift : {0, 8, 16}) {
    const int diff = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
    d += diff * diff;
  }
  return d;
}

// The four (or three and black) colours of a block from its end points.
std::array<std::uint32_t, 4> Palette(std::uint16_t c0, std::uint16_t c1) {
  const std::uint32_t a = From565(c0), b = From565(c1);
  if (c0 > c1) return {a, b, Mix(a, b, 2, 1), Mix(a, b, 1, 2)};
  return {a, b, Mix(a, b, 1, 1), 0x00000000u};
}

std::uint32_t Levels(std::uint32_t w, std::uint32_t h) {
  std::uint32_t n = 1;
  while (w > 1 || h > 1) {
    w = std::max(1u, w / 2);
    h = std::max(1u, h / 2);
    ++n;
  }
  return n;
}

std::uint32_t LevelSize(std::uint32_t format, std::uint32_t w, std::uint32_t h) {
  return format == platform::kFmtDxt1 ? Dxt1LevelSize(w, h) : w * h * 4;
}

constexpr std::uint32_t kDdpfFourCC = 0x4;
constexpr std::uint32_t kDdpfRgb = 0x40;

}  // namespace

D3DMatrix MatrixIdentity() {
  D3DMatrix m;
  for (int i = 0; i < 4; ++i) m.m[i][i] = 1.0f;
  return m;
}

D3DMatrix MatrixRotationAxis(Vec3 axis, float angle) {
  const Vec3 v = Normalize(axis);
  if (v.x == 0.0f && v.y == 0.0f && v.z == 0.0f) return MatrixIdentity();
  const float c = std::cos(angle), s = std::sin(angle), t = 1.0f - c;
  D3DMatrix m = MatrixIdentity();
  m.m[0][0] = t * v.x * v.x + c;
  m.m[0][1] = t * v.x * v.y + s * v.z;
  m.m[0][2] = t * v.x * v.z - s * v.y;
  m.m[1][0] = t * v.x * v.y - s * v.z;
  m.m[1][1] = t * v.y * v.y + c;
  m.m[1][2] = t * v.y * v.z + s * v.x;
  m.m[2][0] = t * v.x * v.z + s * v.y;
  m.m[2][1] = t * v.y * v.z - s * v.x;
  m.m[2][2] = t * v.z * v.z + c;
  return m;
}

D3DMatrix MatrixLookAtLH(Vec3 eye, Vec3 at, Vec3 up) {
  const Vec3 z = Normalize(Sub(at, eye));
  const Vec3 x = Normalize(Cross(up, z));
  const Vec3 y = Cross(z, x);
  D3DMatrix m;
  m.m[0] = {x.x, y.x, z.x, 0.0f};
  m.m[1] = {x.y, y.y, z.y, 0.0f};
  m.m[2] = {x.z, y.z, z.z, 0.0f};
  m.m[3] = {-Dot(x, eye), -Dot(y, eye), -Dot(z, eye), 1.0f};
  return m;
}

D3DMatrix MatrixPerspectiveFovLH(float fovy, float aspect, float zn, float zf) {
  const float y_scale = 1.0f / std::tan(fovy / 2.0f);
  const float x_scale = y_scale / aspect;
  D3DMatrix m;
  m.m[0][0] = x_scale;
  m.m[1][1] = y_scale;
  m.m[2][2] = zf / (zf - zn);
  m.m[2][3] = 1.0f;
  m.m[3][2] = -zn * zf / (zf - zn);
  return m;
}

Image BoxHalve(const Image& src) {
  Image out;
  out.width = std::max(1u, src.width / 2);
  out.height = std::max(1u, src.height / 2);
  out.pixels.resize(static_cast<size_t>(out.width) * out.height);
  for (std::uint32_t y = 0; y < out.height; ++y) {
    for (std::uint32_t x = 0; x < out.width; ++x) {
      std::uint32_t sum[4] = {0, 0, 0, 0};
      std::uint32_t count = 0;
      for (std::uint32_t dy = 0; dy < 2; ++dy) {
        for (std::uint32_t dx = 0; dx < 2; ++dx) {
          const std::uint32_t sx = 2 * x + dx, sy = 2 * y + dy;
          if (sx >= src.width || sy >= src.height) continue;
          const std::uint32_t p = src.pixels[static_cast<size_t>(sy) * src.width + sx];
          for (int c = 0; c < 4; ++c) sum[c] += (p >> (8 * c)) & 0xFF;
          ++count;
        }
      }
      std::uint32_t p = 0;
      for (int c = 0; c < 4; ++c) p |= ((sum[c] + count / 2) / count) << (8 * c);
      out.pixels[static_cast<size_t>(y) * out.width + x] = p;
    }
  }
  return out;
}

std::vector<Image> BoxMipChain(const Image& top) {
  std::vector<Image> chain{top};
  while (chain.back().width > 1 || chain.back().height > 1) chain.push_back(BoxHalve(chain.back()));
  return chain;
}

std::uint32_t Dxt1LevelSize(std::uint32_t w, std::uint32_t h) {
  return std::max(1u, (w + 3) / 4) * std::max(1u, (h + 3) / 4) * 8;
}

std::string EncodeDxt1(const Image& image) {
  const std::uint32_t bw = std::max(1u, (image.width + 3) / 4), bh = std::max(1u, (image.height + 3) / 4);
  std::string out;
  out.reserve(static_cast<size_t>(bw) * bh * 8);
  for (std::uint32_t by = 0; by < bh; ++by) {
    for (std::uint32_t bx = 0; bx < bw; ++bx) {
      std::uint32_t block[16];
      for (int i = 0; i < 16; ++i) {
        // Pixels past the edge repeat the last column or row.
        const std::uint32_t x = std::min(bx * 4 + i % 4, image.width - 1);
        const std::uint32_t y = std::min(by * 4 + i / 4, image.height - 1);
        block[i] = image.pixels[static_cast<size_t>(y) * image.width + x];
      }
      // End points: the two colours of the block farthest apart.
      std::uint32_t lo = block[0], hi = block[0];
      int widest = -1;
      for (int i = 0; i < 16; ++i)
        for (int j = i + 1; j < 16; ++j)
          if (Distance(block[i], block[j]) > widest) {
            widest = Distance(block[i], block[j]);
            hi = block[i];
            lo = block[j];
          }
      std::uint16_t c0 = To565(hi), c1 = To565(lo);
      if (c0 < c1) std::swap(c0, c1);
      std::uint32_t indices = 0;
      if (c0 != c1) {
        const auto palette = Palette(c0, c1);
        for (int i = 0; i < 16; ++i) {
          int best = 0;
          for (int k = 1; k < 4; ++k)
            if (Distance(block[i], palette[k]) < Distance(block[i], palette[best])) best = k;
          indices |= static_cast<std::uint32_t>(best) << (2 * i);
        }
      }
      out += static_cast<char>(c0 & 0xFF);
      out += static_cast<char>(c0 >> 8);
      out += static_cast<char>(c1 & 0xFF);
      out += static_cast<char>(c1 >> 8);
      for (int i = 0; i < 4; ++i) out += static_cast<char>((indices >> (8 * i)) & 0xFF);
    }
  }
  return out;
}

bool DecodeDxt1(const std::string& bytes, std::uint32_t width, std::uint32_t height, Image* out) {
  if (width == 0 || height == 0 || bytes.size() < Dxt1LevelSize(width, height)) return false;
  const std::uint32_t bw = std::max(1u, (width + 3) / 4), bh = std::max(1u, (height + 3) / 4);
  out->width = width;
  out->height = height;
  out->pixels.assign(static_cast<size_t>(width) * height, 0);
  for (std::uint32_t by = 0; by < bh; ++by) {
    for (std::uint32_t bx = 0; bx < bw; ++bx) {
      const size_t at = (static_cast<size_t>(by) * bw + bx) * 8;
      const auto c0 = static_cast<std::uint16_t>(Get32(bytes, at) & 0xFFFF);
      const auto c1 = static_cast<std::uint16_t>(Get32(bytes, at) >> 16);
      const std::uint32_t indices = Get32(bytes, at + 4);
      const auto palette = Palette(c0, c1);
      for (int i = 0; i < 16; ++i) {
        const std::uint32_t x = bx * 4 + i % 4, y = by * 4 + i / 4;
        if (x < width && y < height) out->pixels[static_cast<size_t>(y) * width + x] = palette[(indices >> (2 * i)) & 3];
      }
    }
  }
  return true;
}

bool ParseDds(const std::string& bytes, DdsFile* out) {
  // The shared header check: the formats read here, a size the suite
  // takes and every level the file announces.
  if (bytes.compare(0, 4, "DDS ") != 0 || !platform::IsTextureFile(bytes)) return false;
  DdsFile file;
  file.height = Get32(bytes, 12);
  file.width = Get32(bytes, 16);
  const std::uint32_t pf_flags = Get32(bytes, 80);
  if (pf_flags & kDdpfFourCC) {
    if (Get32(bytes, 84) != platform::kFmtDxt1) return false;
    file.format = platform::kFmtDxt1;
  } else if ((pf_flags & kDdpfRgb) && Get32(bytes, 88) == 32 && Get32(bytes, 92) == 0xFF0000 &&
             Get32(bytes, 96) == 0xFF00 && Get32(bytes, 100) == 0xFF) {
    file.format = platform::kFmtX8R8G8B8;
  } else {
    return false;
  }
  std::uint32_t count = (Get32(bytes, 8) & 0x20000) ? Get32(bytes, 28) : 1;
  count = std::clamp(count, 1u, Levels(file.width, file.height));
  size_t at = 128;
  std::uint32_t w = file.width, h = file.height;
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::uint32_t size = LevelSize(file.format, w, h);
    if (bytes.size() - at < size) return false;  // ends inside a level it announces
    file.levels.push_back(bytes.substr(at, size));
    at += size;
    w = std::max(1u, w / 2);
    h = std::max(1u, h / 2);
  }
  *out = std::move(file);
  return true;
}

std::string DdsBytes(const DdsFile& file) {
  std::string b(128, '\0');
  b.replace(0, 4, "DDS ");
  const bool mips = file.levels.size() > 1;
  const bool dxt1 = file.format == platform::kFmtDxt1;
  Put32(b, 4, 124);
  Put32(b, 8, 0x1 | 0x2 | 0x4 | 0x1000 | (mips ? 0x20000 : 0) | (dxt1 ? 0x80000 : 0x8));
  Put32(b, 12, file.height);
  Put32(b, 16, file.width);
  Put32(b, 20, dxt1 ? Dxt1LevelSize(file.width, file.height) : file.width * 4);
  Put32(b, 28, static_cast<std::uint32_t>(file.levels.size()));
  Put32(b, 76, 32);
  if (dxt1) {
    Put32(b, 80, kDdpfFourCC);
    Put32(b, 84, platform::kFmtDxt1);
  } else {
    Put32(b, 80, kDdpfRgb);
    Put32(b, 88, 32);
    Put32(b, 92, 0xFF0000);
    Put32(b, 96, 0xFF00);
    Put32(b, 100, 0xFF);
  }
  Put32(b, 108, 0x1000 | (mips ? 0x400008 : 0));
  for (const std::string& level : file.levels) b += level;
  return b;
}

bool DdsLevelImage(const DdsFile& file, size_t level, Image* out) {
  if (level >= file.levels.size()) return false;
  std::uint32_t w = file.width, h = file.height;
  for (size_t i = 0; i < level; ++i) {
    w = std::max(1u, w / 2);
    h = std::max(1u, h / 2);
  }
  const std::string& bytes = file.levels[level];
  if (file.format == platform::kFmtDxt1) return DecodeDxt1(bytes, w, h, out);
  out->width = w;
  out->height = h;
  out->pixels.resize(static_cast<size_t>(w) * h);
  for (size_t i = 0; i < out->pixels.size(); ++i) out->pixels[i] = 0xFF000000u | (Get32(bytes, i * 4) & 0xFFFFFF);
  return true;
}

}  // namespace ks::viewer
