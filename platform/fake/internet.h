// The fake machine's internet: sites that answer per address with a status
// and bytes, framed as sound and faulty servers frame them (no length,
// chunked, compressed, two lengths, ...), a local cache that keeps what was
// fetched without bypassing it, and transfers cut off part-way. Downloads
// report what Windows' download service reports: success for an error page,
// for a cut-off transfer and for an answer without a length, with the
// status and what the headers said beside it. A slow or silent site is
// modelled on a clock of the download's own: each wait of kDownloadPollMs
// calls the caller's keep_going, as the real download does while it waits,
// and then looks whether the body has come: one that came in the same poll
// as a stop has arrived, as the real binding's end is seen after the call.
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

// How a server frames the body of its answer.
enum class Framing {
  kLength,            // one Content-Length, the body's
  kNoLength,          // no length: the connection closes after the body
  kChunked,           // Transfer-Encoding: chunked and no length
  kChunkedAndLength,  // chunked, and the body's Content-Length beside it
  kTwoLengths,        // the body's Content-Length and a second one, one greater
  kCompressed,        // gzip, whatever the request accepts: the service decodes it and drops the
                      // length and the Content-Encoding header
  kCompressedAsSent,  // gzip: the service writes the compressed bytes as they came, with their length
  kBrokenCompressed,  // "gzip" over bytes that are no gzip data: the service fails before any status
  kOneByteOver,       // the body's length less one announced; the service writes the whole body
  kCodedAndChunked,   // "Transfer-Encoding: gzip, chunked", no length: the service writes what came
};

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
  using platform::Internet::UrlDownloadToFile;
  platform::Download UrlDownloadToFile(const std::string& url, const std::string& path, bool bypass_cache,
                                       const platform::DownloadWait& wait) override;

  struct Request {
    std::string url, path;
    bool bypass_cache;
  };
  // --- set-up and inspection for tests ---
  // Addresses compare exactly as written; the host is the part between
  // "//" and the next "/". A page served anew comes whole, with its
  // Content-Length (none with status 204, which sends no body).
  void Serve(const std::string& url, const std::string& bytes, int status = 200) {
    site_[url] = Page{status, bytes, Framing::kLength};
    cuts_.erase(url);
    failing_.erase(url);
    stalls_.erase(url);
    slow_.erase(url);
  }
  // Frames the answer of an address that is served.
  void Frame(const std::string& url, Framing framing) { site_.at(url).framing = framing; }
  void Remove(const std::string& url) {
    site_.erase(url);
    stalls_.erase(url);
    slow_.erase(url);
  }
  // The connection closes after `sent` bytes of the body, whatever the
  // answer announced.
  void CutAfter(const std::string& url, std::size_t sent) { cuts_[url] = sent; }
  // The service reports a failure (INET_E_DOWNLOAD_FAILURE) for this
  // address although the server's status and headers came, having written
  // what came.
  void FailAfterAnswer(const std::string& url) { failing_.insert(url); }
  // The server sends its headers and the first `sent` bytes of the body,
  // then nothing more, and keeps the connection open: without an idle
  // limit or a stop the download never ends.
  void StallAfter(const std::string& url, std::size_t sent) { stalls_[url] = sent; }
  // The body takes `ms` to come, some bytes in every wait: never silent.
  void SlowFor(const std::string& url, std::int64_t ms) { slow_[url] = ms; }
  // What the last download took on its own clock; 0 for one that did not
  // wait.
  std::int64_t last_download_ms = 0;
  // Set when a download would have waited for ever: no idle limit and no
  // stop, on a stalled page; the fake ends it after an hour.
  bool waited_for_ever = false;
  static constexpr std::int64_t kForeverMs = 3600 * 1000;
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
    Framing framing;
  };
  bool HostAnswers(const std::string& url) const;
  // Waits out a slow (`body_ms`) or stalled (-1) body as the download does;
  // false, with `d` filled, when the download was ended.
  bool Wait(const platform::DownloadWait& wait, std::int64_t body_ms, const std::string& path, platform::Download& d);

  FakeFiles& files_;
  std::map<std::string, Page> site_;
  std::map<std::string, std::string> cache_;
  std::map<std::string, std::size_t> cuts_;
  std::set<std::string> failing_;
  std::map<std::string, std::size_t> stalls_;
  std::map<std::string, std::int64_t> slow_;
  std::set<platform::InternetHandle> open_;
  platform::InternetHandle next_handle_ = 0xCC0000;
  std::vector<Request> requests_;
};

}  // namespace ks::fake
