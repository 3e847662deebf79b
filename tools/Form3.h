// Form3: the registry editor. Lists the values the value database names
// for the installed driver build, one page at a time (Direct3D, OpenGL,
// System), shows each one's description, suggested values and current
// value, and writes or deletes it. It shows no messages: every registry
// call is silent, and the value shown afterwards is what the registry holds.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "shell/se_state.h"
#include "tools/value_database.h"
#include "ui/ui.h"

namespace ks {

class Form3 : public ui::Form {
 public:
  explicit Form3(SeState& state);

  ui::ComboBox Combo1{*this, "Combo1"};  // page box
  // The current page; below the visible area, the user never sees them.
  ui::ControlArray<ui::OptionButton> Option1{*this, "Option1", 3};
  ui::ListBox List1{*this, "List1"};  // entry names, position = entry number
  ui::Frame Frame1{*this, "Frame1"};
  ui::Label Label1{Frame1, "Label1"};  // description
  ui::Frame Frame3{*this, "Frame3"};
  ui::Label Label2{Frame3, "Label2"};  // current value
  ui::Frame Frame2{*this, "Frame2"};
  ui::ListBox List2{Frame2, "List2"};  // suggested values
  ui::CheckBox Check1{Frame2, "Check1"};  // "User value"
  ui::TextBox Text1{Frame2, "Text1"};
  ui::CommandButton Command2{Frame2, "Command2"};  // "Write key"
  ui::CommandButton Command1{Frame2, "Command1"};  // "Delete key"
  ui::CommandButton Command3{*this, "Command3"};   // "Close"

  // --- window state ---
  std::string DatabaseName;
  std::vector<std::string> DatabaseFiles;
  std::array<DatabaseRecord, kEditorEntries> DatabaseEntry{};
  std::int32_t EntryCount = 0;

  // The selected page: 0 Direct3D, 1 OpenGL, 2 System.
  int Page() const;

  void FindDatabaseFile();
  void LoadDatabase();
  void ClearKeyView();
  void WriteKey();
  void DeleteKey();
  // Shows again what the registry holds for the selected entry, after
  // another part of the program wrote driver values while the window is
  // open (the main window's page refresh calls it). Nothing else changes;
  // with no entry selected it does nothing.
  void ShowSelectedValue();

  void Combo1_Click();
  void Option1_Click(int index);
  void List1_Click();
  void List2_Click();
  void Check1_Click();
  void Text1_Change();

 protected:
  void Form_Load() override;

 private:
  // The entry selected in List1, or null.
  const DatabaseRecord* SelectedEntry() const;
  EntryLocation Where(const DatabaseRecord& entry) const;
  void ShowCurrentValue(const DatabaseRecord& entry);
  void SetCaptionFromDatabase();

  SeState& st_;
};

// A whole decimal number fitting 32 bits ("-12"); surrounding blanks are
// allowed, nothing else is.
std::optional<std::int32_t> WholeNumber(const std::string& text);

}  // namespace ks
