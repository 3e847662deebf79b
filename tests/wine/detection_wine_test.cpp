// Detection on the real Windows API under Wine: the stand-in driver DLLs,
// Wine's own Direct3D runtime and display device, and GetVersionExA with
// the prefix's Windows version set per process.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

#include "contract/standins.h"
#include "shell/Form1.h"
#include "shell/Module1.h"
#include "shell/detection.h"
#include "common/numbers.h"
#include "wine/wine_machine.h"

namespace ks::test {
namespace {

class WineDetection : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallStandIns(machine_);
    system_ = machine_.system().GetSystemDirectory();
    s_.app.Title = "KestrelaneSE";
  }
  void TearDown() override { InstallStandIns(machine_); }  // the plain stand-ins back in place
  // Puts stand-in `name` in place of the driver DLL `dll`.
  void UseAsDriver(const std::string& name, const std::string& dll) {
    std::string from = machine_.files().ProgramFolder() + "\\standins\\" + name + ".dll";
    ASSERT_TRUE(machine_.files().CopyFile(from, system_ + dll));
  }
  WineMachine machine_;
  std::string system_;
  SeState s_{machine_};
  Form1 form_{s_};
};

TEST_F(WineDetection, DriverVersionFromStandIns) {
  struct Case {
    const char* name;
    const char* standin;
    std::int16_t os_class;
    const char* dll;
    std::int32_t build;
    const char* label;
    bool warns;
  };
  const Case cases[] = {
      {"XP driver", "nv4_disp", 3, "\\nv4_disp.dll", 9371, "6.14.10.9371", false},
      {"old driver warns", "ks_oldnv", 3, "\\nv4_disp.dll", 2280, "6.14.10.2280", true},
      {"no Translation: no number", "ks_notrans", 3, "\\nv4_disp.dll", 0, "", true},
      {"no FileVersion: no number", "ks_nofilever", 3, "\\nv4_disp.dll", 0, "", true},
      {"Vista driver", "nvd3dum", 4, "\\nvd3dum.dll", 7519, "7.15.11.7519", false},
      {"9x control panel, old build, no warning", "ks_oldnv", 0, "\\NvCpl.dll", 2280, "6.14.10.2280", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    UseAsDriver(c.standin, c.dll);
    s_.OsClass = c.os_class;
    s_.DriverBuild = 0;
    machine_.msg.shown.clear();
    form_.ReadDriverVersion();
    EXPECT_EQ(s_.DriverBuild, c.build);
    EXPECT_EQ(form_.Label2[1].Caption(), c.label);
    ASSERT_EQ(machine_.msg.shown.size(), c.warns ? 1u : 0u);
    if (c.warns) {
      EXPECT_EQ(machine_.msg.shown[0], "This driver is not supported under WinXP/2k.|KestrelaneSE");
    }
  }
}

TEST_F(WineDetection, MissingDriverDllChangesNothing) {
  s_.OsClass = 3;
  ASSERT_TRUE(machine_.files().DeleteFile(system_ + "\\nv4_disp.dll"));
  form_.ReadDriverVersion();
  EXPECT_EQ(s_.DriverBuild, 0);
  EXPECT_EQ(form_.Label2[1].Caption(), "Display driver version:");
  EXPECT_TRUE(machine_.msg.shown.empty());
}

TEST_F(WineDetection, WinesOwnDirect3DRuntime) {
  s_.OsClass = 3;
  std::optional<std::string> text = ReadSystemDllVersion(s_, "\\d3d9.dll");
  ASSERT_TRUE(text.has_value()) << "Wine's d3d9.dll carries a version resource";
  ASSERT_FALSE(text->empty());
  GetD3DRuntimeBuild(s_);
  std::optional<std::int32_t> build = BuildFromVersionText(*text, true);
  ASSERT_TRUE(build.has_value()) << *text;
  EXPECT_GT(*build, 0);
  EXPECT_EQ(s_.D3DRuntimeBuild, *build) << *text;
}

TEST_F(WineDetection, WinesDisplayDeviceKeepsTheDriverKey) {
  platform::DisplayDevice first;
  ASSERT_TRUE(machine_.display().EnumDisplayDevices(0, &first)) << "Wine has EnumDisplayDevicesA and a display";
  std::string id = Trim(first.device_id);
  ASSERT_FALSE(id.size() >= 12 && id.compare(8, 4, "10DE") == 0) << id;
  s_.OsClass = 3;
  s_.DriverKey = "SYSTEM\\CurrentControlSet\\Control\\Video\\{00000000-0000-0000-0000-000000000000}\\0000";
  form_.FindDriverKey();
  std::string chosen = s_.DriverKey;
  FindNvidiaDevices(s_);
  EXPECT_EQ(s_.AdapterCount, 0);
  EXPECT_EQ(s_.DriverKey, chosen);
  EXPECT_FALSE(s_.DriverKey.empty());
  EXPECT_EQ(s_.DeviceId, "");
  std::cout << "[ display ] " << id << " | " << first.device_key << " | DriverKey " << s_.DriverKey << "\n";
}

TEST_F(WineDetection, PageFourShowsTheMachine) {
  form_.ShowOsAndDirectXVersion();
  form_.FindDriverKey();
  form_.ShowCardName();
  form_.ReadDriverVersion();
  FindNvidiaDevices(s_);
  form_.ShowCardName();
  form_.ShowSystemInfo();
  const char* design[] = {"VGA Device:", "Display driver version:", "OS version:", "DirectX version:", "CPU:",
                          "Real CPU speed:", "Total physics memory:"};
  for (int i = 0; i <= 6; ++i) {
    EXPECT_NE(form_.Label2[i].Caption(), design[i]) << "Label2(" << i << ") = " << form_.Label2[i].Caption();
  }
  // The prefix's own Windows version picks the driver DLL.
  EXPECT_EQ(form_.Label2[1].Caption(), s_.OsClass == 4 ? "7.15.11.7519" : "6.14.10.9371");
  EXPECT_GT(TextToInt32(form_.GetMemInfo()).value_or(0), 0);
  EXPECT_GT(form_.Mhz, 0);
  EXPECT_EQ(s_.CpuMhz, form_.Mhz);
  EXPECT_TRUE(machine_.msg.shown.empty());
  std::cout << "[ page 4  ]";
  for (int i = 0; i <= 10; ++i) std::cout << " | " << form_.Label2[i].Caption();
  std::cout << "\n";
}

// GetVersionExA as the prefix's Windows version makes it: Wine reads the
// version when a process starts, so a probe process runs per setting.
class WineVersionProbe : public ::testing::Test {
 protected:
  static constexpr const char* kAppKey = "Software\\Wine\\AppDefaults\\ks_os_probe.exe";
  void SetUp() override { InstallStandIns(machine_); }
  void TearDown() override { machine_.real.reg.DeleteTree(platform::kHkeyCurrentUser, kAppKey); }

  std::map<std::string, std::string> Probe(const std::string& wine_version) {
    platform::ScopedRegKey key(machine_.real.reg);
    EXPECT_EQ(machine_.real.reg.CreateKey(platform::kHkeyCurrentUser, kAppKey, key.Receive()), 0);
    EXPECT_EQ(machine_.real.reg.SetValue(key.get(), "Version", platform::kRegSz, wine_version + '\0'), 0);
    key.Reset();
    std::string folder = machine_.files().ProgramFolder();
    std::string out = machine_.files().TempFolder() + "\\ks_os_probe_" + wine_version + ".txt";
    machine_.files().DeleteFile(out);
    std::string command = "\"\"" + folder + "\\ks_os_probe.exe\" \"" + out + "\"\"";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    std::string bytes;
    EXPECT_TRUE(machine_.files().ReadFile(out, &bytes)) << out;
    std::map<std::string, std::string> found;
    std::istringstream lines(bytes);
    for (std::string line; std::getline(lines, line);) {
      size_t eq = line.find('=');
      if (eq != std::string::npos) found[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return found;
  }
  WineMachine machine_;
};

TEST_F(WineVersionProbe, WindowsXpAndSeven) {
  struct Case {
    const char* wine_version;
    const char* os_class;
    const char* os_label;  // the start of Label2(2)
    const char* driver_build;
  };
  const Case cases[] = {
      {"winxp", "3", "Windows XP ", "9371"},
      {"win7", "4", "Windows Vista", "7519"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.wine_version);
    std::map<std::string, std::string> found = Probe(c.wine_version);
    EXPECT_EQ(found["OsClass"], c.os_class);
    EXPECT_EQ(found["Label2(2)"].substr(0, std::string(c.os_label).size()), c.os_label) << found["Label2(2)"];
    EXPECT_EQ(found["DriverBuild"], c.driver_build);
    EXPECT_FALSE(found["DriverKey"].empty());
    EXPECT_NE(found["D3DRuntimeBuild"], "0") << "Wine ships d3d9.dll and d3d10.dll";
  }
}

}  // namespace
}  // namespace ks::test
