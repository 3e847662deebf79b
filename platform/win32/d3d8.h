// Direct3D 8 over the real d3d8.dll. mingw-w64 has the headers but no
// import library, so Direct3DCreate8 is looked up at run time; without the
// library every call fails and nothing else happens.
#pragma once

#include <map>

#include "platform/d3d8.h"
#include "platform/win32/handle.h"
#include <unknwn.h>

namespace ks::win32 {

class Win32Direct3D8 : public platform::Direct3D8 {
 public:
  Win32Direct3D8() = default;
  ~Win32Direct3D8() override;
  Win32Direct3D8(const Win32Direct3D8&) = delete;
  Win32Direct3D8& operator=(const Win32Direct3D8&) = delete;

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

  // Releases every object still held, newest first (textures and buffers
  // before their devices, devices before their Direct3D object).
  void ReleaseAll();

  enum class ObjectKind { kDirect3D, kDevice, kTexture, kVertexBuffer };

 private:
  template <class T>
  T* Get(platform::D3DHandle handle, ObjectKind kind) const;
  platform::D3DHandle Keep(IUnknown* object, ObjectKind kind);

  struct Object {
    ScopedCom<IUnknown> object;  // the one reference the program holds
    ObjectKind kind;
  };
  std::map<platform::D3DHandle, Object> objects_;
  platform::D3DHandle next_ = 1;
  void* library_ = nullptr;  // d3d8.dll, loaded once
};

}  // namespace ks::win32
