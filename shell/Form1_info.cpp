// Page 4 ("Basic informations") of the main window: its design-time captions.
#include "shell/Form1.h"

namespace ks {

namespace {
// Label2(8) shows the program version, set by start-up.
constexpr const char* kLabel2Captions[] = {
    "VGA Device:", "Display driver version:", "OS version:", "DirectX version:", "CPU:", "Real CPU speed:",
    "Total physics memory:", "GPU ID:", "", "Revision:", "Identifier:"};
}  // namespace

void Form1::SetInfoPageCaptions() {
  for (int i = 0; i < Label2.Count(); ++i) Label2[i].SetCaption(kLabel2Captions[i]);
}

}  // namespace ks
