#include "viewer/Form1.h"

#include "common/numbers.h"
#include "viewer/Form2.h"
#include "viewer/form1_design.h"
#include "ui/design_scope.h"

namespace ks::viewer {

Form1::Form1(ViewerState& state) : ui::Form(state.app, "Form1"), st_(state), module1_(state) {
  // Design-time values raise no logged events (and no handler is wired yet).
  {
    ui::DesignScope design(app());
    Design();
  }
  Wire();
  if (st_.edition.preview) form2_ = std::make_unique<Form2>(st_, Picture1, Label8);
}

Form1::~Form1() = default;

void Form1::Design() {
  const bool bars = st_.edition.depth_bars;
  SetCaption(st_.edition.caption);
  Move(0, 0, kFormWidth, kFormHeight);
  for (int i = 0; i < 3; ++i) Check2.LoadIn(Frame1, i).SetCaption(i == 0 ? "X" : i == 1 ? "Y" : "Z");
  Check5.LoadIn(Frame1, 0).SetCaption("N.1");
  Check5.LoadIn(Frame1, 1).SetCaption("N.2");
  for (const CaptionRow& row : kLabel7Captions)
    if (bars || !row.depth_bars_only) Label7.LoadIn(Frame1, row.index).SetCaption(row.caption);
  if (bars) {
    VScroll1 = std::make_unique<ui::FlatScrollBar>(Frame1, "VScroll1", ui::Orientation::kVertical);
    HScroll1 = std::make_unique<ui::FlatScrollBar>(Frame1, "HScroll1", ui::Orientation::kHorizontal);
    Label12 = std::make_unique<ui::Label>(Frame1, "Label12");
    Label12->SetCaption("max anisotropy");
    for (ui::FlatScrollBar* bar : {VScroll1.get(), HScroll1.get()}) {
      bar->SetMin(1);
      bar->SetMax(100);
      bar->SetValue(100);
      bar->SetLargeChange(10);
    }
  }
  for (const PlaceRow& row : kPlaces)
    if (ui::Control* c = Find(row.name, row.index)) c->Move(row.left, row.top, row.width, row.height);
  if (bars)
    for (const LabelStandIn& label : kDepthBarLabels) Label7[label.hidden].SetVisible(false);

  Combo1.SetText("General");
  for (int k = 1; k < 5; ++k) List1[k].SetVisible(false);
  Picture2.SetVisible(false);
  Label6.SetCaption("Number of adapters: ");
  Label11.SetCaption("Log file created failed");
  Frame1.SetCaption("Test your texture filtering and AA settings:");
  Combo2.SetText("Bilinear");
  Combo2.AddItem("Point sampling");
  Combo2.AddItem("Bilinear");
  Combo3.SetText(kTextures[0].item);
  Combo4.SetText(kCullItems[0]);
  Combo5.SetText(kFillItems[0]);
  Combo6.SetText(kDepthItems[1]);
  Check1.SetCaption("Dynamic background");
  Check1.SetValue(ui::kChecked);
  for (int i = 0; i < 3; ++i) Check2[i].SetValue(ui::kChecked);
  Check3.SetCaption("Auto LOD");
  Check4.SetCaption("Freeze picture");
  Check5[0].SetValue(ui::kChecked);
  Check5[1].SetValue(ui::kChecked);
  Check6.SetCaption("Enable MipMaping");
  Check6.SetValue(ui::kChecked);
  Check7.SetCaption("Multitexture");
  Check8.SetCaption("Colored lights");
  HScroll2.SetMin(30);
  HScroll2.SetMax(180);
  HScroll2.SetValue(40);
  HScroll2.SetLargeChange(10);
  HScroll3.SetMin(10);
  HScroll3.SetMax(50);
  HScroll3.SetValue(50);
  HScroll3.SetLargeChange(5);
  Label9.SetCaption("FPS:");
  Label10.SetCaption("Number of vertices: 100");
}

void Form1::Wire() {
  Combo1.OnClick = [this] { Combo1_Click(); };
  Combo2.OnClick = [this] { Combo2_Click(); };
  Combo3.OnClick = [this] { Combo3_Click(); };
  Combo4.OnClick = [this] { Combo4_Click(); };
  Combo5.OnClick = [this] { Combo5_Click(); };
  Combo6.OnClick = [this] { Combo6_Click(); };
  Check1.OnClick = [this] { Check1_Click(); };
  Check2.OnClick = [this](int i) { Check2_Click(i); };
  Check3.OnClick = [this] { Check3_Click(); };
  Check4.OnClick = [this] { Check4_Click(); };
  Check5.OnClick = [this](int i) { Check5_Click(i); };
  Check6.OnClick = [this] { Check6_Click(); };
  Check7.OnClick = [this] { Check7_Click(); };
  Check8.OnClick = [this] { Check8_Click(); };
  HScroll2.OnChange = HScroll2.OnScroll = [this] { HScroll2_Change(); };
  HScroll3.OnChange = HScroll3.OnScroll = [this] { HScroll3_Change(); };
  if (VScroll1) VScroll1->OnChange = VScroll1->OnScroll = [this] { VScroll1_Change(); };
  if (HScroll1) HScroll1->OnChange = HScroll1->OnScroll = [this] { HScroll1_Change(); };
}

void Form1::Form_Load() {
  PreviewSettings& p = st_.preview;
  p.TextureName = st_.edition.start_texture;
  module1_.InitDirect3D(app().WindowHandle(Picture2), 0, static_cast<std::int32_t>(platform::kDevTypeHal), nullptr);
  app().DoEvents();
  if (st_.edition.noaf_switch && st_.CommandLine == "noaf") {
    Combo2.SetEnabled(false);
    FilterLabel().SetEnabled(false);
  }
  for (const TextureRow& row : kTextures) Combo3.AddItem(row.item);
  for (const char* item : kCullItems) Combo4.AddItem(item);
  for (const char* item : kFillItems) Combo5.AddItem(item);
  for (const char* item : kDepthItems) Combo6.AddItem(item);
  ListDeviceCaps();
  if (!Loaded()) return;  // lumacap: the report closed the window
  // The renderer's form is never seen: loading it starts the preview.
  if (form2_) form2_->Load();
}

void Form1::Form_Unload(int& cancel) {
  if (form2_) form2_->Unload();
}

void Form1::Rebuild() {
  if (form2_ && form2_->Loaded()) form2_->InitGeometry();
}

void Form1::Draw() {
  if (form2_ && form2_->Loaded()) form2_->Render();
}

void Form1::ShowVertexCount() {
  Label10.SetCaption("Number of vertices: " + IntToText(2LL * st_.preview.VertexCount));
}

void Form1::Combo1_Click() {
  for (int k = 0; k < 5; ++k) List1[k].SetVisible(false);
  const int page = Combo1.ListIndex();
  if (List1.Has(page)) List1[page].SetVisible(true);
}

void Form1::Combo2_Click() {
  static constexpr std::int32_t kLevels[] = {0, 1, 2, 4, 8, 16};
  const int index = Combo2.ListIndex();
  st_.preview.FilterLevel = index >= 0 && index < 6 ? kLevels[index] : index;
  Rebuild();
  Draw();
}

void Form1::Combo3_Click() {
  const int index = Combo3.ListIndex();
  if (index >= 0 && index < static_cast<int>(kTextures.size())) st_.preview.TextureName = kTextures[index].file;
  Rebuild();
  Draw();
}

void Form1::Combo4_Click() {
  const int index = Combo4.ListIndex();
  if (index >= 0 && index <= 2 && form2_ && form2_->Loaded()) form2_->Culling(index);
}

void Form1::Combo5_Click() {
  const int index = Combo5.ListIndex();
  if (index >= 0 && index <= 2 && form2_ && form2_->Loaded()) form2_->FillModeX(index);
}

void Form1::Combo6_Click() {
  const int index = Combo6.ListIndex();
  if (index >= 0 && index <= 2 && form2_ && form2_->Loaded()) form2_->DepthBufferX(index);
}

void Form1::Check1_Click() { st_.preview.BackgroundFlag += Check1.Value() == ui::kChecked ? -2 : 2; }

void Form1::Check2_Click(int index) {
  if (index >= 0 && index < 3) st_.preview.RotationAxis[index] = Check2[index].Value() == ui::kChecked ? 1.0f : 0.0f;
}

// The vertex count the zoom bar gives with "Auto LOD": value / 4 + 5, a
// half going to the even neighbour (30 gives 12).
static std::int32_t AutoVertexCount(int zoom) { return ToInt32(zoom / 4.0 + 5.0).value_or(50); }

void Form1::Check3_Click() {
  PreviewSettings& p = st_.preview;
  p.AutoLod = Check3.Value();
  const bool automatic = Check3.Value() == ui::kChecked;
  p.VertexCount = automatic ? AutoVertexCount(HScroll2.Value()) : HScroll3.Value();
  HScroll3.SetEnabled(!automatic);
  Label7[6].SetEnabled(!automatic);
  ShowVertexCount();
  Rebuild();
  Draw();
}

void Form1::Check4_Click() {
  PreviewSettings& p = st_.preview;
  if (Check4.Value() == ui::kChecked) {
    if (form2_) form2_->Timer1.SetEnabled(false);
    p.HoldRotation = 1;
    // The time of day in whole seconds, the clock the rotation runs on.
    p.HoldSeconds = ToInt32(platform::SecondsSinceMidnight(st_.platform.system().GetLocalTime())).value_or(0);
  } else {
    if (form2_) form2_->Timer1.SetEnabled(true);
    p.HoldRotation = 0;
  }
}

void Form1::Check5_Click(int index) {
  if (index == 1)
    st_.preview.ColourFlagB = Check5[1].Value();
  else
    st_.preview.ColourFlagA = Check5[index].Value();
  Rebuild();
  Draw();
}

ui::Label& Form1::FilterLabel() {
  return Label7[st_.edition.depth_bars ? kDepthBarFilterLabel : kFilterLabel];
}

void Form1::Check6_Click() {
  st_.preview.MipMapping = Check6.Value();
  const bool on = st_.preview.MipMapping == 1;
  Combo2.SetEnabled(on);
  Label7[kFilterLabel].SetEnabled(on);
  FilterLabel().SetEnabled(on);
  Rebuild();
  Draw();
}

void Form1::Check7_Click() {
  st_.preview.MultiTexture = Check7.Value();
  Rebuild();
  Draw();
  app().DoEvents();
}

void Form1::Check8_Click() {
  PreviewSettings& p = st_.preview;
  if (Check8.Value() == ui::kChecked) {
    p.VertexColourA = 0x08A589;
    p.VertexColourB = 0x938001;
  } else {
    p.VertexColourA = 0xFFFFFFFF;
    p.VertexColourB = 0xFF808080;
  }
  Rebuild();  // the next frame shows it
}

void Form1::HScroll2_Change() {
  PreviewSettings& p = st_.preview;
  p.FovDivisor = static_cast<float>(HScroll2.Value() / 10.0);
  if (p.AutoLod == 1) {
    p.VertexCount = AutoVertexCount(HScroll2.Value());
    ShowVertexCount();
    Rebuild();
  }
  Draw();
}

void Form1::HScroll3_Change() {
  st_.preview.VertexCount = HScroll3.Value();
  ShowVertexCount();
  Rebuild();
  Draw();
}

void Form1::VScroll1_Change() {
  st_.preview.DepthA = static_cast<float>(VScroll1->Value() / 100.0);
  Rebuild();
}

void Form1::HScroll1_Change() {
  st_.preview.DepthB = static_cast<float>(HScroll1->Value() / 100.0);
  Rebuild();
}

}  // namespace ks::viewer
