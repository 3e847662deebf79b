#include "shell/navigation.h"

#include "shell/Form1.h"
#include "shell/Form2.h"
#include "shell/Form5.h"
#include "common/datafile.h"
#include "shell/satellite_forms.h"
#include "shell/weblink.h"

namespace ks {

int SiblingPage(int page, int position) {
  for (const auto& group : kPageGroups) {
    for (int p : group) {
      if (p != page) continue;
      if (position < 1 || position > static_cast<int>(group.size())) return -1;
      return group[static_cast<size_t>(position - 1)];
    }
  }
  return -1;
}

int PageOfMenuKey(std::string_view key) {
  for (const auto& button : kToolbarButtons)
    for (const auto& menu : button.menus)
      if (menu.key != nullptr && key == menu.key) return menu.page;
  return -1;
}

void DesignToolbar(ui::Toolbar& toolbar) {
  for (const auto& row : kToolbarButtons) {
    const bool drop_down = row.menus[0].key != nullptr;
    ui::ToolButton& button =
        toolbar.AddButton(row.key, row.caption, drop_down ? ui::ButtonStyle::kDropDown : ui::ButtonStyle::kDefault);
    button.ToolTipText = row.caption;
    for (const auto& menu : row.menus)
      if (menu.key != nullptr) button.AddMenu(menu.key, menu.text);
  }
}

void Form1::ShowPage() {
  for (int i = Frame1.LBound(); i <= Frame1.UBound(); ++i)
    if (Frame1.Has(i)) Frame1[i].SetVisible(false);
  if (Frame1.Has(ActivePage)) Frame1[ActivePage].SetVisible(true);

  if (ActivePage == 3 && OcFirstVisit == 1) {
    if (Procedures.EnableOC) Procedures.EnableOC();
    OcFirstVisit = 0;
  } else if (ActivePage == 9 && DxInfoFirstVisit == 1) {
    LoadAdapterReport();
  }

  if (!Frame1.Has(ActivePage)) return;
  const std::string tag = Frame1[ActivePage].Tag;
  if (tag.size() == 2) {
    FlatScrollBar4.SetEnabled(true);
    FlatScrollBar4.SetMax(tag[0] - '0');
    FlatScrollBar4.SetValue(tag[1] - '0');
  } else if (tag.empty()) {
    FlatScrollBar4.SetEnabled(false);
  }
}

void Form1::LoadAdapterReport() {
  List1.AddItem(st_.Lang(112));
  st_.app.DoEvents();
  DxInfoFirstVisit = 0;

  auto& processes = st_.platform.processes();
  const std::uint32_t pid = processes.StartProgram(platform::QuotedProgram(st_.DataPath("\\data\\lumacap.exe")),
                                                   platform::WindowStyle::kNormalFocus);
  // Without a process the wait ends at once and whatever report is there is read.
  if (pid != 0) {
    platform::ScopedProcess process(processes, processes.OpenProcess(platform::kSynchronize, pid));
    if (process.get() != 0) processes.WaitForSingleObject(process.get(), platform::kInfinite);
  }

  std::string bytes;
  const bool opened = st_.platform.files().ReadFile(st_.DataPath("\\data\\d3d_adapter_info.txt"), &bytes);
  List1.Clear();
  if (!opened) return;
  FieldReader reader(bytes);
  while (!reader.AtEnd()) List1.AddItem(reader.Next());
}

void Form1::FlatScrollBar4_Change() {
  const int target = SiblingPage(ActivePage, FlatScrollBar4.Value());
  if (target < 0 || target == ActivePage) return;
  ActivePage = target;
  ShowPage();
}

void Form1::Toolbar1_ButtonClick(ui::ToolButton& button) {
  form5().Unload();
  const std::string& key = button.Key;
  if (key == "nvcpl") {
    ActivePage = 0;
    if (Procedures.LoadNvCplFlags) Procedures.LoadNvCplFlags();
  } else if (key == "pw") {
    form4().Show(true);
  } else if (key == "vask") {
    OpenVendorSite();
  } else {
    for (const auto& row : kToolbarButtons)
      if (key == row.key && row.page >= 0) ActivePage = row.page;
  }
  ShowPage();
}

void Form1::Toolbar1_ButtonMenuClick(ui::ButtonMenu& menu) {
  form5().Unload();
  const std::string& key = menu.Key;
  const int page = PageOfMenuKey(key);
  auto& processes = st_.platform.processes();
  if (page >= 0) {
    ActivePage = page;
  } else if (key == "nvcpl3") {
    st_.platform.shell().ControlPanelItem("desk.cpl");
  } else if (key == "nvcpl4") {
    processes.StartProgram("rundll32.exe nvcpl.dll, launchoverlayapplet", platform::WindowStyle::kMinimizedFocus);
  } else if (key == "nvcpl5") {
    processes.StartProgram("rundll32.exe nvcpl.dll, launchtvapplet", platform::WindowStyle::kMinimizedFocus);
  } else if (key == "regedit") {
    // Already open without a modal loop (from Label10): bring that window forward.
    form3().Show(!form3().Visible());
  } else if (key == "pedit") {
    form6().Show(false);
  } else if (key == "abouti") {
    form2().Show(true);
  }
  ShowPage();
}

void Form1::Check13_Click() {
  if (IsStart == 1) return;
  if (Check13.Value() == ui::kChecked) {
    st_.reg.WriteRegValue(kHkeyCurrentUser, kProductKey, "LVP", ActivePage);
  } else {
    st_.reg.DeleteRegValue(kHkeyCurrentUser, kProductKey, "LVP");
  }
}

void Form1::Label10_Click() { form3().Show(false); }

void Form1::OpenVendorSite() { OpenWebAddress(st_, 0, kVendorSite); }

}  // namespace ks
