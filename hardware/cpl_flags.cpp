#include "hardware/cpl_flags.h"

#include <cstdlib>

#include "shell/Form1.h"

namespace ks {

namespace {

// Off, then on: 3 on Windows 9x/Me and older drivers, -1 from build 4041.
constexpr std::int32_t kCoolBitsWrites[] = {0, 3, -1};
// Cleared and ticked (the refresh rate box the other way round).
constexpr std::int32_t kBoxWrites[] = {0, 1};

constexpr CplFlagRow kRows[] = {
    {0, "oc", "CoolBits", CplRead::kCoolBits, 0, kCoolBitsWrites},
    {1, "agp", "NvCplEnableAGPSettingsPage", CplRead::kExactlyOne, 0, kBoxWrites},
    {2, "additional", "NvCplEnableAdditionalInfoPage", CplRead::kState, 0, kBoxWrites},
    {3, "debug", "NvCplEnableTroubleshootingPage", CplRead::kState, 0, kBoxWrites},
    {4, "app", "NvCplEnableAppProfilePage", CplRead::kState, 1, kBoxWrites},
    {5, "nview", "TwinViewCapsOverride", CplRead::kState, 0, kBoxWrites},
    {6, "ovl", "NvCplEnableOverlaySpanControl", CplRead::kState, 0, kBoxWrites},
    {10, "refresh", "NvCplDisableRefreshRatePage", CplRead::kInverted, 0, kBoxWrites},
};

// Cards whose AGP page the driver does not offer (PCI Express chips).
bool WithoutAgpPage(const std::string& id) {
  for (const char* known : {"00FA", "00FB", "00FC", "00FD", "00FF"})
    if (id == known) return true;
  const std::string prefix = id.substr(0, 3);
  return prefix == "014" || prefix == "016" || prefix == "009";
}

// Undoes a change of loading_ on every way out.
class Flag {
 public:
  explicit Flag(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
  ~Flag() { flag_ = before_; }

 private:
  bool& flag_;
  bool before_;
};

}  // namespace

std::span<const CplFlagRow> CplFlagRows() { return kRows; }

const CplFlagRow* CplFlagRowOf(int box) {
  for (const CplFlagRow& row : kRows)
    if (row.box == box) return &row;
  return nullptr;
}

ControlPanelFlags::ControlPanelFlags(Form1& form, SeState& state) : f_(form), st_(state) {
  f_.Check7.OnClick = [this](int index) { Check7_Click(index); };
  f_.Check7.OnMouseMove = [this](int index, int, int, float, float) { Check7_MouseMove(index); };
  f_.Image1.OnClick = [this] { Image1_Click(); };
}

std::string ControlPanelFlags::AgpKey() const { return st_.OsClass == 0 ? st_.NvTweakHwKey : kCplFlagsKey; }

void ControlPanelFlags::WriteFlag(const std::string& key, const char* name, std::int32_t value) {
  // The control panel reads these as DWORDs, whatever another writer left
  // the binary switch at.
  st_.reg.WriteAsBinary = 0;
  st_.reg.WriteRegValue(kHkeyLocalMachine, key, name, value);
}

void ControlPanelFlags::EnableCoolBits() {
  const std::int32_t value = st_.OsClass != 0 && st_.DriverBuild >= 4041 ? -1 : 3;
  WriteFlag(kCplFlagsKey, "CoolBits", value);
}

void ControlPanelFlags::DisableCoolBits() { WriteFlag(kCplFlagsKey, "CoolBits", 0); }

void ControlPanelFlags::EnableAgpPage() { WriteFlag(AgpKey(), "NvCplEnableAGPSettingsPage", 1); }

void ControlPanelFlags::DisableAgpPage() { WriteFlag(AgpKey(), "NvCplEnableAGPSettingsPage", 0); }

void ControlPanelFlags::Check7_Click(int index) {
  // Boxes set by the program itself write nothing.
  if (f_.IsStart != 0 || loading_) return;
  const int state = f_.Check7[index].Value();
  switch (index) {
    case 0: state == ui::kChecked ? EnableCoolBits() : DisableCoolBits(); break;
    case 1: state == ui::kChecked ? EnableAgpPage() : DisableAgpPage(); break;
    case 2: case 3: case 4: case 5: case 6:
      WriteFlag(kCplFlagsKey, CplFlagRowOf(index)->value, state);
      break;
    case 10: WriteFlag(kCplFlagsKey, "NvCplDisableRefreshRatePage", std::abs(state - 1)); break;
    default: break;
  }
}

void ControlPanelFlags::LoadNvCplFlags() {
  Flag loading(loading_);
  for (const CplFlagRow& row : kRows) {
    if (!f_.Check7.Has(row.box)) continue;
    ui::CheckBox& box = f_.Check7[row.box];
    const std::string key = row.box == 1 ? AgpKey() : kCplFlagsKey;
    const std::int32_t n = st_.reg.ReadRegValue(kHkeyLocalMachine, key, row.value).NumberOr(row.missing);
    switch (row.read) {
      case CplRead::kCoolBits: box.SetValue(n == 3 || n == -1 ? ui::kChecked : ui::kUnchecked); break;
      case CplRead::kExactlyOne: box.SetValue(n == 1 ? ui::kChecked : ui::kUnchecked); break;
      case CplRead::kState: box.SetValue(n); break;  // refused unless 0, 1 or 2
      case CplRead::kInverted: box.SetValue(n != 1 ? ui::kChecked : ui::kUnchecked); break;
    }
    if (row.box == 1 && WithoutAgpPage(st_.DeviceId)) box.SetEnabled(false);
    if (row.box == 4 && st_.DriverBuild < 5500) box.SetEnabled(false);
    // Drivers from 70.01 on hide the refresh rate page unless told otherwise.
    if (row.box == 10 && st_.DriverBuild >= 7001 &&
        st_.reg.ReadRegValue(kHkeyLocalMachine, kCplFlagsKey, row.value).AsText().empty())
      box.SetValue(ui::kUnchecked);
  }
}

void ControlPanelFlags::Check7_MouseMove(int index) {
  const CplFlagRow* row = CplFlagRowOf(index);
  if (row == nullptr) return;  // the hidden boxes have no picture
  if (!f_.Image1.Visible()) f_.Image1.SetVisible(true);
  if (row->tag == LastCplTag) return;
  LastCplTag = row->tag;
  f_.Image1.LoadPicture(st_.DataPath(std::string("\\data\\cpl\\") + row->tag + ".jpg"));
}

void ControlPanelFlags::Image1_Click() { st_.platform.shell().ControlPanelItem("desk.cpl"); }

}  // namespace ks
