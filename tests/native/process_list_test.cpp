// Page 15: the process list over a fake snapshot.
#include <gtest/gtest.h>

#include <string>

#include "hardware/process_list.h"
#include "native/fixtures/se_rig.h"

namespace ks::test {
namespace {

platform::ProcessEntry Entry(std::uint32_t pid, std::uint32_t parent, const std::string& name, std::int32_t pri = 8,
                             std::uint32_t threads = 3) {
  platform::ProcessEntry e;
  e.process_id = pid;
  e.parent_process_id = parent;
  e.exe_file = name;
  e.pri_class_base = pri;
  e.threads = threads;
  return e;
}

struct Rig : SeRig {
  Rig() : SeRig(OsKind::kXp) { form.Frame1[15].SetVisible(true); }
  void Snapshot(std::vector<platform::ProcessEntry> entries) { machine->proc.system_processes = std::move(entries); }
  void Refresh() { form.Command5.UserClick(); }
  void Pick(int i) { form.List3.UserPick(i); }
  std::string Detail(int k) { return form.Label20[k].Caption(); }
};

TEST(ProcessList, RefreshListsTheSnapshotAfterItsFirstEntry) {
  Rig rig;
  rig.Snapshot({Entry(0, 0, "[System Process]"), Entry(4, 0, "System"), Entry(300, 4, "smss.exe"),
                Entry(1500, 300, "explorer.exe")});
  rig.Refresh();
  EXPECT_EQ(rig.form.List3.items(), (std::vector<std::string>{"System", "smss.exe", "explorer.exe"}));
  EXPECT_EQ(rig.form.Label19.Caption(), "<262>3");
  EXPECT_EQ(rig.machine->proc.OpenHandleCount(), 0) << "the snapshot is closed";
}

TEST(ProcessList, DetailsWithTheParentsName) {
  Rig rig;
  rig.Snapshot({Entry(0, 0, "[System Process]"), Entry(4, 0, "System"), Entry(300, 4, "smss.exe", 11, 3),
                Entry(1500, 300, "explorer.exe", 8, 12), Entry(2000, 999, "orphan.exe", 4, 1)});
  rig.Refresh();
  struct Case {
    const char* name;
    int pick;
    std::string name_line, id_line, parent_line, threads_line;
  } cases[] = {
      {"parent listed", 2, "<257>explorer.exe", "<258>1500", "<259>300 - smss.exe", "<260>12"},
      {"parent listed before it", 1, "<257>smss.exe", "<258>300", "<259>4 - System", "<260>3"},
      {"parent gone", 3, "<257>orphan.exe", "<258>2000", "<259>999", "<260>1"},
      // Empty slots have an id of 0: a parent id of 0 used to match one and show "0 - ".
      {"parent id 0", 0, "<257>System", "<258>4", "<259>0", "<260>3"},
  };
  for (const Case& c : cases) {
    rig.Pick(c.pick);
    EXPECT_EQ(rig.Detail(0), c.name_line) << c.name;
    EXPECT_EQ(rig.Detail(2), c.id_line) << c.name;
    EXPECT_EQ(rig.Detail(3), c.parent_line) << c.name;
    EXPECT_EQ(rig.Detail(1), c.threads_line) << c.name;
    EXPECT_EQ(rig.Detail(4), "<261>") << c.name;
  }
}

TEST(ProcessList, PriorityBar) {
  Rig rig;
  ASSERT_EQ(rig.form.Label21.Width(), 2415);
  const struct {
    std::int32_t priority;
    int width;
  } cases[] = {{4, 644}, {8, 1288}, {13, 2093}, {24, 2415}, {0, 0}};
  for (const auto& c : cases) {
    rig.Snapshot({Entry(0, 0, "idle"), Entry(10, 0, "p.exe", c.priority)});
    rig.Refresh();
    EXPECT_EQ(rig.form.Label22.Width(), 0) << "Refresh empties the bar";
    rig.Pick(0);
    EXPECT_EQ(rig.form.Label22.Width(), c.width) << c.priority;
  }
}

TEST(ProcessList, TwoHundredAndOneSlots) {
  Rig rig;
  std::vector<platform::ProcessEntry> many;
  for (std::uint32_t i = 0; i < 230; ++i) many.push_back(Entry(100 + i * 4, 100, "p" + std::to_string(i) + ".exe"));
  rig.Snapshot(many);
  rig.Refresh();
  EXPECT_EQ(rig.form.List3.ListCount(), 229);
  EXPECT_EQ(rig.form.Label19.Caption(), "<262>229");
  rig.Pick(200);
  EXPECT_EQ(rig.Detail(0), "<257>p201.exe") << "list position 200 has the last slot";
  rig.Pick(201);
  EXPECT_EQ(rig.Detail(0), "<257>") << "past the slots: no details";
  EXPECT_EQ(rig.Detail(3), "<259>");
  EXPECT_EQ(rig.form.Label22.Width(), 0);
}

TEST(ProcessList, SecondRefreshReplacesTheFirst) {
  Rig rig;
  rig.Snapshot({Entry(0, 0, "idle"), Entry(10, 0, "a.exe"), Entry(20, 10, "b.exe")});
  rig.Refresh();
  rig.Snapshot({Entry(0, 0, "idle"), Entry(30, 0, "c.exe")});
  rig.Refresh();
  EXPECT_EQ(rig.form.List3.items(), std::vector<std::string>{"c.exe"});
  EXPECT_EQ(rig.form.process_list().Filled, 1);
  EXPECT_EQ(rig.form.process_list().ProcessTable[1], platform::ProcessEntry{}) << "no detail of the first list stays";
}

TEST(ProcessList, NothingSelectedAndNoSnapshot) {
  Rig rig;
  rig.Snapshot({Entry(0, 0, "idle"), Entry(10, 0, "a.exe"), Entry(20, 10, "b.exe", 8)});
  rig.Refresh();
  rig.Pick(1);
  ASSERT_EQ(rig.Detail(0), "<257>b.exe");
  // The selection taken away by code raises Click with nothing selected:
  // unlike an entry without a slot, it leaves the details shown as they are.
  rig.form.List3.SetListIndex(-1);
  EXPECT_EQ(rig.form.List3.ListIndex(), -1);
  EXPECT_EQ(rig.Detail(0), "<257>b.exe");
  EXPECT_EQ(rig.Detail(2), "<258>20");
  EXPECT_EQ(rig.Detail(3), "<259>10 - a.exe");
  EXPECT_EQ(rig.form.Label22.Width(), 1288) << "the bar stays";
  rig.machine->proc.snapshot_fails = true;
  rig.Refresh();
  EXPECT_EQ(rig.form.List3.ListCount(), 0);
  EXPECT_EQ(rig.form.Label19.Caption(), "<262>2") << "the count keeps its text";
}

TEST(ProcessList, StartedProgramsAreInTheSnapshot) {
  Rig rig;
  rig.machine->proc.StartProgram("rundll32.exe nvcpl.dll,NvStartup", platform::WindowStyle::kMinimizedFocus);
  rig.Refresh();
  const auto& items = rig.form.List3.items();
  EXPECT_EQ(items.back(), "rundll32.exe");
  rig.Pick(static_cast<int>(items.size()) - 1);
  EXPECT_EQ(rig.Detail(3), "<259>1508 - explorer.exe");
}

}  // namespace
}  // namespace ks::test
