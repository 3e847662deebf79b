// Web pages open in the user's default browser: a small probe HTML file is
// written, the shell names the program that opens it, and that program is
// started with the address.
#pragma once

#include <string>

#include "platform/shell_services.h"
#include "shell/se_state.h"

namespace ks {

// Addresses the program links to.
inline constexpr const char* kVendorSite = "https://www.nvidia.com/";
inline constexpr const char* kMagazineSite = "https://hardware-magazine.example/";
inline constexpr const char* kProductSite = "https://kestrelane.example/";

// The probe file: "temphtm.HTM" in the user's temporary folder (the root of
// drive C: is not writable for standard users).
std::string WebProbePath(SeState& st);

// Writes the probe file, asks the shell for its program and starts that
// program with the address. Nothing is tested or reported: without a
// browser nothing visible happens.
void OpenWebAddress(SeState& st, platform::WindowHandle owner, const std::string& address);

}  // namespace ks
