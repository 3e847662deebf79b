// The program's version: 3.05, revision 3 (file version 3.05.0003).
#pragma once

namespace ks {

inline constexpr int kVersionMajor = 3;
inline constexpr int kVersionMinor = 5;
inline constexpr int kVersionRevision = 3;

}  // namespace ks
