// The main window's life cycle: Form_Load (start-up, in the order of its
// steps), activation, resizing, unloading, and the two slide timers.
#include <chrono>
#include <exception>
#include <stdexcept>
#include <string>

#include "shell/Form1.h"
#include "hardware/monitoring.h"
#include "shell/Form2.h"
#include "shell/Form5.h"
#include "shell/Language.h"
#include "shell/associate.h"
#include "common/numbers.h"
#include "shell/satellite_forms.h"
#include "shell/version.h"

namespace ks {

namespace {

constexpr int kModeGrowth = 8;

// Runs one procedure of another subsystem when it is plugged in.
void Call(const std::function<void()>& procedure) {
  if (procedure) procedure();
}

// A start-up step's procedure: every one must be plugged in, so an empty
// one is a fault of the program's wiring, recorded like a step that failed.
void Step(const std::function<void()>& procedure, const char* name) {
  if (!procedure) throw std::logic_error(std::string(name) + " is not plugged in");
  procedure();
}

}  // namespace

void Form1::Form_Load() {
  using StartStep = void (*)(Form1&);
  // Every step runs, whatever the steps before it did: a step that fails is
  // skipped, noted in StartupFaults, and start-up goes on with the next.
  static constexpr StartStep kSteps[] = {
      [](Form1& f) { f.ListDisplayModes(); },                         // 1
      [](Form1& f) { f.StartState(); },                               // 2
      [](Form1& f) {                                                  // 3
        LoadLanguage(f.st_, f);
        f.st_.app.DoEvents();
      },
      [](Form1& f) { f.ApplyLanguage(); },                            // 4
      [](Form1& f) { f.ShowPage(); },                                 // 5
      [](Form1& f) { Step(f.Procedures.ShowOsAndDirectXVersion, "ShowOsAndDirectXVersion"); },  // 6
      [](Form1& f) { Step(f.Procedures.FindDriverKey, "FindDriverKey"); },
      [](Form1& f) { Step(f.Procedures.ShowCardName, "ShowCardName"); },
      [](Form1& f) { Step(f.Procedures.ReadDriverVersion, "ReadDriverVersion"); },
      [](Form1& f) { Step(f.Procedures.FindNvidiaDevices, "FindNvidiaDevices"); },  // 7
      [](Form1& f) { Step(f.Procedures.ShowCardName, "ShowCardName"); },
      [](Form1& f) { Step(f.Procedures.DetectClockModel, "DetectClockModel"); },  // 8
      [](Form1& f) { Step(f.Procedures.ShowSystemInfo, "ShowSystemInfo"); },  // 9
      [](Form1& f) {                                                  // 10
        f.ListLanguages();
        f.st_.app.DoEvents();
      },
      [](Form1& f) {                                                  // 11
        if (f.st_.ClockModel != 1) return;
        f.Option1[0].SetEnabled(true);
        f.Option1[1].SetEnabled(true);
      },
      [](Form1& f) {                                                  // 12
        if (!f.Procedures.LookupChipData) throw std::logic_error("LookupChipData is not plugged in");
        const auto answer = f.Procedures.LookupChipData("mt", false);
        const auto mt = answer ? ParseNumber(*answer) : std::nullopt;
        if (mt && *mt > 2) f.st_.MtFlag = 1;
      },
      [](Form1& f) { Step(f.Procedures.FillSettingLists, "FillSettingLists"); },  // 13
      [](Form1& f) { Step(f.Procedures.DetectD3DSettings, "DetectD3DSettings"); },
      [](Form1& f) { Step(f.Procedures.DetectOGLSettings, "DetectOGLSettings"); },
      [](Form1& f) { Step(f.Procedures.LoadNvCplFlags, "LoadNvCplFlags"); },
      [](Form1& f) { Step(f.Procedures.FillAntialiasingModes, "FillAntialiasingModes"); },
      [](Form1& f) { Step(f.Procedures.LoadMultitextureOverride, "LoadMultitextureOverride"); },
      [](Form1& f) { Step(f.Procedures.LoadShaderOverride, "LoadShaderOverride"); },
      [](Form1& f) { RegisterPresetFileType(f.st_.platform.registry(), f.st_.platform.files()); },
      [](Form1& f) { f.ShowVersion(); },                              // 14
      [](Form1& f) { f.WriteVersion(); },                             // 15
      [](Form1& f) {                                                  // 16
        f.st_.app.DoEvents();
        f.IsStart = 0;
        f.IsLoading = 0;
      },
      [](Form1& f) { Step(f.Procedures.ShowAntialiasingPreview, "ShowAntialiasingPreview"); },  // 17
      [](Form1& f) { f.RestoreHelpOption(); },                        // 18
      [](Form1& f) { f.RestoreLastPage(); },                          // 19
      [](Form1& f) {                                                  // 20, 21
        if (!f.CommandLine.empty()) f.PresetRoad();
        else f.WindowRoad();
      },
  };
  StartupFaults.clear();
  int number = 0;
  for (StartStep step : kSteps) {
    const auto started = std::chrono::steady_clock::now();
    try {
      step(*this);
    } catch (const std::exception& e) {
      StartupFaults.push_back("step " + std::to_string(number) + ": " + e.what());
    }
    if (StartupTrace)
      StartupTrace(number, std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - started)
                               .count());
    ++number;
  }
}

void Form1::ListDisplayModes() {
  auto& display = st_.platform.display_settings();
  DisplayModes.assign(9, platform::DisplayMode{});
  display.EnumDisplaySettings(0, &DisplayModes[0]);
  List2.Clear();
  DisplayModeCount = 0;
  for (std::uint32_t n = 1;; ++n) {
    if (n >= DisplayModes.size()) DisplayModes.resize(DisplayModes.size() + kModeGrowth);
    platform::DisplayMode& mode = DisplayModes[n];
    if (!display.EnumDisplaySettings(n, &mode)) break;
    List2.AddItem(std::to_string(mode.width) + "x" + std::to_string(mode.height) + "x" +
                  std::to_string(mode.bits_per_pixel) + " " + std::to_string(mode.frequency) + "Hz");
    DisplayModeCount = static_cast<std::int32_t>(n);
  }
}

void Form1::StartState() {
  IsLoading = 1;
  IsStart = 1;
  ActivePage = 4;
  st_.Clocks3DShown = 0;
  OcFirstVisit = 1;
  DxInfoFirstVisit = 1;
  TwoCPU = 0;
  st_.ClockModel = 0;
  MonitorFirstTick = true;
}

void Form1::ShowVersion() {
  const std::int32_t update = st_.reg.ReadRegValue(kHkeyCurrentUser, kProductKey, "LastUpDate35").NumberOr(0);
  std::string label =
      "Kestrelane SE " + st_.Lang(246) + std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor);
  if (update > 0) label += st_.Lang(247) + std::to_string(update);
  Label2[8].SetCaption(label);
  SetCaption("Kestrelane SE Build " + std::to_string(kVersionMinor));
}

void Form1::WriteVersion() {
  // A text of digits: stored as a number (REG_DWORD, or a 4-byte binary
  // while the registry writer's switch is on).
  const std::string version =
      std::to_string(kVersionMajor) + std::to_string(kVersionMinor) + std::to_string(kVersionRevision);
  st_.reg.WriteRegValue(kHkeyCurrentUser, kProductKey, "Version", version);
}

void Form1::RestoreHelpOption() {
  const std::int32_t on = st_.reg.ReadRegValue(kHkeyCurrentUser, kProductKey, "HelpSystem").NumberOr(1);
  // A value the check box cannot take leaves it as it is; the switch still gets it.
  Check11.SetValue(on);
  st_.HelpSystemOn = on;
  st_.HelpTopic = 999;
  UpdateHelpIndicator();
}

void Form1::RestoreLastPage() {
  std::int32_t page = st_.reg.ReadRegValue(kHkeyCurrentUser, kProductKey, "LVP").NumberOr(-1);
  // A stored page that does not exist would leave no page visible: treat it as missing.
  if (page < 0 || page >= kPageCount) page = -1;
  if (page == -1) return;
  Check13.SetValue(ui::kChecked);
  ActivePage = page;
  ShowPage();
}

void Form1::PresetRoad() {
  st_.CmdPresetPath = CommandLine;
  form6().Load();
  Call(Procedures.LoadIt);
  st_.app.DoEvents();
  form7().Unload();
  form6().Unload();
  form5().Unload();
  form4().Unload();
  form3().Unload();
  form2().Unload();
  Unload();
  st_.CmdPresetPath.clear();
}

void Form1::WindowRoad() {
  Image4.LoadPicture(st_.DataPath("\\data\\hs\\pic\\ps.jpg"));
  if (st_.OsClass >= 4) {
    Toolbar1.SetButtonEnabled("oc", false);
    Toolbar1.SetMenuEnabled("info", "basicdx", false);
  }
}

void Form1::Form_Activate() { form2().Unload(); }

void Form1::Form_Resize() {
  if (GetWindowState() == ui::WindowState::kMaximized) SetWindowState(ui::WindowState::kNormal);
  if (Width() != kForm1Width && GetWindowState() != ui::WindowState::kMinimized) SetWidth(kForm1Width);
}

void Form1::UnloadSatellites() {
  form2().Unload();
  form3().Unload();
  form4().Unload();
  form5().Unload();
  // The profile manager (and its application picker) ends with the program.
  form6().Unload();
}

void Form1::Form_Unload(int& cancel) {
  if (Check13.Value() == ui::kChecked) {
    st_.reg.WriteRegValue(kHkeyCurrentUser, kProductKey, "LVP", ActivePage);
  } else {
    st_.reg.DeleteRegValue(kHkeyCurrentUser, kProductKey, "LVP");
  }
  monitoring().Unload();
  UnloadSatellites();
}

void Form1::Form_Terminate() { UnloadSatellites(); }

void Form1::Timer1_Timer() {
  SetHeight(Height() + 100);
  Timer2.SetEnabled(false);
  if (Height() > kForm1TallHeight) {
    SetHeight(kForm1TallHeight);
    Timer1.SetEnabled(false);
  }
}

void Form1::Timer2_Timer() {
  SetHeight(Height() - 100);
  Timer1.SetEnabled(false);
  if (Height() < kForm1ShortHeight) {
    SetHeight(kForm1ShortHeight);
    Timer2.SetEnabled(false);
  }
}

}  // namespace ks
