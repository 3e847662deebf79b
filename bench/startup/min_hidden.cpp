// The floor of the preset command line: a program that creates one hidden
// window, destroys it and ends.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = instance;
  wc.lpszClassName = "KsBenchMinHidden";
  RegisterClassA(&wc);
  HWND hwnd = CreateWindowExA(0, wc.lpszClassName, "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                              instance, nullptr);
  DestroyWindow(hwnd);
  return 0;
}
