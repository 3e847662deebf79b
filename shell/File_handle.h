// The chip data files: per-chip answers (texture count, shader versions,
// antialiasing class, anisotropic level) from "<program>\DATA\<base>.dat",
// keyed by part of DeviceId. Files are read afresh on every lookup.
#pragma once

#include <optional>
#include <string>

#include "shell/se_state.h"

namespace ks {

// The chip key the device is looked up by in the file `base`: characters 2
// and 3 of DeviceId; characters 3 and 4 for ids beginning "00F"; the whole
// id in "mt" for ids beginning "004". "" when DeviceId is shorter than four.
std::string ChipKey(const std::string& device_id, const std::string& base);

// The value field of the first record whose key equals the chip key, or
// nullopt (no such record, no file, no device id). Records are key and
// value, plus an extra field with with_extra ("ps", "vs"); a match sets
// ChipDataExtra to that field (or "" without with_extra). No match leaves
// ChipDataExtra as it was.
std::optional<std::string> LookupChipData(SeState& s, const std::string& base, bool with_extra);

// The value read as a number, 0 for nothing or no number.
std::int32_t ChipDataNumber(const std::optional<std::string>& value);

}  // namespace ks
