// Form5: the help window. One frame per topic, exactly one visible; it
// fades in once per load (Timer1, 5 ms a step) and sets HelpTopic back to
// 999 ("none") whenever it is unloaded. The main window places it and
// picks the topic (Form1::ShowHelpTopic).
#pragma once

#include <array>
#include <cstdint>

#include "shell/se_state.h"
#include "ui/ui.h"

namespace ks {

inline constexpr int kHelpTopicCount = 15;

struct HelpTopicRow {
  const char* title;
  const char* text;
};

// The topics: fixed English texts of the window.
extern const std::array<HelpTopicRow, kHelpTopicCount> kHelpTopics;

class Form5 : public ui::Form {
 public:
  explicit Form5(SeState& state);

  ui::ControlArray<ui::Frame> Frame1{*this, "Frame1", kHelpTopicCount};
  ui::ControlArray<ui::Label> Label1{*this, "Label1"};  // topic texts, one per frame
  // topic 0: the texture-filtering preview program
  ui::CommandButton Command1{Frame1[0], "Command1"};
  // topic 1: LOD bias picture and its choice
  ui::Image Image1{Frame1[1], "Image1"};
  ui::ControlArray<ui::OptionButton> Option1{*this, "Option1"};
  // topic 4: mipmap filtering picture
  ui::Image Image2{Frame1[4], "Image2"};
  ui::ControlArray<ui::Label> Label3{*this, "Label3"};
  ui::CommandButton Command2{*this, "Command2"};  // "Close"
  ui::Timer Timer1{*this, "Timer1"};              // fade-in

  // Makes frm's window layered with the given opacity; true when the
  // system took it.
  bool TranslucentForm(ui::Form& frm, std::uint8_t TranslucenceLevel);
  // The current opacity step of the fade-in.
  std::uint8_t FadeLevel() const { return fade_level_; }

  void Timer1_Timer();
  void Command1_Click();
  void Option1_Click(int index);

 protected:
  void Form_Load() override;
  void Form_Unload(int& cancel) override;

 private:
  SeState& st_;
  std::uint8_t fade_level_ = 0;
};

}  // namespace ks
