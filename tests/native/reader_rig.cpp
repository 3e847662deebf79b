#include "native/reader_rig.h"

#include <cstdlib>

namespace ks::test {

std::string ReaderRig::Probe(const std::string& what) {
  if (what == "GammaAA") return std::to_string(st.GammaAA);
  if (what == "TranspAAMode") return std::to_string(st.TranspAAMode);
  if (what == "AAModeText") return st.AAModeText;
  if (what == "SliAAFlag") return std::to_string(st.SliAAFlag);
  if (what == "AAGuard") return std::to_string(st.AAGuard);
  if (what == "PsVersion") return st.PsVersion;
  if (what == "VsVersion") return st.VsVersion;
  if (what == "MaxTextures") return std::to_string(st.MaxTextures);
  if (what == "WriteAsBinary") return std::to_string(st.reg.WriteAsBinary);

  std::string name = what;
  bool enabled = false;
  if (auto dot = name.find(".Enabled"); dot != std::string::npos) {
    enabled = true;
    name.erase(dot);
  }
  int index = -1;
  if (auto paren = name.find('('); paren != std::string::npos) {
    index = std::atoi(name.c_str() + paren + 1);
    name.erase(paren);
  }
  ui::Control* c = f.Find(name, index);
  if (!c) return "<no control " + what + ">";
  if (enabled) return c->Enabled() ? "1" : "0";
  switch (c->kind()) {
    case ui::Kind::kComboBox: return static_cast<ui::ComboBox*>(c)->Text();
    case ui::Kind::kCheckBox: return std::to_string(static_cast<ui::CheckBox*>(c)->Value());
    case ui::Kind::kOptionButton: return static_cast<ui::OptionButton*>(c)->Value() ? "1" : "0";
    case ui::Kind::kFlatScrollBar: return std::to_string(static_cast<ui::FlatScrollBar*>(c)->Value());
    case ui::Kind::kLabel: return static_cast<ui::Label*>(c)->Caption();
    case ui::Kind::kImage: return static_cast<ui::Image*>(c)->Picture();
    default: return "<kind>";
  }
}

void ReaderRig::Record() {
  m.reg.on_call = [this](const fake::FakeRegistry::Call& call) {
    const std::string hklm = "HKEY_LOCAL_MACHINE\\";
    std::string path = call.path;
    const std::string full = hklm + st.DriverKey;
    if (path.compare(0, full.size(), full) == 0) path = "DK" + path.substr(full.size());
    else if (path.compare(0, hklm.size(), hklm) == 0) path = path.substr(hklm.size());
    if (call.op == "RegSetValueExA") {
      const char* names[] = {"REG_NONE", "REG_SZ", "REG_EXPAND_SZ", "REG_BINARY", "REG_DWORD"};
      ops.push_back("set " + path + " " + call.name + " " + (call.type < 5 ? names[call.type] : "?") + " " +
                    Hex(call.bytes));
    } else if (call.op == "RegDeleteValueA") {
      ops.push_back("del " + path + " " + call.name);
    }
  };
}

void ShowPageOf(Form1& form, ui::Control& control) {
  for (ui::Frame* frame = control.Container(); frame; frame = frame->Container()) {
    if (frame->Name() == "Frame1") {
      form.ActivePage = frame->Index();
      form.ShowPage();
    }
  }
}

}  // namespace ks::test
