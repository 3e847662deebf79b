// In-memory file tree: case-insensitive Windows paths, file bytes, and
// listings in the order the entries were made (as a FAT directory lists).
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
  std::vector<std::string> ListFolders(const std::string& folder) override;
  bool DeleteFile(const std::string& path) override;
  bool CopyFile(const std::string& from, const std::string& to) override;
  bool CreateFolder(const std::string& path) override;
  bool ReplaceFile(const std::string& from, const std::string& to) override;
  bool SetCurrentFolder(const std::string& path) override;
  // Every drive that has a root folder (AddFolder("D:\\") adds one).
  std::vector<std::string> Drives() override;

  // --- set-up for tests; these create missing parent folders ---
  // The program folder; the program's file name stays as it is.
  void SetProgramFolder(const std::string& folder);
  // The program's whole path ("C:\Program Files\Kestrelane\KestrelaneSE.exe"
  // at first): its folder and file name.
  void SetProgramPath(const std::string& path);
  void AddFile(const std::string& path, const std::string& bytes);
  void AddFolder(const std::string& path);
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
  };
  static std::string Normal(const std::string& path);
  static std::string ParentOf(const std::string& normal);
  Entry* Find(const std::string& path);
  void MakeParents(const std::string& path);

  std::map<std::string, Entry> entries_;  // by normalised path
  std::vector<std::string> failing_writes_;
  std::vector<std::string> garbled_writes_;
  std::uint64_t next_order_ = 0;
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
