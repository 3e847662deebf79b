// The per-user application settings store: a text per application,
// section and key, kept where Windows programs conventionally keep such
// settings, HKEY_CURRENT_USER "Software\VB and VBA Program Settings\<application>\<section>".
#pragma once

#include <string>

#include "platform/registry.h"

namespace ks::travo {

// The stored text; `fallback` when the setting is missing or cannot be read.
std::string GetSetting(platform::Registry& registry, const std::string& application, const std::string& section,
                       const std::string& key, const std::string& fallback = "");
// Stores the text as it is (REG_SZ, also when empty or number-like); false
// when it cannot be written.
bool SaveSetting(platform::Registry& registry, const std::string& application, const std::string& section,
                 const std::string& key, const std::string& text);

}  // namespace ks::travo
