// A reference for the main window's start: the windows KestrelaneSE shows
// when it opens (its fixed frame, the common controls, a toolbar of 16 text
// buttons, the first page with its 11 labels, the page scroll bar and the
// labels below the page) made straight with the system's calls, with no
// program work at all. What this costs over the minimal window program is
// the part of the start that only fewer windows could save.
#include <windows.h>
#include <commctrl.h>

#include "window_loop.h"

namespace {

HWND Label(HWND parent, int id, int x, int y, int w, int h, HFONT font) {
  HWND label = CreateWindowExA(0, "STATIC", "Label text", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SS_NOTIFY, x, y,
                               w, h, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               GetModuleHandleA(nullptr), nullptr);
  SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return label;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = QuitOnDestroy;
  wc.hInstance = instance;
  wc.lpszClassName = "KsBenchBareWindows";
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  RegisterClassA(&wc);
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  HWND top = CreateWindowExA(0, wc.lpszClassName, "Kestrelane SE",
                             WS_CLIPCHILDREN | WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT,
                             CW_USEDEFAULT, 545, 375, nullptr, nullptr, instance, nullptr);
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  HWND bar = CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                             WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_LIST | TBSTYLE_TOOLTIPS |
                                 CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER,
                             0, 0, 537, 38, top, reinterpret_cast<HMENU>(100), instance, nullptr);
  SendMessageA(bar, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageA(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageA(bar, TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
  TBBUTTON buttons[16]{};
  for (int i = 0; i < 16; ++i) {
    buttons[i].iBitmap = I_IMAGENONE;
    buttons[i].idCommand = 1000 + i;
    buttons[i].fsState = TBSTATE_ENABLED;
    buttons[i].fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE;
    buttons[i].iString = reinterpret_cast<INT_PTR>("Page");
  }
  SendMessageA(bar, TB_ADDBUTTONSA, 16, reinterpret_cast<LPARAM>(buttons));
  HWND page = CreateWindowExA(WS_EX_CONTROLPARENT, wc.lpszClassName, "System information",
                              WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 8, 40, 489, 273, top,
                              reinterpret_cast<HMENU>(101), instance, nullptr);
  for (int i = 0; i < 11; ++i) Label(page, 200 + i, 16, 20 + i * 20, 440, 17, font);
  HWND scroll = CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SBS_VERT, 504, 40, 17,
                                273, top, reinterpret_cast<HMENU>(300), instance, nullptr);
  SendMessageA(scroll, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  for (int i = 0; i < 6; ++i) Label(top, 400 + i, 8 + i * 80, 318, 75, 17, font);
  ShowWindow(top, SW_SHOW);
  return RunMessageLoop();
}
