// The contract tables run against the fake machine natively and against the
// real Windows services under Wine. Each test executable provides these.
#pragma once

#include <cstddef>
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

// Links for the contract of links: one to the system folder
// (GetSystemDirectory) and one to its kernel32.dll. Natively they are made
// in the fake, under Wine they are Unix symbolic links the prefix holds
// (cmake/wine-run.sh makes them). Both "" when the machine has none; the
// file link "" where the machine cannot show one as Windows does.
struct ContractLinks {
  std::string folder;
  std::string file;
};
ContractLinks MakeContractLinks(platform::Platform& machine);

// A web site for the internet contract, with the faults of a real one:
// natively the fake machine's, under Wine a loopback HTTP server
// (tests/wine/site_server.py) inside network namespaces of the test's own.
// A page that was not put on it is answered 404 with an HTML page.
class ContractSite {
 public:
  virtual ~ContractSite() = default;
  // The address of the site's folder for this test, ending in "/".
  virtual std::string Base() = 0;
  // The page Base() + name, answered 200 with these bytes.
  virtual void Serve(const std::string& name, const std::string& bytes) = 0;
  // The server announces the page's whole length and closes the connection
  // after `sent` of its bytes.
  virtual void CutAfter(const std::string& name, std::size_t sent) = 0;
  // Frames the answer of a served page as a faulty server does.
  enum class Answer {
    kNoLength,          // no Content-Length; the connection closes after the body
    kChunked,           // Transfer-Encoding: chunked, no length
    kChunkedAndLength,  // chunked, with the body's Content-Length beside it
    kTwoLengths,        // the body's Content-Length and a second one, one greater
    kCompressed,        // gzip-compressed whatever the request accepts
    kBrokenCompressed,  // "Content-Encoding: gzip" over bytes that are no gzip data
    kBrokenChunked,     // chunked: the whole body in one chunk, then a chunk size that is no number
    kOneByteOver,       // the body's length less one announced, the whole body sent
    kNoContent,         // "204 No Content"
    kPartialContent,    // "206 Partial Content" with the first half of the body
    kCodedAndChunked,   // "Transfer-Encoding: gzip, chunked": a coding besides chunked
    kSlow,              // the body with its length, in pieces 0.2 s apart over some seconds
  };
  virtual void Frame(const std::string& name, Answer answer) = 0;
  // The server announces the page's whole length, sends `sent` of its
  // bytes and then nothing, keeping the connection open.
  virtual void StallAfter(const std::string& name, std::size_t sent) = 0;
  // An address on which no server listens.
  virtual std::string Unreachable() = 0;
};
// A site on `machine` (made by MakeContractMachine), or nullptr when this
// run has none (under Wine: outside the site's namespaces).
std::unique_ptr<ContractSite> MakeContractSite(platform::Platform& machine);

}  // namespace ks::test
