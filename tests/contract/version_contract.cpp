// The version resource calls, one row per case, against the fake and, under
// Wine, against version.dll with the stand-in DLLs.
#include <gtest/gtest.h>

#include <optional>

#include "contract/contract.h"
#include "contract/standins.h"
#include "shell/detection.h"
#include "shell/se_state.h"

namespace ks::test {
namespace {

class VersionContract : public ::testing::Test {
 protected:
  void SetUp() override {
    machine_ = MakeContractMachine();
    InstallStandIns(*machine_);
    system_ = machine_->system().GetSystemDirectory();
  }
  // The entry's text up to its first NUL, or nullopt when the query fails.
  std::optional<std::string> Query(const std::string& dll, const std::string& sub_block) {
    platform::VersionInfo& ver = machine_->version();
    std::string path = system_ + "\\" + dll;
    std::uint32_t size = ver.GetFileVersionInfoSize(path);
    EXPECT_GT(size, 0u) << path;
    std::string block;
    EXPECT_TRUE(ver.GetFileVersionInfo(path, size, &block));
    std::string value;
    if (!ver.VerQueryValue(block, sub_block, &value)) return std::nullopt;
    return value.substr(0, value.find('\0'));
  }
  std::unique_ptr<platform::Platform> machine_;
  std::string system_;
};

TEST_F(VersionContract, QueryTable) {
  struct Case {
    const char* name;
    const char* dll;
    const char* sub_block;
    std::optional<std::string> expected;
  };
  const Case cases[] = {
      {"translation", "nv4_disp.dll", "\\VarFileInfo\\Translation", std::string("\x09\x04\xB0\x04", 4)},
      {"file version", "nv4_disp.dll", "\\StringFileInfo\\040904B0\\FileVersion", "6.14.10.9371"},
      {"names ignore case", "nv4_disp.dll", "\\stringfileinfo\\040904b0\\fileversion", "6.14.10.9371"},
      {"other table", "nv4_disp.dll", "\\StringFileInfo\\040704E4\\FileVersion", std::nullopt},
      {"vista driver", "nvd3dum.dll", "\\StringFileInfo\\040904B0\\FileVersion", "7.15.11.7519"},
      {"no translation", "ks_notrans.dll", "\\VarFileInfo\\Translation", std::nullopt},
      {"strings without translation", "ks_notrans.dll", "\\StringFileInfo\\040904B0\\FileVersion", "6.14.10.7701"},
      {"no file version", "ks_nofilever.dll", "\\StringFileInfo\\040904B0\\FileVersion", std::nullopt},
      {"other string kept", "ks_nofilever.dll", "\\StringFileInfo\\040904B0\\ProductVersion", "6.14.10.7701"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Query(c.dll, c.sub_block), c.expected);
  }
}

TEST_F(VersionContract, MissingFileHasNoResource) {
  std::string block = "untouched";
  EXPECT_EQ(machine_->version().GetFileVersionInfoSize(system_ + "\\ks_no_such.dll"), 0u);
  EXPECT_FALSE(machine_->version().GetFileVersionInfo(system_ + "\\ks_no_such.dll", 100, &block));
  EXPECT_EQ(block, "untouched");
}

TEST_F(VersionContract, SystemDllVersionText) {
  struct Case {
    const char* dll;
    std::optional<std::string> expected;
  };
  const Case cases[] = {
      {"\\nv4_disp.dll", "6.14.10.9371"},
      {"\\NvCpl.dll", "6.14.10.9371"},
      {"\\ks_oldnv.dll", "6.14.10.2280"},
      {"\\ks_notrans.dll", ""},
      {"\\ks_nofilever.dll", ""},
      {"\\ks_no_such.dll", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dll);
    SeState s(*machine_);
    EXPECT_EQ(ReadSystemDllVersion(s, c.dll), c.expected);
  }
}

}  // namespace
}  // namespace ks::test
