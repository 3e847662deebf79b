#include "platform/win32/d3d8.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "platform/win32/win.h"
#include <d3d8.h>

namespace ks::win32 {

using platform::D3DHandle;
using platform::kD3dErrInvalidCall;
using platform::kD3dErrNotAvailable;

namespace {

using Direct3DCreate8Fn = IDirect3D8*(WINAPI*)(UINT);

platform::D3DDisplayMode FromMode(const D3DDISPLAYMODE& m) {
  return {m.Width, m.Height, m.RefreshRate, static_cast<std::uint32_t>(m.Format)};
}

void FromCaps(const D3DCAPS8& c, platform::D3DCaps* out) {
  out->DeviceType = static_cast<std::uint32_t>(c.DeviceType);
  out->AdapterOrdinal = c.AdapterOrdinal;
  out->DevCaps = c.DevCaps;
  out->RasterCaps = c.RasterCaps;
  out->TextureCaps = c.TextureCaps;
  out->TextureFilterCaps = c.TextureFilterCaps;
  out->MaxTextureWidth = c.MaxTextureWidth;
  out->MaxTextureHeight = c.MaxTextureHeight;
  out->MaxVolumeExtent = c.MaxVolumeExtent;
  out->MaxAnisotropy = c.MaxAnisotropy;
  out->MaxTextureBlendStages = c.MaxTextureBlendStages;
  out->MaxSimultaneousTextures = c.MaxSimultaneousTextures;
  out->MaxPointSize = c.MaxPointSize;
  out->MaxStreams = c.MaxStreams;
}

}  // namespace

Win32Direct3D8::~Win32Direct3D8() { ReleaseAll(); }

void Win32Direct3D8::ReleaseAll() {
  while (!objects_.empty()) objects_.erase(std::prev(objects_.end()));
}

template <class T>
T* Win32Direct3D8::Get(D3DHandle handle, ObjectKind kind) const {
  auto found = objects_.find(handle);
  if (found == objects_.end() || found->second.kind != kind) return nullptr;
  return static_cast<T*>(found->second.object.get());
}

D3DHandle Win32Direct3D8::Keep(IUnknown* object, ObjectKind kind) {
  const D3DHandle handle = next_++;
  objects_.emplace(handle, Object{ScopedCom<IUnknown>(object), kind});
  return handle;
}

long Win32Direct3D8::Direct3DCreate(D3DHandle* out) {
  *out = 0;
  if (!library_) library_ = LoadLibraryA("d3d8.dll");
  if (!library_) return kD3dErrNotAvailable;
  auto create = reinterpret_cast<Direct3DCreate8Fn>(
      reinterpret_cast<void (*)()>(GetProcAddress(static_cast<HMODULE>(library_), "Direct3DCreate8")));
  if (!create) return kD3dErrNotAvailable;
  IDirect3D8* d3d = create(D3D_SDK_VERSION);
  if (!d3d) return kD3dErrNotAvailable;
  *out = Keep(d3d, ObjectKind::kDirect3D);
  return D3D_OK;
}

void Win32Direct3D8::Release(D3DHandle object) {
  auto found = objects_.find(object);
  if (found == objects_.end()) return;
  objects_.erase(found);
}

long Win32Direct3D8::GetAdapterCount(D3DHandle d3d, std::uint32_t* count) {
  auto* o = Get<IDirect3D8>(d3d, ObjectKind::kDirect3D);
  if (!o) return kD3dErrInvalidCall;
  *count = o->GetAdapterCount();
  return D3D_OK;
}

long Win32Direct3D8::GetAdapterModeCount(D3DHandle d3d, std::uint32_t adapter, std::uint32_t* count) {
  auto* o = Get<IDirect3D8>(d3d, ObjectKind::kDirect3D);
  if (!o || adapter >= o->GetAdapterCount()) return kD3dErrInvalidCall;
  *count = o->GetAdapterModeCount(adapter);
  return D3D_OK;
}

long Win32Direct3D8::EnumAdapterModes(D3DHandle d3d, std::uint32_t adapter, std::uint32_t mode,
                                      platform::D3DDisplayMode* out) {
  auto* o = Get<IDirect3D8>(d3d, ObjectKind::kDirect3D);
  if (!o) return kD3dErrInvalidCall;
  D3DDISPLAYMODE m{};
  const HRESULT hr = o->EnumAdapterModes(adapter, mode, &m);
  if (SUCCEEDED(hr)) *out = FromMode(m);
  return hr;
}

long Win32Direct3D8::GetAdapterDisplayMode(D3DHandle d3d, std::uint32_t adapter, platform::D3DDisplayMode* out) {
  auto* o = Get<IDirect3D8>(d3d, ObjectKind::kDirect3D);
  if (!o) return kD3dErrInvalidCall;
  D3DDISPLAYMODE m{};
  const HRESULT hr = o->GetAdapterDisplayMode(adapter, &m);
  if (SUCCEEDED(hr)) *out = FromMode(m);
  return hr;
}

long Win32Direct3D8::GetAdapterIdentifier(D3DHandle d3d, std::uint32_t adapter, std::uint32_t flags,
                                          platform::D3DAdapterIdentifier* out) {
  auto* o = Get<IDirect3D8>(d3d, ObjectKind::kDirect3D);
  if (!o) return kD3dErrInvalidCall;
  D3DADAPTER_IDENTIFIER8 id{};
  const HRESULT hr = o->GetAdapterIdentifier(adapter, flags, &id);
  if (FAILED(hr)) return hr;
  id.Driver[sizeof(id.Driver) - 1] = '\0';
  id.Description[sizeof(id.Description) - 1] = '\0';
  out->Driver = id.Driver;
  out->Description = id.Description;
  out->VendorId = id.VendorId;
  out->DeviceId = id.DeviceId;
  out->SubSysId = id.SubSysId;
  out->Revision = id.Revision;
  return hr;
}

long Win32Direct3D8::CheckDeviceType(D3DHandle d3d, std::uint32_t adapter, std::uint32_t type,
                                     std::uint32_t display_format, std::uint32_t back_buffer_format, bool windowed) {
  auto* o = Get<IDirect3D8>(d3d, ObjectKind::kDirect3D);
  if (!o) return kD3dErrInvalidCall;
  return o->CheckDeviceType(adapter, static_cast<D3DDEVTYPE>(type), static_cast<D3DFORMAT>(display_format),
                            static_cast<D3DFORMAT>(back_buffer_format), windowed ? TRUE : FALSE);
}

long Win32Direct3D8::CheckDeviceFormat(D3DHandle d3d, std::uint32_t adapter, std::uint32_t type,
                                       std::uint32_t adapter_format, std::uint32_t usage,
                                       std::uint32_t resource_type, std::uint32_t check_format) {
  auto* o = Get<IDirect3D8>(d3d, ObjectKind::kDirect3D);
  if (!o) return kD3dErrInvalidCall;
  return o->CheckDeviceFormat(adapter, static_cast<D3DDEVTYPE>(type), static_cast<D3DFORMAT>(adapter_format), usage,
                              static_cast<D3DRESOURCETYPE>(resource_type), static_cast<D3DFORMAT>(check_format));
}

long Win32Direct3D8::GetDeviceCaps(D3DHandle d3d, std::uint32_t adapter, std::uint32_t type,
                                   platform::D3DCaps* out) {
  auto* o = Get<IDirect3D8>(d3d, ObjectKind::kDirect3D);
  if (!o) return kD3dErrInvalidCall;
  D3DCAPS8 caps{};
  const HRESULT hr = o->GetDeviceCaps(adapter, static_cast<D3DDEVTYPE>(type), &caps);
  if (SUCCEEDED(hr)) FromCaps(caps, out);
  return hr;
}

long Win32Direct3D8::CreateDevice(D3DHandle d3d, std::uint32_t adapter, std::uint32_t type,
                                  platform::WindowHandle focus, std::uint32_t behaviour,
                                  platform::D3DPresentParameters* params, D3DHandle* device) {
  *device = 0;
  auto* o = Get<IDirect3D8>(d3d, ObjectKind::kDirect3D);
  if (!o) return kD3dErrInvalidCall;
  D3DPRESENT_PARAMETERS pp{};
  pp.BackBufferWidth = params->BackBufferWidth;
  pp.BackBufferHeight = params->BackBufferHeight;
  pp.BackBufferFormat = static_cast<D3DFORMAT>(params->BackBufferFormat);
  pp.BackBufferCount = params->BackBufferCount;
  pp.SwapEffect = static_cast<D3DSWAPEFFECT>(params->SwapEffect);
  pp.hDeviceWindow = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(params->DeviceWindow));
  pp.Windowed = params->Windowed ? TRUE : FALSE;
  pp.EnableAutoDepthStencil = params->EnableAutoDepthStencil ? TRUE : FALSE;
  pp.AutoDepthStencilFormat = static_cast<D3DFORMAT>(params->AutoDepthStencilFormat);
  pp.Flags = params->Flags;
  IDirect3DDevice8* dev = nullptr;
  const HRESULT hr = o->CreateDevice(adapter, static_cast<D3DDEVTYPE>(type),
                                     reinterpret_cast<HWND>(static_cast<std::uintptr_t>(focus)), behaviour, &pp, &dev);
  if (FAILED(hr) || !dev) return FAILED(hr) ? hr : kD3dErrNotAvailable;
  params->BackBufferWidth = pp.BackBufferWidth;
  params->BackBufferHeight = pp.BackBufferHeight;
  *device = Keep(dev, ObjectKind::kDevice);
  return hr;
}

long Win32Direct3D8::DeviceGetCaps(D3DHandle device, platform::D3DCaps* out) {
  auto* d = Get<IDirect3DDevice8>(device, ObjectKind::kDevice);
  if (!d) return kD3dErrInvalidCall;
  D3DCAPS8 caps{};
  const HRESULT hr = d->GetDeviceCaps(&caps);
  if (SUCCEEDED(hr)) FromCaps(caps, out);
  return hr;
}

long Win32Direct3D8::DeviceGetDisplayMode(D3DHandle device, platform::D3DDisplayMode* out) {
  auto* d = Get<IDirect3DDevice8>(device, ObjectKind::kDevice);
  if (!d) return kD3dErrInvalidCall;
  D3DDISPLAYMODE m{};
  const HRESULT hr = d->GetDisplayMode(&m);
  if (SUCCEEDED(hr)) *out = FromMode(m);
  return hr;
}

long Win32Direct3D8::SetRenderState(D3DHandle device, std::uint32_t state, std::uint32_t value) {
  auto* d = Get<IDirect3DDevice8>(device, ObjectKind::kDevice);
  if (!d) return kD3dErrInvalidCall;
  return d->SetRenderState(static_cast<D3DRENDERSTATETYPE>(state), value);
}

long Win32Direct3D8::SetTextureStageState(D3DHandle device, std::uint32_t stage, std::uint32_t type,
                                          std::uint32_t value) {
  auto* d = Get<IDirect3DDevice8>(device, ObjectKind::kDevice);
  if (!d) return kD3dErrInvalidCall;
  return d->SetTextureStageState(stage, static_cast<D3DTEXTURESTAGESTATETYPE>(type), value);
}

long Win32Direct3D8::SetTexture(D3DHandle device, std::uint32_t stage, D3DHandle texture) {
  auto* d = Get<IDirect3DDevice8>(device, ObjectKind::kDevice);
  if (!d) return kD3dErrInvalidCall;
  IDirect3DTexture8* t = nullptr;
  if (texture != 0) {
    t = Get<IDirect3DTexture8>(texture, ObjectKind::kTexture);
    if (!t) return kD3dErrInvalidCall;
  }
  return d->SetTexture(stage, t);
}

long Win32Direct3D8::SetTransform(D3DHandle device, std::uint32_t type, const platform::D3DMatrix& matrix) {
  auto* d = Get<IDirect3DDevice8>(device, ObjectKind::kDevice);
  if (!d) return kD3dErrInvalidCall;
  D3DMATRIX m;
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) m.m[r][c] = matrix.m[r][c];
  return d->SetTransform(static_cast<D3DTRANSFORMSTATETYPE>(type), &m);
}

long Win32Direct3D8::CreateVertexBuffer(D3DHandle device, std::uint32_t length, std::uint32_t usage,
                                        std::uint32_t fvf, std::uint32_t pool, D3DHandle* out) {
  *out = 0;
  auto* d = Get<IDirect3DDevice8>(device, ObjectKind::kDevice);
  if (!d) return kD3dErrInvalidCall;
  IDirect3DVertexBuffer8* vb = nullptr;
  const HRESULT hr = d->CreateVertexBuffer(length, usage, fvf, static_cast<D3DPOOL>(pool), &vb);
  if (FAILED(hr) || !vb) return FAILED(hr) ? hr : kD3dErrNotAvailable;
  *out = Keep(vb, ObjectKind::kVertexBuffer);
  return hr;
}

long Win32Direct3D8::FillVertexBuffer(D3DHandle buffer, std::uint32_t offset, const std::string& bytes) {
  auto* vb = Get<IDirect3DVertexBuffer8>(buffer, ObjectKind::kVertexBuffer);
  if (!vb) return kD3dErrInvalidCall;
  D3DVERTEXBUFFER_DESC desc{};
  if (FAILED(vb->GetDesc(&desc)) || offset + bytes.size() > desc.Size) return kD3dErrInvalidCall;
  BYTE* data = nullptr;
  const HRESULT hr = vb->Lock(offset, static_cast<UINT>(bytes.size()), &data, 0);
  if (FAILED(hr)) return hr;
  std::memcpy(data, bytes.data(), bytes.size());
  return vb->Unlock();
}

long Win32Direct3D8::CreateTexture(D3DHandle device, std::uint32_t width, std::uint32_t height,
                                   std::uint32_t levels, std::uint32_t usage, std::uint32_t format,
                                   std::uint32_t pool, D3DHandle* out) {
  *out = 0;
  auto* d = Get<IDirect3DDevice8>(device, ObjectKind::kDevice);
  if (!d) return kD3dErrInvalidCall;
  IDirect3DTexture8* t = nullptr;
  const HRESULT hr =
      d->CreateTexture(width, height, levels, usage, static_cast<D3DFORMAT>(format), static_cast<D3DPOOL>(pool), &t);
  if (FAILED(hr) || !t) return FAILED(hr) ? hr : kD3dErrNotAvailable;
  *out = Keep(t, ObjectKind::kTexture);
  return hr;
}

long Win32Direct3D8::FillTextureLevel(D3DHandle texture, std::uint32_t level, const std::string& bytes,
                                      std::uint32_t pitch) {
  auto* t = Get<IDirect3DTexture8>(texture, ObjectKind::kTexture);
  if (!t || pitch == 0) return kD3dErrInvalidCall;
  D3DLOCKED_RECT locked{};
  const HRESULT hr = t->LockRect(level, &locked, nullptr, 0);
  if (FAILED(hr)) return hr;
  const size_t rows = bytes.size() / pitch;
  const size_t row_bytes = std::min<size_t>(pitch, static_cast<size_t>(locked.Pitch));
  auto* target = static_cast<BYTE*>(locked.pBits);
  for (size_t r = 0; r < rows; ++r) std::memcpy(target + r * locked.Pitch, bytes.data() + r * pitch, row_bytes);
  return t->UnlockRect(level);
}

long Win32Direct3D8::Clear(D3DHandle device, std::uint32_t flags, std::uint32_t colour, float z,
                           std::uint32_t stencil) {
  auto* d = Get<IDirect3DDevice8>(device, ObjectKind::kDevice);
  if (!d) return kD3dErrInvalidCall;
  return d->Clear(0, nullptr, flags, colour, z, stencil);
}

long Win32Direct3D8::BeginScene(D3DHandle device) {
  auto* d = Get<IDirect3DDevice8>(device, ObjectKind::kDevice);
  return d ? d->BeginScene() : kD3dErrInvalidCall;
}

long Win32Direct3D8::EndScene(D3DHandle device) {
  auto* d = Get<IDirect3DDevice8>(device, ObjectKind::kDevice);
  return d ? d->EndScene() : kD3dErrInvalidCall;
}

long Win32Direct3D8::SetStreamSource(D3DHandle device, std::uint32_t stream, D3DHandle buffer,
                                     std::uint32_t stride) {
  auto* d = Get<IDirect3DDevice8>(device, ObjectKind::kDevice);
  auto* vb = Get<IDirect3DVertexBuffer8>(buffer, ObjectKind::kVertexBuffer);
  if (!d || !vb) return kD3dErrInvalidCall;
  return d->SetStreamSource(stream, vb, stride);
}

long Win32Direct3D8::SetVertexShader(D3DHandle device, std::uint32_t fvf) {
  auto* d = Get<IDirect3DDevice8>(device, ObjectKind::kDevice);
  return d ? d->SetVertexShader(fvf) : kD3dErrInvalidCall;
}

long Win32Direct3D8::DrawPrimitive(D3DHandle device, std::uint32_t type, std::uint32_t start, std::uint32_t count) {
  auto* d = Get<IDirect3DDevice8>(device, ObjectKind::kDevice);
  return d ? d->DrawPrimitive(static_cast<D3DPRIMITIVETYPE>(type), start, count) : kD3dErrInvalidCall;
}

long Win32Direct3D8::Present(D3DHandle device) {
  auto* d = Get<IDirect3DDevice8>(device, ObjectKind::kDevice);
  return d ? d->Present(nullptr, nullptr, nullptr, nullptr) : kD3dErrInvalidCall;
}

long Win32Direct3D8::PresentToWindow(D3DHandle device, platform::WindowHandle window) {
  auto* d = Get<IDirect3DDevice8>(device, ObjectKind::kDevice);
  if (!d) return kD3dErrInvalidCall;
  IDirect3DSurface8* surface = nullptr;
  HRESULT hr = d->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &surface);
  const ScopedCom<IDirect3DSurface8> back(surface);
  if (FAILED(hr) || !back.valid()) return FAILED(hr) ? hr : kD3dErrNotAvailable;
  D3DSURFACE_DESC desc{};
  back.get()->GetDesc(&desc);
  // The back-buffer layouts GDI takes as they are: 32 bits with the colour
  // in the low three bytes, and the two 16-bit layouts.
  struct {
    BITMAPINFOHEADER header;
    DWORD masks[3];
  } info{};
  info.header.biSize = sizeof(info.header);
  info.header.biPlanes = 1;
  info.header.biCompression = BI_RGB;
  switch (desc.Format) {
    case D3DFMT_X8R8G8B8:
    case D3DFMT_A8R8G8B8:
      info.header.biBitCount = 32;
      break;
    case D3DFMT_X1R5G5B5:
      info.header.biBitCount = 16;
      break;
    case D3DFMT_R5G6B5:
      info.header.biBitCount = 16;
      info.header.biCompression = BI_BITFIELDS;
      info.masks[0] = 0xF800;
      info.masks[1] = 0x07E0;
      info.masks[2] = 0x001F;
      break;
    default:
      return kD3dErrInvalidCall;
  }
  D3DLOCKED_RECT locked{};
  hr = back.get()->LockRect(&locked, nullptr, D3DLOCK_READONLY);
  if (SUCCEEDED(hr)) {
    // GDI reads rows of whole pixels: the pitch, which a driver may pad,
    // gives the row length; the rows run top-down.
    info.header.biWidth = locked.Pitch / (info.header.biBitCount / 8);
    info.header.biHeight = -static_cast<LONG>(desc.Height);
    HWND hwnd = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window));
    RECT client{};
    GetClientRect(hwnd, &client);
    const ScopedWindowDc dc(hwnd);
    if (dc.get()) {
      SetStretchBltMode(dc.get(), COLORONCOLOR);
      StretchDIBits(dc.get(), 0, 0, client.right, client.bottom, 0, 0, static_cast<int>(desc.Width),
                    static_cast<int>(desc.Height), locked.pBits, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                    SRCCOPY);
    }
    back.get()->UnlockRect();
  }
  return hr;
}

}  // namespace ks::win32
