#include "shell/Form2.h"

#include <string>

#include "shell/version.h"
#include "shell/weblink.h"

namespace ks {

namespace {
constexpr const char* kLinks[] = {kVendorSite, kMagazineSite, kProductSite};
constexpr const char* kLinkTips[] = {"NVIDIA", "Hardware magazine", "Kestrelane home page"};
}  // namespace

Form2::Form2(SeState& state) : ui::Form(state.app, "Form2"), st_(state) {
  SetCaption("About");
  Move(0, 0, 5415, 3240);
  SetBorderStyle(ui::BorderStyle::kFixedDialog);
  SetStartUpPosition(ui::StartUpPosition::kCenterOwner);
  Label1.Move(240, 240, 4815, 375);
  Label1.SetCaption("Kestrelane SE");
  Label2.Move(240, 660, 4815, 255);
  Label2.SetCaption("version: 1.0 build 0");
  Label11[0].Move(240, 1080, 4815, 255);
  Label11[0].SetCaption("Kestrelane is made by the Kestrelane team.");
  Label11[1].Move(240, 1380, 4815, 255);
  Label11[1].SetCaption("Contact: team@kestrelane.example");
  for (int i = 0; i < 3; ++i) {
    Image1[i].Move(240 + 1680 * i, 1800, 1455, 855);
    Image1[i].SetToolTipText(kLinkTips[i]);
    Image1[i].LoadPicture(st_.DataPath(std::string("\\data\\about\\link") + std::to_string(i) + ".jpg"));
  }
  Image1.OnClick = [this](int index) { Form2_Image1_Click(index); };
}

void Form2::Form_Load() {
  SetCaption(st_.Lang(245));
  Label2.SetCaption(st_.Lang(246) + std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor));
}

void Form2::Form2_Image1_Click(int index) {
  if (index < 0 || index > 2) return;
  OpenWebAddress(st_, 0, kLinks[index]);
}

}  // namespace ks
