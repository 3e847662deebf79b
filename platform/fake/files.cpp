#include "platform/fake/files.h"

#include <algorithm>

#include "platform/fake/names.h"

namespace ks::fake {

namespace {

bool MatchFrom(const std::string& name, size_t n, const std::string& pattern, size_t p) {
  while (p < pattern.size()) {
    char pc = pattern[p];
    if (pc == '*') {
      for (size_t k = n; k <= name.size(); ++k) {
        if (MatchFrom(name, k, pattern, p + 1)) return true;
      }
      return false;
    }
    if (n >= name.size()) {
      // "*.*" and "name.*" also match names without a dot
      return pattern.compare(p, std::string::npos, ".*") == 0;
    }
    if (pc != '?' && FoldCase(std::string(1, pc)) != FoldCase(std::string(1, name[n]))) return false;
    ++p;
    ++n;
  }
  return n == name.size();
}

}  // namespace

bool MatchesPattern(const std::string& name, const std::string& pattern) { return MatchFrom(name, 0, pattern, 0); }

FakeFiles::FakeFiles() {
  AddFolder("C:\\");
  AddFolder("C:\\Windows\\Temp");
  temp_folder_ = "C:\\Windows\\Temp";
  SetProgramFolder("C:\\Program Files\\Kestrelane");
}

std::string FakeFiles::Normal(const std::string& path) {
  // Split into parts, resolving "." and ".." as Windows does (".." never
  // climbs above the drive).
  std::vector<std::string> parts;
  std::string part;
  auto flush = [&] {
    if (part == "..") {
      if (parts.size() > 1) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    part.clear();
  };
  for (char c : path) {
    if (c == '/' || c == '\\') {
      flush();
    } else {
      part += c;
    }
  }
  flush();
  std::string out;
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) out += '\\';
    out += parts[i];
  }
  if (out.size() == 2 && out[1] == ':') out += '\\';
  return FoldCase(out);
}

std::string FakeFiles::ParentOf(const std::string& normal) {
  size_t slash = normal.rfind('\\');
  if (slash == std::string::npos) return "";
  if (slash == 2 && normal.size() > 3) return normal.substr(0, 3);
  if (slash == 2) return "";
  return normal.substr(0, slash);
}

std::vector<std::string> FakeFiles::Drives() {
  std::vector<std::string> drives;
  for (const auto& [normal, entry] : entries_)
    if (entry.folder && normal.size() == 3 && normal[1] == ':') drives.push_back(normal.substr(0, 2));
  return drives;  // the map keeps them in letter order
}

FakeFiles::Entry* FakeFiles::Find(const std::string& path) {
  auto it = entries_.find(Normal(path));
  return it == entries_.end() ? nullptr : &it->second;
}

void FakeFiles::MakeParents(const std::string& path) {
  std::string parent = ParentOf(Normal(path));
  if (parent.empty() || entries_.count(parent) != 0) return;
  std::string spelled = path.substr(0, parent.size());
  MakeParents(spelled);
  entries_[parent] = Entry{spelled, true, false, "", next_order_++};
}

void FakeFiles::SetProgramFolder(const std::string& folder) {
  program_folder_ = folder;
  AddFolder(folder);
}

void FakeFiles::SetProgramPath(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  program_file_ = path.substr(slash + 1);
  SetProgramFolder(slash == std::string::npos ? "" : path.substr(0, slash));
}

void FakeFiles::AddFile(const std::string& path, const std::string& bytes) {
  MakeParents(path);
  Entry* e = Find(path);
  if (e == nullptr) {
    e = &(entries_[Normal(path)] = Entry{path, false, false, bytes, next_order_++});
  } else {
    e->bytes = bytes;
  }
  e->on_disk = bytes;
}

void FakeFiles::AddFolder(const std::string& path) {
  MakeParents(path);
  if (Find(path) == nullptr) entries_[Normal(path)] = Entry{path, true, false, "", next_order_++};
}

void FakeFiles::SetLocked(const std::string& path, bool locked) {
  if (Entry* e = Find(path)) e->locked = locked;
}

void FakeFiles::SetHidden(const std::string& path, bool hidden) {
  if (Entry* e = Find(path)) e->hidden = hidden;
}

void FakeFiles::SetSystem(const std::string& path, bool system) {
  if (Entry* e = Find(path)) e->system = system;
}

std::string FakeFiles::Contents(const std::string& path) const {
  auto it = entries_.find(Normal(path));
  return it == entries_.end() || it->second.folder ? std::string() : it->second.bytes;
}

bool FakeFiles::ReadFile(const std::string& path, std::string* bytes) {
  Entry* e = Find(path);
  if (e == nullptr || e->folder || e->locked) return false;
  *bytes = e->bytes;
  return true;
}

bool FakeFiles::WriteFile(const std::string& path, const std::string& bytes) {
  for (const std::string& failing : failing_writes_)
    if (failing == Normal(path)) return false;
  const bool fails = fail_times_ > 0 && Normal(path).find(Normal(fail_part_)) != std::string::npos;
  std::string stored = fails ? bytes.substr(0, bytes.size() / 2) : bytes;
  for (const std::string& garbled : garbled_writes_)
    if (garbled == Normal(path) && !stored.empty()) stored.pop_back();
  Entry* e = Find(path);
  if (e != nullptr) {
    if (e->folder || e->locked) return false;
    e->bytes = stored;
  } else {
    std::string parent = ParentOf(Normal(path));
    auto p = entries_.find(parent);
    if (parent.empty() || p == entries_.end() || !p->second.folder) return false;
    entries_[Normal(path)] = Entry{path, false, false, stored, next_order_++};
  }
  ++writes_;
  if (fails) {
    --fail_times_;
    return false;
  }
  return true;
}

bool FakeFiles::AppendFile(const std::string& path, const std::string& bytes) {
  Entry* e = Find(path);
  if (e == nullptr) return WriteFile(path, bytes);
  if (e->folder || e->locked) return false;
  e->bytes += bytes;
  e->on_disk = e->bytes;  // the Win32 side flushes an append before it returns
  ++writes_;
  return true;
}

bool FakeFiles::WriteFileChecked(const std::string& path, const std::string& bytes) {
  std::string read;
  return WriteFile(path, bytes) && ReadFile(path, &read) && read == bytes;
}

void FakeFiles::FailWritesHalfway(const std::string& path_part, int times) {
  fail_part_ = path_part;
  fail_times_ = times;
}

bool FakeFiles::FileExists(const std::string& path) {
  Entry* e = Find(path);
  return e != nullptr && !e->folder;
}

bool FakeFiles::FolderExists(const std::string& path) {
  Entry* e = Find(path);
  return e != nullptr && e->folder;
}

std::vector<std::string> FakeFiles::List(const std::string& pattern) {
  std::string normal = Normal(pattern);
  size_t slash = normal.rfind('\\');
  std::string folder = slash == std::string::npos ? "" : normal.substr(0, slash == 2 ? 3 : slash);
  std::string name_pattern = slash == std::string::npos ? pattern : pattern.substr(pattern.find_last_of("\\/") + 1);
  std::vector<const Entry*> hits;
  for (const auto& [key, entry] : entries_) {
    if (entry.folder || entry.hidden || entry.system || ParentOf(key) != folder) continue;
    std::string name = entry.path.substr(entry.path.find_last_of("\\/") + 1);
    if (MatchesPattern(name, name_pattern)) hits.push_back(&entry);
  }
  std::sort(hits.begin(), hits.end(), [](const Entry* a, const Entry* b) { return a->order < b->order; });
  std::vector<std::string> names;
  for (const Entry* e : hits) names.push_back(e->path.substr(e->path.find_last_of("\\/") + 1));
  return names;
}

std::vector<std::string> FakeFiles::ListFolders(const std::string& folder) {
  std::string normal = Normal(folder);
  std::vector<const Entry*> hits;
  for (const auto& [key, entry] : entries_) {
    if (entry.folder && key != normal && ParentOf(key) == normal) hits.push_back(&entry);
  }
  std::sort(hits.begin(), hits.end(), [](const Entry* a, const Entry* b) { return a->order < b->order; });
  std::vector<std::string> names;
  for (const Entry* e : hits) names.push_back(e->path.substr(e->path.find_last_of("\\/") + 1));
  return names;
}

bool FakeFiles::DeleteFile(const std::string& path) {
  Entry* e = Find(path);
  if (e == nullptr || e->folder || e->locked) return false;
  entries_.erase(Normal(path));
  return true;
}

bool FakeFiles::CopyFile(const std::string& from, const std::string& to) {
  std::string bytes;
  if (!ReadFile(from, &bytes)) return false;
  return WriteFile(to, bytes);
}

bool FakeFiles::ReplaceFile(const std::string& from, const std::string& to) {
  Entry* source = Find(from);
  if (source == nullptr || source->folder || source->locked) return false;
  source->on_disk = source->bytes;  // flushed before the rename
  if (Normal(from) == Normal(to)) return true;
  Entry* target = Find(to);
  if (target != nullptr && (target->folder || target->locked)) return false;
  if (target == nullptr) {
    std::string parent = ParentOf(Normal(to));
    auto p = entries_.find(parent);
    if (parent.empty() || p == entries_.end() || !p->second.folder) return false;
  }
  // The renamed file takes the target's name and keeps its own bytes; the
  // rename is written through, so a power cut keeps it.
  Entry moved = *source;
  entries_.erase(Normal(from));
  moved.path = target != nullptr ? target->path : to;
  if (target != nullptr) moved.order = target->order;
  entries_[Normal(to)] = moved;
  ++writes_;
  return true;
}

void FakeFiles::PowerCut() {
  for (auto it = entries_.begin(); it != entries_.end();) {
    Entry& e = it->second;
    if (e.folder) {
      ++it;
    } else if (e.on_disk) {
      e.bytes = *e.on_disk;
      ++it;
    } else {
      it = entries_.erase(it);
    }
  }
}

bool FakeFiles::SetCurrentFolder(const std::string& path) {
  // "D:" alone names the drive's root here (the fake keeps no per-drive folder).
  auto it = entries_.find(Normal(path));
  if (it == entries_.end() || !it->second.folder) return false;
  current_folder_ = it->second.path;
  return true;
}

bool FakeFiles::CreateFolder(const std::string& path) {
  if (Find(path) != nullptr) return false;
  std::string parent = ParentOf(Normal(path));
  auto p = entries_.find(parent);
  if (parent.empty() || p == entries_.end() || !p->second.folder) return false;
  entries_[Normal(path)] = Entry{path, true, false, "", next_order_++};
  return true;
}

}  // namespace ks::fake
