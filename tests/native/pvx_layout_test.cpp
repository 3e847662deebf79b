// pvx's main window layout: no label covers a list's box, as designed and
// once a profile of one or two file groups has set the lists' widths.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "native/pvx_rig.h"

namespace ks {
namespace {

bool Overlap(const ui::Control& a, const ui::Control& b) {
  return a.Left() < b.Left() + b.Width() && b.Left() < a.Left() + a.Width() && a.Top() < b.Top() + b.Height() &&
         b.Top() < a.Top() + a.Height();
}

std::vector<std::string> LabelsOverLists(const pvx::Form1& form) {
  std::vector<std::string> found;
  for (const ui::Control* label : form.controls()) {
    if (label->kind() != ui::Kind::kLabel || !label->Visible()) continue;
    for (const ui::Control* list : form.controls()) {
      if (list->kind() != ui::Kind::kListBox || !list->Visible() || list->Container() != label->Container()) continue;
      if (Overlap(*label, *list)) found.push_back(label->FullName() + " over " + list->FullName());
    }
  }
  return found;
}

// Regression: the group labels reached 15 twips into the top border of the
// lists below them, so the lists' top lines were hidden.
TEST(PvxLayout, NoLabelCoversAList) {
  {
    SCOPED_TRACE("as designed");
    test::PvxRig rig;
    EXPECT_EQ(LabelsOverLists(rig.form), std::vector<std::string>{});
  }
  struct Case {
    const char* name;
    std::vector<std::string> profile;
  };
  const Case cases[] = {
      {"two groups",
       {" (ForceWare)", "Driver", "nView", "List", "SYS-nv.txt", "Extension", "WIN\\nView-.dll", "nv", "nview"}},
      {"one group", {" (one)", "Driver", "", "List", "SYS-nv.txt", "", "", "nv", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::PvxRig rig;
    rig.AddList("nv.txt", {"nv4_disp.dll"});
    rig.AddProfile("p", c.profile);
    ASSERT_TRUE(rig.StartWith("p"));
    EXPECT_EQ(LabelsOverLists(rig.form), std::vector<std::string>{});
  }
}

}  // namespace
}  // namespace ks
