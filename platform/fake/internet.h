// The fake machine's internet: a site that serves bytes per address, a
// local cache that keeps what was fetched without bypassing it, and
// downloads that can fail part-way.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/fake/files.h"
#include "platform/internet.h"

namespace ks::fake {

class FakeInternet : public platform::Internet {
 public:
  explicit FakeInternet(FakeFiles& files) : files_(files) {}

  platform::InternetHandle InternetOpen(const std::string& agent, std::uint32_t access_type,
                                        const std::string& proxy, const std::string& bypass,
                                        std::uint32_t flags) override;
  bool InternetCloseHandle(platform::InternetHandle handle) override;
  // An address the site does not serve fails with "resource not found"; a
  // download into a folder that does not exist, or over a locked file,
  // fails with nothing written.
  std::int32_t UrlDownloadToFile(const std::string& url, const std::string& path, bool bypass_cache) override;

  struct Request {
    std::string url, path;
    bool bypass_cache;
  };
  // --- set-up and inspection for tests ---
  // Addresses compare exactly as written.
  void Serve(const std::string& url, const std::string& bytes) { site_[url] = bytes; }
  void Remove(const std::string& url) { site_.erase(url); }
  // The connection breaks after `partial` bytes of this address were
  // written to the target file.
  void BreakAfter(const std::string& url, std::size_t partial) { breaks_[url] = partial; }
  // False: no connection at all (every download fails, nothing written).
  bool online = true;
  const std::vector<Request>& requests() const { return requests_; }
  int OpenHandleCount() const { return static_cast<int>(open_.size()); }
  // The access type the last session was opened with.
  std::uint32_t last_access_type = 0xFFFFFFFF;

 private:
  FakeFiles& files_;
  std::map<std::string, std::string> site_;
  std::map<std::string, std::string> cache_;
  std::map<std::string, std::size_t> breaks_;
  std::set<platform::InternetHandle> open_;
  platform::InternetHandle next_handle_ = 0xCC0000;
  std::vector<Request> requests_;
};

}  // namespace ks::fake
