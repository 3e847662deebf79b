// Runs the start-up detection on the real machine and writes what it found,
// one "name=value" line each, into the file named by its argument.
#include <fstream>
#include <string>

#include "platform/win32/machine.h"
#include "shell/Form1.h"
#include "shell/Module1.h"

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  ks::win32::Win32Machine machine;
  ks::SeState s(machine);
  ks::Form1 form(s);
  form.ShowOsAndDirectXVersion();
  form.FindDriverKey();
  form.ShowCardName();
  form.ReadDriverVersion();
  ks::FindNvidiaDevices(s);
  form.ShowCardName();

  std::ofstream out(argv[1], std::ios::binary);
  out << "OsClass=" << s.OsClass << "\n";
  out << "D3DRuntimeBuild=" << s.D3DRuntimeBuild << "\n";
  out << "DriverBuild=" << s.DriverBuild << "\n";
  out << "DriverKey=" << s.DriverKey << "\n";
  for (int i = 0; i < 4; ++i) out << "Label2(" << i << ")=" << form.Label2[i].Caption() << "\n";
  return out ? 0 : 1;
}
