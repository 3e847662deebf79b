// Page 9 of the real main window under Wine, opened from the running
// window: lumacap runs, its report is read, and the list shows it on the
// screen at once, with no scroll or mouse move to bring it out.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "platform/win32/win.h"
#include "shell/Form1.h"
#include "ui/win32/renderer.h"
#include "ui/win32/screenshot.h"
#include "wine/test_folders.h"
#include "wine/wine_machine.h"

namespace ks::test {
namespace {

class WineAdapterPage : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string build = FolderFromEnv("KS_BUILD_DIR");
    if (build.empty()) GTEST_SKIP() << "KS_BUILD_DIR not set";
    auto& fs = machine_.real.fs;
    fs.CreateFolder(s_.DataPath("\\data"));
    lumacap_ = s_.DataPath("\\data\\lumacap.exe");
    report_ = s_.DataPath("\\data\\d3d_adapter_info.txt");
    ASSERT_TRUE(fs.CopyFile(build + "\\programs\\lumacap\\lumacap.exe", lumacap_));
    fs.DeleteFile(report_);
  }
  void TearDown() override {
    main_.Unload();
    machine_.real.fs.DeleteFile(lumacap_);
    machine_.real.fs.DeleteFile(report_);
  }
  // The loop alone, as when the user does nothing.
  void PumpFor(int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
      s_.app.DoEvents();
      Sleep(10);
    }
  }
  // What the screen shows of the window, row by row.
  static std::string ScreenPixels(HWND hwnd) {
    ui::win32::WindowPicture picture;
    return ui::win32::CaptureWindow(hwnd, &picture) ? picture.pixels : std::string();
  }

  WineMachine machine_;
  SeState s_{machine_};
  ui::win32::Renderer renderer_{s_.app};
  Form1 main_{s_};
  std::string lumacap_, report_;
};

// Regression: the list kept showing the waiting line over the report's
// lines it already held until a scroll or a mouse move redrew it.
TEST_F(WineAdapterPage, ShowsTheReportOnTheScreenAsSoonAsItIsRead) {
  main_.Show();
  main_.ActivePage = 4;
  main_.ShowPage();
  PumpFor(500);

  main_.ActivePage = 9;
  main_.ShowPage();  // waits for lumacap, then reads the report
  ASSERT_GE(main_.List1.ListCount(), 80) << "the report was read";
  EXPECT_NE(main_.List1.List(0), s_.Lang(112)) << "the waiting line is gone";
  PumpFor(700);

  HWND list = renderer_.WindowOf(main_.List1);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), main_.List1.ListCount());
  const std::string shown = ScreenPixels(list);
  ASSERT_FALSE(shown.empty());
  // Drawn afresh, the list must look just as it did.
  RedrawWindow(list, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  PumpFor(300);
  const std::string redrawn = ScreenPixels(list);
  ASSERT_EQ(shown.size(), redrawn.size());
  size_t differing = 0;
  for (size_t i = 0; i < shown.size(); ++i) differing += shown[i] != redrawn[i];
  EXPECT_EQ(differing, 0u) << "the screen showed something else than the list holds";
  EXPECT_NE(shown.find_first_not_of(shown[0]), std::string::npos) << "the list shows its lines";
}

}  // namespace
}  // namespace ks::test
