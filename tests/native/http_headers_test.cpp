#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/http_headers.h"

namespace ks::platform {
namespace {

struct Case {
  const char* name;
  std::string headers;
  std::int64_t length;
  bool lengths_differ, transfer_coded, content_coded;
};

TEST(BodyFraming, WhatTheHeadersSayOfTheBody) {
  const std::string status = "HTTP/1.1 200 OK\r\n";
  const std::vector<Case> cases = {
      {"one length", status + "Content-Type: text/plain\r\nContent-Length: 3000\r\n\r\n", 3000, false, false, false},
      {"names without case, blanks around the value", status + "content-LENGTH:\t 12 \r\n", 12, false, false, false},
      {"no length", status + "Connection: close\r\n\r\n", -1, false, false, false},
      {"no headers at all", "", -1, false, false, false},
      {"a length that is no number", status + "Content-Length: 12x\r\n", -1, true, false, false},
      {"a negative length", status + "Content-Length: -1\r\n", -1, true, false, false},
      {"an empty length", status + "Content-Length:\r\n", -1, true, false, false},
      {"a length too long to be one", status + "Content-Length: 99999999999999999999\r\n", -1, true, false, false},
      {"the same length twice", status + "Content-Length: 10\r\nContent-Length: 10\r\n", 10, false, false, false},
      {"two different lengths", status + "Content-Length: 10\r\nContent-Length: 11\r\n", 10, true, false, false},
      {"two lengths joined by a comma", status + "Content-Length: 10, 11\r\n", 10, true, false, false},
      {"the same length joined by a comma", status + "Content-Length: 10, 10\r\n", 10, false, false, false},
      {"chunked", status + "Transfer-Encoding: chunked\r\n", -1, false, true, false},
      {"chunked beside a length", status + "Content-Length: 10\r\nTransfer-Encoding: chunked\r\n", 10, false, true,
       false},
      // Any coding of the transfer, not only plain "chunked", leaves the
      // file's length nothing to vouch for.
      {"a coding before chunked", status + "Transfer-Encoding: gzip, chunked\r\n", -1, false, true, false},
      {"a coding alone", status + "Transfer-Encoding: gzip\r\nContent-Length: 40\r\n", 40, false, true, false},
      {"chunked in capitals", status + "transfer-encoding: CHUNKED\r\n", -1, false, true, false},
      {"gzip", status + "Content-Encoding: gzip\r\nContent-Length: 317\r\n", 317, false, false, true},
      {"identity is no coding", status + "Content-Encoding: Identity\r\nContent-Length: 5\r\n", 5, false, false,
       false},
      {"line ends without CR", "HTTP/1.1 200 OK\nContent-Length: 7\nContent-Encoding: br\n", 7, false, false, true},
      {"a header that only begins like one", status + "Content-Lengthy: 5\r\nX-Content-Length: 6\r\n", -1, false,
       false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const BodyFraming f = ReadBodyFraming(c.headers);
    EXPECT_EQ(f.length, c.length);
    EXPECT_EQ(f.lengths_differ, c.lengths_differ);
    EXPECT_EQ(f.transfer_coded, c.transfer_coded);
    EXPECT_EQ(f.content_coded, c.content_coded);
  }
}

}  // namespace
}  // namespace ks::platform
