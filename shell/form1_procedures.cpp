// Where the other subsystems plug their procedures into the main window's
// start-up and navigation. Each line binds one member of Form1Procedures;
// start-up notes a member left empty as a fault.
#include "engine/settings_readers.h"
#include "hardware/Clocks.h"
#include "hardware/cpl_flags.h"
#include "pages/override_pages.h"
#include "pages/setting_lists.h"
#include "pages/tweak_handlers.h"
#include "shell/File_handle.h"
#include "shell/Form1.h"
#include "shell/Module1.h"
#include "shell/satellite_forms.h"

namespace ks {

void Form1::PlugProcedures() {
  auto& p = Procedures;
  p.ShowOsAndDirectXVersion = [this] { ShowOsAndDirectXVersion(); };
  p.FindDriverKey = [this] { FindDriverKey(); };
  p.ShowCardName = [this] { ShowCardName(); };
  p.ReadDriverVersion = [this] { ReadDriverVersion(); };
  p.FindNvidiaDevices = [this] { FindNvidiaDevices(st_); };
  p.DetectClockModel = [this] { DetectClockModel(st_); };
  p.ShowSystemInfo = [this] { ShowSystemInfo(); };
  p.EnableOC = [this] { EnableOC(); };
  WireOverclockingPage();
  p.LookupChipData = [this](const std::string& file, bool extra) { return LookupChipData(st_, file, extra); };
  p.LoadNvCplFlags = [this] { cpl().LoadNvCplFlags(); };
  p.FillSettingLists = [this] { FillSettingLists(st_, *this); };
  p.DetectD3DSettings = [this] { DetectD3DSettings(st_, *this); };
  p.DetectOGLSettings = [this] { DetectOGLSettings(st_, *this); };
  p.FillAntialiasingModes = [this] { FillAntialiasingModes(st_, *this); };
  p.ShowAntialiasingPreview = [this] { ShowAntialiasingPreview(st_, *this); };
  p.LoadMultitextureOverride = [this] { LoadMultitextureOverride(st_, *this); };
  p.LoadShaderOverride = [this] { LoadShaderOverride(st_, *this); };
  WireTweakHandlers(st_, *this);
  WireOverridePages(st_, *this);
  // The profile manager applies presets and refreshes the pages through the readers.
  p.LoadIt = [this] { form6().LoadIt(); };
  form6().RefreshPages = [this] {
    if (Procedures.DetectD3DSettings) Procedures.DetectD3DSettings();
    if (Procedures.DetectOGLSettings) Procedures.DetectOGLSettings();
    // The readers write nothing, so no handler updates the picture for them.
    if (Procedures.ShowAntialiasingPreview) Procedures.ShowAntialiasingPreview();
  };
  form6().SetPicker(&form7());
  form7().SetOwner(&form6());
}

}  // namespace ks
