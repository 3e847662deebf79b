// Creating the windows of controls and mirroring the model's state into them.

#include <algorithm>
#include <string>
#include <vector>

#include "ui/list_mirror.h"
#include "ui/win32/picture.h"
#include "ui/win32/renderer.h"
#include "ui/win32/renderer_internal.h"

#include <commctrl.h>
#include <windowsx.h>

namespace ks::ui::win32 {

namespace {

struct WindowKind {
  const char* cls;
  long style;
  long ex_style;
};

WindowKind KindOf(const Control& c) {
  switch (c.kind()) {
    case Kind::kFrame:
      return {kFrameClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
    case Kind::kLabel:
      return {"STATIC", SS_NOTIFY, 0};
    case Kind::kCommandButton:
      return {"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
    case Kind::kCheckBox:
      return {"BUTTON", BS_3STATE | WS_TABSTOP, 0};
    case Kind::kOptionButton:
      return {"BUTTON", BS_RADIOBUTTON | WS_TABSTOP, 0};
    case Kind::kComboBox:
      return {"COMBOBOX",
              WS_VSCROLL | WS_TABSTOP | CBS_AUTOHSCROLL |
                  (static_cast<const ComboBox&>(c).Style() == ComboStyle::kDropDownList ? CBS_DROPDOWNLIST
                                                                                         : CBS_DROPDOWN),
              0};
    case Kind::kListBox:
    case Kind::kDirListBox:
    case Kind::kFileListBox:
      return {"LISTBOX", LBS_NOTIFY | WS_VSCROLL | WS_BORDER | LBS_NOINTEGRALHEIGHT | WS_TABSTOP, 0};
    case Kind::kDriveListBox:
      return {"COMBOBOX", WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST, 0};
    case Kind::kTextBox:
      return {"EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case Kind::kImage:
      return {kPictureClass, 0, 0};
    case Kind::kPictureBox:
      return {kPictureClass, 0, WS_EX_CLIENTEDGE};
    case Kind::kToolbar:
      return {TOOLBARCLASSNAMEA,
              TBSTYLE_FLAT | TBSTYLE_LIST | TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, 0};
    case Kind::kFlatScrollBar:
      return {"SCROLLBAR",
              static_cast<const FlatScrollBar&>(c).GetOrientation() == Orientation::kVertical ? SBS_VERT
                                                                                               : SBS_HORZ,
              0};
    case Kind::kLine:
    case Kind::kTimer:
    case Kind::kMenu:
      break;
  }
  return {nullptr, 0, 0};
}

DWORD AlignStyle(Alignment a) {
  return a == Alignment::kRight ? SS_RIGHT : a == Alignment::kCenter ? SS_CENTER : SS_LEFT;
}

void SetTextIfDifferent(HWND hwnd, const std::string& text) {
  if (WindowText(hwnd) != text) SetWindowTextA(hwnd, text.c_str());
}

}  // namespace

namespace {

bool InHiddenFrame(const Control& control) {
  for (const Frame* frame = control.Container(); frame; frame = frame->Container())
    if (!frame->Visible()) return true;
  return false;
}

// The window text a control's window is made with.
std::string InitialText(const Control& control) {
  switch (control.kind()) {
    case Kind::kFrame:
      return static_cast<const Frame&>(control).Caption();
    case Kind::kLabel:
      return static_cast<const Label&>(control).Caption();
    case Kind::kCommandButton:
      return static_cast<const CommandButton&>(control).Caption();
    case Kind::kCheckBox:
      return static_cast<const CheckBox&>(control).Caption();
    case Kind::kOptionButton:
      return static_cast<const OptionButton&>(control).Caption();
    default:
      return "";
  }
}

}  // namespace

RECT Renderer::PlacedRect(const Control& control) const {
  int height = Px(control.Height());
  if (control.kind() == Kind::kComboBox || control.kind() == Kind::kDriveListBox) height += Px(kComboDropTwips);
  return RECT{Px(control.Left()), Px(control.Top()), Px(control.Left()) + Px(control.Width()),
              Px(control.Top()) + height};
}

// A control whose window can wait until it is shown: a hidden frame (a page
// not shown yet) and everything in it, or a control placed wholly outside
// what its container shows (the strip below a form's bottom edge until the
// form grows). Other hidden controls get their windows, hidden, as usual.
bool Renderer::NotShown(FormWindows& fw, const Control& control) {
  if (!KindOf(control).cls) return false;
  if (control.kind() == Kind::kFrame && !control.Visible()) return true;
  return InHiddenFrame(control) || OutOfView(fw, control);
}

bool Renderer::OutOfView(FormWindows& fw, const Control& control) {
  RECT area{};
  if (const Frame* frame = control.Container()) {
    if (OutOfView(fw, *frame)) return true;
    area = RECT{0, 0, Px(frame->Width()), Px(frame->Height())};
  } else {
    GetClientRect(fw.hwnd, &area);
  }
  // Only a control with an extent can lie wholly before an edge.
  const int left = Px(control.Left()), top = Px(control.Top());
  const int width = Px(control.Width()), height = Px(control.Height());
  return left >= area.right || top >= area.bottom || (width > 0 && left + width <= area.left) ||
         (height > 0 && top + height <= area.top);
}

HWND Renderer::ParentFor(FormWindows& fw, const Control& control, bool now) {
  if (Frame* frame = control.Container()) {
    CreateControl(fw, *frame, now);
    auto found = fw.controls.find(frame);
    if (found != fw.controls.end() && found->second.hwnd) return found->second.hwnd;
  }
  return fw.hwnd;
}

void Renderer::CreateControl(FormWindows& fw, Control& control, bool now) {
  if (fw.controls.count(&control)) return;
  // A control that is not shown (a hidden page, or a control inside one)
  // gets its window when it is shown: a form with many pages opens with
  // the windows of one. The model keeps every state meanwhile; Sync shows
  // it later.
  if (!now && NotShown(fw, control)) return;
  const WindowKind kind = KindOf(control);
  HWND parent = ParentFor(fw, control, now);
  ControlWindow& cw = fw.controls[&control];
  if (control.kind() == Kind::kMenu) {
    SyncMenuBar(fw);
    return;
  }
  if (!kind.cls) {  // drawn by its container (a line) or no window at all (a timer)
    InvalidateRect(parent, nullptr, TRUE);
    return;
  }
  const Mirroring mirroring(*this);
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | static_cast<DWORD>(kind.style);
  if (control.kind() == Kind::kLabel) style |= AlignStyle(static_cast<Label&>(control).GetAlignment());
  // The window is made as the model has it (place, caption, shown,
  // enabled), so that the Sync below finds little left to change: under
  // Wine every change is a round trip to the server.
  if (control.Visible()) style |= WS_VISIBLE;
  if (!control.Enabled()) style |= WS_DISABLED;
  cw.placed = PlacedRect(control);
  static int next_id = 100;
  cw.hwnd = CreateWindowExA(static_cast<DWORD>(kind.ex_style), kind.cls, InitialText(control).c_str(), style,
                            cw.placed.left, cw.placed.top, cw.placed.right - cw.placed.left,
                            cw.placed.bottom - cw.placed.top, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(next_id++)), GetModuleHandleA(nullptr), this);
  SendMessageA(cw.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  if (control.kind() == Kind::kToolbar) {
    SendMessageA(cw.hwnd, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(cw.hwnd, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    SendMessageA(cw.hwnd, TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
  }
  KeepOrder(fw, control, cw.hwnd);
  if (control.InFront()) SetWindowPos(cw.hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Sync(fw, control, true);
}

// A new child window goes below its siblings. Windows made in the form's
// order of controls are stacked (and tabbed through) in that order; one
// made later, when its control is first shown, is moved up to the place it
// would have had.
void Renderer::KeepOrder(FormWindows& fw, const Control& control, HWND hwnd) {
  const auto& controls = fw.form->controls();
  const auto self = std::find(controls.begin(), controls.end(), &control);
  if (self == controls.end()) return;
  HWND parent = GetParent(hwnd);
  auto sibling_window = [&](const Control* other) -> HWND {
    auto found = fw.controls.find(other);
    if (found == fw.controls.end() || !found->second.hwnd || found->second.hwnd == hwnd) return nullptr;
    return GetParent(found->second.hwnd) == parent ? found->second.hwnd : nullptr;
  };
  const bool made_after_later_ones =
      std::any_of(self + 1, controls.end(), [&](const Control* other) { return sibling_window(other) != nullptr; });
  if (!made_after_later_ones) return;
  HWND above = HWND_TOP;
  for (auto it = self; it != controls.begin();) {
    if (HWND h = sibling_window(*--it)) {
      above = h;
      break;
    }
  }
  SetWindowPos(hwnd, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Renderer::CreateShownControls(FormWindows& fw) {
  for (Control* c : fw.form->controls())
    if (!fw.controls.count(c) && !NotShown(fw, *c)) CreateControl(fw, *c);
}

// What a list shows for an entry: a folder list indents each folder's
// name by its depth below the root.
std::string ShownText(const ListControl& list, const std::string& item) {
  if (list.kind() != Kind::kDirListBox || item.size() <= 3) return item;
  const auto depth = static_cast<size_t>(std::count(item.begin() + 3, item.end(), '\\') + 1);
  return std::string(depth * 2, ' ') + item.substr(item.find_last_of('\\') + 1);
}

namespace {

bool IsCombo(const Control& control) {
  return control.kind() == Kind::kComboBox || control.kind() == Kind::kDriveListBox;
}

// A list box's or combo box's list, one message a call.
class WindowList : public NativeList {
 public:
  WindowList(HWND hwnd, bool combo) : hwnd_(hwnd), combo_(combo) {}
  int Count() override { return static_cast<int>(SendMessageA(hwnd_, combo_ ? CB_GETCOUNT : LB_GETCOUNT, 0, 0)); }
  void Reset() override { SendMessageA(hwnd_, combo_ ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0); }
  void Insert(int index, const std::string& text) override {
    SendMessageA(hwnd_, combo_ ? CB_INSERTSTRING : LB_INSERTSTRING, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.c_str()));
  }
  void Remove(int index) override {
    SendMessageA(hwnd_, combo_ ? CB_DELETESTRING : LB_DELETESTRING, static_cast<WPARAM>(index), 0);
  }
  void SetRedraw(bool on) override {
    // A hidden window draws nothing anyway; and the default handling of
    // WM_SETREDRAW sets WS_VISIBLE again, which would show it.
    if (!on) {
      held_ = (GetWindowLongA(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0;
      if (held_) SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
      return;
    }
    if (!held_) return;
    held_ = false;
    SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
    // Letting the drawing go draws nothing by itself: the whole list, its
    // scroll bar included, is drawn afresh.
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
  }

 private:
  HWND hwnd_;
  bool combo_;
  bool held_ = false;
};

}  // namespace

void Renderer::SyncList(ControlWindow& cw, ListControl& list, bool made_now) {
  if (made_now) {
    ShowList(cw, list, true);
    return;
  }
  if (cw.items_pending) return;
  cw.items_pending = true;
  pending_lists_.push_back(&list);
}

void Renderer::ShowList(ControlWindow& cw, ListControl& list, bool fresh) {
  cw.items_pending = false;
  const bool combo = IsCombo(list);
  const Mirroring mirroring(*this);
  WindowList native(cw.hwnd, combo);
  MirrorEntries(list, native, fresh, [&list](const std::string& entry) { return ShownText(list, entry); });
  const int shown = static_cast<int>(SendMessageA(cw.hwnd, combo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0));
  if (shown != list.ListIndex()) SendMessageA(cw.hwnd, combo ? CB_SETCURSEL : LB_SETCURSEL, list.ListIndex(), 0);
  if (list.kind() == Kind::kComboBox) {
    auto& box = static_cast<ComboBox&>(list);
    if (box.Style() == ComboStyle::kDropDownCombo) SetTextIfDifferent(cw.hwnd, box.Text());
  }
}

void Renderer::ShowPending() {
  while (!pending_lists_.empty()) {
    std::vector<Control*> pending;
    pending.swap(pending_lists_);
    for (Control* control : pending) {
      FormWindows* fw = FindForm(control->form());
      if (!fw) continue;
      auto found = fw->controls.find(control);
      if (found == fw->controls.end() || !found->second.hwnd || !found->second.items_pending) continue;
      ShowList(found->second, static_cast<ListControl&>(*control), false);
    }
  }
}

void Renderer::SyncToolbar(ControlWindow& cw, Toolbar& bar) {
  // The buttons are rebuilt when anything about them changed, all in one
  // message: the toolbar lays itself out once.
  std::string shown;
  std::vector<TBBUTTON> buttons;
  for (const ToolButton& b : bar.buttons()) {
    TBBUTTON tb{};
    tb.iBitmap = I_IMAGENONE;
    tb.idCommand = kFirstButtonId + static_cast<int>(buttons.size());
    tb.fsState = static_cast<BYTE>((b.Enabled ? TBSTATE_ENABLED : 0) | (b.Visible ? 0 : TBSTATE_HIDDEN));
    switch (b.Style) {
      case ButtonStyle::kSeparator:
        tb.fsStyle = BTNS_SEP;
        break;
      case ButtonStyle::kDropDown:
        tb.fsStyle = BTNS_DROPDOWN | BTNS_AUTOSIZE;
        break;
      case ButtonStyle::kCheck:
        tb.fsStyle = BTNS_CHECK | BTNS_AUTOSIZE;
        break;
      case ButtonStyle::kDefault:
        tb.fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE;
        break;
    }
    tb.iString = reinterpret_cast<INT_PTR>(b.Caption.c_str());
    buttons.push_back(tb);
    shown += b.Caption + '\n' + std::to_string(tb.fsState) + ' ' + std::to_string(tb.fsStyle) + '\n';
  }
  if (shown == cw.items_shown) return;
  cw.items_shown = shown;
  while (SendMessageA(cw.hwnd, TB_BUTTONCOUNT, 0, 0) > 0) SendMessageA(cw.hwnd, TB_DELETEBUTTON, 0, 0);
  if (!buttons.empty())
    SendMessageA(cw.hwnd, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
}

void Renderer::AppendMenus(FormWindows& fw, HMENU into, const Menu* parent) {
  const auto& controls = fw.form->controls();
  for (size_t i = 0; i < controls.size(); ++i) {
    if (controls[i]->kind() != Kind::kMenu) continue;
    auto* menu = static_cast<const Menu*>(controls[i]);
    if (menu->Parent() != parent || !menu->Visible()) continue;
    if (menu->IsSeparator()) {
      AppendMenuA(into, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    const UINT flags = (menu->Enabled() ? 0 : MF_GRAYED) | (menu->Checked() ? MF_CHECKED : 0);
    const bool has_items = std::any_of(controls.begin(), controls.end(), [menu](const Control* c) {
      return c->kind() == Kind::kMenu && static_cast<const Menu*>(c)->Parent() == menu;
    });
    if (has_items) {
      HMENU popup = CreatePopupMenu();
      AppendMenus(fw, popup, menu);
      AppendMenuA(into, MF_POPUP | flags, reinterpret_cast<UINT_PTR>(popup), menu->Caption().c_str());
    } else {
      const int id = kFirstMenuId + static_cast<int>(fw.menu_ids.size());
      fw.menu_ids[id] = controls[i];
      AppendMenuA(into, MF_STRING | flags, static_cast<UINT_PTR>(id), menu->Caption().c_str());
    }
  }
}

void Renderer::SyncMenuBar(FormWindows& fw) {
  const auto& controls = fw.form->controls();
  // A form whose menu titles are all hidden (a popup menu's title) has no bar.
  const bool any = std::any_of(controls.begin(), controls.end(), [](const Control* c) {
    return c->kind() == Kind::kMenu && !static_cast<const Menu*>(c)->Parent() && c->Visible();
  });
  HMENU old = GetMenu(fw.hwnd);
  HMENU bar = nullptr;
  fw.menu_ids.clear();
  if (any) {
    bar = CreateMenu();
    AppendMenus(fw, bar, nullptr);
  }
  {
    const Mirroring mirroring(*this);
    SetMenu(fw.hwnd, bar);
  }
  if (old) DestroyMenu(old);
  DrawMenuBar(fw.hwnd);
}

void Renderer::SyncTip(FormWindows& fw, ControlWindow& cw, const Control& control) {
  // Until the mouse first moves over the form, tooltips are only wanted:
  // StartTips registers them then. A toolbar has tooltips of its own.
  if (!fw.tips || control.kind() == Kind::kToolbar || cw.tip_shown == control.ToolTipText()) return;
  TOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = fw.hwnd;
  tool.uId = reinterpret_cast<UINT_PTR>(cw.hwnd);
  tool.lpszText = const_cast<char*>(control.ToolTipText().c_str());
  if (cw.tip_shown.empty())
    SendMessageA(fw.tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  else if (control.ToolTipText().empty())
    SendMessageA(fw.tips, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  else
    SendMessageA(fw.tips, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
  cw.tip_shown = control.ToolTipText();
}

void Renderer::StartTips(FormWindows& fw, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (fw.tips) return;
  fw.tips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0,
                            0, fw.hwnd, nullptr, GetModuleHandleA(nullptr), nullptr);
  for (auto& [control, cw] : fw.controls)
    if (cw.hwnd) SyncTip(fw, cw, *control);
  // The tooltip window starts watching the mouse with this move.
  MSG relayed{hwnd, msg, wp, lp, static_cast<DWORD>(GetMessageTime()), {}};
  const DWORD pos = GetMessagePos();
  relayed.pt = POINT{GET_X_LPARAM(pos), GET_Y_LPARAM(pos)};
  SendMessageA(fw.tips, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

namespace {

// What each kind of control shows in its window, beyond place, state and tip.
void SyncFrameWindow(HWND hwnd, const Frame& frame, bool made_now) {
  SetTextIfDifferent(hwnd, frame.Caption());
  if (!made_now) InvalidateRect(hwnd, nullptr, TRUE);
}

void SyncCheckBoxWindow(HWND hwnd, const CheckBox& box) {
  SetTextIfDifferent(hwnd, box.Caption());
  if (SendMessageA(hwnd, BM_GETCHECK, 0, 0) != box.Value()) SendMessageA(hwnd, BM_SETCHECK, box.Value(), 0);
}

void SyncOptionWindow(HWND hwnd, const OptionButton& option) {
  SetTextIfDifferent(hwnd, option.Caption());
  const WPARAM state = option.Value() ? BST_CHECKED : BST_UNCHECKED;
  if (static_cast<WPARAM>(SendMessageA(hwnd, BM_GETCHECK, 0, 0)) != state) SendMessageA(hwnd, BM_SETCHECK, state, 0);
}

void SyncTextBoxWindow(HWND hwnd, const TextBox& box) {
  if (WindowText(hwnd) != box.Text()) {
    SetWindowTextA(hwnd, box.Text().c_str());
    // Text set by the program leaves the caret at its end, where typing goes on.
    const auto end = static_cast<WPARAM>(box.Text().size());
    SendMessageA(hwnd, EM_SETSEL, end, static_cast<LPARAM>(end));
  }
  const bool readonly = (GetWindowLongA(hwnd, GWL_STYLE) & ES_READONLY) != 0;
  if (readonly != box.Locked()) SendMessageA(hwnd, EM_SETREADONLY, box.Locked(), 0);
}

void SyncScrollBarWindow(HWND hwnd, const FlatScrollBar& bar) {
  SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = SIF_RANGE | SIF_POS | SIF_DISABLENOSCROLL;
  si.nMin = 0;
  si.nMax = std::abs(bar.Max() - bar.Min());
  si.nPos = std::abs(bar.Value() - bar.Min());
  SetScrollInfo(hwnd, SB_CTL, &si, TRUE);
}

}  // namespace

void Renderer::SyncLabel(ControlWindow& cw, const Label& label, bool moved, bool made_now) {
  // A label repaints itself for a new caption; a new place, alignment or
  // colours (given at paint time) need a repaint asked for.
  HWND hwnd = cw.hwnd;
  const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
  const LONG aligned = (style & ~(SS_LEFT | SS_RIGHT | SS_CENTER)) | AlignStyle(label.GetAlignment());
  const bool repaint =
      moved || aligned != style || cw.color_shown != label.ForeColor() || cw.back_shown != label.BackColor();
  if (aligned != style) SetWindowLongA(hwnd, GWL_STYLE, aligned);
  cw.color_shown = label.ForeColor();
  cw.back_shown = label.BackColor();
  SetTextIfDifferent(hwnd, label.Caption());
  if (repaint && !made_now) InvalidateRect(hwnd, nullptr, TRUE);
}

void Renderer::SyncPicture(ControlWindow& cw, const PictureControl& pic) {
  if (pic.Picture() != cw.picture_path) {
    cw.picture_path = pic.Picture();
    // Decoded into a picture of its own, which replaces the one shown only
    // once it has loaded: a file the system's loader refuses after all
    // (bad tables, sizes it cannot hold) leaves the old picture up.
    std::string bytes;
    if (cw.picture_path.empty()) cw.picture = nullptr;
    else if (app_.files().ReadFile(cw.picture_path, &bytes))
      if (auto loaded = Picture::Decode(bytes, screen_)) cw.picture = std::move(loaded);
  }
  InvalidateRect(cw.hwnd, nullptr, TRUE);
}

void Renderer::Sync(FormWindows& fw, Control& control, bool made_now) {
  auto found = fw.controls.find(&control);
  if (found == fw.controls.end()) return;
  ControlWindow& cw = found->second;
  if (control.kind() == Kind::kMenu) {
    SyncMenuBar(fw);
    return;
  }
  if (!cw.hwnd) {  // a line: its container draws it
    HWND parent = ParentFor(fw, control, true);
    InvalidateRect(parent, nullptr, TRUE);
    return;
  }
  const Mirroring mirroring(*this);
  HWND hwnd = cw.hwnd;
  HWND parent = ParentFor(fw, control, true);
  if (GetParent(hwnd) != parent) SetParent(hwnd, parent);
  const RECT want = PlacedRect(control);
  const bool moved = !EqualRect(&want, &cw.placed);
  if (moved) {
    cw.placed = want;
    SetWindowPos(hwnd, nullptr, want.left, want.top, want.right - want.left, want.bottom - want.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if ((IsWindowEnabled(hwnd) != 0) != control.Enabled()) EnableWindow(hwnd, control.Enabled());
  SyncTip(fw, cw, control);

  switch (control.kind()) {
    case Kind::kFrame:
      SyncFrameWindow(hwnd, static_cast<Frame&>(control), made_now);
      break;
    case Kind::kLabel:
      SyncLabel(cw, static_cast<Label&>(control), moved, made_now);
      break;
    case Kind::kCommandButton:
      SetTextIfDifferent(hwnd, static_cast<CommandButton&>(control).Caption());
      break;
    case Kind::kCheckBox:
      SyncCheckBoxWindow(hwnd, static_cast<CheckBox&>(control));
      break;
    case Kind::kOptionButton:
      SyncOptionWindow(hwnd, static_cast<OptionButton&>(control));
      break;
    case Kind::kListBox: {
      auto& list = static_cast<ListBox&>(control);
      SyncList(cw, list, made_now);
      if (cw.color_shown != list.ForeColor()) {
        cw.color_shown = list.ForeColor();
        InvalidateRect(hwnd, nullptr, TRUE);
      }
      break;
    }
    case Kind::kComboBox:
    case Kind::kDriveListBox:
    case Kind::kDirListBox:
    case Kind::kFileListBox:
      SyncList(cw, static_cast<ListControl&>(control), made_now);
      break;
    case Kind::kTextBox:
      SyncTextBoxWindow(hwnd, static_cast<TextBox&>(control));
      break;
    case Kind::kImage:
    case Kind::kPictureBox:
      SyncPicture(cw, static_cast<PictureControl&>(control));
      break;
    case Kind::kToolbar:
      SyncToolbar(cw, static_cast<Toolbar&>(control));
      break;
    case Kind::kFlatScrollBar:
      SyncScrollBarWindow(hwnd, static_cast<FlatScrollBar&>(control));
      break;
    case Kind::kLine:
    case Kind::kTimer:
    case Kind::kMenu:
      break;
  }
  const bool visible = (GetWindowLongA(hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
  if (visible != control.Visible()) ShowWindow(hwnd, control.Visible() ? SW_SHOWNA : SW_HIDE);
}

}  // namespace ks::ui::win32
