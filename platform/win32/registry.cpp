#include "platform/win32/registry.h"

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

long Win32Registry::OpenKey(platform::RegKey parent, const std::string& subkey, platform::RegKey* out) {
  HKEY key = nullptr;
  LONG result = RegOpenKeyA(ToHkey(parent), subkey.c_str(), &key);
  if (result == ERROR_SUCCESS) *out = FromHkey(key);
  return result;
}

long Win32Registry::CreateKey(platform::RegKey parent, const std::string& subkey, platform::RegKey* out) {
  HKEY key = nullptr;
  LONG result = RegCreateKeyA(ToHkey(parent), subkey.c_str(), &key);
  if (result == ERROR_SUCCESS) *out = FromHkey(key);
  return result;
}

long Win32Registry::QueryValue(platform::RegKey key, const std::string& name, std::uint32_t* type,
                               std::string* data, std::uint32_t* size) {
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
}

long Win32Registry::SetValue(platform::RegKey key, const std::string& name, std::uint32_t type,
                             const std::string& bytes) {
  return RegSetValueExA(ToHkey(key), name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                        static_cast<DWORD>(bytes.size()));
}

long Win32Registry::SetDefaultValue(platform::RegKey key, const std::string& subkey, const std::string& text) {
  return RegSetValueA(ToHkey(key), subkey.empty() ? nullptr : subkey.c_str(), REG_SZ, text.c_str(),
                      static_cast<DWORD>(text.size()));
}

long Win32Registry::DeleteValue(platform::RegKey key, const std::string& name) {
  return RegDeleteValueA(ToHkey(key), name.c_str());
}

long Win32Registry::CloseKey(platform::RegKey key) { return RegCloseKey(ToHkey(key)); }

long Win32Registry::DeleteTree(platform::RegKey root, const std::string& subkey) {
  return RegDeleteTreeA(ToHkey(root), subkey.c_str());
}

}  // namespace ks::win32
