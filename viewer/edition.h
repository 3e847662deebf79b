// The viewer is one program in three editions. The descriptor holds
// everything in which they differ; the code asks it, never the program name.
#pragma once

#include <array>

namespace ks::viewer {

enum class EditionKind { kTarrow, kInfo, kLumacap };

struct Edition {
  EditionKind kind;
  const char* title;          // the program's title: message box captions
  const char* caption;        // main window caption
  const char* start_texture;  // renderer's first texture, after the program's folder
  bool common_controls;       // initialises the common controls itself
  bool noaf_switch;           // the command line "noaf" turns the filter choice off
  bool preview;               // runs the preview renderer
  bool depth_bars;            // VScroll1 / HScroll1, Label12, Label7(7) and (8)
  int anisotropy_ceiling;     // the highest degree the filter list offers: 16 or 8
  bool anisotropy_quality_word;  // "Max anisotropy: 8 (32-tap or better)" rather than "8x"
  bool writes_report;         // ends its start by writing the adapter report
};

inline constexpr std::array<Edition, 3> kEditions{{
    {EditionKind::kTarrow, "tarrow", "Direct3D TARROW Box", "\\p512dx1.dds", false, true, true, true,
     16, true, false},
    {EditionKind::kInfo, "info", "Kestrelane Adapter Info & test", "\\DATA\\ksln.jpg", true, false, true, false,
     16, false, false},
    {EditionKind::kLumacap, "lumacap", "Kestrelane Adapter Info & test", "\\DATA\\ksln.jpg", false, false, false,
     false, 8, true, true},
}};

constexpr const Edition& EditionOf(EditionKind kind) {
  for (const Edition& e : kEditions)
    if (e.kind == kind) return e;
  return kEditions[0];
}

}  // namespace ks::viewer
