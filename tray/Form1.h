// travo's preset window: lists the preset files of one folder and applies
// the chosen one by starting the main program, hidden, with the preset's
// path as its command line. travo never reads a preset itself.
//
// The folder is the per-user setting ("TRAVONIX", "Settings", "Path") when
// it holds one, else ProgramFolder & "\DATA\Presets". Close writes back the
// value read at load; the close box writes nothing.
#pragma once

#include <cstdint>
#include <string>

#include "tray/travo_state.h"
#include "ui/ui.h"

namespace ks::travo {

inline constexpr const char* kSettingsApp = "TRAVONIX";
inline constexpr const char* kSettingsSection = "Settings";
inline constexpr const char* kSettingsKey = "Path";

class Form1 : public ui::Form {
 public:
  explicit Form1(TravoState& state);

  ui::Frame Frame1{*this, "Frame1"};
  ui::ListBox List1{Frame1, "List1"};
  // 0: Activate (disabled until an entry is clicked), 1: Close.
  ui::ControlArray<ui::CommandButton> Command1{*this, "Command1", 2};

  // The setting "Path" as read at load; "" means the default folder.
  std::string PresetPath;
  // 1 while List1 holds only the placeholder entry.
  std::int32_t NoPresets = 0;

  void ApplyLanguage();
  // Refills List1 with the names (without ".ksp") of the folder's presets,
  // or the placeholder (slot 3) when there is none.
  void FillPresetList();
  void List1_Click();
  void List1_DblClick();
  void Command1_Click(int index);

  // The folder the presets are listed from and launched with.
  std::string PresetFolder();

 protected:
  void Form_Load() override;

 private:
  // Starts the main program hidden with the selected preset; a program
  // that cannot be started is passed over.
  void Launch();

  TravoState& st_;
};

}  // namespace ks::travo
