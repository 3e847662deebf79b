#include "cleaner/satellite_language.h"

#include <algorithm>

#include "common/datafile.h"
#include "common/paths.h"

namespace ks {

namespace {

constexpr int kLastSlot = kSatelliteSlotCount - 1;
constexpr const char* kLoadError = "Error in loading language";

bool IsComment(const std::string& item) { return item.size() >= 2 && item[0] == '-' && item[1] == ' '; }

}  // namespace

const std::string& SatelliteLanguage::Lang(int slot) const {
  static const std::string kNone;
  if (slot < 0 || slot > kLastSlot) return kNone;
  return LanguageTable[static_cast<size_t>(slot)];
}

bool SatelliteLanguage::ReadFile(std::string* bytes) {
  return files_.ReadFile(files_.ProgramFolder() + "\\DATA\\LANGUAGE\\" + LangCode + suffix_, bytes);
}

void SatelliteLanguage::LoadLanguage() {
  LangCode = reg_.ReadRegValue(kHkeyCurrentUser, kProductKey, "Language").AsText();
  if (LangCode.empty()) LangCode = "en";
  // The code names a file inside the language folder: one that could reach
  // outside it or name a device ("NUL", "COM1") names none.
  if (!IsPlainFileName(LangCode)) {
    app_.MsgBox(kLoadError, platform::kMbOk);
    LangCode = "en";
  }
  std::string bytes;
  if (!ReadFile(&bytes)) {
    app_.MsgBox(kLoadError, platform::kMbOk);
    return;
  }
  FieldReader reader(bytes);
  reader.Next();
  reader.Next();
  for (int slot = std::clamp(first_slot_, 0, kLastSlot);;) {
    if (reader.AtEnd()) return;
    std::string& text = LanguageTable[static_cast<size_t>(slot)];
    text = reader.Next();
    // A comment that ends the file stays in its slot: there is nothing to read over it.
    if (IsComment(text) && !reader.AtEnd()) text = reader.Next();
    // Reaching the last slot ends the load with the message, even when the
    // file ends there too.
    if (++slot > kLastSlot) {
      app_.MsgBox(kLoadError, platform::kMbOk);
      return;
    }
  }
}

}  // namespace ks
