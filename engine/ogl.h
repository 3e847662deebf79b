// The OpenGL setting writer: turns one OpenGL setting code (0-81) and its
// optional value into the driver's OpenGL registry values. Antialiasing and
// anisotropy of drivers from build 5000 on live in values shared with
// Direct3D; for those the writer calls WriteD3DSetting with value 0.
//
// A call runs the code's row of the main table, then a second step by OS:
// on the NT family codes 4, 5, 31 and 32 set the anisotropy level, on
// Windows 9x/Me codes 4, 5, 8 and 9 change "RenderQualityFlags" by reading
// it first, and from build 5000 codes 4, 5, 31 and 32 also set the shared
// anisotropy value. Nothing is reported; a failing step is skipped.
//
// WriteAsBinary is set by OS class at the start, set again after a nested
// Direct3D call, and always 0 when the writer returns.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "engine/setting_rows.h"

namespace ks {

struct SeState;
class Form1;

// code and value are left unchanged. The value is used by codes 63, 66, 70,
// 73 and 76 to 81. Writes nothing while SeState::NvidiaAdapterMissing is
// set (the driver key is another adapter's).
void WriteOGLSetting(SeState& state, SettingControls& controls, const std::int16_t& code,
                     const std::int32_t& value);
// The same, updating the controls of the main window.
void WriteOGLSetting(SeState& state, Form1& form, const std::int16_t& code, const std::int32_t& value);

inline constexpr std::int16_t kLastOGLCode = 81;

// The bit of "RenderQualityFlags" that holds anisotropic filtering on
// Windows 9x/Me; the bits above it hold the forced texture colour depth.
inline constexpr std::int32_t kRenderQualityAnisoBit = 2;
// Bit 0 is set and cleared by codes 9 and 8; bits 2-3 hold the forced
// texture colour depth (4 = 16-bit, 8 = 32-bit, codes 20 and 21, 0 = the
// driver's choice, code 19), which replaces them and keeps the other bits.
inline constexpr std::int32_t kRenderQualityBit0 = 1;
inline constexpr std::int32_t kRenderQualityDepthBits = 0x0C;

// How codes 4, 5, 8 and 9 (and 19, 20, 21 on every OS) change a stored "RenderQualityFlags" value R on
// Windows 9x/Me; nullopt when nothing is written.
std::optional<std::int32_t> ChangedRenderQuality(std::int16_t code, std::int32_t r);

std::span<const SettingRow> OGLMainTable();
// The anisotropy step of codes 4, 5, 31 and 32: on the NT family at every
// build, on Windows 9x/Me from build 5000 (the shared value).
std::span<const SettingRow> OGLNtAnisoTable();

}  // namespace ks
