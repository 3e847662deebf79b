#include "tools/Form3.h"

#include <cctype>
#include <limits>

#include "common/numbers.h"
#include "ui/design_scope.h"

namespace ks {

namespace {
constexpr const char* kPageNames[] = {"Direct3D", "OpenGL", "System / Control panel"};
}  // namespace

std::optional<std::int32_t> WholeNumber(const std::string& text) {
  const std::string t = Trim(text);
  size_t i = 0;
  const bool negative = !t.empty() && t[0] == '-';
  if (negative) i = 1;
  if (i >= t.size()) return std::nullopt;
  long long n = 0;
  for (; i < t.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(t[i]))) return std::nullopt;
    n = n * 10 + (t[i] - '0');
    if (n > 2147483648LL) return std::nullopt;
  }
  if (negative) n = -n;
  if (n > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  return static_cast<std::int32_t>(n);
}

Form3::Form3(SeState& state) : ui::Form(state.app, "Form3"), st_(state) {
  ui::DesignScope design(app());
  SetCaption("Registry editor");
  Move(0, 0, 7335, 6300);
  SetBorderStyle(ui::BorderStyle::kFixedDialog);
  SetStartUpPosition(ui::StartUpPosition::kCenterOwner);
  Combo1.Move(120, 120, 3615, 315);
  Combo1.SetText("Direct3D");
  for (int i = 0; i < 3; ++i) {
    Option1[i].Move(120 + 1300 * i, 6000, 1200, 255);
    Option1[i].SetCaption(kPageNames[i]);
  }
  Option1[0].SetValue(true);
  List1.Move(120, 540, 3615, 4710);
  // The description label holds eight lines: the longest shipped
  // description takes seven.
  Frame1.Move(3855, 60, 3240, 1860);
  Frame1.SetCaption("Key description:");
  Label1.Move(120, 240, 3000, 1560);
  Label1.SetCaption("N/A - no description for this key");
  Frame3.Move(3855, 1980, 3240, 735);
  Frame3.SetCaption("Actual value for selected key:");
  Label2.Move(120, 300, 3000, 255);
  Label2.SetCaption("N/A");
  Frame2.Move(3855, 2775, 3240, 2535);
  Frame2.SetCaption("Available values:");
  List2.Move(120, 240, 3000, 1230);
  Check1.Move(120, 1560, 1500, 255);
  Check1.SetCaption("User value");
  Text1.Move(1680, 1530, 1440, 315);
  Text1.SetText("0");
  Text1.SetEnabled(false);
  Command2.Move(120, 2010, 1440, 375);
  Command2.SetCaption("Write key");
  Command2.SetEnabled(false);
  Command1.Move(1680, 2010, 1440, 375);
  Command1.SetCaption("Delete key");
  Command1.SetEnabled(false);
  Command3.Move(5655, 5400, 1440, 375);
  Command3.SetCaption("Close");

  Combo1.OnClick = [this] { Combo1_Click(); };
  Combo1.OnChange = [this] { Combo1_Click(); };
  Option1.OnClick = [this](int index) { Option1_Click(index); };
  List1.OnClick = [this] { List1_Click(); };
  List2.OnClick = [this] { List2_Click(); };
  Check1.OnClick = [this] { Check1_Click(); };
  Text1.OnChange = [this] { Text1_Change(); };
  Command2.OnClick = [this] { WriteKey(); };
  Command1.OnClick = [this] { DeleteKey(); };
  Command3.OnClick = [this] { Unload(); };
}

int Form3::Page() const {
  auto& options = const_cast<ui::ControlArray<ui::OptionButton>&>(Option1);
  if (options[0].Value()) return kPageDirect3D;
  if (options[1].Value()) return kPageOpenGL;
  return kPageSystem;
}

void Form3::Form_Load() {
  FindDatabaseFile();
  SetCaptionFromDatabase();
  LoadDatabase();
  for (const char* name : kPageNames) Combo1.AddItem(name);
  Frame1.SetCaption(st_.Lang(198));
  Frame3.SetCaption(st_.Lang(199));
  Frame2.SetCaption(st_.Lang(200));
  Check1.SetCaption(st_.Lang(201));
  Command2.SetCaption(st_.Lang(202));
  Command1.SetCaption(st_.Lang(203));
  Command3.SetCaption(st_.Lang(204));
}

void Form3::SetCaptionFromDatabase() { SetCaption(st_.Lang(196) + DatabaseName + st_.Lang(197)); }

void Form3::FindDatabaseFile() {
  auto& files = st_.platform.files();
  DatabaseChoice choice =
      ChooseDatabaseFile(Page(), st_.DriverBuild, files.List(st_.DataPath(kDatabaseFolder) + "*.dat"));
  DatabaseName = std::move(choice.name);
  DatabaseFiles = std::move(choice.files);
}

void Form3::LoadDatabase() {
  const std::string path = st_.DataPath(kDatabaseFolder) + DatabaseName + ".dat";
  ClearKeyView();
  app().DoEvents();
  // A missing or unreadable file gives an empty list.
  std::string bytes;
  st_.platform.files().ReadFile(path, &bytes);
  DatabaseContents contents = ReadDatabase(bytes, kEditorEntries);
  for (size_t i = 0; i < contents.records.size(); ++i) DatabaseEntry[i] = std::move(contents.records[i]);
  EntryCount = contents.count;
  for (size_t i = 0; i < contents.records.size(); ++i) List1.AddItem(DatabaseEntry[i].name);
}

void Form3::ClearKeyView() {
  DatabaseEntry.fill(DatabaseRecord{});
  List1.Clear();
  List2.Clear();
  Label1.SetCaption(st_.Lang(205));
  Label2.SetCaption(st_.Lang(206));
  DatabaseFiles.clear();
}

void Form3::Combo1_Click() {
  const std::string text = Combo1.ListIndex() >= 0 ? Combo1.List(Combo1.ListIndex()) : "";
  int page = kPageSystem;
  if (text == kPageNames[0]) page = kPageDirect3D;
  else if (text == kPageNames[1]) page = kPageOpenGL;
  // Picking the page already shown loads it afresh; setting the option
  // button it already holds would raise no Click.
  if (Option1[page].Value()) Option1_Click(page);
  else Option1[page].SetValue(true);
}

void Form3::Option1_Click(int index) {
  FindDatabaseFile();
  SetCaptionFromDatabase();
  LoadDatabase();
  Command1.SetEnabled(false);
  Command2.SetEnabled(false);
}

const DatabaseRecord* Form3::SelectedEntry() const {
  const int index = List1.ListIndex();
  if (index < 0 || index >= kEditorEntries || index >= List1.ListCount()) return nullptr;
  return &DatabaseEntry[static_cast<size_t>(index)];
}

EntryLocation Form3::Where(const DatabaseRecord& entry) const {
  return LocateEntry(Page(), st_.OsClass, st_.DriverKey, entry.name);
}

void Form3::ShowCurrentValue(const DatabaseRecord& entry) {
  const EntryLocation where = Where(entry);
  const RegRead value = st_.reg.ReadRegValue(kHkeyLocalMachine, where.key, where.name);
  if (value.IsEmpty()) {
    Label2.SetCaption(st_.Lang(206));
    return;
  }
  Label2.SetCaption(IntToText(value.AsNumber().value_or(0)));
}

void Form3::ShowSelectedValue() {
  if (const DatabaseRecord* entry = SelectedEntry()) ShowCurrentValue(*entry);
}

void Form3::List1_Click() {
  const DatabaseRecord* entry = SelectedEntry();
  if (!entry) return;
  Command1.SetEnabled(true);
  if (Check1.Value() == ui::kUnchecked) Command2.SetEnabled(false);
  Label1.SetCaption(entry->description == "?" ? st_.Lang(205) : entry->description);
  List2.Clear();
  // The list ends before the second slot that holds 0.
  int zeros = 0;
  for (std::int32_t v : entry->values) {
    if (v == 0) ++zeros;
    if (zeros >= 2) break;
    List2.AddItem(IntToText(v));
  }
  ShowCurrentValue(*entry);
}

void Form3::List2_Click() { Command2.SetEnabled(true); }

void Form3::Check1_Click() {
  Text1.SetText("0");
  const bool user_value = Check1.Value() == ui::kChecked;
  Text1.SetEnabled(user_value);
  List2.SetEnabled(!user_value);
  Command2.SetEnabled(user_value);
}

void Form3::Text1_Change() {
  const std::string& text = Text1.Text();
  // Every trailing character that is not a digit or "-" goes, down to the
  // first character, which is never checked. They go in one pass: removing
  // one at a time raises Change again for each, one nested call per
  // character, and a long paste overflowed the stack.
  size_t keep = text.size();
  while (keep >= 2 && !std::isdigit(static_cast<unsigned char>(text[keep - 1])) && text[keep - 1] != '-') --keep;
  if (keep < text.size()) Text1.SetText(text.substr(0, keep));
  Command2.SetEnabled(true);
}

void Form3::WriteKey() {
  const DatabaseRecord* entry = SelectedEntry();
  if (!entry) return;
  const std::string text = Check1.Value() == ui::kUnchecked ? List2.Text() : Text1.Text();
  const std::optional<std::int32_t> number = WholeNumber(text);
  if (number) {
    const EntryLocation where = Where(*entry);
    if (where.binary) {
      st_.reg.WriteAsBinary = 1;
      st_.reg.WriteRegValue(kHkeyLocalMachine, where.key, where.name, *number);
      st_.reg.WriteAsBinary = 0;
    } else {
      st_.reg.WriteAsBinary = 0;
      st_.reg.WriteRegValue(kHkeyLocalMachine, where.key, where.name, *number);
    }
  }
  ShowCurrentValue(*entry);
}

void Form3::DeleteKey() {
  const DatabaseRecord* entry = SelectedEntry();
  if (!entry) return;
  const EntryLocation where = Where(*entry);
  st_.reg.DeleteRegValue(kHkeyLocalMachine, where.key, where.name);
  ShowCurrentValue(*entry);
}

}  // namespace ks
