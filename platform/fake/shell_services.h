// The fake machine's shell: file associations by extension, and a log of
// every program and control panel item it was asked to start.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/fake/files.h"
#include "platform/fake/names.h"
#include "platform/shell_services.h"

namespace ks::fake {

class FakeShellServices : public platform::ShellServices {
 public:
  explicit FakeShellServices(FakeFiles& files) : files_(files) {}

  // The file must exist; its extension must have an associated program.
  std::intptr_t FindExecutable(const std::string& file, const std::string& directory,
                               std::string* program) override;
  std::intptr_t ShellExecute(platform::WindowHandle owner, const std::string& operation, const std::string& file,
                             const std::string& parameters, const std::string& directory, int show) override;
  bool ControlPanelItem(const std::string& item) override;

  struct Executed {
    std::string operation, file, parameters, directory;
    int show;
  };
  // --- set-up and inspection for tests ---
  // Extension with its dot (".htm") -> program path.
  std::map<std::string, std::string, FoldedLess> associations;
  std::vector<Executed> executed;
  std::vector<std::string> control_panel_items;

 private:
  FakeFiles& files_;
};

}  // namespace ks::fake
