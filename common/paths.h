// Checks on names and paths a program takes from a file or from the user
// before it turns them into a path of its own. Every program that builds a
// path from outside text asks these, so one rule holds suite-wide.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace ks {

// A part of a path that Windows opens as a device whatever folder it stands
// in: CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9, CONIN$, CONOUT$, in any
// letter case, alone or with an extension ("aux.txt", "LPT1.dll"), and with
// the blanks and dots Windows drops from the end of a name ("NUL .txt").
// Windows also takes the superscript digits one to three for COM and LPT
// ("COM\xB9" in code page 1252, bytes 0xB9, 0xB2, 0xB3).
bool IsReservedDeviceName(std::string_view part);

// True when any part between "\" or "/" separators is a device name.
bool HasReservedDeviceName(std::string_view path);

// A name of one folder or file inside a known folder: not empty, no path
// separator, no drive, no wildcard or other character Windows keeps out of
// file names, not made of dots and blanks alone ("." and ".."), and no
// device name.
bool IsPlainName(std::string_view name);

// A name of one file or folder as outside text gives it (a registry value,
// a line of a data file) before the program adds its own extension: a
// plain name (IsPlainName) that does not end in a dot or a blank either,
// which Windows drops ("en." or "en " would open another name).
bool IsPlainFileName(std::string_view name);

// A path below a known folder as a file may name it ("drivers\nv4_mini.sys"):
// parts separated by "\" or "/", each a plain name (IsPlainName) that does
// not end in a dot or a blank, which Windows drops ("WINDOWS." opens
// "WINDOWS", ".. " may climb). No empty part, so no leading, trailing or
// doubled separator.
bool IsPlainRelativePath(std::string_view path);

// An absolute path ("C:\a\b" or "\\server\share\a") with its "." and ".."
// parts resolved and repeated separators folded, "/" read as "\", without a
// trailing separator (a drive root keeps its "C:\"). Nullopt when the path
// is not absolute, ".." climbs above its drive or share, or it lies in the
// system's device namespaces ("\\.\", "\\?\").
std::optional<std::string> ResolvedPath(std::string_view path);

// True when `path`, once resolved, is `folder` itself or lies below it,
// compared without regard to case. False when either cannot be resolved.
bool IsInsideFolder(std::string_view path, std::string_view folder);

// True when `path`, once resolved, is a drive root or share root, or is
// `folder` or a folder above it (so that removing everything below `path`
// would remove `folder`). False when `path` cannot be resolved; an empty
// `folder` is never covered.
bool CoversFolder(std::string_view path, std::string_view folder);
bool IsDriveRoot(std::string_view path);

// The folder above a resolved path, as ResolvedPath spells it ("C:\" above
// "C:\x"); "" above a drive or share root.
std::string ParentOfResolved(const std::string& path);

// --- Guards that ask the file system ---
// A spelling is no folder: "C:\PROGRA~1" is "C:\Program Files", and a link
// or another drive letter may open the very same folder. These compare
// what the system resolves the paths to.

// The path resolved (ResolvedPath), its existing head in its long names
// (GetLongPathName); the parts below the last one that exists stay as
// spelled. Nullopt when the path cannot be resolved.
std::optional<std::string> LongPath(platform::Files& files, std::string_view path);

// True when `a` and `b` are one folder or file: their long paths are the
// same text without regard to case, or both exist with the same identity
// (volume and file index). False when either cannot be resolved.
bool IsSameFile(platform::Files& files, std::string_view a, std::string_view b);

// IsInsideFolder as the file system sees it: the long paths compare so, or
// `path` or a folder above it is the same folder as `folder` (IsSameFile),
// which also catches a link onto `folder`. False when either cannot be
// resolved.
bool IsInsideFolder(platform::Files& files, std::string_view path, std::string_view folder);

// CoversFolder as the file system sees it: `path` is a drive or share
// root, or `folder` lies inside it (IsInsideFolder with `files`).
bool CoversFolder(platform::Files& files, std::string_view path, std::string_view folder);

// The first entry on the way to `path`, from its root down to the path
// itself, that is a link (a junction or symbolic link: the attribute
// kAttributeReparsePoint, or an entry that opens another path than its own,
// GetFinalPathName), spelled as `path` spells it; "" when there is
// none. With `below`, a folder `path` starts with, only the entries below
// it are asked (a program's own folder may well lie behind a junction).
// Parts that do not exist are no link; a path that cannot be resolved
// gives "".
// `final_path`, when given, gets what `path` opens (GetFinalPathName) when
// it exists and no link is on its way, "" otherwise: LinkBelow starts there.
std::string LinkOnPath(platform::Files& files, std::string_view path, std::string_view below = "",
                       std::string* final_path = nullptr);

// LinkOnPath for a path below `folder`, a folder whose own way LinkOnPath
// found free of links in this same action, with `folder_final` what it
// opens ("" when the system does not tell): only the entries below `folder`
// are asked, each its attributes, and the deepest that exists its final path.
std::string LinkBelow(platform::Files& files, std::string_view path, std::string_view folder,
                      const std::string& folder_final);

// --- Folders resolved once ---
// For checks repeated while the answer cannot change (over one profile, one
// search, one run over files): a folder as the file system resolves it.
struct KnownFolder {
  std::string resolved;   // ResolvedPath; "" when it cannot be resolved
  std::string long_path;  // LongPath
  std::optional<platform::FileIdentity> identity;  // nullopt when it does not open
  // The identities of the folder and of every folder above it that opens.
  std::vector<platform::FileIdentity> line;
};

// Identities asked in one action, by folded long path: folders that share
// the folders above them ask each of those once.
using IdentityMemo = std::map<std::string, std::optional<platform::FileIdentity>>;

// Resolves `folder` (LongPath, then the identity of it and of every folder
// above it). A `memo` shared by several calls asks each identity once.
KnownFolder KnowFolder(platform::Files& files, std::string_view folder, IdentityMemo* memo = nullptr);

// IsInsideFolder as the file system sees it, of folders already resolved:
// asks nothing.
bool IsInsideFolder(const KnownFolder& path, const KnownFolder& folder);
// IsInsideFolder with `files` where only `folder` is already resolved.
bool IsInsideFolder(platform::Files& files, std::string_view path, const KnownFolder& folder);
// CoversFolder as the file system sees it, of folders already resolved.
bool CoversFolder(const KnownFolder& path, const KnownFolder& folder);

}  // namespace ks
