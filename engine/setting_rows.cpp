#include "engine/setting_rows.h"

#include <algorithm>

#include "engine/d3d.h"
#include "common/numbers.h"
#include "shell/se_state.h"

namespace ks {

bool RowApplies(When when, const WriterCall& call) {
  const SeState& s = call.state;
  switch (when) {
    case When::kAlways: return true;
    case When::kBuildBelow5000: return s.DriverBuild < 5000;
    case When::kBuildFrom5000: return s.DriverBuild >= 5000;
    case When::kBuildBelow4230: return s.DriverBuild < 4230;
    case When::kRuntimeFrom900: return s.D3DRuntimeBuild >= 900;
    case When::kBuildUpTo7700: return s.DriverBuild <= 7700;
    case When::kValueIs0: return call.value == 0;
    case When::kValueIs1: return call.value == 1;
  }
  return false;
}

const SettingRow* FindRow(std::span<const SettingRow> table, std::int16_t code, const WriterCall& call) {
  for (const SettingRow& row : table) {
    if (row.code == code && RowApplies(row.when, call)) return &row;
  }
  return nullptr;
}

namespace {

void Write(WriterCall& call, const DriverValue& value, std::int32_t number) {
  ValueLocation where = Locate(call.state, value);
  // A REG_DWORD home (the OpenGL debug key) clears the switch before its write.
  if (!where.binary) call.state.reg.WriteAsBinary = 0;
  call.state.reg.WriteRegValue(where.root, where.key, where.name, number);
}

void Delete(WriterCall& call, const DriverValue& value) {
  ValueLocation where = Locate(call.state, value);
  call.state.reg.DeleteRegValue(where.root, where.key, where.name);
}

std::uint32_t TrilinearEntry(std::int32_t value) {
  if (value < 11) return 131;
  if (value <= 20) return 132;
  return 133;
}

}  // namespace

void RunRow(const SettingRow& row, WriterCall& call) {
  SeState& s = call.state;
  for (const Step& step : row.steps) {
    switch (step.op) {
      case Op::kEnd: return;
      case Op::kWrite: Write(call, *step.value, static_cast<std::int32_t>(step.number)); break;
      case Op::kWriteArg: Write(call, *step.value, call.value); break;
      case Op::kWriteArgUpTo:
        Write(call, *step.value, std::clamp(call.value, 0, static_cast<std::int32_t>(step.number)));
        break;
      case Op::kWriteMaxTextures: Write(call, *step.value, s.MaxTextures); break;
      case Op::kWriteAAMode:
        Write(call, *step.value, static_cast<std::int32_t>(0x10000000u + step.number) + call.aa_flags);
        break;
      case Op::kWriteAnisoLevel: Write(call, *step.value, call.levels.at(step.number)); break;
      case Op::kDelete: Delete(call, *step.value); break;
      case Op::kText:
        call.controls.SetControlText(step.control, step.text ? std::string(step.text) : s.Lang(step.number));
        break;
      case Op::kCaptionValue:
        call.controls.SetControlText(step.control, s.Lang(step.number) + IntToText(call.value));
        break;
      case Op::kCaptionTrilinear:
        call.controls.SetControlText(step.control, s.Lang(123) + s.Lang(TrilinearEntry(call.value)));
        break;
      case Op::kWriteDepth: {
        const ValueLocation where = Locate(s, *step.value);
        const std::int32_t stored = s.reg.ReadRegValue(where.root, where.key, where.name).NumberOr(0);
        Write(call, *step.value, (stored & ~0x0C) | static_cast<std::int32_t>(step.number));
        break;
      }
      case Op::kD3D: {
        const std::int16_t code = static_cast<std::int16_t>(step.number);
        const std::int32_t zero = 0;
        WriteD3DSetting(s, call.controls, code, zero);
        break;
      }
    }
  }
}

}  // namespace ks
