#include "updater/Form1.h"

#include "common/numbers.h"
#include "platform/internet.h"
#include "ui/design_scope.h"

namespace ks::relayo {

namespace {

constexpr const char* kFailedText = "The update is not complete: some files could not be downloaded.";
constexpr const char* kNotValidText = "The update list on the site is not valid. Nothing was changed.";
constexpr const char* kNotWrittenText = "The update list came but could not be written to this file:";
// The language slots of the failure status, of the message for a manifest
// that is no update list and of the one for a manifest that could not be
// written (its path follows on a line of its own); the shipped English
// texts stand in for a language file without them.
constexpr int kFailedSlot = 13;
constexpr int kNotValidSlot = 14;
constexpr int kNotWrittenSlot = 15;

// The download service reports success for a server's error page, for a
// transfer cut off half-way and for an answer that named no length, having
// written what came. A file counts only when the server answered 200 with
// one length for the body, sent as it is (neither chunked nor compressed),
// the file holds exactly that many bytes and the service itself succeeded.
bool ArrivedWhole(const platform::Download& d) {
  if (d.result < 0 || d.stalled || d.stopped || d.http_status != 200) return false;
  if (d.announced < 0 || d.lengths_differ || d.transfer_coded || d.content_coded) return false;
  return d.written == d.announced;
}

// Everything says the file came whole, but there is no file: the service
// could not write it (a folder that takes no file, a full disk).
bool CameButNotWritten(const platform::Download& d) {
  if (d.result < 0 || d.stalled || d.stopped || d.http_status != 200) return false;
  if (d.announced < 0 || d.lengths_differ || d.transfer_coded || d.content_coded) return false;
  return d.written < 0;
}

}  // namespace

Form1::Form1(RelayoState& state) : ui::Form(state.app, "Form1"), st_(state) {
  ui::DesignScope design(app());
  SetCaption("Kestrelane SE Auto update");
  // Client area 5475 x 1815 twips, with the frame and caption around it.
  Move(0, 0, 5565, 2220);
  Label4.Move(120, 120, 5205, 255);
  Label4.SetBackColor(0x00FFFFFF);
  Label1.Move(120, 120, 15, 255);
  Label1.SetBackColor(0x0000C000);  // RGB(0, 192, 0)
  Label1.SetInFront(true);          // the bar over its background
  Label2.Move(120, 600, 735, 255);
  Label2.SetCaption("Step:");
  Label3.Move(960, 600, 4455, 255);
  Check1.Move(120, 960, 4695, 255);
  Check1.SetCaption("Override update");
  Command1.Move(960, 1320, 1695, 375);
  Command1.SetCaption("Update");
  Command2.Move(2880, 1320, 1695, 375);
  Command2.SetCaption("Close");
  Command1.OnClick = [this] { Command1_Click(); };
  Command2.OnClick = [this] { Unload(); };
}

void Form1::Form_Load() {
  st_.language.LoadLanguage();
  ApplyLanguage();
}

// The close box during an update: the download under way is ended at its
// next wait and the update stops there; the window closes once it has.
void Form1::Form_Unload(int& cancel) {
  if (!updating_) return;
  stop_asked_ = true;
  cancel = 1;
}

std::string Form1::LangOr(int slot, const char* fallback) const {
  const std::string& text = st_.Lang(slot);
  return text.empty() ? fallback : text;
}

void Form1::ApplyLanguage() {
  Command1.SetCaption(st_.Lang(4));
  Command2.SetCaption(st_.Lang(3));
  Label2.SetCaption(st_.Lang(2));
  Check1.SetCaption(st_.Lang(11));
}

void Form1::SetControls(bool enabled) {
  Command1.SetEnabled(enabled);
  Command2.SetEnabled(enabled);
  Check1.SetEnabled(enabled);
}

bool Form1::DownloadFile(const std::string& url, const std::string& local_path) {
  return ArrivedWhole(Fetch(url, local_path));
}

platform::Download Form1::Fetch(const std::string& url, const std::string& local_path) {
  auto& net = st_.platform.internet();
  const platform::InternetHandle session = net.InternetOpen("", platform::kInternetOpenTypeDirect, "", "", 0);
  platform::DownloadWait wait;
  wait.idle_ms = kSilentSiteMs;
  wait.keep_going = [this] {
    app().DoEvents();
    return !stop_asked_;
  };
  const platform::Download got = net.UrlDownloadToFile(url, local_path, true, wait);
  if (session != 0) net.InternetCloseHandle(session);
  return got;
}

bool Form1::DownloadInto(const std::string& url, const std::string& target, bool* not_written) {
  auto& files = st_.platform.files();
  const std::string part = target + kPartSuffix;
  if (not_written) *not_written = false;
  files.DeleteFile(part);  // a piece an interrupted run left behind
  const platform::Download got = Fetch(url, part);
  const bool whole = ArrivedWhole(got);
  if (whole && files.ReplaceFile(part, target)) return true;
  if (not_written) *not_written = whole || CameButNotWritten(got);
  files.DeleteFile(part);
  return false;
}

void Form1::Refuse(const std::string& message) {
  // Closed meanwhile: the window goes, with no box to answer first.
  if (!stop_asked_) app().MsgBox(message, platform::kMbOk);
  Command1.SetEnabled(true);
  Label3.SetCaption("");
  Command2.SetEnabled(true);
  Check1.SetEnabled(true);
}

void Form1::Command1_Click() {
  if (updating_) return;
  updating_ = true;
  stop_asked_ = false;
  RunUpdate();
  updating_ = false;
  if (stop_asked_) Unload();
}

void Form1::RunUpdate() {
  SetControls(false);
  const bool override_checks = Check1.Value() == ui::kChecked;
  Label3.SetCaption(st_.Lang(5));
  app().DoEvents();

  const std::string manifest_path = st_.ProgramFolder() + "\\" + kManifestName;
  bool not_written = false;
  if (!DownloadInto(std::string(kUpdateBase) + kManifestName, manifest_path, &not_written)) {
    Refuse(not_written ? LangOr(kNotWrittenSlot, kNotWrittenText) + "\r\n" + manifest_path : st_.Lang(12));
    return;
  }
  Label1.SetWidth(kBarStart);
  std::string bytes;
  st_.platform.files().ReadFile(manifest_path, &bytes);
  const Manifest manifest = ReadManifest(bytes);
  if (!manifest.valid) {
    Refuse(LangOr(kNotValidSlot, kNotValidText));
    return;
  }

  const std::int32_t last_update = st_.reg.ReadRegValue(kHkeyCurrentUser, kProductKey, "LastUpDate35").NumberOr(0);
  const std::int32_t installed = st_.reg.ReadRegValue(kHkeyCurrentUser, kProductKey, "Version").NumberOr(0);
  if (!override_checks && manifest.version > installed) {
    Label3.SetCaption(st_.Lang(6) + VersionText(manifest.version_item) + st_.Lang(7));
    Label1.SetWidth(kBarFull);
    SetControls(true);
    return;
  }
  if (!override_checks && manifest.serial <= last_update) {
    Label3.SetCaption(st_.Lang(8));
    Label1.SetWidth(kBarFull);
    SetControls(true);
    return;
  }

  Label3.SetCaption(st_.Lang(9));
  UpdateFiles.clear();
  UpdateFolders.clear();
  for (const ManifestPair& pair : manifest.pairs) {
    UpdateFiles.push_back(pair.file);
    UpdateFolders.push_back(pair.folder);
  }
  const int count = static_cast<int>(manifest.pairs.size());
  const int step = count > 0 ? ToInt32(static_cast<double>(kBarFiles) / count).value_or(0) : 0;
  FailedFiles = 0;
  for (const ManifestPair& pair : manifest.pairs) {
    if (stop_asked_) {
      ++FailedFiles;  // not fetched: the update is not whole
      break;
    }
    // An empty name is a blank item (a line end too many), not a file.
    if (!pair.file.empty()) {
      const auto target = LocalPath(st_.ProgramFolder(), pair);
      if (!target || !IsAddressName(pair.file) ||
          !DownloadInto(kUpdateBase + AddressPath(pair.file), *target))
        ++FailedFiles;
    }
    Label1.SetWidth(Label1.Width() + step);
  }

  // A close asked for meanwhile, even in the wait that ended the last
  // download, stops the update: whatever came, nothing is recorded.
  if (FailedFiles == 0 && !stop_asked_) {
    Label3.SetCaption(st_.Lang(10));
    st_.reg.WriteRegValue(kHkeyCurrentUser, kProductKey, "LastUpDate35", manifest.serial);
  } else {
    Label3.SetCaption(LangOr(kFailedSlot, kFailedText));
  }
  SetControls(true);
}

}  // namespace ks::relayo
