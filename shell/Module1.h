// The NVIDIA display device search: device id values, driver key and the
// NVTweak hardware key. Runs once at start-up, after ReadDriverVersion
// (it needs OsClass and DriverBuild).
#pragma once

#include <string>

#include "shell/se_state.h"

namespace ks {

// Walks every display device. For each NVIDIA one (vendor 10DE) it parses
// the hardware id, keeps the driver key (the first seven in
// AdapterDriverKeys), counts it and sets NvTweakHwKey. With several, the
// id values belong to the last device and DriverKey to the first. When no
// NVIDIA device is found DriverKey keeps the key FindDriverKey chose; when
// ReadDriverVersion found no NVIDIA driver either, on 9x/Me, XP and Vista
// NvidiaAdapterMissing is set: that key belongs to another adapter.
void FindNvidiaDevices(SeState& s);

// Sets DeviceId, DeviceIdNum, DevicePrefix and NvTweakDeviceKey from a
// hardware id such as "PCI\VEN_10DE&DEV_0322&SUBSYS_00000000&REV_A1". A part
// the id is too short for, or a device id that is not hexadecimal, leaves
// its values as they were.
void ParseDeviceId(SeState& s, std::string hardware_id);

}  // namespace ks
