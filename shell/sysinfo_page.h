// The system information page: processor, memory and graphics chip labels
// of page 4, the second-processor test (TwoCPU) and the CPU clock.
// Start-up calls ShowSystemInfo once, after the device search.
#pragma once

#include <cstdint>
#include <string>

#include "shell/se_state.h"

namespace ks {

// Total physical memory in MB as decimal text, rounded (a half to the even
// neighbour) and taken one up when that makes a multiple of 4 (511.6 gives
// 512); sets AvailableMemoryMB to the rounded available MB plus 1. Uses the
// 64-bit memory status where the system has it.
std::string GetMemInfo(SeState& s);

// The memory rules on their own, for byte counts.
std::int32_t TotalMemoryMB(std::uint64_t total_bytes);
std::int32_t AvailableMB(std::uint64_t avail_bytes);

// True for the PCI Express chips the GPU id label marks.
bool IsPciExpressChip(const std::string& device_id);

void ShowSystemInfo(SeState& s);

}  // namespace ks
