#include "shell/Module2.h"

#include "common/numbers.h"

namespace ks {

void GetChipRevision(SeState& s) {
  size_t at = s.NvTweakHwKey.find("REV_");
  s.ChipRevision = at == std::string::npos ? std::string() : Trim(s.NvTweakHwKey.substr(at + 4, 2));
}

}  // namespace ks
