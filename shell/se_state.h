// Process-wide state of KestrelaneSE: everything that lives from start-up to
// exit and is shared between its subsystems. One object per process (and per
// test); feature code gets it by reference.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/platform.h"
#include "platform/files.h"
#include "shell/basRegistry.h"
#include "shell/info_labels.h"

namespace ks {

struct SeState {
  explicit SeState(platform::Platform& p) : platform(p), reg(p.registry()) {}
  SeState(const SeState&) = delete;
  SeState& operator=(const SeState&) = delete;

  platform::Platform& platform;
  BasRegistry reg;  // the registry module, with its switches

  // The program folder followed by a relative part such as "\DATA\mt.dat".
  std::string DataPath(const std::string& rest) { return platform.files().ProgramFolder() + rest; }

  // --- detection (set once at start-up) ---
  std::int16_t OsClass = 0;       // 0 9x/Me, 1 NT 4, 2 2000, 3 XP and other, 4 Vista and later
  std::int32_t DriverBuild = 0;   // last four digits of the driver version (7701 for 77.01)
  std::string DriverKey;          // HKEY_LOCAL_MACHINE path of the driver's settings
  std::int32_t D3DRuntimeBuild = 0;
  std::string DeviceId;           // four hex digits, e.g. "0322"
  std::string DevicePrefix;       // first three characters of DeviceId
  std::int16_t DeviceIdNum = 0;
  std::int32_t DeviceIdNumCopy = 0;
  std::string NvTweakHwKey;
  std::string ChipRevision;
  std::int32_t CpuMhz = 0;
  std::string NvTweakDeviceKey;   // "Devices\VEN_10DE&DEV_...&REV_xx&INST00"
  std::array<std::string, 7> AdapterDriverKeys{};  // NVIDIA display devices in enumeration order
  std::int32_t AdapterCount = 0;
  std::string ChipDataExtra;      // extra field of the last chip data record matched with one

  // --- system information page ---
  std::int32_t Mhz = 0;           // "~MHz" of the first processor, 0 when missing
  std::string Pid;                // first processor's "Identifier"
  std::string Pvid;               // first processor's "VendorIdentifier"
  std::string ProcessorNameString;
  std::int32_t TwoCPU = 0;        // 1: a second processor or Hyper-Threading
  std::int32_t AvailableMemoryMB = 0;
  InfoLabels Info;                // page-4 label texts

  // --- language table ---
  std::array<std::string, 301> LanguageTable{};
  std::string LangCode;
  std::string LangHeader;
  const std::string& Lang(int n) const { return LanguageTable.at(static_cast<size_t>(n)); }

  // --- start-up and pages ---
  std::int32_t ClockModel = 0;
  std::int32_t Clocks3DShown = 0;
  std::int32_t MtFlag = 0;
  std::int32_t HelpTopic = 999;   // 999: no help frame shown
  std::int32_t HelpSystemOn = 1;
  std::string CmdPresetPath;

  // --- antialiasing and shader state ---
  std::int32_t GammaAA = 0;
  std::int32_t TranspAAMode = 0;
  std::string AAModeText;
  std::int32_t AAGuard = 0;
  std::int32_t SliAAFlag = 0;
  std::string PsVersion;
  std::string VsVersion;
  std::int32_t MaxTextures = -1;
};

}  // namespace ks
