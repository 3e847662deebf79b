// Form1: the main window of KestrelaneSE. Constructing it is cheap: it
// declares the controls and wires their handlers, nothing more; the work
// starts in Form_Load.
//
// Adding a control: one member declaration below (in the section of the
// page it sits on) and, when it has a handler, one line in the constructor.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "shell/se_state.h"
#include "ui/ui.h"

namespace ks {

class Form1 : public ui::Form {
 public:
  explicit Form1(SeState& state);

  SeState& state() const { return st_; }

  // --- public variables ---
  std::int32_t IsStart = 0;
  std::int32_t IsLoading = 0;
  std::int32_t ActivePage = 0;
  std::int32_t TwoCPU = 0;
  std::int32_t Mhz = 0;           // "~MHz" of the first processor, 0 when missing
  std::string Pid;                // first processor's "Identifier"
  std::string Pvid;               // first processor's "VendorIdentifier"
  std::string ProcessorNameString;
  // Available physical memory in MB plus 1, set by GetMemInfo.
  std::int32_t AvailableMemoryMB = 0;

  // --- options row, below the pages ---
  ui::Label Label17{*this, "Label17"};  // the language file's second header item
  ui::ComboBox Combo17{*this, "Combo17", ui::ComboStyle::kDropDownList};  // language choice

  // --- page 4, "Basic informations" ---
  // 0 card, 1 driver version, 2 OS, 3 DirectX, 4 CPU, 5 CPU clock, 6 memory,
  // 7 GPU id, 8 program version, 9 chip revision, 10 CPU vendor.
  ui::ControlArray<ui::Label> Label2{*this, "Label2", 11};

  // --- strip below the pages ---
  // CPU usage bars of the monitoring: 0/1 background and bar of CPU 1, 2/3 of CPU 2.
  ui::ControlArray<ui::Label> Label14{*this, "Label14", 4};

  // Detection at start-up (detection.cpp), in this order.
  void ShowOsAndDirectXVersion();
  void FindDriverKey();
  void ShowCardName();
  // May warn that the driver is too old for the NT family.
  void ReadDriverVersion();
  // The processor, memory and chip labels of page 4 (sysinfo_page.cpp).
  void ShowSystemInfo();
  // Total physical memory in MB as text; sets AvailableMemoryMB.
  std::string GetMemInfo();

  // Refills Combo17 with the installed main-program languages.
  void ListLanguages();
  void Combo17_Click();

  // --- Direct3D and OpenGL tweak pages: controls the setting writers also set ---
  ui::ComboBox Combo4{*this, "Combo4"};  // Direct3D anisotropic filtering
  ui::ComboBox Combo2{*this, "Combo2"};  // OpenGL anisotropic filtering
  ui::ComboBox Combo8{*this, "Combo8"};  // Direct3D force mipmaps
  ui::ComboBox Combo7{*this, "Combo7"};  // OpenGL force mipmaps
  ui::ControlArray<ui::Label> Label6{*this, "Label6", 4};  // (3): Direct3D "Texture LOD bias:"
  ui::ControlArray<ui::Label> Label4{*this, "Label4", 6};  // (3) "Trilinear quality:", (4) "Texture LOD bias:"

 private:
  // Design-time captions of page 4's labels.
  void SetInfoPageCaptions();

  SeState& st_;
  // The file name (with ".dat") behind each item of Combo17, in order.
  std::vector<std::string> LanguageFiles;
};

}  // namespace ks
