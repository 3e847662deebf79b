#include "cleaner/search.h"

#include <algorithm>

#include "common/datafile.h"
#include "common/paths.h"
#include "platform/names.h"

namespace ks {

namespace {

std::string LastPart(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

void AddOnce(std::vector<FoundFile>& found, FoundFile file) {
  for (const FoundFile& f : found)
    if (SamePath(f.path, file.path)) return;
  found.push_back(std::move(file));
}

}  // namespace

bool EndsWithNoCase(const std::string& text, const std::string& suffix) {
  return suffix.size() <= text.size() &&
         SameTextIgnoringCase(std::string_view(text).substr(text.size() - suffix.size()), suffix);
}

bool SamePath(const std::string& a, const std::string& b) { return SameTextIgnoringCase(a, b); }

bool IsIndexOrUnfinished(const std::string& name) {
  return EndsWithNoCase(name, ".index") || EndsWithNoCase(name, kUnfinishedSuffix);
}

std::string BackupFolderPath(platform::Files& files, const std::string& name) {
  return files.ProgramFolder() + "\\Data\\cleaner\\backup\\" + name;
}

bool IsListableName(std::string_view name) {
  return name.find_first_of("\\/") == std::string_view::npos && IsPlainRelativePath(name);
}

std::string ListFilePath(platform::Files& files, const std::string& name) {
  return files.ProgramFolder() + "\\DATA\\CLEANER\\" + name;
}

ListFile ReadListFile(platform::Files& files, const std::string& name) {
  ListFile list;
  std::string bytes;
  if (!files.ReadFile(ListFilePath(files, name), &bytes)) return list;
  // A UTF-16 file read as ANSI text is a NUL after every letter: its items
  // would name nothing, so the file is refused rather than read as empty.
  const bool bom16 = bytes.size() >= 2 && ((bytes[0] == '\xFF' && bytes[1] == '\xFE') ||
                                           (bytes[0] == '\xFE' && bytes[1] == '\xFF'));
  if (bom16 || bytes.find('\0') != std::string::npos) {
    list.status = ListFileStatus::kWideText;
    return list;
  }
  list.status = ListFileStatus::kRead;
  FieldReader reader(std::string(WithoutUtf8Mark(bytes)));
  while (!reader.AtEnd()) list.items.push_back(reader.Next());
  return list;
}

namespace {

// The search folder of one action: resolved once per profile (in the
// guards), asked once per action whether a link stands on its way and what
// it opens, so that each item asks only its own entries.
struct SearchFolder {
  std::string spelled;     // the search folder as the rule names it
  std::string folder;      // with its separator ("C:" alone is the drive's current folder)
  bool usable = false;     // not inside pvx's folder, no link on its way
  std::string opens;       // its final path ("" when the system does not tell)
  const KnownFolder* pvx = nullptr;
  bool holds_pvx = false;  // pvx's folder is the search folder or lies below it: items may name it
};

SearchFolder CheckSearchFolder(FolderGuards& guards, const GroupSearch& search) {
  SearchFolder at;
  at.spelled = search.folder;
  at.folder = search.folder + "\\";
  at.pvx = &guards.ProgramFolder();
  const KnownFolder& known = guards.Know(at.folder);
  // pvx never takes its own files, whatever folder a rule names, and never
  // enters a link, which may lead anywhere.
  if (known.resolved.empty() || IsInsideFolder(known, *at.pvx)) return at;
  if (!LinkOnPath(guards.files(), at.folder, "", &at.opens).empty()) return at;
  at.usable = true;
  at.holds_pvx = IsInsideFolder(*at.pvx, known);
  return at;
}

// A path of a list item below the search folder; "" when the item is no
// plain relative path, the path lies inside pvx's own folder as the file
// system resolves it, or a link stands on its way.
std::string ItemPath(platform::Files& files, const SearchFolder& at, const std::string& item) {
  // An item names a file at or below the search folder: no drive, "..",
  // wildcard, device name or trailing dot or blank.
  if (!at.usable || !IsPlainRelativePath(item)) return "";
  const std::string path = platform::JoinPath(at.spelled, item);
  // Below a folder that holds no link the item reaches pvx's folder only
  // when that lies below the search folder.
  if (at.holds_pvx && IsInsideFolder(files, path, *at.pvx)) return "";
  return LinkBelow(files, path, at.folder, at.opens).empty() ? path : "";
}

// An entry of a listing that is a link: it is no file, and pvx never enters it.
bool IsLinkEntry(const platform::Files::ListedFile& file) {
  return (file.attributes & platform::kAttributeReparsePoint) != 0;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? "" : path.substr(0, slash);
}

}  // namespace

std::vector<FoundFile> FindGroupFiles(platform::Files& files, const GroupSearch& search, ListFileStatus* list_status) {
  FolderGuards guards(files, RootFolders{});
  return FindGroupFiles(guards, search, list_status);
}

std::vector<FoundFile> FindGroupFiles(FolderGuards& guards, const GroupSearch& search, ListFileStatus* list_status) {
  platform::Files& files = guards.files();
  std::vector<FoundFile> found;
  if (list_status) *list_status = ListFileStatus::kRead;
  if (search.kind == GroupKind::kList) {
    const ListFile list = ReadListFile(files, search.list_file);
    if (list_status) *list_status = list.status;
    if (list.items.empty()) return found;
    const SearchFolder at = CheckSearchFolder(guards, search);
    if (!at.usable) return found;
    for (const std::string& item : list.items) {
      if (!IsPlainRelativePath(item)) continue;
      const std::string path = platform::JoinPath(search.folder, item);
      const std::string name = LastPart(path);
      // The listing of the exact name leaves hidden, system and folder
      // entries out; only a name found is asked about links.
      for (const std::string& listed : files.List(path)) {
        if (SamePath(listed, name) && IsListableName(listed)) {
          if (!ItemPath(files, at, item).empty())
            AddOnce(found, {listed, path.substr(0, path.size() - name.size()) + listed});
          break;
        }
      }
    }
    return found;
  }
  if (!CheckSearchFolder(guards, search).usable) return found;
  const std::string pattern = search.kind == GroupKind::kExtension ? "*" + search.extension : "*.*";
  // The listing tells each file's attributes: a link among them is no file.
  for (const platform::Files::ListedFile& file : files.ListWithAttributes(platform::JoinPath(search.folder, pattern))) {
    if (!IsListableName(file.name) || IsLinkEntry(file)) continue;
    if (search.kind == GroupKind::kExtension && !EndsWithNoCase(file.name, search.extension)) continue;
    found.push_back({file.name, platform::JoinPath(search.folder, file.name)});
  }
  return found;
}

std::vector<std::string> GroupFolders(platform::Files& files, const GroupSearch& search) {
  FolderGuards guards(files, RootFolders{});
  return GroupFolders(guards, search);
}

std::vector<std::string> GroupFolders(FolderGuards& guards, const GroupSearch& search) {
  if (search.kind != GroupKind::kList) return {search.folder};
  std::vector<std::string> folders;
  const ListFile list = ReadListFile(guards.files(), search.list_file);
  if (list.items.empty()) return folders;
  const SearchFolder at = CheckSearchFolder(guards, search);
  for (const std::string& item : list.items) {
    const std::string path = ItemPath(guards.files(), at, item);
    if (path.empty()) continue;
    const std::string folder = FolderOf(path);
    if (std::none_of(folders.begin(), folders.end(), [&](const std::string& f) { return SamePath(f, folder); }))
      folders.push_back(folder);
  }
  return folders;
}

std::vector<FoundFile> FindBackupCopies(platform::Files& files, const std::string& backup_folder) {
  std::vector<FoundFile> found;
  if (!IsPlainName(backup_folder)) return found;
  const std::string folder = BackupFolderPath(files, backup_folder);
  // A backup folder that is a link (or lies behind one below pvx's folder)
  // holds no copies of pvx's own: what it shows is somewhere else.
  if (!LinkOnPath(files, folder, files.ProgramFolder()).empty()) return found;
  for (const platform::Files::ListedFile& file : files.ListWithAttributes(folder + "\\*.*")) {
    if (!IsIndexOrUnfinished(file.name) && IsListableName(file.name) && !IsLinkEntry(file))
      found.push_back({file.name, folder + "\\" + file.name});
  }
  return found;
}

}  // namespace ks
