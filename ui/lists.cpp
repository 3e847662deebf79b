#include "ui/lists.h"

#include "platform/names.h"

namespace ks::ui {

namespace {
// Edits beyond the list's size after which showing it afresh is cheaper.
constexpr size_t kReplayMargin = 8;
}  // namespace

void ListControl::Record(ListEdit edit) {
  if (edits_.rebuild) return;
  edits_.edits.push_back(std::move(edit));
  if (edits_.edits.size() > items_.size() + kReplayMargin) ItemsReplaced();
}

void ListControl::ItemsReplaced() {
  edits_.rebuild = true;
  edits_.edits.clear();
}

ListEdits ListControl::TakeEdits() {
  ListEdits taken = std::move(edits_);
  edits_ = ListEdits{};
  return taken;
}

void ListControl::AddItem(const std::string& text, int index) {
  if (index < 0 || index > ListCount()) index = ListCount();
  items_.insert(items_.begin() + index, text);
  if (list_index_ >= index) ++list_index_;
  Record({ListEdit::Op::kInsert, index, text});
  Changed();
}

void ListControl::RemoveItem(int index) {
  if (index < 0 || index >= ListCount()) return;
  items_.erase(items_.begin() + index);
  Record({ListEdit::Op::kRemove, index, {}});
  if (list_index_ == index) {
    list_index_ = -1;
    SelectionChanged(false);
  } else if (list_index_ > index) {
    --list_index_;
  }
  Changed();
}

void ListControl::Clear() {
  items_.clear();
  ItemsReplaced();
  list_index_ = -1;
  SelectionChanged(true);
  Changed();
}

std::string ListControl::List(int index) const {
  return index >= 0 && index < ListCount() ? items_[static_cast<size_t>(index)] : std::string();
}

int ListControl::FindItem(const std::string& text) const {
  for (int i = 0; i < ListCount(); ++i)
    if (SameTextIgnoringCase(items_[static_cast<size_t>(i)], text)) return i;
  return -1;
}

bool ListControl::SetListIndex(int index) {
  if (index < -1 || index >= ListCount()) return false;
  if (index == list_index_) return true;
  list_index_ = index;
  SelectionChanged(true);
  Changed();
  RaiseSelect();
  return true;
}

void ListControl::UserPick(int index) {
  if (!TakesInput()) return;
  if (index < 0 || index != list_index_) {
    SetListIndex(index);
    return;
  }
  // The entry already selected, picked again: an editable combo shows its
  // text again (the user may have typed it in other letters).
  SelectionChanged(true);
  Changed();
  RaiseSelect();
}

void ComboBox::SelectionChanged(bool cleared) {
  if (list_index_ >= 0)
    text_ = List(list_index_);
  else if (cleared || style_ == ComboStyle::kDropDownList)
    text_.clear();
}

bool ComboBox::SetText(const std::string& text) {
  if (style_ == ComboStyle::kDropDownList) {
    const int index = FindItem(text);
    if (index < 0) return false;
    return SetListIndex(index);
  }
  if (text == text_) {
    // The text stays, so no event; an entry that now holds it becomes the selection.
    if (list_index_ < 0 && (list_index_ = FindItem(text)) >= 0) Changed();
    return true;
  }
  text_ = text;
  list_index_ = FindItem(text);
  Changed();
  Raise("Change", OnChange);
  return true;
}

void ComboBox::UserType(const std::string& text) {
  if (TakesInput() && style_ == ComboStyle::kDropDownCombo) SetText(text);
}

void ListBox::SetForeColor(int color) {
  if (color == fore_color_) return;
  fore_color_ = color;
  Changed();
}

}  // namespace ks::ui
