// One monitoring tick in the shown main window (sampling, texts, bars,
// graphs and their repaint), timed in processor time of this process,
// against a floor: the same number of rounds of the bare system calls a
// tick makes (collect and read the counters, the memory status) and the
// same message pumping. Prints both, their ratio and the tick's share of
// one core at the fastest interval (200 ms).
#include <cstdio>
#include <cstdlib>
#include <string>

#include "hardware/monitoring.h"
#include "platform/win32/machine.h"
#include "platform/win32/win.h"
#include "shell/Form1.h"
#include "shell/se_state.h"
#include "ui/win32/renderer.h"

namespace {

// The real machine, but message boxes are answered at once: start-up run
// from the build folder has no language file and would wait for a click.
class BenchMachine : public ks::win32::Win32Machine {
 public:
  ks::platform::Dialogs& dialogs() override { return silent_; }

 private:
  struct Silent : ks::platform::Dialogs {
    int MessageBox(const std::string&, unsigned, const std::string&) override { return ks::platform::kIdOk; }
  } silent_;
};

double CpuSeconds() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto value = [](const FILETIME& t) {
    return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
  };
  return value(kernel) + value(user);
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 2000;
  BenchMachine machine;
  ks::SeState state(machine);
  state.app.Title = "KestrelaneSE";
  ks::ui::win32::Renderer renderer(state.app);
  ks::Form1 form(state);
  form.Show();
  form.ActivePage = 14;
  form.ShowPage();
  form.Timer3.SetEnabled(false);  // the ticks are driven here
  ks::Monitoring& monitor = form.monitoring();
  for (int i = 0; i < 200; ++i) {
    monitor.Timer3_Timer();
    state.app.DoEvents();
  }

  const double t0 = CpuSeconds();
  for (int i = 0; i < rounds; ++i) {
    monitor.Timer3_Timer();
    state.app.DoEvents();
  }
  const double tick = (CpuSeconds() - t0) / rounds;

  auto& pdh = machine.perf();
  const double f0 = CpuSeconds();
  for (int i = 0; i < rounds; ++i) {
    double value = 0;
    pdh.CollectQueryData(monitor.CpuQuery0);
    pdh.GetDoubleCounterValue(monitor.CpuCounter0, &value);
    if (form.TwoCPU == 1) {
      pdh.CollectQueryData(monitor.CpuQuery1);
      pdh.GetDoubleCounterValue(monitor.CpuCounter1, &value);
    }
    ks::platform::MemoryStatus status;
    if (!machine.sys.GlobalMemoryStatusEx(&status)) machine.sys.GlobalMemoryStatus(&status);
    state.app.DoEvents();
  }
  const double floor = (CpuSeconds() - f0) / rounds;

  std::printf("rounds: %d (processors shown: %d)\n", rounds, form.TwoCPU == 1 ? 2 : 1);
  std::printf("one tick:  %9.1f us of processor time\n", tick * 1e6);
  std::printf("floor:     %9.1f us (the system calls of a tick and the message pump)\n", floor * 1e6);
  std::printf("ratio:     %9.2f\n", floor > 0 ? tick / floor : 0.0);
  std::printf("share of one core at 200 ms: %.3f %% (goal: below 0.5 %%)\n", tick / 0.2 * 100.0);
  form.Unload();
  return 0;
}
