// A card's clocks on a fake machine: the process state as start-up leaves
// it for one card, and the driver's loader that keeps the card's clocks.
// The trace records, in order, every value the program writes or deletes
// under the hardware key ("set Krusty = 123", "delete Homer"), every Run
// value it touches and every process it starts ("start rundll32 ...").
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/fake/machine.h"
#include "platform/fake/nvidia_driver.h"
#include "shell/se_state.h"

namespace ks::test {

inline constexpr const char* kHwKeyA1 =
    "Software\\NVIDIA Corporation\\Global\\NVTweak\\Devices\\VEN_10DE&DEV_0322&SUBSYS_00000000&REV_A1&INST00"
    "\\Hardware";

struct ClockCard {
  std::int16_t os_class = 3;
  std::int32_t build = 7701;
  std::string device_id = "0322";
  std::string hw_key = kHwKeyA1;
  std::int32_t homer = 74565;
  fake::DriverClocks defaults{350, 700};
  fake::DriverClocks defaults3d{0, 0};
};

struct ClockRig {
  fake::FakeMachine m;
  SeState s{m};
  fake::FakeNvidiaDriver driver{m.reg, m.proc};
  std::vector<std::string> trace;

  explicit ClockRig(const ClockCard& card = ClockCard()) {
    s.OsClass = card.os_class;
    s.DriverBuild = card.build;
    s.DeviceId = card.device_id;
    s.DevicePrefix = card.device_id.substr(0, 3);
    s.DeviceIdNum = static_cast<std::int16_t>(std::stoul(card.device_id, nullptr, 16));
    s.DeviceIdNumCopy = s.DeviceIdNum;
    s.NvTweakHwKey = card.hw_key;
    driver.key = ReadPath();
    driver.homer = card.homer;
    driver.device_id = static_cast<std::uint16_t>(s.DeviceIdNum);
    driver.has_3d = !(card.defaults3d == fake::DriverClocks{});
    driver.SetDefaults(card.defaults, card.defaults3d);

    auto driver_hook = m.proc.on_start;
    m.proc.on_start = [this, driver_hook](const fake::FakeProcesses::Started& started) {
      trace.push_back("start " + started.command_line);
      driver_hook(started);
    };
    m.reg.on_call = [this](const fake::FakeRegistry::Call& call) {
      const bool hw = call.path.find("\\Hardware") != std::string::npos;
      const bool run = call.path.find("CurrentVersion\\Run") != std::string::npos;
      if (!hw && !run) return;
      const std::string where = run ? "Run " : "";
      if (call.op == "RegSetValueExA") trace.push_back("set " + where + call.name + " = " + Shown(call));
      if (call.op == "RegDeleteValueA") trace.push_back("delete " + where + call.name);
    };
  }

  static std::string Shown(const fake::FakeRegistry::Call& call) {
    if (call.type == platform::kRegSz) return "\"" + call.bytes.substr(0, call.bytes.find('\0')) + "\"";
    std::uint32_t n = 0;
    for (size_t i = 0; i < call.bytes.size() && i < 4; ++i)
      n |= static_cast<std::uint32_t>(static_cast<unsigned char>(call.bytes[i])) << (8 * i);
    std::string shown = std::to_string(static_cast<std::int32_t>(n));
    if (call.type != platform::kRegDword) shown += " (type " + std::to_string(call.type) + ")";
    return shown;
  }

  // The hardware key under the readers' / the writers' root.
  std::string ReadPath() const { return std::string(s.OsClass != 0 ? "HKCU\\" : "HKLM\\") + s.NvTweakHwKey; }
  std::string WritePath() const {
    return std::string(s.OsClass != 0 || s.DriverBuild >= 2500 ? "HKCU\\" : "HKLM\\") + s.NvTweakHwKey;
  }

  // Puts a value under the hardware key (readers' root) without tracing it.
  void Put(const std::string& name, std::int32_t value) { m.reg.PutDword(ReadPath(), name, static_cast<std::uint32_t>(value)); }
  // The driver's values as the loader writes them.
  void PutDriverValues() {
    Put("Homer", driver.homer);
    Put("Bart", driver.Encode(driver.set2d.defaults, driver.homer));
  }
  std::optional<std::int32_t> Value(const std::string& path, const std::string& name) const {
    auto v = m.reg.Get(path, name);
    if (!v || v->bytes.size() != 4) return std::nullopt;
    std::uint32_t n = 0;
    for (int i = 0; i < 4; ++i) n |= static_cast<std::uint32_t>(static_cast<unsigned char>(v->bytes[i])) << (8 * i);
    return static_cast<std::int32_t>(n);
  }
  std::vector<std::string> Starts() const {
    std::vector<std::string> lines;
    for (const auto& p : m.proc.started()) lines.push_back(p.command_line);
    return lines;
  }
  // Clocks as the state holds them: {core def, mem def, core, mem}.
  std::vector<int> State() const { return {s.CoreClockDef, s.MemClockDef, s.CoreClock, s.MemClock}; }
};

}  // namespace ks::test
