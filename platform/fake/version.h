// Version resources of the fake machine's files. A resource belongs to a
// file of the fake file tree: a file without one, or a missing file, has
// none. The block handed out is this fake's own serialisation of the
// resource entries; only VerQueryValue reads it.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/fake/files.h"
#include "platform/fake/names.h"
#include "platform/version.h"

namespace ks::fake {

// What one file's version resource holds.
struct VersionResource {
  // "\VarFileInfo\Translation" entries, (language id, code page) in order;
  // empty: the resource has no Translation entry at all.
  std::vector<std::pair<std::uint16_t, std::uint16_t>> translations;
  // StringFileInfo strings by table ("040904B0") and name ("FileVersion").
  std::map<std::string, std::map<std::string, std::string, FoldedLess>, FoldedLess> strings;

  // English (US), Unicode code page, with one FileVersion string: what the
  // resource compiler makes of a plain VERSIONINFO.
  static VersionResource WithFileVersion(const std::string& file_version);
};

class FakeVersionInfo : public platform::VersionInfo {
 public:
  explicit FakeVersionInfo(FakeFiles& files) : files_(files) {}

  std::uint32_t GetFileVersionInfoSize(const std::string& path) override;
  bool GetFileVersionInfo(const std::string& path, std::uint32_t size, std::string* block) override;
  bool VerQueryValue(const std::string& block, const std::string& sub_block, std::string* value) override;

  // --- set-up for tests ---
  // Makes the file (a placeholder image) and gives it the resource.
  void AddDll(const std::string& path, const VersionResource& resource);
  // Gives an existing or later file a resource without touching the file tree.
  void SetResource(const std::string& path, const VersionResource& resource);

 private:
  std::string Serialise(const std::string& path) const;

  FakeFiles& files_;
  std::map<std::string, VersionResource, FoldedLess> resources_;
};

}  // namespace ks::fake
