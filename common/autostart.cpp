#include "common/autostart.h"

#include "platform/processes.h"

namespace ks {

namespace {

std::string TravoPath(const std::string& program_folder) { return program_folder + "\\travo.exe"; }

}  // namespace

std::string AutostartCommand(const std::string& program_folder) {
  return platform::QuotedProgram(TravoPath(program_folder));
}

bool IsOwnAutostart(std::string_view data, const std::string& program_folder) {
  return data == AutostartCommand(program_folder) || data == TravoPath(program_folder);
}

}  // namespace ks
