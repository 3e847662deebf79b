#include "platform/win32/internet.h"

#include "platform/win32/win.h"
// After win.h.
#include <urlmon.h>
#include <wininet.h>
#undef InternetOpen

namespace ks::win32 {

namespace {

const char* OrNull(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

wchar_t Lower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

// The number of the "Content-Length:" line of a response's headers (one
// header a line, CR LF between them); -1 when there is none.
std::int64_t ContentLength(const wchar_t* headers) {
  static constexpr wchar_t kName[] = L"content-length:";
  for (const wchar_t* line = headers; line && *line;) {
    std::size_t i = 0;
    while (kName[i] && Lower(line[i]) == kName[i]) ++i;
    if (!kName[i]) {
      const wchar_t* p = line + i;
      while (*p == L' ' || *p == L'\t') ++p;
      std::int64_t n = -1;
      for (; *p >= L'0' && *p <= L'9' && n < (INT64_MAX - 9) / 10; ++p) n = (n < 0 ? 0 : n * 10) + (*p - L'0');
      return n;
    }
    while (*line && *line != L'\n') ++line;
    if (*line) ++line;
  }
  return -1;
}

// The download's status callback. URLDownloadToFileA reports success for
// any answer the server gave and for a connection that closed early, so
// this learns what it leaves out: the status (through IHttpNegotiate, which
// urlmon asks the callback for) and the length the server announced (its
// Content-Length, or the progress's total). With `bypass_cache` it also
// asks for the site's newest copy, past every cache, and keeps the download
// out of the local cache.
class DownloadWatch : public IBindStatusCallback, public IHttpNegotiate {
 public:
  explicit DownloadWatch(bool bypass_cache) : bypass_cache_(bypass_cache) {}

  int status() const { return status_; }
  std::int64_t announced() const { return header_length_ >= 0 ? header_length_ : progress_total_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IBindStatusCallback)) {
      *out = static_cast<IBindStatusCallback*>(this);
    } else if (IsEqualIID(riid, IID_IHttpNegotiate)) {
      *out = static_cast<IHttpNegotiate*>(this);
    } else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    return S_OK;
  }
  // Lives on the caller's stack for the whole (synchronous) download.
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE OnStartBinding(DWORD, IBinding*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetPriority(LONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnLowResource(DWORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnProgress(ULONG, ULONG total, ULONG, LPCWSTR) override {
    if (total > 0) progress_total_ = total;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnStopBinding(HRESULT, LPCWSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD* flags, BINDINFO*) override {
    if (bypass_cache_) *flags |= BINDF_GETNEWESTVERSION | BINDF_NOWRITECACHE | BINDF_PRAGMA_NO_CACHE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnObjectAvailable(REFIID, IUnknown*) override { return S_OK; }

  HRESULT STDMETHODCALLTYPE BeginningTransaction(LPCWSTR, LPCWSTR, DWORD, LPWSTR* extra_headers) override {
    if (extra_headers) *extra_headers = nullptr;
    return S_OK;
  }
  // Called once per answer; after a redirect the last one is the file's.
  HRESULT STDMETHODCALLTYPE OnResponse(DWORD status, LPCWSTR headers, LPCWSTR, LPWSTR* extra_headers) override {
    status_ = static_cast<int>(status);
    header_length_ = ContentLength(headers);
    if (extra_headers) *extra_headers = nullptr;
    return S_OK;
  }

 private:
  bool bypass_cache_;
  int status_ = 0;
  std::int64_t header_length_ = -1;
  std::int64_t progress_total_ = -1;
};

std::int64_t FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -1;
  return static_cast<std::int64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

}  // namespace

platform::InternetHandle Win32Internet::InternetOpen(const std::string& agent, std::uint32_t access_type,
                                                     const std::string& proxy, const std::string& bypass,
                                                     std::uint32_t flags) {
  HINTERNET h = InternetOpenA(agent.c_str(), access_type, OrNull(proxy), OrNull(bypass), flags);
  return reinterpret_cast<std::uintptr_t>(h);
}

bool Win32Internet::InternetCloseHandle(platform::InternetHandle handle) {
  if (handle == 0) return false;
  return ::InternetCloseHandle(reinterpret_cast<HINTERNET>(static_cast<std::uintptr_t>(handle))) != FALSE;
}

platform::Download Win32Internet::UrlDownloadToFile(const std::string& url, const std::string& path,
                                                    bool bypass_cache) {
  const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  DownloadWatch watch(bypass_cache);
  if (bypass_cache) DeleteUrlCacheEntryA(url.c_str());  // an older copy must not be served instead
  platform::Download d;
  d.result = static_cast<std::int32_t>(URLDownloadToFileA(nullptr, url.c_str(), path.c_str(), 0, &watch));
  if (SUCCEEDED(init)) CoUninitialize();
  d.http_status = watch.status();
  d.announced = watch.announced();
  d.written = FileSize(path);
  return d;
}

}  // namespace ks::win32
