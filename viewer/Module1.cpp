#include "viewer/Module1.h"

#include "platform/dialogs.h"

namespace ks::viewer {

using platform::kD3dErrInvalidCall;
using platform::kD3dOk;

namespace {

void Check(long hr) {
  if (hr != kD3dOk) throw D3DCallFailed(hr);
}

}  // namespace

AdapterRecord& Module1::Record(std::int32_t adapter) {
  if (adapter < 0 || static_cast<size_t>(adapter) >= s_.AdapterTable.size()) throw D3DCallFailed(kD3dErrInvalidCall);
  return s_.AdapterTable[static_cast<size_t>(adapter)];
}

DeviceTypeEntry& Module1::Entry(std::int32_t adapter, std::int32_t device_type) {
  if (device_type < 0 || device_type > 2) throw D3DCallFailed(kD3dErrInvalidCall);
  return Record(adapter).types[device_type];
}

bool Module1::InitDirect3D(platform::WindowHandle window, std::int32_t adapter, std::int32_t device_type,
                           DeviceAcceptance* callback) {
  try {
    platform::D3DHandle fresh = 0;
    Check(st_.d3d.Direct3DCreate(&fresh));
    s_.Direct3D = fresh;
    EnumerateAdapters(callback);
    return InitWindowedDevice(window, adapter, device_type, true);
  } catch (const D3DCallFailed&) {
    return false;
  }
}

void Module1::ResetEnumeration() {
  s_.AcceptanceCallback = nullptr;
  s_.AdapterTable.assign(1, AdapterRecord());
}

bool Module1::EnumerateAdapters(DeviceAcceptance* callback) {
  ResetEnumeration();
  try {
    if (s_.Direct3D == 0) {
      platform::D3DHandle fresh = 0;
      Check(st_.d3d.Direct3DCreate(&fresh));
      s_.Direct3D = fresh;
    }
    s_.AcceptanceCallback = callback;
    std::uint32_t count = 0;
    Check(st_.d3d.GetAdapterCount(s_.Direct3D, &count));
    s_.AdapterCount = static_cast<std::int32_t>(count);
    s_.AdapterTable.assign(count + 1, AdapterRecord());
    for (std::int32_t a = 0; a < s_.AdapterCount; ++a) {
      // The format lists first: the mode lists keep only listed formats.
      EnumerateDevices(a, platform::kDevTypeHal);
      EnumerateDevices(a, platform::kDevTypeRef);
      EnumerateDisplayModes(a, platform::kDevTypeHal);
      EnumerateDisplayModes(a, platform::kDevTypeRef);
      Check(st_.d3d.GetAdapterIdentifier(s_.Direct3D, static_cast<std::uint32_t>(a), 0, &Record(a).identifier));
    }
    return true;
  } catch (const D3DCallFailed&) {
    return false;
  }
}

void Module1::EnumerateDevices(std::int32_t adapter, std::int32_t device_type) {
  DeviceTypeEntry& entry = Entry(adapter, device_type);
  entry.formats.clear();
  std::uint32_t modes = 0;
  Check(st_.d3d.GetAdapterModeCount(s_.Direct3D, static_cast<std::uint32_t>(adapter), &modes));
  entry.formats.reserve(modes + 1);
  for (std::uint32_t i = 0; i < modes; ++i) {
    platform::D3DDisplayMode mode;
    Check(st_.d3d.EnumAdapterModes(s_.Direct3D, static_cast<std::uint32_t>(adapter), i, &mode));
    if (FindFormatEntry(adapter, device_type, mode.Format) != -1) continue;
    bool fullscreen = false, windowed = false;
    const std::int32_t behaviour = VerifyDeviceCaps(adapter, device_type, mode.Format, &fullscreen, &windowed);
    if (behaviour != -1) entry.formats.push_back(FormatEntry{mode.Format, behaviour, fullscreen, windowed});
  }
}

std::int32_t Module1::VerifyDeviceCaps(std::int32_t adapter, std::int32_t device_type, std::uint32_t format,
                                       bool* fullscreen, bool* windowed) {
  const auto a = static_cast<std::uint32_t>(adapter);
  const auto t = static_cast<std::uint32_t>(device_type);
  *fullscreen = st_.d3d.CheckDeviceType(s_.Direct3D, a, t, format, format, false) == kD3dOk;
  *windowed = st_.d3d.CheckDeviceType(s_.Direct3D, a, t, format, format, true) == kD3dOk;
  if (!*fullscreen && !*windowed) return -1;
  Check(st_.d3d.GetDeviceCaps(s_.Direct3D, a, t, &s_.DeviceCaps));
  Record(adapter).caps = s_.DeviceCaps;
  // Without a callback every format gets software vertex processing,
  // whatever the device could do.
  if (!s_.AcceptanceCallback) return platform::kCreateSoftwareVertexProcessing;
  std::int32_t fmt = static_cast<std::int32_t>(format);
  if (s_.DeviceCaps.DevCaps & platform::kDevCapsHwTransformAndLight) {
    std::int32_t behaviour = platform::kCreateHardwareVertexProcessing;
    if (s_.AcceptanceCallback->VerifyDevice(behaviour, fmt)) return platform::kCreateHardwareVertexProcessing;
  }
  std::int32_t behaviour = platform::kCreateSoftwareVertexProcessing;
  fmt = static_cast<std::int32_t>(format);
  if (s_.AcceptanceCallback->VerifyDevice(behaviour, fmt)) return platform::kCreateSoftwareVertexProcessing;
  return -1;
}

void Module1::EnumerateDisplayModes(std::int32_t adapter, std::int32_t device_type) {
  DeviceTypeEntry& entry = Entry(adapter, device_type);
  entry.modes.clear();
  const auto a = static_cast<std::uint32_t>(adapter);
  std::uint32_t modes = 0;
  Check(st_.d3d.GetAdapterModeCount(s_.Direct3D, a, &modes));
  entry.modes.reserve(modes + 1);
  Check(st_.d3d.GetAdapterDisplayMode(s_.Direct3D, a, &Record(adapter).current_mode));
  for (std::uint32_t i = 0; i < modes; ++i) {
    platform::D3DDisplayMode mode;
    Check(st_.d3d.EnumAdapterModes(s_.Direct3D, a, i, &mode));
    if (mode.Width < 640 || mode.Height < 400) continue;
    // Modes that differ only in refresh rate collapse into one entry.
    platform::D3DDisplayMode key{mode.Width, mode.Height, 0, mode.Format};
    if (FindDisplayMode(adapter, device_type, key) != -1) continue;
    if (FindFormatEntry(adapter, device_type, mode.Format) == -1) continue;
    entry.modes.push_back(ModeEntry{mode.Width, mode.Height, mode.Format});
  }
}

std::int32_t Module1::FindDisplayMode(std::int32_t adapter, std::int32_t device_type,
                                      const platform::D3DDisplayMode& mode) {
  const DeviceTypeEntry& entry = Entry(adapter, device_type);
  for (size_t i = 0; i < entry.modes.size(); ++i) {
    const ModeEntry& m = entry.modes[i];
    if (m.width == mode.Width && m.height == mode.Height && m.format == mode.Format)
      return static_cast<std::int32_t>(i);
  }
  return -1;
}

std::int32_t Module1::FindFormatEntry(std::int32_t adapter, std::int32_t device_type, std::uint32_t format) {
  for (const FormatEntry& f : Entry(adapter, device_type).formats)
    if (f.format == format) return f.behaviour;
  return -1;
}

void Module1::ReleaseDevices() {
  st_.d3d.Release(s_.MainDevice);
  st_.d3d.Release(s_.ListingDevice);
  s_.MainDevice = 0;
  s_.ListingDevice = 0;
}

long Module1::CreateDevices(platform::WindowHandle window, std::int32_t adapter, std::int32_t device_type,
                            std::int32_t behaviour) {
  ReleaseDevices();
  const auto a = static_cast<std::uint32_t>(adapter);
  const auto t = static_cast<std::uint32_t>(device_type);
  const auto b = static_cast<std::uint32_t>(behaviour);
  // Each creation gets the parameters as set up: the device writes back
  // the back-buffer size it took.
  platform::D3DPresentParameters main_params = s_.PresentParams;
  platform::D3DPresentParameters listing_params = s_.PresentParams;
  const long main = st_.d3d.CreateDevice(s_.Direct3D, a, t, window, b, &main_params, &s_.MainDevice);
  const long listing = st_.d3d.CreateDevice(s_.Direct3D, a, t, window, b, &listing_params, &s_.ListingDevice);
  if (main == kD3dOk && listing == kD3dOk) return kD3dOk;
  // Half a pair is no use: the device that was made goes too.
  ReleaseDevices();
  return main != kD3dOk ? main : listing;
}

bool Module1::InitWindowedDevice(platform::WindowHandle window, std::int32_t adapter, std::int32_t device_type,
                                 bool fallback) {
  s_.CurrentAdapter = adapter;
  s_.PresentParams = platform::D3DPresentParameters();
  s_.PresentParams.BackBufferCount = 1;
  s_.PresentParams.EnableAutoDepthStencil = true;
  s_.PresentParams.AutoDepthStencilFormat = platform::kFmtD16;
  s_.PresentParams.DeviceWindow = window;

  platform::D3DDisplayMode mode;
  Check(st_.d3d.GetAdapterDisplayMode(s_.Direct3D, static_cast<std::uint32_t>(adapter), &mode));
  std::int32_t behaviour = FindFormatEntry(adapter, device_type, mode.Format);
  if (behaviour < 1) behaviour = platform::kCreateSoftwareVertexProcessing;

  s_.PresentParams.BackBufferFormat = mode.Format;
  s_.PresentParams.BackBufferWidth = 0;
  s_.PresentParams.BackBufferHeight = 0;
  s_.PresentParams.Windowed = true;
  s_.PresentParams.SwapEffect = platform::kSwapEffectDiscard;
  AdapterRecord& record = Record(adapter);
  record.device_type = static_cast<std::uint32_t>(device_type);
  s_.CurrentDeviceType = device_type;

  long error = CreateDevices(window, adapter, device_type, behaviour);
  if (error != kD3dOk) {
    if (!fallback) return false;
    if (device_type == static_cast<std::int32_t>(platform::kDevTypeHal)) {
      st_.app.MsgBox(kNoHardwareText, platform::kMbOk | platform::kMbIconInformation, st_.edition.title);
      record.device_type = platform::kDevTypeRef;
      record.reference = true;
      s_.CurrentDeviceType = platform::kDevTypeRef;
      error = CreateDevices(window, adapter, platform::kDevTypeRef, behaviour);
    }
  }
  if (error != kD3dOk) {
    st_.app.MsgBox(kNoDeviceText, platform::kMbOk | platform::kMbIconStop, st_.edition.title);
    st_.platform.processes().ExitProcess(0);
  }
  st_.d3d.DeviceGetCaps(s_.MainDevice, &s_.DeviceCaps);  // a failure keeps the caps verified last
  record.reference = record.device_type == platform::kDevTypeRef;
  return true;
}

}  // namespace ks::viewer
