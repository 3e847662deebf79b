#include "platform/fake/internet.h"

namespace ks::fake {

namespace {

std::string HostOf(const std::string& url) {
  const std::size_t start = url.find("//");
  if (start == std::string::npos) return "";
  const std::size_t end = url.find('/', start + 2);
  return url.substr(start + 2, end == std::string::npos ? std::string::npos : end - start - 2);
}

}  // namespace

platform::InternetHandle FakeInternet::InternetOpen(const std::string& agent, std::uint32_t access_type,
                                                    const std::string& proxy, const std::string& bypass,
                                                    std::uint32_t flags) {
  last_access_type = access_type;
  const platform::InternetHandle h = next_handle_++;
  open_.insert(h);
  return h;
}

bool FakeInternet::InternetCloseHandle(platform::InternetHandle handle) { return open_.erase(handle) != 0; }

bool FakeInternet::HostAnswers(const std::string& url) const {
  const std::string host = HostOf(url);
  for (const auto& [served, page] : site_)
    if (HostOf(served) == host) return true;
  return false;
}

platform::Download FakeInternet::UrlDownloadToFile(const std::string& url, const std::string& path,
                                                   bool bypass_cache, const platform::DownloadWait& wait) {
  requests_.push_back(Request{url, path, bypass_cache});
  last_download_ms = 0;
  platform::Download d;
  std::string sent;
  bool fails = false;  // the service's own failure after the answer came
  auto cached = cache_.find(url);
  if (!bypass_cache && cached != cache_.end()) {
    sent = cached->second;  // served from the local cache, however old
    d.http_status = 200;
    d.announced = static_cast<std::int64_t>(sent.size());
  } else {
    if (!online || !HostAnswers(url)) {
      d.result = platform::kInetEDownloadFailure;
      return d;
    }
    auto served = site_.find(url);
    const Page page = served != site_.end() ? served->second : Page{404, kNotFoundPage, Framing::kLength};
    d.http_status = page.status;
    const auto size = static_cast<std::int64_t>(page.bytes.size());
    auto cut = cuts_.find(url);
    sent = cut != cuts_.end() ? page.bytes.substr(0, cut->second) : page.bytes;
    switch (page.framing) {
      case Framing::kLength:
        // "204 No Content" has neither a body nor a length.
        if (page.status == 204) sent.clear();
        else d.announced = size;
        break;
      case Framing::kNoLength:
        break;
      case Framing::kChunked:
        d.transfer_coded = true;
        break;
      case Framing::kChunkedAndLength:
        d.announced = size;
        d.transfer_coded = true;
        break;
      case Framing::kTwoLengths:
        d.announced = size;
        d.lengths_differ = true;
        break;
      case Framing::kCompressed:
        break;
      case Framing::kCompressedAsSent:
        d.announced = size;
        d.content_coded = true;
        break;
      case Framing::kBrokenCompressed:
        d.http_status = 0;
        d.result = platform::kInetEDownloadFailure;
        return d;

      case Framing::kOneByteOver:
        d.announced = size - 1;
        break;
      case Framing::kCodedAndChunked:
        d.transfer_coded = true;
        break;
    }
    fails = fails || failing_.count(url) != 0;
    const auto stall = stalls_.find(url);
    const auto slow = slow_.find(url);
    if (stall != stalls_.end() || slow != slow_.end()) {
      if (stall != stalls_.end()) sent = sent.substr(0, stall->second);
      if (!Wait(wait, slow != slow_.end() ? slow->second : -1, path, d)) return d;
    }
    if (!bypass_cache && !fails && page.status == 200 && page.framing == Framing::kLength && sent.size() == page.bytes.size())
      cache_[url] = sent;
  }
  // The service copies what came into place and does not report a copy
  // that fails.
  files_.WriteFile(path, sent);
  d.result = fails ? platform::kInetEDownloadFailure : platform::kSOk;
  std::string now;
  if (files_.ReadFile(path, &now)) d.written = static_cast<std::int64_t>(now.size());
  return d;
}

bool FakeInternet::Wait(const platform::DownloadWait& wait, std::int64_t body_ms, const std::string& path,
                        platform::Download& d) {
  // Each poll waits, runs keep_going and then sees whether the binding has
  // ended: a body that came in that poll has arrived, whatever keep_going
  // said.
  std::int64_t now = 0, last_byte = 0;
  for (;;) {
    now += platform::kDownloadPollMs;
    const bool go_on = !wait.keep_going || wait.keep_going();
    if (body_ms >= 0 && now >= body_ms) {
      last_download_ms = now;
      return true;
    }
    if (body_ms >= 0) last_byte = now;
    if (!go_on) {
      d.stopped = true;
      break;
    }
    if (wait.idle_ms > 0 && now - last_byte >= wait.idle_ms) {
      d.stalled = true;
      break;
    }
    if (now >= kForeverMs) {
      waited_for_ever = true;
      break;
    }
  }
  last_download_ms = now;
  // Ended: the binding is aborted and nothing is written.
  d.result = platform::kEAbort;
  std::string there;
  if (files_.ReadFile(path, &there)) d.written = static_cast<std::int64_t>(there.size());
  return false;
}

}  // namespace ks::fake
