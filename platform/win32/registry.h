// The registry service over advapi32.
#pragma once

#include <map>
#include <string>
#include <utility>

#include "platform/registry.h"

namespace ks::win32 {

// Keys stay open once opened: the module opens, reads and closes a key for
// every value, and under Wine each open and close is a round trip to the
// server. A caller's close leaves the key open for the next open of the
// same path. A key deleted meanwhile (by another program, say) is opened
// afresh when an operation finds it gone.
class Win32Registry : public platform::Registry {
 public:
  Win32Registry() = default;
  Win32Registry(const Win32Registry&) = delete;
  Win32Registry& operator=(const Win32Registry&) = delete;
  ~Win32Registry() override;

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

 private:
  struct Kept {
    platform::RegKey key = 0;
    bool create = false;  // last handed out by CreateKey: reopening creates it again
  };
  // The kept keys by parent and lower-case subkey.
  using KeptKeys = std::map<std::pair<platform::RegKey, std::string>, Kept>;

  long Open(platform::RegKey parent, const std::string& subkey, platform::RegKey* out, bool create);
  // The entry of a kept key; end() for a key that is not kept.
  KeptKeys::iterator FindKept(platform::RegKey key);
  // Runs `op` on the key; when the key was deleted since it was opened, opens
  // its path again and runs `op` on the new key.
  template <typename Op>
  long OnKey(platform::RegKey key, Op op);

  KeptKeys kept_;
};

}  // namespace ks::win32
