// Where the main window's controls stand: one row per control (twips,
// relative to the form or, for the preview's controls, to Frame1).
#pragma once

#include <array>

namespace ks::viewer {

struct PlaceRow {
  const char* name;
  int index;  // -1 for a lone control
  int left, top, width, height;
  bool depth_bars_only;  // exists in the edition with depth bars only
};

inline constexpr int kFormWidth = 10320;
inline constexpr int kFormHeight = 6990;

inline constexpr PlaceRow kPlaces[] = {
    {"Combo1", -1, 120, 120, 3735, 315, false},
    {"List1", 0, 120, 495, 3735, 3180, false},
    {"List1", 1, 120, 495, 3735, 3180, false},
    {"List1", 2, 120, 495, 3735, 3180, false},
    {"List1", 3, 120, 495, 3735, 3180, false},
    {"List1", 4, 120, 495, 3735, 3180, false},
    {"List2", -1, 120, 3780, 3735, 300, false},
    {"List3", -1, 120, 4170, 3735, 1230, false},
    {"Label6", -1, 120, 5520, 3735, 255, false},
    {"Label11", -1, 120, 5820, 3735, 255, false},
    {"Frame1", -1, 3975, 60, 6135, 6360, false},
    // inside Frame1
    {"Picture1", -1, 120, 300, 3375, 2535, false},
    {"Picture2", -1, 120, 300, 3375, 2535, false},
    {"VScroll1", -1, 3540, 300, 255, 2535, true},
    {"HScroll1", -1, 120, 2880, 3375, 255, true},
    {"Label9", -1, 3900, 300, 600, 255, false},
    {"Label8", -1, 4500, 300, 1200, 255, false},
    {"Check1", -1, 3900, 600, 2100, 255, false},
    {"Label7", 17, 3900, 930, 2100, 255, false},
    {"Check2", 0, 3900, 1200, 650, 255, false},
    {"Check2", 1, 4600, 1200, 650, 255, false},
    {"Check2", 2, 5300, 1200, 650, 255, false},
    {"Check4", -1, 3900, 1500, 2100, 255, false},
    {"Label7", 3, 3900, 1830, 2100, 255, false},
    {"Check8", -1, 3900, 2100, 2100, 255, false},
    {"Check5", 0, 3900, 2400, 1000, 255, false},
    {"Check5", 1, 4950, 2400, 1000, 255, false},
    {"Label12", -1, 3900, 2700, 2100, 255, true},
    {"Label7", 5, 120, 3270, 1500, 255, false},
    {"Combo3", -1, 1680, 3240, 1815, 315, false},
    {"Label7", 4, 120, 3660, 1500, 255, false},
    {"Label7", 8, 120, 3660, 1500, 255, true},
    {"Combo2", -1, 1680, 3630, 1815, 315, false},
    {"Label7", 0, 120, 4050, 1500, 255, false},
    {"Combo4", -1, 1680, 4020, 1815, 315, false},
    {"Label7", 1, 120, 4440, 1500, 255, false},
    {"Combo5", -1, 1680, 4410, 1815, 315, false},
    {"Label7", 2, 120, 4830, 1500, 255, false},
    {"Combo6", -1, 1680, 4800, 1815, 315, false},
    {"Check6", -1, 3900, 3240, 2100, 255, false},
    {"Check7", -1, 3900, 3540, 2100, 255, false},
    {"Check3", -1, 3900, 3840, 2100, 255, false},
    {"Label7", 6, 3900, 4140, 2100, 255, false},
    {"HScroll3", -1, 3900, 4410, 2100, 255, false},
    {"Label10", -1, 3900, 4710, 2100, 255, false},
    {"Label7", 9, 3900, 5010, 2100, 255, false},
    {"Label7", 7, 3900, 5010, 2100, 255, true},
    {"HScroll2", -1, 3900, 5280, 2100, 255, false},
};

struct CaptionRow {
  int index;
  const char* caption;
  bool depth_bars_only;
};

inline constexpr CaptionRow kLabel7Captions[] = {
    {0, "Culling", false},         {1, "Fill mode", false},  {2, "Depth buffering", false},
    {3, "Lights", false},          {4, "Mipmap filtering", false}, {5, "Texture format", false},
    {6, "Object LOD", false},      {7, "Zoom", true},        {8, "Mipmap filtering", true},
    {9, "Zoom", false},            {17, "Rotation", false},
};

// The edition with depth bars labels the zoom bar and the filter box with
// labels of its own, in the places of the other editions' labels, which it
// keeps hidden.
struct LabelStandIn {
  int shown;   // the depth-bar edition's label
  int hidden;  // the label of the other editions at the same place
};
inline constexpr LabelStandIn kDepthBarLabels[] = {{7, 9}, {8, 4}};
// The label of the filter box (Combo2) in each kind of edition.
inline constexpr int kFilterLabel = 4;
inline constexpr int kDepthBarFilterLabel = 8;

// The texture list and the file each entry loads.
struct TextureRow {
  const char* item;
  const char* file;
};
inline constexpr std::array<TextureRow, 5> kTextures{{
    {"256x256 JPG File", "\\DATA\\ksln.jpg"},
    {"128x128 X8R8G8B8", "\\DATA\\p128.dds"},
    {"128x128 DXT1", "\\DATA\\p128dx1.dds"},
    {"256x256 DXT1", "\\DATA\\p256dx1.dds"},
    {"512x512 DXT1", "\\DATA\\p512dx1.dds"},
}};

inline constexpr std::array<const char*, 3> kCullItems{"D3DCULL_NONE", "D3DCULL_CW", "D3DCULL_CCW"};
inline constexpr std::array<const char*, 3> kFillItems{"Solid", "Wireframe", "Point"};
inline constexpr std::array<const char*, 3> kDepthItems{"Disabled", "Z-buffer", "W-buffer"};

}  // namespace ks::viewer
