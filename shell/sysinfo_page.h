// The system information page: Form1::ShowSystemInfo fills the processor,
// memory and graphics chip labels of page 4, decides TwoCPU and publishes
// the CPU clock; start-up calls it once, after the device search.
// Form1::GetMemInfo gives the memory figures. This header holds their rules.
#pragma once

#include <cstdint>
#include <string>

#include "shell/se_state.h"

namespace ks {

// Total physical memory in MB, rounded (a half to the even neighbour) and
// taken one up when that makes a multiple of 4 (511.6 gives 512).
std::int32_t TotalMemoryMB(std::uint64_t total_bytes);
// Available physical memory in MB, rounded, plus 1.
std::int32_t AvailableMB(std::uint64_t avail_bytes);

// True for the PCI Express chips the GPU id label marks.
bool IsPciExpressChip(const std::string& device_id);

}  // namespace ks
