// Form1: the viewer's main window and the start of every edition. Its load
// sets Direct3D up, fills the option lists, lists the adapter's
// capabilities (lumacap then writes the adapter report and unloads it, so
// the program ends unseen) and, in tarrow and info, starts the preview.
// Its controls change the preview's settings live.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "ui/ui.h"
#include "viewer/Module1.h"
#include "viewer/viewer_state.h"

namespace ks::viewer {

class Form2;

class Form1 : public ui::Form {
 public:
  explicit Form1(ViewerState& state);
  ~Form1() override;

  ViewerState& state() const { return st_; }
  Module1& module1() { return module1_; }
  // The preview renderer; nullptr in lumacap.
  Form2* form2() { return form2_.get(); }

  // --- capability listing ---
  ui::ComboBox Combo1{*this, "Combo1"};
  ui::ControlArray<ui::ListBox> List1{*this, "List1", 5};
  ui::ListBox List2{*this, "List2"};
  ui::ListBox List3{*this, "List3"};
  ui::Label Label6{*this, "Label6"};
  ui::Label Label11{*this, "Label11"};

  // --- the preview ---
  ui::Frame Frame1{*this, "Frame1"};
  ui::PictureBox Picture1{Frame1, "Picture1"};
  // Never shown: the window the capability listing's devices are made on.
  // A device on the main window would cover its client area under Wine
  // (the controls show black), and one on Picture1 would take Picture1's
  // drawing into an X window of its own, outside the main window.
  ui::PictureBox Picture2{Frame1, "Picture2"};
  ui::ComboBox Combo2{Frame1, "Combo2"};
  ui::ComboBox Combo3{Frame1, "Combo3"};
  ui::ComboBox Combo4{Frame1, "Combo4"};
  ui::ComboBox Combo5{Frame1, "Combo5"};
  ui::ComboBox Combo6{Frame1, "Combo6"};
  ui::CheckBox Check1{Frame1, "Check1"};
  ui::ControlArray<ui::CheckBox> Check2{*this, "Check2"};
  ui::CheckBox Check3{Frame1, "Check3"};
  ui::CheckBox Check4{Frame1, "Check4"};
  ui::ControlArray<ui::CheckBox> Check5{*this, "Check5"};
  ui::CheckBox Check6{Frame1, "Check6"};
  ui::CheckBox Check7{Frame1, "Check7"};
  ui::CheckBox Check8{Frame1, "Check8"};
  ui::FlatScrollBar HScroll2{Frame1, "HScroll2"};
  ui::FlatScrollBar HScroll3{Frame1, "HScroll3"};
  ui::Label Label8{Frame1, "Label8"};
  ui::Label Label9{Frame1, "Label9"};
  ui::Label Label10{Frame1, "Label10"};
  ui::ControlArray<ui::Label> Label7{*this, "Label7"};
  // tarrow only (nullptr elsewhere)
  std::unique_ptr<ui::FlatScrollBar> VScroll1;
  std::unique_ptr<ui::FlatScrollBar> HScroll1;
  std::unique_ptr<ui::Label> Label12;

  // --- public variables ---
  std::string re1;  // "1024x768"
  std::string re2;  // "85 Hz"

  // Fills the caps pages, the display mode, the hardware IDs, the filter
  // choices and the adapter count; lumacap ends with the report. Appends
  // only: it runs once per program run.
  void ListDeviceCaps();
  // lumacap: writes the report into its own folder and unloads the window.
  void WriteAdapterReport();

  // --- handlers ---
  void Combo1_Click();
  void Combo2_Click();
  void Combo3_Click();
  void Combo4_Click();
  void Combo5_Click();
  void Combo6_Click();
  void Check1_Click();
  void Check2_Click(int index);
  void Check3_Click();
  void Check4_Click();
  void Check5_Click(int index);
  void Check6_Click();
  void Check7_Click();
  void Check8_Click();
  void HScroll2_Change();
  void HScroll3_Change();
  void VScroll1_Change();
  void HScroll1_Change();

 protected:
  void Form_Load() override;
  void Form_Unload(int& cancel) override;

 private:
  void Design();
  void Wire();
  // The label beside the filter box: the one "noaf" and the mipmapping box
  // grey with the box.
  ui::Label& FilterLabel();
  void ShowVertexCount();
  void Rebuild();
  void Draw();

  ViewerState& st_;
  Module1 module1_;
  std::unique_ptr<Form2> form2_;
  platform::D3DDisplayMode mode_;               // the display-mode record of the listing
  platform::D3DAdapterIdentifier identifier_;   // the identifier record of the listing
};

}  // namespace ks::viewer
