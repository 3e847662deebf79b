#include "shell/help_hover.h"

#include "shell/Form1.h"
#include "shell/Form5.h"

namespace ks {

namespace {

struct HoverRow {
  const char* control;
  int index;  // -1 for a lone control
  int topic;  // -1: none
};

constexpr HoverRow kHoverRows[] = {
    {"Label6", 0, 0},   {"Label6", 1, 3},   {"Label6", 2, 2},   {"Label6", 3, 1},   {"Label4", 0, 6},
    {"Label4", 1, 3},   {"Label4", 4, 1},   {"Label4", 5, 2},   {"Label4", 2, -1},  {"Label4", 3, -1},
    {"Frame5", -1, 5},  {"Check4", 1, 5},   {"Check4", 2, 5},   {"Check4", 3, 5},   {"Check4", 4, 4},
    {"Check4", 0, -1},  {"Check4", 5, -1},  {"Check3", 0, 14},  {"Check3", 1, 14},  {"Check5", 0, 11},
    {"Check5", 1, 12},  {"Check5", 2, -1},  {"Check6", 0, 9},   {"Check6", 1, 10},  {"Label7", 1, 13},
    {"Label7", 3, 7},   {"Label7", 4, 8},   {"Label7", 0, -1},  {"Label7", 2, -1},  {"Label7", 5, -1},
    {"Label7", 6, -1},  {"Label7", 7, -1},  {"Label8", 1, 7},   {"Label8", 2, 8},   {"Label8", 0, -1},
};

}  // namespace


int HelpTopicOf(std::string_view control, int index) {
  for (const HoverRow& row : kHoverRows)
    if (control == row.control && index == row.index) return row.topic;
  return -1;
}

void Form1::WireHelpHover() {
  auto hover = [this](const char* name) {
    return [this, name](int index, int, int, float, float) {
      const std::int32_t topic = HelpTopicOf(name, index);
      if (topic >= 0) ShowHelpTopic(topic);
    };
  };
  Label6.OnMouseMove = hover("Label6");
  Label4.OnMouseMove = hover("Label4");
  Check4.OnMouseMove = hover("Check4");
  Check3.OnMouseMove = hover("Check3");
  Check5.OnMouseMove = hover("Check5");
  Check6.OnMouseMove = hover("Check6");
  Label7.OnMouseMove = hover("Label7");
  Label8.OnMouseMove = hover("Label8");
  Frame5.OnMouseMove = [this](int, int, float, float) {
    const std::int32_t topic = HelpTopicOf("Frame5", -1);
    ShowHelpTopic(topic);
  };
  Label13.OnMouseMove = [this](int, int, float, float) { Label13_MouseMove(); };
  Frame1.OnMouseMove = [this](int index, int, int, float, float) { Frame1_MouseMove(index); };
}

void Form1::ShowHelpTopic(const std::int32_t& topic) {
  if (st_.HelpSystemOn == 0) return;
  if (topic == st_.HelpTopic) return;
  Form5& help = form5();
  help.Load();
  help.Move(Left() + Width(), Top(), help.Width(), help.Height());
  for (int i = 0; i < help.Frame1.Count(); ++i)
    if (help.Frame1.Has(i)) help.Frame1[i].SetVisible(false);
  if (help.Frame1.Has(topic)) help.Frame1[topic].SetVisible(true);
  st_.HelpTopic = topic;
  help.Show(false);
}

void Form1::UpdateHelpIndicator() { Image4.SetVisible(st_.HelpSystemOn != 0); }

void Form1::Check11_Click() {
  st_.reg.WriteRegValue(kHkeyCurrentUser, kProductKey, "HelpSystem", Check11.Value());
  st_.HelpSystemOn = Check11.Value();
  if (st_.HelpSystemOn == 0) form5().Unload();
  UpdateHelpIndicator();
}

void Form1::Label13_MouseMove() {
  if (Height() != kForm1TallHeight && !Timer1.Enabled()) Timer1.SetEnabled(true);
}

void Form1::Frame1_MouseMove(int index) {
  if (Height() != kForm1ShortHeight && !Timer2.Enabled()) Timer2.SetEnabled(true);
}

}  // namespace ks
