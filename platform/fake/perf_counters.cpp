#include "platform/fake/perf_counters.h"

#include "platform/fake/names.h"

namespace ks::fake {

long FakePerfCounters::OpenQuery(platform::PdhHandle* query) {
  if (!library_present) return platform::kPdhLibraryMissing;
  if (query == nullptr) return platform::kPdhInvalidData;
  *query = next_handle_;
  next_handle_ += 4;
  queries_[*query] = Query{};
  ++queries_opened;
  return platform::kPdhSuccess;
}

long FakePerfCounters::AddCounter(platform::PdhHandle query, const std::string& path, platform::PdhHandle* counter) {
  auto q = queries_.find(query);
  if (q == queries_.end() || counter == nullptr) return platform::kPdhInvalidHandle;
  for (int i = 0; i < static_cast<int>(processor_load.size()); ++i) {
    if (!SameName(path, platform::ProcessorTimePath(i))) continue;
    *counter = next_handle_;
    next_handle_ += 4;
    counters_[*counter] = Counter{query, i, 0, 0};
    q->second.counters.push_back(*counter);
    return platform::kPdhSuccess;
  }
  return platform::kPdhCounterNotFound;
}

long FakePerfCounters::CollectQueryData(platform::PdhHandle query) {
  auto q = queries_.find(query);
  if (q == queries_.end()) return platform::kPdhInvalidHandle;
  ++collects;
  if (q->second.counters.empty()) return platform::kPdhNoData;
  for (platform::PdhHandle h : q->second.counters) {
    Counter& c = counters_[h];
    ++c.samples;
    c.value = c.processor < static_cast<int>(processor_load.size()) ? processor_load[c.processor] : 0.0;
  }
  return platform::kPdhSuccess;
}

long FakePerfCounters::GetDoubleCounterValue(platform::PdhHandle counter, double* value) {
  auto c = counters_.find(counter);
  if (c == counters_.end() || value == nullptr) return platform::kPdhInvalidHandle;
  // A rate needs two samples.
  if (c->second.samples < 2) return platform::kPdhInvalidData;
  *value = c->second.value;
  return platform::kPdhSuccess;
}

}  // namespace ks::fake
