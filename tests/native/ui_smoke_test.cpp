// The forms toolkit's basics: declaring controls on a form, raising events.
#include <gtest/gtest.h>

#include "platform/fake/machine.h"
#include "shell/Form1.h"

namespace ks {
namespace {

TEST(Form1, ConstructionLoadsNothingAndRegistersItsControls) {
  fake::FakeMachine m;
  SeState st(m);
  Form1 form(st);
  EXPECT_FALSE(form.Loaded());
  EXPECT_EQ(form.Find("Combo17"), &form.Combo17);
  EXPECT_EQ(form.Find("Label17"), &form.Label17);
  EXPECT_TRUE(st.app.Events().empty());
}

TEST(Form1, SettingComboListIndexRunsItsClickHandler) {
  fake::FakeMachine m;
  SeState st(m);
  Form1 form(st);
  form.Combo17.AddItem("English");
  form.Combo17.SetListIndex(0);
  // No language files listed: the handler finds no file name and writes nothing.
  EXPECT_EQ(st.app.TakeEvents(), std::vector<std::string>{"Combo17.Click"});
  EXPECT_TRUE(m.msg.shown().empty());
}

}  // namespace
}  // namespace ks
