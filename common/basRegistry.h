// The suite's registry access module, read and write (KestrelaneSE, pvx,
// travo, relayo). It never shows a message and never reports a failure: a
// missing key or value reads as empty text, a failed write leaves the
// registry as it was. Each process owns one BasRegistry, and with it its own
// switches. The capability viewer reads with its own rules instead
// (viewer/basRegistry.h, ReadRegistryValue) and shares only RegRead.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "platform/registry.h"

namespace ks {

using platform::kHkeyClassesRoot;
using platform::kHkeyCurrentUser;
using platform::kHkeyDynData;
using platform::kHkeyLocalMachine;
using platform::RegKey;

// What ReadRegValue gives: a text (possibly empty), a signed 32-bit integer,
// or nothing at all.
class RegRead {
 public:
  enum class Kind { kText, kNumber, kNothing };

  RegRead() : value_(std::string()) {}
  static RegRead Text(std::string text) { return RegRead(Variant(std::move(text))); }
  static RegRead Number(std::int32_t number) { return RegRead(Variant(number)); }
  static RegRead Nothing() { return RegRead(Variant(std::monostate())); }

  Kind kind() const;
  // Text as stored, a number in decimal, nothing as "".
  std::string AsText() const;
  // A number as is, nothing as 0, a text when it reads as a number
  // (converted to 32 bits); nullopt for any other text, the empty one too,
  // so a caller that converts keeps its previous value.
  std::optional<std::int32_t> AsNumber() const;
  // AsNumber, or the fallback when it gives none.
  std::int32_t NumberOr(std::int32_t fallback) const { return AsNumber().value_or(fallback); }
  // The caller's test "= empty": empty text or nothing.
  bool IsEmpty() const { return AsText().empty(); }

  bool operator==(const RegRead& other) const { return value_ == other.value_; }

 private:
  using Variant = std::variant<std::string, std::int32_t, std::monostate>;
  explicit RegRead(Variant v) : value_(std::move(v)) {}
  Variant value_;
};

// A value to write: a number or a text.
class RegArg {
 public:
  RegArg(int v) : value_(static_cast<double>(v)) {}
  RegArg(long v) : value_(static_cast<double>(v)) {}
  RegArg(long long v) : value_(static_cast<double>(v)) {}
  RegArg(unsigned v) : value_(static_cast<double>(v)) {}
  RegArg(double v) : value_(v) {}
  RegArg(std::string v) : value_(std::move(v)) {}
  RegArg(const char* v) : value_(std::string(v)) {}

  // The number, or the text read as a number; nullopt for a text that is none.
  std::optional<double> AsDouble() const;
  std::string AsText() const;

 private:
  std::variant<double, std::string> value_;
};

class BasRegistry {
 public:
  explicit BasRegistry(platform::Registry& registry) : registry_(registry) {}

  void DeleteRegValue(RegKey root, const std::string& subkey, const std::string& name);
  bool RegKeyExists(RegKey root, const std::string& subkey);
  RegRead ReadRegValue(RegKey root, const std::string& subkey, const std::string& name);
  void WriteRegValue(RegKey root, const std::string& subkey, const std::string& name, const RegArg& value);
  // A REG_DWORD number or a REG_SZ text (with its NUL) whatever the switches
  // say; the switches stay as they are. Failures as WriteRegValue.
  void WriteRegDword(RegKey root, const std::string& subkey, const std::string& name, std::int32_t value);
  void WriteRegText(RegKey root, const std::string& subkey, const std::string& name, const std::string& text);

  // 1: every following write is a 4-byte REG_BINARY, until a caller sets 0.
  std::int32_t WriteAsBinary = 0;
  // 1: the next write is a REG_MULTI_SZ; that write resets it.
  std::int32_t WriteAsMultiSz = 0;
  // Result code of the last registry call made here (0 = success).
  std::int32_t RegResult = 0;
  // Raw bytes of the last REG_MULTI_SZ value read.
  std::string LastMultiSz;

  platform::Registry& registry() { return registry_; }

 private:
  long Note(long result) {
    RegResult = static_cast<std::int32_t>(result);
    return result;
  }
  platform::Registry& registry_;
};

// The program's own settings key under HKEY_CURRENT_USER.
inline constexpr const char* kProductKey = "Software\\Kestrelane";

}  // namespace ks
