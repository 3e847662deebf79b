// File service. Paths are Windows paths (backslashes, drive letters) and
// every text is ANSI bytes, never converted.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ks::platform {

// The file attribute bits the suite reads (GetFileAttributesA).
inline constexpr std::uint32_t kAttributeHidden = 0x2;
inline constexpr std::uint32_t kAttributeSystem = 0x4;
inline constexpr std::uint32_t kAttributeDirectory = 0x10;
// A junction or a symbolic link (Wine reports a Unix symbolic link so).
inline constexpr std::uint32_t kAttributeReparsePoint = 0x400;

// Which file or folder a path opens on the disk: its volume's serial number
// and its file index there (GetFileInformationByHandle). Two paths with the
// same identity open the same thing, however they are spelled.
struct FileIdentity {
  std::uint32_t volume = 0;
  std::uint64_t index = 0;
  bool operator==(const FileIdentity&) const = default;
};

class Files {
 public:
  virtual ~Files() = default;

  // The folder of the running executable, without a trailing backslash.
  virtual std::string ProgramFolder() = 0;
  // The running executable's own full path (GetModuleFileNameA): the
  // program folder, a backslash and the file name, as the system spells
  // it, which need not be the spelling of the command line that started it.
  virtual std::string ProgramPath() = 0;
  // The user's temporary folder, without a trailing backslash.
  virtual std::string TempFolder() = 0;
  // Whole file; false (and bytes untouched) when it cannot be read.
  virtual bool ReadFile(const std::string& path, std::string* bytes) = 0;
  // Creates or replaces the file; false when it cannot be written. The bytes
  // may still be in the system's cache when it returns (see ReplaceFile).
  virtual bool WriteFile(const std::string& path, const std::string& bytes) = 0;
  // Adds the bytes at the end of the file (creating it when missing) in one
  // write and closes it again, so they are on disk when it returns; false
  // when it cannot be written.
  virtual bool AppendFile(const std::string& path, const std::string& bytes) = 0;
  // As WriteFile, then reads the file back through the same handle: false
  // unless it holds exactly `bytes`. (Cheaper than a second open.)
  virtual bool WriteFileChecked(const std::string& path, const std::string& bytes) = 0;
  virtual bool FileExists(const std::string& path) = 0;
  virtual bool FolderExists(const std::string& path) = 0;
  // Names (no folder) of the normal files matching a pattern such as
  // "C:\x\*.dat", in the order the directory listing returns them.
  virtual std::vector<std::string> List(const std::string& pattern) = 0;
  // List with each file's attributes as the same directory listing gives
  // them (those of a link itself, as GetFileAttributes tells them), so a
  // caller that must look at them makes no call per file.
  struct ListedFile {
    std::string name;
    std::uint32_t attributes = 0;
  };
  virtual std::vector<ListedFile> ListWithAttributes(const std::string& pattern) = 0;
  // Names of the subfolders of a folder, without "." and "..".
  virtual std::vector<std::string> ListFolders(const std::string& folder) = 0;
  virtual bool DeleteFile(const std::string& path) = 0;
  // Copies, replacing an existing target.
  virtual bool CopyFile(const std::string& from, const std::string& to) = 0;
  // Creates one folder; its parent must exist.
  virtual bool CreateFolder(const std::string& path) = 0;
  // Puts a file written whole in place of another: flushes `from` to the
  // disk, then renames it over `to` (MoveFileExA with
  // MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH), so that after a
  // power cut `to` holds either its old bytes or all of the new ones. False,
  // and both files as they were, when it cannot (a missing source, a locked
  // target, a flush that fails).
  virtual bool ReplaceFile(const std::string& from, const std::string& to) = 0;
  // The process's current folder (SetCurrentDirectoryA); a drive such as
  // "D:" makes that drive current. False when the folder does not exist.
  virtual bool SetCurrentFolder(const std::string& path) = 0;
  // The attributes of the entry the path names (GetFileAttributesA): of a
  // link itself, not of what it points to. Nullopt when nothing is there.
  virtual std::optional<std::uint32_t> GetFileAttributes(const std::string& path) = 0;
  // The path with every part in its long name (GetLongPathNameA): an 8.3
  // alias ("PROGRA~1") becomes the name it stands for; a link stays the
  // link's name. "" when a part does not exist.
  virtual std::string GetLongPathName(const std::string& path) = 0;
  // The path with every part in its 8.3 alias where it has one
  // (GetShortPathNameA); "" when a part does not exist.
  virtual std::string GetShortPathName(const std::string& path) = 0;
  // The identity of what the path opens, links followed (CreateFileA with
  // FILE_FLAG_BACKUP_SEMANTICS, so a folder opens too, then
  // GetFileInformationByHandle). False when it cannot be opened.
  virtual bool GetFileIdentity(const std::string& path, FileIdentity* out) = 0;
  // The path of what `path` opens, every link followed, in long names
  // (CreateFileA, then GetFinalPathNameByHandleA without its "\\?\"
  // prefix): "C:\\WINDOWS\\system32\\kernel32.dll" for a link onto it. ""
  // when nothing opens, or where the system lacks the call (before Vista).
  // Wine shows a link to a file as the file itself, but this call tells it.
  virtual std::string GetFinalPathName(const std::string& path) = 0;
  // The drives, in letter order, as "c:" (lower case, GetLogicalDriveStrings).
  virtual std::vector<std::string> Drives() { return {"c:"}; }
};

// Joins a folder and a relative part with exactly one backslash between them.
std::string JoinPath(const std::string& folder, const std::string& rest);

}  // namespace ks::platform
