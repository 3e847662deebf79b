#include "common/numbers.h"

#include <cmath>
#include <cstdlib>

namespace ks {

std::string Trim(std::string_view text) {
  size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string_view::npos) return std::string();
  size_t end = text.find_last_not_of(" \t");
  return std::string(text.substr(begin, end - begin + 1));
}

std::optional<double> ParseNumber(std::string_view text) {
  std::string t = Trim(text);
  size_t i = 0;
  auto digits = [&] {
    size_t start = i;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
    return i - start;
  };
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  size_t whole = digits();
  size_t fraction = 0;
  if (i < t.size() && t[i] == '.') {
    ++i;
    fraction = digits();
  }
  if (whole + fraction == 0) return std::nullopt;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    if (digits() == 0) return std::nullopt;
  }
  if (i != t.size()) return std::nullopt;
  // strtod reads exactly this grammar; the C locale's decimal point is '.'.
  return std::strtod(t.c_str(), nullptr);
}

std::optional<std::int32_t> ToInt32(double value) {
  if (std::isnan(value)) return std::nullopt;
  double rounded = std::nearbyint(value);  // default rounding mode: half to even
  if (rounded < -2147483648.0 || rounded > 2147483647.0) return std::nullopt;
  return static_cast<std::int32_t>(rounded);
}

std::optional<std::int32_t> TextToInt32(std::string_view text) {
  auto number = ParseNumber(text);
  if (!number) return std::nullopt;
  return ToInt32(*number);
}

std::string IntToText(long long value) { return std::to_string(value); }

}  // namespace ks
