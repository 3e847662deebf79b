// The stand-in DLLs on the fake machine: resources with the content of
// tests/winehelp/standins/*.rc.
#include "contract/standins.h"
#include "platform/fake/machine.h"

namespace ks::test {

namespace {
fake::VersionResource StandIn(const std::string& version, bool translation, bool file_version) {
  fake::VersionResource r;
  if (translation) r.translations = {{0x0409, 0x04B0}};
  auto& table = r.strings["040904B0"];
  table["CompanyName"] = "Kestrelane test stand-in";
  if (file_version) table["FileVersion"] = version;
  table["ProductVersion"] = version;
  return r;
}
}  // namespace

void InstallStandIns(platform::Platform& machine) {
  auto& fake_machine = dynamic_cast<fake::FakeMachine&>(machine);
  std::string dir = fake_machine.sys.GetSystemDirectory() + "\\";
  fake_machine.ver.AddDll(dir + "nv4_disp.dll", StandIn("6.14.10.9371", true, true));
  fake_machine.ver.AddDll(dir + "nvd3dum.dll", StandIn("7.15.11.7519", true, true));
  fake_machine.ver.AddDll(dir + "NvCpl.dll", StandIn("6.14.10.9371", true, true));
  fake_machine.ver.AddDll(dir + "ks_oldnv.dll", StandIn("6.14.10.2280", true, true));
  fake_machine.ver.AddDll(dir + "ks_notrans.dll", StandIn("6.14.10.7701", false, true));
  fake_machine.ver.AddDll(dir + "ks_nofilever.dll", StandIn("6.14.10.7701", true, false));
}

}  // namespace ks::test
