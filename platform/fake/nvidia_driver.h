// The NVIDIA driver's clock keeping on the fake machine: what its
// control-panel loaders ("rundll32 NvCpl.dll,NvStartup", "rundll32
// NvQtwk,...", any spelling) do with the clock values of one card.
//
// A loader run: for each clock set of the card, a requested pair in force
// ("Marge" 1 and a requested value present) becomes the clocks the card
// runs at, "Marge" 0 or missing puts the defaults back in force; then the
// loader writes what is missing: "Homer" (its key number), the default
// pair, and the requested pair while the card runs off its defaults.
// Pairs are encoded as the driver does it (core in the low word, memory
// in the high word, each xor its key).
//
// The loader answers at once (inside StartProgram) or not yet (a test
// lets the started loaders run with RunPending), so a caller's reads right
// after the start see either order. Installs itself as the fake processes'
// on_start hook.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/fake/processes.h"
#include "platform/fake/registry.h"

namespace ks::fake {

// Core and memory clock in MHz.
struct DriverClocks {
  std::int32_t core = 0;
  std::int32_t mem = 0;
  bool operator==(const DriverClocks&) const = default;
};

class FakeNvidiaDriver {
 public:
  enum class Answer { kAtOnce, kNotYet };
  using Clocks = DriverClocks;
  struct ClockSet {
    const char* def;  // "Bart" / "Bart3D"
    const char* req;  // "Krusty" / "Krusty3D"
    Clocks defaults;
    Clocks in_force;  // what the card runs at
  };

  FakeNvidiaDriver(FakeRegistry& reg, FakeProcesses& processes);
  FakeNvidiaDriver(const FakeNvidiaDriver&) = delete;
  FakeNvidiaDriver& operator=(const FakeNvidiaDriver&) = delete;

  // --- the card (set before the first loader runs) ---
  std::string key;          // where the loader keeps the values: "HKCU\...\Hardware"
  std::int32_t homer = 0;   // the key number it writes to "Homer"
  std::uint16_t device_id = 0;
  ClockSet set2d{"Bart", "Krusty", {}, {}};
  ClockSet set3d{"Bart3D", "Krusty3D", {}, {}};
  bool has_3d = false;      // the card has a separate 3D clock set
  // Sets the defaults of both sets and puts them in force.
  void SetDefaults(Clocks d2, Clocks d3 = {});

  Answer answer = Answer::kAtOnce;
  // The loaders started and not yet run (Answer::kNotYet).
  int Pending() const { return pending_; }
  void RunPending();
  int runs = 0;

  // The clock pair as the driver stores it.
  std::int32_t Encode(Clocks c, std::int32_t h) const;
  Clocks Decode(std::int32_t stored, std::int32_t h) const;
  // A value of the key as a number; nullopt when missing or not a DWORD.
  std::optional<std::int32_t> Number(const std::string& name) const;

 private:
  static bool IsLoader(const std::string& command_line);
  void Run();
  void RunSet(ClockSet& set);

  FakeRegistry& reg_;
  int pending_ = 0;
};

}  // namespace ks::fake
