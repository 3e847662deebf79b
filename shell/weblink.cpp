#include "shell/weblink.h"

#include "common/datafile.h"
#include "common/numbers.h"

namespace ks {

std::string WebProbePath(SeState& st) { return platform::JoinPath(st.platform.files().TempFolder(), "temphtm.HTM"); }

void OpenWebAddress(SeState& st, platform::WindowHandle owner, const std::string& address) {
  const std::string probe = WebProbePath(st);
  // A failed write leaves the shell nothing to look up; the steps still run.
  st.platform.files().WriteFile(probe, FieldWriter().Text("<HTML> <\\HTML>").EndLine().bytes());
  std::string program;
  st.platform.shell().FindExecutable(probe, "", &program);
  program = Trim(program);
  st.platform.shell().ShellExecute(owner, "open", program, address, "", platform::kSwShowNormal);
}

}  // namespace ks
