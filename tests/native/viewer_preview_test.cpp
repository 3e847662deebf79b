// The preview renderer over the fake Direct3D: texture stages, the strip of
// each edition, the frame-rate label, render states and rebuilds.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <functional>
#include <string>

#include "native/fixtures/viewer_rig.h"

namespace ks {
namespace {

using test::ViewerRig;
using viewer::EditionKind;

struct Vertex {
  float x, y, z;
  std::uint32_t colour;
  float tu, tv;
};

struct PreviewRig : ViewerRig {
  explicit PreviewRig(EditionKind kind = EditionKind::kInfo, std::uint32_t max_anisotropy = 8) : ViewerRig(kind) {
    d3d.adapters[0].caps[platform::kDevTypeHal].MaxAnisotropy = max_anisotropy;
    EXPECT_TRUE(Start());
  }
  viewer::Form2& f2() { return *form->form2(); }
  fake::FakeDirect3D8::Device& dev() { return *d3d.device(f2().device()); }
  std::uint32_t Stage(std::uint32_t stage, std::uint32_t type) { return dev().stage_states[{stage, type}]; }
  std::vector<Vertex> Vertices() {
    const std::string& bytes = d3d.vertex_buffer(f2().vertex_buffer())->bytes;
    std::vector<Vertex> v(bytes.size() / sizeof(Vertex));
    std::memcpy(v.data(), bytes.data(), v.size() * sizeof(Vertex));
    return v;
  }
};

TEST(ViewerPreview, StartsWithItsOwnDevice) {
  PreviewRig rig;
  auto& dev = rig.dev();
  EXPECT_EQ(dev.type, platform::kDevTypeHal);
  EXPECT_EQ(dev.behaviour, 32u);
  EXPECT_EQ(dev.params.SwapEffect, platform::kSwapEffectCopyVsync);
  EXPECT_EQ(dev.render_states[137], 0u) << "lighting off";
  EXPECT_TRUE(rig.f2().Timer1.Enabled());
  EXPECT_FALSE(rig.f2().Visible()) << "the renderer's own form is never seen";
  ASSERT_NE(rig.d3d.texture(rig.f2().main_texture()), nullptr);
  EXPECT_EQ(rig.d3d.texture(rig.f2().main_texture())->width, 16u) << "info starts with the JPEG";
  EXPECT_EQ(rig.d3d.texture(rig.f2().main_texture())->levels, 5u) << "16 x 16 and its mip levels";
}

// Each frame goes into the picture box as the window's own drawing: a
// device presenting into a child window, or made on the main window, shows
// nothing of the preview in the main window under Wine (and on the main
// window it covered the controls black).
TEST(ViewerPreview, FramesGoIntoThePictureBoxFromALockableBackBufferOfItsSize) {
  for (EditionKind kind : {EditionKind::kInfo, EditionKind::kTarrow}) {
    PreviewRig rig(kind);
    auto& dev = rig.dev();
    EXPECT_EQ(dev.params.Flags & platform::kPresentFlagLockableBackBuffer, platform::kPresentFlagLockableBackBuffer);
    EXPECT_EQ(dev.params.BackBufferWidth, 225u) << "Picture1 is 3375 twips wide";
    EXPECT_EQ(dev.params.BackBufferHeight, 169u) << "Picture1 is 2535 twips high";
    const size_t before = dev.presented_to.size();
    rig.f2().Render();
    rig.f2().Render();
    EXPECT_EQ(dev.presented_to.size(), before + 2) << "one copy a frame";
    EXPECT_EQ(dev.presents, 0) << "nothing through Direct3D's own presentation";
    for (const fake::FakeDirect3D8::Device* listing : {rig.d3d.device(rig.s.setup.MainDevice),
                                                       rig.d3d.device(rig.s.setup.ListingDevice)}) {
      ASSERT_NE(listing, nullptr);
      EXPECT_EQ(listing->presents + listing->presented_to.size(), 0u) << "the listing's devices never draw";
    }
  }
}

TEST(ViewerPreview, StageStatesOverFilterMipmappingAndMultitexture) {
  struct Case {
    const char* name;
    int filter_item;  // Combo2 index
    bool mipmapping, multitexture;
    std::uint32_t mip, min, mag, anisotropy;
    std::uint32_t stage1_op;
  };
  const Case cases[] = {
      {"point", 0, true, false, 1, 1, 1, 1, 1},
      {"bilinear", 1, true, false, 2, 2, 2, 1, 1},
      {"anisotropic 16x", 5, true, false, 2, 3, 3, 16, 1},
      {"anisotropic 4x", 3, true, false, 2, 3, 3, 4, 1},
      {"no mipmapping", 5, false, false, 0, 0, 0, 16, 1},
      {"multitexture", 1, true, true, 2, 2, 2, 1, 11},
  };
  for (const Case& c : cases) {
    PreviewRig rig(EditionKind::kTarrow, 16);
    rig.form->Combo2.UserPick(c.filter_item);
    if (!c.mipmapping) rig.form->Check6.UserClick();  // this also turns the filter choice off
    if (c.multitexture) rig.form->Check7.UserClick();
    EXPECT_EQ(rig.Stage(0, 18), c.mip) << c.name;
    if (c.mipmapping) {
      EXPECT_EQ(rig.Stage(0, 17), c.min) << c.name;
      EXPECT_EQ(rig.Stage(0, 16), c.mag) << c.name;
    }
    EXPECT_EQ(rig.Stage(0, 21), c.anisotropy) << c.name;
    EXPECT_EQ(rig.Stage(1, 1), c.stage1_op) << c.name;
    EXPECT_EQ(rig.dev().textures[1] != 0, c.multitexture) << c.name;
  }
}

TEST(ViewerPreview, InfoBuildsACylinderTarrowThreeColumns) {
  PreviewRig info;
  info.form->HScroll3.UserChange(10);
  auto v = info.Vertices();
  ASSERT_EQ(v.size(), 100u);
  EXPECT_FLOAT_EQ(v[0].x, 0.0f);
  EXPECT_NEAR(v[18].x, 0.0f, 1e-3) << "first and last column nearly coincide";
  EXPECT_NE(v[18].x, 0.0f);
  EXPECT_EQ(v[19].y, 1.0f);
  EXPECT_EQ(v[20].x, 0.0f) << "after the last column the vertices stay zero";
  EXPECT_EQ(v[20].colour, 0u);
  EXPECT_EQ(v[0].colour, 0xFFFFFFFFu);
  EXPECT_EQ(v[1].colour, 0xFF808080u);
  EXPECT_FLOAT_EQ(v[18].tu, 1.0f);
  EXPECT_EQ(info.dev().draws.back().count, 18u) << "10 columns: 18 triangles";

  PreviewRig tarrow(EditionKind::kTarrow);
  tarrow.form->HScroll3.UserChange(20);
  v = tarrow.Vertices();
  EXPECT_NEAR(v[2].x, std::sin(-2 * 3.1415 / 3), 1e-6);
  EXPECT_FLOAT_EQ(v[4].tu, 2.0f / 3.0f);
  EXPECT_EQ(v[6].x, 0.0f) << "three columns whatever the count";
  EXPECT_EQ(tarrow.dev().draws.back().count, 38u);
  tarrow.form->HScroll3.UserChange(50);
  EXPECT_EQ(tarrow.dev().draws.back().count, 98u);
}

using Matrix = std::array<std::array<float, 4>, 4>;

void ExpectMatrix(const platform::D3DMatrix& m, const Matrix& want, const std::string& name) {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(m.m[r][c], want[r][c], 1e-5) << name << " [" << r << "][" << c << "]";
}

// The angle of a world matrix that turns about the start axis (1, 1, 1):
// its trace is 1 + 2 cos a, and m[1][2] - m[2][1] is 2 sin a / sqrt(3).
double AngleAboutTheStartAxis(const platform::D3DMatrix& w) {
  const double cosine = (w.m[0][0] + w.m[1][1] + w.m[2][2] - 1.0) / 2.0;
  const double sine = (w.m[1][2] - w.m[2][1]) * std::sqrt(3.0) / 2.0;
  return std::atan2(sine, cosine);
}

// a - b as the shortest way round the circle.
double TurnBetween(double a, double b) { return std::remainder(a - b, 2 * 3.14159265358979); }

constexpr std::int64_t kHour = 3600 * 1000;
constexpr std::int64_t kDay = 24 * kHour;

// Lets the machine's clock run on `ms` with the picture frozen, so that no
// frame is drawn on the way.
void PassFrozen(PreviewRig& rig, std::int64_t ms) {
  rig.form->Check4.UserClick();
  rig.s.app.Advance(ms);
  rig.form->Check4.UserClick();
}

// Regression: the rotation ran on the tick count since boot kept in a
// float, so after days of uptime the strip moved in jerks or not at all.
TEST(ViewerPreview, RotationRunsOnTheTimeOfDayWhateverTheUptime) {
  struct Case {
    const char* name;
    std::int64_t uptime_ms;  // when the picture runs again; booted at 08:00
    double time_of_day;      // seconds since midnight then
  };
  const Case cases[] = {
      {"an hour after boot", kHour, 9 * 3600.0},
      {"five days up", 5 * kDay + 5 * kHour + 20 * 60 * 1000, 13 * 3600.0 + 20 * 60},
      {"past the 32-bit tick count", 50 * kDay + 2 * kHour, 10 * 3600.0},
      {"late in the evening", 3 * kDay + 16 * kHour - 10 * 1000, 86390.0},
  };
  for (const Case& c : cases) {
    PreviewRig rig;
    PassFrozen(rig, c.uptime_ms - rig.s.app.Now());
    double last = 0;
    for (int frame = 1; frame <= 3; ++frame) {
      const size_t draws = rig.dev().draws.size();
      rig.s.app.Advance(40);
      ASSERT_EQ(rig.dev().draws.size(), draws + 1) << c.name << ": one frame per 40 ms";
      const double angle = AngleAboutTheStartAxis(rig.dev().transforms[256]);
      const double seconds = c.time_of_day + 0.04 * frame;
      EXPECT_NEAR(TurnBetween(angle, seconds / 4), 0.0, 1e-4) << c.name << ", frame " << frame;
      if (frame > 1) {
        EXPECT_NEAR(TurnBetween(angle, last), 0.01, 1e-4) << c.name << ": a frame turns 0.01 rad";
      }
      last = angle;
    }
  }
}

// Regression: "Freeze picture" held the tick count's seconds rather than
// the time of day.
TEST(ViewerPreview, FreezePictureHoldsTheTimeOfDayInWholeSeconds) {
  PreviewRig rig;
  PassFrozen(rig, 5 * kDay + 5 * kHour + 20 * 60 * 1000 + 6400);  // 13:20:06.4
  rig.form->Check4.UserClick();
  rig.s.app.Advance(10 * 1000);
  rig.form->Combo4.UserPick(0);  // draws one frame with the held angle
  const double held = 48006.0 / 4;
  EXPECT_NEAR(TurnBetween(AngleAboutTheStartAxis(rig.dev().transforms[256]), held), 0.0, 1e-4);
}

// The transforms each edition sets: the world turned by the held time of
// day about (1, 1, 1), the view from its eye point, the projection by the
// zoom bar's field of view (3.1415 / (value / 10)).
TEST(ViewerPreview, TransformsOfEachEdition) {
  struct Case {
    const char* name;
    EditionKind kind;
    std::int64_t boot_time_of_day_ms;  // frozen at once: the angle is its whole seconds / 4
    int zoom;
    Matrix world, view, projection;
  };
  const Case cases[] = {
      {"info: 6 s after midnight, eye (0, 3, -5) towards the origin, zoom 90",
       EditionKind::kInfo,
       6400,
       90,
       {{{0.380491f, 0.885658f, -0.26615f, 0}, {-0.26615f, 0.380491f, 0.885658f, 0},
         {0.885658f, -0.26615f, 0.380491f, 0}, {0, 0, 0, 1}}},
       {{{1, 0, 0, 0}, {0, 0.857493f, -0.514496f, 0}, {0, 0.514496f, 0.857493f, 0}, {0, 0, 5.830952f, 1}}},
       {{{5.671453f, 0, 0, 0}, {0, 5.671453f, 0, 0}, {0, 0, 1.001001f, 1}, {0, 0, -1.001001f, 0}}}},
      {"tarrow: 2 s after midnight, eye (0, -3, 1) towards (0, 2, 0), zoom 60",
       EditionKind::kTarrow,
       2000,
       60,
       {{{0.918388f, 0.317602f, -0.235991f, 0}, {-0.235991f, 0.918388f, 0.317602f, 0},
         {0.317602f, -0.235991f, 0.918388f, 0}, {0, 0, 0, 1}}},
       {{{-1, 0, 0, 0}, {0, 0.196116f, 0.980581f, 0}, {0, 0.980581f, -0.196116f, 0}, {0, -0.392232f, 3.137858f, 1}}},
       {{{3.732166f, 0, 0, 0}, {0, 3.732166f, 0, 0}, {0, 0, 1.001001f, 1}, {0, 0, -1.001001f, 0}}}},
  };
  for (const Case& c : cases) {
    ViewerRig rig(c.kind);
    rig.m().sys.boot_time_of_day_ms = c.boot_time_of_day_ms;
    ASSERT_TRUE(rig.Start()) << c.name;
    rig.form->Check4.UserClick();
    rig.form->HScroll2.UserChange(c.zoom);  // draws
    auto& dev = *rig.d3d.device(rig.form->form2()->device());
    ExpectMatrix(dev.transforms[256], c.world, std::string(c.name) + ": world");
    ExpectMatrix(dev.transforms[2], c.view, std::string(c.name) + ": view");
    ExpectMatrix(dev.transforms[3], c.projection, std::string(c.name) + ": projection");
  }
}

// Regression: the label showed four times the frames counted.
TEST(ViewerPreview, FrameRateLabelShowsFramesPerSecond) {
  PreviewRig rig;
  rig.s.app.Advance(1000);
  rig.s.app.Advance(1000);
  EXPECT_EQ(rig.form->Label8.Caption(), "25") << "a 40 ms timer draws 25 frames a second";
}

// Regression: every rebuild leaked the previous textures and vertex buffer.
TEST(ViewerPreview, RebuildsReleaseWhatTheyReplace) {
  PreviewRig rig;
  rig.form->Check7.UserClick();  // three textures from now on
  const int textures = rig.d3d.LiveTextures();
  const int buffers = rig.d3d.LiveVertexBuffers();
  for (int value = 10; value <= 50; value += 5) rig.form->HScroll3.UserChange(value);
  EXPECT_EQ(rig.d3d.LiveTextures(), textures);
  EXPECT_EQ(rig.d3d.LiveVertexBuffers(), buffers);
  EXPECT_EQ(buffers, 1);
}

// Regression: a texture that could not be loaded left the preview without
// one; and then, while the kept texture stayed, no later filter, geometry
// or vertex-count change reached the device or the vertex buffer.
TEST(ViewerPreview, MissingTextureKeepsTheTextureInUseAndLaterChangesStillApply) {
  PreviewRig rig;
  rig.m().fs.DeleteFile(test::kViewerFolder + "\\DATA\\p256dx1.dds");
  const auto texture = rig.f2().main_texture();
  rig.form->Combo3.UserPick(3);
  EXPECT_EQ(rig.f2().main_texture(), texture);
  EXPECT_TRUE(rig.d3d.IsLive(texture));
  EXPECT_EQ(rig.dev().textures[0], texture);

  struct Case {
    const char* name;
    std::function<void(PreviewRig&)> change;
    std::function<bool(PreviewRig&)> shows;
  };
  const Case cases[] = {
      {"point sampling", [](PreviewRig& r) { r.form->Combo2.UserPick(0); },
       [](PreviewRig& r) { return r.Stage(0, 17) == 1 && r.Stage(0, 16) == 1; }},
      {"10 columns", [](PreviewRig& r) { r.form->HScroll3.UserChange(10); },
       [](PreviewRig& r) {
         const auto v = r.Vertices();
         return v[19].y == 1.0f && v[20].y == 0.0f && v[20].colour == 0;
       }},
      {"lower edge uncoloured", [](PreviewRig& r) { r.form->Check5[0].UserClick(); },
       [](PreviewRig& r) { return r.Vertices()[0].colour == 0; }},
      {"coloured lights", [](PreviewRig& r) { r.form->Check8.UserClick(); },
       [](PreviewRig& r) { return r.Vertices()[1].colour == 0x938001u; }},
  };
  for (const Case& c : cases) {
    c.change(rig);
    EXPECT_TRUE(c.shows(rig)) << c.name;
    EXPECT_EQ(rig.dev().textures[0], texture) << c.name << ": the kept texture stays";
    EXPECT_EQ(rig.d3d.LiveVertexBuffers(), 1) << c.name;
  }
  rig.form->Combo3.UserPick(4);
  EXPECT_EQ(rig.d3d.texture(rig.f2().main_texture())->width, 512u);
  EXPECT_EQ(rig.d3d.texture(rig.f2().main_texture())->format, platform::kFmtDxt1);
  EXPECT_FALSE(rig.d3d.IsLive(texture)) << "replaced once a texture loads";
}

// Regression: all three axis boxes cleared gave a world matrix of NaN.
TEST(ViewerPreview, ClearedRotationAxisDrawsTheStripUnrotated) {
  PreviewRig rig;
  for (int i = 0; i < 3; ++i) rig.form->Check2[i].UserClick();
  rig.s.app.Advance(40);
  const auto& world = rig.dev().transforms[256];
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_EQ(world.m[r][c], r == c ? 1.0f : 0.0f);
}

TEST(ViewerPreview, RenderStateChoicesDrawAtOnceEvenWhenFrozen) {
  PreviewRig rig;
  rig.form->Check4.UserClick();
  const size_t draws = rig.dev().draws.size();
  rig.form->Combo4.UserPick(2);
  rig.form->Combo5.UserPick(1);
  rig.form->Combo6.UserPick(0);
  EXPECT_EQ(rig.dev().render_states[22], 3u);
  EXPECT_EQ(rig.dev().render_states[8], 2u);
  EXPECT_EQ(rig.dev().render_states[7], 0u);
  EXPECT_EQ(rig.dev().draws.size(), draws + 3);
  rig.s.app.Advance(400);
  EXPECT_EQ(rig.dev().draws.size(), draws + 3) << "frozen: the timer draws nothing";
}

TEST(ViewerPreview, FatalMessagesEndTheProgram) {
  struct Case {
    const char* name;
    const char* text;
  };
  {
    ViewerRig rig(EditionKind::kInfo);
    rig.d3d.fail_call["CreateDevice"][3] = platform::kD3dErrNotAvailable;  // the renderer's device
    EXPECT_FALSE(rig.Start());
    EXPECT_EQ(rig.m().msg.shown().back().text, "Unable to CreateDevice");
  }
  {
    ViewerRig rig(EditionKind::kTarrow);
    rig.m().fs.DeleteFile(test::kViewerFolder + "\\p512dx1.dds");
    EXPECT_FALSE(rig.Start());
    EXPECT_EQ(rig.m().msg.shown().back().text, "Unable to Create VertexBuffer");
    EXPECT_EQ(rig.m().msg.shown().back().caption, "tarrow");
  }
}

TEST(ViewerPreview, ClosingTheWindowReleasesEverything) {
  PreviewRig rig;
  rig.form->Unload();
  EXPECT_FALSE(rig.f2().Loaded());
  EXPECT_EQ(rig.d3d.LiveTextures(), 0);
  EXPECT_EQ(rig.d3d.LiveVertexBuffers(), 0);
  EXPECT_TRUE(rig.s.app.Ended());
}

}  // namespace
}  // namespace ks
