// Form9 over well-formed, cut and foreign monitoring logs.
#include <gtest/gtest.h>

#include <string>

#include "hardware/Form9.h"
#include "hardware/monitor_log.h"
#include "hardware/monitoring.h"
#include "native/fixtures/se_rig.h"

namespace ks::test {
namespace {

constexpr int kGreen = 0x0000FF00, kRed = 0x000000FF, kBlue = 0x00FF0000;

std::string Log(int flag, int samples, int first_value = 0) {
  std::string bytes = MonitorLogHeader(flag);
  for (int i = 0; i < samples; ++i) {
    const int v = (first_value + i) % 101;
    bytes += MonitorLogSample(flag, v, 100 - v, 50);
  }
  return bytes;
}

struct Viewer : SeRig {
  explicit Viewer(const std::string* bytes) : SeRig(OsKind::kXp) {
    if (bytes != nullptr) machine->fs.AddFile(Path(), *bytes);
  }
  std::string Path() { return machine->fs.ProgramFolder() + "\\sm.dat"; }
  Form9& f9() { return form.monitoring().form9(); }
  int Count(const ui::PictureBox& box, int color) {
    int n = 0;
    for (const ui::DrawOp& op : box.Drawing()) n += op.color == color && !op.dotted ? 1 : 0;
    return n;
  }
  int Green() { return Count(f9().Picture1, kGreen); }
  int Red() { return Count(f9().Picture1, kRed); }
  int Blue() { return Count(f9().Picture2, kBlue); }
};

struct ViewCase {
  const char* name;
  std::string bytes;
  int green, red, blue;
  bool next_page;
};

TEST(LogViewer, FirstPageOfEachLog) {
  const std::string two = Log(1, 3);
  const ViewCase cases[] = {
      {"201 samples fill one page", Log(1, 201), 200, 200, 200, false},
      {"205 samples: one page and more", Log(1, 205), 200, 200, 200, true},
      {"one processor: green and blue only", Log(0, 10), 9, 0, 9, false},
      {"a flag that is no number counts as one processor", "\"Monitoring file\"\r\n\"x\"\r\n\"1\"\r\n\"2\"\r\n\"3\"\r\n\"4\"\r\n",
       1, 0, 1, false},
      {"header only (Stop before the first tick)", MonitorLogHeader(0), 0, 0, 0, false},
      {"header item only", MonitorLogItem(kMonitorLogHeader), 0, 0, 0, false},
      {"one sample: no segment", Log(1, 1), 0, 0, 0, false},
      {"ends inside a sample", two + "\"5\"\r\n\"6\"\r\n", 2, 2, 2, false},
      {"ends inside an item", two + "\"5\"\r\n\"6\"\r\n\"4", 3, 3, 3, false},
      {"an item that is no number ends the drawing", two + "\"5\"\r\n\"abc\"\r\n\"7\"\r\n" + MonitorLogSample(1, 1, 2, 3),
       2, 2, 2, false},
      {"an empty file", "", 0, 0, 0, false},
  };
  for (const ViewCase& c : cases) {
    Viewer v(&c.bytes);
    v.f9().Show(true);
    EXPECT_TRUE(v.f9().Loaded()) << c.name;
    EXPECT_TRUE(v.machine->msg.shown().empty()) << c.name;
    EXPECT_EQ(v.Green(), c.green) << c.name;
    EXPECT_EQ(v.Red(), c.red) << c.name;
    EXPECT_EQ(v.Blue(), c.blue) << c.name;
    EXPECT_EQ(v.f9().Command1.Enabled(), c.next_page) << c.name;
  }
}

TEST(LogViewer, TheSecondPageStartsAfterTheFirstPagesLastSample) {
  const std::string bytes = Log(1, 205);
  Viewer v(&bytes);
  v.f9().Show(true);
  EXPECT_EQ(v.f9().PageStartItem, 2 + 201 * 3);
  v.f9().Command1.UserClick();
  EXPECT_EQ(v.Green(), 3);
  EXPECT_EQ(v.Red(), 3);
  EXPECT_EQ(v.Blue(), 3);
  EXPECT_FALSE(v.f9().Command1.Enabled());
  EXPECT_EQ(v.f9().PageStartItem, 0);
  // Sample 202 (value 201 % 101 = 100) starts the page at x = 0: no segment joins 201 and 202.
  const ui::DrawOp& first = v.f9().Picture1.Drawing().at(3);
  EXPECT_EQ(first.x1, 0);
  EXPECT_EQ(first.y1, LogGraphY(100));
}

TEST(LogViewer, PercentagesAtTheirHeights) {
  const std::string bytes = MonitorLogHeader(1) + MonitorLogSample(1, 0, 100, 0) + MonitorLogSample(1, 100, 0, 100);
  Viewer v(&bytes);
  v.f9().Show(true);
  std::vector<ui::DrawOp> drawn;
  for (const ui::DrawOp& op : v.f9().Picture1.Drawing())
    if (!op.dotted) drawn.push_back(op);
  ASSERT_EQ(drawn.size(), 2u);
  EXPECT_EQ(drawn[0], (ui::DrawOp{ui::DrawOp::Shape::kLine, 0, 2050, 50, 50, kGreen, 1, false}));
  EXPECT_EQ(drawn[1], (ui::DrawOp{ui::DrawOp::Shape::kLine, 0, 50, 50, 2050, kRed, 1, false}));
  EXPECT_EQ(v.Blue(), 1);
  EXPECT_EQ(v.f9().Picture2.Drawing().back().width, 2);
}

TEST(LogViewer, AMissingLogShowsEmptyGraphs) {
  Viewer v(nullptr);
  v.f9().Show(true);
  EXPECT_TRUE(v.f9().Loaded());
  EXPECT_EQ(v.Green() + v.Blue(), 0);
  EXPECT_FALSE(v.f9().Command1.Enabled());
  v.f9().Command2.UserClick();
  EXPECT_FALSE(v.f9().Loaded()) << "Close works without a log";
}

TEST(LogViewer, AForeignFileIsRefusedOnce) {
  const std::string bytes = "\"Something else\"\r\n\"0\"\r\n\"1\"\r\n\"2\"\r\n";
  Viewer v(&bytes);
  v.f9().Show(true);
  ASSERT_EQ(v.machine->msg.shown().size(), 1u);
  EXPECT_EQ(v.machine->msg.shown()[0].text, "Unknown file type");
  EXPECT_FALSE(v.f9().Loaded());
  EXPECT_EQ(v.Green() + v.Blue(), 0);
  EXPECT_TRUE(v.machine->fs.FileExists(v.Path())) << "only Close deletes the log";
}

TEST(LogViewer, CloseDeletesTheLogAndStopShowsTheViewerAgain) {
  const std::string bytes = Log(0, 5);
  Viewer v(&bytes);
  v.f9().Show(true);
  EXPECT_EQ(v.f9().Caption(), "<45>");
  EXPECT_EQ(v.f9().Command2.Caption(), "<204>");
  v.f9().Command2.UserClick();
  EXPECT_FALSE(v.f9().Loaded());
  EXPECT_FALSE(v.machine->fs.FileExists(v.Path()));
}

TEST(MonitorLogFormat, ReadBackWhatTheWriterWrote) {
  const std::string bytes = MonitorLogHeader(1) + MonitorLogSample(1, 1, 2, 3) + MonitorLogSample(1, 4, 5, 6);
  const MonitorLog log = ReadMonitorLog(bytes);
  ASSERT_TRUE(log.known);
  EXPECT_TRUE(log.two_cpu);
  ASSERT_EQ(log.samples.size(), 2u);
  EXPECT_EQ(log.samples[1].cpu1, 4);
  EXPECT_EQ(log.samples[1].cpu2, 5);
  EXPECT_EQ(log.samples[1].free, 6);
  EXPECT_EQ(MonitorLogSample(0, 12, 99, 40), "\"12\"\r\n\"40\"\r\n") << "one processor: no second item";
}

}  // namespace
}  // namespace ks::test
