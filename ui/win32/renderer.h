// The Win32 renderer: shows the forms of one App as real windows and turns
// the user's input into the model's User* actions. Geometry is converted
// from twips at the screen's pixels per inch, read when the renderer is
// made (15 twips a pixel at 96, 12 at 120). Notifications that the renderer causes
// itself while it mirrors a model change into a window are not passed back,
// so every change raises its event exactly once.
//
// The entries of lists and combos are shown by what changed, and not at
// once: the changes a handler makes (a list filled one AddItem at a time)
// are held until the loop runs next (before it takes the next message, or
// before a message box or menu runs a loop of its own), then sent as one
// batch with the list's drawing held. Asking for a control's window shows
// them too.
//
// Construct it on the GUI thread before the first form is shown; it sets
// itself as the App's backend and removes itself when destroyed.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/handle.h"
#include "platform/win32/win.h"
#include "ui/twips.h"
#include "ui/ui.h"

namespace ks::ui::win32 {

class Picture;

// The screen's pixels per inch as the system gives them (what it sizes the
// dialog font by); Windows reads them once for a process, at its start.
TwipsScale ScreenScale();

class Renderer : public Backend {
 public:
  explicit Renderer(App& app);
  ~Renderer() override;
  Renderer(const Renderer&) = delete;
  Renderer& operator=(const Renderer&) = delete;

  std::int64_t NowMs() override;
  void Pump(bool wait, std::int64_t until_ms) override;
  void FormChanged(Form& form) override;
  void ControlChanged(Control& control) override;
  void ControlGone(Control& control) override;
  void FormGone(Form& form) override;
  void TimersChanged() override { ArmTimer(); }
  void ModalBegin(Form& form) override;
  void ModalEnd(Form& form) override;
  std::uint64_t FormWindow(Form& form) override;
  std::uint64_t ControlHandle(Control& control) override;
  void PopupMenu(Form& form, Menu& menu) override;
  void WorkArea(int& left, int& top, int& width, int& height) override;
  void ShowPending() override;
  int PixelsPerInch() override { return screen_.PixelsPerInch(); }

  // The window of a shown form / of a control on it; nullptr when none. A
  // control on a page not shown yet gets its window made for the asker.
  HWND WindowOf(const Form& form) const;
  HWND WindowOf(const Control& control) const;
  // True when the control has a window now (without making one).
  bool HasWindow(const Control& control) const;
  // True when the control shows a decoded picture.
  bool HasPicture(const Control& control) const;
  // Writes what the form's window shows on screen as a 24-bit BMP file.
  bool SaveScreenshot(const Form& form, const std::string& path) const;

  // Told where the showing of a form has got to ("common controls",
  // "form window", "control windows", "show window"), for a start-up trace.
  std::function<void(const char* phase)> ShowTrace;

  // Window procedure work, shared by forms and frames.
  LRESULT Handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  // Input for a system control's window, seen by the loop before the
  // control gets it (the mouse moving over it).
  void HandleChild(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

 private:
  struct FormWindows;
  struct ControlWindow {
    HWND hwnd = nullptr;
    RECT placed{};  // rectangle last given to the window, pixels in its parent
    std::unique_ptr<Picture> picture;
    std::string picture_path;  // what `picture` was decoded from
    std::string items_shown;   // toolbar buttons as last mirrored, joined
    bool items_pending = false;  // a list's entries changed since they were last shown
    // The user's last pick in a combo: the input message it came with and
    // the entry; whether one was taken since its list last dropped down.
    std::uint64_t pick_input = 0;
    int pick_index = -1;
    bool picked_since_drop = false;
    std::string tip_shown;     // tooltip text as last mirrored
    int color_shown = -1;      // a list box's or label's text colour as last drawn
    int back_shown = -1;       // a label's back colour as last drawn
  };

  int Px(int twips) const { return screen_.Px(twips); }
  int Twips(int px) const { return screen_.Twips(px); }
  // The window's rectangle in its parent, pixels; a combo's window also
  // holds its drop-down list.
  RECT PlacedRect(const Control& control) const;

  void CreateFormWindow(Form& form);
  // The window styles of the form's BorderStyle, MinButton and MaxButton.
  static void FrameStyles(const Form& form, DWORD& style, DWORD& ex_style);
  // Makes the control's window, unless a frame around it is hidden (then
  // it is made when that frame is shown); `now` makes it in any case.
  void CreateControl(FormWindows& fw, Control& control, bool now = false);
  // Makes the windows of the controls that are shown now.
  void CreateShownControls(FormWindows& fw);
  bool NotShown(FormWindows& fw, const Control& control);
  bool OutOfView(FormWindows& fw, const Control& control);
  // Mirrors the control's state into its window; `made_now` when the
  // window was just made (it paints in full anyway).
  void Sync(FormWindows& fw, Control& control, bool made_now = false);
  void SyncForm(FormWindows& fw);
  void SyncToolbar(ControlWindow& cw, Toolbar& bar);
  void SyncLabel(ControlWindow& cw, const Label& label, bool moved, bool made_now);
  void SyncPicture(ControlWindow& cw, const PictureControl& pic);
  // A list's entries and selection: shown now when the window was just
  // made, else held for ShowPending.
  void SyncList(ControlWindow& cw, ListControl& list, bool made_now);
  void ShowList(ControlWindow& cw, ListControl& list, bool fresh);
  // Whether a combo's CBN_SELENDOK or CBN_SELCHANGE is a pick of its own
  // (one pick may send both).
  bool NewComboPick(ControlWindow& cw, bool end_ok, int index, int model_index);
  HWND ParentFor(FormWindows& fw, const Control& control, bool now);
  FormWindows* FindForm(const Form& form) const;
  FormWindows* FindFormByWindow(HWND hwnd) const;
  Control* FindControl(HWND hwnd, FormWindows** fw = nullptr) const;
  void OnCommand(FormWindows& fw, HWND child, int code);
  void OnScroll(FormWindows& fw, HWND bar, int request);
  void OnMouse(Control& control, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT OnNotify(FormWindows& fw, NMHDR* header);
  void PaintContainer(FormWindows& fw, HWND hwnd, Frame* frame);
  void PaintPicture(FormWindows& fw, HWND hwnd, Control& control);
  void PaintDrawing(HDC dc, HWND hwnd, const PictureBox& box);
  HBRUSH Brush(int color);
  // Keeps a system timer set for the model's next due timer, so that timers
  // also run inside the system's own loops (menus, window drags, message boxes).
  void ArmTimer();
  void SyncTip(FormWindows& fw, ControlWindow& cw, const Control& control);
  // With the first mouse move over the form: makes its tooltip window,
  // registers every tooltip wanted so far and passes that move on. Later
  // moves reach the tooltip window by themselves.
  void StartTips(FormWindows& fw, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  // Stacks a control's window made out of the form's order where the order
  // of controls puts it.
  void KeepOrder(FormWindows& fw, const Control& control, HWND hwnd);
  void SyncMenuBar(FormWindows& fw);
  void AppendMenus(FormWindows& fw, HMENU into, const Menu* parent);
  void OnMenu(FormWindows& fw, int id);
  // A popup menu of the items below `parent`; `items` gets the chosen
  // item for each command identifier (identifier = position + 1).
  HMENU BuildPopup(const Form& form, const Menu* parent, std::vector<Menu*>& items);
  // Enables again what a modal form disabled; called before the modal
  // form's window goes, so that Windows can activate its caller.
  void ReleaseModal(const Form& modal);

  App& app_;
  TwipsScale screen_;
  std::map<const Form*, std::unique_ptr<FormWindows>> forms_;
  std::map<int, ks::win32::ScopedGdiObject> brushes_;
  HFONT font_ = nullptr;
  HWND timer_window_ = nullptr;
  bool common_controls_ = false;  // InitCommonControlsEx has run
  std::int64_t armed_due_ = -1;   // due time the system timer is set for, -1: none
  int mirroring_ = 0;  // > 0 while the renderer itself changes windows
  std::vector<Control*> pending_lists_;  // lists whose entries wait for ShowPending
  std::uint64_t input_serial_ = 0;       // counts the messages the loop has taken
  // Marks the renderer's own window changes for its lifetime (scopes nest):
  // the messages they raise are not the user's and are dropped.
  class Mirroring {
   public:
    explicit Mirroring(Renderer& renderer) : renderer_(renderer) { ++renderer_.mirroring_; }
    ~Mirroring() { --renderer_.mirroring_; }
    Mirroring(const Mirroring&) = delete;
    Mirroring& operator=(const Mirroring&) = delete;

   private:
    Renderer& renderer_;
  };
  // The forms each modal form has disabled, by modal form.
  std::map<const Form*, std::vector<const Form*>> disabled_for_modal_;
};

}  // namespace ks::ui::win32
