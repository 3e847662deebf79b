// The update manifest "down35.log" and where its files may go.
//
// Items (the suite's data-file fields): the update serial, the main
// program version the update needs (three digits, 351 for 3.5.1), then
// pairs of a file name (below the update site's folder, and the local
// name) and a local folder relative to the program folder ("\DATA\x", or
// empty for the program folder itself).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ks::relayo {

inline constexpr int kMaxPairs = 256;

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
// control character or a character no file name may hold.
std::optional<std::string> LocalPath(const std::string& program_folder, const ManifestPair& pair);

}  // namespace ks::relayo
