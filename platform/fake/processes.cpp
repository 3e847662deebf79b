#include "platform/fake/processes.h"

#include "platform/fake/names.h"

namespace ks::fake {

namespace {

bool HasExtension(const std::string& path) {
  const size_t dot = path.rfind('.');
  const size_t slash = path.rfind('\\');
  return dot != std::string::npos && (slash == std::string::npos || dot > slash);
}

std::string WithExe(const std::string& path) { return HasExtension(path) ? path : path + ".exe"; }

}  // namespace

void FakeProcesses::OnRun(const std::string& program, std::function<void()> action) {
  on_run_[FoldCase(program)] = std::move(action);
}

void FakeProcesses::SetHangs(const std::string& program, bool hangs) {
  if (hangs) hangs_.insert(FoldCase(program));
  else hangs_.erase(FoldCase(program));
}

bool FakeProcesses::Exists(const std::string& program) {
  if (program.find('\\') == std::string::npos) {
    for (const auto& name : system_programs)
      if (SameName(name, program)) return true;
    return false;
  }
  return files_.FileExists(program);
}

std::string FakeProcesses::Resolve(const std::string& command_line) {
  size_t start = command_line.find_first_not_of(' ');
  if (start == std::string::npos) return "";
  if (command_line[start] == '"') {
    const size_t close = command_line.find('"', start + 1);
    std::string program = WithExe(command_line.substr(start + 1, close == std::string::npos ? std::string::npos
                                                                                             : close - start - 1));
    return Exists(program) ? program : "";
  }
  // Unquoted: every prefix that ends at a blank, shortest first, then the whole line.
  for (size_t blank = command_line.find(' ', start);; blank = command_line.find(' ', blank + 1)) {
    std::string program = WithExe(command_line.substr(start, blank == std::string::npos ? std::string::npos
                                                                                         : blank - start));
    if (Exists(program)) return program;
    if (blank == std::string::npos) return "";
  }
}

std::uint32_t FakeProcesses::StartProgram(const std::string& command_line, platform::WindowStyle style) {
  return StartProgramIn(command_line, "", style);
}

std::uint32_t FakeProcesses::StartProgramIn(const std::string& command_line, const std::string& folder,
                                            platform::WindowStyle style) {
  if (!folder.empty() && !files_.FolderExists(folder)) return 0;
  const std::string program = Resolve(command_line);
  if (program.empty()) return 0;
  const std::uint32_t pid = next_pid_;
  next_pid_ += 4;
  processes_[pid] = Process{program, false};
  started_.push_back(Started{command_line, program, style, pid, folder});
  if (on_start) {
    const Started started = started_.back();
    on_start(started);
  }
  return pid;
}

platform::ProcessHandle FakeProcesses::OpenProcess(std::uint32_t access, std::uint32_t process_id) {
  if (processes_.count(process_id) == 0) return 0;
  const platform::ProcessHandle h = next_handle_;
  next_handle_ += 4;
  handles_[h] = process_id;
  return h;
}

void FakeProcesses::RunToEnd(Process& p) {
  if (p.ended) return;
  p.ended = true;
  auto action = on_run_.find(FoldCase(p.program));
  if (action != on_run_.end() && action->second) action->second();
}

std::uint32_t FakeProcesses::WaitForSingleObject(platform::ProcessHandle process, std::uint32_t timeout_ms) {
  ++waits;
  auto h = handles_.find(process);
  if (h == handles_.end()) return platform::kWaitFailed;
  Process& p = processes_[h->second];
  if (!p.ended && hangs_.count(FoldCase(p.program)) != 0 && timeout_ms != platform::kInfinite) {
    return platform::kWaitTimeout;
  }
  RunToEnd(p);
  return platform::kWaitObject0;
}

bool FakeProcesses::CloseHandle(platform::ProcessHandle process) {
  return handles_.erase(process) != 0 || snapshots_.erase(process) != 0;
}

platform::ProcessHandle FakeProcesses::CreateToolhelp32Snapshot(std::uint32_t flags, std::uint32_t process_id) {
  if (snapshot_fails || (flags & platform::kTh32csSnapProcess) == 0) return 0;
  Snapshot snap;
  snap.entries = system_processes;
  for (const auto& [pid, p] : processes_) {
    if (p.ended) continue;
    platform::ProcessEntry e;
    e.process_id = pid;
    e.threads = 1;
    e.parent_process_id = own_pid;
    e.pri_class_base = 8;
    const size_t slash = p.program.rfind('\\');
    e.exe_file = slash == std::string::npos ? p.program : p.program.substr(slash + 1);
    snap.entries.push_back(e);
  }
  const platform::ProcessHandle h = next_handle_;
  next_handle_ += 4;
  snapshots_[h] = std::move(snap);
  return h;
}

bool FakeProcesses::Step(platform::ProcessHandle snapshot, platform::ProcessEntry* entry, bool first) {
  auto found = snapshots_.find(snapshot);
  if (found == snapshots_.end() || entry == nullptr || entry->size != 296) return false;
  Snapshot& snap = found->second;
  if (first) snap.next = 0;
  if (snap.next >= snap.entries.size()) return false;
  *entry = snap.entries[snap.next++];
  return true;
}

bool FakeProcesses::Process32First(platform::ProcessHandle snapshot, platform::ProcessEntry* entry) {
  return Step(snapshot, entry, true);
}

bool FakeProcesses::Process32Next(platform::ProcessHandle snapshot, platform::ProcessEntry* entry) {
  return Step(snapshot, entry, false);
}

void FakeProcesses::ExitProcess(std::uint32_t exit_code) {
  ++exits;
  throw ProcessExit{exit_code};
}

bool FakeProcesses::Ended(std::uint32_t pid) const {
  auto p = processes_.find(pid);
  return p != processes_.end() && p->second.ended;
}

}  // namespace ks::fake
