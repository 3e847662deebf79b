#include "common/paths.h"

#include <algorithm>
#include <vector>

#include "platform/files.h"
#include "platform/names.h"

namespace ks {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

std::vector<std::string> Parts(std::string_view path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : path) {
    if (IsSeparator(c)) {
      if (!part.empty()) parts.push_back(std::move(part));
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty()) parts.push_back(std::move(part));
  return parts;
}

}  // namespace

bool IsReservedDeviceName(std::string_view part) {
  // The device is named by what stands before the first dot, less the
  // blanks Windows ignores there ("NUL .txt" is NUL).
  std::string_view base = part.substr(0, part.find('.'));
  while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
  const std::string name = LowerCase(base);
  if (name == "con" || name == "prn" || name == "aux" || name == "nul" || name == "conin$" || name == "conout$") {
    return true;
  }
  if (name.size() != 4 || (name.compare(0, 3, "com") != 0 && name.compare(0, 3, "lpt") != 0)) return false;
  const auto digit = static_cast<unsigned char>(name[3]);
  // The superscripts one, two and three of the ANSI code page count as digits.
  return (digit >= '1' && digit <= '9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
}

bool HasReservedDeviceName(std::string_view path) {
  for (const std::string& part : Parts(path)) {
    if (IsReservedDeviceName(part)) return true;
  }
  return false;
}

bool IsPlainName(std::string_view name) {
  if (name.empty() || name.find_first_of("\\/:*?\"<>|") != std::string_view::npos) return false;
  for (char c : name) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) return false;
  }
  // Names of dots and blanks alone mean this folder or the one above.
  if (name.find_first_not_of(". ") == std::string_view::npos) return false;
  return !IsReservedDeviceName(name);
}

bool IsPlainFileName(std::string_view name) {
  return IsPlainName(name) && name.back() != '.' && name.back() != ' ';
}

bool IsPlainRelativePath(std::string_view path) {
  size_t start = 0;
  while (true) {
    const size_t end = path.find_first_of("\\/", start);
    const std::string_view part = path.substr(start, end == std::string_view::npos ? end : end - start);
    if (!IsPlainName(part) || part.back() == '.' || part.back() == ' ') return false;
    if (end == std::string_view::npos) return true;
    start = end + 1;
  }
}

std::optional<std::string> ResolvedPath(std::string_view path) {
  std::string root;
  std::string_view rest;
  if (path.size() >= 3 && IsLetter(path[0]) && path[1] == ':' && IsSeparator(path[2])) {
    root = std::string(path.substr(0, 2)) + "\\";
    rest = path.substr(3);
  } else if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
    // "\\server\share" is the root of a network path; both must be named.
    const std::vector<std::string> parts = Parts(path);
    if (parts.size() < 2) return std::nullopt;
    root = "\\\\" + parts[0] + "\\" + parts[1];
    size_t skip = 2;
    size_t at = 2;
    while (skip > 0 && at < path.size()) {
      while (at < path.size() && IsSeparator(path[at])) ++at;
      while (at < path.size() && !IsSeparator(path[at])) ++at;
      --skip;
    }
    rest = path.substr(at);
    // "\\.\" and "\\?\" are the system's device namespaces, no server: a
    // path there skips the resolving of names and dots the guards rely on.
    if (parts[0] == "." || parts[0] == "?" || parts[0] == ".." || parts[1] == "." || parts[1] == "..")
      return std::nullopt;
  } else {
    return std::nullopt;
  }
  std::vector<std::string> kept;
  for (std::string& part : Parts(rest)) {
    if (part == ".") continue;
    if (part == "..") {
      if (kept.empty()) return std::nullopt;
      kept.pop_back();
      continue;
    }
    kept.push_back(std::move(part));
  }
  std::string out = root;
  for (const std::string& part : kept) {
    if (out.back() != '\\') out += '\\';
    out += part;
  }
  return out;
}

bool IsInsideFolder(std::string_view path, std::string_view folder) {
  const std::optional<std::string> p = ResolvedPath(path);
  const std::optional<std::string> f = ResolvedPath(folder);
  if (!p || !f) return false;
  const std::string lp = LowerCase(*p);
  std::string lf = LowerCase(*f);
  if (lp == lf) return true;
  if (lf.back() != '\\') lf += '\\';
  return lp.size() > lf.size() && lp.compare(0, lf.size(), lf) == 0;
}

bool IsDriveRoot(std::string_view path) {
  const std::optional<std::string> p = ResolvedPath(path);
  if (!p) return false;
  if (p->size() == 3 && (*p)[1] == ':') return true;
  return (*p)[0] == '\\' && Parts(*p).size() == 2;
}

bool CoversFolder(std::string_view path, std::string_view folder) {
  if (IsDriveRoot(path)) return true;
  if (folder.empty()) return false;
  return IsInsideFolder(folder, path);
}

std::string ParentOfResolved(const std::string& path) {
  if (IsDriveRoot(path)) return "";
  const size_t slash = path.rfind('\\');
  if (slash == std::string::npos) return "";
  return path.substr(0, slash == 2 ? 3 : slash);
}

std::optional<std::string> LongPath(platform::Files& files, std::string_view path) {
  const std::optional<std::string> resolved = ResolvedPath(path);
  if (!resolved) return std::nullopt;
  // GetLongPathName fails when any part is missing: ask the longest head
  // that exists and keep the rest as it is spelled.
  std::string head = *resolved;
  std::string rest;
  while (!head.empty()) {
    const std::string long_head = files.GetLongPathName(head);
    if (!long_head.empty()) {
      std::optional<std::string> joined = ResolvedPath(long_head + rest);
      if (joined) return joined;
      break;
    }
    const std::string parent = ParentOfResolved(head);
    if (parent.empty()) break;
    rest = head.substr(parent.size() == 3 ? 2 : parent.size()) + rest;
    head = parent;
  }
  return resolved;
}

bool IsSameFile(platform::Files& files, std::string_view a, std::string_view b) {
  const std::optional<std::string> la = LongPath(files, a);
  const std::optional<std::string> lb = LongPath(files, b);
  if (!la || !lb) return false;
  if (SameTextIgnoringCase(*la, *lb)) return true;
  platform::FileIdentity ia;
  platform::FileIdentity ib;
  return files.GetFileIdentity(*la, &ia) && files.GetFileIdentity(*lb, &ib) && ia == ib;
}

bool IsInsideFolder(platform::Files& files, std::string_view path, std::string_view folder) {
  const std::optional<std::string> p = LongPath(files, path);
  const std::optional<std::string> f = LongPath(files, folder);
  if (!p || !f) return false;
  if (IsInsideFolder(*p, *f)) return true;
  platform::FileIdentity home;
  if (!files.GetFileIdentity(*f, &home)) return false;
  for (std::string at = *p; !at.empty(); at = ParentOfResolved(at)) {
    platform::FileIdentity id;
    if (files.GetFileIdentity(at, &id) && id == home) return true;
  }
  return false;
}

bool CoversFolder(platform::Files& files, std::string_view path, std::string_view folder) {
  if (IsDriveRoot(path)) return true;
  if (folder.empty()) return false;
  return IsInsideFolder(files, folder, path);
}

namespace {

// `rest` (a part of a resolved path, with or without its leading "\")
// after `folder`, with one separator between them.
std::string Joined(const std::string& folder, std::string_view rest) {
  if (rest.empty()) return folder;
  if (folder.empty() || folder.back() == '\\' || rest.front() == '\\') return folder + std::string(rest);
  return folder + "\\" + std::string(rest);
}

}  // namespace

std::string LinkOnPath(platform::Files& files, std::string_view path, std::string_view below,
                       std::string* final_path) {
  if (final_path) final_path->clear();
  const std::optional<std::string> resolved = ResolvedPath(path);
  if (!resolved) return "";
  const std::optional<std::string> start = below.empty() ? std::nullopt : ResolvedPath(below);
  std::vector<std::string> heads;
  for (std::string at = *resolved; !at.empty(); at = ParentOfResolved(at)) {
    if (start && at.size() <= start->size()) break;
    heads.push_back(at);
  }
  size_t existing = 0;
  for (auto it = heads.rbegin(); it != heads.rend(); ++it, ++existing) {
    const std::optional<std::uint32_t> attributes = files.GetFileAttributes(*it);
    if (!attributes) break;  // nothing below a missing part exists either
    if ((*attributes & platform::kAttributeReparsePoint) != 0) return *it;
  }
  if (existing == 0) return "";
  // Wine shows a link to a file as the file itself: where the system tells
  // the path a file really opens, a part that opens elsewhere than it is
  // spelled is a link too. Below `below` the paths are compared from there.
  std::optional<std::string> base_final, base_long;
  const auto final_of_base = [&]() -> const std::string& {
    if (!base_final) base_final = files.GetFinalPathName(*start);
    return *base_final;
  };
  const auto opens_elsewhere = [&](const std::string& head, const std::string& opens) {
    if (opens.empty() || (start && final_of_base().empty())) return false;
    // Most paths are spelled as the system knows them: then no long names
    // need asking.
    if (SameTextIgnoringCase(opens, start ? Joined(*base_final, head.substr(start->size())) : head)) return false;
    const std::optional<std::string> long_path = LongPath(files, head);
    if (start && !base_long) base_long = LongPath(files, *start).value_or("");
    if (!long_path || (start && long_path->size() < base_long->size())) return false;
    const std::string expected = start ? *base_final + long_path->substr(base_long->size()) : *long_path;
    return !SameTextIgnoringCase(opens, expected);
  };
  const std::string& deepest = heads[heads.size() - existing];
  const std::string deepest_final = files.GetFinalPathName(deepest);
  if (!opens_elsewhere(deepest, deepest_final)) {
    if (final_path && existing == heads.size()) *final_path = deepest_final;
    return "";
  }
  for (auto it = heads.rbegin(); it != heads.rend(); ++it)
    if (opens_elsewhere(*it, &*it == &deepest ? deepest_final : files.GetFinalPathName(*it))) return *it;
  return deepest;
}

std::string LinkBelow(platform::Files& files, std::string_view path, std::string_view folder,
                      const std::string& folder_final) {
  const std::optional<std::string> resolved = ResolvedPath(path);
  const std::optional<std::string> top = ResolvedPath(folder);
  if (!resolved) return "";
  if (!top || !IsInsideFolder(*resolved, *top) || resolved->size() == top->size())
    return LinkOnPath(files, path, folder);
  std::vector<std::string> heads;
  for (std::string at = *resolved; at.size() > top->size(); at = ParentOfResolved(at)) heads.push_back(at);
  size_t existing = 0;
  for (auto it = heads.rbegin(); it != heads.rend(); ++it, ++existing) {
    const std::optional<std::uint32_t> attributes = files.GetFileAttributes(*it);
    if (!attributes) break;
    if ((*attributes & platform::kAttributeReparsePoint) != 0) return *it;
  }
  // Without the final path of the folder the system tells none of its
  // entries either.
  if (existing == 0 || folder_final.empty()) return "";
  const std::string& deepest = heads[heads.size() - existing];
  const std::string opens = files.GetFinalPathName(deepest);
  if (opens.empty() || SameTextIgnoringCase(opens, Joined(folder_final, deepest.substr(top->size())))) return "";
  // Another spelling (an 8.3 alias) or a link: asked part by part.
  return LinkOnPath(files, path, folder);
}

KnownFolder KnowFolder(platform::Files& files, std::string_view folder, IdentityMemo* memo) {
  KnownFolder known;
  const std::optional<std::string> resolved = ResolvedPath(folder);
  if (!resolved) return known;
  known.resolved = *resolved;
  known.long_path = LongPath(files, *resolved).value_or(*resolved);
  for (std::string at = known.long_path; !at.empty(); at = ParentOfResolved(at)) {
    const std::string key = LowerCase(at);
    std::optional<platform::FileIdentity> id;
    if (memo && memo->count(key) > 0) {
      id = memo->at(key);
    } else {
      platform::FileIdentity asked;
      if (files.GetFileIdentity(at, &asked)) id = asked;
      if (memo) (*memo)[key] = id;
    }
    if (at.size() == known.long_path.size()) known.identity = id;
    if (id) known.line.push_back(*id);
  }
  return known;
}

bool IsInsideFolder(const KnownFolder& path, const KnownFolder& folder) {
  if (path.resolved.empty() || folder.resolved.empty()) return false;
  if (IsInsideFolder(path.long_path, folder.long_path)) return true;
  return folder.identity && std::find(path.line.begin(), path.line.end(), *folder.identity) != path.line.end();
}

bool IsInsideFolder(platform::Files& files, std::string_view path, const KnownFolder& folder) {
  const std::optional<std::string> p = LongPath(files, path);
  if (!p || folder.resolved.empty()) return false;
  if (IsInsideFolder(*p, folder.long_path)) return true;
  if (!folder.identity) return false;
  for (std::string at = *p; !at.empty(); at = ParentOfResolved(at)) {
    platform::FileIdentity id;
    if (files.GetFileIdentity(at, &id) && id == *folder.identity) return true;
  }
  return false;
}

bool CoversFolder(const KnownFolder& path, const KnownFolder& folder) {
  if (!path.resolved.empty() && IsDriveRoot(path.resolved)) return true;
  return IsInsideFolder(folder, path);
}

}  // namespace ks
