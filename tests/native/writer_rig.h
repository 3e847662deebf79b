// A fake machine for the setting writer tests: every value write, deletion
// and control update lands, in call order, in one list of readable lines,
//   "set <key> <name> <type> <bytes in hex>", "del <key> <name>",
//   "Combo4 = <text>",
// where <key> is written with DK for the driver key.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

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

// Passes every call to the fake registry and notes the writes and deletions.
class RecordingRegistry : public platform::Registry {
 public:
  RecordingRegistry(fake::FakeRegistry& reg, std::vector<std::string>& lines, std::string driver_key)
      : reg_(reg), lines_(lines), driver_key_(std::move(driver_key)) {}

  long OpenKey(platform::RegKey p, const std::string& s, platform::RegKey* out) override { return reg_.OpenKey(p, s, out); }
  long CreateKey(platform::RegKey p, const std::string& s, platform::RegKey* out) override {
    return reg_.CreateKey(p, s, out);
  }
  long QueryValue(platform::RegKey k, const std::string& n, std::uint32_t* t, std::string* d,
                  std::uint32_t* size) override {
    return reg_.QueryValue(k, n, t, d, size);
  }
  long SetValue(platform::RegKey k, const std::string& n, std::uint32_t type, const std::string& bytes) override {
    long result = reg_.SetValue(k, n, type, bytes);
    const char* names[] = {"REG_NONE", "REG_SZ", "REG_EXPAND_SZ", "REG_BINARY", "REG_DWORD"};
    std::string type_name = type < 5 ? names[type] : "type" + std::to_string(type);
    lines_.push_back("set " + Short(reg_.log().back().path) + " " + n + " " + type_name + " " + Hex(bytes));
    return result;
  }
  long SetDefaultValue(platform::RegKey k, const std::string& s, const std::string& text) override {
    return reg_.SetDefaultValue(k, s, text);
  }
  long DeleteValue(platform::RegKey k, const std::string& n) override {
    long result = reg_.DeleteValue(k, n);
    lines_.push_back("del " + Short(reg_.log().back().path) + " " + n);
    return result;
  }
  long CloseKey(platform::RegKey k) override { return reg_.CloseKey(k); }

 private:
  std::string Short(const std::string& path) const {
    std::string full = "HKEY_LOCAL_MACHINE\\" + driver_key_;
    if (path.compare(0, full.size(), full) == 0) return "DK" + path.substr(full.size());
    const std::string hklm = "HKEY_LOCAL_MACHINE\\";
    if (path.compare(0, hklm.size(), hklm) == 0) return path.substr(hklm.size());
    return path;
  }
  fake::FakeRegistry& reg_;
  std::vector<std::string>& lines_;
  std::string driver_key_;
};

class RecordingControls : public SettingControls {
 public:
  explicit RecordingControls(std::vector<std::string>& lines) : lines_(lines) {}
  void SetControlText(WriterControl c, const std::string& text) override {
    lines_.push_back(std::string(ControlName(c)) + " = " + text);
  }

 private:
  std::vector<std::string>& lines_;
};

class RecordingPlatform : public platform::Platform {
 public:
  RecordingPlatform(fake::FakeMachine& m, RecordingRegistry& r) : m_(m), r_(r) {}
  platform::Registry& registry() override { return r_; }
  platform::Files& files() override { return m_.fs; }
  platform::Dialogs& dialogs() override { return m_.msg; }

 private:
  fake::FakeMachine& m_;
  RecordingRegistry& r_;
};

// One machine with its program state; language entry n reads "#n".
struct WriterRig {
  WriterRig(std::int16_t os_class, std::int32_t driver_build)
      : driver_key(os_class == 0 ? k9xDriverKey : kNtDriverKey),
        recorder(m.reg, lines, driver_key),
        platform(m, recorder),
        state(platform),
        controls(lines) {
    state.OsClass = os_class;
    state.DriverBuild = driver_build;
    state.DriverKey = driver_key;
    for (size_t i = 0; i < state.LanguageTable.size(); ++i) state.LanguageTable[i] = "#" + std::to_string(i);
  }

  fake::FakeMachine m;
  std::vector<std::string> lines;
  std::string driver_key;
  RecordingRegistry recorder;
  RecordingPlatform platform;
  SeState state;
  RecordingControls controls;
};

}  // namespace ks::test
