// The viewer's main window: its editions, layout, the "noaf" switch and
// the handlers that set the preview's settings.
#include <gtest/gtest.h>

#include <set>

#include "native/fixtures/viewer_rig.h"
#include "viewer/form1_design.h"

namespace ks {
namespace {

using test::ViewerRig;
using viewer::EditionKind;

TEST(ViewerForm, EditionTableHoldsEachEditionOnce) {
  std::set<EditionKind> kinds;
  for (const auto& e : viewer::kEditions) {
    EXPECT_TRUE(kinds.insert(e.kind).second) << e.title;
    EXPECT_EQ(&viewer::EditionOf(e.kind), &e) << e.title;
    EXPECT_EQ(e.writes_report, !e.preview) << e.title << ": the edition without a preview writes the report";
  }
  EXPECT_EQ(kinds.size(), 3u);
}

TEST(ViewerForm, EveryPlacedControlExistsInItsEditionsAndFitsItsContainer) {
  for (const auto& e : viewer::kEditions) {
    ViewerRig rig(e.kind);
    std::set<std::pair<std::string, int>> seen;
    for (const auto& row : viewer::kPlaces) {
      EXPECT_TRUE(seen.insert({row.name, row.index}).second) << row.name << " placed twice";
      ui::Control* c = rig.form->Find(row.name, row.index);
      if (row.depth_bars_only && !e.depth_bars) {
        EXPECT_EQ(c, nullptr) << e.title << " has no " << row.name;
        continue;
      }
      ASSERT_NE(c, nullptr) << e.title << ": " << row.name << "(" << row.index << ")";
      const int width = c->Container() ? c->Container()->Width() : viewer::kFormWidth;
      const int height = c->Container() ? c->Container()->Height() : viewer::kFormHeight - 400;
      EXPECT_LE(c->Left() + c->Width(), width) << row.name;
      EXPECT_LE(c->Top() + c->Height(), height) << row.name;
    }
    for (ui::Control* c : rig.form->controls()) {
      if (c->kind() != ui::Kind::kTimer && c->Name() != "Frame1" && &c->form() == rig.form.get()) {
        EXPECT_TRUE(seen.count({c->Name(), c->Index()})) << e.title << ": " << c->FullName() << " has no place";
      }
    }
  }
  ViewerRig info;
  EXPECT_EQ(info.form->Picture1.Width(), 3375);
  EXPECT_EQ(info.form->Picture1.Height(), 2535);
}

// The shown control a caption label stands beside: on its row, just right
// of it, or just below it as a heading; null when there is none.
const ui::Control* ControlBeside(const viewer::Form1& form, const ui::Label& label) {
  const int right = label.Left() + label.Width();
  const int bottom = label.Top() + label.Height();
  for (const ui::Control* c : form.controls()) {
    if (c == &label || c->Container() != label.Container() || !c->Visible() || c->kind() == ui::Kind::kLabel ||
        c->kind() == ui::Kind::kTimer || c->Width() == 0)
      continue;
    const bool same_row = c->Top() < bottom && label.Top() < c->Top() + c->Height();
    const bool same_column = c->Left() < right && label.Left() < c->Left() + c->Width();
    if (same_row && c->Left() >= right && c->Left() - right <= 240) return c;
    if (same_column && c->Top() >= bottom && c->Top() - bottom <= 120) return c;
  }
  return nullptr;
}

// Regression: tarrow showed "Zoom" and "Mipmap filtering" below the lists
// with no control beside them, and its "noaf" greyed the lone "Mipmap
// filtering" while the label beside the disabled filter box stayed black.
TEST(ViewerForm, EveryCaptionStandsBesideItsControlAndNoafGreysTheFilterBoxsLabel) {
  for (const auto& e : viewer::kEditions) {
    ViewerRig rig(e.kind, e.noaf_switch ? "noaf" : "");
    rig.Start();
    viewer::Form1& form = *rig.form;
    for (const auto& row : viewer::kLabel7Captions) {
      if (!form.Label7.Has(row.index)) continue;
      const ui::Label& label = form.Label7[row.index];
      if (!label.Visible()) continue;
      const std::string name = std::string(e.title) + ": \"" + row.caption + "\"";
      const ui::Control* beside = ControlBeside(form, label);
      ASSERT_NE(beside, nullptr) << name << " stands beside no control";
      if (e.noaf_switch) {
        EXPECT_EQ(label.Enabled(), beside != &form.Combo2) << name << " beside " << beside->FullName();
      }
    }
  }
}

TEST(ViewerForm, CaptionsAndStartTextures) {
  struct Case {
    EditionKind kind;
    const char* caption;
    const char* texture;
  };
  const Case cases[] = {{EditionKind::kTarrow, "Direct3D TARROW Box", "\\p512dx1.dds"},
                        {EditionKind::kInfo, "Kestrelane Adapter Info & test", "\\DATA\\ksln.jpg"}};
  for (const Case& c : cases) {
    ViewerRig rig(c.kind);
    ASSERT_TRUE(rig.Start());
    EXPECT_EQ(rig.form->Caption(), c.caption);
    EXPECT_EQ(rig.s.preview.TextureName, c.texture);
    EXPECT_EQ(rig.form->Combo3.items().size(), 5u);
    EXPECT_EQ(rig.form->Combo6.items(), (std::vector<std::string>{"Disabled", "Z-buffer", "W-buffer"}));
  }
}

TEST(ViewerForm, NoafSwitchIsExactAndTarrowsOnly) {
  struct Case {
    const char* name;
    EditionKind kind;
    const char* command_line;
    bool filter_enabled;
  };
  const Case cases[] = {
      {"tarrow noaf", EditionKind::kTarrow, "noaf", false},
      {"tarrow NOAF", EditionKind::kTarrow, "NOAF", true},
      {"tarrow noaf and more", EditionKind::kTarrow, "noaf x", true},
      {"tarrow empty", EditionKind::kTarrow, "", true},
      {"info noaf", EditionKind::kInfo, "noaf", true},
  };
  for (const Case& c : cases) {
    ViewerRig rig(c.kind, c.command_line);
    ASSERT_TRUE(rig.Start()) << c.name;
    EXPECT_EQ(rig.form->Combo2.Enabled(), c.filter_enabled) << c.name;
    if (rig.form->Label7.Has(8)) {
      EXPECT_EQ(rig.form->Label7[8].Enabled(), c.filter_enabled) << c.name;
    }
  }
  ViewerRig rig(EditionKind::kTarrow, "noaf");
  ASSERT_TRUE(rig.Start());
  rig.form->Check6.UserClick();
  EXPECT_FALSE(rig.form->Combo2.Enabled());
  EXPECT_EQ(rig.s.preview.MipMapping, 0);
  rig.form->Check6.UserClick();
  EXPECT_TRUE(rig.form->Combo2.Enabled()) << "setting mipmapping again enables the filter choice";
}

TEST(ViewerForm, AutoLodTakesTheVertexCountFromTheZoomBar) {
  struct Case {
    int zoom;
    int count;
    const char* label;
  };
  const Case cases[] = {{30, 12, "Number of vertices: 24"},
                        {40, 15, "Number of vertices: 30"},
                        {45, 16, "Number of vertices: 32"},
                        {180, 50, "Number of vertices: 100"}};
  for (const Case& c : cases) {
    ViewerRig rig;
    ASSERT_TRUE(rig.Start());
    rig.form->Check3.UserClick();
    rig.form->HScroll2.UserChange(c.zoom);
    EXPECT_EQ(rig.s.preview.VertexCount, c.count) << c.zoom;
    EXPECT_EQ(rig.form->Label10.Caption(), c.label) << c.zoom;
    EXPECT_FLOAT_EQ(rig.s.preview.FovDivisor, c.zoom / 10.0f) << c.zoom;
    EXPECT_FALSE(rig.form->HScroll3.Enabled());
    EXPECT_FALSE(rig.form->Label7[6].Enabled());
  }
  ViewerRig rig;
  ASSERT_TRUE(rig.Start());
  rig.form->HScroll3.UserChange(20);
  EXPECT_EQ(rig.s.preview.VertexCount, 20);
  EXPECT_EQ(rig.form->Label10.Caption(), "Number of vertices: 40");
  rig.form->HScroll2.UserChange(100);
  EXPECT_EQ(rig.s.preview.VertexCount, 20) << "without Auto LOD the zoom leaves the count";
  rig.form->HScroll2.UserChange(45);
  rig.form->Check3.UserClick();
  EXPECT_EQ(rig.s.preview.VertexCount, 16) << "ticking Auto LOD takes the count from the zoom already set";
}

TEST(ViewerForm, FilterAndTextureChoices) {
  ViewerRig rig(EditionKind::kTarrow);
  rig.d3d.adapters[0].caps[platform::kDevTypeHal].MaxAnisotropy = 16;
  ASSERT_TRUE(rig.Start());
  const std::int32_t levels[] = {0, 1, 2, 4, 8, 16};
  for (int i = 0; i < 6; ++i) {
    rig.form->Combo2.UserPick(i);
    EXPECT_EQ(rig.s.preview.FilterLevel, levels[i]) << i;
  }
  const char* files[] = {"\\DATA\\ksln.jpg", "\\DATA\\p128.dds", "\\DATA\\p128dx1.dds", "\\DATA\\p256dx1.dds",
                         "\\DATA\\p512dx1.dds"};
  for (int i = 4; i >= 0; --i) {
    rig.form->Combo3.UserPick(i);
    EXPECT_EQ(rig.s.preview.TextureName, files[i]) << i;
  }
}

TEST(ViewerForm, CheckBoxesSetTheirSettings) {
  ViewerRig rig(EditionKind::kTarrow);
  ASSERT_TRUE(rig.Start());
  auto& p = rig.s.preview;
  rig.form->Check8.UserClick();
  EXPECT_EQ(p.VertexColourA, 0x08A589u);
  EXPECT_EQ(p.VertexColourB, 0x938001u);
  rig.form->Check8.UserClick();
  EXPECT_EQ(p.VertexColourA, 0xFFFFFFFFu);
  EXPECT_EQ(p.VertexColourB, 0xFF808080u);
  rig.form->Check2[1].UserClick();
  EXPECT_EQ(p.RotationAxis, (std::array<float, 3>{1.0f, 0.0f, 1.0f}));
  rig.form->Check5[1].UserClick();
  EXPECT_EQ(p.ColourFlagB, 0);
  EXPECT_EQ(p.ColourFlagA, 1);
  rig.form->Check7.UserClick();
  EXPECT_EQ(p.MultiTexture, 1);
  const int before = p.BackgroundFlag;
  rig.form->Check1.UserClick();
  EXPECT_EQ(p.BackgroundFlag, before + 2);
  rig.form->VScroll1->UserChange(50);
  EXPECT_FLOAT_EQ(p.DepthA, 0.5f);
  rig.form->HScroll1->UserChange(25);
  EXPECT_FLOAT_EQ(p.DepthB, 0.25f);
  rig.form->Check4.UserClick();
  EXPECT_EQ(p.HoldRotation, 1);
  EXPECT_FALSE(rig.form->form2()->Timer1.Enabled());
  rig.form->Check4.UserClick();
  EXPECT_EQ(p.HoldRotation, 0);
  EXPECT_TRUE(rig.form->form2()->Timer1.Enabled());
}

}  // namespace
}  // namespace ks
