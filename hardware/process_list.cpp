#include "hardware/process_list.h"

#include "common/numbers.h"
#include "shell/Form1.h"

namespace ks {

ProcessList::ProcessList(Form1& form, SeState& state) : f_(form), st_(state) {
  f_.Command5.OnClick = [this] { Command5_Click(); };
  f_.List3.OnClick = [this] { List3_Click(); };
}

void ProcessList::ShowBareHeadings() {
  // Label20(k) takes LanguageTable 257 + its row: name, threads, id, parent, priority.
  static constexpr int kHeading[] = {257, 260, 258, 259, 261};
  for (int k = 0; k < 5; ++k)
    if (f_.Label20.Has(k)) f_.Label20[k].SetCaption(st_.Lang(kHeading[k]));
  f_.Label22.SetWidth(0);
}

void ProcessList::Command5_Click() {
  f_.List3.Clear();
  ShowBareHeadings();
  ProcessTable.fill(platform::ProcessEntry{});
  Filled = 0;
  auto& processes = st_.platform.processes();
  const platform::ProcessHandle snapshot = processes.CreateToolhelp32Snapshot(platform::kTh32csSnapProcess, 0);
  if (snapshot == 0) return;  // the list stays empty
  platform::ScopedProcess owner(processes, snapshot);
  platform::ProcessEntry entry;
  entry.size = 296;
  // The first entry is the system's idle process: it is passed over.
  processes.Process32First(snapshot, &entry);
  bool more = processes.Process32Next(snapshot, &entry);
  for (int i = 0; more; ++i) {
    f_.List3.AddItem(entry.exe_file);
    if (i < kProcessSlots) {
      ProcessTable[static_cast<size_t>(i)] = entry;
      Filled = i + 1;
    }
    more = processes.Process32Next(snapshot, &entry);
  }
  f_.Label19.SetCaption(st_.Lang(262) + IntToText(f_.List3.ListCount()));
}

void ProcessList::List3_Click() {
  const int i = f_.List3.ListIndex();
  if (i < 0) return;  // nothing selected
  if (i >= Filled) {
    // Past the slots: no details are kept for this entry.
    ShowBareHeadings();
    return;
  }
  const platform::ProcessEntry& p = ProcessTable[static_cast<size_t>(i)];
  f_.Label20[0].SetCaption(st_.Lang(257) + p.exe_file);
  f_.Label20[2].SetCaption(st_.Lang(258) + IntToText(p.process_id));
  f_.Label20[3].SetCaption(st_.Lang(259) + IntToText(p.parent_process_id));
  f_.Label20[1].SetCaption(st_.Lang(260) + IntToText(p.threads));

  const int frame = f_.Label21.Width();
  const std::int32_t unit = ToInt32(frame / 15.0).value_or(0);
  long long width = static_cast<long long>(p.pri_class_base) * unit;
  if (width > frame) width = frame;
  if (width < 0) width = 0;
  f_.Label22.SetWidth(static_cast<int>(width));

  // Only filled slots take part: an empty slot's id of 0 is no process.
  for (int k = 0; k < Filled; ++k) {
    const platform::ProcessEntry& parent = ProcessTable[static_cast<size_t>(k)];
    if (parent.process_id != p.parent_process_id) continue;
    f_.Label20[3].SetCaption(f_.Label20[3].Caption() + " - " + parent.exe_file);
    break;
  }
}

}  // namespace ks
