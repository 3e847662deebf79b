// Display devices (user32).
#pragma once

#include <cstdint>
#include <string>

namespace ks::platform {

// DISPLAY_DEVICEA StateFlags.
inline constexpr std::uint32_t kDisplayDeviceAttachedToDesktop = 0x1;
inline constexpr std::uint32_t kDisplayDevicePrimaryDevice = 0x4;
inline constexpr std::uint32_t kDisplayDeviceMirroringDriver = 0x8;

// The DISPLAY_DEVICEA fields, each text up to its first NUL.
struct DisplayDevice {
  std::string device_name;    // "\\.\DISPLAY1"
  std::string device_string;  // adapter name
  std::uint32_t state_flags = 0;
  std::string device_id;      // hardware id, "PCI\VEN_10DE&DEV_0322&SUBSYS_...&REV_A1"
  std::string device_key;     // driver key, "\Registry\Machine\System\...\0000"
};

class Display {
 public:
  virtual ~Display() = default;

  // EnumDisplayDevicesA(NULL, index, record, 0), looked up at run time
  // because Windows NT 4 and 95 lack it. false past the last device, and
  // for every index when the function is missing.
  virtual bool EnumDisplayDevices(std::uint32_t index, DisplayDevice* out) = 0;
};

}  // namespace ks::platform
