// Page 3 of the main window: the card's clocks, the requested clocks with
// their text boxes and sliders, Apply and Default, the overclocking
// switch, the control panel's start-with-Windows option and the 2D/3D
// speed choice.
#include <algorithm>
#include <optional>

#include "common/numbers.h"
#include "hardware/Clocks.h"
#include "shell/Form1.h"

namespace ks {

namespace {

constexpr const char* kNvCplDaemon = "NvCplDaemon";
constexpr const char* kPerfLevel = "PerfLevel";
constexpr const char* kNvTweakUserKey = "Software\\NVIDIA Corporation\\Global\\NVTweak";
constexpr int kPlausibleClock = 2000;  // MHz: a default above it belongs to another revision key
constexpr int kBadClockText = 99;      // language entry: the clock boxes need whole numbers

// A clock box's text as the clock to request: a number rounded to a whole
// one (a half to the even neighbour) that fits a 16-bit clock.
std::optional<std::int16_t> ClockFromText(const std::string& text) {
  const auto whole = TextToInt32(text);
  if (!whole || *whole < -32768 || *whole > 32767) return std::nullopt;
  return static_cast<std::int16_t>(*whole);
}

}  // namespace

void Form1::WireOverclockingPage() {
  Command1.OnClick = [this](int index) { Command1_Click(index); };
  FlatScrollBar1.OnChange = [this](int index) { FlatScrollBar1_Change(index); };
  FlatScrollBar1.OnScroll = [this](int index) { FlatScrollBar1_Change(index); };
  Check10.OnClick = [this] { Check10_Click(); };
  Check2.OnClick = [this] { Check2_Click(); };
  Option1.OnClick = [this](int index) { Option1_Click(index); };
}

void Form1::ShowClocks() {
  st_.CoreClock = st_.MemClock = st_.CoreClockDef = st_.MemClockDef = 0;
  bool found = false;
  for (int tries = 0;;) {
    st_.Clocks3DShown = 1;
    ReadCardClocks(st_);
    found = found || st_.ClocksFound;

    auto mhz = [this](int entry, std::int16_t clock) { return st_.Lang(entry) + IntToText(clock) + " MHz"; };
    Label1[0].SetCaption(mhz(92, st_.CoreClockDef));
    Label1[1].SetCaption(mhz(94, st_.MemClockDef));
    Label1[2].SetCaption(mhz(93, st_.CoreClock));
    Label1[3].SetCaption(mhz(95, st_.MemClock));
    Text1[0].SetText(IntToText(st_.CoreClock));
    Text1[1].SetText(IntToText(st_.MemClock));

    // A clock outside its slider's range leaves the thumb at the nearer
    // end; the text box keeps the clock itself.
    SlidersFilling = true;
    const std::int16_t defaults[] = {st_.CoreClockDef, st_.MemClockDef};
    const std::int16_t clocks[] = {st_.CoreClock, st_.MemClock};
    for (int i = 0; i < 2; ++i) {
      const ClockRange range = OfferedClockRange(defaults[i]);
      const int low = range.low;
      const int high = range.high;
      FlatScrollBar1[i].SetMin(low);
      FlatScrollBar1[i].SetMax(high);
      FlatScrollBar1[i].SetValue(std::clamp<int>(clocks[i], low, high));
    }
    SlidersFilling = false;

    if (st_.MemClockDef <= kPlausibleClock && st_.CoreClockDef <= kPlausibleClock) return;
    // Until a read finds a pair the loader has not answered yet, which says
    // nothing about the key. A key without a revision to step stays.
    if (found) NextRevisionKey(st_);
    if (++tries > 4) {
      st_.app.MsgBox(st_.Lang(97) + st_.DevicePrefix + st_.Lang(98), platform::kMbOk);
      return;
    }
  }
}

void Form1::EnableOC() {
  st_.Use3DClocks = 0;
  for (int i = 0; i < 5; ++i) Label1[i].SetEnabled(true);
  Check2.SetEnabled(true);
  for (int i = 0; i < 2; ++i) {
    Text1[i].SetEnabled(true);
    FlatScrollBar1[i].SetEnabled(true);
    Command1[i].SetEnabled(true);
  }

  IsStart = 1;
  const bool daemon = !st_.reg.ReadRegValue(kHkeyLocalMachine, kRunKey, kNvCplDaemon).IsEmpty();
  Check2.SetValue(daemon ? ui::kChecked : ui::kUnchecked);
  IsStart = 0;

  // Selecting an option that was not selected runs its handler first,
  // which stores the level and shows the clocks.
  if (st_.reg.ReadRegValue(kHkeyCurrentUser, kNvTweakUserKey, kPerfLevel).NumberOr(0) == 2) {
    Option1[1].SetValue(true);
    st_.Use3DClocks = 1;
    Text1[1].SetEnabled(false);
    FlatScrollBar1[1].SetEnabled(false);
  } else {
    Option1[0].SetValue(true);
    st_.Use3DClocks = 0;
  }
  ShowClocks();
  OcFirstVisit = 0;
}

void Form1::Command1_Click(int index) {
  // The apply lets window events run: a second click meanwhile is ignored.
  if (ClocksApplying) return;
  struct Busy {
    bool& flag;
    explicit Busy(bool& f) : flag(f) { flag = true; }
    ~Busy() { flag = false; }
  } busy(ClocksApplying);

  if (index == 1) {
    Text1[0].SetText(IntToText(st_.CoreClockDef));
    Text1[1].SetText(IntToText(st_.MemClockDef));
  }
  const auto core = ClockFromText(Text1[0].Text());
  const auto mem = ClockFromText(Text1[1].Text());
  if (!core || !mem) {
    st_.app.MsgBox(st_.Lang(kBadClockText), platform::kMbOk);
    return;
  }
  st_.CoreClock = *core;
  st_.MemClock = *mem;
  ApplyCardClocks(st_);
  st_.app.DoEvents();
  ReadCardClocks(st_);
  st_.app.DoEvents();
  ShowClocks();
}

void Form1::FlatScrollBar1_Change(int index) {
  if (SlidersFilling) return;
  Text1[index].SetText(IntToText(FlatScrollBar1[index].Value()));
}

void Form1::Check10_Click() {
  if (IsStart == 1) return;
  if (Check10.Value() == ui::kChecked) {
    EnableOC();
    return;
  }
  ResetClocks(st_);
  for (int i = 0; i < 5; ++i) Label1[i].SetEnabled(false);
  Check2.SetEnabled(false);
  for (int i = 0; i < 2; ++i) {
    Option1[i].SetEnabled(false);
    Text1[i].SetEnabled(false);
    FlatScrollBar1[i].SetEnabled(false);
    Command1[i].SetEnabled(false);
  }
}

void Form1::Check2_Click() {
  if (IsStart == 1) return;
  if (Check2.Value() != ui::kChecked) {
    st_.reg.DeleteRegValue(kHkeyLocalMachine, kRunKey, kNvCplDaemon);
    return;
  }
  st_.reg.WriteAsBinary = 0;
  // The control panel's DLL lies in the system folder, wherever Windows is.
  const std::string system = st_.platform.system().GetSystemDirectory();
  const std::string dll = system.empty() ? "NvCpl.dll" : system + "\\NvCpl.dll";
  st_.reg.WriteRegText(kHkeyLocalMachine, kRunKey, kNvCplDaemon, "RUNDLL32.EXE " + dll + ",NvStartup");
  st_.app.MsgBox(st_.Lang(96), platform::kMbOk);
}

void Form1::Option1_Click(int index) {
  if (IsStart == 1) return;
  const bool speed3d = index == 1;
  st_.Use3DClocks = speed3d ? 1 : 0;
  st_.Clocks3DShown = speed3d ? 1 : 0;
  Text1[1].SetEnabled(!speed3d);
  FlatScrollBar1[1].SetEnabled(!speed3d);
  st_.reg.WriteAsBinary = 0;
  st_.reg.WriteRegDword(kHkeyCurrentUser, kNvTweakUserKey, kPerfLevel, speed3d ? 2 : 0);
  ShowClocks();
}

}  // namespace ks
