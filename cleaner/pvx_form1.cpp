#include "cleaner/pvx_form1.h"

#include <algorithm>
#include <set>

#include "cleaner/backup.h"
#include "cleaner/file_version.h"
#include "cleaner/search.h"
#include "common/paths.h"
#include "platform/names.h"
#include "platform/processes.h"
#include "ui/design_scope.h"

namespace ks::pvx {

namespace {

constexpr int kListTop = 1440, kListHeight = 1815;
constexpr int kBackupListTop = 3600;
constexpr int kSecondColumn = 3030;
// The group labels end where their lists begin.
constexpr int kGroupLabelHeight = 255;

}  // namespace

Form1::Form1(PvxState& state)
    : ui::Form(state.app, "Form1"), ProfileDialog(state), AboutBox(state), SearchNotice(state), st_(state) {
  ui::DesignScope design(app());  // design-time values raise no logged events
  SetCaption(kPvxCaption);
  Move(0, 0, 9120, 8160);
  Frame2.Move(120, 60, 8760, 1035);
  Frame2.SetCaption("Info");
  Label1.Move(120, 240, 8520, 735);
  Label1.SetCaption(
      "Welcome to Kestrelane driver cleaner. This utility allows you to delete all ForceWare drivers files from "
      "system directory.");
  static constexpr const char* kGroupCaptions[] = {"Driver files:", "nView files:", "Driver files in BackUp:",
                                                   "nView files in BackUp:"};
  for (int i = 0; i < 4; ++i) {
    Label5[i].Move(i % 2 == 0 ? 120 : kSecondColumn, (i < 2 ? kListTop : kBackupListTop) - kGroupLabelHeight,
                   kTwoGroupListWidth, kGroupLabelHeight);
    Label5[i].SetCaption(kGroupCaptions[i]);
  }
  List1.Move(120, kListTop, kTwoGroupListWidth, kListHeight);
  List2.Move(kSecondColumn, kListTop, kTwoGroupListWidth, kListHeight);
  List3.Move(120, kBackupListTop, kTwoGroupListWidth, kListHeight);
  List4.Move(kSecondColumn, kBackupListTop, kTwoGroupListWidth, kListHeight);
  List3.SetForeColor(kGroup1BackupColor);
  List4.SetForeColor(kGroup2BackupColor);
  for (ui::ListBox* hidden : {&List1a, &List2a, &List3a, &List4a}) {
    hidden->Move(0, 0, 100, 100);
    hidden->SetVisible(false);
  }
  Label7.Move(120, 5475, kTwoGroupListWidth, 255);
  Label8.Move(kSecondColumn, 5475, kTwoGroupListWidth, 255);
  Label4.Move(120, 5790, 5700, 255);
  static constexpr const char* kButtons[] = {"Search files", "Delete selected file", "Delete all files",
                                             "Restore selected file"};
  for (int i = 0; i < 4; ++i) {
    Command1[i].Move(6000, kListTop + i * 480, 2880, 375);
    Command1[i].SetCaption(kButtons[i]);
    Command1[i].SetEnabled(i == 0);
  }
  Check1.Move(6000, 3420, 2880, 495);
  Check1.SetCaption("Create backup before delete file");
  Image1.Move(6720, 4020, 1455, 1455);
  Image1.SetStretch(true);
  Label6.Move(6000, 5790, 2880, 255);
  Label6.SetAlignment(ui::Alignment::kRight);
  Frame1.Move(120, 6120, 8760, 1155);
  Frame1.SetCaption("File description");
  Label2.Move(120, 270, 8520, 375);
  Label2.SetCaption("Location: ");
  Label3.Move(120, 690, 8520, 375);
  Label3.SetCaption("Version: ");

  mnu_File.SetCaption("File");
  mnu_Select.SetCaption("Select cleaner profile ...");
  mnu_separator2.SetCaption("-");
  mnu_Exit.SetCaption("Exit");
  mnu_Help.SetCaption("Help");
  mnu_Manual.SetCaption("User manual");
  mnu_Update.SetCaption("Check for updates ...");
  mnu_separator3.SetCaption("-");
  mnu_About.SetCaption("About");

  List1.OnClick = [this] { List_Click(1); };
  List2.OnClick = [this] { List_Click(2); };
  List3.OnClick = [this] { List_Click(3); };
  List4.OnClick = [this] { List_Click(4); };
  Command1.OnClick = [this](int index) { Command1_Click(index); };
  Check1.OnClick = [this] { Check1_Click(); };
  mnu_Select.OnClick = [this] { mnu_Select_Click(); };
  mnu_Exit.OnClick = [this] { mnu_Exit_Click(); };
  mnu_Manual.OnClick = [this] { mnu_Manual_Click(); };
  mnu_Update.OnClick = [this] { mnu_Update_Click(); };
  mnu_About.OnClick = [this] { mnu_About_Click(); };
}

// ---------------------------------------------------------------------------
// Start-up and the main window's load step

void Form1::Form_Load() {
  auto& sys = st_.platform.system();
  Roots = MakeRootFolders(sys.GetEnvironmentVariable("windir"), sys.GetEnvironmentVariable("OS"),
                          sys.GetSystemDirectory(), st_.platform.files().ProgramFolder(), sys.GetWindowsDirectory());
  Check1.SetValue(BackupSwitchStored() ? ui::kChecked : ui::kUnchecked);
  SelectionBusy = false;
  Image1.LoadPicture(st_.DataPath("\\data\\cleaner\\pvx.bmp"));
}

bool Form1::Start() {
  st_.language.LoadLanguage();
  ProfileDialog.Show(true);
  // Exit and the close box of the dialog end the program: without a
  // profile there is nothing the main window could do.
  if (!ProfileDialog.Chosen() || st_.ProfileName.empty()) return false;
  Load();
  SetCaption(ProfileDialog.ChosenCaption);
  LoadProfile();
  ApplyLanguage();
  CreateBackupFolders();
  mnu_Manual.SetEnabled(st_.platform.files().FileExists(ManualPath()));
  if (st_.reg.ReadRegValue(kHkeyCurrentUser, kProductKey, "PV_1W").NumberOr(0) == 0) {
    st_.app.MsgBox(st_.Lang(33), platform::kMbOk | platform::kMbIconInformation, st_.Lang(32));
    st_.reg.WriteRegValue(kHkeyCurrentUser, kProductKey, "PV_1W", 1);
  }
  return true;
}

void Form1::ApplyLanguage() {
  Frame2.SetCaption(st_.Lang(2));
  Label1.SetCaption(st_.Lang(3) + Profile.ProfileDescription);
  Command1[0].SetCaption(st_.Lang(4));
  Command1[1].SetCaption(st_.Lang(5));
  Command1[2].SetCaption(st_.Lang(6));
  Frame1.SetCaption(st_.Lang(7));
  Label2.SetCaption(st_.Lang(8));
  Label3.SetCaption(st_.Lang(9));
  Label5[0].SetCaption(Profile.GroupLabel1 + st_.Lang(11) + ":");
  Label5[1].SetCaption(Profile.GroupLabel2 + st_.Lang(11) + ":");
  Label5[2].SetCaption(Profile.GroupLabel1 + st_.Lang(12) + ":");
  Label5[3].SetCaption(Profile.GroupLabel2 + st_.Lang(12) + ":");
  Label4.SetCaption("");
  Label7.SetCaption("");
  Label8.SetCaption("");
  mnu_File.SetCaption(st_.Lang(23));
  mnu_Select.SetCaption(st_.Lang(24));
  mnu_Exit.SetCaption(st_.Lang(25));
  mnu_Manual.SetCaption(st_.Lang(26));
  mnu_Update.SetCaption(st_.Lang(27));
  mnu_About.SetCaption(st_.Lang(28));
  mnu_Help.SetCaption(st_.Lang(29));
  Command1[3].SetCaption(st_.Lang(30));
  Check1.SetCaption(st_.Lang(31));
}

void Form1::LoadProfile() {
  std::string bytes;
  const bool read = st_.platform.files().ReadFile(st_.DataPath("\\data\\cleaner\\") + st_.ProfileName, &bytes);
  // A profile that cannot be read is no profile: nothing of an earlier one
  // is carried over into it.
  Profile = read ? ParseCleanerProfile(bytes) : CleanerProfile{};
  // The profile's folders are resolved once, here; its searches take them.
  guards_.emplace(st_.platform.files(), Roots);
  const std::string fault = read ? ProfileFault(*guards_, Profile) : "the file cannot be read";
  ProfileValid = fault.empty();
  if (!ProfileValid) {
    // The user is told why, so that the profile can be mended.
    st_.app.MsgBox(st_.Lang(16) + st_.ProfileName + "\r\n" + fault, platform::kMbOk | platform::kMbIconStop,
                   st_.Lang(17));
    Command1[1].SetEnabled(false);
    Command1[2].SetEnabled(false);
    Command1[3].SetEnabled(false);
  }
  const bool two_groups = !Profile.GroupLabel2.empty();
  for (ui::Control* c : std::initializer_list<ui::Control*>{&Label5[1], &Label5[3], &Label8, &List2, &List4})
    c->SetVisible(two_groups);
  const int width = two_groups ? kTwoGroupListWidth : kOneGroupListWidth;
  List1.SetWidth(width);
  List3.SetWidth(width);
}

void Form1::CreateBackupFolders() {
  if (!ProfileValid) return;
  auto& files = st_.platform.files();
  // The folders usually exist already; a failure here shows at the first backup.
  files.CreateFolder(st_.DataPath("\\Data\\cleaner"));
  files.CreateFolder(st_.DataPath("\\Data\\cleaner\\backup"));
  for (const std::string& name : {Profile.BackupFolder1, Profile.BackupFolder2})
    if (IsPlainName(name)) files.CreateFolder(BackupFolderPath(files, name));
}

std::string Form1::ManualPath() {
  const std::string& code = st_.language.LangCode;
  const std::string prefix = code.empty() || code == "en" ? "en_" : code + "_";
  return st_.DataPath("\\Manual\\") + prefix + "PVX_manual.htm";
}

// ---------------------------------------------------------------------------
// Lists

ui::ListBox& Form1::VisibleList(int n) {
  ui::ListBox* lists[] = {&List1, &List2, &List3, &List4};
  return *lists[n - 1];
}

ui::ListBox& Form1::PathList(int n) {
  ui::ListBox* lists[] = {&List1a, &List2a, &List3a, &List4a};
  return *lists[n - 1];
}

const std::string& Form1::BackupName(int group) const {
  return group == 1 ? Profile.BackupFolder1 : Profile.BackupFolder2;
}

std::string Form1::GroupBackupFolder(int group) { return BackupFolderPath(st_.platform.files(), BackupName(group)); }

FolderGuards& Form1::Guards() {
  if (!guards_) guards_.emplace(st_.platform.files(), Roots);
  return *guards_;
}

std::optional<GroupSearch> Form1::GroupSearchOf(int group) {
  const std::string& kind = group == 1 ? Profile.GroupKind1 : Profile.GroupKind2;
  if (kind.empty()) return std::nullopt;
  return ParseGroup(Guards(), kind, group == 1 ? Profile.GroupSpec1 : Profile.GroupSpec2);
}

void Form1::FillGroup(int group, ui::ListBox& names, ui::ListBox& paths) {
  names.Clear();
  paths.Clear();
  if (!ProfileValid) return;
  const auto search = GroupSearchOf(group);
  if (!search) return;
  ListFileStatus list_status = ListFileStatus::kRead;
  for (const FoundFile& f : FindGroupFiles(Guards(), *search, &list_status)) {
    names.AddItem(f.name);
    paths.AddItem(f.path);
  }
  if (list_status == ListFileStatus::kWideText) {
    st_.app.MsgBox("The list file\r\n" + ListFilePath(st_.platform.files(), search->list_file) +
                       "\r\nis saved as UTF-16 text, which pvx cannot read: nothing of it is listed. Save it as "
                       "ANSI text.",
                   platform::kMbOk | platform::kMbIconExclamation);
  }
}

void Form1::FillBackups(int group, ui::ListBox& names, ui::ListBox& paths) {
  names.Clear();
  paths.Clear();
  if (!ProfileValid) return;
  for (const FoundFile& f : FindBackupCopies(st_.platform.files(), BackupName(group))) {
    names.AddItem(f.name);
    paths.AddItem(f.path);
  }
}

void Form1::SearchFiles() {
  FillGroup(1, List1, List1a);
  FillGroup(2, List2, List2a);
  Label4.SetCaption(st_.Lang(10) + std::to_string(List1.ListCount() + List2.ListCount()));
  FillBackups(1, List3, List3a);
  Label7.SetCaption(Profile.GroupLabel1 + st_.Lang(12) + ": " + std::to_string(List3.ListCount()));
  FillBackups(2, List4, List4a);
  Label8.SetCaption(Profile.GroupLabel2 + st_.Lang(12) + ": " + std::to_string(List4.ListCount()));
}

void Form1::GetFileVersionString(const std::string& path) {
  ks::GetFileVersionString(st_.platform.version(), path, &FileVersionText);
}

void Form1::List_Click(int n) {
  if (SelectionBusy) return;
  ui::ListBox& list = VisibleList(n);
  const int index = list.ListIndex();
  SelectedList = n;
  Label6.SetCaption(std::to_string(n));
  SelectionBusy = true;
  for (int other = 1; other <= 4; ++other)
    if (other != n) VisibleList(other).SetListIndex(-1);
  SelectionBusy = false;
  if (index < 0) return;
  const std::string path = PathList(n).List(index);
  if (n <= 2) {
    Command1[1].SetEnabled(true);
    Command1[2].SetEnabled(true);
    Command1[3].SetEnabled(false);
    Label2.SetCaption(st_.Lang(8) + path);
  } else {
    Label2.SetCaption(st_.Lang(8) + BackupName(n - 2));
    Command1[1].SetEnabled(true);
    Command1[3].SetEnabled(true);
  }
  FileVersionText.clear();
  GetFileVersionString(path);
  Label3.SetCaption(st_.Lang(9) + FileVersionText);
}

// ---------------------------------------------------------------------------
// The buttons

void Form1::Command1_Click(int index) {
  switch (index) {
    case 0:
      SearchNotice.Show();
      app().DoEvents();
      SearchFiles();
      Command1[2].SetEnabled(ProfileValid);
      Command1[1].SetEnabled(false);
      SearchNotice.Unload();
      break;
    case 1:
      DeleteSelected();
      break;
    case 2:
      DeleteAll();
      break;
    case 3:
      RestoreSelected();
      break;
    default:
      break;
  }
}

void Form1::ClearFileLines() {
  Label2.SetCaption(st_.Lang(8));
  Label3.SetCaption(st_.Lang(9));
}

void Form1::TellNotDeleted(const std::vector<NotDeleted>& kept) {
  if (kept.empty()) return;
  std::string text = "These files were not deleted:";
  const size_t shown = std::min(kept.size(), static_cast<size_t>(kShownNotDeleted));
  for (size_t i = 0; i < shown; ++i) {
    const DeleteOutcome why = kept[i].why;
    text += "\r\n" + kept[i].path +
            (why == DeleteOutcome::kBackupFailed ? " (no backup copy could be made)"
             : why == DeleteOutcome::kLink       ? " (it or its folder is a link, which pvx does not follow)"
                                                 : " (it could not be deleted)");
  }
  if (kept.size() > shown) text += "\r\n... and " + std::to_string(kept.size() - shown) + " more.";
  st_.app.MsgBox(text, platform::kMbOk | platform::kMbIconExclamation);
}

namespace {

struct RestoreReason {
  RestoreOutcome outcome;
  const char* text;
};
constexpr RestoreReason kRestoreReasons[] = {
    {RestoreOutcome::kIndexMissing, "its index file is missing, so where the file came from is not known."},
    {RestoreOutcome::kIndexUnreadable, "its index file cannot be read."},
    {RestoreOutcome::kIndexEmpty, "its index file is empty, so where the file came from is not known."},
    {RestoreOutcome::kIndexCutOff, "its index file is cut off: the path in it has no closing quote."},
    {RestoreOutcome::kIndexWideText,
     "its index file is saved as UTF-16 text, which pvx cannot read. Save it as ANSI text."},
    {RestoreOutcome::kIndexNotAPath, "its index file names no full path."},
    {RestoreOutcome::kNoFileName, "that is no name a file can be restored to."},
    {RestoreOutcome::kOtherFile, "that is another file than the one this copy was made from."},
    {RestoreOutcome::kNotCleaned, "that is not in a folder this profile cleans."},
    {RestoreOutcome::kLink, "the copy, that file or a folder on the way is a link, which pvx does not follow."},
    {RestoreOutcome::kFolderGone, "that folder no longer exists, and restoring does not create folders."},
    {RestoreOutcome::kCopyBackFailed, "the copy could not be written there (the file may be in use or read-only)."},
    {RestoreOutcome::kCleanUpFailed, "the backup copy or its index file could not be deleted."},
};

const char* RestoreReasonText(RestoreOutcome outcome) {
  for (const RestoreReason& r : kRestoreReasons)
    if (r.outcome == outcome) return r.text;
  return "it could not be restored.";
}

}  // namespace

void Form1::TellNotRestored(const std::vector<NotRestored>& copies) {
  // Copies put back whose copy stayed are told apart from copies refused.
  std::vector<const NotRestored*> refused, left;
  for (const NotRestored& c : copies) (c.why == RestoreOutcome::kCleanUpFailed ? left : refused).push_back(&c);
  std::string text;
  auto add = [&](const std::vector<const NotRestored*>& group, const char* one, const char* many) {
    if (group.empty()) return;
    if (!text.empty()) text += "\r\n\r\n";
    text += group.size() == 1 ? one : many;
    const size_t shown = std::min(group.size(), static_cast<size_t>(kShownNotDeleted));
    for (size_t i = 0; i < shown; ++i) {
      const NotRestored& c = *group[i];
      text += "\r\n" + c.copy + "\r\n    to " + (c.target.empty() ? std::string("(not known)") : c.target) +
              "\r\n    " + RestoreReasonText(c.why);
    }
    if (group.size() > shown) text += "\r\n... and " + std::to_string(group.size() - shown) + " more.";
  };
  add(refused, "This backup copy was not restored:", "These backup copies were not restored:");
  add(left, "This file was restored, but its backup copy stays in the backup folder:",
      "These files were restored, but their backup copies stay in the backup folder:");
  if (!text.empty()) st_.app.MsgBox(text, platform::kMbOk | platform::kMbIconExclamation);
}

std::vector<std::string> Form1::HomeFolders() {
  // A file of a folder that both groups clean may have been backed up by
  // either, and a profile may have changed since: a copy goes back into any
  // folder the profile cleans, and nowhere else.
  std::vector<std::string> homes;
  for (int g = 1; g <= 2; ++g) {
    const auto search = GroupSearchOf(g);
    if (!search) continue;
    for (std::string& folder : GroupFolders(Guards(), *search)) homes.push_back(std::move(folder));
  }
  return homes;
}

void Form1::DeleteSelected() {
  if (!ProfileValid || SelectedList < 1 || SelectedList > 4) return;
  ui::ListBox& list = VisibleList(SelectedList);
  const int index = list.ListIndex();
  if (index >= 0) {
    const std::string name = list.List(index);
    const std::string path = PathList(SelectedList).List(index);
    if (st_.app.MsgBox(st_.Lang(13) + name + "?", platform::kMbOkCancel, st_.Lang(5)) == platform::kIdOk) {
      auto& files = st_.platform.files();
      if (SelectedList <= 2) {
        const bool backup = Check1.Value() == ui::kChecked;
        const DeleteOutcome done = DeleteFileWithBackup(files, path, backup, GroupBackupFolder(SelectedList));
        if (done != DeleteOutcome::kDeleted) TellNotDeleted({{path, done}});
      } else {
        RemoveBackupCopy(files, path);
      }
    }
    ClearFileLines();
  }
  SearchFiles();
  Command1[1].SetEnabled(false);
  Command1[3].SetEnabled(false);
}

void Form1::DeleteAll() {
  if (!ProfileValid) return;
  if (st_.app.MsgBox(st_.Lang(14), platform::kMbOkCancel, st_.Lang(6)) != platform::kIdOk) return;
  const bool backup = Check1.Value() == ui::kChecked;
  auto& files = st_.platform.files();
  std::vector<NotDeleted> kept;
  // A file both groups find is deleted (and backed up) once: by its second
  // group it is gone, which is no failure to report.
  std::set<std::string> deleted;  // folded paths
  for (int group = 1; group <= 2; ++group) {
    ui::ListBox& paths = PathList(group);
    if (paths.ListCount() > 0) {
      BackupRun run(files, GroupBackupFolder(group));
      for (int i = 0; i < paths.ListCount(); ++i) {
        const std::string path = paths.List(i);
        if (deleted.count(LowerCase(path)) > 0) continue;
        const DeleteOutcome done = run.Delete(path, backup);
        if (done == DeleteOutcome::kDeleted) {
          deleted.insert(LowerCase(path));
        } else {
          kept.push_back({path, done});
        }
      }
    }
    // Cleared after group 1 even when it had nothing: a group 2 file's
    // location must not stay on screen once it is gone.
    if (group == 1) ClearFileLines();
  }
  TellNotDeleted(kept);
  SearchFiles();
  Command1[1].SetEnabled(false);
  Command1[2].SetEnabled(false);
  Command1[3].SetEnabled(false);
}

void Form1::RestoreSelected() {
  if (!ProfileValid || (SelectedList != 3 && SelectedList != 4)) return;
  ui::ListBox& list = VisibleList(SelectedList);
  const int index = list.ListIndex();
  if (index >= 0) {
    auto& files = st_.platform.files();
    const std::string copy = PathList(SelectedList).List(index);
    const std::vector<std::string> homes = HomeFolders();
    const RestorePlan plan = PlanRestore(files, copy, homes);
    RestoreOutcome done = plan.outcome;
    // A refused copy is refused before anything is asked; the question
    // names the file it would replace. Cancel keeps both files and clears
    // the lines as a restore does.
    if (done == RestoreOutcome::kRestored) {
      const bool replace = !files.FileExists(plan.target) ||
                           st_.app.MsgBox(st_.Lang(15) + "\r\n" + plan.target, platform::kMbOkCancel, kPvxTitle) ==
                               platform::kIdOk;
      if (replace) done = RestoreBackupCopy(files, copy, homes);
    }
    if (done == RestoreOutcome::kRestored) {
      ClearFileLines();
    } else {
      // The copy stays listed; the user sees where its index would have sent it, and why not.
      TellNotRestored({{copy, plan.target.empty() ? plan.former : plan.target, done}});
    }
  }
  SearchFiles();
  Command1[1].SetEnabled(false);
  Command1[3].SetEnabled(false);
}

bool Form1::BackupSwitchStored() {
  // Only the number 0 is a box the user cleared. No value is a first start,
  // or an installation that stored the cleared box by deleting the value:
  // both come back ticked, the safe side.
  const RegRead stored = st_.reg.ReadRegValue(kHkeyCurrentUser, kProductKey, "PV_BackUp");
  return !(stored.kind() == RegRead::Kind::kNumber && stored.AsNumber() == 0);
}

void Form1::Check1_Click() {
  st_.reg.WriteRegValue(kHkeyCurrentUser, kProductKey, "PV_BackUp", Check1.Value() == ui::kChecked ? 1 : 0);
}

// ---------------------------------------------------------------------------
// Menus

void Form1::mnu_Select_Click() {
  ProfileDialog.Show(true);
  if (ProfileDialog.Chosen()) SetCaption(ProfileDialog.ChosenCaption);
  LoadProfile();
  st_.language.LoadLanguage();
  ApplyLanguage();
  Command1[1].SetEnabled(false);
  Command1[2].SetEnabled(false);
  Command1[3].SetEnabled(false);
  CreateBackupFolders();
  for (int n = 1; n <= 4; ++n) {
    VisibleList(n).Clear();
    PathList(n).Clear();
  }
  SelectedList = 0;
}

void Form1::mnu_Exit_Click() {
  ProfileDialog.Unload();
  Unload();
}

void Form1::mnu_Manual_Click() {
  // The shell opens the page with whatever the user chose for HTML files.
  std::string quoted = ManualPath();
  quoted.insert(quoted.begin(), '"');
  quoted.push_back('"');
  st_.platform.shell().ShellExecute(0, "open", quoted, "", "", platform::kSwShowNormal);
}

void Form1::mnu_Update_Click() {
  // The suite's updater stands beside pvx; a missing one starts nothing.
  st_.platform.processes().StartProgram(platform::QuotedProgram(st_.DataPath("\\relayo.exe")),
                                        platform::WindowStyle::kNormalFocus);
}

}  // namespace ks::pvx
