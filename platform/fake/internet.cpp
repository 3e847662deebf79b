#include "platform/fake/internet.h"

namespace ks::fake {

platform::InternetHandle FakeInternet::InternetOpen(const std::string& agent, std::uint32_t access_type,
                                                    const std::string& proxy, const std::string& bypass,
                                                    std::uint32_t flags) {
  last_access_type = access_type;
  const platform::InternetHandle h = next_handle_++;
  open_.insert(h);
  return h;
}

bool FakeInternet::InternetCloseHandle(platform::InternetHandle handle) { return open_.erase(handle) != 0; }

std::int32_t FakeInternet::UrlDownloadToFile(const std::string& url, const std::string& path, bool bypass_cache) {
  requests_.push_back(Request{url, path, bypass_cache});
  std::string bytes;
  auto cached = cache_.find(url);
  if (!bypass_cache && cached != cache_.end()) {
    bytes = cached->second;  // served from the local cache, however old
  } else {
    if (!online) return platform::kInetEDownloadFailure;
    auto served = site_.find(url);
    if (served == site_.end()) return platform::kInetEResourceNotFound;
    bytes = served->second;
    auto broken = breaks_.find(url);
    if (broken != breaks_.end()) {
      // The system had begun writing the file when the connection broke.
      files_.WriteFile(path, bytes.substr(0, broken->second));
      return platform::kInetEDownloadFailure;
    }
    if (!bypass_cache) cache_[url] = bytes;
  }
  return files_.WriteFile(path, bytes) ? platform::kSOk : platform::kEFail;
}

}  // namespace ks::fake
