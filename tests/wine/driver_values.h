// The driver key KestrelaneSE.exe writes to on this machine and the values
// a Wine test reads back from it, straight from the real registry.
#pragma once

#include <cstdint>
#include <string>

#include "platform/win32/win.h"
#include "shell/Form1.h"
#include "wine/wine_machine.h"

namespace ks::test {

// The driver key the program finds here, found the same way; "" when none.
inline std::string ProgramsDriverKey() {
  WineMachine machine;
  SeState state(machine);
  Form1 main(state);
  main.ShowOsAndDirectXVersion();
  main.FindDriverKey();
  return state.DriverKey;
}

// Type and number of a value under HKEY_LOCAL_MACHINE; type 0 when missing.
inline DWORD Stored(const std::string& key, const char* name, std::int32_t* number, DWORD* size) {
  HKEY h = nullptr;
  if (RegOpenKeyA(HKEY_LOCAL_MACHINE, key.c_str(), &h) != ERROR_SUCCESS) return 0;
  DWORD type = 0;
  *size = sizeof(*number);
  const LONG result = RegQueryValueExA(h, name, nullptr, &type, reinterpret_cast<BYTE*>(number), size);
  RegCloseKey(h);
  return result == ERROR_SUCCESS ? type : 0;
}

}  // namespace ks::test
