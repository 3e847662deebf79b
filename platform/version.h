// File version resources (version.dll): the three calls that read a DLL's
// version strings. The block is opaque: only VerQueryValue reads it.
#pragma once

#include <cstdint>
#include <string>

namespace ks::platform {

class VersionInfo {
 public:
  virtual ~VersionInfo() = default;

  // GetFileVersionInfoSizeA: bytes of the file's version resource; 0 when
  // the file is missing or carries no version resource.
  virtual std::uint32_t GetFileVersionInfoSize(const std::string& path) = 0;
  // GetFileVersionInfoA: the resource into *block (`size` bytes, as
  // GetFileVersionInfoSize gave them); false, block untouched, on failure.
  virtual bool GetFileVersionInfo(const std::string& path, std::uint32_t size, std::string* block) = 0;
  // VerQueryValueA over a block from GetFileVersionInfo: the bytes of one
  // entry. "\VarFileInfo\Translation" gives 4 bytes per language (16-bit
  // language id, 16-bit code page, little-endian); a StringFileInfo path such
  // as "\StringFileInfo\040904B0\FileVersion" gives the text, which may end
  // with its NUL. false (value untouched) when the entry is missing.
  virtual bool VerQueryValue(const std::string& block, const std::string& sub_block, std::string* value) = 0;
};

}  // namespace ks::platform
