#include "tools/Form6.h"

#include <algorithm>

#include "common/datafile.h"
#include "common/numbers.h"
#include "platform/names.h"
#include "engine/driver_values.h"
#include "hardware/Clocks.h"
#include "platform/processes.h"
#include "tools/Form3.h"
#include "tools/Form7.h"
#include "tools/presets.h"
#include "ui/design_scope.h"

namespace ks {

namespace {

bool StartsWithD3D(const std::string& name) {
  return name.size() >= 4 && SameTextIgnoringCase(std::string_view(name).substr(0, 4), "d3d_");
}

}  // namespace

Form6::Form6(SeState& state) : ui::Form(state.app, "Form6"), st_(state) {
  ui::DesignScope design(app());
  SetCaption("Profile manager");
  Move(0, 0, 6015, 6360);
  SetBorderStyle(ui::BorderStyle::kFixedDialog);
  SetStartUpPosition(ui::StartUpPosition::kCenterOwner);
  Check1.Move(120, 120, 5655, 255);
  Check1.SetCaption("Run TRAVONIX on startup");
  Check1.SetValue(ui::kChecked);

  ui::Frame& save = Frame1[0];
  save.Move(120, 480, 5655, 3975);
  save.SetCaption("Save profile");
  Label1.LoadIn(save, 0).Move(120, 300, 1815, 255);
  Label1[0].SetCaption("Profile name");
  Text1.Move(2040, 270, 3495, 315);
  Label1.LoadIn(save, 1).Move(120, 705, 1815, 255);
  Label1[1].SetCaption("Associated application");
  Text2.Move(2040, 675, 2955, 315);
  Command1.Move(5055, 675, 480, 315);
  Command1.SetCaption("...");
  Text3.Move(2040, 1035, 2955, 315);
  Text3.SetVisible(false);
  Check3.Move(120, 1140, 2175, 255);
  Check3.SetCaption("Preset clock speed:");
  Text4.Move(2400, 1110, 1455, 315);
  Text4.SetText("Core");
  Text4.SetToolTipText("Core clock speed");
  Text4.SetEnabled(false);
  Text5.Move(4080, 1110, 1455, 315);
  Text5.SetText("Memory");
  Text5.SetToolTipText("Memory clock speed");
  Text5.SetEnabled(false);
  Check2.Move(120, 1620, 5415, 255);
  Check2.SetCaption("Delete all registry keys before applying preset");
  Check5.Move(120, 2010, 5415, 435);
  Check5.SetCaption("Restore clock speed after terminating associated application");
  Command4.Move(2640, 3360, 1335, 375);
  Command4.SetCaption("Clear");
  Command3.Move(4200, 3360, 1335, 375);
  Command3.SetCaption("Save");

  ui::Frame& load = Frame1[1];
  load.Move(120, 4560, 5655, 855);
  load.SetCaption("Load profile");
  Label1.LoadIn(load, 2).Move(120, 360, 1335, 255);
  Label1[2].SetCaption("Load profile:");
  Combo4.Move(1560, 330, 3975, 315);
  Combo4.SetText("Empty");

  Command2.Move(4440, 5520, 1335, 375);
  Command2.SetCaption("Close");
  static constexpr const char* kPages[] = {"Direct3D", "OpenGL", "System / Control panel"};
  for (int i = 0; i < 3; ++i) {
    Option1[i].Move(120 + 1300 * i, 6600, 1200, 255);
    Option1[i].SetCaption(kPages[i]);
  }
  Option1[0].SetValue(true);

  Check1.OnClick = [this] { Check1_Click(); };
  Check3.OnClick = [this] { Check3_Click(); };
  Combo4.OnClick = [this] { Combo4_Click(); };
  Command4.OnClick = [this] { Command4_Click(); };
  Command3.OnClick = [this] { SavePreset(); };
  Command2.OnClick = [this] { Unload(); };
  Command1.OnClick = [this] { Command1_Click(); };
  Text2.OnChange = [this] { Text2_Change(); };
}

std::string Form6::AutostartPath() const { return AutostartCommand(st_.platform.files().ProgramFolder()); }

void Form6::WriteAutostart() {
  // The tray launcher compares the text: it goes out as REG_SZ even while
  // another writer has left the binary switch on.
  const std::int32_t binary = st_.reg.WriteAsBinary;
  st_.reg.WriteAsBinary = 0;
  st_.reg.WriteRegValue(kHkeyCurrentUser, kAutostartRunKey, kAutostartValue, AutostartPath());
  st_.reg.WriteAsBinary = binary;
}

void Form6::Form_Load() {
  LoadingFlag = 1;
  const std::string autostart = st_.reg.ReadRegValue(kHkeyCurrentUser, kAutostartRunKey, kAutostartValue).AsText();
  if (autostart.empty()) {
    Check1.SetValue(ui::kUnchecked);
  } else if (!IsOwnAutostart(autostart, st_.platform.files().ProgramFolder())) {
    WriteAutostart();
    Check1.SetValue(ui::kChecked);
  }
  SetCaption(st_.Lang(219));
  Frame1[0].SetCaption(st_.Lang(220));
  Frame1[1].SetCaption(st_.Lang(221));
  Check1.SetCaption(st_.Lang(222));
  Label1[0].SetCaption(st_.Lang(223));
  Label1[1].SetCaption(st_.Lang(224));
  Check3.SetCaption(st_.Lang(225));
  Text4.SetText(st_.Lang(226));
  Text5.SetText(st_.Lang(227));
  Check2.SetCaption(st_.Lang(228));
  Check5.SetCaption(st_.Lang(229));
  Label1[2].SetCaption(st_.Lang(230));
  Command4.SetCaption(st_.Lang(236));
  Command3.SetCaption(st_.Lang(237));
  Command2.SetCaption(st_.Lang(204));
  ListPresets();
  LoadingFlag = 0;
}

void Form6::Form_Unload(int& cancel) {
  if (picker_) picker_->Unload();
}

void Form6::Check1_Click() {
  if (LoadingFlag == 1) return;
  if (Check1.Value() == ui::kChecked) {
    WriteAutostart();
  } else {
    st_.reg.DeleteRegValue(kHkeyCurrentUser, kAutostartRunKey, kAutostartValue);
  }
}

void Form6::ResetClockBoxes() {
  Text4.SetEnabled(false);
  Text5.SetEnabled(false);
  Text4.SetText(st_.Lang(226));
  Text5.SetText(st_.Lang(227));
}

void Form6::Check3_Click() {
  if (Check3.Value() != ui::kChecked) {
    ResetClockBoxes();
    return;
  }
  Text4.SetEnabled(true);
  Text5.SetEnabled(true);
  if (!ReadClocksWithRetry(st_, kProfileClockLimit)) {
    // No plausible defaults on any revision key: the boxes stay empty of clocks.
    Check3.SetValue(ui::kUnchecked);
    return;
  }
  Text4.SetText(std::to_string(st_.CoreClock));
  Text5.SetText(std::to_string(st_.MemClock));
}

void Form6::Combo4_Click() {
  if (selecting_) return;
  const int index = Combo4.ListIndex();
  if (index < 0 || index >= static_cast<int>(PresetList.size())) return;
  const std::string path = st_.DataPath(kPresetFolder) + PresetList[static_cast<size_t>(index)];
  Text1.SetText(path);
  LoadIt();
  // A preset deleted from the folder since the list was read goes from it.
  if (!st_.platform.files().FileExists(path)) ListPresets();
}

void Form6::Command4_Click() {
  Text1.SetText("");
  Text2.SetText("");
  ResetClockBoxes();
  Check2.SetValue(ui::kUnchecked);
  Check3.SetValue(ui::kUnchecked);
  Check5.SetValue(ui::kUnchecked);
}

void Form6::Command1_Click() {
  if (picker_) picker_->Show(false);
}

void Form6::Text2_Change() { Text2.SetToolTipText(Text2.Text()); }

void Form6::SelectPage(int page) { Option1[page].SetValue(true); }

void Form6::FindDatabaseFile() {
  int page = kPageSystem;
  if (Option1[0].Value()) page = kPageDirect3D;
  else if (Option1[1].Value()) page = kPageOpenGL;
  DatabaseChoice choice = ChooseDatabaseFile(page, st_.DriverBuild,
                                             st_.platform.files().List(st_.DataPath(kDatabaseFolder) + "*.dat"));
  DatabaseName = std::move(choice.name);
  DatabaseFiles = std::move(choice.files);
}

std::vector<std::string> Form6::DatabaseNames(int page) {
  SelectPage(page);
  FindDatabaseFile();
  // A missing database file gives no names.
  std::string bytes;
  st_.platform.files().ReadFile(st_.DataPath(kDatabaseFolder) + DatabaseName + ".dat", &bytes);
  std::vector<std::string> names;
  for (DatabaseRecord& record : ReadDatabase(bytes, kPresetEntries).records) names.push_back(std::move(record.name));
  return names;
}

void Form6::SavePreset() {
  if (!ProfileNameAllowed(Text1.Text())) {
    app().MsgBox(kBadProfileName);
    return;
  }
  const bool with_clocks = Check3.Value() == ui::kChecked;
  if (with_clocks && (!ClockTextAllowed(Text4.Text()) || !ClockTextAllowed(Text5.Text()))) {
    app().MsgBox(kBadClockText);
    return;
  }
  std::string out;
  AddPresetItem(out, kPresetMagic);
  AddPresetItem(out, st_.DeviceId);
  AddPresetItem(out, std::to_string(Check2.Value()));
  AddPresetItem(out, std::to_string(Check5.Value()));
  // Only numbers are stored: the loader writes every value back as a number.
  // A text value that is a whole number is stored as that number, so that
  // it comes back after "Delete all registry keys"; other texts cannot.
  // A pair's name is the one the value has in the registry, where the
  // registry editor finds it (LocateEntry).
  auto add_pairs = [&](int page) {
    for (const std::string& database_name : DatabaseNames(page)) {
      const EntryLocation where = LocateEntry(page, st_.OsClass, st_.DriverKey, database_name);
      const RegRead value = st_.reg.ReadRegValue(kHkeyLocalMachine, where.key, where.name);
      std::optional<std::int32_t> number;
      if (value.kind() == RegRead::Kind::kNumber) number = value.AsNumber();
      else if (value.kind() == RegRead::Kind::kText) number = WholeNumber(value.AsText());
      if (!number) continue;
      AddPresetItem(out, where.name);
      AddPresetItem(out, std::to_string(*number));
    }
  };
  add_pairs(kPageDirect3D);
  add_pairs(kPageOpenGL);
  if (with_clocks) {
    AddPresetItem(out, kClockEntry);
    AddPresetItem(out, Text4.Text() + "," + Text5.Text());
  }
  if (!Text2.Text().empty()) {
    AddPresetItem(out, kAppEntry);
    AddPresetItem(out, Text3.Text());
    AddPresetItem(out, Text2.Text());
  }

  // The new preset goes to a file of its own first; ReplaceFile flushes it
  // and renames it over the old one written through, so a power cut leaves
  // the old preset or the whole new one, never a cut one.
  auto& files = st_.platform.files();
  const std::string folder = st_.DataPath(kPresetFolder);
  if (!files.FolderExists(folder)) files.CreateFolder(folder);
  const std::string path = folder + Text1.Text() + ".ksp";
  const std::string part = path + ".tmp";
  if (!files.WriteFile(part, out) || !files.ReplaceFile(part, path)) {
    // The typed clocks stay for another try.
    files.DeleteFile(part);
    ListPresets();
    app().MsgBox(ErrorMessage(kPathFileAccess));
    return;
  }
  // Unticking resets the clock boxes (Check3_Click), now that they are saved.
  if (with_clocks) Check3.SetValue(ui::kUnchecked);
  ListPresetsSelecting(Text1.Text() + ".ksp");
  app().MsgBox(st_.Lang(234));
}

void Form6::ListPresets() {
  while (Combo4.ListCount() > 0) Combo4.RemoveItem(0);
  PresetList.clear();
  const std::vector<std::string> names = st_.platform.files().List(st_.DataPath(kPresetFolder) + "*.ksp");
  Combo4.SetText(names.empty() ? st_.Lang(233) : st_.Lang(232));
  for (const std::string& name : names) {
    if (static_cast<int>(PresetList.size()) >= kMaxPresets) break;
    Combo4.AddItem(name.size() >= 4 ? name.substr(0, name.size() - 4) : name);
    PresetList.push_back(name);
  }
}

void Form6::ListPresetsSelecting(const std::string& file) {
  ListPresets();
  const auto listed = std::find_if(PresetList.begin(), PresetList.end(),
                                   [&](const std::string& name) { return SameTextIgnoringCase(name, file); });
  if (listed == PresetList.end()) return;
  selecting_ = true;
  Combo4.SetListIndex(static_cast<int>(listed - PresetList.begin()));
  selecting_ = false;
}

void Form6::DeleteDatabaseValues(int page) {
  for (const std::string& name : DatabaseNames(page)) {
    const EntryLocation where = LocateEntry(page, st_.OsClass, st_.DriverKey, name);
    st_.reg.DeleteRegValue(kHkeyLocalMachine, where.key, where.name);
  }
}

void Form6::DAOGL() { DeleteDatabaseValues(kPageOpenGL); }

void Form6::DAD3D() { DeleteDatabaseValues(kPageDirect3D); }

bool Form6::IsDirect3DName(const std::string& name, std::optional<std::vector<std::string>>* names) {
  // Windows 9x keeps the Direct3D values apart from the OpenGL ones. A
  // stored name without "d3d_" in front (the classic upper-case names,
  // the "D3DOGL_" ones) still belongs to Direct3D when this build's
  // Direct3D database lists it.
  if (!names->has_value()) {
    std::vector<std::string> shorts;
    for (const std::string& n : DatabaseNames(kPageDirect3D)) shorts.push_back(ShortName(n));
    *names = std::move(shorts);
  }
  const auto same = [&](const std::string& listed) { return SameTextIgnoringCase(listed, name); };
  return std::any_of((*names)->begin(), (*names)->end(), same);
}

void Form6::LoadFailed(const std::string& message) {
  app().MsgBox(message);
  Hide();
}

void Form6::LoadIt() {
  if (!st_.CmdPresetPath.empty()) Text1.SetText(st_.CmdPresetPath);
  if (Text1.Text().empty()) {
    Unload();
    return;
  }
  std::string bytes;
  if (!st_.platform.files().ReadFile(Text1.Text(), &bytes)) {
    LoadFailed(ErrorMessage(kFileNotFound));
    return;
  }
  FieldReader in(bytes);
  if (in.Next() != kPresetMagic) {
    app().MsgBox(st_.Lang(235));
    return;
  }
  PresetLoad load;
  const std::string card = in.Next();
  // Where the setting writers are off (no NVIDIA adapter and no NVIDIA
  // driver), the driver key is another adapter's: the preset writes and
  // deletes no value there, and its clocks are skipped as another card's.
  load.writers_off = st_.NvidiaAdapterMissing;
  load.card_matches = !load.writers_off && (card == st_.DeviceId || card == kAnyCard);
  const std::string clear_all = in.Next();
  const std::string restore = in.Next();
  if (clear_all == "1" && !load.writers_off) {
    DAOGL();
    DAD3D();
  }
  if (load.writers_off) app().MsgBox(kNoNvidiaDriver);
  RestoreFlag = TextToInt32(restore).value_or(0);

  while (!in.AtEnd()) {
    const std::string name = in.Next();
    // An odd item at the end has no value: the load stops there.
    if (in.AtEnd()) break;
    const std::string value = in.Next();
    if (name == kAppEntry) {
      // The program ends the preset.
      StartPresetProgram(in.Next(), value, load);
      return;
    }
    if (name == kClockEntry) {
      if (!ApplyClockItem(value, load)) return;
      continue;
    }
    WriteValueItem(name, value, load);
  }
  if (!st_.CmdPresetPath.empty()) Hide();
  if (RefreshPages) RefreshPages();
  Text1.SetText("");
}

void Form6::StartPresetProgram(const std::string& program, const std::string& folder, const PresetLoad& load) {
  // The program's own path names it (quoted, so that a folder with blanks
  // cannot start another program), and it starts in its folder.
  auto& processes = st_.platform.processes();
  const std::uint32_t pid =
      processes.StartProgramIn(platform::QuotedProgram(program), folder, platform::WindowStyle::kNormalFocus);
  if (pid == 0) {
    LoadFailed(ErrorMessage(kFileNotFound));
    return;
  }
  if (!st_.CmdPresetPath.empty()) Hide();
  if (RestoreFlag == 1 && load.clocks_set) {
    platform::ScopedProcess process(processes, processes.OpenProcess(platform::kSynchronize, pid));
    processes.WaitForSingleObject(process.get(), platform::kInfinite);
    st_.MemClock = load.saved_mem;
    st_.CoreClock = load.saved_core;
    ApplyCardClocks(st_);
  }
}

bool Form6::ApplyClockItem(const std::string& value, PresetLoad& load) {
  if (!load.card_matches) return true;
  // "core,memory"; an entry that does not hold two clocks is skipped.
  const size_t comma = value.find(',');
  const std::string core = comma == std::string::npos ? value : value.substr(0, comma);
  const std::string mem = comma == std::string::npos ? "" : value.substr(comma + 1);
  if (!ClockTextAllowed(core) || !ClockTextAllowed(mem)) return true;
  if (!ReadClocksWithRetry(st_, kPresetClockLimit)) {
    // The loader has not told the clocks yet: nothing to set them
    // against, and the key is not to blame. The entry is skipped.
    if (!st_.ClocksFound) return true;
    app().MsgBox("O/C Error");
    return false;
  }
  // Clocks the overclocking page would not offer for this card (0/0, a
  // negative one, 32767) are refused as another card's are.
  const int new_core = *WholeNumber(core);
  const int new_mem = *WholeNumber(mem);
  if (!OfferedClockRange(st_.CoreClockDef).Holds(new_core) || !OfferedClockRange(st_.MemClockDef).Holds(new_mem))
    return true;
  load.saved_mem = st_.MemClock;
  load.saved_core = st_.CoreClock;
  st_.CoreClock = static_cast<std::int16_t>(new_core);
  st_.MemClock = static_cast<std::int16_t>(new_mem);
  ApplyCardClocks(st_);
  load.clocks_set = true;
  return true;
}

void Form6::WriteValueItem(const std::string& name, const std::string& value, PresetLoad& load) {
  // A value that is no number, or a pair without a name, is skipped.
  const std::optional<std::int32_t> number = TextToInt32(value);
  if (!number || name.empty() || load.writers_off) return;
  st_.reg.WriteAsBinary = 1;
  if (st_.OsClass != 0) {
    st_.reg.WriteRegValue(kHkeyLocalMachine, st_.DriverKey, name, *number);
  } else if (name.size() > 4) {
    const bool d3d = StartsWithD3D(name) || IsDirect3DName(name, &load.d3d_names);
    const std::string key = st_.DriverKey + (d3d ? kDirect3DSubkey : kOpenGLSubkey);
    st_.reg.WriteRegValue(kHkeyLocalMachine, key, name, *number);
  }
}

}  // namespace ks
