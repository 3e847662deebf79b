#include "tools/presets.h"

#include <vector>

#include "common/numbers.h"
#include "common/paths.h"
#include "platform/names.h"
#include "tools/Form3.h"

namespace ks {

void AddPresetItem(std::string& out, std::string_view item) {
  out += '"';
  out += item;
  out += "\"\r\n";
}

bool ProfileNameAllowed(std::string_view name) {
  if (name.find_first_of("\\/:*?\"<>|") != std::string_view::npos) return false;
  // The name becomes "<name>.ksp": a device name there would open the device.
  return name.find("..") == std::string_view::npos && !IsReservedDeviceName(name);
}

bool ClockTextAllowed(std::string_view text) {
  const std::optional<std::int32_t> n = WholeNumber(std::string(text));
  return n && *n >= -32768 && *n <= 32767;
}

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The length of the program's own path at the start of `line` (quotes
// included), or 0 when the line does not start with it.
size_t OwnPathLength(std::string_view line, std::string_view program_path) {
  if (program_path.empty()) return 0;
  std::vector<std::string_view> spellings = {program_path};
  // CreateProcess finds "...\KestrelaneSE" as "...\KestrelaneSE.exe".
  if (program_path.size() > 4 && SameTextIgnoringCase(program_path.substr(program_path.size() - 4), ".exe"))
    spellings.push_back(program_path.substr(0, program_path.size() - 4));
  for (std::string_view path : spellings) {
    const bool quoted = !line.empty() && line.front() == '"';
    const size_t start = quoted ? 1 : 0;
    if (line.size() < start + path.size() || !SameTextIgnoringCase(line.substr(start, path.size()), path)) continue;
    size_t end = start + path.size();
    if (quoted) {
      if (end < line.size() && line[end] == '"') return end + 1;
      continue;
    }
    if (end == line.size() || IsBlank(line[end]) || line[end] == '"') return end;
  }
  return 0;
}

}  // namespace

std::string PresetPathFromCommandLine(std::string_view line, std::string_view program_path) {
  size_t i = 0;
  while (i < line.size() && IsBlank(line[i])) ++i;
  line.remove_prefix(i);
  i = OwnPathLength(line, program_path);
  if (i == 0 && !line.empty() && line.front() == '"') {
    const size_t close = line.find('"', 1);
    i = close == std::string_view::npos ? line.size() : close + 1;
  } else if (i == 0) {
    while (i < line.size() && !IsBlank(line[i])) ++i;
  }
  std::string path = Trim(line.substr(i));
  if (path.size() >= 2 && path.front() == '"' && path.back() == '"') path = path.substr(1, path.size() - 2);
  return path;
}

std::string ErrorMessage(const RunError& error) {
  return std::string("Error: ") + error.description + " " + std::to_string(error.number);
}

}  // namespace ks
