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
  form6().RefreshPages = [this] { RefreshPages(); };
  form6().SetPicker(&form7());
  form7().SetOwner(&form6());
}

void Form1::RefreshPages() {
  auto run = [](const std::function<void()>& procedure) {
    if (procedure) procedure();
  };
  // The readers hold the handlers off themselves.
  run(Procedures.DetectD3DSettings);
  run(Procedures.DetectOGLSettings);
  {
    // What start-up does after its readers: the lists follow the SLI state
    // just read (the boxes keep the texts the readers set), and pages 11
    // and 12 follow the limits just read. The sliders they move and the
    // texts they put back must not write the same choices again.
    HandlersHeldOff held(*this);
    run(Procedures.FillAntialiasingModes);
    run(Procedures.LoadMultitextureOverride);
    run(Procedures.LoadShaderOverride);
  }
  // Nothing the readers set writes, so no handler shows the mode's picture.
  run(Procedures.ShowAntialiasingPreview);
  // The registry editor, when open, shows the selected value as it is now.
  if (form3().Loaded()) form3().ShowSelectedValue();
}

}  // namespace ks
