#include "shell/File_handle.h"

#include "common/datafile.h"
#include "common/numbers.h"

namespace ks {

namespace {

// "" when DeviceId is too short to hold a key.
std::string ChipKey(const std::string& device_id, const std::string& base) {
  if (device_id.size() < 4) return std::string();
  if (device_id.compare(0, 3, "00F") == 0) return device_id.substr(2, 2);
  if (base == "mt" && device_id.compare(0, 3, "004") == 0) return device_id;
  return device_id.substr(1, 2);
}

}  // namespace

std::optional<std::string> LookupChipData(SeState& s, const std::string& base, bool with_extra) {
  std::string key = ChipKey(s.DeviceId, base);
  if (key.empty()) return std::nullopt;
  std::string bytes;
  if (!s.platform.files().ReadFile(s.DataPath("\\DATA\\" + base + ".dat"), &bytes)) return std::nullopt;
  FieldReader reader(std::move(bytes));
  while (!reader.AtEnd()) {
    std::string candidate = reader.Next();
    std::string value = reader.Next();
    std::string extra = with_extra ? reader.Next() : std::string();
    if (candidate == key) {
      s.ChipDataExtra = extra;
      return value;
    }
  }
  return std::nullopt;
}

std::int32_t ChipDataNumber(const std::optional<std::string>& value) {
  if (!value) return 0;
  return TextToInt32(*value).value_or(0);
}

}  // namespace ks
