// System monitoring (page 14 and the CPU bars below the pages): Timer3
// takes one sample a tick for the whole life of the main window, shows it
// as texts, bars and two scrolling graphs, and appends it to the log
// "sm.dat" while recording. "Stop" opens the log viewer (Form9).
#pragma once

#include <cstdint>
#include <memory>

#include "platform/perf_counters.h"

namespace ks {

class Form1;
class Form9;
struct SeState;

// Timer3's interval for each Option4 choice: Fast, Normal, Slow.
inline constexpr int kMonitorIntervals[] = {200, 400, 1000};
inline constexpr int kGraphColumn = 60;  // twips between two graph columns

class Monitoring {
 public:
  // Wires Timer3, Option4, Command6 and Command7.
  Monitoring(Form1& form, SeState& state);
  ~Monitoring();

  void Timer3_Timer();
  void Option4_Click(int index);
  void Command6_Click();  // "Rec"
  void Command7_Click();  // "Stop"
  void OpenCpu0Counter();
  void OpenCpu1Counter();
  // The main window goes: recording ends, nothing more is written.
  void Unload();

  Form9& form9() { return *form9_; }

  // 1 while samples go to the log.
  std::int32_t MonitorLogOn = 0;
  // x of the current graph column, in twips.
  std::int32_t GraphX = 0;
  platform::PdhHandle CpuQuery0 = 0, CpuCounter0 = 0, CpuQuery1 = 0, CpuCounter1 = 0;

 private:
  // Load of one processor from its counter, 0 when it cannot be read.
  std::int32_t ReadCounter(platform::PdhHandle query, platform::PdhHandle counter);
  // Windows 9x/Me: the kernel's CPU usage statistic.
  std::int32_t ReadDynDataUsage();
  void OpenCounter(int processor, platform::PdhHandle* query, platform::PdhHandle* counter);
  void SetSpeedChoiceEnabled(bool enabled);
  // Clears both graphs and puts their grids back.
  void ClearGraphs();

  Form1& f_;
  SeState& st_;
  std::unique_ptr<Form9> form9_;
};

}  // namespace ks
