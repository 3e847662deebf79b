#include "platform/fake/version.h"

namespace ks::fake {

namespace {

void PutU32(std::string* out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) *out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

bool GetU32(const std::string& in, size_t* pos, std::uint32_t* v) {
  if (*pos + 4 > in.size()) return false;
  *v = 0;
  for (int i = 0; i < 4; ++i) {
    *v |= static_cast<std::uint32_t>(static_cast<unsigned char>(in[*pos + i])) << (8 * i);
  }
  *pos += 4;
  return true;
}

void PutEntry(std::string* out, const std::string& key, const std::string& value) {
  PutU32(out, static_cast<std::uint32_t>(key.size()));
  *out += key;
  PutU32(out, static_cast<std::uint32_t>(value.size()));
  *out += value;
}

constexpr char kMagic[] = "KSVI";

}  // namespace

VersionResource VersionResource::WithFileVersion(const std::string& file_version) {
  VersionResource r;
  r.translations.push_back({0x0409, 0x04B0});
  r.strings["040904B0"]["FileVersion"] = file_version;
  return r;
}

void FakeVersionInfo::AddDll(const std::string& path, const VersionResource& resource) {
  files_.AddFile(path, "MZ");
  SetResource(path, resource);
}

void FakeVersionInfo::SetResource(const std::string& path, const VersionResource& resource) {
  resources_[path] = resource;
}

// Entries keyed by their query path; strings carry their NUL as the system's
// ANSI query counts it.
std::string FakeVersionInfo::Serialise(const std::string& path) const {
  const VersionResource& r = resources_.at(path);
  std::string out = kMagic;
  if (!r.translations.empty()) {
    std::string list;
    for (const auto& [language, code_page] : r.translations) {
      PutU32(&list, static_cast<std::uint32_t>(language) | (static_cast<std::uint32_t>(code_page) << 16));
    }
    PutEntry(&out, "\\VarFileInfo\\Translation", list);
  }
  for (const auto& [table, names] : r.strings) {
    for (const auto& [name, text] : names) {
      PutEntry(&out, "\\StringFileInfo\\" + table + "\\" + name, text + '\0');
    }
  }
  return out;
}

std::uint32_t FakeVersionInfo::GetFileVersionInfoSize(const std::string& path) {
  if (!files_.FileExists(path) || resources_.find(path) == resources_.end()) return 0;
  return static_cast<std::uint32_t>(Serialise(path).size());
}

bool FakeVersionInfo::GetFileVersionInfo(const std::string& path, std::uint32_t size, std::string* block) {
  if (!files_.FileExists(path) || resources_.find(path) == resources_.end() || size == 0) return false;
  std::string all = Serialise(path);
  // Like the system, a short buffer gets the first bytes only.
  *block = all.substr(0, size);
  return true;
}

bool FakeVersionInfo::VerQueryValue(const std::string& block, const std::string& sub_block, std::string* value) {
  if (block.compare(0, 4, kMagic) != 0) return false;
  size_t pos = 4;
  while (pos < block.size()) {
    std::uint32_t key_size = 0, value_size = 0;
    if (!GetU32(block, &pos, &key_size) || pos + key_size > block.size()) return false;
    std::string key = block.substr(pos, key_size);
    pos += key_size;
    if (!GetU32(block, &pos, &value_size) || pos + value_size > block.size()) return false;
    if (SameName(key, sub_block)) {
      *value = block.substr(pos, value_size);
      return true;
    }
    pos += value_size;
  }
  return false;
}

}  // namespace ks::fake
