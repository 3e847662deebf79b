#include "shell/form1_design.h"
#include "shell/form1_pages.h"

namespace ks {

using design::kButton;
using design::kRow;
using design::Put;

MonitorPages::MonitorPages(Pages& pages) : pages_(pages) {
  // page 14
  Put(Label15.LoadIn(pages_[14], 0), 300, 300, 2175, kRow, "CPU Usage:");
  Put(Label16.LoadIn(pages_[14], 0), 2520, 300, 1455, kRow);
  Put(Label16.LoadIn(pages_[14], 2), 4080, 300, 1455, kRow);
  Put(Label15.LoadIn(pages_[14], 1), 300, 600, 2175, kRow, "Free physics memory:");
  Put(Label16.LoadIn(pages_[14], 1), 2520, 600, 4095, kRow);
  Put(Label15.LoadIn(pages_[14], 2), 300, 900, 2175, kRow, "Monitoring speed:");
  Put(Option4.LoadIn(pages_[14], 0), 2520, 900, 1095, kRow, "Fast");
  Put(Option4.LoadIn(pages_[14], 1), 3720, 900, 1095, kRow, "Normal");
  Put(Option4.LoadIn(pages_[14], 2), 4920, 900, 1095, kRow, "Slow").SetValue(true);
  Put(Picture2, 300, 1200, 6735, 1215).SetBackColor(0x00FFFFFF);
  Put(Picture3, 300, 2460, 6735, 1215).SetBackColor(ui::kWindowColor);
  Put(Command6, 300, 3705, 1215, kButton, "Rec");
  Put(Command7, 1620, 3705, 1215, kButton, "Stop");
  Command7.SetEnabled(false);

  // page 15
  Put(Frame4, 3720, 240, 3495, 2655, "Process details");
  // Rows in the order shown: name, id, parent id, threads, priority.
  static constexpr struct {
    int index;
    const char* caption;
  } kDetails[] = {{0, "Process name:"},
                  {2, "Process ID:"},
                  {3, "Parent process ID:"},
                  {1, "Number of threads:"},
                  {4, "Process priority:"}};
  int row = 0;
  for (const auto& d : kDetails) Put(Label20.LoadIn(Frame4, d.index), 120, 330 + 450 * row++, 3255, kRow, d.caption);
  Put(Label21, 120, 2430, 2415, 135);
  Put(Label22, 120, 2430, 0, 135);
  Label21.SetBackColor(0x00FFFFFF);
  Label22.SetBackColor(0x0000C000);
  Label22.SetInFront(true);  // the bar over its frame
  Put(List3, 240, 330, 3255, 3000);
  Put(Label19, 3720, 3060, 3495, kRow, "Total processes:");
  Put(Command5, 240, 3480, 1215, kButton, "Refresh");
}

}  // namespace ks
