// Window messages: the user's input turned into the model's User* actions.
// Every notification that arrives while the renderer mirrors the model
// (mirroring_ > 0) is the renderer's own doing and is dropped.

#include <algorithm>
#include <string>
#include <vector>

#include "ui/win32/picture.h"
#include "ui/win32/renderer.h"
#include "ui/win32/renderer_internal.h"

#include <commctrl.h>
#include <windowsx.h>

namespace ks::ui::win32 {

LRESULT Renderer::Handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (hwnd == timer_window_) {
    if (msg == WM_TIMER) {
      KillTimer(hwnd, 1);
      armed_due_ = -1;
      app_.RunDueTimers();
      ArmTimer();
      // The tick may come inside the system's own loop (a menu, a window drag).
      ShowPending();
      return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
  }
  FormWindows* fw = nullptr;
  Control* self = FindControl(hwnd, &fw);  // a frame or a picture
  if (!self) fw = FindFormByWindow(hwnd);
  if (!fw) return DefWindowProcA(hwnd, msg, wp, lp);
  Form& form = *fw->form;
  switch (msg) {
    case WM_COMMAND:
      if (lp && !mirroring_)
        OnCommand(*fw, reinterpret_cast<HWND>(lp), static_cast<int>(wp));
      else if (!lp && HIWORD(wp) == 0 && !mirroring_)
        OnMenu(*fw, LOWORD(wp));
      return 0;
    case WM_NOTIFY:
      return OnNotify(*fw, reinterpret_cast<NMHDR*>(lp));
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (lp && !mirroring_) OnScroll(*fw, reinterpret_cast<HWND>(lp), LOWORD(wp));
      return 0;
    case WM_CTLCOLORSTATIC: {
      Control* c = FindControl(reinterpret_cast<HWND>(lp));
      if (c && c->kind() == Kind::kLabel) {
        auto* label = static_cast<Label*>(c);
        HDC dc = reinterpret_cast<HDC>(wp);
        if (label->ForeColor() >= 0) SetTextColor(dc, static_cast<COLORREF>(label->ForeColor()));
        if (label->BackColor() >= 0) {
          SetBkColor(dc, static_cast<COLORREF>(label->BackColor()));
          return reinterpret_cast<LRESULT>(Brush(label->BackColor()));
        }
      }
      break;
    }
    case WM_CTLCOLORLISTBOX: {
      Control* c = FindControl(reinterpret_cast<HWND>(lp));
      if (c && c->kind() == Kind::kListBox && static_cast<ListBox*>(c)->ForeColor() >= 0) {
        HDC dc = reinterpret_cast<HDC>(wp);
        SetTextColor(dc, static_cast<COLORREF>(static_cast<ListBox*>(c)->ForeColor()));
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
      }
      break;
    }
    case WM_PAINT:
      if (self && self->kind() != Kind::kFrame)
        PaintPicture(*fw, hwnd, *self);
      else
        PaintContainer(*fw, hwnd, static_cast<Frame*>(self));
      return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
      if (msg == WM_MOUSEMOVE) StartTips(*fw, hwnd, msg, wp, lp);
      if (mirroring_) break;
      if (self) {
        OnMouse(*self, msg, wp, lp);
      } else if (msg == WM_MOUSEMOVE) {
        form.UserMouseMove(MouseButtons(wp), ShiftState(), static_cast<float>(Twips(GET_X_LPARAM(lp))),
                           static_cast<float>(Twips(GET_Y_LPARAM(lp))));
      }
      return 0;
    case WM_CLOSE:
      if (!self) form.UserClose();
      return 0;
    case WM_ACTIVATE:
      // Activate is about the program's own forms: coming back from another
      // program (no window of ours lost the activation) raises nothing. This
      // also runs while the renderer hides or destroys a form, so the form
      // that takes over is activated; the model drops the activation of a
      // form that is active already (the one Show has just activated).
      if (!self && LOWORD(wp) != WA_INACTIVE && lp && FindFormByWindow(reinterpret_cast<HWND>(lp)) != nullptr)
        form.UserActivate();
      break;
    case WM_SIZE:
      // A form that grows may bring controls placed below its edge into view.
      if (hwnd == fw->hwnd && wp != SIZE_MINIMIZED) CreateShownControls(*fw);
      if (!self && !mirroring_) {
        WindowState state = wp == SIZE_MINIMIZED   ? WindowState::kMinimized
                            : wp == SIZE_MAXIMIZED ? WindowState::kMaximized
                                                   : WindowState::kNormal;
        form.UserWindowState(state);
      }
      break;
    case WM_EXITSIZEMOVE:
      if (!self && !mirroring_) {
        RECT r;
        GetWindowRect(hwnd, &r);
        fw->placed = r;
        form.UserMove(Twips(r.left), Twips(r.top), Twips(r.right - r.left), Twips(r.bottom - r.top));
      }
      break;
    default:
      break;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

void Renderer::HandleChild(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != WM_MOUSEMOVE) return;
  FormWindows* fw = nullptr;
  Control* c = FindControl(hwnd, &fw);
  // Frames and pictures are windows of ours: Handle takes their input.
  if (!c || c->kind() == Kind::kFrame || c->kind() == Kind::kImage || c->kind() == Kind::kPictureBox) return;
  StartTips(*fw, hwnd, msg, wp, lp);
  if (!mirroring_) OnMouse(*c, msg, wp, lp);
}

void Renderer::OnMouse(Control& c, UINT msg, WPARAM wp, LPARAM lp) {
  const int buttons = MouseButtons(wp), shift = ShiftState();
  const auto x = static_cast<float>(Twips(GET_X_LPARAM(lp))), y = static_cast<float>(Twips(GET_Y_LPARAM(lp)));
  const bool click = msg == WM_LBUTTONUP;
  switch (c.kind()) {
    case Kind::kFrame:
      click ? static_cast<Frame&>(c).UserClick() : static_cast<Frame&>(c).UserMouseMove(buttons, shift, x, y);
      break;
    case Kind::kImage:
    case Kind::kPictureBox:
      click ? static_cast<PictureControl&>(c).UserClick()
            : static_cast<PictureControl&>(c).UserMouseMove(buttons, shift, x, y);
      break;
    case Kind::kLabel:
      if (!click) static_cast<Label&>(c).UserMouseMove(buttons, shift, x, y);
      break;
    case Kind::kCommandButton:
      if (!click) static_cast<CommandButton&>(c).UserMouseMove(buttons, shift, x, y);
      break;
    case Kind::kCheckBox:
      if (!click) static_cast<CheckBox&>(c).UserMouseMove(buttons, shift, x, y);
      break;
    case Kind::kOptionButton:
      if (!click) static_cast<OptionButton&>(c).UserMouseMove(buttons, shift, x, y);
      break;
    default:
      break;
  }
}

void Renderer::OnCommand(FormWindows& fw, HWND child, int wp) {
  Control* c = FindControl(child);
  if (!c) return;
  const int code = HIWORD(wp);
  bool acted = true;
  switch (c->kind()) {
    case Kind::kLabel:
      acted = code == STN_CLICKED;
      if (acted) static_cast<Label*>(c)->UserClick();
      break;
    case Kind::kCommandButton:
      acted = code == BN_CLICKED;
      if (acted) static_cast<CommandButton*>(c)->UserClick();
      break;
    case Kind::kCheckBox:
      acted = code == BN_CLICKED;
      if (acted) static_cast<CheckBox*>(c)->UserClick();
      break;
    case Kind::kOptionButton:
      acted = code == BN_CLICKED;
      if (acted) static_cast<OptionButton*>(c)->UserClick();
      break;
    case Kind::kComboBox:
    case Kind::kDriveListBox: {
      auto* list = static_cast<ListControl*>(c);
      auto found = fw.controls.find(c);
      if (found == fw.controls.end()) return;
      if (code == CBN_SELCHANGE || code == CBN_SELENDOK) {
        const int index = static_cast<int>(SendMessageA(child, CB_GETCURSEL, 0, 0));
        acted = NewComboPick(found->second, code == CBN_SELENDOK, index, list->ListIndex());
        if (acted) list->UserPick(index);
      } else if (code == CBN_DROPDOWN) {
        found->second.picked_since_drop = false;
        acted = false;
      } else if (code == CBN_EDITCHANGE && c->kind() == Kind::kComboBox) {
        static_cast<ComboBox*>(c)->UserType(WindowText(child));
      } else {
        acted = false;
      }
      break;
    }
    case Kind::kListBox:
      if (code == LBN_SELCHANGE)
        static_cast<ListBox*>(c)->UserPick(static_cast<int>(SendMessageA(child, LB_GETCURSEL, 0, 0)));
      else if (code == LBN_DBLCLK)
        static_cast<ListBox*>(c)->UserDblClick();
      else
        acted = false;
      break;
    case Kind::kFileListBox:
      acted = code == LBN_SELCHANGE;
      if (acted) static_cast<FileListBox*>(c)->UserPick(static_cast<int>(SendMessageA(child, LB_GETCURSEL, 0, 0)));
      break;
    case Kind::kDirListBox:
      acted = code == LBN_DBLCLK;
      if (acted) static_cast<DirListBox*>(c)->UserOpen(static_cast<int>(SendMessageA(child, LB_GETCURSEL, 0, 0)));
      break;
    case Kind::kTextBox:
      acted = code == EN_CHANGE;
      if (acted) static_cast<TextBox*>(c)->UserType(WindowText(child));
      break;
    case Kind::kToolbar: {
      auto* bar = static_cast<Toolbar*>(c);
      if (ToolButton* b = bar->Button(LOWORD(wp) - kFirstButtonId + 1)) bar->UserClickButton(std::string(b->Key));
      break;
    }
    default:
      acted = false;
      break;
  }
  // The model may not have taken the change the window made by itself (a
  // disabled or locked control, a refused value): show the model's state again.
  if (acted && FindControl(child) == c) Sync(fw, *c);
}

// A pick in a combo's list sends CBN_SELENDOK and, when the selection
// moved or the entry was clicked, CBN_SELCHANGE, in an order that differs
// between systems; both come from the one input message and make one pick.
// The arrow keys in the dropped list pick at each step (CBN_SELCHANGE):
// the CBN_SELENDOK of the Enter that closes it then picks nothing new. A
// click on the entry already chosen is a pick of its own (Click again).
bool Renderer::NewComboPick(ControlWindow& cw, bool end_ok, int index, int model_index) {
  if (end_ok && index < 0) return false;  // closed with no entry chosen
  if (cw.pick_input == input_serial_ && cw.pick_index == index) return false;
  if (end_ok && cw.picked_since_drop && index == model_index) return false;
  cw.pick_input = input_serial_;
  cw.pick_index = index;
  cw.picked_since_drop = true;
  return true;
}

void Renderer::OnMenu(FormWindows& fw, int id) {
  auto found = fw.menu_ids.find(id);
  if (found != fw.menu_ids.end()) static_cast<Menu*>(found->second)->UserClick();
}

void Renderer::OnScroll(FormWindows& fw, HWND child, int request) {
  Control* c = FindControl(child);
  if (!c || c->kind() != Kind::kFlatScrollBar) return;
  auto* bar = static_cast<FlatScrollBar*>(c);
  const int range = std::abs(bar->Max() - bar->Min());
  const int sign = bar->Max() >= bar->Min() ? 1 : -1;
  int pos = std::abs(bar->Value() - bar->Min());
  SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = SIF_TRACKPOS;
  GetScrollInfo(child, SB_CTL, &si);
  switch (request) {
    case SB_LINEUP: pos -= bar->SmallChange(); break;
    case SB_LINEDOWN: pos += bar->SmallChange(); break;
    case SB_PAGEUP: pos -= bar->LargeChange(); break;
    case SB_PAGEDOWN: pos += bar->LargeChange(); break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = range; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = si.nTrackPos; break;
    default: return;
  }
  pos = std::clamp(pos, 0, range);
  const int value = bar->Min() + sign * pos;
  if (request == SB_THUMBTRACK)
    bar->UserScroll(value);
  else
    bar->UserChange(value);
  if (FindControl(child) == c) Sync(fw, *c);
}

LRESULT Renderer::OnNotify(FormWindows& fw, NMHDR* header) {
  if (!header || mirroring_) return 0;
  Control* c = FindControl(header->hwndFrom);
  if (!c || c->kind() != Kind::kToolbar || header->code != TBN_DROPDOWN) return 0;
  auto* bar = static_cast<Toolbar*>(c);
  auto* note = reinterpret_cast<NMTOOLBARA*>(header);
  ToolButton* button = bar->Button(note->iItem - kFirstButtonId + 1);
  if (!button) return TBDDRET_DEFAULT;
  const std::string button_key = button->Key;
  std::vector<std::string> keys;
  HMENU menu = CreatePopupMenu();
  for (const ButtonMenu& m : button->ButtonMenus) {
    if (!m.Visible) continue;
    keys.push_back(m.Key);
    AppendMenuA(menu, MF_STRING | (m.Enabled ? 0 : MF_GRAYED), keys.size(), m.Text.c_str());
  }
  ShowPending();  // the menu runs a loop of its own
  RECT r{};
  SendMessageA(header->hwndFrom, TB_GETRECT, static_cast<WPARAM>(note->iItem), reinterpret_cast<LPARAM>(&r));
  MapWindowPoints(header->hwndFrom, nullptr, reinterpret_cast<POINT*>(&r), 2);
  const int chosen = static_cast<int>(
      TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN, r.left, r.bottom, fw.hwnd, nullptr));
  DestroyMenu(menu);
  if (chosen > 0 && chosen <= static_cast<int>(keys.size()))
    bar->UserClickMenu(button_key, keys[static_cast<size_t>(chosen - 1)]);
  return TBDDRET_DEFAULT;
}

void Renderer::PaintContainer(FormWindows& fw, HWND hwnd, Frame* frame) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  if (frame) {
    RECT r;
    GetClientRect(hwnd, &r);
    HGDIOBJ old_font = SelectObject(dc, font_);
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    RECT edge = r;
    edge.top += tm.tmHeight / 2;
    DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
    if (!frame->Caption().empty()) {
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
      TextOutA(dc, Px(kFrameCaptionLeftTwips), 0, (" " + frame->Caption() + " ").c_str(),
               static_cast<int>(frame->Caption().size() + 2));
    }
    SelectObject(dc, old_font);
  }
  for (auto& [control, cw] : fw.controls) {
    if (control->kind() != Kind::kLine || control->Container() != frame || !control->Visible()) continue;
    auto* line = static_cast<const Line*>(control);
    const ks::win32::ScopedGdiObject pen(CreatePen(PS_SOLID, 1, static_cast<COLORREF>(line->BorderColor())));
    HGDIOBJ old = SelectObject(dc, pen.get());
    MoveToEx(dc, Px(line->X1()), Px(line->Y1()), nullptr);
    LineTo(dc, Px(line->X2()), Px(line->Y2()));
    SelectObject(dc, old);
  }
  EndPaint(hwnd, &ps);
}

// The drawing is in twips from the outer top left corner; the client area
// starts inside the border.
void Renderer::PaintDrawing(HDC dc, HWND hwnd, const PictureBox& box) {
  RECT outer, client;
  GetWindowRect(hwnd, &outer);
  GetClientRect(hwnd, &client);
  POINT origin{0, 0};
  ClientToScreen(hwnd, &origin);
  const int dx = outer.left - origin.x, dy = outer.top - origin.y;
  for (const DrawOp& op : box.Drawing()) {
    const auto color = static_cast<COLORREF>(op.color);
    if (op.shape == DrawOp::Shape::kPoint) {
      const int x = Px(op.x1) + dx, y = Px(op.y1) + dy, half = op.width / 2;
      RECT dot{x - half, y - half, x - half + op.width, y - half + op.width};
      FillRect(dc, &dot, Brush(op.color));
      continue;
    }
    // Dotted pens are one pixel wide in GDI.
    const ks::win32::ScopedGdiObject pen(CreatePen(op.dotted ? PS_DOT : PS_SOLID, op.dotted ? 1 : op.width, color));
    HGDIOBJ old = SelectObject(dc, pen.get());
    const int bk = SetBkMode(dc, TRANSPARENT);
    MoveToEx(dc, Px(op.x1) + dx, Px(op.y1) + dy, nullptr);
    LineTo(dc, Px(op.x2) + dx, Px(op.y2) + dy);
    SetPixel(dc, Px(op.x2) + dx, Px(op.y2) + dy, color);
    SetBkMode(dc, bk);
    SelectObject(dc, old);
  }
}

void Renderer::PaintPicture(FormWindows& fw, HWND hwnd, Control& control) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  auto found = fw.controls.find(&control);
  auto* box = control.kind() == Kind::kPictureBox ? static_cast<PictureBox*>(&control) : nullptr;
  if (box != nullptr && box->BackColor() != -1) {
    RECT client;
    GetClientRect(hwnd, &client);
    const int color = box->BackColor();
    FillRect(ps.hdc, &client, color == kWindowColor ? GetSysColorBrush(COLOR_WINDOW) : Brush(color));
  }
  if (found != fw.controls.end() && found->second.picture) {
    const Picture& pic = *found->second.picture;
    RECT target{0, 0, pic.WidthPx(), pic.HeightPx()};
    if (control.kind() == Kind::kImage && static_cast<Image&>(control).Stretch()) GetClientRect(hwnd, &target);
    pic.Draw(dc, target);
  }
  if (box != nullptr) PaintDrawing(dc, hwnd, *box);
  EndPaint(hwnd, &ps);
}

}  // namespace ks::ui::win32
