// The language table of the satellite programs (pvx, travo, relayo): 65
// text slots, filled from the program's own language file by the shared
// loader. Each program names its file suffix and the first slot its file
// fills:  pvx "_pv.dat" from 2, relayo "_rl.dat" from 2, travo
// "_travo.dat" from 0. (KestrelaneSE has a larger table and a loader of its
// own with a different overflow rule.)
//
// Language file: ProgramFolder\DATA\LANGUAGE\<code><suffix>, items as the
// suite's field reader reads them: two header items, then one item per
// slot from the first slot. An item beginning with "- " is a comment: the
// item after it goes into the same slot (only one comment per slot is
// skipped; a second one becomes the slot's text).
#pragma once

#include <array>
#include <string>

#include "common/basRegistry.h"
#include "platform/files.h"
#include "ui/app.h"

namespace ks {

inline constexpr int kSatelliteSlotCount = 65;  // slots 0..64

class SatelliteLanguage {
 public:
  SatelliteLanguage(BasRegistry& reg, platform::Files& files, ui::App& app, std::string suffix, int first_slot)
      : reg_(reg), files_(files), app_(app), suffix_(std::move(suffix)), first_slot_(first_slot) {}

  // Reads "Language" (HKEY_CURRENT_USER Software\Kestrelane; never written
  // here) into LangCode, "en" when it is missing or empty, and fills the
  // table from the code's file. Slots are not cleared first: those the file
  // does not reach keep what they held.
  //  - A missing or unreadable file changes no slot and shows "Error in
  //    loading language" (OK, the program's title as caption).
  //  - A file whose items reach slot 64 shows the same message once; the
  //    slots read so far stay and the rest of the file is ignored.
  //  - A code that could name a file outside the language folder ("\",
  //    "/", ":" or "..") shows the message and loads English instead.
  void LoadLanguage();

  // The slot's text; "" outside 0..64.
  const std::string& Lang(int slot) const;

  std::array<std::string, kSatelliteSlotCount> LanguageTable{};
  // The language code in force after the last load.
  std::string LangCode = "en";

  const std::string& suffix() const { return suffix_; }
  int first_slot() const { return first_slot_; }

 private:
  // False when the file cannot be read.
  bool ReadFile(std::string* bytes);

  BasRegistry& reg_;
  platform::Files& files_;
  ui::App& app_;
  std::string suffix_;
  int first_slot_;
};

}  // namespace ks
