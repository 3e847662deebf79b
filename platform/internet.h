// Internet services (wininet, urlmon): the session handle and the download
// of one address into a file.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace ks::platform {

using InternetHandle = std::uint64_t;  // an HINTERNET; 0 for none

// InternetOpenA access types.
inline constexpr std::uint32_t kInternetOpenTypePreconfig = 0;
inline constexpr std::uint32_t kInternetOpenTypeDirect = 1;

// HRESULTs of the download: negative is a failure.
inline constexpr std::int32_t kSOk = 0;
inline constexpr std::int32_t kEFail = static_cast<std::int32_t>(0x80004005u);
inline constexpr std::int32_t kEAbort = static_cast<std::int32_t>(0x80004004u);
inline constexpr std::int32_t kInetEResourceNotFound = static_cast<std::int32_t>(0x800C0005u);
inline constexpr std::int32_t kInetEDownloadFailure = static_cast<std::int32_t>(0x800C0008u);

// What one download did. The service's own result says little: it is a
// success code for a server's error page (written as the file), for a
// transfer cut off half-way (the bytes that came are written), for an
// answer that named no length and for a file it could not write at all.
// Only the server's status, the length its answer announced and how the
// answer was framed, against the file's size, tell whether the file
// arrived whole.
struct Download {
  std::int32_t result = kEFail;  // the HRESULT, negative on failure
  int http_status = 0;           // the server's status code; 0 when no answer came
  // The answer's Content-Length; -1 when it named none or one that is no
  // number. When it named several, the first.
  std::int64_t announced = -1;
  bool lengths_differ = false;   // a further Content-Length named another number
  bool transfer_coded = false;   // the answer had a Transfer-Encoding (chunked)
  bool content_coded = false;    // the answer had a Content-Encoding other than identity
  std::int64_t written = -1;     // the size of the file at the path afterwards; -1 when there is none
  // The download was ended (result kEAbort, nothing written): no byte came
  // for the wait's idle time, or its keep_going said stop.
  bool stalled = false;
  bool stopped = false;
};

// How a download waits. It runs on the calling thread, which goes on
// handling its messages while the bytes come.
struct DownloadWait {
  // No byte (and no header) for this long ends the download; 0: no limit.
  std::int64_t idle_ms = 0;
  // Called while the download waits, at least every kDownloadPollMs: runs
  // the program's pending input (its windows' messages, its timers); false
  // ends the download. The download also dispatches whatever messages are
  // still pending after it, its own notifications among them.
  std::function<bool()> keep_going;
};
inline constexpr std::int64_t kDownloadPollMs = 100;

class Internet {
 public:
  virtual ~Internet() = default;
  // InternetOpenA(agent, access type, proxy, bypass list, flags); empty
  // texts are passed as no text. 0 when it fails.
  virtual InternetHandle InternetOpen(const std::string& agent, std::uint32_t access_type,
                                      const std::string& proxy, const std::string& bypass,
                                      std::uint32_t flags) = 0;
  // InternetCloseHandle; false for a handle that is not open.
  virtual bool InternetCloseHandle(InternetHandle handle) = 0;
  // What URLDownloadToFileA does, through an asynchronous binding of the
  // address's URL moniker and a status callback, so that the thread's
  // messages keep flowing: fetches the address and writes the file at
  // `path`, replacing one that is there,
  // whatever the server answered and however much of it came (see
  // Download). The request asks for the file as it is ("Accept-Encoding:
  // identity"), not compressed. With `bypass_cache` the copy comes from the
  // site itself: the local cache is neither read nor filled. A download
  // ended by `wait` (stalled or stopped) writes nothing. No other file is
  // left behind, whatever became of the download.
  virtual Download UrlDownloadToFile(const std::string& url, const std::string& path, bool bypass_cache,
                                     const DownloadWait& wait) = 0;
  // The same with no idle limit and nothing of the caller's run meanwhile.
  Download UrlDownloadToFile(const std::string& url, const std::string& path, bool bypass_cache) {
    return UrlDownloadToFile(url, path, bypass_cache, DownloadWait{});
  }
};

}  // namespace ks::platform
