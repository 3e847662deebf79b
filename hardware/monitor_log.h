// The monitoring log "sm.dat" in the program folder: one quoted item per
// line, each ended by CR LF. Line 1 "Monitoring file", line 2 the processor
// flag (1: two processors), then per sample CPU 1, CPU 2 (two processors
// only) and free memory, in percent.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ks {

inline constexpr const char* kMonitorLogName = "\\sm.dat";
inline constexpr const char* kMonitorLogHeader = "Monitoring file";

// One quoted item and its line end.
std::string MonitorLogItem(const std::string& text);
// The two header lines.
std::string MonitorLogHeader(std::int32_t two_cpu);
// One sample's lines; cpu2 only when two_cpu is 1.
std::string MonitorLogSample(std::int32_t two_cpu, std::int32_t cpu1, std::int32_t cpu2, std::int32_t free);

struct MonitorSample {
  std::int32_t cpu1 = 0;
  std::int32_t cpu2 = 0;
  std::int32_t free = 0;
};

// A log as read back. Reading stops at the first sample that is cut short
// or holds an item that is no number: what comes before it is kept.
struct MonitorLog {
  bool known = false;      // the first item is the header
  bool two_cpu = false;    // the flag is 1
  std::vector<MonitorSample> samples;
  // Items of the file before the first sample (the header items).
  static constexpr int kHeaderItems = 2;
  int ItemsPerSample() const { return two_cpu ? 3 : 2; }
};

MonitorLog ReadMonitorLog(const std::string& bytes);

}  // namespace ks
