// Page 3 of the real main window under Wine: with a card's clock values in
// the real registry, the first visit shows the default and current clocks;
// Apply writes the encoded request and starts the driver's loader (absent
// under Wine: the program goes on without it).
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "hardware/Clocks.h"
#include "shell/Form1.h"
#include "ui/win32/renderer.h"
#include "wine/wine_machine.h"

namespace ks::test {
namespace {

constexpr const char* kHwKey =
    "Software\\NVIDIA Corporation\\Global\\NVTweak\\Devices\\VEN_10DE&DEV_0322&SUBSYS_00000000&REV_A1&INST00"
    "\\Hardware";
constexpr std::int32_t kHomer = 74565;
constexpr std::int32_t kDevice = 0x0322;

// Starts programs for real and keeps their command lines.
class RecordingProcesses : public platform::Processes {
 public:
  explicit RecordingProcesses(platform::Processes& real) : real_(real) {}
  std::uint32_t StartProgram(const std::string& line, platform::WindowStyle style) override {
    started.push_back(line);
    styles.push_back(style);
    return real_.StartProgram(line, style);
  }
  platform::ProcessHandle OpenProcess(std::uint32_t access, std::uint32_t pid) override {
    return real_.OpenProcess(access, pid);
  }
  std::uint32_t WaitForSingleObject(platform::ProcessHandle p, std::uint32_t ms) override {
    return real_.WaitForSingleObject(p, ms);
  }
  bool CloseHandle(platform::ProcessHandle p) override { return real_.CloseHandle(p); }

  std::vector<std::string> started;
  std::vector<platform::WindowStyle> styles;

 private:
  platform::Processes& real_;
};

class ClockMachine : public WineMachine {
 public:
  platform::Processes& processes() override { return recording; }
  RecordingProcesses recording{real.proc};
};

class WineOcPage : public ::testing::Test {
 protected:
  void SetUp() override {
    Clean();
    s_.OsClass = 3;
    s_.DriverBuild = 7701;
    s_.DeviceId = "0322";
    s_.DevicePrefix = "032";
    s_.DeviceIdNum = kDevice;
    s_.DeviceIdNumCopy = kDevice;
    s_.NvTweakHwKey = kHwKey;
    s_.LanguageTable[92] = "Default Core speed: ";
    s_.LanguageTable[93] = "Current Core speed: ";
    s_.LanguageTable[94] = "Default Memory speed: ";
    s_.LanguageTable[95] = "Current Memory speed: ";
    s_.app.Title = "KestrelaneSE";
    // The card: 350/700 MHz by default, running at 370/760 by an earlier request.
    s_.reg.WriteRegDword(kHkeyCurrentUser, kHwKey, "Homer", kHomer);
    s_.reg.WriteRegDword(kHkeyCurrentUser, kHwKey, "Bart", EncodeClockPair(350, 700, kHomer, kDevice));
    s_.reg.WriteRegDword(kHkeyCurrentUser, kHwKey, "Krusty", EncodeClockPair(370, 760, kHomer, kDevice));
    s_.reg.WriteRegDword(kHkeyCurrentUser, kHwKey, "Marge", 1);
  }
  void TearDown() override { Clean(); }

  void Clean() {
    for (const char* name : {"Homer", "Bart", "Krusty", "Marge", "Lisa", "Geraklit", "Gesiod", "Bart3D"})
      s_.reg.DeleteRegValue(kHkeyCurrentUser, kHwKey, name);
    s_.reg.DeleteRegValue(kHkeyCurrentUser, "Software\\NVIDIA Corporation\\Global\\NVTweak", "PerfLevel");
    s_.reg.DeleteRegValue(kHkeyLocalMachine, kNvTweakKey, "CoolBits");
  }

  void PumpUntil(const std::function<bool()>& done, int seconds = 10) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!done() && std::chrono::steady_clock::now() < end) {
      s_.app.DoEvents();
      Sleep(10);
    }
  }
  std::string WindowText(const ui::Control& control) {
    char text[256] = {};
    GetWindowTextA(renderer_.WindowOf(control), text, sizeof(text));
    return text;
  }
  std::int32_t Stored(const char* name) {
    return s_.reg.ReadRegValue(kHkeyCurrentUser, kHwKey, name).NumberOr(-1);
  }

  ClockMachine machine_;
  SeState s_{machine_};
  ui::win32::Renderer renderer_{s_.app};
  Form1 main_{s_};
};

TEST_F(WineOcPage, ShowsTheCardsClocksAndAppliesANewCoreClock) {
  main_.Show();
  main_.ActivePage = 3;
  main_.ShowPage();
  PumpUntil([&] { return WindowText(main_.Label1[2]) == "Current Core speed: 370 MHz"; });
  EXPECT_EQ(WindowText(main_.Label1[0]), "Default Core speed: 350 MHz");
  EXPECT_EQ(WindowText(main_.Label1[1]), "Default Memory speed: 700 MHz");
  EXPECT_EQ(WindowText(main_.Label1[2]), "Current Core speed: 370 MHz");
  EXPECT_EQ(WindowText(main_.Label1[3]), "Current Memory speed: 760 MHz");
  EXPECT_EQ(WindowText(main_.Text1[0]), "370");
  EXPECT_EQ(WindowText(main_.Text1[1]), "760");
  EXPECT_EQ(Stored("Krusty"), EncodeClockPair(370, 760, kHomer, kDevice)) << "the read puts every value back";

  HWND core = renderer_.WindowOf(main_.Text1[0]);
  ASSERT_NE(core, nullptr);
  SendMessageA(core, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("420"));
  PumpUntil([&] { return main_.Text1[0].Text() == "420"; });
  ASSERT_EQ(main_.Text1[0].Text(), "420");
  machine_.recording.started.clear();
  HWND apply = renderer_.WindowOf(main_.Command1[0]);
  PostMessageA(apply, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  PostMessageA(apply, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  const std::int32_t request = EncodeClockPair(420, 760, kHomer, kDevice);
  PumpUntil([&] { return WindowText(main_.Label1[2]) == "Current Core speed: 420 MHz"; });

  EXPECT_EQ(Stored("Krusty"), request);
  EXPECT_EQ(Stored("Marge"), 1);
  EXPECT_EQ(Stored("Bart"), EncodeClockPair(350, 700, kHomer, kDevice));
  EXPECT_EQ(s_.reg.ReadRegValue(kHkeyLocalMachine, kNvTweakKey, "CoolBits").NumberOr(0), -1);
  ASSERT_FALSE(machine_.recording.started.empty());
  EXPECT_EQ(machine_.recording.started[0], "rundll32 NvCpl.dll,NvStartup") << "the apply loader";
  EXPECT_EQ(machine_.recording.styles[0], platform::WindowStyle::kMinimizedFocus);
  EXPECT_EQ(WindowText(main_.Label1[2]), "Current Core speed: 420 MHz");
  EXPECT_EQ(WindowText(main_.Text1[0]), "420");
  main_.Unload();
}

}  // namespace
}  // namespace ks::test
