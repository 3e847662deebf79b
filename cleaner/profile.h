// Cleaner profiles: which files of an installed driver pvx lists and where
// it keeps their backups. A profile ("data\cleaner\<name>.pvx") holds nine
// items under the suite's data-file convention: description, the two group
// labels, kind and search rule of each group, and the two backup folder
// names. A group's kind is "List", "Extension" or "Directory" (group 2 may
// have none); its search rule starts with a root code: "SYS" (the system
// folder), "WIN" (the Windows folder) or "SYD" (the system drive).
//   List       code [\sub\path] "-" list-file name     (a file of DATA\CLEANER)
//   Extension  code [\sub\path] "-" .ext               (exactly four characters)
//   Directory  code \path                              (every file of the folder)
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/paths.h"

namespace ks {

struct CleanerProfile {
  std::string ProfileDescription;
  std::string GroupLabel1;
  std::string GroupLabel2;  // empty: the profile has one group
  std::string GroupKind1;
  std::string GroupSpec1;
  std::string GroupKind2;   // empty: group 2 has no files
  std::string GroupSpec2;
  std::string BackupFolder1;
  std::string BackupFolder2;
};

// The nine items of a profile file, in order; items the file does not
// have are empty, items after the ninth are ignored.
CleanerProfile ParseCleanerProfile(const std::string& bytes);

// The folders the root codes name, and those a rule is checked against.
struct RootFolders {
  std::string SysDir;    // WinDir\SYSTEM32, or WinDir\SYSTEM without the "OS" variable
  std::string WinDir;    // the "windir" variable
  std::string SysDrive;  // the first two characters of WinDir ("C:")
  // Never searched from, only kept safe: the folders the system names as
  // its system folder (GetSystemDirectory) and its Windows folder
  // (GetWindowsDirectory), whatever the environment says, and pvx's own
  // folder, which holds its backups.
  std::string SystemFolder;
  std::string ProgramFolder;
  std::string WindowsFolder;
};
RootFolders MakeRootFolders(const std::string& windir, const std::string& os, const std::string& system_folder = "",
                            const std::string& program_folder = "", const std::string& windows_folder = "");

// The folders no "Extension" or "Directory" rule may empty: the Windows
// folder in each of its names (WinDir, WindowsFolder, the system folder's
// parent), the system folder in every spelling (SysDir, SystemFolder, and
// SYSTEM, SYSTEM32 and SysWOW64 below each Windows folder) and the "config"
// folder below each. A rule is refused when its folder is one of them, a
// folder above one, or a drive root.
std::vector<std::string> ProtectedFolders(const RootFolders& roots);

// The folder of a root code (compared exactly); nullopt for any other code
// and for a root the machine did not name.
std::optional<std::string> RootFolder(const RootFolders& roots, std::string_view code);

enum class GroupKind { kList, kExtension, kDirectory };

// How one group's files are found.
struct GroupSearch {
  GroupKind kind = GroupKind::kList;
  std::string folder;     // the search folder
  std::string list_file;  // List: the list file's name inside DATA\CLEANER
  std::string extension;  // Extension: four characters, the dot first
};

// What the checks of one profile resolve once on the disk (KnownFolder):
// pvx's own folder, the protected folders and each rule's folder, and each
// rule's answer. A profile load makes one; the searches, deletes and
// restores of that profile take its answers and ask the disk again only
// what can change between them: whether a link now stands on a folder's
// way, and each file's own attributes and final path. It keeps a reference
// to `files`, which must outlive it.
class FolderGuards {
 public:
  FolderGuards(platform::Files& files, RootFolders roots);

  platform::Files& files() const { return files_; }
  const RootFolders& roots() const { return roots_; }
  // pvx's folder as the file service names it (Files::ProgramFolder).
  const KnownFolder& ProgramFolder();
  // roots().ProgramFolder, the folder the rules are kept out of; nullptr
  // when the roots name none.
  const KnownFolder* RulesProgramFolder();
  // ProtectedFolders(roots()), each spelling once, in their order.
  struct Protected {
    std::string spelled;
    KnownFolder known;
  };
  const std::vector<Protected>& ProtectedFolders();
  // Any folder, resolved at its first call.
  const KnownFolder& Know(const std::string& folder);

  // A rule's answer once checked (ParseGroup): its search or its fault.
  struct Rule {
    std::optional<GroupSearch> search;
    std::string fault;
  };
  const Rule* CheckedRule(const std::string& kind, const std::string& spec) const;
  void Remember(const std::string& kind, const std::string& spec, Rule rule);

 private:
  platform::Files& files_;
  RootFolders roots_;
  IdentityMemo identities_;
  std::map<std::string, KnownFolder> known_;  // by folded resolved path
  std::optional<std::vector<Protected>> protected_;
  std::map<std::pair<std::string, std::string>, Rule> rules_;
};

// A group's search, or nullopt when the kind is unknown or the
// search rule cannot be used: an unknown root code, a sub-path that does
// not start with "\" or whose parts are no plain names (IsPlainRelativePath:
// no "..", drive, device name or trailing dot), a list-file name that is not
// a plain name, an extension that is not "." and three characters without
// wildcards. An "Extension" or "Directory" rule may not take the files of a
// drive root, a protected folder (ProtectedFolders) or a folder above one
// of them (compared without regard to case). No rule may search pvx's own
// folder or a folder inside it, such as its backup folder.
// These folders compare by their spelling alone; the program asks the
// overload below, which asks the file system.
std::optional<GroupSearch> ParseGroup(const RootFolders& roots, const std::string& kind, const std::string& spec);

// ParseGroup with every folder compared as the file system resolves it
// (IsInsideFolder and CoversFolder with `files`: long names, file identity),
// so an 8.3 alias, a link or another drive letter onto a protected folder
// or pvx's own folder is refused as the folder itself is. A rule whose
// folder is a link or lies behind one (LinkOnPath) is refused too: pvx
// never follows a link. `fault`, when given, gets why a rule is refused
// ("" when it is not): the part of the rule that cannot be read (kind,
// root code, a root the machine did not name, sub-path, list file,
// extension), or the folder or link at fault.
std::optional<GroupSearch> ParseGroup(platform::Files& files, const RootFolders& roots, const std::string& kind,
                                      const std::string& spec, std::string* fault = nullptr);
// The same with the folders resolved once in `guards`, whose roots are the
// roots; a rule asked again gets the answer it got.
std::optional<GroupSearch> ParseGroup(FolderGuards& guards, const std::string& kind, const std::string& spec,
                                      std::string* fault = nullptr);

// The profile check: "" when the profile can be used, otherwise what is
// wrong with it. A profile fails when a description, group 1's label or
// group 1's backup folder is missing; when group 1's search rule is
// shorter than 8 characters; when a group's kind or search rule cannot
// be used (see ParseGroup); when a group's "Directory" rule names a folder
// at or below the Windows folder (WinDir, WindowsFolder or the system
// folder's parent: it would take the system's own files, such as every
// driver of system32\drivers; a "List" there names its files and stays
// allowed); when group 2 has files but no label (they would be deleted
// unseen) or no backup folder; or when a backup folder name is not a plain
// folder name. A refused group's fault names its rule as the profile spells
// it ("group 1's rule "Directory","SYD\x" cannot be used: ...") and why,
// with the folder at fault. pvx runs it once per profile load and searches
// nothing of a profile that fails it.
std::string ProfileFault(const CleanerProfile& profile, const RootFolders& roots);
// The same check with the groups read by ParseGroup with `files` and the
// Windows folder compared as the file system resolves it (IsInsideFolder
// with `files`: an 8.3 alias of it counts).
std::string ProfileFault(platform::Files& files, const CleanerProfile& profile, const RootFolders& roots);
// The same with the folders resolved once in `guards`.
std::string ProfileFault(FolderGuards& guards, const CleanerProfile& profile);

}  // namespace ks
