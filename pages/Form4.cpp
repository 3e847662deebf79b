// The wizard window: its design, captions and enabling rules.
#include "pages/Form4.h"

#include "engine/d3d.h"
#include "engine/ogl.h"
#include "shell/Form1.h"

namespace ks {

namespace {

constexpr int kRow = 255;
constexpr int kButton = 375;
// The application list, and the labels below it, are wide enough for the
// longest name of the wizard's index ("Need for Speed Underground 2"); the
// sliders stand to their right.
constexpr int kListWidth = 2895;
constexpr int kBarLeft = 120 + kListWidth + 105;
constexpr int kBarWidth = 4215;
constexpr int kRightLabelLeft = kBarLeft + 2880;
constexpr int kEndLabelWidth = kBarLeft + kBarWidth - kRightLabelLeft;

// The three sliders' rows: their top, and the labels of their two ends.
struct BarRow {
  int top;
  int left_label, right_label;
};
constexpr BarRow kBarRows[] = {{480, 1, 2}, {1680, 5, 7}, {2280, 6, 8}};

}  // namespace

Form4::Form4(SeState& state, Form1& main) : ui::Form(state.app, "Form4"), st_(state), main_(main) {
  WriteD3D = [this](std::int16_t code, std::int32_t value) { WriteD3DSetting(st_, main_, code, value); };
  WriteOGL = [this](std::int16_t code, std::int32_t value) { WriteOGLSetting(st_, main_, code, value); };
  Design();
  SetBorderStyle(ui::BorderStyle::kFixedDialog);
  SetStartUpPosition(ui::StartUpPosition::kCenterOwner);

  Combo1.OnClick = [this] { Combo1_Click(); };
  Combo1.OnChange = [this] { Combo1_Change(); };
  for (ui::FlatScrollBar* bar : {&FlatScrollBar1, &FlatScrollBar2, &FlatScrollBar3}) {
    bar->OnChange = [this] { FlatScrollBar_Change(); };
    bar->OnScroll = [this] { FlatScrollBar_Change(); };
  }
  Check1.OnClick = [this] { Check1_Click(); };
  Command1.OnClick = [this] { Command1_Click(); };
  Command2.OnClick = [this] { Command2_Click(); };
}

void Form4::Design() {
  SetCaption("Performance Wizard");
  Move(0, 0, kBarLeft + kBarWidth + 360, 4110);

  Label1[0].Move(120, 120, kListWidth, kRow);
  Label1[0].SetCaption("Auto settings for:");
  Combo1.Move(120, 480, kListWidth, 315);
  Combo1.SetText("Default");
  Check1.Move(120, 1080, kListWidth, kRow);
  Check1.SetCaption("Fine Adjust");
  Label1[3].Move(120, 1680, kListWidth, kRow);
  Label1[3].SetCaption("Antialiasing");
  Label1[4].Move(120, 2280, kListWidth, kRow);
  Label1[4].SetCaption("Texture filtering");

  ui::FlatScrollBar* bars[] = {&FlatScrollBar1, &FlatScrollBar2, &FlatScrollBar3};
  for (int i = 0; i < 3; ++i) {
    const BarRow& row = kBarRows[i];
    bars[i]->Move(kBarLeft, row.top, kBarWidth, kRow);
    bars[i]->SetSmallChange(1);
    bars[i]->SetLargeChange(1);
    ui::Label& left = Label1[row.left_label];
    left.Move(kBarLeft, row.top - kRow, 1335, kRow);
    left.SetCaption("Performance");
    ui::Label& right = Label1[row.right_label];
    right.Move(kRightLabelLeft, row.top - kRow, kEndLabelWidth, kRow);
    right.SetCaption("Quality");
    right.SetAlignment(ui::Alignment::kRight);
  }
  FlatScrollBar1.SetMin(0);
  FlatScrollBar1.SetMax(9);
  FlatScrollBar1.SetValue(2);
  FlatScrollBar2.SetMin(0);
  FlatScrollBar2.SetMax(4);
  FlatScrollBar2.SetValue(0);
  FlatScrollBar3.SetMin(0);
  FlatScrollBar3.SetMax(4);
  FlatScrollBar3.SetValue(2);
  for (int i = 5; i <= 8; ++i) Label1[i].SetEnabled(false);

  Command1.Move(kBarLeft + kBarWidth - 1335 - 105 - 1455, 3120, 1455, kButton);
  Command1.SetCaption("Optimize");
  Command2.Move(kBarLeft + kBarWidth - 1335, 3120, 1335, kButton);
  Command2.SetCaption("Close");
}

void Form4::Form_Load() {
  // Without the index there is nothing to choose from: the window unloads
  // itself and does not open.
  if (!LoadWizardIndex()) {
    Unload();
    return;
  }
  SetCaption(st_.Lang(209));
  Label1[0].SetCaption(st_.Lang(210));
  Check1.SetCaption(st_.Lang(211));
  Label1[3].SetCaption(st_.Lang(212));
  Label1[4].SetCaption(st_.Lang(213));
  for (int i : {1, 5, 6}) Label1[i].SetCaption(st_.Lang(214));
  for (int i : {2, 7, 8}) Label1[i].SetCaption(st_.Lang(215));
  Command1.SetCaption(st_.Lang(216));
  Command2.SetCaption(st_.Lang(204));
}

void Form4::Combo1_Click() { Command1.SetEnabled(true); }

void Form4::Combo1_Change() { Command1.SetEnabled(true); }

void Form4::FlatScrollBar_Change() { Command1.SetEnabled(true); }

void Form4::Check1_Click() {
  const bool fine = Check1.Value() == ui::kChecked;
  for (int i = 3; i <= 8; ++i) Label1[i].SetEnabled(fine);
  FlatScrollBar2.SetEnabled(fine);
  FlatScrollBar3.SetEnabled(fine);
  Command1.SetEnabled(true);
}

void Form4::Command1_Click() { Optimize(); }

void Form4::Command2_Click() { Unload(); }

}  // namespace ks
