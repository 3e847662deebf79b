#include "shell/Form1.h"

#include "hardware/cpl_flags.h"
#include "hardware/monitoring.h"
#include "hardware/process_list.h"
#include "shell/Form2.h"
#include "shell/Form5.h"
#include "shell/satellite_forms.h"

namespace ks {

Form1::Form1(SeState& state)
    : Form1Window(state.app),
      PanelPages(Frame1),
      AntialiasingPages(Frame1),
      FilteringPages(Frame1),
      MiscPages(Frame1),
      InfoPages(Frame1),
      OverridePages(Frame1),
      MonitorPages(Frame1),
      TweakControls(Frame1, *this),
      st_(state),
      form2_(std::make_unique<Form2>(state)),
      form3_(std::make_unique<Form3>(state)),
      form4_(std::make_unique<Form4>(state, *this)),
      form5_(std::make_unique<Form5>(state)),
      form6_(std::make_unique<Form6>(state)),
      form7_(std::make_unique<Form7>(state)),
      cpl_(std::make_unique<ControlPanelFlags>(*this, state)),
      monitoring_(std::make_unique<Monitoring>(*this, state)),
      process_list_(std::make_unique<ProcessList>(*this, state)) {
  Combo17.OnClick = [this] { Combo17_Click(); };
  Check13.OnClick = [this] { Check13_Click(); };
  Check11.OnClick = [this] { Check11_Click(); };
  Label10.OnClick = [this] { Label10_Click(); };
  FlatScrollBar4.OnChange = [this] { FlatScrollBar4_Change(); };
  FlatScrollBar4.OnScroll = [this] { FlatScrollBar4_Change(); };
  Toolbar1.OnButtonClick = [this](ui::ToolButton& b) { Toolbar1_ButtonClick(b); };
  Toolbar1.OnButtonMenuClick = [this](ui::ButtonMenu& m) { Toolbar1_ButtonMenuClick(m); };
  Timer1.OnTimer = [this] { Timer1_Timer(); };
  Timer2.OnTimer = [this] { Timer2_Timer(); };
  SetInfoPageCaptions();
  WireHelpHover();
  WireResolutionPage();
  PlugProcedures();
  design_.reset();
}

Form1::~Form1() = default;

}  // namespace ks
