// The contract tables run against the fake machine natively and against the
// real Windows services under Wine. Each test executable provides these.
#pragma once

#include <memory>
#include <string>

#include "platform/d3d8.h"
#include "platform/platform.h"

namespace ks::test {

// A fresh machine (the fake), or the real one.
std::unique_ptr<platform::Platform> MakeContractMachine();
// Direct3D 8: the fake with one adapter as the fixtures give it, or the
// real d3d8.dll.
std::unique_ptr<platform::Direct3D8> MakeContractDirect3D();
// A HKEY_CURRENT_USER subkey that no earlier run has used.
std::string ContractScratchKey();
// An existing folder that no earlier run has used (no trailing backslash).
std::string ContractScratchFolder(platform::Files& files);

}  // namespace ks::test
