// Lists shown by what changed: the messages a renderer sends to a native
// list for the model's changes, counted on a native list that records
// them. A batch of additions costs one message per entry added, whatever
// the list held before, with the drawing held once around it.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "forms/all_controls_form.h"
#include "platform/fake/machine.h"
#include "ui/list_mirror.h"

namespace ks {
namespace {

// A native list that keeps its entries and counts every message.
class RecordingList : public ui::NativeList {
 public:
  int Count() override {
    ++counts;
    return static_cast<int>(entries.size());
  }
  void Reset() override {
    ++resets;
    entries.clear();
  }
  void Insert(int index, const std::string& text) override {
    ++inserts;
    if (index < 0 || index > static_cast<int>(entries.size())) {
      ADD_FAILURE() << "insert at " << index << " into " << entries.size();
      return;
    }
    entries.insert(entries.begin() + index, text);
  }
  void Remove(int index) override {
    ++removes;
    if (index < 0 || index >= static_cast<int>(entries.size())) {
      ADD_FAILURE() << "remove at " << index << " of " << entries.size();
      return;
    }
    entries.erase(entries.begin() + index);
  }
  void SetRedraw(bool on) override {
    ++redraws;
    if (on == drawing) ADD_FAILURE() << "redraw " << on << " twice";
    drawing = on;
  }
  int Messages() const { return counts + resets + inserts + removes + redraws; }
  void Forget() { counts = resets = inserts = removes = redraws = 0; }

  std::vector<std::string> entries;
  bool drawing = true;
  int counts = 0, resets = 0, inserts = 0, removes = 0, redraws = 0;
};

std::string Same(const std::string& entry) { return entry; }

struct ListMirror : ::testing::Test {
  fake::FakeMachine m;
  ui::App app{m.msg, m.fs};
  test::AllControlsForm form{app};
  RecordingList native;

  // The renderer's first showing: a native list made now, empty.
  void ShowFresh(ui::ListControl& list) {
    ui::MirrorEntries(list, native, true, Same);
    native.Forget();
  }
  void Show(ui::ListControl& list) { ui::MirrorEntries(list, native, false, Same); }
};

TEST_F(ListMirror, ABatchOfAdditionsCostsOneMessageAnEntry) {
  struct Case {
    const char* name;
    int held;   // entries in the list before the batch
    int added;  // entries the batch adds, one AddItem each
  };
  const Case cases[] = {
      {"10 added to an empty list", 0, 10},
      {"1,000 added to an empty list", 0, 1000},
      {"5,000 added to an empty list", 0, 5000},
      {"100 added to a list of 5,000", 5000, 100},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    native = RecordingList{};
    form.List1.Clear();
    for (int i = 0; i < c.held; ++i) form.List1.AddItem("old" + std::to_string(i));
    ShowFresh(form.List1);
    for (int i = 0; i < c.added; ++i) form.List1.AddItem("file" + std::to_string(i) + ".dll");
    Show(form.List1);
    EXPECT_EQ(native.inserts, c.added);
    EXPECT_EQ(native.redraws, 2) << "the drawing is held once around the batch";
    EXPECT_EQ(native.Messages(), c.added + 3) << "the additions, the hold and its end, one count";
    EXPECT_EQ(native.entries, form.List1.items());
    EXPECT_TRUE(native.drawing);
  }
}

// Regression: every addition emptied the native list and added every entry
// again, so filling a list of n entries cost n * (n + 1) / 2 additions.
TEST_F(ListMirror, FillingAfterClearEmptiesOnceAndAddsEachEntryOnce) {
  for (int n : {1, 50, 733, 5000}) {
    SCOPED_TRACE(n);
    native = RecordingList{};
    form.List1.AddItem("before");
    ShowFresh(form.List1);
    native.entries = form.List1.items();
    form.List1.Clear();
    for (int i = 0; i < n; ++i) form.List1.AddItem("file" + std::to_string(i));
    Show(form.List1);
    EXPECT_EQ(native.resets, 1);
    EXPECT_EQ(native.inserts, n);
    EXPECT_LE(native.Messages(), n + 3);
    EXPECT_EQ(native.entries, form.List1.items());
  }
}

TEST_F(ListMirror, EachChangeShownOnItsOwnCostsOneMessageAndHoldsNoDrawing) {
  ShowFresh(form.List1);
  native.entries = form.List1.items();
  struct Case {
    const char* name;
    std::function<void(ui::ListBox&)> change;
    int inserts, removes;
  };
  const Case cases[] = {
      {"added at the end", [](ui::ListBox& l) { l.AddItem("end"); }, 1, 0},
      {"added at the top", [](ui::ListBox& l) { l.AddItem("top", 0); }, 1, 0},
      {"the middle entry removed", [](ui::ListBox& l) { l.RemoveItem(1); }, 0, 1},
      {"an index past the end adds at the end", [](ui::ListBox& l) { l.AddItem("far", 99); }, 1, 0},
      {"a removal outside the list changes nothing", [](ui::ListBox& l) { l.RemoveItem(42); }, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    native.Forget();
    c.change(form.List1);
    Show(form.List1);
    EXPECT_EQ(native.inserts, c.inserts);
    EXPECT_EQ(native.removes, c.removes);
    EXPECT_EQ(native.redraws, 0);
    EXPECT_EQ(native.resets, 0);
    EXPECT_EQ(native.entries, form.List1.items());
  }
}

TEST_F(ListMirror, MixedChangesEndAsTheModelHasThem) {
  struct Case {
    const char* name;
    std::function<void(ui::ListControl&)> change;
  };
  const Case cases[] = {
      {"insertions before earlier ones",
       [](ui::ListControl& l) {
         for (int i = 0; i < 20; ++i) l.AddItem(std::to_string(i), i % 3);
       }},
      {"an entry added, then removed", [](ui::ListControl& l) {
         l.AddItem("brief", 1);
         l.RemoveItem(1);
       }},
      {"every entry removed one by one, then one added",
       [](ui::ListControl& l) {
         while (l.ListCount() > 0) l.RemoveItem(0);
         l.AddItem("alone");
       }},
      {"additions after a clear", [](ui::ListControl& l) {
         l.AddItem("gone");
         l.Clear();
         l.AddItem("a");
         l.AddItem("b", 0);
       }},
      {"more removals and additions than entries",
       [](ui::ListControl& l) {
         for (int i = 0; i < 100; ++i) {
           l.AddItem("churn", 0);
           l.RemoveItem(l.ListCount() - 1);
         }
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (ui::ListControl* list : {static_cast<ui::ListControl*>(&form.List1), static_cast<ui::ListControl*>(&form.Combo2)}) {
      native = RecordingList{};
      ShowFresh(*list);
      native.entries = list->items();
      c.change(*list);
      Show(*list);
      EXPECT_EQ(native.entries, list->items()) << list->Name();
      EXPECT_TRUE(native.drawing);
      EXPECT_LE(native.Messages(), 2 * list->ListCount() + 16) << list->Name() << ": no more than a rebuild";
    }
  }
}

TEST_F(ListMirror, NothingChangedSendsNothing) {
  ShowFresh(form.List1);
  form.List1.SetListIndex(1);
  Show(form.List1);
  EXPECT_EQ(native.Messages(), 0);
}

TEST_F(ListMirror, AFreshNativeListTakesEveryEntryOnce) {
  for (int i = 0; i < 300; ++i) form.List1.AddItem("more" + std::to_string(i));
  form.List1.RemoveItem(0);
  ui::MirrorEntries(form.List1, native, true, Same);
  EXPECT_EQ(native.resets, 0) << "a list just made is empty";
  EXPECT_EQ(native.inserts, form.List1.ListCount());
  EXPECT_EQ(native.entries, form.List1.items());
  // What was recorded before it was made is not replayed again.
  native.Forget();
  Show(form.List1);
  EXPECT_EQ(native.Messages(), 0);
}

TEST_F(ListMirror, ListsThatReadTheirEntriesAtOnceAreShownAfresh) {
  m.fs.AddFile("C:\\Tools\\app.exe", "MZ");
  m.fs.AddFile("C:\\Tools\\setup.exe", "MZ");
  m.fs.AddFolder("C:\\Tools\\Sub");
  ui::FileListBox files{form, "File1"};
  ui::DirListBox folders{form, "Dir1"};
  struct Case {
    const char* name;
    ui::ListControl& list;
    std::function<void()> read;
  };
  const Case cases[] = {
      {"a file list given a folder", files, [&] { files.SetPath("C:\\Tools"); }},
      {"a file list given a pattern", files, [&] { files.SetPattern("*.exe"); }},
      {"a folder list given a folder", folders, [&] { folders.SetPath("C:\\Tools"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    native = RecordingList{};
    ShowFresh(c.list);
    native.entries = c.list.items();
    c.read();
    Show(c.list);
    EXPECT_EQ(native.resets, 1);
    EXPECT_EQ(native.entries, c.list.items());
  }
}

// A list no renderer shows (headless, or a form never loaded) keeps a
// record no larger than itself.
TEST_F(ListMirror, AListNobodyShowsKeepsNoGrowingRecord) {
  ShowFresh(form.List1);
  for (int i = 0; i < 10000; ++i) {
    form.List1.AddItem("x");
    form.List1.RemoveItem(0);
  }
  const ui::ListEdits edits = form.List1.TakeEdits();
  EXPECT_TRUE(edits.rebuild);
  EXPECT_TRUE(edits.edits.empty());
}

TEST_F(ListMirror, ShownTextIsWhatTheNativeListGets) {
  ShowFresh(form.List1);
  form.List1.AddItem("c:\\a\\b");
  ui::MirrorEntries(form.List1, native, false, [](const std::string& e) { return "[" + e + "]"; });
  EXPECT_EQ(native.entries.back(), "[c:\\a\\b]");
}

}  // namespace
}  // namespace ks
