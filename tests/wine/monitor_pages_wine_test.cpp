// Pages 0, 14 and 15 in the real main window under Wine: the flag boxes
// write the real registry, the monitoring ticks and records a log that the
// viewer opens, and the process list shows the processes Wine runs.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <functional>

#include "hardware/Form9.h"
#include "hardware/cpl_flags.h"
#include "hardware/monitor_log.h"
#include "hardware/monitoring.h"
#include "hardware/process_list.h"
#include "platform/win32/win.h"
#include "shell/Form1.h"
#include "ui/win32/renderer.h"
#include "wine/wine_machine.h"

namespace ks::test {
namespace {

constexpr const char* kFlags[] = {"CoolBits", "NvCplEnableAdditionalInfoPage", "NvCplDisableRefreshRatePage",
                                  "NvCplEnableTroubleshootingPage"};

std::pair<std::uint32_t, std::int32_t> Dword(std::int32_t n) { return {platform::kRegDword, n}; }

class WineMonitorPages : public ::testing::Test {
 protected:
  void SetUp() override { Clean(); }
  void TearDown() override {
    main_.Unload();
    Clean();
  }
  void Clean() {
    for (const char* name : kFlags) s_.reg.DeleteRegValue(kHkeyLocalMachine, kCplFlagsKey, name);
    machine_.real.fs.DeleteFile(s_.DataPath(kMonitorLogName));
  }
  void PumpUntil(const std::function<bool()>& done, int seconds = 10) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!done() && std::chrono::steady_clock::now() < end) {
      s_.app.DoEvents();
      Sleep(10);
    }
  }
  void Click(const ui::Control& control) {
    HWND hwnd = renderer_.WindowOf(control);
    ASSERT_NE(hwnd, nullptr) << control.FullName();
    PostMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  }
  void ShowPage(int page) {
    main_.Show();
    main_.ActivePage = page;
    main_.ShowPage();
    s_.app.DoEvents();
  }
  // The stored type and number of a flag, type 0 when missing.
  std::pair<std::uint32_t, std::int32_t> Stored(const char* name) {
    auto& reg = machine_.registry();
    platform::ScopedRegKey key(reg);
    if (reg.OpenKey(platform::kHkeyLocalMachine, kCplFlagsKey, key.Receive()) != 0) return {0, -1};
    std::uint32_t type = 0, size = 4;
    std::string data;
    if (reg.QueryValue(key.get(), name, &type, &data, &size) != 0 || data.size() != 4) return {0, -1};
    std::int32_t n = 0;
    std::memcpy(&n, data.data(), 4);
    return {type, n};
  }

  WineMachine machine_;
  SeState s_{machine_};
  ui::win32::Renderer renderer_{s_.app};
  Form1 main_{s_};
};

TEST_F(WineMonitorPages, FlagBoxesWriteTheRealRegistryAndTheToolbarOnlyReads) {
  ShowPage(0);
  s_.OsClass = 3;
  s_.DriverBuild = 7701;
  s_.reg.WriteAsBinary = 1;  // as another writer may leave it
  Click(main_.Check7[2]);
  PumpUntil([&] { return Stored("NvCplEnableAdditionalInfoPage").second == 1; });
  EXPECT_EQ(Stored("NvCplEnableAdditionalInfoPage"), Dword(1));
  Click(main_.Check7[0]);
  PumpUntil([&] { return Stored("CoolBits") == Dword(-1); });
  EXPECT_EQ(Stored("CoolBits"), Dword(-1));

  // Reading the flags back from the toolbar changes the boxes but writes nothing.
  s_.reg.WriteRegDword(kHkeyLocalMachine, kCplFlagsKey, "NvCplEnableTroubleshootingPage", 1);
  main_.Toolbar1.UserClickButton("nvcpl");
  s_.app.DoEvents();
  EXPECT_EQ(main_.Check7[3].Value(), 1);
  EXPECT_EQ(main_.Check7[10].Value(), 0);
  EXPECT_EQ(Stored("NvCplDisableRefreshRatePage").first, 0u) << "the reload created no value";
  EXPECT_EQ(SendMessageA(renderer_.WindowOf(main_.Check7[3]), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(WineMonitorPages, MonitoringTicksAndRecordsALogTheViewerOpens) {
  ShowPage(14);
  Click(main_.Option4[0]);
  PumpUntil([&] { return main_.Timer3.Interval() == 200; });
  ASSERT_EQ(main_.Timer3.Interval(), 200);
  PumpUntil([&] { return !main_.Label16[0].Caption().empty(); });
  EXPECT_EQ(main_.Label16[0].Caption().rfind("CPU1 ", 0), 0u) << main_.Label16[0].Caption();

  Click(main_.Command6);
  PumpUntil([&] { return main_.monitoring().MonitorLogOn == 1; });
  ASSERT_EQ(main_.monitoring().MonitorLogOn, 1);
  const std::string path = s_.DataPath(kMonitorLogName);
  PumpUntil([&] {
    std::string bytes;
    return machine_.real.fs.ReadFile(path, &bytes) && ReadMonitorLog(bytes).samples.size() >= 4;
  });

  // Stop shows the viewer modally: look at it from inside its loop, then close it.
  Form9& viewer = main_.monitoring().form9();
  std::string seen_log;
  int segments = -1;
  bool next_enabled = true;
  std::function<void()> inspect = [&] {
    HWND close = viewer.Loaded() ? renderer_.WindowOf(viewer.Command2) : nullptr;
    if (close == nullptr) {
      s_.app.Post(inspect);
      return;
    }
    machine_.real.fs.ReadFile(path, &seen_log);
    segments = 0;
    for (const ui::DrawOp& op : viewer.Picture2.Drawing()) segments += op.dotted ? 0 : 1;
    next_enabled = viewer.Command1.Enabled();
    PostMessageA(close, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(close, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  };
  s_.app.Post(inspect);
  Click(main_.Command7);
  PumpUntil([&] { return segments >= 0 && !viewer.Loaded(); });

  const MonitorLog log = ReadMonitorLog(seen_log);
  EXPECT_TRUE(log.known);
  EXPECT_GE(log.samples.size(), 4u);
  EXPECT_EQ(segments, static_cast<int>(log.samples.size()) - 1) << "one memory segment between two samples";
  EXPECT_FALSE(next_enabled);
  EXPECT_FALSE(viewer.Loaded());
  EXPECT_FALSE(machine_.real.fs.FileExists(path)) << "Close deletes the log";
  EXPECT_EQ(main_.monitoring().MonitorLogOn, 0);
  EXPECT_TRUE(main_.Command6.Enabled());
}

// Ends a process the test started, however the test ends.
struct ChildProcess {
  std::uint32_t pid;
  ~ChildProcess() {
    if (HANDLE h = OpenProcess(PROCESS_TERMINATE, FALSE, pid)) {
      TerminateProcess(h, 0);
      CloseHandle(h);
    }
  }
};

TEST_F(WineMonitorPages, ProcessListShowsTheRunningProcesses) {
  // The list passes over the snapshot's first entry, and which process Wine
  // lists first varies (this test program, on a fresh Wine server). A
  // process started now is no first entry, so the test looks for it.
  const std::string child_exe = "ks_idle_child.exe";
  ChildProcess child{machine_.real.proc.StartProgram(
      platform::QuotedProgram(machine_.real.fs.ProgramFolder() + "\\" + child_exe), platform::WindowStyle::kHide)};
  ASSERT_NE(child.pid, 0u) << child_exe;
  ShowPage(15);
  Click(main_.Command5);
  PumpUntil([&] { return main_.List3.ListCount() > 0; });
  const int listed = main_.List3.FindItem(child_exe);
  ASSERT_GE(listed, 0) << "the process the test started is listed";
  EXPECT_EQ(main_.Label19.Caption(), s_.Lang(262) + std::to_string(main_.List3.ListCount()));
  EXPECT_EQ(SendMessageA(renderer_.WindowOf(main_.List3), LB_GETCOUNT, 0, 0), main_.List3.ListCount());
  main_.List3.UserPick(listed);
  EXPECT_EQ(main_.Label20[0].Caption(), s_.Lang(257) + child_exe);
  EXPECT_EQ(main_.Label20[2].Caption(), s_.Lang(258) + std::to_string(child.pid));
  // Its parent is this test program, named when the list holds it.
  std::string parent = s_.Lang(259) + std::to_string(GetCurrentProcessId());
  if (main_.List3.FindItem("ks_wine_tests.exe") >= 0) parent += " - ks_wine_tests.exe";
  EXPECT_EQ(main_.Label20[3].Caption(), parent);
  EXPECT_GT(main_.Label22.Width(), 0) << "a base priority shows as a bar";
}

}  // namespace
}  // namespace ks::test
