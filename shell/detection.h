// Windows, Direct3D runtime and display driver detection at start-up.
// Start-up calls the Form1 methods, in this order: ShowOsAndDirectXVersion
// (which calls GetD3DRuntimeBuild), FindDriverKey, ShowCardName,
// ReadDriverVersion; then FindNvidiaDevices (Module1.h) and ShowCardName
// again. Each sets its SeState values and its labels of page 4 (Label2);
// a step that finds nothing leaves the value and the label as they were.
// This header holds the rules they share.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "shell/se_state.h"

namespace ks {

// OsClass from a GetVersionEx record, and the label shown for a class.
std::int16_t OsClassOf(std::uint32_t major, std::uint32_t minor, std::uint32_t platform_id);
const char* OsLabel(std::int16_t os_class);
// The DirectX version text for a Direct3D runtime build.
const char* DirectXText(std::int32_t d3d_runtime_build);
// The build number in a file version text: the last four digits of the
// last group of the version it begins with (LastVersionGroup), so
// "6.14.10.7701 (English)" is 7701 and "5,3,1,904" is 904. nullopt when the
// text begins with no version. With cut_after_15 the text is first cut to
// 15 characters (the runtime DLLs add a build tag).
std::optional<std::int32_t> BuildFromVersionText(const std::string& text, bool cut_after_15);

// The NVIDIA display driver's library whose version gives the build:
// "\NvCpl.dll" on 9x/Me, "\nvd3dum.dll" on Vista, "\nv4_disp.dll" otherwise.
const char* DriverDllOf(std::int16_t os_class);
// The FileVersion text of a DLL in the system folder (name begins with a
// backslash), up to its first NUL. nullopt when the file has no version
// resource at all; "" when the resource lacks a Translation entry or the
// FileVersion string.
std::optional<std::string> ReadSystemDllVersion(SeState& s, const std::string& dll_name);

// Sets D3DRuntimeBuild from the runtime DLL of the OS class (d3d8.dll on
// 9x, d3d10.dll on Vista and later, d3d9.dll otherwise).
void GetD3DRuntimeBuild(SeState& s);

}  // namespace ks
