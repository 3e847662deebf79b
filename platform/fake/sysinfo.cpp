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

}  // namespace ks::fake
