// Process-wide state of KestrelaneSE: everything that lives from start-up to
// exit and is shared between its subsystems. One object per process (and per
// test); feature code gets it by reference.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/platform.h"
#include "platform/files.h"
#include "common/basRegistry.h"
#include "ui/app.h"

namespace ks {

struct SeState {
  explicit SeState(platform::Platform& p) : platform(p), reg(p.registry()), app(p.dialogs(), p.files()) {}
  SeState(const SeState&) = delete;
  SeState& operator=(const SeState&) = delete;

  platform::Platform& platform;
  BasRegistry reg;  // the registry module, with its switches
  ui::App app;      // the event loop and the forms

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
  std::int32_t CpuMhz = 0;        // the CPU clock the system information page found
  std::string NvTweakDeviceKey;   // "Devices\VEN_10DE&DEV_...&REV_xx&INST00"
  std::array<std::string, 7> AdapterDriverKeys{};  // NVIDIA display devices in enumeration order
  std::int32_t AdapterCount = 0;
  // Start-up found no NVIDIA display device where the driver key is taken
  // from the first display device (9x/Me, XP, Vista): DriverKey then names
  // another adapter's settings, and the setting writers write nothing.
  bool NvidiaAdapterMissing = false;
  std::string ChipDataExtra;      // extra field of the last chip data record matched with one

  // --- language table ---
  std::array<std::string, 301> LanguageTable{};
  std::string LangCode;
  std::string LangHeader;
  // The language file start-up read and the name it gives its language:
  // listing the languages takes that name instead of reading the file again.
  std::string LangFileRead;
  std::string LangFileTitle;
  const std::string& Lang(int n) const { return LanguageTable.at(static_cast<size_t>(n)); }

  // --- start-up and pages ---
  std::int32_t ClockModel = 0;     // 1: separate 2D and 3D clocks (hardware/Clocks.h)
  std::int32_t Clocks3DShown = 0;
  std::int32_t MtFlag = 0;
  std::int32_t HelpTopic = 999;   // 999: no help frame shown
  std::int32_t HelpSystemOn = 1;
  std::string CmdPresetPath;

  // --- clocks (hardware/Clocks.h): the last read, or the request to apply ---
  std::int16_t CoreClock = 0;      // MHz
  std::int16_t MemClock = 0;
  std::int16_t CoreClockDef = 0;   // the driver's defaults
  std::int16_t MemClockDef = 0;
  std::int32_t Use3DClocks = 0;    // 1: the 3D clock set ("Bart3D", "Krusty3D")
  // The pairs the last reads decoded from values the driver had written, and
  // where (the hardware key and the default pair's name). A read at the same
  // place that finds the values gone before the driver's loader has answered
  // takes these again instead of decoding nothing.
  struct ClockPairSeen {
    std::int32_t core = 0;
    std::int32_t mem = 0;
  };
  struct ClocksSeenAt {
    std::string where;
    std::optional<ClockPairSeen> defaults;
    std::optional<ClockPairSeen> current;
  };
  ClocksSeenAt ClocksSeen;
  // False when the last read found no default pair at all: none stored, the
  // loader not answered yet and none seen at this place before. Its clocks
  // say nothing about the hardware key then.
  bool ClocksFound = false;

  // --- antialiasing and shader state ---
  std::int32_t GammaAA = 0;
  std::int32_t TranspAAMode = 0;
  std::string AAModeText;
  std::int32_t AAGuard = 0;
  std::int32_t SliAAFlag = 0;
  std::string PsVersion;
  std::string VsVersion;
  std::int32_t MaxTextures = -1;

  // --- what the settings readers keep from one run to the next ---
  std::int32_t OglCompressionMode = 0;  // last recognised texture compression reading (0, 1, 2)
  std::int32_t ForceMipmapsRead = 0;    // last force-mipmaps number read
  std::int32_t LowMipLevelRead = 0;     // last low-MIP-level number read
};

}  // namespace ks
