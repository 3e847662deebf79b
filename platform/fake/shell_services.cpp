#include "platform/fake/shell_services.h"

namespace ks::fake {

std::intptr_t FakeShellServices::FindExecutable(const std::string& file, const std::string& directory,
                                                std::string* program) {
  program->clear();
  const std::string path = directory.empty() ? file : platform::JoinPath(directory, file);
  if (!files_.FileExists(path)) return platform::kSeErrFileNotFound;
  const size_t dot = path.rfind('.');
  if (dot == std::string::npos) return platform::kSeErrNoAssoc;
  auto found = associations.find(path.substr(dot));
  if (found == associations.end()) return platform::kSeErrNoAssoc;
  // The shell's buffer holds MAX_PATH characters with the NUL.
  *program = found->second.substr(0, 259);
  return 42;
}

std::intptr_t FakeShellServices::ShellExecute(platform::WindowHandle owner, const std::string& operation,
                                              const std::string& file, const std::string& parameters,
                                              const std::string& directory, int show) {
  executed.push_back(Executed{operation, file, parameters, directory, show});
  if (file.empty() || !files_.FileExists(file)) return platform::kSeErrFileNotFound;
  return 42;
}

bool FakeShellServices::ControlPanelItem(const std::string& item) {
  control_panel_items.push_back(item);
  return true;
}

}  // namespace ks::fake
