// The value database: text files "\DATA\Database\NNNNkind.dat" that list,
// per driver build and page, the driver values the program knows (name,
// description, the values the program's controls write to it). The registry editor and the
// profile manager both read them through this module; what each window
// keeps (its DatabaseName, its entry table) stays in the window.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "common/basRegistry.h"

namespace ks {

// Pages of driver values, in the order of the windows' Option1 buttons.
enum DatabasePage : int { kPageDirect3D = 0, kPageOpenGL = 1, kPageSystem = 2 };

// "d3d", "ogl" or "sys" (always lower case).
const char* DatabaseKind(int page);

inline constexpr const char* kDatabaseFolder = "\\DATA\\Database\\";
inline constexpr int kMaxDatabaseFiles = 65;   // names FindDatabaseFile keeps
inline constexpr int kEditorEntries = 201;     // the registry editor's entry table
inline constexpr int kPresetEntries = 101;     // the profile manager's tables
// Values a record keeps: room for every value a control writes (the
// antialiasing mode with its gamma and transparency flags is the longest).
inline constexpr int kValueSlots = 128;

// What FindDatabaseFile leaves in its window.
struct DatabaseChoice {
  std::string name;                // DatabaseName: base name, e.g. "4520d3d"
  std::vector<std::string> files;  // DatabaseFiles: the kind's base names, as listed (at most 65)
};

// Chooses the file of `page` for `driver_build` among `listed` (the names
// of the folder's "*.dat" files in listing order): the exact build, else
// the highest build below it (written with four digits), else "0000".
// Never fails.
DatabaseChoice ChooseDatabaseFile(int page, std::int32_t driver_build, const std::vector<std::string>& listed);

struct DatabaseRecord {
  std::string name;
  std::string description;                          // "?" = none
  std::array<std::int32_t, kValueSlots> values{};   // unfilled slots hold 0
  int value_count = 0;                              // values the record listed (beyond the slots too)
};

struct DatabaseContents {
  std::vector<DatabaseRecord> records;  // the complete records, at most `capacity`
  std::int32_t count = 0;               // complete records in the file, also beyond `capacity`
};

// Reads records (name, description, values, "x") until the end of `bytes`;
// a UTF-8 byte-order mark at the start is skipped, lines that hold nothing
// but blanks are no fields, and a line end right after a comma separates
// nothing more. The terminator is "x" in either case. A value field that
// is no number and stands first on its line begins the next record: the
// record before it lost its terminator (to an unclosed quote, say) and is
// dropped, as is a record the file ends inside. So is a record whose
// short name is empty (a name of four characters, or none), since its
// registry location would be a key's unnamed value. Values that are no
// 32-bit number keep their slot at 0; values past the slots are dropped.
DatabaseContents ReadDatabase(const std::string& bytes, int capacity);

// The name without its first four characters; a name of fewer than four
// characters stays whole.
std::string ShortName(const std::string& name);

// Where the registry editor reads, writes and deletes an entry's value
// (under HKEY_LOCAL_MACHINE).
struct EntryLocation {
  std::string key;
  std::string name;
  bool binary = false;  // written as a 4-byte REG_BINARY (else REG_DWORD)
};
EntryLocation LocateEntry(int page, std::int16_t os_class, const std::string& driver_key, const std::string& name);

inline constexpr const char* kSystemPageKey = "SOFTWARE\\NVIDIA Corporation\\Global\\NVTweak";

}  // namespace ks
