// Form7: the application picker of the profile manager. A click on a file
// puts its folder into the profile manager's Text3; OK puts the file's path
// into its Text2. Once the profile manager is gone its writes do nothing.
#pragma once

#include "shell/se_state.h"
#include "ui/ui.h"

namespace ks {

class Form6;

class Form7 : public ui::Form {
 public:
  explicit Form7(SeState& state);

  ui::DriveListBox Drive1{*this, "Drive1"};
  ui::DirListBox Dir1{*this, "Dir1"};
  ui::FileListBox File1{*this, "File1"};
  ui::TextBox Text1{*this, "Text1"};
  ui::ControlArray<ui::CommandButton> Command2{*this, "Command2", 2};  // (0) Cancel, (1) OK

  void SetOwner(Form6* owner) { owner_ = owner; }

  void Drive1_Change();
  void Dir1_Change();
  void File1_Click();
  void Command2_Click(int index);

 protected:
  void Form_Load() override;

 private:
  // The profile manager while it is loaded, else null.
  Form6* Owner() const;

  SeState& st_;
  Form6* owner_ = nullptr;
};

// A folder and a name joined with one backslash ("c:\" + "x.exe" = "c:\x.exe").
std::string JoinFolder(const std::string& folder, const std::string& name);

}  // namespace ks
