#include "hardware/monitoring.h"

#include <algorithm>
#include <cstring>

#include "common/numbers.h"
#include "hardware/Form9.h"
#include "hardware/monitor_log.h"
#include "shell/Form1.h"

namespace ks {

namespace {

constexpr int kGreen = 0x0000FF00, kRed = 0x000000FF, kBlue = 0x00FF0000, kGrid = 0x00808080;

std::int32_t Percent(std::int32_t value) { return std::clamp(value, 0, 100); }

// One processor's column: a dot for an idle processor, else a bar from the
// bottom margin up to its load.
void DrawCpuColumn(ui::PictureBox& graph, int x, std::int32_t cpu, int color) {
  const int h = graph.Height();
  if (cpu < 1) graph.DrawPoint(x, h - 100, color);
  else graph.DrawLine(x, h - 90, x, h - 100 - cpu * 10, color);
}

void DrawGrid(ui::PictureBox& graph) {
  graph.SetDrawStyle(ui::DrawStyle::kDot);
  graph.SetDrawWidth(1);
  for (int x = 840; x <= 5880; x += 840) graph.DrawLine(x, 0, x, graph.Height(), kGrid);
  graph.SetDrawStyle(ui::DrawStyle::kSolid);
  graph.SetDrawWidth(2);
}

}  // namespace

Monitoring::Monitoring(Form1& form, SeState& state)
    : f_(form), st_(state), form9_(std::make_unique<Form9>(state)) {
  ClearGraphs();
  f_.Timer3.OnTimer = [this] { Timer3_Timer(); };
  f_.Option4.OnClick = [this](int index) { Option4_Click(index); };
  f_.Command6.OnClick = [this] { Command6_Click(); };
  f_.Command7.OnClick = [this] { Command7_Click(); };
}

Monitoring::~Monitoring() = default;

void Monitoring::ClearGraphs() {
  for (ui::PictureBox* graph : {&f_.Picture2, &f_.Picture3}) {
    graph->Cls();
    DrawGrid(*graph);
  }
}

void Monitoring::OpenCounter(int processor, platform::PdhHandle* query, platform::PdhHandle* counter) {
  if (st_.OsClass == 0) return;
  auto& pdh = st_.platform.perf();
  if (pdh.OpenQuery(query) != platform::kPdhSuccess) return;  // the loads read 0
  if (pdh.AddCounter(*query, platform::ProcessorTimePath(processor), counter) != platform::kPdhSuccess) return;
  // A first sample, so that the first tick already has a rate.
  pdh.CollectQueryData(*query);
  double thrown_away = 0;
  pdh.GetDoubleCounterValue(*counter, &thrown_away);
}

void Monitoring::OpenCpu0Counter() { OpenCounter(0, &CpuQuery0, &CpuCounter0); }
void Monitoring::OpenCpu1Counter() { OpenCounter(1, &CpuQuery1, &CpuCounter1); }

std::int32_t Monitoring::ReadCounter(platform::PdhHandle query, platform::PdhHandle counter) {
  auto& pdh = st_.platform.perf();
  if (query == 0 || counter == 0) return 0;
  pdh.CollectQueryData(query);
  double value = 0;
  if (pdh.GetDoubleCounterValue(counter, &value) != platform::kPdhSuccess) return 0;
  return Percent(ToInt32(value).value_or(0));
}

std::int32_t Monitoring::ReadDynDataUsage() {
  // StartStat starts the statistic, StatData reads it; a failing query
  // leaves what the one before it put in the buffer.
  auto& reg = st_.platform.registry();
  std::string buffer(4, '\0');
  for (const char* key : {"PerfStats\\StartStat", "PerfStats\\StatData"}) {
    platform::ScopedRegKey open(reg);
    if (reg.OpenKey(platform::kHkeyDynData, key, open.Receive()) != platform::kErrorSuccess) continue;
    std::uint32_t type = 0, size = 4;
    std::string data;
    if (reg.QueryValue(open.get(), "KERNEL\\CPUUsage", &type, &data, &size) == platform::kErrorSuccess) {
      data.resize(4, '\0');
      buffer = data.substr(0, 4);
    }
  }
  std::int32_t usage = 0;
  std::memcpy(&usage, buffer.data(), 4);
  return Percent(usage);
}

void Monitoring::Timer3_Timer() {
  if (f_.MonitorFirstTick) {
    OpenCpu0Counter();
    if (f_.TwoCPU == 1) OpenCpu1Counter();
    f_.MonitorFirstTick = false;
  }
  std::int32_t cpu1 = 0, cpu2 = 0;
  if (st_.OsClass != 0) {
    cpu1 = ReadCounter(CpuQuery0, CpuCounter0);
    if (f_.TwoCPU == 1) cpu2 = ReadCounter(CpuQuery1, CpuCounter1);
    f_.Label14[1].SetWidth(cpu1 * 10);
    f_.Label14[3].SetWidth(cpu2 * 10);
  } else {
    cpu1 = ReadDynDataUsage();
    f_.Label14[1].SetWidth(cpu1 * 10);
  }

  const std::int32_t total = TextToInt32(f_.GetMemInfo()).value_or(0);
  const std::int32_t avail = f_.AvailableMemoryMB;
  // A failed memory query gives a total of 0: nothing is known to be free.
  const std::int32_t free =
      total == 0 ? 0 : Percent(ToInt32(100.0 / total * avail).value_or(0));

  f_.Label16[0].SetCaption("CPU1 " + IntToText(cpu1) + "%");
  if (f_.TwoCPU != 1) f_.Label16[2].SetVisible(false);
  else f_.Label16[2].SetCaption("CPU2 " + IntToText(cpu2) + "%");

  if (MonitorLogOn == 1) {
    // One write per sample, on disk when it returns: a crash loses at most this sample.
    st_.platform.files().AppendFile(st_.DataPath(kMonitorLogName), MonitorLogSample(f_.TwoCPU, cpu1, cpu2, free));
  }

  f_.Label16[1].SetCaption(IntToText(free) + "%" + "    (" + IntToText(avail) + " MB " + st_.Lang(111) + ")");

  GraphX += kGraphColumn;
  f_.Picture2.SetDrawWidth(2);
  DrawCpuColumn(f_.Picture2, GraphX, cpu1, kGreen);
  if (f_.TwoCPU == 1) DrawCpuColumn(f_.Picture2, GraphX + 30, cpu2, kRed);
  if (GraphX >= f_.Picture2.Width()) {
    ClearGraphs();
    GraphX = 0;
  }
  const int h = f_.Picture3.Height();
  f_.Picture3.SetDrawWidth(2);
  f_.Picture3.DrawLine(GraphX, h, GraphX, h - free * 10, kBlue);
}

void Monitoring::Option4_Click(int index) {
  if (index < 0 || index > 2) return;
  f_.Timer3.SetInterval(kMonitorIntervals[index]);
}

void Monitoring::SetSpeedChoiceEnabled(bool enabled) {
  for (int i = 0; i < 3; ++i)
    if (f_.Option4.Has(i)) f_.Option4[i].SetEnabled(enabled);
  if (f_.Label15.Has(2)) f_.Label15[2].SetEnabled(enabled);
}

void Monitoring::Command6_Click() {
  f_.Command6.SetEnabled(false);
  SetSpeedChoiceEnabled(false);
  auto& files = st_.platform.files();
  const std::string path = st_.DataPath(kMonitorLogName);
  files.DeleteFile(path);  // a missing log is no error
  if (!files.WriteFile(path, MonitorLogHeader(f_.TwoCPU))) {
    // Nothing is recorded: back to idle rather than pretend.
    f_.Command6.SetEnabled(true);
    SetSpeedChoiceEnabled(true);
    st_.app.MsgBox("The monitoring log cannot be written: " + path, platform::kMbOk | platform::kMbIconExclamation);
    return;
  }
  MonitorLogOn = 1;
  f_.Command7.SetEnabled(true);
  f_.SetWindowState(ui::WindowState::kMinimized);
}

void Monitoring::Command7_Click() {
  MonitorLogOn = 0;
  f_.Command7.SetEnabled(false);
  f_.Command6.SetEnabled(true);
  SetSpeedChoiceEnabled(true);
  form9_->Show(true);
}

void Monitoring::Unload() {
  MonitorLogOn = 0;
  form9_->Unload();
}

}  // namespace ks
