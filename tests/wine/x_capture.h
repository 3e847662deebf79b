// What a Direct3D child window shows, captured from the X side: Wine draws
// such a window into an X window of its own, which a capture of the
// program's top-level window does not see (it reads black there).
// x_capture.sh finds and captures that X window, or the whole screen; it
// is a Unix program, so Wine starts it without a handle to wait on and it
// leaves its result in files.
#pragma once

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "platform/win32/files.h"
#include "platform/win32/win.h"

namespace ks::test {

// A picture as 0xRRGGBB pixels, rows top to bottom.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};

// A binary PPM (P6, 8 bits a channel); false for anything else.
inline bool ParsePpm(const std::string& bytes, Picture* out) {
  size_t at = 0;
  auto field = [&](std::string* word) {
    for (;;) {
      while (at < bytes.size() && std::isspace(static_cast<unsigned char>(bytes[at]))) ++at;
      if (at < bytes.size() && bytes[at] == '#') {
        while (at < bytes.size() && bytes[at] != '\n') ++at;
        continue;
      }
      break;
    }
    const size_t from = at;
    while (at < bytes.size() && !std::isspace(static_cast<unsigned char>(bytes[at]))) ++at;
    *word = bytes.substr(from, at - from);
    return !word->empty();
  };
  std::string magic, w, h, max;
  if (!field(&magic) || magic != "P6" || !field(&w) || !field(&h) || !field(&max) || max != "255") return false;
  out->width = std::atoi(w.c_str());
  out->height = std::atoi(h.c_str());
  ++at;  // the one blank before the pixels
  const size_t count = static_cast<size_t>(out->width) * static_cast<size_t>(out->height);
  if (out->width <= 0 || out->height <= 0 || bytes.size() < at + 3 * count) return false;
  out->pixels.resize(count);
  for (size_t i = 0; i < count; ++i) {
    const auto byte = [&](size_t k) { return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + k])); };
    out->pixels[i] = byte(3 * i) << 16 | byte(3 * i + 1) << 8 | byte(3 * i + 2);
  }
  return true;
}

inline size_t DistinctColours(const Picture& p) {
  return std::set<std::uint32_t>(p.pixels.begin(), p.pixels.end()).size();
}

// Pixels that differ between two pictures of one size.
inline size_t DifferingPixels(const Picture& a, const Picture& b) {
  if (a.pixels.size() != b.pixels.size()) return a.pixels.size() + b.pixels.size();
  size_t n = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i) n += a.pixels[i] != b.pixels[i];
  return n;
}

inline std::string WindowsPath(const std::string& unix_path) {
  std::string path = "Z:" + unix_path;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

namespace detail {

// Runs x_capture.sh with `arguments` and then `out_path`, and reads the
// picture it leaves there.
inline bool RunCapture(const std::string& source_dir, const std::string& arguments, const std::string& out_path,
                       Picture* out, std::string* why) {
  std::string line = "Z:\\bin\\sh " + source_dir + "/tests/wine/x_capture.sh " + arguments + " " + out_path;
  STARTUPINFOA si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    *why = "the capture script did not start";
    return false;
  }
  if (pi.hProcess) CloseHandle(pi.hProcess);
  if (pi.hThread) CloseHandle(pi.hThread);
  win32::Win32Files fs;
  std::string done;
  for (int waited = 0; !fs.ReadFile(WindowsPath(out_path + ".done"), &done); waited += 50) {
    if (waited > 30000) {
      *why = "no capture within 30 s";
      return false;
    }
    Sleep(50);
  }
  std::string bytes, log;
  fs.ReadFile(WindowsPath(out_path), &bytes);
  fs.ReadFile(WindowsPath(out_path + ".log"), &log);
  for (const std::string& file : {out_path, out_path + ".done", out_path + ".log"}) fs.DeleteFile(WindowsPath(file));
  if (done != "0\n") {
    *why = "capture " + arguments + " failed (" + done.substr(0, done.size() - 1) + "):\n" + log;
    return false;
  }
  if (!ParsePpm(bytes, out)) {
    *why = "the capture is no PPM";
    return false;
  }
  return true;
}

inline std::string CapturePath(const std::string& folder) {
  static int serial = 0;
  return folder + "/ks_capture_" +
         std::to_string(std::chrono::steady_clock::now().time_since_epoch().count() % 1000000000) + "_" +
         std::to_string(++serial) + ".ppm";
}

}  // namespace detail

// Captures what the Direct3D child window `child` shows. The files go into
// the Unix folder `folder` and are removed again. False with `why` set when
// no capture came within 30 seconds or it could not be read.
inline bool CaptureDirect3DWindow(HWND child, const std::string& source_dir, const std::string& folder,
                                  Picture* out, std::string* why) {
  RECT client{};
  GetClientRect(child, &client);
  return detail::RunCapture(source_dir, std::to_string(client.right) + " " + std::to_string(client.bottom),
                            detail::CapturePath(folder), out, why);
}

// Captures the whole X screen (the root window): what a user sees, every
// window as it stands above the others. Screen coordinates are the
// picture's.
inline bool CaptureScreen(const std::string& source_dir, const std::string& folder, Picture* out, std::string* why) {
  return detail::RunCapture(source_dir, "root", detail::CapturePath(folder), out, why);
}

// The part of a picture inside `r` (clipped to the picture).
inline Picture Crop(const Picture& p, const RECT& r) {
  Picture out;
  const int left = std::max<int>(0, r.left), top = std::max<int>(0, r.top);
  const int right = std::min<int>(p.width, r.right), bottom = std::min<int>(p.height, r.bottom);
  if (right <= left || bottom <= top) return out;
  out.width = right - left;
  out.height = bottom - top;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) out.pixels.push_back(p.pixels[static_cast<size_t>(y) * p.width + x]);
  return out;
}

// The screen rectangle of a window's client area.
inline RECT ClientOnScreen(HWND hwnd) {
  RECT r{};
  GetClientRect(hwnd, &r);
  MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace ks::test
