// A whole-registry picture of a fake machine's HKEY_LOCAL_MACHINE, and the
// differences between two of them, for tests that show a road changed
// nothing it should not.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "native/writer_rig.h"
#include "platform/fake/machine.h"

namespace ks::test {

using Snapshot = std::map<std::string, std::string>;

// Every key (as "path\") and value (as "path|name" -> "type:bytes") under `key`.
inline void Take(const fake::FakeMachine& m, const std::string& key, Snapshot& out) {
  out[key + "\\"] = "";
  for (const std::string& name : m.reg.ValueNames(key)) {
    const auto v = m.reg.Get(key, name);
    out[key + "|" + name] = std::to_string(v->type) + ":" + Hex(v->bytes);
  }
  for (const std::string& sub : m.reg.SubkeyNames(key)) Take(m, key + "\\" + sub, out);
}
inline Snapshot TakeMachine(const fake::FakeMachine& m) {
  Snapshot s;
  Take(m, "HKLM", s);
  return s;
}

// "+ name = now", "- name (was ...)", "~ name: was -> now".
inline std::vector<std::string> Differences(const Snapshot& want, const Snapshot& got) {
  std::vector<std::string> out;
  for (const auto& [name, bytes] : want) {
    const auto now = got.find(name);
    if (now == got.end()) out.push_back("- " + name + " (was " + bytes + ")");
    else if (now->second != bytes) out.push_back("~ " + name + ": " + bytes + " -> " + now->second);
  }
  for (const auto& [name, bytes] : got)
    if (!want.count(name)) out.push_back("+ " + name + " = " + bytes);
  return out;
}

}  // namespace ks::test
