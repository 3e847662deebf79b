#include "cleaner/backup.h"

#include "cleaner/search.h"
#include "common/datafile.h"

namespace ks {

namespace {

constexpr int kMaxCopyNames = 1000;

std::string FileName(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool IsAbsolute(const std::string& path) {
  const bool drive = path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
  const bool unc = path.size() >= 3 && path[0] == '\\' && path[1] == '\\';
  return drive || unc;
}

// The copy name for `path` in the folder: its own name while that is free
// or holds an earlier copy of the same file, else a numbered one. "" when
// every name is taken.
std::string CopyNameFor(platform::Files& files, const std::string& path, const std::string& folder) {
  std::string name = FileName(path);
  // A copy must never be taken for an index file.
  if (EndsWithNoCase(name, ".index")) name += "_";
  const size_t dot = name.rfind('.');
  const std::string stem = dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
  const std::string ext = name.substr(stem.size());
  for (int n = 1; n <= kMaxCopyNames; ++n) {
    const std::string candidate = folder + "\\" + (n == 1 ? name : stem + " (" + std::to_string(n) + ")" + ext);
    const bool taken = files.FileExists(candidate) || files.FolderExists(candidate) ||
                       files.FileExists(candidate + ".index") || files.FolderExists(candidate + ".index");
    if (!taken || SamePath(IndexedPath(files, candidate), path)) return candidate;
  }
  return "";
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
  if (backup) {
    const std::string copy = CopyNameFor(files, path, backup_folder);
    if (copy.empty()) return DeleteOutcome::kBackupFailed;
    const bool fresh = !files.FileExists(copy);
    if (!files.CopyFile(path, copy)) return DeleteOutcome::kBackupFailed;
    const std::string index = copy + ".index";
    if (!files.WriteFile(index, IndexLine(path)) || IndexedPath(files, copy) != path) {
      // The file stays where it is; a copy nobody could restore goes again.
      if (fresh) {
        files.DeleteFile(copy);
        files.DeleteFile(index);
      }
      return DeleteOutcome::kBackupFailed;
    }
  }
  return files.DeleteFile(path) ? DeleteOutcome::kDeleted : DeleteOutcome::kDeleteFailed;
}

RestoreOutcome RestoreBackupCopy(platform::Files& files, const std::string& copy_path) {
  const std::string former = IndexedPath(files, copy_path);
  if (former.empty()) return RestoreOutcome::kNoIndex;
  if (!files.CopyFile(copy_path, former)) return RestoreOutcome::kCopyBackFailed;
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
