#include "shell/detection.h"

#include "shell/Form1.h"

#include <cmath>
#include <cstdio>

#include "common/numbers.h"
#include "common/version_text.h"

namespace ks {

namespace {

constexpr std::uint32_t kTranslationEntrySize = 4;

std::uint16_t Le16(const std::string& bytes, size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                    (static_cast<unsigned char>(bytes[at + 1]) << 8));
}

std::string RegText(SeState& s, const std::string& key, const std::string& name) {
  return s.reg.ReadRegValue(kHkeyLocalMachine, key, name).AsText();
}

}  // namespace

std::int16_t OsClassOf(std::uint32_t major, std::uint32_t minor, std::uint32_t platform_id) {
  if (major == 5 && minor == 0) return 2;
  if (major == 4 && platform_id == platform::kPlatformWin32Nt) return 1;
  if (major == 4 && platform_id == platform::kPlatformWin32Windows) return 0;
  if (major == 6) return 4;
  return 3;
}

const char* OsLabel(std::int16_t os_class) {
  switch (os_class) {
    case 0: return "Windows 9x/Me";
    case 1: return "Windows NT";
    case 2: return "Windows 2000";
    case 4: return "Windows Vista";
    default: return "Windows XP ";
  }
}

const char* DirectXText(std::int32_t build) {
  if (build == 90) return "9.0c";
  if (build < 900) return "8 or low";
  if (build == 900) return "9.0";
  if (build == 901) return "9.0a";
  if (build == 902) return "9.0b";
  if (build == 904 || build == 2180) return "9.0c";
  if (build < 6386) return "9.0 or higher";
  return "10 or higher";
}

std::optional<std::int32_t> BuildFromVersionText(const std::string& text, bool cut_after_15) {
  const std::optional<std::string> group = LastVersionGroup(cut_after_15 ? text.substr(0, 15) : text);
  if (!group) return std::nullopt;
  // The build is the last four digits: "6.14.11.16386" is build 6386.
  return std::stoi(group->size() > 4 ? group->substr(group->size() - 4) : *group);
}

const char* DriverDllOf(std::int16_t os_class) {
  return os_class == 0 ? "\\NvCpl.dll" : os_class == 4 ? "\\nvd3dum.dll" : "\\nv4_disp.dll";
}

std::optional<std::string> ReadSystemDllVersion(SeState& s, const std::string& dll_name) {
  platform::VersionInfo& ver = s.platform.version();
  std::string path = s.platform.system().GetSystemDirectory() + dll_name;
  std::uint32_t size = ver.GetFileVersionInfoSize(path);
  if (size == 0) return std::nullopt;

  std::string block;
  if (!ver.GetFileVersionInfo(path, size, &block)) return std::string();
  // Without a whole first Translation entry there is no string table to ask.
  std::string translation;
  if (!ver.VerQueryValue(block, "\\VarFileInfo\\Translation", &translation) ||
      translation.size() < kTranslationEntrySize) {
    return std::string();
  }
  char table[9];
  std::snprintf(table, sizeof(table), "%04X%04X", Le16(translation, 0), Le16(translation, 2));
  std::string text;
  if (!ver.VerQueryValue(block, std::string("\\StringFileInfo\\") + table + "\\FileVersion", &text)) {
    return std::string();
  }
  return text.substr(0, text.find('\0'));
}

void GetD3DRuntimeBuild(SeState& s) {
  const char* dll = s.OsClass == 0 ? "\\d3d8.dll" : s.OsClass == 4 ? "\\d3d10.dll" : "\\d3d9.dll";
  std::optional<std::string> text = ReadSystemDllVersion(s, dll);
  if (!text) return;
  if (auto build = BuildFromVersionText(*text, true)) s.D3DRuntimeBuild = *build;
}

void Form1::ShowOsAndDirectXVersion() {
  SeState& s = st_;
  // A failed call leaves the record zeroed, which falls to class 3.
  platform::OsVersion version;
  if (!s.platform.system().GetVersionEx(&version)) version = platform::OsVersion();
  s.OsClass = OsClassOf(version.major, version.minor, version.platform_id);
  Label2[2].SetCaption(s.Lang(109) + OsLabel(s.OsClass));
  std::string service_pack = RegText(s, "Software\\Microsoft\\Windows NT\\CurrentVersion", "CSDVersion");
  if (!service_pack.empty()) Label2[2].SetCaption(Label2[2].Caption() + " with " + service_pack);

  GetD3DRuntimeBuild(s);

  Label2[3].SetCaption(s.Lang(110) + DirectXText(s.D3DRuntimeBuild));
  if (s.OsClass != 4) {
    std::string dx_version = RegText(s, "Software\\Microsoft\\DirectX", "Version");
    if (!dx_version.empty()) Label2[3].SetCaption(Label2[3].Caption() + " (" + dx_version + ")");
  }
}

void Form1::FindDriverKey() {
  SeState& s = st_;
  if (s.OsClass == 3 || s.OsClass == 4) {
    // "\Registry\Machine\System\...\Video\{GUID}\0000": the class GUID in
    // braces, a backslash and the instance take the last 43 characters. A
    // missing or shorter value names no device; the key stays as it was.
    constexpr size_t kGuidAndInstance = 43;
    std::string video0 = RegText(s, "HARDWARE\\DEVICEMAP\\VIDEO", "\\Device\\Video0");
    if (video0.size() < kGuidAndInstance) return;
    s.DriverKey = "SYSTEM\\CurrentControlSet\\Control\\Video\\" + video0.substr(video0.size() - kGuidAndInstance);
  } else if (s.OsClass == 1 || s.OsClass == 2) {
    s.DriverKey = "SYSTEM\\CurrentControlSet\\Services\\nv4\\Device0";
  } else {
    s.DriverKey = "System\\CurrentControlSet\\Services\\Class\\Display\\0000";
  }
}

void Form1::ShowCardName() {
  SeState& s = st_;
  std::string name = RegText(s, s.DriverKey, s.OsClass == 0 ? "DriverDesc" : "Device Description");
  if (name.empty()) name = "Unknown card";
  Label2[0].SetCaption(s.Lang(101) + name);
}

void Form1::ReadDriverVersion() {
  SeState& s = st_;
  std::optional<std::string> text = ReadSystemDllVersion(s, DriverDllOf(s.OsClass));
  if (!text) return;
  if (auto build = BuildFromVersionText(*text, false)) s.DriverBuild = *build;
  std::string shown = *text;
  while (!shown.empty() && shown.back() == ' ') shown.pop_back();
  Label2[1].SetCaption(s.Lang(104) + shown);
  if (s.DriverBuild < 2300 && s.OsClass != 0) {
    s.app.MsgBox("This driver is not supported under WinXP/2k.", platform::kMbOk);
  }
}

}  // namespace ks
