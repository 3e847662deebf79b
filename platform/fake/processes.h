// The fake machine's processes. A program can be started when its file
// exists in the fake file tree, or when it is one of the system programs
// found on the search path (rundll32.exe, cmd.exe, ...). The command line
// is parsed as Windows parses it: a quoted first token is the program; an
// unquoted one with blanks tries each prefix that ends at a blank, shortest
// first, with ".exe" added, so "C:\Program Files\x.exe" starts
// "C:\Program.exe" when that file exists.
//
// A snapshot lists `system_processes` and then every started process that
// has not ended (its parent is `own_pid`), as they stand when it is taken.
//
// A started process runs until someone waits for it: waiting without a
// time limit lets it run to its end (its on_run action runs then), a
// finite wait on a process marked `hangs` times out.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/fake/files.h"
#include "platform/processes.h"

namespace ks::fake {

// What the fake's ExitProcess throws: the test catches it where the real
// process would have ended.
struct ProcessExit {
  std::uint32_t exit_code;
};

class FakeProcesses : public platform::Processes {
 public:
  explicit FakeProcesses(FakeFiles& files) : files_(files) {}

  std::uint32_t StartProgram(const std::string& command_line, platform::WindowStyle style) override;
  // A folder that does not exist fails the start, as CreateProcessA does.
  std::uint32_t StartProgramIn(const std::string& command_line, const std::string& folder,
                               platform::WindowStyle style) override;
  platform::ProcessHandle OpenProcess(std::uint32_t access, std::uint32_t process_id) override;
  std::uint32_t WaitForSingleObject(platform::ProcessHandle process, std::uint32_t timeout_ms) override;
  bool CloseHandle(platform::ProcessHandle process) override;
  platform::ProcessHandle CreateToolhelp32Snapshot(std::uint32_t flags, std::uint32_t process_id) override;
  bool Process32First(platform::ProcessHandle snapshot, platform::ProcessEntry* entry) override;
  bool Process32Next(platform::ProcessHandle snapshot, platform::ProcessEntry* entry) override;
  // Records the exit and throws ProcessExit.
  [[noreturn]] void ExitProcess(std::uint32_t exit_code) override;

  struct Started {
    std::string command_line;
    std::string program;  // the program file the command line resolved to
    platform::WindowStyle style;
    std::uint32_t pid;
    std::string folder;  // the current folder it was given, "" for the caller's
  };
  // --- set-up and inspection for tests ---
  // What a program does while it runs (by program path, without regard to
  // case): runs once, when the process ends.
  void OnRun(const std::string& program, std::function<void()> action);
  void SetHangs(const std::string& program, bool hangs);
  // Called for every process started, before StartProgram returns (a model
  // of a program that acts as soon as it starts, such as the driver's loader).
  std::function<void(const Started&)> on_start;
  std::set<std::string> system_programs{"rundll32.exe", "cmd.exe", "control.exe"};
  const std::vector<Started>& started() const { return started_; }
  bool Ended(std::uint32_t pid) const;
  int OpenHandleCount() const { return static_cast<int>(handles_.size() + snapshots_.size()); }
  int waits = 0;
  // The processes of the machine besides the started ones, in snapshot order.
  std::vector<platform::ProcessEntry> system_processes{
      {296, 0, 0, 0, 0, 1, 0, 0, 0, "[System Process]"},
      {296, 0, 4, 0, 0, 60, 0, 8, 0, "System"},
      {296, 0, 1508, 0, 0, 12, 1472, 8, 0, "explorer.exe"},
  };
  std::uint32_t own_pid = 1508;
  bool snapshot_fails = false;
  int exits = 0;  // ExitProcess calls

 private:
  struct Process {
    std::string program;
    bool ended = false;
  };
  std::string Resolve(const std::string& command_line);
  bool Exists(const std::string& program);
  void RunToEnd(Process& p);

  FakeFiles& files_;
  std::map<std::string, std::function<void()>> on_run_;  // by folded program path
  std::set<std::string> hangs_;
  std::map<std::uint32_t, Process> processes_;
  std::map<platform::ProcessHandle, std::uint32_t> handles_;
  struct Snapshot {
    std::vector<platform::ProcessEntry> entries;
    size_t next = 0;
  };
  std::map<platform::ProcessHandle, Snapshot> snapshots_;
  bool Step(platform::ProcessHandle snapshot, platform::ProcessEntry* entry, bool first);
  std::vector<Started> started_;
  std::uint32_t next_pid_ = 1000;
  platform::ProcessHandle next_handle_ = 0x100;
};

}  // namespace ks::fake
