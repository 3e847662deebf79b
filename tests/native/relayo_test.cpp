// relayo against the fake machine and its fake update site: the version
// and serial rules, the progress bar, and the hardened download (no place
// outside the program folder, nothing recorded unless every file arrived,
// no installed file cut short).
#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <string_view>
#include <optional>
#include <string>
#include <vector>

#include "native/device_names.h"
#include "native/repo_data.h"
#include "platform/fake/machine.h"
#include "updater/Form1.h"
#include "updater/manifest.h"
#include "updater/relayo_state.h"

namespace ks::relayo {
namespace {

const std::string kFolder = "C:\\Program Files\\Kestrelane";
const std::string kSettings = "HKCU\\Software\\Kestrelane";
const std::string kBase = kUpdateBase;

struct Pair {
  std::string file, folder;
};

std::string ManifestText(const std::string& serial, const std::string& version, const std::vector<Pair>& pairs) {
  std::string text = serial + "\r\n" + version + "\r\n";
  for (const Pair& p : pairs) text += "\"" + p.file + "\",\"" + p.folder + "\"\r\n";
  return text;
}

// One installation of relayo on a fake machine: the English language file,
// "Version" 353 and "LastUpDate35" 7.
struct Installation {
  fake::FakeMachine m;
  RelayoState st{m};
  Form1 form{st};

  Installation() {
    m.fs.AddFile(kFolder + "\\DATA\\LANGUAGE\\en_rl.dat", test::ReadRepoData("LANGUAGE/en_rl.dat"));
    m.fs.AddFile(kFolder + "\\relayo.exe", "MZ");
    m.reg.PutDword(kSettings, "Version", 353);
    m.reg.PutDword(kSettings, "LastUpDate35", 7);
  }
  void Site(const std::string& manifest) { m.net.Serve(kBase + "down35.log", manifest); }
  void SiteFile(const std::string& name, const std::string& bytes) { m.net.Serve(kBase + name, bytes); }
  std::optional<std::uint32_t> LastUpdate() const {
    auto v = m.reg.Get(kSettings, "LastUpDate35");
    if (!v || v->type != platform::kRegDword || v->bytes.size() != 4) return std::nullopt;
    return static_cast<std::uint32_t>(static_cast<unsigned char>(v->bytes[0]) |
                                      static_cast<unsigned char>(v->bytes[1]) << 8 |
                                      static_cast<unsigned char>(v->bytes[2]) << 16 |
                                      static_cast<unsigned char>(v->bytes[3]) << 24);
  }
  void Update() {
    form.Show();
    form.Command1.UserClick();
  }
  void ExpectControlsEnabled() {
    EXPECT_TRUE(form.Command1.Enabled());
    EXPECT_TRUE(form.Command2.Enabled());
    EXPECT_TRUE(form.Check1.Enabled());
  }
  // Files the site's downloads asked for, besides the manifest.
  std::vector<std::string> FileRequests() const {
    std::vector<std::string> urls;
    for (const auto& r : m.net.requests())
      if (r.url != kBase + "down35.log") urls.push_back(r.url.substr(kBase.size()));
    return urls;
  }
};

struct RelayoRig : ::testing::Test, Installation {};

// Ways the site can fail one address. The download service reports success
// for all but the last two: the error page, the piece that came or a body
// nothing vouches for is written as the file.
enum class Fault {
  kNotOnSite,
  kServerError,
  kCutOff,
  kCutBeforeFirstByte,
  kOneByteShort,
  kOneByteOver,
  kNoLength,
  kNoLengthCutOff,
  kChunked,
  kChunkedCutOff,
  kChunkedAndLength,
  kTwoLengths,
  kCompressed,
  kCompressedCutOff,
  kCompressedAsSent,
  kNoContent,
  kPartialContent,
  kFailedAfter200,
  kStalledAfterHeaders,
  kStalledAfterFewBytes,
  kNoConnection,
};

struct FaultCase {
  const char* name;
  Fault fault;
};
// Faults of one address on a site that answers.
constexpr FaultCase kSiteFaults[] = {
    // The server's 404 page replaced the installed file, or was read as the
    // manifest.
    {"not on the site: a 404 with its page", Fault::kNotOnSite},
    {"a server error with its page", Fault::kServerError},
    // The piece that came replaced the installed file, or its first lines
    // were taken for the whole manifest.
    {"cut off after a few bytes", Fault::kCutOff},
    {"cut off before its first byte", Fault::kCutBeforeFirstByte},
    // A file counted when it was at least as long as announced, or when no
    // more than announced arrived.
    {"one byte short of its length", Fault::kOneByteShort},
    {"one byte over its length", Fault::kOneByteOver},
    // Each of the rows below was installed and recorded as "Update finished."
    {"no length, whole", Fault::kNoLength},
    {"no length, cut off", Fault::kNoLengthCutOff},
    {"chunked, whole", Fault::kChunked},
    {"chunked, cut off before its last chunk", Fault::kChunkedCutOff},
    {"chunked with a Content-Length beside it", Fault::kChunkedAndLength},
    {"two different Content-Length headers", Fault::kTwoLengths},
    {"compressed: the service drops its length", Fault::kCompressed},
    {"compressed and cut off", Fault::kCompressedCutOff},
    {"compressed bytes written as they came, with their length", Fault::kCompressedAsSent},
    {"204 No Content", Fault::kNoContent},
    {"206 Partial Content", Fault::kPartialContent},
    // The whole body with its length, but the service itself failed.
    {"the service fails after a 200", Fault::kFailedAfter200},
    // relayo stayed on its download status for ever, its window deaf.
    {"silent after its headers", Fault::kStalledAfterHeaders},
    {"silent after a few bytes", Fault::kStalledAfterFewBytes},
};

// `bytes` is what the address serves whole.
void Break(fake::FakeInternet& net, const std::string& url, const std::string& bytes, Fault fault) {
  switch (fault) {
    case Fault::kNotOnSite:
      net.Remove(url);
      break;
    case Fault::kServerError:
      net.Serve(url, "<html><body>503 Service Unavailable</body></html>", 503);
      break;
    case Fault::kCutOff:
      net.CutAfter(url, 5);
      break;
    case Fault::kCutBeforeFirstByte:
      net.CutAfter(url, 0);
      break;
    case Fault::kOneByteShort:
      net.CutAfter(url, bytes.size() - 1);
      break;
    case Fault::kOneByteOver:
      net.Frame(url, fake::Framing::kOneByteOver);
      break;
    case Fault::kNoLength:
      net.Frame(url, fake::Framing::kNoLength);
      break;
    case Fault::kNoLengthCutOff:
      net.Frame(url, fake::Framing::kNoLength);
      net.CutAfter(url, 5);
      break;
    case Fault::kChunked:
      net.Frame(url, fake::Framing::kChunked);
      break;
    case Fault::kChunkedCutOff:
      net.Frame(url, fake::Framing::kChunked);
      net.CutAfter(url, 5);
      break;
    case Fault::kChunkedAndLength:
      net.Frame(url, fake::Framing::kChunkedAndLength);
      break;
    case Fault::kTwoLengths:
      net.Frame(url, fake::Framing::kTwoLengths);
      break;
    case Fault::kCompressed:
      net.Frame(url, fake::Framing::kCompressed);
      break;
    case Fault::kCompressedCutOff:
      net.Frame(url, fake::Framing::kCompressed);
      net.CutAfter(url, 5);
      break;
    case Fault::kCompressedAsSent:
      net.Frame(url, fake::Framing::kCompressedAsSent);
      break;
    case Fault::kNoContent:
      net.Serve(url, "", 204);
      break;
    case Fault::kPartialContent:
      net.Serve(url, bytes.substr(0, bytes.size() / 2), 206);
      break;
    case Fault::kFailedAfter200:
      net.FailAfterAnswer(url);
      break;
    case Fault::kStalledAfterHeaders:
      net.StallAfter(url, 0);
      break;
    case Fault::kStalledAfterFewBytes:
      net.StallAfter(url, 5);
      break;
    case Fault::kNoConnection:
      net.online = false;
      break;
  }
}

TEST_F(RelayoRig, WindowAndCaptions) {
  form.Show();
  EXPECT_EQ(form.Caption(), "Kestrelane SE Auto update");
  EXPECT_EQ(form.Label2.Caption(), "Step:");
  EXPECT_EQ(form.Command2.Caption(), "Close");
  EXPECT_EQ(form.Command1.Caption(), "Update");
  EXPECT_EQ(form.Check1.Caption(), "Override update");
  EXPECT_EQ(form.Label1.BackColor(), 0x00C000);
  EXPECT_EQ(form.Label1.Width(), 15);
  EXPECT_TRUE(form.Label1.InFront()) << "the bar over its background";
  EXPECT_FALSE(form.Label4.InFront());
  form.Command2.UserClick();
  EXPECT_TRUE(st.app.Ended());
}

TEST_F(RelayoRig, VersionAndSerial) {
  struct Case {
    const char* name;
    std::optional<std::uint32_t> version, last;  // registry before; none = missing
    std::string serial, needs;                    // manifest items
    bool override_checks;
    int status_slot;
    const char* status_extra;  // the version text of slots 6/7
    bool downloads;
    std::optional<std::uint32_t> last_after;
  };
  const std::vector<Case> cases = {
      {"both values missing: a version above 0 stops", std::nullopt, std::nullopt, "1", "351", false, 6, "3.5.1",
       false, std::nullopt},
      {"newer main program needed", 353u, 7u, "8", "354", false, 6, "3.5.4", false, 7u},
      {"serial equal: up to date", 353u, 7u, "7", "353", false, 8, nullptr, false, 7u},
      {"serial lower: up to date", 353u, 7u, "6", "300", false, 8, nullptr, false, 7u},
      {"serial one greater: applied", 353u, 7u, "8", "353", false, 10, nullptr, true, 8u},
      {"missing serial value counts as 0", 353u, std::nullopt, "1", "351", false, 10, nullptr, true, 1u},
      {"override skips the version test", 300u, 7u, "8", "354", true, 10, nullptr, true, 8u},
      {"override stores a lower serial", 353u, 7u, "5", "351", true, 10, nullptr, true, 5u},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fake::FakeMachine machine;
    machine.fs.AddFile(kFolder + "\\DATA\\LANGUAGE\\en_rl.dat", test::ReadRepoData("LANGUAGE/en_rl.dat"));
    if (c.version) machine.reg.PutDword(kSettings, "Version", *c.version);
    if (c.last) machine.reg.PutDword(kSettings, "LastUpDate35", *c.last);
    machine.net.Serve(kBase + "down35.log", ManifestText(c.serial, c.needs, {{"a.dll", ""}}));
    machine.net.Serve(kBase + "a.dll", "new a");
    RelayoState state(machine);
    Form1 f(state);
    f.Show();
    if (c.override_checks) f.Check1.UserClick();
    f.Command1.UserClick();
    std::string status = state.Lang(c.status_slot);
    if (c.status_extra) status = state.Lang(6) + c.status_extra + state.Lang(7);
    EXPECT_EQ(f.Label3.Caption(), status);
    EXPECT_EQ(machine.fs.Contents(kFolder + "\\a.dll"), c.downloads ? "new a" : "");
    auto v = machine.reg.Get(kSettings, "LastUpDate35");
    std::optional<std::uint32_t> after;
    if (v) after = static_cast<std::uint32_t>(static_cast<unsigned char>(v->bytes[0]));
    EXPECT_EQ(after, c.last_after);
    if (v) {
      EXPECT_EQ(v->type, platform::kRegDword);
    }
    EXPECT_EQ(f.Label1.Width(), c.downloads ? kBarFull : kBarFull);
    EXPECT_TRUE(f.Command1.Enabled() && f.Command2.Enabled() && f.Check1.Enabled());
  }
}

TEST_F(RelayoRig, ProgressSteps) {
  struct Case {
    int pairs;
    int bar;
  };
  // The step is 4680 / count rounded half to even.
  const std::vector<Case> cases = {{0, 520}, {1, 5200}, {3, 5200}, {7, 5203}, {16, 5192}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pairs);
    fake::FakeMachine machine;
    machine.fs.AddFile(kFolder + "\\DATA\\LANGUAGE\\en_rl.dat", test::ReadRepoData("LANGUAGE/en_rl.dat"));
    std::vector<Pair> pairs;
    for (int i = 0; i < c.pairs; ++i) {
      pairs.push_back({"f" + std::to_string(i) + ".dat", ""});
      machine.net.Serve(kBase + "f" + std::to_string(i) + ".dat", "x");
    }
    machine.reg.PutDword(kSettings, "Version", 353);
    machine.net.Serve(kBase + "down35.log", ManifestText("9", "100", pairs));
    RelayoState state(machine);
    Form1 f(state);
    f.Show();
    f.Command1.UserClick();
    EXPECT_EQ(f.Label1.Width(), c.bar);
    EXPECT_EQ(f.Label3.Caption(), state.Lang(10));
    EXPECT_EQ(static_cast<int>(f.UpdateFiles.size()), c.pairs);
    EXPECT_TRUE(machine.reg.Get(kSettings, "LastUpDate35").has_value()) << "also with no pairs";
  }
}

TEST_F(RelayoRig, FilesLandInTheirFoldersBypassingTheCache) {
  m.fs.AddFolder(kFolder + "\\DATA\\Database");
  m.fs.AddFile(kFolder + "\\DATA\\mt.dat", "old mt");
  Site(ManifestText("8", "353", {{"mt.dat", "\\DATA"}, {"0000d3d.dat", "\\DATA\\Database"}, {"KestrelaneSE.exe", ""}}));
  SiteFile("mt.dat", "new mt");
  SiteFile("0000d3d.dat", "db");
  SiteFile("KestrelaneSE.exe", "MZ new");
  Update();
  EXPECT_EQ(m.fs.Contents(kFolder + "\\DATA\\mt.dat"), "new mt");
  EXPECT_EQ(m.fs.Contents(kFolder + "\\DATA\\Database\\0000d3d.dat"), "db");
  EXPECT_EQ(m.fs.Contents(kFolder + "\\KestrelaneSE.exe"), "MZ new") << "an empty folder is the program folder";
  EXPECT_EQ(m.fs.Contents(kFolder + "\\down35.log"), ManifestText("8", "353", {{"mt.dat", "\\DATA"},
                                                                               {"0000d3d.dat", "\\DATA\\Database"},
                                                                               {"KestrelaneSE.exe", ""}}));
  EXPECT_FALSE(m.fs.FileExists(kFolder + "\\DATA\\mt.dat.~rl")) << "no temporary file stays";
  EXPECT_EQ(LastUpdate(), 8u);
  EXPECT_EQ(form.Label3.Caption(), st.Lang(10));
  for (const auto& r : m.net.requests()) EXPECT_TRUE(r.bypass_cache) << r.url;
  EXPECT_EQ(m.net.last_access_type, platform::kInternetOpenTypeDirect);
  EXPECT_EQ(m.net.OpenHandleCount(), 0) << "every session is closed";

  // A file changed on the site arrives anew; a cached copy would be stale.
  SiteFile("mt.dat", "newer mt");
  Site(ManifestText("9", "353", {{"mt.dat", "\\DATA"}}));
  form.Command1.UserClick();
  EXPECT_EQ(m.fs.Contents(kFolder + "\\DATA\\mt.dat"), "newer mt");
  EXPECT_EQ(LastUpdate(), 9u);
}

TEST(RelayoDownload, AManifestThatCannotBeDownloaded) {
  std::vector<FaultCase> cases = {{"no connection", Fault::kNoConnection}};
  cases.insert(cases.end(), std::begin(kSiteFaults), std::end(kSiteFaults));
  for (const FaultCase& c : cases) {
    SCOPED_TRACE(c.name);
    Installation i;
    i.m.fs.AddFile(kFolder + "\\down35.log", "earlier copy");
    const std::string manifest = ManifestText("8", "353", {{"a.dll", ""}});
    i.Site(manifest);
    i.SiteFile("a.dll", "new a");
    Break(i.m.net, kBase + "down35.log", manifest, c.fault);
    i.Update();
    EXPECT_FALSE(i.m.net.waited_for_ever);
    EXPECT_EQ(i.m.msg.shown().size(), 1u);
    for (const auto& shown : i.m.msg.shown()) {
      EXPECT_EQ(shown.text, i.st.Lang(12));
      EXPECT_EQ(shown.caption, "relayo");
    }
    EXPECT_EQ(i.form.Label3.Caption(), "");
    i.ExpectControlsEnabled();
    EXPECT_TRUE(i.FileRequests().empty()) << "no listed file is fetched";
    EXPECT_EQ(i.LastUpdate(), 7u);
    EXPECT_EQ(i.m.fs.Contents(kFolder + "\\down35.log"), "earlier copy") << "a failed fetch keeps the earlier copy";
    EXPECT_EQ(i.m.fs.List(kFolder + "\\*"), (std::vector<std::string>{"relayo.exe", "down35.log"}))
        << "no piece left behind";
  }
}

// The fault this pins: the manifest's first pair came, the connection
// closed before the next chunk, and the one file was installed and the
// serial recorded, so the files after it never came.
TEST_F(RelayoRig, AManifestCutOffAfterItsFirstPairInstallsNothing) {
  const std::string first = ManifestText("8", "353", {{"a.dll", ""}});
  const std::string manifest = ManifestText("8", "353", {{"a.dll", ""}, {"b.dll", ""}, {"c.dll", ""}});
  m.fs.AddFile(kFolder + "\\a.dll", "old a");
  Site(manifest);
  for (const char* name : {"a.dll", "b.dll", "c.dll"}) SiteFile(name, std::string("new ") + name);
  m.net.Frame(kBase + "down35.log", fake::Framing::kChunked);
  m.net.CutAfter(kBase + "down35.log", first.size());
  Update();
  EXPECT_TRUE(FileRequests().empty()) << "no listed file is fetched";
  EXPECT_EQ(m.fs.Contents(kFolder + "\\a.dll"), "old a");
  EXPECT_EQ(LastUpdate(), 7u);
  ASSERT_EQ(m.msg.shown().size(), 1u);
  EXPECT_EQ(m.msg.shown()[0].text, st.Lang(12));
}

// A pair that names a place outside the program folder is not fetched and
// counts as a failed file: the update is not recorded.
TEST_F(RelayoRig, HostilePairsAreNotDownloaded) {
  struct Case {
    std::string name;
    Pair pair;
  };
  std::vector<Case> cases = {
      {"parent folder in the name", {"..\\evil.dll", ""}},
      {"parent folder inside the name", {"sub\\..\\..\\evil.dll", ""}},
      {"parent folder in the folder", {"evil.dll", "\\..\\.."}},
      {"parent folder with slashes", {"evil.dll", "/../x"}},
      {"dots and blanks that Windows trims to ..", {"evil.dll", "\\.. \\x"}},
      // Windows drops a trailing dot or blank: "mt.dat." would land on "mt.dat".
      {"a name ending in a dot", {"good.dat.", ""}},
      {"a name ending in a blank", {"good.dat ", ""}},
      {"a folder ending in a dot", {"evil.dll", "\\sub."}},
      {"a drive in the name", {"C:\\Windows\\evil.dll", ""}},
      {"a drive in the folder", {"evil.dll", "\\C:\\Windows"}},
      {"a colon (stream) in the name", {"evil.dll:stream", ""}},
      {"a leading separator in the name", {"\\Windows\\evil.dll", ""}},
      {"a leading slash in the name", {"/evil.dll", ""}},
      {"a share in the folder", {"evil.dll", "\\\\server\\share"}},
      {"a folder that is a sibling of the program folder", {"evil.dll", "Evil"}},
      {"a control character", {std::string("evil\x01.dll"), ""}},
      {"a wildcard", {"*.dll", ""}},
  };
  // A device name opens the device, not a file: "NUL" swallows the download,
  // "COM1" writes it to a port.
  for (const char* device : test::kDeviceNames) {
    cases.push_back({std::string("device name as the file: ") + device, {device, ""}});
    cases.push_back({std::string("device name as a folder: ") + device, {"evil.dll", std::string("\\DATA\\") + device}});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fake::FakeMachine machine;
    machine.fs.AddFile(kFolder + "\\DATA\\LANGUAGE\\en_rl.dat", test::ReadRepoData("LANGUAGE/en_rl.dat"));
    machine.fs.AddFolder("C:\\Program Files\\KestrelaneEvil");
    machine.fs.AddFolder(kFolder + "\\sub");
    machine.reg.PutDword(kSettings, "LastUpDate35", 7);
    machine.reg.PutDword(kSettings, "Version", 353);
    machine.net.Serve(kBase + "down35.log", ManifestText("8", "100", {{"good.dat", ""}, c.pair}));
    machine.net.Serve(kBase + "good.dat", "good");
    machine.net.Serve(kBase + c.pair.file, "evil");
    RelayoState state(machine);
    Form1 f(state);
    f.Show();
    f.Command1.UserClick();
    for (const auto& r : machine.net.requests()) EXPECT_NE(r.url, kBase + c.pair.file) << "never fetched";
    EXPECT_EQ(machine.fs.Contents(kFolder + "\\good.dat"), "good") << "the other files still arrive";
    EXPECT_EQ(f.FailedFiles, 1);
    EXPECT_NE(f.Label3.Caption(), state.Lang(10));
    EXPECT_FALSE(f.Label3.Caption().empty());
    auto v = machine.reg.Get(kSettings, "LastUpDate35");
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(static_cast<unsigned char>(v->bytes[0]), 7) << "not recorded";
  }
}

TEST(RelayoManifest, LocalPaths) {
  struct Case {
    std::string name;
    Pair pair;
    std::optional<std::string> path;
  };
  const std::string f = "C:\\K";
  std::vector<Case> cases = {
      {"program folder", {"a.dll", ""}, "C:\\K\\a.dll"},
      {"a data folder", {"mt.dat", "\\DATA"}, "C:\\K\\DATA\\mt.dat"},
      {"a deeper folder", {"x.jpg", "\\data\\hs\\pic"}, "C:\\K\\data\\hs\\pic\\x.jpg"},
      {"a folder with a trailing separator", {"x.jpg", "\\DATA\\"}, "C:\\K\\DATA\\\\x.jpg"},
      {"a lone separator is the program folder", {"a.dll", "\\"}, "C:\\K\\\\a.dll"},
      {"a name with a subfolder", {"hs\\x.jpg", "\\data"}, "C:\\K\\data\\hs\\x.jpg"},
      {"a name with dots inside", {"a..b.dll", ""}, "C:\\K\\a..b.dll"},
      {"empty name", {"", ""}, std::nullopt},
      {"dot folder part", {"a.dll", "\\DATA\\.\\x"}, std::nullopt},
      {"folder without its separator", {"a.dll", "DATA"}, std::nullopt},
      {"a pipe", {"a|b", ""}, std::nullopt},
      {"DEL character", {"a\x7f", ""}, std::nullopt},
      // Windows drops the trailing dots and blanks: these open another name.
      {"a name ending in a dot", {"mt.dat.", "\\DATA"}, std::nullopt},
      {"a name ending in a blank", {"mt.dat ", "\\DATA"}, std::nullopt},
      {"a subfolder of the name ending in a dot", {"hs.\\x.jpg", "\\data"}, std::nullopt},
      {"a folder ending in a blank", {"mt.dat", "\\DATA "}, std::nullopt},
      {"a folder part ending in a dot", {"x.jpg", "\\data\\hs.\\pic"}, std::nullopt},
  };
  for (const char* device : test::kDeviceNames) {
    const std::string d = device;
    cases.push_back({"file " + d, {d, ""}, std::nullopt});
    cases.push_back({"file " + d + " in a folder", {d, "\\DATA"}, std::nullopt});
    cases.push_back({"file below folder " + d, {d + "\\x.dll", ""}, std::nullopt});
    cases.push_back({"folder " + d, {"a.dll", "\\" + d}, std::nullopt});
    cases.push_back({"folder " + d + " inside", {"a.dll", "\\DATA\\" + d + "\\x"}, std::nullopt});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(LocalPath(f, ManifestPair{c.pair.file, c.pair.folder}), c.path);
  }
}

// A listed file that does not arrive whole leaves the installed copy as it
// was and the update unrecorded; the other files still arrive, and the next
// Update from a sound site completes it.
TEST(RelayoDownload, AListedFileThatDoesNotArriveWholeIsNotInstalled) {
  for (const FaultCase& c : kSiteFaults) {
    SCOPED_TRACE(c.name);
    Installation i;
    i.m.fs.AddFolder(kFolder + "\\DATA");
    i.m.fs.AddFile(kFolder + "\\DATA\\b.dat", "the whole old b");
    i.Site(ManifestText("8", "353", {{"a.dll", ""}, {"b.dat", "\\DATA"}, {"c.dll", ""}}));
    i.SiteFile("a.dll", "new a");
    i.SiteFile("b.dat", "the whole new b");
    i.SiteFile("c.dll", "new c");
    Break(i.m.net, kBase + "b.dat", "the whole new b", c.fault);
    i.Update();
    EXPECT_FALSE(i.m.net.waited_for_ever);
    EXPECT_EQ(i.FileRequests(), (std::vector<std::string>{"a.dll", "b.dat", "c.dll"})) << "the update goes on";
    EXPECT_EQ(i.m.fs.Contents(kFolder + "\\a.dll"), "new a");
    EXPECT_EQ(i.m.fs.Contents(kFolder + "\\DATA\\b.dat"), "the whole old b");
    EXPECT_EQ(i.m.fs.Contents(kFolder + "\\c.dll"), "new c");
    EXPECT_EQ(i.m.fs.List(kFolder + "\\DATA\\*"), (std::vector<std::string>{"b.dat"})) << "no piece left behind";
    EXPECT_EQ(i.LastUpdate(), 7u) << "the next Update tries again";
    EXPECT_EQ(i.form.FailedFiles, 1);
    EXPECT_NE(i.form.Label3.Caption(), i.st.Lang(10));
    EXPECT_EQ(i.form.Label1.Width(), kBarFull);
    i.ExpectControlsEnabled();

    i.Site(ManifestText("8", "353", {{"b.dat", "\\DATA"}}));
    i.SiteFile("b.dat", "the whole new b");
    i.form.Command1.UserClick();
    EXPECT_EQ(i.m.fs.Contents(kFolder + "\\DATA\\b.dat"), "the whole new b");
    EXPECT_EQ(i.LastUpdate(), 8u);
    EXPECT_EQ(i.form.Label3.Caption(), i.st.Lang(10));
  }
}

TEST_F(RelayoRig, ALockedFileIsNotRecordedAsUpdated) {
  m.fs.AddFile(kFolder + "\\KestrelaneSE.exe", "running");
  m.fs.SetLocked(kFolder + "\\KestrelaneSE.exe", true);
  Site(ManifestText("8", "353", {{"KestrelaneSE.exe", ""}}));
  SiteFile("KestrelaneSE.exe", "MZ new");
  Update();
  m.fs.SetLocked(kFolder + "\\KestrelaneSE.exe", false);
  EXPECT_EQ(m.fs.Contents(kFolder + "\\KestrelaneSE.exe"), "running");
  EXPECT_FALSE(m.fs.FileExists(kFolder + "\\KestrelaneSE.exe.~rl"));
  EXPECT_EQ(LastUpdate(), 7u);
}

TEST_F(RelayoRig, AMissingFolderFailsThatFile) {
  Site(ManifestText("8", "353", {{"x.dat", "\\DATA\\New"}}));
  SiteFile("x.dat", "x");
  Update();
  EXPECT_FALSE(m.fs.FolderExists(kFolder + "\\DATA\\New")) << "no folder is created";
  EXPECT_EQ(LastUpdate(), 7u);
}

// The message of a manifest that came but is no update list.
const std::string kNotValid = "The update list on the site is not valid. Nothing was changed.";

// These said "Check your internet connection", which the connection was not.
TEST_F(RelayoRig, InvalidManifestsChangeNothing) {
  struct Case {
    const char* name;
    std::string manifest;
  };
  std::vector<Pair> many;
  for (int i = 0; i < 257; ++i) many.push_back({"f" + std::to_string(i) + ".dat", ""});
  std::vector<Pair> all;
  for (int i = 0; i < 256; ++i) all.push_back({"f" + std::to_string(i) + ".dat", ""});
  const std::vector<Case> cases = {
      {"257 pairs", ManifestText("8", "353", many)},
      {"a serial that is no number", ManifestText("eight", "353", {{"f0.dat", ""}})},
      {"a version that is no number", ManifestText("8", "3.5.3", {{"f0.dat", ""}})},
      {"an empty manifest", ""},
      {"a serial and no version", "8\r\n"},
      {"blank lines only", "\r\n\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fake::FakeMachine machine;
    machine.fs.AddFile(kFolder + "\\DATA\\LANGUAGE\\en_rl.dat", test::ReadRepoData("LANGUAGE/en_rl.dat"));
    machine.reg.PutDword(kSettings, "LastUpDate35", 7);
    machine.reg.PutDword(kSettings, "Version", 353);
    machine.net.Serve(kBase + "down35.log", c.manifest);
    for (int i = 0; i < 257; ++i) machine.net.Serve(kBase + "f" + std::to_string(i) + ".dat", "x");
    RelayoState state(machine);
    Form1 f(state);
    f.Show();
    f.Check1.UserClick();  // not even the override applies it
    f.Command1.UserClick();
    EXPECT_EQ(machine.net.requests().size(), 1u) << "only the manifest was fetched";
    ASSERT_EQ(machine.msg.shown().size(), 1u);
    EXPECT_EQ(machine.msg.shown()[0].text, kNotValid);
    EXPECT_EQ(machine.msg.shown()[0].text, state.Lang(14)) << "the shipped language file holds it";
    EXPECT_EQ(f.Label3.Caption(), "");
    EXPECT_TRUE(f.Command1.Enabled() && f.Command2.Enabled() && f.Check1.Enabled());
    EXPECT_EQ(static_cast<unsigned char>(machine.reg.Get(kSettings, "LastUpDate35")->bytes[0]), 7);
  }
  // 256 pairs are a whole manifest.
  Site(ManifestText("8", "353", all));
  for (int i = 0; i < 256; ++i) SiteFile("f" + std::to_string(i) + ".dat", "x");
  Update();
  EXPECT_EQ(FileRequests().size(), 256u);
  EXPECT_EQ(LastUpdate(), 8u);
}

// A read-only installation folder said "Check your internet connection".
TEST(RelayoDownload, AManifestThatCannotBeWrittenSaysSoAndWhere) {
  const std::string manifest_path = kFolder + "\\down35.log";
  struct Case {
    const char* name;
    std::function<void(fake::FakeFiles&)> stand_in_the_way;
  };
  const Case cases[] = {
      {"the folder takes no file (read-only, full)",
       [&](fake::FakeFiles& fs) { fs.FailWrites(manifest_path + kPartSuffix); }},
      {"the earlier copy is locked", [&](fake::FakeFiles& fs) {
         fs.AddFile(manifest_path, "earlier copy");
         fs.SetLocked(manifest_path, true);
       }},
      {"a folder stands in its place", [&](fake::FakeFiles& fs) { fs.AddFolder(manifest_path); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Installation i;
    i.Site(ManifestText("8", "353", {{"a.dll", ""}}));
    i.SiteFile("a.dll", "new a");
    c.stand_in_the_way(i.m.fs);
    i.Update();
    ASSERT_EQ(i.m.msg.shown().size(), 1u);
    EXPECT_EQ(i.m.msg.shown()[0].text,
              "The update list came but could not be written to this file:\r\n" + manifest_path);
    EXPECT_EQ(i.m.msg.shown()[0].text, i.st.Lang(15) + "\r\n" + manifest_path) << "the shipped file holds it";
    EXPECT_EQ(i.form.Label3.Caption(), "");
    i.ExpectControlsEnabled();
    EXPECT_TRUE(i.FileRequests().empty()) << "no listed file is fetched";
    EXPECT_EQ(i.LastUpdate(), 7u);
    EXPECT_FALSE(i.m.fs.FileExists(manifest_path + kPartSuffix)) << "no piece left behind";
  }
}

// A language file of an older relayo ends before the newer slots: their
// English texts stand in, rather than an empty message or status.
TEST(RelayoLanguage, AnOldLanguageFileShowsTheNewerTextsInEnglish) {
  // The first 12 lines: the header and slots 2 to 12.
  std::string old_file;
  {
    const std::string shipped = test::ReadRepoData("LANGUAGE/en_rl.dat");
    std::size_t at = 0;
    for (int line = 0; line < 12; ++line) at = shipped.find('\n', at) + 1;
    old_file = shipped.substr(0, at);
  }
  struct Case {
    const char* name;
    std::function<void(Installation&)> site;
    std::string message;  // "" when the text is the status
    std::string status;
  };
  const std::string manifest_path = kFolder + "\\down35.log";
  const std::vector<Case> cases = {
      {"a manifest that is no update list (slot 14)", [](Installation& i) { i.Site("eight\r\n353\r\n"); },
       "The update list on the site is not valid. Nothing was changed.", ""},
      {"a manifest that cannot be written (slot 15)",
       [&](Installation& i) {
         i.Site(ManifestText("8", "353", {}));
         i.m.fs.FailWrites(manifest_path + kPartSuffix);
       },
       "The update list came but could not be written to this file:\r\n" + manifest_path, ""},
      {"a listed file that does not come (slot 13)",
       [](Installation& i) { i.Site(ManifestText("8", "353", {{"a.dll", ""}})); }, "",
       "The update is not complete: some files could not be downloaded."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Installation i;
    i.m.fs.AddFile(kFolder + "\\DATA\\LANGUAGE\\en_rl.dat", old_file);
    c.site(i);
    i.Update();
    ASSERT_TRUE(i.st.Lang(13).empty() && i.st.Lang(14).empty() && i.st.Lang(15).empty()) << "an old file";
    EXPECT_EQ(i.st.Lang(12), "The update list could not be downloaded. Check your internet connection and try again.");
    if (c.message.empty()) {
      EXPECT_TRUE(i.m.msg.shown().empty());
    } else {
      ASSERT_EQ(i.m.msg.shown().size(), 1u);
      EXPECT_EQ(i.m.msg.shown()[0].text, c.message);
    }
    EXPECT_EQ(i.form.Label3.Caption(), c.status);
    EXPECT_EQ(i.LastUpdate(), 7u);
  }
}

TEST_F(RelayoRig, AnEmptyFileNameItemIsSkipped) {
  // A blank line at the end reads as one more pair of empty items.
  Site(ManifestText("8", "353", {{"a.dll", ""}}) + "\r\n");
  SiteFile("a.dll", "new a");
  Update();
  EXPECT_EQ(form.UpdateFiles, (std::vector<std::string>{"a.dll", ""}));
  EXPECT_EQ(FileRequests(), (std::vector<std::string>{"a.dll"}));
  EXPECT_EQ(LastUpdate(), 8u);
  EXPECT_EQ(form.Label3.Caption(), st.Lang(10));
}

TEST_F(RelayoRig, UpdatePressedAgainAfterAnEarlyStopFetchesTheManifestAnew) {
  Site(ManifestText("7", "353", {}));
  Update();
  EXPECT_EQ(form.Label3.Caption(), st.Lang(8));
  Site(ManifestText("8", "353", {}));
  form.Command1.UserClick();
  EXPECT_EQ(form.Label3.Caption(), st.Lang(10));
  EXPECT_EQ(LastUpdate(), 8u);
}

// Counts the window's turns at its messages while an update runs: an action
// that posts itself again at each turn, as input the user keeps making.
struct Turns {
  explicit Turns(ui::App& app) : app_(app) { Next(); }
  void Next() {
    app_.Post([this] {
      ++count;
      if (on_turn) on_turn(count);
      Next();
    });
  }
  int count = 0;
  std::function<void(int)> on_turn;

 private:
  ui::App& app_;
};

// A site that sends its headers (and maybe a few bytes) and then nothing
// kept relayo on its download status for ever, Update and Close disabled
// and the window deaf.
TEST(RelayoSilentSite, GivesUpAfterThirtySilentSecondsAndAnswersMeanwhile) {
  struct Case {
    const char* name;
    bool manifest;  // the manifest is silent, else the one listed file
    std::size_t sent;
  };
  const Case cases[] = {
      {"the manifest, after its headers", true, 0},
      {"the manifest, after a few bytes", true, 5},
      {"a listed file, after its headers", false, 0},
      {"a listed file, after a few bytes", false, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Installation i;
    i.m.fs.AddFile(kFolder + "\\a.dll", "old a");
    i.Site(ManifestText("8", "353", {{"a.dll", ""}}));
    i.SiteFile("a.dll", "new a");
    i.m.net.StallAfter(kBase + (c.manifest ? "down35.log" : "a.dll"), c.sent);
    Turns turns(i.st.app);
    i.Update();
    EXPECT_FALSE(i.m.net.waited_for_ever);
    // The limit itself, not the constant: a limit of 90 s passed here.
    EXPECT_GE(i.m.net.last_download_ms, 30000);
    EXPECT_LT(i.m.net.last_download_ms, 31000) << "no longer than the silence";
    // One turn at least every 100 ms of the silence.
    EXPECT_GE(turns.count, 30000 / platform::kDownloadPollMs);
    EXPECT_EQ(i.m.fs.Contents(kFolder + "\\a.dll"), "old a");
    EXPECT_EQ(i.LastUpdate(), 7u);
    EXPECT_EQ(i.m.fs.List(kFolder + "\\*"), (c.manifest ? std::vector<std::string>{"relayo.exe", "a.dll"}
                                                        : std::vector<std::string>{"relayo.exe", "a.dll", "down35.log"}))
        << "no piece left behind";
    if (c.manifest) {
      ASSERT_EQ(i.m.msg.shown().size(), 1u);
      EXPECT_EQ(i.m.msg.shown()[0].text, i.st.Lang(12));
      EXPECT_EQ(i.form.Label3.Caption(), "");
    } else {
      EXPECT_TRUE(i.m.msg.shown().empty());
      EXPECT_EQ(i.form.Label3.Caption(), i.st.Lang(13));
      EXPECT_EQ(i.form.FailedFiles, 1);
    }
    i.ExpectControlsEnabled();
    EXPECT_FALSE(i.st.app.Ended());
  }
}

// Silence, not length, ends a download: a file that takes a minute but
// keeps coming arrives.
TEST_F(RelayoRig, ASlowSiteThatKeepsSendingIsWaitedFor) {
  Site(ManifestText("8", "353", {{"a.dll", ""}}));
  SiteFile("a.dll", "new a");
  m.net.SlowFor(kBase + "a.dll", 60000);
  Update();
  EXPECT_EQ(m.net.last_download_ms, 60000);
  EXPECT_EQ(m.fs.Contents(kFolder + "\\a.dll"), "new a");
  EXPECT_EQ(LastUpdate(), 8u);
  EXPECT_EQ(form.Label3.Caption(), st.Lang(10));
}

// The close box did nothing while relayo downloaded.
TEST(RelayoStop, ClosingTheWindowEndsTheDownloadAndTheUpdate) {
  struct Case {
    const char* name;
    const char* slow;  // the address that is downloading when the window closes
    bool stalled;      // silent rather than slow
  };
  const Case cases[] = {
      {"the manifest, slow", "down35.log", false},
      {"the manifest, silent", "down35.log", true},
      {"the second of three files, slow", "b.dll", false},
      {"the second of three files, silent", "b.dll", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Installation i;
    for (const char* name : {"a.dll", "b.dll", "c.dll"}) {
      i.m.fs.AddFile(kFolder + "\\" + name, std::string("old ") + name);
      i.SiteFile(name, std::string("new ") + name);
    }
    i.Site(ManifestText("8", "353", {{"a.dll", ""}, {"b.dll", ""}, {"c.dll", ""}}));
    if (c.stalled)
      i.m.net.StallAfter(kBase + c.slow, 3);
    else
      i.m.net.SlowFor(kBase + c.slow, 20000);
    i.form.Show();
    // The user closes the window a second into the slow download.
    const std::size_t requests_before = i.m.net.requests().size();
    Turns turns(i.st.app);
    int turns_in_it = 0;
    turns.on_turn = [&](int) {
      if (i.m.net.requests().size() > requests_before && i.m.net.requests().back().url == kBase + c.slow &&
          ++turns_in_it == 10) {
        EXPECT_FALSE(i.form.Command2.Enabled()) << "Close stays disabled: the close box stops the update";
        i.form.UserClose();
        EXPECT_TRUE(i.form.Loaded()) << "the window waits until the download has ended";
      }
    };
    i.form.Command1.UserClick();
    EXPECT_LE(i.m.net.last_download_ms, 1100) << "ended at once, not after the silence";
    EXPECT_FALSE(i.m.net.waited_for_ever);
    EXPECT_TRUE(i.st.app.Ended()) << "the window closes once the update has stopped";
    EXPECT_TRUE(i.m.msg.shown().empty()) << "no box to answer after closing";
    EXPECT_EQ(i.LastUpdate(), 7u);
    EXPECT_EQ(i.m.fs.Contents(kFolder + "\\b.dll"), "old b.dll");
    EXPECT_EQ(i.m.fs.Contents(kFolder + "\\c.dll"), "old c.dll");
    EXPECT_EQ(i.m.net.requests().back().url, kBase + c.slow) << "nothing fetched after it";
    EXPECT_FALSE(i.m.fs.FileExists(kFolder + "\\b.dll.~rl"));
    EXPECT_FALSE(i.m.fs.FileExists(kFolder + "\\down35.log.~rl"));
  }
}

// The close came in the same wait as the end of a download: the download
// counted as whole, the loop ended with no failure and "LastUpDate35" was
// recorded (also with no pairs, or after the last file).
TEST(RelayoStop, AClosingInTheWaitThatEndsADownloadRecordsNothing) {
  struct Case {
    const char* name;
    const char* ending;  // the address whose last wait brings the close
    int pairs;
  };
  const Case cases[] = {
      {"the manifest, with three pairs", "down35.log", 3},
      {"the manifest, with no pairs", "down35.log", 0},
      {"the first of three files", "a.dll", 3},
      {"the last of three files", "c.dll", 3},
  };
  const char* const names[] = {"a.dll", "b.dll", "c.dll"};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Installation i;
    std::vector<Pair> pairs;
    for (int k = 0; k < c.pairs; ++k) {
      pairs.push_back({names[k], ""});
      i.SiteFile(names[k], std::string("new ") + names[k]);
    }
    i.Site(ManifestText("8", "353", pairs));
    // The body takes ten waits; the user closes the window in the tenth.
    i.m.net.SlowFor(kBase + c.ending, 10 * platform::kDownloadPollMs);
    i.form.Show();
    const std::size_t requests_before = i.m.net.requests().size();
    Turns turns(i.st.app);
    int turns_in_it = 0;
    turns.on_turn = [&](int) {
      if (i.m.net.requests().size() > requests_before && i.m.net.requests().back().url == kBase + c.ending &&
          ++turns_in_it == 10)
        i.form.UserClose();
    };
    i.form.Command1.UserClick();
    ASSERT_EQ(turns_in_it, 10);
    EXPECT_EQ(i.m.net.last_download_ms, 10 * platform::kDownloadPollMs) << "the download came whole";
    EXPECT_TRUE(i.st.app.Ended());
    EXPECT_TRUE(i.m.msg.shown().empty());
    EXPECT_EQ(i.LastUpdate(), 7u) << "a stopped update records nothing";
    EXPECT_EQ(i.m.net.requests().back().url, kBase + c.ending) << "nothing fetched after it";
  }
}

// A listed name is the file's name on the site and its local name at once.
// "mt.da%74" was fetched as "mt.dat", "x.dat#y" as "x.dat": the bytes of
// another file were installed under the listed name and the update was
// recorded.
TEST(RelayoManifest, ANameIsFetchedOnlyAsTheFileItNames) {
  struct Case {
    std::string name;
    std::string file;                    // the listed name
    std::optional<std::string> address;  // what is fetched below the base; nullopt: refused
  };
  // With the program folder and the temporary suffix, longer than MAX_PATH.
  const std::string long_name = std::string(240, 'a') + ".dat";
  const std::vector<Case> cases = {
      {"a plain name", "mt.dat", "mt.dat"},
      {"a subfolder, asked for with a slash", "hs\\x.jpg", "hs/x.jpg"},
      {"a slash", "hs/x.jpg", "hs/x.jpg"},
      {"every other character that stands for itself", "a-b_c~d!e$f&g'h(i)j+k,l=m@n.dat",
       "a-b_c~d!e$f&g'h(i)j+k,l=m@n.dat"},
      {"a name that is long but fits", std::string(180, 'b') + ".dat", std::string(180, 'b') + ".dat"},
      {"#: the rest is never sent", "mt.dat#x", std::nullopt},
      {"%74 is an escaped t", "mt.da%74", std::nullopt},
      {"% alone", "100%.dat", std::nullopt},
      {"%25 is an escaped %", "a%25.dat", std::nullopt},
      {"?: a query", "mt.dat?x=1", std::nullopt},
      {"a blank", "read me.txt", std::nullopt},
      {"a tab", "a\tb.dat", std::nullopt},
      {"a byte above 127", "caf\xe9.dat", std::nullopt},
      {"UTF-8", "caf\xc3\xa9.dat", std::nullopt},
      {"a semicolon", "a;b.dat", std::nullopt},
      {"angle brackets", "a<b>.dat", std::nullopt},
      {"brackets and braces", "a[1]{2}.dat", std::nullopt},
      {"a caret and a backquote", "a^b`.dat", std::nullopt},
      {"..", "..\\mt.dat", std::nullopt},
      {".. inside", "hs/../mt.dat", std::nullopt},
      {"a name longer than a path may be", long_name, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Installation i;
    i.m.fs.AddFolder(kFolder + "\\hs");
    i.m.fs.AddFile(kFolder + "\\mt.dat", "old mt");
    i.Site(ManifestText("8", "353", {{c.file, ""}}));
    // What a refused name would have fetched, and the name itself.
    for (const char* other : {"mt.dat", "x.dat", "a.dat"}) i.SiteFile(other, "another file");
    i.SiteFile(c.file, "listed");
    if (c.address) i.SiteFile(*c.address, "listed");
    i.Update();
    if (c.address) {
      EXPECT_EQ(i.FileRequests(), (std::vector<std::string>{*c.address}));
      EXPECT_EQ(i.LastUpdate(), 8u);
      EXPECT_EQ(i.form.Label3.Caption(), i.st.Lang(10));
      std::string local = c.file;
      for (char& ch : local)
        if (ch == '/') ch = '\\';
      EXPECT_EQ(i.m.fs.Contents(kFolder + "\\" + local), "listed");
    } else {
      EXPECT_TRUE(i.FileRequests().empty()) << "nothing fetched";
      EXPECT_EQ(i.LastUpdate(), 7u) << "not recorded";
      EXPECT_EQ(i.form.FailedFiles, 1);
      EXPECT_EQ(i.form.Label3.Caption(), i.st.Lang(13));
      EXPECT_EQ(i.m.fs.Contents(kFolder + "\\mt.dat"), "old mt");
      EXPECT_EQ(i.m.fs.List(kFolder + "\\*"), (std::vector<std::string>{"relayo.exe", "mt.dat", "down35.log"}));
    }
    i.ExpectControlsEnabled();
  }
}

TEST(RelayoManifest, AddressNames) {
  EXPECT_TRUE(IsAddressName("0000d3d.dat"));
  EXPECT_TRUE(IsAddressName("hs\\pic\\x.jpg"));
  EXPECT_FALSE(IsAddressName("")) << "no name";
  for (int c = 0; c < 256; ++c) {
    const char ch = static_cast<char>(c);
    const bool stands = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') ||
                        std::string_view("-._~!$&'()+,=@\\/").find(ch) != std::string_view::npos;
    EXPECT_EQ(IsAddressName(std::string("a") + ch + "b"), stands) << "character " << c;
  }
  EXPECT_EQ(AddressPath("hs\\pic\\x.jpg"), "hs/pic/x.jpg");
}

TEST(RelayoManifest, VersionText) {
  EXPECT_EQ(VersionText("351"), "3.5.1");
  EXPECT_EQ(VersionText("3501"), "3.5.1") << "first, second and last character";
  EXPECT_EQ(VersionText("4"), "4..4");
}

}  // namespace
}  // namespace ks::relayo
