#include "shell/Module1.h"

#include <cstdint>

#include "common/numbers.h"
#include "shell/detection.h"

namespace ks {

namespace {

constexpr const char* kNvTweak = "Software\\NVIDIA Corporation\\Global\\NVTweak";

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

// Characters 9 to 12 of the trimmed hardware id are the vendor id.
bool IsNvidia(const std::string& device_id) {
  std::string id = Trim(device_id);
  return id.size() >= 12 && id.compare(8, 4, "10DE") == 0;
}

// "\Registry\Machine\System\...\0000" becomes "System\...\0000"; a 9x key
// already begins with "System\".
std::string DriverKeyFromDeviceKey(const std::string& device_key) {
  std::string key = device_key.substr(0, device_key.find('\0'));
  size_t at = key.find("\\System");
  return at == std::string::npos ? key : key.substr(at + 1);
}

}  // namespace

void ParseDeviceId(SeState& s, std::string hardware_id) {
  std::string h = Trim(hardware_id);
  // "PCI\VEN_10DE&DEV_0322": the device digits end at character 21.
  if (h.size() >= 21) {
    std::string id = h.substr(17, 4);
    bool hex = true;
    for (char c : id) hex = hex && IsHexDigit(c);
    if (hex) {
      s.DeviceId = id;
      s.DeviceIdNum = static_cast<std::int16_t>(static_cast<std::uint16_t>(std::stoul(id, nullptr, 16)));
      s.DevicePrefix = id.substr(0, 3);
    }
  }
  // Without the bus prefix, up to and including the revision: characters 5 to 44.
  if (h.size() >= 44) s.NvTweakDeviceKey = "Devices\\" + Trim(h.substr(4, 40)) + "&INST00";
}

void FindNvidiaDevices(SeState& s) {
  s.AdapterCount = 0;
  platform::DisplayDevice device;
  for (std::uint32_t number = 0; number <= 0x7FFF; ++number) {
    if (!s.platform.display().EnumDisplayDevices(number, &device)) break;
    if (!IsNvidia(device.device_id)) continue;
    ParseDeviceId(s, device.device_id);
    s.DriverKey = DriverKeyFromDeviceKey(device.device_key);
    if (s.AdapterCount < static_cast<std::int32_t>(s.AdapterDriverKeys.size())) {
      s.AdapterDriverKeys[static_cast<size_t>(s.AdapterCount)] = s.DriverKey;
    }
    ++s.AdapterCount;
    s.DeviceIdNumCopy = s.DeviceIdNum;
    if (s.OsClass != 0 || s.DriverBuild >= 2500) {
      s.NvTweakHwKey = std::string(kNvTweak) + "\\" + s.NvTweakDeviceKey + "\\Hardware";
    } else {
      s.NvTweakHwKey = std::string(kNvTweak) + "\\Hardware";
    }
  }
  // Only a device found replaces the key; an empty one would send every
  // later driver write to the root of HKEY_LOCAL_MACHINE.
  if (s.AdapterCount > 0) s.DriverKey = s.AdapterDriverKeys[0];
  // On NT 4 and 2000 the key is the NVIDIA driver's own service key; with
  // the NVIDIA driver installed the key is taken to be its own too.
  s.NvidiaAdapterMissing = s.AdapterCount == 0 && s.OsClass != 1 && s.OsClass != 2 &&
                           !ReadSystemDllVersion(s, DriverDllOf(s.OsClass)).has_value();
}

}  // namespace ks
