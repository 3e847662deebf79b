// Form2: the about box. Shows the program's name and version and three
// link pictures that open web pages in the default browser.
#pragma once

#include "shell/se_state.h"
#include "ui/ui.h"

namespace ks {

class Form2 : public ui::Form {
 public:
  explicit Form2(SeState& state);

  ui::Label Label1{*this, "Label1"};  // "Kestrelane SE"
  ui::Label Label2{*this, "Label2"};  // version line
  ui::ControlArray<ui::Label> Label11{*this, "Label11", 2};  // the maker's notice and contact
  ui::ControlArray<ui::Image> Image1{*this, "Image1", 3};    // link pictures

  // Opens the web page of link picture `index`; other indices do nothing.
  void Form2_Image1_Click(int index);

 protected:
  void Form_Load() override;

 private:
  SeState& st_;
};

}  // namespace ks
