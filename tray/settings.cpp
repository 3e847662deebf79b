#include "tray/settings.h"

#include <cstdint>

namespace ks::travo {

namespace {

std::string SectionKey(const std::string& application, const std::string& section) {
  return "Software\\VB and VBA Program Settings\\" + application + "\\" + section;
}

}  // namespace

std::string GetSetting(platform::Registry& registry, const std::string& application, const std::string& section,
                       const std::string& key, const std::string& fallback) {
  platform::ScopedRegKey open(registry);
  if (registry.OpenKey(platform::kHkeyCurrentUser, SectionKey(application, section), open.Receive()) !=
      platform::kErrorSuccess)
    return fallback;
  std::uint32_t type = 0, size = 0;
  if (registry.QueryValue(open.get(), key, &type, nullptr, &size) != platform::kErrorSuccess) return fallback;
  if (type != platform::kRegSz && type != platform::kRegExpandSz) return fallback;
  std::string data;
  if (registry.QueryValue(open.get(), key, &type, &data, &size) != platform::kErrorSuccess) return fallback;
  data.resize(size);
  const size_t nul = data.find('\0');
  return nul == std::string::npos ? data : data.substr(0, nul);
}

bool SaveSetting(platform::Registry& registry, const std::string& application, const std::string& section,
                 const std::string& key, const std::string& text) {
  platform::ScopedRegKey open(registry);
  if (registry.CreateKey(platform::kHkeyCurrentUser, SectionKey(application, section), open.Receive()) !=
      platform::kErrorSuccess)
    return false;
  std::string bytes = text;
  bytes.push_back('\0');
  return registry.SetValue(open.get(), key, platform::kRegSz, bytes) == platform::kErrorSuccess;
}

}  // namespace ks::travo
