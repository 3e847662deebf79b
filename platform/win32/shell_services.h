// Shell services over shell32 and the shell's automation object.
#pragma once

#include "platform/shell_services.h"

namespace ks::win32 {

class Win32ShellServices : public platform::ShellServices {
 public:
  std::intptr_t FindExecutable(const std::string& file, const std::string& directory,
                               std::string* program) override;
  std::intptr_t ShellExecute(platform::WindowHandle owner, const std::string& operation, const std::string& file,
                             const std::string& parameters, const std::string& directory, int show) override;
  // CoCreateInstance(CLSID_Shell) and IShellDispatch::ControlPanelItem.
  bool ControlPanelItem(const std::string& item) override;
};

}  // namespace ks::win32
