// The main window on a fake machine with the driver's values stored where
// the setting writers put them, for the settings reader and page tests.
// Language entry n reads "<n>"; IsStart is 1 unless a test changes it.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <exception>
#include <vector>

#include "engine/driver_values.h"
#include "native/fixtures/machines.h"
#include "native/writer_rig.h"
#include "platform/fake/machine.h"
#include "shell/Form1.h"

namespace ks::test {

// Shows the page of the main window that holds `control`, so the user can reach it.
void ShowPageOf(Form1& form, ui::Control& control);

// A number the driver holds for one value, for a table of cases.
struct StoredNumber {
  const DriverValue* value;
  std::uint32_t number;
};

struct ReaderRig {
  ReaderRig(std::int16_t os_class, std::int32_t build, const std::string& device = "0322") : st(m), f(st) {
    st.OsClass = os_class;
    st.DriverBuild = build;
    st.DriverKey = os_class == 0 ? k9xDriverKey : kNtDriverKey;
    st.DeviceId = device;
    MarkLanguage(st);
    f.IsStart = 1;
  }

  // Stores a number where the writers keep `value` on this machine.
  void Store(const DriverValue& value, std::uint32_t number) {
    const ValueLocation where = Locate(st, value);
    const std::string path = "HKLM\\" + where.key;
    if (where.binary) m.reg.Put(path, where.name, 3, FourBytes(number));
    else m.reg.PutDword(path, where.name, number);
  }
  void Store(const std::vector<StoredNumber>& numbers) {
    for (const StoredNumber& s : numbers) Store(*s.value, s.number);
  }
  void StoreText(const DriverValue& value, const std::string& text) {
    const ValueLocation where = Locate(st, value);
    m.reg.PutString("HKLM\\" + where.key, where.name, text);
  }

  // What a control or a process-wide value shows: "Combo3" (text),
  // "Check6(0)" (value), "FlatScrollBar3" (position), "Label12(0)"
  // (caption), "Option2(1)" (0/1); ".Enabled" behind a control name gives
  // 0/1; "GammaAA", "TranspAAMode", "AAModeText", "SliAAFlag", "AAGuard",
  // "PsVersion", "VsVersion", "MaxTextures", "WriteAsBinary".
  std::string Probe(const std::string& what);
  // The probes that differ from `expected`, as "probe: got X, want Y".
  std::vector<std::string> Differences(const std::vector<std::pair<std::string, std::string>>& expected) {
    std::vector<std::string> out;
    for (const auto& [probe, want] : expected) {
      const std::string got = Probe(probe);
      if (got != want) out.push_back(probe + ": got \"" + got + "\", want \"" + want + "\"");
    }
    return out;
  }

  // From now on every registry value write and deletion lands in `ops`
  // as a line of writer_rig.h ("set DK <name> <type> <hex>", "del DK <name>").
  void Record();
  std::vector<std::string> TakeOps() { return std::exchange(ops, {}); }
  void Reach(ui::Control& control) { ShowPageOf(f, control); }

  fake::FakeMachine m;
  SeState st;
  Form1 f;
  std::vector<std::string> ops;
};

}  // namespace ks::test
