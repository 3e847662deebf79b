// pvx on a fake machine: the state, the main window, the shipped English
// language file, and helpers to lay out profiles, list files and driver
// files.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "cleaner/pvx_form1.h"
#include "native/repo_data.h"
#include "platform/fake/machine.h"

namespace ks::test {

inline const std::string kPvxFolder = "C:\\Program Files\\Kestrelane";
inline const std::string kSys = "C:\\WINDOWS\\SYSTEM32";
inline const std::string kBackup = kPvxFolder + "\\Data\\cleaner\\backup";

struct PvxRig {
  std::unique_ptr<fake::FakeMachine> machine;
  fake::FakeMachine& m;
  pvx::PvxState st{m};
  pvx::Form1 form{st};

  PvxRig() : PvxRig(std::make_unique<fake::FakeMachine>()) {}
  // pvx on a machine of a Windows generation (fixtures/machines.h).
  explicit PvxRig(std::unique_ptr<fake::FakeMachine> on) : machine(std::move(on)), m(*machine) {
    m.fs.AddFile(kPvxFolder + "\\DATA\\LANGUAGE\\en_pv.dat", ReadRepoData("LANGUAGE/en_pv.dat"));
    m.fs.AddFolder(kBackup);
    m.fs.AddFolder(kSys);
    m.reg.PutDword("HKCU\\Software\\Kestrelane", "PV_1W", 1);
  }

  // A profile file of nine quoted items.
  void AddProfile(const std::string& name, const std::vector<std::string>& items) {
    std::string bytes;
    for (const auto& item : items) bytes += "\"" + item + "\"\r\n";
    m.fs.AddFile(kPvxFolder + "\\data\\cleaner\\" + name + ".pvx", bytes);
  }
  void AddList(const std::string& name, const std::vector<std::string>& items) {
    std::string bytes;
    for (const auto& item : items) bytes += "\"" + item + "\"\r\n";
    m.fs.AddFile(kPvxFolder + "\\DATA\\CLEANER\\" + name, bytes);
  }
  // Starts pvx choosing `profile` in the dialog; false when it ended.
  bool StartWith(const std::string& profile) {
    st.app.Post([this, profile] {
      form.ProfileDialog.Combo1.UserPick(form.ProfileDialog.Combo1.FindItem(profile));
      form.ProfileDialog.Command1[0].UserClick();
    });
    if (!form.Start()) return false;
    form.Show();
    return true;
  }
  void Search() { form.Command1[0].UserClick(); }
  void Pick(int list, const std::string& name) {
    ui::ListBox& l = list == 1 ? form.List1 : list == 2 ? form.List2 : list == 3 ? form.List3 : form.List4;
    l.UserPick(l.FindItem(name));
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& box : m.msg.shown()) texts.push_back(box.text);
    return texts;
  }
};

}  // namespace ks::test
