#include "platform/win32/shell_services.h"

#include "platform/win32/handle.h"
#include "platform/win32/win.h"
// After win.h: the shell's automation interfaces.
#include <oleauto.h>
#include <shellapi.h>
#include <shldisp.h>
#undef FindExecutable
#undef ShellExecute

namespace ks::win32 {

namespace {

const char* OrNull(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

// A string made by SysAllocString*.
struct BstrTraits {
  using Handle = BSTR;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { SysFreeString(h); }
};

}  // namespace

std::intptr_t Win32ShellServices::FindExecutable(const std::string& file, const std::string& directory,
                                                 std::string* program) {
  char buffer[MAX_PATH] = {};
  HINSTANCE result = FindExecutableA(file.c_str(), OrNull(directory), buffer);
  buffer[MAX_PATH - 1] = '\0';
  const auto code = reinterpret_cast<std::intptr_t>(result);
  *program = code > 32 ? std::string(buffer) : std::string();
  return code;
}

std::intptr_t Win32ShellServices::ShellExecute(platform::WindowHandle owner, const std::string& operation,
                                               const std::string& file, const std::string& parameters,
                                               const std::string& directory, int show) {
  HWND window = reinterpret_cast<HWND>(static_cast<uintptr_t>(owner));
  HINSTANCE result = ShellExecuteA(window, OrNull(operation), file.c_str(), OrNull(parameters),
                                   OrNull(directory), show);
  return reinterpret_cast<std::intptr_t>(result);
}

bool Win32ShellServices::ControlPanelItem(const std::string& item) {
  // The GUI thread is a single-threaded apartment; a second initialisation
  // only counts up and is balanced below.
  const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  bool ok = false;
  {
    IShellDispatch* made = nullptr;
    const HRESULT hr = CoCreateInstance(CLSID_Shell, nullptr, CLSCTX_INPROC_SERVER, IID_IShellDispatch,
                                        reinterpret_cast<void**>(&made));
    const ScopedCom<IShellDispatch> shell(made);
    if (SUCCEEDED(hr) && shell.valid()) {
      const int wide_len = MultiByteToWideChar(CP_ACP, 0, item.c_str(), -1, nullptr, 0);
      const Scoped<BstrTraits> name(SysAllocStringLen(nullptr, wide_len > 0 ? wide_len - 1 : 0));
      if (name.valid()) {
        MultiByteToWideChar(CP_ACP, 0, item.c_str(), -1, name.get(), wide_len);
        ok = SUCCEEDED(shell.get()->ControlPanelItem(name.get()));
      }
    }
  }
  if (SUCCEEDED(init)) CoUninitialize();
  return ok;
}

}  // namespace ks::win32
