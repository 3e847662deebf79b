// The viewer programs under Wine, from an installation folder laid out in
// the prefix's temporary folder: lumacap writes the adapter report without
// ever showing a window, KestrelaneSE's adapter page shows that report,
// info and tarrow start with their capability lists, and their preview is
// seen in pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "common/basRegistry.h"
#include "contract/picture_files.h"
#include "platform/win32/machine.h"
#include "platform/win32/win.h"
#include "wine/program_windows.h"
#include "wine/test_folders.h"
#include "wine/x_capture.h"

namespace ks {
namespace {

using test::FolderFromEnv;
using test::FreshTempPath;

BOOL CALLBACK CollectListBoxes(HWND hwnd, LPARAM lp) {
  char cls[64] = {};
  GetClassNameA(hwnd, cls, sizeof(cls));
  if (lstrcmpiA(cls, "ListBox") == 0) reinterpret_cast<std::vector<HWND>*>(lp)->push_back(hwnd);
  return TRUE;
}

// The lines of every list box of a window, list after list.
std::vector<std::string> ListLines(HWND window) {
  std::vector<HWND> boxes;
  EnumChildWindows(window, CollectListBoxes, reinterpret_cast<LPARAM>(&boxes));
  std::vector<std::string> lines;
  for (HWND box : boxes) {
    const LRESULT count = SendMessageA(box, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      // Read as Unicode: Wine hands another process's list text over as
      // Unicode whichever way it is asked. The texts are ANSI Latin-1 here.
      std::wstring wide(static_cast<size_t>(SendMessageW(box, LB_GETTEXTLEN, i, 0)) + 64, L'\0');
      const LRESULT got = SendMessageW(box, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide.data()));
      wide.resize(got > 0 ? std::min(static_cast<size_t>(got), wide.size()) : 0);
      std::string text;
      for (wchar_t ch : wide) text += static_cast<char>(ch);
      lines.push_back(text);
    }
  }
  return lines;
}

bool Contains(const std::vector<std::string>& lines, const std::string& line) {
  for (const auto& l : lines)
    if (l == line) return true;
  return false;
}

BOOL CALLBACK CollectByClass(HWND hwnd, LPARAM lp) {
  auto* found = reinterpret_cast<std::pair<const char*, std::vector<HWND>>*>(lp);
  char cls[64] = {};
  GetClassNameA(hwnd, cls, sizeof(cls));
  if (lstrcmpiA(cls, found->first) == 0) found->second.push_back(hwnd);
  return TRUE;
}

std::vector<HWND> ChildrenOfClass(HWND window, const char* cls) {
  std::pair<const char*, std::vector<HWND>> found{cls, {}};
  EnumChildWindows(window, CollectByClass, reinterpret_cast<LPARAM>(&found));
  return found.second;
}

// The combo box whose first entry reads `first`; nullptr when none.
HWND ComboWithFirstItem(HWND window, const std::wstring& first) {
  for (HWND combo : ChildrenOfClass(window, "ComboBox")) {
    std::wstring text(256, L'\0');
    const LRESULT got = SendMessageW(combo, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text.data()));
    if (got > 0 && text.substr(0, static_cast<size_t>(got)) == first) return combo;
  }
  return nullptr;
}

// Picks an entry as the user's choice does: the selection, then its notification.
void Pick(HWND combo, int index) {
  SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo));
}

// Picks an entry as Pick does; the milliseconds the window took to handle
// the pick, -1 when it did not within `limit_ms`.
int PickMs(HWND combo, int index, int limit_ms) {
  SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  const auto start = std::chrono::steady_clock::now();
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                           reinterpret_cast<LPARAM>(combo), SMTO_NORMAL, static_cast<UINT>(limit_ms), &result))
    return -1;
  return static_cast<int>(
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count());
}

// The frame rate the preview shows: the label that holds only digits; -1
// when there is none yet.
int FrameRate(HWND window) {
  for (HWND label : ChildrenOfClass(window, "Static")) {
    wchar_t text[64] = {};
    const LRESULT got = SendMessageW(label, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text));
    if (got <= 0) continue;
    bool digits = true;
    for (LRESULT k = 0; k < got; ++k) digits = digits && text[k] >= L'0' && text[k] <= L'9';
    if (digits) return _wtoi(text);
  }
  return -1;
}

// The check box with this caption; nullptr when none.
HWND CheckBoxCaptioned(HWND window, const std::wstring& caption) {
  for (HWND button : ChildrenOfClass(window, "Button")) {
    wchar_t text[128] = {};
    const LRESULT got = SendMessageW(button, WM_GETTEXT, 128, reinterpret_cast<LPARAM>(text));
    if (got > 0 && caption == text) return button;
  }
  return nullptr;
}

class ViewerProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    build_ = FolderFromEnv("KS_BUILD_DIR");
    source_ = FolderFromEnv("KS_SOURCE_DIR");
    if (build_.empty() || source_.empty()) GTEST_SKIP() << "KS_BUILD_DIR / KS_SOURCE_DIR not set";
    unix_build_ = std::getenv("KS_BUILD_DIR");
    unix_source_ = std::getenv("KS_SOURCE_DIR");
    auto& fs = machine_.fs;
    install_ = FreshTempPath(fs, "viewer");
    ASSERT_TRUE(fs.CreateFolder(install_));
    ASSERT_TRUE(fs.CreateFolder(install_ + "\\data"));
  }

  // The textures where each edition looks: info in the program's DATA
  // folder, tarrow its start texture beside it and the rest in its DATA.
  void InstallTextures(const std::string& folder) {
    const std::string data = install_ + folder + "\\DATA";
    machine_.fs.CreateFolder(data);
    for (const char* name : {"ksln.jpg", "p128.dds", "p128dx1.dds", "p256dx1.dds", "p512dx1.dds"})
      ASSERT_TRUE(machine_.fs.CopyFile(source_ + "\\data\\" + name, data + "\\" + name));
    ASSERT_TRUE(machine_.fs.CopyFile(source_ + "\\data\\p512dx1.dds", install_ + folder + "\\p512dx1.dds"));
  }

  void Install(const std::string& program, const std::string& into) {
    ASSERT_TRUE(machine_.fs.CopyFile(build_ + "\\programs\\" + program + "\\" + program + ".exe",
                                     install_ + into + "\\" + program + ".exe"));
  }

  // Starts a program of the installation and waits up to `ms` for its
  // first shown window; nullptr when none came (`why_` says what happened).
  HWND StartAndFindWindow(const std::string& path, int ms) {
    auto& proc = machine_.proc;
    why_ = "";
    pid_ = proc.StartProgram(platform::QuotedProgram(path), platform::WindowStyle::kNormalFocus);
    if (pid_ == 0) {
      why_ = "it did not start";
      return nullptr;
    }
    process_ = proc.OpenProcess(platform::kSynchronize, pid_);
    HANDLE query = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid_);
    for (int waited = 0; waited < ms; waited += 50) {
      if (HWND hwnd = test::ShownWindowOf(pid_)) {
        if (query) CloseHandle(query);
        return hwnd;
      }
      if (proc.WaitForSingleObject(process_, 50) == platform::kWaitObject0) {
        DWORD code = 0;
        if (query) GetExitCodeProcess(query, &code);
        why_ = "it ended after " + std::to_string(waited) + " ms with exit code " + std::to_string(code);
        break;
      }
    }
    if (query) CloseHandle(query);
    if (why_.empty()) why_ = "none within " + std::to_string(ms) + " ms";
    return nullptr;
  }

  // The whole screen as the user sees it.
  test::Picture Screen() {
    test::Picture shot;
    std::string why;
    EXPECT_TRUE(test::CaptureScreen(unix_source_, unix_build_, &shot, &why)) << why;
    return shot;
  }

  // What the preview's picture box shows now, where the user sees it: its
  // place on the screen, inside the main window.
  test::Picture Capture(HWND picture) { return test::Crop(Screen(), test::ClientOnScreen(picture)); }

  // Two captures a second apart.
  std::pair<test::Picture, test::Picture> CaptureTwice(HWND picture) {
    test::Picture first = Capture(picture);
    Sleep(1000);
    return {first, Capture(picture)};
  }

  // Closes the window and waits for the program to end.
  bool CloseAndWait(HWND hwnd) {
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
    const bool ended = machine_.proc.WaitForSingleObject(process_, 30000) == platform::kWaitObject0;
    machine_.proc.CloseHandle(process_);
    process_ = 0;
    return ended;
  }

  void TearDown() override {
    if (process_ != 0) machine_.proc.CloseHandle(process_);
  }

  win32::Win32Machine machine_;
  std::string build_, source_, install_;
  std::string unix_build_, unix_source_;
  std::uint32_t pid_ = 0;
  std::string why_;  // why StartAndFindWindow found no window
  platform::ProcessHandle process_ = 0;
};

TEST_F(ViewerProgram, LumacapWritesACompleteReportWithoutEverShowingAWindow) {
  Install("lumacap", "\\data");
  const std::string report = install_ + "\\data\\d3d_adapter_info.txt";
  machine_.fs.WriteFile(report, "an old report\r\n");
  auto& proc = machine_.proc;
  const std::uint32_t pid =
      proc.StartProgram(platform::QuotedProgram(install_ + "\\data\\lumacap.exe"), platform::WindowStyle::kNormalFocus);
  ASSERT_NE(pid, 0u);
  platform::ScopedProcess h(proc, proc.OpenProcess(platform::kSynchronize, pid));
  bool showed = false, ended = false;
  for (int waited = 0; waited < 60000 && !ended; waited += 20) {
    if (test::ShownWindowOf(pid)) showed = true;
    ended = proc.WaitForSingleObject(h.get(), 20) == platform::kWaitObject0;
  }
  ASSERT_TRUE(ended) << "lumacap did not end by itself";
  EXPECT_FALSE(showed) << "lumacap showed a window";

  std::string bytes;
  ASSERT_TRUE(machine_.fs.ReadFile(report, &bytes));
  std::vector<std::string> lines;
  size_t from = 0;
  for (size_t at = bytes.find("\r\n"); at != std::string::npos; at = bytes.find("\r\n", from)) {
    lines.push_back(bytes.substr(from, at - from));
    from = at + 2;
  }
  EXPECT_EQ(from, bytes.size()) << "the last line ends with CR LF";
  ASSERT_EQ(lines.size(), 90u) << bytes;
  EXPECT_EQ(lines[0], "Hardware IDs:");
  EXPECT_EQ(lines[23], "Direct3D core version: 9.0c") << "Wine's d3d9.dll";
  EXPECT_EQ(lines[28], "Device type: Hardware");

  // Wine's adapter: real identifiers, not the zero record of a failed query.
  EXPECT_EQ(lines[2].rfind("Device ID: ", 0), 0u);
  EXPECT_NE(lines[2], "Device ID: 0");
  EXPECT_EQ(lines[3].rfind("Vendor ID: ", 0), 0u);
  EXPECT_NE(lines[3], "Vendor ID: 0");
  EXPECT_NE(lines[11], "Resolution: 0x0");
}

TEST_F(ViewerProgram, KestrelaneAdapterPageShowsLumacapsReport) {
  Install("lumacap", "\\data");
  ASSERT_TRUE(machine_.fs.CopyFile(build_ + "\\programs\\KestrelaneSE\\KestrelaneSE.exe",
                                   install_ + "\\KestrelaneSE.exe"));
  for (const char* folder : {"\\DATA\\LANGUAGE"}) machine_.fs.CreateFolder(install_ + folder);
  ASSERT_TRUE(machine_.fs.CopyFile(source_ + "\\data\\LANGUAGE\\en.dat", install_ + "\\DATA\\LANGUAGE\\en.dat"));
  BasRegistry reg(machine_.reg);
  reg.WriteRegValue(kHkeyCurrentUser, kProductKey, "LVP", 9);  // start on the adapter page

  HWND window = StartAndFindWindow(install_ + "\\KestrelaneSE.exe", 60000);
  ASSERT_NE(window, nullptr) << "no window appeared: " << why_;
  const auto lines = ListLines(window);
  EXPECT_TRUE(Contains(lines, "Direct3D core version: 9.0c")) << "the report is not on the page";
  EXPECT_TRUE(Contains(lines, "Device caps:"));
  EXPECT_TRUE(CloseAndWait(window));
  reg.DeleteRegValue(kHkeyCurrentUser, kProductKey, "LVP");
}

TEST_F(ViewerProgram, InfoAndTarrowStartWithTheirCapabilityLists) {
  struct Case {
    const char* program;
    const char* folder;
    const char* caption;
  };
  for (const Case& c : {Case{"info", "", "Kestrelane Adapter Info & test"},
                        Case{"tarrow", "\\data", "Direct3D TARROW Box"}}) {
    Install(c.program, c.folder);
    InstallTextures(c.folder);
    HWND window = StartAndFindWindow(install_ + c.folder + "\\" + c.program + ".exe", 60000);
    ASSERT_NE(window, nullptr) << c.program << ": no window appeared: " << why_;
    char title[256] = {};
    GetWindowTextA(window, title, sizeof(title));
    EXPECT_STREQ(title, c.caption);
    const auto lines = ListLines(window);
    EXPECT_TRUE(Contains(lines, "Device type: Hardware")) << c.program;
    EXPECT_TRUE(Contains(lines, "Hardware T&L: YES")) << c.program;
    EXPECT_FALSE(Contains(lines, "Max texture size: 0x0")) << c.program;
    EXPECT_TRUE(CloseAndWait(window)) << c.program << ": closing did not end it";
  }
}

// Share of a picture's pixels of one colour (0xRRGGBB).
double ShareOf(const test::Picture& p, std::uint32_t colour) {
  if (p.pixels.empty()) return 0;
  return static_cast<double>(std::count(p.pixels.begin(), p.pixels.end(), colour)) / p.pixels.size();
}

std::uint32_t SystemColour(int index) {
  const COLORREF c = GetSysColor(index);
  return static_cast<std::uint32_t>(GetRValue(c)) << 16 | GetGValue(c) << 8 | GetBValue(c);
}

// What the user sees of the window on the screen: the controls in their own
// colours (a Direct3D device on the main window covered them black), the
// preview inside the main window and turning, and a drop-down list gone
// again once closed.
TEST_F(ViewerProgram, ScreenShowsTheControlsAndTheTurningPreviewInsideTheWindow) {
  struct Case {
    const char* program;
    const char* folder;
  };
  for (const Case& c : {Case{"info", ""}, Case{"tarrow", "\\data"}}) {
    Install(c.program, c.folder);
    InstallTextures(c.folder);
    HWND window = StartAndFindWindow(install_ + c.folder + "\\" + c.program + ".exe", 60000);
    ASSERT_NE(window, nullptr) << c.program << ": no window appeared: " << why_;
    const auto pictures = ChildrenOfClass(window, "KsPicture");
    HWND picture = nullptr;
    for (HWND p : pictures)
      if (IsWindowVisible(p)) picture = p;
    HWND texture = ComboWithFirstItem(window, L"256x256 JPG File");
    HWND freeze = CheckBoxCaptioned(window, L"Freeze picture");
    HWND caps = nullptr;
    for (HWND box : ChildrenOfClass(window, "ListBox"))
      if (IsWindowVisible(box) && SendMessageA(box, LB_GETCOUNT, 0, 0) > 0) caps = box;
    if (!picture || !texture || !freeze || !caps) {
      ADD_FAILURE() << c.program << ": a control is missing";
      CloseAndWait(window);
      continue;
    }
    Sleep(2500);

    RECT frame{}, preview = test::ClientOnScreen(picture);
    GetWindowRect(window, &frame);
    EXPECT_TRUE(preview.left >= frame.left && preview.top >= frame.top && preview.right <= frame.right &&
                preview.bottom <= frame.bottom)
        << c.program << ": the preview lies outside the main window";

    const test::Picture screen = Screen();
    struct Look {
      const char* control;
      HWND hwnd;
      int colour;  // the system colour most of it shows
      double least;
    };
    for (const Look& look : {Look{"the capability list", caps, COLOR_WINDOW, 0.5},
                             Look{"the texture list", texture, COLOR_WINDOW, 0.2},
                             Look{"the freeze box", freeze, COLOR_BTNFACE, 0.4}}) {
      RECT r{};
      GetWindowRect(look.hwnd, &r);
      const test::Picture seen = test::Crop(screen, r);
      EXPECT_LT(ShareOf(seen, 0x000000), 0.5) << c.program << ": " << look.control << " is black";
      EXPECT_GT(ShareOf(seen, SystemColour(look.colour)), look.least)
          << c.program << ": " << look.control << " is not in its colours";
    }

    auto [first, second] = CaptureTwice(picture);
    EXPECT_GT(DistinctColours(first), 200u) << c.program << ": the preview is blank on the screen";
    EXPECT_GT(DifferingPixels(first, second), first.pixels.size() / 50) << c.program << ": the preview stands";

    // A drop-down list opened and closed again leaves the screen below the
    // list box as it was.
    SendMessageA(texture, CB_SHOWDROPDOWN, TRUE, 0);
    Sleep(500);
    EXPECT_NE(SendMessageA(texture, CB_GETDROPPEDSTATE, 0, 0), 0) << c.program;
    RECT dropped{};
    SendMessageA(texture, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    RECT box{};
    GetWindowRect(texture, &box);
    dropped.top = box.bottom;  // the list below the box
    const test::Picture before = test::Crop(Screen(), dropped);
    SendMessageA(texture, CB_SHOWDROPDOWN, FALSE, 0);
    Sleep(500);
    const test::Picture after = test::Crop(Screen(), dropped);
    EXPECT_FALSE(before.pixels.empty()) << c.program << ": no drop-down list";
    EXPECT_GT(DifferingPixels(before, after), before.pixels.size() / 10) << c.program << ": the list stays painted";

    EXPECT_TRUE(CloseAndWait(window)) << c.program;
  }
}

// The preview seen in pixels: the strip turns (two captures a second apart
// differ) and is drawn (a capture has many colours), also after a filter
// and a texture change; frozen, the picture stands.
TEST_F(ViewerProgram, PreviewDrawsAndKeepsDrawingThroughFilterAndTextureChanges) {
  struct Case {
    const char* program;
    const char* folder;
  };
  // The clear colour alone is one colour; the textured strip brings hundreds
  // (some 600 after the change to point sampling, thousands before).
  constexpr size_t kManyColours = 200;
  for (const Case& c : {Case{"info", ""}, Case{"tarrow", "\\data"}}) {
    Install(c.program, c.folder);
    InstallTextures(c.folder);
    HWND window = StartAndFindWindow(install_ + c.folder + "\\" + c.program + ".exe", 60000);
    ASSERT_NE(window, nullptr) << c.program << ": no window appeared: " << why_;
    HWND picture = nullptr;
    for (HWND p : ChildrenOfClass(window, "KsPicture"))
      if (IsWindowVisible(p)) picture = p;
    ASSERT_NE(picture, nullptr) << c.program;
    Sleep(2500);
    EXPECT_GT(FrameRate(window), 0) << c.program << ": no frames drawn";

    auto [first, second] = CaptureTwice(picture);
    const size_t size = first.pixels.size();
    EXPECT_GT(DistinctColours(first), kManyColours) << c.program << ": the picture is blank";
    EXPECT_GT(DifferingPixels(first, second), size / 50) << c.program << ": the strip does not turn";

    HWND filter = ComboWithFirstItem(window, L"Point sampling");
    HWND texture = ComboWithFirstItem(window, L"256x256 JPG File");
    ASSERT_NE(filter, nullptr);
    ASSERT_NE(texture, nullptr);
    Pick(filter, 0);
    Pick(texture, 4);
    Sleep(500);
    auto [after, later] = CaptureTwice(picture);
    EXPECT_GT(DistinctColours(after), kManyColours) << c.program << ": blank after the changes";
    EXPECT_GT(DifferingPixels(after, later), size / 50) << c.program << ": drawing stopped";
    EXPECT_GT(DifferingPixels(second, after), size / 50) << c.program << ": the texture change does not show";

    // The control: with "Freeze picture" no frame is drawn, and two
    // captures are the same picture.
    HWND freeze = CheckBoxCaptioned(window, L"Freeze picture");
    ASSERT_NE(freeze, nullptr);
    SendMessageA(freeze, BM_CLICK, 0, 0);
    Sleep(300);
    auto [frozen, still] = CaptureTwice(picture);
    EXPECT_EQ(DifferingPixels(frozen, still), 0u) << c.program << ": frozen, the picture still moves";
    EXPECT_GT(DistinctColours(frozen), kManyColours) << c.program;

    EXPECT_NE(machine_.proc.WaitForSingleObject(process_, 0), platform::kWaitObject0) << c.program << " ended";
    EXPECT_TRUE(CloseAndWait(window)) << c.program;
  }
}

// Regression: a texture file cut after its BMP header drew the strip in
// noise, and a cut run-length one turned it black. Frozen, the preview
// draws the same picture again for a texture that is refused, and another
// one for a texture that loads.
TEST_F(ViewerProgram, ATextureFromACutBmpKeepsTheTextureShown) {
  Install("info", "");
  InstallTextures("");
  const std::string data = install_ + "\\DATA\\";
  const std::string bmp = test::BmpFile(64, 64, 24, 0, test::BmpRows(64, 64, 24));
  const std::string rle = test::BmpFile(64, 64, 8, 1, test::RunLengthRows(64, 64, false));
  // The texture list's entries 1 and 2 read these files; the loader goes
  // by the bytes, not by the name.
  ASSERT_TRUE(machine_.fs.WriteFile(data + "p128.dds", bmp.substr(0, 54 + 64 * 3)));
  ASSERT_TRUE(machine_.fs.WriteFile(data + "p128dx1.dds", rle.substr(0, rle.size() / 2)));
  HWND window = StartAndFindWindow(install_ + "\\info.exe", 60000);
  ASSERT_NE(window, nullptr) << "no window appeared: " << why_;
  HWND picture = nullptr;
  for (HWND p : ChildrenOfClass(window, "KsPicture"))
    if (IsWindowVisible(p)) picture = p;
  HWND texture = ComboWithFirstItem(window, L"256x256 JPG File");
  HWND freeze = CheckBoxCaptioned(window, L"Freeze picture");
  ASSERT_TRUE(picture && texture && freeze) << "a control is missing";
  SendMessageA(freeze, BM_CLICK, 0, 0);
  Pick(texture, 4);
  Sleep(700);
  const test::Picture good = Capture(picture);
  ASSERT_GT(DistinctColours(good), 200u) << "the preview is blank";
  struct Case {
    const char* name;
    int entry;
  };
  for (const Case& c : {Case{"a BMP cut after its first row", 1}, Case{"a run-length BMP cut in half", 2}}) {
    Pick(texture, c.entry);
    Sleep(700);
    const test::Picture seen = Capture(picture);
    EXPECT_EQ(DifferingPixels(good, seen), 0u) << c.name << ": the texture shown did not stay";
  }
  Pick(texture, 3);
  Sleep(700);
  EXPECT_GT(DifferingPixels(good, Capture(picture)), good.pixels.size() / 50) << "a texture that loads shows";
  EXPECT_NE(machine_.proc.WaitForSingleObject(process_, 0), platform::kWaitObject0) << "info ended";
  EXPECT_TRUE(CloseAndWait(window));
}

// Regression: a progressive JPEG of 2048 x 2048 pixels repeating one scan
// 20,000 times, as info's texture, held the window 20 seconds each time it
// was picked. It is refused at once; the window answers all along. (The
// file is put in place once info shows its first texture: at start, a
// texture that does not load is a message box.)
TEST_F(ViewerProgram, ATextureOfManyScansLeavesTheWindowAnswering) {
  Install("info", "");
  InstallTextures("");
  HWND window = StartAndFindWindow(install_ + "\\info.exe", 60000);
  ASSERT_NE(window, nullptr) << "no window appeared: " << why_;
  HWND texture = ComboWithFirstItem(window, L"256x256 JPG File");
  if (!texture) CloseAndWait(window);
  ASSERT_NE(texture, nullptr) << "the texture list is missing";
  ASSERT_TRUE(machine_.fs.WriteFile(install_ + "\\DATA\\ksln.jpg", test::ProgressiveJpeg(2048, 2048, 20000)));
  EXPECT_GE(PickMs(texture, 3, 5000), 0) << "a texture that loads";
  for (int pick = 0; pick < 2; ++pick) {
    const int pick_ms = PickMs(texture, 0, 5000);
    EXPECT_GE(pick_ms, 0) << "the pick of the JPEG hangs";
    EXPECT_LT(pick_ms, 1000);
    Sleep(200);  // a frame or two of the preview
    const int ms = test::AnswerMs(window, 5000);
    EXPECT_GE(ms, 0) << "the window does not answer";
    EXPECT_LT(ms, 1000);
  }
  EXPECT_NE(machine_.proc.WaitForSingleObject(process_, 0), platform::kWaitObject0) << "info ended";
  EXPECT_TRUE(CloseAndWait(window));
}

}  // namespace
}  // namespace ks
