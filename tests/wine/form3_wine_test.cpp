// The registry editor under Wine: opened by a click on the main window's
// Label10, it lists the shipped value database for the stand-in driver's
// build, its Write and Delete buttons change the real registry, a preset
// applied while it is open shows in it, and picking the page it shows in
// the page box reads that page afresh.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>

#include "contract/standins.h"
#include "shell/Form1.h"
#include "shell/satellite_forms.h"
#include "tools/presets.h"
#include "tools/value_database.h"
#include "ui/text_measure.h"
#include "ui/win32/renderer.h"
#include "wine/wine_machine.h"

namespace ks::test {
namespace {

constexpr const char* kTestDriverKey = "SOFTWARE\\Kestrelane Tests\\Form3 driver key";

std::string SourceFolder() {
  const char* dir = std::getenv("KS_SOURCE_DIR");
  if (!dir || !*dir) return "";
  std::string path = std::string("Z:") + dir;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

class WineForm3 : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string source = SourceFolder();
    if (source.empty()) GTEST_SKIP() << "KS_SOURCE_DIR not set";
    InstallStandIns(machine_);
    auto& fs = machine_.files();
    const std::string db = fs.ProgramFolder() + "\\DATA\\Database";
    fs.CreateFolder(fs.ProgramFolder() + "\\DATA");
    fs.CreateFolder(db);
    for (const std::string& name : fs.List(source + "\\data\\Database\\*.dat"))
      ASSERT_TRUE(fs.CopyFile(source + "\\data\\Database\\" + name, db + "\\" + name));
    s_.app.Title = "KestrelaneSE";
  }
  void TearDown() override {
    s_.reg.DeleteRegValue(kHkeyLocalMachine, kTestDriverKey, "D3D_QualityEnhancements");
    // The shipped file again, for the tests that read it after this one.
    const std::string source = SourceFolder();
    if (!source.empty())
      machine_.files().CopyFile(source + "\\data\\Database\\5000d3d.dat", DatabaseFile("5000d3d"));
  }
  std::string DatabaseFile(const std::string& name) {
    return machine_.files().ProgramFolder() + "\\DATA\\Database\\" + name + ".dat";
  }

  void PumpUntil(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done() && std::chrono::steady_clock::now() < end) {
      s_.app.DoEvents();
      Sleep(10);
    }
  }
  void PumpFor(int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
      s_.app.DoEvents();
      Sleep(10);
    }
  }
  void Click(HWND hwnd, int x, int y) {
    PostMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  }
  void ClickItem(HWND list, int index) {
    RECT item{};
    SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    Click(list, item.left + 4, item.top + 2);
  }
  // The stored type and number of the test value; type 0 when missing.
  DWORD StoredType(std::int32_t* number) {
    HKEY key = nullptr;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, kTestDriverKey, &key) != ERROR_SUCCESS) return 0;
    DWORD type = 0, size = sizeof(*number);
    const LONG result = RegQueryValueExA(key, "D3D_QualityEnhancements", nullptr, &type,
                                         reinterpret_cast<BYTE*>(number), &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? type : 0;
  }

  WineMachine machine_;
  SeState s_{machine_};
  ui::win32::Renderer renderer_{s_.app};
  Form1 main_{s_};
};

TEST_F(WineForm3, OpensFromTheMainWindowListsTheDatabaseWritesAndDeletes) {
  main_.Show();
  ASSERT_GE(s_.DriverBuild, 5000) << "the stand-in driver's build";
  s_.DriverKey = kTestDriverKey;
  s_.OsClass = 3;
  main_.ActivePage = 0;
  main_.ShowPage();
  PumpFor(300);
  HWND label = renderer_.WindowOf(main_.Label10);
  ASSERT_NE(label, nullptr);
  Click(label, 5, 5);
  Form3& editor = main_.form3();
  PumpUntil([&] { return editor.Visible() && renderer_.WindowOf(editor.List1) != nullptr; });
  ASSERT_TRUE(editor.Visible());
  EXPECT_FALSE(editor.Modal());
  EXPECT_EQ(editor.DatabaseName, "5000d3d");
  HWND list = renderer_.WindowOf(editor.List1);
  const int entry = editor.List1.FindItem("D3D_D3D_QualityEnhancements");
  ASSERT_GE(entry, 0);
  EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), editor.List1.ListCount());
  EXPECT_GT(editor.List1.ListCount(), 30);

  ClickItem(list, entry);
  PumpUntil([&] { return editor.List1.ListIndex() == entry; });
  ASSERT_EQ(editor.List1.ListIndex(), entry);
  EXPECT_EQ(editor.Label2.Caption(), s_.Lang(206)) << "nothing stored yet";
  HWND values = renderer_.WindowOf(editor.List2);
  ClickItem(values, 3);  // -10, high quality
  PumpUntil([&] { return editor.List2.ListIndex() == 3; });
  ASSERT_EQ(editor.List2.Text(), "-10");
  ASSERT_TRUE(editor.Command2.Enabled());
  PumpFor(300);
  Click(renderer_.WindowOf(editor.Command2), 10, 10);
  std::int32_t number = 0;
  PumpUntil([&] { return StoredType(&number) != 0; });
  EXPECT_EQ(StoredType(&number), static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(number, -10);
  EXPECT_EQ(editor.Label2.Caption(), "-10");

  const char* build = std::getenv("KS_BUILD_DIR");
  if (build) renderer_.SaveScreenshot(editor, std::string("Z:") + build + "/registry_editor.bmp");

  Click(renderer_.WindowOf(editor.Command1), 10, 10);
  PumpUntil([&] { return StoredType(&number) == 0; });
  EXPECT_EQ(StoredType(&number), 0u) << "Delete key removed the value";
  EXPECT_EQ(editor.Label2.Caption(), s_.Lang(206));

  // A preset applied meanwhile: the open editor's actual value is what the
  // preset stored, in its real window too.
  std::string items;
  for (const char* item : {"ksp", "999", "0", "0", "D3D_QualityEnhancements", "10"}) AddPresetItem(items, item);
  const std::string preset = machine_.files().ProgramFolder() + "\\DATA\\editor winetest.ksp";
  ASSERT_TRUE(machine_.files().WriteFile(preset, items));
  main_.form6().Text1.SetText(preset);
  main_.form6().LoadIt();
  machine_.files().DeleteFile(preset);
  EXPECT_EQ(StoredType(&number), static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(number, 10);
  EXPECT_EQ(editor.Label2.Caption(), "10");
  HWND actual = renderer_.WindowOf(editor.Label2);
  char shown[32] = {};
  PumpUntil([&] { return GetWindowTextA(actual, shown, sizeof shown) >= 0 && std::string(shown) == "10"; });
  EXPECT_STREQ(shown, "10");

  // The file has grown meanwhile; picking "Direct3D", the page shown, reads it again.
  const int before = editor.List1.ListCount();
  std::string bytes;
  ASSERT_TRUE(machine_.files().ReadFile(DatabaseFile("5000d3d"), &bytes));
  ASSERT_TRUE(machine_.files().WriteFile(DatabaseFile("5000d3d"), bytes + "\"D3D_D3D_KS_ADDED\",\"?\",1,\"x\"\r\n"));
  HWND combo = renderer_.WindowOf(editor.Combo1);
  SendMessageA(combo, CB_SETCURSEL, 0, 0);
  SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo));
  PumpUntil([&] { return editor.List1.ListCount() == before + 1; });
  EXPECT_EQ(editor.List1.ListCount(), before + 1);
  EXPECT_GE(editor.List1.FindItem("D3D_D3D_KS_ADDED"), 0);
  PumpFor(200);
  EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), before + 1);
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR) << "no entry selected";
  EXPECT_FALSE(IsWindowEnabled(renderer_.WindowOf(editor.Command1))) << "Delete key off until an entry is chosen";
  main_.Unload();
}

// The description label in the font the renderer gives it: the measure the
// layout tests use is never narrower or lower than the font, and every
// description of the shipped value database, broken into lines as the label
// breaks it, fits the label's client area.
TEST_F(WineForm3, EveryShippedDescriptionFitsTheDescriptionLabel) {
  main_.Show();
  Form3& editor = main_.form3();
  editor.Show();
  PumpUntil([&] { return renderer_.WindowOf(editor.Label1) != nullptr; });
  HWND label = renderer_.WindowOf(editor.Label1);
  ASSERT_NE(label, nullptr);
  RECT client{};
  GetClientRect(label, &client);
  HDC dc = GetDC(label);
  HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(label, WM_GETFONT, 0, 0));
  ASSERT_NE(font, nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  EXPECT_LE(metrics.tmHeight + metrics.tmExternalLeading, ui::kDialogLineHeight);
  for (char c = 32; c < 127; ++c) {
    SIZE size{};
    GetTextExtentPoint32A(dc, &c, 1, &size);
    EXPECT_LE(size.cx, ui::DialogTextWidth(std::string(1, c))) << "'" << c << "'";
  }
  int checked = 0;
  const std::string source = SourceFolder();
  for (const std::string& name : machine_.files().List(source + "\\data\\Database\\*.dat")) {
    std::string bytes;
    ASSERT_TRUE(machine_.files().ReadFile(source + "\\data\\Database\\" + name, &bytes));
    for (const DatabaseRecord& record : ReadDatabase(bytes, 100000).records) {
      if (record.description == "?") continue;
      RECT need{0, 0, client.right, 0};
      DrawTextA(dc, record.description.c_str(), -1, &need, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
      EXPECT_LE(need.bottom, client.bottom) << name << ", " << record.name;
      EXPECT_LE(need.right, client.right) << name << ", " << record.name;
      ++checked;
    }
  }
  EXPECT_GT(checked, 100);
  SelectObject(dc, old);
  ReleaseDC(label, dc);
  main_.Unload();
}

// Regression: the user value box removed one character per Change and was
// raised again by its own removal; a pasted text of 20,000 characters ended
// the program.
TEST_F(WineForm3, ALongPasteIntoTheUserValueIsCutToItsDigits) {
  struct Case {
    const char* name;
    bool replace_selection;  // EM_REPLACESEL over the whole text, else WM_SETTEXT
  };
  const Case cases[] = {{"WM_SETTEXT", false}, {"EM_REPLACESEL", true}};
  main_.Show();
  Form3& editor = main_.form3();
  editor.Show();
  PumpUntil([&] { return renderer_.WindowOf(editor.Check1) != nullptr; });
  Click(renderer_.WindowOf(editor.Check1), 5, 5);
  PumpUntil([&] { return editor.Check1.Value() == ui::kChecked; });
  ASSERT_EQ(editor.Check1.Value(), ui::kChecked);
  HWND box = renderer_.WindowOf(editor.Text1);
  ASSERT_NE(box, nullptr);
  ASSERT_TRUE(IsWindowEnabled(box));
  const std::string pasted = "12" + std::string(19998, 'x');
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.replace_selection) {
      SendMessageA(box, EM_SETSEL, 0, -1);
      SendMessageA(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pasted.c_str()));
    } else {
      SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(pasted.c_str()));
    }
    PumpFor(200);
    EXPECT_EQ(editor.Text1.Text(), "12");
    char shown[64] = {};
    GetWindowTextA(box, shown, sizeof(shown));
    EXPECT_STREQ(shown, "12") << "the box shows the text it holds";
    EXPECT_TRUE(editor.Command2.Enabled());
    SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("0"));
    PumpFor(100);
  }
  EXPECT_TRUE(IsWindow(box)) << "the editor is still there";
  main_.Unload();
}

}  // namespace
}  // namespace ks::test
