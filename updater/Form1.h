// relayo's window. Update fetches the manifest "down35.log" from the update
// site, decides from its serial and required main-program version (or the
// Override box) whether the update applies, downloads every listed file
// into the installation and then records the serial in "LastUpDate35".
//
// Only a whole update is recorded: a file that cannot be fetched, written
// or put in place, a pair that names a place outside the program folder,
// or a close of the window at any point of the update, leaves
// "LastUpDate35" as it was so that the next Update tries again. A
// manifest that is not a manifest (a serial or version that is no number,
// more than 256 pairs) changes nothing. Every file first arrives as a
// temporary file beside its target and replaces the installed one only
// when it is complete: the server answered 200 with one length, sent the
// body as it is, and exactly that many bytes were written. A manifest that
// does not arrive so cannot be downloaded; one that arrives but cannot be
// written into the program folder says so and names the file; one that
// arrives but is no update list (empty, not a number, too many pairs)
// says so.
//
// A download runs while the window goes on handling its messages. One that
// brings no byte for kSilentSiteMs fails as a cut-off one does; closing the
// window during an update ends the download under way and the update at
// once (nothing more fetched, nothing recorded), then the window closes. A
// listed name is fetched only when every character of it stands for itself
// in the address (IsAddressName).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/internet.h"
#include "updater/manifest.h"
#include "updater/relayo_state.h"
#include "ui/ui.h"

namespace ks::relayo {

// The update site's folder: the manifest and every file it lists.
inline constexpr const char* kUpdateBase = "http://update.kestrelane.example/update/";
inline constexpr const char* kManifestName = "down35.log";
// Widths of the progress bar, in twips.
inline constexpr int kBarStart = 520;
inline constexpr int kBarFull = 5200;
inline constexpr int kBarFiles = 4680;  // what the files' steps add up to
// A download that brings no byte for this long has failed.
inline constexpr std::int64_t kSilentSiteMs = 30000;

class Form1 : public ui::Form {
 public:
  explicit Form1(RelayoState& state);

  ui::Label Label4{*this, "Label4"};  // the progress bar's background
  ui::Label Label1{*this, "Label1"};  // the progress bar: its width
  ui::Label Label2{*this, "Label2"};  // "Step:"
  ui::Label Label3{*this, "Label3"};  // the status
  ui::CheckBox Check1{*this, "Check1"};        // Override
  ui::CommandButton Command1{*this, "Command1"};  // Update
  ui::CommandButton Command2{*this, "Command2"};  // Close

  // The listed pairs of the last Update (1-based in the manifest's order).
  std::vector<std::string> UpdateFiles;
  std::vector<std::string> UpdateFolders;
  // Pairs of the last Update that did not arrive.
  int FailedFiles = 0;

  void ApplyLanguage();
  void Command1_Click();
  // Downloads one address to a local path; true when the server answered
  // 200 with one Content-Length, neither chunked nor compressed, and the
  // file holds exactly that many bytes; false also when no byte came for
  // kSilentSiteMs or the window was closed meanwhile. The file may be there
  // (an error page, a piece) when it returns false. The download bypasses
  // the local cache; the window handles its messages while it waits.
  bool DownloadFile(const std::string& url, const std::string& local_path);
  // DownloadFile into a temporary file beside the target, which then
  // replaces the target; a failure leaves the target as it was. When the
  // file came whole but could not be written or put in place (a folder
  // that takes no file, a locked target, a full disk), `not_written` is
  // set; a download that failed leaves it false.
  bool DownloadInto(const std::string& url, const std::string& target, bool* not_written = nullptr);

 protected:
  void Form_Load() override;
  void Form_Unload(int& cancel) override;

 private:
  void RunUpdate();
  void SetControls(bool enabled);
  // Ends an update that cannot go on: the message box (none when the
  // window was closed meanwhile), the status emptied, the controls enabled
  // again.
  void Refuse(const std::string& message);
  std::string LangOr(int slot, const char* fallback) const;

  // What one download did, the file at `local_path` as DownloadFile leaves it.
  platform::Download Fetch(const std::string& url, const std::string& local_path);

  RelayoState& st_;
  bool updating_ = false;
  bool stop_asked_ = false;  // the window was closed during the update
};

}  // namespace ks::relayo
