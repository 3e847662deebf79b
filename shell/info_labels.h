// The texts of the "Basic informations" page (page 4) that detection and the
// system information page fill: the control array Label2 and whether the
// second processor's usage bar (Label14(2) and Label14(3)) shows.
#pragma once

#include <array>
#include <string>

namespace ks {

struct InfoLabels {
  // Design-time captions; a step that finds nothing leaves its label so.
  std::array<std::string, 11> Label2 = {
      "VGA Device:",     "Display driver version:", "OS version:", "DirectX version:",
      "CPU:",            "Real CPU speed:",         "Total physics memory:",
      "GPU ID:",         "",                        "Revision:", "Identifier:"};
  bool SecondCpuBarVisible = true;
};

}  // namespace ks
