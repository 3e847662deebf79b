#include "platform/win32/internet.h"

#include <cstring>

#include "platform/http_headers.h"
#include "platform/win32/win.h"
// After win.h.
#include <urlmon.h>
#include <wininet.h>
#undef InternetOpen

namespace ks::win32 {

namespace {

const char* OrNull(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

// The headers text, narrowed: header names and the values read here are
// ASCII.
std::string Narrow(const wchar_t* text) {
  std::string out;
  for (; text && *text; ++text) out += *text < 0x80 ? static_cast<char>(*text) : '?';
  return out;
}

// The download's status callback. URLDownloadToFileA reports success for
// any answer the server gave and for a connection that closed early, so
// this learns what it leaves out through IHttpNegotiate, which urlmon asks
// the callback for: the status and the response's headers (its lengths and
// codings). It asks for the body as it is, so that a sound server's
// Content-Length is the file's length. With `bypass_cache` it also asks for
// the site's newest copy, past every cache, and keeps the download out of
// the local cache.
class DownloadWatch : public IBindStatusCallback, public IHttpNegotiate {
 public:
  explicit DownloadWatch(bool bypass_cache) : bypass_cache_(bypass_cache) {}

  int status() const { return status_; }
  const platform::BodyFraming& framing() const { return framing_; }

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
  HRESULT STDMETHODCALLTYPE OnProgress(ULONG, ULONG, ULONG, LPCWSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnStopBinding(HRESULT, LPCWSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD* flags, BINDINFO*) override {
    if (bypass_cache_) *flags |= BINDF_GETNEWESTVERSION | BINDF_NOWRITECACHE | BINDF_PRAGMA_NO_CACHE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnObjectAvailable(REFIID, IUnknown*) override { return S_OK; }

  // The added headers are the caller's to free (CoTaskMemFree). Wine's
  // urlmon sends its own "Accept-Encoding: gzip, deflate" after them, which
  // replaces this one; a compressed answer then arrives decoded, without
  // its length, and does not count as whole.
  HRESULT STDMETHODCALLTYPE BeginningTransaction(LPCWSTR, LPCWSTR, DWORD, LPWSTR* extra_headers) override {
    if (!extra_headers) return S_OK;
    static constexpr wchar_t kIdentity[] = L"Accept-Encoding: identity\r\n";
    *extra_headers = static_cast<LPWSTR>(CoTaskMemAlloc(sizeof(kIdentity)));
    if (*extra_headers) memcpy(*extra_headers, kIdentity, sizeof(kIdentity));
    return S_OK;
  }
  // Called once per answer; after a redirect the last one is the file's.
  // The headers are the answer's own lines, a repeated Content-Length too.
  HRESULT STDMETHODCALLTYPE OnResponse(DWORD status, LPCWSTR headers, LPCWSTR, LPWSTR* extra_headers) override {
    status_ = static_cast<int>(status);
    framing_ = platform::ReadBodyFraming(Narrow(headers));
    if (extra_headers) *extra_headers = nullptr;
    return S_OK;
  }

 private:
  bool bypass_cache_;
  int status_ = 0;
  platform::BodyFraming framing_;
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
  d.announced = watch.framing().length;
  d.lengths_differ = watch.framing().lengths_differ;
  d.transfer_coded = watch.framing().transfer_coded;
  d.content_coded = watch.framing().content_coded;
  d.written = FileSize(path);
  return d;
}

}  // namespace ks::win32
