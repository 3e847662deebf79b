// Every caption of the suite's windows shown whole at 96 and at 120 pixels
// per inch: the window at 120 is its layout scaled by 1.25, while the
// dialog font grows by about a third, so a caption that just fits at 96
// may be cut at 120.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cleaner/pvx_form1.h"
#include "cleaner/pvx_state.h"
#include "hardware/Form9.h"
#include "native/form1_rig.h"
#include "native/repo_data.h"
#include "platform/fake/machine.h"
#include "shell/Form2.h"
#include "shell/Form5.h"
#include "tools/Form3.h"
#include "tools/Form6.h"
#include "tools/Form7.h"
#include "pages/Form4.h"
#include "tray/Form1.h"
#include "tray/frmAbout.h"
#include "tray/travo_state.h"
#include "ui/text_measure.h"
#include "updater/Form1.h"
#include "updater/relayo_state.h"

namespace ks::test {
namespace {

std::string WithoutMnemonic(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) ++i;
    out += text[i];
  }
  return out;
}

// What of a control's caption its window does not show at `ppi`; "" when
// all of it shows. The room each kind leaves its text is the system's: a
// check box or option button draws its mark and a gap before it (16 pixels
// at 96), a button its edges (2 pixels a side), a frame starts its caption
// at 120 twips.
std::string Cut(const ui::Control& c, int ppi) {
  const ui::Kind kind = c.kind();
  if (kind != ui::Kind::kLabel && kind != ui::Kind::kCheckBox && kind != ui::Kind::kOptionButton &&
      kind != ui::Kind::kCommandButton && kind != ui::Kind::kFrame)
    return "";
  const std::string caption = static_cast<const ui::CaptionedControl&>(c).Caption();
  if (caption.empty()) return "";
  const int width = ui::DialogPixels(c.Width(), ppi), height = ui::DialogPixels(c.Height(), ppi);
  const int text = ui::DialogTextWidth(WithoutMnemonic(caption), ppi);
  int room = width;
  switch (kind) {
    case ui::Kind::kLabel:
      return ui::DialogTextFits(caption, c.Width(), c.Height(), ppi) ? "" : "the label does not hold it";
    case ui::Kind::kCheckBox:
    case ui::Kind::kOptionButton:
      room = width - 16 * ppi / 96;
      break;
    case ui::Kind::kCommandButton:
      room = width - 4;
      break;
    default:
      room = width - ui::DialogPixels(120, ppi) - ui::DialogTextWidth("  ", ppi);
      break;
  }
  if (text > room) return std::to_string(text) + " px in " + std::to_string(room);
  if (kind != ui::Kind::kFrame && ui::DialogLineHeight(ppi) > height) return "a line is higher than the control";
  return "";
}

// Whether the control lies where its window can be seen: a control below
// its form's client area (the title bar and borders take about 405 twips
// of the form's height) or beyond its frame is never seen.
bool InView(const ui::Control& c, const ui::Form& form) {
  if (const ui::Frame* frame = c.Container())
    return c.Top() < frame->Height() && c.Left() < frame->Width() && InView(*frame, form);
  return c.Top() < form.Height() - 405 && c.Left() < form.Width();
}

void ExpectWhole(const ui::Form& form) {
  for (const ui::Control* c : form.controls()) {
    if (!InView(*c, form)) continue;
    for (int ppi : {96, 120}) {
      const std::string cut = Cut(*c, ppi);
      if (!cut.empty())
        ADD_FAILURE() << form.Name() << "." << c->FullName() << " at " << ppi << ": \""
                      << static_cast<const ui::CaptionedControl*>(c)->Caption() << "\": " << cut;
    }
  }
}

TEST(CaptionsAtScreenDpi, TheMeasureOfTheLargerFont) {
  struct Case {
    const char* text;
    int at96, at120;
  };
  // As Wine draws them at 96 and 120 pixels per inch.
  const Case cases[] = {{"Stepping 1", 51, 68}, {"Aniso mip filter optimization", 130, 173}, {"", 0, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(ui::DialogTextWidth(c.text), c.at96) << c.text;
    EXPECT_EQ(ui::DialogTextWidth(c.text, 120), c.at120) << c.text;
  }
  EXPECT_EQ(ui::DialogLineHeight(120), 16);
  // 1575 twips are 105 pixels at 96 and 131 at 120.
  EXPECT_TRUE(ui::DialogTextFits("Intellisample settings", 1575, 255));
  EXPECT_FALSE(ui::DialogTextFits("Intellisample settings", 1575, 255, 120));
  EXPECT_TRUE(ui::DialogTextFits("Intellisample settings", 1590, 255, 120));
  EXPECT_EQ(ui::WrapDialogText("Intellisample settings", 1575, 120).size(), 2u);
}

// Regression: at 120 the heading "Intellisample settings" and the box
// "Aniso mip filter optimization" of page 5 were cut.
TEST(CaptionsAtScreenDpi, TheMainWindowAndItsWindows) {
  Form1Rig rig;
  rig.f.Load();
  // Tall, with the options strip below the pages.
  rig.f.Move(rig.f.Left(), rig.f.Top(), rig.f.Width(), 6405);
  ExpectWhole(rig.f);
  for (ui::Form* other : std::vector<ui::Form*>{&rig.f.form2(), &rig.f.form3(), &rig.f.form4(), &rig.f.form5(),
                                                &rig.f.form6(), &rig.f.form7()}) {
    other->Load();
    ExpectWhole(*other);
  }
  Form9 log(rig.st);
  log.Load();
  ExpectWhole(log);
}

TEST(CaptionsAtScreenDpi, TheSatellites) {
  const std::string folder = "C:\\Program Files\\Kestrelane";
  {
    fake::FakeMachine m;
    m.fs.AddFile(folder + "\\DATA\\LANGUAGE\\en_pv.dat", ReadRepoData("LANGUAGE/en_pv.dat"));
    pvx::PvxState st(m);
    pvx::Form1 form(st);
    st.language.LoadLanguage();
    form.Load();
    form.ApplyLanguage();
    for (ui::Form* f : std::vector<ui::Form*>{&form, &form.ProfileDialog, &form.AboutBox, &form.SearchNotice}) {
      f->Load();
      ExpectWhole(*f);
    }
  }
  {
    fake::FakeMachine m;
    m.fs.AddFile(folder + "\\DATA\\LANGUAGE\\en_travo.dat", ReadRepoData("LANGUAGE/en_travo.dat"));
    travo::TravoState st(m);
    st.language.LoadLanguage();
    travo::Form1 presets(st);
    travo::frmAbout about(st);
    presets.Load();
    about.Load();
    ExpectWhole(presets);
    ExpectWhole(about);
  }
  {
    fake::FakeMachine m;
    m.fs.AddFile(folder + "\\DATA\\LANGUAGE\\en_rl.dat", ReadRepoData("LANGUAGE/en_rl.dat"));
    relayo::RelayoState st(m);
    relayo::Form1 form(st);
    form.Load();
    ExpectWhole(form);
  }
}

}  // namespace
}  // namespace ks::test
