// The renderer under Wine: a form with every control kind shown as real
// windows; real input sent to those windows reaches the model exactly once,
// and changes made by code are not echoed back as input.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>

#include "platform/picture_header.h"
#include "forms/all_controls_form.h"
#include "platform/win32/machine.h"
#include "ui/win32/picture.h"
#include "ui/win32/renderer.h"

#include <commctrl.h>
#include <wincodec.h>

namespace ks {
namespace {

using Events = std::vector<std::string>;
using platform::IsPictureFile;

// A small 24-bit BMP: a red square with a blue stripe.
std::string SmallBmp() {
  const int w = 16, h = 16, stride = w * 3;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  info.biSize = sizeof(info);
  info.biWidth = w;
  info.biHeight = h;
  info.biPlanes = 1;
  info.biBitCount = 24;
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof(file) + sizeof(info);
  file.bfSize = file.bfOffBits + stride * h;
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof(file));
  bytes.append(reinterpret_cast<const char*>(&info), sizeof(info));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) bytes += x < 4 ? std::string("\xff\x00\x00", 3) : std::string("\x00\x00\xff", 3);
  return bytes;
}

// A small JPEG made by the system's own encoder; "" when it has none.
std::string SmallJpeg() {
  std::string jpeg;
  const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  IWICImagingFactory* factory = nullptr;
  IStream* stream = nullptr;
  IWICBitmapEncoder* encoder = nullptr;
  IWICBitmapFrameEncode* frame = nullptr;
  IPropertyBag2* options = nullptr;
  const UINT w = 32, h = 24;
  std::string pixels(w * h * 3, '\x40');
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  HGLOBAL memory = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                 reinterpret_cast<void**>(&factory))) &&
      SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)) &&
      SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatJpeg, nullptr, &encoder)) &&
      SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
      SUCCEEDED(encoder->CreateNewFrame(&frame, &options)) && SUCCEEDED(frame->Initialize(options)) &&
      SUCCEEDED(frame->SetSize(w, h)) && SUCCEEDED(frame->SetPixelFormat(&format)) &&
      SUCCEEDED(frame->WritePixels(h, w * 3, static_cast<UINT>(pixels.size()),
                                   reinterpret_cast<BYTE*>(pixels.data()))) &&
      SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit()) && SUCCEEDED(GetHGlobalFromStream(stream, &memory))) {
    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    jpeg.assign(static_cast<const char*>(GlobalLock(memory)), static_cast<size_t>(stat.cbSize.QuadPart));
    GlobalUnlock(memory);
  }
  if (options) options->Release();
  if (frame) frame->Release();
  if (encoder) encoder->Release();
  if (stream) stream->Release();
  if (factory) factory->Release();
  if (com) CoUninitialize();
  return jpeg;
}

// Where the build tree lies, as a Windows path (Wine maps / to Z:\).
std::string BuildFolder() {
  const char* dir = std::getenv("KS_BUILD_DIR");
  if (!dir || !*dir) return ".";
  std::string path = std::string("Z:") + dir;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

class Renderer : public ::testing::Test {
 protected:
  void SetUp() override {
    app_.Logging = true;  // a renderer turns the log off; these tests read it
    bmp_ = machine_.fs.TempFolder() + "\\ks_ui_test.bmp";
    ASSERT_TRUE(machine_.fs.WriteFile(bmp_, SmallBmp()));
    junk_ = machine_.fs.TempFolder() + "\\ks_ui_test_junk.jpg";
    ASSERT_TRUE(machine_.fs.WriteFile(junk_, "this is no picture"));
    Layout();
    form_.Show();
    PumpFor(300);
    app_.TakeEvents();
  }
  void TearDown() override {
    machine_.fs.DeleteFile(bmp_);
    machine_.fs.DeleteFile(junk_);
  }

  void Layout() {
    test::AllControlsForm& f = form_;
    f.SetCaption("Every control");
    f.Move(600, 600, 7200, 5400);
    f.Toolbar1.Move(0, 0, 7000, 420);
    f.Label1.Move(120, 500, 2000, 255);
    f.Label1.SetCaption("Label1");
    f.Label1.SetToolTipText("A label");
    f.Frame1.Move(120, 800, 2400, 1500);
    f.Frame1.SetCaption("Frame1");
    f.Option2.Move(120, 300, 2000, 300);
    f.Option2.SetCaption("Option2");
    f.Option3[0].Move(120, 700, 2000, 300);
    f.Option3[0].SetCaption("Option3(0)");
    f.Command1.Move(2700, 800, 1300, 375);
    f.Command1.SetCaption("Command1");
    f.Check1.Move(2700, 1250, 1500, 300);
    f.Check1.SetCaption("Check1");
    for (int i = 0; i < 3; ++i) {
      f.Option1[i].Move(2700, 1600 + i * 300, 1500, 300);
      f.Option1[i].SetCaption("Option1(" + std::to_string(i) + ")");
    }
    f.Combo1.Move(4400, 800, 2000, 315);
    f.Combo2.Move(4400, 1250, 2000, 315);
    f.List1.Move(4400, 1700, 2000, 900);
    f.Text1.Move(120, 2500, 2400, 315);
    f.Image1.Move(2700, 2700, 600, 600);
    f.Image1.SetStretch(true);
    f.Image1.LoadPicture(bmp_);
    f.Picture1.Move(3500, 2700, 600, 600);
    f.Picture1.LoadPicture(junk_);
    f.Line1.SetPoints(120, 3500, 6800, 3500);
    f.Line1.SetBorderColor(0x0000FF);
    f.Scroll1.Move(120, 3700, 3000, 255);
    f.Scroll1.SetLargeChange(3);
  }

  void PumpFor(int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
      app_.DoEvents();
      Sleep(10);
    }
  }
  // Pumps until `done` holds (or two seconds pass), then a little more so
  // that a second, echoed event would show.
  void PumpUntil(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!done() && std::chrono::steady_clock::now() < end) {
      app_.DoEvents();
      Sleep(10);
    }
    PumpFor(200);
  }
  HWND Window(const ui::Control& c) { return renderer_->WindowOf(c); }
  void Click(HWND hwnd, int x, int y) {
    PostMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  }

  win32::Win32Machine machine_;
  ui::App app_{machine_.msg, machine_.fs};
  std::unique_ptr<ui::win32::Renderer> renderer_ = std::make_unique<ui::win32::Renderer>(app_);
  test::AllControlsForm form_{app_};
  std::string bmp_, junk_;
};

TEST_F(Renderer, EveryControlKindIsShownAndAScreenshotIsWritten) {
  ASSERT_NE(renderer_->WindowOf(form_), nullptr);
  EXPECT_TRUE(IsWindowVisible(renderer_->WindowOf(form_)));
  for (ui::Control* c : form_.controls()) {
    if (c->kind() == ui::Kind::kLine || c->kind() == ui::Kind::kTimer || c->kind() == ui::Kind::kMenu) continue;
    HWND hwnd = Window(*c);
    ASSERT_NE(hwnd, nullptr) << c->FullName();
    EXPECT_TRUE(IsWindowVisible(hwnd)) << c->FullName();
  }
  // Geometry: twips at 15 a pixel, relative to the container.
  RECT r;
  GetWindowRect(Window(form_.Option2), &r);
  MapWindowPoints(nullptr, Window(form_.Frame1), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 8);
  EXPECT_EQ(r.top, 20);
  EXPECT_EQ(r.right - r.left, 133);
  EXPECT_TRUE(renderer_->HasPicture(form_.Image1));
  EXPECT_FALSE(renderer_->HasPicture(form_.Picture1)) << "a file that is no picture shows nothing";
  EXPECT_EQ(SendMessageA(Window(form_.Toolbar1), TB_BUTTONCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageA(Window(form_.Combo2), CB_GETCOUNT, 0, 0), 2);

  const std::string shot = BuildFolder() + "\\ui_all_controls.bmp";
  ASSERT_TRUE(renderer_->SaveScreenshot(form_, shot));
  std::string bytes;
  ASSERT_TRUE(machine_.fs.ReadFile(shot, &bytes));
  ASSERT_GT(bytes.size(), 1000u);
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  // Not one flat colour: the controls are drawn.
  const std::string pixels = bytes.substr(54);
  EXPECT_NE(pixels.find_first_not_of(pixels[0]), std::string::npos);
}

TEST_F(Renderer, JpegPicturesAreDecoded) {
  const std::string jpeg = SmallJpeg();
  ASSERT_EQ(jpeg.substr(0, 2), "\xFF\xD8") << "the system made no JPEG";
  const std::string path = machine_.fs.TempFolder() + "\\ks_ui_test.jpg";
  ASSERT_TRUE(machine_.fs.WriteFile(path, jpeg));
  EXPECT_TRUE(form_.Picture1.LoadPicture(path));
  EXPECT_TRUE(renderer_->HasPicture(form_.Picture1));
  form_.Picture1.LoadPicture(path + ".missing");
  EXPECT_FALSE(renderer_->HasPicture(form_.Picture1)) << "a missing file empties the control";
  machine_.fs.DeleteFile(path);
}

// Regression: a file that passes the header check but that the system's
// loader refuses left the control blank in place of the picture shown.
TEST_F(Renderer, APictureTheLoaderRefusesKeepsTheShownOne) {
  const std::string jpeg = SmallJpeg();
  ASSERT_EQ(jpeg.substr(0, 2), "\xFF\xD8") << "the system made no JPEG";
  const size_t tables = jpeg.find("\xFF\xC4");
  ASSERT_NE(tables, std::string::npos);
  // A Huffman table whose code counts add up to more codes than it holds.
  std::string bogus = jpeg;
  for (size_t i = tables + 5; i < tables + 5 + 16; ++i) bogus[i] = '\xFF';
  ASSERT_TRUE(IsPictureFile(bogus)) << "the header check passes it";
  ASSERT_EQ(ui::win32::Picture::Decode(bogus, ui::win32::ScreenScale()), nullptr) << "the system's loader refuses it";
  const std::string good = machine_.fs.TempFolder() + "\\ks_ui_good.jpg";
  const std::string bad = machine_.fs.TempFolder() + "\\ks_ui_bad.jpg";
  ASSERT_TRUE(machine_.fs.WriteFile(good, jpeg));
  ASSERT_TRUE(machine_.fs.WriteFile(bad, bogus));
  ASSERT_TRUE(form_.Picture1.LoadPicture(good));
  ASSERT_TRUE(renderer_->HasPicture(form_.Picture1));
  form_.Picture1.LoadPicture(bad);
  EXPECT_TRUE(renderer_->HasPicture(form_.Picture1)) << "the picture shown stays";
  machine_.fs.DeleteFile(good);
  machine_.fs.DeleteFile(bad);
}

TEST_F(Renderer, ClickOnACheckBoxReachesTheModelOnce) {
  HWND box = Window(form_.Check1);
  Click(box, 10, 8);
  PumpUntil([&] { return form_.Check1.Value() == 1; });
  EXPECT_EQ(app_.TakeEvents(), Events{"Check1.Click"});
  EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(Renderer, ClickOnAnOptionTurnsTheOthersOff) {
  form_.Option1[0].SetValue(true);
  app_.TakeEvents();
  Click(Window(form_.Option1[2]), 10, 8);
  PumpUntil([&] { return form_.Option1[2].Value(); });
  EXPECT_EQ(app_.TakeEvents(), Events{"Option1(2).Click"});
  EXPECT_EQ(SendMessageA(Window(form_.Option1[0]), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(Renderer, PickInAComboReachesTheModelOnce) {
  HWND combo = Window(form_.Combo2);
  SetFocus(combo);
  PostMessageA(combo, WM_KEYDOWN, VK_DOWN, 0);
  PumpUntil([&] { return form_.Combo2.ListIndex() >= 0; });
  EXPECT_EQ(app_.TakeEvents(), Events{"Combo2.Click"});
  EXPECT_EQ(form_.Combo2.ListIndex(), 0);
  EXPECT_EQ(form_.Combo2.Text(), "one");
}

// Regression: picking the entry a combo or list already shows raised no
// Click, so a handler that acts on the pick ran only for a new entry. Each
// pick with the mouse raises one Click, the entry shown included; the
// arrow keys in the dropped list pick at each step, and the Enter that
// closes it picks nothing more.
TEST_F(Renderer, EveryPickRaisesOneClickTheEntryShownIncluded) {
  form_.Combo2.SetListIndex(1);
  form_.List1.SetListIndex(1);
  PumpFor(100);
  app_.TakeEvents();
  HWND combo = Window(form_.Combo2);
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetComboBoxInfo(combo, &info));
  for (int pick : {1, 0, 0}) {
    SCOPED_TRACE(pick);
    SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
    PumpFor(50);
    RECT item{};
    SendMessageA(info.hwndList, LB_GETITEMRECT, static_cast<WPARAM>(pick), reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM(item.left + 5, (item.top + item.bottom) / 2);
    PostMessageA(info.hwndList, WM_MOUSEMOVE, 0, at);
    PostMessageA(info.hwndList, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(info.hwndList, WM_LBUTTONUP, 0, at);
    PumpUntil([&] { return SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0) == 0; });
    EXPECT_EQ(app_.TakeEvents(), Events{"Combo2.Click"});
    EXPECT_EQ(form_.Combo2.ListIndex(), pick);
  }
  SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
  PumpFor(50);
  PostMessageA(info.hwndList, WM_KEYDOWN, VK_DOWN, 0);
  PumpUntil([&] { return form_.Combo2.ListIndex() == 1; });
  SetFocus(combo);
  PostMessageA(combo, WM_KEYDOWN, VK_RETURN, 0);
  PumpUntil([&] { return SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0) == 0; });
  EXPECT_EQ(app_.TakeEvents(), Events{"Combo2.Click"}) << "the arrow picked, the Enter only closed";
  EXPECT_EQ(form_.Combo2.ListIndex(), 1);

  HWND list = Window(form_.List1);
  RECT item{};
  SendMessageA(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
  for (int click = 0; click < 2; ++click) {
    Click(list, item.left + 5, (item.top + item.bottom) / 2);
    PumpFor(200);
    EXPECT_EQ(app_.TakeEvents(), Events{"List1.Click"}) << "click " << click << " on the selected line";
  }
}

// A list filled one entry at a time by a handler is shown whole once the
// loop runs, and changes after that go by what changed.
TEST_F(Renderer, ListsShowTheModelsEntriesAfterManyChanges) {
  HWND list = Window(form_.List1);
  HWND combo = Window(form_.Combo1);
  form_.List1.Clear();
  for (int i = 0; i < 2000; ++i) form_.List1.AddItem("entry " + std::to_string(i));
  form_.List1.RemoveItem(5);
  form_.List1.AddItem("first", 0);
  form_.List1.SetListIndex(3);
  for (int i = 0; i < 30; ++i) form_.Combo1.AddItem("item " + std::to_string(i), i % 4);
  form_.Combo1.RemoveItem(0);
  PumpFor(100);
  auto native = [](HWND hwnd, bool is_combo) {
    std::vector<std::string> items;
    const int count = static_cast<int>(SendMessageA(hwnd, is_combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      char text[256] = {};
      SendMessageA(hwnd, is_combo ? CB_GETLBTEXT : LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      items.push_back(text);
    }
    return items;
  };
  EXPECT_EQ(native(list, false), form_.List1.items());
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 3);
  EXPECT_EQ(native(combo, true), form_.Combo1.items());
  form_.List1.RemoveItem(0);
  form_.List1.AddItem("last");
  PumpFor(50);
  EXPECT_EQ(native(list, false), form_.List1.items());
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 2) << "the selection stays on its entry";
}

TEST_F(Renderer, TypingInATextBoxRaisesOneChangePerKey) {
  HWND edit = Window(form_.Text1);
  SetFocus(edit);
  PostMessageA(edit, WM_CHAR, 'o', 0);
  PostMessageA(edit, WM_CHAR, 'k', 0);
  PumpUntil([&] { return form_.Text1.Text() == "ok"; });
  EXPECT_EQ(app_.TakeEvents(), (Events{"Text1.Change", "Text1.Change"}));
}

TEST_F(Renderer, TypingAnEntryInAnEditableComboSelectsIt) {
  HWND edit = FindWindowExA(Window(form_.Combo1), nullptr, "Edit", nullptr);
  ASSERT_NE(edit, nullptr);
  SetFocus(edit);
  for (char c : std::string("beta")) PostMessageA(edit, WM_CHAR, static_cast<WPARAM>(c), 0);
  PumpUntil([&] { return form_.Combo1.Text() == "beta"; });
  EXPECT_EQ(app_.TakeEvents(), Events(4, "Combo1.Change"));
  EXPECT_EQ(form_.Combo1.ListIndex(), 1);
}

TEST_F(Renderer, ClickInAListBoxReachesTheModelOnce) {
  HWND list = Window(form_.List1);
  RECT item{};
  SendMessageA(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
  Click(list, item.left + 5, (item.top + item.bottom) / 2);
  PumpUntil([&] { return form_.List1.ListIndex() == 1; });
  EXPECT_EQ(app_.TakeEvents(), Events{"List1.Click"});
  EXPECT_EQ(form_.List1.Text(), "y");
}

TEST_F(Renderer, ToolbarMenuItemReachesTheModelOnce) {
  HWND bar = Window(form_.Toolbar1);
  RECT r{};
  ASSERT_TRUE(SendMessageA(bar, TB_GETRECT, 1000, reinterpret_cast<LPARAM>(&r)));
  // The arrow is the right end of a drop-down button. The keys wait in the
  // queue behind the click and are read by the menu it opens.
  PostMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right - 4, (r.top + r.bottom) / 2));
  PostMessageA(bar, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageA(bar, WM_KEYDOWN, VK_RETURN, 0);
  PostMessageA(bar, WM_LBUTTONUP, 0, MAKELPARAM(r.right - 4, (r.top + r.bottom) / 2));
  PumpUntil([&] { return !form_.trace.empty(); });
  EXPECT_EQ(app_.TakeEvents(), Events{"Toolbar1.ButtonMenuClick"});
  EXPECT_EQ(form_.trace, std::vector<std::string>{"menu regedit"});
}

TEST_F(Renderer, MenuBarItemReachesTheModelOnce) {
  HWND hwnd = renderer_->WindowOf(form_);
  HMENU bar = GetMenu(hwnd);
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(GetMenuItemCount(bar), 1);
  EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 0)), 3);
  // Alt opens the bar; the keys behind it wait in the queue for the menu.
  PostMessageA(hwnd, WM_SYSCOMMAND, SC_KEYMENU, 0);
  PostMessageA(hwnd, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageA(hwnd, WM_KEYDOWN, VK_RETURN, 0);
  PumpUntil([&] { return !form_.trace.empty(); });
  EXPECT_EQ(app_.TakeEvents(), Events{"mnu_Open.Click"});
  EXPECT_EQ(form_.trace, std::vector<std::string>{"menu open"});
}

TEST_F(Renderer, MenuChangesByCodeRebuildTheBar) {
  form_.mnu_Exit.SetEnabled(false);
  form_.mnu_Open.SetChecked(true);
  HMENU file = GetSubMenu(GetMenu(renderer_->WindowOf(form_)), 0);
  EXPECT_TRUE(GetMenuState(file, 2, MF_BYPOSITION) & MF_GRAYED);
  EXPECT_TRUE(GetMenuState(file, 0, MF_BYPOSITION) & MF_CHECKED);
  EXPECT_TRUE(app_.TakeEvents().empty());
}

TEST_F(Renderer, ToolbarButtonClickReachesTheModelOnce) {
  HWND bar = Window(form_.Toolbar1);
  RECT r{};
  ASSERT_TRUE(SendMessageA(bar, TB_GETRECT, 1001, reinterpret_cast<LPARAM>(&r)));
  Click(bar, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  PumpUntil([&] { return !form_.trace.empty(); });
  EXPECT_EQ(app_.TakeEvents(), Events{"Toolbar1.ButtonClick"});
  EXPECT_EQ(form_.trace, std::vector<std::string>{"button home"});
}

TEST_F(Renderer, ScrollBarArrowRaisesOneChange) {
  SendMessageA(renderer_->WindowOf(form_), WM_HSCROLL, SB_PAGEDOWN, reinterpret_cast<LPARAM>(Window(form_.Scroll1)));
  PumpFor(100);
  EXPECT_EQ(app_.TakeEvents(), Events{"Scroll1.Change"});
  EXPECT_EQ(form_.Scroll1.Value(), 3);
  EXPECT_EQ(GetScrollPos(Window(form_.Scroll1), SB_CTL), 3);
}

// The tooltip of a control, as the form's tooltip window has it; "" when it
// has none (or there is no tooltip window yet).
std::string TipOf(HWND form, HWND control) {
  struct Search {
    HWND form, control;
    std::string text;
  } search{form, control, ""};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND hwnd, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        char cls[64] = {};
        GetClassNameA(hwnd, cls, sizeof(cls));
        if (std::string(cls) != TOOLTIPS_CLASSA) return TRUE;
        char text[256] = {};
        TOOLINFOA tool{};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        tool.hwnd = s->form;
        tool.uId = reinterpret_cast<UINT_PTR>(s->control);
        tool.lpszText = text;
        if (SendMessageA(hwnd, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool))) {
          SendMessageA(hwnd, TTM_GETTEXTA, sizeof(text), reinterpret_cast<LPARAM>(&tool));
          s->text = text;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.text;
}

TEST_F(Renderer, MouseOverALabelRaisesMouseMoveOnceAndBringsItsTooltip) {
  HWND label = Window(form_.Label1);
  EXPECT_EQ(TipOf(renderer_->WindowOf(form_), label), "") << "tooltips wait for the mouse";
  PostMessageA(label, WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
  PumpFor(200);
  const auto events = app_.TakeEvents();
  EXPECT_EQ(std::count(events.begin(), events.end(), "Label1.MouseMove"), 1);
  EXPECT_EQ(TipOf(renderer_->WindowOf(form_), label), "A label");
  form_.Label1.SetToolTipText("Changed");
  EXPECT_EQ(TipOf(renderer_->WindowOf(form_), label), "Changed");
}

TEST_F(Renderer, ChangesByCodeAreShownAndNotEchoed) {
  form_.Text1.SetText("by code");
  form_.Combo2.SetListIndex(1);
  form_.Combo1.SetText("Beta");
  form_.Check1.SetValue(2);
  form_.Scroll1.SetValue(7);
  form_.List1.SetListIndex(1);
  PumpFor(200);
  EXPECT_EQ(app_.TakeEvents(), (Events{"Text1.Change", "Combo2.Click", "Combo1.Change", "Check1.Click",
                                       "Scroll1.Change", "List1.Click"}));
  char text[64];
  GetWindowTextA(Window(form_.Text1), text, sizeof(text));
  EXPECT_STREQ(text, "by code");
  EXPECT_EQ(SendMessageA(Window(form_.Combo2), CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(SendMessageA(Window(form_.Combo1), CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(SendMessageA(Window(form_.Check1), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
  EXPECT_EQ(SendMessageA(Window(form_.List1), LB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(GetScrollPos(Window(form_.Scroll1), SB_CTL), 7);
}

TEST_F(Renderer, HiddenFrameHidesItsControlsAndDisabledBoxIgnoresClicks) {
  form_.Frame1.SetVisible(false);
  EXPECT_FALSE(IsWindowVisible(Window(form_.Option2)));
  form_.Check1.SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(Window(form_.Check1)));
  Click(Window(form_.Check1), 10, 8);
  PumpFor(200);
  EXPECT_TRUE(app_.TakeEvents().empty());
}

TEST_F(Renderer, ActivatingAnotherFormOfTheProgramRaisesActivate) {
  test::AllControlsForm other(app_, "Other");
  other.Move(1200, 1200, 3000, 2000);
  other.Show();
  PumpFor(100);
  EXPECT_EQ(app_.TakeEvents(), (Events{"Other.Initialize", "Other.Load", "Other.Resize", "Other.Activate"}));
  SetActiveWindow(renderer_->WindowOf(form_));
  PumpFor(100);
  EXPECT_EQ(app_.TakeEvents(), Events{"Test.Activate"});
}

TEST_F(Renderer, OpacityUsesALayeredWindow) {
  form_.SetOpacity(128);
  HWND hwnd = renderer_->WindowOf(form_);
  EXPECT_TRUE(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED);
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(hwnd, nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 128);
}

TEST_F(Renderer, CloseBoxUnloadsTheFormAndEndsTheProgram) {
  PostMessageA(renderer_->WindowOf(form_), WM_CLOSE, 0, 0);
  PumpUntil([&] { return !form_.Loaded(); });
  EXPECT_EQ(app_.TakeEvents(), (Events{"Test.Unload", "Test.Terminate"}));
  EXPECT_EQ(renderer_->WindowOf(form_), nullptr);
  EXPECT_TRUE(app_.Ended());
}

TEST_F(Renderer, ModalFormBlocksItsCallerUntilClosed) {
  test::AllControlsForm dialog(app_, "Dialog");
  dialog.Move(900, 900, 3000, 2000);
  bool returned = false;
  dialog.Timer1.SetInterval(50);
  dialog.Timer1.OnTimer = [&] {
    EXPECT_FALSE(IsWindowEnabled(renderer_->WindowOf(form_))) << "the owner takes no input meanwhile";
    dialog.Timer1.SetEnabled(false);
    PostMessageA(renderer_->WindowOf(dialog), WM_CLOSE, 0, 0);
  };
  dialog.Show(true);
  returned = true;
  EXPECT_TRUE(returned);
  EXPECT_FALSE(dialog.Loaded());
  EXPECT_TRUE(IsWindowEnabled(renderer_->WindowOf(form_)));
  PumpFor(100);
  const Events events = app_.TakeEvents();
  EXPECT_EQ(std::count(events.begin(), events.end(), "Test.Activate"), 1) << "the caller is active again";
  EXPECT_EQ(std::count(events.begin(), events.end(), "Dialog.Activate"), 1);
}

class PickerForm : public ui::Form {
 public:
  explicit PickerForm(ui::App& app) : ui::Form(app, "Picker") {
    Move(1500, 1500, 6000, 4500);
    Drive1.Move(120, 120, 2400, 315);
    Dir1.Move(120, 600, 2400, 3000);
    File1.Move(2700, 600, 2400, 3000);
  }
  ui::DriveListBox Drive1{*this, "Drive1"};
  ui::DirListBox Dir1{*this, "Dir1"};
  ui::FileListBox File1{*this, "File1"};
};

TEST_F(Renderer, DriveFolderAndFileListsTakeTheUsersChoiceOnce) {
  const std::string temp = machine_.fs.TempFolder();
  const std::string sub = temp + "\\ks_ui_sub";
  machine_.fs.CreateFolder(sub);
  PickerForm picker(app_);
  ASSERT_TRUE(picker.Dir1.SetPath(temp));
  ASSERT_TRUE(picker.File1.SetPath(temp));
  picker.File1.SetPattern("ks_ui_test.bmp");
  picker.Show();
  PumpFor(200);
  app_.TakeEvents();
  EXPECT_GT(SendMessageA(Window(picker.Drive1), CB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(SendMessageA(Window(picker.File1), LB_GETCOUNT, 0, 0), 1);

  HWND files = Window(picker.File1);
  RECT item{};
  SendMessageA(files, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
  Click(files, item.left + 5, (item.top + item.bottom) / 2);
  PumpUntil([&] { return !picker.File1.FileName().empty(); });
  EXPECT_EQ(app_.TakeEvents(), Events{"File1.Click"});
  EXPECT_EQ(picker.File1.FileName(), "ks_ui_test.bmp");

  const auto& entries = picker.Dir1.items();
  const auto at = std::find_if(entries.begin(), entries.end(), [&](const std::string& e) {
    return CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, e.c_str(), -1, sub.c_str(), -1) == CSTR_EQUAL;
  });
  ASSERT_NE(at, entries.end());
  HWND folders = Window(picker.Dir1);
  SendMessageA(folders, LB_GETITEMRECT, static_cast<WPARAM>(at - entries.begin()), reinterpret_cast<LPARAM>(&item));
  const LPARAM point = MAKELPARAM(item.left + 5, (item.top + item.bottom) / 2);
  PostMessageA(folders, WM_LBUTTONDOWN, MK_LBUTTON, point);
  PostMessageA(folders, WM_LBUTTONUP, 0, point);
  PostMessageA(folders, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
  PostMessageA(folders, WM_LBUTTONUP, 0, point);
  PumpUntil([&] { return picker.Dir1.Path() != ui::NormalFolder(temp); });
  EXPECT_EQ(app_.TakeEvents(), Events{"Dir1.Change"});
  EXPECT_EQ(CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, picker.Dir1.Path().c_str(), -1, sub.c_str(), -1),
            CSTR_EQUAL);
  picker.Unload();
  RemoveDirectoryA(sub.c_str());
}

TEST_F(Renderer, TimersRunWhileTheSystemShowsAMessageBox) {
  int ticks = 0;
  form_.Timer1.SetInterval(50);
  form_.Timer1.OnTimer = [&] {
    ++ticks;
    if (HWND box = FindWindowA("#32770", "Timer check")) PostMessageA(box, WM_COMMAND, IDOK, 0);
  };
  EXPECT_EQ(app_.MsgBox("Closed by a timer", platform::kMbOk, "Timer check"), platform::kIdOk);
  EXPECT_GE(ticks, 1);
}

}  // namespace
}  // namespace ks
