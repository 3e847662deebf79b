#include "shell/Language.h"

#include "shell/Form1.h"
#include "common/datafile.h"
#include "platform/names.h"

namespace ks {

namespace {

constexpr int kLastSlot = 300;  // reading this slot means the file is too long

std::string LanguageFolder(SeState& st) { return st.DataPath("\\DATA\\LANGUAGE\\"); }

bool IsComment(const std::string& item) { return item.size() >= 2 && item[0] == '-' && item[1] == ' '; }

// A code names a file inside the language folder; one that could reach
// outside it (a path separator, a drive or "..") names no file.
bool IsPlainCode(const std::string& code) {
  return code.find_first_of("\\/:") == std::string::npos && code.find("..") == std::string::npos;
}

// Reads one language file into the table; false when it cannot be read or
// holds more slot items than the table.
bool ReadLanguageFile(SeState& st, Form1& form) {
  std::string bytes;
  const bool opened =
      IsPlainCode(st.LangCode) && st.platform.files().ReadFile(LanguageFolder(st) + st.LangCode + ".dat", &bytes);
  FieldReader reader(bytes);
  if (opened) {
    st.LangFileRead = st.LangCode + ".dat";
    st.LangFileTitle = reader.Next();
    st.LangHeader = reader.Next();
  }
  form.Label17.SetCaption(st.LangHeader);
  if (!opened) return false;
  for (int slot = 0; slot <= kLastSlot; ++slot) {
    if (reader.AtEnd()) return true;
    std::string& text = st.LanguageTable[static_cast<size_t>(slot)];
    text = reader.Next();
    // A comment that ends the file stays in its slot: there is nothing to read over it.
    if (IsComment(text) && !reader.AtEnd()) text = reader.Next();
  }
  return false;
}

}  // namespace

void LoadLanguage(SeState& st, Form1& form) {
  st.LangCode = st.reg.ReadRegValue(kHkeyCurrentUser, kProductKey, "Language").AsText();
  if (st.LangCode.empty()) st.LangCode = "en";
  while (!ReadLanguageFile(st, form)) {
    st.app.MsgBox("Error in loading language", platform::kMbOk);
    // English is tried once; when it fails too the table keeps what it holds.
    if (st.LangCode == "en") return;
    st.LangCode = "en";
  }
}

void Form1::ListLanguages() {
  Combo17.Clear();
  LanguageFiles.clear();
  auto& files = st_.platform.files();
  for (const std::string& name : files.List(st_.DataPath("\\DATA\\Language\\*.dat"))) {
    if (name.find('_') != std::string::npos) continue;
    std::string bytes;
    // An unreadable file is still listed, with an empty name.
    std::string display;
    if (!st_.LangFileRead.empty() && SameTextIgnoringCase(name, st_.LangFileRead))
      display = st_.LangFileTitle;
    else if (files.ReadFile(st_.DataPath("\\DATA\\LANGUAGE\\") + name, &bytes))
      display = FieldReader(bytes).Next();
    Combo17.AddItem(display);
    LanguageFiles.push_back(name);
  }
}

void Form1::Combo17_Click() {
  const int chosen = Combo17.ListIndex();
  if (chosen < 0 || chosen >= static_cast<int>(LanguageFiles.size())) return;
  st_.reg.WriteAsBinary = 0;
  const std::string& file = LanguageFiles[static_cast<size_t>(chosen)];
  const std::string code = file.size() >= 4 ? file.substr(0, file.size() - 4) : std::string();
  st_.reg.WriteRegValue(kHkeyCurrentUser, kProductKey, "Language", code);
  st_.app.MsgBox("Please restart Kestrelane for change language.", platform::kMbOk);
}

}  // namespace ks
