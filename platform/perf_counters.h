// Performance counters (pdh.dll): a query holds counters; collecting the
// query samples them, and a rate counter such as "% Processor Time" has a
// value only once the query has been collected twice. Every method returns
// a PDH status (0 = success). Counter paths are the English names.
#pragma once

#include <cstdint>
#include <string>

namespace ks::platform {

using PdhHandle = std::uint64_t;  // 0: none

inline constexpr long kPdhSuccess = 0;
inline constexpr long kPdhNoData = static_cast<long>(0x800007D5);           // PDH_NO_DATA
inline constexpr long kPdhInvalidData = static_cast<long>(0xC0000BC6);      // PDH_INVALID_DATA
inline constexpr long kPdhCounterNotFound = static_cast<long>(0xC0000BB9);  // PDH_CSTATUS_NO_COUNTER
inline constexpr long kPdhInvalidHandle = static_cast<long>(0xC0000BBC);    // PDH_INVALID_HANDLE
inline constexpr long kPdhLibraryMissing = static_cast<long>(0xC0000BD0);   // pdh.dll not on the system

class PerfCounters {
 public:
  virtual ~PerfCounters() = default;
  // PdhOpenQuery; kPdhLibraryMissing where the system has no pdh.dll (Windows 9x/Me).
  virtual long OpenQuery(PdhHandle* query) = 0;
  // PdhAddCounterA; a path the system does not know fails.
  virtual long AddCounter(PdhHandle query, const std::string& path, PdhHandle* counter) = 0;
  // PdhCollectQueryData.
  virtual long CollectQueryData(PdhHandle query) = 0;
  // PdhGetFormattedCounterValue as a double.
  virtual long GetDoubleCounterValue(PdhHandle counter, double* value) = 0;
};

// The processor time counter of one processor ("\Processor(0)\% Processor Time").
inline std::string ProcessorTimePath(int processor) {
  return "\\Processor(" + std::to_string(processor) + ")\\% Processor Time";
}

}  // namespace ks::platform
