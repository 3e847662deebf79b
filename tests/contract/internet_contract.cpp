// The download service against a site with a real site's faults: the fake
// natively, Wine's urlmon under Wine against a loopback HTTP server. The
// service's own result is a success code for an error page, for a transfer
// cut off half-way and for a file it could not write; the status and the
// lengths beside it are what tell them apart.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <set>
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

enum class Page { kServed, kEmpty, kMissing, kIntoMissingFolder, kNoServer };
using Answer = ContractSite::Answer;

// The length of the error page the server sent, whatever its text.
constexpr std::int64_t kErrorPage = -2;
// Some bytes but fewer than the body's, the body's first ones.
constexpr std::int64_t kPiece = -3;
// Whatever the service makes of an answer it cannot read: not looked at.
constexpr std::int64_t kUnread = -4;

struct Framing {
  bool lengths_differ = false;
  bool transfer_coded = false;
  bool content_coded = false;
};
constexpr Framing kPlain{};
constexpr Framing kTwoLengths{true, false, false};
constexpr Framing kChunked{false, true, false};

struct Case {
  const char* name;
  Page page;
  std::optional<Answer> answer;      // how the server frames it; nullopt: one Content-Length
  std::optional<std::size_t> cut;    // the connection closes after this many bytes of the body
  bool succeeds;                     // the service's result is a success code
  int status;
  std::int64_t announced;
  Framing framing;
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
  // The scratch folder's files besides the downloads' targets: a download
  // leaves none of its own there, whatever became of it.
  std::string Strays(const std::set<std::string>& targets) {
    std::string strays;
    for (const std::string& name : machine_->files().List(dir_ + "\\*"))
      if (!targets.count(name)) strays += name + " ";
    return strays;
  }
  std::unique_ptr<platform::Platform> machine_;
  std::unique_ptr<ContractSite> site_;
  std::string dir_;
};

TEST_F(InternetContract, WhatADownloadReports) {
  const std::string body = Body();
  const auto none = std::nullopt;
  const std::vector<Case> cases = {
      {"a page served whole arrives byte for byte", Page::kServed, none, none, true, 200, 3000, kPlain, 3000, body},
      {"an empty page", Page::kEmpty, none, none, true, 200, 0, kPlain, 0, ""},
      // The service reports success and writes the server's error page.
      {"a page the site does not have: 404", Page::kMissing, none, none, true, 404, kErrorPage, kPlain, kErrorPage,
       none},
      // The service reports success and writes the bytes that came.
      {"cut off after 10 of 3000 bytes", Page::kServed, none, 10, true, 200, 3000, kPlain, 10, body.substr(0, 10)},
      {"one byte short", Page::kServed, none, 2999, true, 200, 3000, kPlain, 2999, body.substr(0, 2999)},
      // Without a length nothing tells a whole body from a piece.
      {"no length", Page::kServed, Answer::kNoLength, none, true, 200, -1, kPlain, 3000, body},
      {"no length, cut off after 10 bytes", Page::kServed, Answer::kNoLength, 10, true, 200, -1, kPlain, 10,
       body.substr(0, 10)},
      {"chunked", Page::kServed, Answer::kChunked, none, true, 200, -1, kChunked, 3000, body},
      {"chunked, cut off before its last chunk", Page::kServed, Answer::kChunked, 2000, true, 200, -1, kChunked, 2000,
       body.substr(0, 2000)},
      {"chunked with a length beside it", Page::kServed, Answer::kChunkedAndLength, none, true, 200, 3000, kChunked,
       3000, body},
      {"two different lengths", Page::kServed, Answer::kTwoLengths, none, true, 200, 3000, kTwoLengths, 3000, body},
      // The service decodes the body and drops the compressed length and the
      // coding's header with it.
      {"compressed although the request asked for it as it is", Page::kServed, Answer::kCompressed, none, true, 200,
       -1, kPlain, 3000, body},
      {"compressed and cut off", Page::kServed, Answer::kCompressed, 100, true, 200, -1, kPlain, kPiece, none},
      {"compressed data that is no gzip: the service fails before a status", Page::kServed,
       Answer::kBrokenCompressed, none, false, 0, -1, kPlain, -1, none},
      // The service reports success for what came before the broken chunk.
      {"a chunk size that is no number after the body", Page::kServed, Answer::kBrokenChunked, none, true, 200, -1,
       kChunked, 3000, body},
      {"one byte over the announced length", Page::kServed, Answer::kOneByteOver, none, true, 200, 2999, kPlain, 3000,
       body},
      {"204 No Content", Page::kServed, Answer::kNoContent, none, true, 204, -1, kPlain, 0, ""},
      {"206 Partial Content", Page::kServed, Answer::kPartialContent, none, true, 206, 1500, kPlain, 1500,
       body.substr(0, 1500)},
      // Any Transfer-Encoding is a framing the file's length cannot vouch
      // for, not only plain "chunked".
      {"a coding besides chunked: gzip, chunked", Page::kServed, Answer::kCodedAndChunked, none, true, 200, -1,
       kChunked, kUnread, none},
      // The service reports success and writes nothing.
      {"into a folder that does not exist", Page::kIntoMissingFolder, none, none, true, 200, 3000, kPlain, -1, none},
      {"no server at the address", Page::kNoServer, none, none, false, 0, -1, kPlain, -1, none},
  };
  int n = 0;
  std::set<std::string> targets;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string name = "page" + std::to_string(++n) + ".bin";
    targets.insert(name);
    std::string url = site_->Base() + name;
    std::string path = dir_ + "\\" + name;
    switch (c.page) {
      case Page::kServed:
        site_->Serve(name, body);
        break;
      case Page::kEmpty:
        site_->Serve(name, "");
        break;
      case Page::kMissing:
        break;
      case Page::kIntoMissingFolder:
        site_->Serve(name, body);
        path = dir_ + "\\missing\\" + name;
        break;
      case Page::kNoServer:
        url = site_->Unreachable();
        break;
    }
    if (c.answer) site_->Frame(name, *c.answer);
    if (c.cut) site_->CutAfter(name, *c.cut);
    const platform::Download d = machine_->internet().UrlDownloadToFile(url, path, true);
    EXPECT_EQ(Strays(targets), "");
    EXPECT_EQ(d.result >= 0, c.succeeds) << std::hex << d.result;
    EXPECT_EQ(d.http_status, c.status);
    EXPECT_EQ(d.lengths_differ, c.framing.lengths_differ);
    EXPECT_EQ(d.transfer_coded, c.framing.transfer_coded);
    EXPECT_EQ(d.content_coded, c.framing.content_coded);
    std::string file;
    const bool there = machine_->files().ReadFile(path, &file);
    if (c.written == kUnread) {
      EXPECT_EQ(d.announced, c.announced);
      continue;
    }
    EXPECT_EQ(there, c.written >= 0 || c.written == kErrorPage || c.written == kPiece);
    if (c.written == kPiece) {
      EXPECT_EQ(d.announced, c.announced);
      EXPECT_GE(d.written, 0);
      EXPECT_LT(d.written, static_cast<std::int64_t>(body.size()));
      EXPECT_EQ(static_cast<std::int64_t>(file.size()), d.written);
      EXPECT_TRUE(file == body.substr(0, file.size())) << "the file is no piece of the body";
    } else if (c.written == kErrorPage) {
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
  EXPECT_EQ(Strays({"kept.txt"}), "");
  std::string file;
  ASSERT_TRUE(machine_->files().ReadFile(path, &file));
  EXPECT_EQ(file, "new");
}

// A download waits on the calling thread, which keeps handling its
// messages: the caller's keep_going runs while it waits, and ends it; no
// byte for the idle time ends it too. An ended download writes nothing.
TEST_F(InternetContract, ADownloadWaitsAsItsCallerSays) {
  struct Case {
    const char* name;
    std::optional<std::size_t> stall;  // silent after this many bytes; nullopt: slow but never silent
    std::int64_t idle_ms;
    int stop_at_turn;                  // keep_going says stop at this call; 0: never
    bool stalled, stopped;
  };
  const Case cases[] = {
      {"silent after its headers", 0, 1500, 0, true, false},
      {"silent after 10 bytes", 10, 1500, 0, true, false},
      {"stopped by the caller while silent", 10, 0, 5, false, true},
      {"stopped by the caller before the idle time", 10, 60000, 5, false, true},
      {"slow, never silent for the idle time", std::nullopt, 1500, 0, false, false},
  };
  const std::string body = Body();
  int n = 0;
  std::set<std::string> targets;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string name = "wait" + std::to_string(++n) + ".bin";
    targets.insert(name);
    const std::string path = dir_ + "\\" + name;
    ASSERT_TRUE(machine_->files().WriteFile(path, "earlier"));
    site_->Serve(name, body);
    if (c.stall)
      site_->StallAfter(name, *c.stall);
    else
      site_->Frame(name, Answer::kSlow);
    int turns = 0;
    platform::DownloadWait wait;
    wait.idle_ms = c.idle_ms;
    wait.keep_going = [&] { return ++turns != c.stop_at_turn; };
    const platform::Download d = machine_->internet().UrlDownloadToFile(site_->Base() + name, path, true, wait);
    EXPECT_EQ(d.stalled, c.stalled);
    EXPECT_EQ(d.stopped, c.stopped);
    EXPECT_EQ(Strays(targets), "");
    std::string file;
    ASSERT_TRUE(machine_->files().ReadFile(path, &file));
    if (c.stalled || c.stopped) {
      EXPECT_EQ(d.result, platform::kEAbort) << std::hex << d.result;
      EXPECT_EQ(file, "earlier") << "an ended download writes nothing";
    } else {
      EXPECT_GE(d.result, 0) << std::hex << d.result;
      EXPECT_EQ(d.http_status, 200);
      EXPECT_EQ(d.announced, 3000);
      EXPECT_TRUE(file == body) << "the file holds " << file.size() << " bytes";
    }
    if (c.stopped) {
      EXPECT_EQ(turns, c.stop_at_turn) << "not called again once it said stop";
    } else {
      // At least once every kDownloadPollMs of the wait.
      EXPECT_GE(turns, (c.stall ? c.idle_ms : 1500) / platform::kDownloadPollMs);
    }
  }
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
