// pvx.exe itself under Wine, driven through its windows as a user would:
// an installation folder with a profile and its list file, a folder of
// stand-in driver files below the Windows folder. Delete all with backup
// and restore bring every file back byte for byte; a hostile profile or
// list file deletes nothing outside the folders it names.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/basRegistry.h"
#include "platform/win32/machine.h"
#include "platform/win32/win.h"
#include "wine/program_windows.h"
#include "wine/test_folders.h"

namespace ks {
namespace {

const char* const kPvxCaption = "PVX - Driver cleaner utility";

using test::FolderFromEnv;

std::string Text(HWND hwnd) {
  char buffer[1024] = {};
  GetWindowTextA(hwnd, buffer, sizeof(buffer));
  return buffer;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> found;
  EnumChildWindows(
      parent,
      [](HWND hwnd, LPARAM lp) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(lp)->push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

HWND ChildWithText(HWND parent, const std::string& cls, const std::string& text) {
  for (HWND c : Children(parent))
    if (test::WindowClass(c) == cls && Text(c) == text) return c;
  return nullptr;
}

// Tells the parent what a user's action on the control tells it.
void Notify(HWND control, int code) {
  PostMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
               reinterpret_cast<LPARAM>(control));
}

std::vector<std::string> ListItems(HWND list) {
  std::vector<std::string> items;
  const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    // The lists are Unicode windows of another process: ask in Unicode.
    wchar_t buffer[512] = {};
    SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buffer));
    std::string item;
    for (const wchar_t* p = buffer; *p; ++p) item += static_cast<char>(*p);
    items.push_back(item);
  }
  return items;
}

class PvxProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string build = FolderFromEnv("KS_BUILD_DIR");
    const std::string source = FolderFromEnv("KS_SOURCE_DIR");
    if (build.empty() || source.empty()) GTEST_SKIP() << "KS_BUILD_DIR / KS_SOURCE_DIR not set";
    build_ = build;
    auto& fs = machine_.fs;
    tag_ = std::to_string(std::chrono::steady_clock::now().time_since_epoch().count() % 1000000000);
    install_ = fs.TempFolder() + "\\ks_pvx_" + tag_;
    ASSERT_EQ(test::LayOutInstallation(fs, install_, build, source,
                                       {{"programs\\pvx\\pvx.exe"},
                                        {"\\DATA", "\\DATA\\LANGUAGE", "\\data\\cleaner", "\\data\\cleaner\\backup"},
                                        {"LANGUAGE\\en_pv.dat"}}),
              "");
    windir_ = machine_.sys.GetEnvironmentVariable("windir");
    ASSERT_FALSE(windir_.empty());
    drivers_ = "ks_pvx_drivers_" + tag_;
    ASSERT_TRUE(fs.CreateFolder(windir_ + "\\" + drivers_));
    ASSERT_TRUE(fs.CreateFolder(windir_ + "\\" + drivers_ + "\\nview"));
    reg_.WriteRegValue(kHkeyCurrentUser, kProductKey, "PV_1W", 1);
    reg_.WriteRegValue(kHkeyCurrentUser, kProductKey, "PV_BackUp", 1);
  }

  void TearDown() override {
    if (pid_ != 0 && process_) {
      for (HWND w : test::ShownWindowsOf(pid_)) PostMessageA(w, WM_CLOSE, 0, 0);
      if (machine_.proc.WaitForSingleObject(process_->get(), 5000) != platform::kWaitObject0) {
        HANDLE h = OpenProcess(PROCESS_TERMINATE, FALSE, pid_);
        if (h) TerminateProcess(h, 1), CloseHandle(h);
      }
    }
    reg_.DeleteRegValue(kHkeyCurrentUser, kProductKey, "PV_1W");
    reg_.DeleteRegValue(kHkeyCurrentUser, kProductKey, "PV_BackUp");
  }

  // Bytes that are no text: every byte value, a tag of the file's own.
  static std::string Bytes(const std::string& name) {
    std::string bytes;
    for (int i = 0; i < 700; ++i) bytes += static_cast<char>((i * 7 + static_cast<int>(name.size())) & 0xFF);
    return bytes + name;
  }
  std::string Driver(const std::string& name) const { return windir_ + "\\" + drivers_ + "\\" + name; }
  void WriteProfile(const std::string& name, const std::vector<std::string>& items) {
    std::string bytes;
    for (const auto& item : items) bytes += "\"" + item + "\"\r\n";
    ASSERT_TRUE(machine_.fs.WriteFile(install_ + "\\data\\cleaner\\" + name + ".pvx", bytes));
  }
  void WriteList(const std::string& name, const std::vector<std::string>& items) {
    std::string bytes;
    for (const auto& item : items) bytes += "\"" + item + "\"\r\n";
    ASSERT_TRUE(machine_.fs.WriteFile(install_ + "\\DATA\\CLEANER\\" + name, bytes));
  }

  // Waits (pumping nothing of ours) until `done` holds; false after `ms`.
  bool WaitFor(const std::function<bool()>& done, int ms = 15000) {
    for (int waited = 0; waited < ms; waited += 25) {
      if (done()) return true;
      Sleep(25);
    }
    return done();
  }
  HWND WaitForTop(const std::function<bool(HWND)>& match) {
    HWND found = nullptr;
    WaitFor([&] {
      for (HWND w : test::ShownWindowsOf(pid_))
        if (match(w)) return (found = w) != nullptr;
      return false;
    });
    return found;
  }
  HWND WaitForMessageBox() {
    return WaitForTop([](HWND w) { return test::WindowClass(w) == "#32770"; });
  }

  // Starts pvx and picks `profile` in its dialog; the main window.
  HWND StartWith(const std::string& profile) {
    auto& proc = machine_.proc;
    pid_ = proc.StartProgram(platform::QuotedProgram(install_ + "\\pvx.exe"), platform::WindowStyle::kNormalFocus);
    if (pid_ == 0) return nullptr;
    process_.emplace(proc, proc.OpenProcess(platform::kSynchronize, pid_));
    HWND dialog = WaitForTop([](HWND w) { return ChildWithText(w, "Button", "Select") != nullptr; });
    if (!dialog) return nullptr;
    HWND combo = nullptr;
    for (HWND c : Children(dialog))
      if (test::WindowClass(c) == "ComboBox") combo = c;
    if (!combo) return nullptr;
    const LRESULT index = SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(profile.c_str()));
    SendMessageA(combo, CB_SETCURSEL, index, 0);
    Notify(combo, CBN_SELCHANGE);
    HWND select = ChildWithText(dialog, "Button", "Select");
    if (!WaitFor([&] { return IsWindowEnabled(select) != 0; })) return nullptr;
    Notify(select, BN_CLICKED);
    const std::string caption = std::string(kPvxCaption) + " - " + profile + " profile";
    return WaitForTop([&](HWND w) { return Text(w) == caption; });
  }

  // Starts pvx where a message follows the dialog (a profile its check
  // refuses, the first-start notice): picks `profile` in the dialog,
  // answers the message into `message`; the main window.
  HWND StartTold(const std::string& profile, std::string* message) {
    auto& proc = machine_.proc;
    pid_ = proc.StartProgram(platform::QuotedProgram(install_ + "\\pvx.exe"), platform::WindowStyle::kNormalFocus);
    if (pid_ == 0) return nullptr;
    process_.emplace(proc, proc.OpenProcess(platform::kSynchronize, pid_));
    HWND dialog = WaitForTop([](HWND w) { return ChildWithText(w, "Button", "Select") != nullptr; });
    if (!dialog) return nullptr;
    HWND combo = nullptr;
    for (HWND c : Children(dialog))
      if (test::WindowClass(c) == "ComboBox") combo = c;
    if (!combo) return nullptr;
    SendMessageA(combo, CB_SETCURSEL,
                 SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                              reinterpret_cast<LPARAM>(profile.c_str())),
                 0);
    Notify(combo, CBN_SELCHANGE);
    HWND select = ChildWithText(dialog, "Button", "Select");
    if (!WaitFor([&] { return IsWindowEnabled(select) != 0; })) return nullptr;
    Notify(select, BN_CLICKED);
    *message = AnswerOk();
    const std::string caption = std::string(kPvxCaption) + " - " + profile + " profile";
    return WaitForTop([&](HWND w) { return Text(w) == caption; });
  }
  void Close(HWND main) {
    PostMessageA(main, WM_CLOSE, 0, 0);
    ASSERT_EQ(machine_.proc.WaitForSingleObject(process_->get(), 10000), platform::kWaitObject0);
    pid_ = 0;
  }

  // The four visible lists by where they stand: files of groups 1 and 2,
  // then their backups.
  std::vector<HWND> Lists(HWND main) {
    std::vector<HWND> lists(4, nullptr);
    for (HWND c : Children(main)) {
      if (test::WindowClass(c) != "ListBox" || !IsWindowVisible(c)) continue;
      RECT r;
      GetWindowRect(c, &r);
      MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&r), 2);
      lists[(r.top > 200 ? 2 : 0) + (r.left > 100 ? 1 : 0)] = c;
    }
    return lists;
  }
  void Click(HWND main, const std::string& button) {
    HWND b = ChildWithText(main, "Button", button);
    ASSERT_NE(b, nullptr) << button;
    Notify(b, BN_CLICKED);
  }
  void Pick(HWND list, int index) {
    SendMessageA(list, LB_SETCURSEL, index, 0);
    Notify(list, LBN_SELCHANGE);
  }
  // Answers the message box that appears with OK; its text.
  std::string AnswerOk() {
    HWND box = WaitForMessageBox();
    if (!box) return "(no message box)";
    std::string text;
    for (HWND c : Children(box))
      if (test::WindowClass(c) == "Static" && !Text(c).empty()) text = Text(c);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    WaitFor([&] { return !IsWindow(box); });
    return text;
  }

  win32::Win32Machine machine_;
  BasRegistry reg_{machine_.reg};
  std::string build_, install_, tag_, windir_, drivers_;
  std::uint32_t pid_ = 0;
  std::optional<platform::ScopedProcess> process_;
};

TEST_F(PvxProgram, DeletesAllWithBackupAndRestoresByteForByte) {
  auto& fs = machine_.fs;
  const std::vector<std::string> group1 = {"nv4_disp.dll", "nvoglnt.dll", "nvcpl.dll"};
  for (const auto& name : group1) ASSERT_TRUE(fs.WriteFile(Driver(name), Bytes(name)));
  ASSERT_TRUE(fs.CopyFile(build_ + "\\standins\\nv4_disp.dll", Driver("nv4_disp.dll")));
  const std::string nv4_bytes = [&] {
    std::string b;
    fs.ReadFile(Driver("nv4_disp.dll"), &b);
    return b;
  }();
  ASSERT_TRUE(fs.WriteFile(Driver("nview\\nview.dll"), Bytes("nview.dll")));
  ASSERT_TRUE(fs.WriteFile(Driver("nview\\nvcpl.dll"), Bytes("nview's nvcpl")));  // same name, other folder
  ASSERT_TRUE(fs.WriteFile(Driver("nview\\readme.txt"), "not a dll"));
  WriteList("pvx_test.txt", group1);
  WriteProfile("test", {" (stand-ins)", "Driver", "nView", "List", "WIN\\" + drivers_ + "-pvx_test.txt", "Extension",
                        "WIN\\" + drivers_ + "\\nview-.dll", "test1", "test2"});

  HWND main = StartWith("test");
  ASSERT_NE(main, nullptr) << "the main window did not appear";
  Click(main, "Search files");
  auto lists = Lists(main);
  ASSERT_NE(lists[3], nullptr);
  ASSERT_TRUE(WaitFor([&] { return ListItems(lists[0]).size() == 3; }));
  EXPECT_EQ(ListItems(lists[0]), group1) << "in the list file's order";
  auto group2 = ListItems(lists[1]);
  std::sort(group2.begin(), group2.end());
  EXPECT_EQ(group2, (std::vector<std::string>{"nvcpl.dll", "nview.dll"}));

  Pick(lists[0], 0);
  EXPECT_TRUE(WaitFor([&] { return ChildWithText(main, "Static", "Version: 6.14.10.9371") != nullptr; }))
      << "the selected file's version is shown";

  Click(main, "Delete all files");
  EXPECT_EQ(AnswerOk(), "Do you really want to delete all listed files?");
  ASSERT_TRUE(WaitFor([&] { return ListItems(lists[2]).size() == 3 && ListItems(lists[3]).size() == 2; }));
  for (const auto& name : group1) EXPECT_FALSE(fs.FileExists(Driver(name))) << name;
  EXPECT_FALSE(fs.FileExists(Driver("nview\\nview.dll")));
  EXPECT_TRUE(fs.FileExists(Driver("nview\\readme.txt"))) << "not of the group";
  const std::string backup = install_ + "\\Data\\cleaner\\backup";
  std::string index;
  ASSERT_TRUE(fs.ReadFile(backup + "\\test1\\nvcpl.dll.index", &index));
  std::string expected_index = Driver("nvcpl.dll");
  expected_index.insert(0, 1, '"');
  expected_index += "\"\r\n";
  EXPECT_EQ(index, expected_index);

  // Restore every copy: the lists of backups empty one entry at a time.
  for (int list = 2; list <= 3; ++list) {
    while (!ListItems(lists[list]).empty()) {
      const size_t before = ListItems(lists[list]).size();
      Pick(lists[list], 0);
      ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(ChildWithText(main, "Button", "Restore selected file")) != 0; }));
      Click(main, "Restore selected file");
      ASSERT_TRUE(WaitFor([&] { return ListItems(lists[list]).size() < before; })) << "restore did nothing";
    }
  }
  for (const auto& name : group1) {
    std::string bytes;
    ASSERT_TRUE(fs.ReadFile(Driver(name), &bytes)) << name;
    EXPECT_EQ(bytes, name == "nv4_disp.dll" ? nv4_bytes : Bytes(name)) << name;
  }
  std::string bytes;
  ASSERT_TRUE(fs.ReadFile(Driver("nview\\nvcpl.dll"), &bytes));
  EXPECT_EQ(bytes, Bytes("nview's nvcpl"));
  ASSERT_TRUE(fs.ReadFile(Driver("nview\\nview.dll"), &bytes));
  EXPECT_EQ(bytes, Bytes("nview.dll"));
  EXPECT_TRUE(fs.List(backup + "\\test1\\*").empty());
  EXPECT_TRUE(fs.List(backup + "\\test2\\*").empty());

  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(machine_.proc.WaitForSingleObject(process_->get(), 10000), platform::kWaitObject0);
  pid_ = 0;
}

// Regression: every entry added to a list emptied the native list and
// added every entry again, so the search of a folder of 200 files took
// minutes with the window frozen. A folder of 1,000 files is listed whole,
// each file once, and the count is shown.
TEST_F(PvxProgram, ListsADirectoryRuleOfAThousandFiles) {
  auto& fs = machine_.fs;
  constexpr int kFiles = 1000;
  // A Directory rule takes no folder of the Windows folder: this one lies
  // on the system drive beside it.
  const std::string folder = windir_.substr(0, 3) + "ks_pvx_many_" + tag_;
  ASSERT_TRUE(fs.CreateFolder(folder));
  std::vector<std::string> names;
  for (int i = 0; i < kFiles; ++i) {
    names.push_back("nvfile" + std::to_string(1000 + i) + ".dll");
    ASSERT_TRUE(fs.WriteFile(folder + "\\" + names.back(), "MZ")) << names.back();
  }
  WriteProfile("many", {" (many)", "Driver", "", "Directory", "SYD" + folder.substr(2), "", "", "many1", ""});
  HWND main = StartWith("many");
  ASSERT_NE(main, nullptr);
  Click(main, "Search files");
  auto lists = Lists(main);
  ASSERT_NE(lists[0], nullptr);
  ASSERT_TRUE(WaitFor([&] { return SendMessageA(lists[0], LB_GETCOUNT, 0, 0) == kFiles; }, 60000))
      << "listed " << SendMessageA(lists[0], LB_GETCOUNT, 0, 0);
  auto listed = ListItems(lists[0]);
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(listed, names);
  EXPECT_TRUE(WaitFor([&] { return ChildWithText(main, "Static", "Files found: 1000") != nullptr; }))
      << "the count is shown";
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(machine_.proc.WaitForSingleObject(process_->get(), 10000), platform::kWaitObject0);
  pid_ = 0;
  for (const auto& name : names) fs.DeleteFile(folder + "\\" + name);
  RemoveDirectoryA(folder.c_str());
}

// The index files lie in pvx's own folder where anyone may rewrite them:
// only one that names the file the copy was made from, in a folder the
// profile cleans, is believed, and every refusal says why.
TEST_F(PvxProgram, RestoresASoundBackupAndRefusesAnIndexNamingAnotherPlace) {
  auto& fs = machine_.fs;
  const std::vector<std::string> group1 = {"nvcpl.dll", "nvoglnt.dll", "nvapi.dll", "nvtwk.dll"};
  for (const auto& name : group1) ASSERT_TRUE(fs.WriteFile(Driver(name), Bytes(name)));
  // Another file of the same folder, not of the group.
  ASSERT_TRUE(fs.WriteFile(Driver("keep.dll"), "kept"));
  const std::string main_program = install_ + "\\KestrelaneSE.exe";
  ASSERT_TRUE(fs.WriteFile(main_program, "the main program"));
  const std::string drive_top = "C:\\ks_pvx_new_" + tag_ + ".dll";
  WriteList("pvx_restore.txt", group1);
  WriteProfile("restore", {" (restore)", "Driver", "", "List", "WIN\\" + drivers_ + "-pvx_restore.txt", "", "",
                           "restore1", ""});

  HWND main = StartWith("restore");
  ASSERT_NE(main, nullptr);
  Click(main, "Search files");
  auto lists = Lists(main);
  ASSERT_TRUE(WaitFor([&] { return ListItems(lists[0]).size() == 4; }));
  Click(main, "Delete all files");
  AnswerOk();
  ASSERT_TRUE(WaitFor([&] { return ListItems(lists[2]).size() == 4; }));
  const std::string backup = install_ + "\\Data\\cleaner\\backup\\restore1";
  ASSERT_TRUE(fs.WriteFile(backup + "\\nvoglnt.dll.index", "\"" + main_program + "\"\r\n"));
  ASSERT_TRUE(fs.WriteFile(backup + "\\nvapi.dll.index", "\"" + drive_top + "\"\r\n"));
  const std::string keep = Driver("keep.dll");
  ASSERT_TRUE(fs.WriteFile(backup + "\\nvtwk.dll.index", "\"" + keep + "\"\r\n"));

  // Restores the listed copy `name`; the text of the message box it shows
  // ("" for none).
  auto restore = [&](const std::string& name) -> std::string {
    const auto items = ListItems(lists[2]);
    const auto at = std::find(items.begin(), items.end(), name);
    if (at == items.end()) return "(not listed)";
    Pick(lists[2], static_cast<int>(at - items.begin()));
    HWND button = ChildWithText(main, "Button", "Restore selected file");
    if (!WaitFor([&] { return IsWindowEnabled(button) != 0; })) return "(restore not offered)";
    Click(main, "Restore selected file");
    std::string text;
    WaitFor([&] {
      for (HWND w : test::ShownWindowsOf(pid_))
        if (test::WindowClass(w) == "#32770") return !(text = AnswerOk()).empty();
      return ListItems(lists[2]).size() < items.size();
    });
    WaitFor([&] { return IsWindowEnabled(button) == 0; });
    return text;
  };

  EXPECT_EQ(restore("nvcpl.dll"), "");
  std::string bytes;
  ASSERT_TRUE(fs.ReadFile(Driver("nvcpl.dll"), &bytes));
  EXPECT_EQ(bytes, Bytes("nvcpl.dll"));
  EXPECT_FALSE(fs.FileExists(backup + "\\nvcpl.dll"));

  EXPECT_NE(restore("nvoglnt.dll").find(main_program), std::string::npos) << "the user sees the path";
  ASSERT_TRUE(fs.ReadFile(main_program, &bytes));
  EXPECT_EQ(bytes, "the main program");
  EXPECT_TRUE(fs.FileExists(backup + "\\nvoglnt.dll"));

  EXPECT_NE(restore("nvapi.dll").find(drive_top), std::string::npos);
  EXPECT_FALSE(fs.FileExists(drive_top));
  EXPECT_TRUE(fs.FileExists(backup + "\\nvapi.dll"));

  // nvtwk.dll's copy onto keep.dll, a file of the very folder it came from.
  EXPECT_NE(restore("nvtwk.dll").find(keep), std::string::npos);
  ASSERT_TRUE(fs.ReadFile(keep, &bytes));
  EXPECT_EQ(bytes, "kept");
  EXPECT_TRUE(fs.FileExists(backup + "\\nvtwk.dll"));

  // An index an editor saved as UTF-16, and one that is gone: each refusal
  // names the copy and says why it stays.
  const std::string nvapi = Driver("nvapi.dll");
  std::string wide = "\xFF\xFE";
  for (char ch : "\"" + nvapi + "\"\r\n") wide.append({ch, '\0'});
  ASSERT_TRUE(fs.WriteFile(backup + "\\nvapi.dll.index", wide));
  const std::string wide_told = restore("nvapi.dll");
  EXPECT_NE(wide_told.find(backup + "\\nvapi.dll"), std::string::npos) << wide_told;
  EXPECT_NE(wide_told.find("saved as UTF-16 text"), std::string::npos) << wide_told;
  ASSERT_TRUE(fs.DeleteFile(backup + "\\nvtwk.dll.index"));
  const std::string missing_told = restore("nvtwk.dll");
  EXPECT_NE(missing_told.find(backup + "\\nvtwk.dll"), std::string::npos) << missing_told;
  EXPECT_NE(missing_told.find("index file is missing"), std::string::npos) << missing_told;
  EXPECT_TRUE(fs.FileExists(backup + "\\nvapi.dll"));
  EXPECT_TRUE(fs.FileExists(backup + "\\nvtwk.dll"));
  auto left = ListItems(lists[2]);
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"nvapi.dll", "nvoglnt.dll", "nvtwk.dll"})) << "all three stay listed";

  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(machine_.proc.WaitForSingleObject(process_->get(), 10000), platform::kWaitObject0);
  pid_ = 0;
  fs.DeleteFile(drive_top);
}

TEST_F(PvxProgram, HostileProfileAndListDeleteNothingOutsideTheirFolders) {
  auto& fs = machine_.fs;
  ASSERT_TRUE(fs.WriteFile(Driver("nv4_disp.dll"), Bytes("nv4_disp.dll")));
  const std::string outside = windir_ + "\\ks_pvx_victim_" + tag_ + ".dll";
  ASSERT_TRUE(fs.WriteFile(outside, "victim"));
  ASSERT_TRUE(fs.WriteFile(install_ + "\\victim.dll", "victim"));
  WriteList("hostile.txt", {"nv4_disp.dll", "..\\ks_pvx_victim_" + tag_ + ".dll", outside, "*.*",
                            "..\\..\\..\\" + install_.substr(3) + "\\victim.dll"});
  WriteProfile("hostile", {" (hostile list)", "Driver", "", "List", "WIN\\" + drivers_ + "-hostile.txt", "", "",
                           "hostile", ""});
  // A whole root and a folder climbing out of it: the check refuses them.
  WriteProfile("refused", {" (refused)", "Driver", "Rest", "Directory", "WIN\\" + drivers_ + "\\..", "Directory",
                           "SYS", "refused1", "refused2"});

  HWND main = StartWith("hostile");
  ASSERT_NE(main, nullptr);
  Click(main, "Search files");
  auto lists = Lists(main);
  ASSERT_TRUE(WaitFor([&] { return ListItems(lists[0]).size() == 1; }));
  EXPECT_EQ(ListItems(lists[0]), (std::vector<std::string>{"nv4_disp.dll"}));
  Click(main, "Delete all files");
  AnswerOk();
  ASSERT_TRUE(WaitFor([&] { return ListItems(lists[2]).size() == 1; }));
  EXPECT_FALSE(fs.FileExists(Driver("nv4_disp.dll")));
  EXPECT_TRUE(fs.FileExists(outside));
  EXPECT_TRUE(fs.FileExists(install_ + "\\victim.dll"));
  PostMessageA(main, WM_CLOSE, 0, 0);
  ASSERT_EQ(machine_.proc.WaitForSingleObject(process_->get(), 10000), platform::kWaitObject0);

  ASSERT_TRUE(fs.WriteFile(Driver("nv4_disp.dll"), Bytes("nv4_disp.dll")));
  const size_t windows_files = fs.List(windir_ + "\\*").size();
  // The refused profile: the user is told at start, the search lists
  // nothing and Delete all does nothing.
  std::string message;
  main = StartTold("refused", &message);
  EXPECT_NE(message.find("refused.pvx"), std::string::npos) << "the profile error names the file";
  EXPECT_NE(message.find("group 1's rule \"Directory\",\"WIN\\" + drivers_ + "\\..\" cannot be used"),
            std::string::npos)
      << "and the rule refused by its spelling: " << message;
  ASSERT_NE(main, nullptr);
  Click(main, "Search files");
  Sleep(500);
  lists = Lists(main);
  EXPECT_TRUE(ListItems(lists[0]).empty());
  EXPECT_TRUE(ListItems(lists[1]).empty());
  EXPECT_FALSE(IsWindowEnabled(ChildWithText(main, "Button", "Delete all files")));
  Click(main, "Delete all files");
  Sleep(500);
  for (HWND w : test::ShownWindowsOf(pid_)) EXPECT_NE(test::WindowClass(w), "#32770") << "no question: nothing can be deleted";
  EXPECT_TRUE(fs.FileExists(Driver("nv4_disp.dll")));
  EXPECT_EQ(fs.List(windir_ + "\\*").size(), windows_files);
}

// Regression: a Directory rule naming pvx's backup folder by Wine's short
// names listed the backup copies, and a rule over a link to system32 listed
// its files for deletion. Both are refused at start, naming the folder.
TEST_F(PvxProgram, RefusesItsBackupFolderByItsShortNameAndARuleOverALink) {
  auto& fs = machine_.fs;
  const std::string backup = install_ + "\\data\\cleaner\\backup\\nv";
  ASSERT_TRUE(fs.CreateFolder(backup));
  ASSERT_TRUE(fs.WriteFile(backup + "\\nvcpl.dll", "the only copy"));
  std::string index = Driver("nvcpl.dll");
  index.insert(0, 1, '"');
  index += "\"\r\n";
  ASSERT_TRUE(fs.WriteFile(backup + "\\nvcpl.dll.index", index));
  const std::string short_backup = fs.GetShortPathName(backup);
  ASSERT_NE(short_backup.find('~'), std::string::npos) << "Wine gives the installation folder an alias: " << short_backup;
  ASSERT_EQ(short_backup.substr(0, 2), windir_.substr(0, 2));
  WriteProfile("short", {" (short)", "Driver", "", "Directory", "SYD" + short_backup.substr(2), "", "", "nv", ""});

  const std::string link = "C:\\ks_links\\syslink";
  const auto attributes = fs.GetFileAttributes(link);
  ASSERT_TRUE(attributes.has_value()) << "cmake/wine-run.sh makes the prefix's links";
  ASSERT_NE(*attributes & platform::kAttributeReparsePoint, 0u);
  WriteProfile("link", {" (link)", "Driver", "", "Directory", "SYD\\ks_links\\syslink", "", "", "nv", ""});
  // A list of the drive: an item through a link or one that is a link is
  // not listed, a driver file beside them is. Wine shows the link to a file
  // as the file itself: only where it really opens tells it.
  // Regression: "Delete selected" on that link deleted kernel32.dll itself.
  ASSERT_TRUE(fs.WriteFile(Driver("nv4_disp.dll"), Bytes("nv4_disp.dll")));
  WriteList("links.txt", {"ks_links\\syslink\\kernel32.dll", "ks_links\\syslink\\user32.dll", "ks_links\\kernel.dll",
                          windir_.substr(3) + "\\" + drivers_ + "\\nv4_disp.dll"});
  WriteProfile("items", {" (items)", "Driver", "", "List", "SYD-links.txt", "", "", "nv", ""});

  std::string message;
  HWND main = StartTold("short", &message);
  ASSERT_NE(main, nullptr);
  EXPECT_NE(message.find("pvx's own folder"), std::string::npos) << message;
  Click(main, "Search files");
  Sleep(500);
  EXPECT_TRUE(ListItems(Lists(main)[0]).empty());
  EXPECT_FALSE(IsWindowEnabled(ChildWithText(main, "Button", "Delete all files")));
  Close(main);
  EXPECT_TRUE(fs.FileExists(backup + "\\nvcpl.dll"));

  main = StartTold("link", &message);
  ASSERT_NE(main, nullptr);
  EXPECT_NE(message.find(link + " is a link"), std::string::npos) << message;
  Click(main, "Search files");
  Sleep(500);
  EXPECT_TRUE(ListItems(Lists(main)[0]).empty());
  Close(main);

  main = StartWith("items");
  ASSERT_NE(main, nullptr);
  Click(main, "Search files");
  HWND found = Lists(main)[0];
  ASSERT_TRUE(WaitFor([&] { return !ListItems(found).empty(); }));
  EXPECT_EQ(ListItems(found), (std::vector<std::string>{"nv4_disp.dll"})) << "no item through a link is listed";
  Close(main);
  EXPECT_TRUE(fs.FileExists(machine_.sys.GetSystemDirectory() + "\\kernel32.dll"));
}

// Regression: a first start showed "Create backup before delete file"
// cleared while its notice asks to keep it ticked, so Delete all right after
// the notice kept no copy. A cleared box stays cleared across starts.
TEST_F(PvxProgram, AFirstStartBacksUpAndAClearedBoxStaysCleared) {
  auto& fs = machine_.fs;
  reg_.DeleteRegValue(kHkeyCurrentUser, kProductKey, "PV_1W");
  reg_.DeleteRegValue(kHkeyCurrentUser, kProductKey, "PV_BackUp");
  ASSERT_TRUE(fs.WriteFile(Driver("nv4_disp.dll"), Bytes("nv4_disp.dll")));
  WriteList("pvx_first.txt", {"nv4_disp.dll"});
  WriteProfile("first",
               {" (first)", "Driver", "", "List", "WIN\\" + drivers_ + "-pvx_first.txt", "", "", "first1", ""});
  const auto box_of = [](HWND main) { return ChildWithText(main, "Button", "Create backup before delete file"); };

  std::string notice;
  HWND main = StartTold("first", &notice);
  ASSERT_NE(main, nullptr);
  EXPECT_NE(notice.find("keep 'Create backup before delete file' ticked"), std::string::npos) << notice;
  HWND box = box_of(main);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED) << "a first start backs up";
  Click(main, "Search files");
  auto lists = Lists(main);
  ASSERT_TRUE(WaitFor([&] { return ListItems(lists[0]).size() == 1; }));
  Click(main, "Delete all files");
  AnswerOk();
  ASSERT_TRUE(WaitFor([&] { return ListItems(lists[2]).size() == 1; }));
  EXPECT_FALSE(fs.FileExists(Driver("nv4_disp.dll")));
  std::string bytes;
  ASSERT_TRUE(fs.ReadFile(install_ + "\\Data\\cleaner\\backup\\first1\\nv4_disp.dll", &bytes));
  EXPECT_EQ(bytes, Bytes("nv4_disp.dll"));

  Notify(box, BN_CLICKED);
  ASSERT_TRUE(WaitFor([&] { return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_UNCHECKED; }));
  // The cleared box is stored as REG_DWORD 0, no longer by deleting the value.
  ASSERT_TRUE(WaitFor([&] {
    const RegRead stored = reg_.ReadRegValue(kHkeyCurrentUser, kProductKey, "PV_BackUp");
    return stored.kind() == RegRead::Kind::kNumber && stored.AsText() == "0";
  }));
  Close(main);

  main = StartWith("first");
  ASSERT_NE(main, nullptr) << "the second start shows no notice";
  box = box_of(main);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_UNCHECKED) << "cleared stays cleared";
  Close(main);
}

// Regression: "Directory SYD\windows\system32\drivers" listed every system
// driver for deletion. The profile is refused, naming the rule and the
// Windows folder it lies in.
TEST_F(PvxProgram, RefusesADirectoryRuleBelowSystem32) {
  const std::string drivers = machine_.sys.GetSystemDirectory() + "\\drivers";
  const size_t driver_count = machine_.fs.List(drivers + "\\*").size();
  const std::string spec = "SYD" + drivers.substr(2);
  WriteProfile("drivers", {" (drivers)", "Driver", "", "Directory", spec, "", "", "drivers1", ""});
  std::string message;
  HWND main = StartTold("drivers", &message);
  ASSERT_NE(main, nullptr);
  EXPECT_NE(message.find("drivers.pvx"), std::string::npos) << message;
  EXPECT_NE(message.find("group 1's rule \"Directory\",\"" + spec + "\" cannot be used: its folder " + drivers +
                         " lies in the Windows folder"),
            std::string::npos)
      << message;
  Click(main, "Search files");
  Sleep(500);
  EXPECT_TRUE(ListItems(Lists(main)[0]).empty());
  EXPECT_FALSE(IsWindowEnabled(ChildWithText(main, "Button", "Delete all files")));
  Close(main);
  EXPECT_EQ(machine_.fs.List(drivers + "\\*").size(), driver_count);
}

// Regression: a profile refused by the spelling of its rules, as every
// profile is while windir is unset, said only that it is not valid.
TEST_F(PvxProgram, SaysWhyAProfileIsRefusedWhileWindirIsUnset) {
  WriteList("pvx_windir.txt", {"nv4_disp.dll"});
  WriteProfile("windir", {" (windir)", "Driver", "", "List", "SYS-pvx_windir.txt", "", "", "windir1", ""});
  // pvx inherits the environment it is started with.
  const std::string windir = machine_.sys.GetEnvironmentVariable("windir");
  ASSERT_TRUE(SetEnvironmentVariableA("windir", nullptr));
  std::string message;
  HWND main = StartTold("windir", &message);
  SetEnvironmentVariableA("windir", windir.c_str());
  ASSERT_NE(main, nullptr);
  EXPECT_NE(message.find("windir.pvx\r\ngroup 1's rule \"List\",\"SYS-pvx_windir.txt\" cannot be used: its root "
                         "code SYS names no folder: the windir variable is not set"),
            std::string::npos)
      << message;
  Close(main);
}

}  // namespace
}  // namespace ks
