#include "updater/manifest.h"

#include "common/datafile.h"
#include "common/numbers.h"
#include "common/paths.h"

namespace ks::relayo {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool StandsForItself(char c) {
  if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
  for (const char allowed : std::string_view("-._~!$&'()+,=@"))
    if (c == allowed) return true;
  return false;
}

}  // namespace

Manifest ReadManifest(const std::string& bytes) {
  Manifest m;
  FieldReader reader(bytes);
  m.serial_item = reader.Next();
  m.version_item = reader.Next();
  const auto serial = TextToInt32(m.serial_item);
  const auto version = TextToInt32(m.version_item);
  m.valid = serial.has_value() && version.has_value();
  m.serial = serial.value_or(0);
  m.version = version.value_or(0);
  while (!reader.AtEnd()) {
    if (static_cast<int>(m.pairs.size()) == kMaxPairs) {
      m.valid = false;  // one pair too many: the list is not the site's whole list
      break;
    }
    ManifestPair pair;
    pair.file = reader.Next();
    pair.folder = reader.Next();
    m.pairs.push_back(std::move(pair));
  }
  return m;
}

std::string VersionText(const std::string& version_item) {
  if (version_item.empty()) return "..";
  std::string text;
  text += version_item[0];
  text += '.';
  if (version_item.size() > 1) text += version_item[1];
  text += '.';
  text += version_item.back();
  return text;
}

std::optional<std::string> LocalPath(const std::string& program_folder, const ManifestPair& pair) {
  // Plain parts only (common/paths.h): no "..", drive, device name or name
  // that Windows would trim to another ("mt.dat." lands on "mt.dat").
  if (!IsPlainRelativePath(pair.file)) return std::nullopt;
  if (!pair.folder.empty()) {
    // "\DATA" or "\DATA\x": one separator, then plain parts.
    if (!IsSeparator(pair.folder[0])) return std::nullopt;
    std::string rest = pair.folder.substr(1);
    while (!rest.empty() && IsSeparator(rest.back())) rest.pop_back();
    // "" alone is the program folder; "\server" or "\" + drive is not a folder of it.
    if (!rest.empty() && !IsPlainRelativePath(rest)) return std::nullopt;
    if (rest.empty() && pair.folder.size() > 1) return std::nullopt;
  }
  std::string path = program_folder + pair.folder + "\\" + pair.file;
  // A longer path fails to open, or is cut to another name.
  if (path.size() + std::string_view(kPartSuffix).size() >= kMaxPath) return std::nullopt;
  return path;
}

bool IsAddressName(std::string_view name) {
  if (name.empty()) return false;
  for (const char c : name)
    if (!StandsForItself(c) && !IsSeparator(c)) return false;
  return true;
}

std::string AddressPath(std::string_view name) {
  std::string path(name);
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}

}  // namespace ks::relayo
