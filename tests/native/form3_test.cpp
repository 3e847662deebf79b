// The registry editor on the fake machine: loading a page, the entry view,
// the user value box, the buttons, and writing and deleting values where
// the location table puts them.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "native/fixtures/machines.h"
#include "platform/fake/machine.h"
#include "shell/Form1.h"
#include "shell/satellite_forms.h"
#include "tools/Form3.h"

namespace ks {
namespace {

constexpr const char* kDk = "SYSTEM\\CurrentControlSet\\Control\\Video\\{X}\\0000";
const std::string kDb = "C:\\Program Files\\Kestrelane\\DATA\\Database\\";

struct Rig {
  fake::FakeMachine m;
  SeState s{m};
  Form3 f{s};
  explicit Rig(std::int16_t os = 3, std::int32_t build = 9371) {
    test::MarkLanguage(s);
    s.OsClass = os;
    s.DriverBuild = build;
    s.DriverKey = kDk;
  }
  std::string Full(const std::string& key) { return "HKEY_LOCAL_MACHINE\\" + key; }
  // The last logged call of `op`.
  fake::FakeRegistry::Call Last(const std::string& op) {
    const auto& log = m.reg.log();
    for (auto it = log.rbegin(); it != log.rend(); ++it)
      if (it->op == op) return *it;
    return {};
  }
  void Select(const std::string& entry) {
    const int i = f.List1.FindItem(entry);
    ASSERT_GE(i, 0) << entry;
    f.List1.UserPick(i);
  }
  void UserValue(const std::string& text) {
    if (f.Check1.Value() != ui::kChecked) f.Check1.UserClick();
    f.Text1.UserType(text);
  }
};

const char* kD3dFile =
    "\"D3D_D3D_08285629\",\"Antialiasing control\",5,-7,\"x\"\r\n"
    "\"D3D_D3d_46205529\",\"?\",0,3,\"x\"\r\n"
    "\"D3D_ABC\",\"none\",\"x\"\r\n";
const char* kOglFile = "\"OGL_FSAAMode\",\"FSAA\",0,1,2,\"x\"\r\n";
const char* kSysFile = "\"CoolBits\",\"Clock page\",0,3,-1,\"x\"\r\n";

TEST(Form3, LoadsThePageOfTheInstalledBuild) {
  Rig r(3, 4523);
  r.m.fs.AddFile(kDb + "0000d3d.dat", "\"D3D_OLD\",\"d\",\"x\"\r\n");
  r.m.fs.AddFile(kDb + "4520d3d.dat", kD3dFile);
  r.m.fs.AddFile(kDb + "4600d3d.dat", "\"D3D_NEW\",\"d\",\"x\"\r\n");
  r.m.fs.AddFile(kDb + "4100ogl.dat", kOglFile);
  r.f.Show();
  EXPECT_EQ(r.f.Caption(), "<196>4520d3d<197>");
  EXPECT_EQ(r.f.List1.items(), (std::vector<std::string>{"D3D_D3D_08285629", "D3D_D3d_46205529", "D3D_ABC"}));
  EXPECT_EQ(r.f.EntryCount, 3);
  EXPECT_EQ(r.f.Combo1.items(), (std::vector<std::string>{"Direct3D", "OpenGL", "System / Control panel"}));
  EXPECT_EQ(r.f.Combo1.ListIndex(), -1);
  EXPECT_EQ(r.f.Frame1.Caption(), "<198>");
  EXPECT_EQ(r.f.Command3.Caption(), "<204>");
  EXPECT_EQ(r.f.Label1.Caption(), "<205>");
  EXPECT_EQ(r.f.Label2.Caption(), "<206>");

  // The page box loads the OpenGL file that fits and names it in the caption.
  r.f.Combo1.UserPick(1);
  EXPECT_TRUE(r.f.Option1[1].Value());
  EXPECT_EQ(r.f.Caption(), "<196>4100ogl<197>");
  EXPECT_EQ(r.f.List1.items(), (std::vector<std::string>{"OGL_FSAAMode"}));
  // A text that is no page name chooses the System page (no file: an empty list).
  r.f.Combo1.UserType("something");
  EXPECT_TRUE(r.f.Option1[2].Value());
  EXPECT_EQ(r.f.Caption(), "<196>0000sys<197>");
  EXPECT_EQ(r.f.List1.ListCount(), 0);
}

TEST(Form3, AMissingOrCutFileGivesTheCompleteRecords) {
  Rig r;
  r.f.Show();
  EXPECT_EQ(r.f.List1.ListCount(), 0) << "missing file";
  EXPECT_EQ(r.f.EntryCount, 0);
  EXPECT_FALSE(r.f.Command1.Enabled());
  EXPECT_FALSE(r.f.Command2.Enabled());
  r.f.Unload();
  // Regression: a file without its last "x" made the reader loop forever.
  r.m.fs.AddFile(kDb + "0000d3d.dat", "\"D3D_ONE\",\"d\",\"x\"\r\n\"D3D_TWO\",\"d\",1");
  r.f.Show();
  EXPECT_EQ(r.f.List1.items(), (std::vector<std::string>{"D3D_ONE"}));
}

TEST(Form3, EntryViewListsValuesUpToTheSecondZero) {
  Rig r;
  r.m.fs.AddFile(kDb + "0000d3d.dat",
                 "\"D3D_NOZERO\",\"d\",5,6,\"x\"\r\n"
                 "\"D3D_ONEZERO\",\"d\",0,3,\"x\"\r\n"
                 "\"D3D_NONE\",\"?\",\"x\"\r\n"
                 "\"D3D_MANY\",\"d\",1,2,3,4,5,6,7,8,9,10,11,12,\"x\"\r\n"
                 "\"D3D_ZEROLAST\",\"d\",4,0,\"x\"\r\n");
  r.f.Show();
  struct Case {
    const char* entry;
    std::vector<std::string> values;
    const char* description;
  };
  const Case cases[] = {
      {"D3D_NOZERO", {"5", "6", "0"}, "d"},
      {"D3D_ONEZERO", {"0", "3"}, "d"},
      {"D3D_NONE", {"0"}, "<205>"},
      // A record lists more than nine values: every value a control writes.
      {"D3D_MANY", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "0"}, "d"},
      {"D3D_ZEROLAST", {"4", "0"}, "d"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.entry);
    r.Select(c.entry);
    EXPECT_EQ(r.f.List2.items(), c.values);
    EXPECT_EQ(r.f.Label1.Caption(), c.description);
  }
}

TEST(Form3, WritesReadsAndDeletesWhereTheTableSays) {
  struct Case {
    const char* name;
    std::int16_t os;
    int page;
    const char* file;
    const char* entry;
    std::string key;
    const char* value;
    std::uint32_t type;
  };
  const std::string dk = kDk;
  const Case cases[] = {
      {"XP Direct3D", 3, 0, kD3dFile, "D3D_D3D_08285629", dk, "D3D_08285629", 3},
      {"XP Direct3D, three characters", 3, 0, kD3dFile, "D3D_ABC", dk, "ABC", 3},
      {"98 Direct3D", 0, 0, kD3dFile, "D3D_D3d_46205529", dk + "\\NVidia\\Direct3D", "D3d_46205529", 3},
      {"XP OpenGL", 3, 1, kOglFile, "OGL_FSAAMode", dk, "OGL_FSAAMode", 3},
      {"98 OpenGL", 0, 1, kOglFile, "OGL_FSAAMode", dk + "\\NVidia\\OpenGL", "FSAAMode", 3},
      {"XP System", 3, 2, kSysFile, "CoolBits", "SOFTWARE\\NVIDIA Corporation\\Global\\NVTweak", "CoolBits", 4},
      {"98 System", 0, 2, kSysFile, "CoolBits", "SOFTWARE\\NVIDIA Corporation\\Global\\NVTweak", "CoolBits", 4},
  };
  const char* kinds[] = {"d3d", "ogl", "sys"};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig r(c.os);
    r.m.fs.AddFile(kDb + "0000" + kinds[c.page] + ".dat", c.file);
    r.m.reg.AddKey(r.Full(c.key));
    r.f.Show();
    r.f.Combo1.UserPick(c.page);
    r.Select(c.entry);
    EXPECT_EQ(r.Last("RegQueryValueExA").path, r.Full(c.key));
    EXPECT_EQ(r.Last("RegQueryValueExA").name, c.value);
    EXPECT_EQ(r.f.Label2.Caption(), "<206>");
    r.UserValue("-1");
    r.f.Command2.UserClick();
    const auto set = r.Last("RegSetValueExA");
    EXPECT_EQ(set.path, r.Full(c.key));
    EXPECT_EQ(set.name, c.value);
    EXPECT_EQ(set.type, c.type);
    EXPECT_EQ(set.bytes, std::string("\xFF\xFF\xFF\xFF", 4));
    EXPECT_EQ(r.f.Label2.Caption(), "-1");
    EXPECT_EQ(r.s.reg.WriteAsBinary, 0) << "the editor never leaves the switch at 1";
    r.f.Command1.UserClick();
    EXPECT_EQ(r.Last("RegDeleteValueA").path, r.Full(c.key));
    EXPECT_EQ(r.Last("RegDeleteValueA").name, c.value);
    EXPECT_FALSE(r.m.reg.Get(r.Full(c.key), c.value).has_value());
    EXPECT_EQ(r.f.Label2.Caption(), "<206>");
  }
}

TEST(Form3, ShowsTheStoredValue) {
  Rig r;
  r.m.fs.AddFile(kDb + "0000d3d.dat", kD3dFile);
  r.m.reg.Put(r.Full(kDk), "D3D_08285629", 3, std::string("\xFE\xFF\xFF\xFF", 4));
  r.m.reg.PutString(r.Full(kDk), "D3d_46205529", "text");
  r.f.Show();
  r.Select("D3D_D3D_08285629");
  EXPECT_EQ(r.f.Label2.Caption(), "-2");
  r.Select("D3D_D3d_46205529");
  EXPECT_EQ(r.f.Label2.Caption(), "0") << "a text that is no number shows 0";
}

TEST(Form3, ChosenValueAndRefusedTexts) {
  Rig r;
  r.m.fs.AddFile(kDb + "0000d3d.dat", kD3dFile);
  r.f.Show();
  r.Select("D3D_D3D_08285629");
  r.f.List2.UserPick(1);  // -7
  r.f.Command2.UserClick();
  EXPECT_EQ(r.m.reg.Get(r.Full(kDk), "D3D_08285629")->bytes, std::string("\xF9\xFF\xFF\xFF", 4));
  // A System write after it goes out as REG_DWORD.
  r.m.fs.AddFile(kDb + "0000sys.dat", kSysFile);
  r.f.Combo1.UserPick(2);
  r.Select("CoolBits");
  r.f.List2.UserPick(1);
  r.f.Command2.UserClick();
  EXPECT_EQ(r.m.reg.Get("HKLM\\SOFTWARE\\NVIDIA Corporation\\Global\\NVTweak", "CoolBits")->type, 4u);

  for (const char* text : {"a", "-", "", "1.5", "99999999999"}) {
    SCOPED_TRACE(text);
    r.m.reg.ClearLog();
    if (r.f.Check1.Value() != ui::kChecked) r.f.Check1.UserClick();
    r.f.Text1.SetText(text);
    r.f.Command2.UserClick();
    EXPECT_EQ(r.m.reg.CountCalls("RegSetValueExA"), 0);
    EXPECT_EQ(r.m.reg.CountCalls("RegOpenKeyA"), 1) << "the current value is shown again";
  }
  r.m.reg.ClearLog();
  r.f.Command1.UserClick();
  r.f.Command1.UserClick();  // deleting a value that is gone changes nothing
  EXPECT_EQ(r.f.Label2.Caption(), "<206>");
}

TEST(Form3, UserValueFilter) {
  struct Case {
    const char* typed;
    const char* kept;
  };
  const Case cases[] = {
      {"a", "a"},       // the first character is never checked
      {"ab", "a"},      // a second letter goes again
      {"1xy", "1"},     // every trailing letter goes
      {"-5", "-5"},
      {"5-", "5-"},     // "-" is accepted anywhere after the first
      {"12x", "12"},
      {"123", "123"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    Rig r;
    r.f.Show();
    r.f.Check1.UserClick();
    EXPECT_EQ(r.f.Text1.Text(), "0");
    r.f.Check1.UserClick();  // unticked: Write key off again
    r.f.Check1.UserClick();
    r.f.Command2.SetEnabled(false);
    r.f.Text1.UserType(c.typed);
    EXPECT_EQ(r.f.Text1.Text(), c.kept);
    EXPECT_TRUE(r.f.Command2.Enabled()) << "every change enables Write key";
  }
}

// Regression: each removed character raised Change again from inside the
// handler, one nested call per character, and a pasted text of 20,000
// characters ended the program.
TEST(Form3, ALongPasteIsCutToItsDigitsInOneStep) {
  struct Case {
    const char* name;
    std::string pasted;
    std::string kept;
  };
  const Case cases[] = {
      {"digits, then letters", "12" + std::string(19998, 'x'), "12"},
      {"a letter first, then letters", std::string(20000, 'x'), "x"},
      {"digits and a minus sign, then blanks and letters", "-5-" + std::string(10000, ' ') + std::string(9997, 'y'),
       "-5-"},
      {"letters inside are kept", "1" + std::string(19998, 'x') + "2", "1" + std::string(19998, 'x') + "2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig r;
    r.f.Show();
    r.f.Check1.UserClick();
    r.s.app.TakeEvents();
    r.f.Text1.UserType(c.pasted);
    EXPECT_EQ(r.f.Text1.Text(), c.kept);
    int changes = 0;
    for (const std::string& e : r.s.app.Events()) changes += e == "Text1.Change";
    EXPECT_EQ(changes, c.kept == c.pasted ? 1 : 2) << "the paste and at most one text set";
    EXPECT_TRUE(r.f.Command2.Enabled());
  }
}

TEST(Form3, ButtonEnabling) {
  Rig r;
  r.m.fs.AddFile(kDb + "0000d3d.dat", kD3dFile);
  r.m.fs.AddFile(kDb + "0000ogl.dat", kOglFile);
  r.f.Show();
  struct Step {
    const char* event;
    std::function<void()> act;
    bool del;
    bool write;
  };
  const Step steps[] = {
      {"load", [] {}, false, false},
      {"entry selected", [&] { r.Select("D3D_ABC"); }, true, false},
      {"allowed value clicked", [&] { r.f.List2.UserPick(0); }, true, true},
      {"entry selected, user value off", [&] { r.Select("D3D_D3D_08285629"); }, true, false},
      {"user value checked", [&] { r.f.Check1.UserClick(); }, true, true},
      {"entry selected, user value on", [&] { r.Select("D3D_ABC"); }, true, true},
      {"user value unchecked", [&] { r.f.Check1.UserClick(); }, true, false},
      {"text box changed", [&] { r.f.Text1.SetText("12"); }, true, true},
      {"write", [&] { r.f.Command2.UserClick(); }, true, true},
      {"delete", [&] { r.f.Command1.UserClick(); }, true, true},
      {"page selected", [&] { r.f.Combo1.UserPick(1); }, false, false},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.event);
    s.act();
    EXPECT_EQ(r.f.Command1.Enabled(), s.del);
    EXPECT_EQ(r.f.Command2.Enabled(), s.write);
  }
  EXPECT_FALSE(r.f.Text1.Enabled());
  EXPECT_TRUE(r.f.List2.Enabled());
}

// Regression: choosing the page already shown did nothing, since the
// option button it selects was selected already; the page is read afresh.
TEST(Form3, ChoosingThePageShownAgainLoadsItAfresh) {
  struct Case {
    const char* name;
    const char* kind;
    std::function<void(Form3&)> first, again;
  };
  const Case cases[] = {
      {"Direct3D picked while the box selects no entry", "d3d", [](Form3&) {},
       [](Form3& f) { f.Combo1.UserPick(0); }},
      // Regression: the page box raised no Click for the entry it already
      // selected, so picking a page a second time did nothing.
      {"Direct3D picked a second time", "d3d", [](Form3& f) { f.Combo1.UserPick(0); },
       [](Form3& f) { f.Combo1.UserPick(0); }},
      {"OpenGL picked a second time", "ogl", [](Form3& f) { f.Combo1.UserPick(1); },
       [](Form3& f) { f.Combo1.UserPick(1); }},
      {"OpenGL typed after picking it", "ogl", [](Form3& f) { f.Combo1.UserPick(1); },
       [](Form3& f) { f.Combo1.UserType("opengl"); }},
      {"System by another text", "sys", [](Form3& f) { f.Combo1.UserType("other"); },
       [](Form3& f) { f.Combo1.UserType("others"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig r;
    r.m.fs.AddFile(kDb + "0000" + c.kind + ".dat", "\"OLD_ENTRY\",\"d\",1,\"x\"\r\n");
    r.f.Show();
    c.first(r.f);
    r.Select("OLD_ENTRY");
    ASSERT_TRUE(r.f.Command1.Enabled());
    // A file that fits the build better has come, and the old one has changed.
    r.m.fs.AddFile(kDb + "0000" + c.kind + ".dat", "\"NEW_ENTRY\",\"d\",2,\"x\"\r\n");
    r.m.fs.AddFile(kDb + "9000" + c.kind + ".dat", "\"BEST_ENTRY\",\"d\",3,\"x\"\r\n");
    c.again(r.f);
    EXPECT_EQ(r.f.Caption(), std::string("<196>9000") + c.kind + "<197>");
    EXPECT_EQ(r.f.List1.items(), std::vector<std::string>{"BEST_ENTRY"});
    EXPECT_EQ(r.f.List2.ListCount(), 0);
    EXPECT_EQ(r.f.Label1.Caption(), "<205>");
    EXPECT_FALSE(r.f.Command1.Enabled());
    EXPECT_FALSE(r.f.Command2.Enabled());
  }
}

TEST(Form3, ClosingDropsTheState) {
  Rig r;
  r.m.fs.AddFile(kDb + "0000d3d.dat", kD3dFile);
  r.m.fs.AddFile(kDb + "0000ogl.dat", kOglFile);
  r.f.Show();
  r.f.Combo1.UserPick(1);
  r.f.Command3.UserClick();
  EXPECT_FALSE(r.f.Loaded());
  r.f.Show();
  EXPECT_TRUE(r.f.Option1[0].Value()) << "a new opening starts on the Direct3D page";
  EXPECT_EQ(r.f.List1.ListCount(), 3);
  EXPECT_EQ(r.f.Combo1.ListCount(), 3);
}

// Regression: the toolbar's "regedit" while Label10 had the editor open
// modeless tried to show that open window modal.
TEST(Form3, ModalOpeningOfAnOpenEditorActivatesIt) {
  auto m = test::MakeMachine(test::OsKind::kXp);
  SeState s(*m);
  test::MarkLanguage(s);
  Form1 main(s);
  main.Label10_Click();
  ASSERT_TRUE(main.form3().Visible());
  main.Show();
  ASSERT_EQ(s.app.ActiveForm(), &main);
  bool ran_modal = false;
  s.app.Post([&] { ran_modal = main.form3().Modal(); });
  main.Toolbar1.UserClickMenu("nvcpl", "regedit");
  EXPECT_FALSE(ran_modal);
  EXPECT_TRUE(main.form3().Visible());
  EXPECT_EQ(s.app.ActiveForm(), &main.form3());
}

}  // namespace
}  // namespace ks
