#include "pages/tweak_controls.h"

#include "shell/form1_design.h"

namespace ks {

using design::kRow;
using design::Put;

namespace {

constexpr int kComboHeight = 315;

ui::ComboBox& PutCombo(ui::ComboBox& combo, int left, int top, int width, const char* text) {
  Put(combo, left, top, width, kComboHeight).SetText(text);
  return combo;
}

ui::FlatScrollBar& PutSlider(ui::FlatScrollBar& bar, int left, int top, int width, int min, int max, int value) {
  Put(bar, left, top, width, kRow);
  bar.SetMin(min);
  bar.SetMax(max);
  bar.SetValue(value);
  bar.SetSmallChange(1);
  bar.SetLargeChange(2);
  return bar;
}

}  // namespace

TweakControls::TweakControls(Pages& pages, AntialiasingPages& aa) : pages_(pages), aa_(aa) {
  // page 1
  PutCombo(Combo3, 2640, 360, 2535, "Auto");
  PutCombo(Combo19, 2640, 1140, 2535, "Disabled");
  for (ui::Image* image : {&Image2, &Image3}) {
    Put(*image, 120, 270, 3135, 1665);
    image->SetStretch(true);
  }
  // page 2
  PutCombo(Combo1, 2640, 360, 2535, "Auto");
  PutCombo(Combo18, 2640, 1140, 2535, "Disabled");
  // page 5
  PutCombo(Combo5, 2880, 1080, 2535, "Quality");
  PutSlider(FlatScrollBar2.LoadIn(pages_[5], 1), 2880, 1470, 2535, -48, 48, 0);
  PutSlider(FlatScrollBar2.LoadIn(pages_[5], 0), 2880, 2430, 2535, 1, 31, 1);
  // page 6
  PutCombo(Combo6, 2880, 1080, 2535, "Quality");
  PutSlider(FlatScrollBar3, 2880, 1470, 2535, -24, 24, 0);
  // page 7
  PutCombo(Combo10, 2880, 810, 2535, "Off");
  PutCombo(Combo11, 2880, 1170, 2535, "0");
  PutCombo(Combo9, 2880, 3090, 2535, "Auto");
  // page 8
  PutCombo(Combo12, 2880, 810, 2535, "Off");
  PutCombo(Combo13, 2880, 1170, 2535, "0");
  // page 11
  PutSlider(FlatScrollBar5, 240, 1320, 6855, 1, 9, 1);
  // page 12
  // Below the help picture (Image4), which would cover the right end of
  // the pixel shader slider.
  PutSlider(FlatScrollBar6.LoadIn(pages_[12], 0), 240, 2160, 6855, 0, 6, 0);
  PutSlider(FlatScrollBar6.LoadIn(pages_[12], 1), 240, 2460, 6855, 0, 4, 0);
  // page 13
  PutCombo(Combo16, 3480, 360, 3615, "Off");
  PutCombo(Combo15, 3480, 1080, 3615, "No override");
}

}  // namespace ks
