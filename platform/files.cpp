#include "platform/files.h"

namespace ks::platform {

std::string JoinPath(const std::string& folder, const std::string& rest) {
  if (folder.empty()) return rest;
  std::string out = folder;
  bool folder_slash = out.back() == '\\' || out.back() == '/';
  bool rest_slash = !rest.empty() && (rest.front() == '\\' || rest.front() == '/');
  if (folder_slash && rest_slash) {
    out.pop_back();
  } else if (!folder_slash && !rest_slash && !rest.empty()) {
    out += '\\';
  }
  return out + rest;
}

}  // namespace ks::platform
