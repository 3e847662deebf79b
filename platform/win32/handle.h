// One scoped-handle template: a handle with a traits type that knows its
// invalid value and how to close it. Kernel handles, COM interfaces and GDI
// objects are all owned through it; no code closes or releases by hand.
#pragma once

#include "platform/win32/win.h"

namespace ks::win32 {

template <typename Traits>
class Scoped {
 public:
  using Handle = typename Traits::Handle;
  Scoped() = default;
  explicit Scoped(Handle h) : h_(h) {}
  Scoped(const Scoped&) = delete;
  Scoped& operator=(const Scoped&) = delete;
  Scoped(Scoped&& other) noexcept : h_(other.release()) {}
  Scoped& operator=(Scoped&& other) noexcept {
    reset(other.release());
    return *this;
  }
  ~Scoped() { reset(); }

  Handle get() const { return h_; }
  bool valid() const { return h_ != Traits::Invalid(); }
  Handle release() {
    Handle h = h_;
    h_ = Traits::Invalid();
    return h;
  }
  void reset(Handle h = Traits::Invalid()) {
    if (valid()) Traits::Close(h_);
    h_ = h;
  }

 private:
  Handle h_ = Traits::Invalid();
};

struct FileHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { CloseHandle(h); }
};
struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { CloseHandle(h); }
};
struct FindHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { FindClose(h); }
};

// A COM interface pointer: the owner holds one reference.
template <typename Interface>
struct ComTraits {
  using Handle = Interface*;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { h->Release(); }
};
// A GDI object made by the program (bitmap, pen, brush, font).
struct GdiObjectTraits {
  using Handle = HGDIOBJ;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { DeleteObject(h); }
};
// A memory device context (CreateCompatibleDC).
struct MemoryDcTraits {
  using Handle = HDC;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { DeleteDC(h); }
};

// The screen's device context (GetDC(nullptr)).
struct ScreenDcTraits {
  using Handle = HDC;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { ReleaseDC(nullptr, h); }
};

// A window's device context (GetDC(window)), given back to that window.
class ScopedWindowDc {
 public:
  explicit ScopedWindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~ScopedWindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  ScopedWindowDc(const ScopedWindowDc&) = delete;
  ScopedWindowDc& operator=(const ScopedWindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

using ScopedFile = Scoped<FileHandleTraits>;
using ScopedKernelHandle = Scoped<KernelHandleTraits>;
using ScopedFind = Scoped<FindHandleTraits>;
template <typename Interface>
using ScopedCom = Scoped<ComTraits<Interface>>;
using ScopedGdiObject = Scoped<GdiObjectTraits>;
using ScopedMemoryDc = Scoped<MemoryDcTraits>;
using ScopedScreenDc = Scoped<ScreenDcTraits>;

}  // namespace ks::win32
