#include "ui/file_lists.h"

#include <algorithm>
#include <cctype>

#include "platform/files.h"

namespace ks::ui {

namespace {

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// The drive of a path or drive name, "c:"; "" when it names none.
std::string DriveOf(const std::string& path) {
  if (path.size() < 2 || path[1] != ':' || !std::isalpha(static_cast<unsigned char>(path[0]))) return "";
  return std::string(1, Lower(path[0])) + ":";
}

}  // namespace

std::string NormalFolder(const std::string& path) {
  std::string folder = path;
  if (folder.size() == 2 && folder[1] == ':') folder += '\\';
  while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
  return folder;
}

DriveListBox::DriveListBox(Form& form, std::string name) : ListControl(form, Kind::kDriveListBox, std::move(name)) {
  ReadDrives();
}

DriveListBox::DriveListBox(Frame& frame, std::string name)
    : ListControl(frame, Kind::kDriveListBox, std::move(name)) {
  ReadDrives();
}

void DriveListBox::ReadDrives() {
  const std::string current = Drive();
  items_ = app().files().Drives();
  ItemsReplaced();
  auto found = std::find(items_.begin(), items_.end(), current.empty() ? std::string("c:") : current);
  list_index_ = found != items_.end() ? static_cast<int>(found - items_.begin()) : (items_.empty() ? -1 : 0);
  Changed();
}

bool DriveListBox::SetDrive(const std::string& drive) {
  const int index = FindItem(DriveOf(drive));
  return index >= 0 && SetListIndex(index);
}

DirListBox::DirListBox(Form& form, std::string name) : ListControl(form, Kind::kDirListBox, std::move(name)) {
  Start();
}

DirListBox::DirListBox(Frame& frame, std::string name) : ListControl(frame, Kind::kDirListBox, std::move(name)) {
  Start();
}

void DirListBox::Start() {
  if (SetPath("c:\\")) return;
  const auto drives = app().files().Drives();
  if (!drives.empty()) SetPath(drives.front());
}

bool DirListBox::SetPath(const std::string& path) {
  const std::string folder = NormalFolder(path);
  auto& files = app().files();
  if (DriveOf(folder).empty() || !files.FolderExists(folder)) return false;
  const bool moved = !path_.empty() && folder != path_;  // the first path is the start, not a change
  path_ = folder;
  // Ancestors from the root down, then the folder itself.
  items_.assign(1, folder.substr(0, 3));
  for (size_t i = 4; i <= folder.size(); ++i)
    if (i == folder.size() || folder[i] == '\\') items_.push_back(folder.substr(0, i));
  list_index_ = static_cast<int>(items_.size()) - 1;
  for (const std::string& sub : files.ListFolders(folder)) items_.push_back(platform::JoinPath(folder, sub));
  ItemsReplaced();
  Changed();
  if (moved) Raise("Change", OnChange);
  return true;
}

void DirListBox::UserOpen(int index) {
  if (TakesInput() && index >= 0 && index < ListCount()) SetPath(List(index));
}

FileListBox::FileListBox(Form& form, std::string name) : ListControl(form, Kind::kFileListBox, std::move(name)) {
  SetPath("c:\\");
}

FileListBox::FileListBox(Frame& frame, std::string name) : ListControl(frame, Kind::kFileListBox, std::move(name)) {
  SetPath("c:\\");
}

bool FileListBox::SetPath(const std::string& path) {
  const std::string folder = NormalFolder(path);
  if (DriveOf(folder).empty() || !app().files().FolderExists(folder)) return false;
  path_ = folder;
  ReadFiles();
  return true;
}

void FileListBox::SetPattern(const std::string& pattern) {
  pattern_ = pattern;
  ReadFiles();
}

void FileListBox::ReadFiles() {
  items_.clear();
  list_index_ = -1;
  size_t start = 0;
  for (;;) {
    const size_t end = pattern_.find(';', start);
    const std::string one = pattern_.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!one.empty())
      for (const std::string& name : app().files().List(platform::JoinPath(path_, one)))
        if (std::find(items_.begin(), items_.end(), name) == items_.end()) items_.push_back(name);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  ItemsReplaced();
  Changed();
}

}  // namespace ks::ui
