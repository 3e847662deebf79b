// The fake machine's image services: pictures a test registers by their
// file bytes; any other bytes are no picture.
#pragma once

#include <map>
#include <string>

#include "platform/images.h"

namespace ks::fake {

class FakeImageDecoder : public platform::ImageDecoder {
 public:
  bool Decode(const std::string& bytes, platform::DecodedImage* out) override {
    ++decodes;
    auto found = pictures.find(bytes);
    if (found == pictures.end()) return false;
    *out = found->second;
    return true;
  }
  std::map<std::string, platform::DecodedImage> pictures;
  int decodes = 0;
};

}  // namespace ks::fake
