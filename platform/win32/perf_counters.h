// Performance counters over pdh.dll, loaded at run time: Windows 9x/Me has
// no pdh.dll, and the program must start there all the same.
#pragma once

#include "platform/perf_counters.h"

namespace ks::win32 {

class Win32PerfCounters : public platform::PerfCounters {
 public:
  Win32PerfCounters();
  long OpenQuery(platform::PdhHandle* query) override;
  long AddCounter(platform::PdhHandle query, const std::string& path, platform::PdhHandle* counter) override;
  long CollectQueryData(platform::PdhHandle query) override;
  long GetDoubleCounterValue(platform::PdhHandle counter, double* value) override;

 private:
  void* open_ = nullptr;
  void* add_ = nullptr;
  void* collect_ = nullptr;
  void* get_ = nullptr;
};

}  // namespace ks::win32
