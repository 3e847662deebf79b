#include "platform/win32/internet.h"

#include "platform/win32/win.h"
// After win.h.
#include <urlmon.h>
#include <wininet.h>
#undef InternetOpen

namespace ks::win32 {

namespace {

const char* OrNull(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

// The download's status callback: it only asks for the site's newest copy,
// past every cache, and keeps the download out of the local cache.
class FreshCopy : public IBindStatusCallback {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IBindStatusCallback)) {
      *out = static_cast<IBindStatusCallback*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  // Lives on the caller's stack for the whole (synchronous) download.
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE OnStartBinding(DWORD, IBinding*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetPriority(LONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnLowResource(DWORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnProgress(ULONG, ULONG, ULONG, LPCWSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnStopBinding(HRESULT, LPCWSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD* flags, BINDINFO* info) override {
    *flags |= BINDF_GETNEWESTVERSION | BINDF_NOWRITECACHE | BINDF_PRAGMA_NO_CACHE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnObjectAvailable(REFIID, IUnknown*) override { return S_OK; }
};

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

std::int32_t Win32Internet::UrlDownloadToFile(const std::string& url, const std::string& path, bool bypass_cache) {
  const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  FreshCopy fresh;
  if (bypass_cache) DeleteUrlCacheEntryA(url.c_str());  // an older copy must not be served instead
  const HRESULT result = URLDownloadToFileA(nullptr, url.c_str(), path.c_str(), 0, bypass_cache ? &fresh : nullptr);
  if (SUCCEEDED(init)) CoUninitialize();
  return static_cast<std::int32_t>(result);
}

}  // namespace ks::win32
