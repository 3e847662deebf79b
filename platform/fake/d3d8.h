// The fake machine's Direct3D 8: adapters with their mode lists,
// identifiers and caps per device type, which combinations CheckDeviceType
// accepts, what CreateDevice gives, and every device's recorded state
// (render and stage states, textures, transforms, vertex bytes, draws).
// Calls are counted by name; a test makes one call fail on purpose.
#pragma once

#include <deque>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "platform/d3d8.h"

namespace ks::fake {

struct FakeAdapter {
  platform::D3DAdapterIdentifier identifier;
  std::vector<platform::D3DDisplayMode> modes;  // EnumAdapterModes, in order
  platform::D3DDisplayMode current;             // GetAdapterDisplayMode
  // GetDeviceCaps by device type; a type without caps fails with
  // kD3dErrNotAvailable (and so does CheckDeviceType for it).
  std::map<std::uint32_t, platform::D3DCaps> caps;
  // CheckDeviceType refuses these (type, format, windowed) combinations.
  std::set<std::tuple<std::uint32_t, std::uint32_t, bool>> refused;
  // CreateDevice's result by device type (default: created).
  std::map<std::uint32_t, long> create_result;
  // Texture formats CheckDeviceFormat and CreateTexture accept.
  std::set<std::uint32_t> texture_formats{platform::kFmtA8R8G8B8, platform::kFmtX8R8G8B8, platform::kFmtDxt1};
};

class FakeDirect3D8 : public platform::Direct3D8 {
 public:
  long Direct3DCreate(platform::D3DHandle* out) override;
  void Release(platform::D3DHandle object) override;
  long GetAdapterCount(platform::D3DHandle d3d, std::uint32_t* count) override;
  long GetAdapterModeCount(platform::D3DHandle d3d, std::uint32_t adapter, std::uint32_t* count) override;
  long EnumAdapterModes(platform::D3DHandle d3d, std::uint32_t adapter, std::uint32_t mode,
                        platform::D3DDisplayMode* out) override;
  long GetAdapterDisplayMode(platform::D3DHandle d3d, std::uint32_t adapter, platform::D3DDisplayMode* out) override;
  long GetAdapterIdentifier(platform::D3DHandle d3d, std::uint32_t adapter, std::uint32_t flags,
                            platform::D3DAdapterIdentifier* out) override;
  long CheckDeviceType(platform::D3DHandle d3d, std::uint32_t adapter, std::uint32_t type,
                       std::uint32_t display_format, std::uint32_t back_buffer_format, bool windowed) override;
  long CheckDeviceFormat(platform::D3DHandle d3d, std::uint32_t adapter, std::uint32_t type,
                         std::uint32_t adapter_format, std::uint32_t usage, std::uint32_t resource_type,
                         std::uint32_t check_format) override;
  long GetDeviceCaps(platform::D3DHandle d3d, std::uint32_t adapter, std::uint32_t type,
                     platform::D3DCaps* out) override;
  long CreateDevice(platform::D3DHandle d3d, std::uint32_t adapter, std::uint32_t type, platform::WindowHandle focus,
                    std::uint32_t behaviour, platform::D3DPresentParameters* params,
                    platform::D3DHandle* device) override;
  long DeviceGetCaps(platform::D3DHandle device, platform::D3DCaps* out) override;
  long DeviceGetDisplayMode(platform::D3DHandle device, platform::D3DDisplayMode* out) override;
  long SetRenderState(platform::D3DHandle device, std::uint32_t state, std::uint32_t value) override;
  long SetTextureStageState(platform::D3DHandle device, std::uint32_t stage, std::uint32_t type,
                            std::uint32_t value) override;
  long SetTexture(platform::D3DHandle device, std::uint32_t stage, platform::D3DHandle texture) override;
  long SetTransform(platform::D3DHandle device, std::uint32_t type, const platform::D3DMatrix& matrix) override;
  long CreateVertexBuffer(platform::D3DHandle device, std::uint32_t length, std::uint32_t usage, std::uint32_t fvf,
                          std::uint32_t pool, platform::D3DHandle* out) override;
  long FillVertexBuffer(platform::D3DHandle buffer, std::uint32_t offset, const std::string& bytes) override;
  long CreateTexture(platform::D3DHandle device, std::uint32_t width, std::uint32_t height, std::uint32_t levels,
                     std::uint32_t usage, std::uint32_t format, std::uint32_t pool, platform::D3DHandle* out) override;
  long FillTextureLevel(platform::D3DHandle texture, std::uint32_t level, const std::string& bytes,
                        std::uint32_t pitch) override;
  long Clear(platform::D3DHandle device, std::uint32_t flags, std::uint32_t colour, float z,
             std::uint32_t stencil) override;
  long BeginScene(platform::D3DHandle device) override;
  long EndScene(platform::D3DHandle device) override;
  long SetStreamSource(platform::D3DHandle device, std::uint32_t stream, platform::D3DHandle buffer,
                       std::uint32_t stride) override;
  long SetVertexShader(platform::D3DHandle device, std::uint32_t fvf) override;
  long DrawPrimitive(platform::D3DHandle device, std::uint32_t type, std::uint32_t start,
                     std::uint32_t count) override;
  long Present(platform::D3DHandle device) override;
  long PresentToWindow(platform::D3DHandle device, platform::WindowHandle window) override;

  // --- set-up ---
  bool library_present = true;  // d3d8.dll with its Direct3DCreate8
  std::vector<FakeAdapter> adapters;
  // The next calls of this name return this result instead of working
  // ("CreateDevice", "GetAdapterIdentifier", ...), one entry per call.
  std::map<std::string, std::deque<long>> fail_next;
  // Every call of this name fails with this result.
  std::map<std::string, long> fail_always;
  // The call of this name with this number (counting from 1) fails.
  std::map<std::string, std::map<int, long>> fail_call;

  // --- inspection ---
  struct Draw {
    std::uint32_t type, start, count;
    platform::D3DHandle stream;  // vertex buffer on stream 0 at the time
    std::uint32_t stride, fvf;
  };
  struct Device {
    std::uint32_t adapter = 0, type = 0, behaviour = 0;
    platform::WindowHandle focus = 0;
    platform::D3DPresentParameters params;
    std::map<std::uint32_t, std::uint32_t> render_states;
    std::map<std::pair<std::uint32_t, std::uint32_t>, std::uint32_t> stage_states;  // (stage, type)
    std::map<std::uint32_t, platform::D3DHandle> textures;                           // by stage
    std::map<std::uint32_t, platform::D3DMatrix> transforms;
    platform::D3DHandle stream = 0;
    std::uint32_t stride = 0, fvf = 0;
    std::vector<Draw> draws;
    int clears = 0, scenes = 0, presents = 0;
    std::vector<platform::WindowHandle> presented_to;  // PresentToWindow, call by call
    std::uint32_t clear_colour = 0;
  };
  struct Texture {
    platform::D3DHandle device = 0;
    std::uint32_t width = 0, height = 0, levels = 0, format = 0, pool = 0;
    std::vector<std::string> data;  // per level, as filled
  };
  struct VertexBuffer {
    platform::D3DHandle device = 0;
    std::uint32_t fvf = 0, pool = 0;
    std::string bytes;
  };
  int Calls(const std::string& name) const;
  // Objects created and not released, by kind.
  int LiveDevices() const;
  int LiveTextures() const;
  int LiveVertexBuffers() const;
  int LiveObjects() const { return static_cast<int>(live_.size()); }
  bool IsLive(platform::D3DHandle h) const { return live_.count(h) != 0; }
  // nullptr for a handle that is not a live object of that kind.
  Device* device(platform::D3DHandle h);
  Texture* texture(platform::D3DHandle h);
  VertexBuffer* vertex_buffer(platform::D3DHandle h);
  // Devices in creation order (released ones too).
  const std::vector<platform::D3DHandle>& created_devices() const { return created_devices_; }

 private:
  // Counts the call; false (with *result set) when it is to fail.
  bool Enter(const char* name, long* result);
  FakeAdapter* Adapter(platform::D3DHandle d3d, std::uint32_t adapter);
  bool IsD3d(platform::D3DHandle h) const { return live_.count(h) && d3d_objects_.count(h); }

  std::map<std::string, int> calls_;
  std::set<platform::D3DHandle> live_;
  std::set<platform::D3DHandle> d3d_objects_;
  std::map<platform::D3DHandle, Device> devices_;
  std::map<platform::D3DHandle, Texture> textures_;
  std::map<platform::D3DHandle, VertexBuffer> buffers_;
  std::vector<platform::D3DHandle> created_devices_;
  platform::D3DHandle next_ = 0x10;
};

}  // namespace ks::fake
