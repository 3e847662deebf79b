#include "hardware/Clocks.h"

#include <cctype>

#include "common/numbers.h"
#include "hardware/Clocks_fx5900.h"
#include "hardware/clock_steps.h"

namespace ks {

namespace {

std::uint16_t Low16(std::int64_t n) { return static_cast<std::uint16_t>(static_cast<std::uint64_t>(n) & 0xFFFF); }

// floor(n / 2): an arithmetic shift, so -3 gives -2.
std::int64_t FloorHalf(std::int64_t n) { return n >= 0 ? n / 2 : -((-n + 1) / 2); }

// A clock goes into its signed 16-bit global only when it fits.
void Store(std::int16_t& global, std::int32_t clock) {
  if (clock <= 32767) global = static_cast<std::int16_t>(clock);
}

// One row per loader: on 9x/Me with a driver build below `old_below` the
// old command, else the new one.
enum class RunValue { kNone, kWrite, kDelete };
struct LoaderRow {
  ClockLoader loader;
  std::int32_t old_below;
  const char* old_command;
  const char* command;
  RunValue old_run_value;  // what the old command does with "NvInitialize"
};
constexpr LoaderRow kLoaders[] = {
    {ClockLoader::kProbe, 2281, "rundll32 NvQtwk,NvHWCtl", "rundll32 NvCpl.dll,NvStartup", RunValue::kNone},
    {ClockLoader::kReset, 2500, "rundll32 NvQtwk,NvXTInit", "rundll32 NvCpl.dll,NvStartup", RunValue::kDelete},
    {ClockLoader::kApply, 2281, "rundll32 NvQtwk,NvXTInit", "rundll32 NvCpl.dll,NvStartup", RunValue::kWrite},
    {ClockLoader::kMissingValues, 2281, "rundll32 NvQTwk,NvHWCtl", "rundll32 nvcpl.dll,NvStartup", RunValue::kNone},
};

const LoaderRow& RowOf(ClockLoader loader) {
  for (const auto& row : kLoaders)
    if (row.loader == loader) return row;
  return kLoaders[0];
}

bool OldLoader(const SeState& s, const LoaderRow& row) { return s.OsClass == 0 && s.DriverBuild < row.old_below; }

constexpr const char* kNvInitialize = "NvInitialize";
constexpr const char* kNvInitializeCommand = "RUNDLL32.EXE NvQTwk.dll,NvXTInit";

}  // namespace

ClockKeys ClockKeysFor(std::int64_t homer, std::int64_t device_id) {
  const std::uint16_t d = Low16(device_id);
  return ClockKeys{static_cast<std::uint16_t>(d ^ Low16(2 * homer) ^ kClockMask),
                   static_cast<std::uint16_t>(d ^ Low16(FloorHalf(homer)) ^ kClockMask)};
}

std::int32_t EncodeClockPair(std::int32_t core, std::int32_t mem, std::int64_t homer, std::int64_t device_id) {
  const ClockKeys keys = ClockKeysFor(homer, device_id);
  const std::uint32_t core_word = Low16(core) ^ keys.core;
  const std::uint32_t mem_word = Low16(mem) ^ keys.mem;
  return static_cast<std::int32_t>(mem_word << 16 | core_word);
}

ClockPair DecodeClockPair(std::int32_t stored, std::int64_t homer, std::int64_t device_id) {
  const ClockKeys keys = ClockKeysFor(homer, device_id);
  const auto bits = static_cast<std::uint32_t>(stored);
  return ClockPair{static_cast<std::int32_t>((bits & 0xFFFF) ^ keys.core),
                   static_cast<std::int32_t>((bits >> 16) ^ keys.mem)};
}

platform::RegKey ClockReadRoot(const SeState& s) {
  return s.OsClass != 0 ? platform::kHkeyCurrentUser : platform::kHkeyLocalMachine;
}

platform::RegKey ClockWriteRoot(const SeState& s) {
  return s.OsClass != 0 || s.DriverBuild >= 2500 ? platform::kHkeyCurrentUser : platform::kHkeyLocalMachine;
}

std::string ClockLoaderCommand(const SeState& s, ClockLoader loader) {
  const LoaderRow& row = RowOf(loader);
  return OldLoader(s, row) ? row.old_command : row.command;
}

void StartClockLoader(SeState& s, ClockLoader loader) {
  const LoaderRow& row = RowOf(loader);
  // The driver's loader is outside the program: a failed start is skipped.
  s.platform.processes().StartProgram(ClockLoaderCommand(s, loader), platform::WindowStyle::kMinimizedFocus);
  if (!OldLoader(s, row)) return;
  if (row.old_run_value == RunValue::kWrite) {
    s.reg.WriteRegText(platform::kHkeyLocalMachine, kRunKey, kNvInitialize, kNvInitializeCommand);
  } else if (row.old_run_value == RunValue::kDelete) {
    s.reg.DeleteRegValue(platform::kHkeyLocalMachine, kRunKey, kNvInitialize);
  }
}

void DetectClockModel(SeState& s) {
  std::string id = s.DeviceId;
  for (char& c : id) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  const std::string prefix = id.substr(0, 3);
  // Chips with separate 2D and 3D clocks, by family and by single id.
  static constexpr const char* kPrefixes3D[] = {"030", "033", "034", "004", "00C", "009"};
  static constexpr const char* kIds3D[] = {"00F1", "00F9", "00FB", "0140"};
  bool separate3d = false;
  for (const char* p : kPrefixes3D) separate3d = separate3d || prefix == p;
  for (const char* p : kIds3D) separate3d = separate3d || id == p;
  if (separate3d) s.ClockModel = 1;
  else s.ClockModel = prefix == "014" ? 2 : 0;
}

void WriteCoolBits(SeState& s) {
  s.reg.WriteAsBinary = 0;
  const std::int32_t bits = s.OsClass == 0 || s.DriverBuild < 4041 ? 3 : -1;
  s.reg.WriteRegDword(platform::kHkeyLocalMachine, kNvTweakKey, "CoolBits", bits);
}

bool NextRevisionKey(SeState& s) {
  std::string& key = s.NvTweakHwKey;
  const size_t at = key.find("REV_");
  if (at == std::string::npos || at + 6 > key.size()) return false;
  const char first = key[at + 4];
  const char second = key[at + 5];
  if (second < '0' || second > '9') return false;
  const std::string revision = std::string(1, first) + std::to_string(second - '0' + 1);
  key = key.substr(0, at + 4) + revision + key.substr(at + 6);
  return true;
}

ClockRange OfferedClockRange(std::int16_t default_clock) {
  return ClockRange{ToInt32(default_clock / 1.3).value_or(0), ToInt32(default_clock * 1.3).value_or(0)};
}

namespace clock_steps {

namespace {

// A value as it stood before the probe; empty text marks it absent.
struct Saved {
  const char* name;
  RegRead value;
};

void Restore(SeState& s, platform::RegKey root, const Saved& saved) {
  if (saved.value.IsEmpty()) {
    s.reg.DeleteRegValue(root, s.NvTweakHwKey, saved.name);
  } else if (auto number = saved.value.AsNumber()) {
    s.reg.WriteRegDword(root, s.NvTweakHwKey, saved.name, *number);
  } else {
    // Not a number: put it back as the text it was rather than lose it.
    s.reg.WriteRegText(root, s.NvTweakHwKey, saved.name, saved.value.AsText());
  }
}

}  // namespace

void Read(SeState& s, const ReadVariant& v) {
  s.reg.WriteAsBinary = 0;
  s.ClocksFound = false;
  if (s.NvTweakHwKey.empty()) return;
  if (v.cool_bits_first) WriteCoolBits(s);
  const platform::RegKey root = ClockReadRoot(s);
  auto read = [&](const char* name) { return s.reg.ReadRegValue(root, s.NvTweakHwKey, name); };

  Saved homer{"Homer", read("Homer")};
  Saved def{v.names.def, read(v.names.def)};
  Saved req{v.names.req, read(v.names.req)};
  Saved marge{"Marge", read("Marge")};

  if (v.probe) {
    for (const char* name : {v.names.req, "Bart", "Bart3D", "Homer"}) s.reg.DeleteRegValue(root, s.NvTweakHwKey, name);
  }
  if (!v.cool_bits_first) WriteCoolBits(s);
  StartClockLoader(s, ClockLoader::kProbe);

  // Whatever the registry holds now: the loader may not have answered yet.
  const RegRead b2_read = read(v.names.def);
  const RegRead h2_read = read("Homer");
  const RegRead k2_read = read(v.names.req);
  const std::int32_t b2 = b2_read.NumberOr(0);
  const std::int32_t h2 = h2_read.NumberOr(0);
  const std::int32_t k2 = k2_read.NumberOr(0);

  s.reg.WriteAsBinary = 0;
  for (const Saved* saved : {&homer, &def, &req, &marge}) Restore(s, root, *saved);

  SeState::ClocksSeenAt& seen = s.ClocksSeen;
  const std::string where = s.NvTweakHwKey + "\\" + v.names.def;
  if (seen.where != where) seen = SeState::ClocksSeenAt{where, std::nullopt, std::nullopt};
  auto decode = [&](std::int32_t pair, std::int32_t homer_number, std::int64_t device_id) {
    const ClockPair clocks = DecodeClockPair(pair, homer_number, device_id);
    return SeState::ClockPairSeen{clocks.core, clocks.mem};
  };

  // Defaults: the pair that stood before the probe, else the one the
  // loader wrote. Apply and Default delete the pair and "Homer"; a loader
  // that has not answered yet leaves both missing, and decoding nothing
  // would give the device id xor the mask (24088 MHz on a 0322), which the
  // callers take for a wrong revision key. The pair seen last stands then.
  std::optional<SeState::ClockPairSeen> defaults;
  if (!def.value.IsEmpty() && !homer.value.IsEmpty()) {
    defaults = decode(def.value.NumberOr(0), homer.value.NumberOr(0), s.DeviceIdNum);
  } else if (!b2_read.IsEmpty() && !h2_read.IsEmpty()) {
    defaults = decode(b2, h2, s.DeviceIdNum);
  }
  if (defaults) seen.defaults = defaults;
  s.ClocksFound = seen.defaults.has_value();
  const SeState::ClockPairSeen shown_defaults = seen.defaults.value_or(decode(b2, h2, s.DeviceIdNum));
  Store(s.CoreClockDef, shown_defaults.core);
  Store(s.MemClockDef, shown_defaults.mem);

  // Current: the loader's answer; without it, the pair that stood before
  // the probe is what the driver holds; without that either, the pair seen
  // last.
  std::optional<SeState::ClockPairSeen> current;
  const bool answered = !h2_read.IsEmpty() && !(b2_read.IsEmpty() && k2_read.IsEmpty());
  if (answered) {
    current = decode(k2 != 0 ? k2 : b2, h2, s.DeviceIdNumCopy);
  } else if (!homer.value.IsEmpty() && !(def.value.IsEmpty() && req.value.IsEmpty())) {
    const std::int32_t saved_req = req.value.NumberOr(0);
    current = decode(saved_req != 0 ? saved_req : def.value.NumberOr(0), homer.value.NumberOr(0), s.DeviceIdNumCopy);
  }
  if (current) seen.current = current;
  const SeState::ClockPairSeen shown =
      seen.current.value_or(decode(k2 != 0 ? k2 : b2, h2, s.DeviceIdNumCopy));
  Store(s.CoreClock, shown.core);
  Store(s.MemClock, shown.mem);
}

void Apply(SeState& s, const ApplyVariant& v) {
  s.reg.WriteAsBinary = 0;
  if (s.NvTweakHwKey.empty()) return;
  if (v.cool_bits) WriteCoolBits(s);
  else s.reg.WriteAsBinary = 0;
  const platform::RegKey root = ClockWriteRoot(s);
  const std::string& key = s.NvTweakHwKey;
  auto read = [&](const char* name) { return s.reg.ReadRegValue(root, key, name); };
  auto write = [&](const char* name, std::int32_t value) { s.reg.WriteRegDword(root, key, name, value); };
  auto remove = [&](const char* name) { s.reg.DeleteRegValue(root, key, name); };

  if (v.fill_page_flags && s.DriverBuild > 5500) {
    if (read("Geraklit").IsEmpty() || read("Gesiod").IsEmpty()) {
      write("Geraklit", 2);
      write("Gesiod", 2);
    }
  }

  if (s.CoreClock == s.CoreClockDef && s.MemClock == s.MemClockDef) {
    // The driver goes back to its defaults: a read before the reset loader
    // has answered shows them, not the request removed here.
    SeState::ClocksSeenAt& seen = s.ClocksSeen;
    if (seen.where == key + "\\" + v.names.def)
      seen.current = SeState::ClockPairSeen{s.CoreClockDef, s.MemClockDef};
    remove(v.names.req);
    write(v.names.req, read(v.names.def).NumberOr(0));
    StartClockLoader(s, ClockLoader::kReset);
    for (const char* name : {"Marge", v.names.req, v.names.def, "Homer"}) remove(name);
    return;
  }

  write("Marge", 1);
  if (read("Homer").NumberOr(0) == 0 || read(v.names.def).NumberOr(0) == 0) {
    remove(v.names.req);
    remove(v.names.def);
    StartClockLoader(s, ClockLoader::kMissingValues);
  }
  const RegRead homer = read("Homer");
  const RegRead def = read(v.names.def);
  // The loader has not answered (yet): a pair encoded without the driver's
  // key would be garbage to the card, so nothing is requested.
  if (homer.IsEmpty() || def.IsEmpty()) return;
  const std::int32_t h = homer.NumberOr(0);
  const std::int32_t b = def.NumberOr(0);
  write(v.names.req, EncodeClockPair(s.CoreClock, s.MemClock, h, s.DeviceIdNum));
  StartClockLoader(s, ClockLoader::kApply);
  write(v.names.def, b);
  write("Marge", 1);
}

}  // namespace clock_steps

void ReadClocks(SeState& s) { clock_steps::Read(s, clock_steps::ReadVariant{}); }

void ApplyClocks(SeState& s) { clock_steps::Apply(s, clock_steps::ApplyVariant{}); }

void ResetClocks(SeState& s) {
  s.reg.WriteAsBinary = 0;
  if (s.NvTweakHwKey.empty()) return;
  const platform::RegKey root = ClockWriteRoot(s);
  for (const char* name : {"Krusty", "Marge", "Bart", "Lisa", "Homer", "Geraklit", "Gesiod"})
    s.reg.DeleteRegValue(root, s.NvTweakHwKey, name);
  s.reg.WriteRegDword(root, s.NvTweakHwKey, "Geraklit", 1);
  s.reg.WriteRegDword(root, s.NvTweakHwKey, "Gesiod", 2);
  s.reg.WriteRegDword(root, s.NvTweakHwKey, "Marge", 0);
  StartClockLoader(s, ClockLoader::kReset);
}

void ReadCardClocks(SeState& s) {
  if (s.ClockModel == 1) ReadClocksFX(s);
  else ReadClocks(s);
}

void ApplyCardClocks(SeState& s) {
  if (s.ClockModel == 1) ApplyClocksFX(s);
  else ApplyClocks(s);
}

bool ReadClocksWithRetry(SeState& s, int limit) {
  bool found = false;
  for (int tries = 0;;) {
    ReadCardClocks(s);
    found = found || s.ClocksFound;
    if (s.CoreClockDef <= limit && s.MemClockDef <= limit) return true;
    // Until a read finds a pair the loader has not answered yet, which says
    // nothing about the key. A key without a revision to step stays.
    if (found) NextRevisionKey(s);
    if (++tries > 4) {
      s.ClocksFound = found;
      return false;
    }
  }
}

}  // namespace ks
