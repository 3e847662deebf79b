#include "ui/list_mirror.h"

namespace ks::ui {

namespace {

void Rebuild(const ListControl& list, NativeList& native, bool empty, const EntryText& shown) {
  const bool batch = list.ListCount() > 1;
  if (batch) native.SetRedraw(false);
  if (!empty) native.Reset();
  int index = 0;
  for (const std::string& entry : list.items()) native.Insert(index++, shown(entry));
  if (batch) native.SetRedraw(true);
}

}  // namespace

void MirrorEntries(ListControl& list, NativeList& native, bool fresh, const EntryText& shown) {
  ListEdits edits = list.TakeEdits();
  if (fresh) {
    if (list.ListCount() > 0) Rebuild(list, native, true, shown);
    return;
  }
  if (edits.rebuild) {
    Rebuild(list, native, false, shown);
    return;
  }
  if (edits.edits.empty()) return;
  const bool batch = edits.edits.size() > 1;
  if (batch) native.SetRedraw(false);
  for (const ListEdit& edit : edits.edits) {
    if (edit.op == ListEdit::Op::kInsert)
      native.Insert(edit.index, shown(edit.text));
    else
      native.Remove(edit.index);
  }
  if (native.Count() != list.ListCount()) {
    native.Reset();
    int index = 0;
    for (const std::string& entry : list.items()) native.Insert(index++, shown(entry));
  }
  if (batch) native.SetRedraw(true);
}

}  // namespace ks::ui
