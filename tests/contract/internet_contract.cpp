// The download service against a site with a real site's faults: the fake
// natively, Wine's urlmon under Wine against a loopback HTTP server. The
// service's own result is a success code for an error page, for a transfer
// cut off half-way and for a file it could not write; the status and the
// lengths beside it are what tell them apart.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "contract/contract.h"

namespace ks::test {
namespace {

// 3000 bytes with NULs, line ends and high bytes, which must come unchanged.
std::string Body() {
  std::string bytes;
  for (int i = 0; i < 3000; ++i) bytes += static_cast<char>(i * 7 % 256);
  return bytes;
}

enum class Page { kWhole, kEmpty, kMissing, kCutOff, kIntoMissingFolder, kNoServer };

// The length of the error page the server sent, whatever its text.
constexpr std::int64_t kErrorPage = -2;

struct Case {
  const char* name;
  Page page;
  bool succeeds;  // the service's result is a success code
  int status;
  std::int64_t announced;
  std::int64_t written;               // -1: no file
  std::optional<std::string> bytes;  // the file; nullopt: an HTML page with "404" in it, or no file
};

class InternetContract : public ::testing::Test {
 protected:
  void SetUp() override {
    machine_ = MakeContractMachine();
    site_ = MakeContractSite(*machine_);
    if (!site_) GTEST_SKIP() << "no site in this run (under Wine: inside the site's namespaces only)";
    dir_ = ContractScratchFolder(machine_->files());
  }
  std::unique_ptr<platform::Platform> machine_;
  std::unique_ptr<ContractSite> site_;
  std::string dir_;
};

TEST_F(InternetContract, WhatADownloadReports) {
  const std::string body = Body();
  const std::vector<Case> cases = {
      {"a page served whole arrives byte for byte", Page::kWhole, true, 200, 3000, 3000, body},
      {"an empty page", Page::kEmpty, true, 200, 0, 0, ""},
      // The service reports success and writes the server's error page.
      {"a page the site does not have: 404", Page::kMissing, true, 404, kErrorPage, kErrorPage, std::nullopt},
      // The service reports success and writes the bytes that came.
      {"cut off after 10 of 3000 bytes", Page::kCutOff, true, 200, 3000, 10, body.substr(0, 10)},
      // The service reports success and writes nothing.
      {"into a folder that does not exist", Page::kIntoMissingFolder, true, 200, 3000, -1, std::nullopt},
      {"no server at the address", Page::kNoServer, false, 0, -1, -1, std::nullopt},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string name = "page" + std::to_string(++n) + ".bin";
    std::string url = site_->Base() + name;
    std::string path = dir_ + "\\" + name;
    switch (c.page) {
      case Page::kWhole:
        site_->Serve(name, body);
        break;
      case Page::kEmpty:
        site_->Serve(name, "");
        break;
      case Page::kMissing:
        break;
      case Page::kCutOff:
        site_->Serve(name, body);
        site_->CutAfter(name, 10);
        break;
      case Page::kIntoMissingFolder:
        site_->Serve(name, body);
        path = dir_ + "\\missing\\" + name;
        break;
      case Page::kNoServer:
        url = site_->Unreachable();
        break;
    }
    const platform::Download d = machine_->internet().UrlDownloadToFile(url, path, true);
    EXPECT_EQ(d.result >= 0, c.succeeds) << std::hex << d.result;
    EXPECT_EQ(d.http_status, c.status);
    std::string file;
    const bool there = machine_->files().ReadFile(path, &file);
    EXPECT_EQ(there, c.written >= 0 || c.written == kErrorPage);
    if (c.written == kErrorPage) {
      EXPECT_GT(d.written, 0);
      EXPECT_EQ(d.announced, d.written);
      EXPECT_EQ(static_cast<std::int64_t>(file.size()), d.written);
      EXPECT_NE(file.find("<html"), std::string::npos) << file;
      EXPECT_NE(file.find("404"), std::string::npos) << file;
    } else {
      EXPECT_EQ(d.announced, c.announced);
      EXPECT_EQ(d.written, c.written);
      if (c.bytes) {
        EXPECT_TRUE(file == *c.bytes) << "the file holds " << file.size() << " bytes";
      }
    }
  }
}

TEST_F(InternetContract, ADownloadReplacesTheFileThatIsThere) {
  site_->Serve("new.txt", "new");
  const std::string path = dir_ + "\\kept.txt";
  ASSERT_TRUE(machine_->files().WriteFile(path, "an older, longer content"));
  const platform::Download d = machine_->internet().UrlDownloadToFile(site_->Base() + "new.txt", path, true);
  EXPECT_GE(d.result, 0);
  EXPECT_EQ(d.http_status, 200);
  EXPECT_EQ(d.written, 3);
  std::string file;
  ASSERT_TRUE(machine_->files().ReadFile(path, &file));
  EXPECT_EQ(file, "new");
}

TEST(InternetSessionContract, OpensAndCloses) {
  auto machine = MakeContractMachine();
  auto& net = machine->internet();
  const platform::InternetHandle h = net.InternetOpen("", platform::kInternetOpenTypeDirect, "", "", 0);
  ASSERT_NE(h, 0u);
  EXPECT_TRUE(net.InternetCloseHandle(h));
  EXPECT_FALSE(net.InternetCloseHandle(0));
}

}  // namespace
}  // namespace ks::test
