#include "platform/win32/perf_counters.h"

#include "platform/win32/win.h"

#include <pdh.h>
#include <pdhmsg.h>

namespace ks::win32 {

namespace {

using OpenFn = PDH_STATUS(WINAPI*)(LPCSTR, DWORD_PTR, PDH_HQUERY*);
using AddFn = PDH_STATUS(WINAPI*)(PDH_HQUERY, LPCSTR, DWORD_PTR, PDH_HCOUNTER*);
using CollectFn = PDH_STATUS(WINAPI*)(PDH_HQUERY);
using GetFn = PDH_STATUS(WINAPI*)(PDH_HCOUNTER, DWORD, LPDWORD, PPDH_FMT_COUNTERVALUE);

template <class T>
T As(void* fn) {
  return reinterpret_cast<T>(reinterpret_cast<void (*)()>(fn));
}

void* Lookup(HMODULE pdh, const char* name) {
  return pdh ? reinterpret_cast<void*>(GetProcAddress(pdh, name)) : nullptr;
}

template <class H>
H ToPdh(platform::PdhHandle h) {
  return reinterpret_cast<H>(static_cast<uintptr_t>(h));
}

}  // namespace

Win32PerfCounters::Win32PerfCounters() {
  // Loaded once and kept for the life of the process: the queries opened
  // through it are never closed either.
  HMODULE pdh = LoadLibraryA("pdh.dll");
  open_ = Lookup(pdh, "PdhOpenQueryA");
  add_ = Lookup(pdh, "PdhAddCounterA");
  collect_ = Lookup(pdh, "PdhCollectQueryData");
  get_ = Lookup(pdh, "PdhGetFormattedCounterValue");
}

long Win32PerfCounters::OpenQuery(platform::PdhHandle* query) {
  if (!open_) return platform::kPdhLibraryMissing;
  PDH_HQUERY h = nullptr;
  const PDH_STATUS status = As<OpenFn>(open_)(nullptr, 0, &h);
  *query = status == ERROR_SUCCESS ? static_cast<platform::PdhHandle>(reinterpret_cast<uintptr_t>(h)) : 0;
  return status;
}

long Win32PerfCounters::AddCounter(platform::PdhHandle query, const std::string& path, platform::PdhHandle* counter) {
  if (!add_) return platform::kPdhLibraryMissing;
  PDH_HCOUNTER h = nullptr;
  const PDH_STATUS status = As<AddFn>(add_)(ToPdh<PDH_HQUERY>(query), path.c_str(), 0, &h);
  *counter = status == ERROR_SUCCESS ? static_cast<platform::PdhHandle>(reinterpret_cast<uintptr_t>(h)) : 0;
  return status;
}

long Win32PerfCounters::CollectQueryData(platform::PdhHandle query) {
  if (!collect_) return platform::kPdhLibraryMissing;
  return As<CollectFn>(collect_)(ToPdh<PDH_HQUERY>(query));
}

long Win32PerfCounters::GetDoubleCounterValue(platform::PdhHandle counter, double* value) {
  if (!get_) return platform::kPdhLibraryMissing;
  PDH_FMT_COUNTERVALUE formatted{};
  DWORD type = 0;
  const PDH_STATUS status = As<GetFn>(get_)(ToPdh<PDH_HCOUNTER>(counter), PDH_FMT_DOUBLE, &type, &formatted);
  if (status != ERROR_SUCCESS) return status;
  if (formatted.CStatus != PDH_CSTATUS_VALID_DATA && formatted.CStatus != PDH_CSTATUS_NEW_DATA)
    return static_cast<long>(formatted.CStatus);
  *value = formatted.doubleValue;
  return status;
}

}  // namespace ks::win32
