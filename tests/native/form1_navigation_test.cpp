// Page navigation: ShowPage with its first visits, the navigator between
// sibling pages, the toolbar's buttons and menus, Check13 and Label10.
#include <gtest/gtest.h>

#include <functional>

#include <set>

#include "form1_rig.h"
#include "shell/navigation.h"
#include "shell/weblink.h"

namespace ks::test {
namespace {

struct Navigation : Form1Rig, ::testing::Test {
  Navigation() { f.Load(); }
  void Go(int page) {
    f.ActivePage = page;
    f.ShowPage();
  }
};

TEST(NavigationTables, TagsMatchTheSiblingGroups) {
  std::set<int> grouped;
  for (const auto& group : kPageGroups) {
    const int size = static_cast<int>(std::count_if(group.begin(), group.end(), [](int p) { return p >= 0; }));
    for (int position = 1; position <= size; ++position) {
      const int page = group[static_cast<size_t>(position - 1)];
      EXPECT_TRUE(grouped.insert(page).second) << "page " << page << " in two groups";
      const std::string tag = kPages[static_cast<size_t>(page)].tag;
      EXPECT_EQ(tag, std::to_string(size) + std::to_string(position)) << "page " << page;
      EXPECT_EQ(SiblingPage(page, position), page);
    }
  }
  EXPECT_EQ(grouped.size(), 15u);
  EXPECT_EQ(std::string(kPages[3].tag), "") << "page 3 is in no group";
  EXPECT_EQ(SiblingPage(3, 1), -1);
  EXPECT_EQ(SiblingPage(4, 5), -1);
  EXPECT_EQ(SiblingPage(0, 0), -1);
}

TEST(NavigationTables, EveryPageIsReachedByAToolbarItem) {
  std::set<int> reached;
  std::set<std::string> keys;
  for (const auto& button : kToolbarButtons) {
    EXPECT_TRUE(keys.insert(button.key).second) << button.key;
    if (button.page >= 0) reached.insert(button.page);
    for (const auto& menu : button.menus) {
      if (menu.key == nullptr) continue;
      EXPECT_TRUE(keys.insert(menu.key).second) << menu.key;
      if (menu.page >= 0) reached.insert(menu.page);
      EXPECT_EQ(PageOfMenuKey(menu.key), menu.page) << menu.key;
    }
  }
  EXPECT_EQ(reached.size(), 16u);
  EXPECT_EQ(PageOfMenuKey("nvcpl"), -1) << "button keys are not menu keys";
}

TEST_F(Navigation, MenuItemsShowTheirPages) {
  struct Case {
    const char* button;
    const char* menu;
    int page;
  };
  const Case cases[] = {{"nvcpl", "nvcpl1", 0}, {"nvcpl", "nvcpl2", 10}, {"dx", "aa2", 1},    {"dx", "tf2", 6},
                        {"dx", "ms2", 8},       {"dx", "mt", 11},        {"dx", "psvs", 12},  {"ogl", "aa", 2},
                        {"ogl", "tf", 5},       {"ogl", "ms", 7},        {"ogl", "oglcs", 13}, {"info", "basic", 4},
                        {"info", "basicdx", 9}, {"info", "sys", 14},     {"info", "proc", 15}};
  for (const Case& c : cases) {
    f.Toolbar1.UserClickMenu(c.button, c.menu);
    EXPECT_EQ(f.ActivePage, c.page) << c.menu;
    EXPECT_EQ(VisiblePages(), std::vector<int>{c.page}) << c.menu;
    const std::string tag = kPages[static_cast<size_t>(c.page)].tag;
    EXPECT_TRUE(f.FlatScrollBar4.Enabled()) << c.menu;
    EXPECT_EQ(f.FlatScrollBar4.Max(), tag[0] - '0') << c.menu;
    EXPECT_EQ(f.FlatScrollBar4.Value(), tag[1] - '0') << c.menu;
  }
}

TEST_F(Navigation, ButtonsShowTheirPages) {
  int flag_reads = 0;
  f.Procedures.LoadNvCplFlags = [&] { ++flag_reads; };
  struct Case {
    const char* key;
    int page;
    int flag_reads;
  };
  for (const Case& c : {Case{"dx", 1, 0}, Case{"ogl", 2, 0}, Case{"oc", 3, 0}, Case{"info", 4, 0},
                        Case{"nvcpl", 0, 1}}) {
    f.Toolbar1.UserClickButton(c.key);
    EXPECT_EQ(f.ActivePage, c.page) << c.key;
    EXPECT_EQ(VisiblePages(), std::vector<int>{c.page}) << c.key;
    EXPECT_EQ(flag_reads, c.flag_reads) << c.key << ": only the nvcpl button reads the flags again";
  }
  f.Toolbar1.UserClickMenu("nvcpl", "nvcpl1");
  EXPECT_EQ(flag_reads, 1) << "the nvcpl1 menu item does not read the flags";
}

TEST_F(Navigation, NavigatorWalksTheGroupOfTheShownPage) {
  Go(6);
  EXPECT_EQ(f.FlatScrollBar4.Max(), 5);
  EXPECT_EQ(f.FlatScrollBar4.Value(), 2);
  f.FlatScrollBar4.UserChange(4);
  EXPECT_EQ(f.ActivePage, 11);
  EXPECT_EQ(VisiblePages(), std::vector<int>{11});
  f.FlatScrollBar4.UserChange(1);
  EXPECT_EQ(f.ActivePage, 1);
  f.FlatScrollBar4.UserScroll(3);
  EXPECT_EQ(f.ActivePage, 8) << "dragging the thumb walks the same way";
}

TEST_F(Navigation, PageThreeDisablesTheNavigatorAndKeepsItsPosition) {
  Go(12);
  Go(3);
  EXPECT_FALSE(f.FlatScrollBar4.Enabled());
  EXPECT_EQ(f.FlatScrollBar4.Max(), 5);
  EXPECT_EQ(f.FlatScrollBar4.Value(), 5);
  EXPECT_EQ(VisiblePages(), std::vector<int>{3});
}

TEST_F(Navigation, SmallerGroupAfterALaterPositionLandsOnTheChosenPage) {
  // Lowering Max below the Value moves the Value first; the page chosen still wins.
  struct Case {
    int from;
    int to;
  };
  for (const Case& c : {Case{12, 0}, Case{12, 4}, Case{11, 9}, Case{12, 14}, Case{13, 10}}) {
    Go(c.from);
    Go(c.to);
    EXPECT_EQ(f.ActivePage, c.to) << c.from << " -> " << c.to;
    EXPECT_EQ(VisiblePages(), std::vector<int>{c.to}) << c.from << " -> " << c.to;
  }
}

TEST_F(Navigation, PageThreeFirstVisitEnablesOverclockingOnce) {
  int calls = 0;
  f.Procedures.EnableOC = [&] { ++calls; };
  f.Toolbar1.UserClickButton("oc");
  f.Toolbar1.UserClickButton("info");
  f.Toolbar1.UserClickButton("oc");
  EXPECT_EQ(calls, 1);
}

TEST_F(Navigation, PageNineFirstVisitRunsLumacapAndReadsItsReport) {
  const std::string lumacap = kProgram + "\\data\\lumacap.exe";
  const std::string report = kProgram + "\\data\\d3d_adapter_info.txt";
  m.fs.AddFile(lumacap, "MZ");
  std::vector<std::string> while_running;
  m.proc.OnRun(lumacap, [&] {
    while_running = f.List1.items();
    m.fs.AddFile(report, "\"Adapter\",\"GeForce 6800, AGP\"\r\nMemory,128 MB\r\n\"Caps\"\r\n");
  });
  f.Toolbar1.UserClickMenu("info", "basicdx");
  EXPECT_EQ(while_running, std::vector<std::string>{st.Lang(112)}) << "the waiting text shows while lumacap runs";
  EXPECT_EQ(f.List1.items(), (std::vector<std::string>{"Adapter", "GeForce 6800, AGP", "Memory", "128 MB", "Caps"}));
  ASSERT_EQ(m.proc.started().size(), 1u);
  EXPECT_EQ(m.proc.started()[0].style, platform::WindowStyle::kNormalFocus);
  EXPECT_TRUE(m.proc.Ended(m.proc.started()[0].pid)) << "waited for without a time limit";
  EXPECT_EQ(m.proc.OpenHandleCount(), 0);

  f.Toolbar1.UserClickMenu("info", "basic");
  f.Toolbar1.UserClickMenu("info", "basicdx");
  EXPECT_EQ(m.proc.started().size(), 1u) << "the second showing neither starts lumacap";
  EXPECT_EQ(f.List1.ListCount(), 5) << "nor rereads the report";
}

TEST_F(Navigation, PageNineWithoutLumacapReadsWhateverReportIsThere) {
  m.fs.AddFile(kProgram + "\\data\\d3d_adapter_info.txt", "old,report\r\n");
  Go(9);
  EXPECT_TRUE(m.proc.started().empty());
  EXPECT_EQ(f.List1.items(), (std::vector<std::string>{"old", "report"}));
}

TEST_F(Navigation, PageNineWithoutReportLeavesTheListEmpty) {
  Go(9);
  EXPECT_EQ(f.List1.ListCount(), 0);
}

TEST_F(Navigation, LumacapPathIsQuotedSoAProgramAtTheFirstBlankCannotStart) {
  // Regression: unquoted, "C:\Program Files\..." started C:\Program.exe.
  m.fs.AddFile("C:\\Program.exe", "MZ");
  m.fs.AddFile(kProgram + "\\data\\lumacap.exe", "MZ");
  Go(9);
  ASSERT_EQ(m.proc.started().size(), 1u);
  EXPECT_EQ(m.proc.started()[0].program, kProgram + "\\data\\lumacap.exe");
}

TEST_F(Navigation, ShellActionsOfTheFirstMenu) {
  f.Toolbar1.UserClickMenu("nvcpl", "nvcpl3");
  EXPECT_EQ(m.sh.control_panel_items, std::vector<std::string>{"desk.cpl"});
  f.Toolbar1.UserClickMenu("nvcpl", "nvcpl4");
  f.Toolbar1.UserClickMenu("nvcpl", "nvcpl5");
  ASSERT_EQ(m.proc.started().size(), 2u);
  EXPECT_EQ(m.proc.started()[0].command_line, "rundll32.exe nvcpl.dll, launchoverlayapplet");
  EXPECT_EQ(m.proc.started()[1].command_line, "rundll32.exe nvcpl.dll, launchtvapplet");
  EXPECT_EQ(m.proc.started()[0].style, platform::WindowStyle::kMinimizedFocus);
  EXPECT_EQ(m.proc.waits, 0) << "applets are not waited for";
  EXPECT_EQ(f.ActivePage, 4);
}

TEST_F(Navigation, RegistryEditorModalFromTheMenuModelessFromLabel10) {
  Go(13);
  bool modal = false;
  // The editor lets pending events run while it loads its list; the probe
  // waits for the modal loop.
  int tries = 0;
  std::function<void()> probe = [&] {
    if (!f.form3().Modal() && ++tries < 10) return st.app.Post(probe);
    modal = f.form3().Modal();
    f.form3().UserClose();
  };
  st.app.Post(probe);
  f.Toolbar1.UserClickMenu("nvcpl", "regedit");
  EXPECT_TRUE(modal);
  EXPECT_FALSE(f.form3().Loaded());
  EXPECT_EQ(VisiblePages(), std::vector<int>{13}) << "the current page is shown again";

  f.Label10.SetVisible(true);
  Go(0);
  f.Label10.UserClick();
  EXPECT_TRUE(f.form3().Visible());
  EXPECT_FALSE(f.form3().Modal());
}

TEST_F(Navigation, WindowsOfTheToolbar) {
  bool wizard_modal = false;
  st.app.Post([&] {
    wizard_modal = f.form4().Modal();
    f.form4().UserClose();
  });
  f.Toolbar1.UserClickButton("pw");
  EXPECT_TRUE(wizard_modal);
  f.Toolbar1.UserClickMenu("nvcpl", "pedit");
  EXPECT_TRUE(f.form6().Visible());
  EXPECT_FALSE(f.form6().Modal());
  bool about_modal = false;
  st.app.Post([&] {
    about_modal = f.form2().Modal();
    f.form2().UserClose();
  });
  f.Toolbar1.UserClickMenu("nvcpl", "abouti");
  EXPECT_TRUE(about_modal);
  EXPECT_EQ(f.ActivePage, 4);
}

TEST_F(Navigation, VendorButtonOpensTheVendorSite) {
  m.sh.associations[".htm"] = "C:\\Browser\\browse.exe";
  m.fs.AddFile("C:\\Browser\\browse.exe", "MZ");
  f.Toolbar1.UserClickButton("vask");
  ASSERT_EQ(m.sh.executed.size(), 1u);
  EXPECT_EQ(m.sh.executed[0].file, "C:\\Browser\\browse.exe");
  EXPECT_EQ(m.sh.executed[0].parameters, kVendorSite);
  EXPECT_EQ(f.ActivePage, 4);
}

TEST_F(Navigation, ToolbarActionsCloseTheHelpWindow) {
  Go(6);
  f.Check4[1].UserMouseMove(0, 0, 1, 1);
  ASSERT_TRUE(f.form5().Loaded());
  f.Toolbar1.UserClickButton("dx");
  EXPECT_FALSE(f.form5().Loaded());
  EXPECT_EQ(st.HelpTopic, 999);
  Go(6);
  f.Check4[1].UserMouseMove(0, 0, 1, 1);
  ASSERT_TRUE(f.form5().Loaded());
  f.Toolbar1.UserClickMenu("ogl", "tf");
  EXPECT_FALSE(f.form5().Loaded());
}

TEST_F(Navigation, Check13StoresOrDeletesTheCurrentPage) {
  Go(13);
  f.Check13.UserClick();
  EXPECT_EQ(StoredNumber("LVP"), 13u);
  f.Check13.UserClick();
  EXPECT_FALSE(m.reg.Get(kSettings, "LVP").has_value());
  f.IsStart = 1;
  f.Check13.UserClick();
  EXPECT_FALSE(m.reg.Get(kSettings, "LVP").has_value()) << "nothing while IsStart is 1";
}

TEST_F(Navigation, ExitStoresTheLastPageOnlyWhenRemembered) {
  f.Show();
  Go(7);
  f.Check13.UserClick();
  Go(10);
  f.form5().Load();
  f.form2().Load();
  f.UserClose();
  EXPECT_EQ(StoredNumber("LVP"), 10u);
  EXPECT_FALSE(f.form5().Loaded());
  EXPECT_FALSE(f.form2().Loaded());
}

TEST_F(Navigation, ActivationUnloadsTheAboutBox) {
  f.Show();
  f.form2().Show(false);
  ASSERT_TRUE(f.form2().Loaded());
  f.UserActivate();
  EXPECT_FALSE(f.form2().Loaded());
}

TEST_F(Navigation, ResizeSnapsTheWidthAndUndoesMaximise) {
  f.Show();
  f.UserMove(0, 0, 9000, 5625);
  EXPECT_EQ(f.Width(), kForm1Width);
  f.UserWindowState(ui::WindowState::kMaximized);
  EXPECT_EQ(f.GetWindowState(), ui::WindowState::kNormal);
  EXPECT_EQ(f.Width(), kForm1Width);
  f.UserWindowState(ui::WindowState::kMinimized);
  f.UserMove(0, 0, 2000, 400);
  EXPECT_EQ(f.Width(), 2000) << "a minimised window is left alone";
}

}  // namespace
}  // namespace ks::test
