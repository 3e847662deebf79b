// Presets on the fake machine: the bytes SavePreset writes, what LoadIt
// applies, the preset list, the autostart value, the application picker
// and the preset path of the command line.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "native/clock_rig.h"
#include "native/device_names.h"
#include "native/fixtures/machines.h"
#include "native/repo_data.h"
#include "platform/fake/machine.h"
#include "platform/names.h"
#include "shell/Form1.h"
#include "shell/satellite_forms.h"
#include "engine/d3d.h"
#include "engine/ogl.h"
#include "tools/Form3.h"
#include "tools/Form6.h"
#include "tools/Form7.h"
#include "tools/presets.h"

namespace ks {
namespace {

constexpr const char* kDk = "SYSTEM\\DK";
const std::string kFolder = "C:\\Program Files\\Kestrelane";
const std::string kDb = kFolder + "\\DATA\\Database\\";
const std::string kPresets = kFolder + "\\DATA\\Presets\\";

std::string Items(std::initializer_list<const char*> items) {
  std::string out;
  for (const char* item : items) AddPresetItem(out, item);
  return out;
}

std::string Bytes(std::uint32_t v) {
  std::string b;
  for (int i = 0; i < 4; ++i) b += static_cast<char>((v >> (8 * i)) & 0xFF);
  return b;
}

struct Rig {
  fake::FakeMachine m;
  SeState s{m};
  Form6 f{s};
  Form7 picker{s};
  int refreshed = 0;
  Rig(std::int16_t os = 3, std::int32_t build = 9371) {
    test::MarkLanguage(s);
    s.OsClass = os;
    s.DriverBuild = build;
    s.DriverKey = kDk;
    s.DeviceId = "0322";
    f.RefreshPages = [this] { ++refreshed; };
    f.SetPicker(&picker);
    picker.SetOwner(&f);
    m.fs.AddFolder(kPresets);
    m.fs.AddFile(kDb + "0000d3d.dat", "\"D3D_D3D_AAA1\",\"a\",\"x\"\r\n\"D3D_D3d_BBB2\",\"b\",\"x\"\r\n");
    m.fs.AddFile(kDb + "0000ogl.dat", "\"OGL_FSAA\",\"f\",\"x\"\r\n\"OGL_TEXS\",\"t\",\"x\"\r\n");
  }
  std::string Hk(const std::string& key) { return "HKLM\\" + key; }
  std::vector<std::string> Messages() {
    std::vector<std::string> texts;
    for (const auto& shown : m.msg.shown()) texts.push_back(shown.text);
    return texts;
  }
  std::string Saved(const std::string& name) { return m.fs.Contents(kPresets + name + ".ksp"); }
  void Save(const std::string& name) {
    f.Load();
    f.Text1.SetText(name);
    f.Command3.UserClick();
  }
  void Apply(const std::string& bytes) {
    m.fs.AddFile(kPresets + "p.ksp", bytes);
    f.Load();
    f.Text1.SetText(kPresets + "p.ksp");
    f.LoadIt();
  }
};

TEST(SavePreset, ExactBytes) {
  struct Case {
    const char* name;
    std::int16_t os;
    std::int32_t build;
    std::function<void(Rig&)> setup;
    std::string expected;
  };
  const std::string dk = kDk;
  const Case cases[] = {
      {"XP, build 2961: Direct3D names lose four characters", 3, 2961,
       [&](Rig& r) {
         r.m.reg.Put(r.Hk(dk), "D3D_AAA1", 3, Bytes(0xFFFFFFFF));
         r.m.reg.PutDword(r.Hk(dk), "OGL_FSAA", 2);
       },
       Items({"ksp", "0322", "0", "0", "D3D_AAA1", "-1", "OGL_FSAA", "2"})},
      // Regression: up to build 2960 the NT family kept the database's
      // names whole and asked the registry for names no driver value has,
      // so the preset held no Direct3D value at all.
      {"XP, build 2960: Direct3D names lose four characters too", 3, 2960,
       [&](Rig& r) {
         r.m.reg.Put(r.Hk(dk), "D3D_D3D_AAA1", 3, Bytes(7));
         r.m.reg.Put(r.Hk(dk), "D3D_AAA1", 3, Bytes(8));
       },
       Items({"ksp", "0322", "0", "0", "D3D_AAA1", "8"})},
      {"2000, build 2000: Direct3D names lose four characters, OpenGL names stay whole", 2, 2000,
       [&](Rig& r) {
         r.m.reg.PutDword(r.Hk(dk), "D3d_BBB2", 4);
         r.m.reg.PutDword(r.Hk(dk), "OGL_FSAA", 1);
         r.m.reg.PutDword(r.Hk(dk), "FSAA", 2);
       },
       Items({"ksp", "0322", "0", "0", "D3d_BBB2", "4", "OGL_FSAA", "1"})},
      {"98: both sections lose four characters", 0, 2960,
       [&](Rig& r) {
         r.m.reg.PutDword(r.Hk(dk + "\\NVidia\\Direct3D"), "D3d_BBB2", 5);
         r.m.reg.PutDword(r.Hk(dk + "\\NVidia\\OpenGL"), "TEXS", 1);
       },
       Items({"ksp", "0322", "0", "0", "D3d_BBB2", "5", "TEXS", "1"})},
      // A text value cannot be applied as a number: it is left out.
      {"text values are skipped", 3, 9371,
       [&](Rig& r) {
         r.m.reg.PutString(r.Hk(dk), "D3D_AAA1", "text");
         r.m.reg.PutString(r.Hk(dk), "OGL_FSAA", "7.5");
         r.m.reg.PutDword(r.Hk(dk), "D3d_BBB2", 3);
       },
       Items({"ksp", "0322", "0", "0", "D3d_BBB2", "3"})},
      // Regression: a text value holding a whole number was left out, and
      // "Delete all registry keys" then deleted it for good.
      {"text values that are whole numbers are kept", 3, 9371,
       [&](Rig& r) {
         r.m.reg.PutString(r.Hk(dk), "D3D_AAA1", "7");
         r.m.reg.PutString(r.Hk(dk), "OGL_FSAA", " -2147483648 ");
         r.m.reg.PutString(r.Hk(dk), "OGL_TEXS", "2147483648");
       },
       Items({"ksp", "0322", "0", "0", "D3D_AAA1", "7", "OGL_FSAA", "-2147483648"})},
      {"flags, clocks and program", 3, 9371,
       [](Rig& r) {
         r.f.Load();
         r.f.Check2.SetValue(1);
         r.f.Check5.SetValue(1);
         r.f.Check3.SetValue(1);
         r.f.Text4.SetText("400");
         r.f.Text5.SetText("550");
         r.f.Text3.SetText("C:\\Games");
         r.f.Text2.SetText("C:\\Games\\game.exe");
       },
       Items({"ksp", "0322", "1", "1", "Clock speed", "400,550", "App to run", "C:\\Games", "C:\\Games\\game.exe"})},
      {"a missing database leaves its section empty", 3, 9371,
       [&](Rig& r) {
         r.m.fs.DeleteFile(kDb + "0000d3d.dat");
         r.m.reg.PutDword(r.Hk(dk), "D3D_AAA1", 1);
         r.m.reg.PutDword(r.Hk(dk), "OGL_TEXS", 4);
       },
       Items({"ksp", "0322", "0", "0", "OGL_TEXS", "4"})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig r(c.os, c.build);
    c.setup(r);
    r.Save("fast");
    EXPECT_EQ(r.Saved("fast"), c.expected);
    EXPECT_EQ(r.Messages(), std::vector<std::string>{"<234>"});
    EXPECT_FALSE(r.f.Check3.Value());
    EXPECT_FALSE(r.f.Text4.Enabled());
    EXPECT_EQ(r.f.Text4.Text(), "<226>");
  }
}

TEST(SavePreset, EmptyNameAndReplacing) {
  Rig r;
  r.Save("");
  EXPECT_EQ(r.Saved(""), Items({"ksp", "0322", "0", "0"})) << "the empty name saves \".ksp\"";
  r.m.fs.AddFile(kPresets + "old.ksp", "something much longer than a new preset would be, to show no append");
  r.Save("old");
  EXPECT_EQ(r.Saved("old"), Items({"ksp", "0322", "0", "0"}));
  EXPECT_EQ(r.m.fs.List(kPresets + "*.*"), (std::vector<std::string>{".ksp", "old.ksp"})) << "no part file is left";
}

TEST(SavePreset, RefusedAndFailedSavesKeepTheOldPreset) {
  struct Case {
    std::string name;
    std::string profile;
    const char* core;
    const char* memory;
    bool fail_write;
    std::string message;
  };
  std::vector<Case> cases = {
      // Regression: "..\" in a name replaced files outside the presets folder.
      {"parent folder", "..\\..\\evil", "", "", false, kBadProfileName},
      {"two dots", "a..b", "", "", false, kBadProfileName},
      {"slash", "a/b", "", "", false, kBadProfileName},
      {"colon", "c:x", "", "", false, kBadProfileName},
      {"star", "a*", "", "", false, kBadProfileName},
      {"question mark", "a?", "", "", false, kBadProfileName},
      {"quote", "a\"b", "", "", false, kBadProfileName},
      {"angle brackets", "a<b>", "", "", false, kBadProfileName},
      {"bar", "a|b", "", "", false, kBadProfileName},
      {"clock with a comma", "old", "400,1", "550", false, kBadClockText},
      {"clock with a quote", "old", "400", "5\"50", false, kBadClockText},
      {"clock too large", "old", "40000", "550", false, kBadClockText},
      {"clock just too large", "old", "32768", "550", false, kBadClockText},
      {"clock just too small", "old", "400", "-32769", false, kBadClockText},
      // Windows drops a trailing dot or blank: the file would have another name.
      {"trailing dot", "fast.", "", "", false, kBadProfileName},
      {"trailing blank", "fast ", "", "", false, kBadProfileName},
      {"blanks alone", "  ", "", "", false, kBadProfileName},
      {"control character", "fa\tst", "", "", false, kBadProfileName},
      {"clock not whole", "old", "400.5", "550", false, kBadClockText},
      {"clock empty", "old", "", "550", false, kBadClockText},
      // Regression: the old preset was deleted before the new one was
      // written, and success was reported whatever happened.
      {"write fails halfway", "old", nullptr, nullptr, true, "Error: Path/File access error 75"},
      // Regression: the clock boxes were reset before the file was written,
      // so a failed save lost the clocks typed into them.
      {"write fails halfway with clocks typed", "old", "400", "550", true, "Error: Path/File access error 75"},
  };
  // Regression: a device name ("NUL", "COM1") saved into the device.
  for (const char* device : test::kDeviceNames)
    cases.push_back({std::string("device name ") + device, device, "", "", false, kBadProfileName});
  const std::string old_preset = Items({"ksp", "0322", "0", "0", "OGL_FSAA", "1"});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig r;
    r.m.fs.AddFile(kPresets + "old.ksp", old_preset);
    r.m.reg.PutDword(r.Hk(kDk), "D3D_AAA1", 9);
    r.f.Load();
    if (c.core) {
      r.f.Check3.SetValue(1);
      r.f.Text4.SetText(c.core);
      r.f.Text5.SetText(c.memory);
    }
    if (c.fail_write) r.m.fs.FailWritesHalfway("\\DATA\\Presets\\");
    r.f.Text1.SetText(c.profile);
    r.f.Command3.UserClick();
    EXPECT_EQ(r.Messages(), std::vector<std::string>{c.message});
    if (c.core) {
      EXPECT_EQ(r.f.Check3.Value(), ui::kChecked) << "the typed clocks stay";
      EXPECT_TRUE(r.f.Text4.Enabled());
      EXPECT_EQ(r.f.Text4.Text(), c.core);
      EXPECT_EQ(r.f.Text5.Text(), c.memory);
    }
    // Before any power cut: no part file is left behind either.
    EXPECT_EQ(r.m.fs.List(kPresets + "*.*"), std::vector<std::string>{"old.ksp"});
    EXPECT_EQ(r.Saved("old"), old_preset);
    r.m.fs.PowerCut();
    EXPECT_EQ(r.Saved("old"), old_preset);
    EXPECT_EQ(r.m.fs.List(kPresets + "*.*"), std::vector<std::string>{"old.ksp"});
    EXPECT_EQ(r.m.fs.List(kFolder + "\\DATA\\*.*"), std::vector<std::string>{}) << "nothing written outside";
  }
}

// The clock boxes take what fits 16 bits, the bound on both sides.
TEST(SavePreset, ClockTextBounds) {
  struct Case {
    const char* name;
    const char* core;
    const char* memory;
    bool saved;
  };
  const Case cases[] = {
      {"32767 fits", "32767", "550", true},
      {"32768 does not", "32768", "550", false},
      {"-32768 fits", "400", "-32768", true},
      {"-32769 does not", "400", "-32769", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig r;
    r.f.Load();
    r.f.Check3.SetValue(1);
    r.f.Text4.SetText(c.core);
    r.f.Text5.SetText(c.memory);
    r.Save("clocks");
    EXPECT_EQ(r.m.fs.FileExists(kPresets + "clocks.ksp"), c.saved);
    EXPECT_EQ(r.Messages(), std::vector<std::string>{c.saved ? "<234>" : kBadClockText});
  }
}

TEST(WholeNumber, Texts) {
  struct Case {
    const char* name;
    const char* text;
    std::optional<std::int32_t> number;
  };
  const Case cases[] = {
      {"plain", "12", 12},
      {"blanks around", "  -7 ", -7},
      {"the lowest", "-2147483648", -2147483647 - 1},
      {"the highest", "2147483647", 2147483647},
      {"one below the lowest", "-2147483649", std::nullopt},
      {"one above the highest", "2147483648", std::nullopt},
      {"many digits", "99999999999999999999", std::nullopt},
      {"a fraction", "12.0", std::nullopt},
      {"an exponent", "1e3", std::nullopt},
      {"a plus sign", "+5", std::nullopt},
      {"a sign alone", "-", std::nullopt},
      {"a blank inside", "1 2", std::nullopt},
      {"empty", "", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(WholeNumber(c.text), c.number) << c.name;
}

TEST(SavePreset, APowerCutAfterTheSaveLeavesTheWholePreset) {
  Rig r;
  r.m.fs.AddFile(kPresets + "fast.ksp", Items({"ksp", "0322", "0", "0", "OGL_FSAA", "1"}));
  r.m.reg.PutDword(r.Hk(kDk), "OGL_TEXS", 4);
  r.f.Load();
  r.f.Check3.SetValue(1);
  r.f.Text4.SetText("400");
  r.f.Text5.SetText("550");
  r.Save("fast");
  ASSERT_EQ(r.Messages(), std::vector<std::string>{"<234>"});
  EXPECT_EQ(r.f.Check3.Value(), ui::kUnchecked) << "the clock boxes are reset once the preset is saved";
  EXPECT_EQ(r.f.Text4.Text(), "<226>");
  r.m.fs.PowerCut();
  EXPECT_EQ(r.Saved("fast"), Items({"ksp", "0322", "0", "0", "OGL_TEXS", "4", "Clock speed", "400,550"}));
  EXPECT_EQ(r.m.fs.List(kPresets + "*.*"), std::vector<std::string>{"fast.ksp"});
}

TEST(LoadIt, AppliesTheStoredValues) {
  struct Case {
    const char* name;
    std::int16_t os;
    std::string file;
    std::vector<std::pair<std::string, std::string>> written;  // key below DK, name
    std::vector<std::string> messages;
    int refreshed;
  };
  const Case cases[] = {
      {"XP: every value under the driver key", 3,
       Items({"ksp", "0322", "0", "0", "D3D_AAA1", "-1", "OGL_FSAA", "2"}),
       {{"", "D3D_AAA1"}, {"", "OGL_FSAA"}}, {}, 1},
      {"98: the Direct3D key by the d3d_ prefix in any case", 0,
       Items({"ksp", "0322", "0", "0", "d3D_CCC3", "1", "D3DOGL_1", "2", "FSAA", "3", "ABCD", "4", "X", "5"}),
       {{"\\NVidia\\Direct3D", "d3D_CCC3"}, {"\\NVidia\\OpenGL", "D3DOGL_1"}}, {}, 1},
      {"a value that is no number is skipped", 3,
       Items({"ksp", "0322", "0", "0", "D3D_AAA1", "text", "OGL_FSAA", "2"}), {{"", "OGL_FSAA"}}, {}, 1},
      {"an odd item at the end stops cleanly", 3, Items({"ksp", "0322", "0", "0", "OGL_FSAA", "2", "LONE"}),
       {{"", "OGL_FSAA"}}, {}, 1},
      {"blank lines at the end stop cleanly", 3, Items({"ksp", "0322", "0", "0", "OGL_FSAA", "2"}) + "\r\n\r\n\r\n",
       {{"", "OGL_FSAA"}}, {}, 1},
      {"not a preset", 3, Items({"kspx", "0322", "0", "0", "OGL_FSAA", "2"}), {}, {"<235>"}, 0},
      {"empty file", 3, "", {}, {"<235>"}, 0},
      {"another card still gets the values", 3, Items({"ksp", "0111", "0", "0", "OGL_FSAA", "2"}),
       {{"", "OGL_FSAA"}}, {}, 1},
      // "App to run" with neither folder nor program is an odd item too: no
      // program is started and the load ends as at the end of the file.
      {"a lone \"App to run\" at the end", 3, Items({"ksp", "0322", "0", "0", "OGL_FSAA", "2", "App to run"}),
       {{"", "OGL_FSAA"}}, {}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig r(c.os);
    r.Apply(c.file);
    std::vector<std::pair<std::string, std::string>> written;
    for (const auto& call : r.m.reg.log()) {
      if (call.op != "RegSetValueExA") continue;
      written.push_back({call.path.substr(std::string("HKEY_LOCAL_MACHINE\\SYSTEM\\DK").size()), call.name});
      EXPECT_EQ(call.type, 3u) << "4-byte REG_BINARY";
      EXPECT_EQ(call.bytes.size(), 4u);
    }
    EXPECT_EQ(written, c.written);
    EXPECT_EQ(r.Messages(), c.messages);
    EXPECT_EQ(r.refreshed, c.refreshed);
    EXPECT_TRUE(r.m.proc.started().empty());
    if (c.refreshed) {
      EXPECT_EQ(r.f.Text1.Text(), "");
    }
  }
}

// Regression: on Windows 9x only names with "d3d_" in front reached the
// Direct3D key; the classic names and the shared "D3DOGL_" values landed
// under the OpenGL key, where the driver's Direct3D part never looks.
TEST(LoadIt, Windows98DirectXNamesTheDatabaseListsGoToTheDirect3DKey) {
  Rig r(0, 2000);
  r.m.fs.AddFile(kDb + "0000d3d.dat",
                 "\"D3D_ANTIALIASENABLE\",\"a\",\"x\"\r\n\"D3D_D3DOGL_70835937\",\"b\",\"x\"\r\n");
  r.Apply(Items({"ksp", "0322", "0", "0", "ANTIALIASENABLE", "1", "d3dogl_70835937", "2", "FSAAMode", "3"}));
  const std::string dk = std::string("HKLM\\") + kDk;
  EXPECT_TRUE(r.m.reg.Get(dk + "\\NVidia\\Direct3D", "ANTIALIASENABLE"));
  EXPECT_TRUE(r.m.reg.Get(dk + "\\NVidia\\Direct3D", "D3DOGL_70835937"));
  EXPECT_TRUE(r.m.reg.Get(dk + "\\NVidia\\OpenGL", "FSAAMode"));
  EXPECT_FALSE(r.m.reg.Get(dk + "\\NVidia\\OpenGL", "ANTIALIASENABLE"));
}

TEST(LoadIt, ClearAllDeletesOpenGLThenDirect3D) {
  Rig r;
  r.m.reg.AddKey(r.Hk(kDk));
  r.Apply(Items({"ksp", "0322", "1", "0", "OGL_FSAA", "2"}));
  std::vector<std::string> order;
  for (const auto& call : r.m.reg.log())
    if (call.op == "RegDeleteValueA" || call.op == "RegSetValueExA") order.push_back(call.op.substr(3, 3) + " " + call.name);
  EXPECT_EQ(order, (std::vector<std::string>{"Del OGL_FSAA", "Del OGL_TEXS", "Del D3D_AAA1", "Del D3d_BBB2",
                                             "Set OGL_FSAA"}));
}

TEST(LoadIt, DeletionPassesOnWindows98) {
  Rig r(0);
  r.m.reg.AddKey(r.Hk(std::string(kDk) + "\\NVidia\\Direct3D"));
  r.m.reg.AddKey(r.Hk(std::string(kDk) + "\\NVidia\\OpenGL"));
  r.f.Load();
  r.f.DAOGL();
  r.f.DAD3D();
  std::vector<std::string> deleted;
  for (const auto& call : r.m.reg.log())
    if (call.op == "RegDeleteValueA") deleted.push_back(call.path.substr(28) + " " + call.name);
  EXPECT_EQ(deleted, (std::vector<std::string>{"\\NVidia\\OpenGL FSAA", "\\NVidia\\OpenGL TEXS",
                                               "\\NVidia\\Direct3D D3D_AAA1", "\\NVidia\\Direct3D D3d_BBB2"}));
}

TEST(LoadIt, StartsTheProgramInItsFolder) {
  Rig r;
  r.m.fs.AddFile("C:\\Program Files\\Game\\game.exe", "MZ");
  r.m.fs.AddFile("C:\\Program.exe", "MZ");
  r.Apply(Items({"ksp", "0322", "0", "1", "OGL_FSAA", "2", "App to run", "C:\\Program Files\\Game",
                 "C:\\Program Files\\Game\\game.exe", "OGL_TEXS", "3"}));
  ASSERT_EQ(r.m.proc.started().size(), 1u);
  // Regression: an unquoted path with blanks started C:\Program.exe.
  EXPECT_EQ(r.m.proc.started()[0].program, "C:\\Program Files\\Game\\game.exe");
  EXPECT_EQ(r.m.proc.started()[0].folder, "C:\\Program Files\\Game");
  EXPECT_EQ(r.m.proc.started()[0].style, platform::WindowStyle::kNormalFocus);
  EXPECT_EQ(r.m.proc.waits, 0) << "no clocks were set: no wait";
  EXPECT_EQ(r.refreshed, 0) << "a preset with a program does not refresh the pages";
  EXPECT_EQ(r.f.Text1.Text(), kPresets + "p.ksp");
  EXPECT_FALSE(r.m.reg.Get(r.Hk(kDk), "OGL_TEXS")) << "the load ends with the program";
}

TEST(LoadIt, FailuresTakeTheErrorPath) {
  {
    SCOPED_TRACE("a program that cannot be started");
    Rig r;
    r.m.fs.AddFile(kPresets + "p.ksp",
                   Items({"ksp", "0322", "0", "0", "App to run", "C:\\Nowhere", "C:\\Nowhere\\x.exe"}));
    r.f.Show();
    r.f.Text1.SetText(kPresets + "p.ksp");
    r.f.LoadIt();
    EXPECT_EQ(r.Messages(), std::vector<std::string>{"Error: File not found 53"});
    EXPECT_FALSE(r.f.Visible()) << "the profile manager is hidden";
  }
  {
    SCOPED_TRACE("a missing file");
    Rig r;
    r.f.Show();
    r.f.Text1.SetText(kPresets + "gone.ksp");
    r.f.LoadIt();
    EXPECT_EQ(r.Messages(), std::vector<std::string>{"Error: File not found 53"});
    EXPECT_FALSE(r.f.Visible()) << "the profile manager is hidden";
    EXPECT_TRUE(r.f.Loaded());
  }
  {
    SCOPED_TRACE("an empty path returns without a word");
    Rig r;
    r.f.Load();
    r.f.LoadIt();
    EXPECT_TRUE(r.Messages().empty());
    EXPECT_FALSE(r.f.Loaded());
    EXPECT_EQ(r.m.reg.CountCalls("RegSetValueExA"), 0);
  }
}

TEST(Presets, SaveThenApplyRestoresEveryValue) {
  Rig r(3, 9371);
  for (const char* kind : {"d3d", "ogl"})
    r.m.fs.AddFile(kDb + "5000" + kind + ".dat", test::ReadRepoData(std::string("Database/5000") + kind + ".dat"));
  const std::string dk = r.Hk(kDk);
  r.m.reg.Put(dk, "D3DOGL_70835937", 3, Bytes(0x10000010));
  r.m.reg.Put(dk, "D3D_QualityEnhancements", 3, Bytes(0xFFFFFFF6));
  r.m.reg.Put(dk, "D3D_60461791", 3, Bytes(0x47814940));
  r.m.reg.Put(dk, "OGL_TripleBuffer", 3, Bytes(1));
  r.m.reg.Put(dk, "OGL_DefaultSwapInterval", 3, Bytes(0xFFFFFFFF));
  const std::vector<std::string> names = r.m.reg.ValueNames(dk);
  std::vector<fake::FakeRegistry::Value> before;
  for (const auto& n : names) before.push_back(*r.m.reg.Get(dk, n));
  r.Save("all");
  r.m.msg.Clear();
  r.f.Check2.SetValue(1);
  r.f.DAOGL();
  r.f.DAD3D();
  EXPECT_TRUE(r.m.reg.ValueNames(dk).empty());
  r.f.Text1.SetText(kPresets + "all.ksp");
  r.f.LoadIt();
  EXPECT_EQ(r.m.reg.ValueNames(dk), names);
  for (size_t i = 0; i < names.size(); ++i) {
    SCOPED_TRACE(names[i]);
    EXPECT_EQ(r.m.reg.Get(dk, names[i])->bytes, before[i].bytes);
    EXPECT_EQ(r.m.reg.Get(dk, names[i])->type, 3u);
  }
}

class NoControls : public SettingControls {
 public:
  void SetControlText(WriterControl, const std::string&) override {}
};

// What the pages can write, saved and applied again on the shipped
// database: every value comes back with its bytes.
TEST(Presets, WhatTheWritersWroteComesBack) {
  struct Case {
    const char* name;
    std::int16_t os;
    std::int32_t build;
  };
  const Case cases[] = {{"98, classic driver", 0, 2000}, {"98, build 2960", 0, 2960},
                        {"98, numbered driver", 0, 4500},
                        // Regression: up to build 2960 the NT family saved no
                        // Direct3D value, and the clear-all flag then left none.
                        {"2000, build 2000", 2, 2000}, {"XP, build 2500", 3, 2500}, {"XP, build 2960", 3, 2960},
                        {"XP, older driver", 3, 4500}, {"XP", 3, 7701}, {"Vista", 4, 9371}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig r(c.os, c.build);
    for (const char* kind : {"d3d", "ogl"}) r.m.fs.DeleteFile(kDb + "0000" + kind + ".dat");
    for (const char* name : {"0000d3d", "2281d3d", "4103d3d", "4230d3d", "5000d3d", "0000ogl", "5000ogl",
                                    "7701ogl"})
      r.m.fs.AddFile(kDb + name + ".dat", test::ReadRepoData(std::string("Database/") + name + ".dat"));
    NoControls controls;
    for (std::int16_t code : {1, 10, 16, 29, 44, 63, 69, 106, 109, 114}) WriteD3DSetting(r.s, controls, code, 0);
    for (std::int16_t code : {2, 7, 10, 12, 14, 17, 20, 22, 25, 28, 52, 57, 68, 72}) WriteOGLSetting(r.s, controls, code, 0);
    const std::string dk = r.Hk(kDk);
    const std::vector<std::string> keys = {dk, dk + "\\NVidia\\Direct3D", dk + "\\NVidia\\OpenGL"};
    std::map<std::string, std::string> before;
    for (const auto& key : keys)
      for (const auto& n : r.m.reg.ValueNames(key)) before[key + "|" + n] = r.m.reg.Get(key, n)->bytes;
    ASSERT_GT(before.size(), 10u);
    r.f.Load();
    r.f.Check2.SetValue(1);  // the preset deletes every listed value before it writes its own
    r.Save("all");
    // Other values by the time the preset is applied.
    for (const auto& key : keys)
      for (const auto& n : r.m.reg.ValueNames(key)) r.m.reg.Put(key, n, 3, Bytes(0x55555555));
    r.f.Text1.SetText(kPresets + "all.ksp");
    r.f.LoadIt();
    std::map<std::string, std::string> after;
    for (const auto& key : keys)
      for (const auto& n : r.m.reg.ValueNames(key)) after[key + "|" + n] = r.m.reg.Get(key, n)->bytes;
    EXPECT_EQ(after, before);
  }
}

TEST(ListPresets, ListsTheFolder) {
  Rig r;
  r.f.Load();
  EXPECT_EQ(r.f.Combo4.ListCount(), 0);
  EXPECT_EQ(r.f.Combo4.Text(), "<233>");
  r.f.Unload();
  for (int i = 0; i < 131; ++i) r.m.fs.AddFile(kPresets + "p" + std::to_string(i) + ".ksp", "");
  r.m.fs.AddFile(kPresets + "notes.txt", "");
  r.f.Load();
  EXPECT_EQ(r.f.Combo4.Text(), "<232>");
  EXPECT_EQ(r.f.Combo4.ListCount(), 129);
  EXPECT_EQ(r.f.Combo4.List(0), "p0");
  EXPECT_EQ(r.f.PresetList[128], "p128.ksp");
}

// After a save, saved or not, the list shows the presets folder as it is
// then, the saved preset selected; selecting it applies nothing. A preset
// deleted from the folder since the window loaded is gone from the list.
// Regression: after "The profile has been saved." the list still said
// "Empty" until the window was opened again.
TEST(ListPresets, AfterASaveTheListShowsTheFolderWithTheSavedPresetSelected) {
  struct Case {
    const char* name;
    std::vector<std::string> before;  // the folder when the window loads
    std::function<void(Rig&)> meanwhile;  // done between the load and the save
    std::string profile;
    std::vector<std::string> listed;
    std::string shown;  // Combo4's text: the saved preset's name, or the list's own text
  };
  const Case cases[] = {
      {"the first preset", {}, nullptr, "fast", {"fast"}, "fast"},
      // The folder lists in the order the files were made, as FAT does.
      {"beside others", {"a.ksp", "zz.ksp"}, nullptr, "fast", {"a", "zz", "fast"}, "fast"},
      {"over one of the same name, in other letters", {"fast.ksp"}, nullptr, "FAST", {"fast"}, "fast"},
      {"another deleted meanwhile", {"a.ksp", "old.ksp"},
       [](Rig& r) { r.m.fs.DeleteFile(kPresets + "old.ksp"); }, "fast", {"a", "fast"}, "fast"},
      {"the only one deleted meanwhile, then saved again", {"fast.ksp"},
       [](Rig& r) { r.m.fs.DeleteFile(kPresets + "fast.ksp"); }, "fast", {"fast"}, "fast"},
      {"a failed save", {"a.ksp", "old.ksp"},
       [](Rig& r) {
         r.m.fs.DeleteFile(kPresets + "old.ksp");
         r.m.fs.FailWritesHalfway("\\DATA\\Presets\\");
       },
       "fast", {"a"}, "<232>"},
      {"a failed first save", {},
       [](Rig& r) { r.m.fs.FailWritesHalfway("\\DATA\\Presets\\"); }, "fast", {}, "<233>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig r;
    for (const std::string& file : c.before)
      r.m.fs.AddFile(kPresets + file, Items({"ksp", "999", "0", "0", "OGL_FSAA", "4"}));
    r.m.reg.PutDword(r.Hk(kDk), "OGL_FSAA", 1);
    r.f.Show();
    if (c.meanwhile) c.meanwhile(r);
    r.f.Text1.SetText(c.profile);
    r.f.Command3.UserClick();
    EXPECT_EQ(r.f.Combo4.items(), c.listed);
    EXPECT_EQ(r.f.Combo4.Text(), c.shown);
    const int selected = r.f.Combo4.ListIndex();
    if (c.shown.front() == '<') {
      EXPECT_EQ(selected, -1);
    } else {
      ASSERT_GE(selected, 0);
      EXPECT_TRUE(SameTextIgnoringCase(r.f.PresetList[static_cast<size_t>(selected)], c.profile + ".ksp"));
    }
    EXPECT_EQ(r.f.PresetList.size(), c.listed.size());
    EXPECT_EQ(r.refreshed, 0) << "selecting the saved preset applies nothing";
    EXPECT_EQ(r.m.reg.Get(r.Hk(kDk), "OGL_FSAA")->bytes, Bytes(1));
    // The selected entry is the saved preset: picking it applies it.
    if (selected >= 0) {
      r.m.reg.PutDword(r.Hk(kDk), "OGL_FSAA", 6);
      r.f.Combo4.UserPick(selected);
      EXPECT_EQ(r.refreshed, 1);
      EXPECT_EQ(r.m.reg.Get(r.Hk(kDk), "OGL_FSAA")->bytes, Bytes(1));
    }
  }
}

// Picking a preset deleted from the folder since the list was read: the
// message, and the list shows the folder without it.
TEST(ListPresets, PickingAPresetDeletedMeanwhileTakesItFromTheList) {
  Rig r;
  for (const char* name : {"a.ksp", "b.ksp"}) r.m.fs.AddFile(kPresets + name, Items({"ksp", "999", "0", "0"}));
  r.f.Show();
  r.m.fs.DeleteFile(kPresets + "b.ksp");
  r.f.Combo4.UserPick(1);
  EXPECT_EQ(r.Messages(), std::vector<std::string>{"Error: File not found 53"});
  EXPECT_EQ(r.f.Combo4.items(), std::vector<std::string>{"a"});
  EXPECT_EQ(r.f.PresetList, std::vector<std::string>{"a.ksp"});
  EXPECT_EQ(r.f.Combo4.Text(), "<232>");
  EXPECT_EQ(r.refreshed, 0);
}

TEST(ListPresets, PickingAPresetAppliesIt) {
  Rig r;
  r.m.fs.AddFile(kPresets + "fast.ksp", Items({"ksp", "999", "0", "0", "OGL_FSAA", "4"}));
  r.f.Show();
  r.f.Combo4.UserPick(0);
  EXPECT_EQ(r.m.reg.Get(r.Hk(kDk), "OGL_FSAA")->bytes, Bytes(4));
  EXPECT_EQ(r.refreshed, 1);
  EXPECT_TRUE(r.f.Visible());
}

TEST(Form6, AutostartValue) {
  const std::string run = std::string("HKCU\\") + kAutostartRunKey;
  const std::string mine = kFolder + "\\travo.exe";
  // Windows runs the value as a command line: the path goes in quotes.
  const std::string quoted = "\"" + mine + "\"";
  struct Case {
    const char* name;
    std::optional<std::string> stored;  // none: missing
    int checked;
    int writes;
    std::optional<std::string> after;
  };
  const Case cases[] = {
      {"missing: unticked, nothing written", std::nullopt, 0, 0, std::nullopt},
      {"another folder: rewritten once and ticked", "D:\\Old\\travo.exe", 1, 1, quoted},
      {"another folder, quoted: rewritten once and ticked", "\"D:\\Old\\travo.exe\"", 1, 1, quoted},
      {"this folder, quoted: left alone", quoted, 1, 0, quoted},
      // Older versions wrote the path without quotes; it is this folder's too.
      {"this folder, unquoted: left alone", mine, 1, 0, mine},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig r;
    if (c.stored) r.m.reg.PutString(run, kAutostartValue, *c.stored);
    r.m.reg.ClearLog();
    r.f.Load();
    EXPECT_EQ(r.f.Check1.Value(), c.checked);
    EXPECT_EQ(r.m.reg.CountCalls("RegSetValueExA"), c.writes);
    const auto v = r.m.reg.Get(run, kAutostartValue);
    EXPECT_EQ(v ? std::optional<std::string>(v->bytes) : std::nullopt,
              c.after ? std::optional<std::string>(*c.after + '\0') : std::nullopt);
  }
  Rig r;
  r.f.Load();
  // Regression: with the switch left on by a driver write, the text was dropped.
  r.s.reg.WriteAsBinary = 1;
  r.f.Check1.UserClick();
  ASSERT_TRUE(r.m.reg.Get(run, kAutostartValue));
  EXPECT_EQ(r.m.reg.Get(run, kAutostartValue)->type, 1u);
  EXPECT_EQ(r.m.reg.Get(run, kAutostartValue)->bytes, quoted + std::string(1, '\0'));
  EXPECT_EQ(r.s.reg.WriteAsBinary, 1) << "the switch is left as it was";
  r.f.Check1.UserClick();
  EXPECT_FALSE(r.m.reg.Get(run, kAutostartValue));
}

TEST(Form6, ClearKeepsTheFolder) {
  Rig r;
  r.f.Show();
  r.f.Text1.SetText("x");
  r.f.Text2.SetText("C:\\a.exe");
  EXPECT_EQ(r.f.Text2.ToolTipText(), "C:\\a.exe");
  r.f.Text3.SetText("C:\\");
  r.f.Check2.SetValue(1);
  r.f.Check3.SetValue(1);
  EXPECT_TRUE(r.f.Text4.Enabled());
  r.f.Check5.SetValue(1);
  r.f.Command4.UserClick();
  EXPECT_EQ(r.f.Text1.Text(), "");
  EXPECT_EQ(r.f.Text2.Text(), "");
  EXPECT_EQ(r.f.Text3.Text(), "C:\\");
  EXPECT_EQ(r.f.Check2.Value() + r.f.Check3.Value() + r.f.Check5.Value(), 0);
  EXPECT_FALSE(r.f.Text4.Enabled());
  EXPECT_EQ(r.f.Text5.Text(), "<227>");
}

TEST(Form7, PicksAProgramForTheProfileManager) {
  Rig r;
  r.m.fs.AddFile("C:\\Games\\game.exe", "MZ");
  r.m.fs.AddFile("C:\\root.exe", "MZ");
  r.f.Show();
  r.f.Command1.UserClick();
  ASSERT_TRUE(r.picker.Visible());
  EXPECT_EQ(r.picker.Caption(), "<238>");
  EXPECT_EQ(r.picker.File1.Pattern(), "*.exe");
  r.picker.Dir1.SetPath("c:\\");
  r.picker.File1.UserPick(r.picker.File1.FindItem("root.exe"));
  // Regression: the separator was doubled at a drive root.
  EXPECT_EQ(r.picker.Text1.Text(), "c:\\root.exe");
  EXPECT_EQ(r.f.Text3.Text(), "c:\\");
  r.picker.Dir1.SetPath("C:\\Games");
  r.picker.File1.UserPick(0);
  EXPECT_EQ(r.f.Text3.Text(), "C:\\Games");
  r.picker.Command2[1].UserClick();
  EXPECT_EQ(r.f.Text2.Text(), "C:\\Games\\game.exe");
  EXPECT_FALSE(r.picker.Loaded());

  r.f.Command1.UserClick();
  r.picker.Command2[0].UserClick();
  EXPECT_EQ(r.f.Text2.Text(), "C:\\Games\\game.exe") << "Cancel leaves Text2";

  // Regression: the picker outlived the profile manager and wrote into it.
  r.f.Command1.UserClick();
  r.f.Command2.UserClick();
  EXPECT_FALSE(r.picker.Loaded()) << "it closes with the profile manager";
  r.picker.Show();
  r.picker.File1.UserPick(0);
  r.picker.Command2[1].UserClick();
  EXPECT_FALSE(r.f.Loaded()) << "its writes do not bring the profile manager back";
}

TEST(Form7, UnreadableDriveFallsBackToC) {
  Rig r;
  r.m.fs.AddFolder("D:\\");
  r.picker.Show();
  r.m.fs.DeleteFile("D:\\");
  r.picker.Drive1.UserPick(1);
  EXPECT_EQ(r.picker.Dir1.Path(), "c:\\");
}

TEST(Presets, CommandLinePath) {
  const std::string exe = "C:\\Program Files\\Kestrelane\\KestrelaneSE.exe";
  struct Case {
    const char* name;
    std::string line;
    std::string path;
  };
  const Case cases[] = {
      {"quoted", "\"" + exe + "\" C:\\My Presets\\fast one.ksp", "C:\\My Presets\\fast one.ksp"},
      {"quoted, the path quoted too", "\"" + exe + "\"   \"C:\\My Presets\\fast one.ksp\"  ",
       "C:\\My Presets\\fast one.ksp"},
      // Regression: a launcher that did not quote the program lost the path
      // to the first blank: "Files\Kestrelane\KestrelaneSE.exe C:\p.ksp".
      {"unquoted, with blanks", exe + " C:\\p.ksp", "C:\\p.ksp"},
      {"unquoted, blanks in both", exe + " C:\\My Presets\\fast one.ksp", "C:\\My Presets\\fast one.ksp"},
      {"other letter case", "c:\\program files\\kestrelane\\KESTRELANESE.EXE C:\\p.ksp", "C:\\p.ksp"},
      {"other letter case, quoted", "\"C:\\PROGRAM FILES\\Kestrelane\\kestrelanese.exe\" C:\\p.ksp", "C:\\p.ksp"},
      {"without .exe", "C:\\Program Files\\Kestrelane\\KestrelaneSE C:\\p.ksp", "C:\\p.ksp"},
      {"blanks in front", "  " + exe + "  C:\\p.ksp", "C:\\p.ksp"},
      {"a bare file name", "KestrelaneSE.exe C:\\p.ksp", "C:\\p.ksp"},
      {"a short path", "C:\\PROGRA~1\\KESTRE~1\\KESTRE~1.EXE C:\\p.ksp", "C:\\p.ksp"},
      {"a path that only starts like the program's", exe + "x C:\\p.ksp",
       "Files\\Kestrelane\\KestrelaneSE.exex C:\\p.ksp"},
      {"only the program, quoted", "\"" + exe + "\"", ""},
      {"only the program, unquoted", exe, ""},
      {"only a bare file name", "KestrelaneSE.exe", ""},
      {"empty", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(PresetPathFromCommandLine(c.line, exe), c.path);
  }
  fake::FakeMachine m;
  EXPECT_EQ(PresetPathFromCommandLine(exe + " C:\\p.ksp", m.fs.ProgramPath()), "C:\\p.ksp")
      << "the program's own path as the platform gives it";
  m.fs.SetProgramPath("D:\\My Tools\\KS.exe");
  EXPECT_EQ(m.fs.ProgramFolder(), "D:\\My Tools");
  EXPECT_EQ(PresetPathFromCommandLine("D:\\My Tools\\KS.exe C:\\p.ksp", m.fs.ProgramPath()), "C:\\p.ksp");
}

// The profile manager on a card whose driver keeps clocks.
struct ClockPresetRig : test::ClockRig {
  Form6 f{s};
  int refreshed = 0;
  explicit ClockPresetRig(const test::ClockCard& card = test::ClockCard(), bool driver_values = true)
      : test::ClockRig(card) {
    test::MarkLanguage(s);
    s.DriverKey = kDk;
    f.RefreshPages = [this] { ++refreshed; };
    m.fs.AddFolder(kPresets);
    m.fs.AddFile(kDb + "0000d3d.dat", "");
    m.fs.AddFile(kDb + "0000ogl.dat", "");
    if (driver_values) PutDriverValues();
  }
  void Apply(const std::string& bytes) {
    m.fs.AddFile(kPresets + "p.ksp", bytes);
    f.Load();
    f.Text1.SetText(kPresets + "p.ksp");
    f.LoadIt();
  }
  std::vector<std::string> Messages() {
    std::vector<std::string> texts;
    for (const auto& shown : m.msg.shown()) texts.push_back(shown.text);
    return texts;
  }
};

TEST(LoadIt, Clocks) {
  struct Case {
    const char* name;
    fake::DriverClocks defaults;
    const char* card;
    const char* clocks;
    fake::DriverClocks in_force;
    int loader_runs;  // reads, then the apply
    std::vector<std::string> messages;
    bool later_value;  // the value after the clock entry was written
  };
  const Case cases[] = {
      {"this card", {350, 700}, "0322", "400,550", {400, 550}, 2, {}, true},
      {"\"999\" is any card", {350, 700}, "999", "400,550", {400, 550}, 2, {}, true},
      {"another card: the entry is skipped", {350, 700}, "0111", "400,550", {350, 700}, 0, {}, true},
      {"defaults of 2000 MHz are accepted", {2000, 700}, "0322", "2100,550", {2100, 550}, 2, {}, true},
      // The fifth read with a default above 2000 MHz ends the load.
      {"2001 MHz five times: O/C Error", {2001, 700}, "0322", "400,550", {2001, 700}, 5, {"O/C Error"}, false},
      {"an entry without a comma is skipped", {350, 700}, "0322", "400", {350, 700}, 0, {}, true},
      {"an entry that is no number is skipped", {350, 700}, "0322", "fast,550", {350, 700}, 0, {}, true},
      // Regression: clocks the overclocking page never offers went to the
      // card. The page offers default / 1.3 to default x 1.3: 269 to 455 MHz
      // core and 538 to 910 MHz memory for 350/700. Refused clocks are
      // skipped as another card's are; the card's clocks were read.
      {"core at the page's top", {350, 700}, "0322", "455,550", {455, 550}, 2, {}, true},
      {"core one above the top", {350, 700}, "0322", "456,550", {350, 700}, 1, {}, true},
      {"core at the page's bottom", {350, 700}, "0322", "269,550", {269, 550}, 2, {}, true},
      {"core one below the bottom", {350, 700}, "0322", "268,550", {350, 700}, 1, {}, true},
      {"memory at the page's top", {350, 700}, "0322", "400,910", {400, 910}, 2, {}, true},
      {"memory one above the top", {350, 700}, "0322", "400,911", {350, 700}, 1, {}, true},
      {"memory one below the bottom", {350, 700}, "0322", "400,537", {350, 700}, 1, {}, true},
      {"0/0", {350, 700}, "0322", "0,0", {350, 700}, 1, {}, true},
      {"a negative clock", {350, 700}, "0322", "-400,550", {350, 700}, 1, {}, true},
      {"32767", {350, 700}, "0322", "32767,550", {350, 700}, 1, {}, true},
      {"32768 does not fit a clock", {350, 700}, "0322", "32768,550", {350, 700}, 0, {}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ClockPresetRig r({.defaults = c.defaults});
    r.Apply(Items({"ksp", c.card, "0", "0", "Clock speed", c.clocks, "OGL_FSAA", "5"}));
    EXPECT_EQ(r.driver.set2d.in_force, c.in_force);
    EXPECT_EQ(r.driver.runs, c.loader_runs);
    EXPECT_EQ(r.Messages(), c.messages);
    EXPECT_EQ(r.m.reg.Get(std::string("HKLM\\") + kDk, "OGL_FSAA").has_value(), c.later_value);
    EXPECT_EQ(r.refreshed, c.later_value ? 1 : 0);
    EXPECT_FALSE(r.m.reg.Get(std::string("HKLM\\") + kDk, "Clock speed").has_value());
  }
}

// Regression: the first read of a session, before the driver's loader had
// answered and with no pair stored, decoded nothing as 24088 MHz; the retry
// rule moved the hardware key through five revisions for the rest of the
// session and the preset ended in "O/C Error".
TEST(LoadIt, ASlowLoaderOnTheFirstReadKeepsTheKeyAndTheRestOfThePreset) {
  ClockPresetRig r(test::ClockCard(), false);  // the driver has stored no pair yet
  r.driver.answer = fake::FakeNvidiaDriver::Answer::kNotYet;
  r.Apply(Items({"ksp", "0322", "0", "0", "Clock speed", "400,550", "OGL_FSAA", "5"}));
  EXPECT_EQ(r.s.NvTweakHwKey, test::kHwKeyA1);
  EXPECT_EQ(r.Messages(), std::vector<std::string>{});
  EXPECT_TRUE(r.m.reg.Get(std::string("HKLM\\") + kDk, "OGL_FSAA").has_value()) << "the rest is applied";
  EXPECT_EQ(r.refreshed, 1);
  r.driver.RunPending();
  r.driver.answer = fake::FakeNvidiaDriver::Answer::kAtOnce;
  r.m.msg.Clear();
  r.Apply(Items({"ksp", "0322", "0", "0", "Clock speed", "400,550"}));
  EXPECT_EQ(r.Messages(), std::vector<std::string>{});
  EXPECT_EQ(r.driver.set2d.in_force, (fake::DriverClocks{400, 550})) << "the next preset finds the card's key";
}

TEST(LoadIt, ClocksComeBackWhenTheProgramEnds) {
  struct Case {
    const char* name;
    const char* restore;
    bool with_clocks;
    int waits;
    fake::DriverClocks while_running;
    fake::DriverClocks after;
  };
  const Case cases[] = {
      {"restore: wait, then the clocks before the preset", "1", true, 1, {400, 550}, {350, 700}},
      {"no restore: no wait", "0", true, 0, {400, 550}, {400, 550}},
      {"restore without a clock entry: no wait", "1", false, 0, {350, 700}, {350, 700}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ClockPresetRig r;
    r.m.fs.AddFile("C:\\Games\\game.exe", "MZ");
    fake::DriverClocks seen{};
    r.m.proc.OnRun("C:\\Games\\game.exe", [&] { seen = r.driver.set2d.in_force; });
    std::string preset = Items({"ksp", "0322", "0", c.restore});
    if (c.with_clocks) preset += Items({"Clock speed", "400,550"});
    preset += Items({"App to run", "C:\\Games", "C:\\Games\\game.exe"});
    r.Apply(preset);
    EXPECT_EQ(r.m.proc.waits, c.waits);
    if (c.waits) {
      EXPECT_EQ(seen, c.while_running);
    }
    EXPECT_EQ(r.driver.set2d.in_force, c.after);
    EXPECT_EQ(r.refreshed, 0);
    EXPECT_EQ(r.m.proc.OpenHandleCount(), 0) << "the process handle is closed";
  }
}

// Where the setting writers are off the preset's clocks go as another
// card's do: the card keeps its clocks, nothing is read, the program starts
// and is not waited for; the values and the clear-all flag write nothing.
TEST(LoadIt, WithoutAnNvidiaDriverOnlyTheProgramStarts) {
  ClockPresetRig r;
  r.s.NvidiaAdapterMissing = true;
  r.m.fs.AddFile("C:\\Games\\game.exe", "MZ");
  r.m.reg.PutDword(std::string("HKLM\\") + kDk, "OGL_KEPT", 1);
  r.m.fs.AddFile(kDb + "0000ogl.dat", "\"OGL_KEPT\",\"?\",\"x\"\r\n");
  r.m.reg.ClearLog();
  r.Apply(Items({"ksp", "0322", "1", "1", "Clock speed", "400,550", "OGL_FSAA", "5", "App to run", "C:\\Games",
                 "C:\\Games\\game.exe"}));
  EXPECT_EQ(r.driver.set2d.in_force, (fake::DriverClocks{350, 700}));
  EXPECT_EQ(r.driver.runs, 0);
  EXPECT_EQ(r.m.proc.waits, 0);
  ASSERT_EQ(r.m.proc.started().size(), 1u);
  EXPECT_EQ(r.m.proc.started()[0].program, "C:\\Games\\game.exe");
  EXPECT_EQ(r.Messages(), std::vector<std::string>{kNoNvidiaDriver});
  EXPECT_EQ(r.m.reg.CountCalls("RegSetValueExA"), 0);
  EXPECT_EQ(r.m.reg.CountCalls("RegDeleteValueA"), 0);
  EXPECT_TRUE(r.m.reg.Get(std::string("HKLM\\") + kDk, "OGL_KEPT").has_value());
}

TEST(Form6, ClockBoxReadsTheCard) {
  {
    ClockPresetRig r;
    r.driver.set2d.in_force = {410, 720};
    r.f.Show();
    r.f.Check3.UserClick();
    EXPECT_TRUE(r.f.Text4.Enabled());
    EXPECT_EQ(r.f.Text4.Text(), std::to_string(r.s.CoreClock));
    EXPECT_EQ(r.f.Text5.Text(), std::to_string(r.s.MemClock));
    EXPECT_NE(r.f.Text4.Text(), "<226>");
  }
  {
    SCOPED_TRACE("3000 MHz is the limit here");
    ClockPresetRig r({.defaults = {3000, 700}});
    r.f.Show();
    r.f.Check3.UserClick();
    EXPECT_EQ(r.f.Check3.Value(), ui::kChecked);
  }
  {
    SCOPED_TRACE("3001 MHz five times unticks the box");
    ClockPresetRig r({.defaults = {3001, 700}});
    r.f.Show();
    r.f.Check3.UserClick();
    EXPECT_EQ(r.f.Check3.Value(), ui::kUnchecked);
    EXPECT_FALSE(r.f.Text4.Enabled());
    EXPECT_EQ(r.f.Text4.Text(), "<226>");
    EXPECT_EQ(r.driver.runs, 5);
  }
}

TEST(Form6, ClosesWithTheMainWindow) {
  auto m = test::MakeMachine(test::OsKind::kXp);
  SeState s(*m);
  test::MarkLanguage(s);
  Form1 main(s);
  main.Show();
  main.Toolbar1.UserClickMenu("nvcpl", "pedit");
  ASSERT_TRUE(main.form6().Visible());
  main.form6().Command1.UserClick();
  ASSERT_TRUE(main.form7().Visible());
  main.UserClose();
  EXPECT_FALSE(main.form6().Loaded());
  EXPECT_FALSE(main.form7().Loaded());
  EXPECT_TRUE(s.app.Ended()) << "no window keeps the program alive";
}

}  // namespace
}  // namespace ks
