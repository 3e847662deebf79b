// File version texts as the version resources of drivers and system
// libraries hold them: "6.14.10.7701", "6.14.10.7701 (English)",
// "5,3,1,904", "5, 3, 1, 904".
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ks {

// The digits of the last group of the version the text begins with (leading
// blanks skipped): groups of digits joined by "." or "," (a blank may follow
// a ","), ended by the end of the text or a blank. "6.14.10.7701 (English)"
// gives "7701", "5, 3, 1, 904" gives "904", "12" gives "12". Nullopt when
// the text does not begin with such a version ("", "6.14.10.77a1",
// "1.2.beta", "6.14.").
std::optional<std::string> LastVersionGroup(std::string_view text);

}  // namespace ks
