// The native contract runs against a fresh fake machine per test.
#include <map>

#include "platform/picture_header.h"
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
ContractLinks MakeContractLinks(platform::Platform& machine) {
  auto& fs = dynamic_cast<fake::FakeMachine&>(machine).fs;
  const std::string system = machine.system().GetSystemDirectory();
  fs.AddFile(system + "\\kernel32.dll", "kernel");
  fs.AddLink("C:\\ks_links\\syslink", system);
  fs.AddLink("C:\\ks_links\\kernel.dll", system + "\\kernel32.dll");
  return {"C:\\ks_links\\syslink", "C:\\ks_links\\kernel.dll"};
}
bool ContractLoadsPicture(const std::string& bytes) { return platform::IsPictureFile(bytes); }
std::string ContractDataFile(const std::string& relative) { return ReadRepoData(relative); }

namespace {
class FakeSite : public ContractSite {
 public:
  explicit FakeSite(fake::FakeInternet& net) : net_(net) {}
  std::string Base() override { return "http://update.kestrelane.example/contract/"; }
  void Serve(const std::string& name, const std::string& bytes) override {
    net_.Serve(Base() + name, bytes);
    pages_[name] = bytes;
  }
  void Frame(const std::string& name, Answer answer) override {
    const std::string url = Base() + name;
    switch (answer) {
      case Answer::kNoLength: return net_.Frame(url, fake::Framing::kNoLength);
      case Answer::kChunked: return net_.Frame(url, fake::Framing::kChunked);
      case Answer::kChunkedAndLength: return net_.Frame(url, fake::Framing::kChunkedAndLength);
      case Answer::kTwoLengths: return net_.Frame(url, fake::Framing::kTwoLengths);
      case Answer::kCompressed: return net_.Frame(url, fake::Framing::kCompressed);
      case Answer::kBrokenCompressed: return net_.Frame(url, fake::Framing::kBrokenCompressed);
      case Answer::kBrokenChunked: return net_.Frame(url, fake::Framing::kChunked);
      case Answer::kOneByteOver: return net_.Frame(url, fake::Framing::kOneByteOver);
      case Answer::kNoContent: return net_.Serve(url, pages_[name], 204);
      case Answer::kPartialContent: return net_.Serve(url, pages_[name].substr(0, pages_[name].size() / 2), 206);
      case Answer::kCodedAndChunked: return net_.Frame(url, fake::Framing::kCodedAndChunked);
      case Answer::kSlow: return net_.SlowFor(url, 2000);
    }
  }
  void StallAfter(const std::string& name, std::size_t sent) override { net_.StallAfter(Base() + name, sent); }
  void CutAfter(const std::string& name, std::size_t sent) override { net_.CutAfter(Base() + name, sent); }
  std::string Unreachable() override { return "http://127.0.0.1:1/contract/x"; }

 private:
  fake::FakeInternet& net_;
  std::map<std::string, std::string> pages_;
};
}  // namespace

std::unique_ptr<ContractSite> MakeContractSite(platform::Platform& machine) {
  return std::make_unique<FakeSite>(dynamic_cast<fake::FakeMachine&>(machine).net);
}

}  // namespace ks::test
