// Combo box (editable drop-down, or drop-down list) and list box.
//
// Code that sets ListIndex raises Click at once, as the user's pick does;
// code that sets an editable combo's Text raises Change, and when the text
// is that of one of its entries (compared without regard to case) the
// entry is selected too, with no second event. Setting what the control
// already shows raises nothing (an entry holding that text becomes the
// selection when none is); an index outside -1..ListCount-1 is refused.
// ListIndex -1 also empties an editable combo's text.
// Adding, removing and clearing items raises nothing.
//
// The user's pick raises Click even when it is the entry already selected
// (choosing a combo's entry again, clicking the selected line of a list):
// a pick is the user's action, not a change of state. Code that sets the
// ListIndex the list already has raises nothing.
#pragma once

#include <string>
#include <vector>

#include "ui/control.h"

namespace ks::ui {

// One change to a list's entries, as a renderer replays it on its own list.
struct ListEdit {
  enum class Op { kInsert, kRemove };
  Op op = Op::kInsert;
  int index = 0;
  std::string text;  // the entry inserted
};

// The changes to a list's entries since a renderer last took them: the
// edits to replay in order, or `rebuild` (show items() afresh, no edits)
// after Clear, a change of every entry at once (a folder read again, the
// design restored) or more edits than the list holds.
struct ListEdits {
  bool rebuild = false;
  std::vector<ListEdit> edits;
};

class ListControl : public Control {
 public:
  using Control::Control;

  // Adds at `index` (0..ListCount) or at the end (-1). The selection stays
  // on the same entry.
  void AddItem(const std::string& text, int index = -1);
  // Removes one entry; removing the selected entry leaves none selected.
  void RemoveItem(int index);
  // Removes every entry and the selection (an editable combo's text too).
  void Clear();
  int ListCount() const { return static_cast<int>(items_.size()); }
  // The entry's text, "" outside the list.
  std::string List(int index) const;
  const std::vector<std::string>& items() const { return items_; }
  int ListIndex() const { return list_index_; }
  // Refused (false) outside -1..ListCount-1.
  bool SetListIndex(int index);
  // Index of the entry with this text (without regard to case), or -1.
  int FindItem(const std::string& text) const;

  Handler OnClick;
  // The user picked an entry (-1: none): as SetListIndex, and picking the
  // entry already selected raises the select event again.
  virtual void UserPick(int index);

  // For the renderer: the changes to the entries since the last call. The
  // first call asks for a rebuild. Nobody takes them headless; the record
  // then never grows beyond the size of the list.
  ListEdits TakeEdits();

 protected:
  void KeepDesign(bool restore) override {
    Control::KeepDesign(restore);
    Keep(restore, items_, list_index_);
    if (restore) ItemsReplaced();
  }
  // A kind that sets items_ at once, rather than through AddItem and
  // RemoveItem, calls this afterwards.
  void ItemsReplaced();
  // The event a new selection raises (Click; a drive list's is Change).
  virtual void RaiseSelect() { Raise("Click", OnClick); }
  // The selection moved; `cleared` when code or Clear removed it (an
  // editable combo then empties its text too, as the Windows control does),
  // not when the selected entry was removed.
  virtual void SelectionChanged(bool cleared) {}
  std::vector<std::string> items_;
  int list_index_ = -1;

 private:
  void Record(ListEdit edit);
  ListEdits edits_{true, {}};
};

enum class ComboStyle { kDropDownCombo = 0, kDropDownList = 2 };

class ComboBox : public ListControl {
 public:
  ComboBox(Form& form, std::string name, ComboStyle style = ComboStyle::kDropDownCombo)
      : ListControl(form, Kind::kComboBox, std::move(name)), style_(style) {}
  ComboBox(Frame& frame, std::string name, ComboStyle style = ComboStyle::kDropDownCombo)
      : ListControl(frame, Kind::kComboBox, std::move(name)), style_(style) {}

  ComboStyle Style() const { return style_; }
  // The edit text (editable combo) or the selected entry's text.
  const std::string& Text() const { return text_; }
  // Editable: sets the text (raises Change) and selects a matching entry.
  // Drop-down list: selects the matching entry (raises Click); a text that
  // is no entry is refused (false).
  bool SetText(const std::string& text);

  Handler OnChange;
  // The user edited the text of an editable combo.
  void UserType(const std::string& text);

 protected:
  void SelectionChanged(bool cleared) override;


 protected:
  void KeepDesign(bool restore) override {
    ListControl::KeepDesign(restore);
    Keep(restore, text_);
  }
 private:
  ComboStyle style_;
  std::string text_;
};

class ListBox : public ListControl {
 public:
  ListBox(Form& form, std::string name) : ListControl(form, Kind::kListBox, std::move(name)) {}
  ListBox(Frame& frame, std::string name) : ListControl(frame, Kind::kListBox, std::move(name)) {}

  // The selected entry's text, "" with none.
  std::string Text() const { return List(list_index_); }

  Handler OnDblClick;
  // The user double-clicked an entry (the first click has selected it).
  void UserDblClick() { if (TakesInput()) Raise("DblClick", OnDblClick); }

  // Colour of the entries' text as 0x00BBGGRR; -1 is the system default.
  int ForeColor() const { return fore_color_; }
  void SetForeColor(int color);

 protected:
  void KeepDesign(bool restore) override {
    ListControl::KeepDesign(restore);
    Keep(restore, fore_color_);
  }

 private:
  int fore_color_ = -1;
};

}  // namespace ks::ui
