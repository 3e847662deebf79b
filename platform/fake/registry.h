// In-memory registry: a key tree per root, typed raw values, names compared
// without regard to case (the first spelling is kept), an ordered log of
// every call, and calls that can be told to fail.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace ks::fake {

class FakeRegistry : public platform::Registry {
 public:
  struct Call {
    std::string op;    // "RegOpenKeyA", "RegCreateKeyA", "RegQueryValueExA", ...
    std::string path;  // full key path, e.g. "HKEY_CURRENT_USER\Software\Kestrelane"
    std::string name;  // value name (or subkey for RegOpenKeyA / RegCreateKeyA / RegSetValueA)
    long result = 0;
    std::uint32_t type = 0;  // RegSetValueExA / RegSetValueA: the type and bytes written
    std::string bytes;
  };
  struct Value {
    std::uint32_t type = 0;
    std::string bytes;
  };

  FakeRegistry();
  ~FakeRegistry() override;

  long OpenKey(platform::RegKey parent, const std::string& subkey, platform::RegKey* out) override;
  long CreateKey(platform::RegKey parent, const std::string& subkey, platform::RegKey* out) override;
  long QueryValue(platform::RegKey key, const std::string& name, std::uint32_t* type, std::string* data,
                  std::uint32_t* size) override;
  long SetValue(platform::RegKey key, const std::string& name, std::uint32_t type,
                const std::string& bytes) override;
  long SetDefaultValue(platform::RegKey key, const std::string& subkey, const std::string& text) override;
  long DeleteValue(platform::RegKey key, const std::string& name) override;
  long CloseKey(platform::RegKey key) override;

  // --- set-up and inspection for tests (not logged) ---
  // Paths are "HKLM\..." / "HKEY_LOCAL_MACHINE\..." / "HKCU\..." / "HKCR\..." / "HKDD\...".
  void AddKey(const std::string& path);
  void Put(const std::string& path, const std::string& name, std::uint32_t type, const std::string& bytes);
  void PutString(const std::string& path, const std::string& name, const std::string& text);  // REG_SZ with NUL
  void PutDword(const std::string& path, const std::string& name, std::uint32_t value);
  bool HasKey(const std::string& path) const;
  std::optional<Value> Get(const std::string& path, const std::string& name) const;
  // Stored spellings of the subkeys / value names of a key, in name order.
  std::vector<std::string> SubkeyNames(const std::string& path) const;
  std::vector<std::string> ValueNames(const std::string& path) const;
  // The spelling a key was first created with (full path), empty if missing.
  std::string StoredPath(const std::string& path) const;

  const std::vector<Call>& log() const { return log_; }
  void ClearLog() { log_.clear(); }
  // Number of logged calls of one kind.
  int CountCalls(const std::string& op) const;

  // The next calls of `op` (whose path contains `path_part`, if given) fail with `code`.
  // times < 0: every such call from now on.
  void FailCalls(const std::string& op, long code, int times = 1, const std::string& path_part = "");
  // Called for every logged call before it runs; a test can trip on an unexpected call.
  std::function<void(const Call&)> on_call;
  // Open handles (for leak checks).
  int OpenHandleCount() const { return static_cast<int>(handles_.size()); }

 private:
  struct Key;
  Key* Resolve(platform::RegKey key) const;
  Key* Walk(Key* from, const std::string& subkey, bool create);
  Key* RootByPath(const std::string& path, std::string* rest) const;
  std::string PathOf(const Key* key) const;
  long Begin(const std::string& op, const std::string& path, const std::string& name, std::uint32_t type = 0,
             const std::string& bytes = "");
  void End(long result);
  platform::RegKey NewHandle(Key* key);

  std::map<platform::RegKey, std::unique_ptr<Key>> roots_;
  std::map<platform::RegKey, Key*> handles_;
  platform::RegKey next_handle_ = 0x1000;
  std::vector<Call> log_;
  struct Failure {
    std::string op;
    std::string path_part;
    long code;
    int times;
  };
  std::vector<Failure> failures_;
};

}  // namespace ks::fake
