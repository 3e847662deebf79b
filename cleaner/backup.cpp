#include "cleaner/backup.h"

#include <algorithm>

#include "cleaner/search.h"
#include "common/datafile.h"
#include "common/paths.h"
#include "platform/names.h"

namespace ks {

namespace {

constexpr int kMaxCopyNames = 1000;

std::string FileName(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Writes `to` whole under its unfinished name beside it, then puts it in
// place flushed (Files::ReplaceFile): after a power cut `to` holds its old
// bytes or all of the new ones, never a part. `write` makes the file at the
// name it is given. On failure nothing of the new file is left.
template <class Write>
bool WriteInPlace(platform::Files& files, const std::string& to, Write write) {
  const std::string unfinished = to + kUnfinishedSuffix;
  if (write(unfinished) && files.ReplaceFile(unfinished, to)) return true;
  files.DeleteFile(unfinished);
  return false;
}

bool IsAbsolute(const std::string& path) {
  const bool drive = path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
  const bool unc = path.size() >= 3 && path[0] == '\\' && path[1] == '\\';
  return drive || unc;
}

}  // namespace

std::string IndexLine(const std::string& former_path) { return "\"" + former_path + "\"\r\n"; }

std::string IndexedPath(platform::Files& files, const std::string& copy_path) {
  std::string bytes;
  if (!files.ReadFile(copy_path + ".index", &bytes)) return "";
  std::string former = FieldReader(bytes).Next();
  return IsAbsolute(former) ? former : "";
}

DeleteOutcome DeleteFileWithBackup(platform::Files& files, const std::string& path, bool backup,
                                   const std::string& backup_folder) {
  if (!backup) return files.DeleteFile(path) ? DeleteOutcome::kDeleted : DeleteOutcome::kDeleteFailed;
  return BackupRun(files, backup_folder).Delete(path, true);
}

BackupRun::BackupRun(platform::Files& files, std::string backup_folder)
    : files_(files), folder_(std::move(backup_folder)) {
  // Hidden and system files are not listed; a copy onto one fails, which
  // keeps the file where it is.
  for (const std::string& name : files_.List(folder_ + "\\*")) Take(name);
  for (const std::string& name : files_.ListFolders(folder_)) Take(name);
}

bool BackupRun::Taken(const std::string& name) const {
  return std::binary_search(taken_.begin(), taken_.end(), LowerCase(name));
}

void BackupRun::Take(const std::string& name) {
  const std::string folded = LowerCase(name);
  const auto at = std::lower_bound(taken_.begin(), taken_.end(), folded);
  if (at == taken_.end() || *at != folded) taken_.insert(at, folded);
}

std::string BackupRun::CopyNameFor(const std::string& path) {
  std::string name = FileName(path);
  // A copy must never be taken for an index or an unfinished file.
  if (IsIndexOrUnfinished(name)) name += "_";
  const size_t dot = name.rfind('.');
  const std::string stem = dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
  const std::string ext = name.substr(stem.size());
  for (int n = 1; n <= kMaxCopyNames; ++n) {
    const std::string candidate = n == 1 ? name : stem + " (" + std::to_string(n) + ")" + ext;
    // A name is free, or holds an earlier copy of this very file.
    if (!Taken(candidate) && !Taken(candidate + ".index")) return folder_ + "\\" + candidate;
    if (SamePath(IndexedPath(files_, folder_ + "\\" + candidate), path)) return folder_ + "\\" + candidate;
  }
  return "";
}

DeleteOutcome BackupRun::Delete(const std::string& path, bool backup) {
  if (backup) {
    const std::string copy = CopyNameFor(path);
    if (copy.empty()) return DeleteOutcome::kBackupFailed;
    const std::string copy_name = FileName(copy);
    const bool fresh = !Taken(copy_name);
    // Copy and index are on the disk before the file goes: a power cut
    // right after the delete must not take the only copy with it.
    if (!WriteInPlace(files_, copy, [&](const std::string& at) { return files_.CopyFile(path, at); }))
      return DeleteOutcome::kBackupFailed;
    Take(copy_name);
    const std::string index = copy + ".index";
    Take(copy_name + ".index");
    // The index must read back as the former path, or restoring could not find it.
    const std::string line = IndexLine(path);
    if (FieldReader(line).Next() != path ||
        !WriteInPlace(files_, index, [&](const std::string& at) { return files_.WriteFileChecked(at, line); })) {
      // The file stays where it is; a copy nobody could restore goes again.
      if (fresh) {
        files_.DeleteFile(copy);
        files_.DeleteFile(index);
      }
      return DeleteOutcome::kBackupFailed;
    }
  }
  return files_.DeleteFile(path) ? DeleteOutcome::kDeleted : DeleteOutcome::kDeleteFailed;
}

std::optional<std::string> RestoreTarget(const std::string& former, const std::vector<std::string>& home_folders) {
  const std::optional<std::string> target = ResolvedPath(former);
  if (!target) return std::nullopt;
  for (const std::string& folder : home_folders) {
    // "C:" alone is the drive's current folder; with the separator it is its root.
    const std::optional<std::string> home = ResolvedPath(folder + "\\");
    if (!home || !IsInsideFolder(*target, *home)) continue;
    std::string below = target->substr(home->size());
    if (!below.empty() && below.front() == '\\') below.erase(0, 1);
    if (IsPlainRelativePath(below)) return target;
  }
  return std::nullopt;
}

RestoreOutcome RestoreBackupCopy(platform::Files& files, const std::string& copy_path,
                                 const std::vector<std::string>& home_folders) {
  const std::string former = IndexedPath(files, copy_path);
  if (former.empty()) return RestoreOutcome::kNoIndex;
  const std::optional<std::string> target = RestoreTarget(former, home_folders);
  if (!target) return RestoreOutcome::kNotItsFolder;
  const size_t slash = target->rfind('\\');
  const std::string folder = target->substr(0, slash == 2 ? 3 : slash);
  // The file is back on the disk before its copy goes.
  if (!files.FolderExists(folder) ||
      !WriteInPlace(files, *target, [&](const std::string& at) { return files.CopyFile(copy_path, at); })) {
    return RestoreOutcome::kCopyBackFailed;
  }
  if (!files.DeleteFile(copy_path)) return RestoreOutcome::kCleanUpFailed;
  if (!files.DeleteFile(copy_path + ".index")) return RestoreOutcome::kCleanUpFailed;
  return RestoreOutcome::kRestored;
}

bool RemoveBackupCopy(platform::Files& files, const std::string& copy_path) {
  if (!files.DeleteFile(copy_path)) return false;
  files.DeleteFile(copy_path + ".index");
  return true;
}

}  // namespace ks
