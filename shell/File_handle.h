// The chip data files: per-chip answers (texture count, shader versions,
// antialiasing class, anisotropic level) from "<program>\DATA\<base>.dat",
// keyed by part of DeviceId: characters 2 and 3 (0322 gives 32), characters
// 3 and 4 for ids beginning "00F" (00F1 gives F1), the whole id in "mt" for
// ids beginning "004". Files are read afresh on every lookup.
#pragma once

#include <optional>
#include <string>

#include "shell/se_state.h"

namespace ks {

// The value field of the first record whose key equals the device's chip
// key, or nullopt (no such record, no file, no device id). Records are key
// and value, plus an extra field with with_extra ("ps", "vs"); a match sets
// ChipDataExtra to that field (or "" without with_extra). No match leaves
// ChipDataExtra as it was.
std::optional<std::string> LookupChipData(SeState& s, const std::string& base, bool with_extra);

// The value read as a number, 0 for nothing or no number.
std::int32_t ChipDataNumber(const std::optional<std::string>& value);

}  // namespace ks
