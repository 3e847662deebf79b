// The Direct3D setting writer: turns one Direct3D setting code (0-128) and
// its optional value into the driver's registry values for this machine's
// OS class and driver build.
//
// Two paths: the classic one (Windows 9x/Me with driver build 2280 or lower,
// upper-case names under DriverKey\NVidia\Direct3D as REG_DWORD) and the
// numbered one (every other system; names such as "D3D_08285629", located
// by engine/driver_values.h). A code that its path does not list writes
// nothing. Nothing is read back and nothing is reported; a failing write,
// deletion or control update is skipped and the next step runs.
//
// The registry switch WriteAsBinary is set by OS class for the call and is
// always 0 when the writer returns.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "engine/setting_rows.h"

namespace ks {

struct SeState;
class Form1;

// code and value are left unchanged. The value is used by codes 30, 66, 126
// and 127; code 96 writes MaxTextures. Writes nothing while
// SeState::NvidiaAdapterMissing is set (the driver key is another adapter's).
void WriteD3DSetting(SeState& state, SettingControls& controls, const std::int16_t& code,
                     const std::int32_t& value);
// The same, updating the controls of the main window.
void WriteD3DSetting(SeState& state, Form1& form, const std::int16_t& code, const std::int32_t& value);

inline constexpr std::int32_t kClassicBuildLimit = 2280;  // classic path up to this build
// Windows 9x/Me with a driver of build kClassicBuildLimit or lower: the
// classic path, whose drivers read only the upper-case values.
bool IsClassicDriver(const SeState& state);
// The classic drivers' texture LOD bias ("LODBIASADJUST") runs from 0,
// sharp, to this, the smoothest: the LOD bias slider covers 0 to it there,
// and code 30 holds any other number at the nearer end.
inline constexpr std::int32_t kClassicLodBiasTop = 10;
inline constexpr std::int16_t kLastD3DCode = 128;
inline constexpr std::int16_t kLastClassicCode = 61;

// Anisotropy levels L0-L5 of the older numbered drivers: plain levels below
// build 4103, their base-2 logarithms (with -1 for 0) from 4103 on. The
// Direct3D settings reader maps a stored value back through the same table.
std::array<std::int32_t, 6> AnisoLevels(std::int32_t driver_build);

// The flags that GammaAA and TranspAAMode add to an antialiasing mode value.
std::int32_t AAFlagWord(const SeState& state);
inline constexpr std::int32_t kAAGammaFlag = 0x00100000;
inline constexpr std::int32_t kAATranspMultiFlag = 0x00010000;
inline constexpr std::int32_t kAATranspSuperFlag = 0x40000000;

std::span<const SettingRow> D3DClassicTable();
std::span<const SettingRow> D3DNumberedTable();

}  // namespace ks
