// Where a form's window first appears, and which frame it gets: the
// headless screen is 1024 x 768 pixels (15360 x 11520 twips).
#include <gtest/gtest.h>

#include "forms/all_controls_form.h"
#include "platform/fake/machine.h"

namespace ks {
namespace {

using test::AllControlsForm;
using ui::BorderStyle;
using ui::StartUpPosition;

struct Placement : ::testing::Test {
  fake::FakeMachine m;
  ui::App app{m.msg, m.fs};
};

TEST_F(Placement, FirstShowingPlacesTheWindowByItsStartUpPosition) {
  struct Case {
    const char* name;
    StartUpPosition position;
    int owner_left, owner_top;  // the active form's place (4000 x 3000 twips)
    int left, top;              // expected place of the 2000 x 1000 twips form
  };
  const Case cases[] = {
      {"manual stays where the form put it", StartUpPosition::kManual, 3000, 2000, 300, 200},
      {"screen centre", StartUpPosition::kCenterScreen, 3000, 2000, 6680, 5260},
      {"centred on the owner", StartUpPosition::kCenterOwner, 3000, 2000, 4000, 3000},
      {"owner at the left edge keeps the caption on screen", StartUpPosition::kCenterOwner, -3000, -2000, 0, 0},
      {"owner past the right edge", StartUpPosition::kCenterOwner, 14000, 10000, 13360, 10520},
  };
  for (const Case& c : cases) {
    AllControlsForm owner(app, "Owner");
    owner.Move(c.owner_left, c.owner_top, 4000, 3000);
    owner.Show();
    AllControlsForm dialog(app, "Dialog");
    dialog.Move(300, 200, 2000, 1000);
    dialog.SetStartUpPosition(c.position);
    dialog.Show();
    EXPECT_EQ(dialog.Left(), c.left) << c.name;
    EXPECT_EQ(dialog.Top(), c.top) << c.name;
    dialog.Unload();
    owner.Unload();
  }
}

TEST_F(Placement, CentreOnOwnerWithoutAnOwnerUsesTheScreen) {
  AllControlsForm dialog(app, "Dialog");
  dialog.Move(0, 0, 2000, 1000);
  dialog.SetStartUpPosition(StartUpPosition::kCenterOwner);
  dialog.Show();
  EXPECT_EQ(dialog.Left(), 6680);
  EXPECT_EQ(dialog.Top(), 5260);
}

TEST_F(Placement, AWindowTheUserMovedStaysWhereItIsUntilItIsLoadedAgain) {
  AllControlsForm form(app);
  form.Move(0, 0, 2000, 1000);
  form.SetStartUpPosition(StartUpPosition::kCenterScreen);
  form.Show();
  form.UserMove(100, 100, 2000, 1000);
  form.Hide();
  form.Show();
  EXPECT_EQ(form.Left(), 100) << "hiding and showing again does not re-centre";
  form.Unload();
  form.Show();
  EXPECT_EQ(form.Left(), 6680) << "a new load starts from the design and is centred again";
}

TEST_F(Placement, MinimiseAndMaximiseBoxesOnlyOnFramesThatHaveThem) {
  struct Case {
    BorderStyle style;
    bool min_box, max_box;
  };
  const Case cases[] = {
      {BorderStyle::kNone, false, false},           {BorderStyle::kFixedSingle, true, true},
      {BorderStyle::kSizable, true, true},          {BorderStyle::kFixedDialog, false, false},
      {BorderStyle::kFixedToolWindow, false, false}, {BorderStyle::kSizableToolWindow, false, false},
  };
  for (const Case& c : cases) {
    AllControlsForm form(app);
    form.SetBorderStyle(c.style);
    form.SetMinButton(true);
    form.SetMaxButton(true);
    EXPECT_EQ(form.HasMinBox(), c.min_box) << static_cast<int>(c.style);
    EXPECT_EQ(form.HasMaxBox(), c.max_box) << static_cast<int>(c.style);
    form.SetMinButton(false);
    form.SetMaxButton(false);
    EXPECT_FALSE(form.HasMinBox());
    EXPECT_FALSE(form.HasMaxBox());
  }
}

}  // namespace
}  // namespace ks
