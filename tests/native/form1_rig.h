// A main window on a fresh fake machine with the shipped English language
// file and the performance wizard's index in the program's data folder, for
// the main window's tests.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "native/repo_data.h"
#include "platform/fake/machine.h"
#include "shell/Form1.h"
#include "shell/Form2.h"
#include "shell/Form5.h"
#include "shell/satellite_forms.h"

namespace ks::test {

inline const std::string kProgram = "C:\\Program Files\\Kestrelane";
inline const char* const kSettings = "HKCU\\Software\\Kestrelane";

struct Form1Rig {
  fake::FakeMachine m;
  SeState st{m};
  Form1 f{st};

  Form1Rig() {
    m.fs.AddFile(kProgram + "\\DATA\\LANGUAGE\\en.dat", ReadRepoData("LANGUAGE/en.dat"));
    m.fs.AddFile(kProgram + "\\DATA\\PW\\index.dat", ReadRepoData("PW/index.dat"));
    for (const char* pic : {"ps.jpg", "normal_lod.jpg", "high_lod.jpg", "low_lod.jpg", "mipmap.jpg"})
      m.fs.AddFile(kProgram + "\\data\\hs\\pic\\" + pic, ReadRepoData(std::string("hs/pic/") + pic));
  }

  // Visible page frames of the main window.
  std::vector<int> VisiblePages() {
    std::vector<int> pages;
    for (int i = 0; i < kPageCount; ++i)
      if (f.Frame1[i].Visible()) pages.push_back(i);
    return pages;
  }
  // A stored number of the settings key, nullopt when missing.
  std::optional<std::uint32_t> StoredNumber(const std::string& name) {
    auto v = m.reg.Get(kSettings, name);
    if (!v || v->bytes.size() != 4) return std::nullopt;
    return static_cast<std::uint32_t>(static_cast<unsigned char>(v->bytes[0])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(v->bytes[1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(v->bytes[2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(v->bytes[3])) << 24;
  }
  std::optional<std::uint32_t> StoredType(const std::string& name) {
    auto v = m.reg.Get(kSettings, name);
    if (!v) return std::nullopt;
    return v->type;
  }
  // Events of one kind ("Activate") logged so far, by form.
  std::vector<std::string> EventsEndingWith(const std::string& suffix) {
    std::vector<std::string> found;
    for (const auto& e : st.app.Events())
      if (e.size() > suffix.size() && e.compare(e.size() - suffix.size(), suffix.size(), suffix) == 0)
        found.push_back(e);
    return found;
  }
};

}  // namespace ks::test
