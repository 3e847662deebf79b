#include "platform/win32/registry.h"

#include <algorithm>

#include "platform/names.h"
#include "platform/win32/win.h"

namespace ks::win32 {

namespace {

// Predefined keys are sign-extended pointers on 64-bit Windows, so they are
// mapped by value rather than cast.
HKEY ToHkey(platform::RegKey key) {
  switch (key) {
    case platform::kHkeyClassesRoot: return HKEY_CLASSES_ROOT;
    case platform::kHkeyCurrentUser: return HKEY_CURRENT_USER;
    case platform::kHkeyLocalMachine: return HKEY_LOCAL_MACHINE;
    case platform::kHkeyDynData: return HKEY_DYN_DATA;
    default: return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(key));
  }
}

platform::RegKey FromHkey(HKEY key) {
  if (key == HKEY_CLASSES_ROOT) return platform::kHkeyClassesRoot;
  if (key == HKEY_CURRENT_USER) return platform::kHkeyCurrentUser;
  if (key == HKEY_LOCAL_MACHINE) return platform::kHkeyLocalMachine;
  if (key == HKEY_DYN_DATA) return platform::kHkeyDynData;
  return static_cast<platform::RegKey>(reinterpret_cast<ULONG_PTR>(key));
}

}  // namespace

Win32Registry::~Win32Registry() {
  for (const auto& [path, kept] : kept_) RegCloseKey(ToHkey(kept.key));
}

Win32Registry::KeptKeys::iterator Win32Registry::FindKept(platform::RegKey key) {
  return std::find_if(kept_.begin(), kept_.end(), [key](const auto& entry) { return entry.second.key == key; });
}

long Win32Registry::Open(platform::RegKey parent, const std::string& subkey, platform::RegKey* out, bool create) {
  // An empty subkey hands back the parent itself: nothing to keep.
  if (subkey.empty()) {
    HKEY key = nullptr;
    const LONG result = create ? RegCreateKeyA(ToHkey(parent), nullptr, &key) : RegOpenKeyA(ToHkey(parent), "", &key);
    if (result == ERROR_SUCCESS) *out = FromHkey(key);
    return result;
  }
  const std::string lower = LowerCase(subkey);
  auto found = kept_.find({parent, lower});
  if (found != kept_.end()) {
    found->second.create = create;
    *out = found->second.key;
    return ERROR_SUCCESS;
  }
  HKEY key = nullptr;
  const LONG result = create ? RegCreateKeyA(ToHkey(parent), subkey.c_str(), &key)
                             : RegOpenKeyA(ToHkey(parent), subkey.c_str(), &key);
  if (result != ERROR_SUCCESS) return result;
  *out = FromHkey(key);
  kept_[{parent, lower}] = Kept{*out, create};
  return ERROR_SUCCESS;
}

template <typename Op>
long Win32Registry::OnKey(platform::RegKey key, Op op) {
  const long result = op(key);
  if (result != ERROR_KEY_DELETED) return result;
  const auto gone = FindKept(key);
  if (gone == kept_.end()) return result;
  const auto [parent, subkey] = gone->first;
  const bool create = gone->second.create;
  kept_.erase(gone);
  RegCloseKey(ToHkey(key));
  platform::RegKey again = 0;
  if (Open(parent, subkey, &again, create) != ERROR_SUCCESS) return result;
  return op(again);
}

long Win32Registry::OpenKey(platform::RegKey parent, const std::string& subkey, platform::RegKey* out) {
  return Open(parent, subkey, out, false);
}

long Win32Registry::CreateKey(platform::RegKey parent, const std::string& subkey, platform::RegKey* out) {
  return Open(parent, subkey, out, true);
}

long Win32Registry::QueryValue(platform::RegKey handle, const std::string& name, std::uint32_t* type,
                               std::string* data, std::uint32_t* size) {
  return OnKey(handle, [&](platform::RegKey key) -> long {
    DWORD t = type ? *type : 0;
    DWORD s = size ? *size : 0;
    LONG result;
    if (data == nullptr) {
      result = RegQueryValueExA(ToHkey(key), name.c_str(), nullptr, &t, nullptr, size ? &s : nullptr);
    } else {
      std::string buffer(s, '\0');
      result = RegQueryValueExA(ToHkey(key), name.c_str(), nullptr, &t,
                                reinterpret_cast<BYTE*>(buffer.data()), &s);
      if (result == ERROR_SUCCESS) {
        buffer.resize(s);
        *data = buffer;
      }
    }
    if (result == ERROR_SUCCESS || result == ERROR_MORE_DATA) {
      if (type) *type = t;
      if (size) *size = s;
    }
    return result;
  });
}

long Win32Registry::SetValue(platform::RegKey handle, const std::string& name, std::uint32_t type,
                             const std::string& bytes) {
  return OnKey(handle, [&](platform::RegKey key) -> long {
    return RegSetValueExA(ToHkey(key), name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                          static_cast<DWORD>(bytes.size()));
  });
}

long Win32Registry::SetDefaultValue(platform::RegKey handle, const std::string& subkey, const std::string& text) {
  return OnKey(handle, [&](platform::RegKey key) -> long {
    return RegSetValueA(ToHkey(key), subkey.empty() ? nullptr : subkey.c_str(), REG_SZ, text.c_str(),
                        static_cast<DWORD>(text.size()));
  });
}

long Win32Registry::DeleteValue(platform::RegKey handle, const std::string& name) {
  return OnKey(handle, [&](platform::RegKey key) -> long { return RegDeleteValueA(ToHkey(key), name.c_str()); });
}

long Win32Registry::CloseKey(platform::RegKey key) {
  // A kept key stays open for the next open of its path.
  if (FindKept(key) != kept_.end()) return ERROR_SUCCESS;
  return RegCloseKey(ToHkey(key));
}

long Win32Registry::DeleteTree(platform::RegKey root, const std::string& subkey) {
  // The kept keys at or below the deleted one go with it.
  const std::string lower = LowerCase(subkey);
  for (auto it = kept_.begin(); it != kept_.end();) {
    const auto& [parent, path] = it->first;
    const bool below = parent == root && path.compare(0, lower.size(), lower) == 0 &&
                       (path.size() == lower.size() || path[lower.size()] == '\\');
    if (!below) {
      ++it;
      continue;
    }
    RegCloseKey(ToHkey(it->second.key));
    it = kept_.erase(it);
  }
  return RegDeleteTreeA(ToHkey(root), subkey.c_str());
}

}  // namespace ks::win32
