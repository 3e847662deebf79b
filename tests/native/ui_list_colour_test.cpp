// A list box's text colour: a property of the model that raises no event
// and comes back with the design when the form is loaded again.
#include <gtest/gtest.h>

#include "forms/all_controls_form.h"
#include "platform/fake/machine.h"

namespace ks {
namespace {

TEST(ListBoxColour, KeptWithTheDesignAndSilent) {
  fake::FakeMachine m;
  ui::App app(m.msg, m.fs);
  test::AllControlsForm form(app);
  EXPECT_EQ(form.List1.ForeColor(), -1) << "the system's colour by default";
  form.List1.SetForeColor(0x0000FF);
  form.Load();
  app.TakeEvents();
  form.List1.SetForeColor(0xFF0000);
  EXPECT_EQ(form.List1.ForeColor(), 0xFF0000);
  EXPECT_TRUE(app.TakeEvents().empty());
  form.Unload();
  form.Load();
  EXPECT_EQ(form.List1.ForeColor(), 0x0000FF) << "a reloaded form starts from its design";
}

}  // namespace
}  // namespace ks
