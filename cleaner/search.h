// Finding a group's files and the backup copies of a backup folder.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cleaner/profile.h"
#include "platform/files.h"

namespace ks {

struct FoundFile {
  std::string name;  // what the list shows: the file name alone
  std::string path;  // the full path
};

// The one name rule of every search: a name the system listed is found
// only when it is a plain name (IsPlainName) that does not end in a dot or
// a blank. Windows drops those when it opens a name, so "sys.dat." (made
// through "\\?\") would open a hidden "sys.dat" beside it.
bool IsListableName(std::string_view name);

// How a list file was read.
enum class ListFileStatus {
  kRead,
  kMissing,   // no such file, or it cannot be read
  kWideText,  // UTF-16 (a byte-order mark or NUL bytes): refused whole
};

struct ListFile {
  ListFileStatus status = ListFileStatus::kMissing;
  std::vector<std::string> items;  // in file order; empty unless kRead
};

// ProgramFolder\DATA\CLEANER\<name>.
std::string ListFilePath(platform::Files& files, const std::string& name);

// The items of a list file under the data-file convention. A UTF-8
// byte-order mark at its start is skipped.
ListFile ReadListFile(platform::Files& files, const std::string& name);

// The files of one group, in list-file or directory order. Hidden and
// system files, folders, names that are not listable (IsListableName),
// anything inside pvx's own folder (its programs, data and backups) as the
// file system resolves it (IsInsideFolder with `files`: an 8.3 alias or a
// link onto it counts) and links (a file that is one, a folder that is or
// lies behind one: LinkOnPath) are never found.
//  - List: each item of the list file (ListFilePath) names a file relative
//    to the search folder. An item that is no plain relative path
//    (IsPlainRelativePath: a drive, an absolute or UNC path, "..", a
//    wildcard, a device name, a trailing dot or blank) is not listed; a
//    path named twice is listed once.
//  - Extension: the files whose long name ends with the extension, without
//    regard to case (the system's short names would also let "*.dll" find
//    "x.dll_old").
//  - Directory: every file of the folder.
// A missing list file or folder finds nothing, and so does a refused list
// file; `list_status`, when given, says how the list file was read (kRead
// for the other kinds).
std::vector<FoundFile> FindGroupFiles(platform::Files& files, const GroupSearch& search,
                                      ListFileStatus* list_status = nullptr);
// The same with pvx's folder and the search folder resolved in `guards`
// (once per profile); the search asks per action whether a link stands on
// the search folder's way, and per file only the entries below it.
std::vector<FoundFile> FindGroupFiles(FolderGuards& guards, const GroupSearch& search,
                                      ListFileStatus* list_status = nullptr);

// The folders a group's files are found in, and so the only folders its
// backup copies may go back to: for a List the folders its items name
// (the search folder for an item without a sub-path), never pvx's own
// folder; for the other kinds the search folder. Empty when the list file
// cannot be used.
std::vector<std::string> GroupFolders(platform::Files& files, const GroupSearch& search);
std::vector<std::string> GroupFolders(FolderGuards& guards, const GroupSearch& search);

// A file pvx is still writing carries this suffix beside its final name;
// it is renamed into place once whole and on the disk.
inline constexpr const char* kUnfinishedSuffix = ".pvxtmp";

// Names in a backup folder that are no backup copies: index files
// ("<copy>.index") and unfinished files, compared without regard to case.
bool IsIndexOrUnfinished(const std::string& name);

// The backup copies in a backup folder: every file but index and
// unfinished files (IsIndexOrUnfinished), names that are not listable
// (IsListableName) and links. A folder name that is no plain name finds
// nothing, and so does a backup folder that is a link or lies behind one
// below pvx's folder.
std::vector<FoundFile> FindBackupCopies(platform::Files& files, const std::string& backup_folder);

// ProgramFolder\Data\cleaner\backup\<name>, without a trailing backslash.
std::string BackupFolderPath(platform::Files& files, const std::string& name);

// True when `text` ends with `suffix`, ASCII letters compared without case.
bool EndsWithNoCase(const std::string& text, const std::string& suffix);
// Windows path comparison: ASCII letters without case.
bool SamePath(const std::string& a, const std::string& b);

}  // namespace ks
