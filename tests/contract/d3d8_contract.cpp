// The Direct3D object calls the viewer relies on, against the fake and,
// under Wine, against d3d8.dll: enumeration, caps by device type, and calls
// on no object or past the end failing without effect.
#include <gtest/gtest.h>

#include "contract/contract.h"

namespace ks::test {
namespace {

using platform::kD3dOk;

TEST(Direct3DContract, ObjectAndEnumeration) {
  auto d3d = MakeContractDirect3D();
  platform::D3DHandle object = 0;
  ASSERT_EQ(d3d->Direct3DCreate(&object), kD3dOk);
  ASSERT_NE(object, 0u);
  std::uint32_t adapters = 0;
  ASSERT_EQ(d3d->GetAdapterCount(object, &adapters), kD3dOk);
  ASSERT_GE(adapters, 1u);
  std::uint32_t modes = 0;
  ASSERT_EQ(d3d->GetAdapterModeCount(object, 0, &modes), kD3dOk);
  ASSERT_GE(modes, 1u);
  platform::D3DDisplayMode mode;
  EXPECT_EQ(d3d->EnumAdapterModes(object, 0, 0, &mode), kD3dOk);
  EXPECT_GT(mode.Width, 0u);
  platform::D3DDisplayMode current;
  EXPECT_EQ(d3d->GetAdapterDisplayMode(object, 0, &current), kD3dOk);
  EXPECT_GT(current.Width, 0u);
  EXPECT_EQ(d3d->CheckDeviceType(object, 0, platform::kDevTypeHal, current.Format, current.Format, true), kD3dOk);
  platform::D3DCaps caps;
  EXPECT_EQ(d3d->GetDeviceCaps(object, 0, platform::kDevTypeHal, &caps), kD3dOk);
  EXPECT_EQ(caps.DeviceType, platform::kDevTypeHal);
  platform::D3DAdapterIdentifier id;
  EXPECT_EQ(d3d->GetAdapterIdentifier(object, 0, 0, &id), kD3dOk);
  EXPECT_NE(id.VendorId, 0u);
  d3d->Release(object);
}

TEST(Direct3DContract, FailingCallsChangeNothing) {
  auto d3d = MakeContractDirect3D();
  platform::D3DHandle object = 0;
  ASSERT_EQ(d3d->Direct3DCreate(&object), kD3dOk);
  std::uint32_t adapters = 0, modes = 0;
  ASSERT_EQ(d3d->GetAdapterCount(object, &adapters), kD3dOk);
  ASSERT_EQ(d3d->GetAdapterModeCount(object, 0, &modes), kD3dOk);
  struct Case {
    const char* name;
    long result;
  };
  platform::D3DDisplayMode mode{7, 7, 7, 7};
  std::uint32_t count = 77;
  platform::D3DCaps caps;
  caps.MaxStreams = 77;
  const Case cases[] = {
      {"mode past the end", d3d->EnumAdapterModes(object, 0, modes, &mode)},
      {"adapter past the end", d3d->GetAdapterModeCount(object, adapters, &count)},
      {"no object: adapter count", d3d->GetAdapterCount(0, &count)},
      {"no object: caps", d3d->GetDeviceCaps(0, 0, platform::kDevTypeHal, &caps)},
  };
  for (const Case& c : cases) EXPECT_NE(c.result, kD3dOk) << c.name;
  EXPECT_EQ(mode.Width, 7u);
  EXPECT_EQ(count, 77u);
  EXPECT_EQ(caps.MaxStreams, 77u);
  d3d->Release(object);
  d3d->Release(object);  // a released object is no object
  d3d->Release(0);
  EXPECT_NE(d3d->GetAdapterCount(object, &count), kD3dOk) << "a released object";
}

}  // namespace
}  // namespace ks::test
