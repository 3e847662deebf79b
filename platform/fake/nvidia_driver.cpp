#include "platform/fake/nvidia_driver.h"

#include "platform/fake/names.h"

namespace ks::fake {

namespace {

std::string Dword(std::int32_t value) {
  const auto u = static_cast<std::uint32_t>(value);
  std::string bytes;
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>((u >> (8 * i)) & 0xFF);
  return bytes;
}

// The driver's keys: device id xor (2H) and xor floor(H / 2), each xor 0x5D3A.
std::uint16_t CoreKey(std::uint16_t d, std::int32_t h) {
  return static_cast<std::uint16_t>(d ^ (static_cast<std::uint64_t>(std::int64_t{h} * 2) & 0xFFFF) ^ 0x5D3A);
}
std::uint16_t MemKey(std::uint16_t d, std::int32_t h) {
  return static_cast<std::uint16_t>(d ^ (static_cast<std::uint32_t>(h >> 1) & 0xFFFF) ^ 0x5D3A);
}

}  // namespace

FakeNvidiaDriver::FakeNvidiaDriver(FakeRegistry& reg, FakeProcesses& processes) : reg_(reg) {
  processes.on_start = [this](const FakeProcesses::Started& started) {
    if (!IsLoader(started.command_line)) return;
    if (answer == Answer::kAtOnce) Run();
    else ++pending_;
  };
}

void FakeNvidiaDriver::SetDefaults(Clocks d2, Clocks d3) {
  set2d.defaults = set2d.in_force = d2;
  set3d.defaults = set3d.in_force = d3;
}

bool FakeNvidiaDriver::IsLoader(const std::string& command_line) {
  const std::string line = FoldCase(command_line);
  return line.rfind("rundll32", 0) == 0 &&
         (line.find("nvcpl") != std::string::npos || line.find("nvqtwk") != std::string::npos);
}

void FakeNvidiaDriver::RunPending() {
  for (; pending_ > 0; --pending_) Run();
}

std::int32_t FakeNvidiaDriver::Encode(Clocks c, std::int32_t h) const {
  const std::uint32_t core = (static_cast<std::uint32_t>(c.core) & 0xFFFF) ^ CoreKey(device_id, h);
  const std::uint32_t mem = (static_cast<std::uint32_t>(c.mem) & 0xFFFF) ^ MemKey(device_id, h);
  return static_cast<std::int32_t>(mem << 16 | core);
}

FakeNvidiaDriver::Clocks FakeNvidiaDriver::Decode(std::int32_t stored, std::int32_t h) const {
  const auto bits = static_cast<std::uint32_t>(stored);
  return Clocks{static_cast<std::int32_t>((bits & 0xFFFF) ^ CoreKey(device_id, h)),
                static_cast<std::int32_t>((bits >> 16) ^ MemKey(device_id, h))};
}

std::optional<std::int32_t> FakeNvidiaDriver::Number(const std::string& name) const {
  auto v = reg_.Get(key, name);
  if (!v || v->type != 4 || v->bytes.size() != 4) return std::nullopt;
  std::uint32_t n = 0;
  for (int i = 0; i < 4; ++i) n |= static_cast<std::uint32_t>(static_cast<unsigned char>(v->bytes[i])) << (8 * i);
  return static_cast<std::int32_t>(n);
}

void FakeNvidiaDriver::RunSet(ClockSet& set) {
  const auto marge = Number("Marge");
  const auto requested = Number(set.req);
  if (marge.value_or(0) == 1) {
    // The driver decodes with its own key: a pair encoded with another
    // "Homer" puts garbage clocks in force.
    if (requested) set.in_force = Decode(*requested, homer);
  } else {
    set.in_force = set.defaults;
  }
  if (!reg_.Get(key, set.def)) reg_.Put(key, set.def, 4, Dword(Encode(set.defaults, homer)));
  if (!(set.in_force == set.defaults) && !reg_.Get(key, set.req)) {
    reg_.Put(key, set.req, 4, Dword(Encode(set.in_force, homer)));
  }
}

void FakeNvidiaDriver::Run() {
  ++runs;
  if (key.empty()) return;
  if (!reg_.Get(key, "Homer")) reg_.Put(key, "Homer", 4, Dword(homer));
  RunSet(set2d);
  if (has_3d) RunSet(set3d);
}

}  // namespace ks::fake
