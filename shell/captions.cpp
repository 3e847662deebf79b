#include "shell/captions.h"

#include "shell/Form1.h"
#include "common/numbers.h"

namespace ks {

namespace {

using P = CaptionProperty;

constexpr CaptionRow Menu(int entry, int button, int item) { return {entry, nullptr, -1, P::kMenuText, button, item}; }
constexpr CaptionRow Cap(int entry, const char* target, int index = -1) { return {entry, target, index, P::kCaption}; }
constexpr CaptionRow Tip(int entry, const char* target, int index = -1) {
  return {entry, target, index, P::kToolTipText};
}

constexpr CaptionRow kMenuRows[] = {
    Menu(0, 1, 1),  Menu(1, 1, 2),  Menu(2, 1, 3),  Menu(3, 1, 4),  Menu(4, 1, 5),  Menu(5, 1, 6),
    Menu(6, 1, 7),  Menu(245, 1, 8), Menu(10, 2, 1), Menu(11, 2, 2), Menu(12, 2, 3), Menu(13, 2, 4),
    Menu(14, 2, 5), Menu(18, 3, 1), Menu(19, 3, 2), Menu(20, 3, 3), Menu(21, 3, 4), Menu(25, 5, 1),
    Menu(26, 5, 2), Menu(27, 5, 3), Menu(254, 5, 4),
};

constexpr CaptionRow kControlRows[] = {
    // window-level controls
    Tip(51, "Label14", 0), Tip(51, "Label14", 1), Tip(52, "Label14", 2), Tip(52, "Label14", 3),
    Cap(53, "Label13"), Cap(54, "Check11"), Cap(55, "Check13"),
    // page 0
    Cap(60, "Check7", 0), Cap(61, "Check7", 1), Cap(62, "Check7", 2), Cap(63, "Check7", 3), Cap(64, "Check7", 4),
    Cap(65, "Check7", 10), Cap(66, "Check7", 5), Cap(67, "Check7", 6), Cap(68, "Frame2"), Cap(69, "Label10"),
    Tip(70, "Image1"),
    // pages 1 and 2
    Cap(74, "Label5", 0), Cap(75, "Label5", 1), Cap(76, "Option3", 0), Cap(77, "Option3", 1), Cap(78, "Frame3", 0),
    Cap(79, "Frame3", 1), Cap(74, "Label3"), Cap(80, "Check1"), Cap(264, "Check15"), Cap(264, "Check16"),
    Cap(266, "Label5", 2), Cap(265, "Check18"), Cap(265, "Check17"), Cap(266, "Label23"),
    // page 3
    Cap(85, "Check10"), Cap(86, "Check2"), Cap(87, "Command1", 0), Cap(88, "Command1", 1), Cap(89, "Label1", 4),
    Cap(90, "Option1", 0), Cap(91, "Option1", 1),
    // page 5
    Cap(117, "Label4", 0), Cap(119, "Label4", 5), Cap(120, "Label4", 2), Cap(121, "Label4", 1), Cap(122, "Check3", 0),
    Cap(124, "Check3", 1), Cap(125, "Option2", 0), Cap(126, "Option2", 1),
    // page 6
    Cap(117, "Label6", 0), Cap(119, "Label6", 2), Cap(138, "Label6", 1), Cap(140, "Check4", 0), Cap(141, "Check4", 4),
    Cap(142, "Check4", 1), Cap(143, "Check4", 2), Cap(144, "Check4", 3), Cap(139, "Check4", 5),
    // page 5, continued
    Cap(142, "Check14", 0), Cap(143, "Check14", 1), Cap(144, "Check14", 2), Cap(263, "Frame5"),
    // page 7
    Cap(151, "Label7", 2), Cap(152, "Label7", 3), Cap(153, "Label7", 4), Cap(154, "Label7", 0), Cap(155, "Check5", 0),
    Cap(156, "Check5", 1), Cap(173, "Check5", 2), Cap(157, "Label7", 5), Cap(158, "Label7", 1),
    // page 8
    Cap(151, "Label8", 0), Cap(152, "Label8", 1), Cap(153, "Label8", 2), Cap(162, "Check6", 0), Cap(163, "Check6", 1),
    // page 10
    Cap(87, "Command4"), Cap(164, "Label9"),
    // page 11
    Cap(166, "Check8"), Cap(167, "Command2"),
    // page 12
    Cap(167, "Command3"), Cap(172, "Check9"), Cap(170, "Label12", 2), Cap(171, "Label12", 3),
    // page 13
    Cap(175, "Label7", 7), Cap(176, "Label7", 6), Cap(177, "Check12", 0), Cap(178, "Check12", 2),
    Cap(179, "Check12", 1),
    // page 14
    Cap(188, "Label15", 0), Cap(189, "Label15", 1), Cap(190, "Label15", 2), Cap(191, "Option4", 0),
    Cap(192, "Option4", 1), Cap(193, "Option4", 2),
    // separator lines: the end that follows the heading
    {249, "Line5", -1, P::kX1}, {250, "Line1", -1, P::kX1}, {251, "Line2", -1, P::kX1}, {252, "Line4", -1, P::kX2},
    {253, "Line3", -1, P::kX2},
    // page 15
    Cap(254, "Frame1", 15), Cap(255, "Command5"), Cap(256, "Frame4"), Cap(257, "Label20", 0), Cap(258, "Label20", 2),
    Cap(259, "Label20", 3), Cap(260, "Label20", 1), Cap(261, "Label20", 4), Cap(262, "Label19"),
};

template <class T>
T* As(ui::Control& c, ui::Kind kind) {
  return c.kind() == kind ? static_cast<T*>(&c) : nullptr;
}

void SetLineEnd(ui::Line& line, P property, const std::string& text) {
  const auto number = ParseNumber(text);
  if (!number) return;  // not a number: the line stays as designed
  const auto twips = ToInt32(static_cast<float>(*number));
  if (!twips) return;
  if (property == P::kX1) line.SetPoints(*twips, line.Y1(), line.X2(), line.Y2());
  else line.SetPoints(line.X1(), line.Y1(), *twips, line.Y2());
}

}  // namespace

std::span<const CaptionRow> MenuCaptionRows() { return kMenuRows; }
std::span<const CaptionRow> ControlCaptionRows() { return kControlRows; }

bool SetControlCaption(ui::Control& c, const std::string& text) {
  switch (c.kind()) {
    case ui::Kind::kLabel: static_cast<ui::Label&>(c).SetCaption(text); return true;
    case ui::Kind::kCheckBox: static_cast<ui::CheckBox&>(c).SetCaption(text); return true;
    case ui::Kind::kOptionButton: static_cast<ui::OptionButton&>(c).SetCaption(text); return true;
    case ui::Kind::kFrame: static_cast<ui::Frame&>(c).SetCaption(text); return true;
    case ui::Kind::kCommandButton: static_cast<ui::CommandButton&>(c).SetCaption(text); return true;
    default: return false;
  }
}

std::string ControlCaption(const ui::Control& c) {
  switch (c.kind()) {
    case ui::Kind::kLabel: return static_cast<const ui::Label&>(c).Caption();
    case ui::Kind::kCheckBox: return static_cast<const ui::CheckBox&>(c).Caption();
    case ui::Kind::kOptionButton: return static_cast<const ui::OptionButton&>(c).Caption();
    case ui::Kind::kFrame: return static_cast<const ui::Frame&>(c).Caption();
    case ui::Kind::kCommandButton: return static_cast<const ui::CommandButton&>(c).Caption();
    default: return "";
  }
}

void Form1::ApplyLanguage() {
  // Each assignment stands alone: a target that is missing keeps its text.
  for (const CaptionRow& row : kMenuRows) {
    ui::ToolButton* button = Toolbar1.Button(row.button);
    if (button == nullptr || row.item < 1 || row.item > static_cast<int>(button->ButtonMenus.size())) continue;
    button->ButtonMenus[static_cast<size_t>(row.item - 1)].Text = st_.Lang(row.entry);
  }
  Toolbar1.Refresh();
  for (int i = 0; i < kPageTitleRunLength; ++i)
    if (Frame1.Has(i)) Frame1[i].SetCaption(st_.Lang(kPageTitleFirstEntry + i));
  for (const CaptionRow& row : kControlRows) {
    ui::Control* target = Find(row.target, row.index);
    if (target == nullptr) continue;
    const std::string& text = st_.Lang(row.entry);
    switch (row.property) {
      case P::kCaption: SetControlCaption(*target, text); break;
      case P::kToolTipText: target->SetToolTipText(text); break;
      case P::kX1:
      case P::kX2:
        if (auto* line = As<ui::Line>(*target, ui::Kind::kLine)) SetLineEnd(*line, row.property, text);
        break;
      case P::kMenuText: break;
    }
  }
}

}  // namespace ks
