// Texts compared and folded the way Windows treats names (registry keys,
// file names, value names): without regard to the case of ASCII letters.
#pragma once

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

namespace ks {

inline char LowerCaseChar(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

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
