// What a response's header lines say about the length of its body, read
// from the text the download service hands its callback: one header a line,
// CR LF between them (the status line first, which is no header).
#pragma once

#include <cstdint>
#include <string_view>

namespace ks::platform {

struct BodyFraming {
  // The first Content-Length; -1 when there is none or it is no number.
  std::int64_t length = -1;
  // A further Content-Length (a line of its own, or a comma-joined list in
  // one line) names another number, or one of them is no number.
  bool lengths_differ = false;
  bool transfer_coded = false;  // a Transfer-Encoding line, whatever coding
  bool content_coded = false;   // a Content-Encoding other than "identity"
};

// Header names compare without regard to case; blanks around a value are
// ignored. Text in any 8-bit form (the callback's UTF-16 narrowed).
BodyFraming ReadBodyFraming(std::string_view headers);

}  // namespace ks::platform
