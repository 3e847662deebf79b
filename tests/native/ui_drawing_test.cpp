// Drawing into a picture box: the primitives are kept in order with the pen
// of the moment, until Cls; a reloaded form starts from its design.
#include <gtest/gtest.h>

#include "forms/all_controls_form.h"
#include "platform/fake/machine.h"

namespace ks {
namespace {

using ui::DrawOp;

TEST(PictureBoxDrawing, KeepsThePrimitivesWithTheirPen) {
  fake::FakeMachine m;
  ui::App app(m.msg, m.fs);
  test::AllControlsForm form(app);
  ui::PictureBox& box = form.Picture1;
  box.SetDrawWidth(0);
  EXPECT_EQ(box.DrawWidth(), 1) << "a pen is at least one pixel wide";
  box.SetDrawStyle(ui::DrawStyle::kDot);
  box.DrawLine(0, 10, 100, 10, 0x808080);
  box.SetDrawStyle(ui::DrawStyle::kSolid);
  box.SetDrawWidth(2);
  box.DrawLine(60, 1125, 60, 905, 0x00FF00);
  box.DrawPoint(120, 1115, 0x0000FF);
  const std::vector<DrawOp> expected = {
      {DrawOp::Shape::kLine, 0, 10, 100, 10, 0x808080, 1, true},
      {DrawOp::Shape::kLine, 60, 1125, 60, 905, 0x00FF00, 2, false},
      {DrawOp::Shape::kPoint, 120, 1115, 120, 1115, 0x0000FF, 2, false},
  };
  EXPECT_EQ(box.Drawing(), expected);
  box.Cls();
  EXPECT_TRUE(box.Drawing().empty());
  EXPECT_EQ(box.DrawWidth(), 2) << "Cls keeps the pen";
}

TEST(PictureBoxDrawing, AReloadedFormStartsFromItsDesign) {
  fake::FakeMachine m;
  ui::App app(m.msg, m.fs);
  test::AllControlsForm form(app);
  form.Picture1.SetBackColor(0xFFFFFF);
  form.Load();
  form.Picture1.DrawLine(0, 0, 10, 10, 0);
  form.Picture1.SetBackColor(0x000000);
  form.Unload();
  form.Load();
  EXPECT_TRUE(form.Picture1.Drawing().empty());
  EXPECT_EQ(form.Picture1.BackColor(), 0xFFFFFF);
}

}  // namespace
}  // namespace ks
