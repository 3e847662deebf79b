// The fake machine's internet: sites that answer per address with a status
// and bytes, a local cache that keeps what was fetched without bypassing it,
// and transfers cut off part-way. Downloads report what Windows' download
// service reports: success for an error page and for a cut-off transfer,
// with the status and the announced length beside it.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/fake/files.h"
#include "platform/internet.h"

namespace ks::fake {

// The page a site answers 404 with, as web servers send one.
inline constexpr const char kNotFoundPage[] =
    "<!DOCTYPE html>\n<html><head><title>404 Not Found</title></head>\n"
    "<body><h1>Not Found</h1><p>The requested URL was not found on this server.</p></body></html>\n";

class FakeInternet : public platform::Internet {
 public:
  explicit FakeInternet(FakeFiles& files) : files_(files) {}

  platform::InternetHandle InternetOpen(const std::string& agent, std::uint32_t access_type,
                                        const std::string& proxy, const std::string& bypass,
                                        std::uint32_t flags) override;
  bool InternetCloseHandle(platform::InternetHandle handle) override;
  // A host that serves no address cannot be reached: a failure, nothing
  // written. On a host that serves some, an address it does not serve is
  // answered 404 with kNotFoundPage. A file that cannot be written (its
  // folder missing, the file locked) is not written, and the download still
  // reports success.
  platform::Download UrlDownloadToFile(const std::string& url, const std::string& path, bool bypass_cache) override;

  struct Request {
    std::string url, path;
    bool bypass_cache;
  };
  // --- set-up and inspection for tests ---
  // Addresses compare exactly as written; the host is the part between
  // "//" and the next "/". A page served anew comes whole.
  void Serve(const std::string& url, const std::string& bytes, int status = 200) {
    site_[url] = Page{status, bytes};
    cuts_.erase(url);
  }
  void Remove(const std::string& url) { site_.erase(url); }
  // The server announces the whole length of this address and the
  // connection closes after `sent` bytes of it.
  void CutAfter(const std::string& url, std::size_t sent) { cuts_[url] = sent; }
  // False: no connection at all (every download fails, nothing written).
  bool online = true;
  const std::vector<Request>& requests() const { return requests_; }
  int OpenHandleCount() const { return static_cast<int>(open_.size()); }
  // The access type the last session was opened with.
  std::uint32_t last_access_type = 0xFFFFFFFF;

 private:
  struct Page {
    int status;
    std::string bytes;
  };
  bool HostAnswers(const std::string& url) const;

  FakeFiles& files_;
  std::map<std::string, Page> site_;
  std::map<std::string, std::string> cache_;
  std::map<std::string, std::size_t> cuts_;
  std::set<platform::InternetHandle> open_;
  platform::InternetHandle next_handle_ = 0xCC0000;
  std::vector<Request> requests_;
};

}  // namespace ks::fake
