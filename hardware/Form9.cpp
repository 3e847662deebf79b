#include "hardware/Form9.h"

#include "hardware/monitor_log.h"
#include "ui/design_scope.h"

namespace ks {

namespace {
constexpr int kGreen = 0x0000FF00, kRed = 0x000000FF, kBlue = 0x00FF0000, kGrid = 0x00808080;
}  // namespace

Form9::Form9(SeState& state) : ui::Form(state.app, "Form9"), st_(state) {
  ui::DesignScope design(app());
  SetCaption("Monitoring");
  Move(0, 0, 10365, 5730);
  SetBorderStyle(ui::BorderStyle::kFixedDialog);
  SetStartUpPosition(ui::StartUpPosition::kCenterScreen);
  Label1[0].Move(60, 60, 4000, 255);
  Label1[0].SetCaption("CPU usage progress:");
  Picture1.Move(60, 330, 10000, 2050);
  Picture1.SetBackColor(0x00FFFFFF);
  Label1[1].Move(60, 2460, 4000, 255);
  Label1[1].SetCaption("Free memory progress:");
  Picture2.Move(60, 2730, 10000, 2050);
  Picture2.SetBackColor(0x00FFFFFF);
  Command1.Move(7560, 4860, 1215, 375);
  Command1.SetCaption(">>>");
  Command1.SetEnabled(false);
  Command2.Move(8880, 4860, 1215, 375);
  Command2.SetCaption("Close");
  ClearGraph(Picture1);
  ClearGraph(Picture2);
  Command1.OnClick = [this] { Command1_Click(); };
  Command2.OnClick = [this] { Command2_Click(); };
}

void Form9::Form_Load() {
  PageStartItem = 0;
  SetCaption(st_.Lang(45));
  Label1[0].SetCaption(st_.Lang(188));
  Label1[1].SetCaption(st_.Lang(189));
  Command2.SetCaption(st_.Lang(204));
  DrawMonitoringPage();
}

void Form9::ClearGraph(ui::PictureBox& graph) {
  graph.Cls();
  graph.SetDrawWidth(1);
  graph.SetDrawStyle(ui::DrawStyle::kDot);
  for (int y : {510, 1020, 1530}) graph.DrawLine(0, y, 9960, y, kGrid);
  graph.SetDrawStyle(ui::DrawStyle::kSolid);
}

void Form9::DrawMonitoringPage() {
  ClearGraph(Picture1);
  ClearGraph(Picture2);
  std::string bytes;
  // A missing log reads as an empty one: empty graphs, nothing to page.
  if (!st_.platform.files().ReadFile(st_.DataPath(kMonitorLogName), &bytes)) bytes.clear();
  const MonitorLog log = ReadMonitorLog(bytes);
  if (!log.known && !bytes.empty()) {
    st_.app.MsgBox("Unknown file type", platform::kMbOk);
    Unload();
    return;
  }
  const int per = log.ItemsPerSample();
  const int total = static_cast<int>(log.samples.size());
  // The page's first sample: PageStartItem counts the items before it.
  int first = PageStartItem > MonitorLog::kHeaderItems ? (PageStartItem - MonitorLog::kHeaderItems) / per : 0;
  if (first >= total) first = total;
  LogItemCount = MonitorLog::kHeaderItems + first * per;
  int at = first;
  if (at < total) {
    LogItemCount += per;  // the starting point
    Picture1.SetDrawWidth(1);
    Picture2.SetDrawWidth(2);
    for (int x = 0; at + 1 < total && x < kLogPageWidth; x += kLogStep) {
      const MonitorSample& prev = log.samples[static_cast<size_t>(at)];
      const MonitorSample& cur = log.samples[static_cast<size_t>(at + 1)];
      LogItemCount += per;
      Picture1.DrawLine(x, LogGraphY(prev.cpu1), x + kLogStep, LogGraphY(cur.cpu1), kGreen);
      if (log.two_cpu) Picture1.DrawLine(x, LogGraphY(prev.cpu2), x + kLogStep, LogGraphY(cur.cpu2), kRed);
      Picture2.DrawLine(x, LogGraphY(prev.free), x + kLogStep, LogGraphY(cur.free), kBlue);
      ++at;
    }
    ++at;  // past the page's last sample
  }
  if (at < total) {
    Command1.SetEnabled(true);
    PageStartItem = LogItemCount;
  } else {
    Command1.SetEnabled(false);
    PageStartItem = 0;
  }
}

void Form9::Command1_Click() {
  Command1.SetEnabled(false);
  DrawMonitoringPage();
}

void Form9::Command2_Click() {
  st_.platform.files().DeleteFile(st_.DataPath(kMonitorLogName));
  Unload();
}

}  // namespace ks
