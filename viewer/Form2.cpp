#include "viewer/Form2.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "common/numbers.h"
#include "viewer/d3dx.h"
#include "viewer/texture_file.h"

namespace ks::viewer {

namespace {

// Render states, texture stage states and their values (Direct3D 8).
enum : std::uint32_t {
  kRsZEnable = 7,
  kRsFillMode = 8,
  kRsCullMode = 22,
  kRsLighting = 137,
  kTssColorOp = 1,
  kTssColorArg1 = 2,
  kTssColorArg2 = 3,
  kTssAlphaOp = 4,
  kTssTexCoordIndex = 11,
  kTssMagFilter = 16,
  kTssMinFilter = 17,
  kTssMipFilter = 18,
  kTssMaxAnisotropy = 21,
  kTopDisable = 1,
  kTopSelectArg1 = 2,
  kTopModulate = 4,
  kTopAddSmooth = 11,
  kTaDiffuse = 0,
  kTaCurrent = 1,
  kTaTexture = 2,
  kTsWorld = 256,
  kTsView = 2,
  kTsProjection = 3,
  kPtTriangleStrip = 5,
};

constexpr std::uint32_t kFvf = 0x142;  // XYZ | DIFFUSE | TEX1
constexpr std::uint32_t kVertexBytes = 24;
constexpr int kVertices = 100;
constexpr double kPi = 3.1415;

struct Vertex {
  float x, y, z;
  std::uint32_t colour;
  float tu, tv;
};
static_assert(sizeof(Vertex) == kVertexBytes);

}  // namespace

Form2::Form2(ViewerState& state, ui::PictureBox& picture, ui::Label& fps)
    : ui::Form(state.app, "Form2"), st_(state), picture_(picture), fps_(fps) {
  SetCaption(state.edition.caption);
  Timer1.SetInterval(40);
  Timer1.SetEnabled(false);
  Timer1.OnTimer = [this] { Render(); };
}

Form2::~Form2() { Cleanup(); }

void Form2::Form_Load() {
  st_.preview.Reset();
  picture_window_ = app().WindowHandle(picture_);
  if (!InitD3D(app().WindowHandle(*this))) {
    app().MsgBox("Unable to CreateDevice", platform::kMbOk, st_.edition.title);
    st_.platform.processes().ExitProcess(0);
  }
  ClearColour = 0x246FB7;
  if (!InitGeometry()) {
    app().MsgBox("Unable to Create VertexBuffer", platform::kMbOk, st_.edition.title);
    st_.platform.processes().ExitProcess(0);
  }
  last_update_ms_ = app().Now();
  app().DoEvents();
  Timer1.SetEnabled(true);
}

void Form2::Form_Unload(int& cancel) { Cleanup(); }

bool Form2::InitD3D(platform::WindowHandle window) {
  platform::Direct3D8& d3d = st_.d3d;
  if (d3d.Direct3DCreate(&direct3d_) != platform::kD3dOk) return false;
  platform::D3DDisplayMode mode;
  d3d.GetAdapterDisplayMode(direct3d_, 0, &mode);
  platform::D3DPresentParameters pp;
  pp.Windowed = true;
  pp.SwapEffect = platform::kSwapEffectCopyVsync;
  pp.BackBufferFormat = mode.Format;
  pp.BackBufferCount = 1;
  pp.EnableAutoDepthStencil = true;
  pp.AutoDepthStencilFormat = platform::kFmtD16;
  // The picture box's size in pixels; each frame is copied into it as the
  // window's own drawing is, which under Wine shows inside the main window
  // where Direct3D's presentation into a child window does not.
  const ui::TwipsScale screen = app().Screen();
  pp.BackBufferWidth = static_cast<std::uint32_t>(std::max(1, screen.Px(picture_.Width())));
  pp.BackBufferHeight = static_cast<std::uint32_t>(std::max(1, screen.Px(picture_.Height())));
  pp.Flags = platform::kPresentFlagLockableBackBuffer;
  if (d3d.CreateDevice(direct3d_, 0, platform::kDevTypeHal, window, platform::kCreateSoftwareVertexProcessing, &pp,
                       &device_) != platform::kD3dOk)
    return false;
  d3d.SetRenderState(device_, kRsCullMode, 1);
  d3d.SetRenderState(device_, kRsZEnable, 1);
  d3d.SetRenderState(device_, kRsLighting, 0);
  return true;
}

platform::D3DHandle Form2::LoadTexture(const std::string& rest) {
  std::string bytes;
  if (!st_.platform.files().ReadFile(st_.OwnPath(rest), &bytes)) return 0;
  platform::D3DHandle texture = 0;
  CreateTextureFromFile(st_.d3d, direct3d_, device_, bytes, st_.images, &texture);
  return texture;
}

void Form2::Replace(platform::D3DHandle& kept, platform::D3DHandle made) {
  st_.d3d.Release(kept);
  kept = made;
}

bool Form2::InitGeometry() {
  // A texture that cannot be loaded leaves the one in use in place; the
  // stages and the strip are rebuilt all the same, so that later changes of
  // filter or geometry still show.
  const bool loaded = LoadTextures();
  SetStageStates();
  if (main_texture_ == 0) return false;
  if (!BuildVertexStrip()) return false;
  return loaded;
}

bool Form2::LoadTextures() {
  platform::Direct3D8& d3d = st_.d3d;
  const bool multi = st_.preview.MultiTexture == 1;
  const platform::D3DHandle main = LoadTexture(st_.preview.TextureName);
  if (main != 0) Replace(main_texture_, main);
  platform::D3DHandle picture = 0, blank = 0;
  if (multi) {
    picture = LoadTexture("\\DATA\\ksln.jpg");
    d3d.CreateTexture(device_, 256, 256, 1, 0, platform::kFmtA8R8G8B8, platform::kPoolManaged, &blank);
  }
  // A picture texture that cannot be loaded leaves the one in use, as the
  // main texture does; without the second stage there is none.
  if (picture != 0 || !multi) Replace(picture_texture_, picture);
  Replace(blank_texture_, blank);
  return main != 0;
}

void Form2::SetStageStates() {
  platform::Direct3D8& d3d = st_.d3d;
  const PreviewSettings& p = st_.preview;
  const bool multi = p.MultiTexture == 1;
  // The stage states in this order: later settings win.
  auto tss = [&](std::uint32_t stage, std::uint32_t type, std::uint32_t value) {
    d3d.SetTextureStageState(device_, stage, type, value);
  };
  d3d.SetTexture(device_, 0, main_texture_);
  d3d.SetTexture(device_, 1, multi ? picture_texture_ : 0);
  d3d.SetTexture(device_, 2, multi ? blank_texture_ : 0);
  tss(0, kTssColorOp, kTopSelectArg1);
  tss(0, kTssColorArg1, kTaTexture);
  tss(0, kTssColorArg2, kTaDiffuse);
  tss(0, kTssTexCoordIndex, 0);
  if (multi) {
    tss(1, kTssTexCoordIndex, 0);
    tss(1, kTssColorOp, kTopSelectArg1);
    tss(1, kTssColorArg1, kTaTexture);
    tss(1, kTssColorArg2, kTaCurrent);
  } else {
    tss(1, kTssColorOp, kTopDisable);
    tss(1, kTssColorArg1, kTaCurrent);
    tss(1, kTssColorArg2, kTaCurrent);
  }
  const std::uint32_t anisotropy = p.FilterLevel > 1 ? static_cast<std::uint32_t>(p.FilterLevel) : 1;
  tss(0, kTssMaxAnisotropy, anisotropy);
  tss(0, kTssMipFilter, p.FilterLevel > 1 ? 3 : p.FilterLevel == 1 ? 2 : 1);
  if (p.MipMapping == 1) {
    d3d.SetTexture(device_, 0, main_texture_);
    tss(0, kTssMaxAnisotropy, anisotropy);
    const std::uint32_t mip = p.FilterLevel > 1 ? 2 : p.FilterLevel == 1 ? 2 : 1;
    const std::uint32_t minmag = p.FilterLevel > 1 ? 3 : p.FilterLevel == 1 ? 2 : 1;
    tss(0, kTssMipFilter, mip);
    tss(0, kTssMinFilter, minmag);
    tss(0, kTssMagFilter, minmag);
    if (multi) {
      d3d.SetTexture(device_, 1, picture_texture_);
      tss(1, kTssMipFilter, 2);
      tss(1, kTssMinFilter, 2);
      tss(1, kTssMagFilter, 2);
    }
  } else {
    d3d.SetTexture(device_, 0, main_texture_);
    tss(0, kTssMipFilter, 0);
    if (!multi) {
      tss(1, kTssMipFilter, 0);
      tss(1, kTssMinFilter, 0);
      tss(1, kTssMagFilter, 0);
    }
  }
  if (multi) {
    tss(0, kTssColorOp, kTopSelectArg1);
    tss(0, kTssColorArg1, kTaTexture);
    tss(0, kTssColorArg2, kTaDiffuse);
    d3d.SetTexture(device_, 1, picture_texture_);
    tss(1, kTssColorOp, kTopAddSmooth);
    tss(1, kTssColorArg1, kTaTexture);
    tss(1, kTssColorArg2, kTaCurrent);
  } else {
    tss(0, kTssColorOp, kTopSelectArg1);
    d3d.SetTexture(device_, 1, 0);
    tss(1, kTssMipFilter, 0);
    tss(1, kTssMinFilter, 0);
    tss(1, kTssMagFilter, 0);
  }

}

bool Form2::BuildVertexStrip() {
  platform::Direct3D8& d3d = st_.d3d;
  const PreviewSettings& p = st_.preview;
  // The strip: info a closed cylinder of VertexCount columns, tarrow three
  // columns whatever the count. The vertices after the last column stay zero.
  Vertex vertices[kVertices] = {};
  const bool cylinder = st_.edition.kind != EditionKind::kTarrow;
  const int columns = cylinder ? std::clamp(p.VertexCount, 2, kVertices / 2) : 3;
  const double divisor = cylinder ? columns - 1 : 3;
  for (int i = 0; i < columns; ++i) {
    const float theta = static_cast<float>(cylinder ? 2 * kPi * i / divisor : -2 * kPi * i / 3);
    const float s = static_cast<float>(std::sin(static_cast<double>(theta)));
    const float c = static_cast<float>(std::cos(static_cast<double>(theta)));
    const float tu = static_cast<float>(i / divisor);
    vertices[2 * i] = Vertex{s, -1.0f, p.DepthA * c, p.ColourFlagA == 1 ? p.VertexColourA : 0u, tu, 1.0f};
    vertices[2 * i + 1] = Vertex{s, 1.0f, p.DepthB * c, p.ColourFlagB == 1 ? p.VertexColourB : 0u, tu, 0.0f};
  }
  platform::D3DHandle buffer = 0;
  if (d3d.CreateVertexBuffer(device_, kVertexBytes * kVertices, 0, kFvf, platform::kPoolDefault, &buffer) !=
      platform::kD3dOk)
    return false;
  std::string bytes(sizeof(vertices), '\0');
  std::memcpy(bytes.data(), vertices, sizeof(vertices));
  d3d.FillVertexBuffer(buffer, 0, bytes);
  // Each rebuild replaces the buffer: the previous one goes.
  Replace(vertex_buffer_, buffer);
  return true;
}

void Form2::SetupMatrices() {
  const PreviewSettings& p = st_.preview;
  // The strip turns with the time of day. The tick count would not do: after
  // days of uptime its seconds are too large for a float angle to move by
  // a frame's step.
  const double seconds =
      p.HoldRotation != 0 ? p.HoldSeconds : platform::SecondsSinceMidnight(st_.platform.system().GetLocalTime());
  // Brought within one turn before it becomes a float: late in the day the
  // whole angle (up to 21600 radians) would step by a fifth of a frame's turn.
  const auto angle = static_cast<float>(std::remainder(seconds / 4.0, 2 * std::numbers::pi));
  const Vec3 axis{p.RotationAxis[0], p.RotationAxis[1], p.RotationAxis[2]};
  st_.d3d.SetTransform(device_, kTsWorld, MatrixRotationAxis(axis, angle));
  const bool tarrow = st_.edition.kind == EditionKind::kTarrow;
  const Vec3 eye = tarrow ? Vec3{0, -3, 1} : Vec3{0, 3, -5};
  const Vec3 at = tarrow ? Vec3{0, 2, 0} : Vec3{0, 0, 0};
  st_.d3d.SetTransform(device_, kTsView, MatrixLookAtLH(eye, at, Vec3{0, 1, 0}));
  const auto fov = static_cast<float>(kPi / p.FovDivisor);
  st_.d3d.SetTransform(device_, kTsProjection, MatrixPerspectiveFovLH(fov, 1.0f, 1.0f, 1000.0f));
}

void Form2::Render() {
  if (device_ == 0) return;
  platform::Direct3D8& d3d = st_.d3d;
  PreviewSettings& p = st_.preview;
  // The background flag follows the clear colour (which no edition changes).
  if (ClearColour == 0x246FB7 && p.BackgroundFlag == 1) p.BackgroundFlag = 0;
  if (ClearColour == 0x246FE9 && p.BackgroundFlag == 0) p.BackgroundFlag = 1;
  d3d.Clear(device_, 3, ClearColour, 1.0f, 0);
  d3d.BeginScene(device_);
  d3d.SetTexture(device_, 0, main_texture_);
  d3d.SetTextureStageState(device_, 0, kTssColorOp, kTopModulate);
  d3d.SetTextureStageState(device_, 0, kTssColorArg1, kTaTexture);
  d3d.SetTextureStageState(device_, 0, kTssColorArg2, kTaDiffuse);
  d3d.SetTextureStageState(device_, 0, kTssAlphaOp, kTopDisable);
  SetupMatrices();
  d3d.SetStreamSource(device_, 0, vertex_buffer_, kVertexBytes);
  d3d.SetVertexShader(device_, kFvf);
  const std::int32_t count = std::clamp(p.VertexCount, 2, kVertices / 2);
  d3d.DrawPrimitive(device_, kPtTriangleStrip, 0, static_cast<std::uint32_t>(2 * count - 2));
  d3d.EndScene(device_);
  // Frames per second: the frames counted over the time they took.
  const std::int64_t now = app().Now();
  const std::int64_t elapsed = now - last_update_ms_;
  if (elapsed >= 1000) {
    frame_rate_ = static_cast<std::int32_t>(frames_ * 1000LL / elapsed);
    fps_.SetCaption(IntToText(frame_rate_));
    frames_ = 0;
    last_update_ms_ = now;
  }
  ++frames_;
  d3d.PresentToWindow(device_, picture_window_);
}

void Form2::Culling(int index) {
  static constexpr std::uint32_t kModes[] = {1, 2, 3};  // none, clockwise, counter-clockwise
  if (index >= 0 && index <= 2) st_.d3d.SetRenderState(device_, kRsCullMode, kModes[index]);
  Render();
}

void Form2::FillModeX(int index) {
  static constexpr std::uint32_t kModes[] = {3, 2, 1};  // solid, wireframe, point
  if (index >= 0 && index <= 2) st_.d3d.SetRenderState(device_, kRsFillMode, kModes[index]);
  Render();
}

void Form2::DepthBufferX(int index) {
  static constexpr std::uint32_t kModes[] = {0, 1, 2};  // off, z-buffer, w-buffer
  if (index >= 0 && index <= 2) st_.d3d.SetRenderState(device_, kRsZEnable, kModes[index]);
  Render();
}

void Form2::Cleanup() {
  Timer1.SetEnabled(false);
  st_.d3d.Release(main_texture_);
  main_texture_ = 0;
  st_.d3d.Release(vertex_buffer_);
  vertex_buffer_ = 0;
  st_.d3d.Release(picture_texture_);
  st_.d3d.Release(blank_texture_);
  picture_texture_ = blank_texture_ = 0;
  st_.d3d.Release(device_);
  device_ = 0;
  st_.d3d.Release(direct3d_);
  direct3d_ = 0;
}

}  // namespace ks::viewer
