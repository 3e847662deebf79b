// The one way windows.h enters the Win32 side of the platform layer.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// Left out by WIN32_LEAN_AND_MEAN.
#include <winver.h>

// windows.h renames these to their A/W forms; our interfaces use the plain names.
#undef MessageBox
#undef DeleteFile
#undef CopyFile
#undef MoveFile
#undef ReplaceFile
#undef CreateFolder
#undef EnumDisplaySettings
#undef ChangeDisplaySettings
#undef GetVersionEx
#undef GetSystemDirectory
#undef GetWindowsDirectory
#undef GetFileAttributes
#undef GetLongPathName
#undef GetShortPathName
#undef GetEnvironmentVariable
#undef GetFileVersionInfoSize
#undef GetFileVersionInfo
#undef VerQueryValue
#undef EnumDisplayDevices
