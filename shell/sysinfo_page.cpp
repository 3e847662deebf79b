#include "shell/sysinfo_page.h"

#include "shell/Form1.h"
#include "shell/Module2.h"
#include "common/numbers.h"

namespace ks {

namespace {

constexpr const char* kCpu0 = "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";
constexpr const char* kCpu1 = "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\1";

std::int32_t RoundedMB(std::uint64_t bytes) {
  double mb = static_cast<double>(bytes) / 1024.0 / 1024.0;
  return ToInt32(mb).value_or(0);
}

}  // namespace

std::int32_t TotalMemoryMB(std::uint64_t total_bytes) {
  std::int32_t rounded = RoundedMB(total_bytes);
  std::int32_t up = rounded + 1;
  return up % 4 == 0 ? up : rounded;
}

std::int32_t AvailableMB(std::uint64_t avail_bytes) { return RoundedMB(avail_bytes) + 1; }

std::string Form1::GetMemInfo() {
  SeState& s = st_;
  // The older record is signed 32-bit in the original reading and stops at
  // 2 or 4 GB; the 64-bit one counts every byte.
  platform::MemoryStatus status;
  if (!s.platform.system().GlobalMemoryStatusEx(&status)) s.platform.system().GlobalMemoryStatus(&status);
  AvailableMemoryMB = AvailableMB(status.avail_phys);
  return IntToText(TotalMemoryMB(status.total_phys));
}

bool IsPciExpressChip(const std::string& id) {
  static constexpr const char* kIds[] = {"0141", "0140", "0161", "00FA", "00FB", "00FC", "00FD", "00FF"};
  for (const char* known : kIds) {
    if (id == known) return true;
  }
  return id.compare(0, 3, "009") == 0 || id.compare(0, 3, "021") == 0;
}

void Form1::ShowSystemInfo() {
  SeState& s = st_;
  platform::SystemInfoRecord info;
  s.platform.system().GetSystemInfo(&info);
  std::uint32_t processors = info.number_of_processors;
  // A number turned into text keeps a blank where a minus would go.
  std::string identifier(1, ' ');
  identifier += IntToText(info.processor_type);

  std::string total = GetMemInfo();
  Label2[6].SetCaption(s.Lang(108) + total + " MB (" + IntToText(AvailableMemoryMB) + " MB " + s.Lang(111) + ")");

  GetChipRevision(s);
  Label2[7].SetCaption(s.Lang(102) + s.DeviceId);
  Label2[9].SetCaption(s.Lang(103) + s.ChipRevision);
  if (IsPciExpressChip(s.DeviceId)) Label2[7].SetCaption(Label2[7].Caption() + s.Lang(113));

  Mhz = s.reg.ReadRegValue(kHkeyLocalMachine, kCpu0, "~MHz").NumberOr(0);
  s.CpuMhz = Mhz;
  if (Mhz != 0) Label2[5].SetCaption(s.Lang(107) + IntToText(Mhz) + "MHz");

  Pid = s.reg.ReadRegValue(kHkeyLocalMachine, kCpu0, "Identifier").AsText();
  Pvid = s.reg.ReadRegValue(kHkeyLocalMachine, kCpu0, "VendorIdentifier").AsText();
  if (!Pid.empty()) identifier = Pid;
  Label2[10].SetCaption(s.Lang(106) + Pvid);

  ProcessorNameString = s.reg.ReadRegValue(kHkeyLocalMachine, kCpu0, "ProcessorNameString").AsText();
  std::string second_name = s.reg.ReadRegValue(kHkeyLocalMachine, kCpu1, "ProcessorNameString").AsText();
  std::string name;
  if (!ProcessorNameString.empty()) {
    name = ProcessorNameString;
    if (second_name == ProcessorNameString) {
      Label2[10].SetCaption(Label2[10].Caption() + " with HT");
      TwoCPU = 1;
    }
  }
  if (processors == 2) TwoCPU = 1;
  if (TwoCPU == 0) {
    Label14[2].SetVisible(false);
    Label14[3].SetVisible(false);
  }

  size_t first = name.find_first_not_of(' ');
  name = first == std::string::npos ? std::string() : name.substr(first);
  Label2[4].SetCaption(s.Lang(105) + name + " / " + identifier);
}

}  // namespace ks
