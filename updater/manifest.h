// The update manifest "down35.log" and where its files may go.
//
// Items (the suite's data-file fields): the update serial, the main
// program version the update needs (three digits, 351 for 3.5.1), then
// pairs of a file name (below the update site's folder, and the local
// name) and a local folder relative to the program folder ("\DATA\x", or
// empty for the program folder itself).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ks::relayo {

inline constexpr int kMaxPairs = 256;
// The longest path the ANSI file functions take, its NUL included.
inline constexpr std::size_t kMaxPath = 260;
// What a listed file first arrives as, beside its target.
inline constexpr const char* kPartSuffix = ".~rl";

struct ManifestPair {
  std::string file;
  std::string folder;
};

struct Manifest {
  std::string serial_item;
  std::string version_item;
  std::int32_t serial = 0;
  std::int32_t version = 0;
  std::vector<ManifestPair> pairs;  // at most kMaxPairs
  // False when the serial or the version is not a number, or the manifest
  // lists more than kMaxPairs pairs: nothing of it may be applied.
  bool valid = false;
};

Manifest ReadManifest(const std::string& bytes);

// The version item for display: its first character, a point, its second,
// a point, its last ("351" gives "3.5.1").
std::string VersionText(const std::string& version_item);

// The local path of a listed file: ProgramFolder & folder & "\" & file, or
// nothing when the pair could put a file anywhere but below the program
// folder: a ".." part (or any part of only dots and blanks, which Windows
// trims to nothing), a part ending in a dot or a blank (which Windows trims
// to another name), ":" or a drive, a device name, a file name that begins
// with a separator, a folder that does not begin with exactly one, a
// control character or a character no file name may hold, or a path that
// (with kPartSuffix) is longer than the file functions take.
std::optional<std::string> LocalPath(const std::string& program_folder, const ManifestPair& pair);

// True when every character of a listed name stands for itself in the path
// of an address, so that the site is asked for the file the name names:
// letters, digits, "-._~!$&'()+,=@", and "\" or "/" between parts. Not "%"
// (an escape: "%74" asks for "t"), "#" (what follows is never sent), "?"
// (a query), a blank, a control character, a byte above 127 (whose meaning
// depends on the code page) or any other.
bool IsAddressName(std::string_view name);
// The name as the path below the update base: "\" becomes "/".
std::string AddressPath(std::string_view name);

}  // namespace ks::relayo
