// Form1's capability listing and lumacap's adapter report.
#include "common/numbers.h"
#include "viewer/Form1.h"
#include "viewer/adapter_report.h"
#include "viewer/basRegistry.h"
#include "viewer/caps_listing.h"

namespace ks::viewer {

namespace {

constexpr char kSystemKey[] = "HARDWARE\\DESCRIPTION\\System";

// The first string of a value: the text up to its first NUL.
std::string FirstString(const std::string& text) { return text.substr(0, text.find('\0')); }

std::string Num(std::uint32_t v) { return IntToText(static_cast<std::int32_t>(v)); }

}  // namespace

void Form1::ListDeviceCaps() {
  DeviceSetup& s = st_.setup;
  platform::Direct3D8& d3d = st_.d3d;

  // The general page shows the caps of the device in use.
  for (const std::string& line : GeneralLines(s.DeviceCaps, st_.edition)) List1[0].AddItem(line);
  const auto n = static_cast<std::int32_t>(s.DeviceCaps.MaxAnisotropy);
  for (const std::string& item : AnisotropyChoices(n, st_.edition.anisotropy_ceiling)) Combo2.AddItem(item);
  if (Label12) Label12->SetCaption("Max anisotropy: " + IntToText(n));

  // A failed query leaves the record zero: "0x0 with 0 Hz".
  d3d.DeviceGetDisplayMode(s.ListingDevice, &mode_);
  List2.AddItem(Num(mode_.Width) + "x" + Num(mode_.Height) + " with " + Num(mode_.RefreshRate) + " Hz");
  re1 = Num(mode_.Width) + "x" + Num(mode_.Height);
  re2 = Num(mode_.RefreshRate) + " Hz";

  d3d.GetAdapterIdentifier(s.Direct3D, static_cast<std::uint32_t>(s.CurrentAdapter), 0, &identifier_);
  for (const std::string& line : IdentifierLines(identifier_)) List3.AddItem(line);
  platform::Registry& reg = st_.platform.registry();
  List3.AddItem("Bios date: " +
                FirstString(ReadRegistryValue(reg, platform::kHkeyLocalMachine, kSystemKey, "VideoBiosDate").AsText()));
  List3.AddItem("Bios " + FirstString(ReadRegistryValue(reg, platform::kHkeyLocalMachine, kSystemKey,
                                                        "VideoBiosVersion")
                                          .AsText()));

  for (const CapsPage& page : kCapsPages) Combo1.AddItem(page.name);

  // The flag pages show the hardware device's caps where there is one,
  // else those device setup kept.
  d3d.GetDeviceCaps(s.Direct3D, 0, platform::kDevTypeHal, &s.DeviceCaps);
  const auto pages = FlagPages(s.DeviceCaps);
  for (int k = 1; k < 5; ++k)
    for (const std::string& line : pages[k]) List1[k].AddItem(line);

  std::uint32_t adapters = 0;
  if (d3d.GetAdapterCount(s.Direct3D, &adapters) == platform::kD3dOk)
    Label6.SetCaption("Total adapters: " + Num(adapters));

  if (st_.edition.writes_report) WriteAdapterReport();
}

void Form1::WriteAdapterReport() {
  ReportContent content;
  content.hardware_ids = List3.items();
  content.re1 = re1;
  content.re2 = re2;
  ReadVersions(st_.platform, &content);
  for (int k = 0; k < 5; ++k) content.caps_pages[k] = List1[k].items();

  // Written whole in one go: the file holds this run's report only, and is
  // complete and closed before the window goes. An old report that cannot
  // be replaced is removed, so the main program never shows a stale one.
  platform::Files& files = st_.platform.files();
  const std::string path = st_.OwnPath(kReportName);
  files.DeleteFile(path);
  if (files.WriteFile(path, AdapterReportText(content))) Label11.SetCaption("Log file created OK");
  Unload();
}

}  // namespace ks::viewer
