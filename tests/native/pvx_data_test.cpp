// The cleaner profiles and list files the installation ships: each passes
// the profile check, its list files exist, and every item of them is found
// where the profile looks.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cleaner/search.h"
#include "common/datafile.h"
#include "native/pvx_rig.h"

namespace ks {
namespace {

std::vector<std::string> ShippedProfiles() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(std::string(KS_DATA_DIR) + "/cleaner"))
    if (entry.path().extension() == ".pvx") names.push_back(entry.path().filename().string());
  return names;
}

TEST(ShippedCleanerProfiles, PassTheCheckAndFindEveryListedFile) {
  const auto profiles = ShippedProfiles();
  ASSERT_GE(profiles.size(), 3u);
  for (const std::string& name : profiles) {
    SCOPED_TRACE(name);
    const CleanerProfile p = ParseCleanerProfile(test::ReadRepoData("cleaner/" + name));
    // Each generation's system folder: SYSTEM32 on the NT family, SYSTEM on 9x.
    const bool nine_x = name.find("98") != std::string::npos;
    const RootFolders roots = MakeRootFolders("C:\\WINDOWS", nine_x ? "" : "Windows_NT");
    EXPECT_EQ(ProfileFault(p, roots), "");
    EXPECT_EQ(p.ProfileDescription.front(), ' ') << "the description follows the welcome text";
    for (const auto& [kind, spec] : {std::pair{p.GroupKind1, p.GroupSpec1}, std::pair{p.GroupKind2, p.GroupSpec2}}) {
      if (kind.empty()) continue;
      const auto search = ParseGroup(roots, kind, spec);
      ASSERT_TRUE(search.has_value());
      if (search->kind != GroupKind::kList) continue;
      const std::string list = test::ReadRepoData("cleaner/" + search->list_file);
      ASSERT_FALSE(list.empty()) << search->list_file;
      // Every item, made present on a machine, is found.
      test::PvxRig rig;
      rig.m.fs.AddFile(test::kPvxFolder + "\\DATA\\CLEANER\\" + search->list_file, list);
      const auto items = ReadAllFields(list);
      for (const std::string& item : items) rig.m.fs.AddFile(search->folder + "\\" + item, "x");
      EXPECT_EQ(FindGroupFiles(rig.m.fs, *search).size(), items.size()) << search->list_file;
    }
  }
}

TEST(ShippedCleanerProfiles, TheEnglishManualIsThere) {
  std::ifstream manual(std::string(KS_DATA_DIR) + "/../manual/en_PVX_manual.htm");
  ASSERT_TRUE(manual.good());
  const std::string text((std::istreambuf_iterator<char>(manual)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("PVX - Driver cleaner utility"), std::string::npos);
  EXPECT_EQ(test::ReadRepoData("cleaner/pvx.bmp").substr(0, 2), "BM") << "the picture of the main window";
}

}  // namespace
}  // namespace ks
