// Form9, "Monitoring": the recorded monitoring log drawn as two line
// graphs, one page of 200 segments at a time: processor load on top, free
// memory below. ">>>" draws the next page, "Close" deletes the log.
#pragma once

#include <cstdint>

#include "shell/se_state.h"
#include "ui/ui.h"

namespace ks {

class Form9 : public ui::Form {
 public:
  explicit Form9(SeState& state);

  ui::PictureBox Picture1{*this, "Picture1"};  // CPU load
  ui::PictureBox Picture2{*this, "Picture2"};  // free memory
  ui::ControlArray<ui::Label> Label1{*this, "Label1", 2};
  ui::CommandButton Command1{*this, "Command1"};  // ">>>"
  ui::CommandButton Command2{*this, "Command2"};  // "Close"

  // Log items read while drawing the current page, header items included.
  std::int32_t LogItemCount = 0;
  // Item count at which the next page starts; 0: the first page.
  std::int32_t PageStartItem = 0;

  // Draws the page that starts at PageStartItem. A file that is not a
  // monitoring log is refused with a message and the window closes.
  void DrawMonitoringPage();
  void Command1_Click();
  void Command2_Click();

 protected:
  void Form_Load() override;

 private:
  // Clears a graph and puts its grid back.
  void ClearGraph(ui::PictureBox& graph);

  SeState& st_;
};

// Plot scale of the viewer: a percentage at its height in the graph.
inline int LogGraphY(int percent) { return 2050 - percent * 20; }
inline constexpr int kLogStep = 50;         // twips between two samples
inline constexpr int kLogPageWidth = 10000;  // 200 segments a page

}  // namespace ks
