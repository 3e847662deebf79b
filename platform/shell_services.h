// Shell services (shell32): which program opens a document, starting a
// document or program through the shell, and control panel items.
#pragma once

#include <cstdint>
#include <string>

namespace ks::platform {

using WindowHandle = std::uint64_t;  // an HWND; 0 for none

inline constexpr int kSwShowNormal = 1;
// FindExecutableA / ShellExecuteA results: above 32 is success.
inline constexpr std::intptr_t kSeErrFileNotFound = 2;
inline constexpr std::intptr_t kSeErrNoAssoc = 31;

class ShellServices {
 public:
  virtual ~ShellServices() = default;
  // FindExecutableA(file, directory, buffer of MAX_PATH): *program gets the
  // buffer up to its first NUL ("" on failure). Returns the shell's code.
  virtual std::intptr_t FindExecutable(const std::string& file, const std::string& directory,
                                       std::string* program) = 0;
  // ShellExecuteA(owner, operation, file, parameters, directory, show).
  virtual std::intptr_t ShellExecute(WindowHandle owner, const std::string& operation, const std::string& file,
                                     const std::string& parameters, const std::string& directory, int show) = 0;
  // The shell automation object's ControlPanelItem (IShellDispatch): opens
  // a control panel item such as "desk.cpl". False when it cannot.
  virtual bool ControlPanelItem(const std::string& item) = 0;
};

}  // namespace ks::platform
