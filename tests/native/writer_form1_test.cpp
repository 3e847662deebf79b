// The setting writers on the main window: the combo texts they set raise
// Change events, the label captions show the written value.
#include <gtest/gtest.h>

#include "engine/d3d.h"
#include "engine/ogl.h"
#include "native/writer_rig.h"
#include "shell/Form1.h"

namespace ks::test {
namespace {

struct Main {
  Main(std::int16_t os_class, std::int32_t build) : st(m), form(st) {
    st.OsClass = os_class;
    st.DriverBuild = build;
    st.DriverKey = os_class == 0 ? k9xDriverKey : kNtDriverKey;
    for (size_t i = 0; i < st.LanguageTable.size(); ++i) st.LanguageTable[i] = "#" + std::to_string(i);
    st.app.TakeEvents();
  }
  void D3D(std::int16_t code, std::int32_t value = 0) { WriteD3DSetting(st, form, code, value); }
  void OGL(std::int16_t code, std::int32_t value = 0) { WriteOGLSetting(st, form, code, value); }

  fake::FakeMachine m;
  SeState st;
  Form1 form;
};

TEST(WritersOnForm1, AnisotropySetsBothListsAndRaisesTheirChange) {
  Main w(3, 6000);
  w.D3D(61);
  EXPECT_EQ(w.form.Combo4.Text(), "8x");
  EXPECT_EQ(w.form.Combo2.Text(), "8x");
  EXPECT_EQ(w.st.app.TakeEvents(), (std::vector<std::string>{"Combo4.Change", "Combo2.Change"}));
  w.D3D(61);
  EXPECT_TRUE(w.st.app.TakeEvents().empty()) << "setting the text a combo already shows raises nothing";
}

TEST(WritersOnForm1, OlderDriversLeaveTheOpenGLListAlone) {
  Main w(3, 4500);
  w.form.Combo2.SetText("Disabled");
  w.D3D(10);
  EXPECT_EQ(w.form.Combo4.Text(), "Bilinear");
  EXPECT_EQ(w.form.Combo2.Text(), "Disabled");
}

TEST(WritersOnForm1, ForceMipmapsSetsTheDirect3DListThenTheOpenGLOne) {
  Main w(0, 6000);
  w.D3D(107);
  EXPECT_EQ(w.form.Combo8.Text(), "#136");
  EXPECT_EQ(w.form.Combo7.Text(), "#136");
  EXPECT_EQ(w.st.app.TakeEvents(), (std::vector<std::string>{"Combo8.Change", "Combo7.Change"}));
}

TEST(WritersOnForm1, LabelsShowTheWrittenValue) {
  Main w(3, 6000);
  w.D3D(30, -3);
  EXPECT_EQ(w.form.Label6[3].Caption(), "#118-3");
  w.OGL(63, 7);
  EXPECT_EQ(w.form.Label4[4].Caption(), "#1187");
  w.OGL(66, 15);
  EXPECT_EQ(w.form.Label4[3].Caption(), "#123#132");
}

TEST(WritersOnForm1, ClassicPathSetsNoControl) {
  Main w(0, 2280);
  w.D3D(61);
  EXPECT_EQ(w.form.Combo4.Text(), "Auto") << "the design text";
  EXPECT_TRUE(w.st.app.TakeEvents().empty());
}

// A page handler run by the writer's control update finds the value already
// written, and the writer still leaves the switch cleared.
TEST(WritersOnForm1, ChangeHandlerRunsAfterTheWrite) {
  Main w(3, 6000);
  std::optional<fake::FakeRegistry::Value> seen;
  w.form.Combo2.OnChange = [&] {
    seen = w.m.reg.Get(std::string("HKLM\\") + kNtDriverKey, "D3DOGL_74095213");
    w.st.reg.WriteAsBinary = 1;  // as a reader run by the handler would leave it
  };
  w.OGL(31);
  ASSERT_TRUE(seen.has_value());
  EXPECT_EQ(seen->type, platform::kRegBinary);
  EXPECT_EQ(seen->bytes, FourBytes(0x10000004));
  EXPECT_EQ(w.st.reg.WriteAsBinary, 0);
}

}  // namespace
}  // namespace ks::test
