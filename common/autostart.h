// The tray launcher's start with Windows: one value of the user's Run key
// that travo and KestrelaneSE's profile manager both own. Windows runs the
// value's data as a command line, so the program path stands in double
// quotes: unquoted, "C:\Program Files\Kestrelane\travo.exe" makes Windows
// try "C:\Program.exe" first.
#pragma once

#include <string>
#include <string_view>

namespace ks {

inline constexpr const char* kAutostartRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kAutostartValue = "Kestrelane Travonix";

// What the value is written with: folder & "\travo.exe" in double quotes.
// `program_folder` has no trailing separator.
std::string AutostartCommand(const std::string& program_folder);

// True when `data` starts the travo.exe of `program_folder`: the quoted
// form, or the unquoted one that older versions wrote. Both are compared
// exactly (letter case too); anything else belongs to another copy.
bool IsOwnAutostart(std::string_view data, const std::string& program_folder);

}  // namespace ks
