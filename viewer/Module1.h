// Direct3D device setup: the Direct3D object, the adapter table (formats
// and display modes per device type) and the two windowed devices that the
// capability listing asks. When the hardware device cannot be made it says
// so and takes the reference rasterizer; when no device can be made it says
// so and ends the program at once.
#pragma once

#include <cstdint>
#include <stdexcept>

#include "viewer/viewer_state.h"

namespace ks::viewer {

inline constexpr char kNoHardwareText[] = "No hardware support found. Switching to reference rasterizer.";
inline constexpr char kNoDeviceText[] = "No suitable device was found to initialize D3D. Application will now exit.";

// A Direct3D call that failed inside a procedure that stops at the first
// failure; the procedures below that say "throws" pass it on.
struct D3DCallFailed : std::runtime_error {
  explicit D3DCallFailed(long hr) : std::runtime_error("Direct3D call failed"), result(hr) {}
  long result;
};

class Module1 {
 public:
  explicit Module1(ViewerState& state) : st_(state), s_(state.setup) {}

  // Makes a new Direct3D object, builds the adapter table and the windowed
  // devices (with the reference fallback). False when a step before device
  // creation failed (no Direct3D, no adapter); ends the program when no
  // device at all can be made.
  bool InitDirect3D(platform::WindowHandle window, std::int32_t adapter, std::int32_t device_type,
                    DeviceAcceptance* callback);
  // Builds the adapter table; false when a call failed (the table stays as
  // far as it got).
  bool EnumerateAdapters(DeviceAcceptance* callback);
  // Forgets the callback; the table keeps one empty record.
  void ResetEnumeration();
  // Throw D3DCallFailed on a failed call or an adapter or type outside the table.
  void EnumerateDevices(std::int32_t adapter, std::int32_t device_type);
  void EnumerateDisplayModes(std::int32_t adapter, std::int32_t device_type);
  std::int32_t FindDisplayMode(std::int32_t adapter, std::int32_t device_type, const platform::D3DDisplayMode& mode);
  std::int32_t FindFormatEntry(std::int32_t adapter, std::int32_t device_type, std::uint32_t format);
  std::int32_t VerifyDeviceCaps(std::int32_t adapter, std::int32_t device_type, std::uint32_t format,
                                bool* fullscreen, bool* windowed);
  // Creates MainDevice and ListingDevice; with the fallback, a failed
  // hardware device turns into the reference rasterizer after a message.
  // Throws D3DCallFailed when the display mode or the format list fails.
  bool InitWindowedDevice(platform::WindowHandle window, std::int32_t adapter, std::int32_t device_type,
                          bool fallback);

 private:
  AdapterRecord& Record(std::int32_t adapter);
  DeviceTypeEntry& Entry(std::int32_t adapter, std::int32_t device_type);
  // Both devices with the same parameters; on any failure neither is kept.
  long CreateDevices(platform::WindowHandle window, std::int32_t adapter, std::int32_t device_type,
                     std::int32_t behaviour);
  void ReleaseDevices();

  ViewerState& st_;
  DeviceSetup& s_;
};

}  // namespace ks::viewer
