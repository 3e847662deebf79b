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
#pragma once

#include <string>
#include <vector>

#include "ui/control.h"

namespace ks::ui {

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
  // The user picked an entry: as SetListIndex.
  virtual void UserPick(int index) { if (TakesInput()) SetListIndex(index); }

 protected:
  void KeepDesign(bool restore) override {
    Control::KeepDesign(restore);
    Keep(restore, items_, list_index_);
  }
  // The event a new selection raises (Click; a drive list's is Change).
  virtual void RaiseSelect() { Raise("Click", OnClick); }
  // The selection moved; `cleared` when code or Clear removed it (an
  // editable combo then empties its text too, as the Windows control does),
  // not when the selected entry was removed.
  virtual void SelectionChanged(bool cleared) {}
  std::vector<std::string> items_;
  int list_index_ = -1;
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
