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
// Whether a picture file's bytes load: natively the header check the
// program judges picture files by (IsPictureFile), under Wine the system's
// own picture loader, as the renderer uses it.
bool ContractLoadsPicture(const std::string& bytes);
// The bytes of a file of the repository's data folder ("aa/1/2x.jpg"); ""
// when that folder is not known.
std::string ContractDataFile(const std::string& relative);

}  // namespace ks::test
