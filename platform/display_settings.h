// Display modes of the current display device and changes of mode
// (user32 EnumDisplaySettingsA, ChangeDisplaySettingsA), and the restart
// of Windows that a change may ask for (ExitWindowsEx).
#pragma once

#include <cstdint>

namespace ks::platform {

// Size of the record the suite exchanges: DEVMODEA up to and including
// dmDisplayFrequency. EnumDisplaySettingsA and ChangeDisplaySettingsA need
// it in dmSize, so every record carries it from the start.
inline constexpr std::uint16_t kDisplayModeSize = 124;

// The DEVMODEA fields the suite reads or sets.
struct DisplayMode {
  std::uint32_t width = 0;           // dmPelsWidth
  std::uint32_t height = 0;          // dmPelsHeight
  std::uint32_t bits_per_pixel = 0;  // dmBitsPerPel
  std::uint32_t frequency = 0;       // dmDisplayFrequency, Hz
  std::uint32_t fields = 0;          // dmFields: what a change asks for
  std::uint16_t size = kDisplayModeSize;  // dmSize
};

// dmFields bits.
inline constexpr std::uint32_t kDmBitsPerPel = 0x40000;
inline constexpr std::uint32_t kDmPelsWidth = 0x80000;
inline constexpr std::uint32_t kDmPelsHeight = 0x100000;
inline constexpr std::uint32_t kDmDisplayFrequency = 0x400000;

// ChangeDisplaySettingsA flags and results.
inline constexpr std::uint32_t kCdsUpdateRegistry = 1;  // store the mode as the default too
inline constexpr std::int32_t kDispChangeSuccessful = 0;
inline constexpr std::int32_t kDispChangeRestart = 1;
inline constexpr std::int32_t kDispChangeFailed = -1;
inline constexpr std::int32_t kDispChangeBadMode = -2;
inline constexpr std::int32_t kDispChangeBadParam = -5;

// ExitWindowsEx flags.
inline constexpr std::uint32_t kEwxReboot = 2;

class DisplaySettings {
 public:
  virtual ~DisplaySettings() = default;
  // EnumDisplaySettingsA(NULL, mode_number, record): mode numbers count from
  // 0. False (and *out untouched) past the last mode or for a record
  // without its size. The record keeps its size; the other fields are filled.
  virtual bool EnumDisplaySettings(std::uint32_t mode_number, DisplayMode* out) = 0;
  // ChangeDisplaySettingsA(record, flags) for the current display: asks for
  // the fields named in mode->fields. Returns kDispChangeSuccessful,
  // kDispChangeRestart (the new mode needs a restart) or a failure code.
  // The record comes back as the call leaves it.
  virtual std::int32_t ChangeDisplaySettings(DisplayMode* mode, std::uint32_t flags) = 0;
  // Gives the process the shutdown privilege, which ExitWindowsEx needs on
  // the NT family; false when it cannot be had.
  virtual bool EnableShutdownPrivilege() = 0;
  // ExitWindowsEx(flags, 0); false when Windows refused.
  virtual bool ExitWindowsEx(std::uint32_t flags) = 0;
};

}  // namespace ks::platform
