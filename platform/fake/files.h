// In-memory file tree: case-insensitive Windows paths, file bytes, and
// listings in the order the entries were made (as a FAT directory lists).
// As on NTFS, a name that is no 8.3 name gets an alias ("Program Files" is
// also "PROGRA~1") that every call takes in its place, and a link (a
// reparse point) stands for the file or folder it points to: calls that
// open a path go through it, while listing, attributes, deleting and
// renaming see the link itself.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"

namespace ks::fake {

class FakeFiles : public platform::Files {
 public:
  FakeFiles();

  std::string ProgramFolder() override { return program_folder_; }
  std::string ProgramPath() override { return program_folder_ + "\\" + program_file_; }
  std::string TempFolder() override { return temp_folder_; }
  bool ReadFile(const std::string& path, std::string* bytes) override;
  bool WriteFile(const std::string& path, const std::string& bytes) override;
  bool AppendFile(const std::string& path, const std::string& bytes) override;
  bool WriteFileChecked(const std::string& path, const std::string& bytes) override;
  bool FileExists(const std::string& path) override;
  bool FolderExists(const std::string& path) override;
  std::vector<std::string> List(const std::string& pattern) override;
  std::vector<ListedFile> ListWithAttributes(const std::string& pattern) override;
  std::vector<std::string> ListFolders(const std::string& folder) override;
  bool DeleteFile(const std::string& path) override;
  bool CopyFile(const std::string& from, const std::string& to) override;
  bool CreateFolder(const std::string& path) override;
  bool ReplaceFile(const std::string& from, const std::string& to) override;
  bool SetCurrentFolder(const std::string& path) override;
  // Every drive that has a root folder (AddFolder("D:\\") adds one).
  std::vector<std::string> Drives() override;
  std::optional<std::uint32_t> GetFileAttributes(const std::string& path) override;
  std::string GetLongPathName(const std::string& path) override;
  std::string GetShortPathName(const std::string& path) override;
  bool GetFileIdentity(const std::string& path, platform::FileIdentity* out) override;
  std::string GetFinalPathName(const std::string& path) override;

  // Windows 95 and NT 4 lack GetLongPathName, every system before Vista
  // GetFinalPathNameByHandle: then the call answers "", as the Win32 side
  // does where it finds no such call.
  bool has_long_path_name = true;
  bool has_final_path_name = true;
  // How often the calls that cost most on a real disk were made.
  struct Asked {
    int attributes = 0;
    int long_names = 0;
    int identities = 0;
    int final_paths = 0;
  };
  Asked asked;

  // --- set-up for tests; these create missing parent folders ---
  // The program folder; the program's file name stays as it is.
  void SetProgramFolder(const std::string& folder);
  // The program's whole path ("C:\Program Files\Kestrelane\KestrelaneSE.exe"
  // at first): its folder and file name.
  void SetProgramPath(const std::string& path);
  void AddFile(const std::string& path, const std::string& bytes);
  void AddFolder(const std::string& path);
  // A link (a junction or symbolic link) at `path` to `target`, an absolute
  // path that need not exist; it is a folder link when the target is a
  // folder now. Opening a path through it opens the target. Without
  // `reparse_point` it shows as Wine shows a Unix link to a file: with the
  // target's attributes, only its final path (GetFinalPathName) tells it.
  void AddLink(const std::string& path, const std::string& target, bool reparse_point = true);
  // Gives an entry another 8.3 alias (one with a "~", as Windows makes
  // them; a part without one is never looked up as an alias).
  void SetShortName(const std::string& path, const std::string& alias);
  // Files that exist but cannot be read or written.
  void SetLocked(const std::string& path, bool locked);
  // Writes (and copies) to this path fail, as on a full disk.
  void FailWrites(const std::string& path) { failing_writes_.push_back(Normal(path)); }
  // Writes to this path report success but store the bytes cut short, as a
  // failing disk might.
  void GarbleWrites(const std::string& path) { garbled_writes_.push_back(Normal(path)); }
  // Hidden or system files: directory listings leave them out.
  void SetHidden(const std::string& path, bool hidden);
  void SetSystem(const std::string& path, bool system);
  // The next `times` writes of a path containing `path_part` stop halfway
  // (the disk filled up while writing): the file keeps the first half of the
  // bytes and the write reports failure.
  void FailWritesHalfway(const std::string& path_part, int times = 1);
  // Stored bytes, or "" when the file is missing.
  std::string Contents(const std::string& path) const;
  int WriteCount() const { return writes_; }
  // The machine loses power: every file falls back to the bytes that were on
  // the disk (the last flushed or write-through state; AddFile's bytes count
  // as on the disk), and a file never flushed is gone.
  void PowerCut();
  // The current folder as last set ("" before any).
  const std::string& CurrentFolder() const { return current_folder_; }

 private:
  struct Entry {
    std::string path;  // first spelling
    bool folder = false;
    bool locked = false;
    std::string bytes;
    std::uint64_t order = 0;
    bool hidden = false;
    bool system = false;
    // What a power cut leaves of a file; nullopt: the file is gone.
    std::optional<std::string> on_disk = std::nullopt;
    std::string short_name = "";              // the 8.3 alias; empty when the name is one
    std::optional<std::string> link = std::nullopt;  // a link's target
    bool shows_link = true;                   // false: attributes are the target's
    std::uint64_t id = 0;                     // the file index: kept by a rename
  };
  static std::string Normal(const std::string& path);
  static std::string ParentOf(const std::string& normal);
  static std::string NameOf(const Entry& e);
  // The key of what `path` names, aliases taken and every link on the way
  // followed (and the last part's too, when `follow_last`); the key of a
  // missing entry is its resolved folder and its name.
  std::string Resolve(const std::string& path, bool follow_last = true, int depth = 0) const;
  // The key of a name inside the folder of key `folder`: the name itself,
  // or the entry whose alias it is.
  std::string ChildKey(const std::string& folder, const std::string& folded_name) const;
  Entry* Find(const std::string& path, bool follow_last = true);
  // GetFileAttributes, not counted as asked.
  std::optional<std::uint32_t> AttributesOf(const std::string& path);
  // Makes the entry at `key` and gives it its identity and, when its name
  // is no 8.3 name, an alias its folder does not use yet.
  Entry& Make(const std::string& key, Entry entry);
  std::string AliasFor(const std::string& folder_key, const std::string& name) const;
  std::string PathName(const std::string& path, bool short_names);
  void MakeParents(const std::string& path);

  std::map<std::string, Entry> entries_;  // by normalised path
  std::vector<std::string> failing_writes_;
  std::vector<std::string> garbled_writes_;
  std::uint64_t next_order_ = 0;
  std::uint64_t next_id_ = 1;
  std::string program_folder_;
  std::string program_file_ = "KestrelaneSE.exe";
  std::string temp_folder_;
  int writes_ = 0;
  std::string fail_part_;
  int fail_times_ = 0;
  std::string current_folder_;
};

// Windows wildcard match of one name: * and ?, without regard to case.
bool MatchesPattern(const std::string& name, const std::string& pattern);

}  // namespace ks::fake
