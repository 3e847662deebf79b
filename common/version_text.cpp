#include "common/version_text.h"

namespace ks {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<std::string> LastVersionGroup(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  std::string group;
  while (true) {
    group.clear();
    while (i < text.size() && IsDigit(text[i])) group += text[i++];
    if (group.empty()) return std::nullopt;
    if (i == text.size() || text[i] == ' ') return group;
    if (text[i] == '.') {
      ++i;
    } else if (text[i] == ',') {
      ++i;
      while (i < text.size() && text[i] == ' ') ++i;
    } else {
      return std::nullopt;
    }
  }
}

}  // namespace ks
