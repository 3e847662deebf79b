// The card's core and memory clocks: where the driver keeps them, the
// encoding of a clock pair, reading, applying and resetting them.
//
// The driver keeps the clocks under the card's NVTweak hardware key
// (SeState::NvTweakHwKey):
//   "Homer"   the key number H of the encoding (written by the driver)
//   "Bart"    the default pair of the 2D clock set (written by the driver)
//   "Krusty"  the requested pair of the 2D clock set
//   "Bart3D", "Krusty3D"  the same for the 3D set (clock model 1 only)
//   "Marge"   1 = the requested pair is in force, 0 = off
//   "Lisa", "Geraklit", "Gesiod"  flags of the driver's clock page
// A missing value reads as empty text; where a number is wanted it counts
// as 0. Every value written here is a REG_DWORD (the Run values REG_SZ),
// whatever the registry writer's switch says; the procedures still leave
// the switch at 0, as every writer that needs a given type does.
//
// The clock state lives in SeState: CoreClock, MemClock (the last read, or
// the request the caller sets before applying), CoreClockDef, MemClockDef
// (the defaults of the last read), ClockModel, Use3DClocks, Clocks3DShown.
//
// The driver takes the values over through its control-panel loaders,
// started with rundll32 (minimised, with focus), never waited for; a
// loader that cannot be started is skipped. The loader may write the same
// values while the procedures go on: nothing synchronises the two.
//
// Without a hardware key (no NVIDIA card was found) the reading, applying
// and resetting procedures leave the registry alone: an empty key would
// put the clock values at the root of the registry hive.
//
// Procedures of the 2D set live here; the variants for every chip with
// separate 3D clocks (ReadClocksFX, ApplyClocksFX) in Clocks_fx5900.h. Callers pick
// them by ClockModel (1: the FX variants), or use ReadCardClocks and
// ApplyCardClocks, which do.
#pragma once

#include <cstdint>
#include <string>

#include "shell/se_state.h"

namespace ks {

inline constexpr const char* kNvTweakKey = "SOFTWARE\\NVIDIA Corporation\\Global\\NVTweak";
inline constexpr const char* kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
// The fixed part of both encoding keys.
inline constexpr std::uint16_t kClockMask = 0x5D3A;

// --- the clock pair -----------------------------------------------------
// Core key = D xor (2H mod 65536) xor mask; memory key = D xor
// (floor(H / 2) mod 65536) xor mask. Computed in 64 bits, so any H works;
// "mod 65536" is the low 16 bits in two's complement. D is the device id
// number (only its low 16 bits count).
struct ClockKeys {
  std::uint16_t core = 0;
  std::uint16_t mem = 0;
};
ClockKeys ClockKeysFor(std::int64_t homer, std::int64_t device_id);

// Core clock (low word) and memory clock (high word), each xor its key,
// as the signed 32-bit number a REG_DWORD holds. A clock counts with its
// low 16 bits (a negative one in two's complement).
std::int32_t EncodeClockPair(std::int32_t core, std::int32_t mem, std::int64_t homer, std::int64_t device_id);

// The two clocks of a stored pair, each 0..65535.
struct ClockPair {
  std::int32_t core = 0;
  std::int32_t mem = 0;
};
ClockPair DecodeClockPair(std::int32_t stored, std::int64_t homer, std::int64_t device_id);

// --- where the values live ----------------------------------------------
// Readers: HKEY_CURRENT_USER on the NT family, HKEY_LOCAL_MACHINE on 9x/Me.
platform::RegKey ClockReadRoot(const SeState& s);
// Writers (apply, reset): HKEY_CURRENT_USER on the NT family or with a
// driver build of 2500 or more; HKEY_LOCAL_MACHINE otherwise.
platform::RegKey ClockWriteRoot(const SeState& s);

// --- the clocks offered -------------------------------------------------
// The clocks the overclocking page's slider offers for a default clock:
// from default / 1.3 to default x 1.3, each end rounded (a half to the even
// neighbour). Only clocks above 0 count as offered.
struct ClockRange {
  int low = 0;
  int high = 0;
  bool Holds(int clock) const { return clock > 0 && clock >= low && clock <= high; }
};
ClockRange OfferedClockRange(std::int16_t default_clock);

// --- the driver's loaders -----------------------------------------------
enum class ClockLoader {
  kProbe,          // ReadClocks / ReadClocksFX, after the probe
  kReset,          // ResetClocks, and applying the defaults
  kApply,          // after a new pair was written
  kMissingValues,  // "Homer" or the default pair read as 0 before an apply
};
// The command line of a loader on this machine, exactly as the driver
// wants it (letter case included).
std::string ClockLoaderCommand(const SeState& s, ClockLoader loader);
// Starts the loader and does what goes with it: on 9x/Me with an old
// driver the apply loader writes the Run value "NvInitialize" and the
// reset loader deletes it (both under HKEY_LOCAL_MACHINE).
void StartClockLoader(SeState& s, ClockLoader loader);

// --- procedures -----------------------------------------------------------
// ClockModel from DeviceId (upper-cased): 1 for the prefixes "030", "033",
// "034", "004", "00C", "009" and the ids "00F1", "00F9", "00FB", "0140";
// else 2 for the prefix "014"; else 0. Start-up sets ClockModel to 0 and
// calls it once, after the device is known.
void DetectClockModel(SeState& s);

// Writes "CoolBits" (HKEY_LOCAL_MACHINE kNvTweakKey): 3 on 9x/Me or with a
// driver build below 4041, else -1. Sets WriteAsBinary to 0.
void WriteCoolBits(SeState& s);

// Steps the chip revision in NvTweakHwKey: "REV_A1" becomes "REV_A2",
// "REV_A9" becomes "REV_A10". False (the key unchanged) when the key has
// no "REV_" or the revision's second character is not a digit; callers
// skip the step and go on.
bool NextRevisionKey(SeState& s);

// Reads the 2D clock set: CoreClockDef/MemClockDef from the default pair
// as it stood (when it was missing, as the loader wrote it), CoreClock/
// MemClock from what the driver's loader answers (its requested pair, or
// its default pair when it has none; when it has not answered yet, the
// pair that stood before the read). When the loader has not answered and
// the values were missing before too (Apply and Default delete them), each
// pair is the one the last read at this key and set found, so a slow
// loader does not look like a wrong revision key (SeState::ClocksSeen);
// with none found yet, what the registry holds is decoded all the same.
// Probes the driver by deleting its values and starting its loader, then
// puts every value back as it was; values that were missing before take
// what the loader wrote. A decoded clock above 32767 leaves its global
// unchanged. Sets ClocksFound, and WriteAsBinary to 0.
void ReadClocks(SeState& s);

// Applies CoreClock/MemClock to the 2D set against CoreClockDef/MemClockDef
// of the last read. Equal to the defaults: removes the request and starts
// the reset loader; the clocks a read shows before the loader answers are
// then the defaults. Otherwise writes the encoded pair to "Krusty", "Marge"
// = 1 and starts the apply loader. When "Homer" or "Bart" is still missing
// after the driver was asked for them, nothing is encoded and no apply
// loader starts: a pair encoded without the driver's key is garbage to the
// card. Callers read the clocks afterwards to show what the driver holds.
// Sets WriteAsBinary to 0.
void ApplyClocks(SeState& s);

// Removes the program's clock request and lets the driver start again from
// its own defaults (starts the reset loader). Sets WriteAsBinary to 0.
void ResetClocks(SeState& s);

// ReadClocksFX when ClockModel is 1, else ReadClocks.
void ReadCardClocks(SeState& s);
// ApplyClocksFX when ClockModel is 1, else ApplyClocks.
void ApplyCardClocks(SeState& s);

// The callers' retry rule: ReadCardClocks until CoreClockDef and
// MemClockDef are both at most `limit` (true). After each failing read
// NvTweakHwKey steps to the next revision (NextRevisionKey); after the
// fifth read it gives up (false: the caller shows its message; the clocks
// hold the fifth read). The key keeps the last revision tried. Until a read
// finds a pair (SeState::ClocksFound; none while nothing is stored and the
// loader has not answered) the key stays where it is. On false ClocksFound
// says whether any read found one: false then means the clocks are not
// known yet, not that the key is wrong.
bool ReadClocksWithRetry(SeState& s, int limit);

}  // namespace ks
