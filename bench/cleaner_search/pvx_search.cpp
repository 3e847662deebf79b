// pvx's search of a Directory rule: pvx's own main window under the Win32
// renderer with a profile whose group 1 is "Directory SYD\<folder>" (for
// the list row "List SYD\<folder>-<folder>.txt", a list file of the
// shipped profile's 42 names), and
// its search (both groups and both backup folders, the eight lists filled
// and drawn). Prints the milliseconds from the start of the search to the
// drawn list, and for reference those of the whole click on "Search
// files", which also shows and closes the search notice.
#include "bench/cleaner_search/common.h"
#include "cleaner/pvx_form1.h"
#include "platform/win32/machine.h"
#include "ui/win32/renderer.h"

int main(int argc, char** argv) {
  ks::win32::Win32Machine machine;
  ks::pvx::PvxState state(machine);
  ks::ui::win32::Renderer renderer(state.app);
  ks::pvx::Form1 form(state);

  // The profile lies where pvx reads profiles: data\cleaner beside the program.
  auto& files = machine.files();
  files.CreateFolder(state.DataPath("\\data"));
  files.CreateFolder(state.DataPath("\\data\\cleaner"));
  const std::string name = bench::FolderName(argc, argv);
  const bool list_row = bench::ListRow(argc, argv);
  std::string rule = "SYD\\" + name;
  if (list_row) {
    bench::MakeListFiles(bench::SystemDrive() + "\\" + name);
    std::string items;
    for (const char* item : bench::kListItems) items.append("\"").append(item).append("\"\r\n");
    files.WriteFile(state.DataPath("\\data\\cleaner\\" + name + ".txt"), items);
    rule += "-" + name + ".txt";
  }
  files.WriteFile(state.DataPath("\\data\\cleaner\\bench.pvx"),
                  "\" (bench)\"\r\n\"Driver\"\r\n\"\"\r\n\"" + std::string(list_row ? "List" : "Directory") +
                      "\"\r\n\"" + rule + "\"\r\n\"\"\r\n\"\"\r\n\"bench1\"\r\n\"\"\r\n");
  state.ProfileName = "bench.pvx";
  form.Load();
  form.LoadProfile();
  form.ApplyLanguage();
  if (!form.ProfileValid) {
    std::printf("the profile was refused: %s\n", rule.c_str());
    return 1;
  }
  form.Show();
  bench::Settle(300);

  // The search itself: both groups and both backup folders found, the
  // eight lists filled, shown and drawn.
  bench::Clock clock;
  form.SearchFiles();
  state.app.DoEvents();
  HWND list = renderer.WindowOf(form.List1);
  UpdateWindow(list);
  const double ms = clock.Ms();
  const int listed = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
  // For reference, the whole click on "Search files": the search again
  // with its notice window shown and closed around it.
  bench::Clock click_clock;
  form.Command1[0].UserClick();
  state.app.DoEvents();
  UpdateWindow(list);
  std::printf("click_ms=%.1f\n", click_clock.Ms());
  form.Unload();
  return bench::Report(ms, listed, bench::ExpectedFiles(argc, argv));
}
