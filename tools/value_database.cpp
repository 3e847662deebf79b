#include "tools/value_database.h"

#include <cctype>
#include <optional>
#include <string_view>

#include "common/datafile.h"
#include "common/numbers.h"
#include "engine/driver_values.h"

namespace ks {

const char* DatabaseKind(int page) {
  switch (page) {
    case kPageDirect3D: return "d3d";
    case kPageOpenGL: return "ogl";
    default: return "sys";
  }
}

namespace {

// The build a base name stands for: its first four characters as digits.
bool BuildOfName(const std::string& base, std::int32_t* build) {
  if (base.size() < 4) return false;
  std::int32_t n = 0;
  for (int i = 0; i < 4; ++i) {
    const unsigned char c = static_cast<unsigned char>(base[i]);
    if (!std::isdigit(c)) return false;
    n = n * 10 + (c - '0');
  }
  *build = n;
  return true;
}

std::string FourDigits(std::int32_t n) {
  std::string digits = std::to_string(n);
  while (digits.size() < 4) digits.insert(digits.begin(), '0');
  return digits;
}

}  // namespace

DatabaseChoice ChooseDatabaseFile(int page, std::int32_t driver_build, const std::vector<std::string>& listed) {
  const std::string kind = DatabaseKind(page);
  DatabaseChoice choice;
  for (const std::string& file : listed) {
    if (file.size() < 4) continue;
    const std::string base = file.substr(0, file.size() - 4);
    if (base.size() < kind.size() || base.compare(base.size() - kind.size(), kind.size(), kind) != 0) continue;
    if (static_cast<int>(choice.files.size()) >= kMaxDatabaseFiles) break;
    choice.files.push_back(base);
  }
  for (const std::string& base : choice.files) {
    std::int32_t build = 0;
    if (BuildOfName(base, &build) && build == driver_build) {
      choice.name = base;
      return choice;
    }
  }
  std::int32_t best = 0;
  for (const std::string& base : choice.files) {
    std::int32_t build = 0;
    if (BuildOfName(base, &build) && build > 0 && build < driver_build && build > best) best = build;
  }
  choice.name = FourDigits(best) + kind;
  return choice;
}

std::string ShortName(const std::string& name) { return name.size() < 4 ? name : name.substr(4); }

namespace {

bool IsTerminator(const std::string& field) { return field == "x" || field == "X"; }

// A whole number, whatever its size: one too large for a slot is still a
// value, not a name.
bool LooksLikeNumber(const std::string& field) {
  size_t at = !field.empty() && (field[0] == '-' || field[0] == '+') ? 1 : 0;
  if (at >= field.size()) return false;
  for (; at < field.size(); ++at)
    if (!std::isdigit(static_cast<unsigned char>(field[at]))) return false;
  return true;
}

}  // namespace

DatabaseContents ReadDatabase(const std::string& bytes, int capacity) {
  DatabaseContents out;
  FieldReader in(std::string(WithoutUtf8Mark(bytes)));
  // A blank line holds no field: read as one, it would shift every field
  // after it and the record that follows would be lost.
  auto next = [&in] {
    in.SkipBlankLines();
    std::string field = in.Next();
    in.SkipLineEndAfterComma();
    return field;
  };
  std::string pending_name;
  bool have_name = false;
  for (in.SkipBlankLines(); have_name || !in.AtEnd(); in.SkipBlankLines()) {
    DatabaseRecord record;
    record.name = have_name ? std::move(pending_name) : next();
    have_name = false;
    record.description = next();
    bool complete = false;
    for (in.SkipBlankLines(); !in.AtEnd(); in.SkipBlankLines()) {
      const bool first_on_line = in.AtLineStart();
      const std::string field = next();
      if (IsTerminator(field)) {
        complete = true;
        break;
      }
      const std::optional<std::int32_t> number = TextToInt32(field);
      // Values are numbers: a text that opens a line is the next record's
      // name, and this record has lost its terminator.
      if (!number && first_on_line && !field.empty() && !LooksLikeNumber(field)) {
        pending_name = field;
        have_name = true;
        break;
      }
      if (record.value_count < kValueSlots) record.values[record.value_count] = number.value_or(0);
      ++record.value_count;
    }
    if (have_name) continue;
    // A file that ends inside a record keeps only the complete records.
    if (!complete) break;
    if (ShortName(record.name).empty()) continue;
    if (static_cast<int>(out.records.size()) < capacity) out.records.push_back(std::move(record));
    ++out.count;
  }
  return out;
}

EntryLocation LocateEntry(int page, std::int16_t os_class, const std::string& driver_key, const std::string& name) {
  EntryLocation where;
  switch (page) {
    case kPageDirect3D:
      where.key = os_class == 0 ? driver_key + kDirect3DSubkey : driver_key;
      where.name = ShortName(name);
      where.binary = true;
      break;
    case kPageOpenGL:
      where.key = os_class == 0 ? driver_key + kOpenGLSubkey : driver_key;
      where.name = os_class == 0 ? ShortName(name) : name;
      where.binary = true;
      break;
    default:
      where.key = kSystemPageKey;
      where.name = name;
      where.binary = false;
      break;
  }
  return where;
}

}  // namespace ks
