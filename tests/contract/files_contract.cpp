// The file service, against the fake file tree natively and the real file
// system under Wine.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/names.h"
#include "contract/contract.h"

namespace ks::test {
namespace {

class FilesContract : public ::testing::Test {
 protected:
  void SetUp() override {
    machine_ = MakeContractMachine();
    dir_ = ContractScratchFolder(files());
    ASSERT_TRUE(files().FolderExists(dir_));
  }
  platform::Files& files() { return machine_->files(); }
  std::string At(const std::string& name) { return dir_ + "\\" + name; }
  std::vector<std::string> Sorted(std::vector<std::string> names) {
    for (auto& n : names) {
      for (auto& c : n) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  std::unique_ptr<platform::Platform> machine_;
  std::string dir_;
};

TEST_F(FilesContract, BytesRoundTripUnchanged) {
  const std::string bytes = std::string("a\r\nb\0\xE9\xFF", 7);
  ASSERT_TRUE(files().WriteFile(At("x.dat"), bytes));
  std::string read;
  ASSERT_TRUE(files().ReadFile(At("X.DAT"), &read)) << "names ignore case";
  EXPECT_EQ(read, bytes);
  ASSERT_TRUE(files().WriteFile(At("x.dat"), "short"));
  ASSERT_TRUE(files().ReadFile(At("x.dat"), &read));
  EXPECT_EQ(read, "short") << "a write replaces the whole file";
}

TEST_F(FilesContract, CheckedWriteReadsBackWhatItWrote) {
  static constexpr char kIndex[] = "\"C:\\x\\a.dll\"\r\n\0z";
  const std::string bytes(kIndex, sizeof(kIndex) - 1);
  ASSERT_TRUE(files().WriteFile(At("c.index"), "an older, longer content"));
  EXPECT_TRUE(files().WriteFileChecked(At("C.INDEX"), bytes));
  std::string read;
  ASSERT_TRUE(files().ReadFile(At("c.index"), &read));
  EXPECT_EQ(read, bytes);
  EXPECT_TRUE(files().WriteFileChecked(At("empty.index"), ""));
  EXPECT_FALSE(files().WriteFileChecked(At("nofolder\\x.index"), "x"));
}

TEST_F(FilesContract, MissingThingsFailWithoutTouchingTheOutput) {
  std::string read = "kept";
  EXPECT_FALSE(files().ReadFile(At("none.dat"), &read));
  EXPECT_EQ(read, "kept");
  EXPECT_FALSE(files().FileExists(At("none.dat")));
  EXPECT_FALSE(files().DeleteFile(At("none.dat")));
  EXPECT_FALSE(files().CopyFile(At("none.dat"), At("copy.dat")));
  EXPECT_FALSE(files().WriteFile(At("nofolder\\x.dat"), "x")) << "the folder must exist";
  EXPECT_FALSE(files().CreateFolder(At("a\\b"))) << "the parent must exist";
}

TEST_F(FilesContract, FoldersFilesAndListing) {
  ASSERT_TRUE(files().CreateFolder(At("Sub")));
  EXPECT_TRUE(files().FolderExists(At("sub")));
  EXPECT_FALSE(files().FileExists(At("Sub")));
  ASSERT_TRUE(files().WriteFile(At("en.dat"), "1"));
  ASSERT_TRUE(files().WriteFile(At("de.dat"), "2"));
  ASSERT_TRUE(files().WriteFile(At("en_pv.dat"), "3"));
  ASSERT_TRUE(files().WriteFile(At("notes.txt"), "4"));
  EXPECT_EQ(Sorted(files().List(At("*.dat"))), (std::vector<std::string>{"de.dat", "en.dat", "en_pv.dat"}));
  EXPECT_EQ(Sorted(files().List(At("e?.dat"))), (std::vector<std::string>{"en.dat"}));
  EXPECT_EQ(Sorted(files().List(At("*"))), (std::vector<std::string>{"de.dat", "en.dat", "en_pv.dat", "notes.txt"}))
      << "folders are not listed";
  EXPECT_EQ(Sorted(files().ListFolders(dir_)), (std::vector<std::string>{"sub"}));
  EXPECT_TRUE(files().List(At("Sub\\*.dat")).empty());
  EXPECT_TRUE(files().List(At("missing\\*.dat")).empty());
}

TEST_F(FilesContract, CopyReplacesAndDeleteRemoves) {
  ASSERT_TRUE(files().WriteFile(At("a.dat"), "new"));
  ASSERT_TRUE(files().WriteFile(At("b.dat"), "old"));
  ASSERT_TRUE(files().CopyFile(At("a.dat"), At("b.dat")));
  std::string read;
  ASSERT_TRUE(files().ReadFile(At("b.dat"), &read));
  EXPECT_EQ(read, "new");
  ASSERT_TRUE(files().DeleteFile(At("a.dat")));
  EXPECT_FALSE(files().FileExists(At("a.dat")));
  EXPECT_TRUE(files().FileExists(At("b.dat")));
}

TEST_F(FilesContract, DotPartsResolveLikeWindows) {
  ASSERT_TRUE(files().CreateFolder(At("Sub")));
  ASSERT_TRUE(files().WriteFile(At("top.dat"), "top"));
  std::string read;
  EXPECT_TRUE(files().ReadFile(At("Sub\\..\\top.dat"), &read));
  EXPECT_EQ(read, "top");
  EXPECT_TRUE(files().FileExists(At(".\\top.dat")));
}

TEST_F(FilesContract, ReplaceMovesOverTheTargetOrLeavesBothAlone) {
  ASSERT_TRUE(files().WriteFile(At("new.tmp"), "new"));
  ASSERT_TRUE(files().WriteFile(At("kept.dat"), "old"));
  ASSERT_TRUE(files().ReplaceFile(At("new.tmp"), At("KEPT.dat")));
  std::string read;
  ASSERT_TRUE(files().ReadFile(At("kept.dat"), &read));
  EXPECT_EQ(read, "new");
  EXPECT_FALSE(files().FileExists(At("new.tmp")));
  ASSERT_TRUE(files().ReplaceFile(At("kept.dat"), At("fresh.dat"))) << "a missing target is made";
  EXPECT_TRUE(files().FileExists(At("fresh.dat")));
  EXPECT_FALSE(files().ReplaceFile(At("none.tmp"), At("fresh.dat")));
  EXPECT_FALSE(files().ReplaceFile(At("fresh.dat"), At("nofolder\\x.dat")));
  ASSERT_TRUE(files().ReadFile(At("fresh.dat"), &read));
  EXPECT_EQ(read, "new") << "a failed move leaves the file";
}

TEST_F(FilesContract, CurrentFolderMustExist) {
  EXPECT_TRUE(files().SetCurrentFolder(dir_));
  EXPECT_FALSE(files().SetCurrentFolder(At("gone")));
}

TEST_F(FilesContract, ProgramAndTempFoldersHaveNoTrailingBackslash) {
  for (const std::string& folder : {files().ProgramFolder(), files().TempFolder()}) {
    SCOPED_TRACE(folder);
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), '\\');
    EXPECT_TRUE(files().FolderExists(folder));
  }
}

TEST_F(FilesContract, ProgramPathIsAnExecutableInTheProgramFolder) {
  const std::string path = files().ProgramPath();
  const std::string folder = files().ProgramFolder() + "\\";
  ASSERT_GT(path.size(), folder.size() + 4);
  EXPECT_EQ(path.substr(0, folder.size()), folder);
  EXPECT_EQ(path.find_first_of("\\/", folder.size()), std::string::npos) << "a file name, no folder";
  EXPECT_TRUE(SameTextIgnoringCase(path.substr(path.size() - 4), ".exe")) << path;
}

TEST_F(FilesContract, AttributesOfFilesAndFolders) {
  ASSERT_TRUE(files().CreateFolder(At("Sub")));
  ASSERT_TRUE(files().WriteFile(At("a.dat"), "a"));
  const auto folder = files().GetFileAttributes(At("SUB"));
  const auto file = files().GetFileAttributes(At("a.dat"));
  ASSERT_TRUE(folder.has_value());
  ASSERT_TRUE(file.has_value());
  EXPECT_NE(*folder & platform::kAttributeDirectory, 0u);
  EXPECT_EQ(*file & platform::kAttributeDirectory, 0u);
  EXPECT_EQ((*folder | *file) & platform::kAttributeReparsePoint, 0u) << "no link";
  EXPECT_FALSE(files().GetFileAttributes(At("none.dat")).has_value());
}

TEST_F(FilesContract, TheListingTellsEachFilesAttributes) {
  ASSERT_TRUE(files().CreateFolder(At("Sub")));
  ASSERT_TRUE(files().WriteFile(At("a.dat"), "a"));
  ASSERT_TRUE(files().WriteFile(At("b.dat"), "b"));
  const std::vector<platform::Files::ListedFile> listed = files().ListWithAttributes(At("*"));
  std::vector<std::string> names;
  for (const auto& file : listed) {
    names.push_back(file.name);
    EXPECT_EQ(file.attributes, files().GetFileAttributes(At(file.name)).value_or(0)) << file.name;
  }
  EXPECT_EQ(Sorted(names), Sorted(files().List(At("*")))) << "the files List gives, folders left out";
  EXPECT_TRUE(files().ListWithAttributes(At("none\\*")).empty());
  const ContractLinks links = MakeContractLinks(*machine_);
  if (links.file.empty()) return;
  const std::string folder = links.file.substr(0, links.file.rfind('\\'));
  const std::string name = links.file.substr(folder.size() + 1);
  bool seen = false;
  for (const auto& file : files().ListWithAttributes(folder + "\\*")) {
    if (!SameTextIgnoringCase(file.name, name)) continue;
    seen = true;
    EXPECT_NE(file.attributes & platform::kAttributeReparsePoint, 0u) << "a file link shows as a link";
  }
  EXPECT_TRUE(seen) << links.file;
}

TEST_F(FilesContract, ShortNamesStandForTheLongOnes) {
  ASSERT_TRUE(files().CreateFolder(At("Long Folder Name")));
  ASSERT_TRUE(files().WriteFile(At("Long Folder Name\\a long file name.dat"), "x"));
  const std::string long_path = files().GetLongPathName(At("Long Folder Name\\a long file name.dat"));
  ASSERT_TRUE(SameTextIgnoringCase(long_path, At("Long Folder Name\\a long file name.dat"))) << long_path;
  const std::string short_path = files().GetShortPathName(long_path);
  ASSERT_FALSE(short_path.empty());
  const std::string short_name = short_path.substr(short_path.rfind('\\') + 1);
  EXPECT_NE(short_name.find('~'), std::string::npos) << short_path;
  EXPECT_LE(short_name.size(), 12u) << short_path;
  EXPECT_TRUE(SameTextIgnoringCase(files().GetLongPathName(short_path), long_path)) << short_path;
  std::string read;
  EXPECT_TRUE(files().ReadFile(short_path, &read)) << "the alias opens the file";
  EXPECT_EQ(read, "x");
  EXPECT_EQ(files().GetLongPathName(At("Long Folder Name\\gone.dat")), "") << "every part must exist";
  EXPECT_EQ(files().GetShortPathName(At("gone\\x.dat")), "");
}

TEST_F(FilesContract, IdentityIsTheFileNotItsSpelling) {
  ASSERT_TRUE(files().CreateFolder(At("Long Folder Name")));
  ASSERT_TRUE(files().WriteFile(At("Long Folder Name\\a.dat"), "a"));
  ASSERT_TRUE(files().WriteFile(At("b.dat"), "b"));
  platform::FileIdentity a, again, b, folder, folder_short;
  ASSERT_TRUE(files().GetFileIdentity(At("Long Folder Name\\a.dat"), &a));
  ASSERT_TRUE(files().GetFileIdentity(files().GetShortPathName(At("Long Folder Name")) + "\\.\\A.DAT", &again));
  EXPECT_EQ(a, again);
  ASSERT_TRUE(files().GetFileIdentity(At("b.dat"), &b));
  EXPECT_NE(a, b);
  ASSERT_TRUE(files().GetFileIdentity(At("Long Folder Name"), &folder)) << "a folder opens too";
  ASSERT_TRUE(files().GetFileIdentity(files().GetShortPathName(At("Long Folder Name")), &folder_short));
  EXPECT_EQ(folder, folder_short);
  EXPECT_NE(folder, a);
  EXPECT_FALSE(files().GetFileIdentity(At("none.dat"), &b));
}

TEST_F(FilesContract, TheFinalPathIsTheLongPathOfWhatOpens) {
  ASSERT_TRUE(files().CreateFolder(At("Long Folder Name")));
  ASSERT_TRUE(files().WriteFile(At("Long Folder Name\\a.dat"), "a"));
  const std::string long_path = files().GetLongPathName(At("Long Folder Name\\a.dat"));
  const std::string final_path = files().GetFinalPathName(At("Long Folder Name\\a.dat"));
  if (final_path.empty()) GTEST_SKIP() << "the system cannot tell final paths";
  EXPECT_TRUE(SameTextIgnoringCase(final_path, long_path)) << final_path;
  EXPECT_TRUE(SameTextIgnoringCase(files().GetFinalPathName(files().GetShortPathName(long_path)), long_path));
  EXPECT_TRUE(SameTextIgnoringCase(files().GetFinalPathName(At("Long Folder Name")), At("Long Folder Name")))
      << "a folder opens too";
  EXPECT_EQ(files().GetFinalPathName(At("none.dat")), "");
}

TEST_F(FilesContract, ALinkIsAReparsePointThatOpensItsTarget) {
  const ContractLinks links = MakeContractLinks(*machine_);
  if (links.folder.empty()) GTEST_SKIP() << "this machine has no links";
  const std::string system = machine_->system().GetSystemDirectory();
  const auto folder = files().GetFileAttributes(links.folder);
  ASSERT_TRUE(folder.has_value());
  EXPECT_NE(*folder & platform::kAttributeReparsePoint, 0u);
  EXPECT_NE(*folder & platform::kAttributeDirectory, 0u);
  EXPECT_EQ(*files().GetFileAttributes(system) & platform::kAttributeReparsePoint, 0u);
  platform::FileIdentity through, target;
  ASSERT_TRUE(files().GetFileIdentity(links.folder, &through));
  ASSERT_TRUE(files().GetFileIdentity(system, &target));
  EXPECT_EQ(through, target) << "a folder link opens its folder";
  if (!links.file.empty()) {
    const auto file = files().GetFileAttributes(links.file);
    ASSERT_TRUE(file.has_value());
    EXPECT_NE(*file & platform::kAttributeReparsePoint, 0u);
    EXPECT_EQ(*file & platform::kAttributeDirectory, 0u);
    ASSERT_TRUE(files().GetFileIdentity(links.file, &through));
    ASSERT_TRUE(files().GetFileIdentity(system + "\\kernel32.dll", &target));
    EXPECT_EQ(through, target) << "a file link opens its file";
  }
  const std::string final_path = files().GetFinalPathName(links.folder + "\\kernel32.dll");
  if (!final_path.empty()) {
    EXPECT_TRUE(SameTextIgnoringCase(final_path, files().GetLongPathName(system + "\\kernel32.dll"))) << final_path;
  }
  EXPECT_TRUE(files().FileExists(links.folder + "\\kernel32.dll")) << "paths go through a link";
  EXPECT_FALSE(files().List(links.folder + "\\kernel32.dll").empty());
  EXPECT_TRUE(SameTextIgnoringCase(files().GetLongPathName(links.folder + "\\kernel32.dll"),
                                   links.folder + "\\kernel32.dll"))
      << "a link keeps its own name";
}

}  // namespace
}  // namespace ks::test
