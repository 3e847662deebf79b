// The file-version text pvx shows for a selected file.
#pragma once

#include <string>

#include "platform/version.h"

namespace ks {

// Sets *text to the "FileVersion" string of the file's first translation
// (at most 128 characters, blanks trimmed) and leaves it unchanged when the
// file has no version information, no translation or no such string.
void GetFileVersionString(platform::VersionInfo& version, const std::string& path, std::string* text);

}  // namespace ks
