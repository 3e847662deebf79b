// Form4: the performance wizard. The user picks an application, moves the
// main slider between performance (0) and quality (9) and, with Fine
// Adjust, the antialiasing and texture filtering sliders (0..4); Optimize
// combines them with the application's profile for this card and the
// processor's speed class into Direct3D and OpenGL setting codes, writes
// them, and has the main window read the driver's values again.
//
// Data: ProgramFolder\DATA\PW\index.dat lists the applications; a profile
// ProgramFolder\DATA\PW\<application>\<card key>.dat holds four numbers
// (MHZvar, CardVar, AAvar, AFvar). Without an index the window does not
// open. The profile numbers and the speed class stay in the public
// variables for the life of the program, across closing the window.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "shell/se_state.h"
#include "ui/ui.h"

namespace ks {

class Form1;

// The speed class of a processor clock in MHz: 0 below 500, 7 from 2800 on.
std::int32_t CpuClass(std::int32_t mhz);
// The card part of a profile's name: for a device id beginning "00F" its
// third and fourth characters in upper case (00F1 gives F1), otherwise its
// second and third characters (0322 gives 32).
std::string WizardCardKey(const std::string& device_id);

class Form4 : public ui::Form {
 public:
  Form4(SeState& state, Form1& main);

  ui::ControlArray<ui::Label> Label1{*this, "Label1", 9};
  ui::ComboBox Combo1{*this, "Combo1"};  // the applications
  ui::FlatScrollBar FlatScrollBar1{*this, "FlatScrollBar1"};  // bar 1: performance .. quality
  ui::CheckBox Check1{*this, "Check1"};                       // Fine Adjust
  ui::FlatScrollBar FlatScrollBar2{*this, "FlatScrollBar2"};  // bar 2: antialiasing
  ui::FlatScrollBar FlatScrollBar3{*this, "FlatScrollBar3"};  // bar 3: texture filtering
  ui::CommandButton Command1{*this, "Command1"};  // Optimize
  ui::CommandButton Command2{*this, "Command2"};  // Close

  // --- public variables ---
  std::int32_t MHZvarX = 0;  // speed class of the processor, 0..7
  std::int32_t MHZvar = 0;   // the profile's four numbers
  std::int32_t CardVar = 0;
  std::int32_t AAvar = 0;
  std::int32_t AFvar = 0;

  // The setting writers Optimize calls, in its order: by default the
  // Direct3D and OpenGL writers on the main window.
  std::function<void(std::int16_t code, std::int32_t value)> WriteD3D;
  std::function<void(std::int16_t code, std::int32_t value)> WriteOGL;

  // Fills Combo1 from the index; false (Combo1 as it was) when the index
  // cannot be read.
  bool LoadWizardIndex();
  // Sets MHZvarX from CpuMhz and reads the profile of Combo1's application
  // for this card. The four numbers start from 0; a missing or unreadable
  // profile leaves them so, a bad item keeps those read before it.
  void LoadWizardProfile();
  // Computes and writes the settings, refreshes the main window's Direct3D
  // and OpenGL pages and disables Command1.
  void Optimize();

  // --- handlers ---
  void Combo1_Click();
  void Combo1_Change();
  void FlatScrollBar_Change();
  void Check1_Click();
  void Command1_Click();
  void Command2_Click();

 protected:
  void Form_Load() override;

 private:
  void Design();
  void Write(bool d3d, std::int16_t code, std::int32_t value = 0);

  SeState& st_;
  Form1& main_;
};

}  // namespace ks
