// A fake machine for the setting writer tests: every value write, deletion
// and control update lands, in call order, in one list of readable lines,
//   "set <key> <name> <type> <bytes in hex>", "del <key> <name>",
//   "Combo4 = <text>",
// where <key> is written with DK for the driver key.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/writer_controls.h"
#include "platform/fake/machine.h"
#include "shell/se_state.h"

namespace ks::test {

inline constexpr const char* kNtDriverKey = "SYSTEM\\CurrentControlSet\\Control\\Video\\{5D1B1F1A}\\0000";
inline constexpr const char* k9xDriverKey = "System\\CurrentControlSet\\Services\\Class\\Display\\0000";

inline std::string Hex(const std::string& bytes) {
  std::string out;
  char buf[4];
  for (unsigned char b : bytes) {
    std::snprintf(buf, sizeof buf, "%02X", b);
    if (!out.empty()) out += ' ';
    out += buf;
  }
  return out;
}

inline std::string FourBytes(std::uint32_t v) {
  std::string b;
  for (int i = 0; i < 4; ++i) b += static_cast<char>((v >> (8 * i)) & 0xFF);
  return b;
}

// Expected lines.
inline std::string Dword(const std::string& key, const std::string& name, std::uint32_t v) {
  return "set " + key + " " + name + " REG_DWORD " + Hex(FourBytes(v));
}
inline std::string Binary(const std::string& key, const std::string& name, std::uint32_t v) {
  return "set " + key + " " + name + " REG_BINARY " + Hex(FourBytes(v));
}
inline std::string Deleted(const std::string& key, const std::string& name) { return "del " + key + " " + name; }

inline const char* ControlName(WriterControl c) {
  switch (c) {
    case WriterControl::kNone: return "none";
    case WriterControl::kCombo4: return "Combo4";
    case WriterControl::kCombo2: return "Combo2";
    case WriterControl::kCombo8: return "Combo8";
    case WriterControl::kCombo7: return "Combo7";
    case WriterControl::kLabel6_3: return "Label6(3)";
    case WriterControl::kLabel4_4: return "Label4(4)";
    case WriterControl::kLabel4_3: return "Label4(3)";
  }
  return "?";
}

class RecordingControls : public SettingControls {
 public:
  explicit RecordingControls(std::vector<std::string>& lines) : lines_(lines) {}
  void SetControlText(WriterControl c, const std::string& text) override {
    lines_.push_back(std::string(ControlName(c)) + " = " + text);
  }

 private:
  std::vector<std::string>& lines_;
};

// One machine with its program state; language entry n reads "#n".
struct WriterRig {
  WriterRig(std::int16_t os_class, std::int32_t driver_build)
      : driver_key(os_class == 0 ? k9xDriverKey : kNtDriverKey), state(m), controls(lines) {
    m.reg.on_call = [this](const fake::FakeRegistry::Call& call) { Note(call); };
    state.OsClass = os_class;
    state.DriverBuild = driver_build;
    state.DriverKey = driver_key;
    for (size_t i = 0; i < state.LanguageTable.size(); ++i) state.LanguageTable[i] = "#" + std::to_string(i);
  }

  fake::FakeMachine m;
  std::vector<std::string> lines;
  std::string driver_key;
  SeState state;
  RecordingControls controls;

 private:
  // Every value write and deletion, failed ones included, as a line.
  void Note(const fake::FakeRegistry::Call& call) {
    if (call.op == "RegSetValueExA") {
      const char* names[] = {"REG_NONE", "REG_SZ", "REG_EXPAND_SZ", "REG_BINARY", "REG_DWORD"};
      std::string type_name = call.type < 5 ? names[call.type] : "type" + std::to_string(call.type);
      lines.push_back("set " + Short(call.path) + " " + call.name + " " + type_name + " " + Hex(call.bytes));
    } else if (call.op == "RegDeleteValueA") {
      lines.push_back("del " + Short(call.path) + " " + call.name);
    }
  }
  // The key with DK for the driver key, without the HKEY_LOCAL_MACHINE root.
  std::string Short(const std::string& path) const {
    const std::string hklm = "HKEY_LOCAL_MACHINE\\";
    std::string full = hklm + driver_key;
    if (path.compare(0, full.size(), full) == 0) return "DK" + path.substr(full.size());
    if (path.compare(0, hklm.size(), hklm) == 0) return path.substr(hklm.size());
    return path;
  }
};

// One row of a writer table: the machine, the call, and the lines expected.
struct WriterCase {
  const char* name;
  std::int16_t os;
  std::int32_t build;
  std::int16_t code;
  std::int32_t value;
  std::vector<std::string> expected;
  std::function<void(WriterRig&)> given = nullptr;
};

using SettingWriter = void (*)(SeState&, SettingControls&, const std::int16_t&, const std::int32_t&);

// Runs the writer for one row and checks what every call must leave behind:
// the switch cleared, no key open, the arguments unchanged.
inline void RunWriterCase(SettingWriter write, const WriterCase& c) {
  SCOPED_TRACE(c.name);
  WriterRig rig(c.os, c.build);
  if (c.given) c.given(rig);
  const std::int16_t code = c.code;
  const std::int32_t value = c.value;
  write(rig.state, rig.controls, code, value);
  EXPECT_EQ(rig.lines, c.expected);
  EXPECT_EQ(rig.state.reg.WriteAsBinary, 0) << "the switch is cleared on return";
  EXPECT_EQ(rig.m.reg.OpenHandleCount(), 0);
  EXPECT_EQ(code, c.code);
  EXPECT_EQ(value, c.value);
}

inline void SwitchOn(WriterRig& rig) { rig.state.reg.WriteAsBinary = 1; }

}  // namespace ks::test
