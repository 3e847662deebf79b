// Registry service: one method per advapi32 call the suite makes.
// Keys are opaque handles; the predefined roots have their Win32 values.
// Every method returns a Win32 result code (0 = success).
#pragma once

#include <cstdint>
#include <string>

namespace ks::platform {

using RegKey = std::uint64_t;

inline constexpr RegKey kHkeyClassesRoot = 0x80000000u;
inline constexpr RegKey kHkeyCurrentUser = 0x80000001u;
inline constexpr RegKey kHkeyLocalMachine = 0x80000002u;
inline constexpr RegKey kHkeyDynData = 0x80000006u;

enum RegType : std::uint32_t {
  kRegNone = 0,
  kRegSz = 1,
  kRegExpandSz = 2,
  kRegBinary = 3,
  kRegDword = 4,
  kRegDwordBigEndian = 5,
  kRegLink = 6,
  kRegMultiSz = 7,
};

inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
inline constexpr long kErrorAccessDenied = 5;
inline constexpr long kErrorInvalidHandle = 6;
inline constexpr long kErrorInvalidParameter = 87;
inline constexpr long kErrorMoreData = 234;

class Registry {
 public:
  virtual ~Registry() = default;

  // RegOpenKeyA. An empty subkey gives back the parent handle itself.
  virtual long OpenKey(RegKey parent, const std::string& subkey, RegKey* out) = 0;
  // RegCreateKeyA: opens the key, creating it and every missing key above it.
  virtual long CreateKey(RegKey parent, const std::string& subkey, RegKey* out) = 0;
  // RegQueryValueExA. With data == nullptr only *type and *size are filled.
  // Otherwise *size is the buffer size on entry; on success data holds the
  // bytes and *size their count; a buffer too small gives kErrorMoreData.
  // An empty name is the key's default value.
  virtual long QueryValue(RegKey key, const std::string& name, std::uint32_t* type,
                          std::string* data, std::uint32_t* size) = 0;
  // RegSetValueExA with reserved 0: stores the bytes as given.
  virtual long SetValue(RegKey key, const std::string& name, std::uint32_t type,
                        const std::string& bytes) = 0;
  // RegSetValueA: creates subkey (if any) and sets its default value to text as REG_SZ.
  virtual long SetDefaultValue(RegKey key, const std::string& subkey, const std::string& text) = 0;
  // RegDeleteValueA.
  virtual long DeleteValue(RegKey key, const std::string& name) = 0;
  // RegCloseKey. Closing a predefined root succeeds and does nothing.
  virtual long CloseKey(RegKey key) = 0;
};

// Owns one open key and closes it once.
class ScopedRegKey {
 public:
  explicit ScopedRegKey(Registry& registry) : registry_(&registry) {}
  ScopedRegKey(const ScopedRegKey&) = delete;
  ScopedRegKey& operator=(const ScopedRegKey&) = delete;
  ~ScopedRegKey() { Reset(); }

  RegKey* Receive() {
    Reset();
    return &key_;
  }
  RegKey get() const { return key_; }
  bool valid() const { return key_ != 0; }
  // Closes the key now; returns the close result (0 when nothing was open).
  long Reset() {
    long result = kErrorSuccess;
    if (key_ != 0) result = registry_->CloseKey(key_);
    key_ = 0;
    return result;
  }

 private:
  Registry* registry_;
  RegKey key_ = 0;
};

}  // namespace ks::platform
