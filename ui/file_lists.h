// Drive, folder and file lists over the platform's files. Paths are Windows
// paths; a drive is "c:", a drive's root folder "c:\\".
#pragma once

#include <string>

#include "ui/lists.h"

namespace ks::ui {

// The drives of the machine; choosing one (by code or by the user) raises
// Change. Starts on drive c: (or the first drive).
class DriveListBox : public ListControl {
 public:
  DriveListBox(Form& form, std::string name);
  DriveListBox(Frame& frame, std::string name);

  std::string Drive() const { return List(list_index_); }
  // Selects the drive of a path or drive name ("D:", "d:\\x"); false, and
  // no change, when the machine has no such drive.
  bool SetDrive(const std::string& drive);
  // Reads the drives again; the selected drive stays when it is still there.
  void ReadDrives();

  Handler OnChange;
  // Picking the drive already chosen is no change and raises nothing.
  void UserPick(int index) override {
    if (TakesInput()) SetListIndex(index);
  }

 protected:
  void RaiseSelect() override { Raise("Change", OnChange); }
};

// A folder and its surroundings: its ancestors from the root down, the
// folder itself (ListIndex), then its subfolders; every entry is a full
// path. A new Path raises Change. Starts at the root of drive c:.
class DirListBox : public ListControl {
 public:
  DirListBox(Form& form, std::string name);
  DirListBox(Frame& frame, std::string name);

  const std::string& Path() const { return path_; }
  // "c:" means its root. False, and no change, for a folder that does not
  // exist (a drive without a medium).
  bool SetPath(const std::string& path);
  // The user opened an entry (a double click): it becomes the Path.
  void UserOpen(int index);

  Handler OnChange;

 protected:
  void KeepDesign(bool restore) override {
    ListControl::KeepDesign(restore);
    Keep(restore, path_);
  }

 private:
  void Start();
  std::string path_;
};

// The files of one folder matching a pattern ("*.exe"; several joined by
// ";"), in the order the folder lists them. Picking one raises Click.
class FileListBox : public ListControl {
 public:
  FileListBox(Form& form, std::string name);
  FileListBox(Frame& frame, std::string name);

  const std::string& Path() const { return path_; }
  // False, and no change, for a folder that does not exist.
  bool SetPath(const std::string& path);
  const std::string& Pattern() const { return pattern_; }
  void SetPattern(const std::string& pattern);
  // The picked file's name, "" with none.
  std::string FileName() const { return List(list_index_); }

 protected:
  void KeepDesign(bool restore) override {
    ListControl::KeepDesign(restore);
    Keep(restore, path_, pattern_);
  }

 private:
  void ReadFiles();
  std::string path_;
  std::string pattern_ = "*.*";
};

// "c:" becomes "c:\\", trailing backslashes go (but a root's).
std::string NormalFolder(const std::string& path);

}  // namespace ks::ui
