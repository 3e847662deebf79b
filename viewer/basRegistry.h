// The capability viewer's own registry read (read only), used for the video
// BIOS lines. Not the suite's registry module (common/basRegistry.h,
// BasRegistry): only its result type, RegRead, is shared. The type rules
// differ because the viewer's BIOS lines show what the viewer has always
// shown: a REG_MULTI_SZ comes back whole (NUL separators included), a
// binary value is read only when it fits four bytes, REG_EXPAND_SZ reads as
// empty text, and it has no write switches.
#pragma once

#include <string>

#include "common/basRegistry.h"
#include "platform/registry.h"

namespace ks::viewer {

// Text or a 32-bit integer; empty text for a missing key or value, a
// failed read or a type it does not read. Never reports an error.
RegRead ReadRegistryValue(platform::Registry& registry, platform::RegKey root, const std::string& sub_key,
                          const std::string& value_name);

}  // namespace ks::viewer
