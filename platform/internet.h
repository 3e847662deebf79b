// Internet services (wininet, urlmon): the session handle and the download
// of one address into a file.
#pragma once

#include <cstdint>
#include <string>

namespace ks::platform {

using InternetHandle = std::uint64_t;  // an HINTERNET; 0 for none

// InternetOpenA access types.
inline constexpr std::uint32_t kInternetOpenTypePreconfig = 0;
inline constexpr std::uint32_t kInternetOpenTypeDirect = 1;

// HRESULTs of the download: negative is a failure.
inline constexpr std::int32_t kSOk = 0;
inline constexpr std::int32_t kEFail = static_cast<std::int32_t>(0x80004005u);
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
};

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
  // URLDownloadToFileA(no caller, url, path, 0, a status callback): fetches
  // the address and writes the file at `path`, replacing one that is there,
  // whatever the server answered and however much of it came (see
  // Download). The request asks for the file as it is ("Accept-Encoding:
  // identity"), not compressed. With `bypass_cache` the copy comes from the
  // site itself: the local cache is neither read nor filled.
  virtual Download UrlDownloadToFile(const std::string& url, const std::string& path, bool bypass_cache) = 0;
};

}  // namespace ks::platform
