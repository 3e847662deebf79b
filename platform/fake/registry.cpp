#include "platform/fake/registry.h"

#include <algorithm>

#include "platform/fake/names.h"

namespace ks::fake {

using platform::RegKey;

struct FakeRegistry::Key {
  std::string name;
  Key* parent = nullptr;
  std::map<std::string, std::unique_ptr<Key>> children;           // by folded name
  std::map<std::string, std::pair<std::string, Value>> values;     // by folded name: spelling, value
};

namespace {

struct RootName {
  RegKey key;
  const char* long_name;
  const char* short_name;
};

constexpr RootName kRoots[] = {
    {platform::kHkeyClassesRoot, "HKEY_CLASSES_ROOT", "HKCR"},
    {platform::kHkeyCurrentUser, "HKEY_CURRENT_USER", "HKCU"},
    {platform::kHkeyLocalMachine, "HKEY_LOCAL_MACHINE", "HKLM"},
    {platform::kHkeyDynData, "HKEY_DYN_DATA", "HKDD"},
};

std::vector<std::string> SplitKeyPath(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : path) {
    if (c == '\\') {
      if (!part.empty()) parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty()) parts.push_back(part);
  return parts;
}

}  // namespace

FakeRegistry::FakeRegistry() {
  for (const RootName& r : kRoots) {
    auto key = std::make_unique<Key>();
    key->name = r.long_name;
    roots_[r.key] = std::move(key);
  }
}

FakeRegistry::~FakeRegistry() = default;

FakeRegistry::Key* FakeRegistry::Resolve(RegKey key) const {
  auto root = roots_.find(key);
  if (root != roots_.end()) return root->second.get();
  auto handle = handles_.find(key);
  return handle == handles_.end() ? nullptr : handle->second;
}

FakeRegistry::Key* FakeRegistry::Walk(Key* from, const std::string& subkey, bool create) {
  Key* key = from;
  for (const std::string& part : SplitKeyPath(subkey)) {
    auto it = key->children.find(FoldCase(part));
    if (it == key->children.end()) {
      if (!create) return nullptr;
      auto child = std::make_unique<Key>();
      child->name = part;
      child->parent = key;
      it = key->children.emplace(FoldCase(part), std::move(child)).first;
    }
    key = it->second.get();
  }
  return key;
}

FakeRegistry::Key* FakeRegistry::RootByPath(const std::string& path, std::string* rest) const {
  std::string head = path.substr(0, path.find('\\'));
  *rest = head.size() < path.size() ? path.substr(head.size() + 1) : std::string();
  for (const RootName& r : kRoots) {
    if (SameName(head, r.long_name) || SameName(head, r.short_name)) return roots_.at(r.key).get();
  }
  return nullptr;
}

std::string FakeRegistry::PathOf(const Key* key) const {
  if (key == nullptr) return "?";
  std::string path = key->name;
  for (const Key* k = key->parent; k != nullptr; k = k->parent) path = k->name + "\\" + path;
  return path;
}

long FakeRegistry::Begin(const std::string& op, const std::string& path, const std::string& name,
                         std::uint32_t type, const std::string& bytes) {
  log_.push_back(Call{op, path, name, 0, type, bytes});
  if (on_call) on_call(log_.back());
  for (auto it = failures_.begin(); it != failures_.end(); ++it) {
    if (it->op != op) continue;
    if (!it->path_part.empty() && FoldCase(path + "\\" + name).find(FoldCase(it->path_part)) == std::string::npos) continue;
    long code = it->code;
    if (it->times > 0 && --it->times == 0) failures_.erase(it);
    return code;
  }
  return platform::kErrorSuccess;
}

void FakeRegistry::End(long result) { log_.back().result = result; }

RegKey FakeRegistry::NewHandle(Key* key) {
  RegKey handle = next_handle_;
  next_handle_ += 4;
  handles_[handle] = key;
  return handle;
}

long FakeRegistry::OpenKey(RegKey parent, const std::string& subkey, RegKey* out) {
  Key* from = Resolve(parent);
  long result = Begin("RegOpenKeyA", PathOf(from), subkey);
  if (result == 0) {
    Key* key = from ? Walk(from, subkey, false) : nullptr;
    if (from == nullptr) {
      result = platform::kErrorInvalidHandle;
    } else if (key == nullptr) {
      result = platform::kErrorFileNotFound;
    } else if (SplitKeyPath(subkey).empty()) {
      *out = parent;  // Windows hands back the same handle
    } else {
      *out = NewHandle(key);
    }
  }
  End(result);
  return result;
}

long FakeRegistry::CreateKey(RegKey parent, const std::string& subkey, RegKey* out) {
  Key* from = Resolve(parent);
  long result = Begin("RegCreateKeyA", PathOf(from), subkey);
  if (result == 0) {
    if (from == nullptr) {
      result = platform::kErrorInvalidHandle;
    } else if (SplitKeyPath(subkey).empty()) {
      *out = parent;
    } else {
      *out = NewHandle(Walk(from, subkey, true));
    }
  }
  End(result);
  return result;
}

long FakeRegistry::QueryValue(RegKey handle, const std::string& name, std::uint32_t* type, std::string* data,
                              std::uint32_t* size) {
  Key* key = Resolve(handle);
  long result = Begin("RegQueryValueExA", PathOf(key), name);
  if (result == 0) {
    if (key == nullptr) {
      result = platform::kErrorInvalidHandle;
    } else {
      auto it = key->values.find(FoldCase(name));
      if (it == key->values.end()) {
        result = platform::kErrorFileNotFound;
      } else {
        const Value& value = it->second.second;
        if (type != nullptr) *type = value.type;
        auto needed = static_cast<std::uint32_t>(value.bytes.size());
        if (data != nullptr) {
          if (size == nullptr) {
            result = platform::kErrorInvalidParameter;
          } else if (*size < needed) {
            result = platform::kErrorMoreData;
          } else {
            *data = value.bytes;
          }
        }
        if (size != nullptr) *size = needed;
      }
    }
  }
  End(result);
  return result;
}

long FakeRegistry::SetValue(RegKey handle, const std::string& name, std::uint32_t type, const std::string& bytes) {
  Key* key = Resolve(handle);
  long result = Begin("RegSetValueExA", PathOf(key), name, type, bytes);
  if (result == 0) {
    if (key == nullptr) {
      result = platform::kErrorInvalidHandle;
    } else {
      auto [it, fresh] = key->values.try_emplace(FoldCase(name), name, Value{});
      it->second.second = Value{type, bytes};
    }
  }
  End(result);
  return result;
}

long FakeRegistry::SetDefaultValue(RegKey handle, const std::string& subkey, const std::string& text) {
  Key* from = Resolve(handle);
  long result = Begin("RegSetValueA", PathOf(from), subkey, platform::kRegSz, text + '\0');
  if (result == 0) {
    if (from == nullptr) {
      result = platform::kErrorInvalidHandle;
    } else {
      Key* key = Walk(from, subkey, true);
      auto [it, fresh] = key->values.try_emplace("", "", Value{});
      it->second.second = Value{platform::kRegSz, text + '\0'};
    }
  }
  End(result);
  return result;
}

long FakeRegistry::DeleteValue(RegKey handle, const std::string& name) {
  Key* key = Resolve(handle);
  long result = Begin("RegDeleteValueA", PathOf(key), name);
  if (result == 0) {
    if (key == nullptr) {
      result = platform::kErrorInvalidHandle;
    } else if (key->values.erase(FoldCase(name)) == 0) {
      result = platform::kErrorFileNotFound;
    }
  }
  End(result);
  return result;
}

long FakeRegistry::CloseKey(RegKey handle) {
  Key* key = Resolve(handle);
  long result = Begin("RegCloseKey", PathOf(key), "");
  if (result == 0) {
    if (roots_.count(handle) != 0) {
      // closing a predefined root does nothing
    } else if (handles_.erase(handle) == 0) {
      result = platform::kErrorInvalidHandle;
    }
  }
  End(result);
  return result;
}

void FakeRegistry::AddKey(const std::string& path) {
  std::string rest;
  Key* root = RootByPath(path, &rest);
  if (root != nullptr) Walk(root, rest, true);
}

void FakeRegistry::Put(const std::string& path, const std::string& name, std::uint32_t type,
                       const std::string& bytes) {
  std::string rest;
  Key* root = RootByPath(path, &rest);
  if (root == nullptr) return;
  Key* key = Walk(root, rest, true);
  auto [it, fresh] = key->values.try_emplace(FoldCase(name), name, Value{});
  it->second.second = Value{type, bytes};
}

void FakeRegistry::PutString(const std::string& path, const std::string& name, const std::string& text) {
  Put(path, name, platform::kRegSz, text + '\0');
}

void FakeRegistry::PutDword(const std::string& path, const std::string& name, std::uint32_t value) {
  std::string bytes;
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
  Put(path, name, platform::kRegDword, bytes);
}

bool FakeRegistry::HasKey(const std::string& path) const {
  std::string rest;
  Key* root = RootByPath(path, &rest);
  return root != nullptr && const_cast<FakeRegistry*>(this)->Walk(root, rest, false) != nullptr;
}

std::optional<FakeRegistry::Value> FakeRegistry::Get(const std::string& path, const std::string& name) const {
  std::string rest;
  Key* root = RootByPath(path, &rest);
  Key* key = root ? const_cast<FakeRegistry*>(this)->Walk(root, rest, false) : nullptr;
  if (key == nullptr) return std::nullopt;
  auto it = key->values.find(FoldCase(name));
  if (it == key->values.end()) return std::nullopt;
  return it->second.second;
}

std::vector<std::string> FakeRegistry::SubkeyNames(const std::string& path) const {
  std::vector<std::string> names;
  std::string rest;
  Key* root = RootByPath(path, &rest);
  Key* key = root ? const_cast<FakeRegistry*>(this)->Walk(root, rest, false) : nullptr;
  if (key != nullptr) {
    for (const auto& [folded, child] : key->children) names.push_back(child->name);
  }
  return names;
}

std::vector<std::string> FakeRegistry::ValueNames(const std::string& path) const {
  std::vector<std::string> names;
  std::string rest;
  Key* root = RootByPath(path, &rest);
  Key* key = root ? const_cast<FakeRegistry*>(this)->Walk(root, rest, false) : nullptr;
  if (key != nullptr) {
    for (const auto& [folded, value] : key->values) names.push_back(value.first);
  }
  return names;
}

std::string FakeRegistry::StoredPath(const std::string& path) const {
  std::string rest;
  Key* root = RootByPath(path, &rest);
  Key* key = root ? const_cast<FakeRegistry*>(this)->Walk(root, rest, false) : nullptr;
  return key ? PathOf(key) : std::string();
}

int FakeRegistry::CountCalls(const std::string& op) const {
  return static_cast<int>(std::count_if(log_.begin(), log_.end(), [&](const Call& c) { return c.op == op; }));
}

void FakeRegistry::FailCalls(const std::string& op, long code, int times, const std::string& path_part) {
  failures_.push_back(Failure{op, path_part, code, times});
}

}  // namespace ks::fake
