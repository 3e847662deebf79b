#include "cleaner/file_version.h"

#include <cstdio>

#include "common/numbers.h"

namespace ks {

void GetFileVersionString(platform::VersionInfo& version, const std::string& path, std::string* text) {
  const std::uint32_t size = version.GetFileVersionInfoSize(path);
  if (size == 0) return;
  std::string block;
  if (!version.GetFileVersionInfo(path, size, &block)) return;
  std::string translation;
  if (!version.VerQueryValue(block, "\\VarFileInfo\\Translation", &translation) || translation.size() < 4) return;
  const auto byte = [&](int i) { return static_cast<unsigned>(static_cast<unsigned char>(translation[i])); };
  const unsigned language = byte(0) | byte(1) << 8;
  const unsigned code_page = byte(2) | byte(3) << 8;
  char key[9];
  std::snprintf(key, sizeof(key), "%04X%04X", language, code_page);
  std::string value;
  if (!version.VerQueryValue(block, std::string("\\StringFileInfo\\") + key + "\\FileVersion", &value)) return;
  const size_t nul = value.find('\0');
  if (nul != std::string::npos) value.resize(nul);
  if (value.size() > 128) value.resize(128);
  *text = Trim(value);
}

}  // namespace ks
