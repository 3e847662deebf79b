// Internet services over wininet and urlmon.
#pragma once

#include "platform/internet.h"

namespace ks::win32 {

class Win32Internet : public platform::Internet {
 public:
  platform::InternetHandle InternetOpen(const std::string& agent, std::uint32_t access_type,
                                        const std::string& proxy, const std::string& bypass,
                                        std::uint32_t flags) override;
  bool InternetCloseHandle(platform::InternetHandle handle) override;
  using platform::Internet::UrlDownloadToFile;
  platform::Download UrlDownloadToFile(const std::string& url, const std::string& path, bool bypass_cache,
                                       const platform::DownloadWait& wait) override;
};

}  // namespace ks::win32
