// The ".ksp" preset file type: registered under HKEY_CLASSES_ROOT at every
// start so that the shell opens presets with the main program.
#pragma once

#include "platform/files.h"
#include "platform/registry.h"

namespace ks {

// Writes the four default values of the association. Nothing is reported:
// without write access to HKEY_CLASSES_ROOT the registration is skipped.
void RegisterPresetFileType(platform::Registry& registry, platform::Files& files);

}  // namespace ks
