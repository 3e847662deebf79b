// Every window of the suite at 96 and at 120 pixels per inch. Windows reads
// the screen's pixels per inch (the value LogPixels under "Control
// Panel\Desktop") when a process starts, so the test starts a copy of
// itself in an installation folder once at each setting. That copy shows
// each window of each program in turn and writes down what its controls
// are: their rectangles, whether they stay inside their parent, whether
// their text is cut at the font they have, and a capture of the screen.
// The test then holds the 120 layout against the 96 one scaled by 1.25.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cleaner/pvx_form1.h"
#include "cleaner/pvx_state.h"
#include "hardware/Form9.h"
#include "pages/Form4.h"
#include "platform/win32/d3d8.h"
#include "platform/win32/images.h"
#include "platform/win32/win.h"

#include <commctrl.h>

#include "shell/Form1.h"
#include "shell/Form2.h"
#include "shell/Form5.h"
#include "tools/Form3.h"
#include "tools/Form6.h"
#include "tools/Form7.h"
#include "tray/Form1.h"
#include "tray/frmAbout.h"
#include "tray/travo_state.h"
#include "ui/win32/renderer.h"
#include "updater/Form1.h"
#include "updater/relayo_state.h"
#include "viewer/Form1.h"
#include "viewer/viewer_state.h"
#include "wine/program_windows.h"
#include "wine/test_folders.h"
#include "wine/wine_machine.h"
#include "wine/x_capture.h"

namespace ks::test {
namespace {

constexpr char kProbeVariable[] = "KS_DPI_PROBE";
constexpr char kDesktopKey[] = "Control Panel\\Desktop";

// One control's window as the probe saw it: its rectangle in its parent's
// client area, whether it lies inside that area, and what of its text is
// cut ("" when nothing).
struct Seen {
  std::string cls;
  RECT rect{};
  bool inside = true;
  std::string cut;
};

struct SeenWindow {
  int width = 0, height = 0;  // the outer size
  std::map<std::string, Seen> controls;
  std::string capture;  // a PPM of the window as the screen shows it
};

// ---------------------------------------------------------------------------
// The probe: runs in the copy started at one setting.

std::string WindowText(HWND hwnd) {
  char text[1024] = {};
  GetWindowTextA(hwnd, text, sizeof(text));
  return text;
}

std::string StripMnemonic(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) ++i;
    out += text[i];
  }
  return out;
}

// What of the control's text its window does not show, at the window's own
// font; "" when it shows all.
std::string CutText(HWND hwnd, const std::string& cls, int ppi) {
  const std::string text = WindowText(hwnd);
  if (text.empty() || cls == "Edit" || cls == "ComboBox" || cls == "ListBox") return "";
  RECT client{};
  GetClientRect(hwnd, &client);
  const int width = client.right, height = client.bottom;
  HDC dc = GetDC(hwnd);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(hwnd, WM_GETFONT, 0, 0)));
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  std::string cut;
  const std::string shown = StripMnemonic(text);
  SIZE extent{};
  GetTextExtentPoint32A(dc, shown.c_str(), static_cast<int>(shown.size()), &extent);
  if (cls == "Static") {
    // A label breaks its text at blanks; a word wider than it, or more
    // lines than its height holds, is cut.
    RECT need{0, 0, width, 0};
    DrawTextA(dc, text.c_str(), -1, &need, DT_CALCRECT | DT_WORDBREAK);
    if (need.right > width) cut = "a word is " + std::to_string(need.right) + " px wide in " + std::to_string(width);
    else if (need.bottom > height)
      cut = "the lines are " + std::to_string(need.bottom) + " px high in " + std::to_string(height);
  } else if (cls == "Button") {
    const LONG type = GetWindowLongA(hwnd, GWL_STYLE) & BS_TYPEMASK;
    // A check box or option button draws its mark and a gap before the text.
    const bool marked = type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON && type != BS_GROUPBOX;
    const int room = marked ? width - MulDiv(16, ppi, 96) : width - 4;
    if (extent.cx > room) cut = std::to_string(extent.cx) + " px of text in " + std::to_string(room);
    else if (tm.tmHeight > height)
      cut = "a line of " + std::to_string(tm.tmHeight) + " px in " + std::to_string(height);
  } else if (cls == "KsFrame") {
    // The caption stands at 120 twips from the frame's left edge.
    SIZE padded{};
    const std::string caption = " " + text + " ";
    GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &padded);
    const int need = MulDiv(120, ppi, 1440) + padded.cx;
    if (need > width) cut = "the caption takes " + std::to_string(need) + " px of " + std::to_string(width);
  }
  SelectObject(dc, old);
  ReleaseDC(hwnd, dc);
  return cut;
}

// The buttons of a toolbar that do not lie wholly inside it.
std::string ButtonsOutside(HWND bar) {
  RECT client{};
  GetClientRect(bar, &client);
  std::string out;
  const auto count = static_cast<int>(SendMessageA(bar, TB_BUTTONCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    RECT r{};
    SendMessageA(bar, TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
    if (r.right > client.right || r.bottom > client.bottom)
      out += "button " + std::to_string(i) + " ends at " + std::to_string(r.right) + " of " +
             std::to_string(client.right) + "; ";
  }
  return out;
}

class Probe {
 public:
  Probe(std::ostream& out, std::string unix_source, std::string unix_build)
      : out_(out), source_(std::move(unix_source)), build_(std::move(unix_build)) {
    ppi_ = ui::win32::ScreenScale().PixelsPerInch();
    out_ << "P " << ppi_ << "\n";
  }

  // Pumps the program's loop for `ms`.
  static void Pump(ui::App& app, int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
      app.DoEvents();
      Sleep(10);
    }
  }

  // Writes down the shown form `form` as the window `name`.
  void Record(ui::win32::Renderer& renderer, ui::Form& form, const std::string& name) {
    HWND top = renderer.WindowOf(form);
    if (!top) {
      out_ << "M " << name << "\n";
      return;
    }
    SetWindowPos(top, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(top);
    RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASE);
    Pump(form.app(), 250);
    RECT outer{};
    GetWindowRect(top, &outer);
    out_ << "W " << name << " " << outer.right - outer.left << " " << outer.bottom - outer.top << "\n";
    for (ui::Control* c : form.controls()) {
      if (!renderer.HasWindow(*c)) continue;
      HWND hwnd = renderer.WindowOf(*c);
      if (!hwnd || !IsWindowVisible(hwnd)) continue;
      const std::string cls = WindowClass(hwnd);
      HWND parent = GetParent(hwnd);
      RECT r{}, area{};
      GetWindowRect(hwnd, &r);
      MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
      GetClientRect(parent, &area);
      const bool inside = r.left >= 0 && r.top >= 0 && r.right <= area.right && r.bottom <= area.bottom;
      std::string cut = cls == "ToolbarWindow32" ? ButtonsOutside(hwnd) : CutText(hwnd, cls, ppi_);
      for (char& ch : cut)
        if (ch == '\n' || ch == '|') ch = ' ';
      out_ << "C " << name << "|" << c->FullName() << "|" << cls << "|" << r.left << "|" << r.top << "|" << r.right
           << "|" << r.bottom << "|" << (inside ? 1 : 0) << "|" << cut << "\n";
    }
    Picture shot;
    std::string why;
    if (CaptureScreen(source_, build_, &shot, &why)) {
      const std::string file = build_ + "/dpi_captures/" + std::to_string(ppi_) + "_" + FileName(name) + ".ppm";
      WritePpm(Crop(shot, outer), file);
      out_ << "S " << name << "|" << file << "\n";
    } else {
      out_ << "F " << name << "|" << why.substr(0, why.find('\n')) << "\n";
    }
    out_.flush();
  }

 private:
  static std::string FileName(const std::string& name) {
    std::string out = name;
    for (char& ch : out)
      if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    return out;
  }
  static void WritePpm(const Picture& p, const std::string& unix_path) {
    std::string bytes = "P6\n" + std::to_string(p.width) + " " + std::to_string(p.height) + "\n255\n";
    for (std::uint32_t px : p.pixels) {
      bytes += static_cast<char>(px >> 16 & 0xFF);
      bytes += static_cast<char>(px >> 8 & 0xFF);
      bytes += static_cast<char>(px & 0xFF);
    }
    win32::Win32Files().WriteFile(WindowsPath(unix_path), bytes);
  }

  std::ostream& out_;
  std::string source_, build_;
  int ppi_ = 96;
};

void ShowAndRecord(Probe& probe, ui::win32::Renderer& renderer, ui::Form& form, const std::string& name) {
  form.Show();
  Probe::Pump(form.app(), 300);
  probe.Record(renderer, form, name);
  form.Unload();
  Probe::Pump(form.app(), 50);
}

void ProbeKestrelane(Probe& probe) {
  WineMachine machine;
  SeState s(machine);
  ui::win32::Renderer renderer(s.app);
  Form1 main(s);
  main.Show();
  main.Timer3.SetEnabled(false);  // the monitoring would move the CPU bars
  Probe::Pump(s.app, 500);
  for (int page = 0; page < kPageCount; ++page) {
    main.ActivePage = page;
    main.ShowPage();
    Probe::Pump(s.app, 200);
    probe.Record(renderer, main, "KestrelaneSE page " + std::to_string(page));
  }
  // The options strip below the pages shows when the window is tall.
  main.Move(main.Left(), main.Top(), main.Width(), 6405);
  Probe::Pump(s.app, 200);
  probe.Record(renderer, main, "KestrelaneSE tall");
  ShowAndRecord(probe, renderer, main.form5(), "help window");
  ShowAndRecord(probe, renderer, main.form2(), "about box");
  ShowAndRecord(probe, renderer, main.form3(), "registry editor");
  ShowAndRecord(probe, renderer, main.form6(), "preset manager");
  ShowAndRecord(probe, renderer, main.form7(), "application picker");
  ShowAndRecord(probe, renderer, main.form4(), "performance wizard");
  Form9 log(s);
  ShowAndRecord(probe, renderer, log, "monitoring log");
  main.Unload();
}

void ProbeViewer(Probe& probe, viewer::EditionKind kind, const std::string& name) {
  WineMachine machine;
  win32::Win32Direct3D8 d3d;
  win32::Win32ImageDecoder images;
  viewer::ViewerState state(machine, d3d, images, viewer::EditionOf(kind));
  ui::win32::Renderer renderer(state.app);
  {
    viewer::Form1 form(state);
    form.Show();
    Probe::Pump(state.app, 800);
    probe.Record(renderer, form, name);
    form.Unload();
    Probe::Pump(state.app, 50);
  }
  d3d.ReleaseAll();
}

void ProbePvx(Probe& probe, const std::string& profile) {
  WineMachine machine;
  pvx::PvxState state(machine);
  ui::win32::Renderer renderer(state.app);
  pvx::Form1 form(state);
  state.language.LoadLanguage();
  ShowAndRecord(probe, renderer, form.ProfileDialog, "pvx profile dialog");
  state.ProfileName = profile;
  form.Load();
  form.LoadProfile();
  form.ApplyLanguage();
  form.Show();
  Probe::Pump(state.app, 400);
  probe.Record(renderer, form, "pvx");
  ShowAndRecord(probe, renderer, form.AboutBox, "pvx about box");
  ShowAndRecord(probe, renderer, form.SearchNotice, "pvx search notice");
  form.Unload();
}

void ProbeTravo(Probe& probe) {
  WineMachine machine;
  travo::TravoState state(machine);
  ui::win32::Renderer renderer(state.app);
  state.language.LoadLanguage();
  travo::Form1 presets(state);
  travo::frmAbout about(state);
  ShowAndRecord(probe, renderer, presets, "travo presets");
  ShowAndRecord(probe, renderer, about, "travo about box");
}

void ProbeRelayo(Probe& probe) {
  WineMachine machine;
  relayo::RelayoState state(machine);
  ui::win32::Renderer renderer(state.app);
  relayo::Form1 form(state);
  ShowAndRecord(probe, renderer, form, "relayo");
}

// Run by the copy the test starts; skipped anywhere else.
TEST(WindowsAtScreenDpi, Probe) {
  const char* out_path = std::getenv(kProbeVariable);
  if (!out_path) GTEST_SKIP() << "started by WindowsAtScreenDpi.At120TheyAreTheirLayoutAt96Scaled";
  std::ostringstream out;
  Probe probe(out, std::getenv("KS_SOURCE_DIR"), std::getenv("KS_BUILD_DIR"));
  auto write = [&] { ASSERT_TRUE(win32::Win32Files().WriteFile(out_path, out.str())); };
  write();  // the screen's setting is read: the test may put it back
  ProbeKestrelane(probe);
  write();
  ProbeViewer(probe, viewer::EditionKind::kInfo, "info");
  ProbeViewer(probe, viewer::EditionKind::kTarrow, "tarrow");
  write();
  ProbePvx(probe, "ForceWare for Windows 2000 and XP.pvx");
  ProbeTravo(probe);
  ProbeRelayo(probe);
  out << "E\n";
  write();
}

// ---------------------------------------------------------------------------
// The test.

// Sets the screen's pixels per inch for processes started from now on and
// puts the setting back as it was (at the latest when it goes). The Wine
// server writes the registry to the prefix's files only now and then, and
// a server started on them (the site tests start one) reads what is there:
// Restore waits until the files hold the setting put back.
class ScreenSetting {
 public:
  ScreenSetting() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return;
    DWORD type = 0, size = sizeof(old_);
    had_ = RegQueryValueExA(key, "LogPixels", nullptr, &type, reinterpret_cast<BYTE*>(&old_), &size) ==
               ERROR_SUCCESS &&
           type == REG_DWORD;
    RegCloseKey(key);
  }
  ~ScreenSetting() { PutBack(); }
  // Puts the setting back in the registry (again and again, harmless).
  void PutBack() {
    if (had_) Set(old_);
    else if (HKEY key = Open()) {
      RegDeleteValueA(key, "LogPixels");
      RegCloseKey(key);
    }
  }
  // Puts the setting back and waits up to a minute for the prefix's file to
  // hold it; false when it did not.
  bool Restore() {
    PutBack();
    const char* prefix = std::getenv("WINEPREFIX");
    if (!prefix) return true;  // not under Wine: the registry is the system's
    win32::Win32Files files;
    for (int waited = 0; waited <= 60000; waited += 500) {
      std::string text;
      if (files.ReadFile(WindowsPath(std::string(prefix) + "/user.reg"), &text) && InFile(text) == Wanted())
        return true;
      Sleep(500);
    }
    return false;
  }
  ScreenSetting(const ScreenSetting&) = delete;
  ScreenSetting& operator=(const ScreenSetting&) = delete;
  bool Set(DWORD ppi) {
    HKEY key = Open();
    if (!key) return false;
    const bool set = RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&ppi),
                                    sizeof(ppi)) == ERROR_SUCCESS;
    RegCloseKey(key);
    return set;
  }

 private:
  // The setting's line in the file's section of the key; "" when none.
  static std::string InFile(const std::string& text) {
    const size_t section = text.find("\n[Control Panel\\\\Desktop]");
    if (section == std::string::npos) return "";
    const size_t end = std::min(text.find("\n[", section + 1), text.size());
    const size_t line = text.find("\n\"LogPixels\"=", section);
    if (line == std::string::npos || line > end) return "";
    return text.substr(line + 1, text.find('\n', line + 1) - line - 1);
  }
  std::string Wanted() const {
    if (!had_) return "";
    char line[40];
    std::snprintf(line, sizeof(line), "\"LogPixels\"=dword:%08lx", static_cast<unsigned long>(old_));
    return line;
  }
  static HKEY Open() {
    HKEY key = nullptr;
    return RegCreateKeyA(HKEY_CURRENT_USER, kDesktopKey, &key) == ERROR_SUCCESS ? key : nullptr;
  }
  bool had_ = false;
  DWORD old_ = 96;
};

struct ProbeRun {
  int ppi = 0;
  bool ended = false;
  std::map<std::string, SeenWindow> windows;
  std::vector<std::string> notes;  // windows missing or not captured
};

std::vector<std::string> Split(const std::string& line, char by) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(line);
  while (std::getline(in, part, by)) parts.push_back(part);
  if (!line.empty() && line.back() == by) parts.emplace_back();
  return parts;
}

ProbeRun ReadRun(const std::string& text) {
  ProbeRun run;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (line.size() < 2) {
      run.ended = run.ended || line == "E";
      continue;
    }
    const char kind = line[0];
    const std::string rest = line.substr(2);
    if (kind == 'P') run.ppi = std::atoi(rest.c_str());
    if (kind == 'W') {
      const size_t b = rest.rfind(' '), a = rest.rfind(' ', b - 1);
      SeenWindow& w = run.windows[rest.substr(0, a)];
      w.width = std::atoi(rest.substr(a + 1).c_str());
      w.height = std::atoi(rest.substr(b + 1).c_str());
    }
    if (kind == 'M' || kind == 'F') run.notes.push_back(line);
    const std::vector<std::string> f = Split(rest, '|');
    if (kind == 'S' && f.size() == 2) run.windows[f[0]].capture = f[1];
    if (kind == 'C' && f.size() == 9) {
      Seen& seen = run.windows[f[0]].controls[f[1]];
      seen.cls = f[2];
      seen.rect = RECT{std::atoi(f[3].c_str()), std::atoi(f[4].c_str()), std::atoi(f[5].c_str()),
                       std::atoi(f[6].c_str())};
      seen.inside = f[7] == "1";
      seen.cut = f[8];
    }
  }
  return run;
}

// Starts the copy of the tests at `ppi` and reads what it saw.
ProbeRun ProbeAt(ScreenSetting& setting, DWORD ppi, const std::string& exe, const std::string& out) {
  ProbeRun run;
  win32::Win32Files files;
  files.DeleteFile(out);
  if (!setting.Set(ppi)) return run;
  SetEnvironmentVariableA(kProbeVariable, out.c_str());
  std::string line = "\"" + exe + "\" --gtest_filter=WindowsAtScreenDpi.Probe";
  STARTUPINFOA si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  const bool started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
  SetEnvironmentVariableA(kProbeVariable, nullptr);
  if (!started) {
    setting.PutBack();
    return run;
  }
  // The copy has read the setting once it has written its first line; the
  // setting goes back at once, so that it stays changed only briefly.
  std::string text;
  for (int waited = 0; waited < 60000 && !files.ReadFile(out, &text); waited += 100)
    if (WaitForSingleObject(pi.hProcess, 100) == WAIT_OBJECT_0) break;
  setting.PutBack();
  if (WaitForSingleObject(pi.hProcess, 240000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  text.clear();
  files.ReadFile(out, &text);
  return ReadRun(text);
}

// The share of pixels of the 120 capture whose colour is near that of the
// 96 capture at the same place, scaled.
double Likeness(const Picture& at96, const Picture& at120) {
  if (at96.width <= 0 || at120.width <= 0) return 0;
  size_t alike = 0;
  for (int y = 0; y < at120.height; ++y)
    for (int x = 0; x < at120.width; ++x) {
      const int sx = std::min(at96.width - 1, x * at96.width / at120.width);
      const int sy = std::min(at96.height - 1, y * at96.height / at120.height);
      const std::uint32_t a = at120.pixels[static_cast<size_t>(y) * at120.width + x];
      const std::uint32_t b = at96.pixels[static_cast<size_t>(sy) * at96.width + sx];
      int worst = 0;
      for (int shift : {0, 8, 16})
        worst = std::max(worst, std::abs(static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF)));
      alike += worst <= 40;
    }
  return static_cast<double>(alike) / static_cast<double>(at120.pixels.size());
}

Picture ReadPpmFile(const std::string& unix_path) {
  Picture p;
  std::string bytes;
  if (win32::Win32Files().ReadFile(WindowsPath(unix_path), &bytes)) ParsePpm(bytes, &p);
  return p;
}

bool Near(int scaled, int got) { return std::abs(scaled - got) <= 2; }
int Scaled(int px96) { return (px96 * 5 + 2) / 4; }

TEST(WindowsAtScreenDpi, At120TheyAreTheirLayoutAt96Scaled) {
  const std::string build = FolderFromEnv("KS_BUILD_DIR");
  const std::string source = FolderFromEnv("KS_SOURCE_DIR");
  if (build.empty() || source.empty()) GTEST_SKIP() << "KS_BUILD_DIR / KS_SOURCE_DIR not set";
  // The copy runs from an installation folder, so each program finds its
  // data (language files, value database, profiles, pictures) beside it.
  win32::Win32Machine machine;
  const std::string install = FreshTempPath(machine.fs, "dpi");
  ASSERT_EQ(LayOutInstallation(machine.fs, install, build, source, {{"ks_wine_tests.exe"}, {}, {}}), "");
  std::error_code error;
  std::filesystem::copy(source + "\\data", install + "\\DATA", std::filesystem::copy_options::recursive, error);
  ASSERT_FALSE(error) << error.message();
  // The viewer's start texture stands beside the program.
  ASSERT_TRUE(machine.fs.CopyFile(source + "\\data\\p512dx1.dds", install + "\\p512dx1.dds"));
  const std::string exe = install + "\\ks_wine_tests.exe";
  // The captures stay in the build tree, to be looked at.
  machine.fs.CreateFolder(build + "\\dpi_captures");
  struct RemoveWhenDone {
    std::string folder;
    ~RemoveWhenDone() {
      std::error_code ignored;
      std::filesystem::remove_all(folder, ignored);
    }
  } remove_when_done{install};

  ScreenSetting setting;
  const ProbeRun at96 = ProbeAt(setting, 96, exe, install + "\\probe96.txt");
  const ProbeRun at120 = ProbeAt(setting, 120, exe, install + "\\probe120.txt");
  EXPECT_TRUE(setting.Restore()) << "the prefix's files do not hold the screen setting put back";
  ASSERT_EQ(at96.ppi, 96);
  ASSERT_EQ(at120.ppi, 120) << "the setting did not reach the program";
  EXPECT_TRUE(at96.ended) << "the probe at 96 did not see every window";
  EXPECT_TRUE(at120.ended) << "the probe at 120 did not see every window";
  for (const auto* run : {&at96, &at120})
    for (const std::string& note : run->notes) ADD_FAILURE() << run->ppi << ": " << note;
  EXPECT_GE(at120.windows.size(), 30u);

  for (const auto& [name, w120] : at120.windows) {
    SCOPED_TRACE(name);
    auto found = at96.windows.find(name);
    if (found == at96.windows.end()) {
      ADD_FAILURE() << "not seen at 96";
      continue;
    }
    const SeenWindow& w96 = found->second;
    EXPECT_TRUE(Near(Scaled(w96.width), w120.width) && Near(Scaled(w96.height), w120.height))
        << "the window is " << w120.width << " x " << w120.height << ", at 96 " << w96.width << " x " << w96.height;
    for (const auto& [control, c120] : w120.controls) {
      auto same = w96.controls.find(control);
      if (same == w96.controls.end()) {
        ADD_FAILURE() << control << " is shown at 120 only";
        continue;
      }
      const Seen& c96 = same->second;
      const RECT& a = c96.rect;
      const RECT& b = c120.rect;
      // A combo box's closed height is the system's, by its font.
      const bool combo = c120.cls == "ComboBox";
      EXPECT_TRUE(Near(Scaled(a.left), b.left) && Near(Scaled(a.top), b.top) && Near(Scaled(a.right), b.right) &&
                  (combo || Near(Scaled(a.bottom), b.bottom)))
          << control << " at " << b.left << "," << b.top << "-" << b.right << "," << b.bottom << "; at 96 " << a.left
          << "," << a.top << "-" << a.right << "," << a.bottom;
      EXPECT_TRUE(c120.inside || !c96.inside) << control << " leaves its parent";
      EXPECT_EQ(c120.cut, "") << control << " (" << c120.cls << ") is cut at 120";
      EXPECT_EQ(c96.cut, "") << control << " (" << c96.cls << ") is cut at 96";
    }
    // What the screen shows: the 96 window scaled is most of the 120 one.
    // A coarse likeness: the text is drawn afresh at the larger font, a
    // picture keeps its own pixels and the viewer's preview turns.
    const Picture shot96 = ReadPpmFile(w96.capture), shot120 = ReadPpmFile(w120.capture);
    ASSERT_GT(shot120.width, 0) << "no capture at 120";
    ASSERT_GT(shot96.width, 0) << "no capture at 96";
    EXPECT_GT(Likeness(shot96, shot120), 0.75) << "the window at 120 does not look like the one at 96";
  }
}

}  // namespace
}  // namespace ks::test
