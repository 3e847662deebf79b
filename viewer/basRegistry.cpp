#include "viewer/basRegistry.h"

#include <algorithm>
#include <cstdint>

namespace ks::viewer {

RegRead ReadRegistryValue(platform::Registry& registry, platform::RegKey root, const std::string& sub_key,
                          const std::string& value_name) {
  platform::ScopedRegKey key(registry);
  if (registry.OpenKey(root, sub_key, key.Receive()) != platform::kErrorSuccess || !key.valid())
    return RegRead::Text("");
  std::uint32_t type = platform::kRegNone;
  std::uint32_t size = 0;
  // A missing value leaves the type at 0.
  registry.QueryValue(key.get(), value_name, &type, nullptr, &size);
  switch (type) {
    case platform::kRegSz: {
      std::string data;
      std::uint32_t got = size;
      if (registry.QueryValue(key.get(), value_name, &type, &data, &got) != platform::kErrorSuccess)
        return RegRead::Text("");
      data.resize(got);
      return RegRead::Text(data.substr(0, data.find('\0')));
    }
    case platform::kRegBinary:
    case platform::kRegDword: {
      std::string data;
      std::uint32_t got = 4;
      if (registry.QueryValue(key.get(), value_name, &type, &data, &got) != platform::kErrorSuccess)
        return RegRead::Text("");
      std::uint32_t number = 0;
      for (size_t i = 0; i < 4 && i < data.size() && i < got; ++i)
        number |= static_cast<std::uint32_t>(static_cast<unsigned char>(data[i])) << (8 * i);
      return RegRead::Number(static_cast<std::int32_t>(number));
    }
    case platform::kRegMultiSz: {
      // The whole buffer, separators and final NULs included; after a
      // failed read it holds only blanks.
      std::string buffer(size, ' ');
      std::string data;
      std::uint32_t got = size;
      if (registry.QueryValue(key.get(), value_name, &type, &data, &got) == platform::kErrorSuccess)
        buffer.replace(0, std::min<size_t>(data.size(), buffer.size()), data.substr(0, buffer.size()));
      return RegRead::Text(buffer);
    }
    default:
      return RegRead::Text("");
  }
}

}  // namespace ks::viewer
