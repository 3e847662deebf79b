#include "platform/fake/names.h"

namespace ks::fake {

std::string FoldCase(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

bool SameName(std::string_view a, std::string_view b) { return FoldCase(a) == FoldCase(b); }

}  // namespace ks::fake
