#include "tools/presets.h"

#include "common/numbers.h"
#include "common/paths.h"
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

std::string PresetPathFromCommandLine(std::string_view line) {
  size_t i = 0;
  while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
  if (i < line.size() && line[i] == '"') {
    const size_t close = line.find('"', i + 1);
    i = close == std::string_view::npos ? line.size() : close + 1;
  } else {
    while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
  }
  std::string path = Trim(line.substr(i));
  if (path.size() >= 2 && path.front() == '"' && path.back() == '"') path = path.substr(1, path.size() - 2);
  return path;
}

std::string ErrorMessage(const RunError& error) {
  return std::string("Error: ") + error.description + " " + std::to_string(error.number);
}

}  // namespace ks
