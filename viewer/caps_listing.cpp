#include "viewer/caps_listing.h"

#include <cmath>
#include <cstdio>

#include "common/numbers.h"

namespace ks::viewer {

std::string Hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof(text), "%X", static_cast<unsigned>(value));
  return text;
}

std::vector<std::string> FlagLines(std::span<const FlagRow> rows, std::uint32_t field) {
  std::vector<std::string> lines;
  for (const FlagRow& row : rows) lines.push_back(std::string(row.label) + ((field & row.flag) ? ": YES" : ": NO"));
  return lines;
}

std::array<std::vector<std::string>, 5> FlagPages(const platform::D3DCaps& caps) {
  return {std::vector<std::string>(), FlagLines(kDeviceCapsRows, caps.DevCaps),
          FlagLines(kRasterCapsRows, caps.RasterCaps), FlagLines(kTextureCapsRows, caps.TextureCaps),
          FlagLines(kTextureFilterCapsRows, caps.TextureFilterCaps)};
}

std::string AnisotropyQuality(std::int32_t n) {
  if (n < 0) return "Not supported /error/)";
  if (n == 0) return "Point)";
  if (n == 1) return "Bilinear)";
  if (n == 2) return "16-tap)";
  return "32-tap or better)";
}

std::vector<std::string> AnisotropyChoices(std::int32_t n, int ceiling) {
  // A degree is offered only from the card's maximum that reaches it: the
  // filter state beyond the card's maximum is invalid, so a maximum of 5
  // gives no 8x and one of 12 no 16x.
  std::vector<std::string> items;
  for (const std::int32_t degree : {2, 4, 8, 16})
    if (degree <= ceiling && n >= degree) items.push_back("Anisotropic " + IntToText(degree) + "x");
  return items;
}

std::vector<std::string> GeneralLines(const platform::D3DCaps& caps, const Edition& edition) {
  auto num = [](std::uint32_t v) { return IntToText(static_cast<std::int32_t>(v)); };
  std::vector<std::string> lines;
  const char* type = caps.DeviceType == platform::kDevTypeHal   ? "Hardware"
                     : caps.DeviceType == platform::kDevTypeRef ? "Software"
                                                                : "Not supported /error/";
  lines.push_back(std::string("Device type: ") + type);
  lines.push_back("Max texture size: " + num(caps.MaxTextureHeight) + "x" + num(caps.MaxTextureWidth));
  lines.push_back("Max volume extent: " + num(caps.MaxVolumeExtent));
  lines.push_back("Max texture blend stages: " + num(caps.MaxTextureBlendStages));
  lines.push_back("Max simultaneous textures: " + num(caps.MaxSimultaneousTextures));
  const auto n = static_cast<std::int32_t>(caps.MaxAnisotropy);
  if (edition.anisotropy_quality_word)
    lines.push_back("Max anisotropy: " + IntToText(n) + " (" + AnisotropyQuality(n));
  else
    lines.push_back("Max anisotropy: " + IntToText(n) + "x");
  lines.push_back("Max streams: " + num(caps.MaxStreams));
  // Half to the even neighbour (62.5 gives 62); a size no integer holds reads 0.
  const std::int32_t point = ToInt32(static_cast<double>(caps.MaxPointSize)).value_or(0);
  lines.push_back("Max point size: " + IntToText(point));
  return lines;
}

std::vector<std::string> IdentifierLines(const platform::D3DAdapterIdentifier& id) {
  std::string device = "Device ID: " + Hex(id.DeviceId);
  // The NV34 family: NVIDIA's device ids 0320 to 032F.
  if (id.VendorId == 0x10DE && id.DeviceId >= 0x320 && id.DeviceId <= 0x32F) device += " - NV34";
  return {device, "Vendor ID: " + Hex(id.VendorId), "Revision: " + Hex(id.Revision)};
}

}  // namespace ks::viewer
