// The native contract runs against a fresh fake machine per test.
#include "contract/contract.h"
#include "platform/fake/machine.h"

namespace ks::test {

std::unique_ptr<platform::Platform> MakeContractMachine() { return std::make_unique<fake::FakeMachine>(); }
std::string ContractScratchKey() { return "Software\\KestrelaneTest"; }
std::string ContractScratchFolder(platform::Files& files) {
  files.CreateFolder("C:\\Scratch");
  return "C:\\Scratch";
}

}  // namespace ks::test
