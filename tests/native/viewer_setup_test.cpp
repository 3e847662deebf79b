// Direct3D device setup of the viewer against the fake Direct3D: the
// adapter table, vertex processing, the reference fallback and its two
// messages, and a machine without Direct3D.
#include <gtest/gtest.h>

#include "native/fixtures/viewer_rig.h"
#include "viewer/Module1.h"

namespace ks {
namespace {

using platform::D3DDisplayMode;
using platform::kDevTypeHal;
using platform::kDevTypeRef;
using test::ViewerRig;
using viewer::Module1;

constexpr std::uint32_t kX8 = platform::kFmtX8R8G8B8;
constexpr std::uint32_t kR5 = platform::kFmtR5G6B5;

TEST(ViewerSetup, ModeListKeepsModesFromSixForty400UpOncePerSizeAndFormat) {
  struct Case {
    const char* name;
    D3DDisplayMode mode;
    bool listed;
  };
  const Case cases[] = {
      {"640x400 is listed", {640, 400, 60, kX8}, true},
      {"639x480 is too narrow", {639, 480, 60, kX8}, false},
      {"800x399 is too low", {800, 399, 60, kX8}, false},
      {"1280x1024 is listed", {1280, 1024, 75, kX8}, true},
  };
  for (const Case& c : cases) {
    ViewerRig rig;
    auto& a = rig.d3d.adapters[0];
    a.modes = {{1024, 768, 60, kX8}, c.mode};
    Module1 m(rig.s);
    ASSERT_TRUE(m.EnumerateAdapters(nullptr)) << c.name;
    EXPECT_EQ(m.FindDisplayMode(0, kDevTypeHal, {c.mode.Width, c.mode.Height, 0, c.mode.Format}) != -1, c.listed)
        << c.name;
  }
}

TEST(ViewerSetup, OneFormatEntryPerFormatAndModesDifferingOnlyInRefreshCollapse) {
  ViewerRig rig;
  rig.d3d.adapters[0].modes.push_back({800, 600, 60, kR5});
  Module1 m(rig.s);
  ASSERT_TRUE(m.EnumerateAdapters(nullptr));
  const auto& hal = rig.s.setup.AdapterTable[0].types[kDevTypeHal];
  ASSERT_EQ(hal.formats.size(), 2u) << "five X8R8G8B8 modes give one entry, the R5G6B5 mode a second";
  EXPECT_EQ(hal.formats[0].format, kX8);
  EXPECT_EQ(hal.formats[1].format, kR5);
  // 640x480 (60, 75), 800x600, 1024x768 (60, 85) in X8, 800x600 in R5.
  EXPECT_EQ(hal.modes.size(), 4u);
  EXPECT_EQ(rig.s.setup.AdapterTable.size(), 2u) << "one record more than there are adapters";
  EXPECT_EQ(rig.s.setup.AdapterTable[0].identifier.DeviceId, 0x322u);
}

TEST(ViewerSetup, WithoutCallbackEveryFormatTakesSoftwareVertexProcessingEvenWithHardwareTnL) {
  ViewerRig rig;
  Module1 m(rig.s);
  ASSERT_TRUE(m.InitDirect3D(7, 0, kDevTypeHal, nullptr));
  for (const auto& f : rig.s.setup.AdapterTable[0].types[kDevTypeHal].formats) EXPECT_EQ(f.behaviour, 32);
  auto* main = rig.d3d.device(rig.s.setup.MainDevice);
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(main->behaviour, 32u);
  EXPECT_EQ(main->focus, 7u);
  EXPECT_EQ(main->params.BackBufferFormat, kX8);
  EXPECT_TRUE(main->params.Windowed);
  EXPECT_EQ(main->params.SwapEffect, platform::kSwapEffectDiscard);
  EXPECT_EQ(main->params.AutoDepthStencilFormat, platform::kFmtD16);
  EXPECT_NE(rig.d3d.device(rig.s.setup.ListingDevice), nullptr);
  EXPECT_TRUE(rig.m().msg.shown().empty());
}

struct RecordingCallback : viewer::DeviceAcceptance {
  explicit RecordingCallback(bool accept_hardware) : accept_hardware(accept_hardware) {}
  bool VerifyDevice(std::int32_t& behaviour, std::int32_t& format) override {
    asked.push_back(behaviour);
    return behaviour == 32 || accept_hardware;
  }
  bool accept_hardware;
  std::vector<std::int32_t> asked;
};

TEST(ViewerSetup, CallbackIsAskedForHardwareProcessingFirstOnlyWhenTheDeviceHasTnL) {
  struct Case {
    const char* name;
    bool tnl;
    bool accept_hardware;
    std::vector<std::int32_t> asked;
    std::int32_t flags;
  };
  const Case cases[] = {
      {"T&L accepted", true, true, {64}, 64},
      {"T&L refused", true, false, {64, 32}, 32},
      {"no T&L", false, true, {32}, 32},
  };
  for (const Case& c : cases) {
    ViewerRig rig;
    auto& a = rig.d3d.adapters[0];
    a.modes = {{1024, 768, 60, kX8}};
    if (!c.tnl) a.caps[kDevTypeHal].DevCaps &= ~platform::kDevCapsHwTransformAndLight;
    a.caps.erase(kDevTypeRef);
    RecordingCallback callback(c.accept_hardware);
    Module1 m(rig.s);
    m.EnumerateAdapters(&callback);
    EXPECT_EQ(callback.asked, c.asked) << c.name;
    EXPECT_EQ(m.FindFormatEntry(0, kDevTypeHal, kX8), c.flags) << c.name;
  }
}

TEST(ViewerSetup, DesktopFormatMissingFromTheListGivesSoftwareProcessing) {
  ViewerRig rig;
  rig.d3d.adapters[0].current.Format = kR5;  // no R5G6B5 mode, so no entry
  Module1 m(rig.s);
  ASSERT_TRUE(m.InitDirect3D(7, 0, kDevTypeHal, nullptr));
  EXPECT_EQ(rig.d3d.device(rig.s.setup.MainDevice)->behaviour, 32u);
}

TEST(ViewerSetup, FailedHardwareDeviceSaysSoOnceAndTakesTheReferenceRasterizer) {
  ViewerRig rig;
  rig.d3d.adapters[0].create_result[kDevTypeHal] = platform::kD3dErrNotAvailable;
  Module1 m(rig.s);
  ASSERT_TRUE(m.InitDirect3D(7, 0, kDevTypeHal, nullptr));
  ASSERT_EQ(rig.m().msg.shown().size(), 1u);
  EXPECT_EQ(rig.m().msg.shown()[0].text, "No hardware support found. Switching to reference rasterizer.");
  EXPECT_EQ(rig.m().msg.shown()[0].style, platform::kMbOk | platform::kMbIconInformation);
  EXPECT_EQ(rig.m().msg.shown()[0].caption, "info");
  EXPECT_EQ(rig.s.setup.CurrentDeviceType, 2);
  EXPECT_TRUE(rig.s.setup.AdapterTable[0].reference);
  EXPECT_EQ(rig.d3d.device(rig.s.setup.MainDevice)->type, kDevTypeRef);
  EXPECT_EQ(rig.d3d.device(rig.s.setup.ListingDevice)->type, kDevTypeRef);
  EXPECT_EQ(rig.s.setup.DeviceCaps.DeviceType, kDevTypeRef) << "the caps are the reference device's";
}

TEST(ViewerSetup, NoDeviceAtAllSaysSoAndEndsTheProgramAtOnce) {
  struct Case {
    const char* name;
    std::uint32_t asked_type;
    size_t messages;
  };
  const Case cases[] = {{"hardware, then reference failed", kDevTypeHal, 2}, {"reference asked", kDevTypeRef, 1}};
  for (const Case& c : cases) {
    ViewerRig rig;
    rig.d3d.fail_always["CreateDevice"] = platform::kD3dErrNotAvailable;
    Module1 m(rig.s);
    EXPECT_THROW(m.InitDirect3D(7, 0, static_cast<std::int32_t>(c.asked_type), nullptr), fake::ProcessExit) << c.name;
    ASSERT_EQ(rig.m().msg.shown().size(), c.messages) << c.name;
    EXPECT_EQ(rig.m().msg.shown().back().text,
              "No suitable device was found to initialize D3D. Application will now exit.")
        << c.name;
    EXPECT_EQ(rig.m().msg.shown().back().style, platform::kMbOk | platform::kMbIconStop) << c.name;
    EXPECT_EQ(rig.m().proc.exits, 1) << c.name;
  }
}

// Regression: a failing second creation used to keep the first device.
TEST(ViewerSetup, FailingSecondDeviceReleasesTheFirst) {
  struct Case {
    const char* name;
    bool fallback;
    int live_devices;
  };
  const Case cases[] = {{"with the fallback: only the reference pair lives", true, 2},
                        {"without: nothing lives", false, 0}};
  for (const Case& c : cases) {
    ViewerRig rig;
    rig.d3d.fail_call["CreateDevice"][2] = platform::kD3dErrOutOfVideoMemory;
    Module1 m(rig.s);
    ASSERT_TRUE(m.EnumerateAdapters(nullptr)) << c.name;
    EXPECT_EQ(m.InitWindowedDevice(7, 0, kDevTypeHal, c.fallback), c.fallback) << c.name;
    EXPECT_EQ(rig.d3d.LiveDevices(), c.live_devices) << c.name;
    ASSERT_GE(rig.d3d.created_devices().size(), 1u) << c.name;
    EXPECT_FALSE(rig.d3d.IsLive(rig.d3d.created_devices()[0])) << c.name << ": the hardware device was released";
  }
}

// Regression: without d3d8.dll every later Direct3D call must fail safely.
TEST(ViewerSetup, WithoutDirect3DSetupFailsQuietlyAndLaterCallsAreSkipped) {
  ViewerRig rig;
  rig.d3d.library_present = false;
  Module1 m(rig.s);
  EXPECT_FALSE(m.InitDirect3D(7, 0, kDevTypeHal, nullptr));
  EXPECT_EQ(rig.s.setup.MainDevice, 0u);
  EXPECT_TRUE(rig.m().msg.shown().empty());
  EXPECT_EQ(rig.d3d.Calls("CreateDevice"), 0);
}

}  // namespace
}  // namespace ks
