// The program's version, as the version resources give it.
#pragma once

#include "common/suite_version.h"

namespace ks {

inline constexpr int kVersionMajor = KS_VERSION_MAJOR;
inline constexpr int kVersionMinor = KS_VERSION_MINOR;
inline constexpr int kVersionRevision = KS_VERSION_REVISION;

}  // namespace ks
