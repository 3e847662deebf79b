#include "cleaner/search.h"

#include <cctype>

#include "common/datafile.h"
#include "common/paths.h"

namespace ks {

namespace {

char Fold(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

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
  if (suffix.size() > text.size()) return false;
  const size_t start = text.size() - suffix.size();
  for (size_t i = 0; i < suffix.size(); ++i)
    if (Fold(text[start + i]) != Fold(suffix[i])) return false;
  return true;
}

bool SamePath(const std::string& a, const std::string& b) {
  return a.size() == b.size() && EndsWithNoCase(a, b);
}

bool IsIndexOrUnfinished(const std::string& name) {
  return EndsWithNoCase(name, ".index") || EndsWithNoCase(name, kUnfinishedSuffix);
}

std::string BackupFolderPath(platform::Files& files, const std::string& name) {
  return files.ProgramFolder() + "\\Data\\cleaner\\backup\\" + name;
}

std::vector<FoundFile> FindGroupFiles(platform::Files& files, const GroupSearch& search) {
  std::vector<FoundFile> found;
  switch (search.kind) {
    case GroupKind::kList: {
      std::string bytes;
      if (!files.ReadFile(files.ProgramFolder() + "\\DATA\\CLEANER\\" + search.list_file, &bytes)) break;
      FieldReader reader(bytes);
      while (!reader.AtEnd()) {
        const std::string item = reader.Next();
        // An item names a file at or below the search folder: no drive,
        // "..", wildcard or device name.
        if (!IsPlainRelativePath(item)) continue;
        const std::string path = platform::JoinPath(search.folder, item);
        const std::string name = LastPart(path);
        // The listing of the exact name leaves hidden, system and folder entries out.
        for (const std::string& listed : files.List(path)) {
          if (SamePath(listed, name)) {
            AddOnce(found, {listed, path.substr(0, path.size() - name.size()) + listed});
            break;
          }
        }
      }
      break;
    }
    case GroupKind::kExtension:
      for (const std::string& name : files.List(platform::JoinPath(search.folder, "*" + search.extension))) {
        if (EndsWithNoCase(name, search.extension) && IsPlainName(name))
          found.push_back({name, platform::JoinPath(search.folder, name)});
      }
      break;
    case GroupKind::kDirectory:
      // A file named like a device ("aux.dll", made through "\\?\") is
      // listed by the system, but its path opens the device.
      for (const std::string& name : files.List(platform::JoinPath(search.folder, "*.*")))
        if (IsPlainName(name)) found.push_back({name, platform::JoinPath(search.folder, name)});
      break;
  }
  return found;
}

std::vector<FoundFile> FindBackupCopies(platform::Files& files, const std::string& backup_folder) {
  std::vector<FoundFile> found;
  if (!IsPlainName(backup_folder)) return found;
  const std::string folder = BackupFolderPath(files, backup_folder);
  for (const std::string& name : files.List(folder + "\\*.*")) {
    if (!IsIndexOrUnfinished(name) && IsPlainName(name)) found.push_back({name, folder + "\\" + name});
  }
  return found;
}

}  // namespace ks
