#include "shell/associate.h"

namespace ks {

namespace {

void SetDefault(platform::Registry& registry, const std::string& key_path, const std::string& subkey,
                const std::string& text) {
  platform::ScopedRegKey key(registry);
  if (registry.CreateKey(platform::kHkeyClassesRoot, key_path, key.Receive()) != platform::kErrorSuccess) return;
  registry.SetDefaultValue(key.get(), subkey, text);
}

}  // namespace

void RegisterPresetFileType(platform::Registry& registry, platform::Files& files) {
  const std::string exe = files.ProgramFolder() + "\\KestrelaneSE" + ".exe";
  SetDefault(registry, "KestrelaneSE", "", "KestrelaneSE secure preset file");
  SetDefault(registry, ".ksp", "", "KestrelaneSE");
  // The executable's path is quoted so that a folder with blanks cannot start
  // another program; %1 stays bare because the whole command line is the path.
  SetDefault(registry, "KestrelaneSE\\Shell\\open", "command", "\"" + exe + "\" %1");
  SetDefault(registry, "KestrelaneSE", "DefaultIcon", exe + ",0");
}

}  // namespace ks
