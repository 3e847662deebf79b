#include "ui/win32/renderer.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "ui/win32/picture.h"
#include "ui/win32/renderer_internal.h"
#include "ui/win32/screenshot.h"

namespace ks::ui::win32 {

namespace {

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lp);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* renderer = reinterpret_cast<Renderer*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  return renderer ? renderer->Handle(hwnd, msg, wp, lp) : DefWindowProcA(hwnd, msg, wp, lp);
}

void RegisterClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  WNDCLASSA wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
  wc.lpszClassName = kFormClass;
  RegisterClassA(&wc);
  wc.hIcon = nullptr;
  wc.lpszClassName = kFrameClass;
  RegisterClassA(&wc);
  wc.lpszClassName = kPictureClass;
  RegisterClassA(&wc);
}

using SetLayeredFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

// Layered windows are looked up at run time; where the system has none the
// window simply stays opaque.
void ApplyOpacity(HWND hwnd, int alpha) {
  auto fn = reinterpret_cast<SetLayeredFn>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("user32.dll"), "SetLayeredWindowAttributes")));
  if (!fn) return;
  LONG ex = GetWindowLongA(hwnd, GWL_EXSTYLE);
  if (!(ex & WS_EX_LAYERED)) {
    if (alpha >= 255) return;
    SetWindowLongA(hwnd, GWL_EXSTYLE, ex | WS_EX_LAYERED);
  }
  fn(hwnd, 0, static_cast<BYTE>(alpha), LWA_ALPHA);
}

}  // namespace

TwipsScale ScreenScale() {
  // 0 when the screen cannot be asked, which the scale takes as 96.
  const ks::win32::ScopedScreenDc screen(GetDC(nullptr));
  return TwipsScale(screen.valid() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0);
}

std::string WindowText(HWND hwnd) {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

int MouseButtons(WPARAM wp) {
  return ((wp & MK_LBUTTON) ? 1 : 0) | ((wp & MK_RBUTTON) ? 2 : 0) | ((wp & MK_MBUTTON) ? 4 : 0);
}

int ShiftState() {
  return ((GetKeyState(VK_SHIFT) < 0) ? 1 : 0) | ((GetKeyState(VK_CONTROL) < 0) ? 2 : 0) |
         ((GetKeyState(VK_MENU) < 0) ? 4 : 0);
}

Renderer::Renderer(App& app) : app_(app), screen_(ScreenScale()) {
  RegisterClasses();
  font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  timer_window_ = CreateWindowExA(0, kFormClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr),
                                  this);
  app_.SetBackend(this);
}

Renderer::~Renderer() {
  app_.SetBackend(nullptr);
  ++mirroring_;
  for (auto& [form, fw] : forms_)
    if (fw->hwnd) DestroyWindow(fw->hwnd);
  forms_.clear();
  DestroyWindow(timer_window_);
}

std::int64_t Renderer::NowMs() { return static_cast<std::int64_t>(GetTickCount64()); }

void Renderer::ArmTimer() {
  // The system timer is set again only for a new due time: the loop arms
  // it around every message, and each setting is a round trip to the
  // server under Wine.
  const std::int64_t due = app_.NextDue();
  if (due == armed_due_) return;
  armed_due_ = due;
  if (due < 0) {
    KillTimer(timer_window_, 1);
    return;
  }
  SetTimer(timer_window_, 1, static_cast<UINT>(std::clamp<std::int64_t>(due - NowMs(), 1, 0x7FFFFFFF)), nullptr);
}

void Renderer::Pump(bool wait, std::int64_t until_ms) {
  ShowPending();
  ArmTimer();
  MSG msg;
  if (wait && !PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
    DWORD timeout = INFINITE;
    if (until_ms >= 0) timeout = static_cast<DWORD>(std::max<std::int64_t>(0, until_ms - NowMs()));
    MsgWaitForMultipleObjectsEx(0, nullptr, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;
    ++input_serial_;
    // The input meets the lists as the model has them.
    ShowPending();
    if (msg.message == WM_MOUSEMOVE) HandleChild(msg.hwnd, msg.message, msg.wParam, msg.lParam);
    // Tab and arrow navigation between the controls of a form.
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (root && FindFormByWindow(root) && IsDialogMessageA(root, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  ArmTimer();
}

Renderer::FormWindows* Renderer::FindForm(const Form& form) const {
  auto found = forms_.find(&form);
  return found == forms_.end() ? nullptr : found->second.get();
}

Renderer::FormWindows* Renderer::FindFormByWindow(HWND hwnd) const {
  HWND root = GetAncestor(hwnd, GA_ROOT);
  for (auto& [form, fw] : forms_)
    if (fw->hwnd == hwnd || fw->hwnd == root) return fw.get();
  return nullptr;
}

Control* Renderer::FindControl(HWND hwnd, FormWindows** out) const {
  for (auto& [form, fw] : forms_)
    for (auto& [control, cw] : fw->controls)
      if (cw.hwnd == hwnd) {
        if (out) *out = fw.get();
        return const_cast<Control*>(control);
      }
  return nullptr;
}

HWND Renderer::WindowOf(const Form& form) const {
  FormWindows* fw = FindForm(form);
  return fw ? fw->hwnd : nullptr;
}

HWND Renderer::WindowOf(const Control& control) const {
  FormWindows* fw = FindForm(control.form());
  if (!fw) return nullptr;
  // Whoever asks for a window reads it: it shows what the model holds.
  const_cast<Renderer*>(this)->ShowPending();
  const_cast<Renderer*>(this)->CreateControl(*fw, const_cast<Control&>(control), true);
  auto found = fw->controls.find(&control);
  return found == fw->controls.end() ? nullptr : found->second.hwnd;
}

std::uint64_t Renderer::ControlHandle(Control& control) {
  if (FormWindow(control.form()) == 0) return 0;
  return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(WindowOf(control)));
}

bool Renderer::HasWindow(const Control& control) const {
  FormWindows* fw = FindForm(control.form());
  if (!fw) return false;
  auto found = fw->controls.find(&control);
  return found != fw->controls.end() && found->second.hwnd != nullptr;
}

bool Renderer::HasPicture(const Control& control) const {
  FormWindows* fw = FindForm(control.form());
  if (!fw) return false;
  const_cast<Renderer*>(this)->CreateControl(*fw, const_cast<Control&>(control), true);
  auto found = fw->controls.find(&control);
  return found != fw->controls.end() && found->second.picture != nullptr;
}

void Renderer::WorkArea(int& left, int& top, int& width, int& height) {
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  left = Twips(area.left);
  top = Twips(area.top);
  width = Twips(area.right - area.left);
  height = Twips(area.bottom - area.top);
}

void Renderer::FrameStyles(const Form& form, DWORD& style, DWORD& ex_style) {
  switch (form.GetBorderStyle()) {
    case BorderStyle::kNone:
      style |= WS_POPUP;
      break;
    case BorderStyle::kFixedSingle:
      style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
      break;
    case BorderStyle::kSizable:
      style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
      break;
    case BorderStyle::kFixedDialog:
      style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
      ex_style |= WS_EX_DLGMODALFRAME;
      break;
    case BorderStyle::kFixedToolWindow:
      style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
      ex_style |= WS_EX_TOOLWINDOW;
      break;
    case BorderStyle::kSizableToolWindow:
      style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
      ex_style |= WS_EX_TOOLWINDOW;
      break;
  }
  if (form.HasMinBox()) style |= WS_MINIMIZEBOX;
  if (form.HasMaxBox()) style |= WS_MAXIMIZEBOX;
}

void Renderer::CreateFormWindow(Form& form) {
  // The common controls are loaded with the first window that may hold
  // one: a program that shows no window never maps them.
  if (!common_controls_) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    common_controls_ = true;
    if (ShowTrace) ShowTrace("common controls");
  }
  auto fw = std::make_unique<FormWindows>();
  fw->form = &form;
  FormWindows& ref = *fw;
  forms_[&form] = std::move(fw);
  ref.placed = RECT{Px(form.Left()), Px(form.Top()), Px(form.Left() + form.Width()), Px(form.Top() + form.Height())};
  DWORD style = WS_CLIPCHILDREN, ex_style = 0;
  FrameStyles(form, style, ex_style);
  ref.hwnd = CreateWindowExA(ex_style, kFormClass, form.Caption().c_str(), style,
                             ref.placed.left, ref.placed.top, ref.placed.right - ref.placed.left,
                             ref.placed.bottom - ref.placed.top, nullptr, nullptr, GetModuleHandleA(nullptr), this);
  if (ShowTrace) ShowTrace("form window");
  for (Control* c : form.controls()) CreateControl(ref, *c);
  if (ShowTrace) ShowTrace("control windows");
}

void Renderer::SyncForm(FormWindows& fw) {
  Form& form = *fw.form;
  const Mirroring mirroring(*this);
  if (WindowText(fw.hwnd) != form.Caption()) SetWindowTextA(fw.hwnd, form.Caption().c_str());
  RECT want{Px(form.Left()), Px(form.Top()), Px(form.Left() + form.Width()), Px(form.Top() + form.Height())};
  if (!EqualRect(&want, &fw.placed)) {
    fw.placed = want;
    SetWindowPos(fw.hwnd, nullptr, want.left, want.top, want.right - want.left, want.bottom - want.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ApplyOpacity(fw.hwnd, form.Opacity());
  const bool shown = (GetWindowLongA(fw.hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
  if (form.Visible()) {
    int show = SW_SHOW;
    if (form.GetWindowState() == WindowState::kMinimized) show = SW_SHOWMINIMIZED;
    if (form.GetWindowState() == WindowState::kMaximized) show = SW_SHOWMAXIMIZED;
    const bool state_ok = (show == SW_SHOWMINIMIZED) == (IsIconic(fw.hwnd) != 0) &&
                          (show == SW_SHOWMAXIMIZED) == (IsZoomed(fw.hwnd) != 0);
    if (!shown && ShowTrace) ShowTrace("show window");
    if (!shown || !state_ok) ShowWindow(fw.hwnd, state_ok ? SW_SHOW : (show == SW_SHOW ? SW_RESTORE : show));
  } else if (shown) {
    ReleaseModal(form);
    ShowWindow(fw.hwnd, SW_HIDE);
  }
}

void Renderer::FormChanged(Form& form) {
  if (!form.Loaded()) {
    FormGone(form);
    return;
  }
  FormWindows* fw = FindForm(form);
  if (!fw) {
    if (!form.Visible()) return;
    {
      const Mirroring mirroring(*this);
      CreateFormWindow(form);
    }
    fw = FindForm(form);
  }
  SyncForm(*fw);
}

void Renderer::FormGone(Form& form) {
  auto found = forms_.find(&form);
  if (found == forms_.end()) return;
  // Destroyed while still known, so the form activated in its place can
  // tell that the activation came from one of ours.
  ReleaseModal(form);
  {
    const Mirroring mirroring(*this);
    DestroyWindow(found->second->hwnd);
  }
  forms_.erase(found);
}

void Renderer::ControlChanged(Control& control) {
  FormWindows* fw = FindForm(control.form());
  if (!fw) return;
  if (fw->controls.count(&control) == 0)
    CreateControl(*fw, control);
  else
    Sync(*fw, control);
  if (control.kind() == Kind::kFrame && control.Visible()) CreateShownControls(*fw);
}

void Renderer::ControlGone(Control& control) {
  pending_lists_.erase(std::remove(pending_lists_.begin(), pending_lists_.end(), &control), pending_lists_.end());
  FormWindows* fw = FindForm(control.form());
  if (!fw) return;
  auto found = fw->controls.find(&control);
  if (found == fw->controls.end()) return;
  {
    const Mirroring mirroring(*this);
    if (found->second.hwnd && IsWindow(found->second.hwnd)) DestroyWindow(found->second.hwnd);
  }
  fw->controls.erase(found);
  for (auto it = fw->menu_ids.begin(); it != fw->menu_ids.end();)
    it = it->second == &control ? fw->menu_ids.erase(it) : std::next(it);
  // A frame takes the windows of its controls with it; they are made afresh
  // when those controls change again.
  for (auto it = fw->controls.begin(); it != fw->controls.end();)
    it = it->second.hwnd && !IsWindow(it->second.hwnd) ? fw->controls.erase(it) : std::next(it);
  if (control.kind() == Kind::kLine) InvalidateRect(fw->hwnd, nullptr, TRUE);
}

void Renderer::ModalBegin(Form& form) {
  const Mirroring mirroring(*this);
  auto& disabled = disabled_for_modal_[&form];
  for (auto& [other, fw] : forms_) {
    if (other == &form || !fw->hwnd || !IsWindowEnabled(fw->hwnd)) continue;
    EnableWindow(fw->hwnd, FALSE);
    disabled.push_back(other);
  }
}

void Renderer::ReleaseModal(const Form& modal) {
  auto found = disabled_for_modal_.find(&modal);
  if (found == disabled_for_modal_.end()) return;
  {
    const Mirroring mirroring(*this);
    for (const Form* other : found->second)
      if (FormWindows* fw = FindForm(*other)) EnableWindow(fw->hwnd, TRUE);
  }
  disabled_for_modal_.erase(found);
}

void Renderer::ModalEnd(Form& form) { ReleaseModal(form); }

HBRUSH Renderer::Brush(int color) {
  auto found = brushes_.find(color);
  if (found != brushes_.end()) return static_cast<HBRUSH>(found->second.get());
  HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(color));
  brushes_[color].reset(brush);
  return brush;
}

bool Renderer::SaveScreenshot(const Form& form, const std::string& path) const {
  const_cast<Renderer*>(this)->ShowPending();
  FormWindows* fw = FindForm(form);
  WindowPicture picture;
  if (!fw || !CaptureWindow(fw->hwnd, &picture)) return false;
  return app_.files().WriteFile(path, picture.bmp);
}

}  // namespace ks::ui::win32
