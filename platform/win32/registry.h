// The registry service over advapi32.
#pragma once

#include "platform/registry.h"

namespace ks::win32 {

class Win32Registry : public platform::Registry {
 public:
  long OpenKey(platform::RegKey parent, const std::string& subkey, platform::RegKey* out) override;
  long CreateKey(platform::RegKey parent, const std::string& subkey, platform::RegKey* out) override;
  long QueryValue(platform::RegKey key, const std::string& name, std::uint32_t* type, std::string* data,
                  std::uint32_t* size) override;
  long SetValue(platform::RegKey key, const std::string& name, std::uint32_t type,
                const std::string& bytes) override;
  long SetDefaultValue(platform::RegKey key, const std::string& subkey, const std::string& text) override;
  long DeleteValue(platform::RegKey key, const std::string& name) override;
  long CloseKey(platform::RegKey key) override;

  // Test support: deletes a key and everything below it (RegDeleteTreeA).
  long DeleteTree(platform::RegKey root, const std::string& subkey);
};

}  // namespace ks::win32
