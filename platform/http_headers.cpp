#include "platform/http_headers.h"

namespace ks::platform {

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// A length: decimal digits only, below 2^62; -1 otherwise.
std::int64_t LengthOf(std::string_view text) {
  text = Trimmed(text);
  if (text.empty() || text.size() > 18) return -1;
  std::int64_t n = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return -1;
    n = n * 10 + (c - '0');
  }
  return n;
}

}  // namespace

BodyFraming ReadBodyFraming(std::string_view headers) {
  BodyFraming f;
  bool seen_length = false;
  while (!headers.empty()) {
    const std::size_t end = headers.find('\n');
    std::string_view line = headers.substr(0, end);
    headers = end == std::string_view::npos ? std::string_view() : headers.substr(end + 1);
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) continue;  // the status line, or the blank end
    const std::string_view name = Trimmed(line.substr(0, colon));
    const std::string_view value = Trimmed(line.substr(colon + 1));
    if (SameName(name, "Content-Length")) {
      // Servers and proxies may join repeated headers with commas.
      std::string_view rest = value;
      while (true) {
        const std::size_t comma = rest.find(',');
        const std::int64_t n = LengthOf(rest.substr(0, comma));
        if (!seen_length) {
          f.length = n;
          seen_length = true;
          if (n < 0) f.lengths_differ = true;
        } else if (n != f.length || n < 0) {
          f.lengths_differ = true;
        }
        if (comma == std::string_view::npos) break;
        rest = rest.substr(comma + 1);
      }
    } else if (SameName(name, "Transfer-Encoding")) {
      f.transfer_coded = true;
    } else if (SameName(name, "Content-Encoding")) {
      if (!value.empty() && !SameName(value, "identity")) f.content_coded = true;
    }
  }
  return f;
}

}  // namespace ks::platform
