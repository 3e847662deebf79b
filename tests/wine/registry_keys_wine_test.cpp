// The real registry service keeps the keys it opened; a key that another
// program deletes (and perhaps makes again) meanwhile is read and written
// as if it had been opened just now.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "common/basRegistry.h"
#include "platform/win32/registry.h"

#include <windows.h>

namespace ks {
namespace {

class KeptKeys : public ::testing::Test {
 protected:
  void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str()); }

  // What another program does: the key goes, perhaps with a new value in a
  // key made afresh.
  void DeleteBehindItsBack() { ASSERT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str()), ERROR_SUCCESS); }
  void MakeAgainWith(const std::string& name, DWORD value) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, path_.c_str(), &key), ERROR_SUCCESS);
    RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
    RegCloseKey(key);
  }
  DWORD ReadRaw(const std::string& name) {
    DWORD value = 0, size = sizeof(value);
    if (RegGetValueA(HKEY_CURRENT_USER, path_.c_str(), name.c_str(), RRF_RT_REG_DWORD, nullptr, &value, &size) !=
        ERROR_SUCCESS)
      return 0xFFFFFFFF;
    return value;
  }

  const std::string path_ = "Software\\KestrelaneTest\\kept" +
                            std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
  win32::Win32Registry registry_;
  BasRegistry module_{registry_};
};

TEST_F(KeptKeys, AKeyDeletedMeanwhileIsReadAndWrittenAfresh) {
  module_.WriteRegDword(kHkeyCurrentUser, path_, "Old", 1);
  ASSERT_EQ(module_.ReadRegValue(kHkeyCurrentUser, path_, "Old").NumberOr(0), 1);

  DeleteBehindItsBack();
  MakeAgainWith("New", 2);
  EXPECT_EQ(module_.ReadRegValue(kHkeyCurrentUser, path_, "New").NumberOr(0), 2);
  EXPECT_TRUE(module_.ReadRegValue(kHkeyCurrentUser, path_, "Old").IsEmpty());

  DeleteBehindItsBack();
  module_.WriteRegDword(kHkeyCurrentUser, path_, "Written", 3);
  EXPECT_EQ(ReadRaw("Written"), 3u) << "the write makes the key again";

  DeleteBehindItsBack();
  EXPECT_TRUE(module_.ReadRegValue(kHkeyCurrentUser, path_, "Written").IsEmpty());
  module_.DeleteRegValue(kHkeyCurrentUser, path_, "Written");
  EXPECT_EQ(ReadRaw("Written"), 0xFFFFFFFFu) << "deleting a value does not make the key again";
}

TEST_F(KeptKeys, DeletingATreeLetsGoOfTheKeysBelowIt) {
  const std::string below = path_ + "\\Below";
  module_.WriteRegDword(kHkeyCurrentUser, below, "Value", 5);
  ASSERT_EQ(registry_.DeleteTree(platform::kHkeyCurrentUser, path_), ERROR_SUCCESS);
  EXPECT_FALSE(module_.RegKeyExists(kHkeyCurrentUser, below));
  module_.WriteRegDword(kHkeyCurrentUser, below, "Value", 6);
  EXPECT_EQ(module_.ReadRegValue(kHkeyCurrentUser, below, "Value").NumberOr(0), 6);
}

}  // namespace
}  // namespace ks
