// Texts compared and folded the way Windows treats names (registry keys,
// file names, value names): without regard to the case of ASCII letters;
// other bytes compare as they are. The fake machine and the code above the
// platform follow the same rule.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace ks {

inline char LowerCaseChar(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

inline std::string LowerCase(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = LowerCaseChar(c);
  return lower;
}

inline bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return LowerCaseChar(x) == LowerCaseChar(y); });
}

}  // namespace ks
