// The values of the benchmark's preset in the driver key KestrelaneSE finds
// on this machine, found the same way:
//
//   ks_bench_preset_values clear <count>
//       deletes "KsBenchValue01" .. "KsBenchValue<count>";
//   ks_bench_preset_values check <count>
//       ends with 0 when each of them holds its own number as the preset
//       writes it (4-byte REG_BINARY), else prints the first that does not
//       and ends with 1.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/win32/machine.h"
#include "platform/win32/win.h"
#include "shell/Form1.h"
#include "shell/se_state.h"

namespace {

std::string ValueName(int i) {
  char name[32];
  std::snprintf(name, sizeof(name), "KsBenchValue%02d", i);
  return name;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc == 3 ? argv[1] : "";
  const int count = argc == 3 ? std::atoi(argv[2]) : 0;
  if ((mode != "clear" && mode != "check") || count < 1) {
    std::fprintf(stderr, "usage: ks_bench_preset_values clear|check <count>\n");
    return 2;
  }
  std::string key;
  {
    ks::win32::Win32Machine machine;
    ks::SeState state(machine);
    ks::Form1 main(state);
    main.ShowOsAndDirectXVersion();
    main.FindDriverKey();
    key = state.DriverKey;
  }
  if (key.empty()) {
    std::fprintf(stderr, "  the program finds no driver key here\n");
    return 1;
  }
  HKEY h = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &h) != ERROR_SUCCESS) {
    if (mode == "clear") return 0;
    std::fprintf(stderr, "  the driver key HKEY_LOCAL_MACHINE\\%s cannot be opened\n", key.c_str());
    return 1;
  }
  int result = 0;
  for (int i = 1; i <= count && result == 0; ++i) {
    const std::string name = ValueName(i);
    if (mode == "clear") {
      RegDeleteValueA(h, name.c_str());
      continue;
    }
    DWORD type = 0;
    std::int32_t number = 0;
    DWORD size = sizeof(number);
    const LONG read = RegQueryValueExA(h, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&number), &size);
    if (read != ERROR_SUCCESS || type != REG_BINARY || size != sizeof(number) || number != i) {
      std::fprintf(stderr, "  the preset's value %s is not in HKEY_LOCAL_MACHINE\\%s as a 4-byte binary %d\n",
                   name.c_str(), key.c_str(), i);
      result = 1;
    }
  }
  RegCloseKey(h);
  return result;
}
