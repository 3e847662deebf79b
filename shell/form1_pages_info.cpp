#include <iterator>

#include "shell/form1_design.h"
#include "shell/form1_pages.h"

namespace ks {

using design::kButton;
using design::kRow;
using design::Put;

namespace {
// Row 8 shows the program version, set by start-up.
constexpr const char* kInfoRowCaptions[] = {
    "VGA Device:", "Display driver version:", "OS version:", "DirectX version:", "CPU:", "Real CPU speed:",
    "Total physics memory:", "GPU ID:", "", "Revision:", "Identifier:"};
static_assert(std::size(kInfoRowCaptions) == InfoPages::kInfoRows, "one caption for each row of page 4");
}  // namespace

InfoPages::InfoPages(Pages& pages) : pages_(pages) {
  // page 4: captions by SetInfoPageCaptions
  for (int i = 0; i < kInfoRows; ++i) Put(Label2.LoadIn(pages_[4], i), 240, 330 + 330 * i, 6855, kRow);

  // page 9
  Put(List1, 240, 330, 6855, 3585);
}

void InfoPages::SetInfoPageCaptions() {
  for (int i = 0; i < kInfoRows; ++i) Label2[i].SetCaption(kInfoRowCaptions[i]);
}

}  // namespace ks
