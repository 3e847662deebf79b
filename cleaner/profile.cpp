#include "cleaner/profile.h"

#include <algorithm>

#include "common/datafile.h"
#include "common/paths.h"
#include "platform/names.h"

namespace ks {

namespace {

constexpr int kItemCount = 9;

// A sub-path below a root: empty, or "\" followed by folder names that stay
// below it.
bool IsSafeSubPath(std::string_view sub) {
  return sub.empty() || (sub.front() == '\\' && IsPlainRelativePath(sub.substr(1)));
}

// A folder whose every file may go: not a drive root, a protected folder
// or a folder above one of them. A folder that cannot be resolved is
// refused too.
bool MayEmpty(const std::string& folder, const RootFolders& roots) {
  // "C:" alone is the drive's current folder; with the separator it is its root.
  const std::string spelled = folder + "\\";
  if (!ResolvedPath(spelled) || IsDriveRoot(spelled)) return false;
  for (const std::string& kept : ProtectedFolders(roots))
    if (CoversFolder(spelled, kept)) return false;
  return true;
}

// The Windows folder in each of its names: the "windir" variable, the folder
// the system names and the one above the system folder (the environment may
// name another Windows folder than the system does). Names not given are left out.
std::vector<std::string> WindowsFolderNames(const RootFolders& roots) {
  std::vector<std::string> names;
  for (const std::string& name : {roots.WinDir, roots.WindowsFolder})
    if (!name.empty()) names.push_back(name);
  const size_t slash = roots.SystemFolder.find_last_of("\\/");
  if (slash != std::string::npos && slash > 2) names.push_back(roots.SystemFolder.substr(0, slash));
  return names;
}

}  // namespace

CleanerProfile ParseCleanerProfile(const std::string& bytes) {
  FieldReader reader(bytes);
  std::string items[kItemCount];
  for (std::string& item : items) item = reader.Next();
  return CleanerProfile{items[0], items[1], items[2], items[3], items[4],
                        items[5], items[6], items[7], items[8]};
}

RootFolders MakeRootFolders(const std::string& windir, const std::string& os, const std::string& system_folder,
                            const std::string& program_folder, const std::string& windows_folder) {
  RootFolders roots;
  roots.WinDir = windir;
  roots.SystemFolder = system_folder;
  roots.ProgramFolder = program_folder;
  roots.WindowsFolder = windows_folder;
  if (windir.empty()) return roots;
  roots.SysDir = windir + (os.empty() ? "\\SYSTEM" : "\\SYSTEM32");
  roots.SysDrive = windir.substr(0, 2);
  return roots;
}

std::vector<std::string> ProtectedFolders(const RootFolders& roots) {
  std::vector<std::string> system_folders = {roots.SysDir, roots.SystemFolder};
  std::vector<std::string> kept;
  for (const std::string& windows : WindowsFolderNames(roots)) {
    kept.push_back(windows);
    // The "OS" variable may be missing or wrong: every spelling is kept.
    for (const char* name : {"\\SYSTEM", "\\SYSTEM32", "\\SysWOW64"}) system_folders.push_back(windows + name);
  }
  for (const std::string& folder : system_folders) {
    if (folder.empty()) continue;
    kept.push_back(folder);
    kept.push_back(folder + "\\config");
  }
  std::erase_if(kept, [](const std::string& folder) { return !ResolvedPath(folder); });
  return kept;
}

std::optional<std::string> RootFolder(const RootFolders& roots, std::string_view code) {
  const std::string* folder = nullptr;
  if (code == "SYS") folder = &roots.SysDir;
  if (code == "WIN") folder = &roots.WinDir;
  if (code == "SYD") folder = &roots.SysDrive;
  if (folder == nullptr || folder->empty()) return std::nullopt;
  return *folder;
}

namespace {

// The rule as its text reads: kind, root, sub-path, list file, extension.
// `why` gets the reason of a rule that cannot be read.
std::optional<GroupSearch> ReadRule(const RootFolders& roots, const std::string& kind, const std::string& spec,
                                    std::string* why) {
  const auto refuse = [&](std::string reason) -> std::optional<GroupSearch> {
    *why = std::move(reason);
    return std::nullopt;
  };
  if (kind != "List" && kind != "Extension" && kind != "Directory")
    return refuse("its kind \"" + kind + "\" is none of List, Extension and Directory");
  const std::string code = spec.substr(0, 3);
  const auto root = RootFolder(roots, code);
  if (!root) {
    if (code != "SYS" && code != "WIN" && code != "SYD")
      return refuse("its root code \"" + code + "\" is none of SYS, WIN and SYD");
    return refuse("its root code " + code + " names no folder: the windir variable is not set");
  }
  GroupSearch search;
  std::string sub;
  const size_t dash = spec.find('-', 3);
  if (kind == "List") {
    search.kind = GroupKind::kList;
    if (dash == std::string::npos) {
      search.list_file = spec.size() > 4 ? spec.substr(4) : std::string();
    } else {
      sub = spec.substr(3, dash - 3);
      search.list_file = spec.substr(dash + 1);
    }
    if (!IsPlainName(search.list_file))
      return refuse("its list file \"" + search.list_file + "\" is no plain file name of DATA\\CLEANER");
  } else if (kind == "Extension") {
    search.kind = GroupKind::kExtension;
    if (dash != std::string::npos) sub = spec.substr(3, dash - 3);
    search.extension = spec.size() >= 4 ? spec.substr(spec.size() - 4) : std::string();
    if (search.extension.size() != 4 || search.extension[0] != '.' ||
        search.extension.find_first_of("\\/:*?\"<>|. ", 1) != std::string::npos) {
      return refuse("its extension \"" + search.extension +
                    "\" is not a dot and three characters a file name may end with");
    }
  } else {
    search.kind = GroupKind::kDirectory;
    sub = spec.size() > 3 ? spec.substr(3) : std::string();
  }
  if (!IsSafeSubPath(sub))
    return refuse("its sub-path \"" + sub + "\" is no path of plain folder names below " + *root);
  search.folder = *root + sub;
  return search;
}

}  // namespace

std::optional<GroupSearch> ParseGroup(const RootFolders& roots, const std::string& kind, const std::string& spec) {
  std::string unread;
  std::optional<GroupSearch> search = ReadRule(roots, kind, spec, &unread);
  if (!search) return std::nullopt;
  // pvx's own files and its backups are never a group's files.
  if (!roots.ProgramFolder.empty() && IsInsideFolder(search->folder + "\\", roots.ProgramFolder)) return std::nullopt;
  // A list names its files one by one; the other kinds take every file of
  // the folder that matches, so a whole root is no folder for them.
  if (search->kind != GroupKind::kList && !MayEmpty(search->folder, roots)) return std::nullopt;
  return search;
}

FolderGuards::FolderGuards(platform::Files& files, RootFolders roots) : files_(files), roots_(std::move(roots)) {}

const KnownFolder& FolderGuards::Know(const std::string& folder) {
  const std::optional<std::string> resolved = ResolvedPath(folder);
  const std::string key = resolved ? LowerCase(*resolved) : std::string();
  auto at = known_.find(key);
  if (at == known_.end()) at = known_.emplace(key, KnowFolder(files_, folder, &identities_)).first;
  return at->second;
}

const KnownFolder& FolderGuards::ProgramFolder() { return Know(files_.ProgramFolder()); }

const KnownFolder* FolderGuards::RulesProgramFolder() {
  return roots_.ProgramFolder.empty() ? nullptr : &Know(roots_.ProgramFolder);
}

const std::vector<FolderGuards::Protected>& FolderGuards::ProtectedFolders() {
  if (!protected_) {
    protected_.emplace();
    // The Windows folder is named three ways and each system folder below
    // each: most spellings are one folder, asked once.
    std::vector<std::string> seen;
    for (const std::string& kept : ks::ProtectedFolders(roots_)) {
      const std::string folded = LowerCase(*ResolvedPath(kept));
      if (std::find(seen.begin(), seen.end(), folded) != seen.end()) continue;
      seen.push_back(folded);
      protected_->push_back({kept, Know(kept)});
    }
  }
  return *protected_;
}

const FolderGuards::Rule* FolderGuards::CheckedRule(const std::string& kind, const std::string& spec) const {
  const auto at = rules_.find({kind, spec});
  return at == rules_.end() ? nullptr : &at->second;
}

void FolderGuards::Remember(const std::string& kind, const std::string& spec, Rule rule) {
  rules_[{kind, spec}] = std::move(rule);
}

std::optional<GroupSearch> ParseGroup(platform::Files& files, const RootFolders& roots, const std::string& kind,
                                      const std::string& spec, std::string* fault) {
  FolderGuards guards(files, roots);
  return ParseGroup(guards, kind, spec, fault);
}

namespace {

// The checks of ParseGroup on the disk; `why` gets the fault.
std::optional<GroupSearch> CheckRule(FolderGuards& guards, const std::string& kind, const std::string& spec,
                                     std::string* why) {
  const auto refuse = [&](std::string text) -> std::optional<GroupSearch> {
    *why = std::move(text);
    return std::nullopt;
  };
  const RootFolders& roots = guards.roots();
  std::string unread;
  std::optional<GroupSearch> search = ReadRule(roots, kind, spec, &unread);
  if (!search) return refuse(unread);
  // "C:" alone is the drive's current folder; with the separator it is its root.
  const std::string folder = search->folder + "\\";
  if (!ResolvedPath(folder)) return refuse("its folder " + search->folder + " is no full path");
  const std::string link = LinkOnPath(guards.files(), folder);
  if (!link.empty()) {
    const bool itself = SameTextIgnoringCase(link, *ResolvedPath(folder));
    return refuse("its folder " + search->folder + (itself ? " is a link" : " lies behind the link " + link) +
                  ", and pvx follows no link");
  }
  const KnownFolder& known = guards.Know(folder);
  if (const KnownFolder* own = guards.RulesProgramFolder(); own && IsInsideFolder(known, *own))
    return refuse("its folder " + search->folder + " is pvx's own folder " + roots.ProgramFolder + " or lies inside it");
  // A list names its files one by one; the other kinds take every file of
  // the folder that matches.
  if (search->kind != GroupKind::kList) {
    if (IsDriveRoot(folder)) return refuse("its folder " + search->folder + " is a whole drive");
    for (const FolderGuards::Protected& kept : guards.ProtectedFolders()) {
      if (CoversFolder(known, kept.known))
        return refuse("its folder " + search->folder + " would take the files of " + kept.spelled);
    }
  }
  return search;
}

}  // namespace

std::optional<GroupSearch> ParseGroup(FolderGuards& guards, const std::string& kind, const std::string& spec,
                                      std::string* fault) {
  const FolderGuards::Rule* rule = guards.CheckedRule(kind, spec);
  if (!rule) {
    FolderGuards::Rule checked;
    checked.search = CheckRule(guards, kind, spec, &checked.fault);
    guards.Remember(kind, spec, std::move(checked));
    rule = guards.CheckedRule(kind, spec);
  }
  if (fault) *fault = rule->fault;
  return rule->search;
}

namespace {

// The Windows folders a Directory rule stays out of: each name that is a
// full path and no drive root.
std::vector<std::string> WindowsFolders(const RootFolders& roots) {
  std::vector<std::string> folders = WindowsFolderNames(roots);
  std::erase_if(folders, [](const std::string& folder) { return !ResolvedPath(folder) || IsDriveRoot(folder); });
  return folders;
}

// A Directory rule takes every file of its folder, whatever it is; at or
// below the Windows folder those are the system's own (system32\drivers
// holds every driver of the machine), so no such rule is taken. A List
// names its files one by one and stays allowed there. `inside` compares a
// folder with a Windows folder, by spelling or on the disk.
template <class Inside>
std::string DirectoryRuleFault(const GroupSearch& search, const RootFolders& roots, Inside inside) {
  if (search.kind != GroupKind::kDirectory) return "";
  for (const std::string& windows : WindowsFolders(roots)) {
    if (inside(search.folder + "\\", windows))
      return "its folder " + search.folder + " lies in the Windows folder " + windows +
             ", where a Directory rule would take the system's own files";
  }
  return "";
}

// The profile check, with each group read by `parse` (which sets the
// reason of a refused group) and its folder compared by `inside`. A
// group's reason names its rule as the profile file spells it.
template <class Parse, class Inside>
std::string FaultOf(const CleanerProfile& p, const RootFolders& roots, Parse parse, Inside inside) {
  const auto group_fault = [&](int group, const std::string& kind, const std::string& spec) {
    std::string why;
    const std::optional<GroupSearch> search = parse(kind, spec, &why);
    if (search) why = DirectoryRuleFault(*search, roots, inside);
    if (why.empty()) return why;
    return "group " + std::to_string(group) + "'s rule \"" + kind + "\",\"" + spec + "\" cannot be used: " + why;
  };
  std::string why;
  if (p.ProfileDescription.empty()) return "no description";
  if (p.GroupLabel1.empty()) return "no label for group 1";
  if (p.GroupSpec1.size() < 8) return "group 1's search rule \"" + p.GroupSpec1 + "\" is shorter than 8 characters";
  if (!(why = group_fault(1, p.GroupKind1, p.GroupSpec1)).empty()) return why;
  if (!IsPlainName(p.BackupFolder1)) return "group 1's backup folder is no plain folder name";
  if (!p.GroupKind2.empty()) {
    if (!(why = group_fault(2, p.GroupKind2, p.GroupSpec2)).empty()) return why;
    if (p.GroupLabel2.empty()) return "group 2 has files but no label";
  }
  if (!p.GroupLabel2.empty() && p.BackupFolder2.empty()) return "group 2 has no backup folder";
  if (!p.BackupFolder2.empty() && !IsPlainName(p.BackupFolder2)) return "group 2's backup folder is no plain folder name";
  return "";
}

}  // namespace

std::string ProfileFault(const CleanerProfile& p, const RootFolders& roots) {
  const auto parse = [&](const std::string& kind, const std::string& spec, std::string* why) {
    const std::optional<GroupSearch> read = ReadRule(roots, kind, spec, why);
    std::optional<GroupSearch> search = ParseGroup(roots, kind, spec);
    if (read && !search) {
      *why = "its folder " + read->folder +
             " lies in pvx's own folder, is a whole drive or would take the files of a folder pvx keeps";
    }
    return search;
  };
  return FaultOf(p, roots, parse, [](const std::string& path, const std::string& folder) {
    return IsInsideFolder(path, folder);
  });
}

std::string ProfileFault(platform::Files& files, const CleanerProfile& p, const RootFolders& roots) {
  FolderGuards guards(files, roots);
  return ProfileFault(guards, p);
}

std::string ProfileFault(FolderGuards& guards, const CleanerProfile& p) {
  const auto parse = [&](const std::string& kind, const std::string& spec, std::string* why) {
    return ParseGroup(guards, kind, spec, why);
  };
  // The Windows folders are resolved once, as every other folder of the profile.
  return FaultOf(p, guards.roots(), parse, [&](const std::string& path, const std::string& folder) {
    return IsInsideFolder(guards.Know(path), guards.Know(folder));
  });
}

}  // namespace ks
