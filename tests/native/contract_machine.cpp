// The native contract runs against a fresh fake machine per test.
#include "common/picture_header.h"
#include "contract/contract.h"
#include "native/repo_data.h"
#include "native/fixtures/viewer_rig.h"
#include "platform/fake/d3d8.h"
#include "platform/fake/machine.h"

namespace ks::test {

std::unique_ptr<platform::Platform> MakeContractMachine() { return std::make_unique<fake::FakeMachine>(); }
std::unique_ptr<platform::Direct3D8> MakeContractDirect3D() {
  auto d3d = std::make_unique<fake::FakeDirect3D8>();
  d3d->adapters = {Fx5200()};
  return d3d;
}
std::string ContractScratchKey() { return "Software\\KestrelaneTest"; }
std::string ContractScratchFolder(platform::Files& files) {
  files.CreateFolder("C:\\Scratch");
  return "C:\\Scratch";
}
bool ContractLoadsPicture(const std::string& bytes) { return IsPictureFile(bytes); }
std::string ContractDataFile(const std::string& relative) { return ReadRepoData(relative); }

}  // namespace ks::test
