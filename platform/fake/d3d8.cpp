#include "platform/fake/d3d8.h"

namespace ks::fake {

using platform::D3DHandle;
using platform::kD3dErrInvalidCall;
using platform::kD3dErrNotAvailable;
using platform::kD3dOk;

bool FakeDirect3D8::Enter(const char* name, long* result) {
  const int number = ++calls_[name];
  auto numbered = fail_call.find(name);
  if (numbered != fail_call.end() && numbered->second.count(number)) {
    *result = numbered->second[number];
    return false;
  }
  auto always = fail_always.find(name);
  if (always != fail_always.end()) {
    *result = always->second;
    return false;
  }
  auto next = fail_next.find(name);
  if (next != fail_next.end() && !next->second.empty()) {
    *result = next->second.front();
    next->second.pop_front();
    return false;
  }
  return true;
}

int FakeDirect3D8::Calls(const std::string& name) const {
  auto found = calls_.find(name);
  return found == calls_.end() ? 0 : found->second;
}

int FakeDirect3D8::LiveDevices() const {
  int n = 0;
  for (auto h : live_) n += devices_.count(h) ? 1 : 0;
  return n;
}
int FakeDirect3D8::LiveTextures() const {
  int n = 0;
  for (auto h : live_) n += textures_.count(h) ? 1 : 0;
  return n;
}
int FakeDirect3D8::LiveVertexBuffers() const {
  int n = 0;
  for (auto h : live_) n += buffers_.count(h) ? 1 : 0;
  return n;
}

FakeDirect3D8::Device* FakeDirect3D8::device(D3DHandle h) {
  auto found = devices_.find(h);
  return found != devices_.end() && live_.count(h) ? &found->second : nullptr;
}
FakeDirect3D8::Texture* FakeDirect3D8::texture(D3DHandle h) {
  auto found = textures_.find(h);
  return found != textures_.end() && live_.count(h) ? &found->second : nullptr;
}
FakeDirect3D8::VertexBuffer* FakeDirect3D8::vertex_buffer(D3DHandle h) {
  auto found = buffers_.find(h);
  return found != buffers_.end() && live_.count(h) ? &found->second : nullptr;
}

FakeAdapter* FakeDirect3D8::Adapter(D3DHandle d3d, std::uint32_t adapter) {
  if (!IsD3d(d3d) || adapter >= adapters.size()) return nullptr;
  return &adapters[adapter];
}

long FakeDirect3D8::Direct3DCreate(D3DHandle* out) {
  *out = 0;
  long r = kD3dOk;
  if (!Enter("Direct3DCreate", &r)) return r;
  if (!library_present) return kD3dErrNotAvailable;
  *out = next_++;
  live_.insert(*out);
  d3d_objects_.insert(*out);
  return kD3dOk;
}

void FakeDirect3D8::Release(D3DHandle object) {
  ++calls_["Release"];
  live_.erase(object);
}

long FakeDirect3D8::GetAdapterCount(D3DHandle d3d, std::uint32_t* count) {
  long r = kD3dOk;
  if (!Enter("GetAdapterCount", &r)) return r;
  if (!IsD3d(d3d)) return kD3dErrInvalidCall;
  *count = static_cast<std::uint32_t>(adapters.size());
  return kD3dOk;
}

long FakeDirect3D8::GetAdapterModeCount(D3DHandle d3d, std::uint32_t adapter, std::uint32_t* count) {
  long r = kD3dOk;
  if (!Enter("GetAdapterModeCount", &r)) return r;
  FakeAdapter* a = Adapter(d3d, adapter);
  if (!a) return kD3dErrInvalidCall;
  *count = static_cast<std::uint32_t>(a->modes.size());
  return kD3dOk;
}

long FakeDirect3D8::EnumAdapterModes(D3DHandle d3d, std::uint32_t adapter, std::uint32_t mode,
                                     platform::D3DDisplayMode* out) {
  long r = kD3dOk;
  if (!Enter("EnumAdapterModes", &r)) return r;
  FakeAdapter* a = Adapter(d3d, adapter);
  if (!a || mode >= a->modes.size()) return kD3dErrInvalidCall;
  *out = a->modes[mode];
  return kD3dOk;
}

long FakeDirect3D8::GetAdapterDisplayMode(D3DHandle d3d, std::uint32_t adapter, platform::D3DDisplayMode* out) {
  long r = kD3dOk;
  if (!Enter("GetAdapterDisplayMode", &r)) return r;
  FakeAdapter* a = Adapter(d3d, adapter);
  if (!a) return kD3dErrInvalidCall;
  *out = a->current;
  return kD3dOk;
}

long FakeDirect3D8::GetAdapterIdentifier(D3DHandle d3d, std::uint32_t adapter, std::uint32_t flags,
                                         platform::D3DAdapterIdentifier* out) {
  long r = kD3dOk;
  if (!Enter("GetAdapterIdentifier", &r)) return r;
  FakeAdapter* a = Adapter(d3d, adapter);
  if (!a) return kD3dErrInvalidCall;
  *out = a->identifier;
  return kD3dOk;
}

long FakeDirect3D8::CheckDeviceType(D3DHandle d3d, std::uint32_t adapter, std::uint32_t type,
                                    std::uint32_t display_format, std::uint32_t back_buffer_format, bool windowed) {
  long r = kD3dOk;
  if (!Enter("CheckDeviceType", &r)) return r;
  FakeAdapter* a = Adapter(d3d, adapter);
  if (!a) return kD3dErrInvalidCall;
  if (!a->caps.count(type) || a->refused.count({type, display_format, windowed})) return kD3dErrNotAvailable;
  return kD3dOk;
}

long FakeDirect3D8::CheckDeviceFormat(D3DHandle d3d, std::uint32_t adapter, std::uint32_t type,
                                      std::uint32_t adapter_format, std::uint32_t usage,
                                      std::uint32_t resource_type, std::uint32_t check_format) {
  long r = kD3dOk;
  if (!Enter("CheckDeviceFormat", &r)) return r;
  FakeAdapter* a = Adapter(d3d, adapter);
  if (!a) return kD3dErrInvalidCall;
  return a->texture_formats.count(check_format) ? kD3dOk : kD3dErrNotAvailable;
}

long FakeDirect3D8::GetDeviceCaps(D3DHandle d3d, std::uint32_t adapter, std::uint32_t type,
                                  platform::D3DCaps* out) {
  long r = kD3dOk;
  if (!Enter("GetDeviceCaps", &r)) return r;
  FakeAdapter* a = Adapter(d3d, adapter);
  if (!a) return kD3dErrInvalidCall;
  auto found = a->caps.find(type);
  if (found == a->caps.end()) return kD3dErrNotAvailable;
  *out = found->second;
  return kD3dOk;
}

long FakeDirect3D8::CreateDevice(D3DHandle d3d, std::uint32_t adapter, std::uint32_t type,
                                 platform::WindowHandle focus, std::uint32_t behaviour,
                                 platform::D3DPresentParameters* params, D3DHandle* out) {
  *out = 0;
  long r = kD3dOk;
  if (!Enter("CreateDevice", &r)) return r;
  FakeAdapter* a = Adapter(d3d, adapter);
  if (!a) return kD3dErrInvalidCall;
  if (!a->caps.count(type)) return kD3dErrNotAvailable;
  auto result = a->create_result.find(type);
  if (result != a->create_result.end() && result->second != kD3dOk) return result->second;
  // A windowed device of size 0 takes the window's client size.
  if (params->Windowed && params->BackBufferWidth == 0) params->BackBufferWidth = 225;
  if (params->Windowed && params->BackBufferHeight == 0) params->BackBufferHeight = 169;
  Device d;
  d.adapter = adapter;
  d.type = type;
  d.focus = focus;
  d.behaviour = behaviour;
  d.params = *params;
  *out = next_++;
  devices_[*out] = d;
  live_.insert(*out);
  created_devices_.push_back(*out);
  return kD3dOk;
}

long FakeDirect3D8::DeviceGetCaps(D3DHandle device, platform::D3DCaps* out) {
  long r = kD3dOk;
  if (!Enter("DeviceGetCaps", &r)) return r;
  Device* d = this->device(device);
  if (!d) return kD3dErrInvalidCall;
  *out = adapters.at(d->adapter).caps.at(d->type);
  return kD3dOk;
}

long FakeDirect3D8::DeviceGetDisplayMode(D3DHandle device, platform::D3DDisplayMode* out) {
  long r = kD3dOk;
  if (!Enter("DeviceGetDisplayMode", &r)) return r;
  Device* d = this->device(device);
  if (!d) return kD3dErrInvalidCall;
  *out = adapters.at(d->adapter).current;
  return kD3dOk;
}

long FakeDirect3D8::SetRenderState(D3DHandle device, std::uint32_t state, std::uint32_t value) {
  long r = kD3dOk;
  if (!Enter("SetRenderState", &r)) return r;
  Device* d = this->device(device);
  if (!d) return kD3dErrInvalidCall;
  d->render_states[state] = value;
  return kD3dOk;
}

long FakeDirect3D8::SetTextureStageState(D3DHandle device, std::uint32_t stage, std::uint32_t type,
                                         std::uint32_t value) {
  long r = kD3dOk;
  if (!Enter("SetTextureStageState", &r)) return r;
  Device* d = this->device(device);
  if (!d) return kD3dErrInvalidCall;
  d->stage_states[{stage, type}] = value;
  return kD3dOk;
}

long FakeDirect3D8::SetTexture(D3DHandle device, std::uint32_t stage, D3DHandle texture) {
  long r = kD3dOk;
  if (!Enter("SetTexture", &r)) return r;
  Device* d = this->device(device);
  if (!d || (texture != 0 && !this->texture(texture))) return kD3dErrInvalidCall;
  d->textures[stage] = texture;
  return kD3dOk;
}

long FakeDirect3D8::SetTransform(D3DHandle device, std::uint32_t type, const platform::D3DMatrix& matrix) {
  long r = kD3dOk;
  if (!Enter("SetTransform", &r)) return r;
  Device* d = this->device(device);
  if (!d) return kD3dErrInvalidCall;
  d->transforms[type] = matrix;
  return kD3dOk;
}

long FakeDirect3D8::CreateVertexBuffer(D3DHandle device, std::uint32_t length, std::uint32_t usage,
                                       std::uint32_t fvf, std::uint32_t pool, D3DHandle* out) {
  *out = 0;
  long r = kD3dOk;
  if (!Enter("CreateVertexBuffer", &r)) return r;
  if (!this->device(device)) return kD3dErrInvalidCall;
  VertexBuffer vb;
  vb.device = device;
  vb.fvf = fvf;
  vb.pool = pool;
  vb.bytes.assign(length, '\0');
  *out = next_++;
  buffers_[*out] = vb;
  live_.insert(*out);
  return kD3dOk;
}

long FakeDirect3D8::FillVertexBuffer(D3DHandle buffer, std::uint32_t offset, const std::string& bytes) {
  long r = kD3dOk;
  if (!Enter("FillVertexBuffer", &r)) return r;
  VertexBuffer* vb = vertex_buffer(buffer);
  if (!vb || offset + bytes.size() > vb->bytes.size()) return kD3dErrInvalidCall;
  vb->bytes.replace(offset, bytes.size(), bytes);
  return kD3dOk;
}

long FakeDirect3D8::CreateTexture(D3DHandle device, std::uint32_t width, std::uint32_t height,
                                  std::uint32_t levels, std::uint32_t usage, std::uint32_t format,
                                  std::uint32_t pool, D3DHandle* out) {
  *out = 0;
  long r = kD3dOk;
  if (!Enter("CreateTexture", &r)) return r;
  Device* d = this->device(device);
  if (!d || width == 0 || height == 0) return kD3dErrInvalidCall;
  if (!adapters.at(d->adapter).texture_formats.count(format)) return kD3dErrInvalidCall;
  std::uint32_t full = 1;
  for (std::uint32_t w = width, h = height; w > 1 || h > 1; w = w > 1 ? w / 2 : 1, h = h > 1 ? h / 2 : 1) ++full;
  Texture t;
  t.device = device;
  t.width = width;
  t.height = height;
  t.levels = levels == 0 || levels > full ? full : levels;
  t.format = format;
  t.pool = pool;
  t.data.resize(t.levels);
  *out = next_++;
  textures_[*out] = t;
  live_.insert(*out);
  return kD3dOk;
}

long FakeDirect3D8::FillTextureLevel(D3DHandle texture, std::uint32_t level, const std::string& bytes,
                                     std::uint32_t pitch) {
  long r = kD3dOk;
  if (!Enter("FillTextureLevel", &r)) return r;
  Texture* t = this->texture(texture);
  if (!t || level >= t->levels || pitch == 0) return kD3dErrInvalidCall;
  t->data[level] = bytes;
  return kD3dOk;
}

long FakeDirect3D8::Clear(D3DHandle device, std::uint32_t flags, std::uint32_t colour, float z,
                          std::uint32_t stencil) {
  long r = kD3dOk;
  if (!Enter("Clear", &r)) return r;
  Device* d = this->device(device);
  if (!d) return kD3dErrInvalidCall;
  ++d->clears;
  d->clear_colour = colour;
  return kD3dOk;
}

long FakeDirect3D8::BeginScene(D3DHandle device) {
  long r = kD3dOk;
  if (!Enter("BeginScene", &r)) return r;
  Device* d = this->device(device);
  if (!d) return kD3dErrInvalidCall;
  ++d->scenes;
  return kD3dOk;
}

long FakeDirect3D8::EndScene(D3DHandle device) {
  long r = kD3dOk;
  if (!Enter("EndScene", &r)) return r;
  return this->device(device) ? kD3dOk : kD3dErrInvalidCall;
}

long FakeDirect3D8::SetStreamSource(D3DHandle device, std::uint32_t stream, D3DHandle buffer,
                                    std::uint32_t stride) {
  long r = kD3dOk;
  if (!Enter("SetStreamSource", &r)) return r;
  Device* d = this->device(device);
  if (!d || !vertex_buffer(buffer)) return kD3dErrInvalidCall;
  d->stream = buffer;
  d->stride = stride;
  return kD3dOk;
}

long FakeDirect3D8::SetVertexShader(D3DHandle device, std::uint32_t fvf) {
  long r = kD3dOk;
  if (!Enter("SetVertexShader", &r)) return r;
  Device* d = this->device(device);
  if (!d) return kD3dErrInvalidCall;
  d->fvf = fvf;
  return kD3dOk;
}

long FakeDirect3D8::DrawPrimitive(D3DHandle device, std::uint32_t type, std::uint32_t start, std::uint32_t count) {
  long r = kD3dOk;
  if (!Enter("DrawPrimitive", &r)) return r;
  Device* d = this->device(device);
  if (!d) return kD3dErrInvalidCall;
  d->draws.push_back(Draw{type, start, count, d->stream, d->stride, d->fvf});
  return kD3dOk;
}

long FakeDirect3D8::Present(D3DHandle device) {
  long r = kD3dOk;
  if (!Enter("Present", &r)) return r;
  Device* d = this->device(device);
  if (!d) return kD3dErrInvalidCall;
  ++d->presents;
  return kD3dOk;
}

long FakeDirect3D8::PresentToWindow(D3DHandle device, platform::WindowHandle window) {
  long r = kD3dOk;
  if (!Enter("PresentToWindow", &r)) return r;
  Device* d = this->device(device);
  if (!d || (d->params.Flags & platform::kPresentFlagLockableBackBuffer) == 0) return kD3dErrInvalidCall;
  d->presented_to.push_back(window);
  return kD3dOk;
}

}  // namespace ks::fake
