// A form: a top-level window of the model. Constructing it is cheap and
// loads nothing; Load (or Show) runs Form_Load once, and the form stays
// loaded, hidden or shown, until Unload. A program ends when its last
// loaded form is unloaded. Geometry is in twips, outer size.
//
// A form class derives from Form, declares its controls as members and
// overrides the Form_* handlers it needs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/app.h"

namespace ks::ui {

class Control;
class Menu;

enum class WindowState { kNormal = 0, kMinimized = 1, kMaximized = 2 };

// Where a form's window first appears when it is shown after a Load.
enum class StartUpPosition {
  kManual = 0,        // at Left/Top as the form sets them
  kCenterOwner = 1,   // centred on the active form (the caller), else on the screen
  kCenterScreen = 2,  // centred on the screen
};

// The window's frame. A sizable frame gives the user a sizing border; a
// fixed dialog and a tool window never have minimise or maximise boxes.
enum class BorderStyle {
  kNone = 0,
  kFixedSingle = 1,
  kSizable = 2,
  kFixedDialog = 3,
  kFixedToolWindow = 4,
  kSizableToolWindow = 5,
};

class Form {
 public:
  Form(App& app, std::string name);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  App& app() const { return app_; }
  const std::string& Name() const { return name_; }
  bool Loaded() const { return loaded_; }
  bool Visible() const { return visible_; }
  bool Modal() const { return modal_depth_ > 0; }

  // Loads the form when it is not loaded: runs Form_Load; the form stays
  // hidden. A form loaded again starts from its design: the form's and its
  // controls' properties as they were at the first Load (what the
  // constructor set up), restored without events.
  void Load();
  // Loads and shows the form; it becomes the active form (Activate, unless
  // it already is; the first showing after a Load raises Resize first). Modal: runs a nested loop until the form is
  // hidden or unloaded, then returns (headless, also when nothing is left
  // to do: no posted action, no enabled timer). A form that unloads itself
  // during its own Load is not shown.
  void Show(bool modal = false);
  void Hide();
  // Runs Form_Unload; unless it cancels, the form is hidden, unloaded and
  // Form_Terminate runs. Nothing happens for a form that is not loaded.
  // True when the form is unloaded afterwards.
  bool Unload();

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int twips) { Move(twips, top_, width_, height_); }
  void SetTop(int twips) { Move(left_, twips, width_, height_); }
  void SetWidth(int twips) { Move(left_, top_, twips, height_); }
  void SetHeight(int twips) { Move(left_, top_, width_, twips); }
  // A change of size raises Resize on a loaded form.
  void Move(int left, int top, int width, int height);
  WindowState GetWindowState() const { return window_state_; }
  // A change raises Resize on a loaded form.
  void SetWindowState(WindowState state);
  // Design-time window properties, read by the renderer when it makes the
  // window. Minimise and maximise boxes show only on frames that have them
  // (fixed single and sizable).
  StartUpPosition GetStartUpPosition() const { return start_up_position_; }
  void SetStartUpPosition(StartUpPosition position) { start_up_position_ = position; }
  ui::BorderStyle GetBorderStyle() const { return border_style_; }
  void SetBorderStyle(ui::BorderStyle style) { border_style_ = style; }
  bool MinButton() const { return min_button_; }
  void SetMinButton(bool on) { min_button_ = on; }
  bool MaxButton() const { return max_button_; }
  void SetMaxButton(bool on) { max_button_ = on; }
  bool HasMinBox() const;
  bool HasMaxBox() const;

  // 0 (invisible) .. 255 (opaque); shown through a layered window where the
  // system offers one, opaque otherwise.
  int Opacity() const { return opacity_; }
  void SetOpacity(int alpha);

  // The form's window handle: a loaded form has a window also while it is
  // hidden (windows can send it messages). Headless, a number of its own;
  // 0 for a form that is not loaded.
  std::uint64_t hWnd();
  // Shows the items of a menu of this form as a popup menu at the mouse
  // position (also a menu that is hidden from the menu bar); returns when
  // the menu closes, after the chosen item's Click has run.
  void PopupMenu(Menu& menu);

  // The controls, in declaration order.
  const std::vector<Control*>& controls() const { return controls_; }
  // A control by name (and index for an array element), or nullptr.
  Control* Find(const std::string& name, int index = -1) const;

  // --- user actions (the renderer, and tests) ---
  // The close box: unloads the form (Form_Unload may cancel).
  void UserClose() { Unload(); }
  void UserActivate();
  // The user moved or sized the window (twips, outer).
  void UserMove(int left, int top, int width, int height);
  void UserWindowState(WindowState state);
  void UserMouseMove(int button, int shift, float x, float y);

  // For controls.
  void Register(Control* control) { controls_.push_back(control); }
  void Unregister(Control* control);

 protected:
  virtual void Form_Load() {}
  virtual void Form_Activate() {}
  virtual void Form_Resize() {}
  virtual void Form_Unload(int& cancel) {}
  virtual void Form_Terminate() {}
  virtual void Form_MouseMove(int button, int shift, float x, float y) {}

 private:
  void RaiseResize();
  void RaiseActivate();
  // Applies StartUpPosition before the first showing after a Load.
  void PlaceAtStartUp();

  App& app_;
  std::string name_;
  std::vector<Control*> controls_;
  bool loaded_ = false;
  bool visible_ = false;
  bool shown_since_load_ = false;
  bool designed_ = false;  // the design was kept at the first Load
  struct Design {
    std::string caption;
    int left, top, width, height;
    WindowState window_state;
    int opacity;
  } design_{};
  int modal_depth_ = 0;
  std::string caption_;
  int left_ = 0, top_ = 0, width_ = 4800, height_ = 3600;
  WindowState window_state_ = WindowState::kNormal;
  int opacity_ = 255;
  StartUpPosition start_up_position_ = StartUpPosition::kManual;
  ui::BorderStyle border_style_ = ui::BorderStyle::kFixedSingle;
  bool min_button_ = true;
  bool max_button_ = false;
};

}  // namespace ks::ui
