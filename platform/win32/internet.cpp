#include "platform/win32/internet.h"

#include <cstring>

#include "platform/http_headers.h"
#include "platform/win32/files.h"
#include "platform/win32/handle.h"
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

std::wstring Widen(const std::string& text) {
  const int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  if (n <= 0) return L"";
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), n);
  wide.resize(static_cast<std::size_t>(n - 1));
  return wide;
}

// The binding's status callback. The service reports success for any answer
// the server gave and for a connection that closed early, so this learns
// what it leaves out through IHttpNegotiate, which urlmon asks the callback
// for: the status and the response's headers (its lengths and codings). It
// asks for the body as it is, so that a sound server's Content-Length is
// the file's length. With `bypass_cache` it also asks for the site's newest
// copy, past every cache, and keeps the download out of the local cache.
//
// The binding is asynchronous: urlmon calls back through messages to this
// thread's windows, which the caller's wait dispatches, and holds its own
// references, possibly past the wait's end when a binding will not stop;
// so the object counts its references.
//
// The body is written as it comes, read by read, into a spool file of its
// own beside the target, which is renamed over the target once the binding
// has succeeded. Held in memory instead, a large body cost more in the
// string's regrowths and in one big write at the end than the transfer
// itself. Where no spool file can be made the body is kept in memory.
class DownloadWatch final : public IBindStatusCallback, public IHttpNegotiate {
 public:
  DownloadWatch(bool bypass_cache, HANDLE spool)
      : bypass_cache_(bypass_cache), activity_(GetTickCount64()), spool_(spool) {}

  int status() const { return status_; }
  const platform::BodyFraming& framing() const { return framing_; }
  bool done() const { return done_; }
  HRESULT result() const { return result_; }
  const std::string& body() const { return body_; }
  bool spooled() const { return spool_.valid(); }
  // Closes the spool file; later bytes are dropped. False when a piece
  // could not be written whole.
  bool CloseSpool() {
    spool_.reset();
    closed_ = true;
    return !spool_failed_;
  }
  // When a byte, a header or any progress came last (GetTickCount64).
  ULONGLONG activity() const { return activity_; }
  // Ends the binding; OnStopBinding follows, now or through a message.
  // False when there is no binding to end.
  bool Abort() { return binding_.valid() && SUCCEEDED(binding_.get()->Abort()); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IBindStatusCallback)) {
      *out = static_cast<IBindStatusCallback*>(this);
    } else if (IsEqualIID(riid, IID_IHttpNegotiate)) {
      *out = static_cast<IHttpNegotiate*>(this);
    } else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

  HRESULT STDMETHODCALLTYPE OnStartBinding(DWORD, IBinding* binding) override {
    if (binding) {
      binding->AddRef();
      binding_.reset(binding);
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetPriority(LONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnLowResource(DWORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnProgress(ULONG, ULONG, ULONG, LPCWSTR) override {
    activity_ = GetTickCount64();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnStopBinding(HRESULT result, LPCWSTR) override {
    result_ = result;
    done_ = true;
    binding_.reset();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD* flags, BINDINFO* info) override {
    *flags = BINDF_ASYNCHRONOUS | BINDF_ASYNCSTORAGE | BINDF_PULLDATA;
    if (bypass_cache_) *flags |= BINDF_GETNEWESTVERSION | BINDF_NOWRITECACHE | BINDF_PRAGMA_NO_CACHE;
    if (info && info->cbSize >= sizeof(BINDINFO)) {
      const ULONG size = info->cbSize;
      std::memset(info, 0, size);
      info->cbSize = size;
      info->dwBindVerb = BINDVERB_GET;
    }
    return S_OK;
  }
  // With BINDF_PULLDATA the next notification comes only after this one's
  // bytes were read to the end (E_PENDING: no more yet; S_FALSE: the end).
  HRESULT STDMETHODCALLTYPE OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM* medium) override {
    activity_ = GetTickCount64();
    if (!medium || medium->tymed != TYMED_ISTREAM || !medium->pstm) return S_OK;
    for (;;) {
      ULONG got = 0;
      const HRESULT hr = medium->pstm->Read(buffer_.data(), static_cast<ULONG>(buffer_.size()), &got);
      if (got > 0) Keep(got);
      if (hr != S_OK || got == 0) break;
    }
    return S_OK;
  }
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
    activity_ = GetTickCount64();
    status_ = static_cast<int>(status);
    framing_ = platform::ReadBodyFraming(Narrow(headers));
    if (extra_headers) *extra_headers = nullptr;
    return S_OK;
  }

 private:
  ~DownloadWatch() = default;

  void Keep(ULONG got) {
    if (closed_) return;
    if (!spool_.valid()) {
      body_.append(buffer_.data(), got);
      return;
    }
    DWORD put = 0;
    if (spool_failed_ || !::WriteFile(spool_.get(), buffer_.data(), got, &put, nullptr) || put != got)
      spool_failed_ = true;
  }

  ULONG refs_ = 1;
  bool bypass_cache_;
  int status_ = 0;
  platform::BodyFraming framing_;
  bool done_ = false;
  HRESULT result_ = E_FAIL;
  std::string body_;
  ULONGLONG activity_;
  ScopedCom<IBinding> binding_;
  // One read's worth: the stream gives what has come, up to this much.
  std::string buffer_ = std::string(256 * 1024, '\0');
  ScopedFile spool_;
  bool spool_failed_ = false;
  bool closed_ = false;
};

// The thread's pending messages: the binding's notifications, and a
// window's input that the caller's keep_going left.
void DispatchPending() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// How long an aborted binding may take to report its end.
constexpr ULONGLONG kAbortGraceMs = 5000;

// Runs the binding to its end, or ends it as `wait` says; the result is
// the binding's, or kEAbort for one ended here.
HRESULT Bind(const std::string& url, DownloadWatch& watch, const platform::DownloadWait& wait,
             platform::Download& d) {
  ScopedCom<IMoniker> moniker;
  IMoniker* made = nullptr;
  HRESULT hr = CreateURLMoniker(nullptr, Widen(url).c_str(), &made);
  if (FAILED(hr)) return hr;
  moniker.reset(made);
  ScopedCom<IBindCtx> context;
  IBindCtx* ctx = nullptr;
  hr = CreateAsyncBindCtx(0, &watch, nullptr, &ctx);
  if (FAILED(hr)) return hr;
  context.reset(ctx);
  IUnknown* stream = nullptr;
  hr = moniker.get()->BindToStorage(context.get(), nullptr, IID_IStream, reinterpret_cast<void**>(&stream));
  ScopedCom<IUnknown> kept(stream);
  if (FAILED(hr)) return watch.done() ? watch.result() : hr;

  bool aborted = false;
  ULONGLONG aborted_at = 0;
  while (!watch.done()) {
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(platform::kDownloadPollMs), QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
    const bool go_on = !wait.keep_going || wait.keep_going();
    DispatchPending();
    if (watch.done()) break;
    const ULONGLONG now = GetTickCount64();
    if (aborted) {
      if (now - aborted_at > kAbortGraceMs) break;  // the binding keeps its own reference
      continue;
    }
    if (!go_on) {
      d.stopped = true;
    } else if (wait.idle_ms > 0 && now - watch.activity() >= static_cast<ULONGLONG>(wait.idle_ms)) {
      d.stalled = true;
    } else {
      continue;
    }
    aborted = true;
    aborted_at = now;
    if (!watch.Abort()) break;
  }
  return aborted ? platform::kEAbort : watch.result();
}

// A new, empty file in the target's folder for the body (GetTempFileNameA:
// a name no file has, so nothing is overwritten), so that the target is
// touched only once the body is all there; the same volume, so the rename
// moves no bytes. "" when the folder takes no file.
std::string SpoolName(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  char name[MAX_PATH] = {};
  if (GetTempFileNameA(folder.c_str(), "dl", 0, name) == 0) return "";
  return name;
}

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
                                                    bool bypass_cache, const platform::DownloadWait& wait) {
  const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (bypass_cache) DeleteUrlCacheEntryA(url.c_str());  // an older copy must not be served instead
  const std::string spool = SpoolName(path);
  HANDLE spool_file = INVALID_HANDLE_VALUE;
  if (!spool.empty()) {
    spool_file = CreateFileA(spool.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL,
                             nullptr);
    if (spool_file == INVALID_HANDLE_VALUE) DeleteFileA(spool.c_str());
  }
  ScopedCom<DownloadWatch> watch(new DownloadWatch(bypass_cache, spool_file));
  const bool spooled = watch.get()->spooled();
  platform::Download d;
  d.result = static_cast<std::int32_t>(Bind(url, *watch.get(), wait, d));
  const bool spool_whole = watch.get()->CloseSpool();
  d.http_status = watch.get()->status();
  d.announced = watch.get()->framing().length;
  d.lengths_differ = watch.get()->framing().lengths_differ;
  d.transfer_coded = watch.get()->framing().transfer_coded;
  d.content_coded = watch.get()->framing().content_coded;
  // As URLDownloadToFileA: what came replaces the file once the binding has
  // succeeded; a file that cannot be written is not, and the result stays.
  // A spool file that is not put in place goes.
  if (!spooled) {
    if (d.result >= 0) Win32Files().WriteFile(path, watch.get()->body());
  } else if (d.result < 0 || !spool_whole ||
             !MoveFileExA(spool.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    DeleteFileA(spool.c_str());
  }
  watch.reset();
  if (SUCCEEDED(init)) CoUninitialize();
  d.written = FileSize(path);
  return d;
}

}  // namespace ks::win32
