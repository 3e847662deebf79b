#include "platform/fake/names.h"

#include "platform/names.h"

namespace ks::fake {

std::string FoldCase(std::string_view text) { return LowerCase(text); }

bool SameName(std::string_view a, std::string_view b) { return SameTextIgnoringCase(a, b); }

}  // namespace ks::fake
