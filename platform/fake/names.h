// Case-insensitive names as Windows compares them (ASCII letters fold;
// other bytes compare as they are).
#pragma once

#include <string>
#include <string_view>

namespace ks::fake {

std::string FoldCase(std::string_view text);
bool SameName(std::string_view a, std::string_view b);

struct FoldedLess {
  bool operator()(const std::string& a, const std::string& b) const { return FoldCase(a) < FoldCase(b); }
};

}  // namespace ks::fake
