#include "tray/Form1.h"

#include "platform/processes.h"
#include "tray/settings.h"
#include "ui/design_scope.h"

namespace ks::travo {

Form1::Form1(TravoState& state) : ui::Form(state.app, "Form1"), st_(state) {
  ui::DesignScope design(app());
  SetCaption("Travonix");
  Move(0, 0, 4020, 4365);
  Frame1.Move(120, 120, 3735, 3015);
  Frame1.SetCaption("Select profile");
  List1.Move(120, 240, 3495, 2595);
  Command1[0].Move(120, 3240, 2175, 495);
  Command1[0].SetCaption("Activate profile");
  Command1[0].SetEnabled(false);
  Command1[1].Move(2400, 3240, 1455, 495);
  Command1[1].SetCaption("Close");
  List1.OnClick = [this] { List1_Click(); };
  List1.OnDblClick = [this] { List1_DblClick(); };
  Command1.OnClick = [this](int index) { Command1_Click(index); };
}

void Form1::Form_Load() {
  ApplyLanguage();
  PresetPath = GetSetting(st_.platform.registry(), kSettingsApp, kSettingsSection, kSettingsKey);
  FillPresetList();
}

void Form1::ApplyLanguage() {
  Frame1.SetCaption(st_.Lang(0));
  Command1[0].SetCaption(st_.Lang(1));
  Command1[1].SetCaption(st_.Lang(2));
}

std::string Form1::PresetFolder() {
  return PresetPath.empty() ? st_.ProgramFolder() + "\\DATA\\Presets" : PresetPath;
}

void Form1::FillPresetList() {
  NoPresets = 0;
  List1.Clear();
  // Exactly one separator between the folder and the name pattern: a
  // setting without a trailing separator still lists its own folder.
  std::string folder = PresetFolder();
  while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  const auto names = st_.platform.files().List(folder + "\\*.ksp");
  if (names.empty()) {
    List1.AddItem(st_.Lang(3));
    NoPresets = 1;
    return;
  }
  for (const std::string& name : names) List1.AddItem(name.size() >= 4 ? name.substr(0, name.size() - 4) : "");
}

void Form1::List1_Click() {
  if (NoPresets == 0) Command1[0].SetEnabled(true);
}

void Form1::List1_DblClick() {
  if (NoPresets == 1) return;
  Launch();
}

void Form1::Command1_Click(int index) {
  if (index == 0) {
    Launch();
  } else if (index == 1) {
    SaveSetting(st_.platform.registry(), kSettingsApp, kSettingsSection, kSettingsKey, PresetPath);
    Unload();
  }
}

void Form1::Launch() {
  const std::string folder = PresetFolder();
  auto& files = st_.platform.files();
  // The main program starts in the preset folder; a folder without a
  // drive letter (a network path) or one that is gone leaves the current
  // folder as it was.
  files.SetCurrentFolder(folder.substr(0, 2));
  files.SetCurrentFolder(folder);
  // The program path is quoted so that a folder with blanks cannot start
  // another program; the preset path follows unquoted, as the main program
  // takes its whole command line as one path.
  const std::string command = platform::QuotedProgram(st_.ProgramFolder() + "\\kestrelanese.exe") + " " + folder +
                              "\\" + List1.Text() + ".ksp";
  st_.platform.processes().StartProgram(command, platform::WindowStyle::kHide);
}

}  // namespace ks::travo
