#include "common/paths.h"

#include <vector>

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
  return name.size() == 4 && (name.compare(0, 3, "com") == 0 || name.compare(0, 3, "lpt") == 0) && name[3] >= '1' &&
         name[3] <= '9';
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
    if (parts[0] == "." || parts[0] == ".." || parts[1] == "." || parts[1] == "..") return std::nullopt;
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

}  // namespace ks
