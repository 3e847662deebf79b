// relayo.exe under Wine against an update site of the test's own: a
// loopback HTTP server in network and mount namespaces made for it, the
// update host mapped to 127.0.0.1 there (tests/wine/relayo_site.sh). The
// RelayoSite tests run inside those namespaces, started by RelayoProgram:
// the files land in the installation, "LastUpDate35" is written; a hostile
// manifest writes nothing outside the program folder and records nothing; a
// site that answers 404, 206 or cuts a file off (also a chunked one, and the
// manifest itself) installs and records nothing; a silent site ends with
// the message after 30 seconds, and closing the window ends a download; a
// manifest that cannot be written says so and names its file; the progress
// bar is seen on the screen.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>

#include "common/basRegistry.h"
#include "platform/win32/machine.h"
#include "platform/win32/win.h"
#include "updater/Form1.h"
#include "wine/x_capture.h"

namespace ks::test {
namespace {

constexpr char kHost[] = "update.kestrelane.example";

std::string UnixToWindows(const std::string& unix_path) {
  std::string path = "Z:" + unix_path;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

bool WaitFor(const std::function<bool()>& done, int ms) {
  for (int waited = 0; waited <= ms; waited += 50) {
    if (done()) return true;
    Sleep(50);
  }
  return false;
}

std::wstring TextOf(HWND hwnd) {
  wchar_t text[512] = {};
  GetWindowTextW(hwnd, text, 512);
  return text;
}

HWND ChildWithText(HWND parent, const wchar_t* text) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (TextOf(child) == text) return child;
  return nullptr;
}

std::string Stamp() {
  return std::to_string(std::chrono::steady_clock::now().time_since_epoch().count() % 1000000000);
}

// Inside the namespaces (KS_RELAYO_SITE is the run's folder, its "site"
// folder the site's root): one installation per test under it.
class RelayoSite : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* run = std::getenv("KS_RELAYO_SITE");
    const char* build = std::getenv("KS_BUILD_DIR");
    const char* source = std::getenv("KS_SOURCE_DIR");
    if (!run || !*run || !build || !source) GTEST_SKIP() << "runs inside the update site's namespaces only";
    source_ = source;
    root_ = std::string(run) + "/" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    auto& fs = machine_.fs;
    ASSERT_TRUE(fs.CreateFolder(Win(root_)));
    ASSERT_TRUE(fs.CreateFolder(Win(std::string(run) + "/site/update")) ||
                fs.FolderExists(Win(std::string(run) + "/site/update")));
    site_ = std::string(run) + "/site/update/";
    // The site folder is the same for every test of the run: each starts
    // with an empty one.
    for (const std::string& name : fs.List(Win(site_ + "*"))) fs.DeleteFile(Win(site_ + name));
    for (const char* folder : {"/install", "/install/DATA", "/install/DATA/LANGUAGE"})
      ASSERT_TRUE(fs.CreateFolder(Win(root_ + folder)));
    ASSERT_TRUE(fs.CopyFile(Win(std::string(build) + "/programs/relayo/relayo.exe"), Win(root_ + "/install/relayo.exe")));
    ASSERT_TRUE(fs.CopyFile(Win(source_ + "/data/LANGUAGE/en_rl.dat"), Win(root_ + "/install/DATA/LANGUAGE/en_rl.dat")));
    ASSERT_TRUE(fs.WriteFile(Win(root_ + "/install/DATA/mt.dat"), "old chip data"));
    reg_.WriteRegValue(kHkeyCurrentUser, kProductKey, "Version", 353);
    reg_.WriteRegValue(kHkeyCurrentUser, kProductKey, "LastUpDate35", 7);
  }

  void TearDown() override {
    if (window_ && IsWindow(window_)) {
      PostMessageA(window_, WM_CLOSE, 0, 0);
      WaitFor([&] { return !IsWindow(window_); }, 20000);
    }
  }

  std::string Win(const std::string& unix_path) { return UnixToWindows(unix_path); }
  void SiteFile(const std::string& name, const std::string& bytes) {
    ASSERT_TRUE(machine_.fs.WriteFile(Win(site_ + name), bytes));
  }

  void StartRelayo() {
    const std::uint32_t pid = machine_.proc.StartProgram(platform::QuotedProgram(Win(root_ + "/install/relayo.exe")),
                                                         platform::WindowStyle::kNormalFocus);
    ASSERT_NE(pid, 0u);
    ASSERT_TRUE(WaitFor([&] { return (window_ = FindWindowA("KsForm", "Kestrelane SE Auto update")) != nullptr &&
                                     IsWindowVisible(window_); },
                        60000))
        << "relayo did not start";
  }

  // Clicks Update and waits until the update has run: the button enabled
  // again and the status no longer the download texts. A message box that
  // the update shows is answered OK, and `box_shown_` says so.
  std::wstring Update() {
    ClickUpdate();
    return AwaitUpdate(60000);
  }
  void ClickUpdate() {
    box_shown_ = false;
    button_ = ChildWithText(window_, L"Update");
    ASSERT_NE(button_, nullptr);
    PostMessageA(button_, BM_CLICK, 0, 0);
    WaitFor([&] { return !IsWindowEnabled(button_); }, 5000);
  }
  std::wstring AwaitUpdate(int ms) {
    if (!button_) return L"";
    EXPECT_TRUE(WaitFor(
        [&] {
          if (HWND box = FindWindowA("#32770", "relayo")) {
            box_shown_ = true;
            box_text_.clear();
            for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
              box_text_ += TextOf(child) + L"\n";
            PostMessageA(box, WM_COMMAND, IDOK, 0);
          }
          return IsWindowEnabled(button_) != FALSE;
        },
        ms))
        << "the update did not end";
    return Status();
  }
  // The screen's pixels where the progress bar and its background stand
  // (Label1 and Label4, both at 120, 120 twips), in a capture of the whole
  // screen with relayo's window in front and drawn afresh.
  Picture BarOnScreen() {
    SetForegroundWindow(window_);
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASE);
    Sleep(500);
    RECT bar{};
    for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      RECT r;
      GetWindowRect(child, &r);
      POINT p{r.left, r.top};
      ScreenToClient(window_, &p);
      if (p.x == 120 / 15 && p.y == 120 / 15) UnionRect(&bar, &bar, &r);
    }
    EXPECT_GT(bar.right - bar.left, 300) << "the bar at its full width";
    Picture shot;
    std::string why;
    EXPECT_TRUE(CaptureScreen(source_, root_, &shot, &why)) << why;
    return Crop(shot, bar);
  }
  static double GreenShare(const Picture& p) {
    size_t green = 0;
    for (const std::uint32_t px : p.pixels) green += px == 0x00C000;
    return p.pixels.empty() ? 0.0 : static_cast<double>(green) / static_cast<double>(p.pixels.size());
  }
  std::wstring Status() {
    for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      RECT r;
      GetWindowRect(child, &r);
      POINT p{r.left, r.top};
      ScreenToClient(window_, &p);
      if (p.x == 960 / 15 && p.y == 600 / 15) return TextOf(child);  // Label3
    }
    return L"";
  }
  // The window handles a message within a second: it is not hung.
  bool Answers() {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &result) != 0;
  }

  std::string Installed(const std::string& relative) {
    std::string bytes;
    machine_.fs.ReadFile(Win(root_ + "/install/" + relative), &bytes);
    return bytes;
  }
  std::int32_t LastUpdate() {
    return reg_.ReadRegValue(kHkeyCurrentUser, kProductKey, "LastUpDate35").NumberOr(-1);
  }

  win32::Win32Machine machine_;
  BasRegistry reg_{machine_.reg};
  std::string source_, root_, site_;
  HWND window_ = nullptr;
  HWND button_ = nullptr;
  bool box_shown_ = false;
  std::wstring box_text_;  // the texts of the box's controls, one a line
};

TEST_F(RelayoSite, UpdatesTheInstallationFromTheSite) {
  SiteFile("down35.log", "8\r\n353\r\n\"mt.dat\",\"\\DATA\"\r\n\"readme.txt\",\"\"\r\n");
  SiteFile("mt.dat", "new chip data");
  SiteFile("readme.txt", "hello");
  StartRelayo();
  EXPECT_EQ(Update(), L"Update finished.");
  EXPECT_EQ(Installed("DATA/mt.dat"), "new chip data");
  EXPECT_EQ(Installed("readme.txt"), "hello");
  EXPECT_EQ(Installed("down35.log"), "8\r\n353\r\n\"mt.dat\",\"\\DATA\"\r\n\"readme.txt\",\"\"\r\n");
  EXPECT_EQ(LastUpdate(), 8);
  uint32_t type = 0;
  platform::ScopedRegKey key(machine_.reg);
  ASSERT_EQ(machine_.reg.OpenKey(kHkeyCurrentUser, kProductKey, key.Receive()), 0);
  std::uint32_t size = 0;
  machine_.reg.QueryValue(key.get(), "LastUpDate35", &type, nullptr, &size);
  EXPECT_EQ(type, platform::kRegDword);
}

TEST_F(RelayoSite, AHostileManifestWritesNothingOutsideAndRecordsNothing) {
  SiteFile("down35.log",
           "9\r\n353\r\n\"mt.dat\",\"\\DATA\"\r\n\"..\\..\\outside.txt\",\"\"\r\n\"evil.txt\",\"\\..\\..\"\r\n");
  SiteFile("mt.dat", "new chip data");
  SiteFile("outside.txt", "escaped");  // what "..\..\outside.txt" would fetch
  SiteFile("evil.txt", "escaped");
  StartRelayo();
  const std::wstring status = Update();
  EXPECT_NE(status, L"Update finished.");
  EXPECT_FALSE(status.empty());
  EXPECT_EQ(Installed("DATA/mt.dat"), "new chip data") << "the sound pairs still arrive";
  for (const char* outside : {"/outside.txt", "/../outside.txt", "/evil.txt", "/../evil.txt", "/install/evil.txt",
                              "/install/../evil.txt"})
    EXPECT_FALSE(machine_.fs.FileExists(Win(root_ + outside))) << outside;
  EXPECT_EQ(LastUpdate(), 7) << "a partial update is not recorded";
}

// The green bar lay behind its white background: not one green pixel on
// the screen, also on "Update finished." and on "up to date".
TEST_F(RelayoSite, TheProgressBarIsSeenOnTheScreen) {
  SiteFile("down35.log", "8\r\n353\r\n\"mt.dat\",\"\\DATA\"\r\n");
  SiteFile("mt.dat", "new chip data");
  StartRelayo();
  EXPECT_EQ(Update(), L"Update finished.");
  EXPECT_GT(GreenShare(BarOnScreen()), 0.9) << "finished: the bar is green where it stands";
  EXPECT_EQ(Update(), L"Kestrelane SE is up to date.");
  EXPECT_GT(GreenShare(BarOnScreen()), 0.9) << "up to date: the bar is green where it stands";
}

// A manifest that came but could not be written said "Check your internet
// connection".
TEST_F(RelayoSite, AManifestThatCannotBeWrittenSaysSoAndWhere) {
  SiteFile("down35.log", "8\r\n353\r\n\"mt.dat\",\"\\DATA\"\r\n");
  SiteFile("mt.dat", "new chip data");
  ASSERT_TRUE(machine_.fs.CreateFolder(Win(root_ + "/install/down35.log")));  // in the manifest's place
  StartRelayo();
  EXPECT_EQ(Update(), L"");
  EXPECT_TRUE(box_shown_);
  const std::string path = Win(root_ + "/install/down35.log");
  EXPECT_NE(box_text_.find(L"could not be written"), std::wstring::npos) << std::string(box_text_.begin(), box_text_.end());
  EXPECT_NE(box_text_.find(std::wstring(path.begin(), path.end())), std::wstring::npos)
      << std::string(box_text_.begin(), box_text_.end());
  EXPECT_EQ(box_text_.find(L"internet"), std::wstring::npos);
  EXPECT_EQ(Installed("DATA/mt.dat"), "old chip data");
  EXPECT_EQ(LastUpdate(), 7);
  EXPECT_FALSE(machine_.fs.FileExists(Win(root_ + "/install/down35.log.~rl")));
}

// Under Wine the download service reports success for both faults below and
// writes what came; the installed copies were replaced by an error page and
// a piece, and the update was recorded.
TEST_F(RelayoSite, AFaultySiteLeavesTheInstalledFilesAndRecordsNothing) {
  ASSERT_TRUE(machine_.fs.WriteFile(Win(root_ + "/install/readme.txt"), "old readme"));
  std::string chip_data;
  for (int i = 0; i < 5000; ++i) chip_data += static_cast<char>('a' + i % 26);
  SiteFile("down35.log", "8\r\n353\r\n\"mt.dat\",\"\\DATA\"\r\n\"readme.txt\",\"\"\r\n");
  SiteFile("mt.dat", chip_data);
  SiteFile("mt.dat.cut", "7");  // announced whole, cut off after 7 bytes
  // readme.txt is not on the site: a 404 with the server's HTML page.
  StartRelayo();
  const std::wstring status = Update();
  EXPECT_NE(status, L"Update finished.");
  EXPECT_FALSE(status.empty());
  EXPECT_EQ(Installed("DATA/mt.dat"), "old chip data");
  EXPECT_EQ(Installed("readme.txt"), "old readme");
  for (const char* piece : {"/install/DATA/mt.dat.~rl", "/install/readme.txt.~rl"})
    EXPECT_FALSE(machine_.fs.FileExists(Win(root_ + piece))) << piece;
  EXPECT_EQ(LastUpdate(), 7) << "a failed update is not recorded";

  // The same update from a sound site.
  ASSERT_TRUE(machine_.fs.DeleteFile(Win(site_ + "mt.dat.cut")));
  SiteFile("readme.txt", "new readme");
  EXPECT_EQ(Update(), L"Update finished.");
  EXPECT_EQ(Installed("DATA/mt.dat"), chip_data);
  EXPECT_EQ(Installed("readme.txt"), "new readme");
  EXPECT_EQ(LastUpdate(), 8);
}

// Under Wine the download service reports success for each answer below and
// writes what came; relayo installed it and recorded "Update finished.".
TEST_F(RelayoSite, AChunkedPieceOrAPartialAnswerInstallsNothing) {
  struct Case {
    const char* name;
    const char* file;    // the site file the fault is on
    const char* answer;  // its ".answer" word (tests/wine/site_server.py)
    const char* cut;     // its ".cut" count, or nullptr
  };
  std::string old_chip_data = "old chip data\r\n";
  for (int i = 0; i < 256; ++i) old_chip_data += static_cast<char>(i);
  ASSERT_TRUE(machine_.fs.WriteFile(Win(root_ + "/install/DATA/mt.dat"), old_chip_data));
  std::string chip_data;
  for (int i = 0; i < 5000; ++i) chip_data += static_cast<char>('a' + i % 26);
  const std::string first = "8\r\n353\r\n\"mt.dat\",\"\\DATA\"\r\n";
  const std::string manifest = first + "\"readme.txt\",\"\"\r\n";
  const Case cases[] = {
      {"chunked, cut off before its last chunk", "mt.dat", "chunked", "2500"},
      {"206 Partial Content", "mt.dat", "206", nullptr},
      {"the manifest chunked, cut off after its first pair", "down35.log", "chunked", nullptr},
  };
  StartRelayo();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(machine_.fs.WriteFile(Win(root_ + "/install/readme.txt"), "old readme"));
    for (const std::string& name : machine_.fs.List(Win(site_ + "*"))) machine_.fs.DeleteFile(Win(site_ + name));
    SiteFile("down35.log", manifest);
    SiteFile("mt.dat", chip_data);
    SiteFile("readme.txt", "new readme");
    SiteFile(std::string(c.file) + ".answer", c.answer);
    if (c.cut) SiteFile(std::string(c.file) + ".cut", c.cut);
    if (std::string(c.file) == "down35.log") SiteFile("down35.log.cut", std::to_string(first.size()));
    const std::wstring status = Update();
    EXPECT_NE(status, L"Update finished.");
    EXPECT_TRUE(Installed("DATA/mt.dat") == old_chip_data) << "the installed copy stays byte for byte";
    EXPECT_EQ(LastUpdate(), 7) << "nothing is recorded";
    EXPECT_FALSE(machine_.fs.FileExists(Win(root_ + "/install/DATA/mt.dat.~rl")));
    if (std::string(c.file) == "down35.log") {
      EXPECT_EQ(Installed("readme.txt"), "old readme");
      EXPECT_TRUE(box_shown_) << "the message of a manifest that cannot be downloaded";
    }
  }
}

// relayo stayed on "Downloading ..." for ever against a site that sent its
// headers and then nothing, its window deaf to closing.
TEST_F(RelayoSite, ASilentSiteEndsWithTheMessageWithinAMinute) {
  SiteFile("down35.log", "8\r\n353\r\n\"mt.dat\",\"\\DATA\"\r\n");
  SiteFile("down35.log.stall", "0");  // the headers, then nothing
  SiteFile("mt.dat", "new chip data");
  StartRelayo();
  const auto start = std::chrono::steady_clock::now();
  ClickUpdate();
  Sleep(3000);
  EXPECT_TRUE(Answers()) << "the window answers during the download";
  EXPECT_EQ(Status(), L"Downloading the update list ...");
  const std::wstring status = AwaitUpdate(60000);
  const auto took = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start);
  EXPECT_TRUE(box_shown_) << "the message of a manifest that cannot be downloaded";
  EXPECT_GE(took.count(), 29) << "not before the silence";
  EXPECT_LE(took.count(), 45);
  EXPECT_EQ(status, L"");
  EXPECT_EQ(Installed("DATA/mt.dat"), "old chip data");
  EXPECT_EQ(LastUpdate(), 7);
  EXPECT_FALSE(machine_.fs.FileExists(Win(root_ + "/install/down35.log.~rl")));
}

TEST_F(RelayoSite, ClosingTheWindowEndsADownloadAndTheProgram) {
  SiteFile("down35.log", "8\r\n353\r\n\"mt.dat\",\"\\DATA\"\r\n\"readme.txt\",\"\"\r\n");
  SiteFile("mt.dat", "new chip data");
  SiteFile("mt.dat.stall", "3");
  SiteFile("readme.txt", "hello");
  StartRelayo();
  ClickUpdate();
  ASSERT_TRUE(WaitFor([&] { return Status() == L"Downloading files ..."; }, 10000)) << "the files' download began";
  Sleep(1000);
  EXPECT_FALSE(IsWindowEnabled(button_));
  PostMessageA(window_, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(window_); }, 5000)) << "the window closes at once";
  EXPECT_EQ(FindWindowA("#32770", "relayo"), nullptr) << "no box to answer";
  EXPECT_EQ(Installed("DATA/mt.dat"), "old chip data");
  EXPECT_FALSE(machine_.fs.FileExists(Win(root_ + "/install/readme.txt"))) << "nothing fetched after it";
  EXPECT_FALSE(machine_.fs.FileExists(Win(root_ + "/install/DATA/mt.dat.~rl")));
  EXPECT_EQ(LastUpdate(), 7);
}

// The suites that run inside the site's namespaces.
constexpr const char* kSiteSuites[] = {"RelayoSite", "InternetContract"};

// Outside: makes the run's folder and runs the site's suites inside their
// namespaces, under a Wine server of their own.
TEST(RelayoProgram, SiteTestsPassInNamespacesOfTheirOwn) {
  const char* build = std::getenv("KS_BUILD_DIR");
  const char* source = std::getenv("KS_SOURCE_DIR");
  if (!build || !*build || !source || !*source) GTEST_SKIP() << "KS_BUILD_DIR / KS_SOURCE_DIR not set";
  if (std::getenv("KS_RELAYO_SITE")) GTEST_SKIP() << "already inside";
  std::string filter;
  int expected = 0;
  const auto& unit = *::testing::UnitTest::GetInstance();
  for (const char* suite : kSiteSuites) {
    filter += (filter.empty() ? "" : ":") + std::string(suite) + ".*";
    for (int i = 0; i < unit.total_test_suite_count(); ++i)
      if (std::string(unit.GetTestSuite(i)->name()) == suite) expected += unit.GetTestSuite(i)->total_test_count();
  }
  win32::Win32Files fs;
  const std::string root = std::string(build) + "/relayo_run_" + Stamp();
  ASSERT_TRUE(fs.CreateFolder(UnixToWindows(root)));
  ASSERT_TRUE(fs.CreateFolder(UnixToWindows(root + "/site")));
  // A Unix program: Wine starts it but gives no handle to wait on (the
  // process handle is null and the thread "handle" whatever the structure
  // held, which closed could be any handle of this process, such as the
  // registry's); it leaves its result in a file.
  std::string line = "Z:\\bin\\sh " + std::string(source) + "/tests/wine/relayo_site.sh " + root + " " + kHost + " " +
                     build + "/ks_wine_tests.exe " + filter;
  STARTUPINFOA si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
  if (pi.hProcess) {
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
  }
  std::string result;
  ASSERT_TRUE(WaitFor([&] { return fs.ReadFile(UnixToWindows(root + "/result"), &result); }, 300000))
      << "the site tests did not finish";
  std::string log;
  fs.ReadFile(UnixToWindows(root + "/inner.log"), &log);
  EXPECT_EQ(result, "0\n") << log;
  EXPECT_NE(log.find("[  PASSED  ] " + std::to_string(expected) + " tests"), std::string::npos) << log;
  EXPECT_EQ(log.find("[  SKIPPED ]"), std::string::npos) << log;
}

}  // namespace
}  // namespace ks::test
