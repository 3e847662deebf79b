// Direct3D 8: the calls the capability viewer makes on the Direct3D object,
// its devices, textures and vertex buffers. Every object is an opaque
// handle (0: none); every call returns the HRESULT Direct3D gives (0 =
// D3D_OK). A call on a handle that is 0, released or of the wrong kind
// fails with kD3dErrInvalidCall and does nothing, so a program without
// Direct3D goes on safely.
//
// The records are our own, with the fields of the Direct3D 8 records the
// viewer reads; numbers are the published Direct3D 8 values.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace ks::platform {

using D3DHandle = std::uint64_t;   // Direct3D object, device, texture or vertex buffer
using WindowHandle = std::uint64_t;  // a window (HWND); 0: none

inline constexpr long kD3dOk = 0;
inline constexpr long kD3dErrNotAvailable = static_cast<long>(0x8876086Au);
inline constexpr long kD3dErrInvalidCall = static_cast<long>(0x8876086Cu);
inline constexpr long kD3dErrOutOfVideoMemory = static_cast<long>(0x8876017Cu);

// D3DDEVTYPE
inline constexpr std::uint32_t kDevTypeHal = 1;
inline constexpr std::uint32_t kDevTypeRef = 2;
// D3DCREATE behaviour flags
inline constexpr std::uint32_t kCreateSoftwareVertexProcessing = 32;
inline constexpr std::uint32_t kCreateHardwareVertexProcessing = 64;
// D3DFORMAT
inline constexpr std::uint32_t kFmtA8R8G8B8 = 21;
inline constexpr std::uint32_t kFmtX8R8G8B8 = 22;
inline constexpr std::uint32_t kFmtR5G6B5 = 23;
inline constexpr std::uint32_t kFmtD16 = 80;
inline constexpr std::uint32_t kFmtDxt1 = 0x31545844;  // MAKEFOURCC('D','X','T','1')
// D3DSWAPEFFECT
inline constexpr std::uint32_t kSwapEffectDiscard = 1;
inline constexpr std::uint32_t kSwapEffectCopyVsync = 4;
// D3DPRESENTFLAG_LOCKABLE_BACKBUFFER
inline constexpr std::uint32_t kPresentFlagLockableBackBuffer = 1;
// D3DDEVCAPS_HWTRANSFORMANDLIGHT
inline constexpr std::uint32_t kDevCapsHwTransformAndLight = 0x10000;
// D3DPOOL
inline constexpr std::uint32_t kPoolDefault = 0;
inline constexpr std::uint32_t kPoolManaged = 1;
// D3DRESOURCETYPE of a texture, for CheckDeviceFormat
inline constexpr std::uint32_t kRtypeTexture = 3;

struct D3DDisplayMode {
  std::uint32_t Width = 0;
  std::uint32_t Height = 0;
  std::uint32_t RefreshRate = 0;
  std::uint32_t Format = 0;
  bool operator==(const D3DDisplayMode&) const = default;
};

struct D3DAdapterIdentifier {
  std::string Driver;
  std::string Description;
  std::uint32_t VendorId = 0;
  std::uint32_t DeviceId = 0;
  std::uint32_t SubSysId = 0;
  std::uint32_t Revision = 0;
};

// The D3DCAPS8 fields the viewer reads.
struct D3DCaps {
  std::uint32_t DeviceType = 0;
  std::uint32_t AdapterOrdinal = 0;
  std::uint32_t DevCaps = 0;
  std::uint32_t RasterCaps = 0;
  std::uint32_t TextureCaps = 0;
  std::uint32_t TextureFilterCaps = 0;
  std::uint32_t MaxTextureWidth = 0;
  std::uint32_t MaxTextureHeight = 0;
  std::uint32_t MaxVolumeExtent = 0;
  std::uint32_t MaxAnisotropy = 0;
  std::uint32_t MaxTextureBlendStages = 0;
  std::uint32_t MaxSimultaneousTextures = 0;
  float MaxPointSize = 0.0f;
  std::uint32_t MaxStreams = 0;
  bool operator==(const D3DCaps&) const = default;
};

// D3DPRESENT_PARAMETERS (Direct3D 8).
struct D3DPresentParameters {
  std::uint32_t BackBufferWidth = 0;
  std::uint32_t BackBufferHeight = 0;
  std::uint32_t BackBufferFormat = 0;
  std::uint32_t BackBufferCount = 0;
  std::uint32_t SwapEffect = 0;
  WindowHandle DeviceWindow = 0;
  bool Windowed = false;
  bool EnableAutoDepthStencil = false;
  std::uint32_t AutoDepthStencilFormat = 0;
  std::uint32_t Flags = 0;  // D3DPRESENTFLAG_*
  bool operator==(const D3DPresentParameters&) const = default;
};

// D3DMATRIX, row-major: m[row][column].
struct D3DMatrix {
  std::array<std::array<float, 4>, 4> m{};
  bool operator==(const D3DMatrix&) const = default;
};

class Direct3D8 {
 public:
  virtual ~Direct3D8() = default;

  // Direct3DCreate8(D3D_SDK_VERSION), the entry looked up at run time in
  // d3d8.dll. kD3dErrNotAvailable (and *out 0) without the library, its
  // entry or an object.
  virtual long Direct3DCreate(D3DHandle* out) = 0;
  // Releases any object; releasing 0 or a released handle does nothing.
  virtual void Release(D3DHandle object) = 0;

  // --- the Direct3D object ---
  virtual long GetAdapterCount(D3DHandle d3d, std::uint32_t* count) = 0;
  virtual long GetAdapterModeCount(D3DHandle d3d, std::uint32_t adapter, std::uint32_t* count) = 0;
  virtual long EnumAdapterModes(D3DHandle d3d, std::uint32_t adapter, std::uint32_t mode, D3DDisplayMode* out) = 0;
  virtual long GetAdapterDisplayMode(D3DHandle d3d, std::uint32_t adapter, D3DDisplayMode* out) = 0;
  virtual long GetAdapterIdentifier(D3DHandle d3d, std::uint32_t adapter, std::uint32_t flags,
                                    D3DAdapterIdentifier* out) = 0;
  virtual long CheckDeviceType(D3DHandle d3d, std::uint32_t adapter, std::uint32_t type, std::uint32_t display_format,
                               std::uint32_t back_buffer_format, bool windowed) = 0;
  virtual long CheckDeviceFormat(D3DHandle d3d, std::uint32_t adapter, std::uint32_t type,
                                 std::uint32_t adapter_format, std::uint32_t usage, std::uint32_t resource_type,
                                 std::uint32_t check_format) = 0;
  virtual long GetDeviceCaps(D3DHandle d3d, std::uint32_t adapter, std::uint32_t type, D3DCaps* out) = 0;
  // The parameters are in and out: the device fills in the back-buffer
  // size it took.
  virtual long CreateDevice(D3DHandle d3d, std::uint32_t adapter, std::uint32_t type, WindowHandle focus,
                            std::uint32_t behaviour, D3DPresentParameters* params, D3DHandle* device) = 0;

  // --- a device ---
  virtual long DeviceGetCaps(D3DHandle device, D3DCaps* out) = 0;
  virtual long DeviceGetDisplayMode(D3DHandle device, D3DDisplayMode* out) = 0;
  virtual long SetRenderState(D3DHandle device, std::uint32_t state, std::uint32_t value) = 0;
  virtual long SetTextureStageState(D3DHandle device, std::uint32_t stage, std::uint32_t type,
                                    std::uint32_t value) = 0;
  // texture 0 takes the stage's texture away.
  virtual long SetTexture(D3DHandle device, std::uint32_t stage, D3DHandle texture) = 0;
  virtual long SetTransform(D3DHandle device, std::uint32_t type, const D3DMatrix& matrix) = 0;
  virtual long CreateVertexBuffer(D3DHandle device, std::uint32_t length, std::uint32_t usage, std::uint32_t fvf,
                                  std::uint32_t pool, D3DHandle* out) = 0;
  // Lock, copy, Unlock: the bytes at `offset` of the buffer.
  virtual long FillVertexBuffer(D3DHandle buffer, std::uint32_t offset, const std::string& bytes) = 0;
  virtual long CreateTexture(D3DHandle device, std::uint32_t width, std::uint32_t height, std::uint32_t levels,
                             std::uint32_t usage, std::uint32_t format, std::uint32_t pool, D3DHandle* out) = 0;
  // LockRect, copy, UnlockRect: one mip level's bytes, rows of `pitch`
  // bytes (blocks of four rows for a compressed format).
  virtual long FillTextureLevel(D3DHandle texture, std::uint32_t level, const std::string& bytes,
                                std::uint32_t pitch) = 0;
  virtual long Clear(D3DHandle device, std::uint32_t flags, std::uint32_t colour, float z, std::uint32_t stencil) = 0;
  virtual long BeginScene(D3DHandle device) = 0;
  virtual long EndScene(D3DHandle device) = 0;
  virtual long SetStreamSource(D3DHandle device, std::uint32_t stream, D3DHandle buffer, std::uint32_t stride) = 0;
  virtual long SetVertexShader(D3DHandle device, std::uint32_t fvf) = 0;
  virtual long DrawPrimitive(D3DHandle device, std::uint32_t type, std::uint32_t start, std::uint32_t count) = 0;
  // The whole back buffer to the device's window.
  virtual long Present(D3DHandle device) = 0;
  // The whole back buffer into the client area of `window` (stretched to
  // it), drawn through the window system as the window's own drawing is.
  // Needs a device made with kPresentFlagLockableBackBuffer
  // (kD3dErrInvalidCall otherwise). Under Wine what Direct3D presents into
  // a child window, and all a window with a device on it draws, lands in
  // an X window of its own outside the program's window; this reaches the
  // window where the user sees it, on Windows alike.
  virtual long PresentToWindow(D3DHandle device, WindowHandle window) = 0;
};

}  // namespace ks::platform
