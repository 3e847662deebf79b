// The fake machine's performance counters: one "% Processor Time" counter
// per entry of `processor_load`, whose value a collect samples. As on
// Windows, a counter has a value only after its query was collected twice.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/perf_counters.h"

namespace ks::fake {

class FakePerfCounters : public platform::PerfCounters {
 public:
  long OpenQuery(platform::PdhHandle* query) override;
  long AddCounter(platform::PdhHandle query, const std::string& path, platform::PdhHandle* counter) override;
  long CollectQueryData(platform::PdhHandle query) override;
  long GetDoubleCounterValue(platform::PdhHandle counter, double* value) override;

  // --- set-up and inspection for tests ---
  // Load in percent of each processor, as the next collect samples it.
  std::vector<double> processor_load{0.0};
  // False on a system without pdh.dll (Windows 9x/Me).
  bool library_present = true;
  int queries_opened = 0;
  int collects = 0;

 private:
  struct Query {
    int collected = 0;
    std::vector<platform::PdhHandle> counters;
  };
  struct Counter {
    platform::PdhHandle query = 0;
    int processor = 0;
    int samples = 0;  // collects seen
    double value = 0;
  };
  std::map<platform::PdhHandle, Query> queries_;
  std::map<platform::PdhHandle, Counter> counters_;
  platform::PdhHandle next_handle_ = 0x5000;
};

}  // namespace ks::fake
