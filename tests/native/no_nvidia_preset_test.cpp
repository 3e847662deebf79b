// A preset on a machine without an NVIDIA display device, on every OS
// class, with and without the NVIDIA driver's library, applied from the
// profile manager, from the command line and from the tray launcher: where
// the setting writers are off it changes nothing in HKEY_LOCAL_MACHINE and
// says so once; where they stay on it applies as on any other machine.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "native/fixtures/machines.h"
#include "native/registry_snapshot.h"
#include "native/writer_rig.h"
#include "platform/names.h"
#include "shell/Form1.h"
#include "shell/satellite_forms.h"
#include "tools/Form6.h"
#include "tools/presets.h"
#include "tray/Form1.h"
#include "tray/travo_state.h"

namespace ks::test {
namespace {

const std::string kInstance = "{11111111-2222-3333-4444-555555555555}\\0000";
const std::string kPresetName = "other vendor";
const std::string kGame = "C:\\Games\\game.exe";

// The preset: clear all, prerender 7, clocks for any card, then a program.
std::string PresetFile() {
  std::string out;
  for (const char* item : {"ksp", "999", "1", "0", "D3D_98764205", "7", "Clock speed", "400,550", "App to run",
                           "C:\\Games", "C:\\Games\\game.exe"})
    AddPresetItem(out, item);
  return out;
}

struct Where {
  const char* name;
  OsKind os;
  bool driver_library;  // the NVIDIA driver's DLL is in the system folder
  // The driver key start-up takes without an NVIDIA device: the first
  // display device's (9x/Me, XP, Vista) or the NVIDIA service's (NT 4, 2000).
  const char* driver_key;
  bool applies;  // the setting writers are on, so the preset applies
};
const std::string kVideoKey = "SYSTEM\\CurrentControlSet\\Control\\Video\\" + kInstance;
const char* const k9xKey = "System\\CurrentControlSet\\Services\\Class\\Display\\0000";
const char* const kNvServiceKey = "SYSTEM\\CurrentControlSet\\Services\\nv4\\Device0";
// The rows with the driver's library and the NT 4 and 2000 rows without it
// are the cases the writers' guard spares (under Wine, with its stand-in
// drivers, the driver library stands beside an adapter the system does not
// name as NVIDIA's): there the preset applies.
const Where kMachines[] = {
    {"Windows 98, no NVIDIA driver", OsKind::kWin98, false, k9xKey, false},
    {"Windows 98, NVIDIA driver library", OsKind::kWin98, true, k9xKey, true},
    {"NT 4, no NVIDIA driver", OsKind::kNt4, false, kNvServiceKey, true},
    {"NT 4, NVIDIA driver library", OsKind::kNt4, true, kNvServiceKey, true},
    {"Windows 2000, no NVIDIA driver", OsKind::kWin2000, false, kNvServiceKey, true},
    {"Windows 2000, NVIDIA driver library", OsKind::kWin2000, true, kNvServiceKey, true},
    {"XP, no NVIDIA driver", OsKind::kXp, false, kVideoKey.c_str(), false},
    {"XP, NVIDIA driver library", OsKind::kXp, true, kVideoKey.c_str(), true},
    {"Vista, no NVIDIA driver", OsKind::kVista, false, kVideoKey.c_str(), false},
    {"Vista, NVIDIA driver library", OsKind::kVista, true, kVideoKey.c_str(), true},
};

bool Is9x(const Where& where) { return where.os == OsKind::kWin98; }

// Where the Direct3D values of the preset and the database lie.
std::string Direct3DKey(const Where& where) {
  return "HKLM\\" + std::string(where.driver_key) + (Is9x(where) ? "\\NVidia\\Direct3D" : "");
}

// Another vendor's adapter and no NVIDIA one. The driver key holds two
// Direct3D values the value database lists: the preset's clear-all flag
// deletes them, its prerender value writes one of them again.
std::unique_ptr<fake::FakeMachine> MachineFor(const Where& where) {
  MachineSpec spec = DefaultSpec(where.os);
  spec.cards.clear();
  if (!where.driver_library) spec.driver_version = "";
  if (where.os != OsKind::kNt4) {
    platform::DisplayDevice other;
    other.device_name = "\\\\.\\DISPLAY1";
    other.device_string = "Radeon";
    other.device_id = "PCI\\VEN_1002&DEV_4E48&SUBSYS_00021002&REV_00";
    other.device_key = Is9x(where) ? std::string(k9xKey) : "\\Registry\\Machine\\" + kVideoKey;
    spec.other_devices = {other};
  }
  auto m = BuildMachine(spec);
  InstallChipData(*m);
  if (where.os == OsKind::kXp || where.os == OsKind::kVista)
    m->reg.PutString("HKLM\\HARDWARE\\DEVICEMAP\\VIDEO", "\\Device\\Video0", "\\Registry\\Machine\\" + kVideoKey);
  if (where.os != OsKind::kNt4)
    m->reg.PutString("HKLM\\" + std::string(Is9x(where) ? k9xKey : kVideoKey.c_str()),
                     Is9x(where) ? "DriverDesc" : "Device Description", "Radeon");
  m->reg.Put(Direct3DKey(where), "D3D_98764205", platform::kRegBinary, FourBytes(3));
  m->reg.Put(Direct3DKey(where), "D3D_55555555", platform::kRegBinary, FourBytes(1));
  const std::string data = m->fs.ProgramFolder() + "\\DATA\\";
  m->fs.AddFile(data + "Database\\0000d3d.dat", "\"D3D_D3D_98764205\",\"?\",\"x\"\r\n\"D3D_D3D_55555555\",\"?\",\"x\"\r\n");
  m->fs.AddFile(data + "Database\\0000ogl.dat", "\"OGL_FSAA\",\"?\",\"x\"\r\n");
  m->fs.AddFile(data + "Presets\\" + kPresetName + ".ksp", PresetFile());
  m->fs.AddFile(m->fs.ProgramFolder() + "\\kestrelanese.exe", "MZ");
  m->fs.AddFile(kGame, "MZ");
  return m;
}

// One run of KestrelaneSE: start-up with the command line, then `then`
// with the main window still loaded.
struct Program {
  Program(fake::FakeMachine& machine, const std::string& command_line) : s(machine), form(s) {
    MarkLanguage(s);
    s.app.Title = "KestrelaneSE";
    form.CommandLine = command_line;
    form.Load();
  }
  SeState s;
  Form1 form;
};

std::string PresetPath(fake::FakeMachine& m) {
  return m.fs.ProgramFolder() + kPresetFolder + kPresetName + ".ksp";
}

// The roads give the driver key start-up found.
std::string FromTheProfileManager(fake::FakeMachine& m) {
  Program p(m, "");
  p.form.Toolbar1.UserClickMenu("nvcpl", "pedit");
  Form6& manager = p.form.form6();
  EXPECT_TRUE(manager.Visible());
  for (int i = 0; i < manager.Combo4.ListCount(); ++i)
    if (manager.Combo4.List(i) == kPresetName) manager.Combo4.UserPick(i);
  return p.s.DriverKey;
}

std::string OnTheCommandLine(fake::FakeMachine& m) { return Program(m, PresetPath(m)).s.DriverKey; }

// The tray launcher starts KestrelaneSE with the preset; its command line
// is what the main program is given.
std::string FromTheTrayLauncher(fake::FakeMachine& m) {
  std::string command_line;
  {
    travo::TravoState travo(m);
    travo::Form1 presets(travo);
    presets.Show();
    for (int i = 0; i < presets.List1.ListCount(); ++i)
      if (presets.List1.List(i) == kPresetName) presets.List1.UserPick(i);
    presets.Command1[0].UserClick();
    if (m.proc.started().empty()) return "";
    command_line = m.proc.started().back().command_line;
  }
  return Program(m, PresetPathFromCommandLine(command_line, m.fs.ProgramPath())).s.DriverKey;
}

struct Road {
  const char* name;
  std::string (*run)(fake::FakeMachine&);
};
const Road kRoads[] = {
    {"profile manager", FromTheProfileManager},
    {"command line", OnTheCommandLine},
    {"tray launcher", FromTheTrayLauncher},
};

std::vector<std::string> Messages(const fake::FakeMachine& m) {
  std::vector<std::string> texts;
  for (const auto& shown : m.msg.shown()) texts.push_back(shown.text);
  return texts;
}

// The programs started after the first `from` ones, by path.
std::vector<std::string> StartedFrom(const fake::FakeMachine& m, size_t from) {
  std::vector<std::string> programs;
  for (size_t i = from; i < m.proc.started().size(); ++i) programs.push_back(m.proc.started()[i].program);
  return programs;
}

// Regression: where the pages and the wizard wrote nothing (no NVIDIA
// adapter, no NVIDIA driver), a preset still deleted and wrote its values
// in the other vendor's driver key.
TEST(NoNvidiaDriver, APresetChangesNothingWhereTheWritersAreOff) {
  for (const Road& road : kRoads) {
    for (const Where& where : kMachines) {
      const std::string row = std::string(road.name) + ", " + where.name;
      auto plain = MachineFor(where);
      Program{*plain, ""};
      const std::vector<std::string> plain_messages = Messages(*plain);
      auto taken = MachineFor(where);
      const std::string driver_key = road.run(*taken);
      EXPECT_TRUE(SameTextIgnoringCase(driver_key, where.driver_key)) << row << ": " << driver_key;

      std::vector<std::string> changed;
      std::vector<std::string> messages = plain_messages;
      if (where.applies) {
        changed = {"- " + Direct3DKey(where) + "|D3D_55555555 (was 3:" + Hex(FourBytes(1)) + ")",
                   "~ " + Direct3DKey(where) + "|D3D_98764205: 3:" + Hex(FourBytes(3)) + " -> 3:" +
                       Hex(FourBytes(7))};
      } else {
        messages.push_back(kNoNvidiaDriver);
      }
      EXPECT_EQ(Differences(TakeMachine(*plain), TakeMachine(*taken)), changed) << row;
      EXPECT_EQ(Messages(*taken), messages) << row;
      // The program starts as it does for another card's preset; no clock
      // loader is started where the writers are off.
      std::vector<std::string> started = StartedFrom(*taken, 0);
      if (road.run == FromTheTrayLauncher && !started.empty()) started.erase(started.begin());
      if (where.applies) {
        ASSERT_FALSE(started.empty()) << row;
        EXPECT_EQ(started.back(), kGame) << row;
      } else {
        EXPECT_EQ(started, std::vector<std::string>{kGame}) << row;
      }
    }
  }
}

}  // namespace
}  // namespace ks::test
