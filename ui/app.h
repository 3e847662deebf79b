// The event loop of one program: its forms, its timers, its clock and the
// message boxes. One App per process (it lives in the program's state
// object); without a backend it runs headless on a virtual clock, which is
// how tests drive forms. The Win32 renderer plugs in as the backend.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/files.h"
#include "ui/twips.h"

namespace ks::ui {

class Control;
class Form;
class Menu;
class Timer;

// What a renderer does for the model. Every call comes on the GUI thread.
class Backend {
 public:
  virtual ~Backend() = default;
  // Milliseconds of a steady clock.
  virtual std::int64_t NowMs() = 0;
  // Handles the input that is pending; when `wait` is true and nothing is
  // pending it waits for input, at most until `until_ms` (when >= 0).
  virtual void Pump(bool wait, std::int64_t until_ms) = 0;
  // The form's loaded/visible state, caption, geometry or opacity changed.
  virtual void FormChanged(Form& form) = 0;
  // A property of the control changed (the renderer re-reads its state).
  virtual void ControlChanged(Control& control) = 0;
  // A control is about to be destroyed.
  virtual void ControlGone(Control& control) {}
  // A form is about to be destroyed or unloaded: drop its windows.
  virtual void FormGone(Form& form) = 0;
  // A timer was started, stopped or given a new interval.
  virtual void TimersChanged() {}
  // A modal loop for `form` starts / ends (other forms take no input).
  virtual void ModalBegin(Form& form) {}
  virtual void ModalEnd(Form& form) {}
  // The window of a loaded form, made now (hidden) when the form has none
  // yet; 0 when there is none.
  virtual std::uint64_t FormWindow(Form& form) { return 0; }
  // The window of a control of a loaded form, made as FormWindow makes
  // the form's; 0 when there is none.
  virtual std::uint64_t ControlHandle(Control& control) { return 0; }
  // Shows the items of `menu` as a popup menu at the mouse position and
  // returns when it closes, after the chosen item's Click has run.
  virtual void PopupMenu(Form& form, Menu& menu) {}
  // The screen's work area in twips (without the taskbar).
  virtual void WorkArea(int& left, int& top, int& width, int& height);
  // Shows at once what the renderer holds back until its loop runs next
  // (list entries); called before the system runs a loop of its own.
  virtual void ShowPending() {}
  // The screen's pixels per inch, read once when the backend starts.
  virtual int PixelsPerInch() { return kDefaultPixelsPerInch; }
};

// The screen a program has without a renderer: 1024 x 768 pixels, in twips.
inline void HeadlessWorkArea(int& left, int& top, int& width, int& height) {
  left = top = 0;
  width = 1024 * 15;
  height = 768 * 15;
}

inline void Backend::WorkArea(int& left, int& top, int& width, int& height) {
  HeadlessWorkArea(left, top, width, height);
}

class App {
 public:
  App(platform::Dialogs& dialogs, platform::Files& files) : dialogs_(dialogs), files_(files) {}
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  // The renderer; nullptr (the default) runs headless. Setting a backend
  // turns the event log off.
  void SetBackend(Backend* backend);
  Backend* backend() const { return backend_; }
  platform::Files& files() { return files_; }

  // Title of the program: the caption of message boxes shown without one.
  std::string Title;

  // --- the loop ---
  // Handles pending input and runs the timers that are due, then returns.
  void DoEvents();
  // The main loop: runs until the program ends (headless: also until
  // nothing is pending and no timer is enabled, or the run limit is hit).
  void Run();
  // True once a form has been loaded and no form is loaded any more.
  bool Ended() const { return ever_loaded_ && LoadedCount() == 0; }
  int LoadedCount() const;
  // The form that was activated last and is still shown, or nullptr.
  Form* ActiveForm() const { return active_; }
  void SetActiveForm(Form* form) { active_ = form; }
  // The forms that exist, loaded or not, in creation order.
  const std::vector<Form*>& forms() const { return forms_; }

  // The system window handle of a form or control (what Direct3D draws
  // into); 0 headless.
  std::uint64_t WindowHandle(Form& form);
  std::uint64_t WindowHandle(Control& control);
  // The screen's work area in twips; headless a 1024 x 768 pixel screen.
  void WorkArea(int& left, int& top, int& width, int& height);
  // The screen's twips and pixels: the backend's screen, headless one of
  // 96 pixels per inch.
  TwipsScale Screen() const;

  // Message box through the platform's dialogs; returns the button pressed.
  int MsgBox(const std::string& text, unsigned style = platform::kMbOk, const std::string& caption = "");

  // --- headless driving (tests) ---
  // Milliseconds: the virtual clock headless, the backend's clock otherwise.
  std::int64_t Now() const;
  // Moves the virtual clock on, running posted actions and every timer
  // that falls due on the way, in time order.
  void Advance(std::int64_t ms);
  // Queues a user action for the loop (runs at the next loop step or DoEvents).
  void Post(std::function<void()> action) { posted_.push_back(std::move(action)); }
  // Headless popup menus: runs while the menu is open, as the user would
  // (UserClick on one of its items chooses it); nothing is chosen without it.
  std::function<void(Menu& menu)> OnPopupMenu;
  // Longest virtual time one headless Run or modal loop may take (default 1 h).
  std::int64_t RunLimitMs = 3600 * 1000;

  // --- event log: "Combo17.Click", "Check7(3).Click", "Form1.Load" ---
  bool Logging = true;
  const std::vector<std::string>& Events() const { return events_; }
  // The events logged so far, clearing the log.
  std::vector<std::string> TakeEvents();

  // --- for forms and controls ---
  void Log(const std::string& source, const char* event);
  void RegisterForm(Form* form);
  void UnregisterForm(Form* form);
  void FormLoaded() { ever_loaded_ = true; }
  void RunModal(Form& form);
  void ControlChanged(Control& control);
  void ControlGone(Control& control);
  void FormChanged(Form& form);
  // Called by a timer when its Interval or Enabled changed.
  void TimerReset(Timer& timer);
  // Runs the timers due at Now(); true when one ran. The renderer calls it
  // while the system runs a loop of its own (a menu, a window drag).
  bool RunDueTimers();
  // Earliest due time of an enabled timer of a loaded form, or -1.
  std::int64_t NextDue() const;

 private:
  // One step of a loop; false when headless and nothing can happen any more.
  bool Step(std::int64_t deadline);
  bool RunPosted();
  std::vector<Timer*> LiveTimers() const;

  platform::Dialogs& dialogs_;
  platform::Files& files_;
  Backend* backend_ = nullptr;
  std::vector<Form*> forms_;
  Form* active_ = nullptr;
  bool ever_loaded_ = false;
  std::int64_t virtual_ms_ = 0;
  std::deque<std::function<void()>> posted_;
  std::vector<std::string> events_;
};

}  // namespace ks::ui
