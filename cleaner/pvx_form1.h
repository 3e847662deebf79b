// pvx's main window (Form1): the profile's two file groups and their
// backups in four lists, the selected entry's location and version, the
// four buttons (search, delete selected, delete all, restore) and the
// backup switch, with the File and Help menus.
//
// Start-up (Start) loads the language, asks for a profile, reads it and
// readies the backup folders; the user then searches. A profile that fails
// its check lists nothing and offers nothing to delete.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cleaner/backup.h"
#include "cleaner/profile.h"
#include "cleaner/pvx_dialogs.h"
#include "cleaner/pvx_state.h"
#include "ui/ui.h"

namespace ks::pvx {

// Widths of the lists of group 1 with one and with two groups.
inline constexpr int kOneGroupListWidth = 3960;
inline constexpr int kTwoGroupListWidth = 2790;
// Paths the notice of files not deleted lists before it only counts them.
inline constexpr int kShownNotDeleted = 10;
// Text colours of the backup lists (0x00BBGGRR).
inline constexpr int kGroup1BackupColor = 0x0000FF;
inline constexpr int kGroup2BackupColor = 0xFF0000;

class Form1 : public ui::Form {
 public:
  explicit Form1(PvxState& state);

  // --- the windows it opens ---
  Form2 ProfileDialog;
  Form3 AboutBox;
  Form4 SearchNotice;

  // --- controls ---
  ui::Frame Frame2{*this, "Frame2"};  // "Info"
  ui::Label Label1{Frame2, "Label1"};
  ui::Image Image1{*this, "Image1"};
  ui::ControlArray<ui::Label> Label5{*this, "Label5", 4};
  ui::ListBox List1{*this, "List1"};
  ui::ListBox List2{*this, "List2"};
  ui::ListBox List3{*this, "List3"};
  ui::ListBox List4{*this, "List4"};
  // Full paths of the entries at the same index; never shown.
  ui::ListBox List1a{*this, "List1a"};
  ui::ListBox List2a{*this, "List2a"};
  ui::ListBox List3a{*this, "List3a"};
  ui::ListBox List4a{*this, "List4a"};
  ui::Label Label7{*this, "Label7"};
  ui::Label Label8{*this, "Label8"};
  ui::Label Label4{*this, "Label4"};
  ui::Label Label6{*this, "Label6"};
  ui::ControlArray<ui::CommandButton> Command1{*this, "Command1", 4};
  ui::CheckBox Check1{*this, "Check1"};
  ui::Frame Frame1{*this, "Frame1"};  // "File description"
  ui::Label Label2{Frame1, "Label2"};
  ui::Label Label3{Frame1, "Label3"};

  ui::Menu mnu_File{*this, "mnu_File"};
  ui::Menu mnu_Select{mnu_File, "mnu_Select"};
  ui::Menu mnu_separator2{mnu_File, "mnu_separator2"};
  ui::Menu mnu_Exit{mnu_File, "mnu_Exit"};
  ui::Menu mnu_Help{*this, "mnu_Help"};
  ui::Menu mnu_Manual{mnu_Help, "mnu_Manual"};
  ui::Menu mnu_Update{mnu_Help, "mnu_Update"};
  ui::Menu mnu_separator3{mnu_Help, "mnu_separator3"};
  ui::Menu mnu_About{mnu_Help, "mnu_About"};

  // --- the profile ---
  CleanerProfile Profile;
  // The profile passed its check: only then is anything listed or deleted.
  bool ProfileValid = false;
  RootFolders Roots;

  // --- state of the lists ---
  int SelectedList = 0;  // 1..4 for List1..List4; 0 before any click
  bool SelectionBusy = false;
  std::string FileVersionText;

  // Runs start-up: language, the profile dialog, the profile, captions,
  // backup folders, the manual's menu item and the first-run notice. False
  // when the user left the dialog without a profile: the program ends.
  bool Start();

  void ApplyLanguage();
  // Reads and checks ProfileName's profile, then lays out one or two groups.
  void LoadProfile();
  // Rebuilds the eight lists and the count labels.
  void SearchFiles();
  void GetFileVersionString(const std::string& path);
  // ProgramFolder\Manual\<code>_PVX_manual.htm of the current language.
  std::string ManualPath();

  void List_Click(int n);
  void Command1_Click(int index);
  void Check1_Click();
  void mnu_Select_Click();
  void mnu_Exit_Click();
  void mnu_Manual_Click();
  void mnu_Update_Click();
  void mnu_About_Click() { AboutBox.Show(true); }

 protected:
  void Form_Load() override;

 private:
  ui::ListBox& VisibleList(int n);
  ui::ListBox& PathList(int n);
  const std::string& BackupName(int group) const;
  std::string GroupBackupFolder(int group);
  // How group `group` is searched; nullopt when it has no files or its rule
  // cannot be used.
  std::optional<GroupSearch> GroupSearchOf(int group);
  // The folders of the loaded profile, resolved once (LoadProfile makes them).
  FolderGuards& Guards();
  // The backup switch as "PV_BackUp" stores it: REG_DWORD 1 ticked, 0
  // cleared; no value (a first start) is ticked.
  bool BackupSwitchStored();
  void CreateBackupFolders();
  void ClearFileLines();
  void DeleteSelected();
  void DeleteAll();
  void RestoreSelected();
  void FillGroup(int group, ui::ListBox& names, ui::ListBox& paths);
  void FillBackups(int group, ui::ListBox& names, ui::ListBox& paths);
  struct NotDeleted {
    std::string path;
    DeleteOutcome why;
  };
  // One notice for the files a delete left in place, short enough for the
  // screen: at most kShownNotDeleted paths, then how many more there are.
  void TellNotDeleted(const std::vector<NotDeleted>& kept);
  struct NotRestored {
    std::string copy;    // the backup copy's full path
    std::string target;  // where its index sends it ("" when it names nothing)
    RestoreOutcome why;
  };
  // One notice for the copies a restore left in the backup folder, each
  // with where it would have gone and why it did not (at most
  // kShownNotDeleted of them, then how many more there are).
  void TellNotRestored(const std::vector<NotRestored>& copies);
  // The folders backup copies may go back to: every folder a group of the
  // profile finds files in (GroupFolders).
  std::vector<std::string> HomeFolders();

  PvxState& st_;
  std::optional<FolderGuards> guards_;
};

}  // namespace ks::pvx
