// Preset files (".ksp" in "\DATA\Presets\"): one double-quoted item a line,
// CR LF, in the system code page: "ksp", the device id, the clear-all flag,
// the restore flag, name/value pairs of driver values (Direct3D, then
// OpenGL), optionally "Clock speed" with "core,memory", optionally
// "App to run" with the program's folder and path. The profile manager
// (Form6) writes and applies them; this module holds the rules they share.
#pragma once

#include <string>
#include <string_view>

namespace ks {

inline constexpr const char* kPresetFolder = "\\DATA\\Presets\\";
inline constexpr const char* kPresetMagic = "ksp";
inline constexpr const char* kAnyCard = "999";
inline constexpr const char* kClockEntry = "Clock speed";
inline constexpr const char* kAppEntry = "App to run";
inline constexpr int kMaxPresets = 129;
// The highest default clock (MHz) a preset's clocks are applied against,
// and the one the profile manager's clock box accepts.
inline constexpr int kPresetClockLimit = 2000;
inline constexpr int kProfileClockLimit = 3000;

// Appends one item as the file holds it: in double quotes, then CR LF.
void AddPresetItem(std::string& out, std::string_view item);

// A profile name that can become a file name inside the presets folder:
// a plain file name (IsPlainFileName: none of \ / : * ? " < > |, no control
// character, no device name such as "NUL" or "com1", no dot or blank at
// its end) without ".." in it. The empty name is allowed (it saves ".ksp").
bool ProfileNameAllowed(std::string_view name);
// A clock text a preset can carry: a whole number that fits 16 bits.
bool ClockTextAllowed(std::string_view text);

// The preset path of KestrelaneSE's full command line: everything after
// the program's own name, blanks around it dropped, and a pair of quotes
// around the whole path dropped too. "" when there is none. The program's
// name is its own module path `program_path` (with or without ".exe",
// quoted or not, in any letter case), so that a launcher that does not
// quote a path with blanks loses nothing; a command line that starts with
// another spelling (a bare file name, a short path) loses its first item
// as Windows parses it: up to the closing quote, or up to the first blank.
std::string PresetPathFromCommandLine(std::string_view command_line, std::string_view program_path);

// The messages of a step that failed, "Error: " + description + " " + number.
struct RunError {
  int number;
  const char* description;
};
inline constexpr RunError kFileNotFound{53, "File not found"};
inline constexpr RunError kPathFileAccess{75, "Path/File access error"};
std::string ErrorMessage(const RunError& error);

// The message for a refused profile name or clock text.
inline constexpr const char* kBadProfileName =
    "A profile name cannot hold \\ / : * ? \" < > |, control characters or two dots in a row, end in a dot or "
    "a blank, or be a device name such as NUL or COM1.";
inline constexpr const char* kBadClockText = "Clock speeds must be whole numbers (MHz).";
// The message of a preset applied where no NVIDIA display driver was found:
// no driver value and no clock of it is applied there.
inline constexpr const char* kNoNvidiaDriver =
    "No NVIDIA display driver was found, so there is no driver to apply this preset to. No driver value or clock "
    "speed was changed.";

}  // namespace ks
