// Drive, folder and file lists over the fake machine's files.
#include <gtest/gtest.h>

#include "platform/fake/machine.h"
#include "ui/ui.h"

namespace ks {
namespace {

using Events = std::vector<std::string>;

class PickerForm : public ui::Form {
 public:
  explicit PickerForm(ui::App& app) : ui::Form(app, "Form7") {}
  ui::DriveListBox Drive1{*this, "Drive1"};
  ui::DirListBox Dir1{*this, "Dir1"};
  ui::FileListBox File1{*this, "File1"};
};

struct FileLists : ::testing::Test {
  FileLists() {
    m.fs.AddFolder("D:\\");
    m.fs.AddFile("C:\\Tools\\app.exe", "MZ");
    m.fs.AddFile("C:\\Tools\\readme.txt", "text");
    m.fs.AddFile("C:\\Tools\\setup.EXE", "MZ");
    m.fs.AddFolder("C:\\Tools\\Sub");
  }
  fake::FakeMachine m;
  ui::App app{m.msg, m.fs};
};

TEST_F(FileLists, StartOnDriveCWithoutEvents) {
  PickerForm form(app);
  EXPECT_EQ(form.Drive1.items(), (std::vector<std::string>{"c:", "d:"}));
  EXPECT_EQ(form.Drive1.Drive(), "c:");
  EXPECT_EQ(form.Dir1.Path(), "c:\\");
  EXPECT_EQ(form.File1.Path(), "c:\\");
  EXPECT_TRUE(app.TakeEvents().empty());
}

TEST_F(FileLists, ChoosingADriveRaisesChange) {
  PickerForm form(app);
  EXPECT_TRUE(form.Drive1.SetDrive("D:\\somewhere"));
  EXPECT_EQ(form.Drive1.Drive(), "d:");
  EXPECT_FALSE(form.Drive1.SetDrive("e:"));
  EXPECT_EQ(form.Drive1.Drive(), "d:");
  form.Drive1.UserPick(0);
  form.Drive1.UserPick(0);  // the drive already chosen: no change
  EXPECT_EQ(app.TakeEvents(), (Events{"Drive1.Change", "Drive1.Change"}));
}

TEST_F(FileLists, FolderListShowsAncestorsThenSubfolders) {
  PickerForm form(app);
  EXPECT_TRUE(form.Dir1.SetPath("C:\\Tools\\"));
  EXPECT_EQ(form.Dir1.Path(), "C:\\Tools");
  EXPECT_EQ(form.Dir1.items(), (std::vector<std::string>{"C:\\", "C:\\Tools", "C:\\Tools\\Sub"}));
  EXPECT_EQ(form.Dir1.ListIndex(), 1);
  form.Dir1.UserOpen(2);
  EXPECT_EQ(form.Dir1.Path(), "C:\\Tools\\Sub");
  EXPECT_EQ(app.TakeEvents(), (Events{"Dir1.Change", "Dir1.Change"}));
}

TEST_F(FileLists, MissingFolderIsRefused) {
  PickerForm form(app);
  EXPECT_FALSE(form.Dir1.SetPath("e:"));
  EXPECT_FALSE(form.Dir1.SetPath("C:\\Nowhere"));
  EXPECT_FALSE(form.File1.SetPath("relative\\path"));
  EXPECT_EQ(form.Dir1.Path(), "c:\\");
  EXPECT_TRUE(app.TakeEvents().empty());
  EXPECT_TRUE(form.Dir1.SetPath("d:"));
  EXPECT_EQ(form.Dir1.Path(), "d:\\");
}

TEST_F(FileLists, FileListFiltersByPatternAndRaisesClick) {
  struct Case {
    const char* pattern;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"*.exe", {"app.exe", "setup.EXE"}},
      {"*.txt;*.exe", {"readme.txt", "app.exe", "setup.EXE"}},
      {"*.*", {"app.exe", "readme.txt", "setup.EXE"}},
      {"*.dll", {}},
  };
  PickerForm form(app);
  ASSERT_TRUE(form.File1.SetPath("C:\\Tools"));
  for (const Case& c : cases) {
    form.File1.SetPattern(c.pattern);
    EXPECT_EQ(form.File1.items(), c.expected) << c.pattern;
  }
  form.File1.SetPattern("*.exe");
  EXPECT_EQ(form.File1.FileName(), "");
  form.File1.UserPick(1);
  EXPECT_EQ(form.File1.FileName(), "setup.EXE");
  EXPECT_EQ(app.TakeEvents(), Events{"File1.Click"});
}

}  // namespace
}  // namespace ks
