// Forms' life cycle and the event loop: modal forms, the end of the
// program, timers on the virtual clock.
#include <gtest/gtest.h>

#include "forms/all_controls_form.h"
#include "platform/fake/machine.h"

namespace ks {
namespace {

using test::AllControlsForm;
using Events = std::vector<std::string>;

struct Loop : ::testing::Test {
  fake::FakeMachine m;
  ui::App app{m.msg, m.fs};
};

TEST_F(Loop, LoadRunsOnceAndLeavesTheFormHidden) {
  AllControlsForm form(app);
  form.Load();
  form.Load();
  EXPECT_TRUE(form.Loaded());
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(app.TakeEvents(), (Events{"Test.Initialize", "Test.Load"}));
}

TEST_F(Loop, ShowLoadsThenResizesAndActivates) {
  AllControlsForm form(app);
  form.Show();
  form.Hide();
  form.Show();
  EXPECT_EQ(app.TakeEvents(), (Events{"Test.Initialize", "Test.Load", "Test.Resize", "Test.Activate", "Test.Activate"}));
}

TEST_F(Loop, ActivateRaisesOnlyWhenAnotherFormWasActive) {
  AllControlsForm a(app, "A");
  AllControlsForm b(app, "B");
  a.Show();
  b.Show();
  app.TakeEvents();
  b.Show();          // already the active form
  b.UserActivate();  // the window came back from another program's
  EXPECT_TRUE(app.TakeEvents().empty());
  a.UserActivate();
  a.Show();
  EXPECT_EQ(app.TakeEvents(), Events{"A.Activate"});
  EXPECT_EQ(app.ActiveForm(), &a);
  a.Unload();
  EXPECT_EQ(app.ActiveForm(), nullptr);
}

TEST_F(Loop, UnloadRaisesUnloadThenTerminate) {
  AllControlsForm form(app);
  form.Show();
  app.TakeEvents();
  EXPECT_TRUE(form.Unload());
  EXPECT_FALSE(form.Loaded());
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(app.TakeEvents(), (Events{"Test.Unload", "Test.Terminate"}));
}

TEST_F(Loop, UnloadingAFormThatIsNotLoadedDoesNothing) {
  AllControlsForm form(app);
  EXPECT_TRUE(form.Unload());
  EXPECT_TRUE(app.TakeEvents().empty());
  EXPECT_FALSE(app.Ended());
}

TEST_F(Loop, CancelledUnloadKeepsTheFormLoaded) {
  AllControlsForm form(app);
  form.on_unload = [](int& cancel) { cancel = 1; };
  form.Show();
  app.TakeEvents();
  EXPECT_FALSE(form.Unload());
  EXPECT_TRUE(form.Loaded());
  EXPECT_TRUE(form.Visible());
  EXPECT_EQ(app.TakeEvents(), Events{"Test.Unload"});
}

TEST_F(Loop, FormThatUnloadsItselfDuringLoadIsNotShown) {
  AllControlsForm form(app);
  form.on_load = [&] { form.Unload(); };
  form.Show(true);  // modal: must not wait for a form that is gone
  EXPECT_FALSE(form.Loaded());
  EXPECT_FALSE(form.Visible());
  EXPECT_TRUE(app.Ended());
  EXPECT_EQ(app.TakeEvents(), (Events{"Test.Initialize", "Test.Load", "Test.Unload", "Test.Terminate"}));
}

TEST_F(Loop, ProgramEndsWhenTheLastLoadedFormIsUnloaded) {
  AllControlsForm main(app, "Main");
  AllControlsForm hidden(app, "Hidden");
  main.Show();
  hidden.Load();
  main.Unload();
  EXPECT_FALSE(app.Ended()) << "a hidden loaded form keeps the program alive";
  hidden.Unload();
  EXPECT_TRUE(app.Ended());
  app.Run();  // returns at once
}

TEST_F(Loop, RunHandlesUserActionsUntilTheLastFormCloses) {
  AllControlsForm form(app);
  form.Show();
  app.Post([&] { form.Check1.UserClick(); });
  app.Post([&] { form.UserClose(); });
  app.Post([&] { form.Combo2.UserPick(1); });  // never reached: the program has ended
  app.TakeEvents();
  app.Run();
  EXPECT_TRUE(app.Ended());
  EXPECT_EQ(app.TakeEvents(), (Events{"Check1.Click", "Test.Unload", "Test.Terminate"}));
}

TEST_F(Loop, ModalShowReturnsOnlyAfterTheFormCloses) {
  AllControlsForm owner(app, "Owner");
  AllControlsForm dialog(app, "Dialog");
  owner.Show();
  std::vector<std::string> order;
  dialog.Check1.OnClick = [&] { order.push_back("dialog handled a click"); };
  app.Post([&] { dialog.Check1.UserClick(); });
  app.Post([&] { dialog.Hide(); });
  owner.Command1.OnClick = [&] {
    dialog.Show(true);
    order.push_back("after Show");
  };
  owner.Command1.UserClick();
  EXPECT_EQ(order, (std::vector<std::string>{"dialog handled a click", "after Show"}));
  EXPECT_TRUE(dialog.Loaded());
  EXPECT_FALSE(dialog.Visible());
}

TEST_F(Loop, ModalLoopRunsTimersUntilOneUnloadsTheForm) {
  AllControlsForm dialog(app, "Dialog");
  int ticks = 0;
  dialog.Timer1.SetInterval(250);
  dialog.Timer1.OnTimer = [&] {
    if (++ticks == 3) dialog.Unload();
  };
  dialog.Show(true);
  EXPECT_EQ(ticks, 3);
  EXPECT_EQ(app.Now(), 750);
  EXPECT_FALSE(dialog.Loaded());
}

TEST_F(Loop, TimersFireOnTheVirtualClockWhileEnabled) {
  AllControlsForm form(app);
  form.Load();
  form.Timer1.SetInterval(100);
  app.TakeEvents();
  app.Advance(350);
  EXPECT_EQ(app.TakeEvents().size(), 3u);
  form.Timer1.SetEnabled(false);
  app.Advance(1000);
  EXPECT_TRUE(app.TakeEvents().empty());
  form.Timer1.SetEnabled(true);  // counts afresh from now
  app.Advance(99);
  EXPECT_TRUE(app.TakeEvents().empty());
  app.Advance(1);
  EXPECT_EQ(app.TakeEvents(), Events{"Timer1.Timer"});
}

TEST_F(Loop, TimersRunInTimeOrderAndNotOnUnloadedForms) {
  AllControlsForm a(app, "A");
  AllControlsForm b(app, "B");
  AllControlsForm never(app, "Never");
  a.Load();
  b.Load();
  a.Timer1.SetInterval(300);
  b.Timer1.SetInterval(200);
  never.Timer1.SetInterval(50);
  app.TakeEvents();
  app.Advance(600);
  EXPECT_EQ(app.TakeEvents(), (Events{"Timer1.Timer", "Timer1.Timer", "Timer1.Timer", "Timer1.Timer",
                                      "Timer1.Timer"}));
  std::vector<std::string> who;
  a.Timer1.OnTimer = [&] { who.push_back("A"); };
  b.Timer1.OnTimer = [&] { who.push_back("B"); };
  app.Advance(300);  // B at 800, A at 900
  EXPECT_EQ(who, (std::vector<std::string>{"B", "A"}));
}

TEST_F(Loop, DoEventsInsideATimerDoesNotReenterIt) {
  AllControlsForm form(app);
  form.Load();
  form.Timer1.SetInterval(10);
  int depth = 0, deepest = 0, ticks = 0;
  form.Timer1.OnTimer = [&] {
    ++ticks;
    deepest = std::max(deepest, ++depth);
    app.Advance(50);  // time passes inside the handler
    app.DoEvents();
    --depth;
  };
  app.Advance(10);
  EXPECT_EQ(deepest, 1);
  EXPECT_EQ(ticks, 1);
}

TEST_F(Loop, DoEventsRunsPendingActions) {
  AllControlsForm form(app);
  form.Load();
  app.Post([&] { form.Text1.UserType("typed"); });
  app.DoEvents();
  EXPECT_EQ(form.Text1.Text(), "typed");
}

TEST_F(Loop, SizeAndWindowStateChangesRaiseResize) {
  AllControlsForm form(app);
  form.Load();
  app.TakeEvents();
  form.Move(100, 100, form.Width(), form.Height());
  EXPECT_TRUE(app.TakeEvents().empty());
  form.SetHeight(6405);
  form.SetWindowState(ui::WindowState::kMinimized);
  form.SetWindowState(ui::WindowState::kMinimized);
  EXPECT_EQ(app.TakeEvents(), (Events{"Test.Resize", "Test.Resize"}));
}

TEST_F(Loop, AFormLoadedAgainStartsFromItsDesignWithoutEvents) {
  AllControlsForm form(app);
  form.SetCaption("Design");
  form.Label1.SetCaption("design label");
  form.Timer1.SetInterval(5);  // a fade-in: runs from every Load until it stops itself
  int fades = 0;
  form.Timer1.OnTimer = [&] {
    ++fades;
    form.Timer1.SetEnabled(false);
  };
  form.Show();
  app.Advance(5);
  EXPECT_EQ(fades, 1);
  form.SetCaption("changed");
  form.Label1.SetCaption("changed");
  form.Check1.SetValue(1);
  form.Combo2.AddItem("three");
  form.Combo2.SetListIndex(2);
  form.Frame1.SetVisible(false);
  form.Toolbar1.SetButtonEnabled("home", false);
  form.Unload();
  app.TakeEvents();

  form.Show();
  EXPECT_EQ(app.TakeEvents(), (Events{"Test.Load", "Test.Resize", "Test.Activate"}));
  EXPECT_EQ(form.Caption(), "Design");
  EXPECT_EQ(form.Label1.Caption(), "design label");
  EXPECT_EQ(form.Check1.Value(), 0);
  EXPECT_EQ(form.Combo2.ListCount(), 2);
  EXPECT_EQ(form.Combo2.ListIndex(), -1);
  EXPECT_TRUE(form.Frame1.Visible());
  EXPECT_TRUE(form.Toolbar1.Button("home")->Enabled);
  app.Advance(5);
  EXPECT_EQ(fades, 2) << "the timer enabled at design runs again";
}

TEST_F(Loop, MsgBoxGoesThroughThePlatformWithTheProgramTitle) {
  app.Title = "KestrelaneSE";
  m.msg.Answer(platform::kIdNo);
  EXPECT_EQ(app.MsgBox("Sure?", platform::kMbYesNo), platform::kIdNo);
  ASSERT_EQ(m.msg.shown().size(), 1u);
  EXPECT_EQ(m.msg.shown()[0].caption, "KestrelaneSE");
  EXPECT_EQ(m.msg.shown()[0].style, platform::kMbYesNo);
}

}  // namespace
}  // namespace ks
