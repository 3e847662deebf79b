// Form1: the main window of KestrelaneSE. Constructing it is cheap: it
// declares the controls, designs them and wires their handlers; the work
// starts in Form_Load (start-up, form1_startup.cpp).
//
// The controls are members of the bases: the window frame (form1_window.h)
// and the page groups (form1_pages.h). Adding a control: one member line
// there in the section of its page, and its design line in that group's
// .cpp. The main window owns the program's other windows (form2() ...).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "pages/tweak_controls.h"
#include "platform/display_settings.h"
#include "shell/form1_pages.h"
#include "shell/form1_window.h"
#include "shell/se_state.h"

namespace ks {

class Form2;
class Form3;
class Form4;
class Form5;
class Form6;
class Form7;
class ControlPanelFlags;
class Monitoring;
class ProcessList;

// Procedures of other subsystems that start-up and the navigation call, in
// the order Form_Load calls them. Each is empty until its subsystem plugs
// it in (Form1::PlugProcedures, form1_procedures.cpp). Start-up needs every
// one: an empty one is skipped and noted in Form1::StartupFaults.
struct Form1Procedures {
  // detection: OS, DirectX, driver, display device, system information
  std::function<void()> ShowOsAndDirectXVersion, FindDriverKey, ShowCardName, ReadDriverVersion,
      FindNvidiaDevices;
  std::function<void()> DetectClockModel;
  std::function<void()> ShowSystemInfo;
  // The chip data file's value for the device ("mt", ...); nullopt when none.
  std::function<std::optional<std::string>(const std::string& file, bool extra_line)> LookupChipData;
  // page fillers and readers
  std::function<void()> FillSettingLists, DetectD3DSettings, DetectOGLSettings, LoadNvCplFlags,
      FillAntialiasingModes, LoadMultitextureOverride, LoadShaderOverride;
  std::function<void()> ShowAntialiasingPreview;
  // first showing of page 3
  std::function<void()> EnableOC;
  // Form6: applies the preset file named by CmdPresetPath
  std::function<void()> LoadIt;
};

class Form1 : public Form1Window,
              public PanelPages,
              public AntialiasingPages,
              public FilteringPages,
              public MiscPages,
              public InfoPages,
              public OverridePages,
              public MonitorPages,
              public TweakControls {
 public:
  explicit Form1(SeState& state);
  ~Form1() override;

  SeState& state() const { return st_; }

  // --- public variables ---
  std::int32_t IsStart = 0;
  std::int32_t IsLoading = 0;
  std::int32_t ActivePage = 0;
  std::int32_t TwoCPU = 0;
  std::int32_t Mhz = 0;           // "~MHz" of the first processor, 0 when missing
  std::string Pid;                // first processor's "Identifier"
  std::string Pvid;               // first processor's "VendorIdentifier"
  std::string ProcessorNameString;
  // Available physical memory in MB plus 1, set by GetMemInfo.
  std::int32_t AvailableMemoryMB = 0;

  // The program's command line, set before the form is loaded: empty, or
  // the full path of a preset file (taken whole, blanks included).
  std::string CommandLine;

  // The display modes as EnumDisplaySettingsA gave them; entry k + 1 is
  // List2 item k. Starts with entries 0..8 and grows by 8.
  std::vector<platform::DisplayMode> DisplayModes;
  // The number of the last mode listed.
  std::int32_t DisplayModeCount = 0;

  Form1Procedures Procedures;

  // Called after each start-up step with its number (from 0, in the order
  // Form_Load runs them) and its duration; empty in the program itself.
  std::function<void(int step, long long microseconds)> StartupTrace;
  // What went wrong in the last Form_Load: one line per step that failed
  // or whose procedure was not plugged in ("step 7: ..."). Start-up goes on
  // past each; a sound start leaves it empty.
  std::vector<std::string> StartupFaults;

  // --- the other windows (loaded only when used) ---
  Form2& form2() { return *form2_; }
  Form3& form3() { return *form3_; }
  Form4& form4() { return *form4_; }
  Form5& form5() { return *form5_; }
  Form6& form6() { return *form6_; }
  Form7& form7() { return *form7_; }

  // --- pages 0, 14 and 15 (hardware/) ---
  ControlPanelFlags& cpl() { return *cpl_; }
  Monitoring& monitoring() { return *monitoring_; }
  ProcessList& process_list() { return *process_list_; }
  // Set by start-up; the next Timer3 tick opens the CPU load counters.
  bool MonitorFirstTick = true;

  // --- detection at start-up (detection.cpp), in this order ---
  void ShowOsAndDirectXVersion();
  void FindDriverKey();
  void ShowCardName();
  // May warn that the driver is too old for the NT family.
  void ReadDriverVersion();
  // The processor, memory and chip labels of page 4 (sysinfo_page.cpp).
  void ShowSystemInfo();
  // Total physical memory in MB as text; sets AvailableMemoryMB.
  std::string GetMemInfo();

  // --- start-up ---
  // Sets the static texts from the language table.
  void ApplyLanguage();
  // Refills Combo17 with the installed main-program languages.
  void ListLanguages();
  void Combo17_Click();

  // --- after a preset, an SLI box or the wizard has written the driver ---
  // Reads the driver into the pages again as start-up does: the readers,
  // then the antialiasing lists (for the SLI state just read) and pages 11
  // and 12 (for the limits just read) while the handlers are held off, then
  // the antialiasing preview of the mode read back. Writes nothing to the
  // driver, except what start-up's multitexturing rule removes (a stored
  // limit above the card's). An empty procedure is skipped.
  void RefreshPages();

  // --- navigation ---
  // Shows page ActivePage (callers set it first) and runs its first-visit work.
  void ShowPage();
  void FlatScrollBar4_Change();
  void Toolbar1_ButtonClick(ui::ToolButton& button);
  void Toolbar1_ButtonMenuClick(ui::ButtonMenu& menu);
  void Check13_Click();
  void Label10_Click();
  // Opens the card vendor's home page in the default browser.
  void OpenVendorSite();

  // --- page 3: overclocking (hardware/oc_page.cpp) ---
  // Enables the page, sets the startup box and the speed choice from the
  // registry and shows the clocks; ShowPage calls it on the first visit.
  void EnableOC();
  // Reads the card's clocks (other revision keys while the defaults are
  // implausible) and shows them in the labels, text boxes and sliders.
  void ShowClocks();
  void Command1_Click(int index);
  void FlatScrollBar1_Change(int index);
  void Check10_Click();
  void Check2_Click();
  void Option1_Click(int index);

  // --- help ---
  void ShowHelpTopic(const std::int32_t& topic);
  void UpdateHelpIndicator();
  void Check11_Click();
  void Label13_MouseMove();
  void Frame1_MouseMove(int index);

  // --- slide timers ---
  void Timer1_Timer();
  void Timer2_Timer();

  // --- page 10: display modes (pages/resolution_page.cpp) ---
  void List2_Click();
  // Sets the selected mode of List2 and stores it as the default; offers a
  // restart when Windows asks for one. Nothing is selected: nothing happens.
  void Command4_Click();
  // A quick pick of Combo14 (its entry 0..5); no entry selected: nothing.
  void Combo14_Change();

 protected:
  void Form_Load() override;
  void Form_Activate() override;
  void Form_Resize() override;
  void Form_Unload(int& cancel) override;
  void Form_Terminate() override;

 private:
  // Start-up steps.
  void ListDisplayModes();
  void StartState();
  void ShowVersion();
  void WriteVersion();
  void RestoreHelpOption();
  void RestoreLastPage();
  void PresetRoad();
  void WindowRoad();
  // Page 9's first showing: lumacap's adapter report into List1.
  void LoadAdapterReport();
  // Plugs the other subsystems' procedures into Procedures.
  void PlugProcedures();
  void WireHelpHover();
  void UnloadSatellites();
  // Page 10.
  void WireResolutionPage();
  void SetScreenResolution(const float& width, const float& height);
  // Restarts Windows after a mode change that needs it; tells the user
  // when Windows refuses.
  void RestartWindows();

  void WireOverclockingPage();

  SeState& st_;
  std::int32_t OcFirstVisit = 1;
  bool ClocksApplying = false;  // Apply/Default is running (it lets events run)
  bool SlidersFilling = false;  // ShowClocks sets the sliders' range and position
  std::int32_t DxInfoFirstVisit = 1;
  // The file name (with ".dat") behind each item of Combo17, in order.
  std::vector<std::string> LanguageFiles;

  std::unique_ptr<Form2> form2_;
  std::unique_ptr<Form3> form3_;
  std::unique_ptr<Form4> form4_;
  std::unique_ptr<Form5> form5_;
  std::unique_ptr<Form6> form6_;
  std::unique_ptr<Form7> form7_;
  std::unique_ptr<ControlPanelFlags> cpl_;
  std::unique_ptr<Monitoring> monitoring_;
  std::unique_ptr<ProcessList> process_list_;
};

}  // namespace ks
