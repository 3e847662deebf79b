// Form6: the profile manager. Saves the driver's current values, an
// optional clock pair and an optional program as a preset, lists the saved
// presets and applies one when it is picked, and owns the tray launcher's
// start-with-Windows value. Its logic runs without the window being shown:
// the preset command line loads it hidden and calls LoadIt.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/autostart.h"
#include "shell/se_state.h"
#include "tools/value_database.h"
#include "ui/ui.h"

namespace ks {

class Form7;

class Form6 : public ui::Form {
 public:
  explicit Form6(SeState& state);

  ui::ControlArray<ui::Frame> Frame1{*this, "Frame1", 2};  // (0) saving, (1) loading
  ui::CheckBox Check1{*this, "Check1"};                     // tray launcher autostart
  ui::ControlArray<ui::Label> Label1{*this, "Label1"};
  ui::TextBox Text1{Frame1[0], "Text1"};  // profile name; during a load the preset's path
  ui::TextBox Text2{Frame1[0], "Text2"};  // program to start
  ui::TextBox Text3{Frame1[0], "Text3"};  // its folder (from the application picker)
  ui::CommandButton Command1{Frame1[0], "Command1"};  // "..."
  ui::CheckBox Check3{Frame1[0], "Check3"};           // include the clocks
  ui::TextBox Text4{Frame1[0], "Text4"};              // core clock, MHz
  ui::TextBox Text5{Frame1[0], "Text5"};              // memory clock, MHz
  ui::CheckBox Check2{Frame1[0], "Check2"};           // clear-all flag
  ui::CheckBox Check5{Frame1[0], "Check5"};           // restore flag
  ui::CommandButton Command4{Frame1[0], "Command4"};  // "Clear"
  ui::CommandButton Command3{Frame1[0], "Command3"};  // "Save"
  ui::ComboBox Combo4{Frame1[1], "Combo4"};           // saved presets
  ui::CommandButton Command2{*this, "Command2"};      // "Close"
  // The page FindDatabaseFile reads; below the visible area.
  ui::ControlArray<ui::OptionButton> Option1{*this, "Option1", 3};

  // --- window state ---
  std::string DatabaseName;
  std::vector<std::string> DatabaseFiles;
  // File names (with ".ksp") behind Combo4's items, by item index.
  std::vector<std::string> PresetList;
  std::int32_t RestoreFlag = 0;
  std::int32_t LoadingFlag = 0;

  // Refreshes the main window's pages from the driver (the readers); set by
  // the main window.
  std::function<void()> RefreshPages;
  // The application picker, which writes into Text2 and Text3; set by the
  // main window. It closes with this window.
  void SetPicker(Form7* picker) { picker_ = picker; }

  void FindDatabaseFile();
  // Saves the preset named in Text1; afterwards, saved or not, the list
  // shows the presets folder as it now is, the saved preset selected
  // (selecting it applies nothing).
  void SavePreset();
  void ListPresets();
  // Applies the preset in Text1 (or CmdPresetPath when that is set). Where
  // the setting writers are off (SeState::NvidiaAdapterMissing) it deletes
  // and writes no driver value and skips the clocks, says so once in a
  // message, and still starts the preset's program.
  void LoadIt();
  void DAOGL();
  void DAD3D();

  void Check1_Click();
  void Check3_Click();
  void Combo4_Click();
  void Command4_Click();
  void Command1_Click();
  void Text2_Change();

 protected:
  void Form_Load() override;
  void Form_Unload(int& cancel) override;

 private:
  // The autostart value's data: this folder's travo.exe, quoted.
  std::string AutostartPath() const;
  void WriteAutostart();
  // The names of the page's database file, as the file lists them.
  std::vector<std::string> DatabaseNames(int page);
  // Deletes every value the page's database file names, where LocateEntry
  // places it.
  void DeleteDatabaseValues(int page);
  void SelectPage(int page);
  // On Windows 9x: whether a stored name is one of this build's Direct3D
  // values (`names` caches the Direct3D database's short names).
  bool IsDirect3DName(const std::string& name, std::optional<std::vector<std::string>>* names);
  // The error path of a load: the message, then the window is hidden.
  void LoadFailed(const std::string& message);

  // What one load of a preset carries from item to item.
  struct PresetLoad {
    bool writers_off = false;   // no NVIDIA driver: no driver value is written
    bool card_matches = false;  // the preset's card is this one (or any card)
    bool clocks_set = false;    // a clock entry was applied
    std::int16_t saved_core = 0, saved_mem = 0;  // the clocks before it
    std::optional<std::vector<std::string>> d3d_names;  // read when first needed
  };
  // The kinds of item a preset holds, each applied by its own step.
  // The program entry, which ends the preset: starts `program` in `folder`
  // and, when the preset asks for it, restores the clocks once it ends.
  void StartPresetProgram(const std::string& program, const std::string& folder, const PresetLoad& load);
  // The clock entry ("core,memory"); false when the load stops (the message
  // is shown), true when it goes on, also after a skipped entry.
  bool ApplyClockItem(const std::string& value, PresetLoad& load);
  // A registry value; a pair that is no named number is skipped.
  void WriteValueItem(const std::string& name, const std::string& value, PresetLoad& load);
  void ResetClockBoxes();
  // ListPresets, then the preset file `file` (name and ".ksp") selected
  // when the folder holds it, without applying it.
  void ListPresetsSelecting(const std::string& file);

  SeState& st_;
  Form7* picker_ = nullptr;
  bool selecting_ = false;  // the program selects a list entry: Combo4_Click applies nothing
};

}  // namespace ks
