// The main window's design: every page at its place, every control inside
// its container, the window's designed size.
#include <gtest/gtest.h>

#include "form1_rig.h"
#include "shell/navigation.h"

namespace ks::test {
namespace {

TEST(Form1Layout, PagesAndNavigatorAtTheirPlaces) {
  Form1Rig rig;
  for (int i = 0; i < kPageCount; ++i) {
    const ui::Frame& page = rig.f.Frame1[i];
    EXPECT_EQ(page.Left(), 120) << i;
    EXPECT_EQ(page.Top(), 600) << i;
    EXPECT_EQ(page.Width(), 7335) << i;
    EXPECT_EQ(page.Height(), 4095) << i;
  }
  const auto& nav = rig.f.FlatScrollBar4;
  EXPECT_EQ(nav.Left(), 7560);
  EXPECT_EQ(nav.Top(), 600);
  EXPECT_EQ(nav.Width(), 255);
  EXPECT_EQ(nav.Height(), 4095);
  EXPECT_EQ(nav.Min(), 1);
  EXPECT_EQ(nav.SmallChange(), 1);
  EXPECT_EQ(nav.LargeChange(), 1);
  EXPECT_EQ(nav.GetOrientation(), ui::Orientation::kVertical);
  EXPECT_EQ(rig.f.Width(), 8175);
  EXPECT_EQ(rig.f.Height(), 5625);
  EXPECT_EQ(rig.f.Timer1.Interval(), 100);
  EXPECT_FALSE(rig.f.Timer1.Enabled());
  EXPECT_EQ(rig.f.Timer2.Interval(), 100);
  EXPECT_FALSE(rig.f.Timer2.Enabled());
}

TEST(Form1Layout, EveryControlLiesInsideItsContainer) {
  Form1Rig rig;
  for (const ui::Control* c : rig.f.controls()) {
    const ui::Frame* frame = c->Container();
    if (frame == nullptr || c->kind() == ui::Kind::kTimer) continue;
    if (c->kind() == ui::Kind::kLine) {
      const auto* line = static_cast<const ui::Line*>(c);
      for (int x : {line->X1(), line->X2()}) EXPECT_TRUE(x >= 0 && x <= frame->Width()) << c->FullName();
      continue;
    }
    EXPECT_GE(c->Left(), 0) << c->FullName();
    EXPECT_GE(c->Top(), 0) << c->FullName();
    // A bar drawn as a label may start empty.
    EXPECT_GE(c->Width(), c->kind() == ui::Kind::kLabel ? 0 : 1) << c->FullName();
    EXPECT_LE(c->Left() + c->Width(), frame->Width()) << c->FullName() << " in " << frame->FullName();
    EXPECT_LE(c->Top() + c->Height(), frame->Height()) << c->FullName() << " in " << frame->FullName();
  }
}

// Regression: the help picture of page 12 covered the right end of the
// pixel shader slider, and the priority bar of page 15 and the CPU bars lay
// under their frames, so none of them was seen.
TEST(Form1Layout, NoControlCoversAnother) {
  Form1Rig rig;
  auto overlap = [](const ui::Control& a, const ui::Control& b) {
    return a.Left() < b.Left() + b.Width() && b.Left() < a.Left() + a.Width() && a.Top() < b.Top() + b.Height() &&
           b.Top() < a.Top() + a.Height();
  };
  auto drawn = [](const ui::Control* c) {
    return c->kind() != ui::Kind::kTimer && c->kind() != ui::Kind::kMenu && c->kind() != ui::Kind::kLine &&
           c->kind() != ui::Kind::kFrame && c->Width() > 0 && c->Height() > 0;
  };
  const auto& controls = rig.f.controls();
  for (size_t i = 0; i < controls.size(); ++i) {
    const ui::Control* a = controls[i];
    if (!drawn(a)) continue;
    for (size_t j = i + 1; j < controls.size(); ++j) {
      const ui::Control* b = controls[j];
      if (!drawn(b) || a->Container() != b->Container() || !overlap(*a, *b)) continue;
      // A bar stands over its background, in front of it.
      if (a->InFront() != b->InFront()) continue;
      ADD_FAILURE() << a->FullName() << " and " << b->FullName() << " overlap";
    }
  }
  // The bars that grow over their backgrounds are in front of them.
  EXPECT_TRUE(rig.f.Label22.InFront());
  EXPECT_FALSE(rig.f.Label21.InFront());
  EXPECT_TRUE(rig.f.Label14[1].InFront());
  EXPECT_TRUE(rig.f.Label14[3].InFront());
  EXPECT_FALSE(rig.f.Label14[0].InFront());
  EXPECT_FALSE(rig.f.Label14[2].InFront());
}

TEST(Form1Layout, OnlyTheStartPageIsVisibleAsDesigned) {
  Form1Rig rig;
  EXPECT_EQ(rig.VisiblePages(), std::vector<int>{4});
  for (int i = 0; i < kPageCount; ++i) EXPECT_EQ(rig.f.Frame1[i].Tag, kPages[static_cast<size_t>(i)].tag) << i;
}

TEST(Form1Layout, HelpWindowTopicFramesShareOnePlace) {
  Form1Rig rig;
  Form5& help = rig.f.form5();
  EXPECT_EQ(help.Caption(), "Help System");
  for (int i = 0; i < kHelpTopicCount; ++i) {
    EXPECT_EQ(help.Frame1[i].Left(), 120) << i;
    EXPECT_EQ(help.Frame1[i].Top(), 120) << i;
    EXPECT_EQ(help.Frame1[i].Width(), 2535) << i;
    EXPECT_EQ(help.Frame1[i].Height(), 3735) << i;
    EXPECT_EQ(help.Frame1[i].Caption(), kHelpTopics[static_cast<size_t>(i)].title) << i;
  }
  EXPECT_EQ(help.Timer1.Interval(), 5);
  EXPECT_TRUE(help.Timer1.Enabled());
  EXPECT_GE(help.Command2.Top(), 120 + 3735) << "Close sits below the frames";
}

}  // namespace
}  // namespace ks::test
