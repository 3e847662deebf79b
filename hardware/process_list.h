// Page 15: the running processes from a Toolhelp snapshot, and the details
// of the one selected: name, threads, id, parent id with the parent's name,
// and the base priority as a bar.
#pragma once

#include <array>
#include <cstdint>

#include "platform/processes.h"

namespace ks {

class Form1;
struct SeState;

inline constexpr int kProcessSlots = 201;  // list positions 0..200 keep their details

class ProcessList {
 public:
  // Wires Command5 ("Refresh") and List3.
  ProcessList(Form1& form, SeState& state);

  void Command5_Click();
  void List3_Click();

  // Slot i holds the record of list position i; slots past `Filled` are empty.
  std::array<platform::ProcessEntry, kProcessSlots> ProcessTable{};
  int Filled = 0;

 private:
  void ShowBareHeadings();

  Form1& f_;
  SeState& st_;
};

}  // namespace ks
