// Monitoring: one Timer3 tick's texts, bars, graphs and log items; the
// speed choice; Rec and Stop with the exact bytes of "sm.dat".
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hardware/Form9.h"
#include "hardware/monitor_log.h"
#include "hardware/monitoring.h"
#include "native/fixtures/se_rig.h"

namespace ks::test {
namespace {

constexpr int kGreen = 0x0000FF00, kRed = 0x000000FF, kBlue = 0x00FF0000;
constexpr std::uint64_t kMB = 1ull << 20;

struct Rig : SeRig {
  Rig(OsKind os, int processors, std::uint64_t total, std::uint64_t avail) : SeRig(Spec(os, processors, total, avail)) {
    s.OsClass = os == OsKind::kWin98 ? 0 : 3;
    form.TwoCPU = processors > 1 ? 1 : 0;
    machine->pdh.processor_load.assign(static_cast<size_t>(processors), 0.0);
    form.Frame1[14].SetVisible(true);
  }
  static MachineSpec Spec(OsKind os, int processors, std::uint64_t total, std::uint64_t avail) {
    MachineSpec spec = DefaultSpec(os);
    spec.processors = static_cast<std::uint32_t>(processors);
    spec.total_memory = total;
    spec.avail_memory = avail;
    return spec;
  }
  Monitoring& mon() { return form.monitoring(); }
  std::string LogPath() { return machine->fs.ProgramFolder() + "\\sm.dat"; }
  // What was drawn in a colour, grid lines left out.
  static std::vector<ui::DrawOp> Drawn(const ui::PictureBox& box, int color) {
    std::vector<ui::DrawOp> found;
    for (const ui::DrawOp& op : box.Drawing())
      if (op.color == color && !op.dotted) found.push_back(op);
    return found;
  }
};

ui::DrawOp Line(int x1, int y1, int x2, int y2, int color) {
  return ui::DrawOp{ui::DrawOp::Shape::kLine, x1, y1, x2, y2, color, 2, false};
}
ui::DrawOp Point(int x, int y, int color) { return ui::DrawOp{ui::DrawOp::Shape::kPoint, x, y, x, y, color, 2, false}; }

struct TickCase {
  const char* name;
  OsKind os;
  int processors;
  std::vector<double> loads;    // NT: the counters
  std::vector<std::pair<const char*, std::int32_t>> dyn_data;  // 9x: key and CPU usage stored there
  std::uint64_t total, avail;
  std::string cpu1_text, cpu2_text, memory_text;
  bool cpu2_shown;
  int bar1, bar2;
  std::vector<ui::DrawOp> cpu_drawn;
  ui::DrawOp memory_drawn;
};

TEST(MonitoringTick, TextsBarsAndGraphs) {
  const int h = 1215;
  const std::uint64_t avail_230_6 = static_cast<std::uint64_t>(230.6 * kMB);
  const TickCase cases[] = {
      {"XP, one processor", OsKind::kXp, 1, {12.5}, {}, 512 * kMB, avail_230_6, "CPU1 12%", "", "45%    (232 MB <111>)",
       false, 120, 0, {Line(60, h - 90, 60, h - 100 - 120, kGreen)}, Line(60, h, 60, h - 450, kBlue)},
      {"XP, two processors, one idle", OsKind::kXp, 2, {0.4, 80}, {}, 512 * kMB, avail_230_6, "CPU1 0%", "CPU2 80%",
       "45%    (232 MB <111>)", true, 0, 800,
       {Point(60, h - 100, kGreen), Line(90, h - 90, 90, h - 900, kRed)}, Line(60, h, 60, h - 450, kBlue)},
      {"XP, half a percent rounds to even", OsKind::kXp, 2, {13.5, 14.5}, {}, 1024 * kMB, 511 * kMB, "CPU1 14%",
       "CPU2 14%", "50%    (512 MB <111>)", true, 140, 140,
       {Line(60, h - 90, 60, h - 240, kGreen), Line(90, h - 90, 90, h - 240, kRed)}, Line(60, h, 60, h - 500, kBlue)},
      {"98: the kernel's usage statistic", OsKind::kWin98, 1, {},
       {{"PerfStats\\StartStat", 3}, {"PerfStats\\StatData", 37}}, 256 * kMB, 63 * kMB, "CPU1 37%", "",
       "25%    (64 MB <111>)", false, 370, 0, {Line(60, h - 90, 60, h - 470, kGreen)}, Line(60, h, 60, h - 250, kBlue)},
      {"98: only the start statistic", OsKind::kWin98, 1, {}, {{"PerfStats\\StartStat", 9}}, 256 * kMB, 63 * kMB,
       "CPU1 9%", "", "25%    (64 MB <111>)", false, 90, 0, {Line(60, h - 90, 60, h - 190, kGreen)},
       Line(60, h, 60, h - 250, kBlue)},
      {"98: no statistic", OsKind::kWin98, 1, {}, {}, 256 * kMB, 63 * kMB, "CPU1 0%", "", "25%    (64 MB <111>)",
       false, 0, 0, {Point(60, h - 100, kGreen)}, Line(60, h, 60, h - 250, kBlue)},
      // A failed memory query used to divide by a total of 0.
      {"no memory reported", OsKind::kXp, 1, {50}, {}, 0, 0, "CPU1 50%", "", "0%    (1 MB <111>)", false, 500, 0,
       {Line(60, h - 90, 60, h - 600, kGreen)}, Line(60, h, 60, h, kBlue)},
  };
  for (const TickCase& c : cases) {
    Rig rig(c.os, c.processors, c.total, c.avail);
    if (!c.loads.empty()) rig.machine->pdh.processor_load = c.loads;
    for (const auto& [key, usage] : c.dyn_data)
      rig.machine->reg.Put(std::string("HKDD\\") + key, "KERNEL\\CPUUsage", platform::kRegBinary,
                           std::string(reinterpret_cast<const char*>(&usage), 4));
    rig.mon().Timer3_Timer();
    Form1& f = rig.form;
    EXPECT_EQ(f.Label16[0].Caption(), c.cpu1_text) << c.name;
    EXPECT_EQ(f.Label16[2].Visible(), c.cpu2_shown) << c.name;
    if (c.cpu2_shown) {
      EXPECT_EQ(f.Label16[2].Caption(), c.cpu2_text) << c.name;
    }
    EXPECT_EQ(f.Label16[1].Caption(), c.memory_text) << c.name;
    EXPECT_EQ(f.Label14[1].Width(), c.bar1) << c.name;
    EXPECT_EQ(f.Label14[3].Width(), c.bar2) << c.name;
    std::vector<ui::DrawOp> cpu = Rig::Drawn(f.Picture2, kGreen);
    for (const ui::DrawOp& op : Rig::Drawn(f.Picture2, kRed)) cpu.push_back(op);
    EXPECT_EQ(cpu, c.cpu_drawn) << c.name;
    EXPECT_EQ(Rig::Drawn(f.Picture3, kBlue), std::vector<ui::DrawOp>{c.memory_drawn}) << c.name;
  }
}

TEST(MonitoringTick, TheFirstTickOpensTheCountersOnce) {
  Rig two(OsKind::kXp, 2, 512 * kMB, 256 * kMB);
  for (int i = 0; i < 3; ++i) two.mon().Timer3_Timer();
  EXPECT_EQ(two.machine->pdh.queries_opened, 2);
  EXPECT_FALSE(two.form.MonitorFirstTick);
  Rig one(OsKind::kXp, 1, 512 * kMB, 256 * kMB);
  one.mon().Timer3_Timer();
  EXPECT_EQ(one.machine->pdh.queries_opened, 1);
  Rig old(OsKind::kWin98, 1, 512 * kMB, 256 * kMB);
  old.mon().Timer3_Timer();
  EXPECT_EQ(old.machine->pdh.queries_opened, 0) << "no counters on Windows 98";
}

TEST(MonitoringTick, CountersTheSystemRefusesReadZero) {
  Rig rig(OsKind::kXp, 1, 512 * kMB, 256 * kMB);
  rig.machine->pdh.library_present = false;
  rig.machine->pdh.processor_load = {70};
  rig.mon().Timer3_Timer();
  EXPECT_EQ(rig.form.Label16[0].Caption(), "CPU1 0%");
}

TEST(MonitoringTick, TheGraphsWrapAtTheirWidth) {
  Rig rig(OsKind::kXp, 1, 512 * kMB, 256 * kMB);
  rig.machine->pdh.processor_load = {30};
  for (int i = 0; i < 112; ++i) rig.mon().Timer3_Timer();
  auto cpu = Rig::Drawn(rig.form.Picture2, kGreen);
  ASSERT_EQ(cpu.size(), 112u);
  EXPECT_EQ(cpu.front().x1, 60);
  EXPECT_EQ(cpu.back().x1, 6720);
  rig.mon().Timer3_Timer();  // GraphX 6780: both graphs cleared
  EXPECT_TRUE(Rig::Drawn(rig.form.Picture2, kGreen).empty());
  ASSERT_EQ(Rig::Drawn(rig.form.Picture3, kBlue).size(), 1u);
  EXPECT_EQ(Rig::Drawn(rig.form.Picture3, kBlue)[0].x1, 0);
  int grid = 0;
  for (const ui::DrawOp& op : rig.form.Picture2.Drawing()) grid += op.dotted ? 1 : 0;
  EXPECT_EQ(grid, 7) << "clearing keeps the grid";
  rig.mon().Timer3_Timer();
  EXPECT_EQ(Rig::Drawn(rig.form.Picture2, kGreen).at(0).x1, 60);
}

TEST(Monitoring, SpeedChoiceSetsTheInterval) {
  Rig rig(OsKind::kXp, 1, 512 * kMB, 256 * kMB);
  EXPECT_EQ(rig.form.Timer3.Interval(), 1000);
  EXPECT_TRUE(rig.form.Timer3.Enabled());
  EXPECT_TRUE(rig.form.Option4[2].Value());
  const struct {
    int option, interval;
  } cases[] = {{0, 200}, {1, 400}, {2, 1000}};
  for (const auto& c : cases) {
    rig.form.Option4[c.option].SetValue(true);
    EXPECT_EQ(rig.form.Timer3.Interval(), c.interval) << c.option;
  }
}

// Memory for a free share: 512 MB in all, available so that the tick shows `free` percent.
std::uint64_t AvailFor(int free) { return static_cast<std::uint64_t>(free * 512 / 100.0 + 0.5) * kMB - kMB; }

TEST(MonitoringLog, RecAndStopWriteTheExactBytes) {
  Rig rig(OsKind::kXp, 1, 512 * kMB, AvailFor(40));
  rig.machine->fs.AddFile(rig.LogPath(), "old content");
  rig.form.Command6.UserClick();
  EXPECT_FALSE(rig.form.Command6.Enabled());
  EXPECT_TRUE(rig.form.Command7.Enabled());
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(rig.form.Option4[i].Enabled()) << i;
  EXPECT_FALSE(rig.form.Label15[2].Enabled());
  EXPECT_EQ(rig.form.GetWindowState(), ui::WindowState::kMinimized);
  EXPECT_EQ(rig.mon().MonitorLogOn, 1);

  rig.machine->pdh.processor_load = {12};
  rig.mon().Timer3_Timer();
  rig.machine->pdh.processor_load = {7};
  rig.machine->sys.memory.avail_phys = AvailFor(41);
  rig.mon().Timer3_Timer();
  const std::string expected = "\"Monitoring file\"\r\n\"0\"\r\n\"12\"\r\n\"40\"\r\n\"7\"\r\n\"41\"\r\n";
  EXPECT_EQ(rig.machine->fs.Contents(rig.LogPath()), expected);

  rig.form.Command7.UserClick();
  EXPECT_EQ(rig.mon().MonitorLogOn, 0);
  EXPECT_TRUE(rig.form.Command6.Enabled());
  EXPECT_FALSE(rig.form.Command7.Enabled());
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(rig.form.Option4[i].Enabled()) << i;
  EXPECT_TRUE(rig.mon().form9().Loaded()) << "the viewer shows the log";
  rig.mon().Timer3_Timer();
  EXPECT_EQ(rig.machine->fs.Contents(rig.LogPath()), expected) << "nothing written after Stop";
}

TEST(MonitoringLog, TwoProcessorSamplesHaveThreeItems) {
  Rig rig(OsKind::kXp, 2, 512 * kMB, AvailFor(40));
  rig.machine->pdh.processor_load = {12, 99.5};
  rig.form.Command6.UserClick();
  rig.mon().Timer3_Timer();
  EXPECT_EQ(rig.machine->fs.Contents(rig.LogPath()),
            "\"Monitoring file\"\r\n\"1\"\r\n\"12\"\r\n\"100\"\r\n\"40\"\r\n");
}

TEST(MonitoringLog, EachSampleIsOneWrite) {
  Rig rig(OsKind::kXp, 2, 512 * kMB, AvailFor(40));
  rig.form.Command6.UserClick();
  const int writes = rig.machine->fs.WriteCount();
  for (int i = 0; i < 4; ++i) rig.mon().Timer3_Timer();
  EXPECT_EQ(rig.machine->fs.WriteCount() - writes, 4);
}

TEST(MonitoringLog, ARecThatCannotCreateTheLogStaysIdle) {
  Rig rig(OsKind::kXp, 1, 512 * kMB, AvailFor(40));
  rig.machine->fs.AddFile(rig.LogPath(), "held by another program");
  rig.machine->fs.SetLocked(rig.LogPath(), true);
  rig.form.Command6.UserClick();
  EXPECT_EQ(rig.mon().MonitorLogOn, 0);
  EXPECT_TRUE(rig.form.Command6.Enabled());
  EXPECT_FALSE(rig.form.Command7.Enabled());
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(rig.form.Option4[i].Enabled()) << i;
  EXPECT_EQ(rig.machine->msg.shown().size(), 1u);
  EXPECT_NE(rig.form.GetWindowState(), ui::WindowState::kMinimized);
}

TEST(MonitoringLog, UnloadingTheMainWindowEndsTheRecording) {
  Rig rig(OsKind::kXp, 1, 512 * kMB, AvailFor(40));
  rig.form.Load();
  rig.mon().Command6_Click();
  ASSERT_EQ(rig.mon().MonitorLogOn, 1);
  rig.form.Unload();
  EXPECT_EQ(rig.mon().MonitorLogOn, 0);
  const std::string before = rig.machine->fs.Contents(rig.LogPath());
  rig.mon().Timer3_Timer();
  EXPECT_EQ(rig.machine->fs.Contents(rig.LogPath()), before);
}

}  // namespace
}  // namespace ks::test
