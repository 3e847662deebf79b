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

// The name a copy of a file called `name` starts from, split where a
// number goes in to tell two copies apart: "nvcpl" and ".dll".
struct CopyName {
  std::string stem;
  std::string ext;
};
CopyName CopyNameParts(std::string name) {
  // A copy must never be taken for an index or an unfinished file.
  if (IsIndexOrUnfinished(name)) name += "_";
  const size_t dot = name.rfind('.');
  const size_t cut = dot == std::string::npos || dot == 0 ? name.size() : dot;
  return {name.substr(0, cut), name.substr(cut)};
}

std::string NumberedName(const CopyName& parts, int n) {
  return n == 1 ? parts.stem + parts.ext : parts.stem + " (" + std::to_string(n) + ")" + parts.ext;
}

bool IsAbsolute(const std::string& path) {
  const bool drive = path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
  const bool unc = path.size() >= 3 && path[0] == '\\' && path[1] == '\\';
  return drive || unc;
}

// Where a file pvx would delete, copy or restore is a link, or lies behind
// one: pvx does nothing there. Below pvx's own folder only the part below
// it is asked, as for its backup folders.
bool ThroughLink(platform::Files& files, const std::string& path) {
  if (IsInsideFolder(path, files.ProgramFolder())) return !LinkOnPath(files, path, files.ProgramFolder()).empty();
  return !LinkOnPath(files, path).empty();
}

}  // namespace

std::string IndexLine(const std::string& former_path) { return "\"" + former_path + "\"\r\n"; }

IndexRead ReadIndex(platform::Files& files, const std::string& copy_path) {
  const std::string index = copy_path + ".index";
  std::string bytes;
  if (!files.ReadFile(index, &bytes)) {
    return {files.FileExists(index) ? IndexStatus::kUnreadable : IndexStatus::kMissing, ""};
  }
  if (IsWideText(bytes)) return {IndexStatus::kWideText, ""};
  const std::string_view text = WithoutUtf8Mark(bytes);
  const size_t start = text.find_first_not_of(" \t\r\n");
  if (start == std::string_view::npos) return {IndexStatus::kEmpty, ""};
  FieldReader reader{std::string(text)};
  std::string former = reader.Next();
  // pvx writes the path between quotes: without the closing one the file
  // ended early, and what is left may name a folder or a shorter name.
  if (text[start] == '"' && text.find('"', start + 1) == std::string_view::npos) return {IndexStatus::kCutOff, former};
  if (!IsAbsolute(former)) return {IndexStatus::kNotAPath, former};
  return {IndexStatus::kRead, former};
}

std::string IndexedPath(platform::Files& files, const std::string& copy_path) {
  const IndexRead index = ReadIndex(files, copy_path);
  return index.status == IndexStatus::kRead ? index.path : "";
}

DeleteOutcome DeleteFileWithBackup(platform::Files& files, const std::string& path, bool backup,
                                   const std::string& backup_folder) {
  if (!backup) {
    if (ThroughLink(files, path)) return DeleteOutcome::kLink;
    return files.DeleteFile(path) ? DeleteOutcome::kDeleted : DeleteOutcome::kDeleteFailed;
  }
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
  const CopyName parts = CopyNameParts(FileName(path));
  for (int n = 1; n <= kMaxCopyNames; ++n) {
    const std::string candidate = NumberedName(parts, n);
    // A name is free, or holds an earlier copy of this very file.
    if (!Taken(candidate) && !Taken(candidate + ".index")) return folder_ + "\\" + candidate;
    if (SamePath(IndexedPath(files_, folder_ + "\\" + candidate), path)) return folder_ + "\\" + candidate;
  }
  return "";
}

bool BackupRun::Linked(const std::string& path) {
  const std::optional<std::string> resolved = ResolvedPath(path);
  const std::string parent = resolved ? ParentOfResolved(*resolved) : "";
  if (parent.empty()) return ThroughLink(files_, path);
  auto at = folders_.find(LowerCase(parent));
  if (at == folders_.end()) {
    CheckedFolder checked;
    const std::string program = files_.ProgramFolder();
    checked.link = LinkOnPath(files_, parent, IsInsideFolder(parent, program) ? program : "");
    if (checked.link.empty()) checked.opens = files_.GetFinalPathName(parent);
    at = folders_.emplace(LowerCase(parent), std::move(checked)).first;
  }
  return !at->second.link.empty() || !LinkBelow(files_, *resolved, parent, at->second.opens).empty();
}

DeleteOutcome BackupRun::Delete(const std::string& path, bool backup) {
  // A link is deleted through by some systems, and a copy of it is a copy of
  // whatever it points to.
  if (backup && !folder_linked_) folder_linked_ = ThroughLink(files_, folder_);
  if (Linked(path) || (backup && *folder_linked_)) return DeleteOutcome::kLink;
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

bool IsCopyNameOf(const std::string& copy_name, const std::string& former_name) {
  const CopyName parts = CopyNameParts(former_name);
  if (SamePath(copy_name, parts.stem + parts.ext)) return true;
  // "<stem> (N)<ext>" with N from 2, as BackupRun numbers them.
  const std::string open = parts.stem + " (";
  const std::string close = ")" + parts.ext;
  if (copy_name.size() <= open.size() + close.size()) return false;
  if (!SamePath(copy_name.substr(0, open.size()), open) || !EndsWithNoCase(copy_name, close)) return false;
  const std::string number = copy_name.substr(open.size(), copy_name.size() - open.size() - close.size());
  if (number.size() > 4 || number.front() == '0' || number.find_first_not_of("0123456789") != std::string::npos)
    return false;
  const int n = std::stoi(number);
  return n >= 2 && n <= kMaxCopyNames;
}

namespace {

// The name rules of a restore target, on a resolved path: a name a file can
// be given, and the one the copy was made from. Nullopt when both hold.
std::optional<RestoreOutcome> NameFault(const std::string& copy_path, const std::string& target) {
  const std::string name = target.substr(target.rfind('\\') + 1);
  if (!IsListableName(name) || HasReservedDeviceName(target)) return RestoreOutcome::kNoFileName;
  if (!IsCopyNameOf(FileName(copy_path), name)) return RestoreOutcome::kOtherFile;
  return std::nullopt;
}

// RestoreTarget with `files`, saying in `why` which check refused the copy
// (the first a user can act on).
std::optional<std::string> CheckedTarget(platform::Files& files, const std::string& copy_path,
                                         const std::string& former, const std::vector<std::string>& folders,
                                         RestoreOutcome* why) {
  const auto refuse = [&](RestoreOutcome outcome) -> std::optional<std::string> {
    *why = outcome;
    return std::nullopt;
  };
  const std::optional<std::string> target = ResolvedPath(former);
  const std::optional<std::string> known = LongPath(files, former);
  if (!target || !known) return refuse(RestoreOutcome::kIndexNotAPath);
  // The name rules as the spelling has them, and on the name the system
  // knows the file by (an 8.3 alias in the index).
  if (const auto fault = NameFault(copy_path, *target)) return refuse(*fault);
  if (!LinkOnPath(files, *target).empty()) return refuse(RestoreOutcome::kLink);
  if (const auto fault = NameFault(copy_path, *known)) return refuse(*fault);
  if (IsInsideFolder(files, *target, files.ProgramFolder())) return refuse(RestoreOutcome::kNotCleaned);
  const std::string parent = ParentOfResolved(*target);
  for (const std::string& folder : folders) {
    // "C:" alone is the drive's current folder; with the separator it is its root.
    if (IsSameFile(files, parent, folder + "\\")) return target;
  }
  return refuse(RestoreOutcome::kNotCleaned);
}

}  // namespace

std::optional<std::string> RestoreTarget(const std::string& copy_path, const std::string& former,
                                         const std::vector<std::string>& folders) {
  const std::optional<std::string> target = ResolvedPath(former);
  if (!target || NameFault(copy_path, *target)) return std::nullopt;
  const std::string parent = ParentOfResolved(*target);
  for (const std::string& folder : folders) {
    // "C:" alone is the drive's current folder; with the separator it is its root.
    const std::optional<std::string> home = ResolvedPath(folder + "\\");
    if (home && SamePath(*home, parent)) return target;
  }
  return std::nullopt;
}

std::optional<std::string> RestoreTarget(platform::Files& files, const std::string& copy_path,
                                         const std::string& former, const std::vector<std::string>& folders) {
  RestoreOutcome why = RestoreOutcome::kRestored;
  return CheckedTarget(files, copy_path, former, folders, &why);
}

namespace {

RestoreOutcome IndexOutcome(IndexStatus status) {
  switch (status) {
    case IndexStatus::kRead: return RestoreOutcome::kRestored;
    case IndexStatus::kMissing: return RestoreOutcome::kIndexMissing;
    case IndexStatus::kUnreadable: return RestoreOutcome::kIndexUnreadable;
    case IndexStatus::kEmpty: return RestoreOutcome::kIndexEmpty;
    case IndexStatus::kCutOff: return RestoreOutcome::kIndexCutOff;
    case IndexStatus::kWideText: return RestoreOutcome::kIndexWideText;
    case IndexStatus::kNotAPath: return RestoreOutcome::kIndexNotAPath;
  }
  return RestoreOutcome::kIndexUnreadable;
}

}  // namespace

RestorePlan PlanRestore(platform::Files& files, const std::string& copy_path,
                        const std::vector<std::string>& folders) {
  RestorePlan plan;
  if (ThroughLink(files, copy_path)) {
    plan.outcome = RestoreOutcome::kLink;
    return plan;
  }
  const IndexRead index = ReadIndex(files, copy_path);
  plan.former = index.path;
  plan.outcome = IndexOutcome(index.status);
  if (plan.outcome != RestoreOutcome::kRestored) return plan;
  const std::optional<std::string> target = CheckedTarget(files, copy_path, plan.former, folders, &plan.outcome);
  if (!target) return plan;
  plan.target = *target;
  if (!files.FolderExists(ParentOfResolved(*target))) plan.outcome = RestoreOutcome::kFolderGone;
  return plan;
}

RestoreOutcome RestoreBackupCopy(platform::Files& files, const std::string& copy_path,
                                 const std::vector<std::string>& folders) {
  const RestorePlan plan = PlanRestore(files, copy_path, folders);
  if (plan.outcome != RestoreOutcome::kRestored) return plan.outcome;
  // The file is back on the disk before its copy goes.
  if (!WriteInPlace(files, plan.target, [&](const std::string& at) { return files.CopyFile(copy_path, at); }))
    return RestoreOutcome::kCopyBackFailed;
  if (!files.DeleteFile(copy_path)) return RestoreOutcome::kCleanUpFailed;
  if (!files.DeleteFile(copy_path + ".index")) return RestoreOutcome::kCleanUpFailed;
  return RestoreOutcome::kRestored;
}

bool RemoveBackupCopy(platform::Files& files, const std::string& copy_path) {
  if (ThroughLink(files, copy_path) || !files.DeleteFile(copy_path)) return false;
  files.DeleteFile(copy_path + ".index");
  return true;
}

}  // namespace ks
