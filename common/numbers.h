// The suite's number rules: when a text "reads as a number", and the
// conversion to a signed 32-bit integer (a half rounds to the even
// neighbour; out of range fails).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ks {

// Decimal number with optional surrounding spaces, sign, decimal point and
// exponent: " 12", "-3.5", "1e3", ".5". The empty text is no number.
std::optional<double> ParseNumber(std::string_view text);

// Rounds half to even; nullopt outside -2147483648..2147483647 or for NaN.
std::optional<std::int32_t> ToInt32(double value);
// ParseNumber followed by ToInt32.
std::optional<std::int32_t> TextToInt32(std::string_view text);

// Decimal text of an integer ("-12").
std::string IntToText(long long value);

// Leading and trailing blanks removed.
std::string Trim(std::string_view text);

}  // namespace ks
