// The adapter report lumacap writes ("d3d_adapter_info.txt" in its own
// folder) and the reader of a system library's file version it uses.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace ks::viewer {

inline constexpr char kReportName[] = "\\d3d_adapter_info.txt";

// Version modes of GetFileVersion.
inline constexpr int kWholeVersion = 0;  // the whole FileVersion text
inline constexpr int kLastGroup = 1;     // its last group as a number

// The FileVersion text of a library in the system folder; in kLastGroup
// mode the last group of its first 15 characters as a decimal number (the
// whole text when that group is no number). Empty when the library is
// missing or has no version; never an earlier query's result.
std::string GetFileVersion(platform::Platform& platform, const std::string& name, int last0);

// The Direct3D core version word for the last version group of d3d9.dll
// (or d3d8.dll): 904 gives "9.0c", below 900 "8 or low".
std::string CoreVersionWord(std::int32_t group);

// What the report is made of: the listing's lists and texts.
struct ReportContent {
  std::vector<std::string> hardware_ids;               // List3
  std::string re1, re2;                                // "1024x768", "85 Hz"
  std::string driver_version, panel_version, core_word;
  std::array<std::vector<std::string>, 5> caps_pages;  // List1(0..4)
};

// Gathers the three version lines from the system folder.
void ReadVersions(platform::Platform& platform, ReportContent* content);

// The whole report: every line ended by CR LF, the last one too.
std::string AdapterReportText(const ReportContent& content);

}  // namespace ks::viewer
