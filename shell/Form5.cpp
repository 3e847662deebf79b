#include "shell/Form5.h"

#include "platform/processes.h"
#include "ui/design_scope.h"

namespace ks {

const std::array<HelpTopicRow, kHelpTopicCount> kHelpTopics{{
    {"Anisotropic filtering",
     "Higher degree of anisotropy makes textures (which are far away from view) more detailed."},
    {"Texture LOD bias",
     "Texture Level of Detail make mipmap textures more smooth (high values) or sharp (negative values) from "
     "orginal (zero value)."},
    {"Force mipmaps",
     "You can enable mipmaps for application that do not support it. Three options are for select - None if you "
     "dont want force mipmaps, Bilinear for better quality and good performance, Trilinear fot good quality and "
     "slow performance."},
    {"Image quality",
     "In this option you can select performance and quality enhancements settings. Select HIGH PERFORMANCE for "
     "best performance, PERFORMANCE for optimal performance and good image quality, QUALITY for optimal image "
     "quality and HIGH QUALITY for best image quality."},
    {"Mipmap filtering", "You can force mipmap filtering off for more sharpness textures. "},
    {"Filtering optimizations",
     "Filtering optimizations improves performance and have small impact on image quality. "},
    {"Anisotropic filtering",
     "Higher degree of anisotropy makes textures (which are far away from view) more detailed."},
    {"Vertical synchronization",
     "By enabling, remove image interference or horizontal banding effect caused by fast movements, but can "
     "decrease performace."},
    {"Prerender limit",
     "This option specify number of frames prepared before processing by GPU. High limit can increase "
     "performance, but can make input lag effect."},
    {"Z-buffer compression",
     "Z-buffer compression can save memory bandwidth wit 4 time Z-buffer data compression. This compression have "
     "no impact on image quality, because is lossless."},
    {"Fog-table emulation",
     "Disabling can increase performance a bit (only with TNT/2 graphics processors), but can produce visual "
     "artifacts on some applications."},
    {"S3TC texture compression",
     "This option forces texture compression alghoritm. By enabled gives better image quality in applications "
     "which use DXT1 compression, but can slightly reduce performance."},
    {"Dithering for DXT1 textures", "By disabling speed up performance, but cost some of image quality."},
    {"Textures color depth", "This option forced default bit depth for textures used in OpenGL applications."},
    {"Intellisample configuration",
     "This options override trilinear filtering quality and texture compression settings defined by selected "
     "Intellisample mode."},
}};

namespace {

constexpr const char* kLodPictures[] = {"\\data\\hs\\pic\\high_lod.jpg", "\\data\\hs\\pic\\normal_lod.jpg",
                                        "\\data\\hs\\pic\\low_lod.jpg"};
constexpr std::uint8_t kFadeStep = 5;

}  // namespace

Form5::Form5(SeState& state) : ui::Form(state.app, "Form5"), st_(state) {
  // Design-time values raise no logged events.
  ui::DesignScope design(app());
  SetCaption("Help System");
  Move(0, 0, 2895, 4860);
  SetBorderStyle(ui::BorderStyle::kFixedToolWindow);
  for (int i = 0; i < kHelpTopicCount; ++i) {
    ui::Frame& frame = Frame1[i];
    frame.Move(120, 120, 2535, 3735);
    frame.SetCaption(kHelpTopics[i].title);
    frame.SetVisible(false);
    ui::Label& text = Label1.LoadIn(frame, i);
    text.Move(120, 300, 2295, i == 1 || i == 4 ? 1335 : 2655);
    text.SetCaption(kHelpTopics[i].text);
  }
  Command1.Move(120, 3120, 2295, 495);
  Command1.SetCaption("Direct3D texture filtering tool");
  Image1.Move(120, 1680, 2295, 1095);
  Image1.SetStretch(true);
  static constexpr const char* kLodChoices[] = {"Negative values - quality", "Original (Zero value)",
                                                "High values - performance"};
  for (int i = 0; i < 3; ++i) {
    ui::OptionButton& option = Option1.LoadIn(Frame1[1], i);
    option.Move(120, 2820 + 285 * i, 2295, 255);
    option.SetCaption(kLodChoices[i]);
  }
  Option1[1].SetValue(true);
  Image2.Move(120, 1680, 2295, 1455);
  Image2.SetStretch(true);
  Label3.LoadIn(Frame1[4], 0).Move(120, 3240, 1095, 255);
  Label3[0].SetCaption("Enabled");
  Label3.LoadIn(Frame1[4], 1).Move(1320, 3240, 1095, 255);
  Label3[1].SetCaption("Disabled");
  Command2.Move(1560, 3960, 1095, 375);
  Command2.SetCaption("Close");
  Timer1.SetInterval(5);
  Timer1.SetEnabled(true);

  Timer1.OnTimer = [this] { Timer1_Timer(); };
  Command1.OnClick = [this] { Command1_Click(); };
  Command2.OnClick = [this] { Unload(); };
  Option1.OnClick = [this](int index) { Option1_Click(index); };
}

bool Form5::TranslucentForm(ui::Form& frm, std::uint8_t TranslucenceLevel) {
  // The model keeps the opacity; the renderer makes the window layered
  // where the system has layered windows and shows it opaque elsewhere.
  frm.SetOpacity(TranslucenceLevel);
  return true;
}

void Form5::Form_Load() {
  TranslucentForm(*this, 0);
  fade_level_ = 0;
  // Each load fades in again from the start.
  Timer1.SetEnabled(true);
  Image1.LoadPicture(st_.DataPath(kLodPictures[1]));
  Image2.LoadPicture(st_.DataPath("\\data\\hs\\pic\\mipmap.jpg"));
}

void Form5::Form_Unload(int& cancel) { st_.HelpTopic = 999; }

void Form5::Timer1_Timer() {
  fade_level_ = static_cast<std::uint8_t>(fade_level_ + kFadeStep);
  TranslucentForm(*this, fade_level_);
  if (fade_level_ == 255) Timer1.SetEnabled(false);
}

void Form5::Command1_Click() {
  // A missing viewer starts nothing; the help window goes on as it is.
  st_.platform.processes().StartProgram(platform::QuotedProgram(st_.DataPath("\\data\\tarrow.exe")),
                                        platform::WindowStyle::kNormalFocus);
}

void Form5::Option1_Click(int index) {
  if (index < 0 || index > 2) return;
  Image1.LoadPicture(st_.DataPath(kLodPictures[index]));
}

}  // namespace ks
