#include "viewer/adapter_report.h"

#include <cstdio>

#include "common/numbers.h"
#include "common/version_text.h"
#include "viewer/caps_listing.h"

namespace ks::viewer {

namespace {

std::string TrimRight(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

bool AllDigits(const std::string& text) {
  if (text.empty()) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

}  // namespace

std::string GetFileVersion(platform::Platform& platform, const std::string& name, int last0) {
  platform::VersionInfo& ver = platform.version();
  const std::string path = platform.system().GetSystemDirectory() + "\\" + name;
  const std::uint32_t size = ver.GetFileVersionInfoSize(path);
  if (size == 0) return "";
  std::string block;
  if (!ver.GetFileVersionInfo(path, size, &block)) return "";
  std::string translation;
  if (!ver.VerQueryValue(block, "\\VarFileInfo\\Translation", &translation) || translation.size() < 4) return "";
  auto byte = [&](size_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(translation[i])); };
  const std::uint32_t language = byte(0) | byte(1) << 8;
  const std::uint32_t code_page = byte(2) | byte(3) << 8;
  char key[16];
  std::snprintf(key, sizeof(key), "%08X", static_cast<unsigned>(language * 65536u + code_page));
  std::string value;
  if (!ver.VerQueryValue(block, std::string("\\StringFileInfo\\") + key + "\\FileVersion", &value)) return "";
  value = value.substr(0, value.find('\0')).substr(0, 128);
  std::string text = TrimRight(value);
  if (last0 != kLastGroup) return text;

  // "5.03.2600.2180 (xpsp...)" and "5, 3, 1, 904" alike; fifteen digits at
  // most, so the group always fits.
  const std::optional<std::string> group = LastVersionGroup(text.substr(0, 15));
  if (!group) return text;
  return IntToText(std::stoll(*group));
}

std::string CoreVersionWord(std::int32_t n) {
  if (n == 90) return "9.0c";
  if (n < 900) return "8 or low";
  switch (n) {
    case 900: return "9.0";
    case 901: return "9.0a";
    case 902: return "9.0b";
    case 904: return "9.0c";
    default: return "9.0 or higher";
  }
}

void ReadVersions(platform::Platform& platform, ReportContent* content) {
  content->driver_version = GetFileVersion(platform, "nv4_disp.dll", kWholeVersion);
  if (content->driver_version.empty()) content->driver_version = "no available driver found";
  content->panel_version = GetFileVersion(platform, "nvcpl.dll", kWholeVersion);
  if (content->panel_version.empty()) content->panel_version = "no available control panel found";
  std::string core = GetFileVersion(platform, "d3d9.dll", kLastGroup);
  if (core.empty()) core = GetFileVersion(platform, "d3d8.dll", kLastGroup);
  const std::int32_t n = AllDigits(core) ? TextToInt32(core).value_or(0) : 0;
  content->core_word = CoreVersionWord(n);
}

std::string AdapterReportText(const ReportContent& c) {
  std::string out;
  auto line = [&out](const std::string& text) {
    out += text;
    out += "\r\n";
  };
  line("Hardware IDs:");
  line("");
  for (const std::string& item : c.hardware_ids) line(item);
  line("");
  line("");
  line("Current display mode:");
  line("");
  line("Resolution: " + c.re1);
  line("Refresh rate: " + c.re2);
  line("");
  line("");
  line("nVidia display driver info:");
  line("");
  line("Display driver version: " + c.driver_version);
  line("Control panel version: " + c.panel_version);
  line("");
  line("");
  line("DirectX info:");
  line("");
  line("Direct3D core version: " + c.core_word);
  for (size_t k = 0; k < kCapsPages.size(); ++k) {
    line("");
    line("");
    line(kCapsPages[k].report_title);
    line("");
    for (const std::string& item : c.caps_pages[k]) line(item);
  }
  return out;
}

}  // namespace ks::viewer
