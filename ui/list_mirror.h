// Showing a list's entries in a native list (a list box, a combo box's
// list) by what changed since it was last shown: the renderer's half of
// ListControl::TakeEdits. Kept apart from the renderer so that the messages
// a change costs can be counted without a window.
#pragma once

#include <functional>
#include <string>

#include "ui/lists.h"

namespace ks::ui {

// The native list as a renderer drives it; each call is one message.
class NativeList {
 public:
  virtual ~NativeList() = default;
  virtual int Count() = 0;
  virtual void Reset() = 0;
  // Inserts at `index` (0..Count()).
  virtual void Insert(int index, const std::string& text) = 0;
  virtual void Remove(int index) = 0;
  // false holds the list's drawing; true lets it go and has the whole
  // list drawn once.
  virtual void SetRedraw(bool on) = 0;
};

// What the native list shows for an entry (a folder list indents names).
using EntryText = std::function<std::string(const std::string& entry)>;

// Brings `native` to the entries of `list`. `fresh`: the native list was
// just made and is empty, so it takes every entry whatever the record
// says. Recorded edits are replayed in order; a rebuild empties the native
// list and adds every entry. More than one change goes with the drawing
// held, so the list draws once for the batch. A native count that does not
// match the model after a replay (a change that went unrecorded) is mended
// by a rebuild.
void MirrorEntries(ListControl& list, NativeList& native, bool fresh, const EntryText& shown);

}  // namespace ks::ui
