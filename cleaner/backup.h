// Deleting driver files with a backup, restoring and removing backups.
//
// A backup copy lies in its group's backup folder under the file's name;
// beside it, <copy>.index holds one line: the file's former full path in
// double quotes, CR LF. Restoring needs only the index, so a copy may carry
// another name: when the folder already holds a copy of that name whose
// index names another path, the new copy is called "<stem> (2)<ext>",
// "(3)", ... A file backed up again replaces its own earlier copy.
// Copies, indexes and restored files are written under an unfinished name
// (kUnfinishedSuffix) and renamed into place flushed.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"

namespace ks {

enum class DeleteOutcome {
  kDeleted,
  kBackupFailed,  // no copy with a readable index could be made: the file stays
  kDeleteFailed,  // the file could not be deleted (a backup made stays)
  kLink,          // the file, or a folder on its way or the backup folder, is a link: nothing done
};

// Deletes the file at `path`. With `backup` on, first copies it into
// `backup_folder` (a full path) and writes the copy's index, and deletes
// the file only when both were written and the index reads back `path`;
// a copy made for a failed index is removed again. A file that is a link or
// lies behind one (LinkOnPath), or a backup folder that is or lies behind
// one below pvx's folder, is neither copied nor deleted (kLink).
DeleteOutcome DeleteFileWithBackup(platform::Files& files, const std::string& path, bool backup,
                                   const std::string& backup_folder);

// One backup folder for a run of deletions: the folder's names are read
// once, so choosing copy names does not ask the file system for every
// candidate (on Wine each miss scans the whole folder). Only this object
// may add to the folder while it lives. The backup folder and the folder of
// each file are asked once per run whether a link stands on their way;
// each file is asked its own attributes and final path as it is deleted.
class BackupRun {
 public:
  BackupRun(platform::Files& files, std::string backup_folder);
  // As DeleteFileWithBackup.
  DeleteOutcome Delete(const std::string& path, bool backup);

 private:
  bool Taken(const std::string& name) const;
  void Take(const std::string& name);
  // The copy's full path; "" when every name is taken.
  std::string CopyNameFor(const std::string& path);

  // Whether `path` is a link or lies behind one, as ThroughLink asks it:
  // its folder once per run, the file itself every time.
  bool Linked(const std::string& path);

  platform::Files& files_;
  std::string folder_;
  std::vector<std::string> taken_;  // folded names, sorted
  std::optional<bool> folder_linked_;
  struct CheckedFolder {
    std::string link;   // the first link on its way; "" when there is none
    std::string opens;  // its final path ("" when the system does not tell)
  };
  std::map<std::string, CheckedFolder> folders_;  // by folded resolved path
};

// How a copy's index file reads. A UTF-8 byte-order mark in front of the
// line (an editor's) is skipped.
enum class IndexStatus {
  kRead,        // an absolute path
  kMissing,     // no index file beside the copy
  kUnreadable,  // it exists but cannot be read
  kEmpty,       // nothing but blanks and line ends
  kCutOff,      // its quoted path has no closing quote
  kWideText,    // UTF-16 (a byte-order mark or NUL bytes)
  kNotAPath,    // what it names is no absolute path
};

struct IndexRead {
  IndexStatus status = IndexStatus::kMissing;
  std::string path;  // the former path; for kNotAPath and kCutOff what the index holds
};

// Reads the index file of the copy at `copy_path`.
IndexRead ReadIndex(platform::Files& files, const std::string& copy_path);

// The former path named by the copy's index file; "" unless ReadIndex
// reads it (kRead).
std::string IndexedPath(platform::Files& files, const std::string& copy_path);

// True when a copy called `copy_name` can have been made of a file called
// `former_name`: the same name, or the name a later copy of another file of
// that name got ("nvcpl (2).dll"), compared without regard to case.
bool IsCopyNameOf(const std::string& copy_name, const std::string& former_name);

// Where the backup copy at `copy_path` may go back to: the former path its
// index names, with "." and ".." parts resolved, when that is a file
// directly inside one of `folders` (compared without regard to case) whose
// name is listable (IsListableName) and is the one the copy was made from
// (IsCopyNameOf). The folders are those the profile finds files in, for
// every group it has (GroupFolders).
// Nullopt for any other path: an index may have been written by anyone, so
// it is believed only about the file it was made for, in a folder pvx cleans.
std::optional<std::string> RestoreTarget(const std::string& copy_path, const std::string& former,
                                         const std::vector<std::string>& folders);

// RestoreTarget as the file system resolves the paths: the former path in
// its long names (LongPath, so an 8.3 alias in the index stands for the
// file it names, whose long name must be the copy's), its folder the same
// folder as one of `folders` (IsSameFile: long names or file identity),
// never inside pvx's own folder (IsInsideFolder with `files`), and no link
// on the way to it nor the target itself a link (LinkOnPath). Returns the
// target as the index spells it, resolved.
std::optional<std::string> RestoreTarget(platform::Files& files, const std::string& copy_path,
                                         const std::string& former, const std::vector<std::string>& folders);

// Why a copy was or was not restored. The kIndex outcomes follow
// IndexStatus (kIndexNotAPath also for a path whose ".." climbs above its
// drive). Every outcome but kRestored and kCleanUpFailed leaves the copy,
// its index and the former path as they were; kCleanUpFailed has put the
// file back but left the copy or its index in the backup folder.
enum class RestoreOutcome {
  kRestored,
  kIndexMissing,
  kIndexUnreadable,
  kIndexEmpty,
  kIndexCutOff,
  kIndexWideText,
  kIndexNotAPath,
  kNoFileName,     // the path ends in no file name a file can be given (a device, a stream, a trailing dot)
  kOtherFile,      // the index names a file of another name than the copy's
  kNotCleaned,     // not directly in a folder the profile cleans
  kLink,           // the copy, the target or a folder on the way is a link
  kFolderGone,     // the former folder no longer exists
  kCopyBackFailed,
  kCleanUpFailed,
};

// What a restore of the copy at `copy_path` would do: the index's path and,
// when the copy may go back, its RestoreTarget (the one taking `files`).
// `outcome` is kRestored when nothing stands in the way yet (the copy back
// itself may still fail).
struct RestorePlan {
  RestoreOutcome outcome = RestoreOutcome::kRestored;
  std::string former;  // what the index names ("" when it names nothing)
  std::string target;  // the RestoreTarget, when there is one
};
RestorePlan PlanRestore(platform::Files& files, const std::string& copy_path,
                        const std::vector<std::string>& folders);

// Copies the backup back to the RestoreTarget (with `files`) of its index
// (replacing a file there), then deletes the copy and its index. A copy
// that is a link, or lies behind one below pvx's folder, is not restored
// (kLink). The first failing step ends it: a failed copy back keeps the
// backup and its index. Restoring never creates a folder: a former folder
// that is gone is kFolderGone.
RestoreOutcome RestoreBackupCopy(platform::Files& files, const std::string& copy_path,
                                 const std::vector<std::string>& folders);

// Deletes a backup copy, then its index (a copy that cannot be deleted
// keeps its index, so it can still be restored). False when the copy stays,
// as a copy that is a link or lies behind one below pvx's folder does.
bool RemoveBackupCopy(platform::Files& files, const std::string& copy_path);

// The index line of a former path.
std::string IndexLine(const std::string& former_path);

}  // namespace ks
