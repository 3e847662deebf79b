// Process-wide state of a viewer program (tarrow, info or lumacap): the
// machine, Direct3D, the edition, the event loop, what device setup keeps
// and the preview's settings. One object per process (and per test).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/d3d8.h"
#include "platform/images.h"
#include "platform/platform.h"
#include "ui/app.h"
#include "viewer/edition.h"
#include "viewer/preview_settings.h"

namespace ks::viewer {

// A display format the device type can use, with its vertex processing.
struct FormatEntry {
  std::uint32_t format = 0;
  std::int32_t behaviour = 0;  // 32 software, 64 hardware vertex processing
  bool fullscreen = false;
  bool windowed = false;
};

// A display mode kept for a device type; the refresh rate is not kept.
struct ModeEntry {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint32_t format = 0;
};

struct DeviceTypeEntry {
  std::vector<ModeEntry> modes;
  std::vector<FormatEntry> formats;
};

struct AdapterRecord {
  std::uint32_t device_type = 0;  // the type last used to create a device here
  platform::D3DCaps caps;         // the caps last verified for this adapter
  DeviceTypeEntry types[3];       // by device type (1 HAL, 2 reference); 0 unused
  platform::D3DAdapterIdentifier identifier;
  platform::D3DDisplayMode current_mode;
  bool reference = false;         // the device here is the reference rasterizer
};

// Asked for every format a device type can use: true accepts it with the
// given vertex processing.
class DeviceAcceptance {
 public:
  virtual ~DeviceAcceptance() = default;
  virtual bool VerifyDevice(std::int32_t& behaviour, std::int32_t& format) = 0;
};

// What device setup keeps for the program's life.
struct DeviceSetup {
  platform::D3DHandle Direct3D = 0;
  std::int32_t AdapterCount = 0;
  std::int32_t CurrentAdapter = 0;
  std::int32_t CurrentDeviceType = 0;
  DeviceAcceptance* AcceptanceCallback = nullptr;
  platform::D3DHandle MainDevice = 0;
  platform::D3DHandle ListingDevice = 0;
  platform::D3DCaps DeviceCaps;
  platform::D3DPresentParameters PresentParams;
  // Indices 0..AdapterCount: one record more than there are adapters.
  std::vector<AdapterRecord> AdapterTable{1};
};

struct ViewerState {
  ViewerState(platform::Platform& p, platform::Direct3D8& d, platform::ImageDecoder& i, const Edition& e)
      : platform(p), d3d(d), images(i), edition(e), app(p.dialogs(), p.files()) {}
  ViewerState(const ViewerState&) = delete;
  ViewerState& operator=(const ViewerState&) = delete;

  platform::Platform& platform;
  platform::Direct3D8& d3d;
  platform::ImageDecoder& images;
  const Edition& edition;
  ui::App app;
  std::string CommandLine;  // the whole command line after the program

  // The folder of the program's executable followed by a relative part.
  std::string OwnPath(const std::string& rest) { return platform.files().ProgramFolder() + rest; }

  DeviceSetup setup;
  PreviewSettings preview;
};

}  // namespace ks::viewer
