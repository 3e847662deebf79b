#include "hardware/monitor_log.h"

#include "common/datafile.h"
#include "common/numbers.h"

namespace ks {

std::string MonitorLogItem(const std::string& text) { return "\"" + text + "\"\r\n"; }

std::string MonitorLogHeader(std::int32_t two_cpu) {
  return MonitorLogItem(kMonitorLogHeader) + MonitorLogItem(std::to_string(two_cpu));
}

std::string MonitorLogSample(std::int32_t two_cpu, std::int32_t cpu1, std::int32_t cpu2, std::int32_t free) {
  std::string bytes = MonitorLogItem(std::to_string(cpu1));
  if (two_cpu == 1) bytes += MonitorLogItem(std::to_string(cpu2));
  bytes += MonitorLogItem(std::to_string(free));
  return bytes;
}

MonitorLog ReadMonitorLog(const std::string& bytes) {
  MonitorLog log;
  const std::vector<std::string> items = ReadAllFields(bytes);
  if (items.empty() || items[0] != kMonitorLogHeader) return log;
  log.known = true;
  if (items.size() < 2) return log;
  log.two_cpu = TextToInt32(items[1]).value_or(0) == 1;
  const size_t per = static_cast<size_t>(log.ItemsPerSample());
  for (size_t at = MonitorLog::kHeaderItems; at + per <= items.size(); at += per) {
    std::int32_t v[3] = {0, 0, 0};
    bool numbers = true;
    for (size_t k = 0; k < per; ++k) {
      const auto n = TextToInt32(items[at + k]);
      if (!n) numbers = false;
      else v[k] = *n;
    }
    if (!numbers) break;
    log.samples.push_back(log.two_cpu ? MonitorSample{v[0], v[1], v[2]} : MonitorSample{v[0], 0, v[1]});
  }
  return log;
}

}  // namespace ks
