#include "platform/fake/sysinfo.h"

#include <algorithm>

namespace ks::fake {

bool FakeSystemInfo::GetVersionEx(platform::OsVersion* out) {
  if (version_fails) return false;
  *out = version;
  // szCSDVersion holds 127 characters and its NUL.
  if (out->csd_version.size() > 127) out->csd_version.resize(127);
  return true;
}

void FakeSystemInfo::GlobalMemoryStatus(platform::MemoryStatus* out) {
  constexpr std::uint64_t kMax = 0xFFFFFFFFull;
  *out = memory;
  for (std::uint64_t* v : {&out->total_phys, &out->avail_phys, &out->total_page_file, &out->avail_page_file,
                           &out->total_virtual, &out->avail_virtual}) {
    *v = std::min(*v, kMax);
  }
}

std::string FakeSystemInfo::GetEnvironmentVariable(const std::string& name) {
  auto it = environment.find(name);
  return it == environment.end() ? std::string() : it->second;
}

bool FakeSystemInfo::GlobalMemoryStatusEx(platform::MemoryStatus* out) {
  if (!has_memory_status_ex) return false;
  *out = memory;
  return true;
}

platform::LocalTime FakeSystemInfo::GetLocalTime() {
  constexpr std::int64_t kDay = 24LL * 3600 * 1000;
  const std::int64_t ms = ((boot_time_of_day_ms + uptime_ms()) % kDay + kDay) % kDay;
  platform::LocalTime t;
  t.hour = static_cast<std::uint16_t>(ms / 3600000);
  t.minute = static_cast<std::uint16_t>(ms / 60000 % 60);
  t.second = static_cast<std::uint16_t>(ms / 1000 % 60);
  t.milliseconds = static_cast<std::uint16_t>(ms % 1000);
  return t;
}

}  // namespace ks::fake
