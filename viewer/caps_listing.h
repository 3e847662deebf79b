// The lines of the capability listing: the general page, the four flag
// pages with their tables, the anisotropy choices, the display mode and the
// hardware ID lines. Form1::ListDeviceCaps puts them into its lists.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/d3d8.h"
#include "viewer/edition.h"

namespace ks::viewer {

struct FlagRow {
  const char* label;
  std::uint32_t flag;
};

inline constexpr FlagRow kDeviceCapsRows[] = {
    {"Hardware T&L", 0x10000},  // D3DDEVCAPS_HWTRANSFORMANDLIGHT
    {"Hardware scene rasterization", 0x80000},
    {"Pure device", 0x100000},
    {"Textures from system memory", 0x100},
    {"Textures from video memory", 0x200},
    {"Can render after a page flip", 0x800},
    {"Quintic b\xE9ziers and B-splines", 0x200000},  // ANSI: e acute is byte 0xE9
    {"High-order surfaces", 0x400000},
    {"N patches support", 0x1000000},
};

inline constexpr FlagRow kRasterCapsRows[] = {
    {"Dithering", 0x1},
    {"Z test", 0x10},
    {"Fog table", 0x100},
    {"Edges antialiasing", 0x1000},
    {"LOD bias adjustments", 0x2000},
    {"Anisotropic filtering", 0x20000},
    {"W-buffer support", 0x40000},
    {"W-fog support", 0x100000},
    {"Multisampling", 0x800000},
};

inline constexpr FlagRow kTextureCapsRows[] = {
    {"Perspective correction", 0x1},
    {"Alpha textures", 0x4},
    {"Square textures only", 0x20},
    {"Alpha palette from textures", 0x80},
    {"Projected textures", 0x400},
    {"Cube textures", 0x800},
    {"Volume textures", 0x2000},
    {"Mipmapped textures", 0x4000},
    {"Mipmapped volume textures", 0x8000},
    {"Mipmapped cube textures", 0x10000},
};

inline constexpr FlagRow kTextureFilterCapsRows[] = {
    {"Point sampling", 0x100},
    {"Bilinear interpolation ", 0x200},
    {"Anisotropic filtering ", 0x400},
    {"Point sampling for mipmaps", 0x10000},
    {"Trilinear filtering for mipmaps", 0x20000},
    {"Point-sampling for mag. textures", 0x1000000},
    {"Bilinear filtering for mag. textures", 0x2000000},
    {"Anisotropic filtering for mag. textures", 0x4000000},
    {"Flat cubic filtering for mag. textures", 0x8000000},
    {"Gaussian cubic filtering for mag. textures", 0x10000000},
};

// The five caps pages: the name Combo1 shows, the title the report gives it.
struct CapsPage {
  const char* name;
  const char* report_title;
};
inline constexpr std::array<CapsPage, 5> kCapsPages{{
    {"General", "General info:"},
    {"Device caps", "Device caps:"},
    {"Raster caps", "Raster caps:"},
    {"Texture caps", "Texture caps:"},
    {"Texture filter caps", "Texture filtering caps:"},
}};

// Upper-case hexadecimal without leading zeros ("10DE", "0" for zero).
std::string Hex(std::uint32_t value);

// "label: YES" / "label: NO" for every row.
std::vector<std::string> FlagLines(std::span<const FlagRow> rows, std::uint32_t field);
// The four flag pages (1..4) of a caps record; index 0 stays empty.
std::array<std::vector<std::string>, 5> FlagPages(const platform::D3DCaps& caps);
// The general page (eight lines).
std::vector<std::string> GeneralLines(const platform::D3DCaps& caps, const Edition& edition);
// "Point)", "Bilinear)", "16-tap)", "32-tap or better)", "Not supported /error/)".
std::string AnisotropyQuality(std::int32_t max_anisotropy);
// The items the filter list gets after "Point sampling" and "Bilinear": each
// of 2x, 4x, 8x and 16x up to the edition's ceiling that the card's maximum
// reaches.
std::vector<std::string> AnisotropyChoices(std::int32_t max_anisotropy, int ceiling);
// "Device ID: 322 - NV34", "Vendor ID: 10DE", "Revision: A1".
std::vector<std::string> IdentifierLines(const platform::D3DAdapterIdentifier& id);

}  // namespace ks::viewer
