// Version resources over version.dll.
#pragma once

#include "platform/version.h"

namespace ks::win32 {

class Win32VersionInfo : public platform::VersionInfo {
 public:
  std::uint32_t GetFileVersionInfoSize(const std::string& path) override;
  bool GetFileVersionInfo(const std::string& path, std::uint32_t size, std::string* block) override;
  bool VerQueryValue(const std::string& block, const std::string& sub_block, std::string* value) override;
};

}  // namespace ks::win32
