// Popup menus, the window handle of a hidden form and the list box's
// double click, headless.
#include <gtest/gtest.h>

#include "platform/fake/machine.h"
#include "ui/ui.h"

namespace ks {
namespace {

struct PopupForm : ui::Form {
  explicit PopupForm(ui::App& app) : ui::Form(app, "PopupForm") {
    mnuHidden.SetCaption("Hidden");
    mnuHidden.SetVisible(false);
    itemA.SetCaption("A");
    sep.SetCaption("-");
    itemB.SetCaption("B");
    itemB.SetEnabled(false);
    itemA.OnClick = [this] { ++a_clicks; };
    itemB.OnClick = [this] { ++b_clicks; };
    List1.AddItem("one");
  }
  ui::Menu mnuHidden{*this, "mnuHidden"};
  ui::Menu itemA{mnuHidden, "itemA"};
  ui::Menu sep{mnuHidden, "sep"};
  ui::Menu itemB{mnuHidden, "itemB"};
  ui::ListBox List1{*this, "List1"};
  int a_clicks = 0, b_clicks = 0;
};

struct Popup : ::testing::Test {
  fake::FakeMachine m;
  ui::App app{m.msg, m.fs};
  PopupForm form{app};
};

TEST_F(Popup, ItemsOfAHiddenTitleWorkOnlyWhileItsPopupIsOpen) {
  form.Load();
  form.itemA.UserClick();
  EXPECT_EQ(form.a_clicks, 0) << "a hidden title's items take no clicks from a menu bar";
  bool open_inside = false;
  app.OnPopupMenu = [&](ui::Menu& menu) {
    open_inside = menu.PopupOpen();
    form.itemA.UserClick();
    form.itemB.UserClick();  // disabled
    form.sep.UserClick();
  };
  form.PopupMenu(form.mnuHidden);
  EXPECT_TRUE(open_inside);
  EXPECT_FALSE(form.mnuHidden.PopupOpen()) << "closed again when PopupMenu returns";
  EXPECT_EQ(form.a_clicks, 1) << "the chosen item's Click has run when PopupMenu returns";
  EXPECT_EQ(form.b_clicks, 0);
}

TEST_F(Popup, WithoutAnAnswerNothingIsChosen) {
  form.Load();
  form.PopupMenu(form.mnuHidden);
  EXPECT_EQ(form.a_clicks, 0);
}

TEST_F(Popup, AHiddenLoadedFormHasAWindowHandle) {
  EXPECT_EQ(form.hWnd(), 0u) << "not loaded";
  form.Load();
  EXPECT_FALSE(form.Visible());
  const auto h = form.hWnd();
  EXPECT_NE(h, 0u);
  EXPECT_EQ(form.hWnd(), h) << "the same window while loaded";
  PopupForm other(app);
  other.Load();
  EXPECT_NE(other.hWnd(), h);
}

TEST_F(Popup, ListDoubleClickRaisesDblClick) {
  int dbl = 0;
  form.List1.OnDblClick = [&] { ++dbl; };
  form.Load();
  app.TakeEvents();
  form.List1.UserPick(0);
  form.List1.UserDblClick();
  EXPECT_EQ(app.TakeEvents(), (std::vector<std::string>{"List1.Click", "List1.DblClick"}));
  EXPECT_EQ(dbl, 1);
  form.List1.SetEnabled(false);
  form.List1.UserDblClick();
  EXPECT_EQ(dbl, 1) << "a disabled list takes no double click";
}

}  // namespace
}  // namespace ks
