// The row format of the setting tables that the Direct3D and OpenGL writers
// walk: one setting code, the condition under which the row applies, and up
// to five steps run in order. A code may have several rows; the first whose
// condition holds runs, and a code without a matching row does nothing.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "engine/driver_values.h"
#include "engine/writer_controls.h"

namespace ks {

struct SeState;

enum class When : std::uint8_t {
  kAlways,
  kBuildBelow5000,
  kBuildFrom5000,
  kBuildBelow4230,
  kRuntimeFrom900,  // D3DRuntimeBuild 900 or more
  kBuildUpTo7700,
  kValueIs0,  // the caller's value argument is 0
  kValueIs1,
};

enum class Op : std::uint8_t {
  kEnd,               // no further steps
  kWrite,             // value = number
  kWriteArg,          // value = the caller's value argument
  kWriteArgUpTo,      // value = the caller's value argument held within 0..number
  kWriteMaxTextures,  // value = MaxTextures
  kWriteAAMode,       // value = antialiasing flag word + 0x10000000 + number
  kWriteAnisoLevel,   // value = anisotropy level table entry `number`
  kDelete,
  kText,              // control text = `text`, or language entry `number` when text is null
  kCaptionValue,      // control caption = language entry `number` & the value argument in decimal
  kCaptionTrilinear,  // control caption = entry 123 & entry 131 / 132 / 133 by the value argument
  kD3D,               // WriteD3DSetting(number, 0)
  kWriteDepth,        // value = stored value (0 when none) with bits 2-3 replaced by `number`
};

struct Step {
  Op op = Op::kEnd;
  const DriverValue* value = nullptr;
  std::uint32_t number = 0;
  WriterControl control = WriterControl::kNone;
  const char* text = nullptr;
};

struct SettingRow {
  std::int16_t code;
  When when;
  std::array<Step, 5> steps;
};

// Step builders, so that a table reads like the driver's settings.
constexpr Step Put(const DriverValue& v, std::uint32_t n) { return {Op::kWrite, &v, n}; }
constexpr Step PutArg(const DriverValue& v) { return {Op::kWriteArg, &v}; }
constexpr Step PutArgUpTo(const DriverValue& v, std::uint32_t top) { return {Op::kWriteArgUpTo, &v, top}; }
constexpr Step Del(const DriverValue& v) { return {Op::kDelete, &v}; }
constexpr Step Show(WriterControl c, const char* text) { return {Op::kText, nullptr, 0, c, text}; }
constexpr Step ShowLang(WriterControl c, std::uint32_t entry) { return {Op::kText, nullptr, entry, c}; }
constexpr Step CallD3D(std::int16_t code) { return {Op::kD3D, nullptr, static_cast<std::uint32_t>(code)}; }

// Everything one writer call knows while it runs its row.
struct WriterCall {
  SeState& state;
  SettingControls& controls;
  std::int32_t value;                       // the caller's value argument
  std::int32_t aa_flags = 0;                // antialiasing flag word (Direct3D only)
  std::array<std::int32_t, 6> levels{};     // anisotropy level table (Direct3D only)
};

bool RowApplies(When when, const WriterCall& call);
// The first row of `code` whose condition holds, or null.
const SettingRow* FindRow(std::span<const SettingRow> table, std::int16_t code, const WriterCall& call);
// Runs the steps of one row; each step stands alone, a failing one is skipped.
void RunRow(const SettingRow& row, WriterCall& call);

}  // namespace ks
