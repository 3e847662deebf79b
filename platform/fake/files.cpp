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

namespace {

constexpr int kMaxLinkDepth = 8;

// A name Windows keeps without an alias: up to eight characters, a dot and
// up to three more, none of the characters 8.3 names leave out. Letter case
// does not matter (NTFS keeps the case of an 8.3 name as it is given).
bool IsEightDotThree(const std::string& name) {
  const size_t dot = name.find('.');
  const std::string base = name.substr(0, dot);
  const std::string ext = dot == std::string::npos ? "" : name.substr(dot + 1);
  if (base.empty() || base.size() > 8 || ext.size() > 3 || ext.find('.') != std::string::npos) return false;
  if (dot != std::string::npos && ext.empty()) return false;
  return name.find_first_of(" +,;=[]") == std::string::npos;
}

// The characters an alias keeps of a part of a long name, upper case.
std::string AliasChars(const std::string& part) {
  std::string out;
  for (char c : part) {
    if (c == ' ' || c == '.') continue;
    if (std::string(" +,;=[]").find(c) != std::string::npos) c = '_';
    out += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  }
  return out;
}

}  // namespace

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

std::string FakeFiles::NameOf(const Entry& e) { return e.path.substr(e.path.find_last_of("\\/") + 1); }

std::string FakeFiles::ChildKey(const std::string& folder, const std::string& folded_name) const {
  const std::string direct = folder.back() == '\\' ? folder + folded_name : folder + "\\" + folded_name;
  if (entries_.count(direct) != 0 || folded_name.find('~') == std::string::npos) return direct;
  for (const auto& [key, entry] : entries_)
    if (!entry.short_name.empty() && FoldCase(entry.short_name) == folded_name && ParentOf(key) == folder) return key;
  return direct;
}

std::string FakeFiles::Resolve(const std::string& path, bool follow_last, int depth) const {
  const std::string normal = Normal(path);
  // Only drive paths hold entries; anything else names nothing.
  if (normal.size() < 3 || normal[1] != ':') return normal;
  std::string key = normal.substr(0, 3);
  size_t at = 3;
  while (at < normal.size()) {
    size_t end = normal.find('\\', at);
    if (end == std::string::npos) end = normal.size();
    const bool last = end == normal.size();
    key = ChildKey(key, normal.substr(at, end - at));
    auto it = entries_.find(key);
    if (it != entries_.end() && it->second.link && (!last || follow_last) && depth < kMaxLinkDepth)
      key = Resolve(*it->second.link, true, depth + 1);
    at = end + 1;
  }
  return key;
}

FakeFiles::Entry* FakeFiles::Find(const std::string& path, bool follow_last) {
  auto it = entries_.find(Resolve(path, follow_last));
  return it == entries_.end() ? nullptr : &it->second;
}

std::string FakeFiles::AliasFor(const std::string& folder_key, const std::string& name) const {
  if (name.empty() || IsEightDotThree(name)) return "";
  const size_t dot = name.rfind('.');
  const std::string base = AliasChars(dot == std::string::npos || dot == 0 ? name : name.substr(0, dot));
  const std::string ext = dot == std::string::npos || dot == 0 ? "" : AliasChars(name.substr(dot + 1)).substr(0, 3);
  std::vector<std::string> taken;  // folded names and aliases of the folder
  for (const auto& [key, entry] : entries_) {
    if (ParentOf(key) != folder_key) continue;
    taken.push_back(key.substr(key.rfind('\\') + 1));
    if (!entry.short_name.empty()) taken.push_back(FoldCase(entry.short_name));
  }
  for (int n = 1; n < 100; ++n) {
    const std::string number = "~" + std::to_string(n);
    const std::string alias = base.substr(0, 8 - number.size()) + number + (ext.empty() ? "" : "." + ext);
    if (std::find(taken.begin(), taken.end(), FoldCase(alias)) == taken.end()) return alias;
  }
  return "";
}

FakeFiles::Entry& FakeFiles::Make(const std::string& key, Entry entry) {
  entry.id = next_id_++;
  if (entry.short_name.empty()) entry.short_name = AliasFor(ParentOf(key), NameOf(entry));
  return entries_[key] = std::move(entry);
}

void FakeFiles::MakeParents(const std::string& path) {
  std::string parent = ParentOf(Normal(path));
  if (parent.empty() || entries_.count(parent) != 0) return;
  std::string spelled = path.substr(0, parent.size());
  MakeParents(spelled);
  Make(parent, Entry{spelled, true, false, "", next_order_++});
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
    e = &Make(Normal(path), Entry{path, false, false, bytes, next_order_++});
  } else {
    e->bytes = bytes;
  }
  e->on_disk = bytes;
}

void FakeFiles::AddFolder(const std::string& path) {
  MakeParents(path);
  if (Find(path) == nullptr) Make(Normal(path), Entry{path, true, false, "", next_order_++});
}

void FakeFiles::AddLink(const std::string& path, const std::string& target, bool reparse_point) {
  MakeParents(path);
  const Entry* to = Find(target);
  Entry link{path, to != nullptr && to->folder, false, "", next_order_++};
  link.link = target;
  link.shows_link = reparse_point;
  link.on_disk = "";
  Make(Normal(path), std::move(link));
}

void FakeFiles::SetShortName(const std::string& path, const std::string& alias) {
  if (Entry* e = Find(path, false)) e->short_name = alias;
}

void FakeFiles::SetLocked(const std::string& path, bool locked) {
  if (Entry* e = Find(path)) e->locked = locked;
}

void FakeFiles::SetHidden(const std::string& path, bool hidden) {
  if (Entry* e = Find(path, false)) e->hidden = hidden;
}

void FakeFiles::SetSystem(const std::string& path, bool system) {
  if (Entry* e = Find(path, false)) e->system = system;
}

std::string FakeFiles::Contents(const std::string& path) const {
  auto it = entries_.find(Resolve(path));
  return it == entries_.end() || it->second.folder ? std::string() : it->second.bytes;
}

bool FakeFiles::ReadFile(const std::string& path, std::string* bytes) {
  Entry* e = Find(path);
  if (e == nullptr || e->folder || e->locked) return false;
  *bytes = e->bytes;
  return true;
}

bool FakeFiles::WriteFile(const std::string& path, const std::string& bytes) {
  const std::string key = Resolve(path);
  for (const std::string& failing : failing_writes_)
    if (failing == key) return false;
  const bool fails = fail_times_ > 0 && key.find(Normal(fail_part_)) != std::string::npos;
  std::string stored = fails ? bytes.substr(0, bytes.size() / 2) : bytes;
  for (const std::string& garbled : garbled_writes_)
    if (garbled == key && !stored.empty()) stored.pop_back();
  Entry* e = Find(path);
  if (e != nullptr) {
    if (e->folder || e->locked) return false;
    e->bytes = stored;
  } else {
    std::string parent = ParentOf(key);
    auto p = entries_.find(parent);
    if (parent.empty() || p == entries_.end() || !p->second.folder || p->second.link) return false;
    Make(key, Entry{path, false, false, stored, next_order_++});
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
  // The attributes of a link are its own.
  Entry* e = Find(path, false);
  return e != nullptr && !e->folder;
}

bool FakeFiles::FolderExists(const std::string& path) {
  Entry* e = Find(path, false);
  return e != nullptr && e->folder;
}

std::optional<std::uint32_t> FakeFiles::GetFileAttributes(const std::string& path) {
  ++asked.attributes;
  return AttributesOf(path);
}

std::optional<std::uint32_t> FakeFiles::AttributesOf(const std::string& path) {
  const Entry* e = Find(path, false);
  if (e != nullptr && e->link && !e->shows_link) e = Find(path);
  if (e == nullptr) return std::nullopt;
  std::uint32_t a = e->folder ? platform::kAttributeDirectory : 0x20;  // FILE_ATTRIBUTE_ARCHIVE
  if (e->hidden) a |= platform::kAttributeHidden;
  if (e->system) a |= platform::kAttributeSystem;
  if (e->link) a |= platform::kAttributeReparsePoint;
  return a;
}

std::string FakeFiles::PathName(const std::string& path, bool short_names) {
  const std::string normal = Normal(path);
  if (normal.size() < 3 || normal[1] != ':') return "";
  // The drive stays as it was given; a link keeps its own name, while the
  // parts below it are looked up in its target.
  std::string out = path.substr(0, 2) + "\\";
  std::string key = normal.substr(0, 3);
  if (entries_.count(key) == 0) return "";
  size_t at = 3;
  while (at < normal.size()) {
    size_t end = normal.find('\\', at);
    if (end == std::string::npos) end = normal.size();
    key = ChildKey(key, normal.substr(at, end - at));
    auto it = entries_.find(key);
    if (it == entries_.end()) return "";
    if (out.back() != '\\') out += '\\';
    out += short_names && !it->second.short_name.empty() ? it->second.short_name : NameOf(it->second);
    if (it->second.link && end != normal.size()) key = Resolve(*it->second.link);
    at = end + 1;
  }
  return out;
}

std::string FakeFiles::GetLongPathName(const std::string& path) {
  ++asked.long_names;
  return has_long_path_name ? PathName(path, false) : std::string();
}

std::string FakeFiles::GetShortPathName(const std::string& path) { return PathName(path, true); }

bool FakeFiles::GetFileIdentity(const std::string& path, platform::FileIdentity* out) {
  ++asked.identities;
  const std::string key = Resolve(path);
  auto it = entries_.find(key);
  // A link whose target is gone opens nothing.
  if (it == entries_.end() || it->second.link) return false;
  out->volume = 0x1000u + static_cast<unsigned char>(key[0]);
  out->index = it->second.id;
  return true;
}

std::string FakeFiles::GetFinalPathName(const std::string& path) {
  ++asked.final_paths;
  if (!has_final_path_name) return "";
  const std::string key = Resolve(path);
  auto it = entries_.find(key);
  if (it == entries_.end() || it->second.link) return "";
  // Each part as its entry spells it, from the drive down.
  std::string out;
  for (std::string at = key; !at.empty(); at = ParentOf(at)) {
    auto part = entries_.find(at);
    if (part == entries_.end()) return "";
    const std::string name = NameOf(part->second);
    out = name.empty() ? part->second.path + out : (out.empty() ? name : name + "\\" + out);
  }
  return out;
}

std::vector<std::string> FakeFiles::List(const std::string& pattern) {
  std::string normal = Normal(pattern);
  size_t slash = normal.rfind('\\');
  std::string folder = slash == std::string::npos ? "" : Resolve(normal.substr(0, slash == 2 ? 3 : slash));
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

std::vector<platform::Files::ListedFile> FakeFiles::ListWithAttributes(const std::string& pattern) {
  const size_t slash = pattern.find_last_of("\\/");
  const std::string folder = slash == std::string::npos ? "" : pattern.substr(0, slash + 1);
  std::vector<ListedFile> files;
  for (std::string& name : List(pattern)) {
    const std::uint32_t attributes = AttributesOf(folder + name).value_or(0);
    files.push_back({std::move(name), attributes});
  }
  return files;
}

std::vector<std::string> FakeFiles::ListFolders(const std::string& folder) {
  std::string normal = Resolve(folder);
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
  // A file link goes itself, never what it points to; a folder link is a folder.
  const std::string key = Resolve(path, false);
  Entry* e = Find(path, false);
  if (e == nullptr || e->folder || e->locked) return false;
  entries_.erase(key);
  return true;
}

bool FakeFiles::CopyFile(const std::string& from, const std::string& to) {
  std::string bytes;
  if (!ReadFile(from, &bytes)) return false;
  return WriteFile(to, bytes);
}

bool FakeFiles::ReplaceFile(const std::string& from, const std::string& to) {
  // A rename moves the entries themselves, links included.
  const std::string from_key = Resolve(from, false);
  const std::string to_key = Resolve(to, false);
  Entry* source = Find(from, false);
  if (source == nullptr || source->folder || source->locked) return false;
  source->on_disk = source->bytes;  // flushed before the rename
  if (from_key == to_key) return true;
  Entry* target = Find(to, false);
  if (target != nullptr && (target->folder || target->locked)) return false;
  if (target == nullptr) {
    std::string parent = ParentOf(to_key);
    auto p = entries_.find(parent);
    if (parent.empty() || p == entries_.end() || !p->second.folder || p->second.link) return false;
  }
  // The renamed file takes the target's name and keeps its own bytes and
  // identity; the rename is written through, so a power cut keeps it.
  Entry moved = *source;
  entries_.erase(from_key);
  moved.path = target != nullptr ? target->path : to;
  moved.short_name = target != nullptr ? target->short_name : AliasFor(ParentOf(to_key), NameOf(moved));
  if (target != nullptr) moved.order = target->order;
  entries_[to_key] = moved;
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
  auto it = entries_.find(Resolve(path));
  if (it == entries_.end() || !it->second.folder) return false;
  current_folder_ = it->second.path;
  return true;
}

bool FakeFiles::CreateFolder(const std::string& path) {
  if (Find(path, false) != nullptr) return false;
  const std::string key = Resolve(path, false);
  std::string parent = ParentOf(key);
  auto p = entries_.find(parent);
  if (parent.empty() || p == entries_.end() || !p->second.folder || p->second.link) return false;
  Make(key, Entry{path, true, false, "", next_order_++});
  return true;
}

}  // namespace ks::fake
