// Processes (kernel32): starting a program by command line, waiting for it
// to end, and the process list of a Toolhelp snapshot.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <string>

namespace ks::platform {

// How the started program shows its first window (the ShowWindow values
// the toolkit's Shell function takes).
enum class WindowStyle : int {
  kHide = 0,
  kNormalFocus = 1,
  kMinimizedFocus = 2,
  kMaximizedFocus = 3,
  kNormalNoFocus = 4,
  kMinimizedNoFocus = 6,
};

using ProcessHandle = std::uint64_t;  // 0: none

inline constexpr std::uint32_t kSynchronize = 0x00100000;  // SYNCHRONIZE access
inline constexpr std::uint32_t kInfinite = 0xFFFFFFFF;     // INFINITE
inline constexpr std::uint32_t kWaitObject0 = 0;           // WAIT_OBJECT_0
inline constexpr std::uint32_t kWaitTimeout = 258;         // WAIT_TIMEOUT
inline constexpr std::uint32_t kWaitFailed = 0xFFFFFFFF;   // WAIT_FAILED

inline constexpr std::uint32_t kTh32csSnapProcess = 2;  // TH32CS_SNAPPROCESS

// The PROCESSENTRY32 fields (ANSI form, dwSize 296).
struct ProcessEntry {
  std::uint32_t size = 296;
  std::uint32_t usage = 0;
  std::uint32_t process_id = 0;
  std::uint64_t default_heap_id = 0;
  std::uint32_t module_id = 0;
  std::uint32_t threads = 0;
  std::uint32_t parent_process_id = 0;
  std::int32_t pri_class_base = 0;
  std::uint32_t flags = 0;
  std::string exe_file;  // up to the first NUL
  bool operator==(const ProcessEntry&) const = default;
};

class Processes {
 public:
  virtual ~Processes() = default;
  // Starts the command line as Windows parses it (CreateProcessA with no
  // application name: a path with blanks must be quoted). Returns the new
  // process id, 0 when the program cannot be started. Does not wait.
  virtual std::uint32_t StartProgram(const std::string& command_line, WindowStyle style) = 0;
  // The same, with `folder` as the new process's current folder.
  virtual std::uint32_t StartProgramIn(const std::string& command_line, const std::string& folder,
                                       WindowStyle style) {
    return StartProgram(command_line, style);
  }
  // OpenProcess(access, FALSE, pid); 0 when there is no such process.
  virtual ProcessHandle OpenProcess(std::uint32_t access, std::uint32_t process_id) = 0;
  // WaitForSingleObject on a process handle; kWaitFailed for a bad handle.
  virtual std::uint32_t WaitForSingleObject(ProcessHandle process, std::uint32_t timeout_ms) = 0;
  // CloseHandle (a process or a snapshot); false for a handle that is not open.
  virtual bool CloseHandle(ProcessHandle process) = 0;
  // CreateToolhelp32Snapshot(flags, process id); 0 when no snapshot can be
  // taken (also where a service does not offer snapshots).
  virtual ProcessHandle CreateToolhelp32Snapshot(std::uint32_t flags, std::uint32_t process_id) { return 0; }
  // Process32First / Process32Next: the snapshot's first / next process;
  // false at the end, for a bad handle, or when entry->size is not 296.
  virtual bool Process32First(ProcessHandle snapshot, ProcessEntry* entry) { return false; }
  virtual bool Process32Next(ProcessHandle snapshot, ProcessEntry* entry) { return false; }
  // ExitProcess: ends this process at once; no window, handler or
  // destructor runs any more. Does not return. (A service that only wraps
  // another may keep this default.)
  [[noreturn]] virtual void ExitProcess(std::uint32_t exit_code) { std::_Exit(static_cast<int>(exit_code)); }
};

// Owns one process handle and closes it once.
class ScopedProcess {
 public:
  ScopedProcess(Processes& processes, ProcessHandle handle) : processes_(processes), handle_(handle) {}
  ScopedProcess(const ScopedProcess&) = delete;
  ScopedProcess& operator=(const ScopedProcess&) = delete;
  ~ScopedProcess() {
    if (handle_ != 0) processes_.CloseHandle(handle_);
  }
  ProcessHandle get() const { return handle_; }

 private:
  Processes& processes_;
  ProcessHandle handle_;
};

// The command line that starts a program by its path: the path in double
// quotes, so that a folder with blanks cannot start another program.
inline std::string QuotedProgram(const std::string& path) {
  std::string quoted(1, '"');
  quoted += path;
  quoted += '"';
  return quoted;
}

}  // namespace ks::platform
