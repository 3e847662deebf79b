// Finding a group's files and the backup copies of a backup folder.
#pragma once

#include <string>
#include <vector>

#include "cleaner/profile.h"
#include "platform/files.h"

namespace ks {

struct FoundFile {
  std::string name;  // what the list shows: the file name alone
  std::string path;  // the full path
};

// The files of one group, in list-file or directory order. Hidden and
// system files, folders and files named like a device are never found.
//  - List: each item of the list file (ProgramFolder\DATA\CLEANER\<name>)
//    names a file relative to the search folder. An item that is no plain
//    relative path (IsPlainRelativePath: a drive, an absolute or UNC path,
//    "..", a wildcard, a device name) is not listed; a path named twice is
//    listed once.
//  - Extension: the files whose long name ends with the extension, without
//    regard to case (the system's short names would also let "*.dll" find
//    "x.dll_old").
//  - Directory: every file of the folder.
// A missing list file or folder finds nothing.
std::vector<FoundFile> FindGroupFiles(platform::Files& files, const GroupSearch& search);

// A file pvx is still writing carries this suffix beside its final name;
// it is renamed into place once whole and on the disk.
inline constexpr const char* kUnfinishedSuffix = ".pvxtmp";

// Names in a backup folder that are no backup copies: index files
// ("<copy>.index") and unfinished files, compared without regard to case.
bool IsIndexOrUnfinished(const std::string& name);

// The backup copies in a backup folder: every file but index and
// unfinished files (IsIndexOrUnfinished) and files named like a device. A
// folder name that is no plain name finds nothing.
std::vector<FoundFile> FindBackupCopies(platform::Files& files, const std::string& backup_folder);

// ProgramFolder\Data\cleaner\backup\<name>, without a trailing backslash.
std::string BackupFolderPath(platform::Files& files, const std::string& name);

// True when `text` ends with `suffix`, ASCII letters compared without case.
bool EndsWithNoCase(const std::string& text, const std::string& suffix);
// Windows path comparison: ASCII letters without case.
bool SamePath(const std::string& a, const std::string& b);

}  // namespace ks
